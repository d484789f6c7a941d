// The entry card's buttons: the page check, registration, paging and its
// prompts, deletion, closing and the conversion of old-format rows.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "card/entry_card.h"
#include "platform/text_file.h"
#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::card {
namespace {

using platform::Answer;

struct RecordingHost : EntryCardHost {
    void ReLoad() override { calls.emplace_back("ReLoad"); }
    void ReLoad2() override { calls.emplace_back("ReLoad2"); }
    void registerSaved() override { calls.emplace_back("registerSaved"); }
    void showMain() override { calls.emplace_back("showMain"); }
    std::vector<std::string> calls;
};

reg::Row pc(const std::string& name) {
    return test::asset(name, "1", "20", "5", "4", "240000", "4", "0.500", "4");
}

class PagingTest : public ::testing::Test {
  protected:
    PagingTest() : card(state, dialogs, host) {}

    void openWith(const std::vector<reg::Row>& rows) {
        reg::AssetRegister assets;
        for (std::size_t i = 0; i < rows.size(); ++i) assets.row(static_cast<int>(i + 1)) = rows[i];
        path = dir.file("台帳.dat");
        reg::writeRegisterFile(path, assets, static_cast<int>(rows.size()));
        const auto loaded = reg::readRegisterFile(path);
        state.assetRegister = loaded.assetRegister;
        state.recordCount = loaded.recordCount;
        state.currentFilePath = path;
        state.chosenFilePath = path;
        state.programFolder = dir.path();
        card.Form_Load();
    }

    void openNew() {
        state.programFolder = dir.path();
        card.Form_Load();
    }

    // Types a complete straight-line asset onto the page shown.
    void typeAsset(const std::string& name) {
        card.setText("txtName", name);
        card.select("cboBunrui", 4);
        card.lostFocus("cboBunrui");
        card.select("cboReki", 1);  // 平成
        card.setText("txtYear", "19");
        card.lostFocus("txtYear");
        card.select("Combo1", 3);
        card.lostFocus("Combo1");
        card.setText("txtPrice", "300000");
        card.setText("txtTnen", "5");
        card.clickOption("optGaku");
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& m : dialogs.messages()) out.push_back(m.text);
        return out;
    }

    [[nodiscard]] reg::LoadedRegister fileContents() const { return reg::readRegisterFile(path); }

    test::TempDir dir;
    std::string path;
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    RecordingHost host;
    EntryCardModel card;
};

TEST_F(PagingTest, PageCheckStopsAtTheFirstMissingItemInOrder) {
    openNew();
    card.setText("txtSuu", "");
    using Step = void (*)(EntryCardModel&);
    const std::pair<const char*, Step> steps[] = {
        {kMsgNoName, [](EntryCardModel& c) { c.setText("txtName", "金庫"); }},
        {kMsgNoType, [](EntryCardModel& c) { c.select("cboBunrui", 4); }},
        {kMsgNoYear,
         [](EntryCardModel& c) {
             c.select("cboReki", 1);
             c.setText("txtYear", "19");
             c.lostFocus("txtYear");
         }},
        {kMsgNoMonth, [](EntryCardModel& c) { c.select("Combo1", 3); }},
        {kMsgNoQuantity, [](EntryCardModel& c) { c.setText("txtSuu", "1"); }},
        {kMsgNoPriceOnPage, [](EntryCardModel& c) { c.setText("txtPrice", "300000"); }},
        {kMsgNoLife, [](EntryCardModel& c) { c.setText("txtTnen", "5"); }},
        {kMsgNoMethod, [](EntryCardModel& c) { c.clickOption("optGaku"); }},
    };
    const char* focus[] = {"txtName", "cboBunrui", "txtYear", "Combo1",
                           "txtSuu",  "txtPrice",  "txtTnen", "txtTnen"};
    std::size_t i = 0;
    for (const auto& [message, fix] : steps) {
        SCOPED_TRACE(message);
        dialogs.clearRecord();
        card.gotFocus("cmdRec");
        card.cmdRec_Click();
        EXPECT_EQ(messages(), std::vector<std::string>{message});
        // The method check leaves the focus where it is.
        EXPECT_EQ(card.focusedControl, i + 1 < std::size(steps) ? focus[i] : "cmdRec");
        EXPECT_EQ(state.recordCount, 0);
        fix(card);
        ++i;
    }
    dialogs.clearRecord();
    card.cmdRec_Click();
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(state.recordCount, 1);
    EXPECT_EQ(card.lblNum.caption, "1/1");
    EXPECT_EQ(state.assetRegister.at(1, reg::assetName), "金庫");
}

TEST_F(PagingTest, ResidualAndLimitAreNeededForDeferredAssetsOnly) {
    for (int type : {9, 10}) {
        SCOPED_TRACE(type);
        dialogs.clearRecord();
        openNew();
        card.setText("txtName", "開業費");
        card.select("cboBunrui", type);
        card.lostFocus("cboBunrui");
        card.select("cboReki", 1);
        card.setText("txtYear", "22");
        card.lostFocus("txtYear");
        card.select("Combo1", 0);
        card.setText("txtPrice", "500000");
        card.setText("txtTnen", "5");
        card.clickOption("optGaku");
        card.setText("txtZanwari", "");
        card.cmdRec_Click();
        if (type == 9) {
            EXPECT_EQ(messages(), std::vector<std::string>{kMsgNoResidual});
            EXPECT_EQ(card.focusedControl, "txtZanwari");
        } else {
            EXPECT_TRUE(dialogs.messages().empty());
            EXPECT_EQ(state.assetRegister.at(1, reg::residualRatio), "10");
        }
    }
}

TEST_F(PagingTest, ChecksKeepTheRegisterStorable) {
    struct Case {
        const char* box;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"txtName", "19\"モニター", kMsgNameQuote}, {"txtName", "寿司🍣", kMsgNameCharset},
        {"txtPrice", "-1", kMsgBadPrice},           {"txtPrice", "2147483648", kMsgBadPrice},
        {"txtSuu", "0", kMsgBadQuantity},           {"txtSuu", "abc", kMsgBadQuantity},
        {"txtWari", "101", kMsgBadRatio},           {"txtWari", "", kMsgBadRatio},
        {"txtPrice", "0", kMsgPriceBelowQuantity},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.text);
        dialogs.clearRecord();
        openNew();
        typeAsset("モニター");
        card.setText(c.box, c.text);
        card.cmdRec_Click();
        EXPECT_EQ(messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(card.focusedControl, c.box);
        EXPECT_EQ(state.recordCount, 0);
        EXPECT_EQ(state.assetRegister.at(1, reg::assetName), "");
    }
    // The largest price the register's numbers hold passes.
    dialogs.clearRecord();
    openNew();
    typeAsset("モニター");
    card.setText("txtPrice", "2147483647");
    card.cmdRec_Click();
    EXPECT_TRUE(dialogs.messages().empty());

    // Prices the box never takes from the keyboard, read from a file.
    for (const char* price : {"300,000", "1.5", "３０００００"}) {
        SCOPED_TRACE(price);
        dialogs.clearRecord();
        reg::Row stored = pc("モニター");
        stored[reg::acquisitionCost - 1] = price;
        openWith({stored});
        card.setText("txtName", "モニター２");
        card.cmdRec_Click();
        EXPECT_EQ(messages(), std::vector<std::string>{kMsgBadPrice});
        EXPECT_EQ(card.focusedControl, "txtPrice");
    }

    // A 昭和 year past the era's end, and a price edited away from the
    // three-year method's range.
    dialogs.clearRecord();
    openNew();
    typeAsset("モニター");
    card.select("cboReki", 0);
    card.setText("txtYear", "65");
    card.lostFocus("txtYear");
    card.clickOption("optGaku");
    card.cmdRec_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgBadYear});

    // The residual and limit boxes of a living thing hold percentages.
    for (const char* box : {"txtZanwari", "txtGendo"}) {
        dialogs.clearRecord();
        openNew();
        typeAsset("乳牛");
        card.select("cboBunrui", 10);
        card.lostFocus("cboBunrui");
        card.clickOption("optGaku");
        card.setText(box, "101");
        card.cmdRec_Click();
        EXPECT_EQ(messages(),
                  std::vector<std::string>{std::string(box) == "txtZanwari" ? kMsgBadResidual
                                                                            : kMsgBadLimit});
    }

    dialogs.clearRecord();
    openNew();
    typeAsset("複合機");
    card.setText("txtPrice", "150000");
    card.clickOption("optToku");
    card.setText("txtPrice", "900000");
    card.cmdRec_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgLumpSumLimit});
    // A quantity raised after the choice brings the unit price below the
    // method's floor.
    dialogs.clearRecord();
    card.setText("txtPrice", "150000");
    card.setText("txtSuu", "2");
    card.cmdRec_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgLumpSumLimit});
    EXPECT_EQ(card.focusedControl, "txtPrice");
}

// Each era's years end where the era did; 令和 runs to this month.
TEST_F(PagingTest, EraYearsEndWhereTheEraDid) {
    struct Case {
        int era;
        const char* year;
        int month;
        const char* message;  // nullptr when registered
        const char* focus = "txtYear";
    };
    // Today is 令和8年6月.
    const Case cases[] = {
        {0, "63", 12, nullptr},
        {0, "64", 1, nullptr},
        {0, "64", 2, kMsgBadYear},
        {0, "65", 1, kMsgBadYear},
        {1, "1", 1, nullptr},
        {1, "31", 4, nullptr},
        {1, "31", 5, kMsgBadYear},
        {1, "32", 1, kMsgBadYear},
        {1, "38", 4, kMsgBadYear},
        {2, "1", 4, kMsgBadYear},
        {2, "1", 5, nullptr},
        {2, "0", 6, kMsgBadYear},
        {2, "100", 1, kMsgBadYear},
        {2, "8", 6, nullptr},
        {2, "8", 7, kMsgAcquisitionInFuture, "Combo1"},
        {2, "8", 12, kMsgAcquisitionInFuture, "Combo1"},
        {2, "9", 1, kMsgAcquisitionInFuture},
        {2, "10", 1, kMsgAcquisitionInFuture},
        {2, "99", 12, kMsgAcquisitionInFuture},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.era) + " " + c.year + "/" + std::to_string(c.month));
        dialogs.clearRecord();
        openNew();
        card.currentYear = 2026;
        card.currentMonth = 6;
        typeAsset("机");
        card.select("cboReki", c.era);
        card.setText("txtYear", c.year);
        card.lostFocus("txtYear");
        card.select("Combo1", c.month - 1);
        card.lostFocus("Combo1");
        card.clickOption("optGaku");
        card.cmdRec_Click();
        if (c.message == nullptr) {
            EXPECT_EQ(messages(), std::vector<std::string>{});
            EXPECT_EQ(state.assetRegister.at(1, reg::eraCode), std::to_string(c.era));
        } else {
            EXPECT_EQ(messages(), std::vector<std::string>{c.message});
            EXPECT_EQ(card.focusedControl, c.focus);
            EXPECT_EQ(state.recordCount, 0);
        }
    }

    // The question on leaving the page checks the date too, also before a
    // month is chosen; and the clock decides: 令和9年 is no slip in 2027.
    dialogs.clearRecord();
    openNew();
    card.currentYear = 2026;
    card.currentMonth = 6;
    card.setText("txtName", "机");
    card.setText("txtYear", "9");
    dialogs.queueAnswer(Answer::Yes);
    card.Command1_Click();
    EXPECT_EQ(messages(), (std::vector<std::string>{kMsgRegisterChanges, kMsgAcquisitionInFuture}));
    EXPECT_EQ(card.txtYear.text, "9");  // the page stays, to be mended
    dialogs.clearRecord();
    openNew();
    card.currentYear = 2027;
    card.currentMonth = 1;
    typeAsset("机");
    card.select("cboReki", 2);
    card.setText("txtYear", "9");
    card.lostFocus("txtYear");
    card.select("Combo1", 0);
    card.lostFocus("Combo1");
    card.clickOption("optGaku");
    card.cmdRec_Click();
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(state.assetRegister.at(1, reg::westernYear), "2027");
}

// A record an older version stored as 平成38 shows as 令和8; written back
// untouched when not edited, in 令和 once edited.
TEST_F(PagingTest, AnOlderVersionsHeiseiYearIsShownAndStoredInReiwa) {
    reg::Row old = pc("応接セット");
    old[reg::eraYear - 1] = "38";
    old[reg::westernYear - 1] = "2026";
    old[reg::assetCode - 1] = "2026-05-4";
    openWith({old, pc("B")});
    EXPECT_EQ(card.cboReki.listIndex, 2);
    EXPECT_EQ(card.txtYear.text, "8");
    EXPECT_EQ(card.lblYmd.caption, "2026");
    EXPECT_FALSE(card.cardChanged);

    // Paging on registers the page as it is: the stored era stays.
    card.cmdFor_Click();
    EXPECT_EQ(state.assetRegister.at(1, reg::eraCode), "1");
    EXPECT_EQ(state.assetRegister.at(1, reg::eraYear), "38");

    // An edit registers the page in the era of its date.
    card.cmdRR_Click();
    card.setText("txtName", "応接セット一式");
    card.cmdRec_Click();
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(state.assetRegister.at(1, reg::eraCode), "2");
    EXPECT_EQ(state.assetRegister.at(1, reg::eraYear), "8");
    EXPECT_EQ(state.assetRegister.at(1, reg::westernYear), "2026");
}

// The day an asset leaves the business: its checks, what is stored, and
// the methods that have no such day.
TEST_F(PagingTest, LeavingTheBusinessIsCheckedAndStored) {
    struct Case {
        const char* name;
        int kind;  // 1 除却, 2 売却
        int era;
        const char* year;
        int month;
        const char* price;
        const char* message;  // nullptr when registered
    };
    // The asset of typeAsset: 平成19年4月.
    const Case cases[] = {
        {"noDate", 1, -1, "", 0, "", kMsgNoLeavingDate},
        {"beforeAcquisition", 1, 1, "19", 3, "", kMsgLeavingBeforeAcquisition},
        {"inTheAcquisitionMonth", 1, 1, "19", 4, "", nullptr},
        {"future", 1, 2, "8", 12, "", kMsgLeavingInFuture},
        {"thisMonth", 1, 2, "8", 6, "", nullptr},
        {"badEraYear", 1, 1, "31", 6, "", kMsgBadLeavingDate},
        {"saleWithoutPrice", 2, 2, "7", 3, "", kMsgNoSalePrice},
        {"saleWithFraction", 2, 2, "7", 3, "1.5", kMsgNoSalePrice},  // the box refuses it
        {"sale", 2, 2, "7", 3, "50000", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.clearRecord();
        openNew();
        card.currentYear = 2026;
        card.currentMonth = 6;
        typeAsset("陳列棚");
        card.select("cboJyo", c.kind);
        if (c.era >= 0) card.select("cboJyoReki", c.era);
        card.setText("txtJyoYear", c.year);
        if (c.month > 0) card.select("cboJyoMonth", c.month - 1);
        card.setText("txtJyoPrice", c.price);
        card.cmdRec_Click();
        if (c.message != nullptr) {
            EXPECT_EQ(messages(), std::vector<std::string>{c.message});
            EXPECT_EQ(state.recordCount, 0);
            continue;
        }
        EXPECT_TRUE(dialogs.messages().empty());
        ASSERT_EQ(state.recordCount, 1);
        const reg::Row& row = state.assetRegister.row(1);
        const int western = c.era == 2 ? 2018 + std::stoi(c.year) : 1988 + std::stoi(c.year);
        char month[16];
        std::snprintf(month, sizeof month, "%04d-%02d", western, c.month);
        EXPECT_EQ(row[reg::disposalMonth - 1], month);
        EXPECT_EQ(row[reg::disposalKind - 1], c.kind == 1 ? "除却" : "売却");
        EXPECT_EQ(row[reg::salePrice - 1], c.price);
    }

    // Shown again in the era of its month, and written as 22 fields.
    dialogs.clearRecord();
    reg::Row sold = pc("陳列棚");
    sold[reg::disposalMonth - 1] = "2019-05";
    sold[reg::disposalKind - 1] = "売却";
    sold[reg::salePrice - 1] = "50000";
    openWith({sold});
    EXPECT_EQ(card.cboJyo.listIndex, 2);
    EXPECT_EQ(card.cboJyoReki.listIndex, 2);
    EXPECT_EQ(card.txtJyoYear.text, "1");
    EXPECT_EQ(card.cboJyoMonth.listIndex, 4);
    EXPECT_EQ(card.txtJyoPrice.text, "50000");
    EXPECT_TRUE(card.txtJyoPrice.enabled);

    // The three-year method keeps its thirds: no leaving is offered.
    dialogs.clearRecord();
    openNew();
    typeAsset("複合機");
    card.setText("txtPrice", "150000");
    card.clickOption("optToku");
    EXPECT_FALSE(card.cboJyo.enabled);
    EXPECT_EQ(card.lblJyoNote.caption, kLeavingLumpSumNote);
    card.clickOption("optGaku");
    EXPECT_TRUE(card.cboJyo.enabled);
    EXPECT_EQ(card.lblJyoNote.caption, "");
}

TEST_F(PagingTest, RegisteringTheNewPageRaisesTheRecordCount) {
    openWith({pc("A"), pc("B"), pc("C"), pc("D")});
    EXPECT_EQ(card.lblNum.caption, "1/4");
    card.Command1_Click();
    EXPECT_EQ(card.lblNum.caption, "5/新規");
    EXPECT_EQ(state.currentRecord, 5);
    typeAsset("E");
    card.cmdRec_Click();
    EXPECT_EQ(state.recordCount, 5);
    EXPECT_EQ(card.lblNum.caption, "5/5");
    EXPECT_EQ(state.assetRegister.at(5, reg::assetName), "E");
    EXPECT_TRUE(card.registeredInSession);
    EXPECT_FALSE(card.cardChanged);
}

TEST_F(PagingTest, NextPageRegistersThePageWhateverTheAnswer) {
    openWith({pc("A"), pc("B")});
    card.setText("txtName", "A2");
    dialogs.queueAnswer(Answer::No);
    card.cmdFor_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgRegisterChanges});
    EXPECT_EQ(state.assetRegister.at(1, reg::assetName), "A2");
    EXPECT_EQ(card.lblNum.caption, "2/2");
    EXPECT_EQ(card.txtName.text, "B");
    EXPECT_EQ(card.focusedControl, "txtName");

    // From the last row the next page is a new one.
    dialogs.clearRecord();
    card.cmdFor_Click();
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(card.lblNum.caption, "3/新規");
    EXPECT_EQ(state.currentRecord, 3);
    EXPECT_EQ(card.txtName.text, "");
    EXPECT_EQ(card.Combo1.listIndex, -1);
    EXPECT_EQ(state.recordCount, 2);
}

TEST_F(PagingTest, NextPageKeepsTheRatesOfARowWhoseMethodStaysSelected) {
    // Two rows alike in year, type and life: loading the second does not
    // run the declining-balance procedure again.
    openWith({test::makeRow({"PC1", "2008-05-4", "1", "20", "5", "", "4", "2008", "240000", "4",
                             "0.625", "4", "1", "100", "", "", "10", "95", "1.0000.05274"}),
              test::makeRow({"PC2", "2008-06-4", "1", "20", "6", "", "4", "2008", "250000", "4",
                             "0.625", "4", "1", "100", "", "", "10", "95", "1.0000.05274"})});
    card.cmdFor_Click();
    ASSERT_EQ(card.txtName.text, "PC2");
    card.cmdRR_Click();
    card.cmdFor_Click();
    card.cmdFor_Click();
    EXPECT_EQ(card.lblNum.caption, "3/新規");
    EXPECT_EQ(state.assetRegister.at(1, reg::newRuleRates), "1.0000.05274");
    EXPECT_EQ(state.assetRegister.at(2, reg::newRuleRates), "1.0000.05274");
}

TEST_F(PagingTest, PreviousPageFromANewPageAsksToDiscardIt) {
    openWith({pc("A"), pc("B")});
    card.Command1_Click();
    card.setText("txtName", "書きかけ");
    dialogs.queueAnswer(Answer::No);
    card.cmdRew_Click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, kMsgDiscardNewPage);
    EXPECT_EQ(dialogs.messages()[0].title, "Fenmark ");
    EXPECT_EQ(dialogs.messages()[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(card.lblNum.caption, "3/新規");
    EXPECT_EQ(card.txtName.text, "書きかけ");

    // Yes goes back without asking about the changes.
    dialogs.clearRecord();
    card.cmdRew_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgDiscardNewPage});
    EXPECT_EQ(card.lblNum.caption, "2/2");
    EXPECT_EQ(state.recordCount, 2);

    dialogs.clearRecord();
    card.Command1_Click();
    card.cmdRR_Click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, "Fenmark");
    EXPECT_EQ(card.lblNum.caption, "1/2");

    dialogs.clearRecord();
    card.cmdRew_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgFirstPage});
    card.cmdRR_Click();  // nothing on page 1
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(PagingTest, LeavingAChangedPageOffersToRegisterIt) {
    openWith({pc("A"), pc("B"), pc("C")});
    card.cmdFF_Click();
    EXPECT_EQ(card.lblNum.caption, "3/3");
    card.setText("txtName", "C2");
    card.cmdRew_Click();  // Yes
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgRegisterChanges});
    EXPECT_EQ(state.assetRegister.at(3, reg::assetName), "C2");
    EXPECT_EQ(card.lblNum.caption, "2/3");

    dialogs.clearRecord();
    card.setText("txtName", "B2");
    dialogs.queueAnswer(Answer::No);
    card.cmdFF_Click();
    EXPECT_EQ(state.assetRegister.at(2, reg::assetName), "B");
    EXPECT_EQ(card.txtName.text, "C2");

    // The new-page button asks too, rather than dropping the edits.
    dialogs.clearRecord();
    card.setText("txtName", "C3");
    card.Command1_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgRegisterChanges});
    EXPECT_EQ(state.assetRegister.at(3, reg::assetName), "C3");
    EXPECT_EQ(card.lblNum.caption, "4/新規");

    // A Yes that cannot be stored keeps the page.
    card.cmdRR_Click();  // Yes to discarding the new page
    dialogs.clearRecord();
    card.setText("txtName", "A\"");
    dialogs.queueAnswer(Answer::Yes);
    card.cmdFor_Click();
    EXPECT_EQ(messages(), (std::vector<std::string>{kMsgRegisterChanges, kMsgNameQuote}));
    EXPECT_EQ(state.assetRegister.at(1, reg::assetName), "A");
    EXPECT_EQ(card.lblNum.caption, "1/3");
}

TEST_F(PagingTest, AnOpenedFileWithoutRowsOpensOnANewPage) {
    openWith({});
    // The same page as a card opened without a file: its defaults, its label.
    EXPECT_EQ(card.lblNum.caption, "1/新規");
    EXPECT_EQ(card.cboReki.listIndex, 2);
    EXPECT_EQ(card.txtSuu.text, "1");
    EXPECT_EQ(card.txtWari.text, "100");
    card.cmdFF_Click();
    card.cmdFor_Click();  // the empty page fails the check
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgNoName});
    EXPECT_EQ(card.lblNum.caption, "1/新規");

    dialogs.clearRecord();
    typeAsset("A");
    card.cmdRec_Click();
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(card.lblNum.caption, "1/1");
}

TEST_F(PagingTest, APriceBelowTheQuantityIsRefused) {
    openNew();
    typeAsset("ケーブル");
    card.setText("txtSuu", "5");
    card.setText("txtPrice", "4");
    card.cmdRec_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgPriceBelowQuantity});
    EXPECT_EQ(card.focusedControl, "txtPrice");
    EXPECT_EQ(state.recordCount, 0);

    // A price equal to the quantity is the memorandum value itself: it is
    // registered, and simply never depreciated.
    dialogs.clearRecord();
    card.setText("txtPrice", "5");
    card.clickOption("optGaku");
    card.cmdRec_Click();
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(state.recordCount, 1);
}

TEST_F(PagingTest, ClosingNeverStoresAnEmptyQuantityOrShare) {
    for (const char* box : {"txtSuu", "txtWari"}) {
        SCOPED_TRACE(box);
        dialogs.clearRecord();
        host.calls.clear();
        openWith({pc("A")});
        card.Command1_Click();
        typeAsset("事務机");
        card.setText(box, "");
        EXPECT_FALSE(card.Form_Unload());  // Yes to the changes
        EXPECT_EQ(messages(), (std::vector<std::string>{
                                  kMsgRegisterChanges,
                                  std::string(box) == "txtSuu" ? kMsgBadQuantity : kMsgBadRatio}));
        EXPECT_EQ(card.focusedControl, box);
        EXPECT_EQ(state.recordCount, 1);
        EXPECT_EQ(fileContents().recordCount, 1);
        card.unloaded = false;
    }
}

TEST_F(PagingTest, NoPageBeyondAThousand) {
    std::vector<reg::Row> rows(reg::kMaxRecords, pc("資産"));
    openWith(rows);
    card.Command1_Click();
    EXPECT_EQ(card.lblNum.caption, "1/1000");
    card.cmdFF_Click();
    EXPECT_EQ(card.lblNum.caption, "1000/1000");
    card.cmdFor_Click();
    card.cmdFF_Click();
    EXPECT_EQ(card.lblNum.caption, "1000/1000");
    EXPECT_TRUE(dialogs.messages().empty());
    card.setText("txtName", "最後");
    card.cmdRec_Click();
    EXPECT_EQ(state.assetRegister.at(1000, reg::assetName), "最後");
}

TEST_F(PagingTest, SixtyIsNoLimit) {
    openWith(std::vector<reg::Row>(60, pc("資産")));
    card.cmdFF_Click();
    card.cmdFor_Click();
    EXPECT_EQ(card.lblNum.caption, "61/新規");
    EXPECT_EQ(state.currentRecord, 61);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(PagingTest, DeletingRewritesTheFileAtOnce) {
    openWith({pc("A"), pc("B"), pc("C")});
    card.cmdFor_Click();
    dialogs.queueAnswer(Answer::Cancel);
    card.cmdCancel_Click();
    EXPECT_EQ(fileContents().recordCount, 3);

    dialogs.clearRecord();
    card.cmdCancel_Click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, kMsgDelete);
    EXPECT_EQ(dialogs.messages()[0].title, "Fenmark Database");
    EXPECT_EQ(dialogs.messages()[0].buttons, platform::Buttons::OkCancel);
    const auto file = fileContents();
    ASSERT_EQ(file.recordCount, 2);
    EXPECT_EQ(file.assetRegister.at(1, reg::assetName), "A");
    EXPECT_EQ(file.assetRegister.at(2, reg::assetName), "C");
    EXPECT_EQ(state.recordCount, 2);
    EXPECT_EQ(state.assetRegister.at(2, reg::assetName), "C");
    EXPECT_EQ(card.lblNum.caption, "1/2");
    EXPECT_EQ(card.txtName.text, "A");

    // On a new page nothing is removed.
    card.Command1_Click();
    card.cmdCancel_Click();
    EXPECT_EQ(fileContents().recordCount, 2);
    EXPECT_EQ(card.lblNum.caption, "1/2");
}

TEST_F(PagingTest, DeletingTheOnlyRecordShowsANewPage) {
    openWith({pc("A")});
    card.cmdCancel_Click();
    EXPECT_EQ(state.recordCount, 0);
    EXPECT_EQ(card.lblNum.caption, "1/新規");
    EXPECT_EQ(card.txtName.text, "");
    EXPECT_EQ(platform::readFileBytes(path), "");
}

TEST_F(PagingTest, DeletingWithoutAFileChangesTheRegisterInMemoryOnly) {
    openNew();
    typeAsset("A");
    card.cmdFor_Click();
    typeAsset("B");
    card.cmdRec_Click();
    ASSERT_EQ(state.recordCount, 2);
    card.cmdRR_Click();
    dialogs.clearRecord();
    card.cmdCancel_Click();
    EXPECT_EQ(state.recordCount, 1);
    EXPECT_EQ(state.assetRegister.at(1, reg::assetName), "B");
    EXPECT_EQ(card.lblNum.caption, "1/1");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgDelete});
}

TEST_F(PagingTest, AFailedDeletionChangesNothing) {
    openWith({pc("A"), pc("B")});
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);  // the file cannot be replaced now
    card.cmdCancel_Click();
    EXPECT_EQ(messages(), (std::vector<std::string>{kMsgDelete, reg::kWriteFailedMessage}));
    EXPECT_EQ(state.recordCount, 2);
    EXPECT_EQ(state.assetRegister.at(1, reg::assetName), "A");
}

TEST_F(PagingTest, ClosingWithAFileWritesItAndReloads) {
    openWith({pc("A"), pc("B")});
    card.Command1_Click();
    typeAsset("C");
    card.Command2_Click();  // Yes to the changes
    EXPECT_TRUE(card.unloaded);
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgRegisterChanges});
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ReLoad", "showMain"}));
    const auto file = fileContents();
    ASSERT_EQ(file.recordCount, 3);
    EXPECT_EQ(file.assetRegister.at(3, reg::assetName), "C");
    EXPECT_EQ(file.assetRegister.at(3, reg::methodCode), "3");
}

TEST_F(PagingTest, ClosingWithChangesButNoMethodKeepsTheCardOpen) {
    openWith({pc("A")});
    card.setText("txtTnen", "5");  // undoes the method
    EXPECT_FALSE(card.Form_Unload());
    EXPECT_EQ(messages(), (std::vector<std::string>{kMsgRegisterChanges, kMsgNoMethod}));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(card.unloaded);

    // No drops the edits and closes.
    dialogs.clearRecord();
    dialogs.queueAnswer(Answer::No);
    EXPECT_TRUE(card.Form_Unload());
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgRegisterChanges});
    EXPECT_EQ(fileContents().assetRegister.at(1, reg::usefulLife), "4");
}

TEST_F(PagingTest, AFailedWriteOnClosingKeepsTheCardOpen) {
    openWith({pc("A")});
    card.setText("txtName", "A2");
    dialogs.queueAnswer(Answer::No);
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(card.Form_Unload());
    EXPECT_EQ(messages(),
              (std::vector<std::string>{kMsgRegisterChanges, reg::kWriteFailedMessage}));
    EXPECT_TRUE(host.calls.empty());
    // The edits are still there and still unregistered.
    EXPECT_EQ(card.txtName.text, "A2");
    EXPECT_TRUE(card.cardChanged);
}

TEST_F(PagingTest, ClosingANewRegisterOffersToSaveIt) {
    openNew();
    typeAsset("A");
    card.cmdRec_Click();
    const std::string target = dir.file("新しい台帳.dat");
    dialogs.queueSave(target);
    card.Command2_Click();
    EXPECT_TRUE(card.unloaded);
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgSaveAsFile});
    ASSERT_EQ(dialogs.fileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs()[0].filter, "Fenmarkデータファイル(*.dat)|*.dat");
    EXPECT_EQ(dialogs.fileDialogs()[0].initialDir, dir.path());
    EXPECT_TRUE(dialogs.fileDialogs()[0].confirmOverwrite);
    EXPECT_EQ(state.currentFilePath, target);
    EXPECT_EQ(state.chosenFilePath, target);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"registerSaved", "ReLoad", "showMain"}));
    const auto file = reg::readRegisterFile(target);
    ASSERT_EQ(file.recordCount, 1);
    EXPECT_EQ(file.assetRegister.row(1), state.assetRegister.row(1));
}

TEST_F(PagingTest, CancellingTheSaveDialogKeepsEverything) {
    state.chosenFilePath = dir.file("前の台帳.dat");  // left by an earlier file
    openNew();
    typeAsset("A");
    card.cmdRec_Click();
    card.Command1_Click();
    card.setText("txtName", "書きかけ");
    dialogs.queueAnswer(Answer::No);   // the changes
    dialogs.queueAnswer(Answer::Yes);  // save as a file; then the dialog is cancelled
    EXPECT_FALSE(card.Form_Unload());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(state.currentFilePath, "");
    EXPECT_EQ(state.chosenFilePath, dir.file("前の台帳.dat"));
    EXPECT_EQ(state.recordCount, 1);
    EXPECT_EQ(card.txtName.text, "書きかけ");
    EXPECT_TRUE(card.cardChanged);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    // Declining to save hands back to the main window with nothing to show.
    dialogs.clearRecord();
    dialogs.queueAnswer(Answer::No);
    dialogs.queueAnswer(Answer::No);
    EXPECT_TRUE(card.Form_Unload());
    EXPECT_EQ(messages(), (std::vector<std::string>{kMsgRegisterChanges, kMsgSaveAsFile}));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ReLoad2", "showMain"}));
}

TEST_F(PagingTest, APageRegisteredOnlyThroughThePromptIsOfferedForSaving) {
    openNew();
    typeAsset("A");
    dialogs.queueAnswer(Answer::Yes);  // the changes
    dialogs.queueAnswer(Answer::No);   // save as a file
    EXPECT_TRUE(card.Form_Unload());
    EXPECT_EQ(messages(), (std::vector<std::string>{kMsgRegisterChanges, kMsgSaveAsFile}));
    EXPECT_EQ(state.recordCount, 1);
}

TEST_F(PagingTest, ClosingWithNothingRegisteredSaysSo) {
    openNew();
    EXPECT_TRUE(card.Form_Unload());
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgNothingRegistered});
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ReLoad", "showMain"}));
    EXPECT_TRUE(card.registeredInSession);
}

// ---- Conversion of old-format rows ----

reg::Row oldRow(const std::string& name, const std::string& year, const std::string& type,
                const std::string& price, const std::string& life, const std::string& rate,
                const std::string& method) {
    reg::Row row = test::asset(name, "1", year, "4", type, price, life, rate, method);
    row[reg::acquisitionDay - 1] = "15";
    return row;
}

TEST_F(PagingTest, ConvertsOldFormatRowsFromTheOneShownToTheLast) {
    openWith({oldRow("事務所", "20", "0", "9000000", "6", "0.166", "1"),  // 2008, old rate
              oldRow("旋盤", "15", "2", "3000000", "10", "0.206", "0"),
              oldRow("ソフト", "20", "4", "150000", "3", "0.333 ", "2"),
              oldRow("社用車", "21", "7", "2000000", "6", "0.319", "0"),
              oldRow("開業費", "21", "9", "500000", "5", "0.200", "5")});
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgConvertPlease});
    EXPECT_TRUE(card.cmdConv.visible);
    for (const char* name :
         {"cmdRR", "cmdRew", "cmdFor", "cmdFF", "Command1", "cmdRec", "cmdCancel"}) {
        EXPECT_TRUE(card.click(name));
        EXPECT_EQ(card.lblNum.caption, "1/5") << name;
    }
    EXPECT_TRUE(card.Command2.enabled);

    dialogs.clearRecord();
    card.click("cmdConv");
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgConvertDone});
    EXPECT_EQ(card.lblNum.caption, "5/5");
    EXPECT_FALSE(card.cmdConv.visible);
    EXPECT_TRUE(card.cmdFor.enabled);
    EXPECT_TRUE(card.registeredInSession);
    EXPECT_FALSE(card.cardChanged);
    const auto& r = state.assetRegister;
    for (int row = 1; row <= 5; ++row) EXPECT_EQ(r.at(row, reg::acquisitionDay), "") << row;
    EXPECT_EQ(r.at(1, reg::methodCode), "3");
    EXPECT_EQ(r.at(1, reg::depreciationRate), "0.167");  // the 2007 table's
    EXPECT_EQ(r.at(1, reg::assetCode), "2008-04-0");
    EXPECT_EQ(r.at(2, reg::methodCode), "0");
    EXPECT_EQ(r.at(2, reg::depreciationRate), "0.206");
    EXPECT_EQ(r.at(3, reg::methodCode), "2");
    EXPECT_EQ(r.at(3, reg::depreciationRate), "0.333 ");
    EXPECT_EQ(r.at(4, reg::methodCode), "4");
    EXPECT_EQ(r.at(4, reg::depreciationRate), "0.417");
    EXPECT_EQ(r.at(4, reg::newRuleRates), "0.5000.05776");
    EXPECT_EQ(r.at(5, reg::methodCode), "5");
    EXPECT_EQ(r.at(5, reg::depreciationRate), "0.200");

    // The converted register reaches the file when the card closes.
    EXPECT_TRUE(card.Form_Unload());
    EXPECT_EQ(fileContents().assetRegister.row(4), r.row(4));
}

TEST_F(PagingTest, ConversionStartedOnALaterRowLeavesTheEarlierRows) {
    openWith({pc("A"), pc("B"), oldRow("C", "20", "0", "9000000", "38", "0.027", "1"),
              oldRow("D", "20", "4", "500000", "5", "0.369", "0"),
              oldRow("E", "20", "4", "500000", "5", "0.200", "1")});
    card.cmdFor_Click();
    card.cmdFor_Click();
    const reg::Row first = state.assetRegister.row(1);
    const reg::Row second = state.assetRegister.row(2);
    EXPECT_EQ(card.lblNum.caption, "3/5");
    EXPECT_TRUE(card.cmdConv.visible);
    card.cmdConv_Click();
    EXPECT_EQ(state.assetRegister.row(1), first);
    EXPECT_EQ(state.assetRegister.row(2), second);
    EXPECT_EQ(state.assetRegister.at(3, reg::acquisitionDay), "");
    EXPECT_EQ(state.assetRegister.at(4, reg::methodCode), "4");
    EXPECT_EQ(state.assetRegister.at(5, reg::methodCode), "3");
}

}  // namespace
}  // namespace fenmark::card
