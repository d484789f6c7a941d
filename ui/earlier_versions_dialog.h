#pragma once
// The dialog "以前の版を開く" on screen: the view of
// reg::EarlierVersionsModel. Modal over the main window; a double click on
// a line opens it as "開く" does.

#include <QDialog>
#include <string>

#include "register/earlier_versions.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace fenmark::ui {

class EarlierVersionsDialog : public QDialog {
    Q_OBJECT

  public:
    // Runs the model's Form_Load: the backup folder is read here.
    EarlierVersionsDialog(std::string backupFolder, std::string registerPath,
                          QWidget* parent = nullptr);

    [[nodiscard]] reg::EarlierVersionsModel& model() { return model_; }

    // Copies the model's state into every widget.
    void sync();

  private:
    void afterClick();

    reg::EarlierVersionsModel model_;
    QLabel* label1_ = nullptr;
    QCheckBox* chkAll_ = nullptr;
    QTableWidget* list_ = nullptr;
    QPushButton* cmdOpen_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace fenmark::ui
