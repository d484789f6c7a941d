#include "schedule/schedule_window.h"

#include "common/convert.h"
#include "common/number.h"
#include "output/schedule_print.h"
#include "platform/grid.h"

namespace fenmark::schedule {

ScheduleWindowModel::ScheduleWindowModel(reg::ProgramState& state, platform::Dialogs& dialogs,
                                         ScheduleSettings settings, ScheduleWindowHost* host,
                                         platform::PrintDevice* printDevice)
    : ScheduleFrame(state),
      dialogs_(dialogs),
      settings_(std::move(settings)),
      host_(host),
      printDevice_(printDevice) {}

void ScheduleWindowModel::cmdPrint_Click() {
    if (printDevice_ == nullptr) return;
    output::printScheduleCommand(*this, state_, dialogs_, *printDevice_);
}

std::vector<platform::Control*> ScheduleWindowModel::buttons() {
    return {&cmdRew, &cmdFF, &cmdPrint, &cmdCancel};
}

std::vector<platform::Control*> ScheduleWindowModel::fixedLabels() {
    return {&Label2, &lblPP, &Label4, &Label5, &Label6};
}

std::vector<std::pair<std::string, std::string>> ScheduleWindowModel::captions() {
    std::vector<std::pair<std::string, std::string>> out{{txtName.name, txtName.text},
                                                         {lblNum.name, lblNum.caption},
                                                         {lblkeki.name, lblkeki.caption},
                                                         {Label3.name, Label3.caption}};
    for (const platform::Control* label : headerLabels())
        out.emplace_back(label->name, label->caption);
    return out;
}

void ScheduleWindowModel::Form_Load() {
    lblkeki.caption = "決算月　" + settings_.closingMonth + "月";
    Text4.text = settings_.roundingMode;
    Label3.caption =
        common::leadingNumber(Text4.text) != 0 ? "計算方法：切捨て" : "計算方法：切上げ";
    currentYear = settings_.currentYear;
    try {
        closingMonth = common::toInt16(common::leadingNumber(settings_.closingMonth));
        roundingFlag = common::toInt16(common::leadingNumber(Text4.text));
    } catch (const common::OverflowError&) {
        settingsValid_ = false;
    }
    Fxg2.setFormatString(kScheduleHeading);
    Fxg2.setFixedRows(1);
    Fxg2.setFixedCols(0);
    state_.currentRecord = 1;
    showAsset();
    setNum();
}

void ScheduleWindowModel::cmdFF_Click() {
    // The last asset is the last page, also when the register is full.
    if (state_.currentRecord >= state_.recordCount || state_.currentRecord >= reg::kMaxRecords) {
        dialogs_.message({kLastPageMessage});
        return;
    }
    ++state_.currentRecord;
    setNum();
    showAsset();
}

void ScheduleWindowModel::cmdRew_Click() {
    if (state_.currentRecord <= 1) {
        dialogs_.message({kFirstPageMessage});
        return;
    }
    --state_.currentRecord;
    showAsset();
    setNum();
}

void ScheduleWindowModel::Pageup() {
    // No row lies past the register's capacity.
    if (state_.currentRecord >= reg::kMaxRecords) return;
    ++state_.currentRecord;
    showAsset();
    setNum();
}

void ScheduleWindowModel::cmdCancel_Click() {
    // Unloading may destroy this window; only the host is used after it.
    ScheduleWindowHost* host = host_;
    if (host == nullptr) return;
    host->unloadSchedule();
    host->showMain();
}

void ScheduleWindowModel::Form_Unload() {
    if (host_ != nullptr) host_->showMain();
}

bool ScheduleWindowModel::click(std::string_view name) {
    if (name == cmdFF.name) {
        cmdFF_Click();
    } else if (name == cmdRew.name) {
        cmdRew_Click();
    } else if (name == cmdCancel.name) {
        cmdCancel_Click();
    } else if (name == cmdPrint.name) {
        cmdPrint_Click();
    } else {
        return false;
    }
    return true;
}

void ScheduleWindowModel::setNum() {
    lblNum.caption =
        std::to_string(state_.currentRecord) + "/" + std::to_string(state_.recordCount);
}

void ScheduleWindowModel::showAsset() {
    failed_ = false;
    try {
        GetData();
        if (!settingsValid_) throw common::OverflowError("closing month or rounding flag");
        ShowSchedule();
    } catch (const common::OverflowError&) {
        cannotCompute();
    } catch (const platform::GridError&) {
        cannotCompute();
    }
}

void ScheduleWindowModel::cannotCompute() {
    failed_ = true;
    EmptySchedule();
    dialogs_.message({kCannotComputeMessage});
}

}  // namespace fenmark::schedule
