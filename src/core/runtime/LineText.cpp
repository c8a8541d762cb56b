#include "core/runtime/LineText.h"

#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

namespace ondal {
namespace {

constexpr double MinutesPerDay = 1440.0;

// A number in the user's format with the given decimals, never "-0.0".
QString fixedText(double value, int decimals)
{
    if (!std::isfinite(value))
        return u"--"_s;
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0.0;
    return locale.toString(value, 'f', decimals);
}

} // namespace

QString clockText(double minutes)
{
    if (!std::isfinite(minutes))
        return u"--:--"_s;
    double ofDay = std::fmod(std::floor(minutes + 0.5), MinutesPerDay);
    if (ofDay < 0.0)
        ofDay += MinutesPerDay;
    const int whole = static_cast<int>(ofDay); // 0 to 1439
    return u"%1:%2"_s.arg(whole / 60, 2, 10, QChar(u'0')).arg(whole % 60, 2, 10, QChar(u'0'));
}

QString dayText(int days)
{
    switch (days) {
    case 0:
        return {};
    case 1:
        return u" next day"_s;
    case -1:
        return u" previous day"_s;
    default:
        break;
    }
    return days > 0 ? u" %1 days later"_s.arg(days) : u" %1 days earlier"_s.arg(-days);
}

QString durationText(double minutes)
{
    const double whole = std::round(minutes);
    const double hours = std::floor(whole / 60.0);
    return u"%1 h %2 min"_s.arg(QString::number(hours, 'f', 0),
                                QString::number(whole - hours * 60.0, 'f', 0));
}

QString heightText(double metres)
{
    return fixedText(metres, 2);
}

QString oneDecimalText(double value)
{
    return fixedText(value, 1);
}

QString limitText(double limit)
{
    const QString digits = QString::number(std::abs(limit), 'f', 0);
    return limit < 0.0 ? u"−"_s + digits : digits;
}

QString ordinalText(int place)
{
    const int lastTwo = std::abs(place) % 100;
    const int last = lastTwo % 10;
    const char16_t *suffix = u"th";
    if (lastTwo < 11 || lastTwo > 13) {
        if (last == 1)
            suffix = u"st";
        else if (last == 2)
            suffix = u"nd";
        else if (last == 3)
            suffix = u"rd";
    }
    return QString::number(place) + QString::fromUtf16(suffix);
}

QString quotedText(const QString &text)
{
    constexpr qsizetype Longest = 15;
    QString shown = text.trimmed();
    if (shown.size() > Longest) {
        qsizetype keep = Longest - 1;
        if (shown.at(keep - 1).isHighSurrogate())
            --keep;
        shown = shown.left(keep) + u'…';
    }
    return u"“%1”"_s.arg(shown);
}

} // namespace ondal
