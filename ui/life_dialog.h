#pragma once
// The table of useful lives on screen: the view of card::LifeDialogModel,
// modal over the entry card, and the card's way of opening it.

#include <QDialog>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "card/entry_card.h"
#include "card/life_dialog.h"
#include "law/useful_life.h"
#include "platform/dialogs.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace fenmark::ui {

class LifeDialog : public QDialog {
    Q_OBJECT

  public:
    LifeDialog(const law::LifeTable& table, platform::Dialogs& dialogs, card::LifeRequest request,
               QWidget* parent = nullptr);

    [[nodiscard]] card::LifeDialogModel& model() { return model_; }

    // Copies the model's state into every widget.
    void sync();

    // Every way of closing passes here: a close without a choice is the
    // model's 閉じる.
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void afterEvent();

    card::LifeDialogModel model_;
    std::vector<std::pair<platform::TextBox*, QLineEdit*>> edits_;
    std::vector<std::pair<platform::Control*, QLabel*>> labels_;
    std::vector<std::pair<platform::Control*, QPushButton*>> buttons_;
    QListWidget* list_ = nullptr;
    QGroupBox* fraUsed_ = nullptr;
    std::vector<std::string> listed_;
};

// Opens the dialog over the card. The table is read on the first opening
// and kept for the card's life.
class LifeDialogOpener final : public card::LifeDialogOpener {
  public:
    LifeDialogOpener(platform::Dialogs& dialogs, QWidget* parent, std::string tablePath)
        : dialogs_(dialogs), parent_(parent), source_(std::move(tablePath)) {}

    std::optional<card::LifeChoice> chooseLife(const card::LifeRequest& request) override;

  private:
    platform::Dialogs& dialogs_;
    QWidget* parent_;
    law::LifeTableSource source_;
};

}  // namespace fenmark::ui
