#include <windows.h>

#include "checks.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/system_sources_win32.h"

namespace fw::check {

void CheckShell(CheckLog& log) {
    log.Section("shell");
    win32::Win32Shell shell;
    // The shell's work runs in the background, so even a missing file returns at once.
    const DWORD before = ::GetTickCount();
    shell.Open("C:\\no\\such\\folder\\Help.pdf");
    log.Expect(::GetTickCount() - before < 1000, "opening returns without waiting for the shell");
}

void CheckSystemSources(CheckLog& log) {
    log.Section("system");
    win32::Win32SystemSources system;
    std::string product = system.ProductName();
    log.Info("product name: " + product);
    log.Expect(!product.empty(), "ProductName is read from the registry");
    std::uint64_t memory = system.TotalPhysicalMemory();
    log.Info("memory: " + std::to_string(memory >> 20) + " MB");
    log.Expect(memory > (64ull << 20), "TotalPhysicalMemory is the machine's memory");
    std::string brand = system.CpuBrand();
    log.Info("cpu: \"" + brand + "\"");
    log.Expect(!brand.empty() && brand.size() <= 48 && brand.find('\0') == std::string::npos,
               "CpuBrand is the processor's text up to its first NUL");
    int megahertz = system.CpuMegahertz();
    log.Info("cpu speed: " + std::to_string(megahertz) + " MHz");
    log.Expect(megahertz > 100 && megahertz < 20000, "CpuMegahertz is a plausible clock");
    log.Info("adapter: \"" + system.AdapterName() + "\" - " +
             std::to_string(system.AdapterMemory() >> 20) + " MB");
    system.SetBusyCursor(true);
    log.Expect(::GetCursor() == ::LoadCursorW(nullptr, IDC_WAIT),
               "SetBusyCursor shows the hourglass");
    system.SetBusyCursor(false);
    log.Expect(::GetCursor() == ::LoadCursorW(nullptr, IDC_ARROW), "and the arrow again");
}

}  // namespace fw::check
