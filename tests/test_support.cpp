#include "test_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <unistd.h>

#include <cstdlib>

#include "common/number.h"

namespace fenmark::test {

namespace {

// Saves keep copies of the files they replace in the data folder. Every
// test process points it at a temporary folder before any test runs, so
// that no test (nor a program a test starts) writes into the user's home.
class TestDataHome {
  public:
    TestDataHome() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "fenmark-data-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (::mkdtemp(name.data()) == nullptr) std::abort();
        path_ = name.data();
        ::setenv("XDG_DATA_HOME", path_.c_str(), 1);
    }
    ~TestDataHome() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TestDataHome(const TestDataHome&) = delete;
    TestDataHome& operator=(const TestDataHome&) = delete;
    [[nodiscard]] const std::string& path() const { return path_; }

  private:
    std::string path_;
};

const TestDataHome testDataHome;

}  // namespace

std::string testBackupFolder() { return testDataHome.path() + "/fenmark/backups"; }

ScopedDataHome::ScopedDataHome(const std::string& folder) {
    if (const char* value = std::getenv("XDG_DATA_HOME")) {
        had_ = true;
        previous_ = value;
    }
    ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
}

ScopedDataHome::~ScopedDataHome() {
    if (had_) {
        ::setenv("XDG_DATA_HOME", previous_.c_str(), 1);
    } else {
        ::unsetenv("XDG_DATA_HOME");
    }
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fenmark-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = name.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    // A test may have made the folder read-only; give it back first.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

reg::Row makeRow(std::initializer_list<std::string> cells) {
    reg::Row row{};
    std::size_t i = 0;
    for (const std::string& cell : cells) {
        if (i < row.size()) row[i++] = cell;
    }
    return row;
}

reg::Row asset(const std::string& name, const std::string& era, const std::string& year,
               const std::string& month, const std::string& type, const std::string& cost,
               const std::string& life, const std::string& rate, const std::string& method) {
    const int western = static_cast<int>(common::leadingNumber(year)) + (era == "0"   ? 1925
                                                                         : era == "2" ? 2018
                                                                                      : 1988);
    const std::string mm = month.size() == 1 ? "0" + month : month;
    const std::string code = std::to_string(western).substr(2) + mm + "-" + type;
    return makeRow({name, code, era, year, month, "", type, std::to_string(western), cost, life,
                    rate, method, "1", "100", "", "", "10", "95", ""});
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace fenmark::test
