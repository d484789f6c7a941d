#include "cli/schedule_command.h"

#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "register/register_file.h"
#include "register/settings.h"
#include "schedule/schedule_window.h"

namespace fenmark::cli {

namespace {

using Json = nlohmann::ordered_json;

// One asset as the window showed it.
struct Shown {
    int record = 0;
    std::vector<std::pair<std::string, std::string>> captions;
    int gridRowCount = 0;
    Table rows;
    bool failed = false;
    // The asset's leaving as the register holds it, when it has one.
    std::string leavingMonth;
    std::string leavingKind;
    std::string salePrice;
};

Shown capture(schedule::ScheduleWindowModel& window, const reg::ProgramState& state, int record) {
    Shown shown;
    shown.record = record;
    shown.captions = window.captions();
    shown.gridRowCount = window.gridRowCount;
    shown.failed = window.scheduleFailed();
    const reg::Row& row = state.assetRegister.row(record);
    shown.leavingMonth = row[reg::disposalMonth - 1];
    shown.leavingKind = row[reg::disposalKind - 1];
    shown.salePrice = row[reg::salePrice - 1];
    for (int r = 1; r < window.Fxg2.rows(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < window.Fxg2.cols(); ++c) cells.push_back(window.Fxg2.text(r, c));
        shown.rows.push_back(std::move(cells));
    }
    return shown;
}

Json toJson(const Shown& shown) {
    Json captions = Json::object();
    for (const auto& [name, text] : shown.captions) captions[name] = text;
    Json json = Json::object();
    json["record"] = shown.record;
    json["captions"] = std::move(captions);
    json["gridRowCount"] = shown.gridRowCount;
    json["rows"] = shown.rows;
    // Only an asset that left the business has these.
    if (!shown.leavingMonth.empty() || !shown.leavingKind.empty() || !shown.salePrice.empty()) {
        json["leaving"] = {{"month", shown.leavingMonth},
                           {"kind", shown.leavingKind},
                           {"salePrice", shown.salePrice}};
    }
    return json;
}

std::string render(const std::vector<Shown>& shown, const std::vector<std::string>& headings,
                   bool all, Format format) {
    if (format == Format::Json) {
        if (!all) return toJson(shown.front()).dump() + "\n";
        Json list = Json::array();
        for (const Shown& s : shown) list.push_back(toJson(s));
        return list.dump() + "\n";
    }
    if (!all) return formatTable(headings, shown.front().rows, format);
    std::vector<std::string> numbered{"No"};
    numbered.insert(numbered.end(), headings.begin(), headings.end());
    Table rows;
    for (const Shown& s : shown) {
        for (const auto& row : s.rows) {
            std::vector<std::string> line{std::to_string(s.record)};
            line.insert(line.end(), row.begin(), row.end());
            rows.push_back(std::move(line));
        }
    }
    return formatTable(numbered, rows, format);
}

}  // namespace

int runSchedule(const ScheduleOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const reg::LoadedRegister loaded = reg::readRegisterFile(options.file);
        if (!options.all &&
            (!options.record || *options.record < 1 || *options.record > loaded.recordCount)) {
            err << "記録番号が範囲外です: " << options.record.value_or(0) << " (記録数 "
                << loaded.recordCount << ")\n";
            return 1;
        }
        reg::ProgramState state;
        state.assetRegister = loaded.assetRegister;
        state.recordCount = loaded.recordCount;

        schedule::ScheduleSettings settings;
        settings.closingMonth =
            options.closingMonth
                ? std::to_string(*options.closingMonth)
                : reg::loadSettings(platform::programFolder(), platform::userConfigFolder())
                      .closingMonth;
        settings.roundingMode = options.rounding == Rounding::Up ? "0" : "1";
        if (options.currentYear) settings.currentYear = *options.currentYear;

        // The window is driven as the user drives it: it opens on asset 1 and
        // "＞" moves on. Messages of the assets passed on the way are not
        // this command's concern.
        platform::ScriptedDialogs dialogs;
        schedule::ScheduleWindowModel window(state, dialogs, settings);
        window.Form_Load();
        std::vector<Shown> shown;
        if (options.all) {
            for (int record = 1; record <= loaded.recordCount; ++record) {
                if (record > 1) window.cmdFF_Click();
                shown.push_back(capture(window, state, record));
            }
        } else {
            for (int record = 2; record <= *options.record; ++record) window.cmdFF_Click();
            shown.push_back(capture(window, state, *options.record));
        }

        std::vector<std::string> headings;
        for (int c = 0; c < window.Fxg2.cols(); ++c) {
            headings.push_back(cleanHeading(window.Fxg2.text(0, c)));
        }
        std::ostringstream buffer;
        emit(buffer, render(shown, headings, options.all, options.format), options.encoding);
        out << buffer.str();

        int status = 0;
        for (const Shown& s : shown) {
            if (!s.failed) continue;
            err << "記録 " << s.record << ": " << schedule::kCannotComputeMessage << "\n";
            status = 1;
        }
        return status;
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
