#include "gui/curve/frmTideCurve.h"

#include "core/runtime/Clock.h"
#include "core/tide/ClockZones.h"
#include "core/tide/CurveRecord.h"
#include "core/worksheet/Worksheet.h"
#include "gui/curve/TideCurvePlot.h"
#include "gui/shell/AccessKeys.h"
#include "gui/shell/ResultLines.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

using namespace Qt::StringLiterals;
using ondal::ResultLine;

namespace {

const QString OpenTheWorksheet = u"Open the worksheet (Ondal ▸ Ondal Prediction) and enter the "
                                 u"times and heights of high and low water"_s;
const QString NoWorksheetHint = u"The worksheet is empty"_s;
const QString NoCurveHint = u"No curve: see the lines below"_s;

// The entries are kept beside the window's place, and written with it.
const QString Section = QString::fromUtf16(ondal::CurveWindowPlacement.section);
const QString WatersKey = u"Waters"_s;
const QString ClockZoneKey = u"ClockZone"_s;

// The groups' captions as wide as the widest of them, so that their entries
// line up in one column down the window.
void alignCaptions(std::initializer_list<QFormLayout *> forms)
{
    QList<QWidget *> captions;
    int widest = 0;
    for (QFormLayout *form : forms) {
        for (int row = 0; row < form->rowCount(); ++row) {
            if (QLayoutItem *item = form->itemAt(row, QFormLayout::LabelRole)) {
                captions << item->widget();
                widest = std::max(widest, item->widget()->sizeHint().width());
            }
        }
    }
    for (QWidget *caption : std::as_const(captions))
        caption->setMinimumWidth(widest);
}

} // namespace

frmTideCurve::frmTideCurve(const ondal::WindowServices &services, const ondal::Worksheet &worksheet,
                           ondal::ScreenAreas screenAreas, QWidget *parent)
    : QWidget(parent), m_services(services),
      m_placement(*this, ondal::CurveWindowPlacement, std::move(screenAreas)),
      m_worksheet(worksheet), m_kept(Section)
{
    ondal::setUpOwnWindow(*this, u"frmTideCurve"_s, u"Tide Curve"_s);

    createControls();
    ondal::guardAccessKeys(*this);
    // The width is that of the entries beside the plot at its narrowest;
    // the height, that of the layout: the entries, the plot at its smallest
    // and every line under them.
    setMinimumWidth(std::max(36 * fontMetrics().height(), layout()->minimumSize().width()));
    Form_Load();
    connect(&m_worksheet, &ondal::Worksheet::fieldChanged, this, &frmTideCurve::recompute);
    recompute();
}

frmTideCurve::~frmTideCurve() = default;

void frmTideCurve::createControls()
{
    const auto entry = [this](const QString &name, const QString &accessibleName) {
        auto *field = new QLineEdit(this);
        field->setObjectName(name);
        field->setAccessibleName(accessibleName);
        field->setMaxLength(ondal::ValueFieldLength);
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance(u"0000.000"_s) + 16);
        connect(field, &QLineEdit::textChanged, this, &frmTideCurve::recompute);
        return field;
    };
    const auto label = [this](const QString &name, const QString &caption, QWidget *buddy) {
        auto *label = new QLabel(caption, this);
        label->setObjectName(name);
        label->setBuddy(buddy);
        return label;
    };
    // A zone typed, or chosen from the database's as it completes what is
    // typed ("london" offers Europe/London).
    const QStringList zones = ondal::tide::zoneChoices();
    const auto zoneBox = [this, &zones](const QString &name, const QString &accessibleName) {
        auto *box = new QComboBox(this);
        box->setObjectName(name);
        box->setAccessibleName(accessibleName);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItems(zones);
        box->setCurrentIndex(-1);
        box->setEditText(QString());
        box->lineEdit()->setMaxLength(ondal::ValueFieldLength);
        box->setMaxVisibleItems(20);
        box->setMinimumContentsLength(14);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->completer()->setCompletionMode(QCompleter::PopupCompletion);
        box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
        box->completer()->setFilterMode(Qt::MatchContains);
        // Once loaded, the text changes only as the user types or chooses:
        // a stored entry left out is then typed over.
        connect(box, &QComboBox::editTextChanged, this, [this, box] {
            m_kept.typedOver(box->lineEdit());
            recompute();
        });
        return box;
    };
    // A field with its unit after it, as one row of a form.
    const auto withUnit = [this](QWidget *field, const QString &unit) {
        auto *row = new QHBoxLayout;
        row->addWidget(field);
        if (!unit.isEmpty())
            row->addWidget(new QLabel(unit, this));
        row->addStretch();
        return row;
    };

    // The tides of the day: a list as long as the tables print, wider than
    // the values; the date and the zones as values.
    txtDayTides = entry(u"txtDayTides"_s, u"Tides of the day"_s);
    txtDayTides->setMaxLength(ondal::tide::DayTidesFieldLength);
    txtDayTides->setMaximumWidth(QWIDGETSIZE_MAX);
    txtDayTides->setMinimumWidth(
        txtDayTides->fontMetrics().horizontalAdvance(u"0000 0.0  0000 0.0  0000 0.0  0000 0.0"_s) +
        16);
    txtDayTides->setPlaceholderText(u"0208 4.1  0822 0.9  …"_s);
    txtDayTides->setToolTip(u"Time then height, tide after tide, as the tables print them"_s);
    txtDate = entry(u"txtDate"_s, u"Date"_s);
    txtDate->setMaximumWidth(txtDate->fontMetrics().horizontalAdvance(u"0000-00-00"_s) + 16);
    txtDate->setToolTip(u"The date of the first tide, where the tables' zone is given"_s);
    cboTablesZone = zoneBox(u"cboTablesZone"_s, u"Tables' time zone"_s);
    cboTablesZone->setToolTip(u"The zone the tables print their times in; blank where they are "
                              u"the ship's clock's"_s);
    cboClockZone = zoneBox(u"cboClockZone"_s, u"Ship's clock"_s);

    txtDraught = entry(u"txtDraught"_s, u"Draught, metres"_s);
    txtClearance = entry(u"txtClearance"_s, u"Under-keel clearance, metres"_s);
    txtClearance->setToolTip(u"Metres, or a share of the draught such as 10 %"_s);
    txtBlockCoefficient = entry(u"txtBlockCoefficient"_s, u"Block coefficient"_s);
    txtSpeed = entry(u"txtSpeed"_s, u"Speed through the water, knots"_s);
    cboWaters = new QComboBox(this);
    cboWaters->setObjectName(u"cboWaters"_s);
    cboWaters->setAccessibleName(u"Waters"_s);
    cboWaters->addItems({ondal::tide::watersName(ondal::tide::Waters::Open),
                         ondal::tide::watersName(ondal::tide::Waters::Confined)});
    connect(cboWaters, &QComboBox::currentIndexChanged, this, &frmTideCurve::recompute);
    txtAirDraught = entry(u"txtAirDraught"_s, u"Air draught, metres"_s);
    txtVerticalClearance =
        entry(u"txtVerticalClearance"_s, u"Charted vertical clearance, metres"_s);
    txtClearanceDatum =
        entry(u"txtClearanceDatum"_s, u"Clearance datum above chart datum, metres"_s);
    txtClearanceDatum->setToolTip(u"The level the chart measures the clearance from (HAT or "
                                  u"MHWS), above chart datum, from the tables"_s);
    txtOverheadMargin = entry(u"txtOverheadMargin"_s, u"Overhead margin, metres"_s);

    // Each caption has an access key of its own, clear of the buttons' P and D.
    lblDayTides = label(u"lblDayTides"_s, u"&Tides of the day"_s, txtDayTides);
    lblDate = label(u"lblDate"_s, u"Dat&e"_s, txtDate);
    lblTablesZone = label(u"lblTablesZone"_s, u"Tables' &zone"_s, cboTablesZone);
    lblClockZone = label(u"lblClockZone"_s, u"Ship's cl&ock"_s, cboClockZone);
    lblDraught = label(u"lblDraught"_s, u"D&raught"_s, txtDraught);
    lblBlockCoefficient =
        label(u"lblBlockCoefficient"_s, u"&Block coefficient"_s, txtBlockCoefficient);
    lblSpeed = label(u"lblSpeed"_s, u"&Speed"_s, txtSpeed);
    QLabel *lblWaters = label(u"lblWaters"_s, u"&Waters"_s, cboWaters);
    lblClearance = label(u"lblClearance"_s, u"Under-keel &clearance"_s, txtClearance);
    lblAirDraught = label(u"lblAirDraught"_s, u"&Air draught"_s, txtAirDraught);
    lblVerticalClearance =
        label(u"lblVerticalClearance"_s, u"Charted &vertical clearance"_s, txtVerticalClearance);
    lblClearanceDatum = label(u"lblClearanceDatum"_s, u"Clearance dat&um"_s, txtClearanceDatum);
    lblOverheadMargin = label(u"lblOverheadMargin"_s, u"Overhead &margin"_s, txtOverheadMargin);

    auto *fraTides = new QGroupBox(u"Tides"_s, this);
    fraTides->setObjectName(u"fraTides"_s);
    auto *tides = new QFormLayout(fraTides);
    tides->addRow(lblDayTides, txtDayTides);
    tides->addRow(lblDate, withUnit(txtDate, QString()));
    tides->addRow(lblTablesZone, withUnit(cboTablesZone, QString()));
    tides->addRow(lblClockZone, withUnit(cboClockZone, QString()));

    auto *fraDepth = new QGroupBox(u"Under the keel"_s, this);
    fraDepth->setObjectName(u"fraDepth"_s);
    auto *depth = new QFormLayout(fraDepth);
    depth->addRow(lblDraught, withUnit(txtDraught, u"m"_s));
    depth->addRow(lblBlockCoefficient, withUnit(txtBlockCoefficient, QString()));
    depth->addRow(lblSpeed, withUnit(txtSpeed, u"kn"_s));
    depth->addRow(lblWaters, withUnit(cboWaters, QString()));
    depth->addRow(lblClearance, withUnit(txtClearance, u"m or %"_s));

    auto *fraOverhead = new QGroupBox(u"Overhead"_s, this);
    fraOverhead->setObjectName(u"fraOverhead"_s);
    auto *overhead = new QFormLayout(fraOverhead);
    overhead->addRow(lblAirDraught, withUnit(txtAirDraught, u"m"_s));
    overhead->addRow(lblVerticalClearance, withUnit(txtVerticalClearance, u"m"_s));
    overhead->addRow(lblClearanceDatum, withUnit(txtClearanceDatum, u"m"_s));
    overhead->addRow(lblOverheadMargin, withUnit(txtOverheadMargin, u"m"_s));
    alignCaptions({tides, depth, overhead});

    picCurve = new ondal::TideCurvePlot(this);
    picCurve->setObjectName(u"picCurve"_s);
    picCurve->setAccessibleName(u"Tide curve"_s);
    picCurve->setFocusPolicy(Qt::NoFocus);

    // Selectable, and read whole by screen readers: a label offers them its
    // name, so the lines go into the description as well.
    lblResults = ondal::resultsLabel(this, u"lblResults"_s, u"Results"_s);

    cmdPrint = new QPushButton(u"&Print…"_s, this);
    cmdPrint->setObjectName(u"cmdPrint"_s);
    cmdSavePdf = new QPushButton(u"Save as P&DF…"_s, this);
    cmdSavePdf->setObjectName(u"cmdSavePdf"_s);
    connect(cmdPrint, &QPushButton::clicked, this, &frmTideCurve::cmdPrint_Click);
    connect(cmdSavePdf, &QPushButton::clicked, this, &frmTideCurve::cmdSavePdf_Click);

    // The entries down the left, the plot taking the rest of the width.
    auto *entries = new QVBoxLayout;
    entries->addWidget(fraTides);
    entries->addWidget(fraDepth);
    entries->addWidget(fraOverhead);
    entries->addStretch();
    auto *upper = new QHBoxLayout;
    upper->addLayout(entries);
    upper->addWidget(picCurve, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdSavePdf);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(upper, 1);
    layout->addWidget(lblResults);
    layout->addLayout(buttons);

    // Down the day's tides, the depth entries, then the overhead ones, then
    // the results.
    const QList<QWidget *> order{txtDayTides,
                                 txtDate,
                                 cboTablesZone,
                                 cboClockZone,
                                 txtDraught,
                                 txtBlockCoefficient,
                                 txtSpeed,
                                 cboWaters,
                                 txtClearance,
                                 txtAirDraught,
                                 txtVerticalClearance,
                                 txtClearanceDatum,
                                 txtOverheadMargin,
                                 lblResults,
                                 cmdPrint,
                                 cmdSavePdf};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    m_kept.setEntries(
        {{u"DayTides"_s, u"Tides of the day"_s, txtDayTides},
         {u"Date"_s, u"Date"_s, txtDate},
         {u"TablesZone"_s, u"Tables' time zone"_s, cboTablesZone->lineEdit()},
         {ClockZoneKey, u"Ship's clock"_s, cboClockZone->lineEdit()},
         {u"Draught"_s, u"Draught"_s, txtDraught},
         {u"Clearance"_s, u"Under-keel clearance"_s, txtClearance},
         {u"BlockCoefficient"_s, u"Block coefficient"_s, txtBlockCoefficient},
         {u"Speed"_s, u"Speed through the water"_s, txtSpeed},
         {u"AirDraught"_s, u"Air draught"_s, txtAirDraught},
         {u"VerticalClearance"_s, u"Charted vertical clearance"_s, txtVerticalClearance},
         {u"ClearanceDatum"_s, u"Clearance datum"_s, txtClearanceDatum},
         {u"OverheadMargin"_s, u"Overhead margin"_s, txtOverheadMargin}});
}

void frmTideCurve::Form_Load()
{
    // As typed: read afresh each time they are worked out. The ship's clock
    // starts as the computer's own zone.
    const ondal::SettingsStore &settings = m_services.settings;
    m_kept.load(settings);
    if (m_kept.stored(settings, ClockZoneKey).isNull())
        cboClockZone->setEditText(ondal::tide::zoneName(m_services.clock.zone()));
    // The waters by name; a name it does not know leaves open water.
    const int waters = cboWaters->findText(m_kept.stored(settings, WatersKey));
    cboWaters->setCurrentIndex(std::max(waters, 0));
    m_placement.restore(settings);
}

void frmTideCurve::Form_Unload()
{
    // The entries and the window's place, in one write of the settings; a
    // save that does not reach the disk is told, once, and closing goes on.
    m_kept.save(m_services, {{WatersKey, cboWaters->currentText()}}, m_placement.values(),
                u"The tide curve's entries"_s);
}

void frmTideCurve::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

bool frmTideCurve::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    m_placement.follow(event);
    return handled;
}

ondal::tide::CurveEntries frmTideCurve::entries() const
{
    using ondal::tide::Waters;
    return {m_kept.typed(txtDraught),
            m_kept.typed(txtClearance),
            {.blockCoefficient = m_kept.typed(txtBlockCoefficient),
             .speed = m_kept.typed(txtSpeed),
             .waters = cboWaters->currentIndex() == 1 ? Waters::Confined : Waters::Open,
             .airDraught = m_kept.typed(txtAirDraught),
             .verticalClearance = m_kept.typed(txtVerticalClearance),
             .clearanceDatum = m_kept.typed(txtClearanceDatum),
             .overheadMargin = m_kept.typed(txtOverheadMargin)},
            {.tides = m_kept.typed(txtDayTides),
             .date = m_kept.typed(txtDate),
             .tablesZone = m_kept.typed(cboTablesZone->lineEdit()),
             .clockZone = m_kept.typed(cboClockZone->lineEdit())}};
}

bool frmTideCurve::showsNothing() const
{
    return m_worksheet.isBlank() && !ondal::tide::followsDayTides(entries().day);
}

void frmTideCurve::setDayTides(const QString &tides)
{
    // Handed over, it is typed over: a stored entry left out is replaced.
    m_kept.typedOver(txtDayTides);
    txtDayTides->setText(tides);
}

void frmTideCurve::recompute()
{
    // Only texts and a repaint: the window never comes forward by itself.
    // A worksheet with every field empty (closed, or cleared) and no tides
    // of the day give nothing to draw but the hint where to start.
    const bool blank = showsNothing();
    m_reading = ondal::tide::readTide(m_worksheet, entries(), m_services.clock.zone());
    m_lines = blank ? QList<ResultLine>{ResultLine{ResultLine::Kind::Reason, OpenTheWorksheet}}
                    : m_reading.lines;
    // Damaged entries are named first among the reasons, until typed into.
    m_kept.nameLeftOut(m_lines);
    picCurve->setReading(m_reading, blank ? NoWorksheetHint : NoCurveHint);
    ondal::showLines(*lblResults, m_lines);
}

ondal::TideRecord frmTideCurve::record() const
{
    return ondal::tide::tideRecord(m_worksheet, entries(), m_reading, m_lines,
                                   showsNothing() ? NoWorksheetHint : NoCurveHint,
                                   m_services.clock.now());
}

ondal::RecordOutput frmTideCurve::recordOutput() const
{
    return {u"Tide Curve"_s, u"The tide curve"_s, u"Tide curve"_s, ondal::recordPainter(record())};
}

void frmTideCurve::cmdPrint_Click()
{
    ondal::printFromWindow(this, m_services, recordOutput());
}

void frmTideCurve::cmdSavePdf_Click()
{
    ondal::savePdfFromWindow(this, m_services, recordOutput());
}
