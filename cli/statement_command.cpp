#include "cli/statement_command.h"
#include "cli/commands.h"

#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "register/register_file.h"
#include "register/settings.h"
#include "yearend/statement_window.h"

namespace fenmark::cli {

namespace {

using Json = nlohmann::ordered_json;

std::vector<std::string> tableRow(const platform::Grid& grid, int row) {
    std::vector<std::string> cells;
    for (int c = 0; c < grid.cols(); ++c) cells.push_back(grid.text(row, c));
    return cells;
}

// A table row as an object under the form's headings, in their order.
Json rowObject(const platform::Grid& grid, int row,
               const std::array<std::string_view, yearend::kStatementColumns>& headings) {
    Json object = Json::object();
    for (int c = 0; c < grid.cols(); ++c) {
        object[std::string(headings[static_cast<std::size_t>(c)])] = grid.text(row, c);
    }
    return object;
}

std::string render(yearend::StatementWindowModel& window, int count, Format format) {
    const platform::Grid& grid = window.Fxg3;
    const auto& headings = yearend::statementHeadings(window.form());
    if (format == Format::Json) {
        Json rows = Json::array();
        Json markings = Json::array();
        Json methodNames = Json::array();
        Json guarantees = Json::array();
        for (int f = 1; f <= count; ++f) {
            rows.push_back(rowObject(grid, f, headings));
            const auto index = static_cast<std::size_t>(f - 1);
            markings.push_back(std::string(yearend::markingName(window.markings[index])));
            methodNames.push_back(window.statementMethodNames[index]);
            const auto& guarantee = window.guaranteeAmounts[index];
            guarantees.push_back(guarantee ? Json(*guarantee) : Json(nullptr));
        }
        Json json = Json::object();
        // The same year gives the same output, however it was typed.
        json["year"] = 1988 + window.statementYear;
        json["heading"] = window.headingText();
        json["form"] = window.form() == yearend::ReturnForm::Income ? yearend::kIncomeFormName
                                                                    : yearend::kBlueFormName;
        json["closingCaption"] = window.Label3.caption;
        json["columns"] = Json::array();
        for (std::string_view heading : headings) json["columns"].push_back(std::string(heading));
        json["rows"] = std::move(rows);
        json["totals"] = rowObject(grid, count + 1, headings);
        json["markings"] = std::move(markings);
        json["legends"] = {{"removable", window.Picture1.visible},
                           {"notExisting", window.Picture2.visible}};
        json["methodNames"] = std::move(methodNames);
        json["guaranteeAmounts"] = std::move(guarantees);
        // Only a year with small assets has their sum.
        if (window.lblSmall.visible) {
            json["smallAssets"] = {{"total", window.smallAssetTotal},
                                   {"overLimit", window.lblSmallOver.visible}};
        }
        // Only a year in which an asset left has the book values scrapped.
        if (window.lblScrapped.visible) {
            json["scrappedBookValue"] = window.scrappedBookValueTotal;
        }
        return json.dump() + "\n";
    }
    std::vector<std::string> columns(headings.begin(), headings.end());
    columns.emplace_back("marking");
    Table rows;
    for (int f = 1; f <= count + 1; ++f) {
        std::vector<std::string> line = tableRow(grid, f);
        line.emplace_back(
            f <= count ? yearend::markingName(window.markings[static_cast<std::size_t>(f - 1)])
                       : "");
        rows.push_back(std::move(line));
    }
    return formatTable(columns, rows, format);
}

}  // namespace

int runStatement(const StatementOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const reg::LoadedRegister loaded = reg::readRegisterFile(options.file);
        reg::ProgramState state;
        state.assetRegister = loaded.assetRegister;
        state.recordCount = loaded.recordCount;
        state.closingMonth = options.closingMonth ? std::to_string(*options.closingMonth)
                                                  : reg::loadSettings(platform::programFolder(),
                                                                      platform::userConfigFolder())
                                                        .closingMonth;

        yearend::StatementSettings settings;
        settings.roundingMode = options.rounding == Rounding::Up ? "0" : "1";
        if (options.currentYear) settings.currentYear = *options.currentYear;
        settings.form = options.form;

        // The window is driven as the user drives it: the year typed, then
        // "表示". What it would tell the user goes to `err`.
        platform::ScriptedDialogs dialogs;
        yearend::StatementWindowModel window(state, dialogs, settings);
        window.Form_Load();
        typeStatementYear(window, options.year);
        window.cmdOk_Click();
        if (!window.Fxg3Visible) {
            for (const platform::Message& m : dialogs.messages()) {
                err << m.text << " (--year " << options.year << ")\n";
            }
            return 1;
        }

        std::ostringstream buffer;
        emit(buffer, render(window, loaded.recordCount, options.format), options.encoding);
        out << buffer.str();

        for (int record : window.uncomputed) {
            err << "記録 " << record << ": " << schedule::kCannotComputeMessage << "\n";
        }
        return window.uncomputed.empty() ? 0 : 1;
    } catch (const platform::ReadError& e) {
        err << reg::kReadFailedMessage << " (" << options.file << ": " << e.what() << ")\n";
    } catch (const platform::WriteError& e) {
        err << "出力できない文字があります: " << e.what() << "\n";
    } catch (const std::exception& e) {
        err << "エラー: " << e.what() << "\n";
    }
    return 1;
}

}  // namespace fenmark::cli
