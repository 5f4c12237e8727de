#pragma once
// Where the report's system facts come from on Windows: the registry, the
// processor itself, the memory status and the display driver's records.
#include "platform/system_sources.h"

namespace fw::win32 {

class Win32SystemSources : public SystemSources {
public:
    std::string ProductName() override;
    std::uint64_t TotalPhysicalMemory() override;
    std::string CpuBrand() override;
    int CpuMegahertz() override;
    std::string AdapterName() override;
    std::uint32_t AdapterMemory() override;
    void SetBusyCursor(bool busy) override;
};

}  // namespace fw::win32
