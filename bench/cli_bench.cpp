// fenmark-cli's commands in-process on a full register of 1,000 assets (the
// sample register's fourteen assets over and over): the list, the
// statement of one year and every schedule, each as JSON and as TSV. The
// whole process, start-up included, is timed by bench/cli_timing.sh.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "cli/schedule_command.h"
#include "cli/statement_command.h"
#include "register/state.h"

namespace {

using namespace fenmark;

// The register file: the sample's lines repeated up to `count` assets.
std::string writeRegister(int count) {
    std::ifstream sample(std::string(FENMARK_EXAMPLES) + "/sample.dat", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(sample, line);) lines.push_back(line + "\n");
    const char* dir = std::getenv("TMPDIR");
    const std::string path = std::string(dir ? dir : "/tmp") + "/fenmark-cli-bench-" +
                             std::to_string(::getpid()) + "-" + std::to_string(count) + ".dat";
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < count; ++i) out << lines[static_cast<std::size_t>(i) % lines.size()];
    return path;
}

const std::string& fullRegister() {
    static const std::string path = writeRegister(reg::kMaxRecords);
    return path;
}

template <typename Options, typename Command>
void runCommand(benchmark::State& bench, Options options, Command command) {
    std::size_t bytes = 0;
    for (auto _ : bench) {
        std::ostringstream out;
        std::ostringstream err;
        if (command(options, out, err) != 0) bench.SkipWithError("the command failed");
        bytes = out.str().size();
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}

void BM_List(benchmark::State& bench, cli::Format format) {
    cli::ListOptions options;
    options.file = fullRegister();
    options.format = format;
    runCommand(bench, options, cli::runList);
}
BENCHMARK_CAPTURE(BM_List, json, cli::Format::Json)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_List, tsv, cli::Format::Tsv)->Unit(benchmark::kMillisecond);

void BM_Statement(benchmark::State& bench, cli::Format format) {
    cli::StatementOptions options;
    options.file = fullRegister();
    options.year = "2026";
    options.closingMonth = 12;
    options.currentYear = 2026;
    options.format = format;
    runCommand(bench, options, cli::runStatement);
}
BENCHMARK_CAPTURE(BM_Statement, json, cli::Format::Json)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Statement, tsv, cli::Format::Tsv)->Unit(benchmark::kMillisecond);

void BM_EverySchedule(benchmark::State& bench, cli::Format format) {
    cli::ScheduleOptions options;
    options.file = fullRegister();
    options.all = true;
    options.closingMonth = 12;
    options.currentYear = 2026;
    options.format = format;
    runCommand(bench, options, cli::runSchedule);
}
BENCHMARK_CAPTURE(BM_EverySchedule, json, cli::Format::Json)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EverySchedule, tsv, cli::Format::Tsv)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ::unlink(fullRegister().c_str());
    return 0;
}
