#pragma once
// The version box of the help menu.

#include <QDialog>
#include <QString>

#include "platform/dialogs.h"

namespace fenmark::ui {

inline constexpr const char* kAboutProgramTitle = "固定資産台帳";
inline constexpr const char* kAboutVersion = "Ver.4.00";

// What the system-information button reports: the operating system, its
// kernel and the Qt version the program runs on.
[[nodiscard]] QString systemInformation();

class AboutBox : public QDialog {
    Q_OBJECT

  public:
    // The system information is shown through `dialogs`.
    explicit AboutBox(platform::Dialogs& dialogs, QWidget* parent = nullptr);

  private:
    void cmdSysInfo_Click();

    platform::Dialogs& dialogs_;
};

}  // namespace fenmark::ui
