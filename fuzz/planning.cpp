// The planning file reader on any text up to 1 MB, then the planning said to the component on
// the test platform: a file either reads or gives its message, and never more.
#include <cstdint>
#include <memory>
#include <string>

#include "FichierPlanning.hpp"
#include "doubles/PlateformeFactice.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string texte(reinterpret_cast<const char*>(data), size);
    vitrail::fichier::Planning planning;
    try {
        planning = vitrail::fichier::litTexte(texte, "fuzz.json", "/images");
    } catch (const vitrail::fichier::ErreurFichier& e) {
        // Every message names the file, a line and a field.
        if (std::string(e.what()).rfind("fuzz.json:", 0) != 0) __builtin_trap();
        return 0;
    }
    vitrail::TracPlanDLL plan(std::make_shared<vitrail::test::PlateformeFactice>());
    try {
        vitrail::fichier::joue(planning, plan);
    } catch (const vitrail::Erreur&) {
        // a text that is not UTF-8 is refused by the component itself
    }
    return 0;
}
