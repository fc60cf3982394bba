// A host for the end-to-end checks: builds a small planning and sends it to one target.
//   hote_e2e ecran
//   hote_e2e imprimante COPIES [PDF]     (console answers; PDF forces a file)
//   hote_e2e html PAGE
#include <cstdlib>
#include <iostream>
#include <string>

#include "platform/console/InteractionConsole.hpp"
#include "platform/qt/PlateformeQt.hpp"
#include "vitrail/TracPlanDLL.hpp"

int main(int argc, char** argv) {
    using namespace vitrail;
    if (argc < 2) {
        std::cerr << "usage: hote_e2e ecran | imprimante COPIES [PDF] | html PAGE\n";
        return 2;
    }
    const std::string cible = argv[1];
    auto plateforme = qt::PlateformeQt::partagee();
    TracPlanDLL plan;
    plan.Initialise({.psFont = "Arial",
                     .piScreenTop = 300,
                     .piScreenLeft = 300,
                     .piScreenHeight = 7500,
                     .piScreenWidth = 10500,
                     .psScreenCaption = "Vitrail e2e"});
    plan.NewCadreTexte(5, 5,
                       {.piBas = 30,
                        .piDroite = 150,
                        .piFillColor = 0xFFE0CC,
                        .psText = "Planning Lundi <b>réunion</b>",
                        .piFontSize = 16,
                        .pbFontTransparent = false});
    plan.NewCadreTexte(35, 5, {.piBas = 60, .piDroite = 80, .psText = "Mardi revue"});
    try {
        if (cible == "ecran") {
            plan.Show();
        } else if (cible == "imprimante" && argc >= 3) {
            auto console = std::make_shared<InteractionConsole>(std::cerr);
            console->copies = std::atoi(argv[2]);
            plateforme->dialogues(console);
            if (argc >= 4) plateforme->imprimanteQt().fichierPdf(QString::fromLocal8Bit(argv[3]));
            plan.Show({.piTypeImpression = eiTypeSortieImprimante});
            for (const QString& destination : plateforme->imprimanteQt().destinations()) {
                std::cout << destination.toStdString() << '\n';
            }
        } else if (cible == "html" && argc >= 3) {
            plateforme->dialogues(std::make_shared<InteractionConsole>(std::cerr));
            plan.Show({.piTypeImpression = eiTypeSortieHTML, .psChemin = argv[2]});
        } else {
            std::cerr << "hote_e2e: cible inconnue : " << cible << '\n';
            return 2;
        }
    } catch (const Erreur& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
