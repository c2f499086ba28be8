#include "features/contentfilter/FilterLoader.hpp"

#include <gio/gio.h>

#include "common/Failure.hpp"
#include "common/Paths.hpp"
#include "engine/ContentFilters.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ShellContext.hpp"

namespace larkspan::contentfilter {

FilterLoader::Folders FilterLoader::Folders::program() {
    return Folders{kSystemListFolder, paths::dataDir() / "filters",
                   paths::cacheDir() / "content-filters" / "lists-state"};
}

FilterLoader::FilterLoader(ShellContext& context, Folders folders)
    : context_(context), folders_(std::move(folders)) {}

FilterLoader::~FilterLoader() {
    alive_.reset();
    options_.disconnect();
}

void FilterLoader::start() {
    if (started_) return;
    started_ = true;
    if (context_.contentFilters() == nullptr) return;
    followOptions();
}

void FilterLoader::begin() {
    if (begun_) return;
    begun_ = true;
    ContentFilters* filters = context_.contentFilters();
    // Made at once so that the user finds where their own lists go.
    paths::ensureDir(folders_.user);
    lists_ = findFilterLists(folders_.system, folders_.user);
    key_ = filterKey(lists_);
    publish({});
    if (lists_.empty()) return;
    auto state = readFilterState(folders_.state);
    if (!state || state->key != key_) return compileAnew();
    std::weak_ptr<bool> alive = alive_;
    filters->load(kFilterName, [this, alive, counts = state->lists](bool found) {
        if (alive.expired()) return;
        if (found) {
            publish(counts);
        } else {
            compileAnew();
        }
    });
}

// What the worker thread is given and gives back.
struct FilterLoader::Job {
    std::weak_ptr<bool> alive;
    FilterLoader* self;
    std::vector<FilterListFile> lists;
    ConvertedLists result;
    bool ok = false;
};

void FilterLoader::compileAnew() {
    auto* job = new Job{alive_, this, lists_, {}, false};
    GTask* task = g_task_new(
        nullptr, nullptr,
        [](GObject*, GAsyncResult*, gpointer data) {
            std::unique_ptr<Job> done(static_cast<Job*>(data));
            try {
                if (!done->alive.expired()) converted(*done);
            } catch (...) {
                reportFailure("compiling the ad and tracker lists");
            }
        },
        job);
    g_task_set_task_data(task, job, nullptr);
    g_task_run_in_thread(task, [](GTask* running, gpointer, gpointer data, GCancellable*) {
        auto* work = static_cast<Job*>(data);
        try {
            work->result = convertLists(work->lists);
            work->ok = true;
        } catch (...) {
            work->ok = false;  // out of memory: no filter this run
        }
        g_task_return_boolean(running, TRUE);
    });
    g_object_unref(task);
}

void FilterLoader::converted(Job& job) {
    FilterLoader* self = job.self;
    ContentFilters* filters = self->context_.contentFilters();
    if (!job.ok || filters == nullptr) return;
    std::weak_ptr<bool> alive = self->alive_;
    FilterState state{self->key_, std::move(job.result.lists)};
    filters->compile(kFilterName, std::move(job.result.rules),
                     [self, alive, state = std::move(state)](bool compiled) {
                         if (alive.expired() || !compiled) return;
                         // A state that cannot be written only means compiling again next time.
                         writeFilterState(self->folders_.state, state);
                         self->publish(state.lists);
                     });
}

void FilterLoader::publish(const std::vector<FilterState::List>& counts) {
    std::vector<FilterListStatus> status;
    for (const auto& list : lists_) {
        FilterListStatus entry{list.path.string(), 0, 0, list.modified, false};
        for (const auto& counted : counts) {
            if (counted.path == list.path) {
                entry.rules = counted.counts.used;
                entry.skipped = counted.counts.skipped;
                entry.counted = true;
            }
        }
        status.push_back(std::move(entry));
    }
    context_.contentFilterStatus().setLists(std::move(status));
}

void FilterLoader::followOptions() {
    options_ = context_.options().follow([this](OptionId id, OptionsModel::Cause) {
        if (id != OptionId::BlockAds && id != OptionId::AdsAllowedSites) return;
        if (ContentFilters* filters = context_.contentFilters()) {
            const OptionsModel& o = context_.options();
            filters->setBlocking(o.blockAds, engine::parseSites(o.adsAllowedSites));
            if (o.blockAds) begin();
        }
    });
}

}  // namespace larkspan::contentfilter
