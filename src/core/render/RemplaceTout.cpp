#include "render/RemplaceTout.hpp"

#include <algorithm>

namespace vitrail {

namespace {

// Searching again from the start after each replacement costs the whole text each time: a
// frame of a million characters made of tokens took minutes.
Texte depuisLeDebut(Texte texte, const Texte& jeton, const Texte& remplacement) {
    for (std::size_t i = texte.find(jeton); i != Texte::npos; i = texte.find(jeton)) {
        texte.replace(i, jeton.size(), remplacement);
    }
    return texte;
}

// A replacement none of whose characters is in the token cannot be part of an occurrence, nor
// join the text on either side into one: the next occurrence is the next one after it, and a
// single pass finds what searching from the start would.
bool horsDuJeton(const Texte& jeton, const Texte& remplacement) {
    return !remplacement.empty() &&
           std::none_of(remplacement.begin(), remplacement.end(),
                        [&](char32_t c) { return jeton.find(c) != Texte::npos; });
}

}  // namespace

Texte RemplaceTout(Texte texte, const Texte& jeton, const Texte& remplacement) {
    // An empty token would be found for ever.
    if (jeton.empty()) return texte;
    std::size_t i = texte.find(jeton);
    if (i == Texte::npos) return texte;
    if (!horsDuJeton(jeton, remplacement))
        return depuisLeDebut(std::move(texte), jeton, remplacement);
    Texte remplace;
    remplace.reserve(texte.size());
    std::size_t suite = 0;
    for (; i != Texte::npos; i = texte.find(jeton, suite)) {
        remplace.append(texte, suite, i - suite).append(remplacement);
        suite = i + jeton.size();
    }
    remplace.append(texte, suite);
    return remplace;
}

}  // namespace vitrail
