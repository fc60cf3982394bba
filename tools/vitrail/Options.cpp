#include "Options.hpp"

#include <vitrail/Version.h>

#include <charconv>
#include <filesystem>
#include <stdexcept>

namespace vitrail::outil {

const char* const Version = VITRAIL_VERSION;

const char* const Aide =
    R"(vitrail - draw a planning file to the screen, a printer, PDF, HTML or PNG

Usage:
  vitrail render FILE [options]   draw the planning FILE (JSON, see docs/planning-format.md)
  vitrail check FILE [options]    list the text frames whose text does not fit, laid out as
                                  render would draw them for the same options; exit status 1
                                  when there is one or when the check could not go through
                                  every frame
  vitrail --help                  this text
  vitrail --version               the version

Options take their value as --option VALUE or --option=VALUE.

Options of render and check:
  --to TARGET        viewer, printer, pdf, html, png, html5 or svg; by default the target
                     the file's "show" section names (the viewer when it names none;
                     nothing for a number outside -1 to 3). html5 and svg: the png's
                     drawing as a page whose lines are the viewer's, and as an SVG
  --orientation O    Landscape or Portrait (printer, pdf, html5; default: the file's)
  --paper SIZE       A4 or A3 (printer, pdf, html5; default: the file's)
  --size WxH         png, html5, svg: the drawing area in pixels (default 1600x1200)
  --zoom Z           png, html5, svg: the zoom (default: the viewer's first zoom, 0.8)

Options of render:
  --scale S          png: S pixels for each pixel of --size, everything drawn S times
                     larger, text included (default 1)
  --dpi D            png: the same as --scale D/96
  -o, --output PATH  where the file goes; - for standard output. By default, with --to,
                     the file's name with the target's extension (.pdf, .htm, .png, .html,
                     .svg) in the current folder; without --to, where the file's show
                     section says (its psChemin, or Vitrail.htm beside the library)
  --copies N         copies to print, as if chosen in the printer dialog (default 1)
  --no-prompt        no printer dialog: one copy, or the --copies given
  --answer A         answer the component's next question with yes, no or cancel (repeat
                     for several questions; by default: no, and cancel when offered)
  -q, --quiet        no progress line (it is shown only when standard error is a terminal)
  --trust-paths      write html to the file's psChemin wherever it leads; without it, that
                     path (taken from the file's folder) must stay inside the file's folder
                     and end in .htm or .html, or nothing is written (exit status 2)
  --escape-html      html: frame texts and the caption read as text, but for the <b>, <i>,
                     <u> style tags (for texts you do not trust; by default they are markup)

Messages of the component go to standard error; the paths written go to standard output
(not when writing to standard output).

Exit status:
  0    done; for check, every text fits
  1    the component reported a failure, or nothing could be written; for check, a text
       does not fit or the check could not go through every frame
  2    the planning file or the command line is wrong
  130  interrupted (Ctrl-C; 143 for SIGTERM, 129 for SIGHUP): no file was replaced

Examples:
  vitrail render examples/semaine.json --to pdf          writes semaine.pdf here
  vitrail render examples/semaine.json --to html -o semaine.htm
  vitrail render examples/semaine.json --to pdf --paper=A3 -o - | lp
  vitrail render examples/semaine.json --to png --size 1200x900 --scale 2
  vitrail check examples/semaine.json --to png --size 1600x1200
)";

namespace {

Cible cible(const std::string& nom) {
    if (nom == "viewer") return Cible::Visionneuse;
    if (nom == "printer") return Cible::Imprimante;
    if (nom == "pdf") return Cible::Pdf;
    if (nom == "html") return Cible::Html;
    if (nom == "png") return Cible::Png;
    if (nom == "html5") return Cible::Html5;
    if (nom == "svg") return Cible::Svg;
    throw std::invalid_argument("unknown target '" + nom +
                                "': viewer, printer, pdf, html, png, html5 or svg");
}

constexpr double PixelsParPouce = 96;
constexpr double MaxPixels = 20000;

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
    if (arguments[0] == "--version") {
        o.commande = Commande::Version;
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
        std::string a = arguments[i];
        // --option=value: the value joined to the option.
        std::optional<std::string> jointe;
        if (const auto egal = a.find('='); a.starts_with("--") && egal != std::string::npos) {
            jointe = a.substr(egal + 1);
            a.resize(egal);
        }
        bool valeurLue = false;
        const auto valeur = [&]() -> const std::string& {
            valeurLue = true;
            if (jointe) return *jointe;
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
        } else if (a == "--scale" || a == "--dpi") {
            const double n = nombre<double>(valeur(), a);
            if (!(n > 0)) throw std::invalid_argument(a + " takes a positive number");
            o.echelle = a == "--dpi" ? n / PixelsParPouce : n;
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
        } else if (a.size() > 1 && a[0] == '-') {
            throw std::invalid_argument("unknown option " + a);
        } else if (o.fichier.empty()) {
            o.fichier = a;
        } else {
            throw std::invalid_argument("one planning file only ('" + a + "' is a second one)");
        }
        if (jointe && !valeurLue) throw std::invalid_argument(a + " takes no value");
    }
    if (o.fichier.empty()) throw std::invalid_argument("which planning file? (see --help)");
    if (o.largeurPixels * o.echelle > MaxPixels || o.hauteurPixels * o.echelle > MaxPixels) {
        throw std::invalid_argument("--size and --scale make more than 20000 pixels each way");
    }
    if (versSortieStandard(o) && o.copies.value_or(1) > 1) {
        throw std::invalid_argument("-o - takes one copy only");
    }
    // A file named like its own output (plan.pdf holding JSON) must not be written over.
    if (o.sortie.empty() &&
        (o.cible == Cible::Pdf || o.cible == Cible::Png || o.cible == Cible::Html)) {
        namespace fs = std::filesystem;
        std::error_code erreur;
        if (fs::equivalent(o.fichier, cheminDeSortie(o, o.cible), erreur)) {
            throw std::invalid_argument("the output " + cheminDeSortie(o, o.cible) +
                                        " would replace the planning file: name it with -o");
        }
    }
    return o;
}

std::string cheminDeSortie(const Options& o, Cible cible) {
    if (versSortieStandard(o)) return "/dev/stdout";
    if (!o.sortie.empty()) return o.sortie;
    if (o.cible == Cible::Defaut) return {};
    const char* extension = cible == Cible::Pdf     ? ".pdf"
                            : cible == Cible::Png   ? ".png"
                            : cible == Cible::Html5 ? ".html"
                            : cible == Cible::Svg   ? ".svg"
                                                    : ".htm";
    return std::filesystem::path(o.fichier).stem().string() + extension;
}

}  // namespace vitrail::outil
