#include "cli/csv_command.h"

#include "law/era.h"
#include "platform/text_file.h"
#include "register/backups.h"
#include "register/register_file.h"
#include "yearend/statement.h"

namespace fenmark::cli {

int runExport(const ExportOptions& options, std::ostream& out, std::ostream& err) {
    reg::LoadedRegister loaded;
    try {
        loaded = reg::readRegisterFile(options.file);
    } catch (const std::exception&) {
        err << reg::kReadFailedMessage << " (" << options.file << ")\n";
        return 1;
    }
    try {
        if (options.output) {
            reg::writeCsvFile(*options.output, loaded.assetRegister, loaded.recordCount,
                              options.encoding);
        } else {
            out << reg::encodeCsv(reg::formatCsv(loaded.assetRegister, loaded.recordCount),
                                  options.encoding);
        }
    } catch (const platform::WriteError& e) {
        err << reg::kCsvWriteFailedMessage << " (" << options.output.value_or("-") << ": "
            << e.what() << ")\n";
        return 1;
    }
    return 0;
}

int runImport(const ImportOptions& options, std::ostream& out, std::ostream& err) {
    reg::CsvImportOptions importOptions;
    importOptions.today = {options.currentYear.value_or(law::systemCalendarYear()),
                           options.currentMonth.value_or(law::systemCalendarMonth())};
    if (options.year) {
        const yearend::StatementYear typed = yearend::readStatementYearArgument(*options.year);
        if (typed.refusal != yearend::StatementYear::Refusal::None) {
            err << typed.message() << " (--year " << *options.year << ")\n";
            return 1;
        }
        importOptions.importYear = 1988 + typed.year;
    }
    const reg::CsvImport result = reg::readCsvFile(options.csv, importOptions);
    if (!result.ok()) {
        for (const reg::CsvProblem& problem : result.problems) {
            err << reg::formatCsvProblem(problem) << "\n";
        }
        return 1;
    }
    reg::AssetRegister imported;
    std::int16_t count = 0;
    if (!reg::appendImportedRows(imported, count, result.rows)) {
        err << reg::kCsvTooManyMessage << "\n";
        return 1;
    }
    try {
        const reg::SaveReport saved = reg::writeRegisterFile(options.output, imported, count);
        if (saved.backupFailure) {
            err << reg::kBackupFailedMessage << " (" << *saved.backupFailure << ")\n";
        }
    } catch (const platform::WriteError& e) {
        err << reg::kWriteFailedMessage << " (" << options.output << ": " << e.what() << ")\n";
        return 1;
    }
    out << count << "件の資産を読み込みました（" << reg::csvLayoutName(*result.layout)
        << "の形式）。\n";
    return 0;
}

}  // namespace fenmark::cli
