#pragma once

#include "core/worksheet/Worksheet.h"
#include "gui/shell/WindowPlacement.h"
#include "gui/shell/WindowServices.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QRect>

class frmOndal;
class frmSecondaryPort;
class frmTidalStream;
class frmTideCurve;

// The application's main window: the menus that open the worksheet, the tide
// curve, the secondary port, the tidal stream and the About box, the status bar, and the
// placement kept between runs. It owns the worksheet model that every window
// is handed. Closing it closes every other window of the program and saves
// the placement.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    // The usable areas of the screens, in pixels of the virtual desktop.
    using ScreenAreas = ondal::ScreenAreas;

    // Restores the placement from the services' settings store before the
    // window is first shown, and hands the services on to the windows it
    // opens. The screen areas default to those of the screens attached now.
    explicit frmMain(const ondal::WindowServices &services, ScreenAreas screenAreas = {},
                     QWidget *parent = nullptr);
    ~frmMain() override;

    // The worksheet model every window shares.
    ondal::Worksheet &worksheetModel() { return m_worksheetModel; }
    // The worksheet while it is open, else nullptr.
    frmOndal *worksheet() const;
    // The tide curve window while it is open, else nullptr.
    frmTideCurve *curve() const;
    // The secondary port window while it is open, else nullptr.
    frmSecondaryPort *secondaryPort() const;
    // The tidal stream window while it is open, else nullptr.
    frmTidalStream *stream() const;

public slots:
    void Form_Load();
    void Form_Unload(int &Cancel);
    void mnuOndal_Click();
    void mnuCurve_Click();
    void mnuSecondary_Click();
    void mnuStream_Click();
    void mnuHelpAbout_Click();
    // Opens the tide curve as from the menu, or brings it forward, and hands
    // it the tides of the day another window has worked out.
    void showDayTidesInCurve(const QString &tides);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();

    const ondal::WindowServices m_services;
    ondal::Worksheet m_worksheetModel;
    ondal::WindowPlacement m_placement;
    QPointer<frmOndal> m_worksheet;
    QPointer<frmTideCurve> m_curve;
    QPointer<frmSecondaryPort> m_secondary;
    QPointer<frmTidalStream> m_stream;
    // The program's other windows in the order they were opened.
    QList<QPointer<QWidget>> m_openWindows;
};
