// Reading, writing and listing a full register of 1,000 assets, and opening
// one as the main window does: the file read and the list filled.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/grid.h"
#include "register/ledger_list.h"
#include "register/register_file.h"

namespace {

using namespace fenmark;

reg::AssetRegister fullRegister() {
    reg::AssetRegister r;
    for (int i = 1; i <= reg::kMaxRecords; ++i) {
        r.row(i) = {"応接セット　一式" + std::to_string(i),
                    "2009-09-4",
                    "1",
                    "21",
                    "9",
                    "",
                    "4",
                    "2009",
                    std::to_string(450000 + i * 1000),
                    "8",
                    "0.125",
                    std::to_string(i % 6),
                    "1",
                    "100",
                    i % 5 ? "" : "6",
                    i % 5 ? "" : "0.166",
                    "10",
                    "95",
                    i % 6 == 4 ? "0.3340.04448" : ""};
    }
    return r;
}

std::string tempPath() {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir ? dir : "/tmp") + "/fenmark-bench-" + std::to_string(::getpid()) +
           ".dat";
}

void BM_WriteRegister(benchmark::State& state) {
    const auto r = fullRegister();
    const std::string path = tempPath();
    for (auto _ : state) reg::writeRegisterFile(path, r, reg::kMaxRecords);
    ::unlink(path.c_str());
}
BENCHMARK(BM_WriteRegister);

void BM_ReadRegister(benchmark::State& state) {
    const std::string path = tempPath();
    reg::writeRegisterFile(path, fullRegister(), reg::kMaxRecords);
    for (auto _ : state) benchmark::DoNotOptimize(reg::readRegisterFile(path));
    ::unlink(path.c_str());
}
BENCHMARK(BM_ReadRegister);

void BM_ListRegister(benchmark::State& state) {
    const auto r = fullRegister();
    platform::Grid grid(reg::kMaxRecords + 1, reg::kListColumns);
    for (auto _ : state) {
        reg::GetData(grid, r, reg::kMaxRecords);
        benchmark::DoNotOptimize(grid.text(reg::kMaxRecords, 11));
    }
}
BENCHMARK(BM_ListRegister);

void BM_OpenAndList(benchmark::State& state) {
    const std::string path = tempPath();
    reg::writeRegisterFile(path, fullRegister(), reg::kMaxRecords);
    for (auto _ : state) {
        const reg::LoadedRegister loaded = reg::readRegisterFile(path);
        platform::Grid grid(loaded.recordCount + 1, reg::kListColumns);
        reg::GetData(grid, loaded.assetRegister, loaded.recordCount);
        benchmark::DoNotOptimize(grid.text(loaded.recordCount, 11));
    }
    ::unlink(path.c_str());
}
BENCHMARK(BM_OpenAndList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
