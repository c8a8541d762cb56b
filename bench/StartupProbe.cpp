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
// With ONDAL_PROBE_CURVE=N it opens the worksheet, fills in a tide, opens the
// tide curve ("mnuCurve") and times it from the trigger to its plot
// ("picCurve") painted; then it makes N edits in the worksheet's high water
// height (Text1), a key press each, alternately typing a digit and taking it
// back, and times each from the key press to the plot repainted. With
// ONDAL_PROBE_CURVE_SIZE=WxH as well, the curve window is first made that
// size, and the edits wait until it is. With ONDAL_PROBE_CURVE_DAY=1 as well,
// the edits go into the curve's "Tides of the day" (txtDayTides) instead,
// filled with nine tides and the draught and clearance for 3.00 m of tide,
// so each key press redraws the whole day's plot with its windows: the last
// height goes 4.0, 4.01, 4.0, ...
//
// Marker lines, all times in nanoseconds of CLOCK_MONOTONIC:
//   ONDAL-PROBE app <t>                       application object constructed
//   ONDAL-PROBE painted <t>                   first top-level window painted
//   ONDAL-PROBE worksheet <trigger> <show> <painted>
//   ONDAL-PROBE worksheet-missing <reason>
//   ONDAL-PROBE curve-open <trigger> <painted>
//   ONDAL-PROBE curve-size <width> <height>      the curve window's, as timed
//   ONDAL-PROBE curve-edit <keypress> <painted>   one line per edit
//   ONDAL-PROBE curve-day                         the edits are in the day's tides
//   ONDAL-PROBE curve-missing <reason>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include <algorithm>
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

// The number of edits to time in the tide curve, 0 when not asked.
int curveEdits()
{
    const char *value = std::getenv("ONDAL_PROBE_CURVE");
    return value ? std::max(0, std::atoi(value)) : 0;
}

// Whether the edits go into the tides of the day.
bool dayMode()
{
    const char *value = std::getenv("ONDAL_PROBE_CURVE_DAY");
    return value && std::strcmp(value, "1") == 0;
}

// The size asked for the curve window, empty when none.
QSize curveSize()
{
    const char *value = std::getenv("ONDAL_PROBE_CURVE_SIZE");
    int width = 0;
    int height = 0;
    if (!value || std::sscanf(value, "%dx%d", &width, &height) != 2)
        return {};
    return {std::clamp(width, 1, 16384), std::clamp(height, 1, 16384)};
}

QWidget *topLevelNamed(const char *name)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(name) && window->isVisible())
            return window;
    }
    return nullptr;
}

// A text typed into the field of that object name.
struct FieldText
{
    const char *field;
    const char *text;
};

// The worked example of the worksheet: high water 14:30, 4.2 m; low water
// 08:20, 0.8 m; required time 11:00; charted sounding 1 m.
constexpr FieldText ExampleTide[] = {
    {"Text1", "4.2"}, {"Text2", "0.8"}, {"Text4", "14"}, {"Text5", "30"}, {"Text6", "8"},
    {"Text7", "20"},  {"Text12", "11"}, {"Text13", "0"}, {"Text19", "1"},
};

// Nine tides, two days and more, as the tables print them, with a draught
// and clearance that need 3.00 m of tide above the 1 m sounding: five
// windows of the day to shade.
constexpr const char *NineTides =
    "0208 4.1 0822 0.9 1431 4.3 2047 0.7 0250 4.2 0905 0.8 1515 4.4 2130 0.6 0335 4.0";
constexpr FieldText DayKeel[] = {{"txtDraught", "3.5"}, {"txtClearance", "0.5"}};

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
        case Stage::WaitCurvePaint:
        case Stage::WaitDayPaint:
            if (type == QEvent::Paint && widget->objectName() == QLatin1String("picCurve")) {
                const bool day = stage == Stage::WaitDayPaint;
                stage = Stage::Flushing;
                QTimer::singleShot(0, this,
                                   day ? &StartupProbe::dayPainted : &StartupProbe::curvePainted);
            }
            break;
        case Stage::Flushing:
        case Stage::Done:
            break;
        }
        return false;
    }

private:
    enum class Stage {
        WaitMainPaint,
        Flushing,
        WaitWorksheetPaint,
        WaitCurvePaint,
        WaitDayPaint,
        Done
    };

    void mainPainted()
    {
        char line[64];
        std::snprintf(line, sizeof line, "painted %lld", monotonicNs());
        mark(line);
        if (curveEdits() > 0) {
            openCurve();
            return;
        }
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

    // Opens the worksheet with the example tide, then the tide curve.
    void openCurve()
    {
        QAction *sheetAction =
            mainWindow ? mainWindow->findChild<QAction *>(QStringLiteral("mnuOndal")) : nullptr;
        QAction *curveAction =
            mainWindow ? mainWindow->findChild<QAction *>(QStringLiteral("mnuCurve")) : nullptr;
        if (!sheetAction || !curveAction) {
            mark("curve-missing no QAction named mnuOndal or mnuCurve on the main window");
            finish();
            return;
        }
        sheetAction->trigger();
        QWidget *sheet = topLevelNamed("frmOndal");
        if (!sheet) {
            mark("curve-missing the worksheet did not open");
            finish();
            return;
        }
        for (const auto &entry : ExampleTide) {
            if (auto *field = sheet->findChild<QLineEdit *>(QLatin1String(entry.field)))
                field->setText(QLatin1String(entry.text));
        }
        edited = sheet->findChild<QLineEdit *>(QStringLiteral("Text1"));
        stage = Stage::WaitCurvePaint;
        QTimer::singleShot(10000, this, [this] {
            if (stage == Stage::WaitCurvePaint) {
                mark("curve-missing the curve was not painted within 10 s");
                finish();
            }
        });
        triggerNs = monotonicNs();
        curveAction->trigger();
        curveWindow = topLevelNamed("frmTideCurve");
        // At the screen's corner, where a window manager lets it have the
        // whole size.
        if (curveWindow && curveSize().isValid())
            curveWindow->setGeometry(QRect(QPoint(0, 0), curveSize()));
    }

    void curvePainted()
    {
        const long long now = monotonicNs();
        char line[128];
        if (editsDone < 0) {
            // Until the window manager has given the window the size asked.
            // The window places itself when first shown: ask again after.
            if (curveWindow && curveSize().isValid() && curveWindow->size() != curveSize()) {
                curveWindow->setGeometry(QRect(QPoint(0, 0), curveSize()));
                stage = Stage::WaitCurvePaint;
                return;
            }
            std::snprintf(line, sizeof line, "curve-open %lld %lld", triggerNs, now);
            mark(line);
            std::snprintf(line, sizeof line, "curve-size %d %d",
                          curveWindow ? curveWindow->width() : 0,
                          curveWindow ? curveWindow->height() : 0);
            if (dayMode()) {
                mark(line);
                fillDay();
                return;
            }
            // The curve window was just activated: give the focus back to
            // the worksheet field, as a user typing there would have it.
            focusEdited();
        } else {
            std::snprintf(line, sizeof line, "curve-edit %lld %lld", triggerNs, now);
        }
        mark(line);
        ++editsDone;
        if (editsDone >= curveEdits() || !edited) {
            finish();
            return;
        }
        // Let the event loop settle, then the next key press.
        QTimer::singleShot(20, this, &StartupProbe::typeOnce);
    }

    void focusEdited()
    {
        if (!edited)
            return;
        edited->window()->activateWindow();
        edited->setFocus();
        edited->end(false);
    }

    // Fills the curve's tides of the day with nine tides and waits for the
    // day's plot, before the edits go there.
    void fillDay()
    {
        auto *field = curveWindow
                          ? curveWindow->findChild<QLineEdit *>(QStringLiteral("txtDayTides"))
                          : nullptr;
        if (!field) {
            mark("curve-missing no field txtDayTides in the tide curve window");
            finish();
            return;
        }
        mark("curve-day");
        for (const FieldText &entry : DayKeel) {
            if (auto *keel = curveWindow->findChild<QLineEdit *>(QLatin1String(entry.field)))
                keel->setText(QLatin1String(entry.text));
        }
        edited = field;
        stage = Stage::WaitDayPaint;
        QTimer::singleShot(10000, this, [this] {
            if (stage == Stage::WaitDayPaint) {
                mark("curve-missing the day's tides were not drawn within 10 s");
                finish();
            }
        });
        field->setText(QLatin1String(NineTides));
    }

    void dayPainted()
    {
        ++editsDone;
        focusEdited();
        QTimer::singleShot(20, this, &StartupProbe::typeOnce);
    }

    // One key press in the edited field: a digit on even edits, Backspace on
    // odd ones, so the height goes 4.2, 4.21, 4.2, ... (4.0, 4.01, ... on the
    // day).
    void typeOnce()
    {
        const bool digit = editsDone % 2 == 0;
        const Qt::Key key = digit ? Qt::Key_1 : Qt::Key_Backspace;
        const QString text = digit ? QStringLiteral("1") : QString();
        stage = Stage::WaitCurvePaint;
        triggerNs = monotonicNs();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(edited, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(edited, &release);
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
    QPointer<QLineEdit> edited;
    QPointer<QWidget> curveWindow;
    int editsDone = -1; // -1 until the curve's first paint
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
