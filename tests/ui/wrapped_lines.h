#pragma once
// The lines a word-wrapped label shows at its present width, laid out as
// Qt lays out its text, and a check that no line break falls inside the
// phrases that must stay whole.

#include <gtest/gtest.h>

#include <QLabel>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>

#include "ui/line_breaks.h"

namespace fenmark::test {

inline QStringList wrappedLines(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << ui::withoutJoiners(text.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    return lines;
}

inline QStringList wrappedLines(const QLabel& label) {
    return wrappedLines(label.text(), label.font(), label.contentsRect().width());
}

// Every phrase stands whole on one of the lines.
inline void expectWhole(const QStringList& lines, const QStringList& phrases) {
    const QString all = lines.join(QString());
    for (const QString& phrase : phrases) {
        ASSERT_TRUE(all.contains(phrase)) << phrase.toStdString();
        bool whole = false;
        for (const QString& line : lines) whole = whole || line.contains(phrase);
        EXPECT_TRUE(whole) << phrase.toStdString() << " is broken in\n"
                           << lines.join(QStringLiteral("\n")).toStdString();
    }
}

}  // namespace fenmark::test
