#pragma once
// The page device of the printouts. Positions are twips (1/1440 inch), x
// across and y down from the top-left corner of the printable area. The
// printer keeps a current position, a current font and the current page
// number (1 on the first page of a document).

#include <string>
#include <vector>

namespace fenmark::platform {

enum class Orientation { Portrait, Landscape };

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
    // moves to the start of the next line (x to 0, y one line lower).
    virtual void print(const std::string& text) = 0;
    // Width of the printable area, and of a text in the current font, in twips.
    [[nodiscard]] virtual double pageWidth() const = 0;
    [[nodiscard]] virtual double pageHeight() const = 0;
    [[nodiscard]] virtual double textWidth(const std::string& text) const = 0;
    [[nodiscard]] virtual double textHeight(const std::string& text) const = 0;
    // A straight black line between two points.
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    [[nodiscard]] virtual int page() const = 0;
    virtual void newPage() = 0;
    // Sends the document to the device; throws on failure.
    virtual void endDoc() = 0;
};

// Records every operation, for tests of the printouts. Text widths are
// estimated from the character count: a half-width character is half the
// point size wide, a full-width one the whole point size.
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

  private:
    std::vector<Op> ops_;
    Orientation orientation_ = Orientation::Portrait;
    bool a4_ = false;
    std::string font_ = "ＭＳ明朝";
    double size_ = 10.0;
    double x_ = 0, y_ = 0;
    int page_ = 1;
};

}  // namespace fenmark::platform
