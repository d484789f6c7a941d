#pragma once
// The schedule window on screen: the view of schedule::ScheduleWindowModel.
// Every widget carries its control's name as objectName; every button
// forwards to the model's event and the window then copies the model's
// state back (captions, hidden boxes, the grid Fxg2 with its frozen heading
// row).
//
// Whoever opens it passes a host: "戻る" asks it to unload the window
// (close it; deleteLater is safe, the window does not touch itself after
// the host returns) and to show the main window again, and closing the
// window by its frame runs the model's Form_Unload, which shows it too.

#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "register/state.h"
#include "schedule/schedule_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace fenmark::platform::qt {
class GridTableModel;
class GridTableView;
}  // namespace fenmark::platform::qt

namespace fenmark::ui {

class ScheduleWindow : public QWidget {
    Q_OBJECT

  public:
    // Runs the model's Form_Load: the window shows asset 1 when it opens.
    ScheduleWindow(reg::ProgramState& state, platform::Dialogs& dialogs,
                   schedule::ScheduleSettings settings, schedule::ScheduleWindowHost* host,
                   platform::PrintDevice* printDevice = nullptr, QWidget* parent = nullptr);

    [[nodiscard]] schedule::ScheduleWindowModel& model() { return model_; }

    // Copies the model's state into every widget.
    void sync();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void click(const std::string& name);

    schedule::ScheduleWindowModel model_;
    std::vector<std::pair<platform::Control*, QLabel*>> labels_;
    std::vector<std::pair<platform::Control*, QPushButton*>> buttons_;
    std::vector<std::pair<platform::TextBox*, QLineEdit*>> boxes_;
    platform::qt::GridTableView* fxg2_ = nullptr;
    platform::qt::GridTableModel* fxg2Model_ = nullptr;
    bool unloading_ = false;
};

}  // namespace fenmark::ui
