#pragma once

// Brings the ad and tracker filter into use once the first main window is up: the filter
// stored by an earlier run when the lists have not changed since, otherwise the lists read
// and converted on a worker thread (a pure function of the files; the main loop never waits
// for it) and compiled by the engine in the background. It hands the options' blocking
// choices to the engine and the lists' counts to the options.

#include <sigc++/connection.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "features/contentfilter/FilterLists.hpp"

namespace larkspan {

class ShellContext;

namespace contentfilter {

class FilterLoader {
  public:
    struct Folders {
        std::filesystem::path system;  // the lists Debian ships
        std::filesystem::path user;    // the user's own lists
        std::filesystem::path state;   // the file telling what the stored filter was made of
        static Folders program();
    };
    FilterLoader(ShellContext& context, Folders folders);
    ~FilterLoader();
    FilterLoader(const FilterLoader&) = delete;
    FilterLoader& operator=(const FilterLoader&) = delete;

    // Looks at the lists and takes up or makes the filter; once per run.
    void start();

  private:
    struct Job;
    static void converted(Job& job);
    void compileAnew();
    void publish(const std::vector<FilterState::List>& counts);
    void followOptions();

    ShellContext& context_;
    Folders folders_;
    bool started_ = false;
    std::vector<FilterListFile> lists_;
    std::string key_;
    sigc::connection options_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace contentfilter
}  // namespace larkspan
