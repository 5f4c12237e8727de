#include "fakes/fake_platform.h"

#include <cstdio>
#include <stdexcept>

namespace fw::testing {

std::optional<std::string> FakeRegistry::Get(const std::string& key,
                                             const std::string& name) const {
    auto k = keys_.find(key);
    if (k == keys_.end()) {
        return std::nullopt;
    }
    auto v = k->second.find(name);
    if (v == k->second.end()) {
        return std::nullopt;
    }
    return v->second;
}

bool FakeRegistry::HasValue(const std::string& key, const std::string& name) {
    return Get(key, name).has_value();
}

bool FakeRegistry::WriteString(const std::string& key, const std::string& name,
                               const std::string& value) {
    auto k = keys_.find(key);
    if (k == keys_.end()) {
        return false;
    }
    k->second[name] = value;
    writes.push_back(name + "=" + value);
    return true;
}

bool FakeOsInfo::IsRunningUnderWow64() {
    if (wow64Fails) {
        throw Wow64QueryError();
    }
    return wow64;
}

std::string FakeOsInfo::FileVersion(const std::string& path) {
    auto it = versions.find(path);
    return it == versions.end() ? "Value Not Available" : it->second;
}

TaskDialogResult FakeDialogs::ShowTaskDialog(const TaskDialogRequest& request) {
    taskDialogs.push_back(request);
    TaskDialogResult result;
    result.verificationChecked = !request.verificationText.empty() && verificationAnswer;
    return result;
}

bool FakeDialogs::Confirm(const std::string& title, const std::string& text) {
    confirms.push_back(title + ": " + text);
    return confirmAnswer;
}

std::optional<std::string> FakeDialogs::OpenFile(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    if (fileAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> FakeDialogs::BrowseFolder(const std::string& title) {
    folderDialogs.push_back(title);
    if (folderAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

void FakeClock::ProcessMessages() {
    ++messagePumps;
    if (onProcessMessages) {
        onProcessMessages();
    }
}

std::string FakeClock::DateTimeText(const DateTime& when) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %d:%02d:%02d", when.day, when.month, when.year,
                  when.hour, when.minute, when.second);
    return text;
}

void FakeProcessLauncher::Start(const std::string& commandLine, const std::string& currentFolder,
                                std::function<void(unsigned long)> onTerminate) {
    if (failStart) {
        throw ProcessStartError("The system cannot find the file specified.", 2);
    }
    if (pending) {
        throw std::logic_error("a second game started while one runs");
    }
    started.push_back({commandLine, currentFolder});
    pending = std::move(onTerminate);
}

bool FakeProcessLauncher::IsImageRunning(const std::string& imageName) {
    auto it = runningLooks.find(imageName);
    if (it == runningLooks.end() || it->second <= 0) {
        return false;
    }
    --it->second;
    return true;
}

void FakeProcessLauncher::Terminate(unsigned long exitCode) {
    auto callback = std::move(pending);
    pending = nullptr;
    if (callback) {
        callback(exitCode);
    }
}

void FakeHost::ShowPickerModal() {
    events.push_back("picker");
    if (onShowPicker) {
        onShowPicker();
    }
}

}  // namespace fw::testing
