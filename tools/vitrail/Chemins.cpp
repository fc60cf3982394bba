#include "Chemins.hpp"

#include <algorithm>
#include <cctype>

#include "FichierPlanning.hpp"

namespace vitrail::outil {

namespace {

bool finitEnHtml(const std::filesystem::path& chemin) {
    std::string extension = chemin.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".htm" || extension == ".html";
}

// Whether chemin lies under dossier (both canonical), at any depth.
bool estDans(const std::filesystem::path& chemin, const std::filesystem::path& dossier) {
    const auto [fin, reste] =
        std::mismatch(dossier.begin(), dossier.end(), chemin.begin(), chemin.end());
    return fin == dossier.end() && reste != chemin.end();
}

}  // namespace

std::filesystem::path pageDuFichier(const std::filesystem::path& fichier,
                                    const std::string& psChemin, bool confiance) {
    namespace fs = std::filesystem;
    const fs::path dossier = fs::absolute(fichier).parent_path();
    const fs::path page =
        fs::path(psChemin).is_absolute() ? fs::path(psChemin) : dossier / psChemin;
    if (confiance) return page;

    const auto refuse = [&](const std::string& raison) {
        return fichier::ErreurFichier(
            fichier.string() + ": the output path \"" + psChemin + "\" of its show section " +
            raison + "; name the page with -o, or give --trust-paths if you trust this file");
    };
    std::error_code erreur;
    // Links are followed, as the page will be written through them.
    const fs::path reel = fs::weakly_canonical(page, erreur);
    if (erreur) throw refuse("cannot be resolved (" + erreur.message() + ")");
    const fs::path dossierReel = fs::weakly_canonical(dossier, erreur);
    if (erreur) throw refuse("cannot be resolved (" + erreur.message() + ")");
    if (!estDans(reel, dossierReel)) {
        throw refuse("leads outside the planning file's folder " + dossierReel.string() +
                     (reel != page.lexically_normal() ? " (to " + reel.string() + ")" : ""));
    }
    if (!finitEnHtml(reel)) {
        throw refuse("does not end in .htm or .html" + (reel != page.lexically_normal()
                                                            ? " (it leads to " + reel.string() + ")"
                                                            : std::string()));
    }
    return page;
}

}  // namespace vitrail::outil
