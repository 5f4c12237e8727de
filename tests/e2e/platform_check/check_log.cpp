#include "check_log.h"

#include <cstdio>

namespace fw::check {

void CheckLog::Expect(bool passed, const std::string& what) {
    if (!passed) {
        ++failures_;
    }
    std::printf("%s %s: %s\n", passed ? "PASS" : "FAIL", section_.c_str(), what.c_str());
    std::fflush(stdout);
}

void CheckLog::Info(const std::string& line) {
    std::printf("INFO %s: %s\n", section_.c_str(), line.c_str());
    std::fflush(stdout);
}

void CheckLog::Section(const std::string& name) {
    section_ = name;
}

}  // namespace fw::check
