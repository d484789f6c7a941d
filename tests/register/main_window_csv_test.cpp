// The main window's CSV commands driven as a user would: the questions they
// ask through the host and the dialogs, the files they write, and what the
// register and the list hold afterwards.

#include "register/main_window_csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "platform/text_file.h"
#include "register/main_window.h"
#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

using platform::Answer;

struct NoHelp : platform::HelpViewer {
    void showHelp(const std::string&, int) override {}
};

struct ScriptedHost : MainWindowHost {
    bool openWindow(Window) override { return true; }
    void hideMain() override {}
    void quit() override {}
    std::optional<int> askYear(const YearQuestion& question) override {
        yearQuestions.push_back(question);
        return year;
    }
    std::optional<int> askChoice(const ChoiceQuestion& question) override {
        choiceQuestions.push_back(question);
        return choice;
    }
    bool showProblems(const ProblemReport& report) override {
        reports.push_back(report);
        return problemsWindow;
    }
    // What the user answers; nothing cancels.
    std::optional<int> year;
    std::optional<int> choice = 0;
    bool problemsWindow = true;
    std::vector<YearQuestion> yearQuestions;
    std::vector<ChoiceQuestion> choiceQuestions;
    std::vector<ProblemReport> reports;
};

// e-shiwake's export, as that program writes its header.
constexpr const char* kEShiwakeHeader =
    "資産名,カテゴリ,取得日,取得価額,耐用年数,償却方法,償却率,事業専用割合,本年分の償却費,"
    "本年分の必要経費算入額,期末帳簿価額,メモ\r\n";

AssetRegister assets(int count, const std::string& prefix) {
    AssetRegister reg;
    for (int i = 1; i <= count; ++i) {
        reg.row(i) = test::asset(prefix + std::to_string(i), "1", std::to_string(10 + i % 20), "4",
                                 "4", std::to_string(100000 + i), "5", "0.200", "3");
    }
    return reg;
}

class MainWindowCsvTest : public ::testing::Test {
  protected:
    MainWindowCsvTest()
        : model_(state_, dialogs_, help_, host_, printDevice_, {dir_.path(), dir_.file("config")}) {
        model_.Form_Load();
        model_.currentYear = 2027;
        model_.currentMonth = 2;
    }

    // Opens a register file of `count` assets and forgets the dialogs of
    // opening.
    std::string openRegister(int count, const std::string& name = "台帳.dat") {
        const std::string path = dir_.file(name);
        writeRegisterFile(path, assets(count, "既存"), count);
        dialogs_.queueOpen(path);
        model_.cmdOpen_Click();
        dialogs_.clearRecord();
        return path;
    }

    // A CSV file of our own layout holding `count` assets.
    std::string ourCsv(int count, const std::string& name = "資産.csv") {
        const std::string path = dir_.file(name);
        writeCsvFile(path, assets(count, "読込"), count, CsvEncoding::Utf8Bom);
        return path;
    }

    void import(const std::string& path) {
        dialogs_.queueOpen(path);
        EXPECT_TRUE(model_.click("mnuCsvImport"));
    }

    test::TempDir dir_;
    ProgramState state_;
    platform::ScriptedDialogs dialogs_;
    NoHelp help_;
    ScriptedHost host_;
    platform::RecordingPrintDevice printDevice_;
    MainWindowModel model_;
};

TEST_F(MainWindowCsvTest, TheFileMenuOffersImportAlwaysAndExportWithARegister) {
    const auto menus = model_.menus();
    const auto& file = menus[0].second;
    const auto has = [&](const platform::Control* c) {
        return std::find(file.begin(), file.end(), c) != file.end();
    };
    EXPECT_TRUE(has(&model_.mnuCsvImport));
    EXPECT_TRUE(has(&model_.mnuCsvExport));
    EXPECT_EQ(model_.mnuCsvImport.caption, "CSV読み込み(&I)");
    EXPECT_EQ(model_.mnuCsvExport.caption, "CSV書き出し(&E)");
    EXPECT_TRUE(model_.mnuCsvImport.enabled);
    EXPECT_FALSE(model_.mnuCsvExport.enabled);
    // Disabled, the command asks nothing.
    EXPECT_TRUE(model_.click("mnuCsvExport"));
    EXPECT_TRUE(host_.choiceQuestions.empty());
    EXPECT_TRUE(dialogs_.fileDialogs().empty());
    openRegister(1);
    EXPECT_TRUE(model_.mnuCsvExport.enabled);
}

// --- CSV書き出し -----------------------------------------------------------

TEST_F(MainWindowCsvTest, ExportWritesTheRegisterInTheChosenEncoding) {
    const std::string datPath = openRegister(3);
    const AssetRegister before = state_.assetRegister;
    struct Case {
        int choice;
        CsvEncoding encoding;
        int offered;  // the choice offered: the one before
    };
    for (const Case& c : {Case{0, CsvEncoding::Utf8Bom, 0}, Case{1, CsvEncoding::Cp932, 0},
                          Case{0, CsvEncoding::Utf8Bom, 1}}) {
        SCOPED_TRACE(c.choice);
        host_.choice = c.choice;
        const std::string path = dir_.file("出力" + std::to_string(c.choice) + ".csv");
        dialogs_.queueSave(path);
        EXPECT_TRUE(model_.click("mnuCsvExport"));
        const ChoiceQuestion& question = host_.choiceQuestions.back();
        EXPECT_EQ(question.title, "CSV書き出し");
        EXPECT_EQ(question.choices, csvEncodingChoices());
        EXPECT_EQ(question.proposed, c.offered);
        const platform::FileDialogOptions& options = dialogs_.fileDialogs().back();
        EXPECT_EQ(options.filter, kCsvFileFilter);
        EXPECT_TRUE(options.confirmOverwrite);
        EXPECT_EQ(test::readBytes(path), encodeCsv(formatCsv(before, 3), c.encoding));
    }
    // Writing a copy elsewhere changes nothing of the register.
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(state_.assetRegister, before);
    EXPECT_EQ(state_.currentFilePath, datPath);
    EXPECT_EQ(readRegisterFile(datPath).assetRegister, before);
}

TEST_F(MainWindowCsvTest, ExportCancelledAtEitherQuestionWritesNothing) {
    openRegister(1);
    host_.choice = std::nullopt;
    model_.mnuCsvExport_Click();
    EXPECT_TRUE(dialogs_.fileDialogs().empty());
    host_.choice = 1;
    model_.mnuCsvExport_Click();  // the save dialog cancelled
    EXPECT_EQ(dialogs_.fileDialogs().size(), 1u);
    EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(MainWindowCsvTest, AFailedExportIsReportedAndChangesNothing) {
    const std::string datPath = openRegister(2);
    const std::string bytes = test::readBytes(datPath);
    dialogs_.queueSave(dir_.file("no/such/folder/x.csv"));
    model_.mnuCsvExport_Click();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, kCsvWriteFailedMessage);
    EXPECT_EQ(dialogs_.messages()[0].icon, platform::Icon::Error);
    EXPECT_EQ(state_.currentFilePath, datPath);
    EXPECT_EQ(state_.recordCount, 2);
    EXPECT_EQ(test::readBytes(datPath), bytes);
    EXPECT_FALSE(platform::fileExists(dir_.file("no/such/folder/x.csv")));
}

// --- CSV読み込み -----------------------------------------------------------

TEST_F(MainWindowCsvTest, ImportIntoNothingMakesANewUnsavedRegister) {
    import(ourCsv(3));
    EXPECT_EQ(dialogs_.fileDialogs().back().filter, kCsvFileFilter);
    EXPECT_TRUE(host_.yearQuestions.empty());  // our own layout carries its years
    ASSERT_EQ(state_.recordCount, 3);
    const AssetRegister expected = assets(3, "読込");
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(state_.assetRegister.row(row), expected.row(row)) << row;
    }
    EXPECT_EQ(state_.currentFilePath, "");
    EXPECT_TRUE(model_.Fxg1Visible);
    EXPECT_EQ(model_.Fxg1.rows(), 4);
    EXPECT_EQ(model_.Fxg1.text(3, 1), "読込3");
    EXPECT_TRUE(model_.cmdSave.enabled);
    EXPECT_TRUE(model_.mnuCsvExport.enabled);
    // No file in use: nothing the display-order dialog could rewrite.
    EXPECT_FALSE(model_.cmdOrd.enabled);
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, csvImportedMessage(3));

    // Saving it is Save As.
    const std::string path = dir_.file("新しい台帳.dat");
    dialogs_.queueSave(path);
    model_.cmdSave_Click();
    EXPECT_EQ(state_.currentFilePath, path);
    EXPECT_EQ(readRegisterFile(path).recordCount, 3);
}

TEST_F(MainWindowCsvTest, ImportAppendsAfterYesAndWritesTheFileInUse) {
    const std::string datPath = openRegister(2);
    model_.cmdSort2_Click();
    dialogs_.queueAnswer(Answer::Yes);
    import(ourCsv(2));
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text,
              "読み込んだ2件の資産を、表示中の台帳の2件目の後に追加し、ファイルに保存します。"
              "よろしいですか？");
    EXPECT_EQ(dialogs_.messages()[0].buttons, platform::Buttons::YesNo);
    ASSERT_EQ(state_.recordCount, 4);
    EXPECT_EQ(state_.assetRegister.at(2, assetName), "既存2");
    EXPECT_EQ(state_.assetRegister.at(3, assetName), "読込1");
    EXPECT_EQ(state_.assetRegister.at(4, assetName), "読込2");
    const LoadedRegister saved = readRegisterFile(datPath);
    EXPECT_EQ(saved.recordCount, 4);
    EXPECT_EQ(saved.assetRegister, state_.assetRegister);
    // The list shows the whole register in register order.
    EXPECT_EQ(model_.Fxg1.rows(), 5);
    EXPECT_EQ(model_.Fxg1.text(1, 1), "既存1");
    EXPECT_EQ(model_.Fxg1.text(4, 1), "読込2");
    EXPECT_FALSE(model_.cmdRsort.enabled);
    EXPECT_EQ(state_.currentFilePath, datPath);
}

TEST_F(MainWindowCsvTest, AnsweringAnythingButYesChangesNothing) {
    for (Answer answer : {Answer::No, Answer::Cancel}) {
        const std::string datPath = openRegister(2);
        const std::string bytes = test::readBytes(datPath);
        const AssetRegister before = state_.assetRegister;
        dialogs_.queueAnswer(answer);
        import(ourCsv(2));
        EXPECT_EQ(dialogs_.messages().size(), 1u);  // the question alone
        EXPECT_EQ(state_.recordCount, 2);
        EXPECT_EQ(state_.assetRegister, before);
        EXPECT_EQ(test::readBytes(datPath), bytes);
        EXPECT_EQ(model_.Fxg1.rows(), 3);
    }
}

// An unsaved register takes the assets in memory, as the card would.
TEST_F(MainWindowCsvTest, AppendingToAnUnsavedRegisterWritesNoFile) {
    import(ourCsv(1, "一.csv"));
    dialogs_.clearRecord();
    dialogs_.queueAnswer(Answer::Yes);
    import(ourCsv(2, "二.csv"));
    EXPECT_EQ(dialogs_.messages()[0].text, csvAppendQuestion(2, 1, false));
    EXPECT_EQ(state_.recordCount, 3);
    EXPECT_EQ(dialogs_.fileDialogs().size(), 1u);  // the open dialog: no save dialog
    EXPECT_EQ(state_.currentFilePath, "");
}

TEST_F(MainWindowCsvTest, AFailedSaveAfterAppendingPutsTheRegisterBack) {
    const std::string datPath = openRegister(2);
    const AssetRegister before = state_.assetRegister;
    state_.currentFilePath = dir_.file("gone/台帳.dat");
    dialogs_.queueAnswer(Answer::Yes);
    import(ourCsv(2));
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[1].text, kWriteFailedMessage);
    EXPECT_EQ(state_.recordCount, 2);
    EXPECT_EQ(state_.assetRegister, before);
    EXPECT_EQ(model_.Fxg1.rows(), 3);
}

// Every problem is listed at once, and nothing comes in, whether or not a
// register is open and whether the host has the window or only messages.
TEST_F(MainWindowCsvTest, ProblemsAreListedTogetherAndNothingIsImported) {
    const std::string csv = dir_.file("誤り.csv");
    test::writeBytes(csv, std::string(kEShiwakeHeader) +
                              "パソコン,器具備品,2025/4/1,240000,4,定額法,0.250,100,,,,\r\n"
                              "机,器具備品,2025/4/1,12万,8,定額法,0.125,100,,,,\r\n"
                              ",器具備品,2025/5/1,50000,4,定額法,0.250,100,,,,\r\n");
    for (const bool withRegister : {false, true}) {
        for (const bool window : {true, false}) {
            SCOPED_TRACE(std::to_string(withRegister) + std::to_string(window));
            std::string datPath;
            std::string bytes;
            if (withRegister) {
                datPath = openRegister(2);
                bytes = test::readBytes(datPath);
            }
            const AssetRegister before = state_.assetRegister;
            const int countBefore = state_.recordCount;
            host_.problemsWindow = window;
            host_.reports.clear();
            host_.year = 2026;
            dialogs_.clearRecord();
            import(csv);

            CsvImportOptions options;
            options.importYear = 2026;
            options.today = {2027, 2};
            options.existingCount = countBefore;
            const CsvImport expected = readCsv(test::readBytes(csv), options);
            ASSERT_FALSE(expected.ok());
            std::vector<std::string> lines;
            for (const CsvProblem& p : expected.problems) lines.push_back(formatCsvProblem(p));
            const auto found = [&](const std::string& prefix) {
                return std::any_of(lines.begin(), lines.end(),
                                   [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
            };
            EXPECT_TRUE(found("3行目 取得価額「12万」")) << lines.size();
            EXPECT_TRUE(found("4行目"));

            ASSERT_EQ(host_.reports.size(), 1u);
            EXPECT_EQ(host_.reports[0].title, "CSV読み込み");
            EXPECT_EQ(host_.reports[0].lines, lines);
            EXPECT_EQ(host_.reports[0].heading, csvProblemsHeading(static_cast<int>(lines.size())));
            if (window) {
                EXPECT_TRUE(dialogs_.messages().empty());
            } else {
                ASSERT_EQ(dialogs_.messages().size(), 1u);
                EXPECT_NE(dialogs_.messages()[0].text.find(lines.back()), std::string::npos);
            }
            EXPECT_EQ(state_.recordCount, countBefore);
            EXPECT_EQ(state_.assetRegister, before);
            if (withRegister) {
                EXPECT_EQ(test::readBytes(datPath), bytes);
            }
        }
    }
}

// A peer's carried figures need their year: the year being filed is
// offered, and cancelling it reads nothing.
TEST_F(MainWindowCsvTest, APeersLayoutAsksTheYearOfItsCarriedFigures) {
    const std::string csv = dir_.file("e-shiwake.csv");
    test::writeBytes(
        csv, std::string(kEShiwakeHeader) + "机,器具備品,2025/4/1,12万,8,定額法,0.125,100,,,,\r\n");
    host_.year = std::nullopt;
    import(csv);
    ASSERT_EQ(host_.yearQuestions.size(), 1u);
    EXPECT_EQ(host_.yearQuestions[0].title, "CSV読み込み");
    EXPECT_EQ(host_.yearQuestions[0].proposed, 2026);
    EXPECT_EQ(host_.yearQuestions[0].prompt,
              "e-shiwakeの「期末帳簿価額」を、何年分の前年末未償却残高（引継ぎ）として記録します"
              "か。西暦で入力してください。（令和8年分なら2026）");
    EXPECT_TRUE(host_.reports.empty());
    EXPECT_TRUE(dialogs_.messages().empty());

    model_.currentMonth = 4;
    import(csv);
    EXPECT_EQ(host_.yearQuestions.back().proposed, 2027);
}

TEST_F(MainWindowCsvTest, MoreThanAThousandAssetsAreRefused) {
    // A file of 1,001 assets, into nothing.
    const std::string one = formatCsv(assets(1, "資産"), 1);
    const std::size_t headerEnd = one.find("\r\n") + 2;
    std::string many = one;
    for (int i = 1; i < kMaxRecords + 1; ++i) many += one.substr(headerEnd);
    const std::string big = dir_.file("1001.csv");
    test::writeBytes(big, many);
    import(big);
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_NE(dialogs_.messages()[0].text.find(kCsvTooManyMessage), std::string::npos);
    EXPECT_EQ(state_.recordCount, 0);
    EXPECT_FALSE(model_.Fxg1Visible);

    // Two assets after 999: refused before the question is asked.
    const std::string datPath = openRegister(999);
    const std::string bytes = test::readBytes(datPath);
    import(ourCsv(2));
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_NE(dialogs_.messages()[0].text.find(kCsvTooManyMessage), std::string::npos);
    EXPECT_EQ(state_.recordCount, 999);
    EXPECT_EQ(test::readBytes(datPath), bytes);
}

TEST_F(MainWindowCsvTest, AFileThatCannotBeReadIsReported) {
    for (const std::string& bad : {dir_.file("missing.csv"), dir_.file("見出し.csv")}) {
        SCOPED_TRACE(bad);
        test::writeBytes(dir_.file("見出し.csv"), "名前,金額\r\n机,1000\r\n");
        dialogs_.clearRecord();
        host_.reports.clear();
        import(bad);
        // Told once, in a message or in the list of problems.
        EXPECT_EQ(dialogs_.messages().size() + host_.reports.size(), 1u);
        for (const auto& m : dialogs_.messages()) EXPECT_EQ(m.icon, platform::Icon::Error);
        EXPECT_EQ(state_.recordCount, 0);
        EXPECT_FALSE(model_.Fxg1Visible);
    }
    // A cancelled open dialog is no failure.
    dialogs_.clearRecord();
    model_.mnuCsvImport_Click();
    EXPECT_TRUE(dialogs_.messages().empty());
}

}  // namespace
}  // namespace fenmark::reg
