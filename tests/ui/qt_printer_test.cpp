#include "platform/qt/qt_printer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/qt/qt_dialogs.h"
#include "register/ledger_print.h"
#include "register/register_file.h"
#include "schedule/schedule_window.h"
#include "test_support.h"
#include "yearend/statement_print.h"
#include "yearend/statement_window.h"

namespace fenmark::platform::qt {
namespace {

// The quarter-inch margin of the PDF files, in twips.
constexpr double kMargin = 360;

struct Word {
    int page;
    double x;  // left edge, points from the paper's corner
    double y;  // top edge
    // Poppler makes a word as high as its font's ascent and descent, which
    // add up to one em in the IPA fonts: the height is the font size.
    double height;
    QString text;
};

// The words of a PDF file with their boxes, as poppler reads them back.
std::vector<Word> wordsOf(const std::string& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), QString::fromStdString(pdf), QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        throw std::runtime_error("pdftotext failed");
    }
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression tag(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<Word> words;
    int page = 0;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        const double top = m.captured(2).toDouble();
        words.push_back({page, m.captured(1).toDouble(), top, m.captured(3).toDouble() - top,
                         m.captured(4).replace(QStringLiteral("&amp;"), QStringLiteral("&"))});
    }
    return words;
}

const Word* find(const std::vector<Word>& words, int page, const char* text, double yTwips = -1) {
    for (const Word& w : words) {
        const bool onLine = yTwips < 0 || std::abs(w.y - (yTwips + kMargin) / 20) < 0.5;
        if (w.page == page && w.text == QString::fromUtf8(text) && onLine) return &w;
    }
    return nullptr;
}

class QtPrinterTest : public ::testing::Test {
  protected:
    static bool havePdfToText() {
        return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    }

    test::TempDir dir_;
    std::string pdf_ = dir_.file("out.pdf");
};

TEST_F(QtPrinterTest, PrintoutFontNamesGiveTheInstalledJapaneseFonts) {
    EXPECT_EQ(fontFamilyFor("MS明朝"), QStringLiteral("IPAMincho"));
    EXPECT_EQ(fontFamilyFor("ＭＳ明朝"), QStringLiteral("IPAMincho"));
    EXPECT_EQ(fontFamilyFor("ＭＳゴシック"), QStringLiteral("IPAGothic"));
    EXPECT_EQ(fontFamilyFor("DejaVu Sans"), QStringLiteral("DejaVu Sans"));

    QPdfWriter writer(QString::fromStdString(pdf_));
    QtPrinter printer(writer);
    printer.setFont("ＭＳゴシック", 12);
    EXPECT_EQ(printer.fontName(), "ＭＳゴシック");
    EXPECT_EQ(printer.fontSize(), 12);
    EXPECT_EQ(QFontInfo(printer.font()).family(), QStringLiteral("IPAGothic"));
    printer.setFont("MS明朝", 10);
    EXPECT_EQ(QFontInfo(printer.font()).family(), QStringLiteral("IPAMincho"));
}

TEST_F(QtPrinterTest, MeasuresTheA4PrintableAreaAndTextsInTwips) {
    QPdfWriter writer(QString::fromStdString(pdf_));
    preparePdfWriter(writer);
    QtPrinter printer(writer);
    printer.setPaperA4();
    printer.setOrientation(Orientation::Portrait);
    // A4 as the PDF file holds it, 595 x 842 points, less a quarter inch on
    // every side.
    EXPECT_NEAR(printer.pageWidth(), 595 * 20 - 2 * kMargin, 2);
    EXPECT_NEAR(printer.pageHeight(), 842 * 20 - 2 * kMargin, 2);
    printer.setFont("MS明朝", 10);
    // Mincho digits and separators are half an em; kanji a whole one.
    EXPECT_NEAR(printer.textWidth("1,234,567"), 900, 2);
    EXPECT_NEAR(printer.textWidth("資産の名称"), 1000, 2);
    EXPECT_GE(printer.textHeight("資産"), 200);
    printer.setOrientation(Orientation::Landscape);
    EXPECT_NEAR(printer.pageWidth(), 842 * 20 - 2 * kMargin, 2);
}

TEST_F(QtPrinterTest, PrintMovesToTheNextLineAndPagesCountFromOne) {
    QPdfWriter writer(QString::fromStdString(pdf_));
    preparePdfWriter(writer);
    QtPrinter printer(writer);
    printer.setFont("ＭＳ明朝", 10);
    const double line = printer.textHeight("");
    printer.setCurrentX(1000);
    printer.setCurrentY(2000);
    printer.print("abc\r\n");
    EXPECT_EQ(printer.currentX(), 0);
    EXPECT_NEAR(printer.currentY(), 2000 + 2 * line, 1e-6);
    EXPECT_EQ(printer.page(), 1);
    printer.newPage();
    EXPECT_EQ(printer.page(), 2);
    EXPECT_EQ(printer.currentY(), 0);
    printer.line(980, 2800, 10600, 2800);
    printer.endDoc();
    EXPECT_EQ(printer.page(), 1);
}

TEST_F(QtPrinterTest, LedgerPdfPutsTheTwipsWhereTheLayoutSays) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    reg::ProgramState state;
    for (int i = 1; i <= 21; ++i) {
        state.assetRegister.row(i) = test::asset("資産" + std::to_string(i), "1", "20", "4", "4",
                                                 i == 2 ? "3000000" : "100000", "5", "0.200", "3");
    }
    state.recordCount = 21;
    state.chosenFilePath = "/tmp/a.dat";
    {
        QPdfWriter writer(QString::fromStdString(pdf_));
        preparePdfWriter(writer);
        QtPrintDevice device(writer);
        device.printDocument([&](Printer& printer) { reg::printLedger(printer, state); });
    }
    const std::vector<Word> words = wordsOf(pdf_);
    ASSERT_FALSE(words.empty());
    EXPECT_EQ(words.back().page, 2);

    struct Expected {
        int page;
        const char* text;
        double x, y;  // twips from the printable area's corner
    };
    const std::vector<Expected> expected = {
        {1, "/tmp/a.dat", 800, 300}, {1, "取得年月", 4100, 1800},  {1, "コード", 10100 + 100, 1800},
        {1, "資産1", 1350, 2400},    {1, "3,000,000", 5130, 3000}, {1, "H.", 4150, 3000},
        {1, "100", 9300, 3000},      {1, "資産20", 1350, 13800},   {2, "/tmp/a.dat", 800, 300},
        {2, "資産21", 1350, 2400},   {2, "21", 900 + 100, 2400},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.text);
        const Word* w = find(words, e.page, e.text, e.y);
        ASSERT_NE(w, nullptr);
        EXPECT_NEAR(w->x, (e.x + kMargin) / 20, 0.5);
        EXPECT_NEAR(w->y, (e.y + kMargin) / 20, 0.5);
    }
    // The title is centred on the first page: equal room on either side,
    // less the 200 twips the layout takes off.
    const Word* title = find(words, 1, "固定資産台帳一覧");
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->x + 112 / 2, 595.0 / 2 - 10, 0.5);
    EXPECT_EQ(find(words, 2, "固定資産台帳一覧"), nullptr);
}

TEST_F(QtPrinterTest, PrinterOfTheSetUpDialogGetsTheSamePage) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    reg::ProgramState state;
    state.assetRegister.row(1) =
        test::asset("机", "1", "20", "4", "4", "3000000", "5", "0.200", "3");
    state.recordCount = 1;
    state.chosenFilePath = "/tmp/a.dat";
    QtDialogs dialogs;
    QPrinter& qprinter = dialogs.printer();
    qprinter.setOutputFormat(QPrinter::PdfFormat);
    qprinter.setOutputFileName(QString::fromStdString(pdf_));
    QtPrintDevice device(qprinter);
    device.printDocument([&](Printer& printer) { reg::printLedger(printer, state); });

    // Whatever margins the printer has, positions count from the printable
    // area's corner.
    const QMarginsF margins = qprinter.pageLayout().margins(QPageLayout::Point);
    const std::vector<Word> words = wordsOf(pdf_);
    const Word* cost = find(words, 1, "3,000,000");
    ASSERT_NE(cost, nullptr);
    EXPECT_NEAR(cost->x, margins.left() + 5130.0 / 20, 0.5);
    EXPECT_NEAR(cost->y, margins.top() + 2400.0 / 20, 0.5);
    const Word* heading = find(words, 1, "/tmp/a.dat");
    ASSERT_NE(heading, nullptr);
    EXPECT_NEAR(heading->x, margins.left() + 800.0 / 20, 0.5);
}

// The two roads to a PDF file of the same printout: the window program's
// (its question answered, Qt's print dialog accepted with printing to a PDF
// file chosen, then the window's own print command) and fenmark-cli's.
class PrintRoadsTest : public QtPrinterTest {
  protected:
    // Answers every question with OK and runs the real print dialog, which
    // is accepted as it opens.
    class PrintDialogDialogs : public ScriptedDialogs {
      public:
        explicit PrintDialogDialogs(QtDialogs& qt) : qt_(qt) {}
        bool printerSetup() override {
            QTimer::singleShot(0, [] {
                if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    dialog->accept();
                }
            });
            return qt_.printerSetup();
        }

      private:
        QtDialogs& qt_;
    };

    PrintRoadsTest() {
        state_.chosenFilePath = std::filesystem::absolute(kSample).lexically_normal().string();
        state_.currentFilePath = state_.chosenFilePath;
        const reg::LoadedRegister loaded = reg::readRegisterFile(state_.chosenFilePath);
        state_.assetRegister = loaded.assetRegister;
        state_.recordCount = loaded.recordCount;
        state_.closingMonth = "12";
        QPrinter& printer = qtDialogs_.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(windowPdf_));
    }

    // fenmark-cli print `args`, the register and the settings of the window.
    void printWithCli(QStringList args) {
        args.prepend(QStringLiteral("print"));
        args << QString::fromStdString(state_.chosenFilePath) << QStringLiteral("--pdf")
             << QString::fromStdString(cliPdf_);
        QProcess cli;
        cli.start(QStringLiteral(FENMARK_CLI), args);
        ASSERT_TRUE(cli.waitForFinished(60000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    }

    // The same words in the same places and sizes on the same pages; the
    // first word that differs is reported.
    void expectSamePages() {
        const std::vector<Word> window = wordsOf(windowPdf_);
        const std::vector<Word> cli = wordsOf(cliPdf_);
        ASSERT_FALSE(cli.empty());
        ASSERT_EQ(window.size(), cli.size());
        for (std::size_t i = 0; i < cli.size(); ++i) {
            SCOPED_TRACE(cli[i].text.toStdString());
            ASSERT_EQ(window[i].page, cli[i].page);
            ASSERT_EQ(window[i].text, cli[i].text);
            ASSERT_NEAR(window[i].x, cli[i].x, 0.01);
            ASSERT_NEAR(window[i].y, cli[i].y, 0.01);
            ASSERT_NEAR(window[i].height, cli[i].height, 0.01);
        }
    }

    // The height of the first word `text` in the window's file.
    double sizeOf(const char* text) {
        const std::vector<Word> words = wordsOf(windowPdf_);
        const Word* w = find(words, 1, text);
        return w != nullptr ? w->height : 0;
    }

    static constexpr const char* kSample = FENMARK_EXAMPLES "/sample.dat";
    reg::ProgramState state_;
    QtDialogs qtDialogs_;
    PrintDialogDialogs dialogs_{qtDialogs_};
    QtPrintDevice device_{qtDialogs_.printer()};
    std::string windowPdf_ = dir_.file("window.pdf");
    std::string cliPdf_ = dir_.file("cli.pdf");
};

TEST_F(PrintRoadsTest, LedgerListIsTheSamePageAtItsOwnSizes) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    reg::printLedgerCommand(state_, dialogs_, device_);
    printWithCli({QStringLiteral("ledger")});
    expectSamePages();
    EXPECT_NEAR(sizeOf("固定資産台帳一覧"), 14, 0.01);
    EXPECT_NEAR(sizeOf("資産の名称"), 10, 0.01);
}

TEST_F(PrintRoadsTest, ScheduleIsTheSamePageAtItsOwnSizes) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    schedule::ScheduleWindowModel window(state_, dialogs_, {"12", "0", 2024}, nullptr, &device_);
    window.Form_Load();
    window.cmdFF_Click();
    window.cmdPrint_Click();
    printWithCli({QStringLiteral("schedule"), QStringLiteral("--record=2"),
                  QStringLiteral("--closing-month=12"), QStringLiteral("--rounding=up"),
                  QStringLiteral("--current-year=2024")});
    expectSamePages();
    EXPECT_NEAR(sizeOf("1993-10-0"), 12, 0.01);
    EXPECT_NEAR(sizeOf("数量："), 10, 0.01);
}

TEST_F(PrintRoadsTest, StatementIsTheSamePageAtItsOwnSizes) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    yearend::StatementWindowModel window(state_, dialogs_, {"0", 2024}, nullptr, &device_);
    window.Form_Load();
    window.selectEra(0);  // 平成
    window.setTxtGetYe("30");
    window.cmdOk_Click();
    ASSERT_TRUE(window.Fxg3Visible);
    window.cmdPrint_Click();
    printWithCli({QStringLiteral("statement"), QStringLiteral("--year=30"),
                  QStringLiteral("--closing-month=12"), QStringLiteral("--rounding=up"),
                  QStringLiteral("--current-year=2024")});
    expectSamePages();
    // The headings are in Noto Serif CJK JP, whose ascent and descent add
    // up to more than one em (the file keeps them to a thousandth of it).
    QRawFont headings = QRawFont::fromFont(QFont(fontFamilyFor(yearend::kStatementHeadingFont)));
    headings.setPixelSize(8);
    EXPECT_NEAR(sizeOf("㋑取得価額"), headings.ascent() + headings.descent(), 0.05);
    EXPECT_NEAR(sizeOf("倉庫"), 9, 0.01);
}

TEST_F(QtPrinterTest, FailedCompositionStillEndsTheDocument) {
    QPdfWriter writer(QString::fromStdString(pdf_));
    preparePdfWriter(writer);
    QtPrintDevice device(writer);
    EXPECT_THROW(device.printDocument([](Printer& printer) {
        printer.print("一枚目");
        throw PrintError("paper jam");
    }),
                 PrintError);
    // The device is free for the next document.
    device.printDocument([](Printer& printer) {
        printer.print("二枚目");
        printer.endDoc();
    });
    if (havePdfToText()) {
        EXPECT_NE(find(wordsOf(pdf_), 1, "二枚目"), nullptr);
    }
}

TEST_F(QtPrinterTest, DeviceThatCannotStartThrowsPrintError) {
    QPdfWriter writer(QString::fromStdString(dir_.file("missing/out.pdf")));
    QtPrintDevice device(writer);
    EXPECT_THROW(device.printDocument([](Printer& printer) { printer.print("x"); }), PrintError);
}

}  // namespace
}  // namespace fenmark::platform::qt
