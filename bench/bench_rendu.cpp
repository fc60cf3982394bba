// How long the layout and whole passes take, on the recording test surface (the algorithm's own
// cost) and on the Qt surface (real font metrics).
//   build/bench/vitrail_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <functional>

#include "FichierPlanning.hpp"
#include "doubles/PlateformeFactice.hpp"
#include "output/Html.hpp"
#include "output/MontrePlan.hpp"
#include "platform/qt/PlateformeQt.hpp"

namespace {

using namespace vitrail;

const std::filesystem::path Exemple =
    std::filesystem::path(VITRAIL_SOURCE) / "examples/semaine.json";

// A text that shrinks several half points and splits words before it fits.
void MiseEnPageQuiRetrecit(benchmark::State& etat) {
    test::PlateformeFactice plateforme;
    TracPlanOCX controle(plateforme);
    controle.Initialise();
    controle.ilTypeImpression = 1;
    const Texte texte =
        U"Revue des tickets ouverts, puis priorisation du sprint et répartition des tâches "
        U"entre les développeurs de l'équipe, anticonstitutionnellement longue";
    for (auto _ : etat) {
        controle.ImprimeTexteLong(texte, 0, 0, 1500, 2400, 14, U"HV");
    }
}
BENCHMARK(MiseEnPageQuiRetrecit);

void PasseEcran(benchmark::State& etat, Plateforme& plateforme,
                const std::function<void(TracPlanOCX&)>& prepare = {}) {
    TracPlanDLL plan(std::shared_ptr<Plateforme>(&plateforme, [](Plateforme*) {}));
    fichier::joue(fichier::lit(Exemple), plan);
    TracPlanOCX& controle = plan.Formulaire().TracPlanOCX1;
    if (prepare) prepare(controle);
    controle.surface().Redimensionne(24000, 18000);
    for (auto _ : etat) {
        if (!controle.Imprime({.pbForceTracé = true})) etat.SkipWithError("pass refused");
    }
    etat.counters["cadres"] = static_cast<double>(controle.ioCadres->size());
}

void PasseEcranDoublure(benchmark::State& etat) {
    test::PlateformeFactice plateforme;
    const auto logo = depuisUtf8((Exemple.parent_path() / "logo.png").lexically_normal().string());
    // The recording surface loads no file: the example's picture is declared to it.
    PasseEcran(etat, plateforme,
               [&](TracPlanOCX&) { plateforme.derniereSurface->images[logo] = true; });
}
BENCHMARK(PasseEcranDoublure)->Unit(benchmark::kMillisecond);

void PasseEcranQt(benchmark::State& etat) {
    qt::PlateformeQt plateforme;
    PasseEcran(etat, plateforme);
}
BENCHMARK(PasseEcranQt)->Unit(benchmark::kMillisecond);

void ExportHtml(benchmark::State& etat) {
    qt::PlateformeQt plateforme;
    TracPlanDLL plan(std::shared_ptr<Plateforme>(&plateforme, [](Plateforme*) {}));
    fichier::joue(fichier::lit(Exemple), plan);
    TracPlanOCX& controle = plan.Formulaire().TracPlanOCX1;
    const auto page = std::filesystem::temp_directory_path() / "vitrail-bench.htm";
    Html::SetCheminHtml(depuisUtf8(page.string()));
    for (auto _ : etat) {
        if (!controle.Imprime({.piTypeImpression = 3, .pbForceTracé = true})) {
            etat.SkipWithError("pass refused");
        }
    }
    std::filesystem::remove(page);
}
BENCHMARK(ExportHtml)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
