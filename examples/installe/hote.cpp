// A host of the installed library: builds a small planning and writes it as an HTML page.
#include <iostream>
#include <vitrail/TracPlanDLL.hpp>

int main(int argc, char** argv) {
    const std::string page = argc > 1 ? argv[1] : "hote.htm";
    try {
        vitrail::TracPlanDLL plan;
        plan.Initialise({.psFont = "Arial", .psScreenCaption = "Hôte installé"});
        plan.NewCadreTexte(10, 10,
                           {.piBas = 30, .piDroite = 120, .psText = "Lundi <b>réunion</b>"});
        plan.NewCadreTexte(35, 10, {.piBas = 55, .piDroite = 120, .psText = "Mardi revue"});
        plan.Show({.piTypeImpression = vitrail::eiTypeSortieHTML, .psChemin = page});
    } catch (const vitrail::Erreur& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::cout << page << '\n';
    return 0;
}
