#include "register/backups.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/text_file.h"

namespace fenmark::reg {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".dat";
// Room for the hash, the time and the extension within the 255 bytes most
// file systems allow a name.
constexpr std::size_t kNameBytes = 120;

std::uint32_t fnv1a(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

// The first `limit` bytes of the UTF-8 text, never cutting a character.
std::string utf8Prefix(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isHex8(std::string_view text) {
    return text.size() == 8 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// The copy a file name stands for, or nothing when it is not a copy's name.
std::optional<BackupVersion> parseName(const std::string& name) {
    if (name.size() <= kExtension.size() ||
        name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) != 0) {
        return std::nullopt;
    }
    const std::string base = name.substr(0, name.size() - kExtension.size());
    const std::size_t stampAt = base.rfind('_');
    if (stampAt == std::string::npos || stampAt < 9) return std::nullopt;
    const std::string stampPart = base.substr(stampAt + 1);
    // YYYYMMDD-HHMMSS, then -N for a later copy of the same second.
    if (stampPart.size() < 15 || stampPart[8] != '-' || !allDigits(stampPart.substr(0, 8)) ||
        !allDigits(stampPart.substr(9, 6))) {
        return std::nullopt;
    }
    BackupVersion version;
    version.stamp = stampPart.substr(0, 15);
    if (stampPart.size() > 15) {
        const std::string sequence = stampPart.substr(16);
        if (stampPart[15] != '-' || !allDigits(sequence) || sequence.size() > 6) {
            return std::nullopt;
        }
        version.sequence = std::atoi(sequence.c_str());
    }
    const std::string hash = base.substr(stampAt - 8, 8);
    if (!isHex8(hash) || base[stampAt - 9] != '_') return std::nullopt;
    version.registerName = base.substr(0, stampAt - 9);
    version.key = base.substr(0, stampAt);
    const std::string& s = version.stamp;
    version.dateText = s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2) + " " +
                       s.substr(9, 2) + ":" + s.substr(11, 2) + ":" + s.substr(13, 2);
    return version;
}

bool newerFirst(const BackupVersion& a, const BackupVersion& b) {
    if (a.stamp != b.stamp) return a.stamp > b.stamp;
    if (a.sequence != b.sequence) return a.sequence > b.sequence;
    return a.path > b.path;
}

// Whether `name` is a temporary file the atomic writer left while copying
// a register whose copies are named by `key`.
bool isLeftoverOf(const std::string& name, const std::string& key) {
    return name.rfind(key + "_", 0) == 0 && name.find(".dat.tmp") != std::string::npos;
}

}  // namespace

std::string defaultBackupFolder() {
    std::string base;
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') return {};
        base = std::string(home) + "/.local/share";
    }
    return base + "/fenmark/backups";
}

BackupStore defaultBackupStore() {
    return {defaultBackupFolder(), [] { return std::time(nullptr); }};
}

std::string backupKey(const std::string& registerPath) {
    const fs::path path(registerPath);
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec) absolute = path;
    const std::string full = absolute.lexically_normal().string();
    char hash[9];
    std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(fnv1a(full)));
    return utf8Prefix(path.stem().string(), kNameBytes) + "_" + hash;
}

std::string backupFileName(const std::string& registerPath, std::time_t when, int sequence) {
    std::tm local{};
    ::localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = backupKey(registerPath) + "_" + stamp;
    if (sequence > 1) name += "-" + std::to_string(sequence);
    return name + std::string(kExtension);
}

std::vector<BackupVersion> listBackups(const std::string& folder) {
    std::vector<BackupVersion> versions;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statError;
        if (!it->is_regular_file(statError)) continue;
        auto version = parseName(it->path().filename().string());
        if (!version) continue;
        version->path = it->path().string();
        version->size = it->file_size(statError);
        if (statError) continue;
        versions.push_back(std::move(*version));
    }
    std::sort(versions.begin(), versions.end(), newerFirst);
    return versions;
}

std::vector<BackupVersion> listBackups(const std::string& folder, const std::string& registerPath) {
    const std::string key = backupKey(registerPath);
    std::vector<BackupVersion> versions = listBackups(folder);
    std::erase_if(versions, [&](const BackupVersion& v) { return v.key != key; });
    return versions;
}

void pruneBackups(const std::string& folder, const std::string& registerPath, int keep) {
    const std::vector<BackupVersion> versions = listBackups(folder, registerPath);
    std::error_code ec;
    for (std::size_t i = static_cast<std::size_t>(std::max(keep, 0)); i < versions.size(); ++i) {
        fs::remove(versions[i].path, ec);
    }
    const std::string key = backupKey(registerPath);
    std::vector<fs::path> leftovers;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statError;
        if (it->is_regular_file(statError) && isLeftoverOf(it->path().filename().string(), key)) {
            leftovers.push_back(it->path());
        }
    }
    for (const fs::path& file : leftovers) fs::remove(file, ec);
}

std::string keepBackup(const std::string& registerPath, const BackupStore& store) {
    if (!platform::fileExists(registerPath)) return {};
    if (store.folder.empty()) throw platform::WriteError("バックアップの保存先がありません。");
    std::string bytes;
    try {
        bytes = platform::readFileBytes(registerPath);
    } catch (const platform::ReadError& e) {
        throw platform::WriteError(e.what());
    }
    std::error_code ec;
    fs::create_directories(store.folder, ec);
    if (ec || !fs::is_directory(store.folder)) {
        throw platform::WriteError("バックアップの保存先を作れません。");
    }
    const std::vector<BackupVersion> kept = listBackups(store.folder, registerPath);
    if (!kept.empty()) {
        try {
            if (platform::readFileBytes(kept.front().path) == bytes) {
                pruneBackups(store.folder, registerPath);
                return {};
            }
        } catch (const platform::ReadError&) {
            // An unreadable copy is no copy: make a new one.
        }
    }
    const std::time_t now = store.clock ? store.clock() : std::time(nullptr);
    std::string target;
    for (int sequence = 1;; ++sequence) {
        target = store.folder + "/" + backupFileName(registerPath, now, sequence);
        if (!fs::exists(fs::symlink_status(target, ec))) break;
    }
    platform::writeFileAtomic(target, bytes);
    pruneBackups(store.folder, registerPath);
    return target;
}

}  // namespace fenmark::reg
