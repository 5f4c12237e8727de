#include "platform/win32/temp_download_store.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "common/text.h"
#include "platform/win32/com_apartment.h"
#include "update/sha256.h"

namespace fw::win32 {

namespace {

std::wstring TempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) {
        return {};
    }
    return std::wstring(buffer, length);  // ends with a backslash
}

// A fresh folder whose name nobody can have prepared for us.
std::wstring CreateUniqueFolder(const std::wstring& parent) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        GUID guid{};
        if (FAILED(::CoCreateGuid(&guid))) {
            return {};
        }
        wchar_t name[64] = {};
        std::swprintf(name, 64, L"Framewright-update-%08lx%04x%04x", guid.Data1, guid.Data2,
                      guid.Data3);
        std::wstring folder = parent + name;
        if (::CreateDirectoryW(folder.c_str(), nullptr)) {
            return folder;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            return {};
        }
    }
    return {};
}

}  // namespace

TempDownloadStore::~TempDownloadStore() {
    if (!started_) {
        Discard();
    }
}

bool TempDownloadStore::Create(const std::string& fileName) {
    std::wstring parent = TempFolder();
    if (parent.empty()) {
        return false;
    }
    folder_ = CreateUniqueFolder(parent);
    if (folder_.empty()) {
        return false;
    }
    file_ = folder_ + L"\\" + WideFromCp1252(fileName);
    writer_.Reset(::CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!writer_) {
        Discard();
        return false;
    }
    return true;
}

bool TempDownloadStore::Write(std::string_view piece) {
    if (!writer_) {
        return false;
    }
    while (!piece.empty()) {
        DWORD written = 0;
        auto chunk = static_cast<DWORD>(std::min<std::size_t>(piece.size(), 1u << 20));
        if (!::WriteFile(writer_.Get(), piece.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        piece.remove_prefix(written);
    }
    return true;
}

std::optional<std::string> TempDownloadStore::SealAndHash() {
    if (!writer_) {
        return std::nullopt;
    }
    writer_.Reset();
    // Read sharing only: the shell and the installer can still open the file to
    // run it, but nobody can write to, rename or delete it while we hold it.
    sealed_.Reset(::CreateFileW(file_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!sealed_) {
        return std::nullopt;
    }
    Sha256 hash;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(sealed_.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read,
                        nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            break;
        }
        hash.Update(std::string_view(buffer.data(), read));
    }
    return HexDigest(hash.Finish());
}

bool TempDownloadStore::Run() {
    if (!sealed_) {
        return false;
    }
    // The shell wants COM on the thread that calls it.
    const ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof(execute);
    // This thread may end right after the call, so the shell must finish here.
    execute.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = L"open";
    execute.lpFile = file_.c_str();
    execute.lpDirectory = folder_.c_str();
    execute.nShow = SW_SHOWNORMAL;
    started_ = ::ShellExecuteExW(&execute) != FALSE;
    // The installer has its own hold on the file from here; ours is no longer needed.
    sealed_.Reset();
    return started_;
}

void TempDownloadStore::Discard() {
    writer_.Reset();
    sealed_.Reset();
    if (!file_.empty()) {
        ::DeleteFileW(file_.c_str());
        file_.clear();
    }
    if (!folder_.empty()) {
        ::RemoveDirectoryW(folder_.c_str());
        folder_.clear();
    }
}

}  // namespace fw::win32
