#pragma once
// Sorting the ledger list for viewing: by type, by code, and back to
// register order. Only the list's rows move. The register, its row numbers
// and the file stay as they are, and the "No" column keeps naming each
// list row's register row, which is what lets the undo put them back.

#include "platform/controls.h"
#include "platform/grid.h"

namespace fenmark::reg {

// The list columns the sorts key on: the type name and the code.
inline constexpr int kTypeNameColumn = 2;
inline constexpr int kCodeColumn = 11;

// Sorts the data rows of the list ascending by type name (compared as text).
// A list not yet built to that width is left alone.
void sortByType(platform::Grid& list);

// Sorts the data rows of the list ascending by code (compared as text, so
// 0704-2 comes before 9803-0). A list not yet built to that width is left
// alone.
void sortByCode(platform::Grid& list);

// Sorts the list by all its columns, first to last. Column 0 holds the
// distinct register row numbers, which compare as numbers, so this puts the
// rows back in register order: 1, 2, ..., 10, 11, never 1, 10, 11, 2.
void DoSort(platform::Grid& list);

// The main window's four sort commands and two undo commands over its list.
// After any sort both undo commands are enabled, and a sort button disables
// itself; after any undo both undo commands are disabled and all four sort
// commands are enabled again, so that buttons and menu never disagree.
class SortCommands {
  public:
    SortCommands(platform::Grid& list, platform::Control& cmdSort1, platform::Control& cmdSort2,
                 platform::Control& mnuSort1, platform::Control& mnuSort2,
                 platform::Control& cmdRsort, platform::Control& mnuRsort);

    // "ソート：種別" and "ｿｰﾄ：種別   (&S)": by type.
    void cmdSort1_Click();
    void mnuSort2_Click();
    // "ソート：日付" and "ｿｰﾄ：日付   (&D)": by code.
    void cmdSort2_Click();
    void mnuSort1_Click();
    // "Undo-Sort" and "ﾘ・ｿｰﾄ        (&Q)": back to register order.
    void cmdRsort_Click();
    void mnuRsort_Click();

  private:
    void sorted();
    void undone();

    platform::Grid& list_;
    platform::Control& cmdSort1_;
    platform::Control& cmdSort2_;
    platform::Control& mnuSort1_;
    platform::Control& mnuSort2_;
    platform::Control& cmdRsort_;
    platform::Control& mnuRsort_;
};

}  // namespace fenmark::reg
