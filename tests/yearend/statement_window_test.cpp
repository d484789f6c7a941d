// The statement window's model: its controls when it opens, the year box,
// the refusals, what a statement changes, the resizing rule and closing.

#include "yearend/statement_window.h"

#include <gtest/gtest.h>

#include <tuple>

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
        {"Label1", "令和 6年分", true, true},
        {"Label3", "", true, true},
        {"cmdOk", "表示", true, true},
        {"lblComent", "閲覧する年分を入力して下さい。", true, true},
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
        {"lblWarnings", "", false, true},
        {"lblProblem", "", false, true},
        {"lblCopied", "", false, true},
        {"lblDestination", "", false, true},
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
    EXPECT_EQ(s->dialogs.messages()[0].text, "年分を入力して下さい。");
}

TEST(StatementWindow, StatementShownOnceWithPrintEnabled) {
    auto s = statement({straightLine("19", "4"), straightLine("20", "4")}, "19");
    StatementWindowModel& w = *s->window;
    EXPECT_TRUE(w.Fxg3Visible);
    EXPECT_FALSE(w.cmdOk.enabled);
    EXPECT_FALSE(w.txtGetYe.visible);
    EXPECT_FALSE(w.lblComent.visible);
    EXPECT_EQ(w.Label1.caption, "平成19年分");
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

// The heading names the year as the return does, in the era of that year
// whatever era it was typed in, the year right-aligned in two columns: as
// soon as it is typed, and the same once shown, agreeing with the closing
// date. Without a year only the era and 「年分」 stand, with the blank.
TEST(StatementWindow, TheHeadingNamesTheYearInItsOwnEra) {
    struct Case {
        int era;  // 0 平成, 1 令和
        const char* typed;
        const char* heading;
        const char* closing;  // after "表示", December closing
        const char* year;     // lblGY
    };
    const Case cases[] = {
        {1, "8", "令和 8年分", "(期末 ：令和 8年12月)", "8"},
        {0, "38", "令和 8年分", "(期末 ：令和 8年12月)", "8"},
        {0, "31", "令和元年分", "(期末 ：令和 元年12月)", "元"},
        {1, "1", "令和元年分", "(期末 ：令和 元年12月)", "元"},
        {0, "30", "平成30年分", "(期末 ：平成 30年12月)", "30"},
        {0, "1", "平成元年分", "(期末 ：平成 元年12月)", "元"},
        {1, "12", "令和12年分", "(期末 ：令和 12年12月)", "12"},
        {0, "", "平成  年分", nullptr, nullptr},
        {1, "abc", "令和  年分", nullptr, nullptr},
        {1, "70", "令和  年分", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " in era " + std::to_string(c.era));
        auto s = open({straightLine("19", "4")});
        StatementWindowModel& w = *s->window;
        w.selectEra(c.era);
        w.setTxtGetYe(c.typed);
        EXPECT_EQ(w.Label1.caption, c.heading);
        EXPECT_EQ(w.headingText(), c.heading);
        w.cmdOk_Click();
        EXPECT_EQ(w.Fxg3Visible, c.closing != nullptr);
        if (c.closing == nullptr) continue;
        EXPECT_EQ(w.Label1.caption, c.heading);
        EXPECT_EQ(w.headingText(), c.heading);
        EXPECT_EQ(w.Label3.caption, c.closing);
        EXPECT_EQ(w.lblGY.caption, c.year);
    }
}

TEST(StatementWindow, TheHeadingFollowsTheEraAndTheYearTyped) {
    auto s = open({});
    StatementWindowModel& w = *s->window;
    EXPECT_EQ(w.Label1.caption, "令和 6年分");
    w.selectEra(0);
    EXPECT_EQ(w.Label1.caption, "平成 6年分");
    w.setTxtGetYe("");
    EXPECT_EQ(w.Label1.caption, "平成  年分");
    w.setTxtGetYe("38");
    EXPECT_EQ(w.Label1.caption, "令和 8年分");
    EXPECT_EQ(statementHeading(38), "令和 8年分");
    EXPECT_EQ(statementHeading(1), "平成元年分");
    EXPECT_EQ(statementHeading(99), "令和69年分");
}

// A view's measures: every captioned control as wide as a font might make
// it, the grid's heading taller than designed.
void measureWide(StatementWindowModel& w) {
    for (const ControlLayout& entry : std::vector<ControlLayout>(w.layout)) {
        if (entry.name == "Fxg3" || entry.name == "grdOnline") {
            w.setNeededSize(entry.name, 0, 3600);
        } else if (!entry.name.starts_with("Picture")) {
            w.setNeededSize(entry.name, entry.geometry.width * 3 / 2 + 200,
                            entry.geometry.height + 90);
        }
    }
}

// No control lies on another, and each lies inside the client area.
void expectNoOverlap(StatementWindowModel& w, int width, int height) {
    // The lines under the grid stand one under the other only as far as
    // they are shown; the two views share the grid's place, and the tabs
    // come with a statement.
    const auto shown = [&w](const ControlLayout& entry) {
        if (entry.name == "Fxg3") return w.view() == StatementView::Table;
        if (entry.name == "grdOnline") return w.view() == StatementView::Online;
        if (entry.name == "tabView") return w.tabView.visible;
        const bool line = entry.name.starts_with("lbl") && entry.name != "lblForm" &&
                          entry.name != "lblComent" && entry.name != "lblGY";
        return !line || w.control(entry.name)->visible;
    };
    for (std::size_t i = 0; i < w.layout.size(); ++i) {
        const ControlLayout& a = w.layout[i];
        if (!shown(a)) continue;
        const platform::Geometry& g = a.geometry;
        EXPECT_GE(g.left, 0) << a.name;
        EXPECT_GE(g.top, 0) << a.name;
        EXPECT_LE(g.left + g.width, width) << a.name;
        EXPECT_LE(g.top + g.height, height) << a.name;
        EXPECT_GT(g.width, 0) << a.name;
        EXPECT_GT(g.height, 0) << a.name;
        for (std::size_t j = i + 1; j < w.layout.size(); ++j) {
            const ControlLayout& b = w.layout[j];
            if (!shown(b)) continue;
            const platform::Geometry& h = b.geometry;
            const bool apart = g.left + g.width <= h.left || h.left + h.width <= g.left ||
                               g.top + g.height <= h.top || h.top + h.height <= g.top;
            EXPECT_TRUE(apart) << a.name << " lies on " << b.name << " at " << width << " x "
                               << height;
        }
    }
}

// From the least size up, with the design's sizes and with a view's wider
// measures, before and after a statement with all its lines under it, in
// both views.
TEST(StatementWindow, NoControlLiesOnAnotherAtAnySize) {
    for (const bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "measured wide" : "as designed");
        const reg::Row small =
            test::makeRow({"タブレット", "2026-06-4", "2", "8", "6", "", "4", "2026", "3500000",
                           "1", "1.000", "6", "1", "100", "", "", "10", "95", ""});
        reg::Row scrapped = straightLine("19", "4");
        scrapped[reg::disposalMonth - 1] = "2026-03";
        scrapped[reg::disposalKind - 1] = "除却";
        auto s = open({small, scrapped});
        StatementWindowModel& w = *s->window;
        if (wide) measureWide(w);
        const ClientSize least = w.minimumClientSize();
        for (const int step : {0, 1, 2}) {
            if (step == 1) {
                w.selectEra(1);
                w.setTxtGetYe("8");
                w.cmdOk_Click();
                ASSERT_TRUE(w.Fxg3Visible);
                ASSERT_TRUE(w.lblSmall.visible && w.lblSmallOver.visible);
                ASSERT_TRUE(w.lblDestination.visible);
            }
            // The online list with its lines: the problem of the scrapped
            // asset's remark, the copy line, the destination.
            if (step == 2) {
                w.selectView(1);
                ASSERT_TRUE(w.lblProblem.visible && w.lblCopied.visible);
            }
            const std::pair<int, int> sizes[] = {{least.width, least.height},
                                                 {least.width + 15, least.height + 15},
                                                 {least.width + 3000, least.height},
                                                 {12825, 8100},
                                                 {19200, 12000}};
            for (const auto& [width, height] : sizes) {
                if (width < least.width || height < least.height) continue;
                w.Form_Resize(width, height, false);
                expectNoOverlap(w, width, height);
                EXPECT_GE(w.layoutOf("Fxg3").geometry.height, 2400) << width << " x " << height;
            }
        }
        // A wider view needs a larger window, never a smaller one.
        if (wide) {
            auto designed = open({});
            EXPECT_GT(least.width, designed->window->minimumClientSize().width);
            EXPECT_GT(least.height, designed->window->minimumClientSize().height);
        }
    }
}

TEST(StatementWindow, ResizingPlacesGridAndButtons) {
    const std::pair<int, int> widths[] = {
        {15900, 15600}, {16000, 15700}, {19200, 18900}, {25000, 24700}};
    auto s = open({});
    StatementWindowModel& w = *s->window;
    const ClientSize least = w.minimumClientSize();
    // Room for the two rows, the legends, the return's list and the buttons,
    // and no more than a small screen.
    EXPECT_GT(least.width, 10000);
    EXPECT_LE(least.width, 14500);
    EXPECT_LE(least.height, 8100);
    for (const auto& [client, grid] : widths) {
        w.Form_Resize(client, 8100, false);
        const platform::Geometry& g = w.layoutOf("Fxg3").geometry;
        EXPECT_EQ(g.width, grid) << client;
        EXPECT_EQ(g.left, 170);
        EXPECT_EQ(g.top, 1210);
        EXPECT_EQ(g.height, 6750);
        EXPECT_EQ(w.layoutOf("cmdPrint").geometry.left, client - 1560);
        EXPECT_EQ(w.layoutOf("cmdPrint").geometry.top, 140);
        EXPECT_EQ(w.layoutOf("cmdCancel").geometry.top, 680);
        // The return's list stands just before the buttons.
        const platform::Geometry& form = w.layoutOf("cboForm").geometry;
        EXPECT_EQ(form.left + form.width + 300, client - 1560);
    }
    // Below the least size the layout is that of the least size.
    w.Form_Resize(least.width, least.height, false);
    const std::vector<ControlLayout> atLeast = w.layout;
    w.Form_Resize(200, 0, false);
    for (std::size_t i = 0; i < atLeast.size(); ++i) {
        const platform::Geometry& a = atLeast[i].geometry;
        const platform::Geometry& b = w.layout[i].geometry;
        EXPECT_EQ(std::tie(a.left, a.top, a.width, a.height),
                  std::tie(b.left, b.top, b.width, b.height))
            << atLeast[i].name;
    }
    // Minimized: the grid is left alone, the buttons still move.
    w.Form_Resize(15000, 8100, false);
    w.Form_Resize(20000, 9000, true);
    EXPECT_EQ(w.layoutOf("Fxg3").geometry.width, 14700);
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
