#include "render/CachesDessin.hpp"

#include <algorithm>

namespace vitrail {

namespace {

void melange(std::size_t& h, std::size_t v) {
    h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
}

template <class T>
std::size_t hache(const T& v) {
    return std::hash<T>{}(v);
}

}  // namespace

std::size_t CachesDessin::HachageMiseEnPage::operator()(const CleMiseEnPage& c) const {
    std::size_t h = hache(c.texte);
    melange(h, hache(c.largeur));
    melange(h, hache(c.hauteur));
    melange(h, hache(c.taille));
    melange(h, hache(c.police.nom));
    melange(h, hache(c.police.taille));
    melange(h, static_cast<std::size_t>(c.police.gras) |
                   static_cast<std::size_t>(c.police.italique) << 1 |
                   static_cast<std::size_t>(c.police.souligne) << 2 |
                   static_cast<std::size_t>(c.police.barre) << 3);
    melange(h, hache(c.cible));
    melange(h, hache(c.resolution));
    return h;
}

const MiseEnPageConnue* CachesDessin::miseEnPage(const CleMiseEnPage& cle) const {
    const auto trouvee = misesEnPage_.find(cle);
    return trouvee == misesEnPage_.end() ? nullptr : &trouvee->second;
}

void CachesDessin::garde(CleMiseEnPage cle, MiseEnPageConnue valeur) {
    if (misesEnPage_.size() >= Capacite) misesEnPage_.clear();
    misesEnPage_.insert_or_assign(std::move(cle), std::move(valeur));
}

CadreDessine* CachesDessin::cadre(std::size_t position, double zoom, double echelleX,
                                  double echelleY) {
    for (std::size_t n = 0; n < echelles_.size(); ++n) {
        const std::size_t i = (derniere_ + n) % echelles_.size();
        Echelle& e = echelles_[i];
        if (e.zoom != zoom || e.echelleX != echelleX || e.echelleY != echelleY) continue;
        derniere_ = i;
        if (position >= e.cadres.size() || !e.cadres[position]) return nullptr;
        return &*e.cadres[position];
    }
    return nullptr;
}

void CachesDessin::garde(std::size_t position, double zoom, double echelleX, double echelleY,
                         CadreDessine cadre) {
    if (position >= Capacite) return;
    auto e = std::find_if(echelles_.begin(), echelles_.end(), [&](const Echelle& x) {
        return x.zoom == zoom && x.echelleX == echelleX && x.echelleY == echelleY;
    });
    if (e == echelles_.end()) {
        // The scale added first goes.
        if (echelles_.size() >= EchellesMaximum) echelles_.erase(echelles_.begin());
        echelles_.push_back({zoom, echelleX, echelleY, {}});
        e = echelles_.end() - 1;
        derniere_ = 0;
    }
    if (position >= e->cadres.size()) e->cadres.resize(position + 1);
    e->cadres[position] = std::move(cadre);
}

void CachesDessin::oublie() {
    misesEnPage_.clear();
    echelles_.clear();
    derniere_ = 0;
}

}  // namespace vitrail
