#include "platform/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace fenmark::platform {

std::string programFolder() {
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return ".";
    std::string path(buffer.data(), static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string userConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/fenmark";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/fenmark";
    return {};
}

bool isSystemFolder(const std::string& folder) {
    for (const char* system : {"/usr", "/bin", "/sbin"}) {
        const std::string prefix = system;
        if (folder == prefix || folder.starts_with(prefix + "/")) return true;
    }
    return false;
}

std::string dialogStartFolder(const std::string& programFolder) {
    if (!isSystemFolder(programFolder)) return programFolder;
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] != '\0' ? std::string(home) : programFolder;
}

bool makeFolders(const std::string& folder) {
    if (folder.empty()) return false;
    for (std::size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos != folder.size() && folder[pos] != '/') continue;
        const std::string part = folder.substr(0, pos);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace fenmark::platform
