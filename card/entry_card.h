#pragma once
// The asset entry card's model (window frmRecData): one page per register
// row. Every control is plain state under its own name and every event
// procedure is a method under its own name, so the card runs without Qt.
//
// Who runs an event. Whatever reaches the model from outside (the view's
// forwarding of a user action, or a test calling an event method) counts as
// the user's own doing: it marks the card changed. GetData, NewData, Pageup
// and the conversion fill the card from code; the events they cascade never
// mark it, and never refuse what is stored.
//
// Setting a control from code runs that control's change event when the
// value changes (filling the year box runs txtYear_Change); the private
// setters are the one place where that happens.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "card/life_dialog.h"
#include "law/era.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "register/state.h"

namespace fenmark::card {

// The card's messages and captions.
inline constexpr const char* kCardTitle = "データ登録　　";
inline constexpr const char* kNewPageSuffix = "/新規";

inline constexpr const char* kMsgNoName = "資産の名称が入力されていません。";
inline constexpr const char* kMsgNoType = "種別が入力されていません。";
inline constexpr const char* kMsgNoYear = "取得年が入力されていません。";
inline constexpr const char* kMsgNoMonth = "取得月が入力されていません。";
inline constexpr const char* kMsgNoQuantity = "数または面積が入力されていません。";
// The page check says 価格, the method procedures 価額.
inline constexpr const char* kMsgNoPriceOnPage = "取得価格が入力されていません。";
inline constexpr const char* kMsgNoPrice = "取得価額が入力されていません。";
inline constexpr const char* kMsgNoLife = "耐用年数が入力されていません。";
inline constexpr const char* kMsgNoResidual = "残存割合又は限度額が未入力です";
inline constexpr const char* kMsgNoMethod = "償却方法が指定されていません。";

inline constexpr const char* kMsgBadPrice = "取得価額が不正です。";
inline constexpr const char* kMsgBadLife = "耐用年数が不正です。";
inline constexpr const char* kMsgFromHeisei11 = "平成11年分から適用です。";
inline constexpr const char* kMsgBadInitialLife = "初期設定（耐用年数）が不正です。";
inline constexpr const char* kMsgRevisedLifeTooLate =
    "平成１０年以降取得の資産には適用できません。";
inline constexpr const char* kMsgDecliningNotAllowed = "この資産には定率法を選択できません。";

// Checks that keep the register storable and its numbers meaningful.
inline constexpr const char* kMsgNameQuote = "資産の名称に「\"」は使用できません。";
inline constexpr const char* kMsgNameCharset = "資産の名称に使用できない文字が含まれています。";
inline constexpr const char* kMsgNoEra = "元号が選択されていません。";
inline constexpr const char* kMsgBadYear = "取得年が不正です。";
inline constexpr const char* kMsgBadQuantity = "数または面積が不正です。";
inline constexpr const char* kMsgBadRatio = "事業専用割合が不正です。";
// 少額減価償却資産の特例 (措置法28条の2): the bounds are in law/small_assets.h.
inline constexpr const char* kMsgSmallAssetPeriod =
    "少額減価償却資産の特例は、平成18年4月から令和11年3月までに取得した資産に使えます。";
inline constexpr const char* kMsgSmallAssetLimit300 =
    "少額減価償却資産の特例にできるのは、1単位の取得価額が30万円未満の資産です。";
inline constexpr const char* kMsgSmallAssetLimit400 =
    "少額減価償却資産の特例にできるのは、1単位の取得価額が40万円未満の資産です。";
inline constexpr const char* kSmallAssetRate = "1.000";

// The day an asset leaves the business.
inline constexpr const char* kMsgNoLeavingDate = "除却・売却の年月が入力されていません。";
inline constexpr const char* kMsgBadLeavingDate = "除却・売却の年月が不正です。";
inline constexpr const char* kMsgLeavingBeforeAcquisition =
    "除却・売却の年月が取得年月より前になっています。";
inline constexpr const char* kMsgLeavingInFuture = "除却・売却の年月がまだ来ていない月です。";
inline constexpr const char* kMsgAcquisitionInFuture = "取得年月がまだ来ていない月です。";
inline constexpr const char* kMsgNoSalePrice = "売却価額が入力されていません。";
inline constexpr const char* kMsgBadSalePrice = "売却価額が不正です。";
inline constexpr const char* kLeavingLumpSumNote =
    "一括償却資産は、除却・売却しても3年間均等に償却を続けます。";
inline constexpr const char* kLeavingSmallAssetNote =
    "少額減価償却資産の特例の資産は、除却・売却を記録する必要がありません。";
// What the card says under the business start (the computation, and on a
// line of its own the book value it gives) and under the carried opening
// (one text, which the window wraps where it has to).
inline constexpr const char* kPrivateLossLead = "業務に使うまでの減価の額：";
inline constexpr const char* kConvertedBookLead = "\n業務開始時の未償却残高 ";
inline constexpr const char* kComputedBookLead = "計算上の未償却残高 ";
inline constexpr const char* kCarriedDifferenceLead = "、引継ぎとの差 ";
inline constexpr const char* kCarriedAgrees = "：引継ぎと一致しています。";
inline constexpr const char* kCarriedDifferenceNote =
    "。数円なら端数処理の差です。大きな差は以前の申告の誤りかもしれず、"
    "その年分の更正の請求か修正申告で直します（この台帳ではできません）。";
inline constexpr const char* kYen = "円";
inline constexpr const char* kMsgLumpSumLimit =
    "3年均等償却資産（一括償却資産）にできるのは、"
    "1単位の取得価額が10万円以上20万円未満の資産です。";
inline constexpr const char* kMsgPriceBelowQuantity =
    "取得価額が数量より少なくなっています。1台（1単位）につき1円以上の金額を入力してください。";
inline constexpr const char* kMsgBadRevisedLife = "改正耐用年数が不正です。";
inline constexpr const char* kMsgBadResidual = "残存割合が不正です。";
inline constexpr const char* kMsgBadLimit = "償却限度額が不正です。";

inline constexpr const char* kMsgRegisterChanges = "変更した内容を登録しますか?。";
inline constexpr const char* kMsgDiscardNewPage = "このページは未登録です。破棄して戻りますか?。";
inline constexpr const char* kMsgFirstPage = "１ページ目です。";
inline constexpr const char* kMsgDelete = "このカードを削除します。";
inline constexpr const char* kTitleDelete = "Fenmark Database";
// The previous-page button's questions carry a blank after the name.
inline constexpr const char* kTitlePreviousPage = "Fenmark ";
inline constexpr const char* kMsgSaveAsFile = "登録内容をファイルとして保存しますか?。";
inline constexpr const char* kMsgNothingRegistered = "登録されたデータがありません。";
inline constexpr const char* kMsgConvertPlease = "データーのコンバートを行ってください。";
inline constexpr const char* kMsgConvertDone = "データーのコンバートが終わりました。";

// The kind of depreciable asset the municipal return declares the asset as
// (償却資産の種類), and where the kind shown came from.
inline constexpr const char* kMunicipalProposedNote = "種別・償却方法から";
inline constexpr const char* kMunicipalExcludedLead = "対象外：";
// What else the return takes of a type it does not propose to declare.
inline constexpr const char* kMunicipalVehicleHint =
    "大型特殊自動車・フォークリフトなどは「5 車両及び運搬具」";
inline constexpr const char* kMunicipalFittingHint =
    "借りた建物に付けた設備や独立した機械などは「1 構築物」";

// The three-year method's rate, with its trailing blank.
inline constexpr const char* kThreeYearRate = "0.333 ";

// An option button of the method frame.
struct OptionButton {
    OptionButton() = default;
    OptionButton(std::string name_, std::string caption_)
        : name(std::move(name_)), caption(std::move(caption_)) {}

    std::string name;
    std::string caption;
    bool value = false;
    bool enabled = true;
    bool visible = true;
};

// A check box: the same state as an option button, ticked on its own.
struct CheckBox : OptionButton {
    using OptionButton::OptionButton;
};

// The items of the kind list (cboShisan): 「1 構築物」 to 「6 工具・器具及び
// 備品」, then 「対象外」.
[[nodiscard]] std::vector<std::string> municipalKindItems();

// What the card needs from the main window, which opened it.
class EntryCardHost {
  public:
    virtual ~EntryCardHost() = default;
    // Re-read the register from chosenFilePath and rebuild the list.
    virtual void ReLoad() = 0;
    // Say there is nothing to show and hide the list.
    virtual void ReLoad2() = 0;
    // The card wrote a new register file: enable the commands that need a
    // register, all but the display-order pair, and show the rounding list.
    virtual void registerSaved() = 0;
    virtual void showMain() = 0;
};

// How the card opens the table of useful lives: the window program shows
// its dialog, tests answer as a user would.
class LifeDialogOpener {
  public:
    virtual ~LifeDialogOpener() = default;
    // The life the user chose; nothing when the dialog closed without one,
    // or when the table could not be read (the user has been told why).
    [[nodiscard]] virtual std::optional<LifeChoice> chooseLife(const LifeRequest& request) = 0;
};

class EntryCardModel {
  public:
    EntryCardModel(reg::ProgramState& state, platform::Dialogs& dialogs, EntryCardHost& host);

    // The window; its caption is the title.
    platform::Control Caption{"frmRecData", kCardTitle};

    platform::TextBox txtName{"txtName"};
    platform::Control Label14{"Label14"};
    platform::ComboBox cboReki{"cboReki"};
    platform::TextBox txtYear{"txtYear"};
    platform::ComboBox Combo1{"Combo1"};
    platform::TextBox txtMonth{"txtMonth", false};
    platform::TextBox txtDay{"txtDay", false};
    platform::ComboBox cboBunrui{"cboBunrui"};
    platform::Control lblYmd{"lblYmd"};
    platform::TextBox txtPrice{"txtPrice"};
    platform::Control Label24{"Label24"};
    platform::TextBox txtTnen{"txtTnen"};
    platform::Control lblRate{"lblRate"};
    // Where the life came from when the table of useful lives gave it.
    platform::Control lblTnenNote{"lblTnenNote"};
    platform::Control fraMeth{"fraMeth", "減価償却方法"};
    OptionButton optGaku{"optGaku", "定額法"};
    OptionButton optRitu{"optRitu", "定率法"};
    OptionButton optToku{"optToku", "3年均等償却資産"};
    OptionButton optSyou{"optSyou", "少額減価償却資産（措置法28の2）"};
    platform::TextBox txtSuu{"txtSuu"};
    platform::TextBox txtWari{"txtWari"};
    platform::TextBox txtTnen2{"txtTnen2"};
    platform::Control lblRate2{"lblRate2"};
    platform::TextBox txtZanwari{"txtZanwari"};
    platform::TextBox txtGendo{"txtGendo"};
    platform::TextBox Text3{"Text3", false};
    platform::Control lblNum{"lblNum"};

    // The asset's leaving: how (none, 除却, 売却, 自家転用), the era, year
    // and month, and the price of a sale. An asset of the three-year or small-asset
    // method has no such section: lblJyoNote says why.
    platform::ComboBox cboJyo{"cboJyo"};
    platform::ComboBox cboJyoReki{"cboJyoReki"};
    platform::TextBox txtJyoYear{"txtJyoYear"};
    platform::ComboBox cboJyoMonth{"cboJyoMonth"};
    platform::TextBox txtJyoPrice{"txtJyoPrice"};
    platform::Control lblJyoNote{"lblJyoNote"};

    // The month business use began, for an asset that was private first
    // (empty when it was used in the business from its acquisition), and
    // what the private years took from its cost.
    platform::ComboBox cboGyoReki{"cboGyoReki"};
    platform::TextBox txtGyoYear{"txtGyoYear"};
    platform::ComboBox cboGyoMonth{"cboGyoMonth"};
    platform::Control lblGyoNote{"lblGyoNote"};

    // The opening carried in from last year's return: the year whose
    // opening it is (era and year), the book value at the end of the year
    // before, the 改定取得価額 of a 新定率法 asset that had switched, and
    // the choice to go on from the program's own figure instead. lblKuriNote
    // compares the filed figure with the program's.
    platform::Control fraKuri{"fraKuri", "前年末未償却残高（引継ぎ）"};
    platform::ComboBox cboKuriReki{"cboKuriReki"};
    platform::TextBox txtKuriYear{"txtKuriYear"};
    platform::TextBox txtKuriZan{"txtKuriZan"};
    platform::TextBox txtKuriKaitei{"txtKuriKaitei"};
    CheckBox chkKuriCalc{"chkKuriCalc", "計算上の未償却残高から続ける"};
    platform::Control lblKuriNote{"lblKuriNote"};

    // For the municipal return: the kind the asset is declared as (1 to 6,
    // then 対象外), shown as proposed from the type and the method until the
    // user chooses another, with lblShisanNote saying which it is; and
    // whether the asset was bought used.
    platform::ComboBox cboShisan{"cboShisan"};
    platform::Control lblShisanNote{"lblShisanNote"};
    CheckBox chkChuko{"chkChuko", "中古"};

    // Hidden working fields: the rate-table entries for the life and the
    // second life, the type's text and the date key.
    platform::TextBox Text1{"Text1", false};
    platform::TextBox Text2{"Text2", false};
    platform::TextBox Text5{"Text5", false};
    platform::TextBox Text6{"Text6", false};

    // The captions and units shown with the fields.
    platform::Control lblCapName{"lblCapName", "資産の名称："};
    platform::Control lblCapCode{"lblCapCode", "コード："};
    platform::Control lblCapDate{"lblCapDate", "取得年月："};
    platform::Control lblCapYearUnit{"lblCapYearUnit", "年"};
    platform::Control lblCapMonthUnit{"lblCapMonthUnit", "月"};
    platform::Control lblCapType{"lblCapType", "種別："};
    platform::Control lblCapWestern{"lblCapWestern", "(西暦"};
    platform::Control lblCapWesternEnd{"lblCapWesternEnd", "）"};
    platform::Control lblCapPrice{"lblCapPrice", "取得価額："};
    platform::Control lblCapPriceUnit{"lblCapPriceUnit", "円"};
    platform::Control lblCapGrouped{"lblCapGrouped", "桁区切り金額表示"};
    platform::Control lblCapTnen{"lblCapTnen", "耐用年数："};
    platform::Control lblCapTnenUnit{"lblCapTnenUnit", "年"};
    platform::Control lblCapRate{"lblCapRate", "償却率："};
    platform::Control lblCapSuu{"lblCapSuu", "数　量："};
    platform::Control lblCapSuuUnit{"lblCapSuuUnit", "（台／機）"};
    platform::Control lblCapWari{"lblCapWari", "事業専用割合："};
    platform::Control lblCapWariUnit{"lblCapWariUnit", "％"};
    // The second useful life's three captions, greyed out unless it applies.
    platform::Control lblCapTnen2{"lblCapTnen2", "* 平成10年改正耐用年数"};
    platform::Control lblCapTnen2Unit{"lblCapTnen2Unit", "年"};
    platform::Control lblCapRate2{"lblCapRate2", "償却率"};
    // The residual and limit boxes stand inside their captions' blanks.
    platform::Control lblCapZanwari{"lblCapZanwari", "残存割合：　　　　　％"};
    platform::Control lblCapGendo{"lblCapGendo", "償却限度額：　　　　　　％"};
    platform::Control lblCapJyo{"lblCapJyo", "除却・売却："};
    platform::Control lblCapJyoYearUnit{"lblCapJyoYearUnit", "年"};
    platform::Control lblCapJyoMonthUnit{"lblCapJyoMonthUnit", "月"};
    platform::Control lblCapJyoPrice{"lblCapJyoPrice", "売却価額："};
    platform::Control lblCapJyoPriceUnit{"lblCapJyoPriceUnit", "円"};
    platform::Control lblCapGyo{"lblCapGyo", "業務に使い始めた年月："};
    platform::Control lblCapGyoYearUnit{"lblCapGyoYearUnit", "年"};
    platform::Control lblCapGyoMonthUnit{"lblCapGyoMonthUnit", "月"};
    platform::Control lblCapGyoHint{"lblCapGyoHint", "（取得した月から使っていれば空欄）"};
    platform::Control lblCapKuriYear{"lblCapKuriYear", "引継ぎの年分："};
    platform::Control lblCapKuriYearUnit{"lblCapKuriYearUnit", "年分"};
    platform::Control lblCapKuriZan{"lblCapKuriZan", "前年末未償却残高："};
    platform::Control lblCapKuriZanUnit{"lblCapKuriZanUnit", "円"};
    platform::Control lblCapKuriKaitei{"lblCapKuriKaitei", "改定取得価額："};
    platform::Control lblCapKuriKaiteiUnit{"lblCapKuriKaiteiUnit", "円"};
    platform::Control lblCapShisan{"lblCapShisan", "償却資産の種類："};

    platform::Control cmdRec{"cmdRec", "登録"};
    platform::Control cmdCancel{"cmdCancel", "削除"};
    platform::Control cmdRR{"cmdRR", "≪", "最初のページ"};
    platform::Control cmdRew{"cmdRew", "＜", "前のページ"};
    platform::Control cmdFor{"cmdFor", "＞", "次のページ"};
    platform::Control cmdFF{"cmdFF", "≫", "最後のページ"};
    platform::Control Command1{"Command1", "┃", "新規ページ"};
    platform::Control Command2{"Command2", "戻る"};
    platform::Control cmdConv{"cmdConv", "コンバート"};
    // Offered once an opener is given (setLifeDialogOpener).
    platform::Control cmdLife{"cmdLife", "耐用年数表"};

    // The rate tables as the card holds them (built by Form_Load).
    std::vector<std::string> lstData;
    std::vector<std::string> lstData2;
    std::vector<std::string> lstData3;

    bool cardChanged = false;
    bool registeredInSession = false;
    // Today's year and month: the system clock's in the program, fixed by
    // tests. No asset can have been acquired or have left after them.
    std::int32_t currentYear = law::systemCalendarYear();
    int currentMonth = law::systemCalendarMonth();
    std::int16_t monthKey = 0;

    // The control that has the focus. The view reports every move the user
    // makes (gotFocus); a move the card makes itself also raises
    // focusRequests, which tells the view to apply it.
    std::string focusedControl;
    int focusRequests = 0;

    // True once Form_Unload has let the card close.
    bool unloaded = false;

    // The controls by kind, in the order the window lays them out.
    [[nodiscard]] std::vector<platform::TextBox*> textBoxes();
    [[nodiscard]] std::vector<platform::Control*> labels();
    [[nodiscard]] std::vector<platform::ComboBox*> comboBoxes();
    [[nodiscard]] std::vector<OptionButton*> options();
    [[nodiscard]] std::vector<platform::Control*> buttons();
    [[nodiscard]] std::vector<CheckBox*> checkBoxes();

    // The table of useful lives behind cmdLife; nullptr hides the button.
    void setLifeDialogOpener(LifeDialogOpener* opener);

    // ---- What the user does (the view forwards these) ----

    // The user typed into a text box: the new text.
    void setText(std::string_view control, std::string text);
    // The user chose an item of a list (-1 for none).
    void select(std::string_view control, int listIndex);
    // The user clicked an option button.
    void clickOption(std::string_view control);
    // The user ticked (or cleared) a check box.
    void setChecked(std::string_view control, bool value);
    // Runs the click event of the named button; false when no button has
    // that name. A disabled or hidden button does nothing.
    bool click(std::string_view control);
    // The focus left a control for another one of the card.
    void lostFocus(std::string_view control);
    // The user moved the focus to a control.
    void gotFocus(std::string_view control);
    // Whether a character typed into the price box is kept (the view passes
    // the UTF-8 text of the key press).
    [[nodiscard]] bool priceKeyAccepted(std::string_view typed) const;
    // Whether the characters typed into the named box are kept: the price
    // box's filter, the sale price's (digits only), anything elsewhere.
    [[nodiscard]] bool keyAccepted(std::string_view control, std::string_view typed) const;

    // ---- Event procedures ----

    void Form_Load();
    // Closing the card: asks about the changes and about the file, writes
    // the register and hands it back to the main window. False when the
    // card must stay open (nothing has been lost then).
    [[nodiscard]] bool Form_Unload();

    void GetData();
    void SetData();
    void NewData();
    void Pageup();

    void Combo1_Click();
    void Combo1_LostFocus();
    void cboBunrui_Click();
    void cboBunrui_DropDown();
    void cboBunrui_LostFocus();
    void cboReki_Change();
    void txtName_Change();
    void txtYear_Change();
    void txtYear_LostFocus();
    void txtMonth_Change();
    void txtPrice_Change();
    // The program's key filter: the key code, or 0 when the key is dropped.
    [[nodiscard]] std::int16_t txtPrice_KeyPress(std::int16_t keyAscii) const;
    // The sale price takes digits and editing keys alone; so do the carried
    // book value and 改定取得価額.
    [[nodiscard]] std::int16_t txtJyoPrice_KeyPress(std::int16_t keyAscii) const;
    void txtTnen_Change();
    void txtTnen_Click();
    void txtTnen2_Change();
    void txtTnen2_LostFocus();
    void txtSuu_Change();
    void txtWari_Change();
    void txtZanwari_Change();
    void txtGendo_Change();
    void Text6_Change();

    void optGaku_Click();
    void optRitu_Click();
    void optToku_Click();
    void optSyou_Click();
    void cboJyo_Click();
    void chkKuriCalc_Click();
    // The user chose a kind: only one other than the proposal is kept.
    void cboShisan_Click();
    void chkChuko_Click();

    void cmdRec_Click();
    void cmdFor_Click();
    void cmdFF_Click();
    void cmdRew_Click();
    void cmdRR_Click();
    void Command1_Click();
    void Command2_Click();
    void cmdCancel_Click();
    void cmdConv_Click();
    // Opens the table of useful lives; what the user chooses is put into
    // the life box as if typed there, and into the type box while that is
    // empty.
    void cmdLife_Click();

    // The method code SetData stores for the chosen option and date.
    [[nodiscard]] std::string methodCode() const;
    // The price of one unit: the price divided by the quantity.
    [[nodiscard]] double unitPrice() const;
    // Why the small-asset rule cannot take the page's asset (its message),
    // or nullptr when it can.
    [[nodiscard]] const char* smallAssetRefusal() const;
    // The same for the three-year method's unit price.
    [[nodiscard]] const char* lumpSumRefusal() const;
    // The page as SetData would store it, without storing it.
    [[nodiscard]] reg::Row pageRow() const;
    // The stored forms of the new sections' boxes: the carried year
    // ("YYYY") and the business start ("YYYY-MM"); empty when the boxes are
    // empty, nothing when they hold no such date.
    [[nodiscard]] std::optional<std::string> carriedYearText() const;
    [[nodiscard]] std::optional<std::string> businessStartText() const;
    // What column 28 would hold: the kind the user chose ("1"-"6", "0" for
    // 対象外), empty while the proposal stands.
    [[nodiscard]] const std::string& municipalKindText() const { return municipalChoice_; }
    // The asset code's two forms from the date key and the type.
    [[nodiscard]] std::string shortAssetCode() const;
    [[nodiscard]] std::string longAssetCode() const;
    // The date key as a number (Text6 read numerically).
    [[nodiscard]] double dateKey() const;

  private:
    // Marks the code-driven stretch in which events do not mark the card.
    class FromCode {
      public:
        explicit FromCode(EntryCardModel& card) : card_(card) { ++card_.codeDepth_; }
        ~FromCode() { --card_.codeDepth_; }
        FromCode(const FromCode&) = delete;
        FromCode& operator=(const FromCode&) = delete;

      private:
        EntryCardModel& card_;
    };

    [[nodiscard]] bool fromCode() const { return codeDepth_ > 0; }
    void markChanged();
    void say(const char* text, const char* title = platform::kProgramTitle);
    [[nodiscard]] platform::Answer ask(const char* text, platform::Buttons buttons,
                                       const char* title = platform::kProgramTitle);
    void moveFocus(std::string control);
    // Every character of the text passes the box's key filter.
    [[nodiscard]] bool keysAccepted(std::int16_t (EntryCardModel::*filter)(std::int16_t) const,
                                    std::string_view typed) const;
    // An edit the user makes in a filtered box (typed, pasted or dropped):
    // false when it brings in a character the box's key filter drops.
    [[nodiscard]] bool editAccepted(const platform::TextBox& box, std::string_view text) const;

    // Setters that run the control's change event when the value changes.
    void assign(platform::TextBox& box, std::string text);
    void assign(platform::ComboBox& list, int listIndex);
    // Selects the option (and deselects the others), running its procedure
    // when it was not selected; false deselects it without an event.
    void assign(OptionButton& option, bool value);
    void assign(CheckBox& box, bool value);
    void clearOptions();
    void runProcedure(const OptionButton& option);

    [[nodiscard]] platform::TextBox* textBox(std::string_view name);
    [[nodiscard]] platform::ComboBox* comboBox(std::string_view name);
    [[nodiscard]] OptionButton* option(std::string_view name);
    [[nodiscard]] platform::Control* button(std::string_view name);

    // The leaving section is offered unless the method keeps the asset's
    // amounts whatever happens to it.
    void updateLeavingSection();
    // The leaving's western year and month as the card shows them, if whole.
    [[nodiscard]] bool leavingMonth(int& year, int& month) const;
    // Which of the sections' controls are offered (the leaving, the
    // 改定取得価額).
    void updateSections();
    // The labels computed from the page: the carried opening against the
    // program's own figure, the value the private years took, the kind of
    // the municipal return. Run after everything that may change the page.
    void updateComputedNotes();
    // The kind list and its note, from the type, the method and the choice.
    void updateMunicipalKind();
    // The page's type and method, with `choice` as column 28: what the
    // municipal return's rules look at.
    [[nodiscard]] reg::Row municipalKindRow(const std::string& choice) const;
    // The checks of the business start and the carried opening.
    [[nodiscard]] bool extendedCheck();
    // Writes the card's fields into `row` (SetData's body).
    void writePage(reg::Row& row) const;
    // Field rules shared by several events.
    void showSecondLife(bool shown);
    void showResidualAndLimit(bool shown);
    void hideAndEmptyResidualAndLimit();
    void copyRowIntoCard();  // steps 2 to 6 of GetData, shared with Pageup
    [[nodiscard]] int typeIndex() const { return cboBunrui.listIndex; }
    [[nodiscard]] bool straightLineOnlyType() const;
    // Re-derives the chosen method after a fact of the date changed.
    void rederiveMethod();

    // Method procedures' parts.
    void computeDateKey();
    [[nodiscard]] bool sharedMethodChecks(OptionButton& clicked);
    void refuseOption(OptionButton& option, const char* message, std::string focus);
    [[nodiscard]] bool decliningNotAllowed() const;

    // Paging.
    [[nodiscard]] bool isNewPage() const;
    void setPageLabel();
    void setNewPageLabel();
    [[nodiscard]] bool pageCheck();
    // The checks that keep the register storable; with allowEmpty an empty
    // box passes (the emptiness checks are the page check's).
    [[nodiscard]] bool dataCheck(bool allowEmpty);
    void registerPage();
    // The changes prompt; false when a Yes could not be registered and the
    // action must stop.
    [[nodiscard]] bool changesPrompt();
    // The new-page discard prompt; false when the user keeps the page.
    [[nodiscard]] bool discardPrompt(const char* title);
    void loadPage(int record);
    void openNewPage();
    // Writes rows 1..count to the path; false (after telling the user)
    // when the file could not be written.
    [[nodiscard]] bool writeRegister(const std::string& path, const reg::AssetRegister& rows,
                                     int count);
    void lockForConversion(bool locked);

    reg::ProgramState& state_;
    platform::Dialogs& dialogs_;
    EntryCardHost& host_;
    LifeDialogOpener* lifeOpener_ = nullptr;
    int codeDepth_ = 0;
    // Column 28 as the page holds it (municipalKindText).
    std::string municipalChoice_;
};

}  // namespace fenmark::card
