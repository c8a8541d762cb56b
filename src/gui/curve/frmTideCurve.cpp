#include "gui/curve/frmTideCurve.h"

#include "core/runtime/MessageBoxService.h"
#include "core/runtime/SettingsStore.h"
#include "gui/curve/TideCurvePlot.h"
#include "gui/shell/ResultLines.h"
#include "gui/worksheet/frmOndal.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;
using ondal::ResultLine;

namespace {

const QString OpenTheWorksheet = u"Open the worksheet (Ondal ▸ Ondal Prediction) and enter the "
                                 u"times and heights of high and low water"_s;
const QString NoWorksheetHint = u"No worksheet open"_s;
const QString NoCurveHint = u"No curve: see the lines below"_s;

// The entries are kept beside the window's place, and written with it.
const QString Section = QString::fromUtf16(ondal::CurveWindowPlacement.section);
const QString WatersKey = u"Waters"_s;

QString application()
{
    return QString::fromUtf16(ondal::ApplicationTitle);
}

} // namespace

frmTideCurve::frmTideCurve(const ondal::WindowServices &services, ondal::ScreenAreas screenAreas,
                           QWidget *parent)
    : QWidget(parent), m_services(services),
      m_placement(*this, ondal::CurveWindowPlacement, std::move(screenAreas))
{
    setObjectName(u"frmTideCurve"_s);
    setWindowTitle(u"Tide Curve"_s);
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);

    createControls();
    // Room for the plot at its smallest beside the lines under it, and still
    // within a 1024×768 screen, or a 1280×1024 one at twice the scale.
    // The width is that of the entries beside the plot at its narrowest.
    const int line = fontMetrics().height();
    setMinimumSize(std::max(36 * line, layout()->minimumSize().width()), 29 * line);
    Form_Load();
    recompute();
}

frmTideCurve::~frmTideCurve() = default;

void frmTideCurve::createControls()
{
    const auto entry = [this](const QString &name, const QString &accessibleName) {
        auto *field = new QLineEdit(this);
        field->setObjectName(name);
        field->setAccessibleName(accessibleName);
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
    // A field with its unit after it, as one row of a form.
    const auto withUnit = [this](QWidget *field, const QString &unit) {
        auto *row = new QHBoxLayout;
        row->addWidget(field);
        if (!unit.isEmpty())
            row->addWidget(new QLabel(unit, this));
        row->addStretch();
        return row;
    };

    txtDraught = entry(u"txtDraught"_s, u"Draught, metres"_s);
    txtClearance = entry(u"txtClearance"_s, u"Under-keel clearance, metres"_s);
    txtClearance->setToolTip(u"Metres, or a share of the draught such as 10 %"_s);
    txtBlockCoefficient = entry(u"txtBlockCoefficient"_s, u"Block coefficient"_s);
    txtSpeed = entry(u"txtSpeed"_s, u"Speed through the water, knots"_s);
    cboWaters = new QComboBox(this);
    cboWaters->setObjectName(u"cboWaters"_s);
    cboWaters->setAccessibleName(u"Waters"_s);
    cboWaters->addItems({u"Open water"_s, u"Confined channel"_s});
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

    picCurve = new ondal::TideCurvePlot(this);
    picCurve->setObjectName(u"picCurve"_s);
    picCurve->setAccessibleName(u"Tide curve"_s);
    picCurve->setFocusPolicy(Qt::NoFocus);

    // Selectable, and read whole by screen readers: a label offers them its
    // name, so the lines go into the description as well.
    lblResults = new QLabel(this);
    lblResults->setObjectName(u"lblResults"_s);
    lblResults->setAccessibleName(u"Results"_s);
    lblResults->setTextFormat(Qt::RichText);
    lblResults->setWordWrap(true);
    lblResults->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblResults->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblResults->setFocusPolicy(Qt::StrongFocus);

    cmdPrint = new QPushButton(u"&Print…"_s, this);
    cmdPrint->setObjectName(u"cmdPrint"_s);
    cmdSavePdf = new QPushButton(u"Save as P&DF…"_s, this);
    cmdSavePdf->setObjectName(u"cmdSavePdf"_s);
    connect(cmdPrint, &QPushButton::clicked, this, &frmTideCurve::cmdPrint_Click);
    connect(cmdSavePdf, &QPushButton::clicked, this, &frmTideCurve::cmdSavePdf_Click);

    // The entries down the left, the plot taking the rest of the width.
    auto *entries = new QVBoxLayout;
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

    // Down the depth entries, then the overhead ones, then the results.
    const QList<QWidget *> order{txtDraught,
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
}

QList<std::pair<QString, QLineEdit *>> frmTideCurve::keptEntries() const
{
    return {{u"Draught"_s, txtDraught},
            {u"Clearance"_s, txtClearance},
            {u"BlockCoefficient"_s, txtBlockCoefficient},
            {u"Speed"_s, txtSpeed},
            {u"AirDraught"_s, txtAirDraught},
            {u"VerticalClearance"_s, txtVerticalClearance},
            {u"ClearanceDatum"_s, txtClearanceDatum},
            {u"OverheadMargin"_s, txtOverheadMargin}};
}

void frmTideCurve::Form_Load()
{
    ondal::SettingsStore &settings = m_services.settings;
    // As typed: read afresh each time they are worked out.
    for (const auto &[key, field] : keptEntries())
        field->setText(settings.get(application(), Section, key, QString()));
    // The waters by name; a name it does not know leaves open water.
    const int waters =
        cboWaters->findText(settings.get(application(), Section, WatersKey, QString()));
    cboWaters->setCurrentIndex(std::max(waters, 0));
    m_placement.restore(settings);
}

void frmTideCurve::Form_Unload()
{
    // The entries and the window's place, in one write of the settings; a
    // save that does not reach the disk is told, once, and closing goes on.
    ondal::SettingsValues values;
    for (const auto &[key, field] : keptEntries())
        values.append({key, field->text()});
    values.append({WatersKey, cboWaters->currentText()});
    if (const std::optional<ondal::SettingsValues> placed = m_placement.values())
        values.append(*placed);
    ondal::SettingsStore &settings = m_services.settings;
    settings.saveAll(application(), Section, values);
    const QString told = ondal::saveMessage(settings, u"The tide curve's entries"_s);
    if (!told.isEmpty())
        m_services.messages.msgBox(told);
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

void frmTideCurve::setWorksheet(frmOndal *worksheet)
{
    for (const QMetaObject::Connection &connection : std::as_const(m_worksheetConnections))
        disconnect(connection);
    m_worksheetConnections.clear();
    m_worksheet = worksheet;
    if (worksheet) {
        m_worksheetConnections << connect(worksheet, &frmOndal::fieldChanged, this,
                                          &frmTideCurve::recompute);
        // A closing worksheet is already half gone when it says so: let go
        // of it before anything reads it.
        m_worksheetConnections << connect(worksheet, &QObject::destroyed, this, [this] {
            m_worksheet = nullptr;
            m_worksheetConnections.clear();
            recompute();
        });
    }
    recompute();
}

frmOndal *frmTideCurve::worksheet() const
{
    return m_worksheet.data();
}

QStringList frmTideCurve::printedEntries() const
{
    using ondal::worksheet::givenText;
    const auto joined = [](const QList<std::pair<QString, QString>> &entries) {
        QStringList parts;
        for (const auto &[label, value] : entries)
            parts << label + u": "_s + value;
        return parts.join(u"     "_s);
    };
    // A clearance given as a share of the draught ("10 %") is printed as one,
    // as the reading takes it.
    const QString clearance = txtClearance->text();
    const std::optional<ondal::tide::Clearance> read =
        ondal::tide::readClearance(clearance).clearance;
    const bool share = read && read->unit == ondal::tide::Clearance::Unit::PercentOfDraught;
    QStringList lines{
        joined({{u"Draught"_s, givenText(txtDraught->text(), u"m")},
                {u"Under-keel clearance"_s, givenText(clearance, share ? u"%" : u"m")}})};
    if (!txtBlockCoefficient->text().trimmed().isEmpty() || !txtSpeed->text().trimmed().isEmpty())
        lines << joined({{u"Block coefficient"_s, givenText(txtBlockCoefficient->text(), {})},
                         {u"Speed through the water"_s, givenText(txtSpeed->text(), u"kn")},
                         {u"Waters"_s, cboWaters->currentText()}});
    const QList<QLineEdit *> overhead{txtAirDraught, txtVerticalClearance, txtClearanceDatum,
                                      txtOverheadMargin};
    if (std::any_of(overhead.cbegin(), overhead.cend(),
                    [](const QLineEdit *field) { return !field->text().trimmed().isEmpty(); }))
        lines << joined(
            {{u"Air draught"_s, givenText(txtAirDraught->text(), u"m")},
             {u"Charted vertical clearance"_s, givenText(txtVerticalClearance->text(), u"m")},
             {u"Clearance datum"_s, givenText(txtClearanceDatum->text(), u"m")},
             {u"Overhead margin"_s, givenText(txtOverheadMargin->text(), u"m")}});
    return lines;
}

ondal::tide::CurveEntries frmTideCurve::entries() const
{
    using ondal::tide::Waters;
    return {txtDraught->text(),
            txtClearance->text(),
            {.blockCoefficient = txtBlockCoefficient->text(),
             .speed = txtSpeed->text(),
             .waters = cboWaters->currentIndex() == 1 ? Waters::Confined : Waters::Open,
             .airDraught = txtAirDraught->text(),
             .verticalClearance = txtVerticalClearance->text(),
             .clearanceDatum = txtClearanceDatum->text(),
             .overheadMargin = txtOverheadMargin->text()}};
}

void frmTideCurve::recompute()
{
    // Only texts and a repaint: the window never comes forward by itself.
    const frmOndal *sheet = m_worksheet.data();
    m_reading = ondal::tide::readTide(sheet, entries());
    m_lines = sheet ? m_reading.lines
                    : QList<ResultLine>{ResultLine{ResultLine::Kind::Reason, OpenTheWorksheet}};
    picCurve->setReading(m_reading, sheet ? NoCurveHint : NoWorksheetHint);
    ondal::showLines(*lblResults, m_lines);
}

ondal::TideRecord frmTideCurve::record() const
{
    ondal::TideRecord record;
    record.made = QDateTime::currentDateTime();
    record.worksheetOpen = !m_worksheet.isNull();
    if (const frmOndal *sheet = m_worksheet.data())
        record.fields = ondal::worksheet::recordRows(*sheet);
    record.entries = printedEntries();
    record.reading = m_reading;
    record.lines = m_lines;
    record.hint = m_worksheet ? NoCurveHint : NoWorksheetHint;
    if (m_worksheet && m_portHandover.stillHolds(*m_worksheet))
        record.secondaryPort = m_portHandover.working;
    return record;
}

void frmTideCurve::setPortHandover(const ondal::ports::WorksheetHandover &handover)
{
    m_portHandover = handover;
}

void frmTideCurve::cmdPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    ondal::setUpForRecord(printer);
    if (!m_services.dialogs.setUpPrinter(this, printer))
        return;
    const QString failure = ondal::printRecord(printer, record());
    if (!failure.isEmpty()) {
        const QString where =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        m_services.messages.msgBox(u"The tide curve could not be printed on\n%1\n\n%2."_s.arg(
            where, ondal::asSentence(failure)));
    }
}

void frmTideCurve::cmdSavePdf_Click()
{
    // The documents folder, where there is one.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString suggested = QDir(folder).filePath(
        u"Tide curve %1.pdf"_s.arg(QDateTime::currentDateTime().toString(u"yyyy-MM-dd HHmm"_s)));
    const QString fileName = m_services.dialogs.pdfFileName(this, suggested);
    if (fileName.isEmpty())
        return;
    const QString failure = ondal::saveRecordAsPdf(fileName, record());
    if (!failure.isEmpty())
        m_services.messages.msgBox(
            u"The tide curve could not be saved as PDF in the file\n%1\n\n%2."_s.arg(
                QDir::toNativeSeparators(fileName), ondal::asSentence(failure)));
}
