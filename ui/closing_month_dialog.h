#pragma once
// The closing-month dialog on screen: the view of reg::ClosingMonthModel.
// Modal over the main window; the main window copies its closing-month
// texts to the screen once exec() has returned.

#include <QDialog>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "register/closing_month.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace fenmark::ui {

class ClosingMonthDialog : public QDialog {
    Q_OBJECT

  public:
    // Runs the model's Form_Load: the settings file is read here.
    ClosingMonthDialog(reg::ProgramState& state, platform::Dialogs& dialogs,
                       reg::Environment environment, reg::ClosingMonthTexts mainWindow,
                       QWidget* parent = nullptr);

    [[nodiscard]] reg::ClosingMonthModel& model() { return model_; }

    // Copies the model's state into every widget.
    void sync();

    // Every way of closing passes here, so the model's Form_Unload runs once.
    void done(int result) override;

  private:
    void click(const std::string& name);

    reg::ClosingMonthModel model_;
    std::vector<std::pair<platform::Control*, QLabel*>> labels_;
    std::vector<std::pair<platform::Control*, QPushButton*>> buttons_;
    QComboBox* combo1_ = nullptr;
    bool unloaded_ = false;
};

}  // namespace fenmark::ui
