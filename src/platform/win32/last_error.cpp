#include "platform/win32/last_error.h"

#include <memory>

#include "common/text.h"

namespace fw::win32 {

namespace {

struct LocalFreer {
    void operator()(wchar_t* p) const { ::LocalFree(p); }
};

}  // namespace

std::string ErrorText(DWORD code) {
    wchar_t* raw = nullptr;
    DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    std::unique_ptr<wchar_t, LocalFreer> owner(raw);
    std::wstring message = (length != 0 && raw != nullptr) ? std::wstring(raw, length) : L"";
    while (!message.empty() &&
           (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ')) {
        message.pop_back();
    }
    if (message.empty()) {
        return "System error " + std::to_string(code);
    }
    return Cp1252FromWide(message);
}

std::string LastErrorText() {
    return ErrorText(::GetLastError());
}

}  // namespace fw::win32
