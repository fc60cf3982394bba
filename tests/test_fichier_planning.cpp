#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>

#include "FichierPlanning.hpp"
#include "vitrail/Champs.hpp"

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
        "show": {"piTypeImpression": -1, "psPaperSize": "A3", "echappeHtml": true}
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
    EXPECT_TRUE(p.echappeHtml);
    EXPECT_FALSE(litTexte("{}", "vide.json", "/").initialise.has_value());
    EXPECT_FALSE(litTexte("{}", "vide.json", "/").echappeHtml);
}

// Each field as the schema would describe it: its name, its JSON type and, for an integer, its
// range.
class Description : public VisiteurChamps {
  public:
    std::vector<std::string> lignes;
    void champ(std::string_view nom, double&) override { ajoute(nom, "\"number\""); }
    void champ(std::string_view nom, std::int16_t&) override { entier<std::int16_t>(nom); }
    void champ(std::string_view nom, std::int32_t&) override { entier<std::int32_t>(nom); }
    void champ(std::string_view nom, bool&) override { ajoute(nom, "\"boolean\""); }
    void champ(std::string_view nom, std::string&) override { ajoute(nom, "\"string\""); }
    void champ(std::string_view nom, Valeur&) override {
        ajoute(nom, R"(["boolean","number","string"])");
    }
    void ajoute(std::string_view nom, const std::string& type) {
        lignes.push_back(std::string(nom) + " " + type);
    }
    template <class T>
    void entier(std::string_view nom) {
        ajoute(nom, "\"integer\" " + std::to_string(std::numeric_limits<T>::min()) + ".." +
                        std::to_string(std::numeric_limits<T>::max()));
    }
};

std::vector<std::string> duSchema(const nlohmann::ordered_json& proprietes) {
    std::vector<std::string> lignes;
    for (const auto& [nom, p] : proprietes.items()) {
        if (nom == "type" || nom == "piHaut" || nom == "piGauche") continue;
        std::string ligne = nom + " " + p.at("type").dump();
        if (p.contains("minimum")) {
            ligne += " " + p.at("minimum").dump() + ".." + p.at("maximum").dump();
        }
        lignes.push_back(ligne);
    }
    return lignes;
}

// The reader takes the fields the argument structs declare: the schema must say the same.
TEST(FichierPlanning, TheSchemaDescribesEveryFieldTheArgumentsHave) {
    std::ifstream fichier(VITRAIL_SCHEMA);
    const auto schema = nlohmann::ordered_json::parse(fichier);
    Description initialise, cadre;
    ArgumentsInitialise i;
    ArgumentsCadreTexte c;
    visiteChamps(i, initialise);
    visiteChamps(c, cadre);
    EXPECT_EQ(duSchema(schema["properties"]["initialise"]["properties"]), initialise.lignes);
    EXPECT_EQ(duSchema(schema["properties"]["cadres"]["items"]["oneOf"][0]["properties"]),
              cadre.lignes);
}

std::string repete(const std::string& texte, int fois) {
    std::string resultat;
    for (int i = 0; i < fois; ++i)
        resultat += texte;
    return resultat;
}

// An array nested so deep that, with the root object, the document has this many levels.
std::string profondeur(int niveaux) {
    return "{\"initialise\":\n" + std::string(niveaux - 1, '[') + std::string(niveaux - 1, ']') +
           "}";
}

TEST(FichierPlanning, EveryFaultNamesTheFileTheLineAndTheField) {
    const struct {
        std::string json;
        std::string message;
    } lignes[] = {
        {"{\n \"initialise\": {\n  \"psFonte\": \"Arial\"\n }\n}",
         "plan.json:3: champ /initialise/psFonte : clé inconnue"},
        {"{\"cadres\": [\n {\"type\": \"texte\", \"piHaut\": 1, \"piGauche\": 2},\n"
         " {\"type\": \"texte\", \"piHaut\": 1, \"piGauche\": 2,\n  \"piFontSize\": 40000}]}",
         "plan.json:4: champ /cadres/1/piFontSize : hors des limites -32768 à 32767"},
        {"{\"cadres\": [{\"type\": \"texte\", \"piHaut\": \"1\", \"piGauche\": 2}]}",
         "plan.json:1: champ /cadres/0/piHaut : un nombre est attendu"},
        {"{\"cadres\": [\n{\"type\": \"texte\", \"piGauche\": 2}]}",
         "plan.json:2: champ /cadres/0 : il manque \"piHaut\""},
        {"{\"cadres\": [{\"type\": \"cercle\"}]}",
         "plan.json:1: champ /cadres/0/type : \"texte\" ou \"image\" est attendu"},
        {"[1]", "plan.json:1: champ / : un objet est attendu"},
        // A key given twice: the last one counts, and its line is named.
        {"{\"show\":\n {\"psChemin\": \"a.htm\",\n \"psChemin\": 3}}",
         "plan.json:3: champ /show/psChemin : un texte est attendu"},
        // Keys are escaped as in a JSON pointer, and long ones cut short.
        {"{\n\"a/b~\": 1}", "plan.json:2: champ /a~1b~0 : clé inconnue"},
        {"{\"" + std::string(70, 'k') + "\": 1}",
         "plan.json:1: champ /" + std::string(64, 'k') + "… : clé inconnue"},
        // Malformed JSON names the value it stopped in.
        {"{\n \"cadres\": [\n  {\"type\": texte}\n ]\n}",
         "plan.json:3: champ /cadres/0/type : JSON mal formé : syntax error while parsing value "
         "- invalid literal; last read: '\"type\": te'"},
        {"{\"cadres\": [\n{\"type\": \"texte\", \"piHaut\": 1e400, \"piGauche\": 2}]}",
         "plan.json:2: champ /cadres/0/piHaut : nombre hors des limites : number overflow "
         "parsing '1e400'"},
        {"{\"cadres\": [{}, {\"psText\": \"\xC3\x28\"}]}",
         "plan.json:1: champ /cadres/1/psText : JSON mal formé : syntax error while parsing value "
         "- invalid string: ill-formed UTF-8 byte; last read: '\"\\xC3('"},
        // What the parser quotes is cut short, and never leaves half a character.
        {"{\"a\": \"xy" + repete("é", 100) + "\xFF\"}",
         "plan.json:1: champ /a : JSON mal formé : syntax error while parsing value - invalid "
         "string: ill-formed UTF-8 byte; last read: '\"xy" +
             repete("é", 35) + "\\xC3…"},
        {"",
         "plan.json:1: champ / : JSON mal formé : syntax error while parsing value - "
         "unexpected end of input; expected '[', '{', or a literal"},
        {"{\"cadres\": [\n{\"type\": \"te",
         "plan.json:2: champ /cadres/0/type : JSON mal formé : syntax error while parsing value "
         "- invalid string: missing closing quote; last read: '\"te'"},
        // Depth is bounded, whatever the file's size.
        {profondeur(256), "plan.json:1: champ /initialise : un objet est attendu"},
        {profondeur(257),
         "plan.json:2: champ /initialise/0/0/0/0/0/…/0/0/0 : plus de 256 "
         "niveaux d'imbrication"},
    };
    for (const auto& ligne : lignes)
        EXPECT_EQ(erreur(ligne.json), ligne.message) << ligne.json;
}

}  // namespace
}  // namespace vitrail::fichier
