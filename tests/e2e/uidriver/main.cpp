// uidriver: drives the program's real windows for the end-to-end tests.
//
//   uidriver.exe wait-window Framewright 20000 ";" click 1008 ";" dialog-texts
//   uidriver.exe            (no arguments: one or more commands per stdin line)
//
// Every value a command prints is a line "= value"; every command ends with
// "ok" or "error: message". Exit code 0 when every command succeeded, 1 when
// one failed (given as arguments, the commands after a failure do not run),
// 2 for a command the driver does not know or wrong arguments.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "commands.h"
#include "output.h"
#include "script.h"
#include "session.h"
#include "utf.h"

namespace fw::uidriver {

namespace {

enum class Outcome { kOk, kFailed, kMisused };

const CommandEntry* FindCommand(std::wstring_view name) {
    for (const CommandEntry& command : CommandTable()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

Outcome RunCommand(Session& session, const Words& words) {
    const CommandEntry* command = FindCommand(words.front());
    if (command == nullptr) {
        session.out.Error(L"unknown command \"" + words.front() + L"\"");
        return Outcome::kMisused;
    }
    const Args args(words.begin() + 1, words.end());
    if (args.size() < command->minArgs || args.size() > command->maxArgs) {
        session.out.Error(L"usage: " + std::wstring(command->usage));
        return Outcome::kMisused;
    }
    try {
        command->run(session, args);
    } catch (const std::exception& error) {
        session.out.Error(WideFromUtf8(error.what()));
        return Outcome::kFailed;
    }
    session.out.Ok();
    return Outcome::kOk;
}

int ExitCode(Outcome worst) {
    switch (worst) {
        case Outcome::kOk:
            return 0;
        case Outcome::kFailed:
            return 1;
        case Outcome::kMisused:
            return 2;
    }
    return 1;
}

int RunArguments(Session& session, const std::vector<std::wstring>& arguments) {
    for (const Words& words : CommandsFromArguments(arguments)) {
        const Outcome outcome = RunCommand(session, words);
        if (outcome != Outcome::kOk) {
            return ExitCode(outcome);
        }
    }
    return 0;
}

// A session: commands keep coming until stdin ends; a failed command does not
// end it, so a caller can go on after an expected failure.
int RunStdin(Session& session) {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    Outcome worst = Outcome::kOk;
    std::string pending;
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        const bool more = ReadFile(in, buffer, sizeof(buffer), &read, nullptr) && read > 0;
        pending.append(buffer, more ? read : 0);
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos || (!more && !pending.empty())) {
            if (end == std::string::npos) {
                end = pending.size();
            }
            const std::wstring line = WideFromUtf8(std::string_view(pending).substr(0, end));
            pending.erase(0, end + 1);
            for (const Words& words : CommandsFromLine(line)) {
                const Outcome outcome = RunCommand(session, words);
                if (outcome > worst) {
                    worst = outcome;
                }
            }
        }
        if (!more) {
            return ExitCode(worst);
        }
    }
}

}  // namespace

}  // namespace fw::uidriver

int wmain(int argc, wchar_t** argv) {
    fw::uidriver::Output output;
    fw::uidriver::Session session(output);
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    if (arguments.empty() || (arguments.size() == 1 && arguments.front() == L"-")) {
        return fw::uidriver::RunStdin(session);
    }
    return fw::uidriver::RunArguments(session, arguments);
}
