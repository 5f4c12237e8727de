#pragma once
// The five facts about the machine that head every report.
#include <string>

#include "platform/system_sources.h"

namespace fw {

struct SystemFacts {
    std::string OperatingSystem;
    std::string SystemMemory;
    std::string CpuName;
    std::string CpuSpeed;
    std::string GraphicsCard;
};

// The display adapter's name and memory, "%s - %d MB", read under the busy
// cursor; the cursor comes back even when a source throws.
std::string cmRefresh(SystemSources& sources);

// Reads the sources in the order operating system, memory, processor name,
// processor clock, graphics card. Errors of a source go to the caller.
SystemFacts CollectSystemFacts(SystemSources& sources);

}  // namespace fw
