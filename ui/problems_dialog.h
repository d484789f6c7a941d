#pragma once
// The window that lists the problems that stopped a command, one a line,
// all at once: the view of reg::ProblemReport. Modal over the main window;
// the lines can be copied to fix the file beside them.

#include <QDialog>

#include "register/main_window.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace fenmark::ui {

class ProblemsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ProblemsDialog(const reg::ProblemReport& report, QWidget* parent = nullptr);

    // Puts every line on the clipboard, one a line.
    void copyLines();

  private:
    reg::ProblemReport report_;
    QLabel* heading_ = nullptr;
    QListWidget* lines_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace fenmark::ui
