#include "register/display_order.h"

#include <optional>
#include <stdexcept>

#include "common/number.h"
#include "platform/text_file.h"
#include "register/ledger_list.h"
#include "register/register_file.h"

namespace fenmark::reg {

namespace {

// The position a text names: digits only (blanks around them aside). Longer
// texts than any register can need are no position either.
std::optional<int> positionOf(std::string_view text) {
    const std::string_view digits = common::trimBlanks(text);
    if (digits.empty() || digits.size() > 4) return std::nullopt;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

bool displayOrderAvailable(const ProgramState& state) { return !state.currentFilePath.empty(); }

void rebuildLedgerList(platform::Grid& list, const ProgramState& state) {
    list.setRows(state.recordCount + 1);
    GetData(list, state.assetRegister, state.recordCount);
}

std::vector<int> movedOrder(int count, int source, int target) {
    if (source < 1 || source > count || target < 1 || target > count) {
        throw std::invalid_argument("movedOrder: position outside 1.." + std::to_string(count));
    }
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(count));
    for (int row = 1; row <= count; ++row) {
        if (row != source) order.push_back(row);
    }
    order.insert(order.begin() + (target - 1), source);
    return order;
}

std::string orderItemText(int row, const std::string& name) {
    return std::to_string(row) + "  " + name;
}

DisplayOrderModel::DisplayOrderModel(ProgramState& state, platform::Dialogs& dialogs,
                                     DisplayOrderOwner& owner)
    : state_(state), dialogs_(dialogs), owner_(owner) {}

platform::Control* DisplayOrderModel::control(std::string_view name) {
    for (platform::Control* c : {&Caption, &Label1, &Label2, &Label3, &Command1, &Command2}) {
        if (c->name == name) return c;
    }
    return nullptr;
}

platform::TextBox* DisplayOrderModel::textBox(std::string_view name) {
    for (platform::TextBox* t : {&Text1, &Text2, &Text3, &Text4}) {
        if (t->name == name) return t;
    }
    return nullptr;
}

bool DisplayOrderModel::click(std::string_view name) {
    if (name == Command1.name) {
        if (Command1.enabled) Command1_Click();
        return true;
    }
    if (name == Command2.name) {
        if (Command2.enabled) Command2_Click();
        return true;
    }
    return false;
}

void DisplayOrderModel::Form_Load() {
    lstName.items.clear();
    lstName.listIndex = -1;
    orderCount = 0;
    Text4.text = "0";
    endChoice();
    closeRequested_ = false;
    listStale_ = false;
    // A register that is in no file has nothing to reorder in a file: the
    // dialog would otherwise replace it with whatever the last chosen file
    // holds.
    if (!displayOrderAvailable(state_) || !platform::fileExists(state_.chosenFilePath)) {
        dialogs_.message({kNoFileMessage});
        return;
    }
    LoadedRegister loaded;
    try {
        loaded = readRegisterFile(state_.chosenFilePath);
    } catch (const platform::ReadError&) {
        dialogs_.message({kReadFailedMessage});
        return;
    }
    state_.currentFilePath = state_.chosenFilePath;
    takeRecords(loaded.assetRegister, loaded.recordCount);
}

void DisplayOrderModel::takeRecords(const AssetRegister& records, std::int16_t count) {
    bool changed = count != state_.recordCount;
    for (int row = 1; row <= count; ++row) {
        if (state_.assetRegister.row(row) != records.row(row)) {
            state_.assetRegister.row(row) = records.row(row);
            changed = true;
        }
    }
    // The register is what the file holds; counting rows the file does not
    // have would list and later store them again.
    state_.recordCount = count;
    orderCount = count;
    if (changed) listStale_ = true;
    fillList();
}

void DisplayOrderModel::fillList() {
    lstName.items.clear();
    for (int row = 1; row <= orderCount; ++row) {
        lstName.items.push_back(orderItemText(row, state_.assetRegister.at(row, assetName)));
    }
    lstName.listIndex = -1;
    Text4.text = std::to_string(lstName.items.size());
}

void DisplayOrderModel::endChoice() {
    Text1.text.clear();
    setText2("");
    Text3.text.clear();
    Text1.visible = false;
    Text2.visible = false;
}

void DisplayOrderModel::lstName_Click(int listIndex) {
    if (listIndex < 0 || listIndex >= static_cast<int>(lstName.items.size())) return;
    lstName.listIndex = listIndex;
    Text3.text = std::to_string(listIndex + 1);
    Text1.text = lstName.items[static_cast<std::size_t>(listIndex)];
    Text1.visible = true;
    Text2.visible = true;
}

void DisplayOrderModel::setText2(std::string text) {
    Text2.text = std::move(text);
    Text2_Change();
}

void DisplayOrderModel::Text2_Change() {
    // An empty box is a target not yet typed.
    if (Text2.text.empty()) return;
    static_cast<void>(targetAccepted(true));
}

bool DisplayOrderModel::targetAccepted(bool whileTyping) {
    const std::optional<int> target = positionOf(Text2.text);
    const std::optional<int> source = positionOf(Text3.text);
    const int count = positionOf(Text4.text).value_or(0);
    if (target && source && *target == *source) {
        // While it is typed, the source "1" may yet become the target "12":
        // refuse it now only when no further digit could make a position.
        if (whileTyping && *target * 10 <= count) return true;
        dialogs_.message({kSamePositionMessage});
        setText2("");
        return false;
    }
    if (!target || *target < 1 || *target > count) {
        dialogs_.message({kBadTargetMessage});
        setText2("");
        return false;
    }
    return true;
}

void DisplayOrderModel::Command1_Click() {
    const std::optional<int> source = positionOf(Text3.text);
    if (!source || *source < 1 || *source > orderCount) return;
    if (Text2.text.empty()) {
        dialogs_.message({kNoTargetMessage});
        return;
    }
    // The source may have changed since the target was typed, and a target
    // equal to it may have been left for more digits.
    if (!targetAccepted(false)) return;
    const int target = *positionOf(Text2.text);

    const std::vector<int> order = movedOrder(orderCount, *source, target);
    AssetRegister moved = state_.assetRegister;
    for (int position = 1; position <= orderCount; ++position) {
        moved.row(position) =
            state_.assetRegister.row(order[static_cast<std::size_t>(position - 1)]);
    }
    try {
        const SaveReport saved = writeRegisterFile(state_.chosenFilePath, moved, orderCount);
        if (saved.backupFailure) dialogs_.message({kBackupFailedMessage});
    } catch (const platform::WriteError&) {
        dialogs_.message({kWriteFailedMessage});
        return;
    }
    try {
        const LoadedRegister loaded = readRegisterFile(state_.chosenFilePath);
        takeRecords(loaded.assetRegister, loaded.recordCount);
    } catch (const platform::ReadError&) {
        // The file was replaced whole, so it holds the moved order even
        // though it could not be read back now.
        dialogs_.message({kReadFailedMessage});
        takeRecords(moved, orderCount);
    }
    listStale_ = true;
    endChoice();
}

void DisplayOrderModel::Command2_Click() {
    owner_.rebuildList();
    listStale_ = false;
    closeRequested_ = true;
}

void DisplayOrderModel::Form_Unload() {
    if (listStale_) {
        owner_.rebuildList();
        listStale_ = false;
    }
    owner_.showMain();
}

}  // namespace fenmark::reg
