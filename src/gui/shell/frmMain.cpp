#include "gui/shell/frmMain.h"

#include "core/runtime/Clock.h"
#include "core/runtime/MessageBoxService.h"
#include "core/runtime/Twips.h"
#include "core/shell/Placement.h"
#include "gui/about/frmAbout.h"
#include "gui/curve/frmTideCurve.h"
#include "gui/ports/frmSecondaryPort.h"
#include "gui/shell/ClockStatusBar.h"
#include "gui/streams/frmTidalStream.h"
#include "gui/worksheet/frmOndal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>

namespace {

// The design client area, 6585 by 5715 twips; the placement replaces it at
// load, before the window is shown.
constexpr QSize DesignClientSize = ondal::twipsToPixels(0, 0, 6585, 5715).size();

// Shows a window of the program in its normal state, raised and active: a
// window the user has minimized comes back as it was, fields and all.
void bringForward(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

bool isProgramWindow(const QWidget *widget)
{
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

} // namespace

frmMain::frmMain(const ondal::WindowServices &services, ScreenAreas screenAreas, QWidget *parent)
    : QMainWindow(parent), m_services(services),
      m_placement(*this, ondal::MainWindowPlacement, std::move(screenAreas))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Brinestar Version 1.1 for Velorans"));

    createMenus();

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    // Line1: one pixel along the top of the client area, just under the
    // menu bar, in the window-background colour (the ground of text fields),
    // 6600 twips long.
    auto *line = new QWidget(client);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(0, 0, ondal::twipsToPixels(6600), 1);
    line->setBackgroundRole(QPalette::Base);
    line->setAutoFillBackground(true);
    setCentralWidget(client);

    // The status bar's date and time come from the clock the program is
    // handed, as every other window's "now" does.
    setStatusBar(new ClockStatusBar(this, [&clock = m_services.clock] { return clock.now(); }));

    resize(DesignClientSize);
    // Every window the program opens is noted as it opens, so closing can
    // close them again, last opened first.
    qApp->installEventFilter(this);

    Form_Load();
}

frmMain::~frmMain()
{
    qApp->removeEventFilter(this);
    delete m_stream.data();
    delete m_secondary.data();
    delete m_curve.data();
    delete m_worksheet.data();
}

void frmMain::createMenus()
{
    QMenu *mnuO = menuBar()->addMenu(QStringLiteral("&Ondal"));
    mnuO->setObjectName(QStringLiteral("mnuO"));
    QAction *mnuOndal = mnuO->addAction(QStringLiteral("Ondal &Prediction"));
    mnuOndal->setObjectName(QStringLiteral("mnuOndal"));
    connect(mnuOndal, &QAction::triggered, this, &frmMain::mnuOndal_Click);
    QAction *mnuSecondary = mnuO->addAction(QStringLiteral("&Secondary Port"));
    mnuSecondary->setObjectName(QStringLiteral("mnuSecondary"));
    connect(mnuSecondary, &QAction::triggered, this, &frmMain::mnuSecondary_Click);
    QAction *mnuCurve = mnuO->addAction(QStringLiteral("Tide &Curve"));
    mnuCurve->setObjectName(QStringLiteral("mnuCurve"));
    connect(mnuCurve, &QAction::triggered, this, &frmMain::mnuCurve_Click);
    QAction *mnuStream = mnuO->addAction(QStringLiteral("&Tidal Stream"));
    mnuStream->setObjectName(QStringLiteral("mnuStream"));
    connect(mnuStream, &QAction::triggered, this, &frmMain::mnuStream_Click);

    QMenu *mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction *mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&About "));
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
}

frmOndal *frmMain::worksheet() const
{
    return m_worksheet.data();
}

frmTideCurve *frmMain::curve() const
{
    return m_curve.data();
}

frmSecondaryPort *frmMain::secondaryPort() const
{
    return m_secondary.data();
}

frmTidalStream *frmMain::stream() const
{
    return m_stream.data();
}

void frmMain::Form_Load()
{
    m_placement.restore(m_services.settings);
}

bool frmMain::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    m_placement.follow(event);
    return handled;
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && !event->spontaneous() &&
        watched != this && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow() && isProgramWindow(widget)) {
            m_openWindows.removeAll(QPointer<QWidget>());
            m_openWindows.removeAll(QPointer<QWidget>(widget));
            if (type == QEvent::Show)
                m_openWindows.append(widget);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void frmMain::Form_Unload(int &Cancel)
{
    Q_UNUSED(Cancel); // closing the main window always goes ahead
    // Every other window first, the last opened first.
    const QList<QPointer<QWidget>> windows = m_openWindows;
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (QWidget *window = it->data())
            window->close();
    }
    // A minimized window keeps the placement saved at an earlier exit; a
    // maximized one saves its maximized bounds. A save that does not reach
    // the disk is told, once; closing goes on.
    const QString failure = m_placement.save(m_services.settings);
    if (!failure.isEmpty())
        m_services.messages.msgBox(failure);
}

void frmMain::mnuOndal_Click()
{
    // One worksheet: made on first use, brought forward while it is open,
    // made afresh after the user has closed it.
    if (!m_worksheet)
        m_worksheet = new frmOndal(m_worksheetModel, m_services.messages);
    bringForward(m_worksheet);
}

void frmMain::mnuCurve_Click()
{
    // One tide curve window, kept like the worksheet, following the
    // worksheet's fields.
    if (!m_curve)
        m_curve = new frmTideCurve(m_services, m_worksheetModel, m_placement.screenAreas());
    bringForward(m_curve);
}

void frmMain::mnuSecondary_Click()
{
    // One secondary port window, kept like the tide curve.
    if (!m_secondary) {
        m_secondary = new frmSecondaryPort(m_services, m_worksheetModel, m_placement.screenAreas());
        // The hand-over writes the worksheet's fields; the worksheet opens
        // as from the menu to show them.
        connect(m_secondary, &frmSecondaryPort::worksheetWanted, this, &frmMain::mnuOndal_Click);
        // Its tides of the day go to the tide curve the same way.
        connect(m_secondary, &frmSecondaryPort::curveTidesWanted, this,
                &frmMain::showDayTidesInCurve);
    }
    bringForward(m_secondary);
}

void frmMain::showDayTidesInCurve(const QString &tides)
{
    mnuCurve_Click();
    m_curve->setDayTides(tides);
}

void frmMain::mnuStream_Click()
{
    // One tidal stream window, kept like the tide curve; it reads the
    // worksheet for From Worksheet and never writes it.
    if (!m_stream)
        m_stream = new frmTidalStream(m_services, m_worksheetModel, m_placement.screenAreas());
    bringForward(m_stream);
}

void frmMain::mnuHelpAbout_Click()
{
    // Loaded afresh for every showing, modal and owned by this window;
    // returns once it is closed.
    frmAbout about(m_services, this);
    about.exec();
}
