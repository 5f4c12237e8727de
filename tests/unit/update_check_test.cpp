#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "fakes/fake_update_services.h"
#include "update/update_check.h"

namespace fw {
namespace {

const std::string kInfoAddress = "https://www.brimvale.example/benchmarks/framewright.inf";
const std::string kInfoKey = "https://www.brimvale.example:443/benchmarks/framewright.inf";
const std::string kDownloadUrl = "https://dl.brimvale.example/framewright-setup.exe";
const std::string kDownloadKey = "https://dl.brimvale.example:443/framewright-setup.exe";
const std::string kInstaller = "installer bytes";
const std::string kInstallerHash =
    "e34210a6de4f653edf588301431c3d69a633638cbf587345cc50a7fed9f38f4c";

std::string Info(const std::string& version, const std::string& url = kDownloadUrl,
                 const std::string& hash = kInstallerHash) {
    return "version=" + version + "\r\nurl=" + url + "\r\nsha256=" + hash + "\r\n";
}

FakeResponse Body(std::string body) {
    return FakeResponse{FetchResult::Ok, std::move(body)};
}
FakeResponse Failure(FetchResult result) {
    return FakeResponse{result, ""};
}

struct Check {
    FakeUpdateTransport transport;
    FakeDownloadStore store;
    std::vector<std::string> asked;
    bool answer = true;
    std::stop_source stop;
    std::function<void()> whileAsking;

    UpdateOutcome Run(UpdateCheckRequest request) {
        UpdateCheckServices services{transport, store,
                                     [this](const std::string& version) {
                                         asked.push_back(version);
                                         if (whileAsking) {
                                             whileAsking();
                                         }
                                         return answer;
                                     },
                                     stop.get_token()};
        return RunUpdateCheck(request, services);
    }
    bool Fetched(const std::string& key) const {
        return std::find(transport.fetched.begin(), transport.fetched.end(), key) !=
               transport.fetched.end();
    }
};

TEST(RunUpdateCheck, EachServerAnswerEndsInItsOutcome) {
    struct Case {
        const char* name;
        std::optional<FakeResponse> info;  // nothing: the host cannot be reached
        std::optional<FakeResponse> download;
        bool answer = true;
        UpdateOutcome expected = UpdateOutcome::NoUpdateAvailable;
        bool asked = false;
        bool ran = false;
    };
    FakeResponse oversizedInfo = Body(Info("2.0") + "# " + std::string(64 * 1024, 'x'));
    oversizedInfo.ignoresCap = true;
    oversizedInfo.pieceSize = 4096;
    const std::vector<Case> cases = {
        {"newer, yes", Body(Info("2.0.0.0")), Body(kInstaller), true,
         UpdateOutcome::InstallerStarted, true, true},
        {"newer, no", Body(Info("2.0.0.0")), Body(kInstaller), false, UpdateOutcome::LaterUpgrade,
         true, false},
        {"same version", Body(Info("1.0.0.0")), Body(kInstaller), true,
         UpdateOutcome::NoUpdateAvailable},
        {"older version", Body(Info("0.9")), Body(kInstaller), true,
         UpdateOutcome::NoUpdateAvailable},
        {"junk file", Body("<html>502 Bad Gateway</html>"), Body(kInstaller), true,
         UpdateOutcome::NoUpdateAvailable},
        {"hostile version", Body(Info("9999999999.x")), Body(kInstaller), true,
         UpdateOutcome::NoUpdateAvailable},
        {"hash not a hash", Body(Info("2.0", kDownloadUrl, "abc")), Body(kInstaller), true,
         UpdateOutcome::NoUpdateAvailable},
        {"download over plain http", Body(Info("2.0", "http://dl.brimvale.example/s.exe")),
         Body(kInstaller), true, UpdateOutcome::NoUpdateAvailable},
        {"information file over 64 KiB", oversizedInfo, Body(kInstaller), true,
         UpdateOutcome::NoUpdateAvailable},
        {"information file missing", Failure(FetchResult::HttpError), Body(kInstaller), true,
         UpdateOutcome::NoUpdateAvailable},
        {"host unreachable", std::nullopt, Body(kInstaller), true, UpdateOutcome::HostUnreachable},
        {"transfer broken", Failure(FetchResult::Unreachable), Body(kInstaller), true,
         UpdateOutcome::HostUnreachable},
        {"wrong hash", Body(Info("2.0")), Body("installer bytez"), true, UpdateOutcome::Aborted,
         true, false},
        {"download unreachable", Body(Info("2.0")), std::nullopt, true, UpdateOutcome::Aborted,
         true, false},
        {"download missing", Body(Info("2.0")), Failure(FetchResult::HttpError), true,
         UpdateOutcome::Aborted, true, false},
        {"download announced too large", Body(Info("2.0")), Failure(FetchResult::TooLarge), true,
         UpdateOutcome::Aborted, true, false},
        {"download redirected to an unusable address", Body(Info("2.0")),
         Failure(FetchResult::Refused), true, UpdateOutcome::Aborted, true, false},
        {"download not an installer", Body(Info("2.0", "https://dl.brimvale.example/s.zip")),
         Body(kInstaller), true, UpdateOutcome::Aborted, false, false},
    };
    for (const Case& c : cases) {
        Check check;
        check.answer = c.answer;
        if (c.info) {
            check.transport.responses[kInfoKey] = *c.info;
        }
        if (c.download) {
            check.transport.responses[kDownloadKey] = *c.download;
        }
        UpdateOutcome outcome = check.Run({kInfoAddress, "1.0.0.0"});
        EXPECT_EQ(outcome, c.expected) << c.name;
        EXPECT_EQ(!check.asked.empty(), c.asked) << c.name;
        EXPECT_EQ(check.store.ran, c.ran) << c.name;
        if (!c.ran && check.store.createdName) {
            EXPECT_TRUE(check.store.discarded) << c.name << ": a refused download must not stay";
        }
        if (!c.asked) {
            EXPECT_FALSE(check.Fetched(kDownloadKey)) << c.name;
        }
    }
}

TEST(RunUpdateCheck, AsksWithTheOfferedVersionAndRunsTheVerifiedBytes) {
    Check check;
    check.transport.responses[kInfoKey] = Body(Info("1.2.3"));
    check.transport.responses[kDownloadKey] = Body(kInstaller);
    EXPECT_EQ(check.Run({kInfoAddress, "1.0.0.0"}), UpdateOutcome::InstallerStarted);
    EXPECT_EQ(check.asked, std::vector<std::string>{"1.2.3"});
    EXPECT_EQ(check.store.createdName, "framewright-setup.exe");
    EXPECT_EQ(check.store.content, kInstaller);
    EXPECT_TRUE(check.store.sealed);
    EXPECT_FALSE(check.store.discarded);
    EXPECT_EQ(check.transport.fetched, (std::vector<std::string>{kInfoKey, kDownloadKey}));
}

TEST(RunUpdateCheck, PlainHttpServesOnlyFromThisMachine) {
    Check check;
    check.transport.responses["http://127.0.0.1:8765/framewright.inf"] =
        Body(Info("2.0", "http://localhost:8765/setup.cmd"));
    check.transport.responses["http://localhost:8765/setup.cmd"] = Body(kInstaller);
    EXPECT_EQ(check.Run({"http://127.0.0.1:8765/framewright.inf", "1.0.0.0"}),
              UpdateOutcome::InstallerStarted);
    EXPECT_EQ(check.store.createdName, "setup.cmd");

    // An information address we will not use is our refusal, not a lost connection;
    // nothing is fetched at all.
    for (const char* refused : {"http://www.brimvale.example/framewright.inf",
                                "ftp://www.brimvale.example/framewright.inf", "framewright.inf",
                                "https://user:pw@www.brimvale.example/framewright.inf"}) {
        Check other;
        EXPECT_EQ(other.Run({refused, "1.0.0.0"}), UpdateOutcome::Aborted) << refused;
        EXPECT_TRUE(other.transport.fetched.empty()) << refused;
    }
}

TEST(RunUpdateCheck, NeverRunsADownloadThatIsTooBigOrChangedOrUnwritten) {
    struct Case {
        const char* name;
        std::uint64_t cap;
        std::function<void(Check&)> arrange;
    };
    const std::vector<Case> cases = {
        {"server ignores the cap", kInstaller.size() - 1,
         [](Check& c) { c.transport.responses[kDownloadKey].ignoresCap = true; }},
        {"file changed on disk after writing", 1024,
         [](Check& c) { c.store.swappedContent = "evil bytes"; }},
        {"temporary file cannot be created", 1024, [](Check& c) { c.store.createFails = true; }},
        {"disk full while writing", 1024, [](Check& c) { c.store.writeFails = true; }},
        {"shell cannot start it", 1024, [](Check& c) { c.store.runFails = true; }},
    };
    for (const Case& c : cases) {
        Check check;
        check.transport.responses[kInfoKey] = Body(Info("2.0"));
        check.transport.responses[kDownloadKey] = Body(kInstaller);
        c.arrange(check);
        UpdateCheckRequest request{kInfoAddress, "1.0.0.0"};
        request.maxDownloadBytes = c.cap;
        EXPECT_EQ(check.Run(request), UpdateOutcome::Aborted) << c.name;
        EXPECT_FALSE(check.store.ran) << c.name;
        EXPECT_LE(check.store.content.size(), request.maxDownloadBytes) << c.name;
        if (check.store.createdName) {
            EXPECT_TRUE(check.store.discarded) << c.name;
        }
    }
}

TEST(RunUpdateCheck, AnUpdaterThatGoesAwayReportsNothingAndRunsNothing) {
    {
        Check check;
        check.transport.responses[kInfoKey] = Body(Info("2.0"));
        check.transport.responses[kDownloadKey] = Body(kInstaller);
        check.whileAsking = [&check] { check.stop.request_stop(); };
        check.answer = false;  // how the question answers once the updater is gone
        EXPECT_EQ(check.Run({kInfoAddress, "1.0.0.0"}), UpdateOutcome::Cancelled);
        EXPECT_FALSE(check.Fetched(kDownloadKey));
    }
    {
        Check check;
        check.transport.responses[kInfoKey] = Body(Info("2.0"));
        check.transport.responses[kDownloadKey] = Body(kInstaller);
        check.whileAsking = [&check] { check.stop.request_stop(); };
        check.answer = true;  // answered yes just before the updater went away
        EXPECT_EQ(check.Run({kInfoAddress, "1.0.0.0"}), UpdateOutcome::Cancelled);
        EXPECT_FALSE(check.store.ran);
    }
    {
        Check check;
        check.transport.responses[kInfoKey] = Body(Info("2.0"));
        check.stop.request_stop();
        EXPECT_EQ(check.Run({kInfoAddress, "1.0.0.0"}), UpdateOutcome::Cancelled);
        EXPECT_TRUE(check.asked.empty());
    }
    {
        Check check;
        check.transport.responses[kInfoKey] = Body(Info("2.0"));
        check.transport.responses[kDownloadKey] = Body(kInstaller);
        check.store.onWrite = [&check] { check.stop.request_stop(); };
        EXPECT_EQ(check.Run({kInfoAddress, "1.0.0.0"}), UpdateOutcome::Cancelled);
        EXPECT_FALSE(check.store.ran);
        EXPECT_TRUE(check.store.discarded);
    }
}

TEST(UpgradeQuestion, NamesTheOfferedVersion) {
    EXPECT_EQ(UpgradeQuestion("1.2.0.0"),
              "A newer version of Framewright (1.2.0.0) is available. Do you want to download "
              "and install it now?");
    EXPECT_STREQ(kUpdaterTitle, "Quernmark Updater");
}

}  // namespace
}  // namespace fw
