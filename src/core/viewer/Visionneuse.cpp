#include "viewer/Visionneuse.hpp"

#include "html/Html.hpp"
#include "support/Conversions.hpp"
#include "support/xTools.hpp"

namespace vitrail {

namespace {

constexpr double TailleBouton = 330;
constexpr double ZoomPas = 1.2;
constexpr double ZoomMaximum = 5.0;
constexpr double ZoomMinimum = 0.1;

// The toolkit refuses a negative size.
void largeur(Controle& controle, double valeur) {
    if (valeur < 0) throw ErreurExecution(erreurs::ValeurPropriete);
    controle.Width = valeur;
}
void hauteur(Controle& controle, double valeur) {
    if (valeur < 0) throw ErreurExecution(erreurs::ValeurPropriete);
    controle.Height = valeur;
}

}  // namespace

Visionneuse::Visionneuse(TracPlanOCX& controle) : ctl_(controle) {
    for (Controle& bouton : cmdZoom)
        bouton.Width = bouton.Height = TailleBouton;
    cmdEnregistre.Width = cmdEnregistre.Height = TailleBouton;
    CacheCarré.Width = ctl_.VScroll1.Width;
    CacheCarré.Height = ctl_.HScroll1.Height;
}

void Visionneuse::redessine(bool force) {
    ctl_.Imprime({.pbForceTracé = force});
}

void Visionneuse::UserControl_Resize() {
    ctl_.avecGestionnaire(U"UserControl_Resize", [&] {
        const double W = ctl_.surface().Width();
        const double H = ctl_.surface().Height();
        const double VW = ctl_.VScroll1.Width;
        const double HH = ctl_.HScroll1.Height;
        const double boutons = cmdZoom[0].Width + cmdZoom[1].Width + cmdZoom[2].Width;
        const double tousLesZoom = boutons + cmdZoom[3].Width;
        const auto positif = [&](double x) {
            return uMax({std::int16_t{0}, x},
                        [&](const ErreurExecution& e) { ctl_.RapportErreur(e); })
                .versDouble();
        };

        ctl_.VScroll1.Top = 0;
        ctl_.VScroll1.Left = positif(W - VW);
        hauteur(ctl_.VScroll1, positif(H - HH));
        ctl_.HScroll1.Top = positif(H - HH);
        largeur(ctl_.HScroll1, positif(W - VW - tousLesZoom) - cmdEnregistre.Width);
        ctl_.HScroll1.Left = tousLesZoom + cmdEnregistre.Width;
        cmdZoom[3].Left = boutons;
        cmdZoom[2].Left = cmdZoom[0].Width + cmdZoom[1].Width;
        cmdZoom[1].Left = cmdZoom[0].Width;
        cmdEnregistre.Left = tousLesZoom;
        for (Controle& bouton : cmdZoom)
            bouton.Top = ctl_.HScroll1.Top;
        cmdEnregistre.Top = ctl_.HScroll1.Top;
        CacheCarré.Top = ctl_.HScroll1.Top;
        CacheCarré.Left = ctl_.VScroll1.Left;

        if ((H > ilHauteurPrécédente || W > ilLargeurPrécédente) && !ctl_.ibNoRedraw) {
            redessine(false);
        }
        ilHauteurPrécédente = CLng(H);
        ilLargeurPrécédente = CLng(W);
    });
}

void Visionneuse::UserControl_Paint() {
    ctl_.avecGestionnaire(U"UserControl_Paint", [&] { redessine(false); });
}

void Visionneuse::defile(const char32_t* procedure, const BarreDefilement& barre, std::int32_t pas,
                         std::int32_t& origine) {
    ctl_.nomProcedure = procedure;
    try {
        origine = CLng(-static_cast<double>(barre.Value) * pas);
    } catch (const ErreurExecution& erreur) {
        if (erreur.numero() == erreurs::Depassement) {
            origine = 2147483647;
        } else {
            ctl_.RapportErreur(erreur);
        }
        return;
    }
    redessine(true);
}

void Visionneuse::HScroll1_Change() {
    defile(U"HScroll1_Change", ctl_.HScroll1, ctl_.ilLargeurDéfil(), ctl_.ilOrigineX);
}

void Visionneuse::VScroll1_Change() {
    defile(U"VScroll1_Change", ctl_.VScroll1, ctl_.ilHauteurDéfil(), ctl_.ilOrigineY);
}

void Visionneuse::cmdZoom_Click(std::int16_t index) {
    ctl_.avecGestionnaire(U"cmdZoom_Click", [&] {
        ctl_.ibAbandon = false;
        const double avant = ctl_.idZoom;
        switch (index) {
            case ZoomAvant:
                ctl_.idZoom *= ZoomPas;
                if (ctl_.idZoom > ZoomMaximum) ctl_.idZoom = avant;
                break;
            case ZoomArriere:
                ctl_.idZoom /= ZoomPas;
                if (ctl_.idZoom < ZoomMinimum) ctl_.idZoom = avant;
                break;
            case PleinePage:
                ctl_.idZoomDefaut = 0;
                break;
            case Imprimer:
                ctl_.Imprime({.piTypeImpression = eiTypeSortieImprimante,
                              .pbAlsoScreen = true,
                              .psOrientation = ctl_.Orientation,
                              .psPaperSize = ctl_.PaperSize});
                return;
            default:
                break;
        }
        redessine(false);
    });
}

void Visionneuse::UserControl_MouseDown(std::int16_t bouton) {
    switch (bouton) {
        case 1:
            cmdZoom_Click(ZoomArriere);
            break;
        case 2:
            cmdZoom_Click(PleinePage);
            break;
        default:
            cmdZoom_Click(ZoomAvant);
            break;
    }
}

void Visionneuse::cmdEnregistre_Click() {
    try {
        const auto nom = ctl_.dialogues().ChoixFichierEnregistrement(
            Html::GetCheminHtml(ctl_.plateforme().systeme()));
        if (!nom) return;
        Html::SetCheminHtml(*nom);
    } catch (const ErreurExecution&) {
        return;
    }
    ctl_.Imprime({.piTypeImpression = eiTypeSortieHTML, .pbAlsoScreen = true});
}

void Visionneuse::UserControl_KeyPress(std::int16_t& keyAscii) {
    if (KeyPress) KeyPress(keyAscii);
}

}  // namespace vitrail
