// The table of useful lives opened from the card: the list narrowing as the
// user types, choosing an entry or a used-asset life, and the card after the
// choice.

#include "card/life_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "card/entry_card.h"

namespace fenmark::card {
namespace {

const law::LifeTable& shippedTable() {
    static const law::LifeTable table = law::loadLifeTable(FENMARK_LIFE_TABLE);
    return table;
}

class LifeDialogTest : public ::testing::Test {
  protected:
    void open(LifeRequest request = {}) {
        dialog.emplace(shippedTable(), dialogs, request);
        dialog->Form_Load();
    }
    platform::ScriptedDialogs dialogs;
    std::optional<LifeDialogModel> dialog;
};

TEST_F(LifeDialogTest, NarrowsTheListAsTheUserTypesAndChoosesAnEntry) {
    open();
    EXPECT_EQ(dialog->lblCount.caption, "589件");
    EXPECT_EQ(dialog->lstEntries.items.size(), 589u);
    dialog->setText("txtFind", "パ");
    const std::size_t typing = dialog->lstEntries.items.size();
    dialog->setText("txtFind", "ノートパソコン");
    EXPECT_LT(dialog->lstEntries.items.size(), typing);
    EXPECT_EQ(dialog->lblCount.caption, std::to_string(dialog->lstEntries.items.size()) + "件");
    EXPECT_EQ(dialog->lstEntries.items.front(),
              " 4年　器具及び備品＞事務機器及び通信機器＞電子計算機＞パーソナルコンピュータ（サー"
              "バー用のものを除く。）");

    dialog->click("cmdChoose");
    EXPECT_EQ(dialogs.messages().at(0).text, kMsgChooseEntry);
    EXPECT_FALSE(dialog->closeRequested);

    dialog->select(0);
    EXPECT_EQ(dialog->lblEntry.caption,
              "器具及び備品＞事務機器及び通信機器＞電子計算機＞パーソナルコンピュータ（サーバー用"
              "のものを除く。）　4年（1-345）");
    // Another word that still finds it keeps it chosen; one that does not
    // lets it go.
    dialog->setText("txtFind", "パソコン");
    EXPECT_EQ(dialog->selectedEntry()->id, "1-345");
    dialog->setText("txtFind", "看板");
    EXPECT_EQ(dialog->selectedEntry(), nullptr);
    EXPECT_EQ(dialog->lblEntry.caption, "");

    dialog->setText("txtFind", "パソコン");
    dialog->activate(0);
    ASSERT_TRUE(dialog->closeRequested);
    ASSERT_TRUE(dialog->chosen);
    EXPECT_EQ(dialog->chosen->years, 4);
    EXPECT_EQ(dialog->chosen->cardType, 4);
    EXPECT_FALSE(dialog->chosen->used);
    EXPECT_EQ(dialog->chosen->note,
              "耐用年数表：器具及び備品＞事務機器及び通信機器＞電子計算機＞パーソナルコンピュータ"
              "（サーバー用のものを除く。）（1-345）");
}

TEST_F(LifeDialogTest, MarksAnEntryToBeConfirmed) {
    open();
    dialog->setText("txtFind", "児童用机");
    ASSERT_EQ(dialog->lstEntries.items.size(), 1u);
    EXPECT_TRUE(dialog->lstEntries.items[0].ends_with("　要確認"));
    dialog->select(0);
    EXPECT_TRUE(dialog->lblEntry.caption.ends_with(std::string("\n") + kToBeConfirmedNote));
    dialog->click("cmdChoose");
    EXPECT_TRUE(dialog->chosen->note.ends_with("（1-324）　要確認"));
}

TEST_F(LifeDialogTest, ComputesAUsedAssetsLifeFromTheEntryOrATypedLife) {
    open();
    dialog->setText("txtFind", "普通自動車");
    dialog->select(0);
    EXPECT_EQ(dialog->txtUsedLife.text, "6");
    EXPECT_EQ(dialog->lblUsed.caption, "");
    dialog->setText("txtElapsedYears", "2");
    dialog->setText("txtElapsedMonths", "6");
    EXPECT_EQ(dialog->lblUsed.caption,
              "法定耐用年数6年、経過2年6か月：(72か月 − 30か月) ＋ 30か月 × 20% ＝ 48か月 → 4年");
    dialog->click("cmdUsed");
    ASSERT_TRUE(dialog->chosen);
    EXPECT_EQ(dialog->chosen->years, 4);
    EXPECT_EQ(dialog->chosen->cardType, 7);
    EXPECT_EQ(dialog->chosen->note, std::string(kNoteUsed) + dialog->lblUsed.caption);
    EXPECT_TRUE(dialog->chosen->used);

    // Without an entry: the life typed, and no type for the card.
    open();
    dialog->setText("txtUsedLife", "22");
    dialog->setText("txtElapsedYears", "30");
    dialog->click("cmdUsed");
    EXPECT_EQ(dialog->chosen->years, 4);
    EXPECT_EQ(dialog->chosen->cardType, -1);
}

TEST_F(LifeDialogTest, RefusesWhatTheSimplifiedLifeCannotTake) {
    struct Case {
        const char* life;
        const char* years;
        const char* months;
        const char* message;
    };
    const Case cases[] = {
        {"1", "3", "", kMsgUsedBadLife},      {"101", "3", "", kMsgUsedBadLife},
        {"10", "0", "0", kMsgUsedBadElapsed}, {"10", "1", "12", kMsgUsedBadElapsed},
        {"10", "-1", "", kMsgUsedBadElapsed},
    };
    for (const Case& c : cases) {
        open();
        dialogs.clearRecord();
        dialog->setText("txtUsedLife", c.life);
        dialog->setText("txtElapsedYears", c.years);
        dialog->setText("txtElapsedMonths", c.months);
        dialog->click("cmdUsed");
        ASSERT_EQ(dialogs.messages().size(), 1u) << c.life << "/" << c.years << "/" << c.months;
        EXPECT_EQ(dialogs.messages()[0].text, c.message);
        EXPECT_FALSE(dialog->closeRequested);
    }

    // Intangible assets and living things of the tables have none.
    open();
    dialogs.clearRecord();
    dialog->setText("txtFind", "ソフトウェア");
    dialog->select(0);
    EXPECT_EQ(dialog->lblUsed.caption, kMsgUsedNotForEntry);
    dialog->setText("txtUsedLife", "5");
    dialog->setText("txtElapsedYears", "1");
    dialog->click("cmdUsed");
    EXPECT_EQ(dialogs.messages().at(0).text, kMsgUsedNotForEntry);

    // Nor has the card's 繰延資産 or 生物: the section is not offered.
    open({.usedOffered = false});
    EXPECT_FALSE(dialog->fraUsed.enabled);
    EXPECT_FALSE(dialog->txtUsedLife.enabled);
    EXPECT_FALSE(dialog->cmdUsed.enabled);
    EXPECT_EQ(dialog->lblUsed.caption, kUsedNotOffered);
    dialog->setText("txtUsedLife", "10");
    EXPECT_EQ(dialog->txtUsedLife.text, "");
}

// ---- The card after the choice ----

struct NullHost : EntryCardHost {
    void ReLoad() override {}
    void ReLoad2() override {}
    void registerSaved() override {}
    void showMain() override {}
};

// Opens the real dialog model and lets the test play the user in it.
struct ScriptedLifeOpener : LifeDialogOpener {
    std::function<void(LifeDialogModel&)> user;
    std::vector<LifeRequest> requests;
    platform::ScriptedDialogs dialogs;

    std::optional<LifeChoice> chooseLife(const LifeRequest& request) override {
        requests.push_back(request);
        LifeDialogModel dialog(shippedTable(), dialogs, request);
        dialog.Form_Load();
        user(dialog);
        return dialog.chosen;
    }
};

void choose(LifeDialogModel& dialog, const char* words) {
    dialog.setText("txtFind", words);
    dialog.activate(0);
}

class CardLifeTest : public ::testing::Test {
  protected:
    CardLifeTest() : card(state, dialogs, host) {
        card.setLifeDialogOpener(&opener);
        card.Form_Load();
    }

    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    NullHost host;
    ScriptedLifeOpener opener;
    EntryCardModel card;
};

TEST_F(CardLifeTest, AnEntryFillsTheLifeAndAnEmptyTypeAndTheMethodIsChosenAsEver) {
    EXPECT_TRUE(card.cmdLife.visible);
    card.setText("txtName", "ノートパソコン");
    card.select("cboReki", 2);
    card.setText("txtYear", "8");
    card.lostFocus("txtYear");
    card.select("Combo1", 5);
    card.lostFocus("Combo1");
    card.setText("txtPrice", "180000");
    opener.user = [](LifeDialogModel& d) { choose(d, "ノートパソコン"); };
    ASSERT_TRUE(card.click("cmdLife"));

    EXPECT_TRUE(opener.requests.at(0).usedOffered);
    EXPECT_EQ(card.txtTnen.text, "4");
    EXPECT_EQ(card.cboBunrui.listIndex, 4);
    EXPECT_EQ(card.Text5.text, "備　品");
    EXPECT_TRUE(card.lblTnenNote.caption.starts_with("耐用年数表：器具及び備品＞"));
    EXPECT_EQ(card.lblRate.caption, "");
    EXPECT_FALSE(card.optRitu.value);
    EXPECT_TRUE(card.cardChanged);
    EXPECT_EQ(card.focusedControl, "txtTnen");

    card.clickOption("optRitu");
    EXPECT_EQ(card.lblRate.caption, "0.500");
    card.clickOption("optGaku");
    EXPECT_EQ(card.lblRate.caption, "0.250");
    EXPECT_TRUE(dialogs.messages().empty());

    // Typing another life lets the note go.
    card.setText("txtTnen", "5");
    EXPECT_EQ(card.lblTnenNote.caption, "");
}

TEST_F(CardLifeTest, KeepsATypeTheUserChoseAndTakesUsedLives) {
    card.select("cboBunrui", 7);
    card.lostFocus("cboBunrui");
    opener.user = [](LifeDialogModel& d) {
        d.setText("txtFind", "エアコン");
        d.select(0);
        d.setText("txtElapsedYears", "3");
        d.click("cmdUsed");
    };
    card.click("cmdLife");
    EXPECT_EQ(card.cboBunrui.listIndex, 7);
    EXPECT_EQ(card.txtTnen.text, "3");  // 6 − 3 + 0.6 = 3.6
    EXPECT_EQ(card.lblTnenNote.caption,
              std::string(kNoteUsed) +
                  "法定耐用年数6年、経過3年：(72か月 − 36か月) ＋ 36か月 × 20% ＝ 43.2か月 → 3年");
}

// The used-asset life says the asset was bought used; the user may still
// say otherwise, and a later life from the table leaves the mark alone.
TEST_F(CardLifeTest, AUsedLifeTicksUsedAndTheRecordKeepsIt) {
    card.setText("txtName", "ノートパソコン");
    card.select("cboReki", 2);
    card.setText("txtYear", "8");
    card.lostFocus("txtYear");
    card.select("Combo1", 5);
    card.lostFocus("Combo1");
    card.setText("txtPrice", "180000");
    card.currentYear = 2026;
    card.currentMonth = 12;
    opener.user = [](LifeDialogModel& d) { choose(d, "ノートパソコン"); };
    card.click("cmdLife");
    EXPECT_FALSE(card.chkChuko.value);

    opener.user = [](LifeDialogModel& d) {
        d.setText("txtFind", "ノートパソコン");
        d.select(0);
        d.setText("txtElapsedYears", "2");
        d.click("cmdUsed");
    };
    card.cardChanged = false;
    card.click("cmdLife");
    EXPECT_EQ(card.txtTnen.text, "2");
    EXPECT_TRUE(card.chkChuko.value);
    EXPECT_TRUE(card.cardChanged);
    opener.user = [](LifeDialogModel& d) { choose(d, "ノートパソコン"); };
    card.click("cmdLife");
    EXPECT_EQ(card.txtTnen.text, "4");
    EXPECT_TRUE(card.chkChuko.value);

    card.clickOption("optGaku");
    card.cmdRec_Click();
    ASSERT_EQ(state.recordCount, 1) << dialogs.messages().front().text;
    EXPECT_EQ(state.assetRegister.at(1, reg::boughtUsed), "1");
    card.setChecked("chkChuko", false);
    card.cmdRec_Click();
    EXPECT_EQ(state.assetRegister.at(1, reg::boughtUsed), "");
}

TEST_F(CardLifeTest, ALivingThingSetsTheTypeAsItsBoxWould) {
    opener.user = [](LifeDialogModel& d) { choose(d, "茶樹"); };
    card.click("cmdLife");
    EXPECT_EQ(card.cboBunrui.listIndex, 10);
    EXPECT_EQ(card.txtTnen.text, "34");
    EXPECT_TRUE(card.txtZanwari.visible);
    EXPECT_EQ(card.txtZanwari.text, "0");
    EXPECT_EQ(card.txtGendo.text, "100");
    EXPECT_FALSE(card.optRitu.enabled);

    // A living thing or deferred asset on the card is offered no used life.
    opener.user = [](LifeDialogModel& d) { d.click("cmdClose"); };
    card.click("cmdLife");
    EXPECT_FALSE(opener.requests.back().usedOffered);
}

TEST_F(CardLifeTest, ClosingWithoutAChoiceChangesNothing) {
    opener.user = [](LifeDialogModel& d) {
        d.setText("txtFind", "看板");
        d.select(0);
        d.click("cmdClose");
    };
    card.click("cmdLife");
    EXPECT_EQ(card.txtTnen.text, "");
    EXPECT_EQ(card.cboBunrui.listIndex, -1);
    EXPECT_FALSE(card.cardChanged);
}

}  // namespace
}  // namespace fenmark::card
