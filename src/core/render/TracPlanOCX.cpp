#include "render/TracPlanOCX.hpp"

#include <algorithm>

#include "support/Conversions.hpp"
#include "support/RapportErreur.hpp"

namespace vitrail {

namespace {

constexpr double EpaisseurHScroll = 330;
constexpr double EpaisseurVScroll = 250;

}  // namespace

TracPlanOCX::TracPlanOCX(Plateforme& plateforme, SortieHtml& html)
    : plateforme_(plateforme),
      html_(html),
      surface_(plateforme.NouvelleSurface()),
      vueControle_(*this, *surface_) {
    HScroll1.Height = EpaisseurHScroll;
    VScroll1.Width = EpaisseurVScroll;
}

std::int16_t TracPlanOCX::Height() {
    return avecGestionnaire(U"Height", [&] { return CInt(surface_->Height()); });
}

std::int16_t TracPlanOCX::Width() {
    return avecGestionnaire(U"Width", [&] { return CInt(surface_->Width()); });
}

std::int16_t TracPlanOCX::TextWidth(const Texte& psString) {
    return avecGestionnaire(U"TextWidth", [&] { return CInt(surface_->TextWidth(psString)); });
}

std::int16_t TracPlanOCX::TextHeight(const Texte& psString) {
    return avecGestionnaire(U"TextHeight", [&] { return CInt(surface_->TextHeight(psString)); });
}

std::int32_t TracPlanOCX::CurrentX() const {
    return CLng(surface_->CurrentX());
}

void TracPlanOCX::CurrentX(std::int32_t piNewX) {
    avecGestionnaire(U"CurrentX", [&] { surface_->CurrentX(piNewX); });
}

std::int32_t TracPlanOCX::CurrentY() const {
    return CLng(surface_->CurrentY());
}

void TracPlanOCX::CurrentY(std::int32_t piNewY) {
    avecGestionnaire(U"CurrentY", [&] { surface_->CurrentY(piNewY); });
}

void TracPlanOCX::Cls() {
    surface_->Cls();
}

void TracPlanOCX::Release() {
    avecGestionnaire(U"Release", [&] {
        ioCadres.reset();
        isLignes.clear();
        caches_.oublie();
        etatDiffere_.cadre = nullptr;
        lignesDifferees_.reset();
        surface_->OublieMesures();
        imprimante().OublieMesures();
    });
}

Surface& TracPlanOCX::ioObject() {
    nomProcedure = U"ioObject";
    if (ilTypeImpression == eiTypeSortieImprimante) return imprimante();
    return vueControle_;
}

namespace {

// A quarter of what the bar leaves visible; an overflow gives 0 without a word.
template <class Rapport>
std::int32_t quartVisible(double taille, double epaisseurBarre, Rapport&& rapport) {
    try {
        return CLng((taille - epaisseurBarre) * 0.25);
    } catch (const ErreurExecution& erreur) {
        if (erreur.numero() != erreurs::Depassement) rapport(erreur);
        return 0;
    }
}

std::int16_t positions(std::int32_t etendue, std::int32_t pas) {
    return pas == 0 ? std::int16_t{0} : CInt(static_cast<double>(etendue) / pas);
}

}  // namespace

std::int32_t TracPlanOCX::ilLargeurDéfil() {
    nomProcedure = U"ilLargeurDéfil";
    return quartVisible(surface_->Width(), VScroll1.Width,
                        [&](const ErreurExecution& e) { RapportErreur(e); });
}

std::int32_t TracPlanOCX::ilHauteurDéfil() {
    nomProcedure = U"ilHauteurDéfil";
    return quartVisible(surface_->Height(), HScroll1.Height,
                        [&](const ErreurExecution& e) { RapportErreur(e); });
}

void TracPlanOCX::RecalculeScrollBar() {
    const std::int32_t pasHorizontal = ilLargeurDéfil();
    const std::int32_t pasVertical = ilHauteurDéfil();
    avecGestionnaire(U"RecalculeScrollBar", [&] {
        HScroll1.Max = positions(ilMaxDroite, pasHorizontal);
        VScroll1.Max = positions(ilMaxBas, pasVertical);
    });
}

void TracPlanOCX::SauvePrinter() {
    if (ibErreurPrinter) return;
    iiPaperSizeSauvé = imprimante().PaperSize();
    iiOrientationSauvée = imprimante().Orientation();
}

void TracPlanOCX::RestaurePrinter() {
    if (ibErreurPrinter) return;
    imprimante().PaperSize(iiPaperSizeSauvé);
    imprimante().Orientation(iiOrientationSauvée);
}

Texte TracPlanOCX::GetLigneLaPlusLongue() const {
    const auto plusLongue =
        std::max_element(isLignes.begin(), isLignes.end(),
                         [](const Texte& a, const Texte& b) { return a.size() < b.size(); });
    return plusLongue == isLignes.end() ? Texte() : *plusLongue;
}

void TracPlanOCX::RapportErreur(const ErreurExecution& erreur) {
    ++rapports_;
    if (rapportsNotes_ != nullptr) rapportsNotes_->push_back({nomProcedure, erreur});
    vitrail::RapportErreur(erreur, nomProcedure, dialogues(), ibAbandon, ibNoRedraw);
    if (observateurRapport) observateurRapport(erreur, nomProcedure, iNoObjetEnCours);
}

}  // namespace vitrail
