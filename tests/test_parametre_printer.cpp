#include <gtest/gtest.h>

#include "Controle.hpp"
#include "support/RapportErreur.hpp"

namespace vitrail {
namespace {

using test::Controle;

TEST(ParametrePrinter, ScaleAndZoomBySheetAndUnsupportedSheetsLeaveThem) {
    Controle c;
    auto& imprimante = c.plateforme.imprimante;
    c.ctl.nomProcedure = U"Imprime";

    c.ctl.ParamètrePrinter(U"Landscape", U"A4");
    EXPECT_EQ(c.ctl.idCorrecVertical, 50 * 19.5 / 18);
    EXPECT_EQ(c.ctl.idCorrecHorizontal, 50 * 27.5 / 24.2);
    EXPECT_EQ(c.ctl.idZoomDefaut, 1.0);
    EXPECT_EQ(c.ctl.nomProcedure, U"Imprime");

    c.ctl.ParamètrePrinter(U"Landscape", U"A3");
    EXPECT_EQ(imprimante.paperSize, Printer::A3);
    EXPECT_EQ(c.ctl.idZoomDefaut, 42 / 29.7);

    c.ctl.ParamètrePrinter(U"landscape", U"A4");
    EXPECT_EQ(imprimante.orientation, Printer::Portrait);
    EXPECT_EQ(c.ctl.idCorrecVertical, 53);
    EXPECT_EQ(c.ctl.idCorrecHorizontal, 56);
    EXPECT_EQ(c.ctl.idZoomDefaut, 0.8);

    // Unsupported sheets: reported, the scale left as it was.
    c.ctl.ParamètrePrinter(U"Landscape", U"A4");
    c.ctl.ParamètrePrinter(U"Landscape", U"A5");
    ASSERT_EQ(c.messages().size(), 1u);
    EXPECT_NE(c.messages()[0].texte.find(U"module : ParamètrePrinter'\r\nCode : 380"), Texte::npos);
    EXPECT_EQ(c.ctl.idZoomDefaut, 1.0);
    EXPECT_EQ(c.plateforme.imprimante.paperSize, Printer::A4);

    c.ctl.ParamètrePrinter(U"Portrait", U"A3");
    EXPECT_EQ(c.messages().size(), 2u);
    EXPECT_EQ(c.ctl.idZoomDefaut, 1.0);
    EXPECT_TRUE(c.ctl.ibAbandon);
}

TEST(ParametrePrinter, PrinterInformationFailureIsToldOthersAreToleratedQuietly) {
    Controle c;
    c.plateforme.imprimante.echecsEcriture = {erreurs::InfoImprimante};
    c.ctl.ParamètrePrinter(U"Portrait", U"A4");
    EXPECT_EQ(c.messages(), std::vector<Message>{MessageErreurImprimante()});
    EXPECT_TRUE(c.ctl.ibErreurPrinter);
    EXPECT_EQ(c.ctl.idZoomDefaut, 0.8);

    c.plateforme.imprimante.echecsEcriture = {erreurs::ErreurImprimante, erreurs::ErreurImprimante};
    c.ctl.ParamètrePrinter(U"Landscape", U"A3");
    EXPECT_EQ(c.messages().size(), 1u);
    EXPECT_EQ(c.ctl.idZoomDefaut, 42 / 29.7);
    EXPECT_FALSE(c.ctl.ibAbandon);
}

}  // namespace
}  // namespace vitrail
