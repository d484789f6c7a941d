// The statement window on the sample register: no control lies on another at
// any size the window allows, it opens as tall as the screen, its heading
// names the year as the return does, and the column headings with the
// form's letters ㋑ to ㋦ are drawn in fonts that have every one of them.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/qt/grid_model.h"
#include "platform/qt/qt_printer.h"
#include "register/register_file.h"
#include "screenshot.h"
#include "test_support.h"
#include "ui/statement_window.h"
#include "yearend/statement_print.h"

namespace fenmark::ui {
namespace {

std::string str(const QString& text) { return text.toStdString(); }

class NoHost : public yearend::StatementWindowHost {
  public:
    void showMain() override {}
    void unloadStatement() override {}
};

class StatementLayoutTest : public ::testing::Test {
  protected:
    StatementLayoutTest() {
        const reg::LoadedRegister loaded = reg::readRegisterFile(FENMARK_EXAMPLES "/sample.dat");
        state.assetRegister = loaded.assetRegister;
        state.recordCount = loaded.recordCount;
        state.closingMonth = "12";
    }

    std::unique_ptr<StatementWindow> opened() {
        auto window = std::make_unique<StatementWindow>(
            state, dialogs, yearend::StatementSettings{"0", 2026, 6}, &host);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    // Chooses the era, types the year over the one offered and, when asked,
    // presses "表示".
    static void typeYear(QWidget& window, const char* era, const char* year, bool show) {
        auto* eras = window.findChild<QComboBox*>(QStringLiteral("cboEra"));
        ASSERT_NE(eras, nullptr);
        const int index = eras->findText(QString::fromUtf8(era));
        eras->setCurrentIndex(index);
        emit eras->activated(index);
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("txtGetYe"));
        ASSERT_NE(box, nullptr);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, QString::fromLatin1(year));
        if (show) {
            QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdOk")),
                              Qt::LeftButton);
        }
    }

    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    NoHost host;
};

// Every control the window shows lies inside it and on no other.
void expectNothingOverlaps(QWidget& window) {
    std::vector<QWidget*> shown;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisibleTo(&window) && !child->isWindow()) shown.push_back(child);
    }
    ASSERT_GE(shown.size(), 8u);
    const QString size = QStringLiteral("%1 x %2").arg(window.width()).arg(window.height());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const QRect a = shown[i]->geometry();
        EXPECT_TRUE(window.rect().contains(a))
            << str(shown[i]->objectName()) << " leaves the window at " << str(size);
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            EXPECT_FALSE(a.intersects(shown[j]->geometry()))
                << str(shown[i]->objectName()) << " lies on " << str(shown[j]->objectName())
                << " at " << str(size);
        }
    }
}

// The sizes tried: the least, just above it, wider, taller, and the sizes of
// two screens; a size below the least (800 x 560) gives the least.
std::vector<QSize> sizesFrom(const QSize& least) {
    return {least,
            least + QSize(1, 1),
            {least.width() + 200, least.height()},
            {least.width(), least.height() + 300},
            {800, 560},
            {200, 100},
            {1280, 760},
            {1900, 1000}};
}

TEST_F(StatementLayoutTest, NoControlLiesOnAnotherAtAnySizeTheWindowAllows) {
    const struct {
        const char* era;
        const char* year;
        bool show;
        const char* picture;
        // The online list on show instead of the table.
        bool online = false;
    } steps[] = {{"令和", "8", false, "statement_sample_open"},
                 {"平成", "30", true, "statement_sample_h30"},
                 {"令和", "8", true, "statement_sample_r8"},
                 {"令和", "8", true, "statement_sample_r8_online", true}};
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.era) + step.year + (step.show ? " shown" : " typed") +
                     (step.online ? " online" : ""));
        auto window = opened();
        typeYear(*window, step.era, step.year, step.show);
        if (step.online) window->findChild<QTabBar*>(QStringLiteral("tabView"))->setCurrentIndex(1);
        const QSize least = window->minimumSize();
        // A sensible least size: the two rows above the grid whole, the grid
        // with room for rows, and no larger than a small screen.
        EXPECT_GE(least.width(), 700);
        EXPECT_LE(least.width(), 1000);
        EXPECT_GE(least.height(), 300);
        EXPECT_LE(least.height(), 600);
        for (const QSize& size : sizesFrom(least)) {
            window->resize(size);
            EXPECT_GE(window->width(), least.width());
            EXPECT_GE(window->height(), least.height());
            expectNothingOverlaps(*window);
            if (step.picture != nullptr && size == least) {
                test::saveScreenshot(*window, (std::string(step.picture) + "_least").c_str());
            }
        }
        if (step.picture != nullptr) {
            window->resize(1900, 1000);
            test::saveScreenshot(*window, (std::string(step.picture) + "_large").c_str());
        }
        // The least size holds the lines under the grid too.
        EXPECT_EQ(window->minimumSize(), least);
    }
}

TEST_F(StatementLayoutTest, OpensAsTallAsTheScreenAllows) {
    auto window = opened();
    const QRect area = window->screen()->availableGeometry();
    EXPECT_EQ(window->frameGeometry().top(), area.top());
    EXPECT_EQ(window->frameGeometry().bottom(), area.bottom());
    EXPECT_TRUE(area.contains(window->frameGeometry()));
    // A register of more rows than fit shows as many as the screen allows.
    typeYear(*window, "平成", "30", true);
    auto* grid = window->findChild<platform::qt::GridTableView*>(QStringLiteral("Fxg3"));
    ASSERT_NE(grid, nullptr);
    EXPECT_GE(grid->height(), area.height() - 200);
}

// One heading, in the era of the year, before and after "表示", agreeing
// with the closing date; the printout's title carries the same.
TEST_F(StatementLayoutTest, TheHeadingReadsAsTheReturnWritesIt) {
    const struct {
        const char* era;
        const char* year;
        const char* heading;
        const char* closing;
    } cases[] = {{"令和", "8", "令和 8年分", "(期末 ：令和 8年12月)"},
                 {"平成", "38", "令和 8年分", "(期末 ：令和 8年12月)"},
                 {"平成", "31", "令和元年分", "(期末 ：令和 元年12月)"},
                 {"平成", "30", "平成30年分", "(期末 ：平成 30年12月)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.era) + c.year);
        auto window = opened();
        auto* heading = window->findChild<QLabel*>(QStringLiteral("Label1"));
        ASSERT_NE(heading, nullptr);
        // The year being filed is offered: 令和8 in June 2026.
        EXPECT_EQ(str(heading->text()), "令和 8年分");
        typeYear(*window, c.era, c.year, false);
        EXPECT_EQ(str(heading->text()), c.heading);
        typeYear(*window, c.era, c.year, true);
        EXPECT_EQ(str(heading->text()), c.heading);
        EXPECT_EQ(window->model().headingText(), c.heading);
        EXPECT_EQ(str(window->findChild<QLabel*>(QStringLiteral("Label3"))->text()), c.closing);
        // The heading is one label: no other part of it stands apart.
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblGY")), nullptr);
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Label2")), nullptr);
        EXPECT_GE(heading->width(), heading->sizeHint().width());
    }
}

// Every character of the short headings, the form's letters included.
std::set<char32_t> headingCharacters() {
    std::set<char32_t> characters;
    for (const auto form : {yearend::ReturnForm::Blue, yearend::ReturnForm::Income}) {
        for (const std::string_view heading : yearend::statementShortHeadings(form)) {
            for (const char32_t c :
                 QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size()))
                     .toUcs4()) {
                if (c != U'\n') characters.insert(c);
            }
        }
    }
    return characters;
}

void expectEveryCharacter(const QFont& font, const char* where) {
    const QRawFont raw = QRawFont::fromFont(font);
    ASSERT_TRUE(raw.isValid()) << where;
    for (const char32_t c : headingCharacters()) {
        EXPECT_TRUE(raw.supportsCharacter(static_cast<uint>(c)))
            << where << " (" << str(raw.familyName()) << ") lacks U+" << std::hex
            << static_cast<unsigned>(c);
    }
}

TEST_F(StatementLayoutTest, TheHeadingsAreDrawnInFontsThatHaveTheFormsLetters) {
    const std::set<char32_t> letters = headingCharacters();
    for (const char32_t letter :
         {U'㋑', U'㋺', U'㋩', U'㋥', U'㋭', U'㋬', U'㋣', U'㋠', U'㋷', U'㋦'}) {
        EXPECT_TRUE(letters.contains(letter)) << std::hex << static_cast<unsigned>(letter);
    }
    // The IPA fonts lack ㋷ and ㋦: a font that has them is needed.
    const QRawFont ipa = QRawFont::fromFont(QFont(QStringLiteral("IPAGothic")));
    if (ipa.isValid() && ipa.familyName() == QStringLiteral("IPAGothic")) {
        EXPECT_FALSE(ipa.supportsCharacter(static_cast<uint>(U'㋷')));
    }

    auto window = opened();
    typeYear(*window, "平成", "30", true);
    auto* grid = window->findChild<platform::qt::GridTableView*>(QStringLiteral("Fxg3"));
    ASSERT_NE(grid, nullptr);
    expectEveryCharacter(grid->horizontalHeader()->font(), "the window's headings");
    expectEveryCharacter(grid->frozenView()->horizontalHeader()->font(),
                         "the frozen column's heading");
    QFont printed(platform::qt::fontFamilyFor(yearend::kStatementHeadingFont));
    expectEveryCharacter(printed, "the printed headings");
}

}  // namespace
}  // namespace fenmark::ui
