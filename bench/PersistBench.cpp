// What reading and writing history.ini costs: a long history, and a megabyte of noise that a
// damaged or foreign file could hold.
#include "persist/MoveHistory.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
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

void BM_LoadMegabyteOfNoise(benchmark::State& state) {
    std::mt19937 random(11);
    const std::string alphabet = "0123456789 \r\n-x";
    std::string noise(1 << 20, ' ');
    for (char& c : noise)
        c = alphabet[random() % alphabet.size()];
    WriteHistoryFile("3\r\n" + noise);
    for (auto _ : state) {
        MoveHistory h;
        benchmark::DoNotOptimize(h.Load());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(noise.size()));
}
BENCHMARK(BM_LoadMegabyteOfNoise)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_LoadMoves)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
