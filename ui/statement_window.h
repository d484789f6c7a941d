#pragma once
// The statement window on screen: the view of yearend::StatementWindowModel.
// Every widget carries its control's name as objectName and sits where the
// model's layout puts it; every user action goes to the model's event and
// the window then copies the model's state back (captions, visibility, the
// grid Fxg3 with its frozen heading row and name column, the markings'
// colours, the legends).
//
// Over the statement two tabs switch between the return's table and the
// online list (作成コーナー入力用); choosing a cell of the list puts the
// text the model gives for it on the clipboard, and a problem cell tells
// its problem as its tool tip.
//
// Whoever opens it passes a host: "戻る" asks it to show the main window and
// to unload this window (close it; with Qt::WA_DeleteOnClose the window is
// deleted later, and it does not touch itself after the host returns).
// Closing the window in any way runs the model's unload(), which unloads
// the schedule window and shows the main window again.
//
//   auto* window = new StatementWindow(state, dialogs, {mainModel.roundingMode()}, host);
//   window->setAttribute(Qt::WA_DeleteOnClose);
//   window->show();

#include <QRect>
#include <QSize>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "register/state.h"
#include "yearend/statement_window.h"

class QFrame;
class QLabel;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabBar;
class QModelIndex;

namespace fenmark::platform::qt {
class GridTableModel;
class GridTableView;
}  // namespace fenmark::platform::qt

namespace fenmark::ui {

class StatementWindow : public QWidget {
    Q_OBJECT

  public:
    // Runs the model's Form_Load, fits the grid's columns to their headings
    // and opens wide enough to show them all (see fitGrid) and as tall as
    // the screen allows, centred across it. The window cannot be made
    // smaller than the model's minimumClientSize().
    StatementWindow(reg::ProgramState& state, platform::Dialogs& dialogs,
                    yearend::StatementSettings settings, yearend::StatementWindowHost* host,
                    platform::PrintDevice* printDevice = nullptr, QWidget* parent = nullptr);

    [[nodiscard]] yearend::StatementWindowModel& model() { return model_; }

    // Copies the model's state into every widget.
    void sync();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void click(const std::string& name);
    void resizeControls();
    // Fits the table's columns to their contents and makes the window wide
    // enough to show them all (fitWindowTo).
    void fitGrid();
    // Fits the online list's columns to their contents, none wider than
    // kWidestOnlineColumn pixels.
    void fitOnlineColumns();
    // Makes the window wide enough to show every column of `grid`, as far
    // as the screen allows; a wider window is left as it is.
    void fitWindowTo(platform::qt::GridTableView& grid);
    // The user chose a cell of the online list: the model's text for it
    // goes on the clipboard.
    void chooseOnlineCell(const QModelIndex& index);
    // As tall as the screen's available area allows, at its top, centred
    // across.
    void fitScreenHeight();
    [[nodiscard]] QRect screenArea() const;
    // What the widget of a control needs to show its caption (and the
    // model's widthText) whole, in pixels; for the grid the height of its
    // heading and a few rows.
    [[nodiscard]] QSize neededSize(const yearend::ControlLayout& entry, QWidget* widget) const;
    // The widget of the control of that name, or nullptr.
    [[nodiscard]] QWidget* widgetNamed(const std::string& name) const;

    yearend::StatementWindowModel model_;
    std::vector<std::pair<platform::Control*, QLabel*>> labels_;
    std::vector<std::pair<platform::Control*, QPushButton*>> buttons_;
    std::vector<std::pair<platform::Control*, QFrame*>> swatches_;
    std::vector<std::pair<std::string, QWidget*>> widgets_;
    QLineEdit* txtGetYe_ = nullptr;
    QComboBox* cboEra_ = nullptr;
    QComboBox* cboForm_ = nullptr;
    platform::qt::GridTableView* fxg3_ = nullptr;
    platform::qt::GridTableModel* fxg3Model_ = nullptr;
    QTabBar* tabView_ = nullptr;
    platform::qt::GridTableView* grdOnline_ = nullptr;
    platform::qt::GridTableModel* grdOnlineModel_ = nullptr;
    bool fittedShown_ = false;
};

}  // namespace fenmark::ui
