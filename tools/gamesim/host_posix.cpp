#include <chrono>
#include <cstdlib>
#include <system_error>
#include <thread>

#include "gamesim/host.h"

namespace fw::gamesim {

namespace fs = std::filesystem;

fs::path OwnExecutablePath() {
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : path;
}

// Tests point the stand-in at a documents folder of their own.
std::optional<fs::path> UserDocumentsFolder() {
    if (const char* folder = std::getenv("FW_GAMESIM_DOCUMENTS"); folder && *folder) {
        return fs::path(folder);
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return fs::path(home) / "Documents";
    }
    return std::nullopt;
}

std::string CurrentFolderText() {
    std::error_code error;
    fs::path folder = fs::current_path(error);
    return error ? std::string() : folder.string();
}

void WaitMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace fw::gamesim
