// The display-order dialog's widgets: the list, the sentence that appears
// once an item is clicked, a move carried out from the keyboard and mouse,
// and the hand-back to the main window.

#include "ui/display_order_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::ui {
namespace {

std::string str(const QString& text) { return text.toStdString(); }

struct RecordingOwner : reg::DisplayOrderOwner {
    void rebuildList() override { calls.push_back("rebuildList"); }
    void showMain() override { calls.push_back("showMain"); }
    std::vector<std::string> calls;
};

class DisplayOrderDialogTest : public ::testing::Test {
  protected:
    DisplayOrderDialogTest() {
        reg::AssetRegister assets;
        for (int i = 1; i <= 4; ++i) {
            assets.row(i) = test::asset("資産" + std::to_string(i), "1", "20", "4", "4", "100000",
                                        "5", "0.200", "3");
        }
        path = dir.file("台帳.dat");
        reg::writeRegisterFile(path, assets, 4);
        state.assetRegister = assets;
        state.recordCount = 4;
        state.currentFilePath = path;
        state.chosenFilePath = path;
        dialog.Form_Load();
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    template <typename W>
    W* child(const char* name) {
        auto* w = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    bool shown(const char* name) { return child<QWidget>(name)->isVisibleTo(&dialog); }

    void clickItem(int row) {
        auto* list = child<QListWidget>("lstName");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

    std::vector<std::string> fileNames() const {
        const reg::LoadedRegister loaded = reg::readRegisterFile(path);
        std::vector<std::string> out;
        for (int r = 1; r <= loaded.recordCount; ++r) {
            out.push_back(loaded.assetRegister.at(r, reg::assetName));
        }
        return out;
    }

    test::TempDir dir;
    std::string path;
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    RecordingOwner owner;
    DisplayOrderDialog dialog{state, dialogs, owner};
};

TEST_F(DisplayOrderDialogTest, MovesTheClickedItemToTheTypedPosition) {
    EXPECT_EQ(str(dialog.objectName()), "frmOrder");
    EXPECT_EQ(str(dialog.windowTitle()), "表示順変更");
    EXPECT_EQ(str(child<QLabel>("Label1")->text()), "移動をするリストをクリックしてください");
    EXPECT_EQ(str(child<QLabel>("Label2")->text()), "を");
    EXPECT_EQ(str(child<QLabel>("Label3")->text()), "番に挿入します。");
    EXPECT_EQ(str(child<QPushButton>("Command1")->text()), "実行");
    auto* list = child<QListWidget>("lstName");
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(str(list->item(3)->text()), "4  資産4");
    for (const char* hidden : {"Text1", "Text2", "Text3", "Text4"}) EXPECT_FALSE(shown(hidden));

    clickItem(3);
    EXPECT_TRUE(shown("Text1"));
    EXPECT_TRUE(shown("Text2"));
    EXPECT_EQ(str(child<QLineEdit>("Text1")->text()), "4  資産4");

    auto* text2 = child<QLineEdit>("Text2");
    QTest::keyClicks(text2, "9");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "指定に誤りがあります。");
    EXPECT_EQ(str(text2->text()), "");

    QTest::keyClicks(text2, "1");
    EXPECT_EQ(dialog.model().Text2.text, "1");
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(fileNames(), (std::vector<std::string>{"資産4", "資産1", "資産2", "資産3"}));
    EXPECT_EQ(str(list->item(0)->text()), "1  資産4");
    EXPECT_FALSE(shown("Text2"));
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(DisplayOrderDialogTest, BackRebuildsTheMainListAndShowsTheMainWindow) {
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"rebuildList", "showMain"}));
}

TEST_F(DisplayOrderDialogTest, TheCloseBoxShowsTheMainWindowOnce) {
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"showMain"}));
}

}  // namespace
}  // namespace fenmark::ui
