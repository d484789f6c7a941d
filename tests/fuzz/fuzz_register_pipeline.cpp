// A register as read from a file, through everything that reads it: the
// ledger list and its sorts, every asset's schedule paged through the
// schedule window, and the year-end statement for a few years. Bad cells
// may stop an asset's schedule with a message, never the program.
//
// The input is the register's UTF-8 text. Its length picks the closing
// month and the rounding choice, so that the corpus covers all of them
// without a layout of its own.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/number.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/text_file.h"
#include "register/ledger_list.h"
#include "register/register_file.h"
#include "register/sorting.h"
#include "register/state.h"
#include "schedule/schedule_window.h"
#include "yearend/close_year.h"
#include "yearend/statement_window.h"

namespace {

using namespace fenmark;

constexpr std::int32_t kCurrentYear = 2024;

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz_register_pipeline: %s\n", what);
    std::abort();
}

bool onlyMessages(const platform::ScriptedDialogs& dialogs,
                  std::initializer_list<std::string_view> allowed) {
    for (const platform::Message& m : dialogs.messages()) {
        bool known = false;
        for (std::string_view text : allowed) known = known || m.text == text;
        if (!known) return false;
    }
    return true;
}

void ledgerList(const reg::ProgramState& state) {
    platform::Grid list;
    list.setRows(state.recordCount + 1);
    list.setCols(reg::kListColumns);
    list.setFixedCols(2);
    list.setFixedRows(1);
    reg::GetData(list, state.assetRegister, state.recordCount);
    check(list.rows() == state.recordCount + 1, "the ledger list lost rows");
    for (int row = 1; row <= state.recordCount; ++row) {
        check(list.text(row, 0) == std::to_string(row), "a ledger row is not numbered");
    }
    reg::sortByType(list);
    reg::sortByCode(list);
    reg::DoSort(list);
    // Undoing the sorts puts the rows back in register order.
    for (int row = 1; row <= state.recordCount; ++row) {
        check(list.text(row, 0) == std::to_string(row), "undoing a sort lost the order");
    }
}

void schedules(reg::ProgramState& state, const std::string& rounding) {
    platform::ScriptedDialogs dialogs;
    schedule::ScheduleWindowModel window(state, dialogs,
                                         {state.closingMonth, rounding, kCurrentYear});
    window.Form_Load();
    std::size_t failures = window.scheduleFailed() ? 1 : 0;
    for (int record = 2; record <= state.recordCount; ++record) {
        window.cmdFF_Click();
        check(state.currentRecord == record, "the schedule window did not page forward");
        if (window.scheduleFailed()) {
            ++failures;
        } else {
            check(window.gridRowCount >= 1, "a schedule without a heading");
        }
    }
    // Once past the last, one step back, and before the first in a window
    // opened anew (paging back shows what paging forward did).
    window.cmdFF_Click();
    if (state.recordCount > 1) {
        window.cmdRew_Click();
        check(state.currentRecord == state.recordCount - 1,
              "the schedule window did not page back");
    }
    schedule::ScheduleWindowModel first(state, dialogs,
                                        {state.closingMonth, rounding, kCurrentYear});
    first.Form_Load();
    first.cmdRew_Click();
    check(onlyMessages(dialogs, {schedule::kCannotComputeMessage, schedule::kLastPageMessage,
                                 schedule::kFirstPageMessage}),
          "the schedule window said something unexpected");
    std::size_t cannot = 0;
    for (const platform::Message& m : dialogs.messages()) {
        if (m.text == schedule::kCannotComputeMessage) ++cannot;
    }
    check(cannot >= failures, "a schedule failed without telling the user");
}

void statement(reg::ProgramState& state, const std::string& rounding, const std::string& year) {
    platform::ScriptedDialogs dialogs;
    yearend::StatementWindowModel window(state, dialogs, {rounding, kCurrentYear, 6});
    window.Form_Load();
    window.selectEra(0);
    window.setTxtGetYe(year);
    window.cmdOk_Click();
    check(onlyMessages(dialogs,
                       {yearend::kAssetsNotComputedMessage, yearend::kStatementNotComputedMessage,
                        yearend::kBadYearMessage, yearend::kNoYearMessage}),
          "the statement window said something unexpected");
    check(dialogs.messages().size() <= 1, "the statement told more than once");
    if (window.Fxg3Visible) {
        check(window.Fxg3.rows() == state.recordCount + 2, "the statement lost rows");
        check(window.markings.size() == static_cast<std::size_t>(state.recordCount),
              "a marking per asset");
    }
    window.unload();
}

// Closing a year writes only values the file can hold and read back.
void closing(const reg::ProgramState& state, std::int16_t rounding, int year) {
    reg::AssetRegister closed = state.assetRegister;
    const std::int16_t month = static_cast<std::int16_t>(common::leadingNumber(state.closingMonth));
    static_cast<void>(
        yearend::closeYear(closed, state.recordCount, year, {month, rounding, kCurrentYear}));
    std::string text;
    try {
        text = reg::formatRegister(closed, state.recordCount);
    } catch (const platform::WriteError&) {
        return;
    }
    try {
        check(reg::parseRegister(text).assetRegister == closed, "a closed year read back changed");
    } catch (const platform::ReadError&) {
        check(false, "a closed year could not be read back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    reg::LoadedRegister loaded;
    try {
        loaded = reg::parseRegister(text);
    } catch (const platform::ReadError&) {
        return 0;
    }
    reg::ProgramState state;
    state.assetRegister = loaded.assetRegister;
    state.recordCount = loaded.recordCount;
    state.closingMonth = std::to_string(size % 12 + 1);
    const std::string rounding = size % 24 < 12 ? "0" : "1";

    ledgerList(state);
    schedules(state, rounding);

    // A year that the input's length picks, and the year after the first
    // asset's acquisition (or one in the middle).
    std::vector<std::string> years = {std::to_string(size % 99 + 1), "25"};
    if (state.recordCount > 0) {
        const double western = common::leadingNumber(state.assetRegister.at(1, reg::westernYear));
        if (western >= 1989 && western <= 2087) {
            years.back() = std::to_string(static_cast<int>(western) - 1988 + 1);
        }
    }
    for (const std::string& year : years) {
        statement(state, rounding, year);
        closing(state, rounding == "0" ? 0 : 1,
                1988 + static_cast<int>(common::leadingNumber(year)));
    }
    check(state.assetRegister == loaded.assetRegister, "reading the register changed it");
    check(state.recordCount == loaded.recordCount, "reading the register changed its count");
    return 0;
}
