#pragma once

// Turns fuzz input into a locale and a text for the number rules. The first
// byte picks the user's locale (its low three bits) and how the remaining
// bytes are decoded (bit 3: Latin-1, else UTF-8 with invalid sequences
// replaced), so one corpus covers full-stop, comma and Arabic decimal
// separators and signs of more than one character. The digits "0" to "7"
// pick the locales in order as UTF-8 and "8" to "?" as Latin-1, so a corpus
// file reading "11,25" is the text 1,25 in de_DE.

#include "FuzzCheck.h"

#include <QLocale>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace ondal::fuzz {

inline const std::array<QLocale, 8> &fuzzLocales()
{
    static const std::array<QLocale, 8> locales = {
        QLocale::c(),                     // full stop, "-"
        QLocale(QStringLiteral("de_DE")), // comma, "." groups
        QLocale(QStringLiteral("fr_FR")), // comma, narrow no-break space groups
        QLocale(QStringLiteral("ar_EG")), // U+066B, signs led by U+061C
        QLocale(QStringLiteral("fa_IR")), // U+066B, "\u200E\u2212" minus
        QLocale(QStringLiteral("sv_SE")), // comma, U+2212 minus
        QLocale(QStringLiteral("de_CH")), // full stop, U+2019 groups
        QLocale(QStringLiteral("ps_AF")), // U+066B, three-character signs
    };
    return locales;
}

struct FuzzText
{
    QLocale locale;
    QString text;
};

// Sets the default locale from the first byte and decodes the rest.
inline FuzzText takeFuzzText(const std::uint8_t *data, std::size_t size)
{
    FuzzText out;
    const std::uint8_t selector = size > 0 ? data[0] : 0;
    out.locale = fuzzLocales()[selector & 7u];
    QLocale::setDefault(out.locale);
    const char *bytes = size > 1 ? reinterpret_cast<const char *>(data + 1) : "";
    const qsizetype length = size > 1 ? static_cast<qsizetype>(size - 1) : 0;
    out.text =
        (selector & 8u) ? QString::fromLatin1(bytes, length) : QString::fromUtf8(bytes, length);
    return out;
}

// For failure messages: the text with every non-ASCII or control character
// as \uXXXX, and the locale's name.
inline std::string describe(const QString &text, const QLocale &locale)
{
    std::string out = "text \"";
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            out += static_cast<char>(c.unicode());
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", c.unicode());
            out += escaped;
        }
    }
    out += "\" in locale ";
    out += locale.name().toStdString();
    return out;
}

inline std::string describe(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g (%a)", value, value);
    return buffer;
}

} // namespace ondal::fuzz
