#include "core/runtime/TableTime.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ondal {
namespace {

bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// Hours and minutes as the tables print them; a clock time needs at least
// three digits run together ("638"), so that "6" is never read as 00:06.
TableTime readTableForm(const QString &text, bool isDifference)
{
    QString rest = text.trimmed();
    if (rest.isEmpty())
        return {};
    int sign = 1;
    if (isDifference &&
        (rest.front() == u'+' || rest.front() == u'-' || rest.front() == u'\u2212')) {
        sign = rest.front() == u'+' ? 1 : -1;
        rest.remove(0, 1);
    }
    QStringView hours;
    QStringView minutes;
    const QStringView view(rest);
    const qsizetype colon = view.indexOf(u':');
    if (colon >= 0) {
        hours = view.left(colon);
        minutes = view.mid(colon + 1);
        if (hours.size() > 2 || !allDigits(hours) || minutes.size() != 2 || !allDigits(minutes))
            return {TableTime::NotATime, 0};
    } else {
        const qsizetype least = isDifference ? 1 : 3;
        if (view.size() < least || view.size() > 4 || !allDigits(view))
            return {TableTime::NotATime, 0};
        hours = view.first(std::max<qsizetype>(0, view.size() - 2));
        minutes = view.last(std::min<qsizetype>(2, view.size()));
    }
    const int h = hours.isEmpty() ? 0 : hours.toInt();
    const int m = minutes.toInt();
    if (h > 23 || m > 59)
        return {TableTime::NotATime, 0};
    return {TableTime::Read, sign * (h * 60 + m)};
}

} // namespace

TableTime readClockTime(const QString &text)
{
    return readTableForm(text, false);
}

TableTime readTimeDifference(const QString &text)
{
    return readTableForm(text, true);
}

} // namespace ondal
