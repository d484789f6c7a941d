// The damaged and absurd register files of tests/data/bad, each opened as
// the user opens it, with what that must give: the read-failure message and
// the previous register kept, or a register that lists, schedules and goes
// into a statement without ending the program, with the results stated.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/printer.h"
#include "platform/text_file.h"
#include "register/main_window.h"
#include "register/register_file.h"
#include "schedule/schedule_window.h"
#include "test_support.h"
#include "yearend/statement_window.h"

namespace fenmark::reg {
namespace {

const std::string kBad = std::string(FENMARK_TEST_DATA) + "/bad/";

struct NoHelp : platform::HelpViewer {
    void showHelp(const std::string&, int) override {}
};

struct NoWindows : MainWindowHost {
    bool openWindow(Window) override { return false; }
    void hideMain() override {}
    void quit() override {}
};

// What the schedule window shows for one asset.
struct Shown {
    bool failed = false;
    int rows = 0;
    std::vector<std::string> firstRow;
    friend bool operator==(const Shown&, const Shown&) = default;
};

class BadInput : public ::testing::Test {
  protected:
    BadInput() : model_(state_, dialogs_, help_, host_, printDevice_, {dir_.path(), ""}) {}

    void SetUp() override { model_.Form_Load(); }

    // Opens the file and returns the messages the open gave.
    std::vector<std::string> open(const std::string& path) {
        dialogs_.clearRecord();
        dialogs_.queueOpen(path);
        model_.cmdOpen_Click();
        std::vector<std::string> texts;
        for (const auto& m : dialogs_.messages()) texts.push_back(m.text);
        dialogs_.clearRecord();
        return texts;
    }

    // Opens a bad file that must load.
    void load(const std::string& name, int records) {
        ASSERT_TRUE(open(kBad + name).empty()) << name << " did not load";
        ASSERT_EQ(state_.recordCount, records);
        ASSERT_EQ(model_.Fxg1.rows(), records + 1);
    }

    std::string listed(int record, int col) const { return model_.Fxg1.text(record, col); }

    // Every asset through the schedule window, paged as the user pages.
    std::vector<Shown> schedules(std::vector<std::string>* messages = nullptr) {
        platform::ScriptedDialogs dialogs;
        schedule::ScheduleWindowModel window(state_, dialogs, {"12", "0", 2024});
        window.Form_Load();
        std::vector<Shown> shown;
        for (int record = 1; record <= state_.recordCount; ++record) {
            if (record > 1) window.cmdFF_Click();
            Shown s{window.scheduleFailed(), window.Fxg2.rows(), {}};
            if (s.rows > 1) {
                for (int c = 0; c < schedule::kScheduleColumns; ++c)
                    s.firstRow.push_back(window.Fxg2.text(1, c));
            }
            shown.push_back(s);
        }
        if (messages != nullptr) {
            for (const auto& m : dialogs.messages()) messages->push_back(m.text);
        }
        return shown;
    }

    // The records (1-based) whose schedule could not be computed.
    std::set<int> failedSchedules() {
        std::set<int> failed;
        const auto shown = schedules();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (shown[i].failed) failed.insert(static_cast<int>(i) + 1);
        }
        return failed;
    }

    struct Statement {
        std::vector<std::string> messages;
        std::vector<int> uncomputed;
        bool shown = false;
        std::int64_t depreciationTotal = 0;
        std::vector<yearend::Marking> markings;
    };

    Statement statement(const std::string& year) {
        platform::ScriptedDialogs dialogs;
        yearend::StatementWindowModel window(state_, dialogs, {"0", 2024});
        window.Form_Load();
        window.selectEra(0);  // 平成
        window.setTxtGetYe(year);
        window.cmdOk_Click();
        Statement s{
            {}, window.uncomputed, window.Fxg3Visible, window.depreciationTotal, window.markings};
        for (const auto& m : dialogs.messages()) s.messages.push_back(m.text);
        window.unload();
        return s;
    }

    test::TempDir dir_;
    ProgramState state_;
    platform::ScriptedDialogs dialogs_;
    NoHelp help_;
    NoWindows host_;
    platform::RecordingPrintDevice printDevice_;
    MainWindowModel model_;
};

// --- Files that must not load -----------------------------------------------

class Unreadable : public BadInput, public ::testing::WithParamInterface<const char*> {};

TEST_P(Unreadable, GivesTheReadFailureMessageAndKeepsThePreviousRegister) {
    // A good register is open when the bad one is chosen.
    const std::string good = dir_.file("good.dat");
    AssetRegister reg;
    reg.row(1) = test::asset("机", "1", "20", "4", "4", "200000", "8", "0.250", "4");
    writeRegisterFile(good, reg, 1);
    ASSERT_TRUE(open(good).empty());
    const AssetRegister before = state_.assetRegister;

    // Opened as the file in use, where Save would later write.
    EXPECT_EQ(open(kBad + GetParam()), std::vector<std::string>{kReadFailedMessage});
    EXPECT_EQ(state_.assetRegister, before);
    EXPECT_EQ(state_.recordCount, 1);
    EXPECT_EQ(state_.currentFilePath, good);
    EXPECT_EQ(state_.chosenFilePath, good);
    EXPECT_EQ(model_.Fxg1.rows(), 2);
    EXPECT_EQ(listed(1, 1), "机");
    // The failed file is not touched by the attempt.
    EXPECT_THROW((void)readRegisterFile(kBad + GetParam()), platform::ReadError);
}

INSTANTIATE_TEST_SUITE_P(Files, Unreadable,
                         ::testing::Values("truncated_record.dat", "truncated_inside_cell.dat",
                                           "too_many_records.dat", "lone_quote_line.dat",
                                           "invalid_trail_byte.dat", "undefined_byte.dat",
                                           "lead_byte_at_end.dat", "nul_byte.dat"),
                         [](const auto& param) {
                             std::string name = param.param;
                             return name.substr(0, name.find('.'));
                         });

// --- Files that load --------------------------------------------------------

TEST_F(BadInput, AQuoteInsideAnUnquotedCellLoadsButCannotBeSaved) {
    load("quote_inside_unquoted_cell.dat", 1);
    EXPECT_EQ(listed(1, 1), "23\"モニター");
    EXPECT_FALSE(schedules()[0].failed);

    // Copied so that the failed save can be seen to leave the file alone.
    const std::string copy = dir_.file("copy.dat");
    test::writeBytes(copy, test::readBytes(kBad + "quote_inside_unquoted_cell.dat"));
    ASSERT_TRUE(open(copy).empty());
    model_.cmdSave_Click();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, kWriteFailedMessage);
    EXPECT_EQ(test::readBytes(copy), test::readBytes(kBad + "quote_inside_unquoted_cell.dat"));
    EXPECT_EQ(state_.assetRegister.at(1, assetName), "23\"モニター");
}

// Record k of the number files holds the bad value in column kNumericColumns[k-1].
const std::vector<int> kNumericColumns = {3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};

int recordOfColumn(int column) {
    for (std::size_t i = 0; i < kNumericColumns.size(); ++i) {
        if (kNumericColumns[i] == column) return static_cast<int>(i) + 1;
    }
    return 0;
}

TEST_F(BadInput, TextInEveryNumericColumnReadsAsZero) {
    load("non_numeric_numbers.dat", 16);
    // The list shows what the text means as 0, or the text where it shows
    // the cell itself.
    EXPECT_EQ(listed(recordOfColumn(eraCode), 4), "S. 20/4");
    EXPECT_EQ(listed(recordOfColumn(typeCode), 2), "建　物");
    EXPECT_EQ(listed(recordOfColumn(acquisitionCost), 5), "abc");
    EXPECT_EQ(listed(recordOfColumn(methodCode), 7), "旧定率法");

    std::vector<std::string> messages;
    const auto shown = schedules(&messages);
    EXPECT_TRUE(messages.empty());
    for (const Shown& s : shown) EXPECT_FALSE(s.failed);
    // A month of 0 makes the first year thirteen months; a rate of 0
    // depreciates nothing; a business share of 0 puts nothing in expenses.
    EXPECT_EQ(shown[recordOfColumn(acquisitionMonth) - 1].firstRow[schedule::colMonths], "13/12");
    EXPECT_EQ(shown[recordOfColumn(depreciationRate) - 1].firstRow[schedule::colAmount], "");
    EXPECT_EQ(shown[recordOfColumn(depreciationRate) - 1].firstRow[schedule::colBookValue],
              "200,000");
    EXPECT_EQ(shown[recordOfColumn(businessRatio) - 1].firstRow[schedule::colExpense], "");
    // A method code that is no code selects no schedule: the heading alone.
    EXPECT_EQ(shown[recordOfColumn(methodCode) - 1].rows, 1);

    const Statement s = statement("20");
    EXPECT_TRUE(s.messages.empty());
    EXPECT_TRUE(s.shown);
    EXPECT_TRUE(s.uncomputed.empty());
}

TEST_F(BadInput, NumbersTooSmallForADoubleReadAsZero) {
    // 0.000...01 with 400 zeros is 0 to a double, not infinity: every
    // schedule is that of the file with text in the same cells.
    load("non_numeric_numbers.dat", 16);
    const auto fromText = schedules();
    load("tiny_numbers.dat", 16);
    std::vector<std::string> messages;
    EXPECT_EQ(schedules(&messages), fromText);
    EXPECT_TRUE(messages.empty());
}

TEST_F(BadInput, NumbersBeyondADoubleStopTheSchedulesThatUseThem) {
    load("huge_numbers.dat", 16);
    EXPECT_EQ(listed(recordOfColumn(acquisitionCost), 5), "1" + std::string(400, '0'));

    std::vector<std::string> messages;
    const auto shown = schedules(&messages);
    const std::set<int> expected = {recordOfColumn(acquisitionMonth), recordOfColumn(westernYear),
                                    recordOfColumn(acquisitionCost),  recordOfColumn(usefulLife),
                                    recordOfColumn(depreciationRate), recordOfColumn(quantity),
                                    recordOfColumn(businessRatio)};
    std::set<int> failed;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i].failed) {
            failed.insert(static_cast<int>(i) + 1);
            EXPECT_EQ(shown[i].rows, 1) << "a failed schedule shows the heading alone";
        }
    }
    EXPECT_EQ(failed, expected);
    EXPECT_EQ(messages, std::vector<std::string>(expected.size(), schedule::kCannotComputeMessage));

    // The statement shows the others and says that some could not be
    // computed.
    const Statement s = statement("20");
    EXPECT_EQ(s.messages, std::vector<std::string>{yearend::kAssetsNotComputedMessage});
    EXPECT_TRUE(s.shown);
}

TEST_F(BadInput, NumbersBeyondADoubleInTheOldMethodsColumns) {
    // Revised life and rate, residual and limit are read by the old methods.
    load("huge_numbers_old_method.dat", 4);
    EXPECT_EQ(failedSchedules(), (std::set<int>{1, 2, 3, 4}));
    const Statement s = statement("20");
    EXPECT_EQ(s.messages, std::vector<std::string>{yearend::kAssetsNotComputedMessage});
    EXPECT_EQ(s.uncomputed, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(BadInput, NumbersBeyondThirtyTwoBitsStopTheSchedulesThatHoldThemInIntegers) {
    load("beyond_32_bits_numbers.dat", 16);
    const std::set<int> expected = {recordOfColumn(acquisitionMonth), recordOfColumn(westernYear),
                                    recordOfColumn(acquisitionCost), recordOfColumn(usefulLife),
                                    recordOfColumn(quantity)};
    EXPECT_EQ(failedSchedules(), expected);
    const Statement s = statement("20");
    EXPECT_EQ(s.messages, std::vector<std::string>{yearend::kAssetsNotComputedMessage});
    EXPECT_EQ(std::set<int>(s.uncomputed.begin(), s.uncomputed.end()), expected);
    EXPECT_TRUE(s.shown);
}

TEST_F(BadInput, CodesOutsideEveryTable) {
    // Types 11 and -1, methods 7, -1 and 1.5, eras 3 and -1, type 9.5.
    load("codes_outside_tables.dat", 8);
    EXPECT_EQ(listed(1, 2), "");
    EXPECT_EQ(listed(2, 2), "");
    EXPECT_EQ(listed(3, 7), "7");
    EXPECT_EQ(listed(4, 7), "-1");
    EXPECT_EQ(listed(5, 4), "");
    EXPECT_EQ(listed(6, 4), "");
    EXPECT_EQ(listed(7, 7), "1.5");
    // 9.5 rounds half to even to 10, as a table index does.
    EXPECT_EQ(listed(8, 2), "生　物");

    std::vector<std::string> messages;
    const auto shown = schedules(&messages);
    EXPECT_TRUE(messages.empty());
    // A method code outside the table selects no schedule; a type from 9
    // up (11, 9.5) takes the plain straight line of types 9 and 10.
    for (int record : {3, 4, 7}) EXPECT_EQ(shown[record - 1].rows, 1) << record;
    for (int record : {1, 2, 5, 6, 8}) EXPECT_GT(shown[record - 1].rows, 1) << record;
    EXPECT_EQ(shown[0].firstRow, shown[7].firstRow);

    const Statement s = statement("20");
    EXPECT_TRUE(s.messages.empty());
    EXPECT_TRUE(s.shown);
}

TEST_F(BadInput, YearsBeforeShowaOne) {
    load("years_before_showa.dat", 3);
    EXPECT_EQ(listed(1, 4), "S. 0/4");
    EXPECT_EQ(listed(2, 4), "S. -10/4");
    const auto shown = schedules();
    const std::vector<std::string> settled = {"1925", "1915", "1875"};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_FALSE(shown[i].failed);
        ASSERT_GT(shown[i].rows, 1);
        EXPECT_EQ(shown[i].firstRow[schedule::colSettleYear], settled[i]);
    }
    const Statement s = statement("20");
    EXPECT_TRUE(s.messages.empty());
    EXPECT_TRUE(s.shown);
}

TEST_F(BadInput, YearsAfterHeiseiNinetyNine) {
    load("years_after_heisei_99.dat", 3);
    // 平成100年 is 2088, shown in the era of that date.
    EXPECT_EQ(listed(1, 4), "R. 70/4");
    const auto shown = schedules();
    const std::vector<std::string> settled = {"2088", "2987", "2138"};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_FALSE(shown[i].failed);
        ASSERT_GT(shown[i].rows, 1);
        EXPECT_EQ(shown[i].firstRow[schedule::colSettleYear], settled[i]);
    }
    // In Heisei 20 none of them exists yet.
    const Statement s = statement("20");
    EXPECT_TRUE(s.messages.empty());
    EXPECT_EQ(s.depreciationTotal, 0);
    EXPECT_EQ(s.markings, std::vector<yearend::Marking>(3, yearend::Marking::NotExisting));
}

// Every file of the corpus is named by a test above.
TEST(BadInputCorpus, EveryFileHasAnExpectedOutcome) {
    const std::set<std::string> known = {"truncated_record.dat",
                                         "truncated_inside_cell.dat",
                                         "too_many_records.dat",
                                         "lone_quote_line.dat",
                                         "invalid_trail_byte.dat",
                                         "undefined_byte.dat",
                                         "lead_byte_at_end.dat",
                                         "nul_byte.dat",
                                         "quote_inside_unquoted_cell.dat",
                                         "non_numeric_numbers.dat",
                                         "huge_numbers.dat",
                                         "huge_numbers_old_method.dat",
                                         "beyond_32_bits_numbers.dat",
                                         "codes_outside_tables.dat",
                                         "years_before_showa.dat",
                                         "years_after_heisei_99.dat",
                                         "tiny_numbers.dat"};
    std::set<std::string> present;
    for (const auto& entry : std::filesystem::directory_iterator(kBad))
        present.insert(entry.path().filename().string());
    EXPECT_EQ(present, known);
}

}  // namespace
}  // namespace fenmark::reg
