#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "qt/NiveauxBidi.hpp"

namespace vitrail::qt {

// Where each bracket of a text is paired, as Qt pairs them, kept from one text to the next: a
// line the wrap tries word after word is paired only past what it shares with the line before.
// What was paired up to a position depends on nothing after it, so going back to where the two
// texts part is undoing, in reverse, what each bracket after it did.
class Partenaires {
  public:
    static constexpr std::size_t Aucun = static_cast<std::size_t>(-1);

    // For each character, the position of the bracket it is paired with, or `Aucun`. Empty
    // where more brackets are open at once than Qt pairs: it then pairs none.
    const std::vector<std::size_t>& de(std::u32string_view texte) {
        const auto communs = static_cast<std::size_t>(
            std::mismatch(texte_.begin(), texte_.end(), texte.begin(), texte.end()).first -
            texte_.begin());
        revientA(communs);
        texte_.append(texte.substr(communs));
        partenaires_.resize(texte.size(), Aucun);
        for (std::size_t i = communs; i < texte.size() && deborde_ == Aucun; ++i)
            appaire(i);
        return deborde_ == Aucun ? partenaires_ : aucun_;
    }

  private:
    struct Ouvert {
        char32_t fermant;
        std::size_t position;
    };
    // A bracket that opened, or that closed the `fermes` brackets open last: the first of them
    // paired with it, the others left unpaired. Those are kept in `fermes_`, to be open again
    // when going back before it.
    struct Pas {
        std::size_t position;
        std::size_t fermes;
    };

    void appaire(std::size_t i) {
        const char32_t c = texte_[i];
        if (!crochet(c)) return;
        if (ClassesBidi::ouvrant(c)) {
            if (ouverts_.size() == CrochetsOuvertsMaximum) {
                deborde_ = i;
                return;
            }
            ouverts_.push_back({fermantDe(c), i});
            pas_.push_back({i, 0});
            return;
        }
        for (std::size_t k = ouverts_.size(); k-- > 0;) {
            if (!ferme(ouverts_[k].fermant, c)) continue;
            partenaires_[ouverts_[k].position] = i;
            partenaires_[i] = ouverts_[k].position;
            const auto premier = ouverts_.begin() + static_cast<std::ptrdiff_t>(k);
            fermes_.insert(fermes_.end(), premier, ouverts_.end());
            pas_.push_back({i, ouverts_.size() - k});
            ouverts_.erase(premier, ouverts_.end());
            return;
        }
    }

    // The pairs as they were with only the text before `position` read.
    void revientA(std::size_t position) {
        if (deborde_ != Aucun && deborde_ >= position) deborde_ = Aucun;
        for (; !pas_.empty() && pas_.back().position >= position; pas_.pop_back()) {
            const std::size_t fermes = pas_.back().fermes;
            if (fermes == 0) {
                ouverts_.pop_back();
                continue;
            }
            const auto premier = fermes_.end() - static_cast<std::ptrdiff_t>(fermes);
            partenaires_[premier->position] = Aucun;
            ouverts_.insert(ouverts_.end(), premier, fermes_.end());
            fermes_.erase(premier, fermes_.end());
        }
        texte_.resize(position);
        partenaires_.resize(position);
    }

    std::u32string texte_;
    std::vector<std::size_t> partenaires_;
    std::vector<Ouvert> ouverts_;
    std::vector<Ouvert> fermes_;
    std::vector<Pas> pas_;
    std::size_t deborde_ = Aucun;
    const std::vector<std::size_t> aucun_{};
};

}  // namespace vitrail::qt
