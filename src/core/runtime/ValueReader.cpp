#include "core/runtime/ValueReader.h"

#include "core/runtime/LineText.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

using namespace Qt::StringLiterals;

namespace ondal {
namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The plain number at the start of a text: how many characters it takes,
// and its digits as a clean C-locale number for from_chars.
struct PlainNumber
{
    qsizetype used = 0; // 0: none
    std::string clean;
};

PlainNumber plainNumberAt(QStringView text)
{
    const QString point = QLocale().decimalPoint();
    const QString minus = QLocale().negativeSign();
    PlainNumber out;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'\u2212')) {
        out.clean += '-';
        ++i;
    } else if (i < text.size() && text[i] == u'+') {
        ++i;
    } else if (!minus.isEmpty() && minus != u"-"_s && text.mid(i).startsWith(minus)) {
        out.clean += '-';
        i += minus.size();
    }
    bool anyDigit = false;
    bool seenPoint = false;
    while (i < text.size()) {
        const QChar c = text[i];
        if (isDigit(c)) {
            out.clean += static_cast<char>(c.unicode());
            anyDigit = true;
            ++i;
        } else if (!seenPoint && (c == u'.' || (point.size() == 1 && c == point.front()))) {
            out.clean += '.';
            seenPoint = true;
            ++i;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return {};
    out.used = i;
    // An exponent counts only with its digits: "1e" is 1 and an "e" after it.
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == u'-' || text[j] == u'+'))
            exponent += static_cast<char>(text[j++].unicode());
        const qsizetype digitsFrom = j;
        while (j < text.size() && isDigit(text[j]))
            exponent += static_cast<char>(text[j++].unicode());
        if (j > digitsFrom) {
            out.clean += exponent;
            out.used = j;
        }
    }
    return out;
}

QString defaultBounds(const ValueRule &rule)
{
    const QString unit = rule.unit.isEmpty() ? QString() : u' ' + rule.unit;
    return u"%1 to %2%3"_s.arg(limitText(rule.least), limitText(rule.greatest), unit);
}

ValueRead refused(Refusal::Kind kind, const QString &typed, const QString &detail = {})
{
    return {std::nullopt, Refusal{kind, typed, detail}};
}

} // namespace

ValueRead readValue(const QString &text, const ValueRule &rule)
{
    using Kind = Refusal::Kind;
    if (text.size() >= ValueFieldLength)
        return refused(Kind::TooLong, text);
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return refused(Kind::NotGiven, text);

    const PlainNumber number = plainNumberAt(trimmed);
    if (number.used == 0)
        return refused(Kind::NotANumber, text);
    const QStringView rest = QStringView(trimmed).mid(number.used).trimmed();
    if (!rest.isEmpty() && (rule.unit.isEmpty() || rest != rule.unit))
        return refused(Kind::ReadInPart, text, trimmed.left(number.used));

    double value = 0.0;
    const char *begin = number.clean.data();
    const char *end = begin + number.clean.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too small for a double is as good as zero; too large is refused.
        const bool tiny = number.clean.find("e-") != std::string::npos;
        if (!tiny)
            return refused(Kind::TooLarge, text);
        value = 0.0;
    } else if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return refused(Kind::TooLarge, text);
    }
    if (value == 0.0)
        value = 0.0; // "-0" is plain 0

    if (rule.least == 0.0 && value < 0.0)
        return refused(Kind::Negative, text);
    if (!(value >= rule.least && value <= rule.greatest))
        return refused(Kind::OutOfBounds, text,
                       rule.boundsText.isEmpty() ? defaultBounds(rule) : rule.boundsText);
    return {value, {}};
}

Refusal notInForm(const QString &typed, const QString &form)
{
    if (typed.size() >= ValueFieldLength)
        return {Refusal::Kind::TooLong, typed, {}};
    if (typed.trimmed().isEmpty())
        return {Refusal::Kind::NotGiven, typed, {}};
    return {Refusal::Kind::NotInForm, typed, form};
}

Refusal outOfBounds(const QString &typed, const QString &bounds)
{
    return {Refusal::Kind::OutOfBounds, typed, bounds};
}

QString refusalText(const QString &label, const Refusal &refusal, const QString &consequence)
{
    using Kind = Refusal::Kind;
    const QString typed = quotedText(refusal.typed);
    QString why;
    switch (refusal.kind) {
    case Kind::NotGiven:
        why = u"missing"_s;
        break;
    case Kind::NotANumber:
        why = u"%1 is not a number"_s.arg(typed);
        break;
    case Kind::ReadInPart:
        why = u"%1 is not a number: only %2 reads as one"_s.arg(typed, quotedText(refusal.detail));
        break;
    case Kind::TooLarge:
        why = u"%1 is too large a number"_s.arg(typed);
        break;
    case Kind::OutOfBounds:
        why = u"%1 lies outside %2"_s.arg(typed, refusal.detail);
        break;
    case Kind::Negative:
        why = u"%1 cannot be negative"_s.arg(typed);
        break;
    case Kind::TooLong:
        why = u"the text is too long to be a value"_s;
        break;
    case Kind::NotInForm:
        why = u"%1 is not %2"_s.arg(typed, refusal.detail);
        break;
    }
    const QString sentence = label.isEmpty() ? why : label + u": "_s + why;
    return consequence.isEmpty() ? sentence : sentence + u"; "_s + consequence;
}

void Reasons::refuse(const QString &label, const Refusal &refusal, const QString &consequence)
{
    lines << refusalText(label, refusal, consequence);
    refused << RefusedValue{label, refusal};
}

std::optional<double> Reasons::read(const QString &label, const QString &text,
                                    const ValueRule &rule, const QString &consequence)
{
    const ValueRead value = readValue(text, rule);
    if (!value)
        refuse(label, value.refusal, consequence);
    return value.value;
}

Reasons &Reasons::operator<<(const Reasons &more)
{
    lines << more.lines;
    refused << more.refused;
    return *this;
}

} // namespace ondal
