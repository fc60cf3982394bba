#include <gtest/gtest.h>

#include "doubles/InteractionScriptee.hpp"
#include "support/RapportErreur.hpp"

namespace vitrail {
namespace {

TEST(RapportErreur, ThreeLinesWithTheClosingQuoteOnly) {
    test::InteractionScriptee ui;
    bool abandon = false;
    bool noRedraw = false;
    RapportErreur(ErreurExecution(erreurs::IncompatibiliteType), U"NewCadreTexte", ui, abandon,
                  noRedraw);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].texte,
              U"Le composant Vitrail.DLL a causé une erreur de Vitrail dans le module : "
              U"NewCadreTexte'\r\nCode : 13\r\nDescription : Incompatibilité de type");
    EXPECT_EQ(ui.messages[0].boutons, Boutons::OK);
    EXPECT_EQ(ui.messages[0].icone, Icone::Critique);
    EXPECT_EQ(ui.messages[0].titre, U"Erreur de Vitrail.dll");
    EXPECT_TRUE(abandon);
    EXPECT_TRUE(noRedraw);
}

TEST(RapportErreur, AccentedNamesAndOwnDescriptionsPassUnchanged) {
    const Texte texte =
        MessageRapportErreur(U"ilLargeurDéfil", ErreurExecution(75, U"Accès refusé : /tmp/x"));
    EXPECT_EQ(texte,
              U"Le composant Vitrail.DLL a causé une erreur de Vitrail dans le module : "
              U"ilLargeurDéfil'\r\nCode : 75\r\nDescription : Accès refusé : /tmp/x");
}

TEST(RapportErreur, PrinterInformationFailureIsAnnouncedFirst) {
    test::InteractionScriptee ui;
    bool abandon = false;
    bool noRedraw = false;
    RapportErreur(ErreurExecution(erreurs::InfoImprimante), U"Imprime", ui, abandon, noRedraw);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].texte, MessageImprimanteVitImpr);
    EXPECT_EQ(ui.messages[0].icone, Icone::Aucune);
    EXPECT_EQ(ui.messages[0].titre, std::nullopt);
    EXPECT_NE(ui.messages[1].texte.find(U"Code : 484\r\n"), Texte::npos);
    EXPECT_TRUE(abandon);
}

}  // namespace
}  // namespace vitrail
