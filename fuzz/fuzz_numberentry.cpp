// The number-entry rule fed any text: it must give a finite number or raise
// Overflow, never anything else, and agree with the strict conversion
// wherever the whole text is a plain number in the user's format.

#include "FuzzText.h"

#include "core/runtime/NumberRules.h"
#include "core/runtime/RuntimeError.h"

#include <cmath>
#include <optional>

using namespace ondal;
using namespace ondal::fuzz;

namespace {

// The number-entry result, or nullopt for Overflow; any other error fails.
std::optional<double> entry(const FuzzText &in, const QString &text)
{
    try {
        const double value = numberEntry(text);
        ONDAL_FUZZ_CHECK(std::isfinite(value),
                         describe(text, in.locale) + " read " + describe(value));
        ONDAL_FUZZ_CHECK(!(value == 0.0 && std::signbit(value)),
                         describe(text, in.locale) + " read a negative zero");
        return value;
    } catch (const RuntimeError &error) {
        ONDAL_FUZZ_CHECK(error.code() == RuntimeError::Overflow,
                         describe(text, in.locale) + " raised error " +
                             std::to_string(error.number()));
        return std::nullopt;
    }
}

// True when the text holds nothing but ASCII digits, signs, exponent letters
// and the locale's own decimal separator: the strict conversion accepts no
// more than that here, and the number-entry rule reads all of it.
bool plainNumberCharacters(const QString &text, const QLocale &locale)
{
    const QString point = locale.decimalPoint();
    for (const QChar c : text) {
        const bool plain = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'e' ||
                           c == u'E' || c == u'.' || (point.size() == 1 && c == point.front());
        if (!plain)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzText in = takeFuzzText(data, size);
    const std::optional<double> value = entry(in, in.text);

    // A "&H" or "&O" literal is a 16- or 32-bit signed integer.
    const QString start = QString(in.text).remove(u' ').remove(u'\t').remove(u'\n');
    if (value && start.startsWith(u'&')) {
        ONDAL_FUZZ_CHECK(*value == std::trunc(*value) && *value >= -2147483648.0 &&
                             *value <= 2147483647.0,
                         describe(in.text, in.locale) + " read " + describe(*value));
    }

    // Where the strict conversion takes the whole text, the number-entry rule
    // reads the same value from it (or overflows alike).
    const QString trimmed = in.text.trimmed();
    if (!plainNumberCharacters(trimmed, in.locale))
        return 0;
    std::optional<double> strict;
    try {
        strict = strictToDouble(trimmed);
    } catch (const RuntimeError &error) {
        if (error.code() == RuntimeError::TypeMismatch)
            return 0;
        ONDAL_FUZZ_CHECK(error.code() == RuntimeError::Overflow,
                         describe(trimmed, in.locale) + " raised error " +
                             std::to_string(error.number()));
    }
    const std::optional<double> entered = entry(in, trimmed);
    ONDAL_FUZZ_CHECK(entered.has_value() == strict.has_value(),
                     describe(trimmed, in.locale) + (strict ? " overflowed only in number entry"
                                                            : " overflowed only when strict"));
    // Both read the same digits, rounded once; the strict rule keeps a
    // negative zero that number entry writes as 0.
    if (strict) {
        ONDAL_FUZZ_CHECK(*entered == *strict, describe(trimmed, in.locale) + ": entry " +
                                                  describe(*entered) + ", strict " +
                                                  describe(*strict));
    }
    return 0;
}
