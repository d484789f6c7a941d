#pragma once
// The statement window's model (frmView2, "決算書資料"): the user chooses an
// era and types a year, presses "表示" and sees the statement of that year
// in Fxg3, column for column the return's table (statement.h), computed from
// each asset's schedule. The return chosen in cboForm names ㋬.
//
//   reg::ProgramState state = ...;          // register, recordCount, closingMonth
//   StatementWindowModel window(state, dialogs, {"0"}, &host);
//   window.Form_Load();
//   window.setTxtGetYe("19");
//   window.cmdOk_Click();
//   window.Fxg3.text(1, colDepreciation);   // "250,000"
//   window.markings[0];                      // Marking::None
//
// A window shows one statement: afterwards the year box is hidden and "表示"
// disabled. Over the statement two tabs choose its view: the return's table
// (Fxg3), or the same assets as they are typed into the online return
// system (grdOnline, from onlineEntries), where choosing a cell gives the
// text to copy. Under both views lblDestination says where the ㋷ total
// goes. An asset whose schedule cannot be computed, or that has none,
// shows empty schedule columns and adds nothing to the schedule totals; the
// user is told once. The totals are 64-bit.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "law/era.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/printer.h"
#include "register/state.h"
#include "schedule/schedule_window.h"
#include "yearend/return_entry.h"
#include "yearend/statement.h"

namespace fenmark::yearend {

// The design font of the window's labels and buttons.
inline constexpr const char* kStatementFont = "ＭＳ Ｐゴシック";
inline constexpr double kStatementFontSize = 11.25;
// The client area as designed, in twips.
inline constexpr int kClientWidth = 12825;
inline constexpr int kClientHeight = 8100;

// The key code of Enter in a key-press event.
inline constexpr int kEnterKey = 13;

// The year being filed in `month` of calendar year `year`: the previous
// one from January to March, while its return is due.
[[nodiscard]] constexpr std::int32_t yearBeingFiled(std::int32_t year, int month) {
    return month <= 3 ? year - 1 : year;
}

// The two views of a statement on show, in the order of their tabs.
enum class StatementView { Table, Online };
inline constexpr const char* kTableViewTitle = "決算書の表";

// The online list: the asset's No., then the fields in the order they are
// typed.
inline constexpr int kOnlineColumns = 1 + kOnlineFields;
inline constexpr const char* kOnlineRecordHeading = "No.";
// A cell whose value the online system would refuse as it stands, or that
// the register cannot decide.
inline constexpr platform::Rgb kOnlineProblemColor = 0xFFC8C8;
// What stands under the online list until a cell is chosen.
inline constexpr const char* kOnlineProblemLegend =
    "赤い欄は、そのままでは入力できない値か、選び直す欄です。欄を選ぶと説明を表示します。";
inline constexpr const char* kOnlineCopyHint =
    "欄を選ぶと、その値をコピーします（金額はカンマなしの数字）。作成コーナーの入力欄に貼り"
    "付けてください。";
inline constexpr const char* kOnlineNothingToCopy = "空欄です。コピーするものはありません。";
inline constexpr const char* kOnlineChooseField = "一覧から選ぶ欄です。コピーしていません。";
inline constexpr const char* kOnlineNoAssets = "この年分に作成コーナーへ入力する資産はありません。";
// The list's warnings shown whole under the list; more are summed up in a
// last line.
inline constexpr std::size_t kOnlineWarningLines = 3;
// A copied text longer than this is shortened in the status line.
inline constexpr std::size_t kCopiedQuoteLimit = 24;

// The status line after a copy: 「「12345」をコピーしました」.
[[nodiscard]] std::string copiedCaption(std::string_view text);
// The heading of column `col` of the online list: 「No.」, then the
// field's label broken into lines to keep the column narrow.
[[nodiscard]] std::string onlineColumnHeading(int col);

// What the window reads when a statement is computed.
struct StatementSettings {
    // The main window's rounding choice (its Text2): "0" rounds up.
    std::string roundingMode = "0";
    // The calendar year the schedules count elapsed years to.
    std::int32_t currentYear = schedule::systemCalendarYear();
    // The month of the clock, which decides the year being filed: the
    // previous one from January to March.
    int currentMonth = law::systemCalendarMonth();
    // The return the table is copied into, which names ㋬.
    ReturnForm form = ReturnForm::Blue;
};

// What the window needs from the main window that opened it.
class StatementWindowHost {
  public:
    virtual ~StatementWindowHost() = default;
    // Shows the main window again.
    virtual void showMain() = 0;
    // Closes (unloads) the statement window; its unload() follows.
    virtual void unloadStatement() = 0;
};

// How a control looks and where it sits, in twips. The view places and
// paints the widget of that name from it.
struct ControlLayout {
    std::string name;
    platform::Geometry geometry;
    // Empty for the toolkit's own font (the year box and the grid).
    std::string fontName;
    double fontSize = 0;
    std::optional<platform::Rgb> foreColor;
    std::optional<platform::Rgb> backColor;
    // Position in the tab order, -1 for a control that takes no focus.
    int tabIndex = -1;
    // The widest caption the control is to show whole, measured by the view
    // with the caption itself; empty for the caption alone.
    std::string widthText;
    // What the view measured the control to need in its font, in twips
    // (setNeededSize); 0 until then. The layout gives it at least that.
    int neededWidth = 0;
    int neededHeight = 0;
    // A label that wraps its caption at the width the layout gives it, this
    // many lines high; 0 for a label of one line measured whole.
    int wrapLines = 0;
};

// What follows the year in the heading.
inline constexpr const char* kHeadingYearSuffix = "年分";

// A client area in twips.
struct ClientSize {
    int width = 0;
    int height = 0;
};

// The heading of the statement of `statementYear` (counted from 平成, as
// statementYearOf gives it), as the return writes it: the era of that year,
// the year right-aligned in two columns, 「年分」.
//   statementHeading(38) == "令和 8年分", statementHeading(30) == "平成30年分",
//   statementHeading(31) == "令和元年分"
[[nodiscard]] std::string statementHeading(std::int32_t statementYear);

class StatementWindowModel {
  public:
    // `host` may be null for a window nobody sees (the command-line export).
    // `printDevice` may be null for a window that never prints.
    StatementWindowModel(reg::ProgramState& state, platform::Dialogs& dialogs,
                         StatementSettings settings, StatementWindowHost* host = nullptr,
                         platform::PrintDevice* printDevice = nullptr);
    ~StatementWindowModel();
    StatementWindowModel(const StatementWindowModel&) = delete;
    StatementWindowModel& operator=(const StatementWindowModel&) = delete;

    platform::Control Caption{"frmView2", kStatementTitle};
    // The heading, headingText(): the year typed, or the year shown.
    platform::Control Label1{"Label1"};
    // The era year of the statement shown, as the heading writes it ("8",
    // "元"); the window shows it within the heading only.
    platform::Control lblGY{"lblGY"};
    // The era of the year typed: 平成 or 令和.
    platform::ComboBox cboEra{"cboEra"};
    platform::Control Label3{"Label3"};
    // The return the table is copied into: 青色申告決算書 or 収支内訳書.
    platform::Control lblForm{"lblForm", "申告書の様式"};
    platform::ComboBox cboForm{"cboForm"};
    // The year to show. Change it through setTxtGetYe.
    platform::TextBox txtGetYe{"txtGetYe"};
    platform::Control cmdOk{"cmdOk", "表示"};
    platform::Control lblComent{"lblComent"};
    platform::Control Picture1{"Picture1"};
    platform::Control Label4{"Label4", kRemovableLegend};
    platform::Control Picture2{"Picture2"};
    platform::Control Label5{"Label5", kNotExistingLegend};
    // Under the table: the year's small assets and the warning on their cap.
    platform::Control lblSmall{"lblSmall"};
    platform::Control lblSmallOver{"lblSmallOver", kSmallAssetOverCaption};
    // Under the table too: the book values of the assets scrapped this year.
    platform::Control lblScrapped{"lblScrapped"};
    platform::Control cmdPrint{"cmdPrint", "印刷"};
    platform::Control cmdCancel{"cmdCancel", "戻る"};
    // Under the online list: its warnings (more than 220 assets, assets
    // left out), the problem of the cell chosen and what was copied.
    platform::Control lblWarnings{"lblWarnings"};
    platform::Control lblProblem{"lblProblem"};
    platform::Control lblCopied{"lblCopied"};
    // Under both views: where the ㋷ total goes on the return chosen.
    platform::Control lblDestination{"lblDestination"};

    platform::Grid Fxg3{2, kStatementColumns};
    // True once a statement is on show, whichever view shows it.
    bool Fxg3Visible = false;
    // The tabs over the statement: kTableViewTitle and kOnlineViewTitle;
    // shown with a statement. Change it through selectView.
    platform::ComboBox tabView{"tabView"};
    // The online list: row k the k-th asset of onlineList(), its No. and
    // fields as onlineDisplayText shows them; a cell with a problem in
    // kOnlineProblemColor.
    platform::Grid grdOnline{1, kOnlineColumns};

    // Every control's place and look, the grid's included; Form_Resize
    // places them all.
    std::vector<ControlLayout> layout;
    // The control that has the focus.
    std::string focus;

    // Working values of the last computation.
    std::int32_t statementYear = 0;
    std::int32_t closingMonthNumber = 12;
    std::int64_t depreciationTotal = 0;
    std::int64_t expenseTotal = 0;
    std::int64_t bookValueTotal = 0;
    std::int64_t smallAssetTotal = 0;
    std::int64_t scrappedBookValueTotal = 0;
    // The method caption of asset i at position i - 1, for assets
    // 1..recordCount.
    std::vector<std::string> statementMethodNames;
    // The guarantee amount the cost of asset i carries, at position i - 1.
    std::vector<std::optional<std::int64_t>> guaranteeAmounts;
    // The marking of asset i at position i - 1, for assets 1..recordCount.
    std::vector<Marking> markings;
    // The assets (1-based) whose schedule could not be computed.
    std::vector<int> uncomputed;

    void Form_Load();
    // The client size in twips. Above the grid two rows: the heading with
    // the closing date over the year's era, box, "表示" and prompt, then the
    // legends, the return's list and the buttons at the right edge; the
    // grid takes the rest with the lines on small and scrapped assets under
    // it. A size below minimumClientSize() is laid out as that size, so
    // that no control ever lies on another.
    void Form_Resize(int scaleWidth, int scaleHeight, bool minimized);
    // The view's measure of what a control needs to show its caption (or
    // widthText) whole, in twips; the layout is made again at the last
    // size when it changes. For Fxg3 the height of its heading and a few
    // rows.
    void setNeededSize(std::string_view name, int width, int height);
    // The smallest client size at which every control shows whole and none
    // lies on another, with the three lines under the grid.
    [[nodiscard]] ClientSize minimumClientSize() const;
    // The heading as the return writes it (statementHeading): of the
    // statement shown, else of the year typed; with the year left blank
    // while the box holds none: 「令和  年分」.
    [[nodiscard]] std::string headingText() const;
    // Sets the year box and runs its change event when the text changes.
    void setTxtGetYe(std::string text);
    // The user chose an era (0 平成, 1 令和).
    void selectEra(int listIndex);
    void cboEra_Click();
    // The user chose the return (0 青色申告決算書, 1 収支内訳書): the
    // heading of ㋬ follows at once, also of a statement on show.
    void selectForm(int listIndex);
    [[nodiscard]] ReturnForm form() const { return settings_.form; }
    void txtGetYe_Change();
    // A key typed into the year box; returns the key that reaches the box
    // (0 when it is swallowed: Enter moves the focus on instead).
    [[nodiscard]] int txtGetYe_KeyPress(int keyAscii);
    // The statement of the typed year.
    void cmdOk_Click();
    void cmdCancel_Click();
    // Any closing of the window: Form_Unload. Runs
    // once; a second call does nothing.
    void unload();
    void Form_Unload();

    // Runs the click event of the named button; false when it has none in
    // this build (cmdPrint prints with the printing module). A disabled
    // button does nothing.
    bool click(std::string_view name);

    // The captioned control of that name (the year box excluded), or nullptr.
    [[nodiscard]] platform::Control* control(std::string_view name);
    // The captioned controls in the order of the layout.
    [[nodiscard]] std::vector<platform::Control*> controls();
    // The layout entry of that name; throws std::out_of_range for none.
    [[nodiscard]] const ControlLayout& layoutOf(std::string_view name) const;
    // The names of the controls that take the focus, in tab order.
    [[nodiscard]] std::vector<std::string> tabOrder() const;

    // True while the schedule window used as the calculator is loaded.
    // That window, or nullptr.

    // The register pass: the table cleared, the heading set and the columns
    // that come from the register filled, with the acquisition total.
    // (row + 1) * columns + col for the asset at 0-based position `row`;
    // throws common::OverflowError beyond 16 bits.
    [[nodiscard]] std::int16_t faIndex(int row, int col) const;
    // The text of statement cell (row, col), row 1 being the first asset,
    // made the current cell; throws platform::GridError outside the table.
    [[nodiscard]] std::string GetPriData(int row, int col);

    // "印刷": prints the view on show, the table or the online list.
    void cmdPrint_Click();

    // The user chose a tab (0 the table, 1 the online list).
    void selectView(int index);
    [[nodiscard]] StatementView view() const {
        return tabView.listIndex == 1 ? StatementView::Online : StatementView::Table;
    }
    // Whether the table, or the online list, is on show.
    [[nodiscard]] bool tableShown() const { return Fxg3Visible && view() == StatementView::Table; }
    [[nodiscard]] bool onlineShown() const {
        return Fxg3Visible && view() == StatementView::Online;
    }
    // The lines under the table as its view shows them, whichever view is
    // on show: the small assets and their cap, the scrapped assets, where
    // the ㋷ total goes.
    [[nodiscard]] std::vector<const platform::Control*> tableNotes() const;
    // The entries of the statement on show; none before one is shown.
    [[nodiscard]] const OnlineEntries& onlineList() const { return online_; }
    // The user chose cell (row, col) of grdOnline, row 1 the first asset:
    // it becomes the current cell, lblProblem explains its problem and
    // lblCopied says what was copied. Returns the text to put on the
    // clipboard, onlineTypedText of the field: empty for the No., a blank
    // field, a field chosen from the online system's own list, and outside
    // the list.
    [[nodiscard]] std::string grdOnline_Select(int row, int col);
    // The explanation of the problem of cell (row, col) of grdOnline, empty
    // for none.
    [[nodiscard]] std::string onlineProblemAt(int row, int col) const;

  private:
    // Steps of the computation.
    void computeStatement(const std::string& yearText);
    // Writes the statement into Fxg3, the markings, legends and totals.
    void render(StatementData data);
    void finish();
    // Keeps what the views need of the statement `data` just rendered: the
    // online list and the lines under the table.
    void keepStatement(const StatementData& data);
    void fillOnline();
    // The lines and legends of the view on show.
    void showView();
    // The entry of grdOnline row `row`, or nullptr.
    [[nodiscard]] const OnlineEntry* onlineEntryAt(int row) const;
    void mark(int f, Marking marking);
    void put(int f, int col, std::string text);
    [[nodiscard]] ControlLayout& layoutEntry(std::string_view name);
    [[nodiscard]] bool canFocus(std::string_view name) const;
    // The closing month the schedules use: an empty one stands for December.
    [[nodiscard]] std::string effectiveClosingMonth() const;
    [[nodiscard]] law::Era chosenEra() const;
    // Label1 (and lblGY) from headingText().
    void showHeading();
    // The two rows above the grid: where each control goes in a client
    // area `width` wide, the least width that holds them and their bottom.
    struct TopRows {
        std::vector<std::pair<std::string, platform::Geometry>> places;
        int minimumWidth = 0;
        int bottom = 0;
    };
    [[nodiscard]] TopRows topRows(int width) const;
    // The size the layout gives a control: its design size, or more where
    // the view measured more.
    [[nodiscard]] int widthOf(std::string_view name) const;
    [[nodiscard]] int heightOf(std::string_view name) const;

    reg::ProgramState& state_;
    platform::Dialogs& dialogs_;
    StatementSettings settings_;
    StatementWindowHost* host_;
    platform::PrintDevice* printDevice_;
    // The schedule window is unseen: what it would tell about single assets
    // is told once for the whole statement instead.
    bool unloaded_ = false;
    // The sizes as designed, which the layout gives at least.
    std::vector<ControlLayout> design_;
    // The last size the window was given, for laying it out again.
    int lastScaleWidth_ = kClientWidth;
    int lastScaleHeight_ = kClientHeight;
    bool lastMinimized_ = false;
    // Of the statement on show.
    OnlineEntries online_;
    bool hasSmallAssets_ = false;
    bool hasLeaving_ = false;
};

}  // namespace fenmark::yearend
