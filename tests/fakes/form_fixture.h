#pragma once
// A main window over fake services, set up as a typical installation: the
// settings key, the game's key and folders, a supported game version.
#include <gtest/gtest.h>

#include <memory>

#include "app/form_main.h"
#include "fakes/fake_platform.h"

namespace fw::testing {

inline constexpr const char* kSettings = "\\SOFTWARE\\Brimvale\\Tallyrun";
inline constexpr const char* kGame = "\\SOFTWARE\\Crytek\\Crysis";
inline constexpr const char* kInstallDir = "C:\\Games\\Crysis\\";
inline constexpr const char* kProgramFolder = "C:\\Program Files\\Brimvale\\Framewright\\";

class FormFixture : public ::testing::Test {
protected:
    FormFixture() {
        fake.registry.AddKey(kSettings);
        fake.registry.Set(kGame, "InstallDir", kInstallDir);
        fake.files.AddFolder(std::string(kInstallDir) + "Bin32");
        fake.files.AddFolder(std::string(kInstallDir) + "Bin64");
        fake.files.AddFolder(kProgramFolder);
        fake.os.versions[std::string(kInstallDir) + "Bin64\\CrySystem.dll"] = "1, 1, 1, 6156";
        fake.os.versions[fake.os.programPath] = "1.0.0.0";
        for (auto [w, h] : {std::pair{800, 600},
                            {1024, 768},
                            {1280, 1024},
                            {1600, 1200},
                            {1280, 768},
                            {1920, 1080},
                            {1920, 1200}}) {
            fake.displayModes.modes.push_back({w, h});
        }
    }

    void Setting(const std::string& name, const std::string& value) {
        fake.registry.Set(kSettings, name, value);
    }
    std::optional<std::string> Stored(const std::string& name) {
        return fake.registry.Get(kSettings, name);
    }

    TForm1& Start(bool debug = false) {
        form = std::make_unique<TForm1>(platform, host, debug);
        form->FormCreate();
        return *form;
    }

    FakePlatform fake;
    Platform platform = fake.Bundle();
    FakeHost host;
    std::unique_ptr<TForm1> form;
};

}  // namespace fw::testing
