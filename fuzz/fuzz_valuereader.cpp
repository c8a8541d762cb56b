// The one reader of a value read whole, fed any text under four rules (a
// tide's height in metres, a draught from 0, a share with bounds in words,
// and a bare number without bounds): it never reads a text as long as its
// field, a value read is finite and within its bounds, and a refusal quotes
// at most 15 characters of what was typed, so every line that words one
// stays short.

#include "FuzzText.h"

#include "core/runtime/LineText.h"
#include "core/runtime/ValueReader.h"

#include <cmath>

using namespace ondal;
using namespace ondal::fuzz;
using namespace Qt::StringLiterals;

namespace {

// Fifteen characters and the two quotation marks.
constexpr qsizetype LongestQuote = 17;

void check(const FuzzText &in, const ValueRule &rule)
{
    const ValueRead read = readValue(in.text, rule);
    const std::string what = describe(in.text, in.locale) + " with unit " + rule.unit.toStdString();
    if (read) {
        ONDAL_FUZZ_CHECK(in.text.size() < ValueFieldLength, what + " read a text cut short");
        ONDAL_FUZZ_CHECK(std::isfinite(*read.value) && *read.value >= rule.least &&
                             *read.value <= rule.greatest,
                         what + " read " + describe(*read.value));
        return;
    }
    ONDAL_FUZZ_CHECK(quotedText(read.refusal.typed).size() <= LongestQuote,
                     what + " quotes too much");
    ONDAL_FUZZ_CHECK(quotedText(read.refusal.detail).size() <= LongestQuote,
                     what + " quotes too much of the part read");
    ONDAL_FUZZ_CHECK(refusalText(u"Value"_s, read.refusal).startsWith(u"Value: "_s),
                     what + " is worded without its label");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzText in = takeFuzzText(data, size);
    check(in, {-100.0, 100.0, u"m"_s});
    check(in, {0.0, 100.0, u"m"_s});
    check(in, {0.0, 100.0, u"%"_s, u"0 to 100 % of the draught"_s});
    check(in, {});
    return 0;
}
