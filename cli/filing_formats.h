#pragma once
// The statement's table in the forms the two electronic ways of filing take
// it, written by fenmark-cli statement --format sakusei-json|sakusei-csv|
// etax-json|etax-csv.
//
// sakusei-*: the assets as they are typed into the NTA's online return
// system, field by field under its own labels (yearend::OnlineEntries).
// etax-*: e-Tax's rows of the table under their tags, with the
// continuation total of the rows after the form's own and the total
// (yearend::EtaxTable). Both end with the ㋷ total and where it goes.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "yearend/return_entry.h"
#include "yearend/statement.h"

namespace fenmark::cli {

// The JSON of the online entries: {"year", "form", "assets", "warnings",
// "expense"}; each asset an object under the online system's labels.
[[nodiscard]] std::string sakuseiJson(const yearend::OnlineEntries& entries,
                                      yearend::ReturnForm form);

// The online entries as a table: "No", the 17 labels and "注意"; one line
// per asset with the texts as typed, one per list warning (No 「注意」),
// and the last (No 「計」) with the ㋷ total's line in 注意.
[[nodiscard]] std::vector<std::string> sakuseiHeadings();
[[nodiscard]] std::vector<std::vector<std::string>> sakuseiRows(
    const yearend::OnlineEntries& entries, yearend::ReturnForm form);

// The JSON of e-Tax's table: {"form", "year", "formRows", "rows",
// "AMF01791", "AMF01800", "problems", "expense"}. `expenseTotal` is the
// statement's ㋷ total.
[[nodiscard]] std::string etaxJson(const yearend::EtaxTable& table, yearend::ReturnForm form,
                                   std::int64_t expenseTotal);

// e-Tax's table one field a line under 「行」「タグ」「項目」「値」.
[[nodiscard]] std::vector<std::string> etaxHeadings();
[[nodiscard]] std::vector<std::vector<std::string>> etaxRows(const yearend::EtaxTable& table,
                                                             yearend::ReturnForm form,
                                                             std::int64_t expenseTotal);

// 「項目」 of e-Tax's row fields, in the order of kEtaxRowTags with the
// three parts of AMF01630 in its place (19 names); ㋬ as the form heads it.
[[nodiscard]] std::array<std::string_view, 19> etaxRowItems(yearend::ReturnForm form);
// 「項目」 of the six sums of the continuation total and of the total.
[[nodiscard]] std::array<std::string_view, 6> etaxTotalItems(yearend::ReturnForm form);

}  // namespace fenmark::cli
