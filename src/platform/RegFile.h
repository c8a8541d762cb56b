#pragma once

// The .reg export text format ("Windows Registry Editor Version 5.00" or
// "REGEDIT4") read into a map of keys and values. Qt-free and a pure function
// of its input, so it can be fed anything.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ondal::platform {

// Orders names as the registry compares them: ASCII letters without regard
// to case, every other byte as it is.
struct CaseInsensitiveLess
{
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
};

bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept;

struct RegValue
{
    std::uint32_t type = 0;
    // As RegQueryValueExA hands it out: text values in the ANSI code page
    // (UTF-8 here), with the terminating NUL that a quoted string implies.
    std::vector<unsigned char> data;

    bool operator==(const RegValue &) const = default;
};

// Value name ("" for the default value "@") to value.
using RegValues = std::map<std::string, RegValue, CaseInsensitiveLess>;
// Full key path with its root ("HKEY_LOCAL_MACHINE\SOFTWARE\...") to values.
using RegKeys = std::map<std::string, RegValues, CaseInsensitiveLess>;

struct RegFileParse
{
    RegKeys keys;         // empty whenever error is set
    std::string error;    // why the file was refused; empty when it was read
    std::size_t line = 0; // the line (from 1) where that was found, 0 for none

    bool ok() const noexcept { return error.empty(); }
};

// Reads a whole .reg file. A file that is not wholly well formed yields no
// keys at all and the reason, never a part of it. UTF-8 (with or without a
// byte-order mark) and UTF-16LE with its byte-order mark, as regedit writes,
// are understood; CRLF or LF line ends. Understood lines: blank lines,
// ";" comments, [key] and [-key] sections, and "name"= or @= followed by a
// "string" (with \\ and \" escapes), dword:xxxxxxxx, hex:bytes, hex(N):bytes
// (continued over lines by a trailing "\"), or "-" to delete the value. In a
// version 5.00 file, hex data of the text types (1, 2 and 7) is UTF-16LE and
// is kept as UTF-8, as the ANSI query would return it.
RegFileParse parseRegFile(std::string_view bytes);

// Files larger than this are refused as unreadable.
inline constexpr std::size_t MaxRegFileSize = 1024 * 1024;

// Reads the first of the candidate files that exists. A candidate that
// exists but cannot be read, is too large or is malformed gives an error and
// no keys; the later candidates are not tried then. No file at all gives no
// keys and an error too. usedPath, when given, receives the file chosen.
RegFileParse readRegFile(const std::vector<std::string> &candidates,
                         std::string *usedPath = nullptr);

} // namespace ondal::platform
