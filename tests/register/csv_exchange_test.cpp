// CSV export and import: round trips over generated registers, the peers'
// layouts, and imports that must be refused with every reason at once.

#include "register/csv_exchange.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "card/entry_card.h"
#include "card/entry_card_checks.h"
#include "platform/text_file.h"
#include "register/csv_text.h"
#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

constexpr card::Today kToday{2026, 12};

std::string& cell(Row& row, int column) { return row[static_cast<std::size_t>(column - 1)]; }
const std::string& cell(const Row& row, int column) {
    return row[static_cast<std::size_t>(column - 1)];
}

std::string two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Registers as the card and older versions store them: every record passes
// the card's checks, and some hold the odd forms the reader accepts.
class RegisterGenerator {
  public:
    explicit RegisterGenerator(unsigned seed) : random_(seed) {}

    Row next() {
        Row row{};
        const int year = pick(1990, 2026);
        const int month = pick(1, 12);
        const int type = pick(0, 10);
        const int quantityValue = chance(5) ? pick(2, 20) : 1;
        const law::Era era = law::eraOfMonth(year, month);
        cell(row, assetName) = names_[static_cast<std::size_t>(pick(0, 5))];
        cell(row, eraCode) = std::to_string(static_cast<int>(era));
        cell(row, eraYear) = std::to_string(law::eraYearOf(era, year));
        // Older versions wrote 平成 after April 2019.
        if (era == law::Era::Reiwa && chance(3)) {
            cell(row, eraCode) = "1";
            cell(row, eraYear) = std::to_string(year - 1988);
        }
        cell(row, acquisitionMonth) = std::to_string(month);
        if (chance(8)) cell(row, acquisitionDay) = std::to_string(pick(1, 28));
        cell(row, typeCode) = std::to_string(type);
        cell(row, westernYear) = std::to_string(year);
        cell(row, quantity) = std::to_string(quantityValue);
        cell(row, businessRatio) = std::to_string(chance(3) ? pick(0, 100) : 100);

        const double key = card::acquisitionDateKey(year, month);
        std::int64_t cost = pick(quantityValue, 5'000'000);
        card::MethodChoice choice = card::MethodChoice::straightLine;
        const int roll = pick(0, 9);
        if (roll < 3 && type < 9) {
            choice = card::MethodChoice::decliningBalance;
        } else if (roll == 3) {
            choice = card::MethodChoice::threeYear;
            cost = static_cast<std::int64_t>(pick(100'000, 199'999)) * quantityValue;
        } else if (roll == 4 && key >= 200614 && key <= 202913) {
            choice = card::MethodChoice::smallAsset;
            cost = static_cast<std::int64_t>(pick(1, 299'999)) * quantityValue;
        }
        cell(row, acquisitionCost) = std::to_string(cost);
        static const std::vector<std::string> lives{"2",  "4",  "5",  "6", "8",
                                                    "10", "15", "22", "47"};
        std::string life = lives[static_cast<std::size_t>(pick(0, 8))];
        auto result =
            card::methodRates(choice, type, key, life,
                              card::unitPriceOf(cell(row, acquisitionCost), cell(row, quantity)));
        if (!result.rates) {
            result = card::methodRates(card::MethodChoice::straightLine, type, key, "10", 1);
        }
        const card::MethodRates& rates = *result.rates;
        cell(row, methodCode) = rates.code;
        cell(row, usefulLife) = rates.life;
        cell(row, depreciationRate) = rates.rate;
        cell(row, newRuleRates) = rates.newRuleRates;
        cell(row, assetCode) =
            chance(4) ? two(year % 100) + two(month) + "-" + std::to_string(type)
                      : std::to_string(year) + "-" + two(month) + "-" + std::to_string(type);
        cell(row, residualRatio) = type == 9 ? "0" : "10";
        cell(row, depreciationLimit) = type == 9 ? "100" : "95";
        if (rates.code == "0" || rates.code == "1") {
            if (chance(4)) {
                cell(row, revisedLife) = "7";
                cell(row, revisedRate) = "0.142";
            }
        }
        const bool lumpSum = rates.code == "2" || rates.code == "6";

        int startYear = year;
        if (!lumpSum && chance(6) && year < 2026) {
            startYear = pick(year + 1, 2026);
            cell(row, businessStart) = std::to_string(startYear) + "-" + two(pick(1, 12));
        }
        if (!lumpSum && chance(4) && startYear < 2026) {
            const int carried = pick(startYear + 1, 2026);
            const std::int64_t book = pick(quantityValue, static_cast<int>(cost));
            cell(row, carriedYear) = std::to_string(carried);
            cell(row, carriedBookValue) = std::to_string(book);
            if (card::takesRevisedBase(rates.code, cell(row, westernYear),
                                       cell(row, acquisitionMonth)) &&
                chance(2)) {
                cell(row, carriedRevisedBase) = std::to_string(book + (cost - book) / 2);
            }
            if (chance(5)) cell(row, carriedChoice) = kComputedChoice;
        }
        if (chance(4)) {
            const int leftYear = pick(std::max(year, startYear), 2026);
            const int leftMonth = leftYear == year ? pick(month, 12) : pick(1, 12);
            cell(row, disposalMonth) = std::to_string(leftYear) + "-" + two(leftMonth);
            const int kind = pick(0, 2);
            cell(row, disposalKind) = kind == 0   ? kLeavingScrapped
                                      : kind == 1 ? kLeavingSold
                                                  : kLeavingPrivate;
            if (kind == 1) cell(row, salePrice) = std::to_string(pick(0, 900'000));
        }
        if (chance(6)) cell(row, municipalKind) = std::to_string(pick(0, 6));
        if (chance(6)) cell(row, boughtUsed) = "1";
        return row;
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int oneIn) { return pick(1, oneIn) == 1; }

    std::mt19937 random_;
    std::vector<std::string> names_{"応接セット", "ノートパソコン, 15型", "軽自動車|営業用",
                                    "　倉庫の棚", "Printer A3",           "店舗\\内装"};
};

CsvImportOptions options(int existing = 0) {
    CsvImportOptions o;
    o.importYear = 2026;
    o.today = kToday;
    o.existingCount = existing;
    return o;
}

std::string problemsText(const CsvImport& result) {
    std::string text;
    for (const CsvProblem& p : result.problems) text += formatCsvProblem(p) + "\n";
    return text;
}

// ---- Round trips ----

TEST(CsvRoundTrip, GeneratedRegistersComeBackFieldForField) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        RegisterGenerator generator(seed);
        AssetRegister reg;
        const int count = 40;
        for (int r = 1; r <= count; ++r) reg.row(r) = generator.next();
        // Every generated record is one the register file holds.
        ASSERT_NO_THROW((void)parseRegister(formatRegister(reg, count))) << "seed " << seed;
        for (CsvEncoding encoding : {CsvEncoding::Utf8, CsvEncoding::Utf8Bom, CsvEncoding::Cp932}) {
            const std::string bytes = encodeCsv(formatCsv(reg, count), encoding);
            const CsvImport back = readCsv(bytes, options());
            ASSERT_TRUE(back.ok()) << "seed " << seed << "\n" << problemsText(back);
            EXPECT_EQ(back.layout, CsvLayout::Ours);
            ASSERT_EQ(back.rows.size(), static_cast<std::size_t>(count));
            for (int r = 1; r <= count; ++r) {
                for (int c = 1; c <= kColumns; ++c) {
                    EXPECT_EQ(cell(back.rows[static_cast<std::size_t>(r - 1)], c), reg.at(r, c))
                        << "seed " << seed << " row " << r << " column " << c;
                }
            }
        }
    }
}

TEST(CsvRoundTrip, FileWrittenAndReadBack) {
    test::TempDir dir;
    RegisterGenerator generator(99);
    AssetRegister reg;
    for (int r = 1; r <= 5; ++r) reg.row(r) = generator.next();
    const std::string path = dir.file("台帳.csv");
    writeCsvFile(path, reg, 5, CsvEncoding::Cp932);
    const CsvImport back = readCsvFile(path, options());
    ASSERT_TRUE(back.ok()) << problemsText(back);
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(back.rows[static_cast<std::size_t>(r - 1)], reg.row(r));
    // A file that is not there is one problem, not a crash.
    const CsvImport missing = readCsvFile(dir.file("ない.csv"), options());
    ASSERT_EQ(missing.problems.size(), 1u);
    EXPECT_EQ(missing.problems[0].message, kReadFailedMessage);
}

TEST(CsvExport, ReadableColumns) {
    AssetRegister reg;
    reg.row(1) = test::asset("応接セット", "1", "21", "9", "4", "450000", "8", "0.125", "3");
    const std::string text = formatCsv(reg, 1);
    const std::size_t lineEnd = text.find("\r\n");
    const std::string line = text.substr(lineEnd + 2);
    EXPECT_TRUE(line.starts_with("応接セット,")) << line;
    EXPECT_NE(line.find(",2009-09,"), std::string::npos) << line;
    EXPECT_NE(line.find(",備　品,450000,"), std::string::npos) << line;
    EXPECT_NE(line.find(",新定額法,"), std::string::npos) << line;
    EXPECT_TRUE(line.ends_with(",\r\n")) << "nothing stored apart: " << line;
    // Shift_JIS cannot hold every character a UTF-8 text can.
    EXPECT_THROW((void)encodeCsv("🙂", CsvEncoding::Cp932), platform::WriteError);
}

// ---- What people bring ----

std::string ourHeader() {
    const std::string text = formatCsv(AssetRegister{}, 0);
    return text.substr(0, text.size() - 2);
}

// A line of our layout: the cells by header name, the rest empty.
std::string ourLine(std::initializer_list<std::pair<std::string, std::string>> cells) {
    std::vector<std::string> header;
    std::string h = ourHeader() + ",";
    for (std::size_t start = 0, comma; (comma = h.find(',', start)) != std::string::npos;
         start = comma + 1) {
        header.push_back(h.substr(start, comma - start));
    }
    std::vector<std::string> fields(header.size());
    for (const auto& [name, value] : cells) {
        for (std::size_t i = 0; i < header.size(); ++i) {
            if (header[i] == name) fields[i] = value;
        }
    }
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + fields[i];
    return line;
}

TEST(CsvImportForms, DatesAmountsAndLineEndsAsPeopleWriteThem) {
    struct Case {
        std::string date;
        std::string cost;
        std::string westernYear;
        std::string month;
        std::string expectedCost;
    };
    const Case cases[] = {
        {"2026-04-01", "1200000", "2026", "4", "1200000"},
        {"2026/4/1", "1,200,000", "2026", "4", "1200000"},
        {"20260401", "1,200,000円", "2026", "4", "1200000"},
        {"R8/4/1", "¥1,200,000", "2026", "4", "1200000"},
        {"R.08/04/01", "１２００００", "2026", "4", "120000"},
        {"H30/07/01", "300000", "2018", "7", "300000"},
        {"令和8年4月1日", "300000", "2026", "4", "300000"},
        {"令和元年5月7日", "300000", "2019", "5", "300000"},
        {"2026-04", "300000", "2026", "4", "300000"},
    };
    for (const Case& c : cases) {
        for (const std::string& end : {std::string("\r\n"), std::string("\n")}) {
            const std::string text = ourHeader() + end +
                                     ourLine({{"資産の名称", "机"},
                                              {"取得年月", c.date},
                                              {"種別", "備品"},
                                              {"取得価額", "\"" + c.cost + "\""},
                                              {"数量", "1"},
                                              {"耐用年数", "8"},
                                              {"償却方法", "新定額法"},
                                              {"償却率", "0.125"},
                                              {"事業専用割合", "100"},
                                              {"残存割合", "10"},
                                              {"償却限度額", "95"}}) +
                                     end;
            const CsvImport result = readCsv(text, options());
            ASSERT_TRUE(result.ok()) << c.date << "\n" << problemsText(result);
            const Row& row = result.rows.at(0);
            EXPECT_EQ(cell(row, westernYear), c.westernYear) << c.date;
            EXPECT_EQ(cell(row, acquisitionMonth), c.month) << c.date;
            EXPECT_EQ(cell(row, acquisitionCost), c.expectedCost) << c.cost;
            EXPECT_EQ(cell(row, typeCode), "4");
            EXPECT_EQ(cell(row, methodCode), "3");
            EXPECT_EQ(cell(row, assetCode), c.westernYear + "-0" + c.month + "-4");
        }
    }
}

TEST(CsvImportForms, QuotedFieldsAndTheLinesProblemsNameAcrossLineBreaks) {
    const std::string text = ourHeader() + "\r\n" +
                             ourLine({{"資産の名称", "\"棚, \"\"大\"\"\r\n二段\""},
                                      {"取得年月", "2020-01"},
                                      {"種別", "備品"},
                                      {"取得価額", "100000"},
                                      {"数量", "1"},
                                      {"耐用年数", "8"},
                                      {"償却方法", "新定額法"},
                                      {"償却率", "0.125"},
                                      {"事業専用割合", "100"}}) +
                             "\r\n" +
                             ourLine({{"資産の名称", "椅子"},
                                      {"取得年月", "2020-01"},
                                      {"種別", "備品"},
                                      {"取得価額", "12万"},
                                      {"数量", "1"},
                                      {"耐用年数", "8"},
                                      {"償却方法", "新定額法"},
                                      {"償却率", "0.125"},
                                      {"事業専用割合", "100"}}) +
                             "\r\n";
    const CsvImport result = readCsv(text, options());
    ASSERT_EQ(result.problems.size(), 2u) << problemsText(result);
    // The quoted name holds its comma, quotes and line break (and the card
    // refuses the quotes); the next record starts on line 4.
    EXPECT_EQ(formatCsvProblem(result.problems[0]),
              "2行目 資産の名称「棚, \"大\"\n二段」: " + std::string(card::kMsgNameQuote));
    EXPECT_EQ(formatCsvProblem(result.problems[1]),
              "4行目 取得価額「12万」: " + std::string(card::kMsgBadPrice));
    EXPECT_TRUE(result.rows.empty());
}

TEST(CsvImportForms, EncodingsAndWholeFileProblems) {
    const std::string header = ourHeader() + "\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        std::string message;
    };
    const Case cases[] = {
        {"neither UTF-8 nor Shift_JIS", "\xEF\xBB\xBF\xFF\xFE", kCsvBadEncodingMessage},
        {"bytes no code page has", "\x82\xA0\xFF\xFF", kCsvBadEncodingMessage},
        {"an unknown header", "名前,金額\r\n机,1000\r\n", kCsvUnknownLayoutMessage},
        {"nothing at all", "", kCsvUnknownLayoutMessage},
        {"a header alone", header, kCsvEmptyMessage},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(detectCsvLayout(c.bytes).has_value(), c.message == kCsvEmptyMessage) << c.what;
        const CsvImport result = readCsv(c.bytes, options());
        ASSERT_EQ(result.problems.size(), 1u) << c.what;
        EXPECT_EQ(result.problems[0].message, c.message) << c.what;
    }
    // A method without its rate is no method, as on the card.
    const CsvImport noRate = readCsv(header + ourLine({{"資産の名称", "机"},
                                                       {"取得年月", "2020-01"},
                                                       {"種別", "備品"},
                                                       {"取得価額", "100000"},
                                                       {"数量", "1"},
                                                       {"耐用年数", "8"},
                                                       {"償却方法", "新定額法"},
                                                       {"事業専用割合", "100"}}),
                                     options());
    ASSERT_EQ(noRate.problems.size(), 1u);
    EXPECT_EQ(formatCsvProblem(noRate.problems[0]),
              "2行目 償却率「」: " + std::string(card::kMsgNoMethod));
    const CsvImport unclosed = readCsv(header + "\"机,2020-01\r\n", options());
    ASSERT_FALSE(unclosed.ok());
    EXPECT_EQ(formatCsvProblem(unclosed.problems.back()), "2行目: 引用符が閉じられていません。");
    EXPECT_EQ(detectCsvLayout(platform::utf8ToCp932(header)), CsvLayout::Ours);
}

TEST(CsvImportForms, TextsThatAreNoDateOrAmountStayAsWritten) {
    // Dates no calendar has, and forms too loose to read, are no date.
    for (const char* text :
         {"2026-13-01", "2026/2/30", "2025/2/29", "H31/5/1", "R1/4/30", "S65/1/1", "令和8年13月",
          "26/4/1", "2026", "R8", "2026-4-1-1", "令和8年4月1日日", "0000-01-01", ""}) {
        EXPECT_FALSE(parseCsvDate(text)) << text;
    }
    EXPECT_EQ(parseCsvDate("2024/2/29"), (CsvDate{2024, 2, 29}));
    EXPECT_EQ(parseCsvDate("S64.1.7"), (CsvDate{1989, 1, 7}));
    EXPECT_EQ(parseCsvDate("２０２６／４／１"), (CsvDate{2026, 4, 1}));
    // Amounts: separators only where thousands are; anything else is left
    // for the card's check to refuse.
    const std::pair<const char*, const char*> amounts[] = {
        {"1,200,000", "1200000"},
        {" 1200000 ", "1200000"},
        {"1,200,000円", "1200000"},
        {"１，０００", "1000"},
        {"12,00", "12,00"},
        {"1,2000", "1,2000"},
        {",100", ",100"},
        {"12万", "12万"},
        {"-100", "-100"},
        {"1.5", "1.5"},
        {"円", "円"},
        {"", ""},
    };
    for (const auto& [text, cell] : amounts) EXPECT_EQ(amountCell(text), cell) << text;
}

// ---- The peers' layouts ----

const std::string kFreeeHeader =
    "資産の名前,取得価額,数量,数量単位,勘定科目,取得日,耐用年数,償却方法,事業供用開始日,期首残高,"
    "改定取得価額,特別償却費,管理番号等,摘要,部門,申告先都道府県,申告先市区町村,減少事由,"
    "減少年月日,製造業利用比率,減価償却に使う勘定科目\r\n";

TEST(CsvImportFreee, MethodsCarriedOpeningsLeavingsAndBusinessStart) {
    const std::string text =
        kFreeeHeader +
        "ノートパソコン,240000,1,台,工具器具備品,2024/05/10,4,定額法,,180000,,0,"
        ",,,,,,,,減価償却費\r\n"
        "営業車,2000000,1,台,車両運搬具,2021-10-01,6,定率法,2022-01-15,"
        "420000,700000,,,,,,,除却,2026/03/31,,\r\n"
        "机,150000,1,台,工具器具備品,2026/02/01,4,一括償却,,150000,,,,,,,,,,"
        ",\r\n"
        "椅子,30000,1,脚,工具器具備品,2026/02/01,4,少額償却,,,,,,,,,,,,,\r\n"
        "今年の棚,100000,1,台,工具器具備品,2026/01/20,8,定額法,,100000,,,,,,,,"
        ",,,\r\n"
        "古い店舗,9000000,1,棟,建物,H10/03/01,24,旧定額法,,2000000,,,,,,,,除却,"
        "2025/06/30,,\r\n";
    const CsvImport result = readCsv(text, options());
    ASSERT_TRUE(result.ok()) << problemsText(result);
    EXPECT_EQ(result.layout, CsvLayout::Freee);
    ASSERT_EQ(result.rows.size(), 6u);
    const Row& pc = result.rows[0];
    const auto straight = card::methodRates(card::MethodChoice::straightLine, 4,
                                            card::acquisitionDateKey(2024, 5), "4", 240000);
    EXPECT_EQ(cell(pc, methodCode), "3");
    EXPECT_EQ(cell(pc, depreciationRate), straight.rates->rate);
    EXPECT_EQ(cell(pc, carriedYear), "2026");
    EXPECT_EQ(cell(pc, carriedBookValue), "180000");
    EXPECT_EQ(cell(pc, eraCode), "2");
    EXPECT_EQ(cell(pc, eraYear), "6");
    EXPECT_EQ(cell(pc, assetCode), "2024-05-4");

    const Row& car = result.rows[1];
    const auto declining = card::methodRates(card::MethodChoice::decliningBalance, 7,
                                             card::acquisitionDateKey(2021, 10), "6", 2000000);
    EXPECT_EQ(cell(car, typeCode), "7");
    EXPECT_EQ(cell(car, methodCode), "4");
    EXPECT_EQ(cell(car, depreciationRate), declining.rates->rate);
    EXPECT_EQ(cell(car, newRuleRates), declining.rates->newRuleRates);
    EXPECT_EQ(cell(car, businessStart), "2022-01");
    EXPECT_EQ(cell(car, carriedRevisedBase), "700000");
    EXPECT_EQ(cell(car, disposalKind), "除却");
    EXPECT_EQ(cell(car, disposalMonth), "2026-03");

    // The lump-sum methods follow the cost; an asset of the import year has
    // no opening; one that left before the year carries none.
    EXPECT_EQ(cell(result.rows[2], methodCode), "2");
    EXPECT_EQ(cell(result.rows[2], carriedYear), "");
    EXPECT_EQ(cell(result.rows[3], methodCode), "6");
    EXPECT_EQ(cell(result.rows[4], carriedYear), "");
    EXPECT_EQ(cell(result.rows[5], methodCode), "1");
    EXPECT_EQ(cell(result.rows[5], carriedYear), "");
    EXPECT_EQ(cell(result.rows[5], disposalKind), "除却");

    // Another import year moves the opening.
    CsvImportOptions earlier = options();
    earlier.importYear = 2025;
    const CsvImport other = readCsv(text, earlier);
    ASSERT_TRUE(other.ok()) << problemsText(other);
    EXPECT_EQ(cell(other.rows[0], carriedYear), "2025");
}

TEST(CsvImportFreee, ValuesTheLedgerCannotHoldAreReportedTogether) {
    const std::string text =
        kFreeeHeader +
        "土地,5000000,1,,土地,2020/01/01,,償却なし,,,,,,,,,,,,,\r\n"
        "ソフト,500000,1,,ソフトウェア,2020/01/01,5,任意償却,,,,,,,,,,,,,\r\n"
        "看板,300000,1,,工具器具備品,2020/01/01,10,定額法,,,,50000,,,,,,その他減少,2025/01/01,,\r\n"
        "机,12万,1,,工具器具備品,2020/01/01,8,定額法,,,,,,,,,,,,,\r\n"
        "事務所,8000000,1,,建物,2020/01/01,22,定率法,,,,,,,,,,,,,\r\n"
        "棚,100000,1,,工具器具備品,2020/13/01,8,定額法,,,,,,,,,,,,,\r\n"
        "PC,100000,1,,工具器具備品,2019/01/01,4,旧定額法,,,,,,,,,,,,,\r\n"
        "車,900000,1,,車両運搬具,2019/01/01,6,定額法,,,,,,,,,,売却,2026/01/01,,\r\n";
    const CsvImport result = readCsv(text, options());
    EXPECT_TRUE(result.rows.empty());
    const std::vector<std::string> expected = {
        "2行目 勘定科目「土地」: "
        "この種別（勘定科目）はこの台帳の種別のどれに当たるか決められません。",
        "2行目 償却方法「償却なし」: この償却方法はこの台帳では扱えません。",
        "3行目 償却方法「任意償却」: この償却方法はこの台帳では扱えません。",
        "4行目 減少事由「その他減少」: "
        "その他減少はこの台帳では扱えません（除却・売却・自家転用だけです）。",
        "4行目 特別償却費「50000」: 特別償却費はこの台帳では扱えません。",
        "5行目 取得価額「12万」: " + std::string(card::kMsgBadPrice),
        "6行目 償却方法「定率法」: " + std::string(card::kMsgDecliningNotAllowed),
        "7行目 取得日「2020/13/01」: 日付として読めません。",
        "8行目 償却方法「旧定額法」: "
        "旧定額法・旧定率法は平成19年3月までに取得した資産の償却方法です。",
        // The layout has no sale price; the card asks for one.
        "9行目 売却価額「」: " + std::string(card::kMsgNoSalePrice),
    };
    std::vector<std::string> actual;
    for (const CsvProblem& p : result.problems) actual.push_back(formatCsvProblem(p));
    EXPECT_EQ(actual, expected);
}

TEST(CsvImportEShiwake, ClosingBookValueIsTheNextOpening) {
    const std::string text =
        "資産名,カテゴリ,取得日,取得価額,耐用年数,償却方法,償却率,事業専用割合,本年分の償却費,"
        "本年分の必要経費算入額,期末帳簿価額,メモ\r\n"
        "パソコン,工具器具備品,2023-03-15,200000,4,定額法,0.250,80%,50000,40000,87500,\r\n"
        "複合機,工具器具備品,2026-01-10,300000,5,定率法,0.400,100,0,0,0,\r\n";
    const CsvImport result = readCsv(platform::utf8ToCp932(text), options());
    ASSERT_TRUE(result.ok()) << problemsText(result);
    EXPECT_EQ(result.layout, CsvLayout::EShiwake);
    EXPECT_TRUE(csvLayoutNeedsYear(CsvLayout::EShiwake));
    EXPECT_EQ(cell(result.rows[0], businessRatio), "80");
    EXPECT_EQ(cell(result.rows[0], carriedYear), "2026");
    EXPECT_EQ(cell(result.rows[0], carriedBookValue), "87500");
    EXPECT_EQ(cell(result.rows[1], methodCode), "4");
    EXPECT_EQ(cell(result.rows[1], carriedYear), "");
}

// ---- The limit ----

TEST(CsvImportLimit, AThousandAssetsAtMost) {
    AssetRegister reg;
    reg.row(1) = test::asset("机", "2", "2", "4", "4", "100000", "8", "0.125", "3");
    reg.row(2) = reg.row(1);
    const std::string text = formatCsv(reg, 2);
    EXPECT_TRUE(readCsv(text, options(998)).ok());
    const CsvImport over = readCsv(text, options(999));
    ASSERT_EQ(over.problems.size(), 1u);
    EXPECT_EQ(formatCsvProblem(over.problems[0]), kCsvTooManyMessage);
    EXPECT_TRUE(over.rows.empty());

    AssetRegister open;
    std::int16_t count = 999;
    const CsvImport two = readCsv(text, options());
    EXPECT_FALSE(appendImportedRows(open, count, two.rows));
    EXPECT_EQ(count, 999);
    count = 3;
    ASSERT_TRUE(appendImportedRows(open, count, two.rows));
    EXPECT_EQ(count, 5);
    EXPECT_EQ(open.row(5), reg.row(2));
}

// ---- The card's checks, as free functions ----

TEST(CardBaseChecks, AcquisitionDateAndLeaving) {
    struct Case {
        int era;
        const char* year;
        const char* month;
        std::optional<std::string> message;
        card::DatePart part;
    };
    const Case cases[] = {
        {0, "64", "1", std::nullopt, card::DatePart::year},
        {0, "64", "2", card::kMsgBadYear, card::DatePart::year},
        {1, "31", "4", std::nullopt, card::DatePart::year},
        {1, "31", "5", card::kMsgBadYear, card::DatePart::year},
        {2, "1", "4", card::kMsgBadYear, card::DatePart::year},
        {2, "8", "12", std::nullopt, card::DatePart::year},
        {2, "9", "1", card::kMsgAcquisitionInFuture, card::DatePart::year},
        {2, "8", "13", card::kMsgBadYear, card::DatePart::year},
        {3, "1", "1", card::kMsgBadYear, card::DatePart::year},
        {2, "x", "1", card::kMsgBadYear, card::DatePart::year},
    };
    for (const Case& c : cases) {
        const auto refusal = card::acquisitionRefusal(c.era, c.year, c.month, kToday);
        ASSERT_EQ(refusal.has_value(), c.message.has_value()) << c.era << c.year << c.month;
        if (refusal) {
            EXPECT_EQ(refusal->message, *c.message);
        }
    }
    EXPECT_EQ(card::acquisitionRefusal(2, "8", "12", {2026, 11})->part, card::DatePart::month);

    const card::LeavingTexts sale{true, 2, "8", 3, ""};
    EXPECT_EQ(card::leavingRefusal(sale, "2020", "1", kToday)->part, card::LeavingPart::price);
    const card::LeavingTexts early{false, 2, "2", 3, ""};
    EXPECT_EQ(card::leavingRefusal(early, "2021", "1", kToday)->message,
              card::kMsgLeavingBeforeAcquisition);
    EXPECT_FALSE(card::leavingRefusal({false, 2, "8", 3, ""}, "2021", "1", kToday));
}

TEST(CardBaseChecks, NumbersAndMethodRules) {
    EXPECT_EQ(card::nameRefusal("a\"b"), card::kMsgNameQuote);
    EXPECT_EQ(card::nameRefusal("🙂"), card::kMsgNameCharset);
    EXPECT_FALSE(card::priceRefusal("", true));
    EXPECT_EQ(card::priceRefusal("", false), card::kMsgBadPrice);
    EXPECT_EQ(card::priceRefusal("2147483648", false), card::kMsgBadPrice);
    EXPECT_EQ(card::quantityRefusal("0"), card::kMsgBadQuantity);
    EXPECT_EQ(card::ratioRefusal("101"), card::kMsgBadRatio);
    EXPECT_FALSE(card::residualRefusal(""));
    EXPECT_EQ(card::priceBelowQuantityRefusal("2", "3"), card::kMsgPriceBelowQuantity);
    EXPECT_EQ(card::lumpSumRefusal(200000), std::string(card::kMsgLumpSumLimit));
    EXPECT_EQ(card::lumpSumRefusal(199999), nullptr);
    EXPECT_EQ(card::smallAssetRefusal(card::acquisitionDateKey(2026, 4), 399999), nullptr);
    EXPECT_NE(card::smallAssetRefusal(card::acquisitionDateKey(2026, 3), 399999), nullptr);
    // The method's code follows the date and the type.
    const auto at = [](card::MethodChoice m, int type, int year, int month, const char* life) {
        return card::methodRates(m, type, card::acquisitionDateKey(year, month), life, 150000);
    };
    EXPECT_EQ(at(card::MethodChoice::straightLine, 4, 2007, 3, "8").rates->code, "1");
    EXPECT_EQ(at(card::MethodChoice::straightLine, 4, 2007, 4, "8").rates->code, "3");
    EXPECT_EQ(at(card::MethodChoice::straightLine, 9, 2020, 1, "5").rates->code, "5");
    EXPECT_EQ(at(card::MethodChoice::decliningBalance, 4, 2007, 3, "8").rates->code, "0");
    EXPECT_EQ(at(card::MethodChoice::decliningBalance, 4, 2012, 4, "8").rates->rate, "0.250");
    EXPECT_EQ(at(card::MethodChoice::decliningBalance, 1, 2016, 4, "15").refusal,
              card::kMsgDecliningNotAllowed);
    EXPECT_EQ(at(card::MethodChoice::straightLine, 4, 2020, 1, "101").refusal, card::kMsgBadLife);
    EXPECT_EQ(at(card::MethodChoice::threeYear, 4, 2020, 1, "8").rates->life, "3");
}

}  // namespace
}  // namespace fenmark::reg
