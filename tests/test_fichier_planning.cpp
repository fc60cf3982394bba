#include <gtest/gtest.h>

#include "FichierPlanning.hpp"

namespace vitrail::fichier {
namespace {

// The message a file gives, or "" when it reads.
std::string erreur(const std::string& json) {
    try {
        litTexte(json, "plan.json", "/plans");
    } catch (const ErreurFichier& e) {
        return e.what();
    }
    return "";
}

TEST(FichierPlanning, ReadsWhatAHostWouldSay) {
    const Planning p = litTexte(R"({
        "initialise": {"psFont": "Arial", "piFontSize": 12, "pbFontBold": true,
                       "psReplaceCHR13": 7, "pdMinFontSize": 4.5},
        "cadres": [
            {"type": "texte", "piHaut": 1, "piGauche": 2, "piBas": 3.5, "psText": "Lundi",
             "pbFontItalic": "False", "pbFontUnderline": 1},
            {"type": "image", "psImagePath": "images/logo.png", "piHaut": 5, "piGauche": 6},
            {"type": "image", "psImagePath": "/abs/logo.png", "piHaut": 5, "piGauche": 6}
        ],
        "show": {"piTypeImpression": -1, "psPaperSize": "A3"}
    })",
                                "plan.json", "/plans");
    ASSERT_TRUE(p.initialise.has_value());
    EXPECT_EQ(p.initialise->psFont, "Arial");
    EXPECT_EQ(p.initialise->psReplaceCHR13, Valeur(7.0));
    EXPECT_EQ(p.initialise->psAligne, "HV");  // what the file leaves out takes its default
    ASSERT_EQ(p.cadres.size(), 3u);
    const auto& texte = std::get<CadreTexte>(p.cadres[0]);
    EXPECT_EQ(texte.arguments.piBas, 3.5);
    EXPECT_EQ(texte.arguments.pbFontItalic, Valeur("False"));
    EXPECT_EQ(texte.arguments.pbFontUnderline, Valeur(1.0));
    EXPECT_EQ(std::get<CadreImage>(p.cadres[1]).psImagePath, "/plans/images/logo.png");
    EXPECT_EQ(std::get<CadreImage>(p.cadres[2]).psImagePath, "/abs/logo.png");
    EXPECT_EQ(p.show.piTypeImpression, eiTypeSortieImprimanteOld);
    EXPECT_FALSE(litTexte("{}", "vide.json", "/").initialise.has_value());
}

TEST(FichierPlanning, EveryFaultNamesTheFileTheLineAndTheField) {
    EXPECT_EQ(erreur("{\n \"initialise\": {\n  \"psFonte\": \"Arial\"\n }\n}"),
              "plan.json:3: champ /initialise/psFonte : clé inconnue");
    EXPECT_EQ(erreur("{\"cadres\": [\n {\"type\": \"texte\", \"piHaut\": 1, \"piGauche\": 2},\n"
                     " {\"type\": \"texte\", \"piHaut\": 1, \"piGauche\": 2,\n"
                     "  \"piFontSize\": 40000}]}"),
              "plan.json:4: champ /cadres/1/piFontSize : hors des limites -32768 à 32767");
    EXPECT_EQ(erreur("{\"cadres\": [{\"type\": \"texte\", \"piHaut\": \"1\", \"piGauche\": 2}]}"),
              "plan.json:1: champ /cadres/0/piHaut : un nombre est attendu");
    EXPECT_EQ(erreur("{\"cadres\": [\n{\"type\": \"texte\", \"piGauche\": 2}]}"),
              "plan.json:2: champ /cadres/0 : il manque \"piHaut\"");
    EXPECT_EQ(erreur("{\"cadres\": [{\"type\": \"cercle\"}]}"),
              "plan.json:1: champ /cadres/0/type : \"texte\" ou \"image\" est attendu");
    const std::string malForme = erreur("{\n \"cadres\": [\n  {\"type\": texte}\n ]\n}");
    EXPECT_EQ(malForme.rfind("plan.json:3: JSON mal formé : ", 0), 0u) << malForme;
}

}  // namespace
}  // namespace vitrail::fichier
