#pragma once

#include "core/lists/ListStore.h"
#include "core/ports/PortList.h"
#include "core/shell/AppServices.h"
#include "gui/curve/RecordDialogs.h"
#include "gui/shell/WindowServices.h"
#include "support/FakePlatform.h"
#include "support/MemoryStore.h"
#include "support/RecordingMessages.h"

#include <QPrinter>
#include <QTemporaryDir>

namespace ondal::test {

// Dialogs that answer at once, as a test has set them, and note what they
// were asked: "pdf <suggested name>" or "printer".
class FakeDialogs final : public RecordDialogs
{
public:
    QString pdfAnswer; // empty: the user cancels
    // Where set, the printer prints into this PDF file; else the user cancels.
    QString printToFile;
    QStringList asked;

    QString pdfFileName(QWidget *, const QString &suggested) override
    {
        asked << QStringLiteral("pdf ") + suggested;
        return pdfAnswer;
    }
    bool setUpPrinter(QWidget *, QPrinter &printer) override
    {
        asked << QStringLiteral("printer");
        if (printToFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToFile);
        return true;
    }
};

// Every service a window takes, faked: messages are recorded, settings kept
// in memory, the ports kept in a scratch folder, and the registry, file
// test, program start and dialogs answer as a test sets them up. Hand services() or
// windowServices() to a window as main() hands it the real ones.
struct FakeServices
{
    RecordingMessages messages;
    MemoryStore settings;
    FakeRegistry registry;
    FakeFileTest files;
    FakeStarter starter;
    FakeDialogs dialogs;
    QTemporaryDir data;
    lists::ListStore ports{data.filePath(QString::fromUtf16(ondal::ports::PortsFileName)),
                           ondal::ports::portListKind()};

    AppServices services() { return {messages, settings, registry, files, starter, ports}; }
    WindowServices windowServices() { return {services(), dialogs}; }
    // The same with a settings store of the test's own choosing.
    WindowServices windowServices(SettingsStore &store)
    {
        return {{messages, store, registry, files, starter, ports}, dialogs};
    }
};

} // namespace ondal::test
