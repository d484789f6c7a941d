#include "platform/printer.h"

#include <algorithm>
#include <utility>

namespace fenmark::platform {

namespace {

// A4 less a quarter-inch margin on each side, in twips.
constexpr double kA4ShortTwips = 11906.0 - 720.0;
constexpr double kA4LongTwips = 16838.0 - 720.0;

}  // namespace

std::size_t lineBreaks(const std::string& text) {
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            ++breaks;
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            ++breaks;
        }
    }
    return breaks;
}

void RecordingPrinter::record(Op op) {
    if (failAfter_) {
        if (*failAfter_ == 0) throw PrintError("the recording printer was told to fail");
        --*failAfter_;
    }
    ops_.push_back(std::move(op));
}

void RecordingPrinter::print(const std::string& text) {
    record({Op::Kind::Text, page_, x_, y_, 0, 0, text, font_, size_});
    x_ = 0;
    y_ += textHeight(text) * static_cast<double>(1 + lineBreaks(text));
}

double RecordingPrinter::pageWidth() const {
    return orientation_ == Orientation::Portrait ? kA4ShortTwips : kA4LongTwips;
}

double RecordingPrinter::pageHeight() const {
    return orientation_ == Orientation::Portrait ? kA4LongTwips : kA4ShortTwips;
}

double RecordingPrinter::textWidth(const std::string& text) const {
    // The widest line, as the text would print.
    double widest = 0;
    double halves = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == '\r' || lead == '\n') {
            widest = std::max(widest, halves);
            halves = 0;
            ++i;
            continue;
        }
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        const bool halfWidth = code < 0x80 || (code >= 0xFF61 && code <= 0xFF9F);
        halves += halfWidth ? 1 : 2;
        i += length;
    }
    widest = std::max(widest, halves);
    return widest * size_ * 10.0;  // a half-width character is half an em of size * 20 twips
}

double RecordingPrinter::textHeight(const std::string&) const { return size_ * 20.0 * 1.2; }

void RecordingPrinter::line(double x1, double y1, double x2, double y2) {
    record({Op::Kind::Line, page_, x1, y1, x2, y2, {}, font_, size_});
}

void RecordingPrinter::newPage() {
    record({Op::Kind::NewPage, page_, 0, 0, 0, 0, {}, font_, size_});
    ++page_;
    x_ = 0;
    y_ = 0;
}

void RecordingPrinter::endDoc() {
    record({Op::Kind::EndDoc, page_, 0, 0, 0, 0, {}, font_, size_});
    page_ = 1;
    x_ = 0;
    y_ = 0;
}

std::vector<RecordingPrinter::Op> RecordingPrinter::onPage(int page, Op::Kind kind) const {
    std::vector<Op> out;
    for (const Op& op : ops_) {
        if (op.page == page && op.kind == kind) out.push_back(op);
    }
    return out;
}

int RecordingPrinter::pageCount() const {
    return 1 + static_cast<int>(std::count_if(ops_.begin(), ops_.end(), [](const Op& op) {
               return op.kind == Op::Kind::NewPage;
           }));
}

bool RecordingPrinter::ended() const {
    return std::any_of(ops_.begin(), ops_.end(),
                       [](const Op& op) { return op.kind == Op::Kind::EndDoc; });
}

void RecordingPrintDevice::printDocument(const std::function<void(Printer&)>& compose) {
    RecordingPrinter& printer = documents_.emplace_back();
    printer.failAfter(failAfter_);
    compose(printer);
}

}  // namespace fenmark::platform
