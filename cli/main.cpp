// fenmark-cli: the ledger's tables from the command line, without a display.

#include <CLI/CLI.hpp>
#include <iostream>
#include <map>

#include "cli/commands.h"

int main(int argc, char** argv) {
    using fenmark::cli::Encoding;
    using fenmark::cli::Format;

    CLI::App app{"固定資産台帳の内容を出力します (fenmark-cli)"};
    app.require_subcommand(1);

    const std::map<std::string, Format> formats{
        {"json", Format::Json}, {"tsv", Format::Tsv}, {"csv", Format::Csv}};
    const std::map<std::string, Encoding> encodings{{"utf-8", Encoding::Utf8},
                                                    {"cp932", Encoding::Cp932}};

    fenmark::cli::ListOptions list;
    CLI::App* listCommand = app.add_subcommand("list", "台帳の一覧を出力します");
    listCommand->add_option("FILE", list.file, "台帳ファイル (.dat)")->required();
    listCommand->add_option("--format", list.format, "出力形式: json, tsv, csv")
        ->transform(CLI::CheckedTransformer(formats, CLI::ignore_case))
        ->default_str("json");
    listCommand->add_option("--encoding", list.encoding, "文字コード: utf-8, cp932")
        ->transform(CLI::CheckedTransformer(encodings, CLI::ignore_case))
        ->default_str("utf-8");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }

    if (*listCommand) return fenmark::cli::runList(list, std::cout, std::cerr);
    return 1;
}
