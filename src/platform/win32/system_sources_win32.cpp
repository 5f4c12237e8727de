#include "platform/win32/system_sources_win32.h"

#include <windows.h>

#include <cpuid.h>
#include <x86intrin.h>

#include <cmath>
#include <cstring>
#include <optional>

#include "common/text.h"
#include "platform/win32/registry_value.h"

namespace fw::win32 {

namespace {

// Read in the view a program of this build sees by default, as the system's
// own tools do; these keys are the same in both views.
std::optional<RegistryValue> MachineValue(const std::wstring& subkey, const std::wstring& name) {
    UniqueHKey key = OpenRegistryKey(HKEY_LOCAL_MACHINE, subkey, KEY_QUERY_VALUE);
    if (!key) {
        return std::nullopt;
    }
    return QueryRegistryValue(key.Get(), name);
}

std::optional<DISPLAY_DEVICEW> PrimaryDisplayDevice() {
    DISPLAY_DEVICEW device{};
    device.cb = sizeof(device);
    for (DWORD n = 0; ::EnumDisplayDevicesW(nullptr, n, &device, 0); ++n) {
        if ((device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) != 0) {
            return device;
        }
        device = DISPLAY_DEVICEW{};
        device.cb = sizeof(device);
    }
    return std::nullopt;
}

// The driver's key is given in the kernel's form, "\Registry\Machine\System\...".
std::wstring MachineSubkeyOf(std::wstring kernelKey) {
    constexpr std::wstring_view kMachinePrefix = L"\\registry\\machine\\";
    if (kernelKey.size() >= kMachinePrefix.size() &&
        ::CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, kernelKey.c_str(),
                         static_cast<int>(kMachinePrefix.size()), kMachinePrefix.data(),
                         static_cast<int>(kMachinePrefix.size())) == CSTR_EQUAL) {
        return kernelKey.substr(kMachinePrefix.size());
    }
    return kernelKey;
}

// The time-stamp counter against the performance counter over a short span.
int MeasuredMegahertz() {
    LARGE_INTEGER frequency{}, start{}, now{};
    if (!::QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) {
        return 0;
    }
    const LONGLONG span = frequency.QuadPart / 20;  // 50 ms
    ::QueryPerformanceCounter(&start);
    unsigned long long cyclesAtStart = __rdtsc();
    do {
        ::QueryPerformanceCounter(&now);
    } while (now.QuadPart - start.QuadPart < span);
    unsigned long long cycles = __rdtsc() - cyclesAtStart;
    double seconds = static_cast<double>(now.QuadPart - start.QuadPart) /
                     static_cast<double>(frequency.QuadPart);
    return static_cast<int>(std::lround(static_cast<double>(cycles) / seconds / 1e6));
}

}  // namespace

std::string Win32SystemSources::ProductName() {
    for (const wchar_t* key : {L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                               L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion"}) {
        if (auto value = MachineValue(key, L"ProductName")) {
            return Cp1252FromWide(TextOfRegistryValue(*value));
        }
    }
    return "";
}

std::uint64_t Win32SystemSources::TotalPhysicalMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    return ::GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

std::string Win32SystemSources::CpuBrand() {
    unsigned int highest = __get_cpuid_max(0x80000000, nullptr);
    if (highest < 0x80000004) {
        return "";
    }
    char brand[48] = {};
    for (unsigned int part = 0; part < 3; ++part) {
        unsigned int registers[4] = {};
        __get_cpuid(0x80000002 + part, &registers[0], &registers[1], &registers[2], &registers[3]);
        std::memcpy(brand + part * 16, registers, 16);
    }
    return std::string(brand, strnlen(brand, sizeof(brand)));
}

int Win32SystemSources::CpuMegahertz() {
    if (auto value = MachineValue(L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", L"~MHz")) {
        if (value->type == REG_DWORD) {
            if (auto megahertz = DwordOfRegistryValue(*value)) {
                return static_cast<int>(*megahertz);
            }
        }
    }
    return MeasuredMegahertz();
}

std::string Win32SystemSources::AdapterName() {
    auto device = PrimaryDisplayDevice();
    return device ? Cp1252FromWide(device->DeviceString) : "";
}

std::uint32_t Win32SystemSources::AdapterMemory() {
    auto device = PrimaryDisplayDevice();
    if (!device) {
        return 0;
    }
    std::wstring driverKey = MachineSubkeyOf(device->DeviceKey);
    if (auto value = MachineValue(driverKey, L"HardwareInformation.MemorySize")) {
        if (auto bytes = DwordOfRegistryValue(*value)) {
            return *bytes;
        }
    }
    // Drivers of cards with more than 4 GiB record a 64-bit size instead.
    if (auto value = MachineValue(driverKey, L"HardwareInformation.qwMemorySize")) {
        if (auto bytes = QwordOfRegistryValue(*value)) {
            return *bytes > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(*bytes);
        }
    }
    return 0;
}

void Win32SystemSources::SetBusyCursor(bool busy) {
    ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

}  // namespace fw::win32
