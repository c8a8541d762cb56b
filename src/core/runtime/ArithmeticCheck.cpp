#include "core/runtime/ArithmeticCheck.h"

#include "core/runtime/RuntimeError.h"

#include <cmath>

namespace ondal {

// Each operation works out which IEEE exception the hardware would have
// flagged, from its operands and result, rather than reading the floating-
// point environment: the compiler is free to fold or reorder arithmetic
// around fetestexcept(), but not around these explicit tests.

double ArithmeticCheck::note(double result, double a, double b)
{
    const bool operandsFinite = std::isfinite(a) && std::isfinite(b);
    if (std::isnan(result) && !std::isnan(a) && !std::isnan(b))
        m_invalid = true; // inf - inf, 0 * inf, inf / inf
    else if (std::isinf(result) && operandsFinite)
        m_overflow = true;
    return result;
}

double ArithmeticCheck::add(double a, double b)
{
    return note(a + b, a, b);
}

double ArithmeticCheck::sub(double a, double b)
{
    return note(a - b, a, b);
}

double ArithmeticCheck::mul(double a, double b)
{
    return note(a * b, a, b);
}

double ArithmeticCheck::div(double a, double b)
{
    if (b == 0.0 && !std::isnan(a)) {
        if (a == 0.0)
            m_invalid = true; // 0 / 0
        else if (std::isfinite(a))
            m_divideByZero = true;
        // inf / 0 is an exact infinity: no exception of its own.
        return a / b;
    }
    return note(a / b, a, b);
}

void ArithmeticCheck::check()
{
    const bool divideByZero = m_divideByZero;
    const bool overflow = m_overflow;
    const bool invalid = m_invalid;
    m_divideByZero = m_overflow = m_invalid = false;

    // The classic runtime reports an invalid operation (0/0) as an overflow.
    if (invalid || overflow)
        throw RuntimeError(RuntimeError::Overflow);
    if (divideByZero)
        throw RuntimeError(RuntimeError::DivisionByZero);
}

} // namespace ondal
