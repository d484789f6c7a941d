#pragma once
// Where a wrapped Japanese text may break on screen. Qt breaks Japanese
// between any two characters, which cuts numbers from their units
// (「86.4か」「月」) and words in half (「財務省」「令」). keepPhrases() glues
// each phrase together with WORD JOINER (U+2060), which the line breaker
// respects and which shows as nothing, so that a line breaks only
//
//   - at a blank or a line break,
//   - after closing punctuation (、。：＞ and the like), and after a closing
//     bracket unless a particle follows it (「（…）とは」),
//   - before opening punctuation (（「 and the like),
//   - where hiragana give way to kanji, katakana, digits or letters: after
//     the particle or ending that closes a phrase (「施行の｜改正」), except
//     in the unit 「か月」.
//
// The texts stay as the models hold them; only what the labels show changes.

#include <QString>

class QWidget;

namespace fenmark::ui {

inline constexpr QChar kWordJoiner{0x2060};

[[nodiscard]] QString keepPhrases(const QString& text);

// The text without the joiners keepPhrases() put in.
[[nodiscard]] QString withoutJoiners(QString text);

// A window does not grow with its wrapped texts by itself: a long text
// would lose its last lines, or squeeze the controls under it. After its
// texts changed, this makes the window's least height the one its texts
// need at its least width, growing it when it is lower.
void fitHeightToWrappedTexts(QWidget& window);

}  // namespace fenmark::ui
