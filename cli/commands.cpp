#include "cli/commands.h"

#include <nlohmann/json.hpp>
#include <sstream>

#include "common/convert.h"
#include "platform/grid.h"
#include "platform/text_file.h"
#include "register/ledger_list.h"
#include "register/register_file.h"

namespace fenmark::cli {

namespace {

// Grid rows 1..rows-1 as a table of texts.
Table gridRows(const platform::Grid& grid) {
    Table rows;
    for (int r = 1; r < grid.rows(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < grid.cols(); ++c) cells.push_back(grid.text(r, c));
        rows.push_back(std::move(cells));
    }
    return rows;
}

std::vector<std::string> gridHeadings(const platform::Grid& grid) {
    std::vector<std::string> headings;
    for (int c = 0; c < grid.cols(); ++c) headings.push_back(cleanHeading(grid.text(0, c)));
    return headings;
}

}  // namespace

int runList(const ListOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const reg::LoadedRegister loaded = reg::readRegisterFile(options.file);
        platform::Grid grid(loaded.recordCount + 1, reg::kListColumns);
        reg::GetData(grid, loaded.assetRegister, loaded.recordCount);
        const Table rows = gridRows(grid);
        std::string text;
        if (options.format == Format::Json) {
            nlohmann::json json = {{"rows", rows}};
            text = json.dump() + "\n";
        } else {
            text = formatTable(gridHeadings(grid), rows, options.format);
        }
        std::ostringstream buffer;
        emit(buffer, text, options.encoding);
        out << buffer.str();
        return 0;
    } catch (const platform::ReadError& e) {
        err << reg::kReadFailedMessage << " (" << options.file << ": " << e.what() << ")\n";
    } catch (const platform::WriteError& e) {
        err << "出力できない文字があります: " << e.what() << "\n";
    } catch (const std::exception& e) {
        err << "エラー: " << e.what() << "\n";
    }
    return 1;
}

void typeStatementYear(yearend::StatementWindowModel& window, const std::string& year) {
    if (const auto typed = yearend::parseYearArgument(year)) {
        window.selectEra(typed->era == law::Era::Reiwa ? 1 : 0);
        window.setTxtGetYe(typed->year);
        return;
    }
    window.selectEra(0);
    window.setTxtGetYe(year);
}

}  // namespace fenmark::cli
