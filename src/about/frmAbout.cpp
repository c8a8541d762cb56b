#include "about/frmAbout.h"

#include "about/SysInfoLauncher.h"
#include "platform/MachineRegistry.h"
#include "platform/SystemServices.h"
#include "runtime/MessageBoxService.h"

#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPushButton>

namespace {

// A rectangle given in twips (15 to a pixel), its edges rounded to pixels.
QRect twips(int left, int top, int width, int height)
{
    const auto px = [](int t) { return qRound(t / 15.0); };
    return QRect(QPoint(px(left), px(top)), QPoint(px(left + width) - 1, px(top + height) - 1));
}

// The etched separator: two white lines, one pixel from (0, 2430) to
// (5880, 2430) and two pixels from (240, 2445) to (5657, 2445), painted in a
// strip whose top is the first line.
class EtchedLine : public QWidget
{
public:
    explicit EtchedLine(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("Line1"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(0, 2430 / 15, 5865 / 15, 3);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(QRect(0, 0, qRound(5880 / 15.0), 1), Qt::white);
        const int left = qRound(240 / 15.0);
        painter.fillRect(QRect(left, 1, qRound(5657 / 15.0) - left, 2), Qt::white);
    }
};

QLabel *makeLabel(QWidget *parent, const char *name, const QString &design, QRect where,
                  bool blackText)
{
    auto *label = new QLabel(design, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(where);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    if (blackText) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    }
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, QRect where)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(where);
    return button;
}

} // namespace

struct frmAbout::SystemServices
{
    std::unique_ptr<ondal::platform::Registry> registry = ondal::platform::makeMachineRegistry();
    ondal::platform::QtFileTest files;
    ondal::platform::QtProgramStarter starter;
};

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_system(std::make_unique<SystemServices>())
{
    m_registry = m_system->registry.get();
    m_files = &m_system->files;
    m_starter = &m_system->starter;

    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Ondal"));
    setFixedSize(5865 / 15, 3630 / 15);
    setModal(true);
    // Black text and a white etched separator only read on a light grey
    // ground: the box keeps that ground whatever the desktop's colour scheme,
    // so a dark theme does not leave its texts black on black.
    setPalette(QPalette(QColor(0xF0, 0xF0, 0xF0)));

    // Created in focus order: OK first, so it has the focus on opening.
    cmdOK = makeButton(this, "cmdOK", QStringLiteral("OK"), twips(4245, 2625, 1467, 345));
    cmdOK->setDefault(true);
    cmdSysInfo = makeButton(this, "cmdSysInfo", QStringLiteral("&System Info..."),
                            twips(4260, 3075, 1452, 345));
    setTabOrder(cmdOK, cmdSysInfo);

    lblTitle = makeLabel(this, "lblTitle", QStringLiteral("Ondal Prediction"),
                         twips(1050, 240, 4092, 480), true);
    lblVersion = makeLabel(this, "lblVersion", QStringLiteral("Version 1.1"),
                           twips(1050, 780, 4092, 225), false);
    lblDescription = makeLabel(this, "lblDescription",
                               QStringLiteral("Harbourlight Nautical Software\n"
                                              "7 Chandlers' Wharf, Port Wenlow\n"
                                              "Westerhaven WH9 2TD\n"
                                              "Tel. 01632 960471   Fax 01632 960472"),
                               twips(1050, 1125, 4092, 1170), true);
    lblDisclaimer = makeLabel(this, "lblDisclaimer",
                              QStringLiteral("Copyright 2001 Maren Tollivan and Idris Penhallow "
                                             "for Harbourlight Nautical Software."),
                              twips(255, 2625, 3150, 825), true);
    Line1 = new EtchedLine(this);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    cmdOK->setFocus();

    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::setPlatform(ondal::platform::Registry *registry, ondal::platform::FileTest *files,
                           ondal::platform::ProgramStarter *starter)
{
    if (registry)
        m_registry = registry;
    if (files)
        m_files = files;
    if (starter)
        m_starter = starter;
}

void frmAbout::Form_Load()
{
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(ONDAL_VERSION_MAJOR)
                            .arg(ONDAL_VERSION_MINOR)
                            .arg(ONDAL_VERSION_PATCH));
    lblTitle->setText(QString::fromUtf16(ondal::ApplicationTitle));
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::reject()
{
    cmdOK_Click();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    ondal::SysInfoLauncher(*m_registry, *m_files, *m_starter, ondal::MessageBoxService::current())
        .startSysInfo();
}

bool frmAbout::GetKeyValue(std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                           QString &KeyVal)
{
    return ondal::SysInfoLauncher(*m_registry, *m_files, *m_starter,
                                  ondal::MessageBoxService::current())
        .getKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}
