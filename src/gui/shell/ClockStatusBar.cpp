#include "gui/shell/ClockStatusBar.h"

#include "core/runtime/Twips.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>

namespace {

// Every panel is at least 1440 twips wide.
constexpr int PanelMinimumWidth = ondal::twipsToPixels(1440);

// A time format less its seconds (and milliseconds): the panel changes only
// at the turn of the minute, so seconds would stand still in between. Text
// in quotes is left alone.
QString timeFormatWithoutSeconds(const QString &format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && (c == u's' || c == u'z')) {
            // Seconds and milliseconds go, with the separator before them.
            if (!result.isEmpty() && result.back().isPunct() && result.back() != u'\'')
                result.chop(1);
            continue;
        }
        result += c;
    }
    return result;
}

} // namespace

ClockStatusBar::ClockStatusBar(QWidget *parent, Clock clock)
    : QStatusBar(parent), m_clock(clock ? std::move(clock) : Clock(&QDateTime::currentDateTime))
{
    setObjectName(QStringLiteral("sbStatusBar"));
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setMinimumWidth(PanelMinimumWidth);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_panels[i] = label;
    }
    m_panels[0]->setText(QStringLiteral("Status"));
    addWidget(m_panels[0], 1);
    addPermanentWidget(m_panels[1]);
    addPermanentWidget(m_panels[2]);

    m_turnOfMinute.setSingleShot(true);
    m_turnOfMinute.setTimerType(Qt::PreciseTimer);
    connect(&m_turnOfMinute, &QTimer::timeout, this, &ClockStatusBar::refresh);
    refresh();
}

QString ClockStatusBar::dateText(const QDateTime &moment)
{
    return QLocale().toString(moment.date(), QLocale::ShortFormat);
}

QString ClockStatusBar::timeText(const QDateTime &moment)
{
    const QLocale locale;
    return locale.toString(moment.time(),
                           timeFormatWithoutSeconds(locale.timeFormat(QLocale::ShortFormat)));
}

int ClockStatusBar::msecsToNextMinute(const QTime &moment)
{
    constexpr int Minute = 60 * 1000;
    return Minute - moment.msecsSinceStartOfDay() % Minute;
}

QLabel *ClockStatusBar::panel(int number) const
{
    return number >= 1 && number <= 3 ? m_panels[number - 1] : nullptr;
}

void ClockStatusBar::refresh()
{
    const QDateTime now = m_clock();
    m_panels[1]->setText(dateText(now));
    m_panels[2]->setText(timeText(now));
    // A timer that fires a hair early finds the old minute still running and
    // simply waits the last milliseconds again.
    m_turnOfMinute.start(msecsToNextMinute(now.time()));
}

bool ClockStatusBar::event(QEvent *event)
{
    if (event->type() == QEvent::LocaleChange)
        refresh();
    return QStatusBar::event(event);
}
