#include "platform/text_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace fenmark::platform {

namespace {

WriteStepHook writeStepHook = nullptr;

void announce(WriteStep step, std::size_t written) {
    if (writeStepHook != nullptr) writeStepHook(step, written);
}

// One iconv conversion of a whole text; false when a character cannot be
// converted or the input is malformed.
bool convert(const char* to, const char* from, std::string_view in, std::string& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.clear();
    std::vector<char> buffer(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buffer.data();
        std::size_t dstLeft = buffer.size();
        const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer.data(), buffer.size() - dstLeft);
        if (rc == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            ok = false;
            break;
        }
        // glibc counts irreversible conversions in rc; code page 932 has none
        // for valid input, but refuse them rather than accept a substitute.
        if (rc != 0) {
            ok = false;
            break;
        }
    }
    if (ok) {
        char* dst = buffer.data();
        std::size_t dstLeft = buffer.size();
        if (iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) ok = false;
        out.append(buffer.data(), buffer.size() - dstLeft);
    }
    iconv_close(cd);
    return ok;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Whether `name` is one of the temporary files a write of the file named
// `base` makes: the base, ".tmp" and the six letters or digits mkstemp puts
// in place of its XXXXXX.
bool isOwnTemporary(std::string_view name, std::string_view base) {
    constexpr std::string_view kMark = ".tmp";
    if (name.size() != base.size() + kMark.size() + 6) return false;
    if (name.substr(0, base.size()) != base) return false;
    if (name.substr(base.size(), kMark.size()) != kMark) return false;
    for (const char c : name.substr(base.size() + kMark.size())) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum) return false;
    }
    return true;
}

// A write killed between creating its temporary file and renaming it leaves
// the temporary file behind; the next write that succeeds removes what such
// writes of the same file left, and nothing else.
void removeLeftoverTemporaries(const std::string& folder, const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> leftovers;
    while (const dirent* entry = ::readdir(dir)) {
        if (isOwnTemporary(entry->d_name, base)) leftovers.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    for (const std::string& name : leftovers) {
        const std::string full = folder + "/" + name;
        struct stat st {};
        if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(full.c_str());
    }
}

}  // namespace

std::string utf8ToCp932(std::string_view utf8) {
    std::string out;
    if (!convert("CP932", "UTF-8", utf8, out)) {
        throw WriteError("シフトJISで書けない文字があります。");
    }
    return out;
}

std::string cp932ToUtf8(std::string_view bytes) {
    std::string out;
    if (bytes.find('\0') != std::string_view::npos || !convert("UTF-8", "CP932", bytes, out)) {
        throw ReadError("シフトJISとして読めないバイトがあります。");
    }
    return out;
}

bool isCp932Encodable(std::string_view utf8) {
    std::string out;
    return convert("CP932", "UTF-8", utf8, out);
}

std::string readFileBytes(const std::string& path) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer for ever;
    // reads of a regular file do not heed the flag.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) throw ReadError("ファイルを開けません。");
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw ReadError("ファイルを開けません。");
    }
    std::string bytes;
    char buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            throw ReadError("ファイルを読めません。");
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

std::string readCp932File(const std::string& path) { return cp932ToUtf8(readFileBytes(path)); }

void setWriteStepHook(WriteStepHook hook) { writeStepHook = hook; }

void writeFileAtomic(const std::string& path, std::string_view bytes) {
    if (path.empty()) throw WriteError("書き込み先がありません。");
    const std::string folder = folderOf(path);
    std::string temp = path + ".tmpXXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    announce(WriteStep::BeforeTemporary, 0);
    const int fd = ::mkstemp(name.data());
    if (fd < 0) throw WriteError("一時ファイルを作れません。");
    temp = name.data();
    announce(WriteStep::TemporaryCreated, 0);
    auto fail = [&](const char* what) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw WriteError(what);
    };
    // Keep the permissions of the file being replaced; a new file gets the
    // usual 0666 less the umask rather than mkstemp's 0600.
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) fail("ファイルの属性を設定できません。");
    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::size_t piece = std::min(bytes.size() - written, kWritePiece);
        const ssize_t n = ::write(fd, bytes.data() + written, piece);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail("ファイルに書き込めません。");
        }
        written += static_cast<std::size_t>(n);
        announce(WriteStep::Written, written);
    }
    if (::fsync(fd) != 0) fail("ファイルを書き終えられません。");
    announce(WriteStep::Synced, written);
    if (::close(fd) != 0) {
        ::unlink(temp.c_str());
        throw WriteError("ファイルを書き終えられません。");
    }
    announce(WriteStep::Closed, written);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw WriteError("ファイルを置き換えられません。");
    }
    announce(WriteStep::Renamed, written);
    removeLeftoverTemporaries(folder, path);
    announce(WriteStep::FolderSyncing, written);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    announce(WriteStep::FolderSynced, written);
}

void writeCp932FileAtomic(const std::string& path, std::string_view utf8) {
    writeFileAtomic(path, utf8ToCp932(utf8));
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool folderWritable(const std::string& folder) {
    // access() says yes to root everywhere; only creating a file tells.
    std::string probe = folder + "/.fenmark-probe-XXXXXX";
    std::vector<char> name(probe.begin(), probe.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(name.data());
    return true;
}

}  // namespace fenmark::platform
