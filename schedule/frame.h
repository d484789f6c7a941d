#pragma once
// The schedule frame: what the six schedule procedures of the schedule window
// share. It holds the per-asset header captions that GetData writes, the
// eight-column schedule grid Fxg2 with the program-wide grid row count, the
// hidden rate boxes, the working values of the asset on show and the
// procedures themselves (one source file each). The window model
// (schedule_window.h) adds the paging controls and the messages.
//
// Every procedure fills Fxg2 for the register row `currentRecord` of the
// program state. They throw common::OverflowError when a value does not fit
// its 16- or 32-bit type and platform::GridError when a cell outside the
// grid is addressed; the window's commands catch both.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/grid.h"
#include "register/state.h"

namespace fenmark::schedule {

inline constexpr const char* kScheduleTitle = "償却費シュミレーション";
inline constexpr std::string_view kScheduleHeading =
    "^経過年数|年度期末現在        |^決算年 |^月数   |当期償却額 |経費算入額 |期末簿価  |"
    "　　備　考　　";
inline constexpr int kScheduleColumns = 8;

// Grid columns.
enum ScheduleColumn : int {
    colYears = 0,
    colLabel = 1,
    colSettleYear = 2,
    colMonths = 3,
    colAmount = 4,
    colExpense = 5,
    colBookValue = 6,
    colRemark = 7,
};

inline constexpr const char* kRemarkRevised = "改定償却";
inline constexpr const char* kRemarkThreeYear = "3年均等";
inline constexpr const char* kRemarkFiveYear = "５年均等";

// The calendar year of the system clock (local time).
[[nodiscard]] std::int32_t systemCalendarYear();

// Number text as the labels and the year column write it: no blanks, no
// separators, no trailing ".0" ("19", "2008", "19.5").
[[nodiscard]] std::string numberText(double value);

class ScheduleFrame {
  public:
    explicit ScheduleFrame(reg::ProgramState& state);
    virtual ~ScheduleFrame() = default;
    ScheduleFrame(const ScheduleFrame&) = delete;
    ScheduleFrame& operator=(const ScheduleFrame&) = delete;

    // Header captions.
    platform::TextBox txtName{"txtName"};
    platform::Control lblCode{"lblCode"};
    platform::Control lblPrice{"lblPrice"};
    platform::Control lblBase{"lblBase"};
    platform::Control lblNens{"lblNens"};
    platform::Control lblSritu{"lblSritu"};
    platform::Control lblShou2{"lblShou2"};
    platform::Control lblWari{"lblWari"};
    platform::Control lblSuu{"lblSuu"};
    platform::Control lblZanson{"lblZanson"};
    platform::Control lblGendo{"lblGendo"};
    platform::Control lblSHou{"lblSHou"};
    platform::Control lblDate{"lblDate"};
    platform::Control lblCate{"lblCate"};
    platform::Control lblHo{"lblHo"};
    platform::Control lblR2{"lblR2"};
    platform::Control lblHogaku{"lblHogaku"};

    // Hidden boxes: the new-rule rates, the guarantee rate and the revised
    // rate cut out of them, and the rounding flag.
    platform::TextBox txtSinR{"txtSinR", false};
    platform::TextBox Text2{"Text2", false};
    platform::TextBox Text3{"Text3", false};
    platform::TextBox Text4{"Text4", false};

    platform::Grid Fxg2{1, kScheduleColumns};
    // False while a procedure fills the grid.
    bool Fxg2Visible = true;
    // The grid's row count as the last procedure set it (header included);
    // the three-year schedule sets its last data row instead. The year-end
    // statement reads it as the size of the schedule.
    std::int16_t gridRowCount = 1;

    // Working values of the window.
    std::int16_t closingMonth = 12;
    // 0 rounds up (切上げ), anything else rounds down (切捨て).
    std::int16_t roundingFlag = 0;
    std::int32_t currentYear = 0;
    std::int16_t elapsedYears = 0;
    double depreciableFraction = 0.9;

    // The current-period amounts ToukiCal sets for the straight-line
    // schedules: the yearly amount and its expense at the useful life's
    // rate, and the same at the rate of the life revised in 1998.
    float currentAmount = 0;
    float currentExpense = 0;
    float revisedCurrentAmount = 0;
    float revisedCurrentExpense = 0;

    // The header captions in the order the window shows them.
    [[nodiscard]] std::vector<platform::Control*> headerLabels();

    // Fills the header for `currentRecord` and the working values the
    // procedures read; runs before the procedure of the same asset. Every
    // caption is rewritten, so none keeps the previous asset's text.
    void GetData();
    // Sets the hidden rate box and runs its change event.
    void setTxtSinR(std::string text);
    void txtSinR_Change();

    // Runs the procedure that the asset's type and method code select; an
    // asset that selects none gets an empty schedule (the heading alone).
    void ShowSchedule();
    // The schedule with the heading row alone.
    void EmptySchedule();

    void GetFxd0();   // new straight line (method "3")
    void GetFxd00();  // new declining balance (method "4")
    void GetFxd3();   // old declining balance (method "0")
    void GetFxd();    // old straight line (method "1")
    void GetFxd2();   // plain straight line (types 9 and 10, limit "100")
    void GetFxd1();   // three-year equal (method "2")
    void ToukiCal();

    // The linear cell number of data row `row` (0-based: grid row row + 1)
    // and column `col`; throws common::OverflowError beyond 16 bits.
    [[nodiscard]] std::int16_t faIndex(int row, int col) const;
    // The text of grid cell (row, col), made the current cell; throws
    // platform::GridError outside the grid.
    [[nodiscard]] std::string GetPriData(int row, int col);

  protected:
    [[nodiscard]] const std::string& cell(reg::Column column) const;
    [[nodiscard]] double value(reg::Column column) const;
    [[nodiscard]] bool hasRevisedLife() const { return !cell(reg::revisedLife).empty(); }
    // What stays on the books at the end: one yen a unit, or the cost when
    // that is lower (never below 0).
    [[nodiscard]] double memorandumValue() const;
    // Whether the cost lies above the memorandum value, so that there is
    // anything to depreciate at all.
    [[nodiscard]] bool depreciable() const {
        return value(reg::acquisitionCost) > memorandumValue();
    }
    // Data rows 1..lastRow of an asset with nothing to depreciate: its year
    // columns and its cost as the book value of every year, no amounts.
    void putUndepreciated(int lastRow);

    // Round up or down by the rounding flag.
    [[nodiscard]] double roundByMode(double amount) const;
    // 13 - acquisition month + closing month, less 12 above 12.
    [[nodiscard]] std::int16_t firstYearMonths() const;
    // The calendar year in which data row `row` closes.
    [[nodiscard]] double settleYear(int row) const;
    // The era year label of data row `row`.
    [[nodiscard]] std::string yearLabel(int row) const;

    // Clears the grid, gives it `rows` rows (heading included) and the
    // heading, hides it and sets the grid row count.
    void startGrid(std::int16_t rows);
    // Writes the row number, the label and the closing year of data rows
    // 1..lastRow.
    void putYearColumns(int lastRow);
    // Row 1: m & "/12"; a later row "12/12" when its amount cell shows an
    // amount (not empty, not "0").
    void putMonths(int row);
    void put(int row, int col, std::string text);
    [[nodiscard]] const std::string& at(int row, int col) const;
    void finishGrid() { Fxg2Visible = true; }

    reg::ProgramState& state_;
};

// The masks of the schedule: amounts and expenses, and book values after
// row 1. An amount that is no finite number throws common::OverflowError.
[[nodiscard]] std::string amountText(double amount);
[[nodiscard]] std::string bookText(double amount);

}  // namespace fenmark::schedule
