#pragma once
// The settings file "Fenmark.ini": one line of four quoted fields in the
// register file's conventions. Fields 1 to 3 mean nothing to this program
// and are written back exactly as read; field 4 is the closing month.
//
// It lives in the program folder. When that folder is not writable (an
// installed program) it lives in the user's configuration folder instead,
// and a file there is read first.

#include <array>
#include <optional>
#include <string>

#include "register/state.h"

namespace fenmark::reg {

inline constexpr const char* kSettingsFileName = "Fenmark.ini";

struct Settings {
    std::array<std::string, 3> reserved{};
    std::string closingMonth = "12";
};

// Where the settings are read from: the user's file when there is one, else
// the program folder's when there is one, else nothing.
[[nodiscard]] std::optional<std::string> settingsReadPath(const std::string& programFolder,
                                                          const std::string& userFolder);

// Where the settings are written: the user's file when there is one (it is
// the one read), else the program folder when it is writable and not a
// system folder such as /usr/bin, else the user's configuration folder.
[[nodiscard]] std::string settingsWritePath(const std::string& programFolder,
                                            const std::string& userFolder);

// The settings in a file's UTF-8 text. A text that is not four fields, or
// whose fourth field is not a whole number from 1 to 12, gives the closing
// month "12", as a start without the file does (the reserved fields are then
// those read, or "" when there were fewer than three).
[[nodiscard]] Settings parseSettings(const std::string& text);

// The settings as found on disk (defaults when there is no readable file).
[[nodiscard]] Settings loadSettings(const std::string& programFolder,
                                    const std::string& userFolder);

// Writes the settings atomically; throws platform::WriteError.
void saveSettings(const std::string& path, const Settings& settings);

// Takes settings as the active ones (the main window's GetResistData).
void applySettings(ProgramState& state, const Settings& settings);

}  // namespace fenmark::reg
