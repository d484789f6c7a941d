#include "register/settings.h"

#include <vector>

#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "register/register_file.h"

namespace fenmark::reg {

namespace {

// A whole number from 1 to 12 written with digits only, as its plain text.
std::optional<std::string> monthText(const std::string& field) {
    if (field.empty() || field.size() > 2) return std::nullopt;
    int value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 12) return std::nullopt;
    return std::to_string(value);
}

}  // namespace

std::optional<std::string> settingsReadPath(const std::string& programFolder,
                                            const std::string& userFolder) {
    if (!userFolder.empty()) {
        const std::string user = userFolder + "/" + kSettingsFileName;
        if (platform::fileExists(user)) return user;
    }
    const std::string own = programFolder + "/" + kSettingsFileName;
    if (platform::fileExists(own)) return own;
    return std::nullopt;
}

std::string settingsWritePath(const std::string& programFolder, const std::string& userFolder) {
    // A user file is read first, so it is the one to update while it exists.
    if (!userFolder.empty()) {
        const std::string user = userFolder + "/" + kSettingsFileName;
        if (platform::fileExists(user)) return user;
    }
    const bool ownFolder =
        !platform::isSystemFolder(programFolder) && platform::folderWritable(programFolder);
    if (ownFolder || userFolder.empty()) {
        return programFolder + "/" + kSettingsFileName;
    }
    return userFolder + "/" + kSettingsFileName;
}

Settings parseSettings(const std::string& text) {
    Settings settings;
    std::vector<std::string> fields;
    try {
        FieldReader reader(text);
        while (!reader.atEnd() && fields.size() < 5) fields.push_back(reader.next());
    } catch (const platform::ReadError&) {
        // A damaged line keeps what could be read; the month falls back below.
    }
    for (std::size_t i = 0; i < 3 && i < fields.size(); ++i) settings.reserved[i] = fields[i];
    if (fields.size() == 4) {
        if (auto month = monthText(fields[3])) settings.closingMonth = *month;
    }
    return settings;
}

Settings loadSettings(const std::string& programFolder, const std::string& userFolder) {
    const auto path = settingsReadPath(programFolder, userFolder);
    if (!path) return {};
    try {
        return parseSettings(platform::readCp932File(*path));
    } catch (const platform::ReadError&) {
        return {};
    }
}

void saveSettings(const std::string& path, const Settings& settings) {
    std::string line;
    for (const std::string& field : settings.reserved) {
        if (field.find('"') != std::string::npos) {
            throw platform::WriteError("二重引用符を含む項目は保存できません。");
        }
        line += '"' + field + "\",";
    }
    line += '"' + settings.closingMonth + "\"\r\n";
    platform::writeCp932FileAtomic(path, line);
}

void applySettings(ProgramState& state, const Settings& settings) {
    state.reservedSettings = settings.reserved;
    state.closingMonth = settings.closingMonth;
}

}  // namespace fenmark::reg
