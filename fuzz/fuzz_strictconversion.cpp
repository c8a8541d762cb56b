// The strict conversion to double and to single fed any text: each gives a
// finite number or raises TypeMismatch or Overflow, and the two agree on
// what is a number at all.

#include "FuzzText.h"

#include "core/runtime/NumberRules.h"
#include "core/runtime/RuntimeError.h"

#include <cmath>
#include <limits>
#include <variant>

using namespace ondal;
using namespace ondal::fuzz;

namespace {

template <typename T> using Outcome = std::variant<T, RuntimeError::Code>;

template <typename T, typename Convert>
Outcome<T> convert(const FuzzText &in, Convert function, const char *name)
{
    try {
        const T value = function(in.text);
        ONDAL_FUZZ_CHECK(std::isfinite(value),
                         describe(in.text, in.locale) + " " + name + " gave " + describe(value));
        return value;
    } catch (const RuntimeError &error) {
        ONDAL_FUZZ_CHECK(error.code() == RuntimeError::TypeMismatch ||
                             error.code() == RuntimeError::Overflow,
                         describe(in.text, in.locale) + " " + name + " raised error " +
                             std::to_string(error.number()));
        return error.code();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzText in = takeFuzzText(data, size);
    const Outcome<double> asDouble = convert<double>(in, strictToDouble, "strictToDouble");
    const Outcome<float> asSingle = convert<float>(in, strictToSingle, "strictToSingle");

    // Blank text is never a number.
    if (in.text.trimmed().isEmpty()) {
        ONDAL_FUZZ_CHECK(std::holds_alternative<RuntimeError::Code>(asDouble) &&
                             std::get<RuntimeError::Code>(asDouble) == RuntimeError::TypeMismatch,
                         describe(in.text, in.locale) + " was taken for a number");
    }

    // The same text is a number for both or for neither.
    const auto mismatch = [](const auto &outcome) {
        return std::holds_alternative<RuntimeError::Code>(outcome) &&
               std::get<RuntimeError::Code>(outcome) == RuntimeError::TypeMismatch;
    };
    ONDAL_FUZZ_CHECK(mismatch(asDouble) == mismatch(asSingle),
                     describe(in.text, in.locale) + " is a number for one type only");
    if (mismatch(asDouble))
        return 0;

    // What overflows a double overflows a single.
    if (!std::holds_alternative<double>(asDouble)) {
        ONDAL_FUZZ_CHECK(!std::holds_alternative<float>(asSingle),
                         describe(in.text, in.locale) + " overflows a double, not a single");
        return 0;
    }
    const double d = std::get<double>(asDouble);
    constexpr double floatMax = std::numeric_limits<float>::max();

    if (!std::holds_alternative<float>(asSingle)) {
        // A single overflows only beyond the largest float.
        ONDAL_FUZZ_CHECK(std::fabs(d) > floatMax,
                         describe(in.text, in.locale) + " overflowed a single at " + describe(d));
        return 0;
    }
    const float f = std::get<float>(asSingle);

    // The single is the digits rounded straight to float; the double rounded
    // on to float may differ from it by one step at most (double rounding).
    if (std::fabs(d) > floatMax) {
        ONDAL_FUZZ_CHECK(std::fabs(f) == std::numeric_limits<float>::max(),
                         describe(in.text, in.locale) + " fits a single as " + describe(f));
        return 0;
    }
    const float viaDouble = static_cast<float>(d);
    const bool near = f == viaDouble ||
                      f == std::nextafter(viaDouble, std::numeric_limits<float>::infinity()) ||
                      f == std::nextafter(viaDouble, -std::numeric_limits<float>::infinity());
    ONDAL_FUZZ_CHECK(near, describe(in.text, in.locale) + ": single " + describe(f) + ", double " +
                               describe(d));
    return 0;
}
