#include "gui/about/frmAbout.h"

#include "core/runtime/MessageBoxService.h"
#include "core/runtime/Twips.h"
#include "gui/shell/WindowPlacement.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPushButton>

namespace {

using ondal::twipsToPixels;

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
        setGeometry(0, twipsToPixels(2430), twipsToPixels(5865), 3);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(QRect(0, 0, twipsToPixels(5880), 1), Qt::white);
        const int left = twipsToPixels(240);
        painter.fillRect(QRect(left, 1, twipsToPixels(5657) - left, 2), Qt::white);
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

frmAbout::frmAbout(const ondal::AppServices &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_launcher(services.registry, services.files, services.starter, services.messages)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Ondal"));
    setFixedSize(twipsToPixels(0, 0, 5865, 3630).size());
    setModal(true);
    // Black text and a white etched separator only read on a light grey
    // ground: the box keeps that ground whatever the desktop's colour scheme,
    // so a dark theme does not leave its texts black on black.
    setPalette(QPalette(QColor(0xF0, 0xF0, 0xF0)));

    // Created in focus order: OK first, so it has the focus on opening.
    cmdOK = makeButton(this, "cmdOK", QStringLiteral("OK"), twipsToPixels(4245, 2625, 1467, 345));
    cmdOK->setDefault(true);
    cmdSysInfo = makeButton(this, "cmdSysInfo", QStringLiteral("&System Info..."),
                            twipsToPixels(4260, 3075, 1452, 345));
    setTabOrder(cmdOK, cmdSysInfo);

    // The title and the version are set at load.
    lblTitle = makeLabel(this, "lblTitle", QString(), twipsToPixels(1050, 240, 4092, 480), true);
    lblVersion =
        makeLabel(this, "lblVersion", QString(), twipsToPixels(1050, 780, 4092, 225), false);
    lblDescription = makeLabel(this, "lblDescription",
                               QStringLiteral("Harbourlight Nautical Software\n"
                                              "7 Chandlers' Wharf, Port Wenlow\n"
                                              "Westerhaven WH9 2TD\n"
                                              "Tel. 01632 960471   Fax 01632 960472"),
                               twipsToPixels(1050, 1125, 4092, 1170), true);
    lblDisclaimer = makeLabel(this, "lblDisclaimer",
                              QStringLiteral("Copyright 2001 Maren Tollivan and Idris Penhallow "
                                             "for Harbourlight Nautical Software."),
                              twipsToPixels(255, 2625, 3150, 825), true);
    Line1 = new EtchedLine(this);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load()
{
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(ONDAL_VERSION_MAJOR)
                            .arg(ONDAL_VERSION_MINOR)
                            .arg(ONDAL_VERSION_PATCH));
    lblTitle->setText(QString::fromUtf16(ondal::ApplicationTitle));
    cmdOK->setFocus();
    m_loaded = true;
}

void frmAbout::showEvent(QShowEvent *event)
{
    // Shown again after a close: load afresh, before the box is drawn.
    if (!m_loaded)
        Form_Load();
    m_framed = false;
    centreOverOwner();
    QDialog::showEvent(event);
}

bool frmAbout::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
    case QEvent::UpdateRequest:
        if (!m_framed && isVisible() && frameGeometry() != geometry()) {
            m_framed = true;
            centreOverOwner();
        }
        break;
    default:
        break;
    }
    return handled;
}

void frmAbout::centreOverOwner()
{
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible())
        return;
    const QRect ownerOuter = owner->frameGeometry();
    const QSize outer = frameGeometry() != geometry()
                            ? frameGeometry().size()
                            : size().grownBy(ondal::frameMarginsOf(*owner));
    const QPoint topLeft = ownerOuter.center() - QPoint(outer.width() / 2, outer.height() / 2);
    // The position of a window is that of its frame.
    if (pos() != topLeft)
        move(topLeft);
}

void frmAbout::done(int result)
{
    m_loaded = false;
    QDialog::done(result);
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
    m_launcher.startSysInfo();
}

bool frmAbout::GetKeyValue(std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                           QString &KeyVal)
{
    return m_launcher.getKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}
