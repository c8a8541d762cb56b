#pragma once

#include "core/lists/ListStore.h"
#include "core/ports/PortList.h"
#include "core/runtime/Clock.h"
#include "core/shell/AppServices.h"
#include "core/streams/StreamTable.h"
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

// A clock that stands still at the time set, in the zone set (UTC unless
// told).
class FixedClock final : public Clock
{
public:
    QDateTime at = QDateTime(QDate(2026, 6, 14), QTime(9, 30), QTimeZone::utc());
    QTimeZone home = QTimeZone::utc();

    QDateTime now() const override { return at; }
    QTimeZone zone() const override { return home; }
};

// Every service a window takes, faked: messages are recorded, settings kept
// in memory, the clock stands still, the user's folders are temporary ones
// of their own with the ports and the stations kept in the data folder, and
// the registry, file test, program start and dialogs answer as a test sets
// them up. Hand services() or windowServices() to a window as main() hands it
// the real ones.
struct FakeServices
{
    RecordingMessages messages;
    MemoryStore settings;
    FakeRegistry registry;
    FakeFileTest files;
    FakeStarter starter;
    FakeDialogs dialogs;
    FixedClock clock;
    QTemporaryDir data;
    QTemporaryDir documents;
    lists::ListStore ports{data.filePath(QString::fromUtf16(ondal::ports::PortsFileName)),
                           ondal::ports::portListKind(), writeWholeFile,
                           [this] { return clock.now(); }};
    lists::ListStore stations{data.filePath(QString::fromUtf16(ondal::streams::StationsFileName)),
                              ondal::streams::stationListKind(), writeWholeFile,
                              [this] { return clock.now(); }};

    UserFolders folders() const { return {data.path(), documents.path()}; }
    AppServices services()
    {
        return {messages, settings, registry, files, starter, clock, folders(), ports, stations};
    }
    WindowServices windowServices() { return {services(), dialogs}; }
    // The same with a settings store of the test's own choosing.
    WindowServices windowServices(SettingsStore &store)
    {
        return {{messages, store, registry, files, starter, clock, folders(), ports, stations},
                dialogs};
    }
};

} // namespace ondal::test
