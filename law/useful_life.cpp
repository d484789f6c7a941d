#include "law/useful_life.h"

#include <algorithm>
#include <array>

#include "platform/text_file.h"

namespace fenmark::law {

namespace {

using namespace std::string_view_literals;

// The law rarely says what people say. Each term is a piece of a heading
// path, chosen so that it finds the entry meant and few others; the first
// term names the entry most people mean by the word.
constexpr std::array kPersonalComputer = {"電子計算機＞パーソナルコンピュータ"sv,
                                          "電子計算機＞その他のもの"sv};
constexpr std::array kNotebook = {"電子計算機＞パーソナルコンピュータ"sv};
constexpr std::array kServer = {"電子計算機＞その他のもの"sv};
constexpr std::array kKeiCar = {"小型車（総排気量が〇・六六リットル以下のものをいう。）"sv};
// A car of the business, then one of a transport or rental business.
constexpr std::array kCar = {"自動車（二輪又は三輪自動車を除く。）＞その他のもの＞その他のもの"sv,
                             "自動車（二輪又は三輪自動車を含み、乗合自動車を除く。）"sv};
// An ordinary lorry first, then the dump trucks; "＞貨物自動車＞" leaves out
// the small cars of transport businesses, whose definition merely mentions
// lorries.
constexpr std::array kTruck = {"＞貨物自動車＞その他のもの"sv, "＞貨物自動車＞"sv, "貨物自動車"sv};
constexpr std::array kMotorbike = {"＞二輪又は三輪自動車"sv,
                                   "自動車（二輪又は三輪自動車を含み、乗合自動車を除く。）"sv};
constexpr std::array kAirConditioner = {"冷房用又は暖房用機器"sv, "冷暖房設備"sv};
constexpr std::array kRefrigerator = {"電気冷蔵庫"sv, "冷凍機付又は冷蔵機付"sv, "冷蔵ストッカー"sv};
constexpr std::array kReceptionSet = {"応接セット"sv};
constexpr std::array kDesk = {"事務机"sv, "児童用机"sv};
constexpr std::array kSignboard = {"看板、ネオンサイン"sv, "看板及び広告器具"sv};
// A tenant's fitting-out: simple shop fittings, partitions, the building's
// facilities.
constexpr std::array kInterior = {"店用簡易装備"sv, "可動間仕切り"sv, "建物附属設備＞"sv,
                                  "室内装飾品"sv};
// A restaurant's kitchen equipment is 飲食店業用設備; its tableware and
// utensils are ちゆう房用品.
constexpr std::array kKitchen = {"飲食店業用設備"sv, "ちゆう房用品"sv};
constexpr std::array kRegister = {"金銭登録機"sv};
constexpr std::array kCopier = {"複写機"sv};
constexpr std::array kCamera = {"カメラ、映画撮影機"sv};
constexpr std::array kSoftware = {"ソフトウエア＞その他のもの"sv, "ソフトウエア"sv};
constexpr std::array kWooden = {"木造又は合成樹脂造"sv};
constexpr std::array kSteelFrame = {"金属造"sv};
constexpr std::array kFax = {"ファクシミリ"sv};

constexpr std::array<EverydayWord, 25> kEverydayWords{{
    {"パソコン", kPersonalComputer},
    {"ノートパソコン", kNotebook},
    {"サーバー", kServer},
    {"軽自動車", kKeiCar},
    {"軽トラック", kKeiCar},
    {"普通自動車", kCar},
    {"乗用車", kCar},
    {"トラック", kTruck},
    {"バイク", kMotorbike},
    {"オートバイ", kMotorbike},
    {"エアコン", kAirConditioner},
    {"冷蔵庫", kRefrigerator},
    {"応接セット", kReceptionSet},
    {"机", kDesk},
    {"看板", kSignboard},
    {"内装", kInterior},
    {"厨房", kKitchen},
    {"レジ", kRegister},
    {"複合機", kCopier},
    {"コピー機", kCopier},
    {"カメラ", kCamera},
    {"ソフトウェア", kSoftware},
    {"木造", kWooden},
    {"鉄骨", kSteelFrame},
    {"ファックス", kFax},
}};

// The two tables whose headings repeat the first's kinds say what they are
// for.
constexpr const char* kTableFive = "（別表第五 公害防止用）";
constexpr const char* kTableSix = "（別表第六 開発研究用）";

// One code point of UTF-8 at `i`, advancing `i`; a byte that starts no
// well-formed sequence stands for itself, so that any text can be folded.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int length = lead < 0x80           ? 1
                 : (lead >> 5) == 0x6  ? 2
                 : (lead >> 4) == 0xE  ? 3
                 : (lead >> 3) == 0x1E ? 4
                                       : 0;
    if (length <= 1 || i + static_cast<std::size_t>(length) > text.size()) {
        ++i;
        return lead;
    }
    char32_t cp = lead & (0xFF >> (length + 1));
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80) {
            ++i;
            return lead;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool validUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const char32_t cp = nextCodePoint(text, i);
        // A lone byte of 0x80 or above came back as itself: not well formed.
        if (i == start + 1 && cp >= 0x80) return false;
    }
    return true;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// The words of a query: split at ASCII and full-width blanks.
std::vector<std::string> queryWords(std::string_view query) {
    std::vector<std::string> words;
    std::string word;
    for (std::size_t i = 0; i < query.size();) {
        const std::size_t start = i;
        const char32_t cp = nextCodePoint(query, i);
        if (cp == U' ' || cp == U'\t' || cp == U'\n' || cp == U'\r' || cp == 0x3000) {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word.append(query.substr(start, i - start));
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

int smallNumber(std::string_view text, int low, int high) {
    if (text.empty() || text.size() > 3) return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value >= low && value <= high ? value : -1;
}

}  // namespace

std::span<const EverydayWord> everydayWords() { return kEverydayWords; }

std::string LifeEntry::path() const {
    std::string out;
    for (const std::string* part : {&kind, &structure, &detail}) {
        if (part->empty()) continue;
        if (!out.empty()) out += "＞";
        out += *part;
    }
    return out;
}

std::string foldForSearch(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = nextCodePoint(text, i);
        if (cp == 0x30FC || cp == 0xFF70) continue;  // ー
        if (cp == 0x3000) {
            cp = U' ';
        } else if (cp >= 0xFF01 && cp <= 0xFF5E) {
            cp -= 0xFEE0;
        }
        if (cp >= U'A' && cp <= U'Z') cp += U'a' - U'A';
        if (cp >= 0x30A1 && cp <= 0x30F6) cp -= 0x60;
        switch (cp) {
            case 0x3041:  // ぁぃぅぇぉ
            case 0x3043:
            case 0x3045:
            case 0x3047:
            case 0x3049:
            case 0x3063:  // っ
            case 0x3083:  // ゃゅょ
            case 0x3085:
            case 0x3087:
            case 0x308E:  // ゎ
                ++cp;
                break;
            case 0x3095:  // ゕ
                cp = 0x304B;
                break;
            case 0x3096:  // ゖ
                cp = 0x3051;
                break;
            default:
                break;
        }
        appendUtf8(out, cp);
    }
    return out;
}

LifeTable LifeTable::parse(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (!validUtf8(text)) throw LifeTableError(std::string(kMsgLifeTableUnreadable) + " (UTF-8)");
    LifeTable table;
    const std::vector<std::string_view> lines = split(text, '\n');
    int lineNumber = 0;
    for (std::string_view line : lines) {
        ++lineNumber;
        if (line.ends_with('\r')) line.remove_suffix(1);
        const auto fault = [&] {
            return LifeTableError(std::string(kMsgLifeTableUnreadable) + " (" +
                                  std::to_string(lineNumber) + "行目)");
        };
        if (lineNumber == 1) {
            if (line != "id\t別表\t番号\t種類\t構造又は用途\t細目\t耐用年数\tchecked")
                throw fault();
            continue;
        }
        // The file ends with a line break; only the text after it may be empty.
        if (line.empty() && lineNumber == static_cast<int>(lines.size())) break;
        const std::vector<std::string_view> cells = split(line, '\t');
        if (cells.size() != 8 || cells[0].empty() || cells[3].empty()) throw fault();
        LifeEntry entry;
        entry.id = cells[0];
        entry.table = smallNumber(cells[1], 1, 6);
        entry.number = cells[2];
        entry.kind = cells[3];
        entry.structure = cells[4];
        entry.detail = cells[5];
        entry.years = smallNumber(cells[6], 1, 100);
        const int checked = smallNumber(cells[7], 1, 2);
        if (entry.table < 0 || entry.years < 0 || checked < 0) throw fault();
        entry.toBeConfirmed = checked == 1;
        table.entries_.push_back(std::move(entry));
    }
    if (table.entries_.empty())
        throw LifeTableError(std::string(kMsgLifeTableUnreadable) + " (0件)");
    table.foldedPaths_.reserve(table.entries_.size());
    for (const LifeEntry& entry : table.entries_) {
        table.foldedPaths_.push_back(foldForSearch(entry.path()));
    }
    for (const EverydayWord& everyday : kEverydayWords) {
        FoldedWord folded{foldForSearch(everyday.word), {}};
        for (std::string_view term : everyday.terms) folded.terms.push_back(foldForSearch(term));
        table.everyday_.push_back(std::move(folded));
    }
    return table;
}

std::vector<std::string> LifeTable::termsFor(const std::string& word) const {
    // The word itself names an everyday word or begins one (the dialog
    // narrows as the user types); then the letters as typed; last the
    // everyday words it holds (中古のパソコン).
    std::vector<std::string> terms;
    const auto add = [&](const FoldedWord& everyday) {
        for (const std::string& term : everyday.terms) {
            if (std::find(terms.begin(), terms.end(), term) == terms.end()) terms.push_back(term);
        }
    };
    for (const FoldedWord& everyday : everyday_) {
        if (everyday.word == word) add(everyday);
    }
    // A single character begins, and sits inside, too many words to stand
    // for any of them (UTF-8: three bytes a kana or kanji).
    if (word.size() > 3) {
        for (const FoldedWord& everyday : everyday_) {
            if (everyday.word.starts_with(word)) add(everyday);
        }
    }
    if (std::find(terms.begin(), terms.end(), word) == terms.end()) terms.push_back(word);
    for (const FoldedWord& everyday : everyday_) {
        if (everyday.word.size() > 3 && word.size() > everyday.word.size() &&
            word.find(everyday.word) != std::string::npos) {
            add(everyday);
        }
    }
    return terms;
}

std::vector<const LifeEntry*> LifeTable::search(std::string_view query) const {
    std::vector<std::vector<std::string>> wordTerms;
    for (const std::string& word : queryWords(query)) {
        const std::string folded = foldForSearch(word);
        if (!folded.empty()) wordTerms.push_back(termsFor(folded));
    }
    struct Found {
        std::size_t rank;
        std::size_t index;
    };
    std::vector<Found> found;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::string& path = foldedPaths_[i];
        std::size_t rank = 0;
        bool all = true;
        for (const std::vector<std::string>& terms : wordTerms) {
            std::size_t k = 0;
            while (k < terms.size() && path.find(terms[k]) == std::string::npos) ++k;
            if (k == terms.size()) {
                all = false;
                break;
            }
            rank += k;
        }
        if (all) found.push_back({rank, i});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.rank < b.rank; });
    std::vector<const LifeEntry*> result;
    result.reserve(found.size());
    for (const Found& f : found) result.push_back(&entries_[f.index]);
    return result;
}

LifeTable loadLifeTable(const std::string& path) {
    if (path.empty() || !platform::fileExists(path)) throw LifeTableError(kMsgLifeTableMissing);
    std::string bytes;
    try {
        bytes = platform::readFileBytes(path);
    } catch (const platform::ReadError& e) {
        throw LifeTableError(std::string(kMsgLifeTableUnreadable) + " (" + e.what() + ")");
    }
    return LifeTable::parse(bytes);
}

const LifeTable* LifeTableSource::get(platform::Dialogs& dialogs) {
    if (table_) return &*table_;
    try {
        table_ = loadLifeTable(path_);
        return &*table_;
    } catch (const LifeTableError& e) {
        dialogs.message(
            {e.what(), platform::kProgramTitle, platform::Buttons::Ok, platform::Icon::Warning});
    }
    return nullptr;
}

std::string lifeTableFor(const std::string& programFolder) {
    for (const char* relative : {"/data/", "/../share/fenmark/data/"}) {
        const std::string candidate = programFolder + relative + kLifeTableFileName;
        if (platform::fileExists(candidate)) return candidate;
    }
    return {};
}

int cardTypeFor(const LifeEntry& entry) {
    if (entry.table == 4) return 10;  // 生物
    if (entry.table == 3) return 8;   // intangible assets: その他
    struct Kind {
        std::string_view kind;
        int type;
    };
    static constexpr Kind kinds[] = {
        {"建物", 0},           {"建物附属設備", 1}, {"機械及び装置", 2},
        {"車両及び運搬具", 7}, {"工具", 6},         {"器具及び備品", 4},
    };
    for (const Kind& k : kinds) {
        if (entry.kind == k.kind) return k.type;
    }
    return 8;
}

std::string entryLine(const LifeEntry& entry) {
    // A blank before one digit keeps the years of the list in a column.
    std::string line = entry.years < 10 ? " " : "";
    line += std::to_string(entry.years) + "年　" + entry.path();
    if (entry.table == 5) line += kTableFive;
    if (entry.table == 6) line += kTableSix;
    if (entry.toBeConfirmed) line += std::string("　") + kToBeConfirmed;
    return line;
}

}  // namespace fenmark::law
