#pragma once

#include <QString>

#include <exception>

namespace ondal {

// A run-time error with the number and text the classic runtime gives it.
// Every failure of a conversion or a calculation is one of these; the event
// handlers let it pass and reportUncaught() turns it into a message.
class RuntimeError : public std::exception
{
public:
    enum Code : int {
        InvalidProcedureCall = 5,
        Overflow = 6,
        DivisionByZero = 11,
        TypeMismatch = 13,
    };

    explicit RuntimeError(Code code);

    Code code() const noexcept { return m_code; }
    int number() const noexcept { return static_cast<int>(m_code); }
    // "Type mismatch", "Overflow", ...
    QString description() const;
    const char *what() const noexcept override;

    static QString descriptionOf(Code code);

private:
    Code m_code;
};

} // namespace ondal
