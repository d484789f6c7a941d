#include "platform/printer.h"

namespace fenmark::platform {

namespace {

// A4 less a quarter-inch margin on each side, in twips.
constexpr double kA4ShortTwips = 11906.0 - 720.0;
constexpr double kA4LongTwips = 16838.0 - 720.0;

}  // namespace

void RecordingPrinter::print(const std::string& text) {
    ops_.push_back({Op::Kind::Text, page_, x_, y_, 0, 0, text, font_, size_});
    x_ = 0;
    y_ += textHeight(text);
}

double RecordingPrinter::pageWidth() const {
    return orientation_ == Orientation::Portrait ? kA4ShortTwips : kA4LongTwips;
}

double RecordingPrinter::pageHeight() const {
    return orientation_ == Orientation::Portrait ? kA4LongTwips : kA4ShortTwips;
}

double RecordingPrinter::textWidth(const std::string& text) const {
    double halves = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        const bool halfWidth = code < 0x80 || (code >= 0xFF61 && code <= 0xFF9F);
        halves += halfWidth ? 1 : 2;
        i += length;
    }
    return halves * size_ * 10.0;  // a half-width character is half an em of size * 20 twips
}

double RecordingPrinter::textHeight(const std::string&) const { return size_ * 20.0 * 1.2; }

void RecordingPrinter::line(double x1, double y1, double x2, double y2) {
    ops_.push_back({Op::Kind::Line, page_, x1, y1, x2, y2, {}, font_, size_});
}

void RecordingPrinter::newPage() {
    ops_.push_back({Op::Kind::NewPage, page_, 0, 0, 0, 0, {}, font_, size_});
    ++page_;
    x_ = 0;
    y_ = 0;
}

void RecordingPrinter::endDoc() {
    ops_.push_back({Op::Kind::EndDoc, page_, 0, 0, 0, 0, {}, font_, size_});
    page_ = 1;
    x_ = 0;
    y_ = 0;
}

}  // namespace fenmark::platform
