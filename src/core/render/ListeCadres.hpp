#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/CadreDef.hpp"

namespace vitrail {

// The planning's frames in drawing order. Every access that can change a frame gives the list a
// new stamp, never given before, so that a pass can tell that a frame it drew is still the same
// without reading its texts. A reference taken for writing is good until the next pass.
class ListeCadres {
  public:
    using iterator = std::vector<CadreDef>::iterator;
    using const_iterator = std::vector<CadreDef>::const_iterator;

    ListeCadres() = default;
    ListeCadres(const ListeCadres& autre) : cadres_(autre.cadres_) {}
    ListeCadres(ListeCadres&& autre) noexcept : cadres_(std::move(autre.cadres_)) {
        autre.change();
    }
    ListeCadres& operator=(const ListeCadres& autre);
    ListeCadres& operator=(ListeCadres&& autre) noexcept;
    ~ListeCadres() = default;

    // Stays the same while nothing can have changed.
    std::uint64_t version() const { return version_; }

    std::size_t size() const { return cadres_.size(); }
    bool empty() const { return cadres_.empty(); }
    const CadreDef* data() const { return cadres_.data(); }
    const CadreDef& operator[](std::size_t i) const { return cadres_[i]; }
    const CadreDef& at(std::size_t i) const { return cadres_.at(i); }
    const CadreDef& front() const { return cadres_.front(); }
    const CadreDef& back() const { return cadres_.back(); }
    const_iterator begin() const { return cadres_.begin(); }
    const_iterator end() const { return cadres_.end(); }

    CadreDef& operator[](std::size_t i) { return change(), cadres_[i]; }
    CadreDef& at(std::size_t i) { return change(), cadres_.at(i); }
    CadreDef& front() { return change(), cadres_.front(); }
    CadreDef& back() { return change(), cadres_.back(); }
    iterator begin() { return change(), cadres_.begin(); }
    iterator end() { return change(), cadres_.end(); }

    void push_back(CadreDef cadre);
    iterator insert(const_iterator ou, const CadreDef& cadre);
    iterator erase(const_iterator ou);
    void resize(std::size_t taille, const CadreDef& cadre);
    void clear();

    bool operator==(const ListeCadres& autre) const { return cadres_ == autre.cadres_; }

  private:
    void change();

    std::vector<CadreDef> cadres_;
    std::uint64_t version_ = nouvelleVersion();

    static std::uint64_t nouvelleVersion();
};

}  // namespace vitrail
