#include "assembler/platform/default_application.h"

#include <gio/gio.h>

namespace flikkor {

std::optional<std::string> defaultApplicationExec(const std::string& mimeType) {
    // GIO reads the lists once per process and follows later changes through file monitors.
    GAppInfo* application = g_app_info_get_default_for_type(mimeType.c_str(), FALSE);
    if (application == nullptr) return std::nullopt;
    const char* exec = g_app_info_get_commandline(application);
    std::optional<std::string> result;
    if (exec != nullptr && *exec != '\0') result = exec;
    g_object_unref(application);
    return result;
}

}  // namespace flikkor
