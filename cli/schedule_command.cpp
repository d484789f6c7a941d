#include "cli/schedule_command.h"

#include <type_traits>
#include <vector>

#include "cli/json_writer.h"
#include "cli/opening_json.h"
#include "cli/register_json.h"
#include "common/convert.h"
#include "common/number.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "register/register_file.h"
#include "register/settings.h"
#include "schedule/frame.h"
#include "schedule/schedule_window.h"
#include "yearend/statement.h"

namespace fenmark::cli {

namespace {

// One asset: its header as the schedule shows it and its computed schedule
// (empty when it could not be computed).
struct Shown {
    int record = 0;
    std::vector<std::pair<std::string, std::string>> captions;
    std::string base;
    std::string method;
    schedule::Schedule schedule;
    bool failed = false;
};

// What the schedules are computed under: the settings as the window reads
// them, and whether they can be held at all.
struct Settings {
    std::string closingMonth;
    Rounding rounding = Rounding::Up;
    schedule::Options options;
    bool valid = true;
};

Settings settingsOf(const ScheduleOptions& options) {
    Settings settings;
    settings.closingMonth = closingMonthOf(options.closingMonth);
    settings.rounding = options.rounding;
    settings.options.currentYear = options.currentYear.value_or(schedule::systemCalendarYear());
    try {
        settings.options.closingMonth =
            common::toInt16(common::leadingNumber(settings.closingMonth));
        settings.options.roundingFlag =
            common::toInt16(common::leadingNumber(roundingModeOf(options.rounding)));
    } catch (const common::OverflowError&) {
        settings.valid = false;
    }
    return settings;
}

// The header of `record` comes from the schedule's own header procedure
// (GetData); the schedule itself is computed as a value. A value that does
// not fit its type leaves the asset without a schedule, as the window shows
// it.
Shown show(schedule::ScheduleFrame& frame, reg::ProgramState& state, const Settings& settings,
           int record) {
    Shown shown;
    shown.record = record;
    state.currentRecord = static_cast<std::int16_t>(record);
    const reg::Row& row = state.assetRegister.row(record);
    try {
        frame.GetData();
        if (!settings.valid) throw common::OverflowError("closing month or rounding flag");
        shown.schedule = schedule::computeSchedule(row, settings.options);
        frame.lblSHou.caption = schedule::methodName(row, shown.schedule.procedure);
    } catch (const common::OverflowError&) {
        shown.schedule = schedule::Schedule{};
        shown.failed = true;
    }
    shown.captions.emplace_back(frame.txtName.name, frame.txtName.text);
    for (const platform::Control* label : frame.headerLabels()) {
        shown.captions.emplace_back(label->name, label->caption);
    }
    shown.base = frame.lblBase.caption;
    shown.method = frame.lblSHou.caption;
    return shown;
}

// A whole number of the schedule as the export writes it, whichever type
// the schedule holds it in.
template <typename T>
std::int64_t whole(T value) {
    if constexpr (std::is_floating_point_v<T>) {
        if (!(value >= -9.0e18 && value <= 9.0e18)) {
            throw common::OverflowError("オーバーフローしました。");
        }
    }
    return static_cast<std::int64_t>(value);
}

// A money cell: null where it is blank, else the whole yen it shows.
void writeMoney(JsonWriter& json, const schedule::Money& money) {
    if (money.blank()) {
        json.null();
    } else {
        json.integer(static_cast<std::int64_t>(money.yen()));
    }
}

std::vector<std::string> rowTexts(const schedule::Schedule& s, int row) {
    const schedule::Year& year = s.year(row);
    return {schedule::numberText(row),
            schedule::yearLabel(s, row),
            schedule::numberText(static_cast<double>(year.settleYear)),
            schedule::monthsText(year),
            schedule::moneyText(year.amount),
            schedule::moneyText(year.expense),
            schedule::moneyText(year.bookValue),
            schedule::remarkText(year.remark)};
}

void writeShown(JsonWriter& json, const Shown& shown, const reg::ProgramState& state,
                const Settings& settings) {
    const schedule::Schedule& s = shown.schedule;
    json.beginObject();
    json.key("record").integer(shown.record);
    json.key("recordCount").integer(state.recordCount);
    json.key("closingMonth").numberOrNull(jsonNumber(settings.closingMonth));
    json.key("rounding").string(settings.rounding == Rounding::Up ? "up" : "down");
    json.key("captions").beginObject();
    for (const auto& [name, text] : shown.captions) json.key(name).string(text);
    json.endObject();

    json.key("asset").beginObject();
    writeAssetFields(json, state.assetRegister, shown.record);
    json.key("base").integerOrNull(yearend::readAmount(shown.base));
    json.key("method").string(shown.method);
    json.key("guaranteeAmount");
    if (s.guaranteeAmount) {
        json.integer(whole(*s.guaranteeAmount));
    } else {
        json.null();
    }
    json.endObject();

    json.key("gridRowCount").integer(s.gridRowCount);
    json.key("rows").beginArray();
    for (int row = 1; row <= static_cast<int>(s.years.size()); ++row) {
        const schedule::Year& year = s.year(row);
        json.beginObject();
        json.key("elapsedYears").integer(row);
        json.key("label").string(schedule::yearLabel(s, row));
        json.key("settleYear").integer(whole(year.settleYear));
        json.key("months");
        if (year.monthsOf != 0) {
            json.beginObject().key("months").integer(year.months);
            json.key("of").integer(year.monthsOf).endObject();
        } else {
            json.null();
        }
        json.key("amount");
        writeMoney(json, year.amount);
        json.key("expense");
        writeMoney(json, year.expense);
        json.key("bookValue");
        writeMoney(json, year.bookValue);
        json.key("remark");
        if (year.remark == schedule::Remark::None) {
            json.null();
        } else {
            json.string(schedule::remarkText(year.remark));
        }
        json.endObject();
    }
    json.endArray();
    // Only an asset whose schedule starts from a carried opening or from
    // its business use has these, and only one that left has "leaving".
    writeCarried(json, s.carried);
    writeConversion(json, s.conversion);
    writeLeaving(json, state.assetRegister.row(shown.record));
    json.endObject();
}

std::string render(const std::vector<Shown>& shown, const reg::ProgramState& state,
                   const Settings& settings, bool all, Format format) {
    if (format == Format::Json) {
        std::string text;
        JsonWriter json(text);
        if (all) json.beginArray();
        for (const Shown& s : shown) writeShown(json, s, state, settings);
        if (all) json.endArray();
        text += '\n';
        return text;
    }
    std::vector<std::string> headings = formatHeadings(schedule::kScheduleHeading);
    if (all) headings.insert(headings.begin(), "No");
    Table rows;
    for (const Shown& s : shown) {
        for (int row = 1; row <= static_cast<int>(s.schedule.years.size()); ++row) {
            std::vector<std::string> line = rowTexts(s.schedule, row);
            if (all) line.insert(line.begin(), std::to_string(s.record));
            rows.push_back(std::move(line));
        }
    }
    return formatTable(headings, rows, format);
}

}  // namespace

std::string closingMonthOf(const std::optional<int>& given) {
    if (given) return std::to_string(*given);
    return reg::loadSettings(platform::programFolder(), platform::userConfigFolder()).closingMonth;
}

std::string roundingModeOf(Rounding rounding) { return rounding == Rounding::Up ? "0" : "1"; }

int runSchedule(const ScheduleOptions& options, std::ostream& out, std::ostream& err) {
    try {
        reg::LoadedRegister loaded = reg::readRegisterFile(options.file);
        if (!options.all &&
            (!options.record || *options.record < 1 || *options.record > loaded.recordCount)) {
            err << "記録番号が範囲外です: " << options.record.value_or(0) << " (記録数 "
                << loaded.recordCount << ")\n";
            return 1;
        }
        reg::ProgramState state;
        state.assetRegister = std::move(loaded.assetRegister);
        state.recordCount = loaded.recordCount;
        const Settings settings = settingsOf(options);

        schedule::ScheduleFrame frame(state);
        frame.currentYear = settings.options.currentYear;
        // The header's guarantee amount is rounded as the schedule's is.
        frame.roundingFlag = settings.options.roundingFlag;
        std::vector<Shown> shown;
        if (options.all) {
            shown.reserve(static_cast<std::size_t>(state.recordCount));
            for (int record = 1; record <= state.recordCount; ++record) {
                shown.push_back(show(frame, state, settings, record));
            }
        } else {
            shown.push_back(show(frame, state, settings, *options.record));
        }

        emit(out, render(shown, state, settings, options.all, options.format), options.encoding);

        int status = 0;
        for (const Shown& s : shown) {
            if (!s.failed) continue;
            reportUncomputed(err, s.record);
            status = 1;
        }
        return status;
    } catch (const std::exception&) {
        return reportFailure(err, options.file);
    }
}

}  // namespace fenmark::cli
