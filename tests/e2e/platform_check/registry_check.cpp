#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "checks.h"
#include "platform/win32/registry_win32.h"

namespace fw::check {

namespace {

constexpr wchar_t kParent[] = L"SOFTWARE\\Brimvale";
constexpr wchar_t kScratch[] = L"SOFTWARE\\Brimvale\\PlatformCheck";
constexpr char kKey[] = "\\SOFTWARE\\Brimvale\\PlatformCheck";
constexpr char kMissingKey[] = "\\SOFTWARE\\Brimvale\\PlatformCheck\\Missing";

// The product never creates keys; the installer does, so the check does it here.
HKEY CreateScratchKey() {
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                      nullptr, &key, nullptr);
    return key;
}

void RemoveScratchKey() {
    HKEY parent = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kParent, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                        &parent) == ERROR_SUCCESS) {
        ::RegDeleteTreeW(parent, L"PlatformCheck");
        ::RegCloseKey(parent);
    }
}

bool KeyOpensInView(const wchar_t* subkey, REGSAM view) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, subkey, 0, KEY_QUERY_VALUE | view, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

struct RawValue {
    const wchar_t* name;
    DWORD type;
    std::vector<BYTE> bytes;
    const char* expected;
};

std::vector<BYTE> BytesOf(const wchar_t* text, size_t byteCount) {
    std::vector<BYTE> bytes(byteCount);
    std::memcpy(bytes.data(), text, byteCount);
    return bytes;
}

}  // namespace

void CheckRegistry(CheckLog& log) {
    log.Section("registry");
    RemoveScratchKey();
    HKEY raw = CreateScratchKey();
    log.Expect(raw != nullptr, "scratch key created in the 32-bit view");
    if (raw == nullptr) {
        return;
    }
    win32::Win32Registry registry;

    log.Expect(registry.KeyExists(kKey), "KeyExists finds the key named with a leading backslash");
    log.Expect(registry.KeyExists("SOFTWARE\\Brimvale\\PlatformCheck"),
               "KeyExists finds the key named without a leading backslash");
    log.Expect(!registry.KeyExists(kMissingKey), "KeyExists is false for a missing key");
    log.Expect(!KeyOpensInView(L"SOFTWARE\\Brimvale\\PlatformCheck\\Missing", KEY_WOW64_32KEY),
               "KeyExists does not create the missing key");
    log.Expect(registry.CanOpenForWrite(kKey), "CanOpenForWrite on the existing key");
    log.Expect(!registry.CanOpenForWrite(kMissingKey),
               "CanOpenForWrite is false for a missing key");

    const std::string path =
        "C:\\Games\\Crysis\\Bin64\\ 1024\xD7"
        "768";
    log.Expect(registry.WriteString(kKey, "Path", path), "WriteString into the existing key");
    log.ExpectEqual(registry.ReadString(kKey, "Path").value_or("<none>"), path,
                    "ReadString gives back the Windows-1252 text");
    log.Expect(registry.HasValue(kKey, "Path"), "HasValue for a written value");
    log.Expect(!registry.HasValue(kKey, "Nothing"), "HasValue is false for a missing value");
    log.Expect(!registry.ReadString(kKey, "Nothing").has_value(),
               "ReadString gives nothing for a missing value");
    log.Expect(!registry.ReadString(kMissingKey, "Path").has_value(),
               "ReadString gives nothing for a missing key");
    log.Expect(registry.WriteString(kKey, "Empty", ""), "WriteString of an empty text");
    log.ExpectEqual(registry.ReadString(kKey, "Empty").value_or("<none>"), std::string(),
                    "an empty text reads back as present and empty");

    DWORD type = 0;
    DWORD size = 0;
    ::RegQueryValueExW(raw, L"Path", nullptr, &type, nullptr, &size);
    log.Expect(type == REG_SZ, "the value is stored as REG_SZ");
    log.ExpectEqual(size, static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)),
                    "the stored text carries its terminating NUL");
#ifdef _WIN64
    log.Expect(!KeyOpensInView(kScratch, KEY_WOW64_64KEY),
               "a 64-bit build keeps the key out of the 64-bit view");
#endif

    log.Expect(!registry.WriteString(kMissingKey, "Path", "x"),
               "WriteString fails for a missing key");
    log.Expect(!KeyOpensInView(L"SOFTWARE\\Brimvale\\PlatformCheck\\Missing", KEY_WOW64_32KEY),
               "WriteString does not create the missing key");

    DWORD number = 1;
    const std::vector<RawValue> odd = {
        {L"Dword", REG_DWORD,
         std::vector<BYTE>(reinterpret_cast<BYTE*>(&number), reinterpret_cast<BYTE*>(&number) + 4),
         ""},
        {L"Expand", REG_EXPAND_SZ, BytesOf(L"%TEMP%\\x", 18), "%TEMP%\\x"},
        {L"Unterminated", REG_SZ, BytesOf(L"abc", 6), "abc"},
        {L"OddLength", REG_SZ, BytesOf(L"abcd", 7), "abc"},
        {L"NoBytes", REG_SZ, {}, ""},
        {L"InnerNul", REG_SZ, BytesOf(L"ab\0cd", 12), "ab"},
        {L"Multi", REG_MULTI_SZ, BytesOf(L"one\0two\0", 18), ""},
        {L"Binary", REG_BINARY, {0x41, 0x00, 0x42, 0x00}, ""},
    };
    for (const auto& value : odd) {
        ::RegSetValueExW(raw, value.name, 0, value.type,
                         value.bytes.empty() ? nullptr : value.bytes.data(),
                         static_cast<DWORD>(value.bytes.size()));
        std::string name(value.name, value.name + std::wcslen(value.name));
        log.ExpectEqual(registry.ReadString(kKey, name).value_or("<none>"),
                        std::string(value.expected), "ReadString of the odd value " + name);
    }

    ::RegCloseKey(raw);
    RemoveScratchKey();
}

}  // namespace fw::check
