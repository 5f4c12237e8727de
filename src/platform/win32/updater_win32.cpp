#include "platform/win32/updater_win32.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <utility>

#include "common/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/temp_download_store.h"
#include "platform/win32/winhttp_transport.h"
#include "update/update_source.h"

namespace fw::win32 {

struct UpdaterWin32::Link {
    std::mutex mutex;
    // Both null once the updater is gone. `ui` is read by check threads under
    // the mutex; `owner` only on the user-interface thread.
    UiDispatcher* ui = nullptr;
    UpdaterWin32* owner = nullptr;
    std::stop_source stop;

    // On the user-interface thread.
    void Finish(UpdateOutcome outcome) {
        if (owner != nullptr) {
            owner->Finish(outcome);
        }
    }
};

namespace {

using Link = UpdaterWin32::Link;
using Asker = std::function<bool(const std::string& version)>;

struct CheckSettings {
    bool direct = false;
    std::string installedVersion;
    Asker ask;
};

// Runs `work` on the user-interface thread if the updater is still there by then.
bool PostToUi(const std::shared_ptr<Link>& link, std::function<void()> work) {
    std::lock_guard lock(link->mutex);
    if (link->ui == nullptr) {
        return false;
    }
    link->ui->Post([link, work = std::move(work)] {
        if (link->owner != nullptr) {
            work();
        }
    });
    return true;
}

// The question is asked on the user-interface thread while the check thread
// waits for the answer; an updater that goes away meanwhile answers no.
bool AskOnUi(const std::shared_ptr<Link>& link, const Asker& ask, const std::string& version) {
    struct Answer {
        std::mutex mutex;
        std::condition_variable_any given;
        std::optional<bool> yes;
    };
    auto answer = std::make_shared<Answer>();
    bool posted = PostToUi(link, [answer, ask, version] {
        bool yes = false;
        try {
            yes = ask(version);
        } catch (...) {
            yes = false;
        }
        {
            std::lock_guard lock(answer->mutex);
            answer->yes = yes;
        }
        answer->given.notify_all();
    });
    if (!posted) {
        return false;
    }
    std::unique_lock lock(answer->mutex);
    answer->given.wait(lock, link->stop.get_token(), [&] { return answer->yes.has_value(); });
    return answer->yes.value_or(false);
}

// Addresses are ASCII; anything else becomes a byte the address rules refuse.
std::string NarrowAddressText(std::wstring_view wide) {
    std::string narrow;
    narrow.reserve(wide.size());
    for (wchar_t c : wide) {
        narrow += (c < 0x80) ? static_cast<char>(c) : '\x80';
    }
    return narrow;
}

std::optional<std::string> AddressFromEnvironment() {
    std::wstring name = WideFromCp1252(kUpdateAddressVariable);
    DWORD needed = ::GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::wstring value(needed, L'\0');
    DWORD length = ::GetEnvironmentVariableW(name.c_str(), value.data(), needed);
    if (length == 0 || length >= needed) {
        return std::nullopt;
    }
    value.resize(length);
    return NarrowAddressText(value);
}

// The file "update.url" beside the program; only its beginning matters.
std::optional<std::string> AddressFileText() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return std::nullopt;
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) {
            return std::nullopt;
        }
        path.resize(path.size() * 2);
    }
    std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return std::nullopt;
    }
    path = path.substr(0, slash + 1) + WideFromCp1252(kUpdateAddressFileName);
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string text(4096, '\0');
    DWORD read = 0;
    if (!::ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) {
        return std::nullopt;
    }
    text.resize(read);
    return text;
}

void RunCheck(std::shared_ptr<Link> link, CheckSettings settings) {
    UpdateOutcome outcome = UpdateOutcome::Aborted;
    try {
        std::optional<std::string> environment = AddressFromEnvironment();
        std::optional<std::string> fileText = AddressFileText();
        UpdateCheckRequest request{ChooseUpdateInfoAddress(environment, fileText),
                                   settings.installedVersion};
        WinHttpTransport transport(settings.direct, link->stop.get_token());
        TempDownloadStore store;
        UpdateCheckServices services{
            transport, store,
            [&](const std::string& version) { return AskOnUi(link, settings.ask, version); },
            link->stop.get_token()};
        outcome = RunUpdateCheck(request, services);
    } catch (...) {
        // Nothing may leave this thread; a check that broke down is an aborted one.
        outcome = UpdateOutcome::Aborted;
    }
    if (outcome == UpdateOutcome::Cancelled) {
        return;
    }
    PostToUi(link, [link, outcome] { link->Finish(outcome); });
}

bool AskWithMessageBox(const std::function<HWND()>& owner, const std::string& version) {
    HWND window = owner ? owner() : nullptr;
    UINT style = MB_YESNO | MB_ICONQUESTION | (window == nullptr ? MB_TASKMODAL : 0);
    return ::MessageBoxW(window, WideFromCp1252(UpgradeQuestion(version)).c_str(),
                         WideFromCp1252(kUpdaterTitle).c_str(), style) == IDYES;
}

}  // namespace

UpdaterWin32::UpdaterWin32(UiDispatcher& ui, UpdaterEvents events, UpdaterWin32Options options)
    : ui_(ui),
      events_(std::move(events)),
      options_(std::move(options)),
      link_(std::make_shared<Link>()) {
    link_->ui = &ui_;
    link_->owner = this;
}

UpdaterWin32::~UpdaterWin32() {
    {
        std::lock_guard lock(link_->mutex);
        link_->ui = nullptr;
        link_->owner = nullptr;
    }
    link_->stop.request_stop();
}

void UpdaterWin32::SetDirectConnection() {
    direct_ = true;
}

void UpdaterWin32::SetInstalledVersion(const std::string& version) {
    installedVersion_ = version;
}

void UpdaterWin32::StartCheck() {
    if (checking_) {
        return;
    }
    CheckSettings settings;
    settings.direct = direct_;
    settings.installedVersion = installedVersion_;
    if (options_.askToUpgrade) {
        settings.ask = options_.askToUpgrade;
    } else {
        settings.ask = [owner = options_.owner](const std::string& version) {
            return AskWithMessageBox(owner, version);
        };
    }
    checking_ = true;
    try {
        std::thread(RunCheck, link_, std::move(settings)).detach();
    } catch (...) {
        // Without a thread there is no check; it ends as a failed check would,
        // later and on this thread like every outcome.
        ui_.Post([link = link_] { link->Finish(UpdateOutcome::Aborted); });
    }
}

void UpdaterWin32::Finish(UpdateOutcome outcome) {
    // A handler may start the next check (a manual one from its dialog).
    checking_ = false;
    const std::function<void()>* event = nullptr;
    switch (outcome) {
        case UpdateOutcome::NoUpdateAvailable:
            event = &events_.NoUpdateAvailable;
            break;
        case UpdateOutcome::HostUnreachable:
            event = &events_.HostUnreachable;
            break;
        case UpdateOutcome::LaterUpgrade:
            event = &events_.LaterUpgrade;
            break;
        case UpdateOutcome::Aborted:
            event = &events_.Aborted;
            break;
        case UpdateOutcome::InstallerStarted:
            event = &options_.installerStarted;
            break;
        case UpdateOutcome::Cancelled:
            break;
    }
    if (event != nullptr && *event) {
        // A copy: the handler may destroy this updater.
        std::function<void()> handler = *event;
        handler();
    }
}

}  // namespace fw::win32
