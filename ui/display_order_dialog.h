#pragma once
// The display-order dialog on screen: the view of reg::DisplayOrderModel.
// It is opened without blocking while the main window hides, and tells the
// main window (its DisplayOrderOwner) when to rebuild its list and show
// itself again.

#include <QDialog>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "register/display_order.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace fenmark::ui {

class DisplayOrderDialog : public QDialog {
    Q_OBJECT

  public:
    DisplayOrderDialog(reg::ProgramState& state, platform::Dialogs& dialogs,
                       reg::DisplayOrderOwner& owner, QWidget* parent = nullptr);

    [[nodiscard]] reg::DisplayOrderModel& model() { return model_; }

    // Centres the window on its screen, then runs the model's Form_Load and
    // shows its state. Call before show().
    void Form_Load();

    // Copies the model's state into every widget.
    void sync();

    // Every way of closing passes here, so the model's Form_Unload runs once.
    void done(int result) override;

  private:
    void click(const std::string& name);
    void centreOnScreen();

    reg::DisplayOrderModel model_;
    std::vector<std::pair<platform::Control*, QLabel*>> labels_;
    std::vector<std::pair<platform::Control*, QPushButton*>> buttons_;
    std::vector<std::pair<platform::TextBox*, QLineEdit*>> texts_;
    QListWidget* lstName_ = nullptr;
    bool unloaded_ = false;
};

}  // namespace fenmark::ui
