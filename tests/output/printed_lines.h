#pragma once
// Reading a recorded printout back line by line, for the printout tests.

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/printer.h"

namespace fenmark::test {

using PrintOp = platform::RecordingPrinter::Op;

// The texts printed on one page at height y, left to right.
inline std::vector<PrintOp> lineAt(const platform::RecordingPrinter& printer, int page, double y) {
    std::vector<PrintOp> out;
    for (const PrintOp& op : printer.onPage(page)) {
        if (op.y == y) out.push_back(op);
    }
    std::sort(out.begin(), out.end(), [](const PrintOp& a, const PrintOp& b) { return a.x < b.x; });
    return out;
}

// The first text op of that text, copied: `ops` is often a temporary.
inline std::optional<PrintOp> textOf(const std::vector<PrintOp>& ops, const std::string& text) {
    for (const PrintOp& op : ops) {
        if (op.text == text) return op;
    }
    return std::nullopt;
}

}  // namespace fenmark::test
