#pragma once

// Brings the ad and tracker filter into use once the first page has loaded: the filter
// stored by an earlier run when the lists have not changed since, otherwise the lists read
// and converted on a worker thread (a pure function of the files; the main loop never waits
// for it) and compiled by the engine in the background. Nothing is made while blocking is
// off. It hands the options' blocking choices to the engine and the lists' counts to the
// options.

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

    // Hands the options to the engine from now on, and takes up or makes the filter once
    // blocking is on (at once, or when it is turned on); later calls do nothing.
    void start();

  private:
    struct Job;
    static void converted(Job& job);
    // Looks at the lists and takes up or makes the filter; once per run.
    void begin();
    void compileAnew();
    void publish(const std::vector<FilterState::List>& counts);
    void followOptions();

    ShellContext& context_;
    Folders folders_;
    bool started_ = false;
    bool begun_ = false;
    std::vector<FilterListFile> lists_;
    std::string key_;
    sigc::connection options_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace contentfilter
}  // namespace larkspan
