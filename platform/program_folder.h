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

// True for the folders an installed program lives in (/usr/..., /bin,
// /sbin): no place for a user's settings or registers, even for root, who
// may write there.
[[nodiscard]] bool isSystemFolder(const std::string& folder);

// Where the file dialogs start: the program folder, or the user's home
// folder when the program folder is a system folder.
[[nodiscard]] std::string dialogStartFolder(const std::string& programFolder);

// Creates the folder and its parents; false when it cannot.
[[nodiscard]] bool makeFolders(const std::string& folder);

}  // namespace fenmark::platform
