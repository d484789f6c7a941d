#include "register/register_file.h"

#include "platform/text_file.h"
#include "register/extended_columns.h"

namespace fenmark::reg {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

bool FieldReader::atEnd() const {
    for (std::size_t i = pos_; i < text_.size(); ++i) {
        if (!isBlank(text_[i]) && !isLineEnd(text_[i])) return false;
    }
    return true;
}

std::string FieldReader::next() {
    if (pos_ >= text_.size())
        throw platform::ReadError("レコードの途中でファイルが終わっています。");
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
    std::string field;
    if (pos_ < text_.size() && text_[pos_] == '"') {
        const std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos) {
            throw platform::ReadError("引用符が閉じられていません。");
        }
        field = std::string(text_.substr(pos_ + 1, close - pos_ - 1));
        pos_ = close + 1;
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) ++pos_;
        std::size_t end = pos_;
        while (end > start && isBlank(text_[end - 1])) --end;
        field = std::string(text_.substr(start, end - start));
    }
    // The separator: a comma, or one line end (CR LF, LF or CR).
    lineEnded_ = true;
    if (pos_ < text_.size()) {
        if (text_[pos_] == ',') {
            ++pos_;
            lineEnded_ = false;
        } else if (text_[pos_] == '\r') {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        } else if (text_[pos_] == '\n') {
            ++pos_;
        }
    }
    return field;
}

LoadedRegister parseRegister(std::string_view text) {
    LoadedRegister loaded;
    FieldReader reader(text);
    while (!reader.atEnd()) {
        if (loaded.recordCount == kMaxRecords) {
            throw platform::ReadError(std::to_string(kMaxRecords) +
                                      "件を超えるレコードがあります。");
        }
        ++loaded.recordCount;
        for (int col = 1; col <= kBaseColumns; ++col) {
            loaded.assetRegister.at(loaded.recordCount, col) = reader.next();
        }
        // The fields of the asset's leaving and those after it, on the same
        // line.
        for (int col = kBaseColumns + 1; !reader.lineEnded(); ++col) {
            if (col > kColumns) throw platform::ReadError("項目の多すぎる行があります。");
            loaded.assetRegister.at(loaded.recordCount, col) = reader.next();
        }
        if (const auto problem =
                extendedColumnsProblem(loaded.assetRegister.row(loaded.recordCount))) {
            throw platform::ReadError(std::to_string(loaded.recordCount) + "件目: " + *problem);
        }
    }
    return loaded;
}

std::string formatRegister(const AssetRegister& reg, int count) {
    std::string text;
    for (int row = 1; row <= count; ++row) {
        // A record written as before unless it records the asset's leaving
        // (22 fields) or a value after it (29).
        int columns = kBaseColumns;
        if (usesExtendedColumns(reg.row(row))) {
            columns = kColumns;
        } else {
            for (int col = kBaseColumns + 1; col <= kLeavingColumns; ++col) {
                if (!reg.at(row, col).empty()) columns = kLeavingColumns;
            }
        }
        for (int col = 1; col <= columns; ++col) {
            const std::string& cell = reg.at(row, col);
            if (cell.find('"') != std::string::npos) {
                throw platform::WriteError("二重引用符を含む項目は保存できません。");
            }
            if (col > 1) text += ',';
            text += '"';
            text += cell;
            text += '"';
        }
        text += "\r\n";
    }
    return text;
}

LoadedRegister readRegisterFile(const std::string& path) {
    return parseRegister(platform::readCp932File(path));
}

SaveReport writeRegisterFile(const std::string& path, const AssetRegister& reg, int count) {
    return writeRegisterFile(path, reg, count, defaultBackupStore());
}

SaveReport writeRegisterFile(const std::string& path, const AssetRegister& reg, int count,
                             const BackupStore& backups) {
    // Nothing is copied for a register that cannot be written at all.
    const std::string bytes = platform::utf8ToCp932(formatRegister(reg, count));
    SaveReport report;
    // The copy is whole before the replacing begins: a save stopped at any
    // point leaves the register file, old or new, and at most a temporary
    // file among the copies.
    try {
        report.backupPath = keepBackup(path, backups);
    } catch (const std::exception& e) {
        report.backupFailure = e.what();
    }
    platform::writeFileAtomic(path, bytes);
    return report;
}

}  // namespace fenmark::reg
