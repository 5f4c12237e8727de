#pragma once
// Keeps a downloaded installer in a folder of its own under the user's temporary
// folder. Once sealed the file is held open without write or delete sharing, so
// that nothing can change or replace it between the hash check and its start.
#include <string>

#include "platform/win32/handles.h"
#include "update/update_services.h"

namespace fw::win32 {

class TempDownloadStore final : public DownloadStore {
public:
    TempDownloadStore() = default;
    // Removes the file unless it was started.
    ~TempDownloadStore() override;
    TempDownloadStore(const TempDownloadStore&) = delete;
    TempDownloadStore& operator=(const TempDownloadStore&) = delete;

    bool Create(const std::string& fileName) override;
    bool Write(std::string_view piece) override;
    std::optional<std::string> SealAndHash() override;
    bool Run() override;
    void Discard() override;

    const std::wstring& FilePath() const { return file_; }

private:
    std::wstring folder_;
    std::wstring file_;
    UniqueHandle writer_;
    UniqueHandle sealed_;
    bool started_ = false;
};

}  // namespace fw::win32
