#pragma once
// The main window on screen: the view of reg::MainWindowModel. It builds the
// widgets under the controls' names, forwards every user action to the
// model and copies the model's state back into the widgets afterwards. It
// also stands for the windows the model opens (MainWindowHost).

#include <QMainWindow>
#include <QPointer>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/help.h"
#include "register/display_order.h"
#include "register/main_window.h"
#include "schedule/schedule_window.h"
#include "yearend/municipal_window.h"
#include "yearend/statement_window.h"

class QAction;
class QComboBox;
class QLabel;
class QPushButton;

namespace fenmark::platform::qt {
class GridTableModel;
class GridTableView;
}  // namespace fenmark::platform::qt

namespace fenmark::ui {

class MunicipalWindow;
class ScheduleWindow;
class StatementWindow;

// Logical pixels per twip on a 96 dpi screen.
inline constexpr int kTwipsPerPixel = 15;

class MainWindow : public QMainWindow,
                   private reg::MainWindowHost,
                   private schedule::ScheduleWindowHost,
                   private reg::DisplayOrderOwner,
                   private yearend::StatementWindowHost,
                   private yearend::MunicipalWindowHost {
    Q_OBJECT

  public:
    MainWindow(reg::ProgramState& state, platform::Dialogs& dialogs, platform::HelpViewer& help,
               platform::PrintDevice& printDevice, reg::Environment environment,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] reg::MainWindowModel& model() { return model_; }

    // Start-up: centres the window on its screen, then runs the model's
    // Form_Load and shows its state.
    void Form_Load();

    // Copies the model's state into every widget.
    void sync();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool openWindow(reg::Window window) override;
    void hideMain() override;
    void quit() override;
    std::optional<int> askYear(const reg::YearQuestion& question) override;
    std::optional<int> askChoice(const reg::ChoiceQuestion& question) override;
    bool showProblems(const reg::ProblemReport& report) override;
    std::optional<std::string> chooseEarlierVersion(const std::string& backupFolder,
                                                    const std::string& registerPath) override;
    // The windows opened over the main window call these when they close.
    void showMain() override;
    void unloadSchedule() override;
    void rebuildList() override;
    // Message boxes belong to the window the user is working in.
    void parentDialogsTo(QWidget* window);
    bool openSchedule();
    void unloadStatement() override;
    bool openStatement();
    void unloadMunicipal() override;
    bool openMunicipal();

    void buildMenus();
    void buildControls();
    void centreOnScreen();
    void click(const std::string& name);
    void combo1Activated(int index);
    void resizeList();
    // Widens the list's name column to its contents after the list changed.
    void fitNameColumn();

    platform::Dialogs& dialogs_;
    platform::PrintDevice& printDevice_;
    reg::MainWindowModel model_;

    QWidget* canvas_ = nullptr;
    QWidget* header_ = nullptr;
    std::vector<std::pair<platform::Control*, QPushButton*>> buttons_;
    std::vector<std::pair<platform::Control*, QAction*>> actions_;
    std::vector<std::pair<platform::Control*, QLabel*>> labels_;
    QComboBox* combo1_ = nullptr;
    platform::qt::GridTableView* fxg1_ = nullptr;
    platform::qt::GridTableModel* fxg1Model_ = nullptr;
    QPointer<ScheduleWindow> schedule_;
    QPointer<StatementWindow> statement_;
    QPointer<MunicipalWindow> municipal_;
};

}  // namespace fenmark::ui
