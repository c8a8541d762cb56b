// The result-text rule and the single-precision text rule fed any finite
// number. The text must have the documented shape, take the plain form from
// 0.0001 up to below 1E+15 (1E+07 for a single) and, below 0.0001, wherever
// at most 15 (7) decimal places do, and reading it back must land within the
// rounding of its digits:
//
// A double written with 15 significant digits d1.d2...d15 x 10^e moves by at
// most half a unit of the 15th digit, 0.5 x 10^(e-14) <= 5e-15 |x|, since
// |x| >= 10^e. Reading those digits back rounds once more to the nearest
// double, by at most half an ulp: 2^-53 |d| for a normal number, half the
// smallest subnormal below that. So
//     |back - x| <= |x| (5e-15 + 2^-53 (1 + 5e-15)) + 2^-1075,
// and likewise with 7 digits and 2^-24 for a single. Fifteen digits are at
// most DBL_DIG, so in the normal range the digits read back are written out
// unchanged a second time.
//
// Input: the first byte picks the locale (see FuzzText.h), the next eight are
// a double, the four after that a float; short inputs are padded with zeros.

#include "FuzzText.h"

#include "core/runtime/NumberRules.h"
#include "core/runtime/RuntimeError.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

using namespace ondal;
using namespace ondal::fuzz;

namespace {

struct Shape
{
    bool ok = false;
    int significantDigits = 0;
    bool exponentForm = false;
    int exponent = 0; // power of ten of the leading digit
    int places = 0;   // decimal places the digits need when written plainly
};

// Whether the rule writes a number of this exponent and these places plainly.
bool plainWanted(const Shape &shape, int precision)
{
    if (shape.exponent >= -4)
        return shape.exponent < precision;
    return shape.places <= precision;
}

// Checks the text against the rule: "-" for negatives, no blanks, no group
// separators, the locale's decimal separator, a zero before it below 1, no
// trailing zeros after it, and "d.dddE+XX" (at least two exponent digits)
// where an exponent is written.
Shape shapeOf(const QString &text, const QString &point)
{
    Shape shape;
    qsizetype i = 0;
    if (i < text.size() && text.at(i) == u'-')
        ++i;
    const qsizetype intStart = i;
    while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 0x80)
        ++i;
    const QString whole = text.mid(intStart, i - intStart);
    if (whole.isEmpty() || (whole.size() > 1 && whole.front() == u'0'))
        return shape;
    QString fraction;
    if (QStringView(text).mid(i).startsWith(point)) {
        i += point.size();
        const qsizetype fracStart = i;
        while (i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9')
            ++i;
        fraction = text.mid(fracStart, i - fracStart);
        if (fraction.isEmpty() || fraction.back() == u'0')
            return shape;
    }
    const bool exponentForm = i < text.size();
    if (exponentForm) {
        const QStringView rest = QStringView(text).mid(i);
        if (rest.size() < 4 || rest.at(0) != u'E' || (rest.at(1) != u'+' && rest.at(1) != u'-'))
            return shape;
        for (qsizetype k = 2; k < rest.size(); ++k) {
            if (rest.at(k) < u'0' || rest.at(k) > u'9')
                return shape;
        }
        // One leading digit, not zero, in the exponent form.
        if (whole.size() != 1 || whole == u"0")
            return shape;
        shape.exponentForm = true;
        shape.exponent = rest.mid(2).toInt() * (rest.at(1) == u'-' ? -1 : 1);
        shape.places = static_cast<int>(fraction.size()) - shape.exponent;
    } else if (whole != u"0") {
        shape.exponent = static_cast<int>(whole.size()) - 1;
        shape.places = static_cast<int>(fraction.size());
    } else {
        qsizetype firstDigit = 0;
        while (firstDigit < fraction.size() && fraction.at(firstDigit) == u'0')
            ++firstDigit;
        if (firstDigit == fraction.size())
            return shape; // "0.000" is not how zero is written
        shape.exponent = -static_cast<int>(firstDigit) - 1;
        shape.places = static_cast<int>(fraction.size());
    }
    // Significant digits: leading zeros (of "0.000123") do not count.
    QString digits = whole + fraction;
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    shape.significantDigits = static_cast<int>(digits.size());
    shape.ok = true;
    return shape;
}

template <typename T> T take(const std::uint8_t *data, std::size_t size, std::size_t offset)
{
    std::array<unsigned char, sizeof(T)> bytes{};
    if (offset < size)
        std::memcpy(bytes.data(), data + offset, std::min(sizeof(T), size - offset));
    T value;
    std::memcpy(&value, bytes.data(), sizeof(T));
    return value;
}

void checkDouble(double x, const QLocale &locale)
{
    const QString text = resultText(x);
    const std::string what = "resultText(" + describe(x) + ") = " + describe(text, locale);
    if (x == 0.0) {
        ONDAL_FUZZ_CHECK(text == u"0", what);
        return;
    }
    const Shape shape = shapeOf(text, locale.decimalPoint());
    ONDAL_FUZZ_CHECK(shape.ok && shape.significantDigits <= 15, what);
    ONDAL_FUZZ_CHECK(shape.exponentForm != plainWanted(shape, 15), what);

    double back = 0;
    try {
        back = numberEntry(text);
    } catch (const RuntimeError &error) {
        // Fifteen digits of the largest doubles round up past the largest
        // double, and reading that back overflows as any such number does.
        const QString largest =
            QStringLiteral("1") + locale.decimalPoint() + QStringLiteral("79769313486232E+308");
        ONDAL_FUZZ_CHECK(error.code() == RuntimeError::Overflow &&
                             (text == largest || text == u'-' + largest),
                         what + " did not read back: error " + std::to_string(error.number()));
        return;
    }
    const double bound = std::fabs(x) * (5e-15 + 0x1p-53 * (1 + 5e-15)) * (1 + 0x1p-50) +
                         std::numeric_limits<double>::denorm_min();
    ONDAL_FUZZ_CHECK(std::fabs(back - x) <= bound, what + " read back as " + describe(back));

    // The strict conversion reads the same text to the same double.
    try {
        const double strict = strictToDouble(text);
        ONDAL_FUZZ_CHECK(strict == back, what + " strictly read as " + describe(strict));
    } catch (const RuntimeError &error) {
        ONDAL_FUZZ_CHECK(false, what + " strictly raised error " + std::to_string(error.number()));
    }

    if (std::fabs(x) >= 2 * DBL_MIN) {
        const QString again = resultText(back);
        ONDAL_FUZZ_CHECK(again == text,
                         what + " read back and written again as " + describe(again, locale));
    }
}

void checkSingle(float f, const QLocale &locale)
{
    const QString text = singleText(f);
    const std::string what =
        "singleText(" + describe(static_cast<double>(f)) + ") = " + describe(text, locale);
    if (f == 0.0f) {
        ONDAL_FUZZ_CHECK(text == u"0", what);
        return;
    }
    const Shape shape = shapeOf(text, locale.decimalPoint());
    ONDAL_FUZZ_CHECK(shape.ok && shape.significantDigits <= 7, what);
    ONDAL_FUZZ_CHECK(shape.exponentForm != plainWanted(shape, 7), what);

    // Seven digits never round past the largest float (3.402823E+38), so the
    // text always reads back as a single.
    float back = 0;
    try {
        back = strictToSingle(text);
    } catch (const RuntimeError &error) {
        ONDAL_FUZZ_CHECK(false, what + " strictly raised error " + std::to_string(error.number()));
    }
    const double x = f;
    const double bound = std::fabs(x) * (5e-7 + 0x1p-24 * (1 + 5e-7)) * (1 + 0x1p-40) +
                         static_cast<double>(std::numeric_limits<float>::denorm_min());
    ONDAL_FUZZ_CHECK(std::fabs(static_cast<double>(back) - x) <= bound,
                     what + " read back as " + describe(static_cast<double>(back)));

    // Number entry reads the seven digits as a double, nearer still.
    const double entered = numberEntry(text);
    const double entryBound = std::fabs(x) * (5e-7 + 0x1p-53) * (1 + 0x1p-40);
    ONDAL_FUZZ_CHECK(std::fabs(entered - x) <= entryBound,
                     what + " entered as " + describe(entered));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::uint8_t selector = size > 0 ? data[0] : 0;
    const QLocale &locale = fuzzLocales()[selector & 7u];
    QLocale::setDefault(locale);

    const double x = take<double>(data, size, 1);
    if (std::isfinite(x))
        checkDouble(x, locale);
    const float f = take<float>(data, size, 9);
    if (std::isfinite(f))
        checkSingle(f, locale);
    return 0;
}
