#pragma once
// The name a verified download is saved under before it is started. It comes
// from the last part of the download's path, because the extension decides how
// the shell opens the file; names that could mean anything else to Windows are
// refused.
#include <optional>
#include <string>
#include <string_view>

namespace fw {

// path: an address path such as "/files/framewright-setup.exe?v=2". Nothing
// unless the last part is a plain name (letters, digits, ".", "_", "-"; not
// starting with a dot; at most 100 characters; not a device name such as "CON")
// ending in .exe, .msi, .cmd or .bat.
std::optional<std::string> InstallerFileName(std::string_view path);

}  // namespace fw
