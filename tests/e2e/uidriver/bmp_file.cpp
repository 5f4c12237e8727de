#include "bmp_file.h"

#include <windows.h>

#include "session.h"
#include "win_handles.h"

namespace fw::uidriver {

namespace {

std::wstring WindowsPath(const std::wstring& path) {
    if (path.empty() || path.front() != L'/') {
        return path;
    }
    std::wstring windows = L"Z:" + path;
    for (wchar_t& c : windows) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return windows;
}

void WriteAll(HANDLE file, const void* data, size_t size) {
    DWORD written = 0;
    if (!WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) || written != size) {
        throw CommandError(L"the bitmap file could not be written");
    }
}

}  // namespace

void WriteBmpFile(const std::wstring& path, const Pixels& pixels) {
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = pixels.width;
    info.biHeight = pixels.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(pixels.rows.size());
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(header) + sizeof(info);
    header.bfSize = header.bfOffBits + info.biSizeImage;

    UniqueHandle file(CreateFileW(WindowsPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        throw CommandError(L"cannot create " + path);
    }
    WriteAll(file.get(), &header, sizeof(header));
    WriteAll(file.get(), &info, sizeof(info));
    WriteAll(file.get(), pixels.rows.data(), pixels.rows.size());
}

}  // namespace fw::uidriver
