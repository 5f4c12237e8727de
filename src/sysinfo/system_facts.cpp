#include "sysinfo/system_facts.h"

#include <cstdint>

namespace fw {
namespace {

constexpr int kMebibyteShift = 20;

// The hourglass for as long as the adapter is being read.
class BusyCursor {
public:
    explicit BusyCursor(SystemSources& sources) : sources_(sources) {
        sources_.SetBusyCursor(true);
    }
    ~BusyCursor() { sources_.SetBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    SystemSources& sources_;
};

}  // namespace

std::string cmRefresh(SystemSources& sources) {
    BusyCursor busy(sources);
    std::string name = sources.AdapterName();
    // The adapter's count is 32-bit, so a card of 4 GiB or more shows at most 4095 MB.
    const std::uint32_t megabytes = sources.AdapterMemory() >> kMebibyteShift;
    return name + " - " + std::to_string(megabytes) + " MB";
}

SystemFacts CollectSystemFacts(SystemSources& sources) {
    SystemFacts facts;
    facts.OperatingSystem = sources.ProductName();
    const std::uint64_t memoryMegabytes = sources.TotalPhysicalMemory() >> kMebibyteShift;
    facts.SystemMemory = std::to_string(memoryMegabytes) + " MB";
    facts.CpuName = sources.CpuBrand();
    facts.CpuSpeed = std::to_string(sources.CpuMegahertz());
    facts.GraphicsCard = cmRefresh(sources);
    return facts;
}

}  // namespace fw
