#include "gui/ports/frmSecondaryPort.h"

#include "core/ports/PortHandover.h"
#include "core/ports/PortList.h"
#include "core/runtime/MessageBoxService.h"
#include "core/runtime/ValueReader.h"
#include "core/tide/DayTides.h"
#include "core/worksheet/Worksheet.h"
#include "gui/shell/AccessKeys.h"
#include "gui/shell/ResultLines.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using ondal::ports::PortTable;
using ondal::ports::PortValue;
using ondal::ports::PortValues;

namespace {

// The field that holds a key of the list of ports, as a screen reader
// names it.
QString portFieldName(const QString &key)
{
    for (const PortValue &value : PortValues) {
        if (QString::fromUtf16(value.key) == key)
            return QString::fromUtf16(value.accessibleName);
    }
    return u"Secondary port"_s;
}

} // namespace

frmSecondaryPort::frmSecondaryPort(const ondal::WindowServices &services,
                                   ondal::Worksheet &worksheet, ondal::ScreenAreas screenAreas,
                                   QWidget *parent)
    : QWidget(parent), m_services(services),
      m_placement(*this, ondal::SecondaryWindowPlacement, std::move(screenAreas)),
      m_worksheet(worksheet), m_ports(services.ports),
      m_prompts(services.messages, services.ports,
                u"Type the secondary port's name before saving it."_s, portFieldName)
{
    ondal::setUpOwnWindow(*this, u"frmSecondaryPort"_s, u"Secondary Port"_s);

    createControls();
    // Another Ondal may have saved ports since this one started.
    m_prompts.attach(*cboPort, *lblPortFile);
    ondal::guardAccessKeys(*this);
    m_placement.restore(m_services.settings);
    recompute();
}

frmSecondaryPort::~frmSecondaryPort() = default;

void frmSecondaryPort::createControls()
{
    const auto field = [this](const QString &name, const QString &accessibleName,
                              const QString &widest, const QString &placeholder = {}) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setAccessibleName(accessibleName);
        edit->setPlaceholderText(placeholder);
        const int width = edit->fontMetrics().horizontalAdvance(widest) + 16;
        edit->setMinimumWidth(width);
        if (name == u"txtStandardPort"_s) {
            edit->setMaxLength(ondal::lists::NameFieldLength);
        } else if (name == u"txtStdDayTides"_s) {
            edit->setMaxLength(ondal::tide::DayTidesFieldLength);
        } else {
            edit->setMaxLength(ondal::ValueFieldLength);
            edit->setMaximumWidth(width * 3 / 2);
        }
        connect(edit, &QLineEdit::textChanged, this, &frmSecondaryPort::recompute);
        return edit;
    };
    const auto label = [this](const QString &caption, QWidget *buddy = nullptr) {
        auto *shown = new QLabel(caption, this);
        shown->setBuddy(buddy);
        return shown;
    };

    cboPort = new QComboBox(this);
    cboPort->setObjectName(u"cboPort"_s);
    cboPort->setAccessibleName(u"Secondary port"_s);
    connect(cboPort, &QComboBox::activated, this, &frmSecondaryPort::cboPort_Activated);
    connect(cboPort, &QComboBox::editTextChanged, this, &frmSecondaryPort::recompute);

    // The table's fields, made in the order a printed row reads, so that
    // Tab follows the line left to right.
    for (const PortValue &value : PortValues) {
        const QString name = QString::fromUtf16(value.objectName);
        const bool isTime = name.contains(u"Time"_s);
        const bool isDifference = name.contains(u"Diff"_s);
        const bool isName = name == u"txtStandardPort"_s;
        const QString widest = isName ? u"Standard port name"_s : u"+00:00"_s;
        const QString placeholder =
            isName ? QString() : (isTime ? u"hhmm"_s : (isDifference ? u"±"_s : u"m"_s));
        m_tableFields.insert(
            name, field(name, QString::fromUtf16(value.accessibleName), widest, placeholder));
    }
    const auto tableField = [this](const char16_t *name) {
        return m_tableFields.value(QString::fromUtf16(name));
    };

    auto *names = new QHBoxLayout;
    names->addWidget(label(u"Secondary &port"_s, cboPort));
    names->addWidget(cboPort, 2);
    names->addSpacing(16);
    names->addWidget(label(u"S&tandard port"_s, tableField(u"txtStandardPort")));
    names->addWidget(tableField(u"txtStandardPort"), 2);

    // The tables' own row: the times with their differences, then the
    // heights with theirs.
    auto *tableBox = new QGroupBox(u"Tide table"_s, this);
    auto *grid = new QGridLayout(tableBox);
    grid->addWidget(new QLabel(u"High water"_s, tableBox), 0, 1, 1, 2, Qt::AlignCenter);
    grid->addWidget(new QLabel(u"Low water"_s, tableBox), 0, 3, 1, 2, Qt::AlignCenter);
    grid->setColumnMinimumWidth(5, 16);
    const char16_t *heads[] = {u"MHWS", u"MHWN", u"MLWN", u"MLWS"};
    for (int i = 0; i < 4; ++i)
        grid->addWidget(new QLabel(QString::fromUtf16(heads[i]), tableBox), 0, 6 + i,
                        Qt::AlignCenter);
    grid->addWidget(new QLabel(u"Standard port"_s, tableBox), 1, 0);
    grid->addWidget(new QLabel(u"Differences"_s, tableBox), 2, 0);
    const char16_t *row1[] = {u"txtHwTime1", u"txtHwTime2", u"txtLwTime1", u"txtLwTime2", nullptr,
                              u"txtMhws",    u"txtMhwn",    u"txtMlwn",    u"txtMlws"};
    const char16_t *row2[] = {u"txtHwDiff1",  u"txtHwDiff2",  u"txtLwDiff1",
                              u"txtLwDiff2",  nullptr,        u"txtMhwsDiff",
                              u"txtMhwnDiff", u"txtMlwnDiff", u"txtMlwsDiff"};
    for (int i = 0; i < 9; ++i) {
        if (row1[i]) {
            grid->addWidget(tableField(row1[i]), 1, 1 + i);
            grid->addWidget(tableField(row2[i]), 2, 1 + i);
        }
    }
    grid->addWidget(new QLabel(u"m"_s, tableBox), 1, 10);
    grid->addWidget(new QLabel(u"m"_s, tableBox), 2, 10);
    auto *seasonal = new QHBoxLayout;
    seasonal->addWidget(
        label(u"Seasonal change: standard port"_s, tableField(u"txtSeasonalStandard")));
    seasonal->addWidget(tableField(u"txtSeasonalStandard"));
    seasonal->addWidget(label(u"m, secondary port"_s, tableField(u"txtSeasonalSecondary")));
    seasonal->addWidget(tableField(u"txtSeasonalSecondary"));
    seasonal->addWidget(label(u"m"_s));
    seasonal->addStretch(1);
    grid->addLayout(seasonal, 3, 0, 1, 11);
    grid->setColumnStretch(11, 1);

    // The day's predictions at the standard port.
    auto *dayBox = new QGroupBox(u"Standard port's tides for the day"_s, this);
    txtStdHwTime =
        field(u"txtStdHwTime"_s, u"Standard port high water time"_s, u"00:00"_s, u"hhmm"_s);
    txtStdHwHeight =
        field(u"txtStdHwHeight"_s, u"Standard port high water height"_s, u"00.00"_s, u"m"_s);
    txtStdLwTime =
        field(u"txtStdLwTime"_s, u"Standard port low water time"_s, u"00:00"_s, u"hhmm"_s);
    txtStdLwHeight =
        field(u"txtStdLwHeight"_s, u"Standard port low water height"_s, u"00.00"_s, u"m"_s);
    // The day's list as the tables print it, wider than the values.
    txtStdDayTides =
        field(u"txtStdDayTides"_s, u"Standard port's tides of the day"_s,
              u"0000 0.0  0000 0.0  0000 0.0  0000 0.0"_s, u"0638 4.2  1300 0.75  …"_s);
    txtStdDayTides->setToolTip(u"Time then height, tide after tide, as the tables print them"_s);
    auto *dayRows = new QVBoxLayout(dayBox);
    auto *day = new QHBoxLayout;
    dayRows->addLayout(day);
    auto *dayList = new QHBoxLayout;
    dayList->addWidget(label(u"Standard port's tides of the da&y"_s, txtStdDayTides));
    dayList->addWidget(txtStdDayTides, 1);
    dayRows->addLayout(dayList);
    day->addWidget(label(u"&High water"_s, txtStdHwTime));
    day->addWidget(txtStdHwTime);
    day->addWidget(txtStdHwHeight);
    day->addWidget(label(u"m"_s));
    day->addSpacing(24);
    day->addWidget(label(u"&Low water"_s, txtStdLwTime));
    day->addWidget(txtStdLwTime);
    day->addWidget(txtStdLwHeight);
    day->addWidget(label(u"m"_s));
    day->addStretch();

    // Selectable, and read whole by screen readers: a label offers them its
    // name, so the lines go into the description as well.
    lblPortResults = ondal::resultsLabel(this, u"lblPortResults"_s, u"Secondary port results"_s);
    lblPortResults->setLeastHeight(lblPortResults->fontMetrics().lineSpacing() * 6);

    lblPortFile = new QLabel(this);
    lblPortFile->setObjectName(u"lblPortFile"_s);
    lblPortFile->setWordWrap(true);
    lblPortFile->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cmdSavePort = new QPushButton(u"Sa&ve Port"_s, this);
    cmdSavePort->setObjectName(u"cmdSavePort"_s);
    cmdDeletePort = new QPushButton(u"&Delete Port"_s, this);
    cmdDeletePort->setObjectName(u"cmdDeletePort"_s);
    cmdUseInWorksheet = new QPushButton(u"&Use in Worksheet"_s, this);
    cmdUseInWorksheet->setObjectName(u"cmdUseInWorksheet"_s);
    connect(cmdSavePort, &QPushButton::clicked, this, &frmSecondaryPort::cmdSavePort_Click);
    connect(cmdDeletePort, &QPushButton::clicked, this, &frmSecondaryPort::cmdDeletePort_Click);
    connect(cmdUseInWorksheet, &QPushButton::clicked, this,
            &frmSecondaryPort::cmdUseInWorksheet_Click);
    cmdUseInCurve = new QPushButton(u"Use in Tide &Curve"_s, this);
    cmdUseInCurve->setObjectName(u"cmdUseInCurve"_s);
    connect(cmdUseInCurve, &QPushButton::clicked, this, &frmSecondaryPort::cmdUseInCurve_Click);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSavePort);
    buttons->addWidget(cmdDeletePort);
    buttons->addStretch();
    buttons->addWidget(cmdUseInWorksheet);
    buttons->addWidget(cmdUseInCurve);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(names);
    layout->addWidget(tableBox);
    layout->addWidget(dayBox);
    layout->addWidget(lblPortResults, 1);
    layout->addWidget(lblPortFile);
    layout->addLayout(buttons);

    // Tab runs as the tables are printed and copied: the standard port's
    // row left to right, the times then the heights, then the differences'
    // row, then the seasonal changes and the day's tides.
    const char16_t *order[] = {u"cboPort",
                               u"txtStandardPort",
                               u"txtHwTime1",
                               u"txtHwTime2",
                               u"txtLwTime1",
                               u"txtLwTime2",
                               u"txtMhws",
                               u"txtMhwn",
                               u"txtMlwn",
                               u"txtMlws",
                               u"txtHwDiff1",
                               u"txtHwDiff2",
                               u"txtLwDiff1",
                               u"txtLwDiff2",
                               u"txtMhwsDiff",
                               u"txtMhwnDiff",
                               u"txtMlwnDiff",
                               u"txtMlwsDiff",
                               u"txtSeasonalStandard",
                               u"txtSeasonalSecondary",
                               u"txtStdHwTime",
                               u"txtStdHwHeight",
                               u"txtStdLwTime",
                               u"txtStdLwHeight",
                               u"txtStdDayTides",
                               u"lblPortResults",
                               u"cmdSavePort",
                               u"cmdDeletePort",
                               u"cmdUseInWorksheet",
                               u"cmdUseInCurve"};
    QWidget *previous = nullptr;
    for (const char16_t *name : order) {
        QWidget *next = findChild<QWidget *>(QString::fromUtf16(name));
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

PortTable frmSecondaryPort::table() const
{
    PortTable table;
    table.name = cboPort->currentText();
    for (const PortValue &value : PortValues)
        table.*value.member = m_tableFields.value(QString::fromUtf16(value.objectName))->text();
    return table;
}

ondal::ports::StandardTides frmSecondaryPort::standardTides() const
{
    return {txtStdHwTime->text(), txtStdHwHeight->text(), txtStdLwTime->text(),
            txtStdLwHeight->text()};
}

void frmSecondaryPort::cboPort_Activated(int index)
{
    if (index < 0 || index >= m_ports.entries().size() ||
        !m_prompts.fitsFields(m_ports.entries().at(index)))
        return;
    const PortTable port = ondal::ports::toPort(m_ports.entries().at(index));
    for (const PortValue &value : PortValues)
        m_tableFields.value(QString::fromUtf16(value.objectName))->setText(port.*value.member);
    recompute();
}

void frmSecondaryPort::recompute()
{
    const ondal::ports::PortTable port = table();
    const ondal::ports::StandardTides standard = standardTides();
    m_working = ondal::ports::workSecondaryPort(port, standard);
    m_day = ondal::ports::workSecondaryDay(port, txtStdDayTides->text());
    // With only the day's list typed, the prompt for a single high and low
    // water would ask for what is not needed.
    const bool singleGiven =
        !(standard.hwTime + standard.hwHeight + standard.lwTime + standard.lwHeight)
             .trimmed()
             .isEmpty();
    QList<ondal::ResultLine> lines;
    if (singleGiven || m_day.lines.isEmpty())
        lines << m_working.lines;
    lines << m_day.lines;
    ondal::showLines(*lblPortResults, lines);
    cmdUseInWorksheet->setEnabled(m_working.high.has_value() && m_working.low.has_value());
    cmdUseInCurve->setEnabled(!m_day.tides.isEmpty());
    cmdDeletePort->setEnabled(m_prompts.holdsTyped());
}

void frmSecondaryPort::cmdSavePort_Click()
{
    m_prompts.save(ondal::ports::toEntry(table()));
    recompute();
}

void frmSecondaryPort::cmdDeletePort_Click()
{
    // What was typed stays in the fields.
    m_prompts.remove();
    recompute();
}

void frmSecondaryPort::cmdUseInWorksheet_Click()
{
    if (const auto handover = ondal::ports::handOver(table(), m_working)) {
        emit worksheetWanted();
        m_worksheet.handOver(*handover);
    }
}

void frmSecondaryPort::cmdUseInCurve_Click()
{
    // Only the tides worked out whole are handed over, all of them.
    const QString tides = ondal::ports::dayTidesText(m_day);
    if (!tides.isEmpty())
        emit curveTidesWanted(tides);
}

void frmSecondaryPort::closeEvent(QCloseEvent *event)
{
    const QString failure = m_placement.save(m_services.settings);
    if (!failure.isEmpty())
        m_services.messages.msgBox(failure);
    event->accept();
}

bool frmSecondaryPort::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    m_placement.follow(event);
    return handled;
}
