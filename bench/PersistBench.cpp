// What reading and writing history.ini costs: a long history up to the move limit, and the
// largest file the loader reads.
#include "persist/MoveHistory.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The benchmarks write history.ini; keep it out of the folder they were started from.
struct ScratchFolder {
    ScratchFolder() : home(std::filesystem::current_path()) {
        std::string name = (std::filesystem::temp_directory_path() / "mozai-bench-XXXXXX").string();
        if (::mkdtemp(name.data()) != nullptr) {
            folder = name;
            std::filesystem::current_path(folder);
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::current_path(home, ignored);
        if (!folder.empty())
            std::filesystem::remove_all(folder, ignored);
    }
    std::filesystem::path home;
    std::filesystem::path folder;
} scratch;

void WriteHistoryFile(const std::string& bytes) {
    std::ofstream(historyFileName, std::ios::binary) << bytes;
}

// The most a damaged file makes the loader read: white space up to the byte limit, behind which
// the rest of a file of any size is left unread.
void BM_LoadLargestFile(benchmark::State& state) {
    WriteHistoryFile("3" + std::string(maxHistoryFileBytes + 1, ' '));
    for (auto _ : state) {
        MoveHistory h;
        benchmark::DoNotOptimize(h.Load());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(maxHistoryFileBytes));
}
BENCHMARK(BM_LoadLargestFile)->Unit(benchmark::kMillisecond);

void BM_LoadMoves(benchmark::State& state) {
    std::string text = "3\r\n";
    for (int i = 0; i < state.range(0); ++i)
        text += std::to_string(i % 3) + ' ' + std::to_string(i % 3) + ' ' + (i % 2 ? '1' : '0') +
                "\r\n";
    WriteHistoryFile(text);
    for (auto _ : state) {
        MoveHistory h;
        benchmark::DoNotOptimize(h.Load());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadMoves)->Arg(1000)->Arg(maxLoadedMoves)->Unit(benchmark::kMillisecond);

// Includes the flush to disk that makes the replacement safe.
void BM_SaveMoves(benchmark::State& state) {
    MoveHistory h;
    h.SetSize(3);
    for (int i = 0; i < state.range(0); ++i)
        h.Append(i % 3, i % 3, i % 2 == 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(h.Save());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveMoves)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
