#include "register/sorting.h"

namespace fenmark::reg {

namespace {

void sortBy(platform::Grid& list, int keyColumn) {
    if (list.cols() <= keyColumn) return;
    list.sortAscending(keyColumn, keyColumn);
}

}  // namespace

void sortByType(platform::Grid& list) { sortBy(list, kTypeNameColumn); }

void sortByCode(platform::Grid& list) { sortBy(list, kCodeColumn); }

void DoSort(platform::Grid& list) {
    if (list.cols() < 1) return;
    list.sortAscending(0, list.cols() - 1);
}

SortCommands::SortCommands(platform::Grid& list, platform::Control& cmdSort1,
                           platform::Control& cmdSort2, platform::Control& mnuSort1,
                           platform::Control& mnuSort2, platform::Control& cmdRsort,
                           platform::Control& mnuRsort)
    : list_(list),
      cmdSort1_(cmdSort1),
      cmdSort2_(cmdSort2),
      mnuSort1_(mnuSort1),
      mnuSort2_(mnuSort2),
      cmdRsort_(cmdRsort),
      mnuRsort_(mnuRsort) {}

void SortCommands::sorted() {
    cmdRsort_.enabled = true;
    mnuRsort_.enabled = true;
}

void SortCommands::undone() {
    cmdRsort_.enabled = false;
    mnuRsort_.enabled = false;
    for (platform::Control* c : {&cmdSort1_, &cmdSort2_, &mnuSort1_, &mnuSort2_}) {
        c->enabled = true;
    }
}

void SortCommands::cmdSort1_Click() {
    sortByType(list_);
    sorted();
    cmdSort1_.enabled = false;
}

void SortCommands::mnuSort2_Click() {
    sortByType(list_);
    sorted();
}

void SortCommands::cmdSort2_Click() {
    sortByCode(list_);
    sorted();
    cmdSort2_.enabled = false;
}

void SortCommands::mnuSort1_Click() {
    sortByCode(list_);
    sorted();
}

void SortCommands::cmdRsort_Click() {
    DoSort(list_);
    undone();
}

void SortCommands::mnuRsort_Click() {
    DoSort(list_);
    undone();
}

}  // namespace fenmark::reg
