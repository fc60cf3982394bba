// The vitrail command: reads a planning file and sends it to a target.
#include <unistd.h>

#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Chemins.hpp"
#include "FichierPlanning.hpp"
#include "Options.hpp"
#include "Sorties.hpp"
#include "Verification.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail::outil {

namespace {

constexpr int SortieEchec = 1;
constexpr int SortieUsage = 2;
// Below this many frames a pass is quick enough to need no progress line.
constexpr std::size_t CadresPourProgression = 200;

Cible cibleDuFichier(eTypeSortie cible) {
    switch (cible) {
        case eiTypeSortieImprimante:
        case eiTypeSortieImprimanteOld:
            return Cible::Imprimante;
        case eiTypeSortieHTML:
            return Cible::Html;
        case eiTypeSortieEcran:
        case eiTypeSortieEcranOld:
            return Cible::Visionneuse;
        default:
            return Cible::Rien;
    }
}

Reponse reponse(const std::string& mot) {
    if (mot == "yes") return Reponse::Oui;
    if (mot == "no") return Reponse::Non;
    return Reponse::Annuler;
}

void suitLaProgression(TracPlanDLL& plan, std::size_t nombreCadres) {
    // A line redrawn with \r is for a person watching, not for a log.
    if (nombreCadres < CadresPourProgression || !isatty(STDERR_FILENO)) return;
    plan.Progression([](std::int32_t fait, std::int32_t total) {
        if (fait % 50 == 0 || fait == total) {
            std::cerr << "\rvitrail: frame " << fait << " / " << total << std::flush;
            if (fait == total) std::cerr << '\n';
        }
    });
}

// The screen pass at the chosen size and zoom, as a picture or a page.
void image(TracPlanDLL& plan, const Options& o, const ArgumentsShow& show, eFormatImage format,
           const std::string& sortie) {
    const bool dessine = plan.Image({.format = format,
                                     .psChemin = sortie,
                                     .largeurPixels = o.largeurPixels,
                                     .hauteurPixels = o.hauteurPixels,
                                     .idZoom = o.zoom.value_or(0),
                                     .echelle = o.echelle,
                                     .psPaperSize = show.psPaperSize,
                                     .psOrientation = show.psOrientation});
    if (!dessine) throw std::runtime_error(sortie + " not written: the drawing failed");
}

int execute(const Options& o) {
    const fichier::Planning planning = fichier::lit(o.fichier);
    const Cible cible =
        o.cible == Cible::Defaut ? cibleDuFichier(planning.show.piTypeImpression) : o.cible;
    SansDialogue console{.copies = o.copies.value_or(1), .journal = &std::cerr};
    for (const std::string& mot : o.reponses)
        console.reponses.push_back(reponse(mot));
    const bool verification = o.commande == Commande::Verification;

    TracPlanDLL plan;
    if (cible != Cible::Visionneuse || verification) plan.SansDialogues(console);
    // After each of the component's messages, what it was about: the frame being stored or
    // drawn, else the output being written.
    std::optional<std::size_t> cadreDit;
    std::string sortieEcrite;
    plan.SurRapport([&](const Rapport& r) {
        std::optional<std::size_t> cadre = cadreDit;
        if (r.iNoObjet > 0) cadre = static_cast<std::size_t>(r.iNoObjet - 1);
        if (cadre) {
            std::cerr << "vitrail: " << fichier::ouEst(planning, *cadre) << '\n';
        } else if (!sortieEcrite.empty()) {
            std::cerr << "vitrail: output " << sortieEcrite << '\n';
        }
    });
    if (o.echappeHtml) plan.EchappeHtml(true);
    fichier::joue(planning, plan, [&](std::optional<std::size_t> cadre) { cadreDit = cadre; });
    if (!o.silencieux) suitLaProgression(plan, planning.cadres.size());

    ArgumentsShow show = planning.show;
    if (o.orientation) show.psOrientation = *o.orientation;
    if (o.papier) show.psPaperSize = *o.papier;
    // The command's printer dialog is answered with --copies: given, it is always asked.
    show.pbPromptPrinter = !o.sansDialogue || o.copies.has_value();
    if (verification) return verifie(plan, o, cible, show, std::cout);
    // Standard output carries the file itself: no path line among its bytes.
    if (versSortieStandard(o)) std::cout.setstate(std::ios::badbit);
    switch (cible) {
        case Cible::Rien:
            // As the library does for such a target: nothing shown, the planning dropped.
            plan.Show(show);
            std::cerr << "vitrail: the file's target " << show.piTypeImpression
                      << " shows nothing\n";
            break;
        case Cible::Visionneuse:
            exigeEcranVisible();
            show.piTypeImpression = eiTypeSortieEcran;
            plan.Show(show);
            break;
        case Cible::Pdf:
            sortieEcrite = cheminDeSortie(o, cible);
            plan.FichierPdf(sortieEcrite);
            [[fallthrough]];
        case Cible::Imprimante:
            show.piTypeImpression = eiTypeSortieImprimante;
            plan.Show(show);
            for (const std::string& destination : plan.DernierShow().destinations)
                std::cout << (cible == Cible::Pdf ? "" : "printer: ") << destination << '\n';
            break;
        case Cible::Html:
            show.piTypeImpression = eiTypeSortieHTML;
            if (const std::string chemin = cheminDeSortie(o, cible); !chemin.empty()) {
                show.psChemin = chemin;
            } else if (!show.psChemin.empty()) {
                show.psChemin = pageDuFichier(o.fichier, show.psChemin, o.confiance).string();
            }
            sortieEcrite = show.psChemin.empty() ? "Vitrail.htm" : show.psChemin;
            plan.Show(show);
            if (plan.ErreursSignalees() == 0) {
                for (const std::string& destination : plan.DernierShow().destinations)
                    std::cout << destination << '\n';
            }
            break;
        case Cible::Png:
        case Cible::Html5:
        case Cible::Svg: {
            const eFormatImage format = cible == Cible::Png   ? eiFormatPng
                                        : cible == Cible::Svg ? eiFormatSvg
                                                              : eiFormatHtml5;
            const std::string sortie = cheminDeSortie(o, cible);
            sortieEcrite = sortie;
            image(plan, o, show, format, sortie);
            if (plan.ErreursSignalees() == 0) std::cout << sortie << '\n';
            break;
        }
        case Cible::Defaut:
            break;
    }
    return plan.ErreursSignalees() == 0 ? 0 : SortieEchec;
}

}  // namespace

}  // namespace vitrail::outil

int main(int argc, char** argv) {
    using namespace vitrail::outil;
    prepareSignaux();
    Options options;
    try {
        options = litOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::cerr << "vitrail: " << e.what() << '\n';
        return SortieUsage;
    }
    if (options.commande == Commande::Aide) {
        std::cout << Aide;
        return 0;
    }
    if (options.commande == Commande::Version) {
        std::cout << "vitrail " << Version << '\n';
        return 0;
    }
    try {
        return execute(options);
    } catch (const vitrail::fichier::ErreurFichier& e) {
        std::cerr << "vitrail: " << e.what() << '\n';
        return SortieUsage;
    } catch (const std::exception& e) {
        std::cerr << "vitrail: " << e.what() << '\n';
        return SortieEchec;
    }
}
