#pragma once
// The window 「償却資産申告」: the return on depreciable assets of 1 January
// of a chosen year, as municipalReturn computes it, laid out for copying
// into the municipality's forms. The user types the year (western) and the
// rate of the estimate and presses "表示"; the window then shows
//   - Fxg: the 種類別明細書（全資産用）, the declared assets by kind in
//     register order, then those that left in the year before (ロ), each
//     row coloured by its mark;
//   - FxgKinds: the 申告書's table, (イ) to (ニ) of 取得価額 and the 評価額
//     per kind, with the sum;
//   - the 評価額, the 課税標準額 and the tax as an estimate;
//   - FxgExcluded: the assets not declared, with the reason.
//
//   MunicipalWindowModel window(state, dialogs, {2026, 11});
//   window.Form_Load();               // 2027 offered and shown
//   window.setTxtRate("1.5");
//   window.cmdShow_Click();
//   window.lblTax.caption;   // 「税額（見込み）：…円（課税標準額 × 税率1.5%、100円未満切捨て）」
//
// The figures shown stay until the next successful "表示": a year or rate
// the window refuses is told in a message and changes nothing shown.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "law/era.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/printer.h"
#include "register/state.h"
#include "yearend/municipal_return.h"

namespace fenmark::yearend {

// The messages and fixed captions of the window.
inline constexpr const char* kMunicipalNoAssetsMessage =
    "台帳が開かれていないか、資産が登録されていません。台帳を開いてから表示してください。";
inline constexpr const char* kMunicipalNothingDeclared =
    "1月1日現在で申告する資産はありません。該当する資産がなくても申告を求める市区町村があります。";
inline constexpr const char* kMunicipalBadYearMessage =
    "賦課期日の年を西暦4桁で入力してください（例：2027）。表示は前のままです。";
inline constexpr const char* kMunicipalBadRateMessage =
    "税率は0より大きく100以下の数（%）で入力してください（例：1.4）。表示は前のままです。";
inline constexpr const char* kMunicipalOverflowMessage =
    "金額が大きすぎるため計算できません。取得価額を確かめてください。";
inline constexpr const char* kMunicipalExemptionText =
    "課税標準額が免税点（150万円）未満のため、税額はかかりません（見込み）。申告は必要です。";
inline constexpr const char* kMunicipalTaxNote = "税額は市区町村が計算します。";
inline constexpr const char* kMunicipalWarningsHeading =
    "評価額を計算できない資産があります。台帳で耐用年数を入力してください：";
inline constexpr const char* kMunicipalLastYearLegend = "前年中に取得した資産（ハ）";
inline constexpr const char* kMunicipalRemovedLegend = "前年中に減少した資産（ロ）";
inline constexpr const char* kMunicipalRemovedMark = "減少";
inline constexpr const char* kMunicipalTotalCaption = "合計";
inline constexpr const char* kMunicipalAssetsTab = "種類別明細書（全資産用）";
inline constexpr const char* kMunicipalExcludedTab = "申告しない資産";

// Row colours as 0xRRGGBB: pale green for last year's purchases, pale rose
// for what left, pale yellow for the sum row.
inline constexpr platform::Rgb kMunicipalLastYearColor = 0xD8F0D0;
inline constexpr platform::Rgb kMunicipalRemovedColor = 0xF4D4D4;
inline constexpr platform::Rgb kMunicipalTotalColor = 0xFFF4C0;

// The years the window accepts for 1 January.
inline constexpr int kMunicipalFirstYear = 1990;
inline constexpr int kMunicipalLastYear = 2999;

// The columns of the 種類別明細書 on screen and on paper.
enum MunicipalColumn : int {
    mcRecord = 0,  // No. (the register's record)
    mcKind,        // 資産の種類: "6 工具・器具及び備品"
    mcName,        // 資産の名称等
    mcQuantity,    // 数量
    mcEra,         // 取得年月: the era code and name, "5 令和"
    mcYear,        //   the era year
    mcMonth,       //   the month
    mcCost,        // 取得価額
    mcLife,        // 耐用年数
    mcRate,        // 減価残存率, "0.815"
    mcValue,       // 評価額
    mcTaxBase,     // 課税標準額
    mcReason,      // 増加事由: "1 新品", or 減少 for what left
    mcNote,        // 摘要
    kMunicipalColumns
};
// The heading of each column of the 種類別明細書.
[[nodiscard]] const char* municipalHeading(int column);

// The columns of the 申告書's table.
enum KindColumn : int {
    kcKind = 0,  // 資産の種類
    kcI,         // (イ) 前年前に取得したもの
    kcRo,        // (ロ) 前年中に減少したもの
    kcHa,        // (ハ) 前年中に取得したもの
    kcNi,        // (ニ) 計（イ−ロ＋ハ）
    kcValue,     // 評価額
    kKindColumns
};
[[nodiscard]] const char* kindHeading(int column);

// How a row of the 種類別明細書 is marked.
enum class MunicipalMark { Held, AcquiredLastYear, Removed };

// One row of the 種類別明細書 as shown and printed: the cells in column
// order, its mark and the amounts the sums are made of.
struct MunicipalRow {
    std::vector<std::string> cells;
    MunicipalMark mark = MunicipalMark::Held;
    // 0 where the cell is empty.
    std::int64_t cost = 0;
    std::int64_t value = 0;
    std::int64_t taxBase = 0;
};

// "1,234,567", "-5", "0".
[[nodiscard]] std::string yenText(std::int64_t amount);
// "6 工具・器具及び備品".
[[nodiscard]] std::string kindText(int kind);
// "1 新品", "2 中古", "4 その他".
[[nodiscard]] std::string increaseText(int reason);
// The 1 January of `year` as a return dates it: "令和9年1月1日",
// "平成31年1月1日", "令和2年1月1日".
[[nodiscard]] std::string municipalDateText(int year);
// The 種類別明細書's rows of a return: the declared assets by kind (register
// order within a kind), then the ones that left in the year before. The
// acquisition of a removed asset comes from its register row.
[[nodiscard]] std::vector<MunicipalRow> municipalRows(const MunicipalReturn& r,
                                                      const reg::AssetRegister& assets);
// The lines under the tables: the 評価額's total, the 課税標準額, the tax
// with its rate, and the exemption where it applies.
struct TaxLines {
    std::string totalValue;
    std::string taxBase;
    std::string tax;
    // Empty above the exemption.
    std::string exemption;
};
[[nodiscard]] TaxLines taxLines(const MunicipalReturn& r);

// The clock the window proposes its year by.
struct MunicipalClock {
    int year = law::systemCalendarYear();
    int month = law::systemCalendarMonth();
};

// What the window needs from the window that opened it.
class MunicipalWindowHost {
  public:
    virtual ~MunicipalWindowHost() = default;
    // Shows the opener again.
    virtual void showMain() = 0;
    // Closes the municipal window; its unload() follows.
    virtual void unloadMunicipal() = 0;
};

class MunicipalWindowModel {
  public:
    // `host` and `printDevice` may be null (a window nobody sees or that
    // never prints).
    MunicipalWindowModel(const reg::ProgramState& state, platform::Dialogs& dialogs,
                         MunicipalClock clock = {}, MunicipalWindowHost* host = nullptr,
                         platform::PrintDevice* printDevice = nullptr);

    platform::Control Caption{"frmMunicipal", kMunicipalTitle};
    platform::Control lblYear{"lblYear", "賦課期日（西暦）"};
    // The year of the 賦課期日, western. Change it through setTxtYear.
    platform::TextBox txtYear{"txtYear"};
    // The year box read as a date: 「令和9年1月1日現在」.
    platform::Control lblDate{"lblDate"};
    platform::Control cmdShow{"cmdShow", "表示"};
    platform::Control lblRate{"lblRate", "税率"};
    // The rate of the estimate in percent; never saved.
    platform::TextBox txtRate{"txtRate"};
    platform::Control lblRateUnit{"lblRateUnit", "%（見込みの計算用）"};
    platform::Control cmdPrint{"cmdPrint", "印刷"};
    platform::Control cmdClose{"cmdClose", "閉じる"};
    // What is shown (or why nothing is).
    platform::Control lblHeading{"lblHeading"};
    // The assets whose 評価額 cannot be computed; hidden when none.
    platform::Control lblWarnings{"lblWarnings"};
    // The two tabs' captions, with their counts.
    platform::Control tabAssets{"tabAssets", kMunicipalAssetsTab};
    platform::Control tabExcluded{"tabExcluded", kMunicipalExcludedTab};
    platform::Control lblLastYearLegend{"lblLastYearLegend", kMunicipalLastYearLegend};
    platform::Control lblRemovedLegend{"lblRemovedLegend", kMunicipalRemovedLegend};
    platform::Control lblKinds{"lblKinds", "申告書の集計（取得価額）"};
    platform::Control lblTotalValue{"lblTotalValue"};
    platform::Control lblTaxBase{"lblTaxBase"};
    platform::Control lblTax{"lblTax"};
    platform::Control lblExemption{"lblExemption", kMunicipalExemptionText};
    platform::Control lblTaxNote{"lblTaxNote", kMunicipalTaxNote};

    platform::Grid Fxg{1, kMunicipalColumns};
    platform::Grid FxgKinds{1, kKindColumns};
    // The 申告書's table shows only with a return.
    bool FxgKindsVisible = false;
    platform::Grid FxgExcluded{1, 3};

    // The marks of Fxg's rows 1.. at 0.., as shown.
    std::vector<MunicipalMark> marks;
    // The return on show, if any.
    std::optional<MunicipalReturn> shown;

    // Proposes the year (proposedMunicipalYear of the clock) and the rate
    // 1.4 and shows the return at once.
    void Form_Load();
    // Sets the year box and runs its change event when the text changes.
    void setTxtYear(std::string text);
    void txtYear_Change();
    void setTxtRate(std::string text);
    // The return of the typed year at the typed rate. Enter in either box
    // does the same.
    void cmdShow_Click();
    // Prints the return on show; a year or rate changed since is shown
    // first, and nothing prints when it is refused.
    void cmdPrint_Click();
    void cmdClose_Click();
    // Any closing of the window: shows the opener again. Runs once.
    void unload();

    // Runs the click event of the named button; false for no such button.
    // A disabled button does nothing.
    bool click(std::string_view name);
    // The captioned control of that name, or nullptr.
    [[nodiscard]] platform::Control* control(std::string_view name);

    // The year box as a year the window accepts, or nothing.
    [[nodiscard]] std::optional<int> typedYear() const;

  private:
    // Puts `r` on show.
    void render(MunicipalReturn r);
    // Nothing on show, with `heading` saying why.
    void clearShown(std::string heading);
    [[nodiscard]] bool boxesMatchShown() const;
    void tell(const char* text);

    const reg::ProgramState& state_;
    platform::Dialogs& dialogs_;
    MunicipalClock clock_;
    MunicipalWindowHost* host_;
    platform::PrintDevice* printDevice_;
    bool unloaded_ = false;
};

}  // namespace fenmark::yearend
