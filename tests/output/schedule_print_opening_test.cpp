// The printed schedule of an asset with a carried opening or a business
// start: the window's lines under the header block, and the table of the
// first sheet moved down to make room for them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/printed_lines.h"
#include "output/schedule_print.h"
#include "schedule/schedule_fixture.h"
#include "test_support.h"

namespace fenmark::output {
namespace {

using platform::RecordingPrinter;
using schedule::testing::open;
using schedule::testing::Shown;
using schedule::testing::with;
using Op = RecordingPrinter::Op;
using test::lineAt;
using test::textOf;

const schedule::ScheduleSettings kSettings{"12", "1", 2012};

RecordingPrinter printed(Shown& shown) {
    RecordingPrinter printer;
    printSchedule(printer, *shown.window, shown.state);
    return printer;
}

reg::Row carriedDeclining() {
    return with(schedule::testing::newDeclining(),
                {{reg::carriedYear, "2011"}, {reg::carriedBookValue, "421877"}});
}

// Old straight line from Shōwa 63 with a life of 47, carried into 2000:
// more years than one sheet holds.
reg::Row carriedShopHouse() {
    return test::makeRow({"店舗兼住宅", "1988-04-0", "0",     "63", "4", "",   "0",    "1988",
                          "15000000",   "47",        "0.022", "1",  "1", "60", "38",   "0.027",
                          "10",         "95",        "",      "",   "",  "",   "2000", "9000000"});
}

// Bought in 1990 and private for thirty years: the loss is capped at 95 %
// of the cost, and the line is too long for the sheet.
reg::Row longPrivateUse() {
    return with(test::asset("ミシン", "1", "2", "1", "4", "1000000", "6", "0.166", "1"),
                {{reg::businessStart, "2020-01"}});
}

// The rules and headings of a sheet, `shift` below their usual places.
void expectTableAt(const RecordingPrinter& printer, int page, double shift) {
    const std::vector<Op> lines = printer.onPage(page, Op::Kind::Line);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].y, 2800 + shift);
    EXPECT_EQ(lines.back().y, 3300 + shift);
    const std::vector<Op> headings = lineAt(printer, page, 3000 + shift);
    ASSERT_EQ(headings.size(), 8u);
    EXPECT_EQ(headings.front().text, "経過年数");
}

TEST(SchedulePrintOpening, AnAssetWithoutOpeningLinesPrintsAsBefore) {
    auto shown = open({schedule::testing::newDeclining()}, kSettings);
    const RecordingPrinter printer = printed(*shown);
    expectTableAt(printer, 1, 0);
    EXPECT_TRUE(lineAt(printer, 1, 2850).empty());
    EXPECT_TRUE(textOf(lineAt(printer, 1, 3450), "1").has_value());
}

TEST(SchedulePrintOpening, TheCarriedLinesFollowTheHeaderAndMoveTheTableDown) {
    auto shown = open({carriedDeclining()}, kSettings);
    const schedule::ScheduleWindowModel& w = *shown->window;
    const RecordingPrinter printer = printed(*shown);
    const std::vector<Op> carried = lineAt(printer, 1, 2850);
    ASSERT_EQ(carried.size(), 1u);
    EXPECT_EQ(carried[0].x, 900);
    EXPECT_EQ(carried[0].text, w.lblCarried.caption);
    EXPECT_EQ(carried[0].font, "ＭＳ明朝");
    const std::vector<Op> note = lineAt(printer, 1, 3300);
    ASSERT_EQ(note.size(), 1u);
    EXPECT_EQ(note[0].text, "計算上の未償却残高 421,875円、引継ぎとの差 2円");
    // Two lines: the table two rows lower, its first year in the third place.
    expectTableAt(printer, 1, 900);
    EXPECT_TRUE(textOf(lineAt(printer, 1, 3000 + 450.0 * 3), "1").has_value());
    EXPECT_TRUE(textOf(lineAt(printer, 1, 3000 + 450.0 * 6), "105,469").has_value());
}

TEST(SchedulePrintOpening, TheFirstSheetHoldsFewerYears) {
    auto shown = open({carriedShopHouse()}, kSettings);
    const int years = shown->window->Fxg2.rows() - 1;
    ASSERT_GT(years, 25);
    ASSERT_TRUE(shown->window->lblCarriedNote.visible);
    const RecordingPrinter printer = printed(*shown);
    EXPECT_EQ(printer.pageCount(), (years + 2) / 25 + 1);
    EXPECT_TRUE(textOf(lineAt(printer, 1, 14250), "23").has_value());
    expectTableAt(printer, 2, 0);
    EXPECT_TRUE(textOf(lineAt(printer, 2, 3450), "24").has_value());
    EXPECT_TRUE(lineAt(printer, 2, 2850).empty());
}

TEST(SchedulePrintOpening, ALineTooWideBreaksAfterAComma) {
    auto shown = open({longPrivateUse()}, kSettings);
    const std::string& line = shown->window->lblBusinessStart.caption;
    ASSERT_NE(line.find("（取得価額の95%まで）、"), std::string::npos) << line;
    const RecordingPrinter printer = printed(*shown);
    const std::vector<Op> first = lineAt(printer, 1, 2850);
    const std::vector<Op> second = lineAt(printer, 1, 3300);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(first[0].text + second[0].text.substr(std::string("　").size()), line);
    EXPECT_EQ(second[0].text.rfind("　開始時の未償却残高 ", 0), 0u) << second[0].text;
    for (const Op& op : {first[0], second[0]}) {
        EXPECT_LE(op.x + printer.textWidth(op.text), printer.pageWidth()) << op.text;
    }
    expectTableAt(printer, 1, 900);
}

}  // namespace
}  // namespace fenmark::output
