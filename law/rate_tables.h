#pragma once
// The useful-life rate tables: the old rules (before April 2007), the 2007
// rules and the 2012 rules, each a list of fixed-width text entries with a
// header as item 0 and the entry for a useful life of L as item L - 1.
// The entries are the program's own data and are never computed: a rate is
// the text the tax tables print, and that text is what the register stores.
//
//   old   "0.1000.206"              straight line (1-5), declining (6-10)
//   2007  "0.1000.2500.3340.04448"  straight line, declining (250 %),
//                                   revised rate (11-15), guarantee (16-22)
//   2012  "0.1000.250.06552"        straight line, revised rate (6-10),
//                                   guarantee without its leading zero

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fenmark::law {

// Item 0 of every table.
inline constexpr std::string_view kRateTableHeader = "定額法 定率法";

// The tables, header first: 100 items (lives 2..100), 50 and 50 (lives 2..50).
[[nodiscard]] std::span<const std::string_view> oldRateTable();
[[nodiscard]] std::span<const std::string_view> rateTable2007();
[[nodiscard]] std::span<const std::string_view> rateTable2012();

// Fill the card's lists: each appends the header and then its entries in
// order of increasing life.
void GetList(std::vector<std::string>& lstData);
void GetList2(std::vector<std::string>& lstData2);
void GetList3(std::vector<std::string>& lstData3);

// The entry for the useful life written in `lifeText`: the item at the
// index (number - 1), rounded half to even. A life with no entry in the
// table (1 or less, which would address the header, beyond the last life,
// or no number at all) gives the empty text, which the card treats as "no
// rate".
//   lookupEntry(oldRateTable(), "10") == "0.1000.206"
//   lookupEntry(rateTable2007(), "51") == ""
[[nodiscard]] std::string lookupEntry(std::span<const std::string_view> table,
                                      std::string_view lifeText);

// Slices of an entry, by character.
// First five: the straight-line rate of every table.
[[nodiscard]] std::string firstFive(std::string_view entry);
// Last five: the declining-balance rate of an old entry.
[[nodiscard]] std::string lastFive(std::string_view entry);
// Characters 6 to 10: the declining-balance rate of a 2007 entry, the
// revised rate of a 2012 entry.
[[nodiscard]] std::string sixToTen(std::string_view entry);
// Last twelve: what a 2007 entry gives the register's new-rule rates
// (revised rate, then guarantee rate).
[[nodiscard]] std::string lastTwelve(std::string_view entry);

// The two halves of the register's new-rule rates "0.3340.04448": the revised
// rate is the first five characters, the guarantee rate the last seven.
[[nodiscard]] std::string revisedRateOf(std::string_view newRuleRates);
[[nodiscard]] std::string guaranteeRateOf(std::string_view newRuleRates);

// The 200 % declining-balance rate for acquisitions from April 2012, lives
// 2..50 ("1.000" .. "0.040"), which the 2012 table does not carry. The
// empty text for a life outside 2..50, read as lookupEntry reads it.
[[nodiscard]] std::span<const std::string_view> doubleDecliningRates();
[[nodiscard]] std::string doubleDecliningRate(std::string_view lifeText);

}  // namespace fenmark::law
