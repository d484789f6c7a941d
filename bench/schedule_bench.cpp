// Every schedule of a full register (1,000 assets of every method): computed as
// values, as the window pages through and renders them, and the year-end
// statement's computation of one year.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/dialogs.h"
#include "register/state.h"
#include "schedule/schedule.h"
#include "schedule/schedule_window.h"
#include "yearend/statement_window.h"

namespace {

using fenmark::reg::Row;

Row makeAsset(int i) {
    // name, code, era, era year, month, day, type, western year, cost, life,
    // rate, method, quantity, ratio, revised life, revised rate, residual,
    // limit, new-rule rates
    const std::string month = std::to_string(1 + i % 12);
    const std::string cost = std::to_string(150000 + 98765 * i);
    switch (i % 6) {
        case 0:
            return {"旋盤",  "",  "1", "2",   month, "", "2",  "1990", cost, "10",
                    "0.206", "0", "1", "100", "",    "", "10", "95",   ""};
        case 1:
            return {"倉庫",  "",  "0", "60", month, "",      "0",  "1985", cost, "45",
                    "0.023", "1", "1", "80", "38",  "0.027", "10", "95",   ""};
        case 2:
            return {"複合機", "",  "1", "20",  month, "", "4",  "2008", "150000", "3",
                    "0.333 ", "2", "1", "100", "",    "", "10", "95",   ""};
        case 3:
            return {"工作機械", "",  "1", "21",  month, "", "2",  "2009", cost, "10",
                    "0.100",    "3", "2", "100", "",    "", "10", "95",   ""};
        case 4:
            return {"パソコン", "",  "1", "20", month, "", "4",  "2008", cost,          "10",
                    "0.250",    "4", "1", "90", "",    "", "10", "95",   "0.3340.04448"};
        default:
            return {"開業費", "",  "1", "22",  month, "", "9", "2010", cost, "5",
                    "0.200",  "5", "1", "100", "",    "", "0", "100",  ""};
    }
}

fenmark::reg::ProgramState fullRegister() {
    fenmark::reg::ProgramState state;
    for (int i = 0; i < fenmark::reg::kMaxRecords; ++i)
        state.assetRegister.row(i + 1) = makeAsset(i);
    state.recordCount = fenmark::reg::kMaxRecords;
    return state;
}

void BM_EveryScheduleAsValues(benchmark::State& bench) {
    const fenmark::reg::ProgramState state = fullRegister();
    const fenmark::schedule::Options options{12, 0, 2024};
    for (auto _ : bench) {
        for (int i = 1; i <= state.recordCount; ++i) {
            const auto s = fenmark::schedule::computeSchedule(state.assetRegister.row(i), options);
            benchmark::DoNotOptimize(s.years.data());
        }
    }
    bench.SetItemsProcessed(bench.iterations() * fenmark::reg::kMaxRecords);
}
BENCHMARK(BM_EveryScheduleAsValues)->Unit(benchmark::kMicrosecond);

void BM_StatementComputation(benchmark::State& bench) {
    const fenmark::reg::ProgramState state = fullRegister();
    const fenmark::schedule::Options options{12, 0, 2024};
    for (auto _ : bench) {
        const auto data = fenmark::yearend::computeStatement(state.assetRegister, state.recordCount,
                                                             30, 12, options, true);
        benchmark::DoNotOptimize(data.expenseTotal);
    }
}
BENCHMARK(BM_StatementComputation)->Unit(benchmark::kMicrosecond);

// The statement window: the computation and its rendering into the table.
void BM_StatementOfOneYear(benchmark::State& bench) {
    fenmark::reg::ProgramState state = fullRegister();
    fenmark::platform::ScriptedDialogs dialogs;
    fenmark::yearend::StatementWindowModel window(state, dialogs, {"0", 2024});
    window.Form_Load();
    for (auto _ : bench) {
        window.selectEra(0);
        window.setTxtGetYe("30");
        window.cmdOk_Click();
        benchmark::DoNotOptimize(window.expenseTotal);
    }
    if (!dialogs.messages().empty()) bench.SkipWithError("the statement could not be computed");
}
BENCHMARK(BM_StatementOfOneYear)->Unit(benchmark::kMicrosecond);

void BM_EverySchedule(benchmark::State& bench) {
    fenmark::reg::ProgramState state = fullRegister();
    fenmark::platform::ScriptedDialogs dialogs;
    for (auto _ : bench) {
        fenmark::schedule::ScheduleWindowModel window(state, dialogs, {"12", "0", 2024});
        window.Form_Load();
        for (int i = 1; i < fenmark::reg::kMaxRecords; ++i) window.Pageup();
        benchmark::DoNotOptimize(window.Fxg2.text(1, fenmark::schedule::colAmount));
    }
    if (!dialogs.messages().empty()) bench.SkipWithError("a schedule could not be computed");
    bench.SetItemsProcessed(bench.iterations() * fenmark::reg::kMaxRecords);
}
BENCHMARK(BM_EverySchedule)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
