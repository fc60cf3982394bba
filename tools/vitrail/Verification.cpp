#include "Verification.hpp"

#include <QGuiApplication>
#include <cmath>
#include <ostream>
#include <stdexcept>

namespace vitrail::outil {

namespace {

constexpr int SortieEchec = 1;
// The viewer window at its designed size leaves this drawing area, in twips.
constexpr double LargeurVue = 12000;
constexpr double HauteurVue = 9000;

// A message of the component on one line.
std::string surUneLigne(const std::string& message) {
    std::string ligne;
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message[i] == '\r' || message[i] == '\n') {
            if (message[i] == '\r' && i + 1 < message.size() && message[i + 1] == '\n') ++i;
            ligne += " | ";
        } else {
            ligne += message[i];
        }
    }
    return ligne;
}

long pixels(double twips, double twipsParPixel) {
    return std::lround(twips / twipsParPixel);
}

}  // namespace

int verifie(TracPlanDLL& plan, const Options& o, Cible cible, const ArgumentsShow& show,
            std::ostream& sortie) {
    if (cible == Cible::Rien) {
        sortie << "nothing checked: the file's target " << show.piTypeImpression
               << " shows nothing (choose one with --to)\n";
        return SortieEchec;
    }
    const double twipsParPixel = plan.TwipsParPixel();
    ArgumentsDebordements a{.psOrientation = show.psOrientation, .psPaperSize = show.psPaperSize};
    switch (cible) {
        case Cible::Png:
        case Cible::Html5:
        case Cible::Svg:
            a.largeur = o.largeurPixels * twipsParPixel;
            a.hauteur = o.hauteurPixels * twipsParPixel;
            a.idZoom = o.zoom.value_or(0);
            break;
        case Cible::Imprimante:
        case Cible::Pdf:
            a.piTypeImpression = eiTypeSortieImprimante;
            break;
        case Cible::Html:
            a.piTypeImpression = eiTypeSortieHTML;
            break;
        default:
            a.largeur = LargeurVue;
            a.hauteur = HauteurVue;
            break;
    }
    BilanDebordements bilan;
    const std::vector<Debordement> debordements = plan.Debordements(a, &bilan);

    sortie << "geometry: ";
    if (a.piTypeImpression == eiTypeSortieImprimante) {
        sortie << (cible == Cible::Pdf ? "pdf" : "printer") << ", " << show.psPaperSize << ' '
               << show.psOrientation << ", zoom " << bilan.idZoom << '\n';
    } else if (a.piTypeImpression == eiTypeSortieHTML) {
        sortie << "html, the page's fixed scale (" << bilan.idCorrecHorizontal * bilan.idZoom
               << " page units per planning unit, text sizes as given)\n";
    } else {
        sortie << (cible == Cible::Png     ? "png"
                   : cible == Cible::Svg   ? "svg"
                   : cible == Cible::Html5 ? "html5"
                                           : "viewer at its designed size")
               << ", " << pixels(a.largeur, twipsParPixel) << 'x'
               << pixels(a.hauteur, twipsParPixel) << " pixels, zoom " << bilan.idZoom << '\n';
    }
    for (const Debordement& d : debordements) {
        sortie << "frame " << d.iNoObjet << ": drawn at " << d.taille << " pt";
        if (d.auPlancher) sortie << ", does not fit even at the smallest size";
        if (d.lignesPerdues > 0) sortie << ", " << d.lignesPerdues << " line(s) not drawn";
        sortie << '\n';
    }
    if (!bilan.complet) {
        sortie << "check did not complete: ";
        if (bilan.arret == BilanDebordements::Arret::TropDeCadres) {
            sortie << "the planning has " << plan.NombreCadres()
                   << " frames, more than one pass can draw (32767)";
        } else if (bilan.iNoObjet > 0) {
            sortie << "a failure stopped it at frame " << bilan.iNoObjet;
        } else {
            sortie << "a failure stopped it";
        }
        sortie << '\n';
        for (const std::string& message : bilan.messages)
            sortie << "  " << surUneLigne(message) << '\n';
        if (bilan.nombreMessages > bilan.messages.size())
            sortie << "  and " << bilan.nombreMessages - bilan.messages.size() << " more reports\n";
        return SortieEchec;
    }
    if (debordements.empty()) sortie << "every text fits its frame\n";
    return debordements.empty() ? 0 : SortieEchec;
}

void exigeEcranVisible() {
    const QString nom = QGuiApplication::platformName();
    if (nom == QLatin1String("offscreen") || nom.startsWith(QLatin1String("minimal"))) {
        throw std::runtime_error("no one could see the viewer on Qt's '" + nom.toStdString() +
                                 "' platform: choose --to printer, pdf, html or png");
    }
}

}  // namespace vitrail::outil
