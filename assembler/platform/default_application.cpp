#include "assembler/platform/default_application.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

namespace flikkor {

namespace {

bool runsInTerminal(GAppInfo* application) {
    return G_IS_DESKTOP_APP_INFO(application) &&
           g_desktop_app_info_get_boolean(G_DESKTOP_APP_INFO(application), "Terminal");
}

std::optional<std::string> execLine(GAppInfo* application) {
    const char* exec = g_app_info_get_commandline(application);
    if (exec == nullptr || *exec == '\0') return std::nullopt;
    return std::string(exec);
}

}  // namespace

std::optional<std::string> defaultApplicationExec(const std::string& mimeType) {
    // GIO reads the lists once per process and follows later changes through file
    // monitors. The recommended applications are those registered for the type
    // itself (defaults, associations); the default is taken first when it is one of them.
    GList* recommended = g_app_info_get_recommended_for_type(mimeType.c_str());
    GAppInfo* preferred = g_app_info_get_default_for_type(mimeType.c_str(), FALSE);
    std::optional<std::string> result;
    if (preferred != nullptr && !runsInTerminal(preferred))
        for (GList* item = recommended; item != nullptr && !result; item = item->next)
            if (g_app_info_equal(preferred, G_APP_INFO(item->data))) result = execLine(preferred);
    for (GList* item = recommended; item != nullptr && !result; item = item->next)
        if (!runsInTerminal(G_APP_INFO(item->data))) result = execLine(G_APP_INFO(item->data));
    if (preferred != nullptr) g_object_unref(preferred);
    g_list_free_full(recommended, g_object_unref);
    return result;
}

}  // namespace flikkor
