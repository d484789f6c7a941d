#pragma once
// The schedule frame: the display side of one asset's schedule. It holds the
// per-asset header captions that GetData writes, the eight-column schedule
// grid Fxg2 rendered from the computed Schedule (schedule.h), the hidden
// rate boxes and the working values of the asset on show. The window model
// (schedule_window.h) adds the paging controls and the messages.
//
// ShowSchedule computes the schedule of the register row `currentRecord`
// and renders it; it throws common::OverflowError when a value does not fit
// its type, and the window's commands catch it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "law/era.h"
#include "platform/controls.h"
#include "platform/grid.h"
#include "register/state.h"
#include "schedule/schedule.h"

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

// The calendar year of the system clock (local time).
using law::systemCalendarYear;

using law::returnYearText;

// The lines under the header of an asset whose schedule does not start
// from its cost at acquisition, each empty where it does not apply:
//   carried       前年末未償却残高（引継ぎ） 令和8年分：1,234,569円（改定取得価額 …円）
//   carriedNote   計算上の未償却残高 1,234,567円、引継ぎとの差 2円, and whether the
//                 schedule continues from the computed figure or cannot use the
//                 filed one
//   businessStart 業務開始 令和2年1月：<the loss while private>、開始時の未償却残高 800,200円
struct OpeningLines {
    std::string carried;
    std::string carriedNote;
    std::string businessStart;
};
[[nodiscard]] OpeningLines openingLines(const Schedule& schedule);

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

    // Under the header, shown only for an asset whose schedule starts from
    // a carried opening or from business use of a private asset
    // (openingLines); hidden for every other asset. Set with the schedule.
    platform::Control lblCarried{"lblCarried"};
    platform::Control lblCarriedNote{"lblCarriedNote"};
    platform::Control lblBusinessStart{"lblBusinessStart"};

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

    // The current-period amounts ToukiCal sets for the straight-line
    // schedules: the yearly amount and its expense at the useful life's
    // rate, and the same at the rate of the life revised in 1998.
    std::int64_t currentAmount = 0;
    std::int64_t currentExpense = 0;
    std::int64_t revisedCurrentAmount = 0;
    std::int64_t revisedCurrentExpense = 0;

    // The header captions in the order the window shows them.
    [[nodiscard]] std::vector<platform::Control*> headerLabels();
    // The lines under the header, in order.
    [[nodiscard]] std::vector<platform::Control*> openingLabels();

    // Fills the header for `currentRecord` and the working values the
    // procedures read; runs before the procedure of the same asset. Every
    // caption is rewritten, so none keeps the previous asset's text.
    void GetData();
    // Sets the hidden rate box and runs its change event.
    void setTxtSinR(std::string text);
    void txtSinR_Change();

    // Computes the schedule of the asset and renders it into Fxg2; an asset
    // that selects no procedure gets an empty schedule (the heading alone).
    void ShowSchedule();
    // The schedule with the heading row alone.
    void EmptySchedule();
    // The schedule shown last (empty after EmptySchedule).
    [[nodiscard]] const Schedule& schedule() const { return schedule_; }
    // The current-period amounts of the asset into the four fields below.
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
    [[nodiscard]] Options options() const { return {closingMonth, roundingFlag, currentYear}; }
    // Writes `schedule` into Fxg2 and makes it the one shown.
    void render(Schedule schedule);

    reg::ProgramState& state_;
    Schedule schedule_;
};

}  // namespace fenmark::schedule
