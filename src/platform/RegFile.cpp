#include "platform/RegFile.h"

#include "platform/Registry.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>

namespace ondal::platform {
namespace {

constexpr std::string_view Version5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view Version4Header = "REGEDIT4";

constexpr std::array<std::string_view, 5> RootNames = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                       "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                                       "HKEY_CURRENT_CONFIG"};

unsigned char lowerAscii(unsigned char c) noexcept
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool isBlank(char c) noexcept
{
    return c == ' ' || c == '\t';
}

std::string_view trimLeft(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view trimRight(std::string_view text)
{
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string_view trim(std::string_view text)
{
    return trimLeft(trimRight(text));
}

int hexDigit(char c) noexcept
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// 1 to maxDigits hexadecimal digits, the whole text.
std::optional<std::uint32_t> parseHex(std::string_view text, std::size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

void appendUtf8(std::string &out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16LE (an even number of bytes) to UTF-8; a lone surrogate becomes
// U+FFFD.
std::string utf16LeToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t first = unit(i);
        if (first >= 0xD800 && first <= 0xDBFF && i + 3 < bytes.size()) {
            const std::uint32_t second = unit(i + 2);
            if (second >= 0xDC00 && second <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendUtf8(out, (first >= 0xD800 && first <= 0xDFFF) ? 0xFFFDu : first);
    }
    return out;
}

// A quoted string starting at text[0] == '"'; \\ and \" are the only escapes.
// On return text is left just past the closing quote.
std::optional<std::string> takeQuoted(std::string_view &text, std::string &error)
{
    std::string out;
    std::size_t i = 1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            break;
        if (c == '\\') {
            if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) {
                error = "a backslash in a quoted text must be written \\\\ (or \\\" for a quote)";
                return std::nullopt;
            }
            out += text[++i];
            continue;
        }
        out += c;
    }
    if (i >= text.size()) {
        error = "a quoted text has no closing quote";
        return std::nullopt;
    }
    text.remove_prefix(i + 1);
    return out;
}

class Parser
{
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    RegFileParse run()
    {
        RegFileParse result;
        bool headerSeen = false;
        while (nextLine()) {
            const std::string_view line = trim(m_line);
            if (!headerSeen) {
                if (line.empty())
                    continue;
                if (line == Version5Header) {
                    m_unicode = true;
                } else if (line != Version4Header) {
                    return fail(result, "the file does not begin with \"Windows Registry Editor "
                                        "Version 5.00\"");
                }
                headerSeen = true;
                continue;
            }
            if (line.empty() || line.front() == ';')
                continue;
            std::string error;
            if (line.front() == '[')
                error = section(line);
            else
                error = value(line);
            if (!error.empty())
                return fail(result, error);
        }
        if (!headerSeen)
            return fail(result, "the file is empty");
        result.keys = std::move(m_keys);
        return result;
    }

private:
    bool nextLine()
    {
        if (m_pos > m_text.size())
            return false;
        const std::size_t end = std::min(m_text.find('\n', m_pos), m_text.size());
        m_line = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 1;
        ++m_lineNumber;
        return true;
    }

    RegFileParse &fail(RegFileParse &result, std::string reason)
    {
        result.keys.clear();
        result.error = std::move(reason);
        result.line = m_lineNumber;
        return result;
    }

    std::string section(std::string_view line)
    {
        if (line.back() != ']')
            return "a key line must end with \"]\"";
        std::string_view path = line.substr(1, line.size() - 2);
        const bool remove = !path.empty() && path.front() == '-';
        if (remove)
            path.remove_prefix(1);
        const std::string_view root = path.substr(0, path.find('\\'));
        const bool knownRoot =
            std::any_of(RootNames.begin(), RootNames.end(),
                        [&](std::string_view r) { return equalsIgnoringCase(r, root); });
        if (!knownRoot)
            return "a key must begin with a root such as HKEY_LOCAL_MACHINE";
        if (path.find("\\\\") != std::string_view::npos || path.back() == '\\')
            return "a key path has an empty part";
        if (remove) {
            m_current = nullptr;
            removeTree(path);
            return {};
        }
        m_current = &m_keys[std::string(path)];
        return {};
    }

    void removeTree(std::string_view path)
    {
        const std::string prefix = std::string(path) + '\\';
        m_keys.erase(std::string(path));
        auto it = m_keys.lower_bound(prefix);
        while (it != m_keys.end() && it->first.size() >= prefix.size() &&
               equalsIgnoringCase(std::string_view(it->first).substr(0, prefix.size()), prefix))
            it = m_keys.erase(it);
    }

    std::string value(std::string_view line)
    {
        if (!m_current)
            return "a value stands before any key, or under a removed key";
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else if (line.front() == '"') {
            std::string error;
            const auto quoted = takeQuoted(line, error);
            if (!quoted)
                return error;
            name = *quoted;
        } else {
            return "a value line must begin with a quoted name or @";
        }
        line = trimLeft(line);
        if (line.empty() || line.front() != '=')
            return "a value name must be followed by \"=\"";
        line = trimLeft(line.substr(1));

        if (line == "-") {
            m_current->erase(name);
            return {};
        }
        RegValue value;
        if (!line.empty() && line.front() == '"') {
            std::string error;
            const auto text = takeQuoted(line, error);
            if (!text)
                return error;
            if (!trim(line).empty())
                return "text follows the closing quote of a value";
            value.type = RegSz;
            value.data.assign(text->begin(), text->end());
            value.data.push_back(0);
        } else if (equalsIgnoringCase(line.substr(0, 6), "dword:")) {
            const auto number = parseHex(trim(line.substr(6)), 8);
            if (!number)
                return "dword: must be followed by one to eight hexadecimal digits";
            value.type = RegDword;
            for (int shift = 0; shift < 32; shift += 8)
                value.data.push_back(static_cast<unsigned char>((*number >> shift) & 0xFF));
        } else if (equalsIgnoringCase(line.substr(0, 3), "hex")) {
            std::string error = hexValue(line.substr(3), value);
            if (!error.empty())
                return error;
        } else {
            return "a value must be a \"text\", dword:, hex: or hex(N):";
        }
        (*m_current)[name] = std::move(value);
        return {};
    }

    // After "hex": either ":" (binary) or "(N):", then bytes "aa,bb,..." with
    // lines continued by a trailing backslash.
    std::string hexValue(std::string_view rest, RegValue &value)
    {
        value.type = RegBinary;
        if (!rest.empty() && rest.front() == '(') {
            const std::size_t close = rest.find(')');
            if (close == std::string_view::npos)
                return "hex( has no closing \")\"";
            const auto type = parseHex(rest.substr(1, close - 1), 8);
            if (!type)
                return "hex(N) needs a hexadecimal type number N";
            value.type = *type;
            rest.remove_prefix(close + 1);
        }
        if (rest.empty() || rest.front() != ':')
            return "hex data must follow \":\"";
        rest.remove_prefix(1);

        std::string joined(trimRight(rest));
        while (!joined.empty() && joined.back() == '\\') {
            joined.pop_back();
            if (!nextLine())
                return "the file ends inside continued hex data";
            joined += trim(m_line);
        }

        std::string bytes;
        std::string_view list = trim(joined);
        while (!list.empty()) {
            const std::size_t comma = list.find(',');
            const std::string_view item = trim(list.substr(0, comma));
            const auto byte = parseHex(item, 2);
            if (!byte)
                return "hex data must be bytes of one or two hexadecimal digits, comma-separated";
            bytes += static_cast<char>(*byte);
            if (comma == std::string_view::npos)
                break;
            list.remove_prefix(comma + 1);
            if (trim(list).empty())
                return "hex data ends with a comma";
        }

        const bool text =
            value.type == RegSz || value.type == RegExpandSz || value.type == RegMultiSz;
        if (text && m_unicode) {
            if (bytes.size() % 2 != 0)
                return "hex data of a text type must hold whole UTF-16 characters";
            bytes = utf16LeToUtf8(bytes);
        }
        value.data.assign(bytes.begin(), bytes.end());
        return {};
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string_view m_line;
    std::size_t m_lineNumber = 0;
    bool m_unicode = false;
    RegKeys m_keys;
    RegValues *m_current = nullptr;
};

} // namespace

bool CaseInsensitiveLess::operator()(std::string_view a, std::string_view b) const noexcept
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return lowerAscii(static_cast<unsigned char>(x)) <
               lowerAscii(static_cast<unsigned char>(y));
    });
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(static_cast<unsigned char>(x)) ==
                      lowerAscii(static_cast<unsigned char>(y));
           });
}

RegFileParse parseRegFile(std::string_view bytes)
{
    std::string decoded;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        if (bytes.size() % 2 != 0) {
            RegFileParse odd;
            odd.error = "a UTF-16 file with an odd number of bytes";
            return odd;
        }
        decoded = utf16LeToUtf8(bytes.substr(2));
        bytes = decoded;
    } else if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    if (bytes.find('\0') != std::string_view::npos) {
        RegFileParse binary;
        binary.error = "the file holds NUL characters; it is not a text file";
        return binary;
    }
    return Parser(bytes).run();
}

RegFileParse readRegFile(const std::vector<std::string> &candidates, std::string *usedPath)
{
    namespace fs = std::filesystem;
    RegFileParse result;
    for (const std::string &candidate : candidates) {
        std::error_code ec;
        if (candidate.empty() || !fs::exists(candidate, ec))
            continue;
        if (usedPath)
            *usedPath = candidate;
        if (!fs::is_regular_file(candidate, ec)) {
            result.error = "not a regular file";
            return result;
        }
        // Read one byte past the limit to tell a file that is too large.
        std::ifstream in(candidate, std::ios::binary);
        std::string bytes(MaxRegFileSize + 1, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!in.is_open() || in.bad()) {
            result.error = "cannot be read";
            return result;
        }
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > MaxRegFileSize) {
            result.error = "larger than a registry file can be";
            return result;
        }
        return parseRegFile(bytes);
    }
    result.error = "no registry file";
    return result;
}

} // namespace ondal::platform
