#include <gtest/gtest.h>

#include "engine/query/query_table.h"
#include "test_support.h"

namespace zintra {
namespace {

TEST(QueryEntry, VariablesAreTheDollarsAfterTheFirstWhere) {
    QueryEntry e("SELECT $x WHERE (?a, <p>, $who), ($where,<q>,$who)WHERE $z;");
    ASSERT_EQ(e.positions.size(), 4u);
    EXPECT_EQ(e.names, (std::vector<std::string>{"$where", "$who", "$who", "$z"}));
    EXPECT_EQ(e.text.substr(e.positions[0], 4), "$who");
    // Without WHERE there are no variables; WHERE is case-sensitive.
    EXPECT_TRUE(QueryEntry("SELECT $a where $b").names.empty());
}

TEST(QueryEntry, NamesEndAtTheirDelimiters) {
    EXPECT_EQ(variableEnd("$a,b", 0), 2u);
    EXPECT_EQ(variableEnd("x $who)", 2), 6u);
    EXPECT_EQ(variableEnd("$a;", 0), 2u);
    EXPECT_EQ(variableEnd("$a<", 0), 2u);
    EXPECT_EQ(variableEnd("$a\tb", 0), 2u);
    EXPECT_EQ(variableEnd("$abc", 0), 4u);
    EXPECT_EQ(variableEnd("$", 0), 1u);
}

TEST(QueryHash, RotatesAndXorsTheBytes) {
    EXPECT_EQ(variableHash(""), 0);
    EXPECT_EQ(variableHash("$"), '$');
    EXPECT_EQ(variableHash("$a"), ('$' << 1) ^ 'a');
    // Long names wrap around the top bit rather than losing it.
    std::string longName(40, '\xff');
    EXPECT_NE(variableHash(longName), 0);
}

TEST(QueryTable, LoadCutsAtSelectAndTrimsTrailingBlanks) {
    QueryTable t;
    t.load("preamble ignored\nSELECT ?a WHERE (?a, <p>, $who)\n\n  \tSELECT ?b WHERE ($who, <p>, $where)\r\n");
    EXPECT_EQ(t.size(), 2u);
    EXPECT_EQ(t.fill({{"$who", "Ken"}}), "SELECT ?a WHERE (?a, <p>, \"Ken\")");
}

TEST(QueryTable, BoundNamesChooseTheQuery) {
    QueryTable t;
    t.load("SELECT ?a WHERE (?a, <knows>, $who)\nSELECT ?b WHERE ($who, <lives>, $where)");
    EXPECT_EQ(t.fill({{"$who", "Ken"}}), "SELECT ?a WHERE (?a, <knows>, \"Ken\")");
    // Binding order does not matter: the names are sorted.
    EXPECT_EQ(t.fill({{"$where", "Tokyo"}, {"$who", "Ken"}}), "SELECT ?b WHERE (\"Ken\", <lives>, \"Tokyo\")");
    // A set of names no query has exactly.
    EXPECT_EQ(t.fill({{"$where", "Tokyo"}}), "");
    EXPECT_EQ(t.fill({{"$who", "Ken"}, {"$where", "Tokyo"}, {"$when", "now"}}), "");
}

TEST(QueryTable, TheFirstBindingOfANameWins) {
    QueryTable t;
    t.load("SELECT ?a WHERE (?a, <knows>, $who)");
    EXPECT_EQ(t.fill({{"$who", "Ken"}, {"$who", "Emi"}}), "SELECT ?a WHERE (?a, <knows>, \"Ken\")");
}

TEST(QueryTable, AQueryWithoutVariablesAnswersWhenNothingBinds) {
    QueryTable t;
    t.load("SELECT $price ?x WHERE (?x, <p>, <q>)\nSELECT ?y WHERE (?y, <r>, $who)");
    // The "$" before WHERE is plain text and stays.
    EXPECT_EQ(t.fill({}), "SELECT $price ?x WHERE (?x, <p>, <q>)");
    QueryTable noWhere;
    noWhere.load("SELECT $all");
    EXPECT_EQ(noWhere.fill({}), "SELECT $all");
}

TEST(QueryTable, DelimitersAfterAVariableAreCopied) {
    QueryTable t;
    t.load("SELECT ?a WHERE (?a,<p>,$who),(<q>,$where)");
    EXPECT_EQ(t.fill({{"$who", "Ken"}, {"$where", "Osaka"}}), "SELECT ?a WHERE (?a,<p>,\"Ken\"),(<q>,\"Osaka\")");
}

TEST(QueryTable, TheFirstOfTwoEqualVariableSetsStays) {
    QueryTable t;
    t.load("SELECT ?first WHERE ($b, $a)\nSELECT ?second WHERE ($a, $b)\nSELECT ?third WHERE ($a)");
    EXPECT_EQ(t.size(), 2u);
    EXPECT_EQ(t.fill({{"$a", "1"}, {"$b", "2"}}), "SELECT ?first WHERE (\"2\", \"1\")");
}

TEST(QueryTable, AVariableUsedTwiceNeedsTwoBindingsAndIsNeverChosen) {
    QueryTable t;
    t.load("SELECT ?a WHERE ($x, $x)");
    EXPECT_EQ(t.fill({{"$x", "1"}}), "");
    EXPECT_EQ(t.fill({{"$x", "1"}, {"$x", "2"}}), "");
}

TEST(QueryTable, TooManyVariablesAreNotEntered) {
    std::string q = "SELECT ?a WHERE";
    for (int i = 0; i <= 200; ++i) q += " $v" + std::to_string(i);
    QueryTable t;
    EXPECT_FALSE(t.add(q));
    EXPECT_TRUE(t.empty());
}

TEST(QueryTable, AMissingFileLeavesTheTableEmpty) {
    test::TempDir dir;
    QueryTable t;
    EXPECT_FALSE(t.loadFile(dir.file("absent.rdql")));
    EXPECT_TRUE(t.empty());
    EXPECT_EQ(t.fill({}), "");
    EXPECT_TRUE(t.loadFile(dir.write("q.rdql", "SELECT ?x WHERE ($w)\n")));
    EXPECT_EQ(t.size(), 1u);
}

}  // namespace
}  // namespace zintra
