#pragma once
// The program's dialogs on Qt: message boxes, the open and save file dialogs
// and the printer set-up dialog.

#include <QPointer>
#include <QPrinter>
#include <QString>
#include <QWidget>
#include <string_view>

#include "platform/dialogs.h"

namespace fenmark::platform::qt {

// The program's filter notation ("label|pattern|label|pattern", patterns
// separated by ";") as a Qt name filter ("label (pattern);;..."). A label
// that already ends with its pattern in parentheses, as
// "Fenmarkデータファイル(*.dat)" does, is shown as it stands.
[[nodiscard]] QString qtFilter(std::string_view filter);

class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent = nullptr);

    // The window the dialogs are modal over; may change as windows come and go.
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    [[nodiscard]] QWidget* parentWidget() const { return parent_; }

    Answer message(const Message& message) override;
    [[nodiscard]] std::optional<std::string> openFile(const FileDialogOptions& options) override;
    [[nodiscard]] std::optional<std::string> saveFile(const FileDialogOptions& options) override;
    [[nodiscard]] bool printerSetup() override;

    // The printer the set-up dialog configures; the printouts paint on it.
    [[nodiscard]] QPrinter& printer() { return printer_; }

  private:
    QPointer<QWidget> parent_;
    QPrinter printer_;
};

}  // namespace fenmark::platform::qt
