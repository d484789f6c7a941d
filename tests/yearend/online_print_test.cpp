// The printed online list: blocks of whole assets to a page, never split,
// the values as typed in a large font, the problems in their block, the
// heading of every page and the notes of the first.

#include "yearend/online_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "output/printed_lines.h"

namespace fenmark::yearend {
namespace {

using platform::RecordingPrinter;
using Op = RecordingPrinter::Op;
using test::textOf;

constexpr const char* kHeading = "令和 8年分";
constexpr const char* kDestination =
    "本年分の必要経費算入額の合計 236,900円 → "
    "青色申告決算書（一般用）1ページ目、損益計算書の「減価償却費」（⑱）";

OnlineEntry entry(int record, std::string name = {}) {
    OnlineEntry e;
    e.record = record;
    e.kind = "減価償却資産（定額法）";
    e.detail = "工具器具備品";
    e.name = name.empty() ? "事務机" + std::to_string(record) : std::move(name);
    e.quantity = "1";
    e.acquired = EraMonth{law::Era::Reiwa, 7, 4};
    e.cost = 2400000;
    e.openingBook = 1800000;
    e.base = 2400000;
    e.life = 8;
    e.months = 12;
    e.depreciation = 300000;
    e.ratio = "100.00";
    return e;
}

OnlineEntries entries(int count) {
    OnlineEntries list;
    list.westernYear = 2026;
    for (int i = 1; i <= count; ++i) list.assets.push_back(entry(i));
    return list;
}

RecordingPrinter printed(const OnlineEntries& list, const std::string& destination = kDestination) {
    RecordingPrinter printer;
    printer.setOrientation(platform::Orientation::Portrait);
    composeOnline(printer, list, kHeading, destination);
    return printer;
}

// The notes composeOnline puts before the blocks.
std::vector<std::string> notesOf(const OnlineEntries& list) {
    std::vector<std::string> notes = list.warnings;
    notes.push_back(kDestination);
    notes.push_back(kOnlinePrintNote);
    return notes;
}

// Every block whole on one page, in order, each page filled as far as the
// next block allows.
void expectWholeBlocks(const OnlineLayout& layout, const RecordingPrinter& printer) {
    const double bottom = printer.pageHeight();
    for (std::size_t i = 0; i < layout.blocks.size(); ++i) {
        const OnlineLayout::Block& b = layout.blocks[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(b.asset, i);
        EXPECT_GT(b.top, 0);
        EXPECT_LE(b.top + b.height, bottom);
        if (i == 0) continue;
        const OnlineLayout::Block& before = layout.blocks[i - 1];
        if (b.page == before.page) {
            EXPECT_GE(b.top, before.top + before.height + kOnlineBlockGap);
        } else {
            EXPECT_EQ(b.page, before.page + 1);
            EXPECT_EQ(b.top, kOnlineContentTop);
            // It would not have fit under the one before.
            EXPECT_GT(before.top + before.height + kOnlineBlockGap + b.height, bottom);
        }
    }
}

// The width of a printed text in the size it was printed in.
double widthOf(const Op& op) {
    RecordingPrinter measure;
    measure.setFont(op.font, op.size);
    return measure.textWidth(op.text);
}

struct PagesCase {
    int assets;
    int warnings;
    int pages;
};

class OnlinePagesTest : public ::testing::TestWithParam<PagesCase> {};

// Four plain blocks fill a page; the notes of the first page can take the
// room of one.
TEST_P(OnlinePagesTest, WholeBlocksToAPage) {
    const PagesCase& c = GetParam();
    OnlineEntries list = entries(c.assets);
    for (int i = 0; i < c.warnings; ++i) {
        list.warnings.push_back("No." + std::to_string(100 + i) +
                                "は償却費を計算できないため載せていません。");
    }
    const RecordingPrinter printer = printed(list);
    EXPECT_EQ(printer.pageCount(), c.pages);
    RecordingPrinter measure;
    measure.setOrientation(platform::Orientation::Portrait);
    const OnlineLayout layout = layoutOnline(measure, list, notesOf(list));
    EXPECT_EQ(layout.pages, c.pages);
    ASSERT_EQ(layout.blocks.size(), static_cast<std::size_t>(c.assets));
    expectWholeBlocks(layout, measure);
    // Each block's title on its page, once.
    for (const OnlineLayout::Block& b : layout.blocks) {
        const std::string title =
            "No." + std::to_string(b.asset + 1) + " 事務机" + std::to_string(b.asset + 1);
        for (int page = 1; page <= printer.pageCount(); ++page) {
            EXPECT_EQ(textOf(printer.onPage(page), title).has_value(), page == b.page) << title;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, OnlinePagesTest,
                         ::testing::Values(PagesCase{0, 0, 1}, PagesCase{1, 0, 1},
                                           PagesCase{4, 0, 1}, PagesCase{5, 0, 2},
                                           PagesCase{8, 0, 2}, PagesCase{9, 0, 3},
                                           PagesCase{4, 3, 2}, PagesCase{7, 3, 2},
                                           PagesCase{8, 3, 3}),
                         [](const ::testing::TestParamInfo<PagesCase>& param) {
                             return "Assets" + std::to_string(param.param.assets) + "Warnings" +
                                    std::to_string(param.param.warnings);
                         });

// Blocks of different heights (problems at their foot) still never split.
TEST(OnlinePrint, TallerBlocksWithProblemsAreNeverSplit) {
    OnlineEntries list = entries(11);
    for (std::size_t i = 0; i < list.assets.size(); i += 3) {
        OnlineEntry& e = list.assets[i];
        e.name = "業務用大型冷凍冷蔵ショーケース一式（厨房用）";
        e.problems.push_back({OnlineField::Name,
                              "名称が22文字あります。作成コーナーには16文字まで"
                              "入ります。「業務用大型冷凍冷蔵ショーケース一」｜"
                              "「式（厨房用）」で区切ってください。"});
        e.problems.push_back({OnlineField::Ratio, "事業専用割合を小数2桁に丸めています。"});
    }
    RecordingPrinter measure;
    measure.setOrientation(platform::Orientation::Portrait);
    const OnlineLayout layout = layoutOnline(measure, list, notesOf(list));
    expectWholeBlocks(layout, measure);
    EXPECT_GT(layout.blocks[0].height, layout.blocks[1].height);
    EXPECT_FALSE(layout.blocks[0].problemLines.empty());

    const RecordingPrinter printer = printed(list);
    ASSERT_EQ(printer.pageCount(), layout.pages);
    // Everything of a block, its frame included, lies inside it on its page.
    for (const OnlineLayout::Block& b : layout.blocks) {
        int inside = 0;
        for (const Op& op : printer.onPage(b.page)) {
            if (op.y >= b.top && op.y < b.top + b.height) ++inside;
        }
        // The title, the seventeen labels and their values, the problems.
        EXPECT_GE(inside, 1 + 2 * kOnlineFields + static_cast<int>(b.problemLines.size()));
        int frame = 0;
        for (const Op& line : printer.onPage(b.page, Op::Kind::Line)) {
            if (line.y == b.top + b.height && line.y2 == line.y) ++frame;
        }
        EXPECT_EQ(frame, 1) << b.asset;
    }
}

// A block: its title, the fields in two halves in the order they are typed,
// the values as typed in 12 pt, a field with a problem marked and
// explained at the block's foot.
TEST(OnlinePrint, ABlockHoldsTheFieldsAsTyped) {
    OnlineEntries list = entries(1);
    OnlineEntry& e = list.assets[0];
    e.name = "営業車";
    e.record = 3;
    e.revisedBase = 593599;
    e.openingBook.reset();
    e.remark = "改定償却";
    e.ratio = "33.33";
    e.problems.push_back(
        {OnlineField::Ratio, "事業専用割合を小数2桁に丸めています（登録は33.333%）。"});
    const RecordingPrinter printer = printed(list);
    const std::vector<Op> ops = printer.onPage(1);
    ASSERT_TRUE(textOf(ops, "No.3 営業車").has_value());
    EXPECT_EQ(textOf(ops, "No.3 営業車")->size, kOnlineTitlePoints);

    struct Field {
        const char* label;
        const char* value;
    };
    const Field fields[] = {
        {"種類等", "減価償却資産（定額法）"},
        {"細目", "工具器具備品"},
        {"名称", "営業車"},
        {"取得年月（元号）", "令和"},
        {"取得年月（年）", "7"},
        {"取得価額", "2400000"},
        {"前年末未償却残高", kOnlineBlankValue},
        {"償却の基礎になる金額", "2400000"},
        {"改定取得価額", "593599"},
        {"本年中の償却期間", "12"},
        {"除却・譲渡・廃棄", "いいえ"},
        {"本年分の普通償却費", "300000"},
        {"※事業専用割合", "33.33"},
        {"摘要", "改定償却"},
    };
    const double half = printer.pageWidth() / 2;
    for (const Field& f : fields) {
        SCOPED_TRACE(f.label);
        const auto label = textOf(ops, f.label);
        ASSERT_TRUE(label.has_value());
        EXPECT_EQ(label->size, kOnlineLabelPoints);
        // The value on the label's line, to its right.
        const double halfEnd = label->x < half ? half : printer.pageWidth();
        const auto value = std::find_if(ops.begin(), ops.end(), [&](const Op& op) {
            return op.text == f.value && op.x > label->x && op.x < halfEnd &&
                   std::abs(op.y - label->y) < 60;
        });
        ASSERT_NE(value, ops.end());
        if (std::string(f.value) != kOnlineBlankValue) {
            EXPECT_GE(value->size, 12);
            EXPECT_EQ(value->font, kOnlinePrintFont);
        }
    }
    // The first nine down the left half, the rest down the right, each half
    // in the order typed.
    const auto at = [&](const char* text) { return *textOf(ops, text); };
    EXPECT_LT(at("種類等").x, half);
    EXPECT_LT(at("前年末未償却残高").x, half);
    EXPECT_GT(at("償却の基礎になる金額").x, half);
    EXPECT_GT(at("摘要").x, half);
    EXPECT_LT(at("種類等").y, at("細目").y);
    EXPECT_LT(at("取得価額").y, at("前年末未償却残高").y);
    EXPECT_EQ(at("種類等").y, at("償却の基礎になる金額").y);
    EXPECT_LT(at("本年分の普通償却費").y, at("摘要").y);
    // Nothing else is marked; the problem stands under the fields.
    EXPECT_EQ(std::count_if(ops.begin(), ops.end(),
                            [](const Op& op) { return op.text.starts_with(kOnlineProblemMark); }),
              2);
    const auto problem =
        textOf(ops, "※事業専用割合：事業専用割合を小数2桁に丸めています（登録は33.333%）。");
    ASSERT_TRUE(problem.has_value());
    EXPECT_GT(problem->y, at("※事業専用割合").y);
    EXPECT_GT(problem->y, at("前年末未償却残高").y);
}

// Every page is headed with the year, the list's name and its number; the
// warnings and the destination stand on the first page only.
TEST(OnlinePrint, PageHeadingsAndTheNotesOfTheFirstPage) {
    OnlineEntries list = entries(6);
    list.warnings.push_back("No.9は償却費を計算できないため載せていません。");
    const RecordingPrinter printer = printed(list);
    ASSERT_EQ(printer.pageCount(), 2);
    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        const std::vector<Op> ops = printer.onPage(page);
        const auto heading = textOf(ops, "令和 8年分　作成コーナー入力用");
        ASSERT_TRUE(heading.has_value());
        EXPECT_EQ(heading->y, 0);
        EXPECT_EQ(heading->x, 0);
        const auto number = textOf(ops, std::to_string(page) + " / 2 ページ");
        ASSERT_TRUE(number.has_value());
        EXPECT_EQ(number->y, 0);
        EXPECT_GT(number->x, printer.pageWidth() / 2);
        const bool first = page == 1;
        EXPECT_EQ(textOf(ops, list.warnings[0]).has_value(), first);
        EXPECT_EQ(textOf(ops, kOnlinePrintNote).has_value(), first);
        // The destination is broken where the page ends, and whole.
        std::string destination;
        for (const Op& op : ops) {
            if (op.text.size() > 20 &&
                std::string(kDestination).find(op.text) != std::string::npos) {
                destination += op.text;
            }
        }
        EXPECT_EQ(destination, first ? kDestination : "");
    }
    for (const Op& op : printer.onPage(1)) {
        EXPECT_LE(op.x + widthOf(op), printer.pageWidth() + 1) << op.text;
    }
}

TEST(OnlinePrint, AYearWithoutAssetsSaysSo) {
    const RecordingPrinter printer = printed(entries(0));
    EXPECT_EQ(printer.pageCount(), 1);
    EXPECT_TRUE(textOf(printer.onPage(1), kOnlineNoAssets).has_value());
    EXPECT_TRUE(printer.onPage(1, Op::Kind::Line).size() == 1u);  // the heading's rule
}

}  // namespace
}  // namespace fenmark::yearend
