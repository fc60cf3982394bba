#pragma once

#include <filesystem>
#include <string>

namespace vitrail::outil {

// Where the command writes the HTML page a planning file names (its show section's psChemin),
// taken from the file's folder when relative. A file may come from anyone: unless the user
// trusts it, the page must stay inside that folder and end in .htm or .html, or a
// fichier::ErreurFichier says why it is refused.
std::filesystem::path pageDuFichier(const std::filesystem::path& fichier,
                                    const std::string& psChemin, bool confiance);

}  // namespace vitrail::outil
