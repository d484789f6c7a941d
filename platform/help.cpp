#include "platform/help.h"

#include "platform/text_file.h"

namespace fenmark::platform {

std::string helpIndexFor(const std::string& helpFile) {
    const std::size_t slash = helpFile.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : helpFile.substr(0, slash);
    for (const char* relative : {"/help/index.html", "/../share/fenmark/help/index.html"}) {
        const std::string candidate = folder + relative;
        if (fileExists(candidate)) return candidate;
    }
    return {};
}

}  // namespace fenmark::platform
