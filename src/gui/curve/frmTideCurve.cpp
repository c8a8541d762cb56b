#include "gui/curve/frmTideCurve.h"

#include "core/runtime/Clock.h"
#include "core/tide/CurveRecord.h"
#include "core/worksheet/Worksheet.h"
#include "gui/curve/TideCurvePlot.h"
#include "gui/shell/ResultLines.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

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

} // namespace

frmTideCurve::frmTideCurve(const ondal::WindowServices &services, const ondal::Worksheet &worksheet,
                           ondal::ScreenAreas screenAreas, QWidget *parent)
    : QWidget(parent), m_services(services),
      m_placement(*this, ondal::CurveWindowPlacement, std::move(screenAreas)),
      m_worksheet(worksheet), m_kept(Section)
{
    ondal::setUpOwnWindow(*this, u"frmTideCurve"_s, u"Tide Curve"_s);

    createControls();
    // Room for the plot at its smallest beside the lines under it, and still
    // within a 1024×768 screen, or a 1280×1024 one at twice the scale.
    // The width is that of the entries beside the plot at its narrowest.
    const int line = fontMetrics().height();
    setMinimumSize(std::max(36 * line, layout()->minimumSize().width()), 29 * line);
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
    lblResults = ondal::resultsLabel(this, u"lblResults"_s, u"Results"_s);

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

    m_kept.setEntries(
        {{u"Draught"_s, u"Draught"_s, txtDraught},
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
    // As typed: read afresh each time they are worked out.
    m_kept.load(m_services.settings);
    // The waters by name; a name it does not know leaves open water.
    const int waters = cboWaters->findText(m_kept.stored(m_services.settings, WatersKey));
    cboWaters->setCurrentIndex(std::max(waters, 0));
    m_placement.restore(m_services.settings);
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
    // A damaged entry is read as stored, so that what depends on it is
    // refused rather than worked out as if it were blank.
    return {m_kept.typed(txtDraught),
            m_kept.typed(txtClearance),
            {.blockCoefficient = m_kept.typed(txtBlockCoefficient),
             .speed = m_kept.typed(txtSpeed),
             .waters = cboWaters->currentIndex() == 1 ? Waters::Confined : Waters::Open,
             .airDraught = m_kept.typed(txtAirDraught),
             .verticalClearance = m_kept.typed(txtVerticalClearance),
             .clearanceDatum = m_kept.typed(txtClearanceDatum),
             .overheadMargin = m_kept.typed(txtOverheadMargin)}};
}

void frmTideCurve::recompute()
{
    // Only texts and a repaint: the window never comes forward by itself.
    // A worksheet with every field empty (closed, or cleared) gives nothing
    // to draw but the hint where to start.
    const bool blank = m_worksheet.isBlank();
    m_reading = ondal::tide::readTide(m_worksheet, entries());
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
                                   m_worksheet.isBlank() ? NoWorksheetHint : NoCurveHint,
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
