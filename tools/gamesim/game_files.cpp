#include "gamesim/game_files.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "common/text.h"

namespace fw::gamesim {

namespace fs = std::filesystem;

fs::path PathFromText(std::string_view text) {
#ifdef _WIN32
    return fs::path(WideFromCp1252(text));
#else
    return fs::path(std::string(text));
#endif
}

std::string TextFromPath(const fs::path& path) {
#ifdef _WIN32
    return Cp1252FromWide(path.wstring());
#else
    return path.string();
#endif
}

std::optional<std::string> ReadFileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

namespace {

bool WriteWithMode(const fs::path& path, std::string_view bytes, std::ios::openmode mode) {
    std::ofstream out(path, std::ios::binary | mode);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

}  // namespace

bool WriteFileBytes(const fs::path& path, std::string_view bytes) {
    return WriteWithMode(path, bytes, std::ios::trunc);
}

bool AppendFileBytes(const fs::path& path, std::string_view bytes) {
    return WriteWithMode(path, bytes, std::ios::app);
}

std::optional<fs::path> FindEntryIgnoreCase(const fs::path& folder, std::string_view name) {
    std::error_code error;
    fs::path exact = folder / PathFromText(name);
    if (fs::exists(exact, error)) {
        return exact;
    }
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (EqualsIgnoreCase(TextFromPath(it->path().filename()), name)) {
            return it->path();
        }
    }
    return std::nullopt;
}

}  // namespace fw::gamesim
