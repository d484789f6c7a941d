// The entry card's sections for an asset's past: the business start, the
// opening carried in from last year's return and 自家転用; what is stored,
// what is refused and the figures shown under them.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "card/entry_card.h"
#include "card/entry_card_checks.h"
#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::card {
namespace {

struct NullHost : EntryCardHost {
    void ReLoad() override {}
    void ReLoad2() override {}
    void registerSaved() override {}
    void showMain() override {}
};

// 新定額法, 令和2年1月, 1,000,000 yen, 10 years: 400,000 left at the end
// of 2025.
reg::Row straight() {
    reg::Row row = test::asset("複合機", "2", "2", "1", "4", "1000000", "10", "0.100", "3");
    row[reg::assetCode - 1] = "2020-01-4";
    return row;
}

class CarriedTest : public ::testing::Test {
  public:
    CarriedTest() : card(state, dialogs, host) {
        card.currentYear = 2026;
        card.currentMonth = 6;
    }

    void openWith(const std::vector<reg::Row>& rows) {
        reg::AssetRegister assets;
        for (std::size_t i = 0; i < rows.size(); ++i) assets.row(static_cast<int>(i + 1)) = rows[i];
        state.currentFilePath = dir.file("台帳.dat");
        state.chosenFilePath = state.currentFilePath;
        reg::writeRegisterFile(state.currentFilePath, assets, static_cast<int>(rows.size()));
        const auto loaded = reg::readRegisterFile(state.currentFilePath);
        state.assetRegister = loaded.assetRegister;
        state.recordCount = loaded.recordCount;
        card.Form_Load();
    }

    // A new page with an asset typed as straight() holds it.
    void typeNew(const char* option = "optGaku", const char* price = "1000000") {
        dialogs.clearRecord();
        state = {};
        card.Form_Load();
        card.setText("txtName", "複合機");
        card.select("cboBunrui", 4);
        card.select("cboReki", 2);
        card.setText("txtYear", "2");
        card.lostFocus("txtYear");
        card.select("Combo1", 0);
        card.lostFocus("Combo1");
        card.setText("txtPrice", price);
        card.setText("txtTnen", "10");
        card.clickOption(option);
    }
    void carry(int era, const char* year, const char* book) {
        card.select("cboKuriReki", era);
        card.setText("txtKuriYear", year);
        card.setText("txtKuriZan", book);
    }
    void start(int era, const char* year, int month) {
        card.select("cboGyoReki", era);
        card.setText("txtGyoYear", year);
        card.select("cboGyoMonth", month - 1);
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& m : dialogs.messages()) out.push_back(m.text);
        return out;
    }
    const std::string& cell(int row, reg::Column column) {
        return state.assetRegister.at(row, column);
    }

    test::TempDir dir;
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    NullHost host;
    EntryCardModel card;
};

TEST_F(CarriedTest, StoresTheNewColumnsAndLoadsThemBackInTheirEras) {
    typeNew();
    carry(2, "8", "400002");
    card.setChecked("chkKuriCalc", true);
    start(1, "31", 4);  // 2019-04, before the acquisition: corrected below
    card.cmdRec_Click();
    ASSERT_EQ(messages(), std::vector<std::string>{kMsgBusinessStartBeforeAcquisition});
    EXPECT_EQ(state.recordCount, 0);
    start(2, "2", 3);
    dialogs.clearRecord();
    card.cmdRec_Click();
    ASSERT_TRUE(dialogs.messages().empty()) << messages().front();
    reg::Row expected = straight();
    const std::pair<reg::Column, const char*> stored[] = {{reg::carriedYear, "2026"},
                                                          {reg::carriedBookValue, "400002"},
                                                          {reg::carriedChoice, "計算"},
                                                          {reg::businessStart, "2020-03"}};
    for (const auto& [column, text] : stored) expected[column - 1] = text;
    EXPECT_EQ(state.assetRegister.row(1), expected);

    // The carried year in the era that names it, the start in its month's.
    expected = test::asset("複合機", "0", "63", "1", "4", "1000000", "10", "0.100", "1");
    expected[reg::assetCode - 1] = "1988-01-4";
    expected[reg::carriedYear - 1] = "2019";
    expected[reg::carriedBookValue - 1] = "1";
    expected[reg::businessStart - 1] = "1989-01";
    openWith({expected});
    EXPECT_EQ(card.cboKuriReki.listIndex, 2);
    EXPECT_EQ(card.txtKuriYear.text, "1");
    EXPECT_EQ(card.txtKuriZan.text, "1");
    EXPECT_FALSE(card.chkKuriCalc.value);
    EXPECT_EQ(card.cboGyoReki.listIndex, 1);
    EXPECT_EQ(card.txtGyoYear.text, "1");
    EXPECT_EQ(card.cboGyoMonth.listIndex, 0);
    EXPECT_FALSE(card.cardChanged);
    card.cmdRec_Click();
    EXPECT_EQ(state.assetRegister.row(1), expected);
}

TEST_F(CarriedTest, RecordsWithoutThemAndPrivateUseLeavingsAreStoredAsBefore) {
    reg::Row sold = straight();
    sold[reg::disposalMonth - 1] = "2024-05";
    sold[reg::disposalKind - 1] = "売却";
    sold[reg::salePrice - 1] = "300000";
    reg::Row kept = straight();
    kept[reg::municipalKind - 1] = "6";  // another section's value
    openWith({straight(), sold, kept});
    const std::string before = reg::formatRegister(state.assetRegister, 3);
    for (int page = 1; page <= 3; ++page) card.cmdFor_Click();
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(reg::formatRegister(state.assetRegister, 3), before);

    // 自家転用 has no sale price, whatever was typed before.
    openWith({straight()});
    card.select("cboJyo", 2);
    card.setText("txtJyoPrice", "5000");
    card.select("cboJyo", 3);
    EXPECT_FALSE(card.txtJyoPrice.enabled);
    card.select("cboJyoReki", 2);
    card.setText("txtJyoYear", "7");
    card.select("cboJyoMonth", 2);
    card.cmdRec_Click();
    EXPECT_EQ(cell(1, reg::disposalMonth), "2025-03");
    EXPECT_EQ(cell(1, reg::disposalKind), "自家転用");
    EXPECT_EQ(cell(1, reg::salePrice), "");
    openWith({state.assetRegister.row(1)});
    EXPECT_EQ(card.cboJyo.listIndex, 3);
}

TEST_F(CarriedTest, RefusesWhatCannotBeStoredAndShowsTheBox) {
    const struct {
        const char* name;
        std::function<void(CarriedTest&)> edit;
        const char* message;
        const char* focus;
    } cases[] = {
        {"yearWithoutBook", [](CarriedTest& t) { t.carry(2, "8", ""); }, kMsgCarriedIncomplete,
         "txtKuriZan"},
        {"bookWithoutYear", [](CarriedTest& t) { t.carry(-1, "", "400000"); },
         kMsgCarriedIncomplete, "txtKuriYear"},
        {"yearWithoutEra", [](CarriedTest& t) { t.carry(-1, "8", "400000"); }, kMsgBadCarriedYear,
         "txtKuriYear"},
        {"heisei32", [](CarriedTest& t) { t.carry(1, "32", "400000"); }, kMsgBadCarriedYear,
         "txtKuriYear"},
        {"yearOfAcquisition", [](CarriedTest& t) { t.carry(2, "2", "400000"); },
         kMsgCarriedYearNotAfterAcquisition, "txtKuriYear"},
        {"aboveCost", [](CarriedTest& t) { t.carry(2, "8", "1000001"); }, kMsgCarriedBookAboveCost,
         "txtKuriZan"},
        {"startMonthAlone", [](CarriedTest& t) { t.start(-1, "", 4); }, kMsgBadBusinessStart,
         "txtGyoYear"},
        {"startInNoEra", [](CarriedTest& t) { t.start(1, "31", 5); }, kMsgBadBusinessStart,
         "txtGyoYear"},
        {"carriedInTheStartYear",
         [](CarriedTest& t) {
             t.start(2, "4", 3);
             t.carry(2, "4", "800000");
         },
         kMsgCarriedYearNotAfterBusinessStart, "txtKuriYear"},
        {"revisedBelowBook",
         [](CarriedTest& t) {
             t.typeNew("optRitu");
             t.carry(2, "8", "400000");
             t.card.setText("txtKuriKaitei", "399999");
         },
         kMsgRevisedBaseBelowBook, "txtKuriKaitei"},
        {"lumpSumCarried",
         [](CarriedTest& t) {
             t.typeNew("optToku", "150000");
             t.carry(2, "8", "50000");
         },
         kMsgCarriedLumpSum, "txtKuriYear"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        typeNew();
        c.edit(*this);
        card.cmdRec_Click();
        EXPECT_EQ(messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(card.focusedControl, c.focus);
        EXPECT_EQ(state.recordCount, 0);
    }

    // Answering Yes to the question on leaving a page checks them too.
    openWith({straight()});
    dialogs.clearRecord();
    card.setText("txtKuriZan", "400000");
    dialogs.queueAnswer(platform::Answer::Yes);
    card.cmdFF_Click();
    EXPECT_EQ(messages().back(), kMsgCarriedIncomplete);
    EXPECT_EQ(cell(1, reg::carriedBookValue), "");
}

TEST_F(CarriedTest, ALaterYearWrittenByClosingTheYearStaysAcceptable) {
    reg::Row closed = straight();
    closed[reg::carriedYear - 1] = "2027";
    closed[reg::carriedBookValue - 1] = "300000";
    openWith({closed});
    card.cmdRec_Click();
    EXPECT_TRUE(dialogs.messages().empty());
    card.setText("txtKuriYear", "10");
    card.cmdRec_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgCarriedYearInFuture});
    EXPECT_EQ(cell(1, reg::carriedYear), "2027");
}

TEST_F(CarriedTest, TheRevisedBaseIsOfferedForTheNewDecliningBalanceOnly) {
    typeNew("optRitu");
    EXPECT_TRUE(card.txtKuriKaitei.enabled);
    carry(2, "8", "400000");
    card.setText("txtKuriKaitei", "500000");
    card.select("Combo1", 1);  // still 新定率法 in February
    EXPECT_TRUE(card.txtKuriKaitei.enabled);
    card.select("cboReki", 1);  // 平成2年: 旧定率法
    EXPECT_TRUE(card.optRitu.value);
    EXPECT_FALSE(card.txtKuriKaitei.enabled);
    card.select("cboReki", 2);
    card.cmdRec_Click();
    ASSERT_TRUE(dialogs.messages().empty()) << messages().front();
    EXPECT_EQ(cell(1, reg::carriedRevisedBase), "500000");
    card.clickOption("optGaku");
    EXPECT_FALSE(card.txtKuriKaitei.enabled);
    card.cmdRec_Click();
    EXPECT_EQ(cell(1, reg::carriedRevisedBase), "");
    // The money boxes take digits alone.
    card.setText("txtKuriZan", "400,000");
    EXPECT_EQ(card.txtKuriZan.text, "400000");
}

TEST_F(CarriedTest, ShowsTheProgramsOwnFigures) {
    typeNew();
    carry(2, "8", "400000");
    EXPECT_EQ(card.lblKuriNote.caption, "計算上の未償却残高 400,000円：引継ぎと一致しています。");
    card.setText("txtKuriZan", "400002");
    EXPECT_EQ(
        card.lblKuriNote.caption,
        std::string("計算上の未償却残高 400,000円、引継ぎとの差 2円") + kCarriedDifferenceNote);
    card.setText("txtKuriZan", "399000");
    EXPECT_EQ(card.lblKuriNote.caption,
              std::string("計算上の未償却残高 400,000円、引継ぎとの差 −1,000円") +
                  kCarriedDifferenceNote);
    card.setText("txtTnen", "8");  // the method is to be chosen again
    EXPECT_EQ(card.lblKuriNote.caption, "");

    // Bought 平成20年1月 for 1,000,000 yen, life 6, private until 平成22年1月;
    // from 2010 167,000 yen a year on the cost.
    card.setText("txtYear", "20");
    card.select("cboReki", 1);
    card.setText("txtTnen", "6");
    card.clickOption("optGaku");
    start(1, "22", 1);
    EXPECT_EQ(card.lblGyoNote.caption,
              "業務に使うまでの減価の額：1,000,000 × 0.9 × 0.111 × 2年 ＝ 199,800円\n"
              "業務開始時の未償却残高 800,200円");
    carry(1, "24", "466200");
    EXPECT_EQ(card.lblKuriNote.caption, "計算上の未償却残高 466,200円：引継ぎと一致しています。");
    start(1, "20", 1);  // in business from the acquisition
    EXPECT_EQ(card.lblGyoNote.caption, "");
}

TEST_F(CarriedTest, PagesAndDeletionsCarryNoValuesOver) {
    reg::Row carried = straight();
    carried[reg::carriedYear - 1] = "2026";
    carried[reg::carriedBookValue - 1] = "400000";
    carried[reg::businessStart - 1] = "2020-03";
    reg::Row other = straight();
    other[reg::municipalKind - 1] = "6";
    openWith({carried, straight(), other});
    card.cmdFor_Click();
    EXPECT_EQ(card.txtKuriYear.text, "");
    EXPECT_EQ(card.cboGyoMonth.listIndex, -1);
    EXPECT_EQ(card.lblKuriNote.caption, "");
    card.cmdRew_Click();
    EXPECT_EQ(card.txtKuriZan.text, "400000");
    card.Command1_Click();
    EXPECT_EQ(card.txtKuriYear.text, "");
    EXPECT_EQ(card.txtKuriZan.text, "");
    EXPECT_EQ(card.txtGyoYear.text, "");
    EXPECT_EQ(card.lblGyoNote.caption, "");

    // The place of a deleted last record is a new page's from scratch.
    card.cmdFF_Click();
    dialogs.queueAnswer(platform::Answer::Ok);
    card.cmdCancel_Click();
    ASSERT_EQ(state.recordCount, 2);
    card.Command1_Click();
    card.setText("txtName", "机");
    card.select("cboBunrui", 4);
    card.setText("txtYear", "2");
    card.lostFocus("txtYear");
    card.select("Combo1", 0);
    card.setText("txtPrice", "80000");
    card.setText("txtTnen", "8");
    card.clickOption("optGaku");
    card.cmdRec_Click();
    ASSERT_EQ(state.recordCount, 3);
    EXPECT_EQ(cell(3, reg::municipalKind), "");
}

}  // namespace
}  // namespace fenmark::card
