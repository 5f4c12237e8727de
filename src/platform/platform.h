#pragma once
// The services the core is given at start-up. The real program fills it with
// the Windows implementations, tests with fakes.
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/display_modes.h"
#include "platform/file_system.h"
#include "platform/os_info.h"
#include "platform/process_launcher.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_sources.h"

namespace fw {

struct Platform {
    Registry& registry;
    FileSystem& files;
    OsInfo& os;
    DisplayModes& displayModes;
    Dialogs& dialogs;
    Clock& clock;
    Locale& locale;
    Shell& shell;
    ProcessLauncher& processes;
    SystemSources& system;
};

}  // namespace fw
