#include "platform/dialogs.h"

namespace fenmark::platform {

Answer ScriptedDialogs::message(const Message& message) {
    messages_.push_back(message);
    if (!answers_.empty()) {
        const Answer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return message.buttons == Buttons::Ok || message.buttons == Buttons::OkCancel ? Answer::Ok
                                                                                  : Answer::Yes;
}

std::optional<std::string> ScriptedDialogs::openFile(const FileDialogOptions& options) {
    fileDialogs_.push_back(options);
    if (opens_.empty()) return std::nullopt;
    auto path = opens_.front();
    opens_.pop_front();
    return path;
}

std::optional<std::string> ScriptedDialogs::saveFile(const FileDialogOptions& options) {
    fileDialogs_.push_back(options);
    if (saves_.empty()) return std::nullopt;
    auto path = saves_.front();
    saves_.pop_front();
    return path;
}

bool ScriptedDialogs::printerSetup() {
    if (printers_.empty()) return false;
    const bool accepted = printers_.front();
    printers_.pop_front();
    return accepted;
}

}  // namespace fenmark::platform
