// Start-up probe, linked only into the benchmark build of ondal and of the
// bare Qt program beside it, so neither program's own source changes.
//
// When the application object is constructed the probe puts an event filter
// on it. On the first paint of the first top-level window (Qt paints a window
// only once the window system has mapped and exposed it) it waits for that
// paint to be flushed to the screen, prints one marker line with the time on
// the monotonic clock, and quits.
//
// With ONDAL_PROBE_WORKSHEET=1 in the environment it goes on instead: it
// triggers the main window's "mnuOndal" action and times the worksheet that
// the action opens, from the trigger and from the worksheet's first Show
// event to its first paint.
//
// Marker lines, all times in nanoseconds of CLOCK_MONOTONIC:
//   ONDAL-PROBE app <t>                       application object constructed
//   ONDAL-PROBE painted <t>                   first top-level window painted
//   ONDAL-PROBE worksheet <trigger> <show> <painted>
//   ONDAL-PROBE worksheet-missing <reason>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

long long monotonicNs()
{
    // steady_clock is CLOCK_MONOTONIC on Linux, the clock of Python's
    // time.monotonic_ns() in the script that reads these lines.
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void mark(const char *text)
{
    std::fprintf(stdout, "ONDAL-PROBE %s\n", text);
    std::fflush(stdout);
}

bool worksheetMode()
{
    const char *value = std::getenv("ONDAL_PROBE_WORKSHEET");
    return value && std::strcmp(value, "1") == 0;
}

class StartupProbe : public QObject
{
public:
    explicit StartupProbe(QObject *parent) : QObject(parent) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Paint && type != QEvent::Show)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget)
            return false;
        QWidget *window = widget->window();

        switch (stage) {
        case Stage::WaitMainPaint:
            if (type == QEvent::Paint) {
                mainWindow = window;
                stage = Stage::Flushing;
                // The repaint that sends this event flushes the backing store
                // before control returns to the event loop.
                QTimer::singleShot(0, this, &StartupProbe::mainPainted);
            }
            break;
        case Stage::WaitWorksheetPaint:
            if (window == mainWindow)
                break;
            if (type == QEvent::Show && window == widget && showNs == 0)
                showNs = monotonicNs();
            if (type == QEvent::Paint) {
                stage = Stage::Flushing;
                QTimer::singleShot(0, this, &StartupProbe::worksheetPainted);
            }
            break;
        case Stage::Flushing:
        case Stage::Done:
            break;
        }
        return false;
    }

private:
    enum class Stage { WaitMainPaint, Flushing, WaitWorksheetPaint, Done };

    void mainPainted()
    {
        char line[64];
        std::snprintf(line, sizeof line, "painted %lld", monotonicNs());
        mark(line);
        if (!worksheetMode()) {
            finish();
            return;
        }
        QAction *action =
            mainWindow ? mainWindow->findChild<QAction *>(QStringLiteral("mnuOndal")) : nullptr;
        if (!action) {
            mark("worksheet-missing no QAction named mnuOndal on the main window");
            finish();
            return;
        }
        stage = Stage::WaitWorksheetPaint;
        // Give up rather than hang if the action opens nothing.
        QTimer::singleShot(10000, this, [this] {
            if (stage == Stage::WaitWorksheetPaint) {
                mark("worksheet-missing nothing was painted within 10 s of the trigger");
                finish();
            }
        });
        triggerNs = monotonicNs();
        action->trigger();
    }

    void worksheetPainted()
    {
        char line[128];
        std::snprintf(line, sizeof line, "worksheet %lld %lld %lld", triggerNs, showNs,
                      monotonicNs());
        mark(line);
        finish();
    }

    void finish()
    {
        stage = Stage::Done;
        QCoreApplication::exit(0);
    }

    Stage stage = Stage::WaitMainPaint;
    QPointer<QWidget> mainWindow;
    long long triggerNs = 0;
    long long showNs = 0;
};

void installStartupProbe()
{
    char line[64];
    std::snprintf(line, sizeof line, "app %lld", monotonicNs());
    mark(line);
    qApp->installEventFilter(new StartupProbe(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installStartupProbe)
