#pragma once

#include <QChar>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>
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

// The bracket that closes an opening one; ASCII ones without asking Qt.
inline char32_t fermantDe(char32_t ouvrant) {
    return ouvrant == U'('   ? U')'
           : ouvrant == U'[' ? U']'
           : ouvrant == U'{' ? U'}'
                             : static_cast<char32_t>(QChar::mirroredChar(ouvrant));
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
// The places after a letter where the brackets open then stay open to the end of the text
// paired so far: a text that goes on from one of them may be taken up there, none of its
// brackets paired across it. Each place is kept with how many brackets are open there and how
// many pairs opened before it; as they are fewer than Qt's most, few places are kept, the last
// with the most brackets open.
struct Reprise {
    std::size_t position = 0;
    std::size_t ouverts = 0;
    std::size_t paires = 0;
};
class Reprises {
  public:
    void apresUneLettre(std::size_t position, std::size_t ouverts, std::size_t paires) {
        if (!places.empty() && places.back().ouverts == ouverts) places.pop_back();
        places.push_back({position, ouverts, paires});
    }
    void fermes(std::size_t ouverts) {
        while (!places.empty() && places.back().ouverts > ouverts)
            places.pop_back();
    }
    std::vector<Reprise> places;
};
// Pairs from `depuis`, with those `ouverts` there, added to those before it.
inline bool appaireLesCrochets(std::u32string_view texte, std::vector<PaireDeCrochets>& paires,
                               std::vector<CrochetOuvert>& ouverts, std::size_t depuis = 0,
                               Reprises* reprises = nullptr) {
    for (std::size_t i = depuis; i < texte.size(); ++i) {
        const char32_t c = texte[i];
        if (!crochet(c)) {
            if (reprises && lettreForte(classeBidi(c)))
                reprises->apresUneLettre(i + 1, ouverts.size(), paires.size());
            continue;
        }
        if (ClassesBidi::ouvrant(c)) {
            if (ouverts.size() == CrochetsOuvertsMaximum) {
                paires.clear();
                return false;
            }
            ouverts.push_back({fermantDe(c), paires.size()});
            paires.push_back({i, PaireDeCrochets::SansPaire});
            continue;
        }
        for (std::size_t k = ouverts.size(); k-- > 0;) {
            if (ferme(ouverts[k].fermant, c)) {
                paires[ouverts[k].paire].fermant = i;
                ouverts.resize(k);
                if (reprises) reprises->fermes(k);
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
    // Only a text read to be taken up keeps where the next may be.
    bool lit(std::u32string_view texte, std::optional<std::uint8_t> base = std::nullopt) {
        const bool lu = litDepuis(texte, base, 0);
        retientLesReprises(0, false);
        return lu;
    }
    // A text that may go on from the last one read so, as a line grows word by word: up to
    // the last letter that text had outside any bracket pair (brackets open there stayed
    // unpaired), no rule changes a level for what follows (the weak rules stop at the letter,
    // signs before it lie between letters, pairs before it close before it), so the levels
    // there are kept, unless what follows closes one of those brackets, or passes Qt's most
    // brackets open at once and it pairs none.
    // Where it closes one, it is taken up again from a place before that bracket opened.
    bool litALaSuite(std::u32string_view texte) {
        const auto communs = static_cast<std::size_t>(
            std::mismatch(relu_.begin(), relu_.end(), texte.begin(), texte.end()).first -
            relu_.begin());
        std::size_t places = 0;
        while (places < reprises_.size() && reprises_[places].position <= communs)
            ++places;
        for (int essais = 0; places > 0 && essais < 3; ++essais) {
            const std::size_t depuis = reprises_[places - 1].position;
            if (!litDepuis(texte, std::nullopt, depuis, places) || debordes_) break;
            if (!rouverts_) {
                retientLesReprises(depuis, true);
                return true;
            }
            while (places > 0 && reprises_[places - 1].ouverts > premierRouvert_)
                --places;
        }
        const bool lu = litDepuis(texte, std::nullopt, 0);
        retientLesReprises(0, lu);
        return lu;
    }
    const std::vector<std::uint8_t>& niveaux() const { return niveaux_; }
    // Where the last read began, the levels before being those of the text read before it.
    std::size_t luDepuis() const { return luDepuis_; }
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
    // From `depuis`, after a letter outside any pair in the text last read, whose levels before
    // it are kept.
    bool litDepuis(std::u32string_view texte, std::optional<std::uint8_t> base, std::size_t depuis,
                   std::size_t places = 0) {
        texte_ = texte;
        luDepuis_ = depuis;
        entoureJusqua_ = depuis > 0 && entoureJusqua_ + 1 >= depuis ? depuis - 1 : 0;
        resolu_ = false;
        debordes_ = false;
        rouverts_ = false;
        const std::size_t n = texte.size();
        types_.resize(n);
        niveaux_.resize(n);
        if (depuis == 0) base_ = 0;
        if (premiereDroiteAGauche_ >= depuis) premiereDroiteAGauche_ = Aucune;
        if (premiereFrontiere_ >= depuis) premiereFrontiere_ = Aucune;
        bool premiere = depuis > 0;
        for (std::size_t i = depuis; i < n; ++i) {
            const QChar::Direction d = ClassesBidi::direction(texte[i]);
            if (!lisible(d)) return false;
            types_[i] = d;
            if (d == QChar::DirBN && premiereFrontiere_ == Aucune) premiereFrontiere_ = i;
            if ((d == QChar::DirR || d == QChar::DirAL || d == QChar::DirAN) &&
                premiereDroiteAGauche_ == Aucune) {
                premiereDroiteAGauche_ = i;
            }
            if (!premiere && lettreForte(d)) {
                premiere = true;
                base_ = d == QChar::DirL ? 0 : 1;
            }
        }
        if (base) base_ = *base;
        if (base_ == 0 && premiereDroiteAGauche_ == Aucune) {
            std::fill(niveaux_.begin(), niveaux_.end(), 0);
            return true;
        }
        resolu_ = true;
        const QChar::Direction lettre =
            depuis > 0 ? ClassesBidi::direction(texte[depuis - 1]) : QChar::DirON;
        faibles(depuis, lettre);
        neutres(depuis, places, lettre == QChar::DirON ? sensDeBase() : sensDeLettre(lettre));
        // Blanks that end the text are signs before its end: they take its level already,
        // where Qt puts them back.
        for (std::size_t i = depuis; i < n; ++i)
            niveaux_[i] = niveau(types_[i]);
        if (premiereFrontiere_ != Aucune) niveauxDesFrontieres(depuis);
        return true;
    }
    // After a text read whole or taken up from `depuis`, where the next may be taken up: the
    // brackets open at those places are those still open at the end.
    void retientLesReprises(std::size_t depuis, bool possible) {
        if (!possible || !resolu_ || debordes_) {
            reprises_.clear();
            relu_.clear();
            return;
        }
        reprises_ = appariement_.places;
        const Reprise derniere = reprises_.empty() ? Reprise{} : reprises_.back();
        ouvertsALaReprise_.assign(ouverts_.begin(),
                                  ouverts_.begin() + static_cast<std::ptrdiff_t>(derniere.ouverts));
        relu_.resize(std::min(depuis, relu_.size()));
        relu_.append(texte_.substr(relu_.size(), derniere.position - relu_.size()));
    }

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
    // Before the place a text was taken up from, where no pair given a direction is open, they
    // are those read for the text before.
    void entoure() const {
        const std::size_t n = texte_.size();
        const std::size_t lus = std::min(entoureJusqua_, n);
        entourante_.resize(n + 1);
        englobante_.resize(paires_.size());
        ouvertePar_.resize(n);
        std::fill(ouvertePar_.begin() + static_cast<std::ptrdiff_t>(lus), ouvertePar_.end(),
                  Aucune);
        std::vector<std::size_t> ouvertes;
        auto k = static_cast<std::size_t>(
            std::partition_point(paires_.begin(), paires_.end(),
                                 [&](const PaireDeCrochets& p) { return p.ouvrant < lus; }) -
            paires_.begin());
        std::fill(englobante_.begin() + static_cast<std::ptrdiff_t>(k), englobante_.end(), Aucune);
        for (std::size_t i = lus; i <= n; ++i) {
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
        precedente_.resize(n);
        suivante_.resize(n);
        if (n == 0) return;
        if (lus == 0) precedente_[0] = Aucune;
        for (std::size_t i = std::max<std::size_t>(lus, 1),
                         j = lus > 0 ? precedente_[lus - 1] : Aucune;
             i < n; ++i) {
            if (!neutre_[i - 1]) j = i - 1;
            precedente_[i] = j;
        }
        suivante_[n - 1] = Aucune;
        for (std::size_t i = n - 1, j = Aucune; i-- > lus;) {
            if (!neutre_[i + 1]) j = i + 1;
            suivante_[i] = j;
        }
        entourees_ = true;
        entoureJusqua_ = n;
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
    void niveauxDesFrontieres(std::size_t depuis) {
        const std::size_t n = texte_.size();
        std::uint8_t avant = depuis > 0 ? niveaux_[depuis - 1] : base_;
        std::size_t premiere = n;
        for (std::size_t i = depuis; i < n; ++i) {
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

    // Marks, numbers after Arabic letters, separators and terminators of numbers; from
    // `depuis`, after a letter of the class `lettre`.
    void faibles(std::size_t depuis, QChar::Direction lettre) {
        const std::size_t n = types_.size();
        const QChar::Direction sos = sensDeBase();
        QChar::Direction precedent = depuis > 0 ? lettre : sos;
        QChar::Direction forte = precedent;
        for (std::size_t i = depuis; i < n; ++i) {
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
        std::size_t dernier = depuis > 0 ? depuis - 1 : n;
        for (std::size_t i = depuis; i < n; ++i) {
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
        QChar::Direction precedente = n > 0 ? types_[depuis > 0 ? depuis - 1 : 0] : sos;
        if (depuis == 0 && (precedente == QChar::DirET || precedente == QChar::DirBN))
            terminateurs = 0;
        for (std::size_t i = std::max<std::size_t>(depuis, 1); i < n; ++i) {
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
        QChar::Direction forteAvant = depuis > 0 ? sensDeLettre(lettre) : sos;
        for (std::size_t i = depuis; i < n; ++i) {
            QChar::Direction& d = types_[i];
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
    // From `depuis`, after a letter of the direction `forte`.
    void neutres(std::size_t depuis, std::size_t places, QChar::Direction forte) {
        crochets(depuis, places, forte);
        const std::size_t n = types_.size();
        neutre_.resize(n);
        for (std::size_t i = depuis; i < n; ++i)
            neutre_[i] = forteOuNombre(types_[i]) == QChar::DirON;
        const QChar::Direction e = sensDeBase();
        std::size_t debut = n;
        for (std::size_t i = depuis; i <= n; ++i) {
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
    // From `depuis`, after a letter of the direction `avant`, the first `places` kept where a
    // text may be taken up.
    void crochets(std::size_t depuis, std::size_t places, QChar::Direction avant) {
        const Reprise reprise = places > 0 ? reprises_[places - 1] : Reprise{};
        const auto ouverts = static_cast<std::ptrdiff_t>(reprise.ouverts);
        paires_.resize(reprise.paires);
        ouverts_.assign(ouvertsALaReprise_.begin(), ouvertsALaReprise_.begin() + ouverts);
        appariement_.places.assign(reprises_.begin(),
                                   reprises_.begin() + static_cast<std::ptrdiff_t>(places));
        debordes_ = !appaireLesCrochets(texte_, paires_, ouverts_, depuis, &appariement_);
        premierRouvert_ = reprise.ouverts;
        for (std::size_t k = 0; !debordes_ && k < reprise.ouverts; ++k) {
            if (paires_[ouvertsALaReprise_[k].paire].fermant != PaireDeCrochets::SansPaire) {
                premierRouvert_ = k;
                break;
            }
        }
        rouverts_ = premierRouvert_ < reprise.ouverts;
        const std::size_t dejaVues = reprise.paires;
        const QChar::Direction e = sensDeBase();
        std::size_t lu = depuis;
        couvertes_.resize(texte_.size() + 1);
        std::fill(couvertes_.begin() + static_cast<std::ptrdiff_t>(depuis), couvertes_.end(), 0);
        sensDesPaires_.resize(std::min(dejaVues, paires_.size()));
        sensDesPaires_.resize(paires_.size(), QChar::DirON);
        entourees_ = false;
        for (std::size_t k = dejaVues; k < paires_.size(); ++k) {
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
        const auto d = couvertes_.begin() + static_cast<std::ptrdiff_t>(depuis);
        std::partial_sum(d, couvertes_.end(), d);
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
    // How far they hold for the text now read.
    mutable std::size_t entoureJusqua_ = 0;
    std::vector<CrochetOuvert> ouverts_;
    // Where the text last read may be taken up, the brackets open at the last of those places
    // and its characters up to there; those found while pairing the text now read.
    std::vector<Reprise> reprises_;
    std::vector<CrochetOuvert> ouvertsALaReprise_;
    std::u32string relu_;
    Reprises appariement_;
    // Whether the text read from a place taken up closed a bracket open there, and the first.
    bool rouverts_ = false;
    std::size_t premierRouvert_ = 0;
    std::size_t luDepuis_ = 0;
    // Where the first right-to-left letter or number and the first boundary neutral are.
    std::size_t premiereDroiteAGauche_ = Aucune;
    std::size_t premiereFrontiere_ = Aucune;
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
