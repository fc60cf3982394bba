#include "Options.hpp"

#include <charconv>
#include <stdexcept>

namespace vitrail::outil {

const char* const Aide =
    R"(vitrail - draw a planning file to the screen, a printer, PDF, HTML or PNG

Usage:
  vitrail render FILE [options]   draw the planning FILE (JSON, see docs/planning-format.md)
  vitrail check FILE [options]    list the text frames whose text does not fit, laid out as
                                  render would draw them for the same options; exit status 1
                                  when there is one or when the check could not go through
                                  every frame
  vitrail --help                  this text

Options of render and check:
  --to TARGET        viewer, printer, pdf, html or png; by default the target the file's
                     "show" section names (the viewer when it names none; nothing for a
                     number outside -1 to 3)
  --orientation O    Landscape or Portrait (printer and pdf; default: the file's)
  --paper SIZE       A4 or A3 (printer and pdf; default: the file's)
  --size WxH         png: the drawing area in pixels (default 1600x1200)
  --zoom Z           png: the zoom (default: the viewer's first zoom, 0.8)

Options of render:
  -o, --output PATH  where pdf, html and png write (default: planning.pdf, the file's
                     psChemin or Vitrail.htm beside the library, planning.png)
  --copies N         copies to print, as if chosen in the printer dialog (default 1)
  --no-prompt        no printer dialog: one copy
  --answer A         answer the component's next question with yes, no or cancel (repeat
                     for several questions; by default: no, and cancel when offered)
  -q, --quiet        no progress line
  --trust-paths      write html to the file's psChemin wherever it leads; without it, that
                     path (taken from the file's folder) must stay inside the file's folder
                     and end in .htm or .html, or nothing is written (exit status 2)
  --escape-html      html: frame texts and the caption read as text, but for the <b>, <i>,
                     <u> style tags (for texts you do not trust; by default they are markup)

Messages of the component go to standard error. The exit status is 1 when the component
reported a failure, 2 when the file or the command line is wrong.

Examples:
  vitrail render examples/semaine.json --to html -o semaine.htm
  vitrail render examples/semaine.json --to pdf -o semaine.pdf --paper A3
  vitrail render examples/semaine.json --to png -o semaine.png --size 1200x900
  vitrail check examples/semaine.json --to png --size 1600x1200
)";

namespace {

Cible cible(const std::string& nom) {
    if (nom == "viewer") return Cible::Visionneuse;
    if (nom == "printer") return Cible::Imprimante;
    if (nom == "pdf") return Cible::Pdf;
    if (nom == "html") return Cible::Html;
    if (nom == "png") return Cible::Png;
    throw std::invalid_argument("unknown target '" + nom + "': viewer, printer, pdf, html or png");
}

template <class Nombre>
Nombre nombre(const std::string& texte, const std::string& option) {
    Nombre n{};
    const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), n);
    if (erreur != std::errc() || fin != texte.data() + texte.size()) {
        throw std::invalid_argument(option + " takes a number, not '" + texte + "'");
    }
    return n;
}

}  // namespace

Options litOptions(const std::vector<std::string>& arguments) {
    Options o;
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h" ||
        arguments[0] == "help") {
        return o;
    }
    if (arguments[0] == "render") {
        o.commande = Commande::Rendu;
    } else if (arguments[0] == "check") {
        o.commande = Commande::Verification;
    } else {
        throw std::invalid_argument("unknown command '" + arguments[0] + "': render or check");
    }
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const auto valeur = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) throw std::invalid_argument(a + " needs a value");
            return arguments[++i];
        };
        if (a == "--help" || a == "-h") {
            o.commande = Commande::Aide;
            return o;
        } else if (a == "--to") {
            o.cible = cible(valeur());
        } else if (a == "-o" || a == "--output") {
            o.sortie = valeur();
        } else if (a == "--orientation") {
            o.orientation = valeur();
        } else if (a == "--paper") {
            o.papier = valeur();
        } else if (a == "--copies") {
            o.copies = nombre<int>(valeur(), a);
            if (*o.copies < 1 || *o.copies > 32767) {
                throw std::invalid_argument("--copies takes 1 to 32767");
            }
        } else if (a == "--no-prompt") {
            o.sansDialogue = true;
        } else if (a == "--size") {
            const std::string& taille = valeur();
            const auto x = taille.find('x');
            if (x == std::string::npos)
                throw std::invalid_argument("--size takes WxH, as 1600x1200");
            o.largeurPixels = nombre<int>(taille.substr(0, x), a);
            o.hauteurPixels = nombre<int>(taille.substr(x + 1), a);
            if (o.largeurPixels < 1 || o.hauteurPixels < 1 || o.largeurPixels > 20000 ||
                o.hauteurPixels > 20000) {
                throw std::invalid_argument("--size takes 1 to 20000 pixels each way");
            }
        } else if (a == "--zoom") {
            o.zoom = nombre<double>(valeur(), a);
            if (!(*o.zoom > 0)) throw std::invalid_argument("--zoom takes a positive number");
        } else if (a == "--answer") {
            const std::string& r = valeur();
            if (r != "yes" && r != "no" && r != "cancel") {
                throw std::invalid_argument("--answer takes yes, no or cancel");
            }
            o.reponses.push_back(r);
        } else if (a == "-q" || a == "--quiet") {
            o.silencieux = true;
        } else if (a == "--trust-paths") {
            o.confiance = true;
        } else if (a == "--escape-html") {
            o.echappeHtml = true;
        } else if (!a.empty() && a[0] == '-') {
            throw std::invalid_argument("unknown option " + a);
        } else if (o.fichier.empty()) {
            o.fichier = a;
        } else {
            throw std::invalid_argument("one planning file only ('" + a + "' is a second one)");
        }
    }
    if (o.fichier.empty()) throw std::invalid_argument("which planning file? (see --help)");
    return o;
}

}  // namespace vitrail::outil
