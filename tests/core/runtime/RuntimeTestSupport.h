#pragma once

#include "core/runtime/RuntimeError.h"
#include "support/RecordingMessages.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <utility>

namespace ondal::test {

// Pins the default locale for the life of the guard and puts the old one back.
class LocaleGuard
{
public:
    explicit LocaleGuard(const QLocale &locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(m_previous); }
    LocaleGuard(const LocaleGuard &) = delete;
    LocaleGuard &operator=(const LocaleGuard &) = delete;

private:
    QLocale m_previous;
};

inline QLocale german()
{
    return QLocale(QLocale::German, QLocale::Germany);
}

// The run-time error number a call raises, 0 when it returns normally.
template <typename Call> int errorOf(Call &&call)
{
    try {
        std::forward<Call>(call)();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

// A double written with all 17 digits, so comparisons are exact rather than
// QCOMPARE's fuzzy ones, and a failure shows both values in full.
inline QString exact(double value)
{
    return QString::number(value, 'g', 17);
}

} // namespace ondal::test
