// The HTML writer, through whole HTML passes on the test platform: frames from the bytes, the
// page written to a private folder. Whatever the frames, a pass leaves no temporary file, and a
// page it leaves is complete.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "Donnees.hpp"
#include "doubles/PlateformeFactice.hpp"

namespace fs = std::filesystem;

namespace {

fs::path dossier;

bool complete(const fs::path& page) {
    std::ifstream flux(page, std::ios::binary);
    const std::string texte{std::istreambuf_iterator<char>(flux), {}};
    return texte.find("</html>") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char modele[] = "/tmp/vitrail-fuzz-html-XXXXXX";
    if (mkdtemp(modele) == nullptr) std::abort();
    dossier = modele;
    std::atexit([] { fs::remove_all(dossier); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vitrail::fuzz::Donnees d(data, size);
    auto plateforme = std::make_shared<vitrail::test::PlateformeFactice>();
    plateforme->interaction.gardeMessages = false;
    plateforme->systeme().dossier = vitrail::depuisUtf8(dossier.string());
    const fs::path page = dossier / "page.htm";
    fs::remove(page);
    {
        vitrail::TracPlanDLL plan(plateforme);
        try {
            if (d.brut().ConsumeBool()) plan.Initialise(d.initialise());
            while (d.reste()) {
                const double haut = d.reel();
                const double gauche = d.reel();
                if (d.brut().ConsumeIntegralInRange(0, 9) == 0) {
                    plan.NewCadreImage(d.brut().ConsumeBool() ? "absente.png" : "", haut, gauche,
                                       d.reel(), d.reel());
                } else {
                    plan.NewCadreTexte(haut, gauche, d.cadreTexte(512));
                }
            }
            plan.Show({.piTypeImpression = vitrail::eiTypeSortieHTML, .psChemin = page.string()});
        } catch (const vitrail::Erreur&) {
            // a text that is not UTF-8
        }
    }
    for (const auto& entree : fs::directory_iterator(dossier)) {
        if (entree.path() != page) __builtin_trap();  // a temporary file left behind
    }
    if (fs::exists(page) && !complete(page)) __builtin_trap();
    return 0;
}
