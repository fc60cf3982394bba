// How long the viewer and the exports take on generated week plannings, on the real Qt surface
// off screen, beside a hand-written Qt loop on the same frames and the drawing-only floor. Every
// run ends with the ratios; use CPU times and medians on a shared machine:
//   build-release/bench/vitrail_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "GenerateurPlanning.hpp"
#include "api/AccesInterne.hpp"
#include "doubles/PlateformeFactice.hpp"
#include "html/Html.hpp"
#include "qt/PlateformeQt.hpp"
#include "qt/SurfaceQt.hpp"
#include "render/Balises.hpp"
#include "render/Caches.hpp"
#include "render/RemplaceTout.hpp"
#include "support/Conversions.hpp"
#include "viewer/MontrePlan.hpp"

namespace {

using namespace vitrail;

const std::string Logo =
    (std::filesystem::path(VITRAIL_SOURCE) / "examples/logo.png").lexically_normal().string();

std::shared_ptr<qt::PlateformeQt> plateformeQt() {
    static const auto plateforme = std::make_shared<qt::PlateformeQt>();
    return plateforme;
}

// A generated planning in a viewer on the Qt surface, sized in pixels.
struct Banc {
    TracPlanDLL plan{plateformeQt()};
    MontrePlan& fenetre = api::formulaire(plan);
    TracPlanOCX& ctl = fenetre.TracPlanOCX1;
    qt::SurfaceQt& surface = static_cast<qt::SurfaceQt&>(ctl.surface());

    Banc(int cadres, int largeur, int hauteur) {
        bench::genereSemaines(plan, {.cadres = cadres, .logo = Logo});
        const double twips = 1440 / surface.pointsParPouce();
        surface.Redimensionne(largeur * twips, hauteur * twips);
    }
    void passe(benchmark::State& etat) {
        if (!ctl.Imprime({.pbForceTracé = true})) etat.SkipWithError("pass refused");
    }
};

constexpr int ControleLargeur = 1600;
constexpr int ControleHauteur = 1000;
constexpr int PageHauteur = 1200;

void PremierePasse(benchmark::State& etat) {
    for (auto _ : etat) {
        etat.PauseTiming();
        auto banc =
            std::make_unique<Banc>(static_cast<int>(etat.range(0)), ControleLargeur, PageHauteur);
        etat.ResumeTiming();
        banc->passe(etat);
        etat.PauseTiming();
        banc.reset();
        etat.ResumeTiming();
    }
}

void PasseChaude(benchmark::State& etat) {
    Banc banc(static_cast<int>(etat.range(0)), ControleLargeur, PageHauteur);
    banc.passe(etat);
    for (auto _ : etat)
        banc.passe(etat);
}

// One step down and back up through the viewer's own scroll handler, from the middle of the
// planning: each iteration is one step.
void Defilement(benchmark::State& etat) {
    Banc banc(static_cast<int>(etat.range(0)), ControleLargeur, ControleHauteur);
    banc.passe(etat);
    BarreDefilement& barre = banc.ctl.VScroll1;
    const std::int16_t milieu = static_cast<std::int16_t>(barre.Max / 2);
    std::int16_t pas = 0;
    for (auto _ : etat) {
        barre.Value = static_cast<std::int16_t>(milieu + (pas++ % 2));
        banc.fenetre.visionneuse.VScroll1_Change();
    }
}

// One zoom step in and out, each iteration one step, after one of each: the steps the user
// goes back and forth between.
void Zoom(benchmark::State& etat) {
    Banc banc(static_cast<int>(etat.range(0)), ControleLargeur, ControleHauteur);
    banc.passe(etat);
    for (const auto sens : {Visionneuse::ZoomAvant, Visionneuse::ZoomArriere}) {
        banc.ctl.ivDernierTracé = Variant();
        banc.fenetre.visionneuse.cmdZoom_Click(sens);
    }
    int pas = 0;
    for (auto _ : etat) {
        // Zoom passes are not forced: let each one through.
        banc.ctl.ivDernierTracé = Variant();
        banc.fenetre.visionneuse.cmdZoom_Click(pas++ % 2 == 0 ? Visionneuse::ZoomAvant
                                                              : Visionneuse::ZoomArriere);
    }
}

std::filesystem::path temporaire(const char* nom) {
    return std::filesystem::temp_directory_path() /
           (std::string("vitrail-bench-") + std::to_string(::getpid()) + nom);
}

// As the command does: a fresh planning, one pass at the default size, the image saved.
void ExportPng(benchmark::State& etat) {
    const auto fichier = temporaire(".png");
    for (auto _ : etat) {
        Banc banc(static_cast<int>(etat.range(0)), ControleLargeur, PageHauteur);
        banc.passe(etat);
        if (!banc.surface.image().save(QString::fromStdString(fichier.string())))
            etat.SkipWithError("cannot write");
    }
    std::filesystem::remove(fichier);
}

void ExportPdf(benchmark::State& etat) {
    const auto fichier = temporaire(".pdf");
    plateformeQt()->imprimanteQt().fichierPdf(QString::fromStdString(fichier.string()));
    for (auto _ : etat) {
        Banc banc(static_cast<int>(etat.range(0)), ControleLargeur, PageHauteur);
        if (!banc.ctl.Imprime({.piTypeImpression = 2, .pbPromptPrinter = false}))
            etat.SkipWithError("pass refused");
    }
    std::filesystem::remove(fichier);
}

void ExportHtml(benchmark::State& etat) {
    const auto page = temporaire(".htm");
    Html::SetCheminHtml(depuisUtf8(page.string()));
    for (auto _ : etat) {
        Banc banc(static_cast<int>(etat.range(0)), ControleLargeur, PageHauteur);
        if (!banc.ctl.Imprime({.piTypeImpression = 3, .pbForceTracé = true}))
            etat.SkipWithError("pass refused");
    }
    std::filesystem::remove(page);
}

// A fresh planning and nothing drawn: the peak memory of this run, beside an export's, gives
// what the export adds to the loaded planning (/usr/bin/time -v).
void Chargement(benchmark::State& etat) {
    for (auto _ : etat) {
        Banc banc(static_cast<int>(etat.range(0)), ControleLargeur, PageHauteur);
        benchmark::DoNotOptimize(banc.ctl.ioCadres);
    }
}

// The command's check: a fresh planning and its fit report.
void Verification(benchmark::State& etat) {
    for (auto _ : etat) {
        Banc banc(static_cast<int>(etat.range(0)), ControleLargeur, PageHauteur);
        benchmark::DoNotOptimize(banc.plan.Debordements());
    }
}

// The same frames as a hand-written Qt program would draw them: mapped as the viewer maps them,
// markup and tokens left out.
struct CadrePair {
    QRectF boite;
    QString texte;
    QString police;
    double taille;
    bool bordure;
    bool image;
    QColor fond;
};

struct Pair {
    std::vector<CadrePair> cadres;
    QImage image;
    QImage logo;
    double pixelsParTwip;

    explicit Pair(int nombre, int hauteur) {
        Banc banc(nombre, ControleLargeur, hauteur);
        banc.ctl.Imprime({.pbForceTracé = true});
        const TracPlanOCX& c = banc.ctl;
        pixelsParTwip = banc.surface.pointsParPouce() / 1440;
        image = banc.surface.image().copy();
        logo = QImage(QString::fromStdString(Logo));
        for (const CadreDef& d : *c.ioCadres) {
            const double k = pixelsParTwip;
            const QRectF boite(QPointF(d.iGauche * c.idCorrecHorizontal * c.idZoom * k,
                                       d.iHaut * c.idCorrecVertical * c.idZoom * k),
                               QPointF(d.iDroite * c.idCorrecHorizontal * c.idZoom * k,
                                       d.iBas * c.idCorrecVertical * c.idZoom * k));
            Texte texte = d.sText;
            for (const char32_t* jeton : {U"<DblQuote>", U"<SimpleQuote>"})
                texte = RemplaceTout(texte, jeton, U"\"");
            const bool estImage = texte.starts_with(U"@Picture@");
            cadres.push_back({boite, qt::versQString(EnleveBalises(texte)),
                              qt::versQString(d.sFont),
                              static_cast<double>(CInt(d.iFontSize * c.idZoom)), d.iDrawWidth != 0,
                              estImage, qt::couleurQt(d.iFillColor)});
        }
    }

    // Half-point steps on the word-wrapped bounding box, then the drawing; frames outside the
    // visible area skipped when asked.
    void passe(QPointF decalage, bool visiblesSeulement) {
        image.fill(Qt::white);
        QPainter p(&image);
        const QRectF visible(QPointF(0, 0), image.size());
        for (const CadrePair& cadre : cadres) {
            const QRectF boite = cadre.boite.translated(decalage);
            if (visiblesSeulement && !boite.intersects(visible) && boite.width() > 0) continue;
            if (cadre.image) {
                p.drawImage(boite, logo);
                continue;
            }
            if (cadre.bordure) {
                p.fillRect(boite, cadre.fond);
                p.setPen(Qt::black);
                p.drawRect(boite);
            }
            QFont police(cadre.police);
            for (double z = cadre.taille; z >= 5; z -= 0.5) {
                police.setPointSizeF(z);
                const QFontMetricsF m(police, &image);
                const QRectF r = m.boundingRect(boite, Qt::TextWordWrap, cadre.texte);
                if (r.height() <= boite.height() && r.width() <= boite.width()) break;
            }
            p.setFont(police);
            p.drawText(boite, Qt::AlignCenter | Qt::TextWordWrap, cadre.texte);
        }
    }
};

void PairQt(benchmark::State& etat) {
    Pair pair(static_cast<int>(etat.range(0)), PageHauteur);
    for (auto _ : etat)
        pair.passe({}, false);
}

void PairQtDefilement(benchmark::State& etat) {
    Pair pair(static_cast<int>(etat.range(0)), ControleHauteur);
    // The same two positions as Defilement, at the middle of the planning.
    double bas = 0;
    for (const CadrePair& c : pair.cadres)
        bas = std::max(bas, c.boite.bottom());
    const double pasY = pair.image.height() / 4.0;
    const double milieu = std::floor(bas / pasY / 2) * pasY;
    int pas = 0;
    for (auto _ : etat)
        pair.passe({0, -(milieu + (pas++ % 2) * pasY)}, true);
}

// Only the final drawing calls, sizes and fonts known in advance.
void PlancherDessin(benchmark::State& etat) {
    Pair pair(static_cast<int>(etat.range(0)), PageHauteur);
    std::vector<QFont> polices;
    for (const CadrePair& c : pair.cadres) {
        QFont police(c.police);
        police.setPointSizeF(c.taille);
        polices.push_back(police);
    }
    for (auto _ : etat) {
        pair.image.fill(Qt::white);
        QPainter p(&pair.image);
        for (std::size_t i = 0; i < pair.cadres.size(); ++i) {
            const CadrePair& c = pair.cadres[i];
            if (c.image) {
                p.drawImage(c.boite, pair.logo);
                continue;
            }
            if (c.bordure) {
                p.fillRect(c.boite, c.fond);
                p.drawRect(c.boite);
            }
            p.setFont(polices[i]);
            p.drawText(c.boite, Qt::AlignCenter | Qt::TextWordWrap, c.texte);
        }
    }
}

// A text that shrinks several half points and splits words before it fits, on the recording
// surface: the algorithm's own cost.
void MiseEnPageQuiRetrecit(benchmark::State& etat) {
    test::PlateformeFactice plateforme;
    TracPlanOCX controle(plateforme, Html::sortie());
    controle.Initialise();
    controle.ilTypeImpression = 1;
    const Texte texte =
        U"Revue des tickets ouverts, puis priorisation du sprint et répartition des tâches "
        U"entre les développeurs de l'équipe, anticonstitutionnellement longue";
    for (auto _ : etat)
        controle.ImprimeTexteLong(texte, 0, 0, 1500, 2400, 14, U"HV");
}

// The worst case of one frame: a text of a million characters in a small box, first pass;
// words drawn from three, or every word different (no measure is ever met twice).
void TexteGeant(benchmark::State& etat) {
    std::string texte;
    for (std::uint32_t i = 0; texte.size() < 1000000; ++i) {
        if (etat.range(0) == 0) {
            texte += i % 7 == 0 ? "anticonstitutionnellement" : (i % 3 == 0 ? "de" : "planning");
        } else {
            for (std::uint32_t n = i + 26 * 26 * 26; n > 0; n /= 26)
                texte += static_cast<char>('a' + n % 26);
        }
        texte += ' ';
    }
    for (auto _ : etat) {
        etat.PauseTiming();
        TracPlanDLL plan{plateformeQt()};
        plan.Initialise();
        plan.NewCadreTexte(10, 10, {.piBas = 40, .piDroite = 50, .psText = texte});
        auto& surface = static_cast<qt::SurfaceQt&>(api::formulaire(plan).TracPlanOCX1.surface());
        surface.Redimensionne(24000, 18000);
        etat.ResumeTiming();
        api::formulaire(plan).TracPlanOCX1.Imprime({.pbForceTracé = true});
        etat.counters["lignes"] =
            static_cast<double>(api::formulaire(plan).TracPlanOCX1.isLignes.size() - 1);
    }
}
BENCHMARK(TexteGeant)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

void tailles(benchmark::internal::Benchmark* b) {
    b->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(PremierePasse)->Apply(tailles);
BENCHMARK(PasseChaude)->Apply(tailles);
BENCHMARK(Defilement)->Apply(tailles);
BENCHMARK(Zoom)->Apply(tailles);
BENCHMARK(ExportPng)->Apply(tailles);
BENCHMARK(ExportPdf)->Apply(tailles);
BENCHMARK(ExportHtml)->Apply(tailles);
BENCHMARK(Verification)->Apply(tailles);
BENCHMARK(Chargement)->Apply(tailles);
BENCHMARK(PairQt)->Apply(tailles);
BENCHMARK(PairQtDefilement)->Apply(tailles);
BENCHMARK(PlancherDessin)->Apply(tailles);
BENCHMARK(MiseEnPageQuiRetrecit);

// Keeps the CPU time of every repetition, to print the ratios of medians at the end.
class Rapports : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            temps_[run.run_name.function_name + "/" + run.run_name.args].push_back(
                run.cpu_accumulated_time / static_cast<double>(run.iterations) * 1e3);
        }
    }

    void ratios() {
        std::printf("\nRatios of median CPU times (ms):\n");
        const auto ligne = [&](const char* quoi, const std::string& a, const std::string& b) {
            const double ta = mediane(a);
            const double tb = mediane(b);
            if (ta <= 0 || tb <= 0) return;
            std::printf("  %-52s %9.3f / %9.3f = %6.2f\n", quoi, ta, tb, ta / tb);
        };
        for (const char* n : {"100", "1000", "10000"}) {
            const std::string s = n;
            std::printf(" %s frames\n", n);
            ligne("scroll step / peer skipping off-screen frames", "Defilement/" + s,
                  "PairQtDefilement/" + s);
            ligne("first pass / hand-written Qt loop", "PremierePasse/" + s, "PairQt/" + s);
            ligne("warm pass / drawing-only floor", "PasseChaude/" + s, "PlancherDessin/" + s);
        }
        ligne("scroll step, 10,000 frames / 1,000 frames", "Defilement/10000", "Defilement/1000");
    }

  private:
    double mediane(const std::string& nom) {
        auto it = temps_.find(nom);
        if (it == temps_.end() || it->second.empty()) return 0;
        std::vector<double> v = it->second;
        std::sort(v.begin(), v.end());
        return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    }
    std::map<std::string, std::vector<double>> temps_;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    // Every cache off, to see what each one saves.
    if (qEnvironmentVariableIsSet("VITRAIL_SANS_CACHES")) caches::actifs(false);
    Rapports rapports;
    benchmark::RunSpecifiedBenchmarks(&rapports);
    rapports.ratios();
    benchmark::Shutdown();
    return 0;
}
