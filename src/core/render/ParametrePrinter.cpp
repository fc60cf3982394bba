// Printer set-up: orientation, paper size, and the scale and zoom that go with them.
#include "render/TracPlanOCX.hpp"
#include "support/RapportErreur.hpp"

namespace vitrail {

namespace {

// Twips per planning unit on a landscape sheet; A3 keeps the A4 scale and zooms by the ratio of
// the sheets' long sides.
constexpr double VerticalPaysage = 50 * 19.5 / 18;
constexpr double HorizontalPaysage = 50 * 27.5 / 24.2;
constexpr double ZoomPaysageA3 = 42 / 29.7;
constexpr double VerticalPortrait = 53;
constexpr double HorizontalPortrait = 56;
constexpr double ZoomPortraitA4 = 0.8;
// Failures a single set-up tolerates silently before it reports one.
constexpr int ErreursToleres = 5;

}  // namespace

void TracPlanOCX::ParamètrePrinter(const Texte& psOrientation, const Texte& psPaperSize) {
    const Texte nomEnVigueur = nomProcedure;
    nomProcedure = U"ParamètrePrinter";
    int erreursRencontrees = 0;
    Instructions pas([&](const ErreurExecution& erreur) {
        if (erreur.numero() == erreurs::InfoImprimante) {
            dialogues().MsgBox(MessageErreurImprimante());
            ibErreurPrinter = true;
            return Suite::Reprendre;
        }
        if (++erreursRencontrees < ErreursToleres) return Suite::Reprendre;
        RapportErreur(erreur);
        return Suite::Terminer;
    });
    const bool paysage = psOrientation == U"Landscape";
    const bool a4 = psPaperSize == U"A4";
    const auto nonPrisEnCharge = [&](const Texte& description) {
        RapportErreur(ErreurExecution(erreurs::ValeurPropriete, description));
    };

    pas([&] { ibPrinterModifié = true; });
    pas([&] { imprimante().Orientation(paysage ? Imprimante::Paysage : Imprimante::Portrait); });
    if (!pas.termine() && !a4 && psPaperSize != U"A3") {
        return nonPrisEnCharge(U"Format de papier non pris en charge : " + psPaperSize);
    }
    pas([&] { imprimante().PaperSize(a4 ? Imprimante::A4 : Imprimante::A3); });
    if (!pas.termine() && !paysage && !a4)
        return nonPrisEnCharge(U"Le format A3 ne s'imprime qu'en paysage");
    pas([&] {
        idCorrecVertical = paysage ? VerticalPaysage : VerticalPortrait;
        idCorrecHorizontal = paysage ? HorizontalPaysage : HorizontalPortrait;
        idZoomDefaut = !paysage ? ZoomPortraitA4 : (a4 ? 1.0 : ZoomPaysageA3);
    });
    if (!pas.termine()) nomProcedure = nomEnVigueur;
}

}  // namespace vitrail
