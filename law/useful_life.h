#pragma once
// The statutory useful lives (別表第一 to 別表第六 of 耐用年数省令) as the
// program ships them in data/useful_life.tsv, and the search the card's
// life dialog and `fenmark-cli life` run over them.
//
// The search takes the words people use, not only the law's: a query is
// split at blanks and an entry is found when every word is found in its
// heading path (種類＞構造又は用途＞細目), either as typed or through the
// program's table of everyday words (パソコン finds パーソナルコンピュータ).
// Kana are compared without regard to katakana and hiragana, small and large
// kana (the law writes ちゆう房) or the long vowel mark (サーバ, サーバー).

#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/dialogs.h"

namespace fenmark::law {

inline constexpr const char* kLifeTableFileName = "useful_life.tsv";
inline constexpr const char* kToBeConfirmed = "要確認";
inline constexpr const char* kMsgLifeTableMissing =
    "耐用年数表のファイル（useful_life.tsv）が見つかりません。プログラムを入れ直してください。";
inline constexpr const char* kMsgLifeTableUnreadable =
    "耐用年数表のファイル（useful_life."
    "tsv）を読み込めませんでした。プログラムを入れ直してください。";

// The table could not be found or read; what() is the Japanese message for
// the user, with the place of the fault after it.
class LifeTableError : public std::runtime_error {
  public:
    explicit LifeTableError(const std::string& what) : std::runtime_error(what) {}
};

struct LifeEntry {
    std::string id;  // the table and running number, "1-345"
    int table = 0;   // 別表 1 to 6
    std::string number;
    std::string kind;       // 種類
    std::string structure;  // 構造又は用途
    std::string detail;     // 細目, nested headings joined with ＞
    int years = 0;
    // Only one copy of the law's text confirms the heading the row sits
    // under: the user is asked to check it.
    bool toBeConfirmed = false;

    // 種類＞構造又は用途＞細目 without the empty parts.
    [[nodiscard]] std::string path() const;
    // Intangible assets (別表第三) and living things (別表第四) have no
    // simplified life as used assets.
    [[nodiscard]] bool tangible() const { return table != 3 && table != 4; }
};

// An everyday word and the parts of the law's headings it stands for, the
// likeliest first.
struct EverydayWord {
    std::string_view word;
    std::span<const std::string_view> terms;
};

[[nodiscard]] std::span<const EverydayWord> everydayWords();

class LifeTable {
  public:
    // Parses the file's text (UTF-8, a heading line, eight tab-separated
    // columns a row). All or nothing: throws LifeTableError naming the line
    // at the first fault.
    [[nodiscard]] static LifeTable parse(std::string_view text);

    [[nodiscard]] const std::vector<LifeEntry>& entries() const { return entries_; }

    // The entries every word of the query finds, best first: an entry an
    // everyday word names before the ones it finds only by its letters, and
    // otherwise in the law's order. An empty query gives every entry.
    [[nodiscard]] std::vector<const LifeEntry*> search(std::string_view query) const;

  private:
    struct FoldedWord {
        std::string word;
        std::vector<std::string> terms;
    };
    // The terms a word of the query stands for, in order of preference.
    [[nodiscard]] std::vector<std::string> termsFor(const std::string& foldedWord) const;

    std::vector<LifeEntry> entries_;
    std::vector<std::string> foldedPaths_;
    std::vector<FoldedWord> everyday_;
};

// Reads and parses the file; throws LifeTableError.
[[nodiscard]] LifeTable loadLifeTable(const std::string& path);

// The table as a window uses it: read when it is first needed, then kept.
class LifeTableSource {
  public:
    explicit LifeTableSource(std::string path) : path_(std::move(path)) {}
    // The table, or nullptr after telling the user why it cannot be read;
    // the next call tries again.
    [[nodiscard]] const LifeTable* get(platform::Dialogs& dialogs);

  private:
    std::string path_;
    std::optional<LifeTable> table_;
};

// The table file for a program in `programFolder`: "data/useful_life.tsv"
// beside it (the build), else "../share/fenmark/data/useful_life.tsv" (the
// installed program). Empty when neither exists.
[[nodiscard]] std::string lifeTableFor(const std::string& programFolder);

// The text as the search compares it: full-width letters and digits as
// ASCII, lower case, katakana as hiragana, small kana as large ones, without
// the long vowel mark.
[[nodiscard]] std::string foldForSearch(std::string_view text);

// The card's 種別 (its list position) for an entry's 種類. 機械及び装置
// becomes 機械: the card treats 機械 and 装置 alike, and 別表第二 lists
// both under the business they serve, where a sole proprietor's equipment
// is mostly machines.
[[nodiscard]] int cardTypeFor(const LifeEntry& entry);

// The list line of an entry: years, path, the purpose of 別表第五 and 第六
// (whose kinds repeat the first table's), and the mark 「要確認」.
[[nodiscard]] std::string entryLine(const LifeEntry& entry);

}  // namespace fenmark::law
