#pragma once
// The asset entry card on screen: the view of card::EntryCardModel. It
// builds the widgets under the controls' names, forwards what the user does
// to the model and copies the model's state back into the widgets after
// every event. Enter moves on to the next field, as Tab does, so that a
// page can be typed with the keyboard alone.

#include <QWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "card/entry_card.h"
#include "platform/dialogs.h"
#include "register/state.h"
#include "ui/life_dialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace fenmark::ui {

class MainWindow;

// The card's way back to the main window: re-reading the register, the
// commands a first save enables, showing the window again.
class MainWindowCardHost final : public card::EntryCardHost {
  public:
    explicit MainWindowCardHost(MainWindow& main) : main_(main) {}
    void ReLoad() override;
    void ReLoad2() override;
    void registerSaved() override;
    void showMain() override;

  private:
    MainWindow& main_;
};

class EntryCardWindow : public QWidget {
  public:
    EntryCardWindow(reg::ProgramState& state, platform::Dialogs& dialogs,
                    std::unique_ptr<card::EntryCardHost> host, QWidget* parent = nullptr);
    ~EntryCardWindow() override;

    // Opens the card over the main window without blocking: a window of its
    // own that deletes itself when it closes. The main window hides itself.
    static EntryCardWindow* open(MainWindow& main, reg::ProgramState& state,
                                 platform::Dialogs& dialogs);

    [[nodiscard]] card::EntryCardModel& model() { return model_; }

    // Centres the window on its screen, runs the model's Form_Load and
    // shows its state.
    void Form_Load();

    // Copies the model's state into every widget.
    void sync();

    // Where the table of useful lives is read from; by default the one the
    // program finds beside itself (law::lifeTableFor).
    void useLifeTable(std::string path);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildWidgets();
    void buildLayout();
    void buildTabOrder();
    void watch(QWidget* widget);
    void centreOnScreen();
    void afterEvent();
    void applyFocus();
    [[nodiscard]] QWidget* widgetNamed(const std::string& name) const;

    std::unique_ptr<card::EntryCardHost> host_;
    platform::Dialogs& dialogs_;
    card::EntryCardModel model_;
    std::unique_ptr<LifeDialogOpener> lifeOpener_;

    std::vector<std::pair<platform::TextBox*, QLineEdit*>> edits_;
    std::vector<std::pair<platform::Control*, QLabel*>> labels_;
    std::vector<std::pair<platform::ComboBox*, QComboBox*>> combos_;
    std::vector<std::pair<card::OptionButton*, QRadioButton*>> options_;
    std::vector<std::pair<platform::Control*, QPushButton*>> buttons_;
    std::vector<std::pair<card::CheckBox*, QCheckBox*>> checks_;
    QGroupBox* fraMeth_ = nullptr;
    QGroupBox* fraKuri_ = nullptr;
    QWidget* previousDialogParent_ = nullptr;
    bool syncing_ = false;
    int appliedFocusRequests_ = 0;
};

}  // namespace fenmark::ui
