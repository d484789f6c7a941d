#include "cli/close_year_command.h"

#include <algorithm>
#include <string_view>

#include "cli/json_writer.h"
#include "common/convert.h"
#include "common/number.h"
#include "platform/text_file.h"
#include "register/register_file.h"
#include "schedule/frame.h"
#include "schedule/schedule_window.h"
#include "yearend/close_year.h"
#include "yearend/statement.h"

namespace fenmark::cli {

namespace {

std::string_view outcomeName(yearend::CloseOutcome outcome) {
    switch (outcome) {
        case yearend::CloseOutcome::Recorded:
            return "recorded";
        case yearend::CloseOutcome::NotYetAcquired:
            return "notYetAcquired";
        case yearend::CloseOutcome::Left:
            return "left";
        case yearend::CloseOutcome::LumpSum:
            return "lumpSum";
        case yearend::CloseOutcome::LaterCarried:
            return "laterCarried";
        case yearend::CloseOutcome::NotComputed:
            break;
    }
    return "notComputed";
}

std::string report(const yearend::CloseYearResult& result, ReportFormat format) {
    if (format == ReportFormat::Text) return yearend::closeYearSummary(result) + "\n";
    std::string text;
    JsonWriter json(text);
    json.beginObject();
    json.key("year").integer(result.year);
    json.key("recorded").integer(result.recorded());
    json.key("assets").beginArray();
    for (const yearend::ClosedAsset& asset : result.assets) {
        const bool recorded = asset.outcome == yearend::CloseOutcome::Recorded;
        json.beginObject();
        json.key("record").integer(asset.record);
        json.key("outcome").string(outcomeName(asset.outcome));
        json.key("bookValue")
            .integerOrNull(recorded ? std::optional(asset.bookValue) : std::nullopt);
        json.key("revisedBase").integerOrNull(recorded ? asset.revisedBase : std::nullopt);
        json.endObject();
    }
    json.endArray().endObject();
    text += '\n';
    return text;
}

// The schedule options of the closing month and rounding given, or nothing
// when the closing month cannot be held.
std::optional<schedule::Options> scheduleOptionsOf(const CloseYearOptions& options) {
    std::string closingMonth = closingMonthOf(options.closingMonth);
    // No closing month stands for December, as in the windows.
    if (closingMonth.empty()) closingMonth = "12";
    schedule::Options scheduleOptions;
    scheduleOptions.currentYear = options.currentYear.value_or(schedule::systemCalendarYear());
    try {
        scheduleOptions.closingMonth = common::toInt16(common::leadingNumber(closingMonth));
        scheduleOptions.roundingFlag =
            common::toInt16(common::leadingNumber(roundingModeOf(options.rounding)));
    } catch (const common::OverflowError&) {
        return std::nullopt;
    }
    return scheduleOptions;
}

}  // namespace

int runCloseYear(const CloseYearOptions& options, std::ostream& out, std::ostream& err) {
    try {
        reg::LoadedRegister loaded = reg::readRegisterFile(options.file);

        const yearend::StatementYear typed = yearend::readStatementYearArgument(options.year);
        if (typed.refusal != yearend::StatementYear::Refusal::None) {
            err << typed.message() << " (--year " << options.year << ")\n";
            return 1;
        }
        const int year = 1988 + typed.year;
        const int currentYear = options.currentYear.value_or(schedule::systemCalendarYear());
        if (const auto refusal = yearend::closeYearRefusal(year, currentYear)) {
            err << *refusal << " (--year " << options.year << ")\n";
            return 1;
        }

        const reg::AssetRegister before = loaded.assetRegister;
        yearend::CloseYearResult result;
        if (const auto scheduleOptions = scheduleOptionsOf(options)) {
            result = yearend::closeYear(loaded.assetRegister, loaded.recordCount, year,
                                        *scheduleOptions);
        } else {
            result.year = year;
            for (int record = 1; record <= loaded.recordCount; ++record) {
                result.assets.push_back({record, yearend::CloseOutcome::NotComputed, 0, {}});
            }
        }
        const std::string text = report(result, options.format);

        const std::string& target = options.output.value_or(options.file);
        if (options.output || !(loaded.assetRegister == before)) {
            try {
                const reg::SaveReport saved =
                    reg::writeRegisterFile(target, loaded.assetRegister, loaded.recordCount);
                // The register is saved; only its earlier version was lost.
                if (saved.backupFailure) {
                    err << reg::kBackupFailedMessage << " (" << *saved.backupFailure << ")\n";
                }
            } catch (const platform::WriteError& e) {
                err << reg::kWriteFailedMessage << " (" << target << ": " << e.what() << ")\n";
                return 1;
            }
        }

        emit(out, text, options.encoding);
        int status = 0;
        for (const yearend::ClosedAsset& asset : result.assets) {
            if (asset.outcome != yearend::CloseOutcome::NotComputed) continue;
            reportUncomputed(err, asset.record);
            status = 1;
        }
        return status;
    } catch (const std::exception&) {
        return reportFailure(err, options.file);
    }
}

}  // namespace fenmark::cli
