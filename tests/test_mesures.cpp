#include <gtest/gtest.h>

#include "Controle.hpp"

namespace vitrail {
namespace {

using test::Controle;

TEST(Mesures, NothingBeforeTheFirstPass) {
    Controle c;
    EXPECT_EQ(c.ctl.RtvTextWidth(U"Lundi"), 0);
    EXPECT_EQ(c.ctl.RtvTextHeight(U"Lundi"), 0);
}

TEST(Mesures, TagsTakeNoWidthUnlessAskedFor) {
    Controle c;
    c.ctl.ilTypeImpression = 1;
    c.surface().FontSize(10);
    EXPECT_EQ(c.ctl.RtvTextWidth(U"<b>ab</b> <I>c</i><u>d</U>"), 500);
    EXPECT_EQ(c.ctl.RtvTextWidth(U"<b>ab</b>", false), 900);
    EXPECT_EQ(c.ctl.RtvTextHeight(U"<b>ab</b>"), 200);
}

TEST(Mesures, HtmlScalesTheControlsMeasures) {
    Controle c;
    c.ctl.ilTypeImpression = 3;
    c.surface().FontSize(10);
    EXPECT_FLOAT_EQ(c.ctl.RtvTextWidth(Texte(15, U'x')), 100);
    c.surface().FontSize(7.5f);
    EXPECT_FLOAT_EQ(c.ctl.RtvTextHeight(U"x"), 15);
    c.surface().FontSize(10);
    EXPECT_FLOAT_EQ(c.ctl.RtvTextWidth(Texte(400, U'x')), 40000 * 0.06666667f);
    EXPECT_TRUE(c.messages().empty());
}

TEST(Mesures, PrinterMeasuresAreNotLimitedToSixteenBits) {
    Controle c;
    c.ctl.ilTypeImpression = 2;
    c.plateforme.imprimante.FontSize(12);
    EXPECT_EQ(c.ctl.RtvTextWidth(Texte(400, U'x')), 48000);
    EXPECT_TRUE(c.messages().empty());
}

TEST(Mesures, TooWideATextOnTheScreenStopsTheDrawing) {
    Controle c;
    c.ctl.ilTypeImpression = 1;
    c.surface().FontSize(10);
    EXPECT_EQ(c.ctl.RtvTextWidth(Texte(400, U'x')), 0);
    ASSERT_EQ(c.messages().size(), 1u);
    EXPECT_EQ(c.messages()[0].texte, test::rapport(U"TextWidth", 6));
    EXPECT_TRUE(c.ctl.ibAbandon);
}

}  // namespace
}  // namespace vitrail
