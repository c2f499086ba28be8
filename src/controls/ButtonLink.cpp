#include "controls/ButtonLink.hpp"

#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace larkspan {

namespace {

std::string trimmed(std::string_view s) {
    auto notSpace = [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; };
    auto b = std::find_if(s.begin(), s.end(), notSpace);
    auto e = std::find_if(s.rbegin(), s.rend(), notSpace).base();
    return b < e ? std::string(b, e) : std::string();
}

// A regular file that may be run: the default handler of such a file may well run it.
bool isExecutableFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return S_ISREG(st.st_mode) && (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
}

}  // namespace

bool openLinkWithDefaultHandler(std::string_view link, GAppLaunchContext* context) {
    std::string text = trimmed(link);
    if (text.empty() || !g_utf8_validate(text.c_str(), static_cast<gssize>(text.size()), nullptr)) {
        return false;
    }
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        return false;
    }

    std::string uri;
    if (g_path_is_absolute(text.c_str())) {
        if (!g_file_test(text.c_str(), G_FILE_TEST_EXISTS)) return false;
        gchar* u = g_filename_to_uri(text.c_str(), nullptr, nullptr);
        if (u == nullptr) return false;
        uri = u;
        g_free(u);
    } else {
        gchar* scheme = g_uri_parse_scheme(text.c_str());
        if (scheme == nullptr) return false;  // a relative path or plain words
        g_free(scheme);
        uri = text;
    }

    // A local file is looked at before it is handed over: programs are not started.
    GFile* file = g_file_new_for_uri(uri.c_str());
    gchar* path = g_file_is_native(file) ? g_file_get_path(file) : nullptr;
    g_object_unref(file);
    if (path != nullptr) {
        bool refuse = isExecutableFile(path);
        g_free(path);
        if (refuse) return false;
    }

    GError* error = nullptr;
    gboolean ok = g_app_info_launch_default_for_uri(uri.c_str(), context, &error);
    if (error != nullptr) g_error_free(error);
    return ok != FALSE;
}

}  // namespace larkspan
