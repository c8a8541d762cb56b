// The .reg reader fed any bytes. It must refuse or read the whole file, never
// a part; what it reads must be well formed; the same text read as UTF-8,
// UTF-8 with a byte-order mark or UTF-16LE must give the same keys or the same
// refusal; and the read-only registry over those keys must hand every value
// back as RegQueryValueExA would.

#include "FuzzCheck.h"

#include "platform/RegFile.h"
#include "platform/RegFileRegistry.h"
#include "platform/Registry.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace ondal::platform;

namespace {

struct Root
{
    std::string_view name;
    std::uint32_t value;
};

constexpr std::array<Root, 5> Roots = {{
    {"HKEY_CLASSES_ROOT", 0x80000000u},
    {"HKEY_CURRENT_USER", 0x80000001u},
    {"HKEY_LOCAL_MACHINE", HKeyLocalMachine},
    {"HKEY_USERS", 0x80000003u},
    {"HKEY_CURRENT_CONFIG", 0x80000005u},
}};

std::string where(const RegFileParse &parse)
{
    return "error \"" + parse.error + "\" at line " + std::to_string(parse.line) + ", " +
           std::to_string(parse.keys.size()) + " keys";
}

// Strict UTF-8 to code points (no overlong forms, no surrogates); nullopt for
// anything else.
std::optional<std::vector<std::uint32_t>> decodeUtf8(std::string_view bytes)
{
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
        const unsigned char lead = byte(i);
        std::size_t length = 0;
        std::uint32_t code = 0;
        std::uint32_t minimum = 0;
        if (lead < 0x80) {
            length = 1, code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1Fu, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0Fu, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07u, minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + length > bytes.size())
            return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (byte(i + k) & 0x3Fu);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        out.push_back(code);
        i += length;
    }
    return out;
}

std::string utf16Le(const std::vector<std::uint32_t> &codes)
{
    std::string out = "\xFF\xFE";
    const auto unit = [&out](std::uint32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    for (std::uint32_t code : codes) {
        if (code >= 0x10000) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
    }
    return out;
}

bool sameParse(const RegFileParse &a, const RegFileParse &b)
{
    return a.keys == b.keys && a.error == b.error && a.line == b.line;
}

// The keys' shape: a known root, then non-empty parts. (Values may have any
// size, whatever their type: hex(4):01 is a one-byte dword, as regedit
// exports one.)
void checkKeys(const RegFileParse &parse)
{
    for (const auto &[path, values] : parse.keys) {
        const std::string_view root = std::string_view(path).substr(0, path.find('\\'));
        bool known = false;
        for (const Root &r : Roots)
            known = known || equalsIgnoringCase(r.name, root);
        ONDAL_FUZZ_CHECK(known, "key \"" + path + "\" under no known root");
        ONDAL_FUZZ_CHECK(path.back() != '\\' && path.find("\\\\") == std::string::npos,
                         "key \"" + path + "\" has an empty part");
    }
}

// Opens every key through the registry stand-in and queries every value the
// way the About box's launcher does: size first, then the data, and a buffer
// one byte short must say ErrorMoreData with the size needed.
void checkRegistry(const RegKeys &keys)
{
    RegFileRegistry registry([&keys] { return keys; });
    std::size_t opened = 0;
    for (const auto &[path, values] : keys) {
        if (++opened > 32)
            break;
        const std::size_t slash = path.find('\\');
        const std::string_view rootName = std::string_view(path).substr(0, slash);
        std::uint32_t rootValue = 0;
        for (const Root &r : Roots) {
            if (equalsIgnoringCase(r.name, rootName))
                rootValue = r.value;
        }
        const std::string subKey =
            slash == std::string::npos ? std::string() : path.substr(slash + 1);
        RegHandle key = 0;
        const long status =
            registry.regOpenKeyEx(rootHandle(rootValue), subKey.c_str(), 0, KeyRead, &key);
        ONDAL_FUZZ_CHECK(status == ErrorSuccess && key != 0,
                         "key \"" + path + "\" did not open: " + std::to_string(status));

        for (const auto &[name, value] : values) {
            const std::string what = "value \"" + name + "\" of \"" + path + "\"";
            std::uint32_t type = 0xFFFF;
            std::uint32_t size = 0;
            ONDAL_FUZZ_CHECK(registry.regQueryValueEx(key, name.c_str(), nullptr, &type, nullptr,
                                                      &size) == ErrorSuccess,
                             what + ": size query failed");
            ONDAL_FUZZ_CHECK(type == value.type && size == value.data.size(),
                             what + ": type or size differs");
            std::vector<unsigned char> buffer(size + 1, 0xAA);
            std::uint32_t got = size;
            ONDAL_FUZZ_CHECK(registry.regQueryValueEx(key, name.c_str(), nullptr, &type,
                                                      buffer.data(), &got) == ErrorSuccess &&
                                 got == size &&
                                 std::equal(value.data.begin(), value.data.end(), buffer.begin()) &&
                                 buffer[size] == 0xAA,
                             what + ": data differs or the buffer was overrun");
            if (size > 0) {
                std::uint32_t shortSize = size - 1;
                ONDAL_FUZZ_CHECK(registry.regQueryValueEx(key, name.c_str(), nullptr, &type,
                                                          buffer.data(),
                                                          &shortSize) == ErrorMoreData &&
                                     shortSize == size,
                                 what + ": a short buffer was not refused");
            }
        }
        std::uint32_t size = 0;
        const std::string missing = "\x01missing";
        ONDAL_FUZZ_CHECK(values.count(missing) != 0 ||
                             registry.regQueryValueEx(key, missing.c_str(), nullptr, nullptr,
                                                      nullptr, &size) == ErrorFileNotFound,
                         "a missing value of \"" + path + "\" was found");
        ONDAL_FUZZ_CHECK(registry.regCloseKey(key) == ErrorSuccess,
                         "key \"" + path + "\" did not close");
    }
    ONDAL_FUZZ_CHECK(registry.openKeyCount() == 0, "keys left open");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const RegFileParse parse = parseRegFile(bytes);

    // All or nothing.
    if (!parse.ok())
        ONDAL_FUZZ_CHECK(parse.keys.empty(), where(parse));
    else
        ONDAL_FUZZ_CHECK(parse.line == 0, where(parse));
    checkKeys(parse);

    // The same text in the other encodings regedit writes.
    if (bytes.substr(0, 3) != "\xEF\xBB\xBF" &&
        !(bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')) {
        if (const auto codes = decodeUtf8(bytes)) {
            const RegFileParse withMark = parseRegFile("\xEF\xBB\xBF" + std::string(bytes));
            ONDAL_FUZZ_CHECK(sameParse(parse, withMark),
                             "UTF-8: " + where(parse) +
                                 "; with a byte-order mark: " + where(withMark));
            const RegFileParse wide = parseRegFile(utf16Le(*codes));
            ONDAL_FUZZ_CHECK(sameParse(parse, wide),
                             "UTF-8: " + where(parse) + "; UTF-16LE: " + where(wide));
        }
    }

    if (parse.ok())
        checkRegistry(parse.keys);
    return 0;
}
