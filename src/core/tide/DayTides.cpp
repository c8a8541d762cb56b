#include "core/tide/DayTides.h"

#include "core/runtime/LineText.h"
#include "core/runtime/TableTime.h"
#include "core/tide/TideCurve.h"

using namespace Qt::StringLiterals;

namespace ondal::tide {
namespace {

using Kind = DayTidesRefusal::Kind;

const QString DefaultLabel = u"Tides of the day"_s;
const QString TimeForm = u"a time such as 0208 or 2:08"_s;
const QString Unit = u"m"_s;

bool isSeparator(QChar c)
{
    return c.isSpace() || c == u';';
}

// The words of the text between separators, in order.
QStringList wordsOf(const QString &text)
{
    QStringList words;
    qsizetype from = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool separates = i == text.size() || isSeparator(text.at(i));
        if (separates && from >= 0) {
            words << text.mid(from, i - from);
            from = -1;
        } else if (!separates && from < 0) {
            from = i;
        }
    }
    return words;
}

// One tide's words: its time, its height, and the unit where it was typed
// apart from the height ("4.1 m").
struct TypedTide
{
    QString time;
    QString height; // empty: none was typed
    QString typed() const { return height.isEmpty() ? time : time + u' ' + height; }
};

QList<TypedTide> tidesOf(const QStringList &words)
{
    QList<TypedTide> out;
    for (qsizetype i = 0; i < words.size();) {
        TypedTide tide{words.at(i), {}};
        ++i;
        if (i < words.size()) {
            tide.height = words.at(i);
            ++i;
            if (i < words.size() && words.at(i) == Unit) {
                tide.height += u' ' + Unit;
                ++i;
            }
        }
        out << tide;
    }
    return out;
}

DayTidesRead refused(Kind kind, int place, const QString &typed, int count = 0,
                     const Refusal &value = {})
{
    return {{}, DayTidesRefusal{kind, place, typed, count, value}};
}

} // namespace

bool isDayTidesGiven(const QString &text)
{
    for (const QChar c : text) {
        if (!isSeparator(c))
            return true;
    }
    return false;
}

DayTidesRead readDayTides(const QString &text)
{
    if (text.size() >= DayTidesFieldLength)
        return refused(Kind::TooLong, 0, text);
    if (!isDayTidesGiven(text))
        return refused(Kind::NotGiven, 0, text);

    const QList<TypedTide> typed = tidesOf(wordsOf(text));
    const int count = static_cast<int>(typed.size());
    if (count > MostDayTides)
        return refused(Kind::TooMany, 0, text, count);

    const ValueRule heightRule{-HeightLimit, HeightLimit, Unit, {}};
    DayTidesRead out;
    double day = 0.0;
    for (int i = 0; i < count; ++i) {
        const TypedTide &words = typed.at(i);
        const int place = i + 1;
        const TableTime time = readClockTime(words.time);
        if (time.status != TableTime::Read)
            return refused(Kind::Time, place, words.typed(), 0, notInForm(words.time, TimeForm));
        if (words.height.isEmpty())
            return refused(Kind::NoHeight, place, words.typed());
        const ValueRead height = readValue(words.height, heightRule);
        if (!height)
            return refused(Kind::Height, place, words.typed(), 0, height.refusal);

        DayTide tide{DayTide::Kind::HighWater, day + time.minutes, *height.value, words.typed()};
        if (i > 0) {
            const DayTide &before = out.tides.last();
            // The list runs forward: a time earlier than the one before it
            // is on the next day.
            if (tide.time < before.time) {
                day += MinutesPerDay;
                tide.time += MinutesPerDay;
            }
            if (tide.time == before.time)
                return refused(Kind::SameTime, place, tide.typed);
            if (tide.time - before.time > LongestSpan)
                return refused(Kind::TooFarApart, place, tide.typed);

            // The first two tides decide which is which; after them high and
            // low water alternate, each beyond the one before it.
            if (i == 1) {
                if (tide.height == before.height)
                    return refused(Kind::Level, place, tide.typed);
                const bool rises = tide.height > before.height;
                out.tides.last().kind = rises ? DayTide::Kind::LowWater : DayTide::Kind::HighWater;
                tide.kind = rises ? DayTide::Kind::HighWater : DayTide::Kind::LowWater;
            } else if (before.isHighWater()) {
                tide.kind = DayTide::Kind::LowWater;
                if (!(tide.height < before.height))
                    return refused(Kind::NotLower, place, tide.typed);
            } else {
                tide.kind = DayTide::Kind::HighWater;
                if (!(tide.height > before.height))
                    return refused(Kind::NotHigher, place, tide.typed);
            }
        }
        out.tides << tide;
    }
    if (count < FewestDayTides)
        return refused(Kind::TooFew, 0, text, count);
    return out;
}

QString dayTidesRefusalText(const DayTidesRefusal &refusal, const QString &consequence,
                            const QString &label)
{
    const QString &name = label.isEmpty() ? DefaultLabel : label;
    const QString tide =
        u"%1: the %2 tide, %3"_s.arg(name, ordinalText(refusal.place), quotedText(refusal.typed));
    const QString before = ordinalText(refusal.place - 1);
    QString sentence;
    switch (refusal.kind) {
    case Kind::NotGiven:
        return refusalText(name, Refusal{Refusal::Kind::NotGiven, refusal.typed, {}}, consequence);
    case Kind::Time:
    case Kind::Height:
        return refusalText(tide, refusal.value, consequence);
    case Kind::TooLong:
        // In the one reader's words, as every field as long as it can hold.
        return refusalText(name, Refusal{Refusal::Kind::TooLong, refusal.typed, {}}, consequence);
    case Kind::TooFew:
        sentence = u"%1: only %2 tide is given; at least %3 are needed"_s.arg(name)
                       .arg(refusal.count)
                       .arg(FewestDayTides);
        break;
    case Kind::TooMany:
        sentence = u"%1: %2 tides are given; at most %3 are used"_s.arg(name)
                       .arg(refusal.count)
                       .arg(MostDayTides);
        break;
    case Kind::NoHeight:
        sentence = tide + u", has no height"_s;
        break;
    case Kind::SameTime:
        sentence = tide + u", falls at the same time as the %1"_s.arg(before);
        break;
    case Kind::TooFarApart:
        sentence = tide + u", lies more than 12 hours after the %1: they are not one rise or "
                          u"fall"_s.arg(before);
        break;
    case Kind::Level:
        sentence = tide + u", is neither higher nor lower than the %1"_s.arg(before);
        break;
    case Kind::NotHigher:
        sentence = tide + u", is not higher than the low waters beside it"_s;
        break;
    case Kind::NotLower:
        sentence = tide + u", is not lower than the high waters beside it"_s;
        break;
    case Kind::Skipped:
        sentence = tide + u", falls in the time the tables' zone skips when its clocks go "
                          u"forward"_s;
        break;
    }
    return consequence.isEmpty() ? sentence : sentence + u"; "_s + consequence;
}

QString tideKindText(DayTide::Kind kind)
{
    return kind == DayTide::Kind::HighWater ? u"HW"_s : u"LW"_s;
}

} // namespace ondal::tide
