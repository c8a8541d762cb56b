// Exercises the advapi32 registry backend on a real (wine's) registry, and the
// .reg stand-in over the same keys, with the same questions: each must answer
// as RegQueryValueExA does. Built with mingw-w64 by scripts/wincheck, free of
// Qt; prints "wincheck: N passed, M failed" and exits non-zero on a failure.
//
// The program writes its own keys under HKEY_LOCAL_MACHINE\SOFTWARE (under
// HKEY_CURRENT_USER where the machine key refuses) and deletes them again.

#include "platform/RegFile.h"
#include "platform/RegFileRegistry.h"
#include "platform/Registry.h"
#include "platform/WinRegistry.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

using namespace ondal::platform;
using namespace std::string_literals;

namespace {

constexpr const char *TestKey = "SOFTWARE\\Ondal Registry Check";
constexpr const char *DeepKey = "SOFTWARE\\Ondal Registry Check\\Deep\\Er";

struct Value
{
    const char *name; // "" for the default value
    std::uint32_t type;
    std::string data; // as the ANSI query hands it out, NULs included
};

// What the check writes and expects back. The text values carry their
// terminating NUL in the stored size, as RegSetValueExA is told (given a
// text without it, RegSetValueExA stores one all the same). ASCII only: the
// ANSI code page of the machine decides what other characters come back as.
const std::vector<Value> &values()
{
    static const std::vector<Value> table = {
        {"", RegSz, "default\0"s},
        {"PATH", RegSz, "C:\\Program Files\\Tools\\msinfo32.exe\0"s},
        {"Count", RegDword, "\xcd\xab\x00\x00"s},
        {"Expand", RegExpandSz, "%SystemRoot%\\system32\0"s},
        {"Embedded", RegSz, "ab\0cd\0"s},
        {"Empty", RegSz, "\0"s},
        {"Multi", RegMultiSz, "one\0two\0\0"s},
        {"Bytes", RegBinary, "\x01\xff\x00\x7f"s},
    };
    return table;
}

int passed = 0;
int failed = 0;

void check(bool ok, const std::string &what)
{
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAIL %s\n", what.c_str());
    }
}

std::string hexOf(std::string_view bytes)
{
    std::string out;
    char buffer[4];
    for (unsigned char c : bytes) {
        std::snprintf(buffer, sizeof buffer, "%s%02x", out.empty() ? "" : ",", c);
        out += buffer;
    }
    return out;
}

// The bytes as UTF-16LE hex, as regedit writes text types in a 5.00 file.
std::string utf16Hex(std::string_view ascii)
{
    std::string wide;
    for (char c : ascii) {
        wide += c;
        wide += '\0';
    }
    return hexOf(wide);
}

// The same keys as a .reg file for the stand-in.
std::string regFileText(const std::string &rootName)
{
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
    text += "[" + rootName + "\\" + TestKey + "]\r\n";
    for (const Value &v : values()) {
        text += v.name[0] ? "\""s + v.name + "\"=" : "@="s;
        if (v.type == RegDword)
            text += "dword:0000abcd";
        else if (v.type == RegBinary)
            text += "hex:" + hexOf(v.data);
        else
            text += "hex(" + std::to_string(v.type) + "):" + utf16Hex(v.data);
        text += "\r\n";
    }
    text += "\r\n[" + rootName + "\\" + DeepKey + "]\r\n\"Leaf\"=dword:00000001\r\n";
    return text;
}

// --- Writing the keys through advapi32 itself --------------------------------

bool writeKeys(HKEY root)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, TestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (const Value &v : values()) {
        ok = ok &&
             RegSetValueExA(key, v.name, 0, v.type, reinterpret_cast<const BYTE *>(v.data.data()),
                            static_cast<DWORD>(v.data.size())) == ERROR_SUCCESS;
    }
    RegCloseKey(key);

    HKEY deep = nullptr;
    ok = ok && RegCreateKeyExA(root, DeepKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &deep,
                               nullptr) == ERROR_SUCCESS;
    if (deep) {
        const DWORD one = 1;
        ok = ok && RegSetValueExA(deep, "Leaf", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&one),
                                  sizeof one) == ERROR_SUCCESS;
        RegCloseKey(deep);
    }
    return ok;
}

void deleteKeys(HKEY root)
{
    RegDeleteKeyA(root, DeepKey);
    RegDeleteKeyA(root, "SOFTWARE\\Ondal Registry Check\\Deep");
    RegDeleteKeyA(root, TestKey);
}

// --- The questions, put to either backend -----------------------------------

void checkBackend(Registry &registry, const std::string &label, std::uint32_t rootValue)
{
    const RegHandle root = rootHandle(rootValue);
    RegHandle key = 0;
    check(registry.regOpenKeyEx(root, TestKey, 0, KeyRead, &key) == ErrorSuccess && key != 0,
          label + ": open the test key for reading");

    for (const Value &v : values()) {
        const std::string what = label + ": value \"" + v.name + "\"";
        const auto needed = static_cast<std::uint32_t>(v.data.size());

        // The size alone, as a caller asks before allocating.
        std::uint32_t type = 0xFFFF;
        std::uint32_t size = 0;
        long status = registry.regQueryValueEx(key, v.name, nullptr, &type, nullptr, &size);
        check(status == ErrorSuccess && type == v.type && size == needed,
              what + ": size query gives status " + std::to_string(status) + ", type " +
                  std::to_string(type) + ", size " + std::to_string(size) + " (expected type " +
                  std::to_string(v.type) + ", size " + std::to_string(needed) + ")");

        // The data into a buffer of exactly that size; the byte after it
        // stays untouched.
        std::string buffer(needed + 1, '\x5A');
        size = needed;
        type = 0xFFFF;
        status = registry.regQueryValueEx(key, v.name, nullptr, &type,
                                          reinterpret_cast<unsigned char *>(buffer.data()), &size);
        check(status == ErrorSuccess && type == v.type && size == needed &&
                  buffer.substr(0, needed) == v.data && buffer[needed] == '\x5A',
              what + ": data query gives status " + std::to_string(status) + ", size " +
                  std::to_string(size) + ", bytes " + hexOf(buffer.substr(0, size)) +
                  " (expected " + hexOf(v.data) + ")");

        // A buffer one byte short: ErrorMoreData with the size needed.
        if (needed > 0) {
            size = needed - 1;
            status =
                registry.regQueryValueEx(key, v.name, nullptr, &type,
                                         reinterpret_cast<unsigned char *>(buffer.data()), &size);
            check(status == ErrorMoreData && size == needed,
                  what + ": short buffer gives status " + std::to_string(status) + ", size " +
                      std::to_string(size) + " (expected 234, " + std::to_string(needed) + ")");
        }

        // The type alone.
        type = 0xFFFF;
        status = registry.regQueryValueEx(key, v.name, nullptr, &type, nullptr, nullptr);
        check(status == ErrorSuccess && type == v.type,
              what + ": type query gives status " + std::to_string(status));
    }

    // The default value by a null name too.
    std::uint32_t size = 0;
    std::uint32_t type = 0;
    check(registry.regQueryValueEx(key, nullptr, nullptr, &type, nullptr, &size) == ErrorSuccess &&
              type == RegSz && size == 8,
          label + ": the default value by a null name");

    // A missing value.
    size = 0;
    long status = registry.regQueryValueEx(key, "No such value", nullptr, &type, nullptr, &size);
    check(status == ErrorFileNotFound,
          label + ": missing value gives status " + std::to_string(status) + " (expected 2)");

    // A key below an open one, by its relative path.
    RegHandle deep = 0;
    status = registry.regOpenKeyEx(key, "Deep\\Er", 0, KeyRead, &deep);
    check(status == ErrorSuccess && deep != 0,
          label + ": open a key relative to an open key: status " + std::to_string(status));
    if (status == ErrorSuccess) {
        std::uint32_t leaf = 0;
        size = sizeof leaf;
        check(registry.regQueryValueEx(deep, "Leaf", nullptr, &type,
                                       reinterpret_cast<unsigned char *>(&leaf),
                                       &size) == ErrorSuccess &&
                  type == RegDword && size == 4 && leaf == 1,
              label + ": read a value of the deeper key");
        check(registry.regCloseKey(deep) == ErrorSuccess, label + ": close the deeper key");
    }

    // An intermediate key without values of its own exists all the same.
    RegHandle middle = 0;
    status =
        registry.regOpenKeyEx(root, "SOFTWARE\\Ondal Registry Check\\Deep", 0, KeyRead, &middle);
    check(status == ErrorSuccess,
          label + ": open a key that holds only a key: status " + std::to_string(status));
    if (status == ErrorSuccess)
        registry.regCloseKey(middle);

    // Closing, and closing twice.
    check(registry.regCloseKey(key) == ErrorSuccess, label + ": close the test key");
    status = registry.regCloseKey(key);
    check(status == ErrorInvalidHandle, label + ": closing a closed key gives status " +
                                            std::to_string(status) + " (expected 6)");

    // A missing key: no handle.
    RegHandle missing = 12345;
    status = registry.regOpenKeyEx(root, "SOFTWARE\\Ondal Registry Check\\Missing", 0, KeyRead,
                                   &missing);
    check(status == ErrorFileNotFound && missing == 0,
          label + ": missing key gives status " + std::to_string(status) + " (expected 2)");
}

} // namespace

int main()
{
    // Plain line feeds, so the lines read the same as on the host.
    _setmode(_fileno(stdout), _O_BINARY);

    // HKEY_LOCAL_MACHINE when the account may write there, else the user's key.
    std::uint32_t rootValue = HKeyLocalMachine;
    std::string rootName = "HKEY_LOCAL_MACHINE";
    HKEY root = HKEY_LOCAL_MACHINE;
    deleteKeys(root);
    if (!writeKeys(root)) {
        deleteKeys(root);
        rootValue = 0x80000001u;
        rootName = "HKEY_CURRENT_USER";
        root = HKEY_CURRENT_USER;
        deleteKeys(root);
        if (!writeKeys(root)) {
            deleteKeys(root);
            std::printf("FAIL cannot write test keys under HKEY_LOCAL_MACHINE or "
                        "HKEY_CURRENT_USER\nwincheck: 0 passed, 1 failed\n");
            return 1;
        }
    }
    std::printf("test keys written under %s\\%s\n", rootName.c_str(), TestKey);

    static_assert(sizeof(HKEY) == sizeof(RegHandle));
    check(reinterpret_cast<RegHandle>(HKEY_LOCAL_MACHINE) == rootHandle(HKeyLocalMachine),
          "rootHandle(HKeyLocalMachine) is HKEY_LOCAL_MACHINE");

    WinRegistry windows;
    checkBackend(windows, "advapi32", rootValue);

    const RegFileParse parse = parseRegFile(regFileText(rootName));
    check(parse.ok(), "the .reg text of the same keys reads: " + parse.error + " at line " +
                          std::to_string(parse.line));
    RegFileRegistry standIn([keys = parse.keys] { return keys; });
    checkBackend(standIn, ".reg stand-in", rootValue);
    check(standIn.openKeyCount() == 0, ".reg stand-in: every key closed");

    deleteKeys(root);
    RegHandle gone = 0;
    const long status = windows.regOpenKeyEx(rootHandle(rootValue), TestKey, 0, KeyRead, &gone);
    check(status == ErrorFileNotFound, "advapi32: the test key is gone after the check");

    std::printf("wincheck: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
