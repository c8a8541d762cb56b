#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <memory>

class QLabel;
class QPushButton;

namespace ondal::platform {
class FileTest;
class ProgramStarter;
class Registry;
} // namespace ondal::platform

// The About box: the application's title, version, publisher's address and
// credit line, "OK" to close and "&System Info..." to start the
// system-information tool. Shown modally over the main window and loaded
// afresh for every showing: build one, exec() it, let it go.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;

    // The services StartSysInfo and GetKeyValue use; this system's by
    // default. Not owned; null keeps the current one.
    void setPlatform(ondal::platform::Registry *registry, ondal::platform::FileTest *files,
                     ondal::platform::ProgramStarter *starter);

    void StartSysInfo();
    bool GetKeyValue(std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                     QString &KeyVal);

private:
    // Esc and the title bar's close box end here: they unload the box as
    // "OK" does.
    void reject() override;

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblDescription;
    QLabel *lblDisclaimer;
    QWidget *Line1;

    struct SystemServices;
    std::unique_ptr<SystemServices> m_system;
    ondal::platform::Registry *m_registry = nullptr;
    ondal::platform::FileTest *m_files = nullptr;
    ondal::platform::ProgramStarter *m_starter = nullptr;
};
