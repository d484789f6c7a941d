#include "cli/life_command.h"

#include <nlohmann/json.hpp>
#include <sstream>

#include "card/entry_card_text.h"
#include "law/used_asset_life.h"
#include "law/useful_life.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"

namespace fenmark::cli {

namespace {

using Json = nlohmann::ordered_json;

std::optional<int> wholeIn(const std::string& text, int low, int high) {
    const auto value = card::detail::wholeNumber(text);
    if (!value || *value < low || *value > high) return std::nullopt;
    return static_cast<int>(*value);
}

std::string renderUsed(const law::UsedAssetLife& used, Format format) {
    if (format == Format::Json) {
        Json json = Json::object();
        json["life"] = used.life;
        json["statutoryLife"] = used.statutoryLife;
        json["elapsedMonths"] = used.elapsedMonths;
        json["allElapsed"] = used.allElapsed;
        json["explanation"] = used.explanation;
        return json.dump() + "\n";
    }
    return formatTable(
        {"耐用年数", "法定耐用年数", "経過月数", "全部経過", "計算"},
        {{std::to_string(used.life), std::to_string(used.statutoryLife),
          std::to_string(used.elapsedMonths), used.allElapsed ? "全部経過" : "", used.explanation}},
        format);
}

std::string renderEntries(const std::string& query,
                          const std::vector<const law::LifeEntry*>& entries, Format format) {
    if (format == Format::Json) {
        Json list = Json::array();
        for (const law::LifeEntry* e : entries) {
            Json entry = Json::object();
            entry["id"] = e->id;
            entry["table"] = e->table;
            entry["kind"] = e->kind;
            entry["structureOrUse"] = e->structure;
            entry["detail"] = e->detail;
            entry["years"] = e->years;
            entry["toBeConfirmed"] = e->toBeConfirmed;
            list.push_back(std::move(entry));
        }
        Json json = Json::object();
        json["query"] = query;
        json["entries"] = std::move(list);
        return json.dump() + "\n";
    }
    Table rows;
    for (const law::LifeEntry* e : entries) {
        rows.push_back({e->id, std::to_string(e->table), e->kind, e->structure, e->detail,
                        std::to_string(e->years), e->toBeConfirmed ? law::kToBeConfirmed : ""});
    }
    return formatTable({"id", "別表", "種類", "構造又は用途", "細目", "耐用年数", "要確認"}, rows,
                       format);
}

}  // namespace

int runLife(const LifeOptions& options, std::ostream& out, std::ostream& err) {
    try {
        std::string text;
        if (options.used || options.elapsedMonths) {
            if (!options.words.empty()) {
                err << kMsgLifeWordsAndUsed << "\n";
                return 1;
            }
            if (!options.used || !options.elapsedMonths) {
                err << kMsgLifeUsedPair << "\n";
                return 1;
            }
            const auto life = wholeIn(*options.used, law::kUsedLifeMin, law::kUsedLifeMax);
            if (!life) {
                err << kMsgLifeBadUsed << " (--used " << *options.used << ")\n";
                return 1;
            }
            const auto months = wholeIn(*options.elapsedMonths, 1, law::kElapsedMonthsMax);
            if (!months) {
                err << kMsgLifeBadElapsed << " (--elapsed-months " << *options.elapsedMonths
                    << ")\n";
                return 1;
            }
            text = renderUsed(law::usedAssetLife(*life, *months), options.format);
        } else {
            if (options.words.empty()) {
                err << kMsgLifeNothingAsked << "\n";
                return 1;
            }
            std::string query;
            for (const std::string& word : options.words) {
                if (!query.empty()) query += ' ';
                query += word;
            }
            const law::LifeTable table =
                law::loadLifeTable(law::lifeTableFor(platform::programFolder()));
            const auto found = table.search(query);
            text = renderEntries(query, found, options.format);
            if (found.empty()) err << kMsgLifeNothingFound << " (" << query << ")\n";
        }
        std::ostringstream buffer;
        emit(buffer, text, options.encoding);
        out << buffer.str();
        return 0;
    } catch (const law::LifeTableError& e) {
        err << e.what() << "\n";
    } catch (const platform::WriteError& e) {
        err << "出力できない文字があります: " << e.what() << "\n";
    } catch (const std::exception& e) {
        err << "エラー: " << e.what() << "\n";
    }
    return 1;
}

}  // namespace fenmark::cli
