#include "gui/streams/frmTidalStream.h"

#include "core/runtime/Clock.h"
#include "core/runtime/ValueReader.h"
#include "core/streams/StreamHandover.h"
#include "core/streams/StreamTable.h"
#include "core/worksheet/Worksheet.h"
#include "gui/shell/AccessKeys.h"
#include "gui/shell/ResultLines.h"
#include "gui/streams/StreamRecord.h"
#include "gui/streams/VectorTrianglePlot.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;
using ondal::streams::LegEntries;
using ondal::streams::LegValue;
using ondal::streams::LegValues;
using ondal::streams::StationValue;
using ondal::streams::StreamStation;

namespace {

const QString NoTriangleHint = u"The triangle is drawn once a course to steer is worked out"_s;
const QString PortSide = u"port side"_s;
const QString StarboardSide = u"starboard side"_s;

// The leg's entries are kept beside the window's place, and written with it.
const QString Section = QString::fromUtf16(ondal::StreamWindowPlacement.section);
const QString WindSideKey = u"WindSide"_s;

// The field that holds a key of the list of stations, as a screen reader
// names it.
QString stationFieldName(const QString &key)
{
    for (const StationValue &value : ondal::streams::stationValues()) {
        if (value.key == key)
            return value.accessibleName;
    }
    return u"Tidal stream station"_s;
}

// A label whose access key, where it has one, goes to its field.
QLabel *buddyLabel(const QString &caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

// A field with its unit after it.
QHBoxLayout *withUnit(QWidget *field, const QString &unit, QWidget *parent)
{
    auto *row = new QHBoxLayout;
    row->addWidget(field);
    row->addWidget(new QLabel(unit, parent));
    row->addStretch();
    return row;
}

} // namespace

frmTidalStream::frmTidalStream(const ondal::WindowServices &services,
                               const ondal::Worksheet &worksheet, ondal::ScreenAreas screenAreas,
                               QWidget *parent)
    : QWidget(parent), m_services(services),
      m_placement(*this, ondal::StreamWindowPlacement, std::move(screenAreas)),
      m_worksheet(worksheet), m_stations(services.stations),
      m_prompts(services.messages, services.stations,
                u"Type the station's name before saving it."_s, stationFieldName),
      m_kept(Section)
{
    ondal::setUpOwnWindow(*this, u"frmTidalStream"_s, u"Tidal Stream"_s);

    createControls();
    m_prompts.attach(*cboStation, *lblStationFile);
    ondal::guardAccessKeys(*this);
    m_kept.load(m_services.settings);
    const int side = cboWindSide->findText(m_kept.stored(m_services.settings, WindSideKey));
    cboWindSide->setCurrentIndex(std::max(side, 0));
    m_placement.restore(m_services.settings);
    connect(&m_worksheet, &ondal::Worksheet::fieldChanged, this, &frmTidalStream::followWorksheet);
    followWorksheet();
    recompute();
}

frmTidalStream::~frmTidalStream() = default;

void frmTidalStream::createControls()
{
    cboStation = new QComboBox(this);
    cboStation->setObjectName(u"cboStation"_s);
    cboStation->setAccessibleName(u"Tidal stream station"_s);
    connect(cboStation, &QComboBox::activated, this, &frmTidalStream::cboStation_Activated);
    connect(cboStation, &QComboBox::editTextChanged, this, &frmTidalStream::recompute);

    lblStationFile = new QLabel(this);
    lblStationFile->setObjectName(u"lblStationFile"_s);
    lblStationFile->setWordWrap(true);
    lblStationFile->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The station with the standard port its hours count from and that
    // port's ranges, as the chart prints them over the table.
    QWidget *table = createTable();
    const auto field = [this](const QString &name) { return m_stationFields.value(name); };
    auto *names = new QHBoxLayout;
    names->addWidget(buddyLabel(u"S&tation"_s, cboStation, this));
    names->addWidget(cboStation, 1);
    names->addSpacing(12);
    names->addWidget(
        buddyLabel(u"&Referred to high water at"_s, field(u"txtReferencePort"_s), this));
    names->addWidget(field(u"txtReferencePort"_s), 1);
    names->addSpacing(12);
    names->addWidget(buddyLabel(u"Mean sprin&g range"_s, field(u"txtSpringRange"_s), this));
    names->addLayout(withUnit(field(u"txtSpringRange"_s), u"m"_s, this));
    names->addWidget(buddyLabel(u"Mean &neap range"_s, field(u"txtNeapRange"_s), this));
    names->addLayout(withUnit(field(u"txtNeapRange"_s), u"m"_s, this));
    QWidget *dayAndLeg = createDayAndLeg();

    picTriangle = new ondal::VectorTrianglePlot(this);
    picTriangle->setObjectName(u"picTriangle"_s);
    picTriangle->setAccessibleName(u"Vector triangle"_s);
    picTriangle->setFocusPolicy(Qt::NoFocus);

    lblStreamResults = ondal::resultsLabel(this, u"lblStreamResults"_s, u"Stream results"_s);
    lblStreamResults->setMinimumWidth(lblStreamResults->fontMetrics().averageCharWidth() * 40);

    const auto button = [this](const QString &name, const QString &caption,
                               void (frmTidalStream::*slot)()) {
        auto *made = new QPushButton(caption, this);
        made->setObjectName(name);
        connect(made, &QPushButton::clicked, this, slot);
        return made;
    };
    cmdSaveStation =
        button(u"cmdSaveStation"_s, u"S&ave Station"_s, &frmTidalStream::cmdSaveStation_Click);
    cmdDeleteStation = button(u"cmdDeleteStation"_s, u"&Delete Station"_s,
                              &frmTidalStream::cmdDeleteStation_Click);
    cmdPrintStream =
        button(u"cmdPrintStream"_s, u"&Print…"_s, &frmTidalStream::cmdPrintStream_Click);
    cmdStreamPdf =
        button(u"cmdStreamPdf"_s, u"Sav&e as PDF…"_s, &frmTidalStream::cmdStreamPdf_Click);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSaveStation);
    buttons->addWidget(cmdDeleteStation);
    buttons->addStretch();
    buttons->addWidget(cmdPrintStream);
    buttons->addWidget(cmdStreamPdf);

    // The table down the left; the day and the leg on the right, with the
    // triangle beside the lines under them.
    auto *answers = new QHBoxLayout;
    answers->addWidget(picTriangle, 1);
    answers->addWidget(lblStreamResults, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(dayAndLeg);
    right->addLayout(answers, 1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(table);
    middle->addLayout(right, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(names);
    layout->addLayout(middle, 1);
    layout->addWidget(lblStationFile);
    layout->addLayout(buttons);

    // As the table is read, row by row, then the day, then the leg.
    QList<QWidget *> order{cboStation};
    for (const StationValue &value : ondal::streams::stationValues())
        order << m_stationFields.value(value.objectName);
    for (const LegValue &value : LegValues) {
        order << m_legFields.value(QString::fromUtf16(value.objectName));
        if (value.member == &LegEntries::rangeToday)
            order << cmdFromWorksheet;
        if (value.member == &LegEntries::leeway)
            order << cboWindSide;
    }
    order << lblStreamResults << cmdSaveStation << cmdDeleteStation << cmdPrintStream
          << cmdStreamPdf;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

QWidget *frmTidalStream::createTable()
{
    auto *box = new QGroupBox(u"Tidal stream table"_s, this);
    box->setObjectName(u"fraStreamTable"_s);
    // Each value's field, named as the list of stations keeps it.
    const int valueWidth = fontMetrics().horizontalAdvance(u"000.0"_s) + 16;
    for (const StationValue &value : ondal::streams::stationValues()) {
        auto *field = new QLineEdit(box);
        field->setObjectName(value.objectName);
        field->setAccessibleName(value.accessibleName);
        if (value.holds == StationValue::Holds::ReferencePort) {
            field->setMaxLength(ondal::lists::NameFieldLength);
            field->setMinimumWidth(fontMetrics().horizontalAdvance(u"Standard port"_s) + 16);
        } else {
            field->setMaxLength(ondal::ValueFieldLength);
            field->setFixedWidth(valueWidth);
        }
        connect(field, &QLineEdit::textChanged, this, &frmTidalStream::recompute);
        m_stationFields.insert(value.objectName, field);
    }
    const auto field = [this](const QString &name) { return m_stationFields.value(name); };

    // As charts print it: a row an hour, the set and the two rates side by
    // side, each field with its unit after it as its label.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    const QString heads[] = {u"Set"_s, u"Springs"_s, u"Neaps"_s};
    for (int i = 0; i < 3; ++i)
        grid->addWidget(new QLabel(heads[i], box), 0, 1 + 2 * i, 1, 2);
    for (int hour = ondal::streams::FirstHour; hour <= ondal::streams::LastHour; ++hour) {
        const int row = ondal::streams::rowOf(hour) + 1;
        const QString suffix = ondal::streams::hourSuffix(hour);
        QLineEdit *set = field(u"txtSet"_s + suffix);
        QLineEdit *spring = field(u"txtSpring"_s + suffix);
        QLineEdit *neap = field(u"txtNeap"_s + suffix);
        grid->addWidget(buddyLabel(ondal::streams::hourName(hour), set, box), row, 0);
        grid->addWidget(set, row, 1);
        grid->addWidget(buddyLabel(u"°"_s, set, box), row, 2);
        grid->addWidget(spring, row, 3);
        grid->addWidget(buddyLabel(u"kn"_s, spring, box), row, 4);
        grid->addWidget(neap, row, 5);
        grid->addWidget(buddyLabel(u"kn"_s, neap, box), row, 6);
    }
    grid->setColumnMinimumWidth(2, 16);
    grid->setColumnMinimumWidth(4, 20);

    auto *layout = new QVBoxLayout(box);
    layout->addLayout(grid);
    layout->addStretch();
    return box;
}

QWidget *frmTidalStream::createDayAndLeg()
{
    auto *box = new QWidget(this);
    const int valueWidth = fontMetrics().horizontalAdvance(u"0000.00"_s) + 16;
    for (const LegValue &value : LegValues) {
        auto *field = new QLineEdit(this);
        field->setObjectName(QString::fromUtf16(value.objectName));
        field->setAccessibleName(QString::fromUtf16(value.accessibleName));
        field->setMaxLength(ondal::ValueFieldLength);
        field->setFixedWidth(valueWidth);
        connect(field, &QLineEdit::textChanged, this, &frmTidalStream::recompute);
        m_legFields.insert(field->objectName(), field);
    }
    const auto field = [this](QString LegEntries::*member) { return legField(member); };
    field(&LegEntries::highWater)->setPlaceholderText(u"hhmm"_s);
    field(&LegEntries::departure)->setPlaceholderText(u"hhmm"_s);
    field(&LegEntries::variation)->setPlaceholderText(u"4W, 4E"_s);
    field(&LegEntries::deviation)->setPlaceholderText(u"5E, 5W"_s);

    // Kept as typed, the reasons about a damaged one named as the lines name
    // the value.
    QList<ondal::KeptEntries::Entry> kept;
    for (const LegValue &value : LegValues) {
        QString key = QString::fromUtf16(value.key);
        key.front() = key.front().toUpper();
        kept.append({key, QString::fromUtf16(value.label), field(value.member)});
    }
    m_kept.setEntries(kept);

    cmdFromWorksheet = new QPushButton(u"&From Worksheet"_s, this);
    cmdFromWorksheet->setObjectName(u"cmdFromWorksheet"_s);
    cmdFromWorksheet->setToolTip(u"Copies the worksheet's high water time (Text4, Text5) and its "
                                 u"range (Text1 − Text2)"_s);
    connect(cmdFromWorksheet, &QPushButton::clicked, this, &frmTidalStream::cmdFromWorksheet_Click);

    cboWindSide = new QComboBox(this);
    cboWindSide->setObjectName(u"cboWindSide"_s);
    cboWindSide->setAccessibleName(u"Wind on the"_s);
    cboWindSide->addItems({PortSide, StarboardSide});
    connect(cboWindSide, &QComboBox::currentIndexChanged, this, &frmTidalStream::recompute);

    auto *dayBox = new QGroupBox(u"The day at the standard port"_s, box);
    auto *day = new QHBoxLayout(dayBox);
    day->addWidget(buddyLabel(u"&High water"_s, field(&LegEntries::highWater), dayBox));
    day->addWidget(field(&LegEntries::highWater));
    day->addSpacing(16);
    day->addWidget(buddyLabel(u"Range t&oday"_s, field(&LegEntries::rangeToday), dayBox));
    day->addLayout(withUnit(field(&LegEntries::rangeToday), u"m"_s, dayBox));
    day->addStretch();
    day->addWidget(cmdFromWorksheet);

    // Two columns of the leg's values, each with its unit.
    auto *legBox = new QGroupBox(u"The leg"_s, box);
    auto *leg = new QGridLayout(legBox);
    struct Place
    {
        QString caption;
        QWidget *field;
        QString unit;
    };
    const Place places[] = {
        {u"Depart&ure"_s, field(&LegEntries::departure), QString()},
        {u"Trac&k"_s, field(&LegEntries::track), u"° T"_s},
        {u"Distan&ce"_s, field(&LegEntries::distance), u"M"_s},
        {u"&Speed through the water"_s, field(&LegEntries::speed), u"kn"_s},
        {u"&Leeway"_s, field(&LegEntries::leeway), u"°"_s},
        {u"&Wind on the"_s, cboWindSide, QString()},
        {u"Var&iation"_s, field(&LegEntries::variation), QString()},
        {u"De&viation"_s, field(&LegEntries::deviation), QString()},
    };
    for (int i = 0; i < int(std::size(places)); ++i) {
        const Place &p = places[i];
        const int row = i / 2;
        const int column = (i % 2) * 3;
        leg->addWidget(buddyLabel(p.caption, p.field, legBox), row, column);
        leg->addWidget(p.field, row, column + 1);
        if (!p.unit.isEmpty())
            leg->addWidget(new QLabel(p.unit, legBox), row, column + 2);
    }
    leg->setColumnMinimumWidth(2, 24);
    leg->setColumnStretch(2, 1);
    leg->setColumnStretch(5, 1);

    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(dayBox);
    layout->addWidget(legBox);
    return box;
}

QLineEdit *frmTidalStream::legField(QString LegEntries::*member) const
{
    for (const LegValue &value : LegValues) {
        if (value.member == member)
            return m_legFields.value(QString::fromUtf16(value.objectName));
    }
    return nullptr;
}

StreamStation frmTidalStream::station() const
{
    StreamStation station;
    station.name = cboStation->currentText();
    for (const StationValue &value : ondal::streams::stationValues())
        ondal::streams::stationText(station, value) =
            m_stationFields.value(value.objectName)->text();
    return station;
}

LegEntries frmTidalStream::legEntries() const
{
    // A damaged entry is read as stored, so that what depends on it is
    // refused rather than worked out as if it were blank.
    LegEntries entries;
    for (const LegValue &value : LegValues)
        entries.*value.member = m_kept.typed(legField(value.member));
    entries.windSide = cboWindSide->currentIndex() == 1 ? ondal::streams::WindSide::Starboard
                                                        : ondal::streams::WindSide::Port;
    return entries;
}

void frmTidalStream::recompute()
{
    // Only texts and a repaint: no message box opens for a value.
    m_working = ondal::streams::workStream(station(), legEntries());
    m_lines = m_working.lines;
    // Damaged entries are named first among the reasons, until typed into.
    m_kept.nameLeftOut(m_lines);
    ondal::showLines(*lblStreamResults, m_lines);
    picTriangle->setLeg(m_working.leg, NoTriangleHint);
    cmdDeleteStation->setEnabled(m_prompts.holdsTyped());
}

void frmTidalStream::followWorksheet()
{
    cmdFromWorksheet->setEnabled(ondal::streams::dayFromWorksheet(m_worksheet).has_value());
}

void frmTidalStream::cboStation_Activated(int index)
{
    if (index < 0 || index >= m_stations.entries().size() ||
        !m_prompts.fitsFields(m_stations.entries().at(index)))
        return;
    const StreamStation chosen = ondal::streams::toStation(m_stations.entries().at(index));
    for (const StationValue &value : ondal::streams::stationValues())
        m_stationFields.value(value.objectName)
            ->setText(ondal::streams::stationText(chosen, value));
    recompute();
}

void frmTidalStream::cmdSaveStation_Click()
{
    m_prompts.save(ondal::streams::toEntry(station()));
    recompute();
}

void frmTidalStream::cmdDeleteStation_Click()
{
    // What was typed stays in the fields.
    m_prompts.remove();
    recompute();
}

void frmTidalStream::cmdFromWorksheet_Click()
{
    const std::optional<ondal::streams::WorksheetDay> day =
        ondal::streams::dayFromWorksheet(m_worksheet);
    if (!day)
        return;
    // Written as if typed: a damaged stored entry is replaced, not read on.
    const std::pair<QString LegEntries::*, QString> written[] = {
        {&LegEntries::highWater, day->highWater}, {&LegEntries::rangeToday, day->rangeToday}};
    for (const auto &[member, text] : written) {
        legField(member)->setText(text);
        legField(member)->setModified(true);
    }
    recompute();
}

ondal::streams::StreamRecord frmTidalStream::record() const
{
    return ondal::streams::streamRecord(station(), legEntries(), m_working, m_lines, NoTriangleHint,
                                        m_services.clock.now());
}

ondal::RecordOutput frmTidalStream::recordOutput() const
{
    return {u"Tidal Stream"_s, u"The tidal stream"_s, u"Tidal stream"_s,
            ondal::streamRecordPainter(record())};
}

void frmTidalStream::cmdPrintStream_Click()
{
    ondal::printFromWindow(this, m_services, recordOutput());
}

void frmTidalStream::cmdStreamPdf_Click()
{
    ondal::savePdfFromWindow(this, m_services, recordOutput());
}

void frmTidalStream::closeEvent(QCloseEvent *event)
{
    // The leg's entries and the window's place, in one write of the
    // settings; a save that does not reach the disk is told, once, and
    // closing goes on.
    m_kept.save(m_services, {{WindSideKey, cboWindSide->currentText()}}, m_placement.values(),
                u"The tidal stream window's entries"_s);
    event->accept();
}

bool frmTidalStream::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    m_placement.follow(event);
    return handled;
}
