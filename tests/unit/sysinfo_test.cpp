#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/fake_system_sources.h"
#include "sysinfo/system_facts.h"

namespace fw {
namespace {

TEST(CollectSystemFacts, MemoryInWholeMebibytesFromTheFull64BitCount) {
    struct Case {
        std::uint64_t bytes;
        const char* text;
    };
    const Case cases[] = {
        {2147483648ULL, "2048 MB"}, {3220000000ULL, "3070 MB"},  // remainder dropped
        {8589934592ULL, "8192 MB"},                              // more than 4 GiB shows in full
        {1048575ULL, "0 MB"},       {0ULL, "0 MB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        FakeSystemSources sources;
        sources.physicalMemory = c.bytes;
        EXPECT_EQ(CollectSystemFacts(sources).SystemMemory, c.text);
    }
}

TEST(CollectSystemFacts, GraphicsCardNamesTheAdapterAndIts32BitMemory) {
    struct Case {
        const char* name;
        std::uint32_t bytes;
        const char* text;
    };
    const Case cases[] = {
        {"NVIDIA GeForce 8800 GTX", 536870912U, "NVIDIA GeForce 8800 GTX - 512 MB"},
        {"ATI Radeon HD 3870", 4294967295U, "ATI Radeon HD 3870 - 4095 MB"},
        {"Wine Display", 0U, "Wine Display - 0 MB"},
        {"", 0U, " - 0 MB"},  // an unreadable adapter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FakeSystemSources sources;
        sources.adapterName = c.name;
        sources.adapterMemory = c.bytes;
        EXPECT_EQ(CollectSystemFacts(sources).GraphicsCard, c.text);
        EXPECT_EQ(cmRefresh(sources), c.text);
    }
}

TEST(CollectSystemFacts, TextsTakenAsTheSourcesGiveThemInTheReportOrder) {
    FakeSystemSources sources;
    sources.productName = "Microsoft Windows XP";
    sources.physicalMemory = 2147483648ULL;
    sources.cpuBrand = "       Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz";
    sources.cpuMegahertz = 2400;
    sources.adapterName = "NVIDIA GeForce 8800 GTX";
    sources.adapterMemory = 805306368U;

    const SystemFacts facts = CollectSystemFacts(sources);

    EXPECT_EQ(facts.OperatingSystem, "Microsoft Windows XP");
    EXPECT_EQ(facts.SystemMemory, "2048 MB");
    // Leading blanks of the brand string stay.
    EXPECT_EQ(facts.CpuName, "       Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz");
    EXPECT_EQ(facts.CpuSpeed, "2400");
    EXPECT_EQ(facts.GraphicsCard, "NVIDIA GeForce 8800 GTX - 768 MB");
    const std::vector<std::string> order = {
        "ProductName", "TotalPhysicalMemory", "CpuBrand",      "CpuMegahertz",
        "BusyCursor",  "AdapterName",         "AdapterMemory", "DefaultCursor",
    };
    EXPECT_EQ(sources.calls, order);
    EXPECT_FALSE(sources.busy);
}

TEST(CollectSystemFacts, EmptySourcesGiveEmptyTextsAndZeros) {
    FakeSystemSources sources;
    sources.productName = "";
    const SystemFacts facts = CollectSystemFacts(sources);
    EXPECT_EQ(facts.OperatingSystem, "");
    EXPECT_EQ(facts.CpuName, "");
    EXPECT_EQ(facts.CpuSpeed, "0");
    EXPECT_EQ(facts.GraphicsCard, " - 0 MB");
}

TEST(CmRefresh, CursorComesBackWhenTheAdapterCannotBeRead) {
    FakeSystemSources sources;
    sources.adapterFails = true;
    EXPECT_THROW(CollectSystemFacts(sources), std::runtime_error);
    EXPECT_FALSE(sources.busy);
    ASSERT_GE(sources.calls.size(), 2u);
    EXPECT_EQ(sources.calls[sources.calls.size() - 2], "AdapterName");
    EXPECT_EQ(sources.calls.back(), "DefaultCursor");
}

}  // namespace
}  // namespace fw
