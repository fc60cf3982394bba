#pragma once

#include <QChar>
#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "qt/NiveauxBidi.hpp"
#include "qt/Partenaires.hpp"

// Which texts Qt measures as the sum of their parts between blanks, read from their characters
// alone: the fonts that draw them are asked elsewhere.
namespace vitrail::qt {

inline constexpr char32_t Blanc = U' ';
inline constexpr char32_t Tabulation = U'\t';
// The most glyphs a character may add, a mark drawn on a dotted circle and moving others.
inline constexpr double GlyphesParCaractere = 8;

struct Plage {
    char32_t premier, dernier;
};

// Kept out of the loops over Latin texts.
[[gnu::noinline]] inline bool sommableAuDela(char32_t c) {
    static constexpr Plage Plages[] = {
        {0x5D0, 0x5F4},
        // Georgian, Ethiopic syllables, Cherokee, Canadian syllabics, Runic.
        {0x10A0, 0x10FF},
        {0x1200, 0x135C},
        {0x1360, 0x137C},
        {0x13A0, 0x13FD},
        {0x1400, 0x167F},
        {0x16A0, 0x16F8},
        // Latin and Greek precomposed letters (Vietnamese, polytonic Greek).
        {0x1E00, 0x1FFE},
        // Spaces of fixed widths (thin, narrow no-break) and punctuation (dashes, quotes,
        // ellipsis), the joiner of pictographs, but no zero-width space, non-joiner or direction
        // mark.
        {0x2000, 0x200A},
        {0x200D, 0x200D},
        {0x2010, 0x2027},
        {0x202F, 0x202F},
        {0x2030, 0x205E},
        // Super- and subscripts, currency, letterlike symbols, number forms, arrows,
        // mathematical operators, enclosed numbers, box drawing and geometric shapes.
        {0x2070, 0x209C},
        {0x20A0, 0x20C0},
        {0x2100, 0x218B},
        {0x2190, 0x22FF},
        {0x2460, 0x25FF},
        // Symbols and dingbats (a heart, a sun).
        {0x2600, 0x27BF},
        {0x2C60, 0x2C7F},
        {0x3000, 0x3029},
        {0x3030, 0x3098},
        {0x309B, 0x30FF},
        {0x3400, 0x4DBF},
        {0x4E00, 0x9FFF},
        {0xA720, 0xA7FF},
        {0xAC00, 0xD7A3},
        // Latin and Armenian ligatures.
        {0xFB00, 0xFB06},
        {0xFB13, 0xFB17},
        // The variation selectors that ask for a symbol as text or as a pictograph.
        {0xFE0E, 0xFE0F},
        {0xFF01, 0xFF60},
        // Mathematical letters and digits.
        {0x1D400, 0x1D7FF},
        // Flags (pairs of regional indicators) and pictographs, with the skin tones that
        // follow them.
        {0x1F1E6, 0x1F1FF},
        {0x1F300, 0x1F3FF},
        {0x1F400, 0x1F64F},
        {0x1F680, 0x1F6FF},
        {0x1F900, 0x1F9FF}};
    static_assert(
        std::is_sorted(std::begin(Plages), std::end(Plages),
                       [](const Plage& a, const Plage& b) { return a.dernier < b.premier; }));
    // The last range that starts at or before it.
    const auto suivante =
        std::upper_bound(std::begin(Plages), std::end(Plages), c,
                         [](char32_t x, const Plage& p) { return x < p.premier; });
    return suivante != std::begin(Plages) && c <= std::prev(suivante)->dernier;
}

// Cyrillic combining marks are of the Cyrillic script, unlike other marks: with no letter before
// them (a pair measured alone) they start a Cyrillic run, which parts the blank after them from
// a Latin letter it kerns with, and after a Latin letter (in the line) they do not.
inline bool marqueCyrillique(char32_t c) {
    return c >= 0x483 && c <= 0x489;
}

// Characters whose shaping never reaches beyond a blank other than through the pair on either
// side of it: simple left-to-right scripts with their punctuation and symbols, Hebrew letters
// (which never join), kana, ideographs, Hangul syllables and pictographs with their skin tones
// and presentation selectors (no joiner), without soft hyphens, other combining marks or
// controls but the line feed (no advance, and no kerning reaches over it in Qt).
inline bool sommable(char32_t c) {
    return (c >= 0x20 && c < 0x7F) ||
           (c >= 0xA0 && c < 0x590 && c != 0xAD && !marqueCyrillique(c)) || c == U'\n' ||
           (c >= 0x590 && sommableAuDela(c));
}

// A combining mark, of any script: it goes with the character before it.
inline bool marque(char32_t c) {
    if (c < 0x300) return false;
    const QChar::Category categorie = QChar::category(c);
    return categorie == QChar::Mark_NonSpacing || categorie == QChar::Mark_SpacingCombining ||
           categorie == QChar::Mark_Enclosing;
}

// Devanagari: its shaper reorders and joins the characters of a syllable, never past a blank.
// Where no face draws it, Qt draws its run, blanks and signs included, as boxes.
inline bool syllabique(char32_t c) {
    return c >= 0x900 && c <= 0x97F;
}

// A consonant with a nukta of its own. Where no face draws it, Qt does not draw it alike alone
// and in a line.
inline bool lettreANukta(char32_t c) {
    return c == 0x929 || c == 0x931 || c == 0x934 || (c >= 0x958 && c <= 0x95F);
}

// Where the run of Devanagari from `debut` ends, if each of its syllables is one the shaper
// takes whole, and no mark follows it: `npos` otherwise. Into a syllable it does not take
// whole (one that starts with a mark, say), the shaper brings a dotted circle, and in a line it
// leaves that circle out of a later one fifteen syllables on: such a line does not add up.
// Taken here: consonants joined by viramas, each with its nukta, then a vowel sign or a virama;
// or a vowel with its nukta and a vowel sign; then at most two signs over them. Digits and
// dandas stand alone.
inline std::size_t finDesSyllabes(std::u32string_view texte, std::size_t debut) {
    const auto est = [&](std::size_t i, auto classe) {
        return i < texte.size() && classe(texte[i]);
    };
    const auto consonne = [](char32_t c) {
        return (c >= 0x915 && c <= 0x939) || (c >= 0x958 && c <= 0x95F);
    };
    const auto voyelle = [](char32_t c) { return c >= 0x905 && c <= 0x914; };
    const auto nukta = [](char32_t c) { return c == 0x93C; };
    const auto virama = [](char32_t c) { return c == 0x94D; };
    const auto signeVoyelle = [](char32_t c) { return c >= 0x93E && c <= 0x94C; };
    const auto surLaSyllabe = [](char32_t c) { return c >= 0x901 && c <= 0x903; };
    const auto seul = [](char32_t c) { return c >= 0x964 && c <= 0x96F; };
    std::size_t i = debut;
    while (est(i, syllabique)) {
        if (est(i, seul)) {
            ++i;
            continue;
        }
        if (est(i, consonne)) {
            i += est(i + 1, nukta) ? 2 : 1;
            while (est(i, virama) && est(i + 1, consonne))
                i += est(i + 2, nukta) ? 3 : 2;
            if (est(i, virama) || est(i, signeVoyelle)) ++i;
        } else if (est(i, voyelle)) {
            i += est(i + 1, nukta) ? 2 : 1;
            if (est(i, signeVoyelle)) ++i;
        } else {
            return std::u32string_view::npos;
        }
        for (int signes = 0; signes < 2 && est(i, surLaSyllabe); ++signes)
            ++i;
    }
    return est(i, marque) ? std::u32string_view::npos : i;
}

// Arabic letters, marks and digits, and Thai: their shaping never reaches over a blank, but
// changes the glyphs within a word.
inline constexpr Plage Jointes[] = {{0x620, 0x669}, {0x670, 0x6D3}, {0xE01, 0xE3A}, {0xE3F, 0xE5B}};
inline bool jointe(char32_t c) {
    return c >= Jointes[0].premier && c <= std::end(Jointes)[-1].dernier &&
           std::any_of(std::begin(Jointes), std::end(Jointes),
                       [c](const Plage& p) { return c >= p.premier && c <= p.dernier; });
}
inline bool marqueJointe(char32_t c) {
    return (c >= 0x64B && c <= 0x65F) || c == 0x670 || c == 0xE31 || (c >= 0xE34 && c <= 0xE3A) ||
           (c >= 0xE47 && c <= 0xE4E);
}
// How many of the widest glyphs a character adds at most. Twice: a character never adds more,
// kerning included, nor an Arabic letter that changes the one before. An Arabic mark may bring a
// dotted circle and move others. A Thai character is at most two (sara am is nikhahit and sara
// aa), or a mark on a dotted circle, and kerning.
inline double glyphesJoints(char32_t c) {
    if (c >= 0xE00) return 3;
    return marqueJointe(c) ? GlyphesParCaractere : 2;
}

// A letter of a script of its own among those summed: Latin, Greek, Cyrillic, kana,
// ideographs and Hangul syllables.
inline bool lettre(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') ||
           (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || c == 0x386 ||
           (c >= 0x388 && c <= 0x3FF) || (c >= 0x400 && c <= 0x481) || (c >= 0x48A && c <= 0x52F) ||
           (c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30FA) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xAC00 && c <= 0xD7A3);
}

// The brackets Qt pairs: a closing one with the nearest open one of its kind, those opened after
// that left unpaired, at most 63 open at once (past that, none is paired).
class Crochets {
  public:
    void ajoute(char32_t c) {
        ++vus_;
        if (ClassesBidi::ouvrant(c)) {
            if (ouverts_ == fermants_.size()) {
                debordes_ = true;
                return;
            }
            fermants_[ouverts_++] = QChar::mirroredChar(c);
            return;
        }
        for (std::size_t i = ouverts_; i-- > 0;) {
            if (ferme(fermants_[i], c)) {
                if (i + 1 != ouverts_) seuls_ = true;
                ouverts_ = i;
                return;
            }
        }
        seuls_ = true;
        fermantSeul_ = true;
    }
    // Every bracket paired with another.
    bool paires() const { return !seuls_ && !debordes_ && ouverts_ == 0; }
    // None that closes one opened before.
    bool sansFermantSeul() const { return !fermantSeul_; }
    std::size_t ouverts() const { return debordes_ ? fermants_.size() + 1 : ouverts_; }
    std::size_t vus() const { return vus_; }
    static constexpr std::size_t Maximum = CrochetsOuvertsMaximum;

  private:
    std::array<char32_t, Maximum> fermants_{};
    std::size_t ouverts_ = 0;
    std::size_t vus_ = 0;
    bool seuls_ = false;
    bool fermantSeul_ = false;
    bool debordes_ = false;
};

// A part between blanks, as the bidirectional algorithm reads it: the direction of its letters
// (left to right or right to left; a number has none), and the signs before its first letter or
// after its last letter or digit, which take their direction from the text around.
class SensDePartie {
  public:
    void ajoute(char32_t c) {
        const QChar::Direction d = classeBidi(c);
        if (d == QChar::DirNSM) {
            // A mark takes the class of what it is on: nothing at the start of a part.
            if (vide_) valide_ = false;
            vide_ = false;
            return;
        }
        const bool lettre = lettreForte(d);
        const bool numerique = chiffre(d);
        if (vide_) bordDebut_ = !lettre && !numerique;
        vide_ = false;
        if (lettre) {
            const QChar::Direction l = sensDeLettre(d);
            // Digits before the first letter are Arabic after an Arabic letter in the text.
            if (nombre_ || (sens_ != QChar::DirON && sens_ != l)) valide_ = false;
            sens_ = l;
        } else if (numerique) {
            if (sens_ == QChar::DirON) nombre_ = true;
            // Beside left-to-right letters, an Arabic digit stands for right to left.
            if (d == QChar::DirAN && sens_ == QChar::DirL) valide_ = false;
        } else if (nombre_) {
            // Between European digits, Arabic ones or either, only a single comma, stop, colon
            // or slash joins them the same way.
            if (d != QChar::DirCS || bordFin_) valide_ = false;
        }
        if (crochet(c)) crochets_.ajoute(c);
        bordFin_ = !lettre && !numerique;
    }
    bool vide() const { return vide_; }
    // Whether it resolves within itself but for its edges: letters of one direction, or a
    // number without signs at its edges, with its brackets paired within it.
    bool valide() const { return valideHorsCrochets() && crochets_.paires(); }
    bool valideHorsCrochets() const {
        return !vide_ && valide_ && (nombre_ ? !bordDebut_ && !bordFin_ : sens_ != QChar::DirON);
    }
    const Crochets& crochets() const { return crochets_; }
    QChar::Direction sens() const { return sens_; }
    bool nombre() const { return nombre_; }
    bool bordDebut() const { return bordDebut_; }
    bool bordFin() const { return bordFin_; }

  private:
    bool vide_ = true;
    bool valide_ = true;
    bool nombre_ = false;
    bool bordDebut_ = false;
    bool bordFin_ = false;
    QChar::Direction sens_ = QChar::DirON;
    Crochets crochets_;
};

// Whether every part of a text written in both directions takes in it the levels it takes
// alone, and every text before a blank the levels it takes alone, so Qt's runs are the same.
// Signs between two parts take the direction of both where they share it and the text's
// otherwise: a part may have signs at its edges only toward a part of its own direction, and
// at its end only where that is the text's. The measure of a blank beside a sign is made
// alone, where it has the direction of the letter on the other side, or left to right: beside
// right-to-left signs, a blank must have a letter on its other side.
inline bool partiesAuxMemesNiveaux(std::u32string_view texte) {
    QChar::Direction base = QChar::DirON;
    SensDePartie precedente;
    SensDePartie partie;
    int blancs = 0;
    const auto versLaPrecedente = [&] {
        if (precedente.vide())
            return !(partie.bordDebut() && partie.sens() == QChar::DirR && blancs > 0);
        if (!precedente.bordFin() && !partie.bordDebut()) return true;
        if (precedente.nombre() || partie.nombre() || precedente.sens() != partie.sens())
            return false;
        return partie.sens() == QChar::DirL ||
               (blancs == 1 && !(precedente.bordFin() && partie.bordDebut()));
    };
    const auto termine = [&] {
        if (partie.vide()) return true;
        if (!partie.valide()) return false;
        if (base == QChar::DirON) base = partie.sens();
        if (partie.bordFin() && partie.sens() != base) return false;
        if (!versLaPrecedente()) return false;
        precedente = partie;
        partie = {};
        blancs = 0;
        return true;
    };
    for (const char32_t c : texte) {
        if (c == Blanc) {
            if (!termine()) return false;
            ++blancs;
        } else {
            partie.ajoute(c);
        }
    }
    if (!termine()) return false;
    return !(precedente.bordFin() && precedente.sens() == QChar::DirR && blancs > 0);
}

// The levels of short parts of lines read alone, kept: the wrap of a long text reads the same
// words, and the same few characters around a blank, again and again. Emptied when full.
class NiveauxDesParties {
  public:
    struct Lus {
        bool lisibles = false;
        std::uint8_t base = 0;
        std::vector<std::uint8_t> niveaux;
    };
    // As `NiveauxBidi::lit` reads them, `base` given or not.
    const Lus& de(std::u32string_view partie, std::optional<std::uint8_t> base) {
        if (partie.size() > PartieMaximum) return lit(hors_, partie, base);
        cle_.assign(1, base ? AvecBase + *base : SansBase);
        cle_.append(partie);
        if (const auto connue = connues_.find(cle_); connue != connues_.end())
            return connue->second;
        if (connues_.size() >= PartiesMaximum) connues_.clear();
        return lit(connues_[cle_], partie, base);
    }

  private:
    Lus& lit(Lus& lus, std::u32string_view partie, std::optional<std::uint8_t> base) {
        lus.lisibles = lecteur_.lit(partie, base);
        lus.base = lecteur_.base();
        lus.niveaux = lecteur_.niveaux();
        return lus;
    }
    static constexpr std::size_t PartieMaximum = 64;
    static constexpr std::size_t PartiesMaximum = 1 << 12;
    // Beyond Unicode: the key's first character tells the level given, if any.
    static constexpr char32_t AvecBase = 0x110000;
    static constexpr char32_t SansBase = 0x120000;
    NiveauxBidi lecteur_;
    std::unordered_map<std::u32string, Lus> connues_;
    std::u32string cle_;
    Lus hors_;
};

// Where a text that holds right-to-left letters may be parted at a blank, whatever its words:
// before a part that starts with a letter and pairs its brackets within itself, once the text
// before holds a letter. Alone, such a part takes the direction of its first letter.
// - Where that is the text's (that of its first letter), its signs and numbers resolve between
//   its own letters as in the text, and the signs that end the text before it lie between that
//   text's last letter and one of the text's direction, so take the text's direction, as they
//   do at its end.
// - In the other direction, its letters must all be of that direction, and signs that end it
//   must meet a letter of it after the blank, as they do at its end alone; signs that end the
//   text before it take the text's direction alone, and must in the text: the letter before
//   them may be neither of the part's direction nor a number (which counts as right to left).
class CoupesSures {
  public:
    // The levels and pairs read for a line, kept from one line to the next that extends it.
    struct Lecteurs {
        NiveauxBidi duTexte;
        Partenaires partenaires;
    };
    explicit CoupesSures(std::u32string_view texte, Lecteurs* lecteurs = nullptr,
                         NiveauxDesParties* parties = nullptr)
        : texte_(texte),
          lecteurs_(lecteurs ? *lecteurs : propres_.emplace()),
          parties_(parties ? *parties : partiesPropres_.emplace()) {
        for (std::size_t i = 0; i < texte.size() && premiere_ == Aucune; ++i) {
            const QChar::Direction d = classeBidi(texte[i]);
            if (lettreForte(d)) {
                premiere_ = i;
                sens_ = sensDeLettre(d);
            }
        }
        partenaires_ = &lecteurs_.partenaires.de(texte);
    }
    // Whether the part last accepted keeps its levels only measured in the text's direction,
    // not in that of its own first letter.
    bool dansLeSensDuTexte() const { return dansLeSensDuTexte_; }
    bool texteDeDroiteAGauche() const { return lecteurs_.duTexte.base() & 1; }
    CoupesSures(const CoupesSures&) = delete;
    CoupesSures& operator=(const CoupesSures&) = delete;
    // Before the part from after the blank at `blanc` to `fin`, asked from the end of the text
    // to its start: a part is read once as it reaches further.
    bool avant(std::size_t blanc, std::size_t fin) {
        dansLeSensDuTexte_ = false;
        if (premiere_ >= blanc) return false;
        prolonge(blanc + 1, fin);
        if (blanc + 1 == fin) return true;
        // A pair over this blank that closes past the part was checked at the blank after the
        // part, where the text before it kept its levels; the rules of the part's direction
        // keep whatever ends this text.
        if (!crochetsHorsDeLaPartie(blanc)) return selonLeSens(blanc, fin);
        return auxMemesNiveaux(blanc, fin);
    }
    // Whether the piece from `debut` to `fin`, measured alone in the text's direction, takes
    // there the levels it has in the text. Read at most twice the text over, as parts grow.
    bool auxNiveauxDuTexte(std::size_t debut, std::size_t fin) {
        if (!lisible_) lisible_ = lecteurs_.duTexte.litALaSuite(texte_);
        if (!*lisible_) return false;
        lusEnPieces_ += fin - debut;
        if (lusEnPieces_ > 2 * texte_.size()) return false;
        return memesNiveaux(debut, texte_.substr(debut, fin - debut), lecteurs_.duTexte.base());
    }

  private:
    static constexpr std::size_t Aucune = std::u32string_view::npos;

    // A bracket of the part unpaired, or paired with one outside it.
    bool crochetsHorsDeLaPartie(std::size_t blanc) const {
        return partie_.crochetsSeuls || partie_.fermantLePlusTot <= blanc;
    }
    bool selonLeSens(std::size_t blanc, std::size_t fin) const {
        const QChar::Direction premiere = classeBidi(texte_[blanc + 1]);
        if (!lettreForte(premiere)) return false;
        const QChar::Direction d = sensDeLettre(premiere);
        if (d == sens_) return true;
        // A number between brackets counts as right to left for their direction, which the
        // text's may then give them.
        if (partie_.crochets > 0 && partie_.chiffres > 0) return false;
        // Letters of one direction; an Arabic digit stands for right to left.
        if ((d == QChar::DirL ? partie_.droiteAGauche : partie_.gaucheADroite) > 0 ||
            (d == QChar::DirL && partie_.chiffresArabes > 0)) {
            return false;
        }
        if (finitParDesSignes(fin) && !fermeApresUneLettre(blanc + 1, fin) && !lettreDe(fin + 1, d))
            return false;
        if (!finitParDesSignes(blanc)) return true;
        const QChar::Direction avant = avantLesSignes(blanc);
        return avant != d && avant != QChar::DirEN;
    }

    // Where those rules cannot tell (brackets of the part unpaired or paired outside it), the
    // levels Qt gives the part, the text before it and the blank between them, each alone, are
    // compared with those they have in the text. The part may not start with a mark (measured
    // with its blank), nor either end with blanks, which go to the level of the text they end.
    bool auxMemesNiveaux(std::size_t blanc, std::size_t fin) {
        if (!lisible_) lisible_ = lecteurs_.duTexte.litALaSuite(texte_);
        if (!*lisible_ || ClassesBidi::direction(texte_[blanc + 1]) == QChar::DirNSM ||
            ClassesBidi::direction(texte_[fin - 1]) == QChar::DirWS ||
            ClassesBidi::direction(texte_[blanc - 1]) == QChar::DirWS) {
            return false;
        }
        const char32_t trois[] = {texte_[blanc - 1], Blanc, texte_[blanc + 1]};
        if (!lecteurs_.duTexte.avantGardeSesNiveaux(blanc) ||
            !memesNiveaux(blanc - 1, std::u32string_view(trois, 3))) {
            return false;
        }
        // A part that grows over blanks is read again at each: past twice the text, what is
        // left is measured whole, as Qt would read it once.
        lus_ += fin - blanc - 1;
        if (lus_ > 2 * texte_.size()) return false;
        const std::u32string_view partie = texte_.substr(blanc + 1, fin - blanc - 1);
        if (memesNiveaux(blanc + 1, partie)) return true;
        // Alone, a part takes the direction of its first letter, or left to right without one;
        // in the text's direction, its edges meet what they meet in the text more often.
        if (baseSeule_ == lecteurs_.duTexte.base()) return false;
        lus_ += partie.size();
        dansLeSensDuTexte_ =
            lus_ <= 2 * texte_.size() && memesNiveaux(blanc + 1, partie, lecteurs_.duTexte.base());
        return dansLeSensDuTexte_;
    }
    bool memesNiveaux(std::size_t debut, std::u32string_view seul,
                      std::optional<std::uint8_t> base = std::nullopt) {
        const NiveauxDesParties::Lus& lus = parties_.de(seul, base);
        baseSeule_ = lus.base;
        return lus.lisibles && memesSuites(lecteurs_.duTexte.niveaux().data() + debut, lus.niveaux);
    }

    // What the part holds, read from its end toward its start.
    struct Partie {
        std::size_t debut = Aucune;
        std::size_t fin = Aucune;
        std::size_t gaucheADroite = 0;
        std::size_t droiteAGauche = 0;
        std::size_t chiffres = 0;
        std::size_t chiffresArabes = 0;
        std::size_t crochets = 0;
        // A bracket unpaired, or paired with one after the part.
        bool crochetsSeuls = false;
        // The earliest bracket a closing one in the part is paired with.
        std::size_t fermantLePlusTot = Aucune;
    };
    void prolonge(std::size_t debut, std::size_t fin) {
        if (partie_.fin != fin || partie_.debut < debut) partie_ = {fin, fin};
        for (; partie_.debut > debut; --partie_.debut) {
            const std::size_t i = partie_.debut - 1;
            const char32_t c = texte_[i];
            const QChar::Direction d = classeBidi(c);
            if (lettreForte(d)) {
                ++(sensDeLettre(d) == QChar::DirL ? partie_.gaucheADroite : partie_.droiteAGauche);
            } else if (chiffre(d)) {
                ++partie_.chiffres;
                if (d == QChar::DirAN) ++partie_.chiffresArabes;
            } else if (crochet(c)) {
                ++partie_.crochets;
                const std::size_t autre = partenaires_->empty() ? Aucune : (*partenaires_)[i];
                if (autre == Aucune || (autre > i && autre >= fin)) partie_.crochetsSeuls = true;
                if (autre < i) partie_.fermantLePlusTot = std::min(partie_.fermantLePlusTot, autre);
            }
        }
    }
    // Whether what ends before `fin` is signs or blanks, marks on them included.
    bool finitParDesSignes(std::size_t fin) const {
        for (std::size_t i = fin; i-- > 0;) {
            const QChar::Direction l = classeBidi(texte_[i]);
            if (l == QChar::DirNSM) continue;
            return !lettreForte(l) && !chiffre(l);
        }
        return false;
    }
    // Brackets paired within the part that close after its last letter take its direction
    // from that letter, and are no signs at its end.
    bool fermeApresUneLettre(std::size_t debut, std::size_t fin) const {
        for (std::size_t i = fin; i-- > debut;) {
            const char32_t c = texte_[i];
            if (crochet(c) && !ClassesBidi::ouvrant(c)) continue;
            if (classeBidi(c) == QChar::DirNSM) continue;
            return i + 1 < fin && lettreForte(classeBidi(c));
        }
        return false;
    }
    bool lettreDe(std::size_t i, QChar::Direction d) const {
        if (i >= texte_.size()) return false;
        const QChar::Direction l = classeBidi(texte_[i]);
        return lettreForte(l) && sensDeLettre(l) == d;
    }
    // The direction of the last letter before `fin`, or a number's class where one comes after
    // it (the text before the part holds a letter).
    QChar::Direction avantLesSignes(std::size_t fin) const {
        for (std::size_t i = fin; i-- > 0;) {
            const QChar::Direction l = classeBidi(texte_[i]);
            if (lettreForte(l)) return sensDeLettre(l);
            if (chiffre(l)) return QChar::DirEN;
        }
        return QChar::DirON;
    }

    std::u32string_view texte_;
    std::size_t premiere_ = Aucune;
    QChar::Direction sens_ = QChar::DirON;
    // Where each bracket's pair is, empty where Qt pairs none.
    const std::vector<std::size_t>* partenaires_ = nullptr;
    Partie partie_;
    // The text's levels, read when first needed.
    std::optional<bool> lisible_;
    std::size_t lus_ = 0;
    std::size_t lusEnPieces_ = 0;
    bool dansLeSensDuTexte_ = false;
    // The paragraph level of the part last read alone.
    std::uint8_t baseSeule_ = 0;
    std::optional<Lecteurs> propres_;
    Lecteurs& lecteurs_;
    std::optional<NiveauxDesParties> partiesPropres_;
    NiveauxDesParties& parties_;
};

// A letter of a script of its own, not one of the signs, digits and blanks all scripts share.
inline bool ecriturePropre(char32_t c) {
    if (c < 0x80) return (c | 0x20) >= U'a' && (c | 0x20) <= U'z';
    return QChar::script(c) > QChar::Script_Common;
}

// A letter that gives the signs after it its script (a mark continues the run of the letter
// before it, whatever its own script).
inline bool donneSonEcriture(char32_t c) {
    return ecriturePropre(c) && !marque(c);
}

// The nearest letter that gives its script to the signs after it, before positions asked in
// decreasing order, however far back: each character is read once.
class LettresAvant {
  public:
    explicit LettresAvant(std::u32string_view texte) : texte_(texte), lu_(texte.size()) {}
    // Its position, or `npos` without one.
    std::size_t avant(std::size_t position) {
        if (trouvee_ < position) return trouvee_;
        for (lu_ = std::min(lu_, position); lu_-- > 0;) {
            if (donneSonEcriture(texte_[lu_])) return trouvee_ = lu_;
        }
        lu_ = 0;
        return trouvee_ = std::u32string_view::npos;
    }

  private:
    std::u32string_view texte_;
    // Read from here to the last position asked.
    std::size_t lu_;
    std::size_t trouvee_ = std::u32string_view::npos;
};

// What in a text decides whether its width may be summed: a character that is not, line feeds,
// text written right to left, anything else beside it but blanks, tabs, and how its parts are
// written.
enum Trait : unsigned {
    TraitsInconnus = ~0u,
    NonSommable = 1,
    SautDeLigne = 2,
    DroiteAGauche = 4,
    AutreQueDroiteAGauche = 8,
    AvecTabulation = 16,
    Jointe = 32,
    NiveauxIncertains = 64,
    AvecLettre = 128,
    Syllabique = 256,
    AvecLettreANukta = 512
};

// A soft hyphen has no width within a line, and Qt kerns the characters on either side of it as
// if it were not there: summed only away from blanks.
inline constexpr char32_t Cesure = 0xAD;
// A text's traits from the union of its parts': only whether its parts keep their levels is
// read again, on the whole.
inline unsigned traitsDuTout(std::u32string_view texte, unsigned parties) {
    unsigned t = parties & ~NiveauxIncertains;
    if ((t & DroiteAGauche) && (t & AutreQueDroiteAGauche) && !partiesAuxMemesNiveaux(texte)) {
        t |= NiveauxIncertains;
    }
    return t;
}
inline unsigned traits(std::u32string_view texte) {
    unsigned t = 0;
    std::size_t syllabesJusquA = 0;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        const char32_t c = texte[i];
        if (c == Blanc) continue;
        if (ecriturePropre(c)) t |= AvecLettre;
        if (jointe(c)) {
            t |= Jointe | (c < 0xE00 ? DroiteAGauche : AutreQueDroiteAGauche);
            // Arabic that starts with a mark may draw it on a dotted circle in a line, and not
            // alone.
            if (i == 0 && c < 0xE00 && marqueJointe(c)) t |= NonSommable;
        } else if (c == U'\n') {
            t |= SautDeLigne;
        } else if (c == Tabulation) {
            t |= AvecTabulation;
        } else if (c == Cesure) {
            t |= AutreQueDroiteAGauche;
        } else if (syllabique(c)) {
            if (i >= syllabesJusquA) syllabesJusquA = finDesSyllabes(texte, i);
            t |= syllabesJusquA == std::u32string_view::npos ? NonSommable
                                                             : Syllabique | AutreQueDroiteAGauche;
            if (lettreANukta(c)) t |= AvecLettreANukta;
        } else if (!sommable(c)) {
            t |= NonSommable;
        } else if (c >= 0x590 && c < 0x600) {
            t |= DroiteAGauche;
        } else {
            t |= AutreQueDroiteAGauche;
        }
    }
    return traitsDuTout(texte, t);
}
// Qt's measure of the whole is then the sum. Text written right to left sets the direction of
// a text that starts with it, which changes the levels of the signs between parts of both
// directions, so their runs and kerning: beside anything else, it is summed only where every
// part keeps its levels, with no brackets. A line feed or a tab beside it moves what follows.
inline bool sommeExacte(unsigned t) {
    if (t & NonSommable) return false;
    if ((t & AvecTabulation) && (t & SautDeLigne)) return false;
    if (!(t & DroiteAGauche)) return true;
    if (t & (SautDeLigne | AvecTabulation)) return false;
    return !(t & AutreQueDroiteAGauche) || !(t & NiveauxIncertains);
}

// What a part after a blank meets of the text before it: the direction of the text (of its
// first letter, none without one) and of its last letter, whether it ends with a letter or with
// signs (which take their direction from what follows), and whether it leaves a bracket open
// (which the part may close).
class FinDeTexte {
  public:
    void ajoute(char32_t c) {
        const bool apresUnBlanc = surUnBlanc_;
        surUnBlanc_ = c == Blanc;
        if (surUnBlanc_) return;
        QChar::Direction d = classeBidi(c);
        // A mark takes the class of what it is on: after a blank, a sign's.
        if (d == QChar::DirNSM) {
            if (!apresUnBlanc) return;
            d = QChar::DirON;
        }
        const bool lettre = lettreForte(d);
        if (lettre) {
            derniere_ = sensDeLettre(d);
            if (base_ == QChar::DirON) base_ = derniere_;
        }
        surUneLettre_ = lettre;
        surDesSignes_ = !lettre && !chiffre(d);
        if (crochet(c)) crochets_.ajoute(c);
    }
    QChar::Direction base() const { return base_; }
    QChar::Direction derniere() const { return derniere_; }
    bool surUneLettre() const { return surUneLettre_; }
    bool surDesSignes() const { return surDesSignes_; }
    bool surUnBlanc() const { return surUnBlanc_; }
    // Those it leaves open.
    std::size_t crochetsOuverts() const { return crochets_.ouverts(); }

  private:
    QChar::Direction base_ = QChar::DirON;
    QChar::Direction derniere_ = QChar::DirON;
    bool surUneLettre_ = false;
    bool surDesSignes_ = false;
    bool surUnBlanc_ = false;
    Crochets crochets_;
};
inline FinDeTexte finDe(std::u32string_view texte) {
    FinDeTexte fin;
    for (const char32_t c : texte)
        fin.ajoute(c);
    return fin;
}
// Whether a part after a blank takes the levels it takes alone, and leaves the text before it
// its own: the part resolves within itself, closes no bracket the text left open (nor opens so
// many that Qt pairs none), and the signs on either side of the blank are between letters of one
// direction, the part's, which is the text's where the text ends with them. Right to left, the
// measure of the blank alone sees that direction only with a letter on its other side. Digits
// after a left-to-right letter go with it; otherwise they stand for right to left.
inline bool accrochable(const FinDeTexte& fin, std::u32string_view partie) {
    SensDePartie sens;
    for (const char32_t c : partie)
        sens.ajoute(c);
    if (!sens.valideHorsCrochets()) return false;
    if (fin.base() == QChar::DirON) return false;
    if (fin.crochetsOuverts() > 0 &&
        (!sens.crochets().sansFermantSeul() ||
         fin.crochetsOuverts() + sens.crochets().vus() > Crochets::Maximum)) {
        return false;
    }
    if (sens.bordFin() && sens.sens() != fin.base()) return false;
    if (!fin.surDesSignes() && !sens.bordDebut()) return true;
    const QChar::Direction d = sens.nombre() ? QChar::DirL : sens.sens();
    if (fin.derniere() != d || (fin.surDesSignes() && fin.base() != d)) return false;
    if (d == QChar::DirL) return true;
    const bool lettreABord = fin.surDesSignes() ? !sens.bordDebut() : fin.surUneLettre();
    return !fin.surUnBlanc() && lettreABord;
}

// Qt gives signs and blanks the script of the letters before them (at the start of a text,
// of those after), and a font kerns a sign only with letters of the same script, or only with
// none (Norasi kerns "1," alone, not after "Tour "), and may kern a blank after a sign in one
// script and not in another (Liberation Sans kerns "’ " after Arabic letters, not before a
// Hebrew one). So: a part that starts with signs takes after a blank the script of the text
// before, and alone that of its first letter; signs that end the text before, and the blank,
// take that text's script, and measured beside the part's first letter, its script; a part of
// signs alone (a number) takes after a blank the script of the text before, and alone none,
// which changes nothing for a single character the font draws (a glyph's advance is its own;
// another font may draw it in another script), unless it is a mark: DejaVu Sans Mono gives an
// ogonek after a blank an advance at the start of a text and none after "y " in a line; signs
// before the first letter of a text take its script, and alone none.
// `avantAvecLettre`: whether the text before holds a letter, which the caller knows without
// reading it all again.
template <class DansLaPolice>
bool memeEcriture(std::u32string_view avant, std::u32string_view partie, bool avantAvecLettre,
                  DansLaPolice&& dansLaPolice) {
    if (partie.empty()) return true;
    if (!avantAvecLettre) {
        return std::all_of(avant.begin(), avant.end(), [](char32_t c) { return c == Blanc; }) ||
               std::none_of(partie.begin(), partie.end(), ecriturePropre);
    }
    // Most often the part starts with a letter, and the text before ends with one.
    const auto finAvant =
        std::find_if(avant.rbegin(), avant.rend(), [](char32_t c) { return c != Blanc; });
    if (finAvant == avant.rend()) return false;
    // A mark does not start a run of its own script after a letter: in the line, a Thai mark
    // after a blank and the blank after it keep the script of the letter before; measured
    // beside the part alone, the mark starts a Thai run. Arabic marks have no script of their
    // own.
    if (marqueJointe(*finAvant) && ecriturePropre(*finAvant)) {
        const auto base = std::find_if(finAvant, avant.rend(), [](char32_t c) {
            return ecriturePropre(c) && !marqueJointe(c);
        });
        if (base != avant.rend() && QChar::script(*base) != QChar::script(*finAvant)) return false;
    }
    if (ecriturePropre(partie.front()) && ecriturePropre(*finAvant)) return true;
    const auto premiere = std::find_if(partie.begin(), partie.end(), ecriturePropre);
    if (premiere == partie.end())
        return partie.size() == 1 && !marque(partie.front()) && dansLaPolice(partie.front());
    const auto derniere = std::find_if(finAvant, avant.rend(), ecriturePropre);
    return derniere != avant.rend() && QChar::script(*premiere) == QChar::script(*derniere);
}

}  // namespace vitrail::qt
