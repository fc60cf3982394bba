// The C interface against the C++ class, member by member: each C argument must reach the field
// of its name, whatever its type.
#include <gtest/gtest.h>

#include <array>

#include "api/AccesInterne.hpp"
#include "c/PlanC.hpp"

namespace vitrail {
namespace {

// Every value differs from the others of its type; of the five flags, only flag k is set, so
// that any two arguments exchanged change what is stored.
TEST(ChampsC, EveryArgumentReachesTheFieldOfItsName) {
    for (int k = 0; k < 5; ++k) {
        const auto b = [k](int i) { return static_cast<std::int32_t>(i == k); };
        const auto t = [k](int i) { return i == k ? "True" : "False"; };
        vitrail_plan* c = nullptr;
        ASSERT_EQ(vitrail_creer(&c), VITRAIL_OK);
        ASSERT_EQ(vitrail_initialise(c, 1.5, 0x102030, 7, "Courier", 13, b(0), b(1), b(2), b(3),
                                     b(4), 0x405060, "G", 0x708090, 0xA0B0C0, "|", "~", 8, 3, 11,
                                     12, 300, 400, "Titre", 4.5),
                  VITRAIL_OK)
            << vitrail_derniere_erreur();
        ASSERT_EQ(vitrail_new_cadre_texte(c, 10, 20, 200, 500, 2, 0xAA5500, "Lundi", "Arial", 9,
                                          t(0), t(1), t(2), t(3), t(4), 0x3300CC, "DB", 0x00CC33),
                  VITRAIL_OK)
            << vitrail_derniere_erreur();

        TracPlanDLL cpp;
        cpp.Initialise({.piDrawWidth = 1.5,
                        .piFillColor = 0x102030,
                        .piFillStyle = 7,
                        .psFont = "Courier",
                        .piFontSize = 13,
                        .pbFontBold = k == 0,
                        .pbFontItalic = k == 1,
                        .pbFontStrikethru = k == 2,
                        .pbFontUnderline = k == 3,
                        .pbFontTransparent = k == 4,
                        .plFontColor = 0x405060,
                        .psAligne = "G",
                        .plCouleurTrait = 0x708090,
                        .plCouleurFond = 0xA0B0C0,
                        .psFieldSeparator = "|",
                        .psReplaceCHR13 = "~",
                        .piMargeEnPourcent = 8,
                        .piNbMiniLettresDunMot = 3,
                        .piScreenTop = 11,
                        .piScreenLeft = 12,
                        .piScreenHeight = 300,
                        .piScreenWidth = 400,
                        .psScreenCaption = "Titre",
                        .pdMinFontSize = 4.5});
        cpp.NewCadreTexte(10, 20,
                          {.piBas = 200,
                           .piDroite = 500,
                           .piDrawWidth = 2,
                           .piFillColor = 0xAA5500,
                           .psText = "Lundi",
                           .psFont = "Arial",
                           .piFontSize = 9,
                           .pbFontBold = t(0),
                           .pbFontItalic = t(1),
                           .pbFontStrikethru = t(2),
                           .pbFontUnderline = t(3),
                           .pbFontTransparent = t(4),
                           .plFontColor = 0x3300CC,
                           .psAligne = "DB",
                           .plCouleurTrait = 0x00CC33});

        const TracPlanOCX& parC = api::formulaire(c->trace).TracPlanOCX1;
        const TracPlanOCX& parCpp = api::formulaire(cpp).TracPlanOCX1;
        EXPECT_TRUE(parC.reglages == parCpp.reglages) << k;
        ASSERT_TRUE(parC.ioCadres && parCpp.ioCadres);
        EXPECT_TRUE(*parC.ioCadres == *parCpp.ioCadres) << k;
        const std::array geometrieC{c->trace.piScreenTop(), c->trace.piScreenLeft(),
                                    c->trace.piScreenHeight(), c->trace.piScreenWidth()};
        const std::array geometrieCpp{cpp.piScreenTop(), cpp.piScreenLeft(), cpp.piScreenHeight(),
                                      cpp.piScreenWidth()};
        EXPECT_EQ(geometrieC, geometrieCpp);
        EXPECT_EQ(c->trace.psScreenCaption(), cpp.psScreenCaption());
        vitrail_detruire(c);
    }
}

}  // namespace
}  // namespace vitrail
