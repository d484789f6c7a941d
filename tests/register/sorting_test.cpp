#include "register/sorting.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "register/ledger_list.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

using platform::Control;

// The main window's list and sort commands, as they stand once a register
// is shown: every sort enabled, both undo commands disabled.
class SortingTest : public ::testing::Test {
  protected:
    void show(const AssetRegister& reg, int count) {
        register_ = reg;
        count_ = count;
        list_.setRows(count + 1);
        list_.setCols(kListColumns);
        GetData(list_, register_, count);
    }

    // Four assets whose type names, codes and business ratios each order
    // them differently.
    void showFour() {
        AssetRegister reg;
        reg.row(1) = test::asset("机", "1", "19", "4", "4", "100000", "8", "0.125", "1");
        reg.row(2) = test::asset("旋盤", "0", "73", "3", "2", "500000", "10", "0.206", "0");
        reg.row(3) = test::asset("軽トラック", "1", "22", "5", "7", "900000", "4", "0.625", "4");
        reg.row(4) = test::asset("倉庫", "1", "13", "4", "0", "3000000", "38", "0.027", "1");
        reg.at(3, assetCode) = "2010-05-7";
        reg.at(1, businessRatio) = "50";
        reg.at(3, businessRatio) = "80";
        show(reg, 4);
    }

    // The register row each list row names in its "No" column.
    std::vector<int> listOrder() const {
        std::vector<int> out;
        for (int r = 1; r < list_.rows(); ++r) out.push_back(std::stoi(list_.text(r, 0)));
        return out;
    }

    // Each list row still shows, in every column, the register row it names.
    void expectRowsIntact() const {
        for (int r = 1; r < list_.rows(); ++r) {
            const int row = std::stoi(list_.text(r, 0));
            for (int c = 0; c < kListColumns; ++c) {
                EXPECT_EQ(list_.text(r, c), ledgerCellText(register_, row, c))
                    << "list row " << r << " column " << c;
            }
        }
    }

    std::map<std::string, bool> states() const {
        std::map<std::string, bool> out;
        for (const Control* c :
             {&cmdSort1_, &cmdSort2_, &mnuSort1_, &mnuSort2_, &cmdRsort_, &mnuRsort_}) {
            out[c->name] = c->enabled;
        }
        return out;
    }

    static std::map<std::string, bool> statesWith(std::vector<std::string> off) {
        std::map<std::string, bool> out{{"cmdSort1", true}, {"cmdSort2", true}, {"mnuSort1", true},
                                        {"mnuSort2", true}, {"cmdRsort", true}, {"mnuRsort", true}};
        for (const std::string& name : off) out[name] = false;
        return out;
    }

    void run(const std::string& name) {
        if (name == "cmdSort1") sorting_.cmdSort1_Click();
        if (name == "cmdSort2") sorting_.cmdSort2_Click();
        if (name == "mnuSort1") sorting_.mnuSort1_Click();
        if (name == "mnuSort2") sorting_.mnuSort2_Click();
        if (name == "cmdRsort") sorting_.cmdRsort_Click();
        if (name == "mnuRsort") sorting_.mnuRsort_Click();
    }

    AssetRegister register_;
    int count_ = 0;
    platform::Grid list_;
    Control cmdSort1_{"cmdSort1"};
    Control cmdSort2_{"cmdSort2"};
    Control mnuSort1_{"mnuSort1"};
    Control mnuSort2_{"mnuSort2"};
    Control cmdRsort_{"cmdRsort"};
    Control mnuRsort_{"mnuRsort"};
    SortCommands sorting_{list_, cmdSort1_, cmdSort2_, mnuSort1_, mnuSort2_, cmdRsort_, mnuRsort_};

    void SetUp() override {
        cmdRsort_.enabled = false;
        mnuRsort_.enabled = false;
    }
};

struct SortCase {
    std::string command;
    std::vector<int> order;
    std::vector<std::string> disabledAfter;
};

void PrintTo(const SortCase& c, std::ostream* os) { *os << c.command; }

class SortCommandTest : public SortingTest, public ::testing::WithParamInterface<SortCase> {};

TEST_P(SortCommandTest, SortsTheListByItsKeyAndLeavesTheRegisterAlone) {
    showFour();
    const AssetRegister before = register_;
    run(GetParam().command);
    EXPECT_EQ(listOrder(), GetParam().order);
    EXPECT_EQ(list_.text(0, 0), "No");
    expectRowsIntact();
    EXPECT_EQ(register_, before);
    EXPECT_EQ(states(), statesWith(GetParam().disabledAfter));
}

// By type name as text: 備　品 < 建　物 < 機　械 < 車両等. By code as text:
// 0104-0 < 0704-4 < 2010-05-7 < 9803-2. By business ratio the order would be
// 2, 4, 1, 3, which no command may give.
INSTANTIATE_TEST_SUITE_P(Commands, SortCommandTest,
                         ::testing::Values(SortCase{"cmdSort1", {1, 4, 2, 3}, {"cmdSort1"}},
                                           SortCase{"mnuSort2", {1, 4, 2, 3}, {}},
                                           SortCase{"cmdSort2", {4, 1, 3, 2}, {"cmdSort2"}},
                                           SortCase{"mnuSort1", {4, 1, 3, 2}, {}}),
                         [](const ::testing::TestParamInfo<SortCase>& param) {
                             return param.param.command;
                         });

struct UndoCase {
    std::vector<std::string> commands;
};

void PrintTo(const UndoCase& c, std::ostream* os) {
    for (const std::string& command : c.commands) *os << command << ' ';
}

class UndoTest : public SortingTest, public ::testing::WithParamInterface<UndoCase> {};

TEST_P(UndoTest, RestoresRegisterOrderAndEveryCommand) {
    // Eleven rows, so that a text comparison of the "No" column would give
    // 1, 10, 11, 2, ...
    AssetRegister reg;
    for (int i = 1; i <= 11; ++i) {
        const std::string type = std::to_string((i * 7) % 11);
        const std::string year = std::to_string(1 + (i * 5) % 30);
        reg.row(i) = test::asset("資産" + std::to_string(i), "1", year, std::to_string(1 + i % 12),
                                 type, "100000", "5", "0.200", "1");
    }
    show(reg, 11);
    for (const std::string& command : GetParam().commands) run(command);
    ASSERT_NE(listOrder(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    const std::string undo = GetParam().commands.size() % 2 == 0 ? "cmdRsort" : "mnuRsort";
    run(undo);
    EXPECT_EQ(listOrder(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    expectRowsIntact();
    EXPECT_EQ(states(), statesWith({"cmdRsort", "mnuRsort"}));
}

INSTANTIATE_TEST_SUITE_P(Sequences, UndoTest,
                         ::testing::Values(UndoCase{{"cmdSort2", "cmdSort1"}},
                                           UndoCase{{"mnuSort2", "mnuSort1"}},
                                           UndoCase{{"cmdSort1", "mnuSort1", "cmdSort2"}},
                                           UndoCase{{"mnuSort1"}}),
                         [](const ::testing::TestParamInfo<UndoCase>& param) {
                             std::string name;
                             for (const std::string& c : param.param.commands) name += c;
                             return name;
                         });

TEST_F(SortingTest, BothSortButtonsDisabledAreEnabledAgainByTheMenuUndo) {
    showFour();
    run("cmdSort1");
    run("cmdSort2");
    EXPECT_EQ(states(), statesWith({"cmdSort1", "cmdSort2"}));
    run("mnuRsort");
    EXPECT_EQ(states(), statesWith({"cmdRsort", "mnuRsort"}));
    run("mnuSort2");
    EXPECT_EQ(states(), statesWith({}));
}

TEST_F(SortingTest, ShortOrUnbuiltListsChangeOnlyTheCommandStates) {
    AssetRegister reg;
    reg.row(1) = test::asset("一件", "1", "20", "4", "4", "100000", "5", "0.200", "3");
    for (int count : {0, 1}) {
        SCOPED_TRACE(count);
        show(reg, count);
        const platform::Grid before = list_;
        run("cmdSort2");
        for (int r = 0; r < list_.rows(); ++r) {
            for (int c = 0; c < kListColumns; ++c) EXPECT_EQ(list_.text(r, c), before.text(r, c));
        }
        EXPECT_TRUE(cmdRsort_.enabled);
        run("cmdRsort");
        EXPECT_FALSE(cmdRsort_.enabled);
    }
    // A list never filled (no register shown yet) is narrower than the keys.
    list_ = platform::Grid();
    EXPECT_NO_THROW(run("mnuSort1"));
    EXPECT_NO_THROW(run("mnuRsort"));
}

}  // namespace
}  // namespace fenmark::reg
