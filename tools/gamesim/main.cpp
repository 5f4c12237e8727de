// The stand-in game: started with the game's command line, it plays the
// time demo the way the benchmark relies on the real game to do.
#include <cstdio>
#include <exception>
#include <string>
#include <utility>

#include "gamesim/host.h"
#include "gamesim/stand_in_game.h"
#ifdef _WIN32
#include "gamesim/host_win32.h"
#endif

namespace {

int RunWith(fw::gamesim::StandInStart start) {
    start.executable = fw::gamesim::OwnExecutablePath();
    start.currentFolder = fw::gamesim::CurrentFolderText();
    start.documents = fw::gamesim::UserDocumentsFolder();
    start.wait = fw::gamesim::WaitMilliseconds;
    try {
        return fw::gamesim::RunStandInGame(start);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "gamesim: %s\n", error.what());
        return fw::gamesim::kExitFixtureError;
    }
}

}  // namespace

#ifdef _WIN32
int wmain(int, wchar_t**) {
    fw::gamesim::StandInStart start;
    start.commandLine = fw::gamesim::RawCommandLine();
    start.startProgram = fw::gamesim::StartProgram;
    return RunWith(std::move(start));
}
#else
// There is no raw command line here: the arguments are joined by single blanks.
int main(int argc, char** argv) {
    fw::gamesim::StandInStart start;
    for (int i = 0; i < argc; ++i) {
        if (i > 0) {
            start.commandLine += ' ';
        }
        start.commandLine += argv[i];
    }
    return RunWith(std::move(start));
}
#endif
