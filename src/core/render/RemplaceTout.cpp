#include "render/RemplaceTout.hpp"

namespace vitrail {

Texte RemplaceTout(Texte texte, const Texte& jeton, const Texte& remplacement) {
    // An empty token would be found for ever.
    if (jeton.empty()) return texte;
    for (std::size_t i = texte.find(jeton); i != Texte::npos; i = texte.find(jeton)) {
        texte.replace(i, jeton.size(), remplacement);
    }
    return texte;
}

}  // namespace vitrail
