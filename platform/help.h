#pragma once
// The help viewer. The main window passes the help file path it always has
// (the program folder and "Fenmark3.CHM") and command 0, show the default
// topic; the help itself is HTML installed beside the program.

#include <string>

namespace fenmark::platform {

inline constexpr const char* kHelpFileName = "Fenmark3.CHM";

class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    virtual void showHelp(const std::string& helpFile, int command) = 0;
};

// The HTML page that stands for `helpFile`: "help/index.html" in the folder
// of the help file, else in the installed data folder beside it
// ("../share/fenmark/help/index.html"). Empty when neither exists.
[[nodiscard]] std::string helpIndexFor(const std::string& helpFile);

}  // namespace fenmark::platform
