#pragma once

#include <QDateTime>
#include <QStatusBar>
#include <QTimer>

#include <functional>

class QLabel;

// The main window's status bar: a stretching "Status" panel, then the date
// and the time in the user's short formats. The bar keeps the two clock
// panels current itself: one single-shot timer, re-armed after every
// refresh for the next turn of the minute, so the time turns over on the
// minute and the date at midnight.
class ClockStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // The clock defaults to the system's local time.
    explicit ClockStatusBar(QWidget *parent = nullptr, Clock clock = {});

    // Shows the clock's current date and time and waits for the next minute.
    void refresh();

    // The moment in the default locale's short date and short time formats;
    // the time without seconds, which would stand still between refreshes
    // (the C locale's short format has them).
    static QString dateText(const QDateTime &moment);
    static QString timeText(const QDateTime &moment);
    // Milliseconds from the moment to the start of the next minute: 60000
    // exactly on a minute.
    static int msecsToNextMinute(const QTime &moment);

    QLabel *panel(int number) const; // 1 to 3

protected:
    bool event(QEvent *event) override;

private:
    Clock m_clock;
    QLabel *m_panels[3] = {};
    QTimer m_turnOfMinute;
};
