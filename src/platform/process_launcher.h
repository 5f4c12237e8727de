#pragma once
// Starting the game and learning of its end.
#include <functional>
#include <stdexcept>
#include <string>

namespace fw {

// The operating system refused to create the process.
class ProcessStartError : public std::runtime_error {
public:
    ProcessStartError(const std::string& message, unsigned long code)
        : std::runtime_error(message), code_(code) {}
    unsigned long code() const { return code_; }

private:
    unsigned long code_;
};

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts the process hidden, the first token of the command line naming the
    // program. Exactly one call of `onTerminate` follows per started process, on
    // the user-interface thread, after the launcher is ready for the next start.
    // Throws ProcessStartError when the process cannot be created.
    virtual void Start(const std::string& commandLine, const std::string& currentFolder,
                       std::function<void(unsigned long exitCode)> onTerminate) = 0;
    // Whether a process with this image name (e.g. "Crysis64.exe") runs.
    virtual bool IsImageRunning(const std::string& imageName) = 0;
};

}  // namespace fw
