#include "cli/output.h"

#include "platform/text_file.h"
#include "register/register_file.h"
#include "schedule/schedule_window.h"

namespace fenmark::cli {

namespace {

std::string csvField(const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string out = "\"";
    for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

void appendLine(std::string& out, const std::vector<std::string>& cells, Format format) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += format == Format::Csv ? "," : "\t";
        out += format == Format::Csv ? csvField(cells[i]) : cells[i];
    }
    out += format == Format::Csv ? "\r\n" : "\n";
}

}  // namespace

std::string formatTable(const std::vector<std::string>& headings, const Table& rows,
                        Format format) {
    std::string out;
    appendLine(out, headings, format);
    for (const auto& row : rows) appendLine(out, row, format);
    return out;
}

void emit(std::ostream& out, const std::string& utf8, Encoding encoding) {
    if (encoding == Encoding::Cp932) {
        out << platform::utf8ToCp932(utf8);
    } else {
        out << utf8;
    }
}

void reportUncomputed(std::ostream& err, int record) {
    err << "記録 " << record << ": " << schedule::kCannotComputeMessage << "\n";
}

int reportFailure(std::ostream& err, const std::string& file) {
    try {
        throw;
    } catch (const platform::ReadError& e) {
        err << reg::kReadFailedMessage << " (" << file << ": " << e.what() << ")\n";
    } catch (const platform::WriteError& e) {
        err << "出力できない文字があります: " << e.what() << "\n";
    } catch (const std::exception& e) {
        err << "エラー: " << e.what() << "\n";
    }
    return 1;
}

std::string cleanHeading(std::string heading) {
    static const std::string fullWidthBlank = "\xE3\x80\x80";
    auto trim = [&] {
        bool changed = true;
        while (changed) {
            changed = false;
            if (!heading.empty() && (heading.front() == ' ' || heading.front() == '\t')) {
                heading.erase(0, 1);
                changed = true;
            }
            if (!heading.empty() && (heading.back() == ' ' || heading.back() == '\t')) {
                heading.pop_back();
                changed = true;
            }
            if (heading.starts_with(fullWidthBlank)) {
                heading.erase(0, fullWidthBlank.size());
                changed = true;
            }
            if (heading.ends_with(fullWidthBlank)) {
                heading.erase(heading.size() - fullWidthBlank.size());
                changed = true;
            }
        }
    };
    trim();
    if (!heading.empty() && heading.front() == '^') heading.erase(0, 1);
    trim();
    return heading;
}

std::vector<std::string> formatHeadings(std::string_view format) {
    std::vector<std::string> headings;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = format.find('|', start);
        std::string_view piece =
            format.substr(start, bar == std::string_view::npos ? bar : bar - start);
        if (!piece.empty() && (piece[0] == '^' || piece[0] == '<' || piece[0] == '>')) {
            piece.remove_prefix(1);
        }
        headings.push_back(cleanHeading(std::string(piece)));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    return headings;
}

}  // namespace fenmark::cli
