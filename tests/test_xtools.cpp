#include <gtest/gtest.h>

#include "doubles/InteractionScriptee.hpp"
#include "support/xTools.hpp"

namespace vitrail {
namespace {

using test::InteractionScriptee;

TEST(CouleurHtml, RedFirstUpperCaseHexadecimal) {
    InteractionScriptee ui;
    EXPECT_EQ(CouleurHtml(16777215, ui), U"#FFFFFF");
    EXPECT_EQ(CouleurHtml(255, ui), U"#FF0000");
    EXPECT_EQ(CouleurHtml(0x0A0B0C, ui), U"#0C0B0A");
    // Out of range: clamped.
    EXPECT_EQ(CouleurHtml(16777216, ui), U"#0000FF");
    EXPECT_EQ(CouleurHtml(-1, ui), U"#000000");
    EXPECT_EQ(CouleurHtml(2147483647, ui), U"#FFFFFF");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(HexSurLongueur, PadsToTheLength) {
    EXPECT_EQ(HexSurLongueur(10, 2), U"0A");
    EXPECT_EQ(HexSurLongueur(4096, 2), U"1000");  // never cut
}

TEST(MaxMinValeurs, ResultsAndStartValues) {
    InteractionScriptee ui;
    const auto max = [&](Valeurs v) { return MaxValeurs(v, ui); };
    const auto min = [&](Valeurs v) { return MinValeurs(v, ui); };
    EXPECT_EQ(max({std::int16_t{0}, -3.0}), Variant(std::int16_t{0}));
    EXPECT_EQ(max({std::int16_t{42}}), Variant(std::int16_t{0}));
    EXPECT_EQ(max({U"b", U"a", U"c"}), Variant(U"c"));
    EXPECT_EQ(min({std::int16_t{300}, std::int16_t{255}}), Variant(std::int16_t{255}));
    EXPECT_EQ(min({std::int16_t{3}}), Variant(1e300));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(MaxMinValeurs, AFailedComparisonIsToldAndTheResultSoFarKept) {
    InteractionScriptee ui;
    EXPECT_EQ(MaxValeurs({std::int16_t{5}, std::int16_t{9}, U"abc", std::int16_t{20}}, ui),
              Variant(std::int16_t{9}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].texte,
              U"An error N°13 ('Incompatibilité de type') occured during calculation ");
    EXPECT_EQ(ui.messages[0].titre, U"Calculate a maximum");
    EXPECT_EQ(ui.messages[0].boutons, Boutons::OK);

    EXPECT_EQ(MinValeurs({std::int16_t{5}, U"abc"}, ui), Variant(std::int16_t{5}));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].texte, ui.messages[0].texte);
}

TEST(UMax, LargestWithTheLaterOneOnTies) {
    std::vector<ErreurExecution> rapports;
    const auto rapport = [&](const ErreurExecution& e) { rapports.push_back(e); };
    EXPECT_EQ(uMax({std::int16_t{0}, 75.0}, rapport), Variant(75.0));
    EXPECT_EQ(uMax({std::int16_t{0}, 0.0}, rapport), Variant(0.0));
    EXPECT_EQ(uMax({}, rapport), Variant());
    EXPECT_TRUE(rapports.empty());
    EXPECT_EQ(uMax({std::int16_t{4}, U"abc"}, rapport), Variant(std::int16_t{4}));
    ASSERT_EQ(rapports.size(), 1u);
    EXPECT_EQ(rapports[0].numero(), erreurs::IncompatibiliteType);
}

}  // namespace
}  // namespace vitrail
