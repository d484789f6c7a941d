// The entry card's fields: loading, the transfer to and from the register
// row, change marking, and the method and rate choice.

#include "card/entry_card.h"
#include "card/entry_card_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::card {
namespace {

using platform::Answer;

struct NullHost : EntryCardHost {
    void ReLoad() override {}
    void ReLoad2() override {}
    void registerSaved() override {}
    void showMain() override {}
};

// An asset as the user types it.
struct Page {
    std::string name = "パソコン";
    int type = 4;
    int era = 1;
    std::string year = "19";
    int month = 4;
    std::string price = "240000";
    std::string life = "10";
};

class EntryCardTest : public ::testing::Test {
  protected:
    EntryCardTest() : card(state, dialogs, host) {}

    // Opens the card on a register file holding these rows.
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

    void type(const Page& p) {
        card.setText("txtName", p.name);
        card.select("cboBunrui", p.type);
        card.lostFocus("cboBunrui");
        card.select("cboReki", p.era);
        card.setText("txtYear", p.year);
        card.lostFocus("txtYear");
        card.select("Combo1", p.month - 1);
        card.lostFocus("Combo1");
        card.setText("txtPrice", p.price);
        card.setText("txtTnen", p.life);
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

TEST_F(EntryCardTest, OpensOnAnEmptyNewPageWithoutAFile) {
    state.recordCount = 7;  // whatever the register held
    card.Form_Load();
    EXPECT_EQ(card.lblNum.caption, "1/新規");
    EXPECT_EQ(state.recordCount, 0);
    EXPECT_EQ(state.currentRecord, 1);
    EXPECT_EQ(card.Caption.caption, "データ登録　　");
    EXPECT_EQ(card.cboReki.items, (std::vector<std::string>{"昭和", "平成", "令和"}));
    EXPECT_EQ(card.cboReki.listIndex, 2);
    EXPECT_EQ(card.cboBunrui.items.size(), 11u);
    EXPECT_EQ(card.cboBunrui.items[0], "建　物");
    EXPECT_EQ(card.cboBunrui.items[10], "生　物");
    EXPECT_EQ(card.cboBunrui.listIndex, -1);
    EXPECT_EQ(card.Combo1.items.front(), "1");
    EXPECT_EQ(card.Combo1.items.back(), "12");
    EXPECT_EQ(card.Combo1.listIndex, -1);
    EXPECT_EQ(card.txtSuu.text, "1");
    EXPECT_EQ(card.txtWari.text, "100");
    EXPECT_EQ(card.lstData.size(), 100u);
    EXPECT_EQ(card.lstData2.size(), 50u);
    EXPECT_EQ(card.lstData3.size(), 50u);
    EXPECT_FALSE(card.txtTnen2.visible);
    EXPECT_FALSE(card.lblCapTnen2.enabled);
    EXPECT_FALSE(card.txtZanwari.visible);
    EXPECT_FALSE(card.cmdConv.visible);
    EXPECT_FALSE(card.cardChanged);
    EXPECT_EQ(card.focusedControl, "txtName");
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(EntryCardTest, LoadsRowOneOfTheFileIntoTheFields) {
    reg::Row row =
        test::makeRow({"事務所建物", "1983-04-0", "0", "58", "4", "", "0", "1983", "12000000", "38",
                       "0.027", "1", "2", "80", "", "", "10", "95", ""});
    openWith({row, test::asset("机", "1", "20", "5", "4", "50000", "8", "0.125", "3")});
    EXPECT_EQ(card.Caption.caption, "データ登録　　" + state.currentFilePath);
    EXPECT_EQ(card.lblNum.caption, "1/2");
    EXPECT_EQ(card.txtName.text, "事務所建物");
    EXPECT_EQ(card.Label14.caption, "1983-04-0");
    EXPECT_EQ(card.cboReki.listIndex, 0);
    EXPECT_EQ(card.txtYear.text, "58");
    EXPECT_EQ(card.Combo1.listIndex, 3);
    EXPECT_EQ(card.txtMonth.text, "4");
    EXPECT_EQ(card.cboBunrui.listIndex, 0);
    EXPECT_EQ(card.Text5.text, "建　物");
    EXPECT_EQ(card.lblYmd.caption, "1983");
    EXPECT_EQ(card.txtPrice.text, "12000000");
    EXPECT_EQ(card.Label24.caption, "12,000,000");
    EXPECT_EQ(card.txtTnen.text, "38");
    EXPECT_EQ(card.txtSuu.text, "2");
    EXPECT_EQ(card.txtWari.text, "80");
    // Selecting the stored method derives the rate again from the tables.
    EXPECT_TRUE(card.optGaku.value);
    EXPECT_EQ(card.lblRate.caption, "0.027");
    EXPECT_EQ(card.Label14.caption, "1983-04-0");
    // A building of 1998 or earlier offers the second useful life.
    EXPECT_TRUE(card.txtTnen2.visible);
    EXPECT_TRUE(card.lblCapTnen2.enabled);
    EXPECT_FALSE(card.txtZanwari.visible);
    EXPECT_FALSE(card.cardChanged);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(EntryCardTest, StoredMethodCodesSelectTheirOption) {
    struct Case {
        const char* code;
        const char* selected;  // "" for none
    };
    const Case cases[] = {{"0", "optRitu"}, {"1", "optGaku"}, {"3", "optGaku"}, {"4", "optRitu"},
                          {"5", "optGaku"}, {"7", ""},        {"", ""},         {"1.0", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        reg::Row row = test::asset("机", "1", "20", "5", "4", "50000", "8", "0.125", c.code);
        openWith({row});
        std::string selected;
        for (OptionButton* o : card.options()) {
            if (o->value) selected = o->name;
        }
        EXPECT_EQ(selected, c.selected);
    }
}

TEST_F(EntryCardTest, ListNumbersOutsideTheirListsLoadWithNoSelection) {
    reg::Row row = test::asset("机", "1", "20", "13", "4", "50000", "8", "0.125", "3");
    row[reg::eraCode - 1] = "3";
    row[reg::typeCode - 1] = "11";
    openWith({row});
    EXPECT_EQ(card.cboReki.listIndex, -1);
    EXPECT_EQ(card.cboBunrui.listIndex, -1);
    EXPECT_EQ(card.Text5.text, "");
    EXPECT_EQ(card.Combo1.listIndex, -1);
    EXPECT_EQ(card.txtMonth.text, "13");
}

TEST_F(EntryCardTest, SetDataFillsTheDefaultsOfTheOptionalColumns) {
    card.Form_Load();
    type({.name = "繰延資産A", .type = 9, .era = 1, .year = "22", .price = "300000", .life = "5"});
    // Leaving the type list offered 0 and 100; the user empties the residual
    // and types another limit.
    EXPECT_EQ(card.txtZanwari.text, "0");
    EXPECT_EQ(card.txtGendo.text, "100");
    card.setText("txtZanwari", "");
    card.setText("txtGendo", "50");
    card.SetData();
    EXPECT_EQ(cell(1, reg::residualRatio), "10");
    EXPECT_EQ(cell(1, reg::depreciationLimit), "100");
    EXPECT_EQ(cell(1, reg::acquisitionDay), "");
    EXPECT_EQ(cell(1, reg::eraCode), "1");
    EXPECT_EQ(cell(1, reg::typeCode), "9");
    EXPECT_EQ(cell(1, reg::westernYear), "2010");
    EXPECT_EQ(cell(1, reg::methodCode), "2");  // no option chosen

    card.setText("txtGendo", "");
    card.SetData();
    EXPECT_EQ(cell(1, reg::depreciationLimit), "95");
}

TEST_F(EntryCardTest, EveryUserEditMarksTheCardAndFillingFromCodeNever) {
    openWith({test::asset("机", "1", "20", "5", "4", "50000", "8", "0.125", "3"),
              test::asset("椅子", "1", "21", "6", "4", "60000", "8", "0.125", "3")});
    EXPECT_FALSE(card.cardChanged);

    using Edit = void (*)(EntryCardModel&);
    const std::pair<const char*, Edit> edits[] = {
        {"txtName", [](EntryCardModel& c) { c.setText("txtName", "机B"); }},
        {"txtYear", [](EntryCardModel& c) { c.setText("txtYear", "21"); }},
        {"txtPrice", [](EntryCardModel& c) { c.setText("txtPrice", "51000"); }},
        {"txtTnen", [](EntryCardModel& c) { c.setText("txtTnen", "9"); }},
        {"txtSuu", [](EntryCardModel& c) { c.setText("txtSuu", "3"); }},
        {"txtWari", [](EntryCardModel& c) { c.setText("txtWari", "50"); }},
        {"cboReki", [](EntryCardModel& c) { c.select("cboReki", 0); }},
        {"Combo1", [](EntryCardModel& c) { c.select("Combo1", 0); }},
        {"cboBunrui", [](EntryCardModel& c) { c.select("cboBunrui", 2); }},
        {"cboBunrui_DropDown", [](EntryCardModel& c) { c.cboBunrui_DropDown(); }},
        {"optRitu", [](EntryCardModel& c) { c.clickOption("optRitu"); }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        card.GetData();
        ASSERT_FALSE(card.cardChanged);
        edit(card);
        EXPECT_TRUE(card.cardChanged);
    }

    // The boxes that only show for some assets mark the card too.
    openWith({test::asset("繰延", "1", "22", "5", "9", "300000", "5", "0.200", "5")});
    ASSERT_TRUE(card.txtZanwari.visible);
    for (const char* box : {"txtZanwari", "txtGendo"}) {
        card.GetData();
        card.setText(box, "7");
        EXPECT_TRUE(card.cardChanged) << box;
    }
    openWith({test::asset("倉庫", "0", "60", "5", "0", "3000000", "24", "0.042", "1")});
    ASSERT_TRUE(card.txtTnen2.visible);
    card.setText("txtTnen2", "20");
    EXPECT_TRUE(card.cardChanged);

    // NewData fills the quantity and the ratio from code.
    card.NewData();
    EXPECT_FALSE(card.cardChanged);
}

TEST_F(EntryCardTest, PriceKeysAndGrouping) {
    struct Case {
        const char* typed;
        bool kept;
    };
    const Case cases[] = {{"7", true},  {"0", true},  {"-", true},   {",", false},
                          {".", false}, {" ", false}, {"a", false},  {":", false},
                          {"\b", true}, {"\r", true}, {"\x7f", true}};
    for (const Case& c : cases) EXPECT_EQ(card.priceKeyAccepted(c.typed), c.kept) << c.typed;
    EXPECT_EQ(card.txtPrice_KeyPress(-31000), -31000);

    card.Form_Load();
    card.setText("txtPrice", "1234567");
    EXPECT_EQ(card.Label24.caption, "1,234,567");
    card.setText("txtPrice", "");
    EXPECT_EQ(card.Label24.caption, "");
}

// The two money boxes filter what the user types and pastes alike: the sale
// price takes digits alone, the price the program's own key filter.
TEST_F(EntryCardTest, MoneyBoxesKeepOnlyWhatTheirKeyFiltersPass) {
    struct Key {
        const char* box;
        const char* typed;
        bool kept;
    };
    const Key keys[] = {
        {"txtJyoPrice", "7", true},
        {"txtJyoPrice", "0", true},
        {"txtJyoPrice", "-", false},
        {"txtJyoPrice", ",", false},
        {"txtJyoPrice", ".", false},
        {"txtJyoPrice", " ", false},
        {"txtJyoPrice", "a", false},
        {"txtJyoPrice", "３", false},
        {"txtJyoPrice", "円", false},
        {"txtJyoPrice", "\b", true},
        {"txtJyoPrice", "\r", true},
        {"txtJyoPrice", "\x7f", true},
        {"txtPrice", "-", true},
        {"txtPrice", ",", false},
        {"txtName", ",", true},
        {"txtJyoPrice", "300000", true},
        {"txtJyoPrice", "300,000", false},
    };
    for (const Key& k : keys) {
        EXPECT_EQ(card.keyAccepted(k.box, k.typed), k.kept) << k.box << " " << k.typed;
    }

    struct Edit {
        const char* box;
        const char* text;
        bool kept;
    };
    // Each edit replaces the box's "5" at once, as a paste or a drop does.
    const Edit edits[] = {
        {"txtJyoPrice", "300000", true},  {"txtJyoPrice", "300,000", false},
        {"txtJyoPrice", "1.5", false},    {"txtJyoPrice", "-1", false},
        {"txtJyoPrice", "３００", false}, {"txtJyoPrice", "30 0", false},
        {"txtJyoPrice", "5000円", false}, {"txtJyoPrice", "\t5", false},
        {"txtJyoPrice", "", true},        {"txtPrice", "300000", true},
        {"txtPrice", "300,000", false},   {"txtPrice", "1.5", false},
        {"txtPrice", "-1", true},         {"txtPrice", "５", false},
        {"txtPrice", "5\n", false},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(std::string(e.box) + " " + e.text);
        card.Form_Load();
        card.select("cboJyo", 2);
        card.setText(e.box, "5");
        card.cardChanged = false;
        card.setText(e.box, e.text);
        const std::string& shown =
            std::string(e.box) == "txtPrice" ? card.txtPrice.text : card.txtJyoPrice.text;
        EXPECT_EQ(shown, e.kept ? e.text : "5");
        EXPECT_EQ(card.cardChanged, e.kept);
    }

    // A sale price read from a file with a point can still be mended by
    // taking characters out.
    reg::Row sold = test::asset("軽バン", "2", "1", "6", "7", "800000", "4", "0.500", "4");
    sold[reg::disposalMonth - 1] = "2024-06";
    sold[reg::disposalKind - 1] = "売却";
    sold[reg::salePrice - 1] = "1.5";
    openWith({sold});
    ASSERT_EQ(card.txtJyoPrice.text, "1.5");
    dialogs.clearRecord();
    card.cmdRec_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgBadSalePrice});
    card.setText("txtJyoPrice", "1.");
    EXPECT_EQ(card.txtJyoPrice.text, "1.");
    card.setText("txtJyoPrice", "1.0");
    EXPECT_EQ(card.txtJyoPrice.text, "1.");
    card.setText("txtJyoPrice", "1");
    EXPECT_EQ(card.txtJyoPrice.text, "1");
}

TEST_F(EntryCardTest, LeavingTheYearGivesTheWesternYearByEra) {
    card.Form_Load();
    card.setText("txtYear", "8");  // a new card is on 令和
    card.lostFocus("txtYear");
    EXPECT_EQ(card.lblYmd.caption, "2026");
    card.select("cboReki", 1);
    card.setText("txtYear", "19");
    card.lostFocus("txtYear");
    EXPECT_EQ(card.lblYmd.caption, "2007");
    card.select("cboReki", 0);
    card.setText("txtYear", "60");
    card.lostFocus("txtYear");
    EXPECT_EQ(card.lblYmd.caption, "1985");
}

TEST_F(EntryCardTest, CorrectingTheEraMovesTheWesternYearAndTheMethod) {
    card.Form_Load();
    type({.type = 4, .era = 0, .year = "63", .month = 4, .life = "6"});
    card.clickOption("optGaku");
    ASSERT_EQ(card.lblRate.caption, "0.166");  // old table, 1988
    card.select("cboReki", 1);                 // 平成63 is 2051
    EXPECT_EQ(card.lblYmd.caption, "2051");
    EXPECT_TRUE(card.optGaku.value);
    EXPECT_EQ(card.lblRate.caption, "0.167");
    EXPECT_EQ(card.Label14.caption, "2051-04-4");
    EXPECT_EQ(card.methodCode(), "3");
}

TEST_F(EntryCardTest, SecondUsefulLifeShowsForOldBuildingsOnly) {
    card.Form_Load();
    card.setText("txtName", "倉庫");
    card.select("cboBunrui", 0);
    card.lostFocus("cboBunrui");
    // The new row has no western year yet, which reads as 0.
    EXPECT_TRUE(card.txtTnen2.visible);
    EXPECT_TRUE(card.lblCapRate2.enabled);
    card.select("cboReki", 1);
    card.setText("txtYear", "10");
    card.lostFocus("txtYear");
    card.select("Combo1", 2);  // March 1998: key 199813
    card.lostFocus("Combo1");
    EXPECT_FALSE(card.txtTnen2.visible);
    EXPECT_FALSE(card.lblCapTnen2.enabled);
    EXPECT_EQ(card.Label14.caption, "9803-0");

    // Typed all the same, a second life on a 平成10 asset is refused.
    card.txtTnen2.visible = true;
    card.setText("txtTnen2", "20");
    card.lostFocus("txtTnen2");
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgRevisedLifeTooLate});
    EXPECT_EQ(card.txtTnen2.text, "");

    dialogs.clearRecord();
    card.setText("txtYear", "");
    card.setText("txtTnen2", "20");
    card.lostFocus("txtTnen2");
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgBadInitialLife});
}

// ---- Method and rate choice ----

struct MethodCase {
    const char* label;
    int type;
    std::string year;  // 平成
    int month;
    std::string life;
    const char* option;
    const char* rate;
    const char* newRuleRates;
    const char* code;
    const char* assetCode;
};

class MethodTest : public EntryCardTest, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(MethodTest, GivesTheRateTheRatesAndTheCode) {
    const MethodCase& c = GetParam();
    card.Form_Load();
    type({.type = c.type, .year = c.year, .month = c.month, .price = "150000", .life = c.life});
    card.clickOption(c.option);
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messages().front().text;
    card.cmdRec_Click();
    ASSERT_EQ(state.recordCount, 1) << (dialogs.messages().empty() ? "" : messages().back());
    EXPECT_EQ(cell(1, reg::depreciationRate), c.rate);
    EXPECT_EQ(cell(1, reg::newRuleRates), c.newRuleRates);
    EXPECT_EQ(cell(1, reg::methodCode), c.code);
    EXPECT_EQ(cell(1, reg::assetCode), c.assetCode);
}

// What an import computes for the same asset is what the card stores.
TEST_P(MethodTest, TheFreeFunctionGivesWhatTheCardStores) {
    const MethodCase& c = GetParam();
    const std::string option = c.option;
    const MethodChoice choice = option == "optGaku"   ? MethodChoice::straightLine
                                : option == "optRitu" ? MethodChoice::decliningBalance
                                                      : MethodChoice::threeYear;
    const int western = 1988 + std::stoi(c.year);
    const MethodResult result =
        methodRates(choice, c.type, acquisitionDateKey(western, c.month), c.life, 150000);
    ASSERT_TRUE(result.rates) << result.refusal;
    EXPECT_EQ(result.rates->rate, c.rate);
    EXPECT_EQ(result.rates->newRuleRates, c.newRuleRates);
    EXPECT_EQ(result.rates->code, c.code);
}

INSTANTIATE_TEST_SUITE_P(
    EntryCard, MethodTest,
    ::testing::Values(
        MethodCase{"StraightApril2007", 0, "19", 4, "10", "optGaku", "0.100", "", "3", "2007-04-0"},
        MethodCase{"StraightMarch2007", 0, "19", 3, "10", "optGaku", "0.100", "", "1", "2007-03-0"},
        MethodCase{"StraightApril2007Life6", 4, "19", 4, "6", "optGaku", "0.167", "", "3",
                   "2007-04-4"},
        MethodCase{"StraightMarch2007Life6", 4, "19", 3, "6", "optGaku", "0.166", "", "1",
                   "2007-03-4"},
        MethodCase{"DecliningApril2007", 4, "19", 4, "10", "optRitu", "0.250", "0.3340.04448", "4",
                   "2007-04-4"},
        MethodCase{"DecliningMarch2007", 4, "19", 3, "10", "optRitu", "0.206", "", "0",
                   "2007-03-4"},
        MethodCase{"DecliningMarch2012", 4, "24", 3, "10", "optRitu", "0.250", "0.3340.04448", "4",
                   "2012-03-4"},
        MethodCase{"DecliningApril2012Life10", 4, "24", 4, "10", "optRitu", "0.200", "0.2500.06552",
                   "4", "2012-04-4"},
        MethodCase{"DecliningApril2012Life3", 2, "24", 4, "3", "optRitu", "0.667", "1.0000.11089",
                   "4", "2012-04-2"},
        MethodCase{"DecliningApril2012Life2", 2, "24", 4, "2", "optRitu", "1.000", "------------",
                   "4", "2012-04-2"},
        MethodCase{"DeferredAssetFromTheOldTable", 9, "22", 6, "5", "optGaku", "0.200", "", "5",
                   "2010-06-9"},
        MethodCase{"LivingThingBefore2007", 10, "18", 5, "51", "optGaku", "0.020", "", "5",
                   "2006-05-10"},
        MethodCase{"OldStraightLineLife100", 4, "18", 12, "100", "optGaku", "0.010", "", "1",
                   "2006-12-4"},
        MethodCase{"ThreeYears", 4, "19", 4, "8", "optToku", "0.333 ", "", "2", "2007-04-4"}),
    [](const ::testing::TestParamInfo<MethodCase>& param) { return param.param.label; });

// 少額減価償却資産の特例: a unit price below 300,000 yen to March 2026,
// below 400,000 yen from April 2026, acquisitions from April 2006 to March
// 2029; the rate is the card's own, the life the one typed.
TEST_F(EntryCardTest, SmallAssetRuleByDateAndUnitPrice) {
    struct Case {
        int era;
        const char* year;
        int month;
        const char* price;
        const char* quantity;
        const char* message;  // nullptr when accepted
    };
    const Case cases[] = {
        {2, "8", 3, "290000", "1", nullptr},
        {2, "8", 3, "300000", "1", kMsgSmallAssetLimit300},
        {2, "8", 3, "350000", "1", kMsgSmallAssetLimit300},
        {2, "8", 6, "350000", "1", nullptr},
        {2, "8", 6, "399999", "1", nullptr},
        {2, "8", 6, "420000", "1", kMsgSmallAssetLimit400},
        {2, "8", 6, "700000", "2", nullptr},
        {1, "18", 3, "200000", "1", kMsgSmallAssetPeriod},
        {1, "18", 4, "200000", "1", nullptr},
        {2, "11", 3, "200000", "1", nullptr},
        {2, "11", 4, "200000", "1", kMsgSmallAssetPeriod},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.year) + "/" + std::to_string(c.month) + " " + c.price);
        dialogs.clearRecord();
        card.Form_Load();
        card.currentYear = 2029;
        card.currentMonth = 12;
        type({.era = c.era, .year = c.year, .month = c.month, .price = c.price, .life = "4"});
        card.setText("txtSuu", c.quantity);
        card.clickOption("optSyou");
        if (c.message == nullptr) {
            EXPECT_TRUE(dialogs.messages().empty());
            EXPECT_TRUE(card.optSyou.value);
            EXPECT_EQ(card.txtTnen.text, "4");
            EXPECT_EQ(card.lblRate.caption, "1.000");
            EXPECT_EQ(card.methodCode(), "6");
            card.cmdRec_Click();
            EXPECT_TRUE(dialogs.messages().empty());
            EXPECT_EQ(state.assetRegister.at(state.recordCount, reg::methodCode), "6");
        } else {
            EXPECT_EQ(messages(), std::vector<std::string>{c.message});
            EXPECT_FALSE(card.optSyou.value);
        }
    }
}

TEST_F(EntryCardTest, ThreeYearMethodLimitsThePriceAndTheYear) {
    struct Case {
        std::string price;
        int era;
        std::string year;
        const char* message;  // nullptr when accepted
        std::string quantity = "1";
    };
    // From 100,000 yen to below 200,000 yen a unit: both bounds look at
    // the price of one, never at the total.
    const Case cases[] = {
        {"99999", 1, "19", kMsgLumpSumLimit},
        {"100000", 1, "19", nullptr},
        {"100001", 1, "19", nullptr},
        {"199999", 1, "19", nullptr},
        {"200000", 1, "19", kMsgLumpSumLimit},
        {"200001", 1, "19", kMsgLumpSumLimit},
        {"199998", 1, "19", kMsgLumpSumLimit, "2"},  // 99,999 a unit
        {"200000", 1, "19", nullptr, "2"},           // 100,000 a unit
        {"399998", 1, "19", nullptr, "2"},           // 199,999 a unit
        {"400000", 1, "19", kMsgLumpSumLimit, "2"},  // 200,000 a unit
        {"299999", 1, "19", kMsgLumpSumLimit, "3"},  // 99,999.67 a unit
        {"300000", 1, "19", nullptr, "3"},
        {"599999", 1, "19", nullptr, "3"},  // 199,999.67 a unit
        {"600000", 1, "19", kMsgLumpSumLimit, "3"},
        {"999990", 1, "19", kMsgLumpSumLimit, "10"},  // a total in range, 99,999 a unit
        {"1999990", 1, "19", nullptr, "10"},
        {"150000", 1, "10", kMsgFromHeisei11},
        {"150000", 1, "11", nullptr},
        {"150000", 2, "8", nullptr},
        {"150000", 0, "60", kMsgFromHeisei11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.price + " " + c.year);
        dialogs.clearRecord();
        card.Form_Load();
        type({.era = c.era, .year = c.year, .price = c.price, .life = "8"});
        card.setText("txtSuu", c.quantity);
        card.clickOption("optToku");
        if (c.message == nullptr) {
            EXPECT_TRUE(dialogs.messages().empty());
            EXPECT_TRUE(card.optToku.value);
            EXPECT_EQ(card.txtTnen.text, "3");
            EXPECT_EQ(card.lblRate.caption, "0.333 ");
            // The page check that registers it agrees.
            card.cmdRec_Click();
            EXPECT_TRUE(dialogs.messages().empty());
            EXPECT_EQ(state.assetRegister.at(state.recordCount, reg::methodCode), "2");
            EXPECT_EQ(state.assetRegister.at(state.recordCount, reg::acquisitionCost), c.price);
        } else {
            EXPECT_EQ(messages(), std::vector<std::string>{c.message});
            EXPECT_FALSE(card.optToku.value);
            // A price out of range stays for another method; a year
            // before 平成11 is emptied.
            EXPECT_EQ(card.txtPrice.text, c.price);
            if (c.message == kMsgFromHeisei11) {
                EXPECT_EQ(card.txtYear.text, "");
            }
        }
    }
}

TEST_F(EntryCardTest, ThreeYearMethodComputesTheDateKeyItself) {
    card.Form_Load();
    card.setText("txtName", "複合機");
    card.select("cboBunrui", 4);
    card.select("cboReki", 1);
    card.setText("txtYear", "19");
    card.lostFocus("txtYear");
    card.select("Combo1", 3);  // the list is not left before the click
    card.setText("txtPrice", "150000");
    card.setText("txtTnen", "5");
    card.clickOption("optToku");
    EXPECT_EQ(card.Text6.text, "200714");
    EXPECT_EQ(card.Label14.caption, "2007-04-4");
}

TEST_F(EntryCardTest, MethodsStopAtTheFirstMissingFact) {
    card.Form_Load();
    card.clickOption("optGaku");
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgNoName});
    EXPECT_FALSE(card.optGaku.value);
    EXPECT_EQ(card.focusedControl, "txtName");

    dialogs.clearRecord();
    type({.price = ""});
    card.clickOption("optRitu");
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgNoPrice});
    EXPECT_EQ(card.focusedControl, "txtPrice");
}

TEST_F(EntryCardTest, LifeWithoutATableEntryIsRefused) {
    struct Case {
        std::string life;
        int month;  // March 2007 takes the old table, April the 2007 table
        bool accepted;
    };
    const Case cases[] = {{"1", 4, false},    {"50", 4, true},   {"51", 4, false},
                          {"51", 3, true},    {"100", 3, true},  {"101", 3, false},
                          {"10.5", 4, false}, {"abc", 4, false}, {"0", 3, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.life + "/" + std::to_string(c.month));
        dialogs.clearRecord();
        card.Form_Load();
        type({.month = c.month, .life = c.life});
        card.clickOption("optGaku");
        EXPECT_EQ(card.optGaku.value, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(messages(), std::vector<std::string>{kMsgBadLife});
            EXPECT_EQ(card.focusedControl, "txtTnen");
        }
    }
}

TEST_F(EntryCardTest, DecliningBalanceIsRefusedWhereOnlyStraightLineIsAllowed) {
    struct Case {
        int type;
        std::string year;
        int month;
        bool allowed;
    };
    const Case cases[] = {{0, "10", 3, true},
                          {0, "10", 4, false},
                          {1, "28", 3, true},
                          {1, "28", 4, false},
                          {4, "28", 4, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.year + "/" + std::to_string(c.month));
        dialogs.clearRecord();
        card.Form_Load();
        type({.type = c.type, .year = c.year, .month = c.month});
        card.clickOption("optRitu");
        EXPECT_EQ(card.optRitu.value, c.allowed);
        if (!c.allowed) {
            EXPECT_EQ(messages(), std::vector<std::string>{kMsgDecliningNotAllowed});
            EXPECT_EQ(card.focusedControl, "fraMeth");
        }
    }
}

TEST_F(EntryCardTest, StoredRecordsWithARefusedMethodLoadAndRegisterAsStored) {
    reg::Row row = test::asset("店舗", "1", "12", "4", "0", "20000000", "22", "0.099", "0");
    openWith({row});
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_TRUE(card.optRitu.value);
    EXPECT_EQ(card.lblRate.caption, "0.099");
    card.cmdRec_Click();
    EXPECT_EQ(cell(1, reg::methodCode), "0");
    EXPECT_EQ(cell(1, reg::depreciationRate), "0.099");
}

TEST_F(EntryCardTest, EditsThatChangeTheFactsUndoTheMethod) {
    card.Form_Load();
    type({});
    card.clickOption("optRitu");
    ASSERT_EQ(card.lblRate.caption, "0.250");

    card.setText("txtTnen", "8");
    EXPECT_FALSE(card.optRitu.value);
    EXPECT_EQ(card.lblRate.caption, "");

    card.clickOption("optRitu");
    card.setText("txtYear", "20");
    EXPECT_FALSE(card.optRitu.value);
    EXPECT_EQ(card.lblRate.caption, "");

    // Choosing a straight-line-only type by keyboard, without opening the
    // list, undoes the method too.
    card.lostFocus("txtYear");
    card.clickOption("optRitu");
    card.select("cboBunrui", 9);
    EXPECT_FALSE(card.optRitu.value);
    EXPECT_FALSE(card.optRitu.enabled);
    EXPECT_EQ(card.lblRate.caption, "");

    // Clicking into the life box keeps them on straight line.
    card.txtTnen_Click();
    EXPECT_TRUE(card.optGaku.enabled);
    EXPECT_FALSE(card.optRitu.enabled);
    EXPECT_FALSE(card.optToku.enabled);
}

TEST_F(EntryCardTest, CorrectingTheMonthDerivesTheChosenMethodAgain) {
    card.Form_Load();
    type({.year = "19", .month = 3, .life = "10"});
    card.clickOption("optRitu");
    ASSERT_EQ(card.lblRate.caption, "0.206");
    card.select("Combo1", 3);
    EXPECT_TRUE(card.optRitu.value);
    EXPECT_EQ(card.lblRate.caption, "0.250");
    EXPECT_EQ(card.Text3.text, "0.3340.04448");
    EXPECT_EQ(card.Label14.caption, "2007-04-4");
    card.lostFocus("Combo1");
    EXPECT_EQ(card.methodCode(), "4");

    // Back to March: old declining balance has no revised rates.
    card.select("Combo1", 2);
    EXPECT_EQ(card.lblRate.caption, "0.206");
    EXPECT_EQ(card.Text3.text, "");
}

TEST_F(EntryCardTest, SecondLifeEmptiesTheRateAndTheOptionCanBeClickedAgain) {
    card.Form_Load();
    type({.type = 0, .era = 0, .year = "60", .month = 5, .life = "24"});
    card.clickOption("optRitu");
    ASSERT_TRUE(card.txtTnen2.visible);
    card.setText("txtTnen2", "20");
    EXPECT_EQ(card.lblRate.caption, "");
    EXPECT_TRUE(card.optRitu.value);
    card.clickOption("optRitu");
    EXPECT_EQ(card.lblRate.caption, "0.092");
    EXPECT_EQ(card.lblRate2.caption, "0.109");
}

}  // namespace
}  // namespace fenmark::card
