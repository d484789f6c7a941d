#pragma once
// The page device on Qt: QPainter on a QPrinter (the printer the set-up
// dialog configured) or on a QPdfWriter. Positions are twips from the
// top-left corner of the printable area, converted to the device's units;
// fonts are chosen by the names the printouts use and mapped to the
// installed Japanese fonts. Needs Qt GUI only, so the command-line tool can
// write PDF files without widgets.

#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>
#include <functional>
#include <string>

#include "platform/printer.h"

class QPdfWriter;

namespace fenmark::platform::qt {

// The installed family for a font name of the printouts: the Mincho names
// ("MS明朝", "ＭＳ明朝" and their kin) give IPA Mincho, the Gothic ones
// ("ＭＳゴシック" …) IPA Gothic. Any other name is used as it stands.
[[nodiscard]] QString fontFamilyFor(const std::string& name);

// The device units per inch every printout is painted at: one per twip, so
// that each position of a layout lands on a whole unit and a font of n
// points is exactly 20n units high. A screen's 96 dots would round a 10-point
// font to 9.75 points and shift every text measured with it.
inline constexpr int kPrintResolution = 1440;

// The page every printout is composed on, in the window program and in the
// command-line tool alike: A4 with quarter-inch margins all round, the
// printable area of a common office printer, so that a PDF file shows the
// pages as they would print and both roads give the same page.
[[nodiscard]] QPageLayout printPageLayout();

// Sets the writer to that page and resolution.
void preparePdfWriter(QPdfWriter& writer);

class QtPrinter : public Printer {
  public:
    // Paints on `device`, which must outlive this printer. The document
    // starts with the first thing drawn, so orientation and paper set
    // before that already hold for page 1; set later, they hold from the
    // next page on.
    explicit QtPrinter(QPagedPaintDevice& device);
    // Ends a document that endDoc() did not: what was drawn is sent.
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    // Both throw PrintError when the device refuses the setting.
    void setOrientation(Orientation orientation) override;
    void setPaperA4() override;
    void setFont(const std::string& name, double points) override;
    [[nodiscard]] std::string fontName() const override { return fontName_; }
    [[nodiscard]] double fontSize() const override { return points_; }

    [[nodiscard]] double currentX() const override { return x_; }
    [[nodiscard]] double currentY() const override { return y_; }
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }

    // The drawing operations throw PrintError when the device cannot start
    // the document or break the page.
    void print(const std::string& text) override;
    [[nodiscard]] double pageWidth() const override;
    [[nodiscard]] double pageHeight() const override;
    [[nodiscard]] double textWidth(const std::string& text) const override;
    [[nodiscard]] double textHeight(const std::string& text) const override;
    void line(double x1, double y1, double x2, double y2) override;
    [[nodiscard]] int page() const override { return page_; }
    void newPage() override;
    void endDoc() override;

    // The font text is drawn in now.
    [[nodiscard]] const QFont& font() const { return font_; }

  private:
    void begin();
    [[nodiscard]] double deviceX(double twips) const;
    [[nodiscard]] double deviceY(double twips) const;

    QPagedPaintDevice& device_;
    QPainter painter_;
    QFont font_;
    std::string fontName_;
    double points_ = 0;
    double x_ = 0;
    double y_ = 0;
    int page_ = 1;
};

// The print commands' device on Qt: each document on a fresh QtPrinter over
// the same paint device, and the wait cursor as the busy pointer.
class QtPrintDevice : public PrintDevice {
  public:
    // `device` must outlive this object; it is usually QtDialogs::printer().
    explicit QtPrintDevice(QPagedPaintDevice& device) : device_(device) {}
    ~QtPrintDevice() override;
    QtPrintDevice(const QtPrintDevice&) = delete;
    QtPrintDevice& operator=(const QtPrintDevice&) = delete;

    void printDocument(const std::function<void(Printer&)>& compose) override;
    void setBusy(bool busy) override;

  private:
    QPagedPaintDevice& device_;
    bool busy_ = false;
};

}  // namespace fenmark::platform::qt
