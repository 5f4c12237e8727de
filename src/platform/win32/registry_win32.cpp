#include "platform/win32/registry_win32.h"

#include "common/text.h"
#include "platform/win32/registry_value.h"

namespace fw::win32 {

namespace {

// Keys are named from the root ("\SOFTWARE\..."); the API wants them relative.
std::wstring SubkeyOf(const std::string& key) {
    std::wstring subkey = WideFromCp1252(key);
    auto first = subkey.find_first_not_of(L'\\');
    return first == std::wstring::npos ? std::wstring() : subkey.substr(first);
}

UniqueHKey Open(const std::string& key, REGSAM access) {
    return OpenRegistryKey(HKEY_LOCAL_MACHINE, SubkeyOf(key), access | KEY_WOW64_32KEY);
}

}  // namespace

bool Win32Registry::KeyExists(const std::string& key) {
    return Open(key, KEY_QUERY_VALUE).Valid();
}

bool Win32Registry::CanOpenForWrite(const std::string& key) {
    return Open(key, KEY_READ | KEY_WRITE).Valid();
}

bool Win32Registry::HasValue(const std::string& key, const std::string& name) {
    UniqueHKey handle = Open(key, KEY_QUERY_VALUE);
    if (!handle) {
        return false;
    }
    std::wstring wideName = WideFromCp1252(name);
    return ::RegQueryValueExW(handle.Get(), wideName.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

std::optional<std::string> Win32Registry::ReadString(const std::string& key,
                                                     const std::string& name) {
    UniqueHKey handle = Open(key, KEY_QUERY_VALUE);
    if (!handle) {
        return std::nullopt;
    }
    auto value = QueryRegistryValue(handle.Get(), WideFromCp1252(name));
    if (!value) {
        return std::nullopt;
    }
    return Cp1252FromWide(TextOfRegistryValue(*value));
}

bool Win32Registry::WriteString(const std::string& key, const std::string& name,
                                const std::string& value) {
    UniqueHKey handle = Open(key, KEY_SET_VALUE);
    if (!handle) {
        return false;
    }
    std::wstring wideName = WideFromCp1252(name);
    std::wstring wideValue = WideFromCp1252(value);
    auto bytes = static_cast<DWORD>((wideValue.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(handle.Get(), wideName.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(wideValue.c_str()),
                            bytes) == ERROR_SUCCESS;
}

}  // namespace fw::win32
