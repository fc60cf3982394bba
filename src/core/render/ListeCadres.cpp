#include "render/ListeCadres.hpp"

#include <atomic>
#include <utility>

namespace vitrail {

std::uint64_t ListeCadres::nouvelleVersion() {
    // Shared by every list, so that a list replaced by another never shows a stamp a record of
    // the first was made under.
    static std::atomic<std::uint64_t> derniere{0};
    return derniere.fetch_add(1, std::memory_order_relaxed) + 1;
}

void ListeCadres::change() {
    version_ = nouvelleVersion();
}

ListeCadres& ListeCadres::operator=(const ListeCadres& autre) {
    cadres_ = autre.cadres_;
    change();
    return *this;
}

ListeCadres& ListeCadres::operator=(ListeCadres&& autre) noexcept {
    cadres_ = std::move(autre.cadres_);
    change();
    autre.change();
    return *this;
}

void ListeCadres::push_back(CadreDef cadre) {
    change();
    cadres_.push_back(std::move(cadre));
}

ListeCadres::iterator ListeCadres::insert(const_iterator ou, const CadreDef& cadre) {
    change();
    return cadres_.insert(ou, cadre);
}

ListeCadres::iterator ListeCadres::erase(const_iterator ou) {
    change();
    return cadres_.erase(ou);
}

void ListeCadres::resize(std::size_t taille, const CadreDef& cadre) {
    change();
    cadres_.resize(taille, cadre);
}

void ListeCadres::clear() {
    change();
    cadres_.clear();
}

}  // namespace vitrail
