#pragma once
// Fakes of every platform service, bundled the way the program bundles the
// real ones. Nothing here sleeps or touches the machine.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_host.h"
#include "fakes/fake_file_system.h"
#include "platform/platform.h"

namespace fw::testing {

class FakeRegistry : public Registry {
public:
    void AddKey(const std::string& key) { keys_[key]; }
    void RemoveKey(const std::string& key) { keys_.erase(key); }
    void Set(const std::string& key, const std::string& name, const std::string& value) {
        keys_[key][name] = value;
    }
    std::optional<std::string> Get(const std::string& key, const std::string& name) const;
    const std::map<std::string, std::string>& Values(const std::string& key) { return keys_[key]; }
    // Every write in order, as "name=value".
    std::vector<std::string> writes;

    bool KeyExists(const std::string& key) override { return keys_.count(key) > 0; }
    bool CanOpenForWrite(const std::string& key) override { return keys_.count(key) > 0; }
    bool HasValue(const std::string& key, const std::string& name) override;
    std::optional<std::string> ReadString(const std::string& key,
                                          const std::string& name) override {
        return Get(key, name);
    }
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override;

private:
    std::map<std::string, std::map<std::string, std::string>> keys_;
};

class FakeOsInfo : public OsInfo {
public:
    int major = 6;
    bool wow64 = true;
    bool wow64Fails = false;
    bool shift = false;
    bool online = false;
    std::string documents = "C:\\Users\\Ann\\Documents";
    std::string programPath = "C:\\Program Files\\Brimvale\\Framewright\\framewright.exe";
    std::map<std::string, std::string> versions;  // path -> FileVersion text

    int MajorVersion() override { return major; }
    bool IsRunningUnderWow64() override;
    std::string DocumentsFolder() override { return documents; }
    std::string FileVersion(const std::string& path) override;
    std::string ProgramPath() override { return programPath; }
    bool ShiftHeldAtStart() override { return shift; }
    bool IsOnline() override { return online; }
};

class FakeDisplayModes : public DisplayModes {
public:
    std::vector<DisplayMode> modes;
    std::optional<DisplayMode> ModeAt(int n) override {
        if (n < 0 || n >= static_cast<int>(modes.size())) {
            return std::nullopt;
        }
        return modes[n];
    }
};

class FakeDialogs : public Dialogs {
public:
    std::vector<TaskDialogRequest> taskDialogs;
    std::vector<std::string> confirms;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<std::string> folderDialogs;
    std::vector<std::string> errors;
    bool confirmAnswer = false;
    bool verificationAnswer = false;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<std::string>> folderAnswers;

    TaskDialogResult ShowTaskDialog(const TaskDialogRequest& request) override;
    bool Confirm(const std::string& title, const std::string& text) override;
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> BrowseFolder(const std::string& title) override;
    void ShowError(const std::string& title, const std::string& text) override {
        errors.push_back(title + ": " + text);
    }
};

class FakeClock : public Clock {
public:
    DateTime now{2008, 12, 9, 14, 30, 5};
    std::vector<int> sleeps;
    int messagePumps = 0;
    std::function<void()> onProcessMessages;
    DateTime Now() override { return now; }
    void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
    void ProcessMessages() override;
    std::string DateTimeText(const DateTime& when) override;
    std::uint32_t ticks = 12345;
    std::uint32_t Ticks() override { return ticks; }
};

class FakeLocale : public Locale {
public:
    char decimal = '.';
    char thousands = ',';
    char DecimalMark() override { return decimal; }
    char ThousandsMark() override { return thousands; }
};

class FakeShell : public Shell {
public:
    std::vector<std::string> opened;
    bool Open(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
};

class FakeProcessLauncher : public ProcessLauncher {
public:
    struct Started {
        std::string commandLine;
        std::string folder;
    };
    std::vector<Started> started;
    std::function<void(unsigned long)> pending;
    bool failStart = false;
    // Images reported running, and how many more looks each stays.
    std::map<std::string, int> runningLooks;

    void Start(const std::string& commandLine, const std::string& currentFolder,
               std::function<void(unsigned long)> onTerminate) override;
    bool IsImageRunning(const std::string& imageName) override;
    // Ends the running game: delivers its one termination event.
    void Terminate(unsigned long exitCode = 0);
};

class StubSystemSources : public SystemSources {
public:
    std::string productName = "Microsoft Windows 7 Professional";
    std::uint64_t memory = 4294967296ULL;
    std::string brand = "Intel(R) Core(TM)2 Duo CPU     E8400  @ 3.00GHz";
    int mhz = 3000;
    std::string adapter = "NVIDIA GeForce 8800 GT";
    std::uint32_t adapterMemory = 536870912U;
    std::string ProductName() override { return productName; }
    std::uint64_t TotalPhysicalMemory() override { return memory; }
    std::string CpuBrand() override { return brand; }
    int CpuMegahertz() override { return mhz; }
    std::string AdapterName() override { return adapter; }
    std::uint32_t AdapterMemory() override { return adapterMemory; }
    void SetBusyCursor(bool) override {}
};

class FakeHost : public MainWindowHost {
public:
    std::vector<std::string> events;
    WindowBounds bounds{553, 473, 100, 80};
    std::function<void()> onShowPicker;
    std::function<void()> onPrepare;
    void ShowSplash() override { events.push_back("splash shown"); }
    void PrepareWhileSplashShows() override {
        events.push_back("window built");
        if (onPrepare) {
            onPrepare();
        }
    }
    void HideSplash() override { events.push_back("splash closed"); }
    void Minimize() override { events.push_back("minimize"); }
    void EndProgram() override { events.push_back("end"); }
    void BeginWindowDrag() override { events.push_back("drag"); }
    void ShowPickerModal() override;
    void Repaint() override { events.push_back("repaint"); }
    WindowBounds NormalBounds() override { return bounds; }
    void SetNormalBounds(const WindowBounds& b) override {
        bounds = b;
        events.push_back("bounds");
    }
    void ShowNews() override { events.push_back("news"); }
};

struct FakePlatform {
    FakeRegistry registry;
    FakeFileSystem files;
    FakeOsInfo os;
    FakeDisplayModes displayModes;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeLocale locale;
    FakeShell shell;
    FakeProcessLauncher processes;
    StubSystemSources system;
    Platform Bundle() {
        return Platform{registry, files,  os,    displayModes, dialogs,
                        clock,    locale, shell, processes,    system};
    }
};

}  // namespace fw::testing
