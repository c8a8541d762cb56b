#include "core/runtime/RuntimeError.h"

namespace ondal {
namespace {

struct ErrorText
{
    RuntimeError::Code code;
    const char *text;
};

// The runtime's own texts for the errors the program can raise.
constexpr ErrorText Texts[] = {
    {RuntimeError::InvalidProcedureCall, "Invalid procedure call or argument"},
    {RuntimeError::Overflow, "Overflow"},
    {RuntimeError::DivisionByZero, "Division by zero"},
    {RuntimeError::TypeMismatch, "Type mismatch"},
};

constexpr const char *textOf(RuntimeError::Code code)
{
    for (const ErrorText &entry : Texts) {
        if (entry.code == code)
            return entry.text;
    }
    return "Application-defined or object-defined error";
}

} // namespace

RuntimeError::RuntimeError(Code code) : m_code(code) {}

QString RuntimeError::descriptionOf(Code code)
{
    return QString::fromLatin1(textOf(code));
}

QString RuntimeError::description() const
{
    return descriptionOf(m_code);
}

const char *RuntimeError::what() const noexcept
{
    return textOf(m_code);
}

} // namespace ondal
