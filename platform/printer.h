#pragma once
// The page device of the printouts. Positions are twips (1/1440 inch), x
// across and y down from the top-left corner of the printable area. The
// printer keeps a current position, a current font and the current page
// number (1 on the first page of a document).

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fenmark::platform {

enum class Orientation { Portrait, Landscape };

// What every print command tells the user when anything goes wrong after
// its question, a cancelled printer set-up dialog included.
inline constexpr const char* kPrintFailedMessage = "印刷で問題が発生しました。";

// The printer could not start, draw, break a page or finish the document.
class PrintError : public std::runtime_error {
  public:
    explicit PrintError(const std::string& what) : std::runtime_error(what) {}
};

class Printer {
  public:
    virtual ~Printer() = default;

    virtual void setOrientation(Orientation orientation) = 0;
    // Paper is always A4 in this program.
    virtual void setPaperA4() = 0;
    virtual void setFont(const std::string& name, double points) = 0;
    [[nodiscard]] virtual std::string fontName() const = 0;
    [[nodiscard]] virtual double fontSize() const = 0;

    [[nodiscard]] virtual double currentX() const = 0;
    [[nodiscard]] virtual double currentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;

    // Draws `text` with its top-left corner at the current position, then
    // moves to the start of the next line (x to 0, y one line lower), so an
    // empty text skips a line. A line break inside the text (CR LF, LF or
    // CR) starts a new line there, so "abc\r\n" leaves y two lines lower.
    virtual void print(const std::string& text) = 0;
    // Width of the printable area, and of a text in the current font (its
    // widest line), in twips.
    [[nodiscard]] virtual double pageWidth() const = 0;
    [[nodiscard]] virtual double pageHeight() const = 0;
    [[nodiscard]] virtual double textWidth(const std::string& text) const = 0;
    [[nodiscard]] virtual double textHeight(const std::string& text) const = 0;
    // A straight black line between two points.
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    [[nodiscard]] virtual int page() const = 0;
    virtual void newPage() = 0;
    // Sends the document to the device; throws PrintError on failure.
    virtual void endDoc() = 0;
};

// The number of line breaks in a text as print() counts them: CR LF, a lone
// LF and a lone CR are one each.
[[nodiscard]] std::size_t lineBreaks(const std::string& text);

// The device the print commands print on: the printer the set-up dialog
// chose (or a PDF file), one document per command, and the busy pointer.
class PrintDevice {
  public:
    virtual ~PrintDevice() = default;
    // Runs `compose` on a new document, page 1, nothing printed yet.
    // `compose` ends the document with endDoc(). When it throws instead, the
    // pages composed so far are sent as they stand (pages already sent are
    // never recalled) and the exception goes on to the caller.
    virtual void printDocument(const std::function<void(Printer&)>& compose) = 0;
    // Shows the busy (hourglass) pointer, or the normal one again.
    virtual void setBusy(bool busy) = 0;
};

// Records every operation, for tests of the printouts. Text widths are
// estimated from the character count: a half-width character is half the
// point size wide, a full-width one the whole point size; of a text of
// several lines the widest counts.
class RecordingPrinter : public Printer {
  public:
    struct Op {
        enum class Kind { Text, Line, NewPage, EndDoc } kind;
        int page = 1;
        double x = 0, y = 0, x2 = 0, y2 = 0;
        std::string text;
        std::string font;
        double size = 0;
    };

    void setOrientation(Orientation orientation) override { orientation_ = orientation; }
    void setPaperA4() override { a4_ = true; }
    void setFont(const std::string& name, double points) override {
        font_ = name;
        size_ = points;
    }
    [[nodiscard]] std::string fontName() const override { return font_; }
    [[nodiscard]] double fontSize() const override { return size_; }
    [[nodiscard]] double currentX() const override { return x_; }
    [[nodiscard]] double currentY() const override { return y_; }
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }
    void print(const std::string& text) override;
    [[nodiscard]] double pageWidth() const override;
    [[nodiscard]] double pageHeight() const override;
    [[nodiscard]] double textWidth(const std::string& text) const override;
    [[nodiscard]] double textHeight(const std::string& text) const override;
    void line(double x1, double y1, double x2, double y2) override;
    [[nodiscard]] int page() const override { return page_; }
    void newPage() override;
    void endDoc() override;

    [[nodiscard]] const std::vector<Op>& ops() const { return ops_; }
    [[nodiscard]] Orientation orientation() const { return orientation_; }
    [[nodiscard]] bool a4() const { return a4_; }

    // The operations of one kind on page `page` (1-based), in order.
    [[nodiscard]] std::vector<Op> onPage(int page, Op::Kind kind = Op::Kind::Text) const;
    // Pages in the document: 1 plus the page breaks recorded.
    [[nodiscard]] int pageCount() const;
    // True once endDoc() has been recorded.
    [[nodiscard]] bool ended() const;

    // A printer that breaks down: after `count` more operations have been
    // recorded, every drawing, page break and end of document throws
    // PrintError. Nothing means it never fails.
    void failAfter(std::optional<std::size_t> count) { failAfter_ = count; }

  private:
    void record(Op op);

    std::optional<std::size_t> failAfter_;
    std::vector<Op> ops_;
    Orientation orientation_ = Orientation::Portrait;
    bool a4_ = false;
    std::string font_ = "ＭＳ明朝";
    double size_ = 10.0;
    double x_ = 0, y_ = 0;
    int page_ = 1;
};

// A PrintDevice for tests: every document on its own RecordingPrinter, kept
// in order, and the busy pointer's state and changes.
class RecordingPrintDevice : public PrintDevice {
  public:
    void printDocument(const std::function<void(Printer&)>& compose) override;
    void setBusy(bool busy) override {
        busy_ = busy;
        busyChanges_.push_back(busy);
    }

    // Every later document's printer fails after `count` operations.
    void failAfter(std::optional<std::size_t> count) { failAfter_ = count; }

    [[nodiscard]] const std::deque<RecordingPrinter>& documents() const { return documents_; }
    [[nodiscard]] bool busy() const { return busy_; }
    [[nodiscard]] const std::vector<bool>& busyChanges() const { return busyChanges_; }

  private:
    std::deque<RecordingPrinter> documents_;
    std::optional<std::size_t> failAfter_;
    bool busy_ = false;
    std::vector<bool> busyChanges_;
};

}  // namespace fenmark::platform
