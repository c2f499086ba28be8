#pragma once

// A folder of its own in the temporary folder for a fuzz target's files, removed with what
// it holds at exit.

#include <glib.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace larkspan::fuzz {

struct ScratchFolder {
    explicit ScratchFolder(const char* pattern) {
        gchar* made = g_dir_make_tmp(pattern, nullptr);
        if (made == nullptr) std::abort();
        path = made;
        g_free(made);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path path;
};

}  // namespace larkspan::fuzz
