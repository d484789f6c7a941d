// Where wrapped labels may break a line: between phrases, never inside a
// number with its unit or a word.

#include "ui/line_breaks.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace fenmark::ui {
namespace {

// The runs keepPhrases() leaves unbreakable, in order.
QStringList runs(const QString& text) {
    const QString kept = keepPhrases(text);
    QStringList out;
    QString run;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (kept[i] == kWordJoiner) continue;
        run += kept[i];
        const bool joined = i + 1 < kept.size() && kept[i + 1] == kWordJoiner;
        const bool pair = kept[i].isHighSurrogate();
        if (!joined && !pair) {
            out << run;
            run.clear();
        }
    }
    if (!run.isEmpty()) out << run;
    return out;
}

TEST(LineBreaksTest, BreaksFallBetweenPhrasesOnly) {
    struct Case {
        const char* name;
        QString text;
        QStringList runs;
    };
    const Case cases[] = {
        {"a number keeps its unit, か月 included",
         QStringLiteral("(120か月 − 42か月) ＝ 86.4か月 → 7年"),
         {QStringLiteral("(120か月"), QStringLiteral(" "), QStringLiteral("−"), QStringLiteral(" "),
          QStringLiteral("42か月)"), QStringLiteral(" "), QStringLiteral("＝"), QStringLiteral(" "),
          QStringLiteral("86.4か月"), QStringLiteral(" "), QStringLiteral("→"), QStringLiteral(" "),
          QStringLiteral("7年")}},
        {"a decree's name stands whole in its brackets",
         QStringLiteral("令和8年5月22日施行の改正（令和8年財務省令第29号）とは一部の"),
         {QStringLiteral("令和8年5月22日施行の"), QStringLiteral("改正"),
          QStringLiteral("（令和8年財務省令第29号）とは"), QStringLiteral("一部の")}},
        {"a heading path breaks after its particles and its arrows",
         QStringLiteral("器具及び備品＞事務機器及び通信機器"),
         {QStringLiteral("器具及び"), QStringLiteral("備品＞"), QStringLiteral("事務機器及び"),
          QStringLiteral("通信機器")}},
        {"no line starts with closing or ends with opening punctuation",
         QStringLiteral("を除く。）（1-345）"),
         {QStringLiteral("を"), QStringLiteral("除く。）"), QStringLiteral("（1-345）")}},
        {"lines and full-width blanks break",
         QStringLiteral("50年\n要確認　項目"),
         {QStringLiteral("50年"), QStringLiteral("\n"), QStringLiteral("要確認"),
          QStringLiteral("　"), QStringLiteral("項目")}},
        {"a character beyond the first plane is not split",
         QStringLiteral("𠮷野家の牛丼"),
         {QStringLiteral("𠮷野家の"), QStringLiteral("牛丼")}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runs(c.text), c.runs) << c.name;
        // The joiners show as nothing and come out again whole.
        EXPECT_EQ(withoutJoiners(keepPhrases(c.text)), c.text) << c.name;
        EXPECT_EQ(keepPhrases(keepPhrases(c.text)), keepPhrases(c.text)) << c.name;
    }
}

}  // namespace
}  // namespace fenmark::ui
