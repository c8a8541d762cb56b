#include "core/runtime/NumberRules.h"

#include "core/runtime/RuntimeError.h"

#include <QLocale>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace ondal {
namespace {

// ---------------------------------------------------------------------------
// Decimal text to binary
//
// Both reading rules first reduce the text to a clean C-locale number,
// "[-]digits[.digits][e[-]digits]", and then hand it to std::from_chars, which
// rounds correctly and knows nothing of the process locale.

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Rough decimal magnitude of a clean number (the power of ten of its leading
// digit), used only to tell an overflow from an underflow when from_chars
// reports a value out of range. Saturates instead of overflowing.
long long decimalMagnitude(const std::string &clean)
{
    long long exponent = 0;
    const std::size_t e = clean.find('e');
    if (e != std::string::npos) {
        std::size_t i = e + 1;
        const bool negative = i < clean.size() && clean[i] == '-';
        if (i < clean.size() && (clean[i] == '-' || clean[i] == '+'))
            ++i;
        for (; i < clean.size(); ++i) {
            if (exponent < 1'000'000'000'000LL)
                exponent = exponent * 10 + (clean[i] - '0');
        }
        if (negative)
            exponent = -exponent;
    }

    const std::string mantissa = clean.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const std::size_t intEnd = point == std::string::npos ? mantissa.size() : point;
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos)
        return std::numeric_limits<long long>::min(); // all zeros
    const long long lead = first < intEnd ? static_cast<long long>(intEnd - first) - 1
                                          : -static_cast<long long>(first - intEnd);
    return lead + exponent;
}

// Converts a clean number to T. A magnitude beyond T's range raises Overflow;
// one too small for T becomes a zero of the right sign.
template <typename T> T fromClean(const std::string &clean)
{
    T value = 0;
    const char *begin = clean.data();
    const char *end = begin + clean.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(clean) > 0)
            throw RuntimeError(RuntimeError::Overflow);
        return clean.front() == '-' ? -T(0) : T(0);
    }
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        throw RuntimeError(RuntimeError::Overflow); // cannot happen for a clean number
    return value;
}

// The user's decimal separator where it is a single character other than the
// full stop; a null QChar otherwise.
QChar otherDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.front() != u'.')
        return point.front();
    return {};
}

// ---------------------------------------------------------------------------
// Number entry

// Walks the text and steps over blanks, tabs and line feeds wherever they
// stand, so that "1 2 3" reads as 123.
class EntryCursor
{
public:
    explicit EntryCursor(const QString &text) : m_text(text) { skip(); }

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text.at(m_pos); }
    // Characters walked so far, blanks after the last one included.
    qsizetype position() const { return m_pos; }
    void advance()
    {
        ++m_pos;
        skip();
    }

private:
    void skip()
    {
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            if (c != u' ' && c != u'\t' && c != u'\n')
                break;
            ++m_pos;
        }
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

int radixDigit(QChar c, int radix)
{
    int digit = -1;
    if (isDigit(c))
        digit = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        digit = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        digit = c.unicode() - u'A' + 10;
    return digit < radix ? digit : -1;
}

// "&H..." or "&O...", the cursor on the letter after the ampersand. Values
// that fit 16 bits are 16-bit signed integers (&HFFFF is -1), values that fit
// 32 bits are 32-bit signed integers (&HFFFFFFFF is -1), anything larger
// overflows.
NumberEntryRead readRadixLiteral(EntryCursor &cursor)
{
    int radix = 0;
    const QChar letter = cursor.peek();
    if (letter == u'H' || letter == u'h')
        radix = 16;
    else if (letter == u'O' || letter == u'o')
        radix = 8;
    else
        return {};
    cursor.advance();

    std::uint64_t value = 0;
    bool anyDigit = false;
    for (int digit = radixDigit(cursor.peek(), radix); digit >= 0;
         digit = radixDigit(cursor.peek(), radix)) {
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
        if (value > 0xFFFF'FFFFu)
            throw RuntimeError(RuntimeError::Overflow);
        cursor.advance();
        anyDigit = true;
    }
    if (!anyDigit)
        return {};
    const double read = value <= 0xFFFFu
                            ? static_cast<std::int16_t>(static_cast<std::uint16_t>(value))
                            : static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return {read, cursor.position()};
}

// The exponent letters of number entry: E as usual, and D, the double-
// precision exponent letter of older notations.
bool isEntryExponentLetter(QChar c)
{
    return c == u'E' || c == u'e' || c == u'D' || c == u'd';
}

// ---------------------------------------------------------------------------
// Strict conversion

// Parses the whole of text as a number in the user's format and returns the
// clean form; raises TypeMismatch for anything else.
std::string cleanStrict(const QString &text)
{
    const QLocale locale;
    const QString s = text.trimmed();
    qsizetype i = 0;
    const auto startsWithAt = [&s, &i](const QString &what) {
        return !what.isEmpty() && QStringView(s).mid(i).startsWith(what);
    };

    std::string clean;
    if (i < s.size() && s.at(i) == u'-') {
        clean += '-';
        ++i;
    } else if (i < s.size() && s.at(i) == u'+') {
        ++i;
    } else if (startsWithAt(locale.negativeSign())) {
        clean += '-';
        i += locale.negativeSign().size();
    } else if (startsWithAt(locale.positiveSign())) {
        i += locale.positiveSign().size();
    }

    bool anyDigit = false;
    for (; i < s.size() && isDigit(s.at(i)); ++i) {
        clean += static_cast<char>(s.at(i).unicode());
        anyDigit = true;
    }
    if (startsWithAt(locale.decimalPoint())) {
        i += locale.decimalPoint().size();
        clean += '.';
        for (; i < s.size() && isDigit(s.at(i)); ++i) {
            clean += static_cast<char>(s.at(i).unicode());
            anyDigit = true;
        }
    }
    if (!anyDigit)
        throw RuntimeError(RuntimeError::TypeMismatch);

    if (i < s.size() && (s.at(i) == u'E' || s.at(i) == u'e')) {
        ++i;
        clean += 'e';
        if (i < s.size() && (s.at(i) == u'-' || s.at(i) == u'+'))
            clean += static_cast<char>(s.at(i++).unicode());
        bool exponentDigit = false;
        for (; i < s.size() && isDigit(s.at(i)); ++i) {
            clean += static_cast<char>(s.at(i).unicode());
            exponentDigit = true;
        }
        if (!exponentDigit)
            throw RuntimeError(RuntimeError::TypeMismatch);
    }
    if (i != s.size())
        throw RuntimeError(RuntimeError::TypeMismatch);
    return clean;
}

// ---------------------------------------------------------------------------
// Binary to text

// The value rounded to `precision` significant digits and written out the way
// a tide table reader expects: plain decimals where they fit, else d.dddE+XX.
QString formatSignificant(double value, int precision)
{
    if (std::isnan(value))
        return QStringLiteral("-1.#IND");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-1.#INF") : QStringLiteral("1.#INF");
    if (value == 0.0)
        return QStringLiteral("0"); // -0 too

    // "d.dddde+XX", rounded to precision digits.
    std::array<char, 64> buffer{};
    const auto [end, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                      std::chars_format::scientific, precision - 1);
    Q_ASSERT(ec == std::errc());
    const std::string scientific(buffer.data(), end);
    const std::size_t e = scientific.find('e');

    std::string digits;
    for (std::size_t i = 0; i < e; ++i) {
        if (scientific[i] != '.')
            digits += scientific[i];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::stoi(scientific.substr(e + 1));
    const int decimals = static_cast<int>(digits.size()) - 1; // after the first digit

    const QString point = QLocale().decimalPoint();
    QString out;
    if (value < 0)
        out += u'-';

    // Plain from 0.0001 up to below 10^precision, judged on the rounded
    // digits; below 0.0001 only while the plain form needs no more than
    // `precision` decimal places ("0.00001"), else "5.6789E-12".
    const int places = -exponent + decimals; // decimal places of the plain form
    const bool plain =
        (exponent >= -4 && exponent < precision) || (exponent < -4 && places <= precision);
    if (plain) {
        if (exponent >= 0) {
            const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
            std::string whole = digits.substr(0, intDigits);
            whole.resize(intDigits, '0');
            out += QString::fromLatin1(whole);
            if (digits.size() > intDigits)
                out += point + QString::fromLatin1(digits.substr(intDigits));
        } else {
            out += u'0' + point + QString(-exponent - 1, u'0') + QString::fromLatin1(digits);
        }
        return out;
    }

    out += QChar::fromLatin1(digits.front());
    if (digits.size() > 1)
        out += point + QString::fromLatin1(digits.substr(1));
    out += exponent < 0 ? u"E-" : u"E+";
    out += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QChar(u'0'));
    return out;
}

} // namespace

NumberEntryRead readNumberEntry(const QString &text)
{
    EntryCursor cursor(text);
    if (cursor.peek() == u'&') {
        cursor.advance();
        return readRadixLiteral(cursor);
    }

    const QChar otherPoint = otherDecimalSeparator();
    std::string clean;
    if (cursor.peek() == u'-' || cursor.peek() == u'+') {
        if (cursor.peek() == u'-')
            clean += '-';
        cursor.advance();
    }

    bool anyDigit = false;
    bool seenPoint = false;
    for (;;) {
        const QChar c = cursor.peek();
        if (isDigit(c)) {
            clean += static_cast<char>(c.unicode());
            anyDigit = true;
        } else if (!seenPoint && (c == u'.' || (!otherPoint.isNull() && c == otherPoint))) {
            clean += '.';
            seenPoint = true;
        } else {
            break;
        }
        cursor.advance();
    }
    if (!anyDigit)
        return {};
    qsizetype used = cursor.position();

    // An exponent counts only with at least one digit: "1e" and "1e+" read 1.
    if (isEntryExponentLetter(cursor.peek())) {
        cursor.advance();
        std::string exponent = "e";
        if (cursor.peek() == u'-' || cursor.peek() == u'+') {
            exponent += static_cast<char>(cursor.peek().unicode());
            cursor.advance();
        }
        bool exponentDigit = false;
        while (isDigit(cursor.peek())) {
            exponent += static_cast<char>(cursor.peek().unicode());
            exponentDigit = true;
            cursor.advance();
        }
        if (exponentDigit) {
            clean += exponent;
            used = cursor.position();
        }
    }

    const double value = fromClean<double>(clean);
    return {value == 0.0 ? 0.0 : value, used}; // "-0" reads as plain 0
}

double numberEntry(const QString &text)
{
    return readNumberEntry(text).value;
}

WholeNumber readWholeNumber(const QString &text, QStringView unit)
{
    if (text.trimmed().isEmpty())
        return {WholeNumber::Blank, 0.0};
    NumberEntryRead read;
    try {
        read = readNumberEntry(text);
    } catch (const RuntimeError &) {
        return {WholeNumber::TooLarge, 0.0};
    }
    if (read.used == 0)
        return {WholeNumber::NotANumber, 0.0};
    const QStringView rest = QStringView(text).mid(read.used).trimmed();
    if (!rest.isEmpty() && rest != unit)
        return {WholeNumber::NotANumber, 0.0};
    return {WholeNumber::Read, read.value};
}

double strictToDouble(const QString &text)
{
    return fromClean<double>(cleanStrict(text));
}

float strictToSingle(const QString &text)
{
    return fromClean<float>(cleanStrict(text));
}

QString resultText(double value)
{
    return formatSignificant(value, 15);
}

QString singleText(float value)
{
    // Every float is exactly a double, so rounding the double to 7 digits
    // rounds the float itself.
    return formatSignificant(static_cast<double>(value), 7);
}

QString valueText(double value)
{
    return resultText(value);
}

QString valueText(qint32 value)
{
    return QString::number(value);
}

} // namespace ondal
