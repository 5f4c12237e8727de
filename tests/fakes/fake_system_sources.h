#pragma once
// System facts from fixed values; every read and cursor change is recorded in
// order, and the adapter can be made to fail.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/system_sources.h"

namespace fw {

class FakeSystemSources : public SystemSources {
public:
    std::string productName = "Windows XP";
    std::uint64_t physicalMemory = 0;
    std::string cpuBrand;
    int cpuMegahertz = 0;
    std::string adapterName;
    std::uint32_t adapterMemory = 0;
    bool adapterFails = false;
    bool busy = false;
    std::vector<std::string> calls;

    std::string ProductName() override {
        calls.push_back("ProductName");
        return productName;
    }
    std::uint64_t TotalPhysicalMemory() override {
        calls.push_back("TotalPhysicalMemory");
        return physicalMemory;
    }
    std::string CpuBrand() override {
        calls.push_back("CpuBrand");
        return cpuBrand;
    }
    int CpuMegahertz() override {
        calls.push_back("CpuMegahertz");
        return cpuMegahertz;
    }
    std::string AdapterName() override {
        calls.push_back("AdapterName");
        if (adapterFails) {
            throw std::runtime_error("display adapter unreadable");
        }
        return adapterName;
    }
    std::uint32_t AdapterMemory() override {
        calls.push_back("AdapterMemory");
        return adapterMemory;
    }
    void SetBusyCursor(bool on) override {
        calls.push_back(on ? "BusyCursor" : "DefaultCursor");
        busy = on;
    }
};

}  // namespace fw
