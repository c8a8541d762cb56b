#include "gui/curve/frmTideCurve.h"

#include "core/runtime/MessageBoxService.h"
#include "core/runtime/SettingsStore.h"
#include "core/worksheet/FieldTable.h"
#include "gui/curve/TideCurvePlot.h"
#include "gui/worksheet/frmOndal.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using ondal::tide::TideLine;

namespace {

const QString OpenTheWorksheet = u"Open the worksheet (Ondal ▸ Ondal Prediction) and enter the "
                                 u"times and heights of high and low water"_s;
const QString NoWorksheetHint = u"No worksheet open"_s;
const QString NoCurveHint = u"No curve: see the lines below"_s;

const QString Section = u"Curve"_s;
const QString DraughtKey = u"Draught"_s;
const QString ClearanceKey = u"Clearance"_s;

QString application()
{
    return QString::fromUtf16(ondal::ApplicationTitle);
}

// The lines as rich text: notes and reasons set apart in italics, the
// disclaimer smaller. No colours of its own, so any scheme reads it.
QString linesHtml(const QList<TideLine> &lines)
{
    QStringList html;
    for (const TideLine &line : lines) {
        const QString text = line.text.toHtmlEscaped();
        switch (line.kind) {
        case TideLine::Kind::Note:
        case TideLine::Kind::Reason:
            html << u"<i>%1</i>"_s.arg(text);
            break;
        case TideLine::Kind::Disclaimer:
            html << u"<small>%1</small>"_s.arg(text);
            break;
        case TideLine::Kind::Summary:
        case TideLine::Kind::Result:
            html << text;
            break;
        }
    }
    return u"<div>%1</div>"_s.arg(html.join(u"<br>"_s));
}

QString linesText(const QList<TideLine> &lines)
{
    QStringList text;
    for (const TideLine &line : lines)
        text << line.text;
    return text.join(u'\n');
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
    Form_Load();
    recompute();
}

frmTideCurve::~frmTideCurve() = default;

void frmTideCurve::createControls()
{
    const auto metresField = [this](const QString &name, const QString &accessibleName) {
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

    txtDraught = metresField(u"txtDraught"_s, u"Draught, metres"_s);
    txtClearance = metresField(u"txtClearance"_s, u"Under-keel clearance, metres"_s);
    // The access keys keep clear of the buttons' P and D.
    lblDraught = label(u"lblDraught"_s, u"D&raught"_s, txtDraught);
    lblClearance = label(u"lblClearance"_s, u"Under-keel &clearance"_s, txtClearance);
    QLabel *draughtUnit = label(u"lblDraughtUnit"_s, u"m"_s, nullptr);
    QLabel *clearanceUnit = label(u"lblClearanceUnit"_s, u"m"_s, nullptr);

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

    auto *entries = new QHBoxLayout;
    entries->addWidget(lblDraught);
    entries->addWidget(txtDraught);
    entries->addWidget(draughtUnit);
    entries->addSpacing(24);
    entries->addWidget(lblClearance);
    entries->addWidget(txtClearance);
    entries->addWidget(clearanceUnit);
    entries->addStretch();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdSavePdf);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(entries);
    layout->addWidget(picCurve, 1);
    layout->addWidget(lblResults);
    layout->addLayout(buttons);

    setTabOrder(txtDraught, txtClearance);
    setTabOrder(txtClearance, lblResults);
    setTabOrder(lblResults, cmdPrint);
    setTabOrder(cmdPrint, cmdSavePdf);
}

void frmTideCurve::Form_Load()
{
    ondal::SettingsStore &settings = m_services.settings;
    // As typed: read by the number-entry rule each time they are worked out.
    txtDraught->setText(settings.get(application(), Section, DraughtKey, QString()));
    txtClearance->setText(settings.get(application(), Section, ClearanceKey, QString()));
    m_placement.restore(settings);
}

void frmTideCurve::Form_Unload()
{
    // Everything is saved; the first save that does not reach the disk is
    // told, once, and closing goes on.
    ondal::SettingsStore &settings = m_services.settings;
    const QString what = u"The tide curve's draught and clearance"_s;
    settings.save(application(), Section, DraughtKey, txtDraught->text());
    QString failure = ondal::saveFailure(settings, what);
    settings.save(application(), Section, ClearanceKey, txtClearance->text());
    if (failure.isEmpty())
        failure = ondal::saveFailure(settings, what);
    const QString placementFailure = m_placement.save(settings);
    if (failure.isEmpty())
        failure = placementFailure;
    if (!failure.isEmpty())
        m_services.messages.msgBox(failure);
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

void frmTideCurve::recompute()
{
    // Only texts and a repaint: the window never comes forward by itself.
    const frmOndal *sheet = m_worksheet.data();
    m_reading = ondal::tide::readTide(sheet, txtDraught->text(), txtClearance->text());
    m_lines = sheet ? m_reading.lines
                    : QList<TideLine>{TideLine{TideLine::Kind::Reason, OpenTheWorksheet}};
    picCurve->setReading(m_reading, sheet ? NoCurveHint : NoWorksheetHint);
    lblResults->setText(linesHtml(m_lines));
    lblResults->setAccessibleDescription(linesText(m_lines));
}

ondal::TideRecord frmTideCurve::record() const
{
    ondal::TideRecord record;
    record.made = QDateTime::currentDateTime();
    record.worksheetOpen = !m_worksheet.isNull();
    if (const frmOndal *sheet = m_worksheet.data()) {
        for (const ondal::worksheet::FieldEntry &entry : ondal::worksheet::Fields) {
            const QString text = sheet->text(entry.number).trimmed();
            if (!text.isEmpty())
                record.fields.append({QString::fromUtf16(entry.accessibleName), text});
        }
    }
    record.draught = txtDraught->text();
    record.clearance = txtClearance->text();
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
