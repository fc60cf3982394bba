#pragma once

#include <QChar>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string_view>
#include <vector>

// The bidirectional algorithm as Qt runs it on a text it measures, for the texts it sums.
namespace vitrail::qt {

// Qt's bidirectional class of each character of the Basic Multilingual Plane, and whether Qt
// pairs it as an opening or a closing bracket, read from Qt once: the sums ask for them at
// every character of every line of both directions they try.
class ClassesBidi {
  public:
    static QChar::Direction direction(char32_t c) {
        return c < Taille ? static_cast<QChar::Direction>(table()[c] & Classe)
                          : QChar::direction(c);
    }
    static bool crochet(char32_t c) {
        return c < Taille ? table()[c] & (Ouvrant | Fermant) : pairable(c);
    }
    static bool ouvrant(char32_t c) {
        return c < Taille ? table()[c] & Ouvrant
                          : pairable(c) && QChar::category(c) == QChar::Punctuation_Open;
    }

  private:
    static constexpr char32_t Taille = 0x10000;
    static constexpr std::uint8_t Classe = 0x1F, Ouvrant = 0x20, Fermant = 0x40;
    static bool pairable(char32_t c) {
        const QChar::Category k = QChar::category(c);
        return (k == QChar::Punctuation_Open || k == QChar::Punctuation_Close) &&
               QChar::hasMirrored(c);
    }
    static const std::array<std::uint8_t, Taille>& table() {
        static const std::array<std::uint8_t, Taille> lue = [] {
            std::array<std::uint8_t, Taille> t{};
            for (char32_t c = 0; c < Taille; ++c) {
                t[c] = static_cast<std::uint8_t>(QChar::direction(c));
                if (pairable(c))
                    t[c] |= QChar::category(c) == QChar::Punctuation_Open ? Ouvrant : Fermant;
            }
            return t;
        }();
        return lue;
    }
};

// The class a character has in the bidirectional algorithm, where it matters here: ASCII
// letters are left to right, digits European numbers, and the rest of ASCII is weak or neutral.
inline QChar::Direction classeBidi(char32_t c) {
    if (c < 0x80) {
        if ((c | 0x20) >= U'a' && (c | 0x20) <= U'z') return QChar::DirL;
        return c >= U'0' && c <= U'9' ? QChar::DirEN : QChar::DirON;
    }
    return ClassesBidi::direction(c);
}

// A letter gives its direction to the text; a digit stands for one; anything else is a sign.
inline bool lettreForte(QChar::Direction d) {
    return d == QChar::DirL || d == QChar::DirR || d == QChar::DirAL;
}
inline bool chiffre(QChar::Direction d) {
    return d == QChar::DirEN || d == QChar::DirAN;
}
// Left to right or right to left, Arabic letters going with the others.
inline QChar::Direction sensDeLettre(QChar::Direction d) {
    return d == QChar::DirL ? QChar::DirL : QChar::DirR;
}

// A character Qt pairs as a bracket.
inline bool crochet(char32_t c) {
    if (c < 0x80) return c == U'(' || c == U')' || c == U'[' || c == U']' || c == U'{' || c == U'}';
    return ClassesBidi::crochet(c);
}

// Whether a closing bracket closes one whose mirror is `attendu`: the angle brackets of CJK and
// of technical symbols close each other.
inline bool ferme(char32_t attendu, char32_t c) {
    return attendu == c || (attendu == 0x3009 && c == 0x232A) || (attendu == 0x232A && c == 0x3009);
}

// Past this many brackets open at once, Qt pairs none in the text.
inline constexpr std::size_t CrochetsOuvertsMaximum = 63;

// Qt's bracket pairs in a text, in the order they open: a closing bracket with the nearest open
// one of its kind, those opened after that left unpaired (`fermant` is `SansPaire`). False,
// with no pairs, where more than the most are open at once.
struct PaireDeCrochets {
    static constexpr std::size_t SansPaire = static_cast<std::size_t>(-1);
    std::size_t ouvrant, fermant;
};
struct CrochetOuvert {
    char32_t fermant;
    std::size_t paire;
};
inline bool appaireLesCrochets(std::u32string_view texte, std::vector<PaireDeCrochets>& paires,
                               std::vector<CrochetOuvert>& ouverts) {
    paires.clear();
    ouverts.clear();
    for (std::size_t i = 0; i < texte.size(); ++i) {
        const char32_t c = texte[i];
        if (!crochet(c)) continue;
        if (ClassesBidi::ouvrant(c)) {
            if (ouverts.size() == CrochetsOuvertsMaximum) {
                paires.clear();
                return false;
            }
            ouverts.push_back({QChar::mirroredChar(c), paires.size()});
            paires.push_back({i, PaireDeCrochets::SansPaire});
            continue;
        }
        for (std::size_t k = ouverts.size(); k-- > 0;) {
            if (ferme(ouverts[k].fermant, c)) {
                paires[ouverts[k].paire].fermant = i;
                ouverts.resize(k);
                break;
            }
        }
    }
    return true;
}

// The level Qt gives each character of a text it measures alone: a paragraph of the direction
// of its first letter, with no explicit embedding, isolate or separator in it (those texts are
// not read). Qt's order of the rules is kept where it differs from the standard's wording: a
// bracket pair's context is read as earlier pairs left it, marks after a resolved pair take its
// direction, and boundary neutrals (soft hyphens) are read past but keep a level of their own.
class NiveauxBidi {
  public:
    // `base`: the paragraph's level where it is given (Qt's option of a direction), not read.
    bool lit(std::u32string_view texte, std::optional<std::uint8_t> base = std::nullopt) {
        texte_ = texte;
        resolu_ = false;
        debordes_ = false;
        const std::size_t n = texte.size();
        types_.resize(n);
        niveaux_.assign(n, 0);
        base_ = 0;
        bool premiere = false;
        bool droiteAGauche = false;
        bool frontieres = false;
        for (std::size_t i = 0; i < n; ++i) {
            const QChar::Direction d = ClassesBidi::direction(texte[i]);
            if (!lisible(d)) return false;
            types_[i] = d;
            frontieres |= d == QChar::DirBN;
            if (d == QChar::DirR || d == QChar::DirAL || d == QChar::DirAN) droiteAGauche = true;
            if (!premiere && lettreForte(d)) {
                premiere = true;
                base_ = d == QChar::DirL ? 0 : 1;
            }
        }
        if (base) base_ = *base;
        if (base_ == 0 && !droiteAGauche) return true;
        resolu_ = true;
        faibles();
        neutres();
        // Blanks that end the text are signs before its end: they take its level already,
        // where Qt puts them back.
        for (std::size_t i = 0; i < n; ++i)
            niveaux_[i] = niveau(types_[i]);
        if (frontieres) niveauxDesFrontieres();
        return true;
    }
    const std::vector<std::uint8_t>& niveaux() const { return niveaux_; }
    std::uint8_t base() const { return base_; }

    // Whether the text before the blank at `blanc`, which holds a letter, takes alone the levels
    // it has here. Qt's weak rules never read past a blank, so only what the text after the blank
    // decides may differ: a bracket pair over the blank given a direction by what it holds or
    // what comes before it (alone, the opening bracket is a sign), and the signs that end the
    // text before, which alone take its direction (past 63 brackets open at once, every pair
    // is in doubt).
    bool avantGardeSesNiveaux(std::size_t blanc) const {
        if (!resolu_) return true;
        if (debordes_ || (couvertes_[blanc] > 0 && !ouvrantsGardes(blanc))) return false;
        for (std::size_t i = blanc; i-- > 0 && neutre_[i];) {
            if (niveaux_[i] != base_) return false;
        }
        return true;
    }

  private:
    // Alone, the opening bracket of a pair given a direction that closes past the blank is a
    // sign among signs, read with those beside it from the nearest letter or number before it
    // to the next after it (such brackets read past, as signs): they take the direction of
    // both where they agree, the text's where they do not, and must take the pair's, as they
    // do here. Where the letter before is of the other direction, a pair opened just after
    // this one may take its direction from it, which here it takes from the bracket.
    // Pairs nest at most 63 deep, so each blank reads a bounded number of them.
    bool ouvrantsGardes(std::size_t blanc) const {
        if (!entourees_) entoure();
        for (std::size_t k = entourante_[blanc]; k != Aucune; k = englobante_[k]) {
            const QChar::Direction d = sensDesPaires_[k];
            const std::size_t o = paires_[k].ouvrant;
            const std::size_t avant = voisine(o, blanc, false);
            const std::size_t apres = voisine(o, blanc, true);
            if (apres == blanc) return false;
            const QChar::Direction a = avant == blanc ? sensDeBase() : forteOuNombre(types_[avant]);
            const QChar::Direction b = forteOuNombre(types_[apres]);
            if (d != (a == b ? a : sensDeBase())) return false;
            if (a != d && crochet(texte_[apres])) return false;
        }
        return true;
    }
    // The nearest letter or number before or after `i` and before `blanc`; `blanc` where there
    // is none.
    std::size_t voisine(std::size_t i, std::size_t blanc, bool apres) const {
        for (;;) {
            i = apres ? suivante_[i] : precedente_[i];
            if (i == Aucune || i >= blanc) return blanc;
            const std::size_t k = ouvertePar_[i];
            if (k == Aucune || paires_[k].fermant < blanc) return i;
        }
    }
    // Each assigned pair's nearest around it, the innermost around each place, the pair each
    // bracket opens, and the nearest letter or number on either side of each place.
    void entoure() const {
        const std::size_t n = texte_.size();
        entourante_.assign(n + 1, Aucune);
        englobante_.assign(paires_.size(), Aucune);
        ouvertePar_.assign(n, Aucune);
        std::vector<std::size_t> ouvertes;
        std::size_t k = 0;
        for (std::size_t i = 0; i <= n; ++i) {
            for (; k < paires_.size() && paires_[k].ouvrant < i; ++k) {
                if (sensDesPaires_[k] == QChar::DirON) continue;
                englobante_[k] = ouvertes.empty() ? Aucune : ouvertes.back();
                ouvertes.push_back(k);
                ouvertePar_[paires_[k].ouvrant] = k;
            }
            while (!ouvertes.empty() && paires_[ouvertes.back()].fermant <= i)
                ouvertes.pop_back();
            entourante_[i] = ouvertes.empty() ? Aucune : ouvertes.back();
        }
        precedente_.assign(n, Aucune);
        suivante_.assign(n, Aucune);
        for (std::size_t i = 1, j = Aucune; i < n; ++i) {
            if (!neutre_[i - 1]) j = i - 1;
            precedente_[i] = j;
        }
        for (std::size_t i = n - 1, j = Aucune; n > 0 && i-- > 0;) {
            if (!neutre_[i + 1]) j = i + 1;
            suivante_[i] = j;
        }
        entourees_ = true;
    }
    static constexpr std::size_t Aucune = static_cast<std::size_t>(-1);

    static bool lisible(QChar::Direction d) {
        switch (d) {
            case QChar::DirL:
            case QChar::DirR:
            case QChar::DirAL:
            case QChar::DirEN:
            case QChar::DirES:
            case QChar::DirET:
            case QChar::DirAN:
            case QChar::DirCS:
            case QChar::DirNSM:
            case QChar::DirWS:
            case QChar::DirON:
            case QChar::DirBN:
                return true;
            default:
                return false;
        }
    }
    QChar::Direction sensDeBase() const { return base_ ? QChar::DirR : QChar::DirL; }
    std::uint8_t niveau(QChar::Direction d) const {
        if (d == QChar::DirL) return (base_ + 1) & ~1;
        if (d == QChar::DirR) return base_ | 1;
        return (base_ + 2) & ~1;
    }

    // A boundary neutral takes the lower of the levels beside it, the text's at its end.
    void niveauxDesFrontieres() {
        const std::size_t n = texte_.size();
        std::uint8_t avant = base_;
        std::size_t premiere = n;
        for (std::size_t i = 0; i < n; ++i) {
            if (ClassesBidi::direction(texte_[i]) == QChar::DirBN) {
                if (premiere == n) premiere = i;
                niveaux_[i] = avant;
                continue;
            }
            if (premiere != n && niveaux_[i] < avant)
                std::fill(niveaux_.begin() + premiere, niveaux_.begin() + i, niveaux_[i]);
            premiere = n;
            avant = niveaux_[i];
        }
        // With the blanks, those that end the text are put back to its level.
        for (std::size_t i = n; i-- > 0;) {
            const QChar::Direction d = ClassesBidi::direction(texte_[i]);
            if (d != QChar::DirBN && d != QChar::DirWS) break;
            niveaux_[i] = base_;
        }
    }

    // Marks, numbers after Arabic letters, separators and terminators of numbers.
    void faibles() {
        const std::size_t n = types_.size();
        const QChar::Direction sos = sensDeBase();
        QChar::Direction precedent = sos;
        QChar::Direction forte = sos;
        for (std::size_t i = 0; i < n; ++i) {
            QChar::Direction d = types_[i];
            // A boundary neutral (a soft hyphen) is read past, but after an Arabic letter Qt
            // makes it right to left.
            if (d == QChar::DirBN) {
                if (precedent == QChar::DirAL) types_[i] = QChar::DirR;
                continue;
            }
            if (d == QChar::DirNSM) d = types_[i] = precedent;
            if (d == QChar::DirEN && forte == QChar::DirAL) d = types_[i] = QChar::DirAN;
            if (d == QChar::DirL || d == QChar::DirR) {
                forte = d;
            } else if (d == QChar::DirAL) {
                forte = d;
                types_[i] = QChar::DirR;
            }
            precedent = d;
        }
        // A single separator between two numbers of one kind.
        QChar::Direction avantDernier = sos;
        std::size_t dernier = n;
        for (std::size_t i = 0; i < n; ++i) {
            const QChar::Direction d = types_[i];
            if (d == QChar::DirBN) continue;
            if (dernier != n) {
                QChar::Direction& s = types_[dernier];
                if (s == QChar::DirES && d == QChar::DirEN && avantDernier == QChar::DirEN) {
                    s = QChar::DirEN;
                } else if (s == QChar::DirCS && d == avantDernier &&
                           (d == QChar::DirEN || d == QChar::DirAN)) {
                    s = d;
                }
                avantDernier = s;
            }
            dernier = i;
        }
        // Terminators beside a European number, and boundary neutrals among them (one that
        // starts the text counts as a terminator).
        std::size_t terminateurs = n;
        QChar::Direction precedente = n > 0 ? types_[0] : sos;
        if (precedente == QChar::DirET || precedente == QChar::DirBN) terminateurs = 0;
        for (std::size_t i = 1; i < n; ++i) {
            QChar::Direction d = types_[i];
            if (d == QChar::DirBN) continue;
            if (d == QChar::DirET) {
                if (precedente == QChar::DirEN) {
                    d = types_[i] = QChar::DirEN;
                } else if (terminateurs == n) {
                    terminateurs = i;
                }
            } else if (terminateurs != n) {
                if (d == QChar::DirEN) {
                    for (std::size_t k = terminateurs; k < i; ++k)
                        types_[k] = QChar::DirEN;
                } else {
                    terminateurs = n;
                }
            }
            precedente = d;
        }
        QChar::Direction forteAvant = sos;
        for (QChar::Direction& d : types_) {
            if (d == QChar::DirET || d == QChar::DirES || d == QChar::DirCS) {
                d = QChar::DirON;
            } else if (d == QChar::DirL || d == QChar::DirR) {
                forteAvant = d;
            } else if (d == QChar::DirEN && forteAvant == QChar::DirL) {
                d = QChar::DirL;
            }
        }
    }

    static QChar::Direction forteOuNombre(QChar::Direction d) {
        if (d == QChar::DirL) return d;
        return d == QChar::DirR || chiffre(d) ? QChar::DirR : QChar::DirON;
    }
    void neutres() {
        crochets();
        const std::size_t n = types_.size();
        neutre_.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            neutre_[i] = forteOuNombre(types_[i]) == QChar::DirON;
        const QChar::Direction e = sensDeBase();
        QChar::Direction forte = e;
        std::size_t debut = n;
        for (std::size_t i = 0; i <= n; ++i) {
            const QChar::Direction d = forteOuNombre(i < n ? types_[i] : e);
            if (d == QChar::DirON) {
                if (debut == n) debut = i;
                continue;
            }
            for (std::size_t k = debut; k < i; ++k) {
                if (types_[k] != QChar::DirBN) types_[k] = forte == d ? d : e;
            }
            debut = n;
            forte = d;
        }
    }

    // Pairs, in the order they open, each given the direction of what it holds where that is
    // the text's, or else that of what comes before it.
    void crochets() {
        debordes_ = !appaireLesCrochets(texte_, paires_, ouverts_);
        const QChar::Direction e = sensDeBase();
        QChar::Direction avant = e;
        std::size_t lu = 0;
        couvertes_.assign(texte_.size() + 1, 0);
        sensDesPaires_.assign(paires_.size(), QChar::DirON);
        entourees_ = false;
        for (std::size_t k = 0; k < paires_.size(); ++k) {
            const auto [ouvrant, fermant] = paires_[k];
            if (fermant == PaireDeCrochets::SansPaire) continue;
            QChar::Direction dedans = QChar::DirON;
            for (std::size_t i = ouvrant + 1; i < fermant && dedans != e; ++i) {
                const QChar::Direction d = forteOuNombre(types_[i]);
                if (d != QChar::DirON) dedans = d;
            }
            if (dedans == QChar::DirON) continue;
            if (dedans != e) {
                for (; lu < ouvrant; ++lu) {
                    const QChar::Direction d = forteOuNombre(types_[lu]);
                    if (d != QChar::DirON) avant = d;
                }
                dedans = avant;
            }
            types_[ouvrant] = types_[fermant] = sensDesPaires_[k] = dedans;
            ++couvertes_[ouvrant + 1];
            --couvertes_[fermant];
            for (std::size_t i = fermant + 1;
                 i < types_.size() && ClassesBidi::direction(texte_[i]) == QChar::DirNSM; ++i)
                types_[i] = dedans;
        }
        std::partial_sum(couvertes_.begin(), couvertes_.end(), couvertes_.begin());
    }
    std::u32string_view texte_;
    std::uint8_t base_ = 0;
    bool resolu_ = false;
    bool debordes_ = false;
    std::vector<QChar::Direction> types_;
    std::vector<std::uint8_t> niveaux_;
    // Where the rules for signs found only signs, and how many pairs given a direction lie
    // over each position.
    std::vector<bool> neutre_;
    std::vector<int> couvertes_;
    std::vector<PaireDeCrochets> paires_;
    // The direction each pair was given, none where it was given none.
    std::vector<QChar::Direction> sensDesPaires_;
    // Read from the pairs when a blank inside one is asked about.
    mutable bool entourees_ = false;
    mutable std::vector<std::size_t> entourante_, englobante_, ouvertePar_;
    mutable std::vector<std::size_t> precedente_, suivante_;
    std::vector<CrochetOuvert> ouverts_;
};

// Whether a piece alone is drawn in the runs and directions it has in a text: the same
// characters go right to left, and its levels change at the same places.
inline bool memesSuites(const std::uint8_t* dansLeTexte, const std::vector<std::uint8_t>& seule) {
    for (std::size_t i = 0; i < seule.size(); ++i) {
        if ((dansLeTexte[i] ^ seule[i]) & 1) return false;
        if (i > 0 && (dansLeTexte[i] == dansLeTexte[i - 1]) != (seule[i] == seule[i - 1]))
            return false;
    }
    return true;
}

}  // namespace vitrail::qt
