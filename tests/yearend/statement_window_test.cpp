// The statement window's model: its controls when it opens, the year box,
// the refusals, what a statement changes, the resizing rule and closing.

#include "yearend/statement_window.h"

#include <gtest/gtest.h>

#include "yearend/statement_fixture.h"

namespace fenmark::yearend {
namespace {

using testing::open;
using testing::statement;
using testing::straightLine;

TEST(StatementWindow, OpensWaitingForAYear) {
    auto s = open({straightLine("19", "4")});
    StatementWindowModel& w = *s->window;
    EXPECT_EQ(w.Caption.caption, "決算書資料");
    struct Expected {
        const char* name;
        const char* caption;
        bool visible;
        bool enabled;
    };
    const Expected expected[] = {
        {"Label1", "令和", true, true},
        {"lblGY", "", false, true},
        {"Label2", "年分", true, true},
        {"Label3", "", true, true},
        {"cmdOk", "表示", true, true},
        {"lblComent", "閲覧年度を入力して下さい。", true, true},
        {"Picture1", "", false, true},
        {"Label4", "既に削除可能な資産", false, true},
        {"Picture2", "", false, true},
        {"Label5", "その年度に存在しない資産", false, true},
        {"lblForm", "申告書の様式", true, true},
        {"cmdPrint", "印刷", true, false},
        {"cmdCancel", "戻る", true, true},
        {"lblSmall", "", false, true},
        {"lblSmallOver", kSmallAssetOverCaption, false, true},
        {"lblScrapped", "", false, true},
    };
    ASSERT_EQ(w.controls().size(), std::size(expected));
    for (const Expected& e : expected) {
        const platform::Control* c = w.control(e.name);
        ASSERT_NE(c, nullptr) << e.name;
        EXPECT_EQ(c->caption, e.caption) << e.name;
        EXPECT_EQ(c->visible, e.visible) << e.name;
        EXPECT_EQ(c->enabled, e.enabled) << e.name;
    }
    // The year being filed is offered: 令和6 in June 2024.
    EXPECT_TRUE(w.txtGetYe.visible);
    EXPECT_EQ(w.txtGetYe.text, "6");
    EXPECT_EQ(w.cboEra.items, (std::vector<std::string>{"平成", "令和"}));
    EXPECT_EQ(w.cboEra.listIndex, 1);
    EXPECT_FALSE(w.Fxg3Visible);
    EXPECT_EQ(w.Fxg3.rows(), 3);
    EXPECT_EQ(w.Fxg3.fixedRows(), 1);
    EXPECT_EQ(w.Fxg3.fixedCols(), 1);
    EXPECT_EQ(w.focus, "txtGetYe");
    EXPECT_EQ(w.tabOrder(), (std::vector<std::string>{"cboEra", "txtGetYe", "cmdOk", "cboForm",
                                                      "cmdPrint", "cmdCancel"}));
    EXPECT_EQ(w.cboForm.items, (std::vector<std::string>{"青色申告決算書", "収支内訳書"}));
    EXPECT_EQ(w.cboForm.listIndex, 0);
    EXPECT_EQ(w.layoutOf("Label3").fontSize, 9.75);
    EXPECT_EQ(w.layoutOf("cmdOk").fontName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(w.layoutOf("Picture1").backColor, kRemovableColor);
}

TEST(StatementWindow, RefusesYearsThatAreNotOneTo99) {
    for (const char* year : {"0", "100", "abc", "1.5", "-1", " "}) {
        auto s = open({straightLine("19", "4")});
        StatementWindowModel& w = *s->window;
        w.setTxtGetYe(year);
        w.Fxg3Visible = true;
        w.cmdOk_Click();
        ASSERT_EQ(s->dialogs.messages().size(), 1u) << year;
        const platform::Message& m = s->dialogs.messages()[0];
        EXPECT_EQ(m.text, "入力が正しくありません。") << year;
        EXPECT_EQ(m.buttons, platform::Buttons::Ok);
        EXPECT_EQ(m.icon, platform::Icon::None);
        EXPECT_EQ(m.title, platform::kProgramTitle);
        // Emptying the box is a change of it: the grid hides, "表示" stays on.
        EXPECT_EQ(w.txtGetYe.text, "") << year;
        EXPECT_FALSE(w.Fxg3Visible);
        EXPECT_TRUE(w.cmdOk.enabled);
        EXPECT_TRUE(w.lblComent.visible);
        EXPECT_FALSE(w.cmdPrint.enabled);
    }
    auto s = open({});
    s->window->setTxtGetYe("");
    s->window->cmdOk_Click();
    ASSERT_EQ(s->dialogs.messages().size(), 1u);
    EXPECT_EQ(s->dialogs.messages()[0].text, "年度を入力して下さい。");
}

TEST(StatementWindow, StatementShownOnceWithPrintEnabled) {
    auto s = statement({straightLine("19", "4"), straightLine("20", "4")}, "19");
    StatementWindowModel& w = *s->window;
    EXPECT_TRUE(w.Fxg3Visible);
    EXPECT_FALSE(w.cmdOk.enabled);
    EXPECT_FALSE(w.txtGetYe.visible);
    EXPECT_FALSE(w.lblComent.visible);
    EXPECT_TRUE(w.lblGY.visible);
    EXPECT_EQ(w.lblGY.caption, "19");
    EXPECT_TRUE(w.Label3.visible);
    EXPECT_TRUE(w.cmdPrint.enabled);
    // The last asset stays the current one.
    EXPECT_EQ(s->state.currentRecord, 2);
}

TEST(StatementWindow, EnterInTheYearBoxMovesTheFocusOn) {
    auto s = open({});
    StatementWindowModel& w = *s->window;
    EXPECT_EQ(w.txtGetYe_KeyPress('1'), '1');
    EXPECT_EQ(w.focus, "txtGetYe");
    // With the year offered, "表示" takes the focus at once.
    EXPECT_EQ(w.txtGetYe_KeyPress(kEnterKey), 0);
    EXPECT_EQ(w.focus, "cmdOk");
    w.focus = "txtGetYe";
    w.setTxtGetYe("19");
    EXPECT_EQ(w.txtGetYe_KeyPress(kEnterKey), 0);
    EXPECT_EQ(w.focus, "cmdOk");
    EXPECT_EQ(w.txtGetYe.text, "19");
}

TEST(StatementWindow, ResizingPlacesGridAndButtons) {
    const std::pair<int, int> widths[] = {
        {12825, 12525}, {15900, 15600}, {16000, 15700}, {19200, 18900}, {200, 0}};
    auto s = open({});
    StatementWindowModel& w = *s->window;
    for (const auto& [client, grid] : widths) {
        w.Form_Resize(client, 8100, false);
        const platform::Geometry& g = w.layoutOf("Fxg3").geometry;
        EXPECT_EQ(g.width, grid) << client;
        EXPECT_EQ(g.left, 170);
        EXPECT_EQ(g.top, 1210);
        EXPECT_EQ(g.height, 6750);
        EXPECT_EQ(w.layoutOf("cmdPrint").geometry.left, client - 1560);
        EXPECT_EQ(w.layoutOf("cmdCancel").geometry.top, 680);
    }
    // Minimized: the grid is left alone, the buttons still move.
    w.Form_Resize(12825, 8100, false);
    w.Form_Resize(20000, 9000, true);
    EXPECT_EQ(w.layoutOf("Fxg3").geometry.width, 12525);
    EXPECT_EQ(w.layoutOf("cmdPrint").geometry.left, 18440);
    EXPECT_EQ(w.layoutOf("cmdPrint").geometry.top, 140);
}

class RecordingHost : public StatementWindowHost {
  public:
    void showMain() override { calls.emplace_back("showMain"); }
    void unloadStatement() override {
        calls.emplace_back("unloadStatement");
        window->unload();
    }
    StatementWindowModel* window = nullptr;
    std::vector<std::string> calls;
};

TEST(StatementWindow, ClosingShowsTheMainWindowOnce) {
    for (bool byButton : {true, false}) {
        reg::ProgramState state;
        platform::ScriptedDialogs dialogs;
        RecordingHost host;
        StatementWindowModel w(state, dialogs, {"0", 2024}, &host);
        host.window = &w;
        w.Form_Load();
        w.selectEra(0);
        w.setTxtGetYe("19");
        EXPECT_TRUE(w.click("cmdOk"));
        if (byButton) {
            EXPECT_TRUE(w.click("cmdCancel"));
            EXPECT_EQ(host.calls,
                      (std::vector<std::string>{"showMain", "unloadStatement", "showMain"}));
        } else {
            w.unload();
            EXPECT_EQ(host.calls, std::vector<std::string>{"showMain"});
        }
        w.unload();
        EXPECT_EQ(host.calls.back(), "showMain");
        EXPECT_EQ(host.calls.size(), byButton ? 3u : 1u);
    }
}

}  // namespace
}  // namespace fenmark::yearend
