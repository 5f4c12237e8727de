#pragma once
// Where the report's system facts come from.
#include <cstdint>
#include <string>

namespace fw {

class SystemSources {
public:
    virtual ~SystemSources() = default;
    // "ProductName" of the running Windows.
    virtual std::string ProductName() = 0;
    // Total physical memory in bytes, read at the time of the call.
    virtual std::uint64_t TotalPhysicalMemory() = 0;
    // The processor's brand string (at most 48 characters, up to the first NUL).
    virtual std::string CpuBrand() = 0;
    // The processor's normalised clock in whole MHz.
    virtual int CpuMegahertz() = 0;
    virtual std::string AdapterName() = 0;
    // The memory size the display driver records, in bytes.
    virtual std::uint32_t AdapterMemory() = 0;
    // The hourglass over the whole program while the adapter is read.
    virtual void SetBusyCursor(bool busy) = 0;
};

}  // namespace fw
