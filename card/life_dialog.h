#pragma once
// The table of useful lives opened from the entry card (window frmLife): a
// search box over the law's tables whose list narrows as the user types,
// and the simplified life of a used asset. Choosing fills the card's
// 耐用年数; the card takes over from there as if the life had been typed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "law/used_asset_life.h"
#include "law/useful_life.h"
#include "platform/controls.h"
#include "platform/dialogs.h"

namespace fenmark::card {

inline constexpr const char* kLifeDialogTitle = "耐用年数表";
inline constexpr const char* kLifeTableRevision =
    "令和8年初めに施行されていた別表第一～第六によります。令和8年5月22日施行の改正（令和8年"
    "財務省令第29号）とは一部の項目しか照合していません。「要確認」の項目は法令で確かめてください"
    "。";
inline constexpr const char* kToBeConfirmedNote =
    "要確認：この項目の見出しは法令の写し一つでしか確かめていません。法令で確かめてください。";
inline constexpr const char* kMsgChooseEntry = "耐用年数表の項目を選んでください。";
inline constexpr const char* kMsgUsedBadLife =
    "法定耐用年数が不正です。2～100の整数を入力してください。";
inline constexpr const char* kMsgUsedBadElapsed =
    "経過年数が不正です。年（0～100）と月（0～11）で、合わせて1か月以上を入力してください。";
inline constexpr const char* kMsgUsedNotForEntry =
    "無形減価償却資産と生物には、中古資産の簡便法を使えません。";
inline constexpr const char* kUsedNotOffered = "繰延資産と生物には、中古資産の簡便法を使えません。";
inline constexpr const char* kNoteFromTable = "耐用年数表：";
inline constexpr const char* kNoteUsed = "中古資産（簡便法）：";

// What the card tells the dialog when it opens it.
struct LifeRequest {
    // False for the card's 繰延資産 and 生物, which have no used-asset life.
    bool usedOffered = true;
};

// What the user chose.
struct LifeChoice {
    int years = 0;
    // The card's 種別 for the entry chosen (-1 when the life was not taken
    // from an entry).
    int cardType = -1;
    // Where the life came from, for the card to show beside it.
    std::string note;
    // The life is the simplified one of an asset bought used.
    bool used = false;
};

class LifeDialogModel {
  public:
    LifeDialogModel(const law::LifeTable& table, platform::Dialogs& dialogs, LifeRequest request);

    platform::Control Caption{"frmLife", kLifeDialogTitle};
    platform::Control lblCapFind{"lblCapFind", "探す語："};
    platform::TextBox txtFind{"txtFind"};
    platform::Control lblCount{"lblCount"};
    // The entries found, one line each (entryLine).
    platform::ComboBox lstEntries{"lstEntries"};
    // The whole of the entry selected, which the list line may cut short.
    platform::Control lblEntry{"lblEntry"};
    platform::Control lblRevision{"lblRevision", kLifeTableRevision};

    platform::Control fraUsed{"fraUsed", "中古資産の耐用年数（簡便法）"};
    platform::Control lblCapUsedLife{"lblCapUsedLife", "法定耐用年数："};
    platform::TextBox txtUsedLife{"txtUsedLife"};
    platform::Control lblCapUsedLifeUnit{"lblCapUsedLifeUnit", "年"};
    platform::Control lblCapElapsed{"lblCapElapsed", "新品のときからの経過："};
    platform::TextBox txtElapsedYears{"txtElapsedYears"};
    platform::Control lblCapElapsedYears{"lblCapElapsedYears", "年"};
    platform::TextBox txtElapsedMonths{"txtElapsedMonths"};
    platform::Control lblCapElapsedMonths{"lblCapElapsedMonths", "か月"};
    // The used-asset life as it would be computed, or why there is none.
    platform::Control lblUsed{"lblUsed"};

    platform::Control cmdChoose{"cmdChoose", "表の年数を入れる"};
    platform::Control cmdUsed{"cmdUsed", "中古の年数を入れる"};
    platform::Control cmdClose{"cmdClose", "閉じる"};

    // Set when the dialog is to close; `chosen` holds the user's choice, if
    // any.
    bool closeRequested = false;
    std::optional<LifeChoice> chosen;

    [[nodiscard]] std::vector<platform::TextBox*> textBoxes();
    [[nodiscard]] std::vector<platform::Control*> labels();
    [[nodiscard]] std::vector<platform::Control*> buttons();
    // The entry a list line stands for.
    [[nodiscard]] const law::LifeEntry* entryAt(int listIndex) const;
    [[nodiscard]] const law::LifeEntry* selectedEntry() const {
        return entryAt(lstEntries.listIndex);
    }

    // ---- What the user does (the view forwards these) ----
    void setText(std::string_view control, std::string text);
    // A click on a list line (-1 for none).
    void select(int listIndex);
    // A double click, or Enter, on a list line: choose it.
    void activate(int listIndex);
    // Runs the named button's click event; false when there is none.
    bool click(std::string_view control);

    // ---- Event procedures ----
    void Form_Load();
    void txtFind_Change();
    void lstEntries_Click();
    void cmdChoose_Click();
    void cmdUsed_Click();
    void cmdClose_Click();

  private:
    void say(const char* text);
    // Computes the used-asset life from its three boxes into lblUsed.
    void updateUsed();
    // The used-asset life the boxes give, or nothing with the message that
    // says what is wrong.
    [[nodiscard]] std::optional<law::UsedAssetLife> usedLife(const char*& refusal) const;

    const law::LifeTable& table_;
    platform::Dialogs& dialogs_;
    LifeRequest request_;
    std::vector<const law::LifeEntry*> shown_;
};

}  // namespace fenmark::card
