#include "core/runtime/RuntimeError.h"

namespace ondal {

RuntimeError::RuntimeError(Code code) : m_code(code) {}

QString RuntimeError::descriptionOf(Code code)
{
    switch (code) {
    case InvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case Overflow:
        return QStringLiteral("Overflow");
    case DivisionByZero:
        return QStringLiteral("Division by zero");
    case TypeMismatch:
        return QStringLiteral("Type mismatch");
    }
    return QStringLiteral("Application-defined or object-defined error");
}

QString RuntimeError::description() const
{
    return descriptionOf(m_code);
}

const char *RuntimeError::what() const noexcept
{
    switch (m_code) {
    case InvalidProcedureCall:
        return "Invalid procedure call or argument";
    case Overflow:
        return "Overflow";
    case DivisionByZero:
        return "Division by zero";
    case TypeMismatch:
        return "Type mismatch";
    }
    return "Application-defined or object-defined error";
}

} // namespace ondal
