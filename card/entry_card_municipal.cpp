// The entry card's section for the January return on depreciable assets:
// the kind the asset is declared as and whether it was bought used. The
// rules of the kind are the return's own (yearend/municipal_return.h); the
// card shows them and keeps what the user chose against them.

#include <string>

#include "card/entry_card.h"
#include "yearend/municipal_return.h"

namespace fenmark::card {

namespace {

// The card's types the hints are for.
constexpr int kFittingType = 1;
constexpr int kVehicleType = 7;

// The list holds the kinds 1 to 6, then 対象外.
constexpr int kExcludedItem = yearend::kMunicipalKinds;

int kindAt(int listIndex) { return listIndex == kExcludedItem ? 0 : listIndex + 1; }
int itemOf(int kind) { return kind == 0 ? kExcludedItem : kind - 1; }

}  // namespace

std::vector<std::string> municipalKindItems() {
    std::vector<std::string> items;
    for (int kind = 1; kind <= yearend::kMunicipalKinds; ++kind) {
        items.push_back(std::to_string(kind) + " " +
                        yearend::kMunicipalKindNames[static_cast<std::size_t>(kind)]);
    }
    items.emplace_back(yearend::kMunicipalKindNames[0]);
    return items;
}

reg::Row EntryCardModel::municipalKindRow(const std::string& choice) const {
    reg::Row row;
    const auto put = [&row](reg::Column column, std::string text) {
        row[static_cast<std::size_t>(column - 1)] = std::move(text);
    };
    if (typeIndex() >= 0) put(reg::typeCode, std::to_string(typeIndex()));
    // No method chosen yet is none: methodCode() would take it for 一括償却.
    const bool methodChosen = optGaku.value || optRitu.value || optToku.value || optSyou.value;
    if (methodChosen) put(reg::methodCode, methodCode());
    put(reg::municipalKind, choice);
    return row;
}

void EntryCardModel::updateMunicipalKind() {
    lblShisanNote.caption.clear();
    // Nothing to propose before the type is known.
    if (typeIndex() < 0 && municipalChoice_.empty()) {
        cboShisan.listIndex = -1;
        return;
    }
    const yearend::MunicipalKindChoice shown =
        yearend::municipalKindOf(municipalKindRow(municipalChoice_));
    cboShisan.listIndex = itemOf(shown.kind);
    std::string note = shown.proposed ? kMunicipalProposedNote : "";
    if (shown.kind == 0) {
        if (!note.empty()) note += "　";
        note += std::string(kMunicipalExcludedLead) + yearend::exclusionText(shown.reason);
        // The hint on a line of its own: what of the type the return does
        // take, and as which kind.
        if (typeIndex() == kVehicleType) note += std::string("\n") + kMunicipalVehicleHint;
        if (typeIndex() == kFittingType) note += std::string("\n") + kMunicipalFittingHint;
    }
    lblShisanNote.caption = std::move(note);
}

void EntryCardModel::cboShisan_Click() {
    const int listIndex = cboShisan.listIndex;
    if (listIndex < 0) {
        municipalChoice_.clear();
    } else {
        const int kind = kindAt(listIndex);
        // Choosing what the type and method propose goes back to the
        // proposal, which then follows them again.
        const bool proposal =
            typeIndex() >= 0 && yearend::proposedMunicipalKind(municipalKindRow("")).kind == kind;
        municipalChoice_ = proposal ? std::string() : std::to_string(kind);
    }
    markChanged();
}

void EntryCardModel::chkChuko_Click() { markChanged(); }

}  // namespace fenmark::card
