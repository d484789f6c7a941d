// fenmark-cli: the ledger's tables from the command line, without a display.

#include <CLI/CLI.hpp>
#include <iostream>
#include <map>

#include "cli/close_year_command.h"
#include "cli/commands.h"
#include "cli/csv_command.h"
#include "cli/life_command.h"
#include "cli/print_request.h"
#include "cli/schedule_command.h"
#include "cli/shokyaku_command.h"
#include "cli/statement_command.h"

int main(int argc, char** argv) {
    using fenmark::cli::Encoding;
    using fenmark::cli::Format;

    CLI::App app{
        "固定資産台帳の内容を出力し、年度締めと CSV の書き出し・読み込みをします (fenmark-cli)"};
    app.require_subcommand(1);

    const std::map<std::string, Format> formats{
        {"json", Format::Json}, {"tsv", Format::Tsv}, {"csv", Format::Csv}};
    const std::map<std::string, Encoding> encodings{{"utf-8", Encoding::Utf8},
                                                    {"cp932", Encoding::Cp932}};

    const std::map<std::string, fenmark::cli::Rounding> roundings{
        {"up", fenmark::cli::Rounding::Up}, {"down", fenmark::cli::Rounding::Down}};

    const std::map<std::string, fenmark::yearend::ReturnForm> forms{
        {"ao", fenmark::yearend::ReturnForm::Blue},
        {"shunyu", fenmark::yearend::ReturnForm::Income}};

    // A choice among names, shown in the help as the names alone.
    auto choice = [](CLI::Option* option, const auto& names, const char* text,
                     const char* defaultName) {
        option->transform(CLI::CheckedTransformer(names, CLI::ignore_case).description(""))
            ->option_text(text)
            ->default_str(defaultName);
    };
    auto addOutputOptions = [&](CLI::App* command, Format& format, Encoding& encoding) {
        choice(command->add_option("--format", format, "出力形式 (既定 json)"), formats,
               "json|tsv|csv", "json");
        choice(command->add_option("--encoding", encoding, "文字コード (既定 utf-8)"), encodings,
               "utf-8|cp932", "utf-8");
    };
    // The schedule and the statement take the settings of their windows.
    auto addWindowOptions = [&](CLI::App* command, std::optional<int>& closingMonth,
                                fenmark::cli::Rounding& rounding,
                                std::optional<std::int32_t>& currentYear) {
        command->add_option("--closing-month", closingMonth, "決算月 (1-12、既定は設定ファイル)")
            ->check(CLI::Range(1, 12));
        choice(command->add_option("--rounding", rounding,
                                   "計算方法: up (切上げ、既定), down (切捨て)"),
               roundings, "up|down", "up");
        command->add_option("--current-year", currentYear, "現在の年 (西暦、既定は今年)")
            ->check(CLI::Range(1, 9999));
    };

    fenmark::cli::ListOptions list;
    CLI::App* listCommand = app.add_subcommand("list", "台帳の一覧を出力します");
    listCommand->add_option("FILE", list.file, "台帳ファイル (.dat)")->required();
    addOutputOptions(listCommand, list.format, list.encoding);

    fenmark::cli::ScheduleOptions schedule;
    CLI::App* scheduleCommand =
        app.add_subcommand("schedule", "資産ごとの償却費シュミレーションを出力します");
    scheduleCommand->add_option("FILE", schedule.file, "台帳ファイル (.dat)")->required();
    CLI::Option_group* which = scheduleCommand->add_option_group("資産");
    which->add_option("--record", schedule.record, "資産の番号 (1から)")
        ->check(CLI::PositiveNumber);
    which->add_flag("--all", schedule.all, "すべての資産");
    which->require_option(1);
    addWindowOptions(scheduleCommand, schedule.closingMonth, schedule.rounding,
                     schedule.currentYear);
    addOutputOptions(scheduleCommand, schedule.format, schedule.encoding);

    CLI::App* printCommand = app.add_subcommand("print", "印刷物を PDF ファイルに出力します");
    printCommand->require_subcommand(1);
    fenmark::cli::PrintLedgerOptions printLedger;
    CLI::App* printLedgerCommand =
        printCommand->add_subcommand("ledger", "台帳一覧を PDF に出力します");
    printLedgerCommand->add_option("FILE", printLedger.file, "台帳ファイル (.dat)")->required();
    printLedgerCommand->add_option("--pdf", printLedger.pdf, "出力する PDF ファイル")->required();

    fenmark::cli::PrintScheduleOptions printSchedule;
    CLI::App* printScheduleCommand = printCommand->add_subcommand(
        "schedule", "資産ごとの償却費シュミレーションを PDF に出力します");
    printScheduleCommand->add_option("FILE", printSchedule.file, "台帳ファイル (.dat)")->required();
    printScheduleCommand->add_option("--record", printSchedule.record, "資産の番号 (1から)")
        ->required()
        ->check(CLI::PositiveNumber);
    addWindowOptions(printScheduleCommand, printSchedule.closingMonth, printSchedule.rounding,
                     printSchedule.currentYear);
    printScheduleCommand->add_option("--pdf", printSchedule.pdf, "出力する PDF ファイル")
        ->required();

    fenmark::cli::PrintStatementOptions printStatement;
    CLI::App* printStatementCommand =
        printCommand->add_subcommand("statement", "決算書資料を PDF に出力します");
    printStatementCommand->add_option("FILE", printStatement.file, "台帳ファイル (.dat)")
        ->required();
    printStatementCommand
        ->add_option("--year", printStatement.year,
                     "年分 (西暦 2026、R8、H30、または平成の年 1～99)")
        ->required();
    addWindowOptions(printStatementCommand, printStatement.closingMonth, printStatement.rounding,
                     printStatement.currentYear);
    printStatementCommand->add_option("--pdf", printStatement.pdf, "出力する PDF ファイル")
        ->required();
    choice(printStatementCommand->add_option(
               "--form", printStatement.form,
               "申告書の様式: ao (青色申告決算書、既定), shunyu (収支内訳書)"),
           forms, "ao|shunyu", "ao");
    const std::map<std::string, fenmark::yearend::StatementView> views{
        {"table", fenmark::yearend::StatementView::Table},
        {"sakusei", fenmark::yearend::StatementView::Online}};
    choice(printStatementCommand->add_option(
               "--view", printStatement.view,
               "印刷する表示: table (決算書の表、既定), sakusei (作成コーナー入力用)"),
           views, "table|sakusei", "table");

    fenmark::cli::StatementOptions statement;
    CLI::App* statementCommand = app.add_subcommand("statement", "決算書資料を出力します");
    statementCommand->add_option("FILE", statement.file, "台帳ファイル (.dat)")->required();
    statementCommand
        ->add_option("--year", statement.year, "年分 (西暦 2026、R8、H30、または平成の年 1～99)")
        ->required();
    addWindowOptions(statementCommand, statement.closingMonth, statement.rounding,
                     statement.currentYear);
    // The statement alone also writes the table as the electronic filings
    // take it.
    std::map<std::string, std::string> statementFormats;
    for (const auto& [name, format] : formats) statementFormats.emplace(name, name);
    for (const auto& [name, filing] : fenmark::cli::kFilingFormatNames) {
        statementFormats.emplace(name, name);
    }
    std::string statementFormat = "json";
    statementCommand->footer(
        "sakusei-json と sakusei-csv は確定申告書等作成コーナーに入力する項目を画面の順に、"
        "etax-json と etax-csv は e-Tax の青色申告決算書 (KOA210)・収支内訳書 (KOA110) の"
        "「減価償却費の計算」をタグごとに出力します。どちらもその年分の申告に載せる資産だけで、"
        "様式は --form で選びます。項目の説明はヘルプの「fenmark-cli」にあります。");
    choice(statementCommand->add_option("--format", statementFormat, "出力形式 (既定 json)"),
           statementFormats, "json|tsv|csv|sakusei-json|sakusei-csv|etax-json|etax-csv", "json");
    choice(
        statementCommand->add_option("--encoding", statement.encoding, "文字コード (既定 utf-8)"),
        encodings, "utf-8|cp932", "utf-8");
    choice(statementCommand->add_option(
               "--form", statement.form,
               "申告書の様式: ao (青色申告決算書、既定), shunyu (収支内訳書)"),
           forms, "ao|shunyu", "ao");

    fenmark::cli::CloseYearOptions closeYear;
    CLI::App* closeYearCommand = app.add_subcommand(
        "close-year",
        "年度締め: 年分の期末の未償却残高を、翌年分の前年末未償却残高（引継ぎ）として台帳に記録"
        "して保存します");
    closeYearCommand->footer(
        "確認はしません（このコマンドを実行することが確認です）。各資産の期末の未償却残高と改定取得"
        "価額を、データファイルの項目23～26に翌年分の引継ぎとして記録します。保存は一時ファイルに"
        "書いてから置き換えるので、書き込みに失敗したときファイルは元のままです。");
    closeYearCommand->add_option("FILE", closeYear.file, "台帳ファイル (.dat)")->required();
    closeYearCommand
        ->add_option("--year", closeYear.year,
                     "締める年分 (西暦 2026、R8、H30、または平成の年 1～99)")
        ->required();
    closeYearCommand->add_option("-o,--output", closeYear.output,
                                 "保存するファイル (既定は FILE に上書き)");
    addWindowOptions(closeYearCommand, closeYear.closingMonth, closeYear.rounding,
                     closeYear.currentYear);
    const std::map<std::string, fenmark::cli::ReportFormat> reportFormats{
        {"text", fenmark::cli::ReportFormat::Text}, {"json", fenmark::cli::ReportFormat::Json}};
    choice(closeYearCommand->add_option("--format", closeYear.format, "出力形式 (既定 text)"),
           reportFormats, "text|json", "text");
    choice(
        closeYearCommand->add_option("--encoding", closeYear.encoding, "文字コード (既定 utf-8)"),
        encodings, "utf-8|cp932", "utf-8");

    fenmark::cli::ExportOptions exportCsv;
    CLI::App* exportCommand = app.add_subcommand("export", "台帳を CSV ファイルに書き出します");
    exportCommand->footer(
        "見出し行のあとに資産1件を1行で書きます（列はヘルプの「CSVの形式」）。書き出した CSV を "
        "import で読み込むと、元の台帳と項目ごとに同じ台帳になります。");
    exportCommand->add_option("FILE", exportCsv.file, "台帳ファイル (.dat)")->required();
    const std::map<std::string, std::string> exportFormats{{"csv", "csv"}};
    choice(exportCommand->add_option("--format", exportCsv.format, "出力形式 (既定 csv)"),
           exportFormats, "csv", "csv");
    const std::map<std::string, fenmark::reg::CsvEncoding> csvEncodings{
        {"utf8", fenmark::reg::CsvEncoding::Utf8},
        {"utf-8", fenmark::reg::CsvEncoding::Utf8},
        {"utf8-bom", fenmark::reg::CsvEncoding::Utf8Bom},
        {"cp932", fenmark::reg::CsvEncoding::Cp932}};
    choice(exportCommand->add_option(
               "--encoding", exportCsv.encoding,
               "文字コード: utf8 (既定)、utf8-bom (BOM付き、Excel 向け)、cp932 (シフトJIS)"),
           csvEncodings, "utf8|utf8-bom|cp932", "utf8");
    exportCommand->add_option("-o,--output", exportCsv.output, "書き出すファイル (既定は標準出力)");

    fenmark::cli::ImportOptions importCsv;
    CLI::App* importCommand = app.add_subcommand(
        "import",
        "CSV ファイル (Fenmark、freee 会計の固定資産、e-shiwake の形式) を新しい台帳にします");
    importCommand->footer(
        "形式は見出し行で見分けます。文字コードは UTF-8 (BOM の有無を問わない) かシフトJIS。"
        "資産カードと同じ確認をすべての行にして、問題が一つでもあれば何も書かずに、"
        "すべての問題を「12行目 取得価額「12万」: 取得価額が不正です。」の形で表示します。"
        "1,000件を超える CSV は読み込みません。");
    importCommand->add_option("CSV", importCsv.csv, "CSV ファイル")->required();
    importCommand->add_option(
        "--year", importCsv.year,
        "期首残高（freee 会計）・期末帳簿価額（e-shiwake、前年分として）を引継ぎにする年分 "
        "(西暦 2026、R8、H30。既定は申告する年分)");
    importCommand->add_option("-o,--output", importCsv.output, "書き込む台帳ファイル (.dat)")
        ->required();
    importCommand
        ->add_option("--current-year", importCsv.currentYear, "現在の年 (西暦、既定は今年)")
        ->check(CLI::Range(1, 9999));
    importCommand->add_option("--current-month", importCsv.currentMonth, "現在の月 (既定は今月)")
        ->check(CLI::Range(1, 12));

    fenmark::cli::LifeOptions life;
    CLI::App* lifeCommand = app.add_subcommand(
        "life", "法定耐用年数を探します。--used で中古資産の耐用年数（簡便法）を計算します");
    lifeCommand->add_option("WORDS", life.words, "探す語 (パソコン、軽自動車、木造 店舗 など)");
    lifeCommand->add_option("--used", life.used, "中古資産の法定耐用年数 (2-100)");
    lifeCommand->add_option("--elapsed-months", life.elapsedMonths,
                            "新品のときからの経過月数 (1-1200)");
    addOutputOptions(lifeCommand, life.format, life.encoding);

    fenmark::cli::ShokyakuOptions shokyaku;
    CLI::App* shokyakuCommand = app.add_subcommand(
        "shokyaku",
        "償却資産申告: 1月1日現在の資産ごとの評価額と、種類ごとの取得価額の合計を出力します");
    shokyakuCommand->footer(
        "--year は賦課期日（1月1日）の年です（既定は10月からは翌年、それまでは今年）。"
        "税額は税率から見込んだもので、実際の税額は市区町村が計算します。");
    shokyakuCommand->add_option("FILE", shokyaku.file, "台帳ファイル (.dat)")->required();
    shokyakuCommand->add_option("--year", shokyaku.year, "賦課期日の年 (西暦 2027、R9)");
    shokyakuCommand->add_option("--rate", shokyaku.rate, "税率 % (既定 1.4)");
    addOutputOptions(shokyakuCommand, shokyaku.format, shokyaku.encoding);

    // Set last, so that the subcommands' own help does not repeat it.
    app.footer(
        "schedule と statement の JSON には、前年末未償却残高（引継ぎ）のある資産に \"carried\"、"
        "私用から業務に使い始めた資産に \"conversion\"、除却・売却・自家転用した資産に "
        "\"leaving\" が加わります。くわしくはヘルプの「fenmark-cli」を見てください。");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }

    if (*listCommand) return fenmark::cli::runList(list, std::cout, std::cerr);
    if (*lifeCommand) return fenmark::cli::runLife(life, std::cout, std::cerr);
    if (*printCommand) {
        fenmark::cli::PrintRequest request;
        if (*printLedgerCommand) request.ledger = printLedger;
        if (*printScheduleCommand) request.schedule = printSchedule;
        if (*printStatementCommand) request.statement = printStatement;
        return fenmark::cli::runPrint(request, argc, argv);
    }
    if (*scheduleCommand) return fenmark::cli::runSchedule(schedule, std::cout, std::cerr);
    if (*statementCommand) {
        if (const auto format = formats.find(statementFormat); format != formats.end()) {
            statement.format = format->second;
        }
        for (const auto& [name, filing] : fenmark::cli::kFilingFormatNames) {
            if (name == statementFormat) statement.filing = filing;
        }
        return fenmark::cli::runStatement(statement, std::cout, std::cerr);
    }
    if (*closeYearCommand) return fenmark::cli::runCloseYear(closeYear, std::cout, std::cerr);
    if (*exportCommand) return fenmark::cli::runExport(exportCsv, std::cout, std::cerr);
    if (*importCommand) return fenmark::cli::runImport(importCsv, std::cout, std::cerr);
    if (*shokyakuCommand) return fenmark::cli::runShokyaku(shokyaku, std::cout, std::cerr);
    return 1;
}
