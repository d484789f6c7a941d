#include "cli/commands.h"

#include "cli/json_writer.h"
#include "cli/register_json.h"
#include "platform/text_file.h"
#include "register/ledger_list.h"
#include "register/register_file.h"

namespace fenmark::cli {

namespace {

// Columns of the ledger list that the JSON takes as they are shown.
constexpr int kListBase = 6;
constexpr int kListMethod = 7;

std::string listJson(const reg::AssetRegister& assets, int count) {
    std::string text;
    text.reserve(64 + static_cast<std::size_t>(count) * 400);
    JsonWriter json(text);
    json.beginObject().key("rows").beginArray();
    for (int record = 1; record <= count; ++record) {
        json.beginObject();
        json.key("no").integer(record);
        writeAssetFields(json, assets, record);
        json.key("base").integerOrNull(
            yearend::readAmount(reg::ledgerCellText(assets, record, kListBase)));
        json.key("method").string(reg::ledgerCellText(assets, record, kListMethod));
        writeLeaving(json, assets.row(record));
        json.endObject();
    }
    json.endArray().endObject();
    text += '\n';
    return text;
}

Table listRows(const reg::AssetRegister& assets, int count) {
    Table rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int record = 1; record <= count; ++record) {
        std::vector<std::string> cells;
        cells.reserve(reg::kListColumns);
        for (int col = 0; col < reg::kListColumns; ++col) {
            cells.push_back(reg::ledgerCellText(assets, record, col));
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

}  // namespace

int runList(const ListOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const reg::LoadedRegister loaded = reg::readRegisterFile(options.file);
        const std::string text =
            options.format == Format::Json
                ? listJson(loaded.assetRegister, loaded.recordCount)
                : formatTable(formatHeadings(reg::kListFormat),
                              listRows(loaded.assetRegister, loaded.recordCount), options.format);
        emit(out, text, options.encoding);
        return 0;
    } catch (const std::exception&) {
        return reportFailure(err, options.file);
    }
}

void typeStatementYear(yearend::StatementWindowModel& window, std::int32_t statementYear) {
    // Every statement year is a 平成 year of the box, 1 to 99.
    window.selectEra(0);
    window.setTxtGetYe(std::to_string(statementYear));
}

}  // namespace fenmark::cli
