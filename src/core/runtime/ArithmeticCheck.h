#pragma once

namespace ondal {

// Double arithmetic that remembers the floating-point exceptions it met, the
// way the FPU's status word does, so that check() can raise the matching
// run-time error after a calculation: division by zero (11), overflow (6)
// and invalid operation such as 0/0 (6). Underflow and inexact results are
// not errors.
//
//     ArithmeticCheck fp;
//     const double p = fp.add(l, fp.div(fp.mul(r, fp.sub(d, i)), d));
//     fp.check(); // throws RuntimeError
class ArithmeticCheck
{
public:
    double add(double a, double b);
    double sub(double a, double b);
    double mul(double a, double b);
    double div(double a, double b);

    // Clears the record and throws the error for what it held: Overflow for
    // an overflow or invalid operation, else DivisionByZero; nothing if the
    // calculation met neither.
    void check();

    bool divideByZero() const noexcept { return m_divideByZero; }
    bool overflow() const noexcept { return m_overflow; }
    bool invalid() const noexcept { return m_invalid; }

private:
    double note(double result, double a, double b);

    bool m_divideByZero = false;
    bool m_overflow = false;
    bool m_invalid = false;
};

} // namespace ondal
