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

bool listed(GList* applications, GAppInfo* application) {
    for (GList* item = applications; item != nullptr; item = item->next)
        if (g_app_info_equal(application, G_APP_INFO(item->data))) return true;
    return false;
}

}  // namespace

std::optional<std::string> defaultApplicationExec(const std::string& mimeType) {
    // GIO reads the lists once per process and follows later changes through file
    // monitors. Its default for a type falls back to the applications of the parent
    // types (text/plain for text/html). Recommended are the applications registered
    // for the type itself, fallback those registered only for a parent type: the
    // default is taken unless it is one of the latter (a default named in a
    // mimeapps.list for this very type is neither).
    GAppInfo* preferred = g_app_info_get_default_for_type(mimeType.c_str(), FALSE);
    GList* recommended = g_app_info_get_recommended_for_type(mimeType.c_str());
    GList* fallback = g_app_info_get_fallback_for_type(mimeType.c_str());
    std::optional<std::string> result;
    if (preferred != nullptr && !runsInTerminal(preferred) &&
        (listed(recommended, preferred) || !listed(fallback, preferred)))
        result = execLine(preferred);
    for (GList* item = recommended; item != nullptr && !result; item = item->next)
        if (!runsInTerminal(G_APP_INFO(item->data))) result = execLine(G_APP_INFO(item->data));
    if (preferred != nullptr) g_object_unref(preferred);
    g_list_free_full(recommended, g_object_unref);
    g_list_free_full(fallback, g_object_unref);
    return result;
}

}  // namespace flikkor
