#pragma once
// Everything the program asks or tells the user goes through this interface:
// message boxes, questions and the open, save and printer set-up dialogs.
// The Qt windows pass a Qt implementation; tests pass ScriptedDialogs.

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace fenmark::platform {

enum class Buttons { Ok, YesNo, OkCancel, YesNoCancel };
enum class Icon { None, Error, Question, Warning, Information };
enum class Answer { Ok, Cancel, Yes, No };

// The title of the program's message boxes where a window gives none.
inline constexpr const char* kProgramTitle = "Fenmark";

struct Message {
    std::string text;
    std::string title = kProgramTitle;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
};

struct FileDialogOptions {
    std::string title;
    std::string initialDir;
    // In the program's own notation, label and pattern pairs separated by
    // "|": "Fenmarkデータファイル(*.dat)|*.dat".
    std::string filter;
    bool confirmOverwrite = false;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Shows a modal message box and returns the button pressed.
    virtual Answer message(const Message& message) = 0;
    // The chosen path, or nothing when the user cancelled.
    [[nodiscard]] virtual std::optional<std::string> openFile(const FileDialogOptions& options) = 0;
    [[nodiscard]] virtual std::optional<std::string> saveFile(const FileDialogOptions& options) = 0;
    // The printer set-up dialog; false when the user cancelled.
    [[nodiscard]] virtual bool printerSetup() = 0;
};

// Answers queued in advance, every call recorded. A call with nothing queued
// answers as a user who presses the default button would: Ok/Yes for
// messages, cancel for file and printer dialogs.
class ScriptedDialogs : public Dialogs {
  public:
    void queueAnswer(Answer answer) { answers_.push_back(answer); }
    void queueOpen(std::optional<std::string> path) { opens_.push_back(std::move(path)); }
    void queueSave(std::optional<std::string> path) { saves_.push_back(std::move(path)); }
    void queuePrinter(bool accepted) { printers_.push_back(accepted); }

    Answer message(const Message& message) override;
    std::optional<std::string> openFile(const FileDialogOptions& options) override;
    std::optional<std::string> saveFile(const FileDialogOptions& options) override;
    bool printerSetup() override;

    [[nodiscard]] const std::vector<Message>& messages() const { return messages_; }
    [[nodiscard]] const std::vector<FileDialogOptions>& fileDialogs() const { return fileDialogs_; }
    void clearRecord() {
        messages_.clear();
        fileDialogs_.clear();
    }

  private:
    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> opens_;
    std::deque<std::optional<std::string>> saves_;
    std::deque<bool> printers_;
    std::vector<Message> messages_;
    std::vector<FileDialogOptions> fileDialogs_;
};

}  // namespace fenmark::platform
