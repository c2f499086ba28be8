// Costs of the typed-address list at the sizes a long-used program reaches: reading
// "history.txt" into the list, one completion pass (the box's 200 ms timer), the search that
// decides on Enter whether an address is new, the first of each (which builds its index), and
// an append that keeps both indexes up to date.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "HistoryFile.hpp"
#include "shell/AddressCompletion.hpp"
#include "shell/AddressList.hpp"
#include "shell/TypedAddressSuggestions.hpp"

namespace fs = std::filesystem;
using larkspan::AddressList;

namespace {

class Folder {
  public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "larkspan-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    // A history file of `lines` lines, written once per size.
    fs::path history(std::size_t lines) {
        fs::path file = dir_ / ("history-" + std::to_string(lines) + ".txt");
        if (!fs::exists(file)) larkspan::bench::writeHistoryFile(file, lines);
        return file;
    }

  private:
    fs::path dir_;
};

Folder& folder() {
    static Folder f;
    return f;
}

// Texts a user has typed when the pass runs: one letter (half the list matches), a site's
// beginning, an address of the list, and a text nothing begins with.
const std::vector<std::string>& typedTexts() {
    static const std::vector<std::string> texts{
        "h", "https://www.news1", larkspan::bench::historyLines(5000).back(), "zz.example/"};
    return texts;
}

void BM_LoadHistory(benchmark::State& state) {
    const fs::path file = folder().history(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        AddressList list;
        list.load(file);
        benchmark::DoNotOptimize(list.size());
    }
}
BENCHMARK(BM_LoadHistory)->Arg(0)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_CompletionPass(benchmark::State& state) {
    AddressList list(larkspan::bench::historyLines(static_cast<std::size_t>(state.range(0))));
    larkspan::completeAddress("x", list);  // the first pass walks the list,
    larkspan::completeAddress("x", list);  // the second builds the index
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(larkspan::completeAddress(typedTexts()[i++ % 4], list));
    }
}
BENCHMARK(BM_CompletionPass)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The first pass of a new list walks it (a text nothing begins with walks every entry).
void BM_FirstCompletionPass(benchmark::State& state) {
    const auto lines = larkspan::bench::historyLines(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        AddressList list(lines);
        state.ResumeTiming();
        benchmark::DoNotOptimize(larkspan::completeAddress("zz.example/", list));
    }
}
BENCHMARK(BM_FirstCompletionPass)->Arg(100000)->Unit(benchmark::kMillisecond);

// The second pass builds the index.
void BM_IndexingCompletionPass(benchmark::State& state) {
    const auto lines = larkspan::bench::historyLines(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        AddressList list(lines);
        larkspan::completeAddress("", list);
        larkspan::completeAddress("zz.example/", list);
        state.ResumeTiming();
        benchmark::DoNotOptimize(larkspan::completeAddress("https://www.news1", list));
    }
}
BENCHMARK(BM_IndexingCompletionPass)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_EnterSearch(benchmark::State& state) {
    AddressList list(larkspan::bench::historyLines(static_cast<std::size_t>(state.range(0))));
    larkspan::findAddressPrefix(list, "x");  // the first search builds the index
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(larkspan::findAddressPrefix(list, typedTexts()[i++ % 4]));
    }
}
BENCHMARK(BM_EnterSearch)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_FirstEnterSearch(benchmark::State& state) {
    const auto lines = larkspan::bench::historyLines(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        AddressList list(lines);
        state.ResumeTiming();
        benchmark::DoNotOptimize(larkspan::findAddressPrefix(list, "HTTPS://WWW.NEWS1"));
    }
}
BENCHMARK(BM_FirstEnterSearch)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AppendWithIndexes(benchmark::State& state) {
    AddressList list(larkspan::bench::historyLines(static_cast<std::size_t>(state.range(0))));
    larkspan::completeAddress("x", list);
    larkspan::completeAddress("x", list);
    larkspan::findAddressPrefix(list, "x");
    std::size_t i = 0;
    for (auto _ : state) list.append("http://typed" + std::to_string(i++) + ".example/");
}
BENCHMARK(BM_AppendWithIndexes)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The typed addresses' share of the suggestions under the box, asked on each key: a text
// many addresses hold (it stops at eight) and one none holds (it tries every address).
void BM_TypedSuggestions(benchmark::State& state) {
    AddressList list(larkspan::bench::historyLines(static_cast<std::size_t>(state.range(0))));
    larkspan::TypedAddressSuggestions source(list);
    const std::string text = state.range(1) == 0 ? "news" : "zzq";
    for (auto _ : state) benchmark::DoNotOptimize(source.suggest(text, 8));
}
BENCHMARK(BM_TypedSuggestions)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
