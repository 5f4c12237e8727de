#pragma once
// One group of expectations per platform service.
#include <string>

#include "check_log.h"

namespace fw::check {

void CheckRegistry(CheckLog& log);
void CheckFileSystem(CheckLog& log, const std::string& scratch);
void CheckPathText(CheckLog& log, const std::string& scratch);
void CheckOsInfo(CheckLog& log, const std::string& scratch);
void CheckDisplayModes(CheckLog& log);
void CheckClockAndLocale(CheckLog& log);
void CheckDispatcher(CheckLog& log);
void CheckProcesses(CheckLog& log, const std::string& scratch);
void CheckShell(CheckLog& log);
void CheckDialogs(CheckLog& log, const std::string& scratch);
void CheckSystemSources(CheckLog& log);

}  // namespace fw::check
