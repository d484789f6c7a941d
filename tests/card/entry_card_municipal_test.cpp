// The entry card's section for the January return on depreciable assets:
// the kind proposed from the type and the method, the user's choice kept
// only where it differs, 中古, and the statutory life a 少額特例 asset keeps.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "card/entry_card.h"
#include "card/entry_card_checks.h"
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

// The list's items by kind: 1 to 6 at 0 to 5, 対象外 at 6.
constexpr int kExcluded = 6;
int item(int kind) { return kind == 0 ? kExcluded : kind - 1; }

const std::string kProposed = kMunicipalProposedNote;

class MunicipalCardTest : public ::testing::Test {
  protected:
    MunicipalCardTest() : card(state, dialogs, host) {
        card.currentYear = 2026;
        card.currentMonth = 12;
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

    // A new page: 令和8年6月, the type, price and life given, no method yet.
    void typeNew(int type, const char* price = "200000", const char* life = "5") {
        card.setText("txtName", "資産");
        card.select("cboBunrui", type);
        card.lostFocus("cboBunrui");
        card.select("cboReki", 2);
        card.setText("txtYear", "8");
        card.lostFocus("txtYear");
        card.select("Combo1", 5);
        card.lostFocus("Combo1");
        card.setText("txtPrice", price);
        card.setText("txtTnen", life);
    }

    [[nodiscard]] std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& m : dialogs.messages()) out.push_back(m.text);
        return out;
    }
    const std::string& cell(int record, reg::Column column) {
        return state.assetRegister.at(record, column);
    }

    test::TempDir dir;
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    NullHost host;
    EntryCardModel card;
};

const std::string kExcludedLead = kProposed + "　" + kMunicipalExcludedLead;

// The list shows what the type and the method propose, following them as
// they change, until the user chooses.
TEST_F(MunicipalCardTest, TheProposalFollowsTheTypeAndMethod) {
    card.Form_Load();
    EXPECT_EQ(card.cboShisan.items,
              (std::vector<std::string>{"1 構築物", "2 機械及び装置", "3 船舶", "4 航空機",
                                        "5 車両及び運搬具", "6 工具・器具及び備品", "対象外"}));
    // Nothing to propose before the type is known.
    EXPECT_EQ(card.cboShisan.listIndex, -1);
    typeNew(4);
    struct Step {
        int type;
        const char* option;  // "" for none chosen yet
        int kind;
        std::string note;
    };
    const Step steps[] = {
        {4, "", 6, kProposed},
        {2, "optGaku", 2, kProposed},
        {8, "optRitu", 1, kProposed},
        {4, "optSyou", 6, kProposed},
        // The three-year method's price.
        {4, "optToku", 0, kExcludedLead + "一括償却"},
        {0, "optGaku", 0, kExcludedLead + "建物"},
        {1, "optGaku", 0, kExcludedLead + "建物\n" + kMunicipalFittingHint},
        {7, "optRitu", 0, kExcludedLead + "自動車税・軽自動車税の車両\n" + kMunicipalVehicleHint},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.type) + " " + s.option);
        if (card.cboBunrui.listIndex != s.type) card.select("cboBunrui", s.type);
        card.setText("txtPrice", std::string(s.option) == "optToku" ? "150000" : "200000");
        card.setText("txtTnen", s.type == 0 ? "22" : "5");
        if (s.option[0] != '\0') card.clickOption(s.option);
        ASSERT_TRUE(dialogs.messages().empty()) << messages().front();
        EXPECT_EQ(card.cboShisan.listIndex, item(s.kind));
        EXPECT_EQ(card.lblShisanNote.caption, s.note);
        EXPECT_EQ(card.pageRow()[reg::municipalKind - 1], "");
    }
    // Chosen, the kind stays whatever the type becomes.
    card.select("cboShisan", item(5));
    card.select("cboBunrui", 2);
    EXPECT_EQ(card.cboShisan.listIndex, item(5));
    EXPECT_EQ(card.lblShisanNote.caption, "");
    EXPECT_EQ(card.municipalKindText(), "5");
}

TEST_F(MunicipalCardTest, OnlyAChoiceOtherThanTheProposalIsStored) {
    card.Form_Load();
    typeNew(4);
    card.clickOption("optGaku");
    card.cmdRec_Click();
    ASSERT_EQ(state.recordCount, 1) << messages().front();
    EXPECT_EQ(cell(1, reg::municipalKind), "");

    struct Step {
        int type;
        int chosen;  // the kind chosen in the list
        const char* stored;
        std::string note;
    };
    const Step steps[] = {
        {4, 1, "1", ""},
        // Choosing the proposal again goes back to it.
        {4, 6, "", kProposed},
        // Excluding what the type would declare: something without form.
        {4, 0, "0", std::string(kMunicipalExcludedLead) + "無形"},
        {7, 5, "5", ""},
        // A vehicle the user excludes keeps the vehicle's reason and hint.
        {7, 0, "", kExcludedLead + "自動車税・軽自動車税の車両\n" + kMunicipalVehicleHint},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.type) + " " + std::to_string(s.chosen));
        if (card.cboBunrui.listIndex != s.type) {
            card.select("cboBunrui", s.type);
            card.clickOption("optGaku");
        }
        card.cardChanged = false;
        card.select("cboShisan", item(s.chosen));
        EXPECT_EQ(card.cboShisan.listIndex, item(s.chosen));
        EXPECT_EQ(card.lblShisanNote.caption, s.note);
        card.cmdRec_Click();
        ASSERT_TRUE(dialogs.messages().empty()) << messages().front();
        EXPECT_EQ(cell(1, reg::municipalKind), s.stored);
    }
}

TEST_F(MunicipalCardTest, AChoiceMarksTheCardAndPagingAsksAsForAnyField) {
    reg::Row kept = test::asset("旋盤", "2", "3", "4", "2", "900000", "10", "0.100", "3");
    kept[reg::assetCode - 1] = "2021-04-2";
    kept[reg::municipalKind - 1] = "1";
    kept[reg::boughtUsed - 1] = "1";
    reg::Row desk = test::asset("机", "2", "3", "4", "4", "90000", "8", "0.125", "3");
    desk[reg::assetCode - 1] = "2021-04-4";
    openWith({kept, desk});

    // Loading shows what is stored and changes nothing.
    EXPECT_EQ(card.cboShisan.listIndex, item(1));
    EXPECT_TRUE(card.chkChuko.value);
    EXPECT_FALSE(card.cardChanged);

    card.click("cmdFor");
    EXPECT_EQ(state.assetRegister.row(1), kept);
    EXPECT_EQ(card.cboShisan.listIndex, item(6));
    EXPECT_EQ(card.lblShisanNote.caption, kProposed);
    EXPECT_FALSE(card.chkChuko.value);

    card.select("cboShisan", item(0));
    EXPECT_TRUE(card.cardChanged);
    dialogs.queueAnswer(Answer::Yes);  // register the changes
    card.click("cmdRew");
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgRegisterChanges});
    EXPECT_EQ(cell(2, reg::municipalKind), "0");
    EXPECT_EQ(card.lblNum.caption, "1/2");

    // 中古 the same way; a new page starts without either.
    card.setChecked("chkChuko", false);
    EXPECT_TRUE(card.cardChanged);
    card.click("cmdRec");
    EXPECT_EQ(cell(1, reg::boughtUsed), "");
    EXPECT_EQ(cell(1, reg::municipalKind), "1");
    card.click("Command1");
    EXPECT_EQ(card.municipalKindText(), "");
    EXPECT_EQ(card.cboShisan.listIndex, -1);
    EXPECT_FALSE(card.chkChuko.value);
    card.click("cmdRR");  // the new page is given up
    EXPECT_EQ(card.cboShisan.listIndex, item(1));
}

// 少額減価償却資産の特例: the life is asked for as for straight line and
// stored; the rate stays 1.000.
TEST_F(MunicipalCardTest, ASmallAssetKeepsItsStatutoryLife) {
    struct Case {
        int era;
        const char* year;
        int month;
        const char* life;
        const char* message;  // nullptr when accepted
    };
    const Case cases[] = {
        {2, "8", 6, "4", nullptr},
        {2, "8", 6, "", kMsgNoLife},
        // Not in the 2007 table; the 1 older versions stored is refused too.
        {2, "8", 6, "51", kMsgBadLife},
        {2, "8", 6, "1", kMsgBadLife},
        // Before April 2007 the old table, up to 100 years.
        {1, "18", 4, "60", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.year) + " " + c.life);
        dialogs.clearRecord();
        state = {};
        card.Form_Load();
        typeNew(4, "200000", c.life);
        card.select("cboReki", c.era);
        card.setText("txtYear", c.year);
        card.lostFocus("txtYear");
        card.select("Combo1", c.month - 1);
        card.lostFocus("Combo1");
        card.clickOption("optSyou");
        if (c.message != nullptr) {
            EXPECT_EQ(messages(), std::vector<std::string>{c.message});
            EXPECT_FALSE(card.optSyou.value);
            EXPECT_EQ(card.focusedControl, "txtTnen");
            continue;
        }
        ASSERT_TRUE(dialogs.messages().empty()) << messages().front();
        EXPECT_EQ(card.txtTnen.text, c.life);
        card.cmdRec_Click();
        ASSERT_EQ(state.recordCount, 1) << messages().front();
        EXPECT_EQ(cell(1, reg::usefulLife), c.life);
        EXPECT_EQ(cell(1, reg::methodCode), "6");
        EXPECT_EQ(cell(1, reg::depreciationRate), "1.000");
    }
}

// What an import computes for a 少額特例 asset is what the card stores.
TEST(SmallAssetMethodRates, KeepTheLifeAndRefuseOneTheTablesLack) {
    const double june2026 = acquisitionDateKey(2026, 6);
    const MethodResult kept = methodRates(MethodChoice::smallAsset, 4, june2026, "4", 200000);
    ASSERT_TRUE(kept.rates) << kept.refusal;
    EXPECT_EQ(kept.rates->life, "4");
    EXPECT_EQ(kept.rates->rate, kSmallAssetRate);
    EXPECT_EQ(kept.rates->code, "6");
    EXPECT_EQ(methodRates(MethodChoice::smallAsset, 4, june2026, "1", 200000).refusal, kMsgBadLife);
    EXPECT_EQ(methodRates(MethodChoice::smallAsset, 4, june2026, "4", 400000).refusal,
              kMsgSmallAssetLimit400);
}

// Records of older versions stored a 少額特例 asset with life 1: they load
// without a word and are registered as they were.
TEST_F(MunicipalCardTest, AnOlderSmallAssetWithLifeOneRoundTrips) {
    reg::Row old = test::makeRow({"タブレット", "2025-06-4", "2", "7", "6", "", "4", "2025",
                                  "250000", "1", "1.000", "6", "1", "100", "", "", "10", "95", ""});
    openWith({old});
    EXPECT_TRUE(dialogs.messages().empty()) << messages().front();
    EXPECT_TRUE(card.optSyou.value);
    EXPECT_EQ(card.txtTnen.text, "1");
    EXPECT_EQ(card.lblRate.caption, "1.000");
    EXPECT_FALSE(card.cardChanged);

    card.cmdRec_Click();
    EXPECT_TRUE(dialogs.messages().empty()) << messages().front();
    EXPECT_EQ(state.assetRegister.row(1), old);

    // An edit elsewhere leaves the life alone too.
    card.setText("txtName", "タブレット端末");
    card.cmdRec_Click();
    EXPECT_TRUE(dialogs.messages().empty()) << messages().front();
    EXPECT_EQ(cell(1, reg::usefulLife), "1");
    EXPECT_EQ(cell(1, reg::methodCode), "6");
}

}  // namespace
}  // namespace fenmark::card
