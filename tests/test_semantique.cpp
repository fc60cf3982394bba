// The language semantics the component relies on: texts, whole numbers, variants, the
// common error report and the numeric and colour helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "Erreurs.hpp"
#include "doubles/DialoguesScriptes.hpp"
#include "support/Conversions.hpp"
#include "support/RapportErreur.hpp"
#include "support/Texte.hpp"
#include "support/Variant.hpp"
#include "support/xTools.hpp"

namespace vitrail {
namespace {

using test::numeroErreur;

TEST(Utf8, RoundTripsOneElementPerCharacterAndRefusesMalformedInput) {
    // Each length at its lowest code point, and the highest.
    const std::string source = "NonDéfini \u0080\u0800 – 𝄞\U00010000\U0010FFFF";
    const Texte texte = depuisUtf8(source);
    EXPECT_EQ(texte.size(), 18u);
    EXPECT_EQ(versUtf8(texte), source);
    for (const char* mauvais : {"\xC3", "\xC0\xAF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xED\xBF\xBF",
                                "\xF5\x80\x80\x80", "a\x80"})
        EXPECT_THROW(depuisUtf8(mauvais), std::invalid_argument) << mauvais;
    try {
        depuisUtf8("ab\xC3(");
        ADD_FAILURE() << "accepted";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "texte UTF-8 invalide à l'octet 3");  // the byte that breaks it
    }
    // Nothing inside holds a surrogate or a code point past Unicode's; if it did, it is replaced.
    EXPECT_EQ(versUtf8(Texte{0xD800, 0x110000}), "\uFFFD\uFFFD");
    EXPECT_TRUE(egauxSansCasse(U"TrUe", U"true"));
    EXPECT_FALSE(egauxSansCasse(U"É", U"é"));
}

TEST(Arrondi, HalvesGoToTheEvenNeighbourAndOverflowIsExactlyAtTheLimits) {
    EXPECT_EQ(CInt(1.5), 2);
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CLng(299.5), 300);
    EXPECT_EQ(CInt(-32768.5), -32768);  // the even neighbour is in range
    EXPECT_EQ(numeroErreur([] { CInt(-32768.6); }), erreurs::Depassement);
    EXPECT_EQ(numeroErreur([] { CInt(32767.5); }), erreurs::Depassement);
    EXPECT_EQ(numeroErreur([] { CInt(std::nan("")); }), erreurs::Depassement);
    EXPECT_EQ(CLng(2147483647.4), 2147483647);
    EXPECT_EQ(numeroErreur([] { CLng(2147483647.5); }), erreurs::Depassement);
    EXPECT_EQ(numeroErreur([] { CSng(1e300); }), erreurs::Depassement);
}

TEST(Nombres, TextsThatReadAsNumbersAndTheDefaultTextForm) {
    EXPECT_EQ(lireNombre(U"  12 "), 12.0);
    EXPECT_EQ(lireNombre(U"&HFFFF"), -1.0);      // four digits are a 16-bit value
    EXPECT_EQ(lireNombre(U"&h10000"), 65536.0);  // five and up to eight a 32-bit one
    EXPECT_EQ(lireNombre(U"&HFFFFFFFF"), -1.0);
    // "ı" is U+0131, whose low byte is the digit 1.
    for (const char32_t* pas : {U"", U"nan", U"12abc", U"１２", U"ı", U"&H1G", U"&H123456789"})
        EXPECT_EQ(lireNombre(pas), std::nullopt);
    EXPECT_EQ(texteNombre(-0.0), U"0");
    EXPECT_EQ(texteNombre(50 * 27.5 / 24.2), U"56.8181818181818");
}

TEST(Variant, FlagsReadTrueAndFalseInAnyCaseOrNumbersAndNothingElse) {
    EXPECT_FALSE(Variant(U"fAlSe").versBooleen());
    EXPECT_TRUE(Variant(U" 2.5 ").versBooleen());
    EXPECT_FALSE(Variant().versBooleen());
    for (const char32_t* texte : {U"NonDéfini", U"oui", U"", U"True "}) {
        EXPECT_EQ(numeroErreur([&] { Variant(texte).versBooleen(); }),
                  erreurs::IncompatibiliteType);
    }
    EXPECT_FALSE(Variant(false).estLeTexte(U"False"));  // the marker is a text, never a value
}

TEST(Variant, ConversionsAndComparisons) {
    EXPECT_EQ(Variant(U"3.5").versEntier(), 4);
    EXPECT_EQ(Variant(true).versEntier(), -1);
    EXPECT_EQ(numeroErreur([] { Variant(40000.0).versEntier(); }), erreurs::Depassement);
    EXPECT_EQ(Variant(0.8f).versTexte(), U"0.8");
    EXPECT_LT(comparer(U"10", U"9"), 0);  // texts compare as texts
    EXPECT_GT(comparer(U"10", std::int16_t{9}), 0);
    EXPECT_EQ(numeroErreur([] { comparer(U"abc", std::int16_t{0}); }),
              erreurs::IncompatibiliteType);
}

TEST(RapportErreur, ThreeLinesWithTheClosingQuoteOnlyAndThePrinterNoticeFirst) {
    test::DialoguesScriptes ui;
    bool abandon = false;
    bool noRedraw = false;
    RapportErreur(ErreurExecution(erreurs::IncompatibiliteType), U"NewCadreTexte", ui, abandon,
                  noRedraw);
    EXPECT_EQ(ui.messages.at(0),
              (Message{U"Le composant Vitrail.DLL a causé une erreur de Vitrail dans le module : "
                       U"NewCadreTexte'\r\nCode : 13\r\nDescription : Incompatibilité de type",
                       Boutons::OK, Icone::Critique, U"Erreur de Vitrail.dll"}));
    EXPECT_TRUE(abandon && noRedraw);

    RapportErreur(ErreurExecution(erreurs::InfoImprimante), U"Imprime", ui, abandon, noRedraw);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[1],
              (Message{MessageImprimanteVitImpr, Boutons::OK, Icone::Aucune, std::nullopt}));
    EXPECT_NE(ui.messages[2].texte.find(U"Code : 484\r\n"), Texte::npos);
}

TEST(CouleurHtml, RedFirstUpperCaseHexadecimalAndHexPaddedButNeverCut) {
    test::DialoguesScriptes ui;
    EXPECT_EQ(CouleurHtml(16777215, ui), U"#FFFFFF");
    EXPECT_EQ(CouleurHtml(255, ui), U"#FF0000");
    EXPECT_EQ(CouleurHtml(0x0A0B0C, ui), U"#0C0B0A");
    // Out of range: clamped.
    EXPECT_EQ(CouleurHtml(16777216, ui), U"#0000FF");
    EXPECT_EQ(CouleurHtml(-1, ui), U"#000000");
    EXPECT_EQ(CouleurHtml(2147483647, ui), U"#FFFFFF");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(HexSurLongueur(10, 2), U"0A");
    EXPECT_EQ(HexSurLongueur(4096, 2), U"1000");  // never cut
}

TEST(MaxMinValeurs, ResultsAndStartValues) {
    test::DialoguesScriptes ui;
    const auto max = [&](Valeurs v) { return MaxValeurs(v, ui); };
    const auto min = [&](Valeurs v) { return MinValeurs(v, ui); };
    EXPECT_EQ(max({std::int16_t{0}, -3.0}), Variant(std::int16_t{0}));
    EXPECT_EQ(max({U"b", U"a", U"c"}), Variant(U"c"));
    EXPECT_EQ(min({std::int16_t{300}, std::int16_t{255}}), Variant(std::int16_t{255}));
    EXPECT_EQ(min({std::int16_t{3}}), Variant(1e300));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(MaxMinValeurs, AFailedComparisonIsToldAndTheResultSoFarKept) {
    test::DialoguesScriptes ui;
    EXPECT_EQ(MaxValeurs({std::int16_t{5}, std::int16_t{9}, U"abc", std::int16_t{20}}, ui),
              Variant(std::int16_t{9}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].texte,
              U"An error N°13 ('Incompatibilité de type') occured during calculation ");
    EXPECT_EQ(ui.messages[0].titre, U"Calculate a maximum");

    EXPECT_EQ(MinValeurs({std::int16_t{5}, U"abc"}, ui), Variant(std::int16_t{5}));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].texte, ui.messages[0].texte);
}

TEST(UMax, LargestWithTheLaterOneOnTies) {
    std::vector<ErreurExecution> rapports;
    const auto rapport = [&](const ErreurExecution& e) { rapports.push_back(e); };
    EXPECT_EQ(uMax({std::int16_t{0}, 75.0}, rapport), Variant(75.0));
    EXPECT_EQ(uMax({std::int16_t{0}, 0.0}, rapport), Variant(0.0));
    EXPECT_TRUE(rapports.empty());
    EXPECT_EQ(uMax({std::int16_t{4}, U"abc"}, rapport), Variant(std::int16_t{4}));
    ASSERT_EQ(rapports.size(), 1u);
    EXPECT_EQ(rapports[0].numero(), erreurs::IncompatibiliteType);
}

}  // namespace
}  // namespace vitrail
