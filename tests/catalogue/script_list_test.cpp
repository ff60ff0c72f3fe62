#include "update/catalogue/script_list.h"

#include "tests/common/case_name.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

#include <QStringList>

namespace akt {

// Found by argument lookup, so it lives in the namespace of the type.
void PrintTo(const ScriptListChange& change, std::ostream* out) {
    *out << (change.scope == ScriptListChange::Scope::All ? "all" : "row ") << change.row;
}

namespace {

using test::CaseName;
using test::NamedCase;

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

struct OrderCase : NamedCase {
    QStringList added;
    QStringList expected;
};

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
                         CaseName{});

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
    list.setChangeListener([&changes](const ScriptListChange&) { ++changes; });
    add(list, "A");
    EXPECT_EQ(changes, 3); // append, attach, text
    list.clear();
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(list.count(), 0);
}

// What the listener is told about each operation on a list holding "A" and "C".
struct NotifyCase : NamedCase {
    std::function<void(ScriptList&)> operation;
    std::vector<ScriptListChange> expected;
};

std::vector<NewScriptEntry> newEntries(const QStringList& texts, const QString& folder = QString()) {
    std::vector<NewScriptEntry> entries;
    for (const QString& text : texts)
        entries.push_back({text, std::make_unique<TstringObject>(folder + text)});
    return entries;
}

class ScriptListNotification : public testing::TestWithParam<NotifyCase> {};

TEST_P(ScriptListNotification, TellsWhatChanged) {
    ScriptList list;
    add(list, "A");
    add(list, "C");
    std::vector<ScriptListChange> heard;
    list.setChangeListener([&heard](const ScriptListChange& change) { heard.push_back(change); });
    GetParam().operation(list);
    EXPECT_EQ(heard, GetParam().expected);
}

const ScriptListChange all = ScriptListChange::everything();
const ScriptListChange row0 = ScriptListChange::oneRow(0);
const ScriptListChange row1 = ScriptListChange::oneRow(1);

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptListNotification,
    testing::Values(
        NotifyCase{"checkMarkIsOneRow", [](ScriptList& l) { l.setChecked(l.entry(1), true); }, {row1}},
        NotifyCase{"objectIsOneRow",
                   [](ScriptList& l) { l.attachObject(l.entry(0), std::make_unique<TstringObject>("a")); },
                   {row0}},
        NotifyCase{"textThatStaysIsOneRow", [](ScriptList& l) { l.setDisplayText(l.entry(1), "D"); }, {row1}},
        NotifyCase{"textThatMovesIsEverything", [](ScriptList& l) { l.setDisplayText(l.entry(1), "0"); }, {all}},
        NotifyCase{"appendIsEverything", [](ScriptList& l) { l.append(); }, {all}},
        NotifyCase{"appendAllIsOneNotification",
                   [](ScriptList& l) {
                       l.appendAll(newEntries({"B", "D", "0"}));
                   },
                   {all}},
        NotifyCase{"appendAllOfNothingIsSilent", [](ScriptList& l) { l.appendAll({}); }, {}},
        NotifyCase{"clearIsEverything", [](ScriptList& l) { l.clear(); }, {all}}),
    CaseName{});

// Folders of display texts, added folder by folder: once entry by entry as the list has always been
// filled, once with appendAll per folder. Paths tell equal texts apart.
struct BulkCase : NamedCase {
    std::vector<QStringList> folders;
};

std::vector<std::pair<QString, QString>> textsAndPaths(const ScriptList& list) {
    std::vector<std::pair<QString, QString>> listed;
    for (int i = 0; i < list.count(); ++i)
        listed.emplace_back(list.entry(i).displayText(), list.entry(i).object()->str);
    return listed;
}

// Enough equal texts that a sort which is not stable shows it (short ranges are sorted stably anyway).
QStringList repeated(const QStringList& texts, int count) {
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(texts.at(i % texts.size()));
    return out;
}

class ScriptListBulk : public testing::TestWithParam<BulkCase> {};

TEST_P(ScriptListBulk, AppendAllPlacesEntriesAsAppendingOneByOneDoes) {
    ScriptList oneByOne(QLocale(QLocale::Polish, QLocale::Poland));
    ScriptList bulk(QLocale(QLocale::Polish, QLocale::Poland));
    int folderNumber = 0;
    for (const QStringList& folder : GetParam().folders) {
        const QString path = QStringLiteral("folder%1/").arg(++folderNumber);
        for (const QString& text : folder)
            add(oneByOne, text, path + text);
        bulk.appendAll(newEntries(folder, path));
    }
    ASSERT_EQ(bulk.count(), oneByOne.count());
    EXPECT_EQ(textsAndPaths(bulk), textsAndPaths(oneByOne));
    for (int i = 0; i < bulk.count(); ++i)
        EXPECT_FALSE(bulk.entry(i).checked());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptListBulk,
    testing::Values(BulkCase{"equalTextsFromTwoFolders", {{"X", "A", "x", "X"}, {"x", "a", "X", "A"}}},
                    BulkCase{"letterCase", {{"b", "B", "a", "A", "ab", "AB"}, {"Ab", "B", "a"}}},
                    BulkCase{"polishLetters",
                             {{"żaba", "zebra", "Łąka", "łąka", "lato", "ćma", "cena", "Ćma", "ŻABA"},
                              {"ąb", "ĄB", "ab", "Zebra", "łąka", "Żaba"}}},
                    BulkCase{"digitsOneByOne", {{"9_A", "10_A", "09_A", "1_A", "10_a"}, {"10_A", "9_a", "100_A"}}},
                    BulkCase{"emptyTexts", {{"", "A", ""}, {""}, {"a", ""}}},
                    BulkCase{"everythingMixed",
                             {{"9_A", "ćma", "X", "10_A", "Ćma", "x", "", "żaba"},
                              {"10_a", "X", "Żaba", "cma", "9_A", "zaba"},
                              {"x", "10_A", "ĆMA"}}},
                    BulkCase{"manyEqualTexts",
                             {repeated({"b", "A", "ą", "a", "B", "Ą"}, 60), repeated({"Ą", "a", "B"}, 40)}}),
    CaseName{});

} // namespace
} // namespace akt
