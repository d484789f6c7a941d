#pragma once
// The help on Qt: the HTML help installed beside the program, shown in a
// window of its own that stays open beside the main window.

#include <QPointer>
#include <QTextBrowser>
#include <QWidget>

#include "platform/dialogs.h"
#include "platform/help.h"

namespace fenmark::platform::qt {

inline constexpr const char* kHelpWindowTitle = "固定資産台帳 ヘルプ";
inline constexpr const char* kHelpMissingMessage = "ヘルプファイルが見つかりません。";

class QtHelpViewer : public HelpViewer {
  public:
    // A missing help is reported through `dialogs`.
    explicit QtHelpViewer(Dialogs& dialogs);
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer&) = delete;
    QtHelpViewer& operator=(const QtHelpViewer&) = delete;

    // Every command shows the start page; a second call brings the open
    // window to the front on that page.
    void showHelp(const std::string& helpFile, int command) override;

    // The help window while it is open, else nullptr.
    [[nodiscard]] QWidget* window() const { return window_; }
    [[nodiscard]] QTextBrowser* browser() const { return browser_; }

  private:
    Dialogs& dialogs_;
    QPointer<QWidget> window_;
    QPointer<QTextBrowser> browser_;
};

}  // namespace fenmark::platform::qt
