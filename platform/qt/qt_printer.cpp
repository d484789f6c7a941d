#include "platform/qt/qt_printer.h"

#include <QCursor>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPen>
#include <QPointF>
#include <QStringList>
#include <array>

namespace fenmark::platform::qt {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// A quarter inch, in points.
constexpr double kMarginPoints = 18.0;
// Half a point: a rule that shows on paper and on screen alike.
constexpr double kLineWidthTwips = 10.0;

struct FontAlias {
    const char* name;
    const char* family;
};

constexpr std::array<FontAlias, 8> kFontAliases = {{
    {"MS明朝", "IPAMincho"},
    {"ＭＳ明朝", "IPAMincho"},
    {"ＭＳ 明朝", "IPAMincho"},
    {"MS Mincho", "IPAMincho"},
    {"MSゴシック", "IPAGothic"},
    {"ＭＳゴシック", "IPAGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},
    {"MS Gothic", "IPAGothic"},
}};

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The lines of a text as print() draws them: CR LF, LF and CR each end one.
QStringList linesOf(const std::string& text) {
    QString all = fromUtf8(text);
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    all.replace(u'\r', u'\n');
    return all.split(u'\n');
}

}  // namespace

QString fontFamilyFor(const std::string& name) {
    for (const FontAlias& alias : kFontAliases) {
        if (name == alias.name) return QString::fromUtf8(alias.family);
    }
    const QString given = fromUtf8(name);
    if (given.contains(QString::fromUtf8("明朝"))) return QStringLiteral("IPAMincho");
    if (given.contains(QString::fromUtf8("ゴシック"))) return QStringLiteral("IPAGothic");
    return given;
}

QPageLayout printPageLayout() {
    return {QPageSize(QPageSize::A4), QPageLayout::Portrait,
            QMarginsF(kMarginPoints, kMarginPoints, kMarginPoints, kMarginPoints),
            QPageLayout::Point};
}

void preparePdfWriter(QPdfWriter& writer) {
    writer.setResolution(kPrintResolution);
    writer.setPageLayout(printPageLayout());
    writer.setCreator(QStringLiteral("fenmark"));
}

QtPrinter::QtPrinter(QPagedPaintDevice& device) : device_(device) { setFont("ＭＳ明朝", 10.0); }

QtPrinter::~QtPrinter() {
    if (painter_.isActive()) painter_.end();
}

void QtPrinter::setOrientation(Orientation orientation) {
    const auto qtOrientation =
        orientation == Orientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape;
    if (!device_.setPageOrientation(qtOrientation)) {
        throw PrintError("the printer refused the page orientation");
    }
}

void QtPrinter::setPaperA4() {
    if (!device_.setPageSize(QPageSize(QPageSize::A4))) {
        throw PrintError("the printer refused A4 paper");
    }
}

void QtPrinter::setFont(const std::string& name, double points) {
    fontName_ = name;
    points_ = points;
    QFont font(fontFamilyFor(name));
    font.setPointSizeF(points);
    // Metrics as the outlines give them, not as a screen's hinting would
    // round them: the layouts place text by its width.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    font_ = font;
}

void QtPrinter::begin() {
    if (painter_.isActive()) return;
    if (!painter_.begin(&device_)) throw PrintError("the printer could not start the document");
    painter_.setRenderHint(QPainter::Antialiasing);
}

double QtPrinter::deviceX(double twips) const {
    return twips * device_.logicalDpiX() / kTwipsPerInch;
}

double QtPrinter::deviceY(double twips) const {
    return twips * device_.logicalDpiY() / kTwipsPerInch;
}

void QtPrinter::print(const std::string& text) {
    begin();
    painter_.setFont(font_);
    painter_.setPen(Qt::black);
    const QFontMetricsF metrics(font_, &device_);
    const QStringList lines = linesOf(text);
    double x = x_;
    double y = y_;
    for (const QString& piece : lines) {
        if (!piece.isEmpty()) {
            painter_.drawText(QPointF(deviceX(x), deviceY(y) + metrics.ascent()), piece);
        }
        x = 0;
        y += textHeight(text);
    }
    x_ = 0;
    y_ = y;
}

double QtPrinter::pageWidth() const {
    return device_.width() * kTwipsPerInch / device_.logicalDpiX();
}

double QtPrinter::pageHeight() const {
    return device_.height() * kTwipsPerInch / device_.logicalDpiY();
}

double QtPrinter::textWidth(const std::string& text) const {
    const QFontMetricsF metrics(font_, &device_);
    double widest = 0;
    for (const QString& piece : linesOf(text)) {
        widest = std::max(widest, metrics.horizontalAdvance(piece));
    }
    return widest * kTwipsPerInch / device_.logicalDpiX();
}

double QtPrinter::textHeight(const std::string&) const {
    const QFontMetricsF metrics(font_, &device_);
    return metrics.height() * kTwipsPerInch / device_.logicalDpiY();
}

void QtPrinter::line(double x1, double y1, double x2, double y2) {
    begin();
    QPen pen(Qt::black);
    pen.setWidthF(deviceY(kLineWidthTwips));
    painter_.setPen(pen);
    painter_.drawLine(QPointF(deviceX(x1), deviceY(y1)), QPointF(deviceX(x2), deviceY(y2)));
}

void QtPrinter::newPage() {
    begin();
    if (!device_.newPage()) throw PrintError("the printer could not start a new page");
    ++page_;
    x_ = 0;
    y_ = 0;
}

void QtPrinter::endDoc() {
    begin();
    if (!painter_.end()) throw PrintError("the printer could not finish the document");
    page_ = 1;
    x_ = 0;
    y_ = 0;
}

QtPrintDevice::~QtPrintDevice() { setBusy(false); }

void QtPrintDevice::printDocument(const std::function<void(Printer&)>& compose) {
    // On an exception the printer's destructor ends the document with what
    // was drawn, and the exception goes on.
    QtPrinter printer(device_);
    compose(printer);
}

void QtPrintDevice::setBusy(bool busy) {
    if (busy == busy_ || qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return;
    }
    busy_ = busy;
    if (busy) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

}  // namespace fenmark::platform::qt
