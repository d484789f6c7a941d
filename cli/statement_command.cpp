#include "cli/statement_command.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "cli/filing_formats.h"
#include "cli/json_writer.h"
#include "cli/opening_json.h"
#include "cli/register_json.h"
#include "common/convert.h"
#include "common/number.h"
#include "platform/text_file.h"
#include "register/extended_columns.h"
#include "register/register_file.h"
#include "yearend/return_entry.h"
#include "yearend/statement_window.h"

namespace fenmark::cli {

namespace {

using yearend::StatementColumn;

// The JSON key of each column of the return's table, in the table's order.
constexpr std::array<std::string_view, yearend::kStatementColumns> kColumnKeys = {
    "name",  "quantity", "acquired",  "cost",         "base",    "method",
    "life",  "rate",     "period",    "depreciation", "special", "depreciationTotal",
    "share", "expense",  "bookValue", "remark"};

std::string_view keyOf(StatementColumn column) {
    return kColumnKeys[static_cast<std::size_t>(column)];
}

// A display text, null where the cell is blank.
void writeText(JsonWriter& json, const std::string& text) {
    if (text.empty()) {
        json.null();
    } else {
        json.string(text);
    }
}

void writeLine(JsonWriter& json, const yearend::StatementLine& line, const reg::Row& asset) {
    const yearend::ScheduleCopy& year = line.year;
    json.beginObject();
    json.key(keyOf(yearend::colName)).string(line.name);
    json.key(keyOf(yearend::colQuantity)).numberOrNull(jsonNumber(line.quantity));
    json.key(keyOf(yearend::colAcquired)).stringOrNull(acquiredMonth(asset));
    json.key("acquiredEra").string(line.acquired);
    json.key(keyOf(yearend::colCost)).integerOrNull(line.costYen);
    json.key("guaranteeAmount").integerOrNull(line.guaranteeAmount);
    json.key(keyOf(yearend::colBase)).integerOrNull(line.baseYen);
    json.key(keyOf(yearend::colMethod)).string(line.method);
    json.key(keyOf(yearend::colLife)).numberOrNull(jsonNumber(line.life));
    json.key(keyOf(yearend::colRate)).stringOrNull(exactDecimal(line.rate));
    json.key(keyOf(yearend::colPeriod));
    if (year.monthsOf != 0) {
        json.beginObject().key("months").integer(year.months);
        json.key("of").integer(year.monthsOf).endObject();
    } else {
        json.null();
    }
    json.key(keyOf(yearend::colDepreciation)).integerOrNull(year.depreciationYen);
    // No special depreciation is computed: ㋬ stays blank and ㋣ is ㋭.
    json.key(keyOf(yearend::colSpecial)).null();
    json.key(keyOf(yearend::colDepreciationTotal)).integerOrNull(year.depreciationYen);
    json.key(keyOf(yearend::colShare)).numberOrNull(jsonNumber(line.ratio));
    json.key(keyOf(yearend::colExpense)).integerOrNull(year.expenseYen);
    json.key(keyOf(yearend::colBookValue)).integerOrNull(year.bookValueYen);
    json.key(keyOf(yearend::colRemark));
    writeText(json, year.remark);
    writeCarried(json, line.carried);
    writeConversion(json, line.conversion);
    // Only the year the asset left names how, and the book value that left.
    if (year.leaving != schedule::Remark::None) writeLeaving(json, asset, year.leftBookValue);
    json.endObject();
}

struct Statement {
    std::int32_t year = 0;
    std::string closingMonth;
    yearend::ReturnForm form = yearend::ReturnForm::Blue;
    yearend::StatementData data;
};

std::string json(const Statement& statement, const reg::AssetRegister& assets) {
    const yearend::StatementData& data = statement.data;
    std::string text;
    // About what a line takes, so that the text grows once.
    text.reserve(2048 + data.lines.size() * 640);
    JsonWriter json(text);
    json.beginObject();
    // The same year gives the same output, however it was typed.
    json.key("year").integer(1988 + statement.year);
    json.key("heading").string(yearend::statementHeading(statement.year));
    json.key("form").string(statement.form == yearend::ReturnForm::Income ? yearend::kIncomeFormName
                                                                          : yearend::kBlueFormName);
    json.key("closingCaption")
        .string(yearend::closingCaption(statement.year, statement.closingMonth));
    json.key("columns").beginObject();
    const auto& headings = yearend::statementHeadings(statement.form);
    for (std::size_t c = 0; c < kColumnKeys.size(); ++c) {
        json.key(kColumnKeys[c]).string(headings[c]);
    }
    json.endObject();

    json.key("rows").beginArray();
    bool removable = false;
    bool notExisting = false;
    for (std::size_t i = 0; i < data.lines.size(); ++i) {
        const yearend::StatementLine& line = data.lines[i];
        writeLine(json, line, assets.row(static_cast<int>(i) + 1));
        removable = removable || line.year.marking == yearend::Marking::Removable;
        notExisting = notExisting || line.year.marking == yearend::Marking::NotExisting;
    }
    json.endArray();

    json.key("totals").beginObject();
    json.key(keyOf(yearend::colDepreciation)).integer(data.depreciationTotal);
    json.key(keyOf(yearend::colSpecial)).integer(0);
    json.key(keyOf(yearend::colDepreciationTotal)).integer(data.depreciationTotal);
    json.key(keyOf(yearend::colExpense)).integer(data.expenseTotal);
    json.key(keyOf(yearend::colBookValue)).integer(data.bookValueTotal);
    json.endObject();

    json.key("markings").beginArray();
    for (const yearend::StatementLine& line : data.lines) {
        json.string(yearend::markingName(line.year.marking));
    }
    json.endArray();
    json.key("legends").beginObject();
    json.key("removable").boolean(removable);
    json.key("notExisting").boolean(notExisting);
    json.endObject();
    // Only a year with small assets has their sum.
    if (data.hasSmallAssets) {
        json.key("smallAssets").beginObject();
        json.key("total").integer(data.smallAssetTotal);
        json.key("overLimit").boolean(data.smallAssetTotal > yearend::kSmallAssetYearlyCap);
        json.endObject();
    }
    // Only a year in which an asset left has the book values scrapped.
    if (data.hasLeaving) json.key("scrappedBookValue").integer(data.scrappedBookValueTotal);
    json.endObject();
    text += '\n';
    return text;
}

std::string table(const Statement& statement, Format format) {
    const auto& headings = yearend::statementHeadings(statement.form);
    std::vector<std::string> columns(headings.begin(), headings.end());
    columns.emplace_back("marking");
    Table rows;
    rows.reserve(statement.data.lines.size() + 1);
    const auto row = [](const auto& texts, std::string_view marking) {
        std::vector<std::string> cells(texts.begin(), texts.end());
        cells.emplace_back(marking);
        return cells;
    };
    for (const yearend::StatementLine& line : statement.data.lines) {
        rows.push_back(
            row(yearend::statementRowTexts(line), yearend::markingName(line.year.marking)));
    }
    rows.push_back(row(yearend::statementTotalsTexts(statement.data), ""));
    return formatTable(columns, rows, format);
}

std::string filingText(const Statement& statement, const reg::AssetRegister& assets,
                       FilingFormat format) {
    const std::int64_t expense = statement.data.expenseTotal;
    switch (format) {
        case FilingFormat::SakuseiJson:
            return sakuseiJson(yearend::onlineEntries(statement.data, assets, statement.year),
                               statement.form);
        case FilingFormat::SakuseiCsv:
            return formatTable(
                sakuseiHeadings(),
                sakuseiRows(yearend::onlineEntries(statement.data, assets, statement.year),
                            statement.form),
                Format::Csv);
        case FilingFormat::EtaxJson:
            return etaxJson(
                yearend::etaxTable(statement.data, assets, statement.year, statement.form),
                statement.form, expense);
        case FilingFormat::EtaxCsv:
            return formatTable(
                etaxHeadings(),
                etaxRows(yearend::etaxTable(statement.data, assets, statement.year, statement.form),
                         statement.form, expense),
                Format::Csv);
    }
    return {};
}

}  // namespace

int runStatement(const StatementOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const reg::LoadedRegister loaded = reg::readRegisterFile(options.file);
        Statement statement;
        statement.form = options.form;
        statement.closingMonth = closingMonthOf(options.closingMonth);
        // No closing month stands for December, as in the window.
        if (statement.closingMonth.empty()) statement.closingMonth = "12";

        const yearend::StatementYear year = yearend::readStatementYearArgument(options.year);
        if (year.refusal != yearend::StatementYear::Refusal::None) {
            err << year.message() << " (--year " << options.year << ")\n";
            return 1;
        }
        statement.year = year.year;

        // A closing month or rounding flag beyond 16 bits leaves every asset
        // without a schedule; one beyond 32 bits places no asset's year.
        std::int32_t closingMonthNumber = 0;
        schedule::Options scheduleOptions;
        bool valid = true;
        try {
            closingMonthNumber = common::toInt32(common::leadingNumber(statement.closingMonth));
        } catch (const common::OverflowError&) {
        }
        try {
            scheduleOptions.closingMonth =
                common::toInt16(common::leadingNumber(statement.closingMonth));
            scheduleOptions.roundingFlag =
                common::toInt16(common::leadingNumber(roundingModeOf(options.rounding)));
        } catch (const common::OverflowError&) {
            valid = false;
        }
        scheduleOptions.currentYear = options.currentYear.value_or(schedule::systemCalendarYear());
        try {
            statement.data =
                yearend::computeStatement(loaded.assetRegister, loaded.recordCount, statement.year,
                                          closingMonthNumber, scheduleOptions, valid);
        } catch (const common::OverflowError&) {
            err << yearend::kStatementNotComputedMessage << " (--year " << options.year << ")\n";
            return 1;
        }

        if (options.filing) {
            emit(out, filingText(statement, loaded.assetRegister, *options.filing),
                 options.encoding);
        } else {
            emit(out,
                 options.format == Format::Json ? json(statement, loaded.assetRegister)
                                                : table(statement, options.format),
                 options.encoding);
        }

        for (int record : statement.data.uncomputed) {
            reportUncomputed(err, record);
        }
        return statement.data.uncomputed.empty() ? 0 : 1;
    } catch (const std::exception&) {
        return reportFailure(err, options.file);
    }
}

}  // namespace fenmark::cli
