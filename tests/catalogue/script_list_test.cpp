#include "update/catalogue/script_list.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QStringList>

namespace akt {
namespace {

QStringList displayTexts(const ScriptList& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts.append(list.entry(i).displayText());
    return texts;
}

void add(ScriptList& list, const QString& text, const QString& path = QString()) {
    ScriptEntry& entry = list.append();
    list.attachObject(entry, std::make_unique<TstringObject>(path));
    list.setDisplayText(entry, text);
}

struct OrderCase {
    const char* name;
    QStringList added;
    QStringList expected;
};

// Test names carry the case name; keep gtest from dumping the case bytes into them.
void PrintTo(const OrderCase& c, std::ostream* out) {
    *out << c.name;
}

class ScriptListOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(ScriptListOrder, KeepsEntriesSortedByCollation) {
    ScriptList list(QLocale(QLocale::Polish, QLocale::Poland));
    for (const QString& text : GetParam().added)
        add(list, text);
    EXPECT_EQ(displayTexts(list), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptListOrder,
                         testing::Values(OrderCase{"caseIgnored", {"B", "a", "C"}, {"a", "B", "C"}},
                                         OrderCase{"digitsOneByOne", {"9_A", "10_A"}, {"10_A", "9_A"}},
                                         OrderCase{"leadingZero", {"10_A", "09_A"}, {"09_A", "10_A"}},
                                         OrderCase{"polishLetters",
                                                   {"żaba", "zebra", "łąka", "lato", "ćma", "cena", "ąb", "b", "a"},
                                                   {"a", "ąb", "b", "cena", "ćma", "lato", "łąka", "zebra", "żaba"}},
                                         OrderCase{"emptyTextFirst", {"A", ""}, {"", "A"}}),
                         [](const testing::TestParamInfo<OrderCase>& info) { return info.param.name; });

TEST(ScriptList, WithoutAConfiguredLocalePolishLettersStillSortBesideTheirBaseLetters) {
    ScriptList list(QLocale::c());
    for (const char* text : {"b", "ąb", "B2", "a", "z"})
        add(list, QString::fromUtf8(text));
    EXPECT_EQ(displayTexts(list), QStringList({"a", QString::fromUtf8("ąb"), "b", "B2", "z"}));
}

TEST(ScriptList, EqualTextsKeepTheOrderTheyWereAdded) {
    ScriptList list;
    add(list, "X", "first/X.SQL");
    add(list, "A", "A.SQL");
    add(list, "x", "second/x.SQL");
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.entry(1).object()->str, "first/X.SQL");
    EXPECT_EQ(list.entry(2).object()->str, "second/x.SQL");
}

TEST(ScriptList, ChangingTheTextMovesTheEntryAndItsReferenceStaysValid) {
    ScriptList list;
    add(list, "B");
    ScriptEntry& entry = list.append();
    EXPECT_EQ(list.indexOf(entry), 0); // an empty text sorts first
    list.setDisplayText(entry, "C");
    list.setChecked(entry, true);
    EXPECT_EQ(list.indexOf(entry), 1);
    EXPECT_TRUE(list.entry(1).checked());
    EXPECT_FALSE(list.entry(0).checked());
}

TEST(ScriptList, ReportsEveryChangeAndClearsEverything) {
    ScriptList list;
    int changes = 0;
    list.setChangeListener([&changes] { ++changes; });
    add(list, "A");
    EXPECT_EQ(changes, 3); // append, attach, text
    list.clear();
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(list.count(), 0);
}

} // namespace
} // namespace akt
