#pragma once
// Where the program lives and where its settings may be kept.

#include <string>

namespace fenmark::platform {

// The folder of the running executable, without a trailing "/".
[[nodiscard]] std::string programFolder();

// The user's configuration folder for this program:
// $XDG_CONFIG_HOME/fenmark, else $HOME/.config/fenmark. Empty when neither
// variable is set.
[[nodiscard]] std::string userConfigFolder();

// Creates the folder and its parents; false when it cannot.
[[nodiscard]] bool makeFolders(const std::string& folder);

}  // namespace fenmark::platform
