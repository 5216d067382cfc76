#pragma once
// The desktop's default application for a MIME type, looked up by GIO with the
// XDG MIME applications rules: the user's and the system's mimeapps.list (the
// desktop-specific "<desktop>-mimeapps.list" first), the association caches
// mimeinfo.cache and the older defaults.list, with Added and Removed Associations.
// Kept free of Qt: GIO's headers and Qt's keywords do not mix in one file.
#include <optional>
#include <string>

namespace flikkor {

// The Exec line of the default application's desktop entry, field codes
// included ("firefox %u"); nothing when no application is found. Only an
// application named for the type itself counts, not one GIO would take for a
// parent type (a text editor for text/plain is no browser for text/html), and
// never one that runs in a terminal (Terminal=true), which would open nowhere
// visible from a window program: the next application for the type is taken then.
std::optional<std::string> defaultApplicationExec(const std::string& mimeType);

}  // namespace flikkor
