#include "platform/win32/registry_value.h"

#include <cstring>

namespace fw::win32 {

UniqueHKey OpenRegistryKey(HKEY root, const std::wstring& subkey, REGSAM access) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, subkey.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return UniqueHKey();
    }
    return UniqueHKey(key);
}

std::optional<RegistryValue> QueryRegistryValue(HKEY key, const std::wstring& name) {
    RegistryValue value;
    DWORD size = 0;
    LONG status = ::RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    // The value may grow between the size query and the read; ask again then.
    for (int attempt = 0; attempt < 8 && status == ERROR_SUCCESS; ++attempt) {
        value.data.assign(size, 0);
        DWORD got = size;
        status = ::RegQueryValueExW(key, name.c_str(), nullptr, &value.type,
                                    value.data.empty() ? nullptr : value.data.data(), &got);
        if (status == ERROR_SUCCESS) {
            value.data.resize(got);
            return value;
        }
        if (status == ERROR_MORE_DATA) {
            size = got > size ? got : size * 2;
            status = ERROR_SUCCESS;
        }
    }
    return std::nullopt;
}

std::wstring TextOfRegistryValue(const RegistryValue& value) {
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) {
        return L"";
    }
    std::wstring text(value.data.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) {
        std::memcpy(text.data(), value.data.data(), text.size() * sizeof(wchar_t));
    }
    auto end = text.find(L'\0');
    if (end != std::wstring::npos) {
        text.resize(end);
    }
    return text;
}

std::optional<DWORD> DwordOfRegistryValue(const RegistryValue& value) {
    bool fits = value.type == REG_DWORD || value.type == REG_BINARY || value.type == REG_QWORD;
    if (!fits || value.data.size() < sizeof(DWORD)) {
        return std::nullopt;
    }
    DWORD number = 0;
    std::memcpy(&number, value.data.data(), sizeof(number));
    return number;
}

std::optional<unsigned long long> QwordOfRegistryValue(const RegistryValue& value) {
    bool fits = value.type == REG_QWORD || value.type == REG_BINARY;
    if (!fits || value.data.size() < sizeof(unsigned long long)) {
        return std::nullopt;
    }
    unsigned long long number = 0;
    std::memcpy(&number, value.data.data(), sizeof(number));
    return number;
}

}  // namespace fw::win32
