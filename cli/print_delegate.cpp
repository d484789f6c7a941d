// fenmark-cli: a print request runs fenmark-print from the same folder with
// the same arguments, so that the tables themselves start without loading Qt.

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/print_request.h"

namespace fenmark::cli {

namespace {

// The folder of this executable, or "" when it cannot be told.
std::string ownFolder() {
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return {};
    const std::string path(buffer.data(), static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

int runPrint(const PrintRequest& /*request*/, int argc, char** argv) {
    const std::string printer = ownFolder() + "/fenmark-print";
    std::vector<char*> args(argv, argv + argc);
    args[0] = const_cast<char*>(printer.c_str());
    args.push_back(nullptr);
    std::cout.flush();
    ::execv(printer.c_str(), args.data());
    std::cerr << "印刷用のプログラム fenmark-print を起動できません (" << printer
              << "): " << std::strerror(errno) << "\n";
    return 1;
}

}  // namespace fenmark::cli
