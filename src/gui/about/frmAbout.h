#pragma once

#include "core/about/SysInfoLauncher.h"
#include "core/shell/AppServices.h"

#include <QDialog>
#include <QString>

#include <cstdint>

class QLabel;
class QPushButton;

// The About box: the application's title, version, publisher's address and
// credit line, "OK" to close and "&System Info..." to start the
// system-information tool. Shown modally over the main window. Every close
// unloads it, so every showing loads it afresh.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    // StartSysInfo and GetKeyValue read the services' registry and file test,
    // start through its program starter and report through its message box.
    explicit frmAbout(const ondal::AppServices &services, QWidget *parent = nullptr);
    ~frmAbout() override;

    void StartSysInfo();
    bool GetKeyValue(std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                     QString &KeyVal);

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    // Esc and the title bar's close box end here: they unload the box as
    // "OK" does.
    void reject() override;
    // Every way of closing ends here: the box counts as unloaded.
    void done(int result) override;

    void Form_Load();
    // Puts the box's outer frame centre on its owner's. Until the window
    // manager has framed the box, its frame is taken to be as thick as the
    // owner's; once framed, it is placed again if that was not so.
    void centreOverOwner();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblDescription;
    QLabel *lblDisclaimer;
    QWidget *Line1;

    ondal::SysInfoLauncher m_launcher;
    bool m_loaded = false;
    bool m_framed = false;
};
