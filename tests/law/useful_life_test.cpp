// The table of useful lives: reading it, the words people type finding the
// law's entries, and the card's type for an entry.

#include "law/useful_life.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/program_folder.h"
#include "test_support.h"

namespace fenmark::law {
namespace {

const LifeTable& shippedTable() {
    static const LifeTable table = loadLifeTable(FENMARK_LIFE_TABLE);
    return table;
}

const LifeEntry& entryWithId(const std::string& id) {
    for (const LifeEntry& e : shippedTable().entries()) {
        if (e.id == id) return e;
    }
    throw std::out_of_range(id);
}

TEST(LifeTableTest, ReadsEveryRowOfTheShippedTable) {
    const LifeTable& table = shippedTable();
    ASSERT_EQ(table.entries().size(), 589u);
    int toBeConfirmed = 0;
    for (const LifeEntry& e : table.entries()) toBeConfirmed += e.toBeConfirmed ? 1 : 0;
    EXPECT_EQ(toBeConfirmed, 96);
    const LifeEntry& pc = entryWithId("1-345");
    EXPECT_EQ(pc.table, 1);
    EXPECT_EQ(pc.path(),
              "器具及び備品＞事務機器及び通信機器＞電子計算機＞パーソナルコンピュータ（サーバー用の"
              "ものを除く。）");
    EXPECT_EQ(pc.years, 4);
    EXPECT_EQ(entryLine(pc), " 4年　" + pc.path());
    // An empty 構造又は用途 leaves no empty step in the path.
    EXPECT_EQ(entryWithId("3-009").path(), "ソフトウエア＞その他のもの");
    EXPECT_TRUE(entryLine(entryWithId("1-013")).starts_with("21年　"));
    EXPECT_TRUE(entryLine(entryWithId("1-013")).ends_with("　要確認"));
    EXPECT_TRUE(entryLine(entryWithId("6-004")).ends_with("（別表第六 開発研究用）"));
}

struct WordCase {
    const char* name;
    const char* query;
    const char* firstId;
    int years;
};

class EverydayWordTest : public ::testing::TestWithParam<WordCase> {};

TEST_P(EverydayWordTest, FindsTheEntryMeantFirst) {
    const WordCase& c = GetParam();
    const auto found = shippedTable().search(c.query);
    ASSERT_FALSE(found.empty()) << c.query;
    EXPECT_EQ(found.front()->id, c.firstId) << c.query;
    EXPECT_EQ(found.front()->years, c.years) << c.query;
}

INSTANTIATE_TEST_SUITE_P(
    Words, EverydayWordTest,
    ::testing::Values(
        WordCase{"laptop", "ノートパソコン", "1-345", 4},
        WordCase{"personalComputer", "パソコン", "1-345", 4},
        WordCase{"server", "サーバー", "1-346", 5}, WordCase{"keiCar", "軽自動車", "1-290", 4},
        WordCase{"ordinaryCar", "普通自動車", "1-294", 6},
        WordCase{"truck", "トラック", "1-292", 5}, WordCase{"motorbike", "バイク", "1-295", 3},
        WordCase{"airConditioner", "エアコン", "1-331", 6},
        WordCase{"refrigerator", "冷蔵庫", "1-332", 6},
        WordCase{"receptionSet", "応接セット", "1-321", 5}, WordCase{"desk", "机", "1-319", 15},
        WordCase{"signboard", "看板", "1-359", 3}, WordCase{"interior", "内装", "1-087", 3},
        WordCase{"kitchen", "厨房", "2-091", 8}, WordCase{"cashRegister", "レジ", "1-347", 5},
        WordCase{"multifunctionPrinter", "複合機", "1-347", 5},
        WordCase{"copier", "コピー機", "1-347", 5}, WordCase{"camera", "カメラ", "1-357", 5},
        WordCase{"software", "ソフトウェア", "3-009", 5},
        WordCase{"woodenShop", "木造　店舗", "1-057", 22},
        // Kana folded: hiragana typed before conversion, the
        // law's large ゆ, a shortened long vowel, a word half
        // typed, an everyday word inside a longer one.
        WordCase{"hiragana", "ぱそこん", "1-345", 4},
        WordCase{"largeKana", "じゅうたん", "1-335", 3},
        WordCase{"longVowel", "コンピューター", "1-345", 4},
        WordCase{"prefix", "ソフト", "3-009", 5}, WordCase{"inside", "中古のパソコン", "1-345", 4}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(LifeTableTest, EveryTermOfTheEverydayWordsIsInTheLaw) {
    // A revised table that rewords a heading must not leave a word finding
    // nothing.
    for (const EverydayWord& word : everydayWords()) {
        for (std::string_view term : word.terms) {
            bool found = false;
            for (const LifeEntry& e : shippedTable().entries()) {
                found = found || e.path().find(term) != std::string::npos;
            }
            EXPECT_TRUE(found) << word.word << " → " << term;
        }
    }
}

TEST(LifeTableTest, EveryWordOfTheQueryNarrowsTheList) {
    const LifeTable& table = shippedTable();
    EXPECT_EQ(table.search("").size(), 589u);
    EXPECT_EQ(table.search(" 　").size(), 589u);
    const auto wooden = table.search("木造");
    const auto woodenShop = table.search("木造 店舗");
    EXPECT_GT(wooden.size(), woodenShop.size());
    EXPECT_EQ(woodenShop.size(), 1u);
    EXPECT_TRUE(table.search("パソコン 木造").empty());
    EXPECT_TRUE(table.search("存在しない資産").empty());
    // Full-width letters are read as ASCII, and bytes that are no UTF-8 do
    // not stop the search.
    EXPECT_EQ(foldForSearch("ＡＢＣ　ｄｅ"), "abc de");
    EXPECT_TRUE(table.search("\xff\xfe").empty());
}

struct BadTableCase {
    const char* name;
    std::string text;
    std::string detail;
};

class BadTableTest : public ::testing::TestWithParam<BadTableCase> {};

const std::string kHeading = "id\t別表\t番号\t種類\t構造又は用途\t細目\t耐用年数\tchecked\n";

TEST_P(BadTableTest, IsRefusedWholeWithTheLine) {
    const BadTableCase& c = GetParam();
    try {
        (void)LifeTable::parse(c.text);
        FAIL() << "parsed";
    } catch (const LifeTableError& e) {
        EXPECT_EQ(e.what(), std::string(kMsgLifeTableUnreadable) + " (" + c.detail + ")");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BadTableTest,
    ::testing::Values(
        BadTableCase{"otherHeading", "id\tyears\n1-001\t50\n", "1行目"},
        BadTableCase{"noRows", kHeading, "0件"},
        BadTableCase{"sevenColumns", kHeading + "1-001\t1\t\t建物\tx\ty\t50\n", "2行目"},
        BadTableCase{"yearsNotANumber",
                     kHeading + "1-001\t1\t\t建物\tx\ty\t50\t2\n1-002\t1\t\t建物\tx\ty\t五十\t2\n",
                     "3行目"},
        BadTableCase{"checkedThree", kHeading + "1-001\t1\t\t建物\tx\ty\t50\t3\n", "2行目"},
        BadTableCase{"blankLineInside", kHeading + "\n1-001\t1\t\t建物\tx\ty\t50\t2\n", "2行目"},
        BadTableCase{"notUtf8", kHeading + "1-001\t1\t\t\x8c\x9a\t\t\t50\t2\n", "UTF-8"}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(LifeTableTest, IsFoundBesideTheProgramThenInTheInstalledDataFolder) {
    test::TempDir dir;
    const std::string bin = dir.file("bin");
    ASSERT_TRUE(platform::makeFolders(bin));
    EXPECT_EQ(lifeTableFor(bin), "");
    EXPECT_THROW(
        {
            try {
                (void)loadLifeTable(lifeTableFor(bin));
            } catch (const LifeTableError& e) {
                EXPECT_STREQ(e.what(), kMsgLifeTableMissing);
                throw;
            }
        },
        LifeTableError);

    const std::string table = test::readBytes(FENMARK_LIFE_TABLE);
    ASSERT_TRUE(platform::makeFolders(dir.file("share/fenmark/data")));
    test::writeBytes(dir.file("share/fenmark/data/useful_life.tsv"), table);
    EXPECT_EQ(lifeTableFor(bin), bin + "/../share/fenmark/data/useful_life.tsv");
    ASSERT_TRUE(platform::makeFolders(bin + "/data"));
    test::writeBytes(bin + "/data/useful_life.tsv", table);
    EXPECT_EQ(lifeTableFor(bin), bin + "/data/useful_life.tsv");
    EXPECT_EQ(loadLifeTable(lifeTableFor(bin)).entries().size(), 589u);
}

TEST(LifeTableTest, GivesTheCardTheTypeOfTheEntrysKind) {
    struct Case {
        const char* id;
        int type;
    };
    const Case cases[] = {
        {"1-057", 0},   // 建物
        {"1-079", 1},   // 建物附属設備 → 付帯設備
        {"2-091", 2},   // 機械及び装置 → 機械
        {"1-290", 7},   // 車両及び運搬具 → 車両等
        {"1-305", 6},   // 工具
        {"1-345", 4},   // 器具及び備品 → 備品
        {"1-396", 4},   // 器具及び備品's own living things stay 備品
        {"4-001", 10},  // 別表第四 → 生物
        {"3-009", 8},   // ソフトウエア → その他
        {"1-100", 8},   // 構築物 → その他
        {"6-001", 8},   // 建物及び建物附属設備 of 別表第六 → その他
    };
    for (const Case& c : cases) EXPECT_EQ(cardTypeFor(entryWithId(c.id)), c.type) << c.id;
}

}  // namespace
}  // namespace fenmark::law
