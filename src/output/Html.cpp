#include "output/Html.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>

#include "output/CodePageAnsi.hpp"
#include "support/Conversions.hpp"
#include "support/ErreurExecution.hpp"
#include "support/xTools.hpp"

namespace vitrail::Html {

namespace {

constexpr char32_t Navigateur[] = U"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";
constexpr char32_t TitreMessages[] = U"Enregistrer sous HTML";

// The page under construction: in a temporary file beside the target, or in the target itself.
class ExportOuvert {
  public:
    ExportOuvert(std::FILE* fichier, std::string temporaire, std::string cible)
        : fichier_(fichier), temporaire_(std::move(temporaire)), cible_(std::move(cible)) {}
    ExportOuvert(const ExportOuvert&) = delete;
    ExportOuvert& operator=(const ExportOuvert&) = delete;
    ~ExportOuvert() {
        if (fichier_) std::fclose(fichier_);
        if (!temporaire_.empty()) ::unlink(temporaire_.c_str());
    }

    void ecrit(const std::string& octets) {
        if (std::fwrite(octets.data(), 1, octets.size(), fichier_) != octets.size()) {
            throw ErreurExecution(erreurs::AccesChemin);
        }
    }

    // The stream's error flag is sticky, so a block that failed earlier keeps the page from
    // ever replacing the target.
    void metEnPlace() {
        const bool ecrit = std::ferror(fichier_) == 0 && std::fflush(fichier_) == 0 &&
                           ::fsync(::fileno(fichier_)) == 0;
        const bool ferme = std::fclose(fichier_) == 0;
        fichier_ = nullptr;
        const bool enPlace =
            temporaire_.empty() || std::rename(temporaire_.c_str(), cible_.c_str()) == 0;
        if (!ecrit || !ferme || !enPlace) throw ErreurExecution(erreurs::AccesChemin);
        temporaire_.clear();
    }

  private:
    std::FILE* fichier_;
    std::string temporaire_;
    std::string cible_;
};

Texte cheminHtml;
// Its destructor also removes the temporary file of an export left open when the library unloads.
std::unique_ptr<ExportOuvert> exportOuvert;

std::string enAnsi(std::initializer_list<Texte> lignes) {
    std::string octets;
    for (const Texte& ligne : lignes) {
        octets += versWindows1252(ligne);
        octets += "\r\n";
    }
    return octets;
}

// Writing with no export open fails as a write to a file that was never opened.
ExportOuvert& exportActif() {
    if (!exportOuvert) throw ErreurExecution(erreurs::NomFichierIncorrect);
    return *exportOuvert;
}

void ecrit(std::initializer_list<Texte> lignes) {
    exportActif().ecrit(enAnsi(lignes));
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

mode_t masqueCreation() {
    // Read from /proc: setting the mask to read it back would race files created meanwhile.
    if (std::FILE* statut = std::fopen("/proc/self/status", "r")) {
        char ligne[256];
        unsigned masque = 0;
        bool trouve = false;
        while (!trouve && std::fgets(ligne, sizeof ligne, statut)) {
            trouve = std::sscanf(ligne, "Umask: %o", &masque) == 1;
        }
        std::fclose(statut);
        if (trouve) return static_cast<mode_t>(masque);
    }
    const mode_t masque = ::umask(0);
    ::umask(masque);
    return masque;
}

// Straight into the target, emptied first: the only way left when its folder takes no new file.
std::unique_ptr<ExportOuvert> ouvreEnPlace(const std::string& cible) {
    std::FILE* fichier = std::fopen(cible.c_str(), "wb");
    if (!fichier) throw ErreurExecution(erreurs::AccesChemin);
    return std::make_unique<ExportOuvert>(fichier, std::string(), cible);
}

std::unique_ptr<ExportOuvert> ouvre(const std::string& chemin) {
    std::string cible = chemin;
    mode_t mode = 0666 & ~masqueCreation();
    struct stat etat {};
    const bool existe = ::stat(chemin.c_str(), &etat) == 0;
    if (existe) {
        if (S_ISDIR(etat.st_mode) || ::access(chemin.c_str(), W_OK) != 0) {
            throw ErreurExecution(erreurs::AccesChemin);
        }
        mode = etat.st_mode & 07777;
        // Through a link, the page replaces the file it points to, not the link.
        if (char* reel = ::realpath(chemin.c_str(), nullptr)) {
            cible = reel;
            std::free(reel);
        }
    }
    // The rename that puts the page in place only works within one file system.
    std::string modele = cible.substr(0, cible.rfind('/') + 1) + ".vitrail-html-XXXXXX";
    const int fd = ::mkstemp(modele.data());
    if (fd < 0) {
        if (existe && (errno == EACCES || errno == EPERM)) return ouvreEnPlace(cible);
        throw ErreurExecution(errno == ENOENT || errno == ENOTDIR ? erreurs::CheminIntrouvable
                                                                  : erreurs::AccesChemin);
    }
    std::FILE* fichier = ::fchmod(fd, mode) == 0 ? ::fdopen(fd, "wb") : nullptr;
    if (!fichier) {
        ::close(fd);
        ::unlink(modele.c_str());
        throw ErreurExecution(erreurs::AccesChemin);
    }
    return std::make_unique<ExportOuvert>(fichier, std::move(modele), std::move(cible));
}

}  // namespace

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
               U"<title>" + titre + U"</title>",
               U"</head>",
               U"<body>"});
    } catch (...) {
        exportOuvert.reset();
        throw;
    }
}

void EcritCadreHtml(double haut, double gauche, double bas, double droite, std::int32_t couleurFond,
                    double /*largeurTrait*/, Interaction& dialogues) {
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
               U"<tr>", U"<td BGCOLOR=" + CouleurHtml(couleurFond, dialogues) + U"></td>", U"</tr>",
               U"</table>", U"</div>"});
    }
}

void EcritTexteHtml(const Texte& texte, double haut, double gauche, double bas, double droite,
                    double taille, Printer& imprimante) {
    if (texte.empty()) return;
    const bool gras = imprimante.FontBold();
    const bool italique = imprimante.FontItalic();
    const bool souligne = imprimante.FontUnderline();
    const std::int16_t hauteur = CInt(bas - haut);
    const std::int16_t largeur = CInt(droite - gauche);
    const std::int16_t points = CInt(taille);

    Texte corps;
    for (const char32_t c : texte) {
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

void EcritFinHtml(Systeme& systeme, Interaction& dialogues) {
    // Out of the shared slot first: whatever happens next, this export is over.
    const std::unique_ptr<ExportOuvert> fin = std::move(exportOuvert);
    if (!fin) throw ErreurExecution(erreurs::NomFichierIncorrect);
    fin->ecrit(enAnsi({U"</body>", U"</html>"}));
    fin->metEnPlace();

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

}  // namespace vitrail::Html
