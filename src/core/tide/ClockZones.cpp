#include "core/tide/ClockZones.h"

#include "core/runtime/LineText.h"
#include "core/tide/TideCurve.h"

#include <QDateTime>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ondal::tide {
namespace {

const QString ZoneForm = u"a zone such as UTC, UTC+01:00 or Europe/London"_s;

// The offsets any zone in use has had: UTC−12:00 to UTC+14:00.
constexpr int WestmostOffset = -12 * 3600;
constexpr int EastmostOffset = 14 * 3600;

// The years a date may have: the zone database is exact from 1970.
constexpr int FirstYear = 1970;
constexpr int LastYear = 2100;

// A clock changes at most twice a year; over the longest day of tides (nine
// tides, four days) this many changes is far more than any zone has.
constexpr int MostClockChanges = 8;

constexpr qint64 SecondsPerDay = 86400;

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, u'0');
}

// A zone of the database as typed, blanks for underscores, in the letters
// its names are made of; none for anything else, so no text reaches the
// database that could name a file outside it.
std::optional<QByteArray> databaseId(const QString &typed)
{
    QString id = typed;
    id.replace(u' ', u'_');
    if (id.startsWith(u'/') || id.contains(u".."_s))
        return std::nullopt;
    for (const QChar c : id) {
        const bool allowed = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                             (c >= u'0' && c <= u'9') || c == u'/' || c == u'_' || c == u'-' ||
                             c == u'+';
        if (!allowed)
            return std::nullopt;
    }
    return id.toLatin1();
}

const QList<QByteArray> &availableIds()
{
    static const QList<QByteArray> ids = QTimeZone::availableTimeZoneIds();
    return ids;
}

std::optional<QTimeZone> databaseZone(const QString &typed)
{
    const std::optional<QByteArray> id = databaseId(typed);
    if (!id)
        return std::nullopt;
    QTimeZone zone(*id);
    if (zone.isValid())
        return zone;
    // Capitals forgiven: the database's names differ in more than capitals.
    for (const QByteArray &known : availableIds()) {
        if (known.compare(*id, Qt::CaseInsensitive) == 0)
            return QTimeZone(known);
    }
    return std::nullopt;
}

ZoneRead refusedZone(const Refusal &refusal, bool ambiguous = false)
{
    return {std::nullopt, refusal, ambiguous};
}

// Where the zone database puts a clock time of the given zone: the instants
// (UTC) at which the zone's clock shows the naive date and time, earlier
// first. None where the clock skips it, two where it shows it twice.
QList<QDateTime> instantsOf(const QTimeZone &zone, const QDateTime &naive)
{
    QList<QDateTime> out;
    for (const qint64 probe : {-SecondsPerDay, qint64(0), SecondsPerDay}) {
        const int offset = zone.offsetFromUtc(naive.addSecs(probe));
        const QDateTime instant = naive.addSecs(-offset);
        if (zone.offsetFromUtc(instant) == offset && !out.contains(instant))
            out << instant;
    }
    std::sort(out.begin(), out.end());
    return out;
}

// "1 hour", "2 hours", "30 minutes", "1 hour 30 minutes".
QString hoursText(double minutes)
{
    const qint64 whole = std::llround(std::abs(minutes));
    const qint64 hours = whole / 60;
    const qint64 rest = whole % 60;
    const QString h = hours == 1 ? u"1 hour"_s : u"%1 hours"_s.arg(hours);
    const QString m = rest == 1 ? u"1 minute"_s : u"%1 minutes"_s.arg(rest);
    if (hours == 0)
        return m;
    return rest == 0 ? h : h + u' ' + m;
}

QString moveText(double minutes)
{
    if (std::llround(minutes) == 0)
        return u"nothing moved"_s;
    return hoursText(minutes) + (minutes > 0.0 ? u" added"_s : u" taken off"_s);
}

// "the 2nd tide", "the 1st and 2nd tides", "the 3rd to 5th tides".
QString placesText(int first, int last)
{
    if (first == last)
        return u"the %1 tide"_s.arg(ordinalText(first));
    return u"the %1 %2 %3 tides"_s.arg(ordinalText(first), last == first + 1 ? u"and"_s : u"to"_s,
                                       ordinalText(last));
}

// What was done to the tables' times, in one line: "Tables' times in UTC
// shown on the ship's clock, Europe/London (UTC+01:00): 1 hour added". Where
// the move differs along the day, each run of tides with its own.
QString movedText(const QTimeZone &tables, const QTimeZone &clock, const QDateTime &first,
                  const QList<double> &moves)
{
    const bool uniform = std::all_of(moves.cbegin(), moves.cend(),
                                     [&](double move) { return move == moves.first(); });
    if (uniform)
        return u"Tables' times in %1 shown on the ship's clock, %2: %3"_s.arg(
            zoneName(tables, first), zoneName(clock, first), moveText(moves.first()));
    QStringList runs;
    int from = 0;
    for (int i = 1; i <= moves.size(); ++i) {
        if (i == moves.size() || moves.at(i) != moves.at(from)) {
            runs << u"%1 for %2"_s.arg(moveText(moves.at(from)), placesText(from + 1, i));
            from = i;
        }
    }
    return u"Tables' times in %1 shown on the ship's clock, %2: %3"_s.arg(
        zoneName(tables), zoneName(clock), runs.join(u", "_s));
}

} // namespace

ZoneRead readZone(const QString &text)
{
    if (text.size() >= ValueFieldLength || isBlank(text))
        return refusedZone(notInForm(text, ZoneForm));
    const QString typed = text.trimmed();
    if (typed.compare(u"UTC"_s, Qt::CaseInsensitive) == 0 ||
        typed.compare(u"UT"_s, Qt::CaseInsensitive) == 0 ||
        typed.compare(u"GMT"_s, Qt::CaseInsensitive) == 0)
        return {QTimeZone::utc(), {}, false};

    // An offset with its sign: after "UTC" plain; bare, or after "GMT" or
    // "UT", ambiguous.
    static const QRegularExpression offsetForm(
        u"^(UTC|GMT|UT)?\\s*([+\\-\u2212])\\s*(\\d{1,2})(?::?(\\d{2}))?$"_s,
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch offset = offsetForm.match(typed);
    if (offset.hasMatch()) {
        const int hours = offset.captured(3).toInt();
        const int minutes = offset.captured(4).isEmpty() ? 0 : offset.captured(4).toInt();
        if (minutes > 59)
            return refusedZone(notInForm(text, ZoneForm));
        const QString magnitude = twoDigits(hours) + u':' + twoDigits(minutes);
        if (offset.captured(1).compare(u"UTC"_s, Qt::CaseInsensitive) != 0)
            return refusedZone({Refusal::Kind::NotInForm, text, magnitude}, true);
        const int seconds = (offset.captured(2) == u"+"_s ? 1 : -1) * (hours * 3600 + minutes * 60);
        if (seconds < WestmostOffset || seconds > EastmostOffset)
            return refusedZone(outOfBounds(text, u"UTC-12:00 to UTC+14:00"_s));
        return {seconds == 0 ? QTimeZone::utc() : QTimeZone(seconds), {}, false};
    }

    // The database's own "Etc/GMT+1" is UTC-01:00, the sign turned as the
    // tables turn it: as ambiguous as a bare offset, and refused alike.
    static const QRegularExpression etcForm(u"^etc/(gmt|utc|ut)\\s*([+\\-\u2212])\\s*(\\d{1,2})$"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch etc = etcForm.match(typed); etc.hasMatch())
        return refusedZone(
            {Refusal::Kind::NotInForm, text, twoDigits(etc.captured(3).toInt()) + u":00"_s}, true);

    if (const std::optional<QTimeZone> zone = databaseZone(typed))
        return {*zone, {}, false};
    return refusedZone(notInForm(text, ZoneForm));
}

QString zoneRefusalText(ZoneField field, const ZoneRead &read, const QString &consequence)
{
    const bool tables = field == ZoneField::Tables;
    const QString label = tables ? u"Tables' time zone"_s : u"Ship's clock"_s;
    if (!read.ambiguousOffset)
        return refusalText(label, read.refusal, consequence);
    const QString sentence = u"%1: %2 is ambiguous: type the %3 as UTC+%4 or UTC-%4"_s.arg(
        label, quotedText(read.refusal.typed), tables ? u"tables' zone"_s : u"ship's clock"_s,
        read.refusal.detail);
    return consequence.isEmpty() ? sentence : sentence + u"; "_s + consequence;
}

QString offsetText(int seconds)
{
    const int whole = std::abs(seconds);
    QString text = u"UTC%1%2:%3"_s.arg(seconds < 0 ? u"-"_s : u"+"_s, twoDigits(whole / 3600),
                                       twoDigits(whole / 60 % 60));
    if (whole % 60 != 0)
        text += u':' + twoDigits(whole % 60);
    return text;
}

QString zoneName(const QTimeZone &zone)
{
    const QString id = QString::fromLatin1(zone.id());
    // An offset zone keeps its offset for ever; its name is that offset.
    if (id != u"UTC"_s && id.startsWith(u"UTC"_s))
        return offsetText(zone.offsetFromUtc(QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC)));
    return id;
}

QString zoneName(const QTimeZone &zone, const QDateTime &at)
{
    const QString name = zoneName(zone);
    if (name.startsWith(u"UTC"_s))
        return name;
    return u"%1 (%2)"_s.arg(name, offsetText(zone.offsetFromUtc(at)));
}

QStringList zoneChoices()
{
    QStringList out{u"UTC"_s};
    for (const QByteArray &id : availableIds()) {
        // Never the turned-sign "Etc/GMT+1" the reading refuses.
        const bool turnedSign = id.startsWith("Etc/GMT+") || id.startsWith("Etc/GMT-");
        if (id.contains('/') && !turnedSign)
            out << QString::fromLatin1(id);
    }
    std::sort(out.begin() + 1, out.end());
    return out;
}

DateRead readTablesDate(const QString &text)
{
    const QLocale locale;
    const QDate example(2026, 6, 14);
    const QString shortForm = locale.toString(example, QLocale::ShortFormat);
    const QString form = u"a date such as %1%2"_s.arg(
        example.toString(Qt::ISODate),
        shortForm == example.toString(Qt::ISODate) ? QString() : u" or "_s + shortForm);
    if (text.size() >= ValueFieldLength || isBlank(text))
        return {std::nullopt, notInForm(text, form)};

    const QString typed = text.trimmed();
    QDate date = QDate::fromString(typed, Qt::ISODate);
    if (!date.isValid()) {
        const QString format = locale.dateFormat(QLocale::ShortFormat);
        const bool twoDigitYear = !format.contains(u"yyyy"_s) && format.contains(u"yy"_s);
        if (twoDigitYear) {
            // Typed with the whole year, or with two digits for this century.
            date = locale.toDate(typed, QString(format).replace(u"yy"_s, u"yyyy"_s));
            if (!date.isValid()) {
                date = locale.toDate(typed, format);
                if (date.isValid() && date.year() < 2000)
                    date = date.addYears(100);
            }
        } else {
            date = locale.toDate(typed, format);
        }
    }
    if (!date.isValid())
        return {std::nullopt, notInForm(text, form)};
    if (date.year() < FirstYear || date.year() > LastYear)
        return {std::nullopt,
                outOfBounds(text, u"the years %1 to %2"_s.arg(FirstYear).arg(LastYear))};
    return {date, {}};
}

DayClock::DayClock(QList<ClockChange> changes) : m_changes(std::move(changes))
{
    std::sort(m_changes.begin(), m_changes.end(),
              [](const ClockChange &a, const ClockChange &b) { return a.at < b.at; });
}

double DayClock::clockMinutes(double t) const
{
    double minutes = t;
    for (const ClockChange &change : m_changes) {
        if (t >= change.at)
            minutes += change.by;
    }
    return minutes;
}

QString DayClock::timeText(double t) const
{
    const double minutes = clockMinutes(t);
    if (!std::isfinite(minutes))
        return clockText(minutes);
    const double days = std::floor(std::floor(minutes + 0.5) / MinutesPerDay);
    return clockText(minutes) + dayText(static_cast<int>(std::clamp(days, -99.0, 99.0)));
}

QList<double> DayClock::axisTimes(double clockMinutes) const
{
    QList<double> out;
    double shift = 0.0;
    for (qsizetype i = 0; i <= m_changes.size(); ++i) {
        const double from = i == 0 ? -qInf() : m_changes.at(i - 1).at;
        const double until = i == m_changes.size() ? qInf() : m_changes.at(i).at;
        const double t = clockMinutes - shift;
        if (t >= from && t < until)
            out << t;
        if (i < m_changes.size())
            shift += m_changes.at(i).by;
    }
    return out;
}

PlacedDay placeOnClock(const QList<DayTide> &tables, const ClockEntries &entries,
                       const QTimeZone &computerZone, const QString &consequence)
{
    PlacedDay out;
    if (isBlank(entries.tablesZone)) {
        out.tides = tables;
        out.notes << u"The tables' times are taken as the ship's clock's: no tables' zone is "
                     u"given"_s;
        return out;
    }

    const ZoneRead tablesZone = readZone(entries.tablesZone);
    if (!tablesZone)
        out.reasons << zoneRefusalText(ZoneField::Tables, tablesZone, consequence);
    ZoneRead clockZone;
    if (isBlank(entries.clockZone) && computerZone.isValid())
        clockZone = {computerZone, {}, false};
    else
        clockZone = readZone(entries.clockZone);
    if (!clockZone)
        out.reasons << zoneRefusalText(ZoneField::Clock, clockZone, consequence);
    const DateRead date = readTablesDate(entries.date);
    if (!date)
        out.reasons << refusalText(u"Date"_s, date.refusal,
                                   u"daylight saving depends on it, so "_s + consequence);
    if (!out.reasons.isEmpty() || tables.isEmpty())
        return out;
    const QTimeZone &from = *tablesZone.zone;
    const QTimeZone &to = *clockZone.zone;

    // Each tide as an instant: the tables' clock time on its date, the day
    // rule already applied to the minutes.
    const QDateTime midnight(*date.date, QTime(0, 0), Qt::UTC);
    QList<QDateTime> instants;
    for (qsizetype i = 0; i < tables.size(); ++i) {
        const DayTide &tide = tables.at(i);
        const int place = static_cast<int>(i + 1);
        const auto refuse = [&](DayTidesRefusal::Kind kind) {
            out.refusal = DayTidesRefusal{kind, place, tide.typed, 0, {}};
            out.reasons << dayTidesRefusalText(*out.refusal, consequence);
            return out;
        };
        const QList<QDateTime> candidates =
            instantsOf(from, midnight.addSecs(std::llround(tide.time * 60.0)));
        if (candidates.isEmpty())
            return refuse(DayTidesRefusal::Kind::Skipped);
        // The list runs forward: of a time the tables' zone shows twice, the
        // earlier that comes after the tide before it.
        const auto next = std::find_if(candidates.cbegin(), candidates.cend(), [&](const auto &at) {
            return instants.isEmpty() || at > instants.last();
        });
        if (next == candidates.cend())
            return refuse(DayTidesRefusal::Kind::SameTime);
        if (candidates.size() == 2 && next == candidates.cbegin())
            out.notes << u"The %1 tide's time, %2, comes twice in the tables' zone; the earlier "
                         u"is taken"_s.arg(ordinalText(place), clockText(tide.time));
        if (!instants.isEmpty() && instants.last().secsTo(*next) > LongestSpan * 60.0)
            return refuse(DayTidesRefusal::Kind::TooFarApart);
        instants << *next;
    }

    // The axis: the first tide at its time of day on the ship's clock, the
    // rest at their true distance from it.
    const QDateTime &first = instants.first();
    const QDateTime firstOnClock = first.addSecs(to.offsetFromUtc(first));
    const double firstMinutes = firstOnClock.time().msecsSinceStartOfDay() / 60000.0;
    const auto onAxis = [&](const QDateTime &at) {
        return firstMinutes + double(first.secsTo(at)) / 60.0;
    };
    QList<double> moves;
    for (qsizetype i = 0; i < tables.size(); ++i) {
        DayTide tide = tables.at(i);
        tide.time = onAxis(instants.at(i));
        out.tides << tide;
        moves << (to.offsetFromUtc(instants.at(i)) - from.offsetFromUtc(instants.at(i))) / 60.0;
    }
    out.notes.prepend(movedText(from, to, first, moves));

    // The ship's clock's changes between the first tide and the last.
    QList<ClockChange> changes;
    if (to.hasTransitions()) {
        QDateTime after = first;
        double shift = 0.0;
        for (int n = 0; n < MostClockChanges; ++n) {
            const QTimeZone::OffsetData change = to.nextTransition(after);
            if (!change.atUtc.isValid() || change.atUtc > instants.last() || change.atUtc <= after)
                break;
            const double by =
                (change.offsetFromUtc - to.offsetFromUtc(change.atUtc.addSecs(-1))) / 60.0;
            if (by != 0.0) {
                const double at = onAxis(change.atUtc);
                const double shown = at + shift; // the clock just before it changes
                const double days = std::floor(std::floor(shown + 0.5) / MinutesPerDay);
                out.notes << u"The ship's clock goes %1 %2 at %3%4"_s.arg(
                    by > 0.0 ? u"forward"_s : u"back"_s, hoursText(by), clockText(shown),
                    dayText(static_cast<int>(days)));
                changes << ClockChange{at, by};
                shift += by;
            }
            after = change.atUtc;
        }
    }
    out.clock = DayClock(changes);
    return out;
}

} // namespace ondal::tide
