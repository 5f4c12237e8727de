#pragma once
// Raw registry reads shared by the settings registry and the system facts.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/handles.h"

namespace fw::win32 {

struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// Opens an existing key; never creates one. Empty when it cannot be opened.
UniqueHKey OpenRegistryKey(HKEY root, const std::wstring& subkey, REGSAM access);

// The value's type and bytes, or nothing when the value is absent or unreadable.
std::optional<RegistryValue> QueryRegistryValue(HKEY key, const std::wstring& name);

// The text of a REG_SZ or REG_EXPAND_SZ value up to its first NUL (stored data
// need not be terminated); "" for a value of any other type.
std::wstring TextOfRegistryValue(const RegistryValue& value);

// A REG_DWORD, or a REG_BINARY/REG_QWORD of at least four bytes read as its low
// 32 bits; nothing for anything else.
std::optional<DWORD> DwordOfRegistryValue(const RegistryValue& value);

// A REG_QWORD or a REG_BINARY of eight bytes; nothing for anything else.
std::optional<unsigned long long> QwordOfRegistryValue(const RegistryValue& value);

}  // namespace fw::win32
