#include "html/Html.hpp"

#include <cerrno>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "html/CodePageAnsi.hpp"
#include "support/Conversions.hpp"
#include "support/ErreurExecution.hpp"
#include "support/FichierAtomique.hpp"
#include "support/xTools.hpp"

namespace vitrail::Html {

namespace {

constexpr char32_t Navigateur[] = U"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";
constexpr char32_t TitreMessages[] = U"Enregistrer sous HTML";

// The page under construction; its destructor drops a page that never reached its tail.
std::unique_ptr<FichierAtomique> exportOuvert;

Texte cheminHtml;
bool echappement = false;

// With escaping on, a text reads in the page as the characters it holds: only the style tags the
// frames take (<b>, <i>, <u> and their ends) stay markup.
Texte echappe(const Texte& texte) {
    if (!echappement) return texte;
    static constexpr std::u32string_view Styles[] = {U"<b>",  U"</b>", U"<i>",
                                                     U"</i>", U"<u>",  U"</u>"};
    Texte sur;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        const std::u32string_view reste = std::u32string_view(texte).substr(i);
        bool style = false;
        for (const std::u32string_view balise : Styles) {
            if (reste.starts_with(balise)) {
                sur += balise;
                i += balise.size() - 1;
                style = true;
                break;
            }
        }
        if (style) continue;
        switch (texte[i]) {
            case U'&':
                sur += U"&amp;";
                break;
            case U'<':
                sur += U"&lt;";
                break;
            case U'>':
                sur += U"&gt;";
                break;
            case U'"':
                sur += U"&quot;";
                break;
            case U'\'':
                sur += U"&#39;";
                break;
            default:
                sur += texte[i];
        }
    }
    return sur;
}

std::string enAnsi(std::initializer_list<Texte> lignes) {
    std::string octets;
    for (const Texte& ligne : lignes) {
        octets += versWindows1252(ligne);
        octets += "\r\n";
    }
    return octets;
}

void ecritDans(FichierAtomique& page, const std::string& octets) {
    try {
        page.ecrit(octets);
    } catch (const std::system_error&) {
        throw ErreurExecution(erreurs::AccesChemin);
    }
}

// Writing with no export open fails as a write to a file that was never opened.
void ecrit(std::initializer_list<Texte> lignes) {
    if (!exportOuvert) throw ErreurExecution(erreurs::NomFichierIncorrect);
    ecritDans(*exportOuvert, enAnsi(lignes));
}

// A number in print form: a blank in place of the sign when not negative, and one after.
Texte nombre(double v) {
    Texte texte = v >= 0 ? U" " : U"";
    texte += texteNombre(v);
    texte += U' ';
    return texte;
}

Texte ligneDiv(const char32_t* position, double haut, double gauche, std::int16_t largeur,
               std::int16_t hauteur) {
    return U"<div style=\"" + Texte(position) + U"left:" + nombre(std::floor(gauche)) + U"; top:" +
           nombre(std::floor(haut)) + U"; width:" + nombre(largeur) + U"; height:" +
           nombre(hauteur) + U"\">";
}

std::unique_ptr<FichierAtomique> ouvre(const std::string& chemin) {
    try {
        return std::make_unique<FichierAtomique>(chemin);
    } catch (const std::system_error& e) {
        const int code = e.code().value();
        throw ErreurExecution(code == ENOENT || code == ENOTDIR ? erreurs::CheminIntrouvable
                                                                : erreurs::AccesChemin);
    }
}

}  // namespace

void SetEchappement(bool oui) {
    echappement = oui;
}

void SetCheminHtml(const Texte& chemin) {
    cheminHtml = chemin;
}

Texte GetCheminHtml(Systeme& systeme) {
    if (cheminHtml.empty()) cheminHtml = systeme.DossierApplication() + U"/Vitrail.htm";
    return cheminHtml;
}

void EcritEnteteHtml(const Texte& titre, Systeme& systeme) {
    const std::string chemin = versUtf8(GetCheminHtml(systeme));
    if (exportOuvert) throw ErreurExecution(erreurs::FichierDejaOuvert);
    exportOuvert = ouvre(chemin);
    try {
        ecrit({U"<html>",
               U"<head>",
               U"<style>",
               U"<!--table",
               U".xl24 {border-bottom:.5pt solid windowtext;}",
               U".xl25 {border-right:.5pt solid windowtext;}",
               U"-->",
               U"<!--",
               U" /* Definitions de Style de l'écriture */",
               U"p.MsoNormal , li.MsoNormal, div.MsoNormal",
               U"  {mso-style-parent:\";",
               U" margin:0cm;",
               U" margin-bottom:.0001pt;",
               U" mso-pagination:widow-orphan;",
               U" font-size:12.0pt;",
               U" font-family:\" Times New Roman\"; \"",
               U"  mso-fareast-font-family:\" Times New Roman\";}",
               U"@page Section1",
               U"   {size:595.3pt 841.9pt;",
               U"  margin:70.85pt 70.85pt 70.85pt 70.85pt;",
               U" mso-header-margin:35.4pt;",
               U" mso-footer-margin:35.4pt;",
               U"  mso-paper-source:0;}",
               U"div.Section1",
               U"  {page:Section1;}",
               U"-->",
               U"</style>",
               U"<title>" + echappe(titre) + U"</title>",
               U"</head>",
               U"<body>"});
    } catch (...) {
        exportOuvert.reset();
        throw;
    }
}

void EcritCadreHtml(double haut, double gauche, double bas, double droite, std::int32_t couleurFond,
                    double /*largeurTrait*/, BoiteMessage& boite) {
    const std::int16_t hauteur = CInt(bas - haut);
    const std::int16_t largeur = CInt(droite - gauche);
    if (bas - haut < 5) {
        ecrit({ligneDiv(U"position:absolute; ", haut, gauche, largeur, hauteur),
               U"<table border=0 style='border-collapse:collapse;height:" + nombre(hauteur) +
                   U"; width:" + nombre(largeur) + U"'>",
               U" <td class=xl24></td>", U" </table>", U"</div>"});
    } else if (droite - gauche < 5) {
        ecrit({ligneDiv(U"position:absolute; ", haut, gauche, largeur, hauteur),
               U"<table border=0 style='border-collapse:collapse; height:" + nombre(hauteur) +
                   U"; width:" + nombre(largeur) + U"'>",
               U" <td class=xl25></td>", U" </table>", U"</div>"});
    } else {
        ecrit({ligneDiv(U"position:absolute;  ", haut, gauche, largeur, hauteur),
               U"<table frame=all width=" + nombre(largeur) + U" border height=" + nombre(hauteur) +
                   U" > ",
               U"<tr>", U"<td BGCOLOR=" + CouleurHtml(couleurFond, boite) + U"></td>", U"</tr>",
               U"</table>", U"</div>"});
    }
}

void EcritTexteHtml(const Texte& texte, double haut, double gauche, double bas, double droite,
                    double taille, Imprimante& imprimante) {
    if (texte.empty()) return;
    const bool gras = imprimante.FontBold();
    const bool italique = imprimante.FontItalic();
    const bool souligne = imprimante.FontUnderline();
    const std::int16_t hauteur = CInt(bas - haut);
    const std::int16_t largeur = CInt(droite - gauche);
    const std::int16_t points = CInt(taille);

    Texte corps;
    for (const char32_t c : echappe(texte)) {
        if (c == U' ') {
            corps += U"&nbsp";
        } else {
            corps += c;
        }
    }
    if (gras) {
        corps = U"<B>" + corps + U"</B>";
    } else if (italique) {
        corps = U"<I>" + corps + U"</I>";
    } else if (souligne) {
        corps = U"<U>" + corps + U"</U>";
    }
    ecrit({ligneDiv(U"position:absolute;  ", haut, gauche, largeur, hauteur),
           U"<table border=0 style='border-collapse:collapse; height:10pt; width:10pt'>",
           U"<td class=MsoNormal><span style='font-size:" + nombre(points) +
               U"pt;mso-bidi-font-size:" + nombre(points) + U"pt;",
           U" Font -family: Arial '>", corps, U"<o:p></o:p></span></td>", U"</table>", U"</div>"});
}

void EcritFinHtml(Systeme& systeme, Dialogues& dialogues) {
    // Out of the shared slot first: whatever happens next, this export is over.
    const std::unique_ptr<FichierAtomique> fin = std::move(exportOuvert);
    if (!fin) throw ErreurExecution(erreurs::NomFichierIncorrect);
    ecritDans(*fin, enAnsi({U"</body>", U"</html>"}));
    try {
        fin->termine();
    } catch (const std::system_error&) {
        throw ErreurExecution(erreurs::AccesChemin);
    }

    if (systeme.FichierExiste(Navigateur)) {
        const Message question{U"Le fichier HTML " + GetCheminHtml(systeme) +
                                   U" est créé, souhaitez-vous ouvrir le fichier maintenant ?",
                               Boutons::OuiNon, Icone::Question, Texte(TitreMessages)};
        if (dialogues.MsgBox(question) == Reponse::Oui) {
            systeme.LanceProgramme(Navigateur + (U" " + GetCheminHtml(systeme)));
        }
    } else {
        dialogues.MsgBox({U"Le fichier HTML " + GetCheminHtml(systeme) + U" a été créé.",
                          Boutons::OK, Icone::Information, Texte(TitreMessages)});
    }
}

bool ExportEnCours() {
    return exportOuvert != nullptr;
}

void AbandonneHtml() {
    exportOuvert.reset();
}

namespace {

class PageDuModule final : public SortieHtml {
  public:
    void entete(const Texte& titre, Systeme& systeme) override { EcritEnteteHtml(titre, systeme); }
    void cadre(double haut, double gauche, double bas, double droite, std::int32_t couleurFond,
               double largeurTrait, BoiteMessage& boite) override {
        EcritCadreHtml(haut, gauche, bas, droite, couleurFond, largeurTrait, boite);
    }
    void ligne(const Texte& texte, double haut, double gauche, double bas, double droite,
               double taille, Imprimante& imprimante) override {
        EcritTexteHtml(texte, haut, gauche, bas, droite, taille, imprimante);
    }
    void fin(Systeme& systeme, Dialogues& dialogues) override { EcritFinHtml(systeme, dialogues); }
    bool enCours() const override { return ExportEnCours(); }
    void abandonne() override { AbandonneHtml(); }
};

}  // namespace

SortieHtml& sortie() {
    static PageDuModule page;
    return page;
}

}  // namespace vitrail::Html
