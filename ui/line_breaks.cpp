#include "ui/line_breaks.h"

#include <QLayout>
#include <QList>
#include <QWidget>
#include <algorithm>

namespace fenmark::ui {

namespace {

enum class Kind { Blank, Closing, ClosingBracket, Opening, Hiragana, Other };

bool isClosing(char32_t c) {
    // The ASCII full stop and comma stand inside numbers (86.4, 1,200).
    static const QString closing = QStringLiteral("、。，．：；！？＞:;!?");
    return c <= 0xffff && closing.contains(QChar(static_cast<char16_t>(c)));
}

bool isClosingBracket(char32_t c) {
    static const QString closing = QStringLiteral("）」』】〕〉》｝］)]}");
    return c <= 0xffff && closing.contains(QChar(static_cast<char16_t>(c)));
}

bool isOpening(char32_t c) {
    static const QString opening = QStringLiteral("（「『【〔〈《＜｛［([{");
    return c <= 0xffff && opening.contains(QChar(static_cast<char16_t>(c)));
}

Kind kindOf(char32_t c, char32_t next) {
    if (c == U' ' || c == U'\u3000' || c == U'\n' || c == U'\t') return Kind::Blank;
    if (isClosing(c)) return Kind::Closing;
    if (isClosingBracket(c)) return Kind::ClosingBracket;
    if (isOpening(c)) return Kind::Opening;
    if (c >= 0x3041 && c <= 0x309f) {
        // The か of か月 belongs to the unit, not to the phrase before it.
        return c == U'か' && next == U'月' ? Kind::Other : Kind::Hiragana;
    }
    return Kind::Other;
}

bool breakAllowed(Kind before, Kind after) {
    if (before == Kind::Blank || after == Kind::Blank) return true;
    // No line starts with closing punctuation nor ends with opening.
    if (after == Kind::Closing || after == Kind::ClosingBracket || before == Kind::Opening) {
        return false;
    }
    // The particle after a bracket belongs to it: 「（…）とは」.
    if (before == Kind::ClosingBracket) return after != Kind::Hiragana;
    return before == Kind::Closing || after == Kind::Opening ||
           (before == Kind::Hiragana && after == Kind::Other);
}

}  // namespace

QString keepPhrases(const QString& text) {
    const QList<uint> chars = withoutJoiners(text).toUcs4();
    QString out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const auto c = static_cast<char32_t>(chars[i]);
        const auto next = static_cast<char32_t>(i + 1 < chars.size() ? chars[i + 1] : 0);
        const auto afterNext = static_cast<char32_t>(i + 2 < chars.size() ? chars[i + 2] : 0);
        out.append(QString::fromUcs4(&c, 1));
        if (next != 0 && !breakAllowed(kindOf(c, next), kindOf(next, afterNext))) {
            out.append(kWordJoiner);
        }
    }
    return out;
}

QString withoutJoiners(QString text) { return text.remove(kWordJoiner); }

void fitHeightToWrappedTexts(QWidget& window) {
    QLayout* outer = window.layout();
    if (outer == nullptr) return;
    // The nested layouts learn of a label's new text only when activated.
    outer->activate();
    if (!outer->hasHeightForWidth()) return;
    const QSize least = outer->totalMinimumSize().expandedTo(window.minimumSize());
    window.setMinimumHeight(
        std::max(outer->totalMinimumSize().height(), outer->totalHeightForWidth(least.width())));
}

}  // namespace fenmark::ui
