#pragma once
// The printed worksheets of the municipal return: A4 landscape, the
// columns of the 種類別明細書 ruled in a table of our own (not the
// municipality's form). Every sheet is headed by the register's path, the
// page as "n / m ページ" and the title with the 賦課期日; the declared
// assets follow by kind, kMunicipalRowsPerSheet to a sheet (those acquired
// in the year before marked ＊ by their number), each sheet closed by its
// own sums (取得価額, 評価額, 課税標準額) and the last one by the sums of
// all. Then, on the last sheet where there is room and on
// sheets of their own where not: the assets that left in the year before
// (ロ), and the 申告書's table per kind with the 評価額, the 課税標準額 and
// the estimated tax. Positions are twips from the top-left corner of the
// printable area.
//
//   platform::RecordingPrinter printer;
//   yearend::printMunicipal(printer, r, state.assetRegister, state.chosenFilePath);
//   printer.pageCount();   // 3 for 45 assets

#include <string>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "register/state.h"
#include "yearend/municipal_return.h"

namespace fenmark::yearend {

inline constexpr const char* kPrintMunicipalQuestion = "償却資産申告の作業用紙を印刷します。";
inline constexpr const char* kMunicipalWorksheetTitle =
    "償却資産申告（種類別明細書・全資産用）作業用";
inline constexpr const char* kMunicipalPrintFont = "ＭＳ明朝";
inline constexpr int kMunicipalRowsPerSheet = 20;
inline constexpr const char* kMunicipalSheetSumCaption = "この頁の計";
inline constexpr const char* kMunicipalAllSumCaption = "合計（全頁）";
inline constexpr const char* kMunicipalRemovedTitle = "前年中に減少した資産（ロ）";
inline constexpr const char* kMunicipalRemovedSumCaption = "計（申告書の(ロ)）";
inline constexpr const char* kMunicipalSummaryTitle = "申告書の集計（取得価額）と税額の見込み";
inline constexpr const char* kMunicipalNoAssetsLine = "1月1日現在で申告する資産はありません。";
// The mark by the number of an asset acquired in the year before, and what
// it means, under the sheet.
inline constexpr const char* kMunicipalLastYearMark = "＊";
inline constexpr const char* kMunicipalLastYearNote = "＊印は前年中に取得した資産（申告書の(ハ)）";

// The register's path as the heading names it; an unsaved register has
// none.
[[nodiscard]] std::string municipalPathLine(const std::string& path);

// Composes every sheet of `r` onto a document the caller has opened (in
// landscape) and will end. `assets` is the register `r` was computed from.
// Throws what the printer throws.
void composeMunicipal(platform::Printer& printer, const MunicipalReturn& r,
                      const reg::AssetRegister& assets, const std::string& path);

// The document of the print command once the printer is chosen: landscape,
// A4, composeMunicipal, the end of the document.
void printMunicipal(platform::Printer& printer, const MunicipalReturn& r,
                    const reg::AssetRegister& assets, const std::string& path);

// The window's "印刷": tells kPrintMunicipalQuestion (OK or cancel), shows
// the printer set-up dialog and prints on `device` under the busy pointer.
// A cancelled set-up or a failure while printing shows
// platform::kPrintFailedMessage.
void printMunicipalCommand(const MunicipalReturn& r, const reg::AssetRegister& assets,
                           const std::string& path, platform::Dialogs& dialogs,
                           platform::PrintDevice& device);

}  // namespace fenmark::yearend
