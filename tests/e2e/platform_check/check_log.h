#pragma once
// One PASS or FAIL line per expectation; the program fails when any line fails.
#include <sstream>
#include <string>

namespace fw::check {

class CheckLog {
public:
    void Expect(bool passed, const std::string& what);

    template <typename Actual, typename Expected>
    void ExpectEqual(const Actual& actual, const Expected& expected, const std::string& what) {
        bool passed = actual == expected;
        if (passed) {
            Expect(true, what);
        } else {
            std::ostringstream detail;
            detail << what << " (got \"" << actual << "\", want \"" << expected << "\")";
            Expect(false, detail.str());
        }
    }

    void Info(const std::string& line);
    void Section(const std::string& name);
    int Failures() const { return failures_; }

private:
    std::string section_;
    int failures_ = 0;
};

}  // namespace fw::check
