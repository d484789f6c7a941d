#include "register/earlier_versions.h"

#include <utility>

namespace fenmark::reg {

std::string byteSizeText(std::uintmax_t bytes) {
    std::string digits = std::to_string(bytes);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits + " バイト";
}

EarlierVersionsModel::EarlierVersionsModel(std::string backupFolder, std::string registerPath)
    : folder_(std::move(backupFolder)), registerPath_(std::move(registerPath)) {}

void EarlierVersionsModel::Form_Load() {
    showAll_ = registerPath_.empty() || listBackups(folder_, registerPath_).empty();
    // Without an open register there is nothing to narrow the list to.
    chkAll.enabled = !registerPath_.empty();
    refresh();
}

void EarlierVersionsModel::chkAll_Click(bool checked) {
    if (registerPath_.empty()) return;
    showAll_ = checked;
    refresh();
}

void EarlierVersionsModel::refresh() {
    const std::vector<BackupVersion> versions =
        showAll_ ? listBackups(folder_) : listBackups(folder_, registerPath_);
    rows_.clear();
    for (const BackupVersion& v : versions) {
        rows_.push_back({v.registerName, v.dateText, byteSizeText(v.size), v.path});
    }
    if (rows_.empty()) {
        Label1.caption = kNoEarlierVersions;
    } else {
        Label1.caption = showAll_ ? kEarlierVersionsOfAll : kEarlierVersionsOfRegister;
    }
    select(rows_.empty() ? -1 : 0);
}

void EarlierVersionsModel::select(int row) {
    selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
    cmdOpen.enabled = selected_ >= 0;
}

void EarlierVersionsModel::cmdOpen_Click() {
    if (selected_ < 0) return;
    chosen_ = rows_[static_cast<std::size_t>(selected_)].path;
    closeRequested_ = true;
}

void EarlierVersionsModel::cmdCancel_Click() {
    chosen_.reset();
    closeRequested_ = true;
}

}  // namespace fenmark::reg
