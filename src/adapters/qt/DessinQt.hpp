#pragma once

#include <QColor>
#include <QDateTime>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QString>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/EtatDessin.hpp"
#include "qt/Sommables.hpp"
#include "render/Caches.hpp"
#include "support/ErreurExecution.hpp"

namespace vitrail::qt {

QString versQString(const Texte& texte);
Texte depuisQString(const QString& texte);

// Whether two texts are the same, compared as memory: the standard comparison of wide
// characters goes one at a time, and every line tried is compared whole with the ones before.
inline bool memeTexte(std::u32string_view a, std::u32string_view b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char32_t)) == 0);
}

// A colour red + 256 green + 65536 blue; the negative system colours draw in black.
QColor couleurQt(std::int32_t couleur);

// A font state as a surface draws it, with the device's resolution: measures taken in one
// state hold for every later use of it.
struct EtatPolice {
    Texte nom;
    float taille;
    bool gras;
    bool italique;
    bool souligne;
    bool barre;
    int dpiX;
    int dpiY;

    auto cle() const { return std::tie(nom, taille, gras, italique, souligne, barre, dpiX, dpiY); }
    bool operator==(const EtatPolice& autre) const { return cle() == autre.cle(); }
    bool operator<(const EtatPolice& autre) const { return cle() < autre.cle(); }
};

// Widths by text, in open addressing: a lookup usually reads one slot, where a node-based table
// followed two or three pointers (most of the fitting's time went to those cache misses). The
// texts are kept end to end in blocks that never move: no allocation per width, a slot is small,
// and the table grows without copying its texts into fresh memory (whose first use costs a page
// fault per page); a block given back is reused by the next table to fill.
class TableLargeurs {
  public:
    // Valid until the next addition.
    const double* trouve(std::u32string_view texte) const {
        if (cases_.empty()) return nullptr;
        const std::size_t h = hache(texte);
        for (std::size_t i = h & masque_;; i = (i + 1) & masque_) {
            const Case& c = cases_[i];
            if (!c.occupee()) return nullptr;
            if (c.hachage == h && memeTexte(texteDe(c), texte)) {
                c.servie = true;
                return &c.largeur;
            }
        }
    }
    void ajoute(std::u32string_view texte, double largeur) {
        if ((taille_ + 1) * 2 > cases_.size()) agrandit();
        const std::size_t h = hache(texte);
        std::size_t i = h & masque_;
        for (; cases_[i].occupee(); i = (i + 1) & masque_) {
            if (cases_[i].hachage == h && memeTexte(texteDe(cases_[i]), texte)) return;
        }
        cases_[i] = {h, copie(texte), static_cast<std::uint32_t>(texte.size()), false, largeur};
        ++taille_;
    }
    // The widths asked for again since the last `garde`, and with `mots` those of texts without
    // a blank: words come back in the next frames, where most lines are never tried again.
    struct Gardees {
        std::size_t largeurs = 0;
        std::size_t caracteres = 0;
    };
    Gardees gardees(bool mots) const {
        Gardees g;
        for (const Case& c : cases_) {
            if (!c.occupee() || !gardee(c, texteDe(c), mots)) continue;
            ++g.largeurs;
            g.caracteres += c.longueur;
        }
        return g;
    }
    // Keeps only those, as not asked for again.
    void garde(bool mots) {
        TableLargeurs anciennes = std::move(*this);
        clear();
        for (const Case& c : anciennes.cases_) {
            if (!c.occupee()) continue;
            const std::u32string_view texte = anciennes.texteDe(c);
            if (gardee(c, texte, mots)) ajoute(texte, c.largeur);
        }
    }
    std::size_t taille() const { return taille_; }
    // Gives the memory back: each font state's table peaks at a different time.
    void clear() {
        cases_ = {};
        blocs_ = decltype(blocs_)();
        tailleDuBloc_ = 0;
        dansLeBloc_ = 0;
        caracteres_ = 0;
        taille_ = 0;
        masque_ = 0;
    }
    std::size_t caracteres() const { return caracteres_; }

  private:
    // Large enough that a block holds many lines, small enough to come from the heap and not
    // from fresh pages of its own (128 KB and more each take their own).
    static constexpr std::size_t CaracteresParBloc = 1 << 13;
    static constexpr std::uint32_t Libre = UINT32_MAX;
    struct Case {
        std::size_t hachage = 0;
        struct {
            std::uint32_t bloc = Libre;
            std::uint32_t position = 0;
        } debut;
        std::uint32_t longueur = 0;
        mutable bool servie = false;
        double largeur = 0;
        bool occupee() const { return debut.bloc != Libre; }
    };
    static bool gardee(const Case& c, std::u32string_view texte, bool mots) {
        return c.servie || (mots && texte.find(Blanc) == std::u32string_view::npos);
    }
    std::u32string_view texteDe(const Case& c) const {
        return {blocs_[c.debut.bloc].get() + c.debut.position, c.longueur};
    }
    // Copies the text into the last block, or into a new one where it has no room left: twice
    // the size of the one before, up to a limit, so that a table of a few words stays small, and
    // at least the size of the text.
    decltype(Case::debut) copie(std::u32string_view texte) {
        if (blocs_.empty() || dansLeBloc_ + texte.size() > tailleDuBloc_) {
            constexpr std::size_t PremierBloc = 256;
            tailleDuBloc_ = std::max(
                texte.size(),
                blocs_.empty() ? PremierBloc : std::min(CaracteresParBloc, tailleDuBloc_ * 2));
            blocs_.push_back(std::make_unique_for_overwrite<char32_t[]>(tailleDuBloc_));
            dansLeBloc_ = 0;
        }
        const auto position = static_cast<std::uint32_t>(dansLeBloc_);
        std::copy(texte.begin(), texte.end(), blocs_.back().get() + position);
        dansLeBloc_ += texte.size();
        caracteres_ += texte.size();
        return {static_cast<std::uint32_t>(blocs_.size() - 1), position};
    }
    static std::size_t hache(std::u32string_view texte) {
        return std::hash<std::u32string_view>{}(texte);
    }
    void agrandit() {
        std::vector<Case> anciennes = std::move(cases_);
        cases_.assign(std::max<std::size_t>(16, anciennes.size() * 2), Case{});
        masque_ = cases_.size() - 1;
        for (const Case& c : anciennes) {
            if (!c.occupee()) continue;
            std::size_t i = c.hachage & masque_;
            while (cases_[i].occupee())
                i = (i + 1) & masque_;
            cases_[i] = c;
        }
    }

    std::vector<Case> cases_;
    std::vector<std::unique_ptr<char32_t[]>> blocs_;
    std::size_t tailleDuBloc_ = 0;
    std::size_t dansLeBloc_ = 0;
    std::size_t caracteres_ = 0;
    std::size_t taille_ = 0;
    std::size_t masque_ = 0;
};

// What is known of a font at every size.
struct Famille {
    // Pairs around a blank known to add no kerning up to a size: kerning grows with the size, so
    // one that rounds to nothing at a size does at every smaller one (or the font has none for
    // the pair).
    std::unordered_map<std::uint64_t, float> neutresJusqua;
    // Characters the font does not draw: whether another font does.
    std::unordered_map<char32_t, bool> dessinesAilleurs;
    // Scripts for which the font without fallback takes another face than with it, at a size.
    std::set<int> autreFaceSansRepli;
    // The family of the one other face that draws a character, as an index in `autresFaces`
    // (-1: none, or not known), by the character and the script it takes from the letters beside
    // it (0 for a letter). Found by laying it out after such a letter: Qt takes the first fallback
    // of that script that draws the character, at any size.
    std::unordered_map<std::uint64_t, int> faceAilleurs;
    std::vector<QString> autresFaces;
    // An ideograph no font draws, which stands for every other such one (0: none met yet).
    char32_t ideogrammeManquant = 0;
    // The widest of the characters other fonts draw, each measured at a size no smaller than
    // `jusqua`: a width grows with the size, so it bounds them at `jusqua` and below.
    struct {
        float jusqua = 0;
        double largeur = 0;
        std::unordered_set<char32_t> caracteres;
    } horsPolice;
};

// The font and metrics objects of one state, made once, and the widths measured in it (in
// pixels, as Qt gives them), with what is known of its blanks and characters.
struct Police {
    Police(const EtatPolice& e, const QFont& f, QPaintDevice& appareil)
        : etat(e), font(f), metriques(f, &appareil), hauteur(metriques.height()) {}
    EtatPolice etat;
    QFont font;
    QFontMetricsF metriques;
    // The same font without fallback, made when first needed, and by script whether it takes
    // the face the font with fallback takes for a text of that script.
    std::optional<QFont> seule;
    std::optional<QFontMetricsF> metriquesSeules;
    std::map<int, bool> memeFace;
    // Each other face alone, made when first needed, by its index in the family's list.
    struct FaceSeule {
        FaceSeule(const QFont& f, QPaintDevice& appareil) : font(f), metriques(f, &appareil) {}
        QFont font;
        QFontMetricsF metriques;
        // By script: whether a text of it takes this face alone as it does with fallback.
        std::map<int, bool> memeFace;
    };
    std::map<int, FaceSeule> facesSeules;
    double hauteur;
    TableLargeurs largeurs;
    // How far a blank between these two characters (0: none) takes the width from a plain sum.
    std::unordered_map<std::uint64_t, double> ecartsBlanc;
    // Whether this font draws the character itself (no fallback font): its metrics would say
    // whether any font does.
    std::unordered_map<char32_t, bool> dansLaPolice;
    std::optional<QRawFont> brute;
    std::optional<double> blanc;
    std::optional<double> tabulation;
    std::vector<std::uint8_t> petitesPaires;
    // The widest glyph of the fonts that draw the characters this one does not, among those asked
    // so far, and of the dotted circle.
    double plusLargeAilleurs = 0;
    std::unordered_set<char32_t> ailleurs;
    // Whether another font than the blank's draws every letter of the scripts that join or
    // stack within a word.
    std::optional<bool> jointesAilleurs;
    // Whether a face draws every Devanagari consonant with a nukta of its own.
    std::optional<bool> lettresANuktaDessinees;
    // What every size of this font shares.
    Famille* famille = nullptr;
};

// Fonts and measures of one surface, bounded: past these counts everything measured so far is
// dropped and measured again as needed.
class MesuresPolices {
  public:
    static constexpr std::size_t PolicesMaximum = 256;
    static constexpr std::size_t LargeursMaximum = 1 << 15;
    // Characters of the texts kept (four bytes each).
    static constexpr std::size_t CaracteresMaximum = 1 << 22;

    // The entry of that state, made on first use.
    Police& police(const EtatPolice& etat, const std::function<QFont()>& fabrique,
                   QPaintDevice& appareil) {
        if (courante_ != nullptr && courante_->etat == etat) return *courante_;
        auto trouvee = polices_.find(etat);
        if (trouvee == polices_.end()) {
            if (polices_.size() >= PolicesMaximum) oublie();
            trouvee =
                polices_.emplace(etat, std::make_unique<Police>(etat, fabrique(), appareil)).first;
            EtatPolice famille = etat;
            famille.taille = 0;
            trouvee->second->famille = &familles_[famille];
        }
        courante_ = trouvee->second.get();
        return *courante_;
    }
    // A line this long is one a text shrunk to its smallest sizes tries once per word: kept,
    // each would cost a copy, and a full table pushes out the words. The sums find the line
    // tried before the last among the recent texts.
    static constexpr std::size_t LongueurRetenueMaximum = 256;
    const double* trouve(const Police& police, std::u32string_view texte) const {
        if (texte.size() > LongueurRetenueMaximum) {
            for (const Longue& l : longues_) {
                if (l.police == &police && memeTexte(l.texte, texte)) return &l.largeur;
            }
            return nullptr;
        }
        return police.largeurs.trouve(texte);
    }
    // The last texts too long to keep that Qt measured whole: where such a text is a word the
    // wrap may not part (a text with no blank, say), each size measures it, alone and after a
    // blank, three times or more.
    void retientLongue(const Police& police, std::u32string_view texte, double largeur) {
        if (texte.size() <= LongueurRetenueMaximum) return;
        Longue& l = longues_[longueSuivante_];
        longueSuivante_ = (longueSuivante_ + 1) % longues_.size();
        l.police = &police;
        l.texte = texte;
        l.largeur = largeur;
    }
    // Where a recent text is this one, its width.
    const double* recente(const Police& police, std::u32string_view texte) const {
        for (const Recente& r : recentes_) {
            if (r.police == &police && memeTexte(r.texte, texte)) return &r.largeur;
        }
        return nullptr;
    }
    void retient(Police& police, std::u32string_view texte, double largeur) {
        if (texte.size() > LongueurRetenueMaximum) return;
        if (largeurs_ >= LargeursMaximum || caracteres_ + texte.size() > CaracteresMaximum)
            faitPlace(texte.size());
        const std::size_t avant = police.largeurs.caracteres();
        police.largeurs.ajoute(texte, largeur);
        caracteres_ += police.largeurs.caracteres() - avant;
        ++largeurs_;
    }
    // The entry of the state last asked for, if any.
    Police* courante() const { return courante_; }
    void oublie() {
        courante_ = nullptr;
        polices_.clear();
        familles_.clear();
        largeurs_ = 0;
        caracteres_ = 0;
        recentes_ = {};
        debuts_ = {};
        longues_ = {};
    }

    // The last texts measured, whose parts after a blank are known to add up, with their widths:
    // a wrap asks for a line, then a word, then that line, a blank and the word, and where a
    // blank may not part that word from the one before, the line before those two.
    struct Recente {
        const Police* police = nullptr;
        Texte texte;
        double largeur = 0;
        // What it holds that decides how it may be summed with more.
        unsigned traits = 0;
        // How it ends, once a part after it was in the other direction.
        std::optional<FinDeTexte> fin;
    };
    const std::array<Recente, 4>& recentes() const { return recentes_; }
    void retientRecente(const Police& police, const Texte& texte, double largeur, unsigned traits,
                        const std::optional<FinDeTexte>& fin) {
        Recente& r = recentes_[suivante_];
        suivante_ = (suivante_ + 1) % recentes_.size();
        r.police = &police;
        r.texte = texte;
        r.largeur = largeur;
        r.traits = traits;
        r.fin = fin;
    }

    // The line last summed over its blanks, with the width of what precedes each blank it was
    // parted at (ascending): the next line a wrap tries is most often that line and one more
    // word, which parts at the same blanks.
    struct Debuts {
        const Police* police = nullptr;
        Texte texte;
        std::vector<std::pair<std::size_t, double>> largeurs;
    };
    Debuts& debuts() { return debuts_; }

  private:
    // Keeps the widths asked for again, and with them the words where a quarter of the table
    // was asked for again (frames that share their words, not one long text of words met
    // once), while that leaves a quarter free; else drops them all.
    void faitPlace(std::size_t aAjouter) {
        const auto gardees = [&](bool mots) {
            TableLargeurs::Gardees g;
            for (const auto& [etat, p] : polices_) {
                const TableLargeurs::Gardees d = p->largeurs.gardees(mots);
                g.largeurs += d.largeurs;
                g.caracteres += d.caracteres;
            }
            return g;
        };
        const auto tient = [&](const TableLargeurs::Gardees& g) {
            return g.largeurs <= LargeursMaximum / 4 * 3 &&
                   g.caracteres + aAjouter <= CaracteresMaximum / 4 * 3;
        };
        TableLargeurs::Gardees g = gardees(false);
        bool mots = false;
        if (g.largeurs >= LargeursMaximum / 4) {
            const TableLargeurs::Gardees avecMots = gardees(true);
            if (tient(avecMots)) {
                g = avecMots;
                mots = true;
            }
        }
        if (!tient(g)) g = {};
        for (auto& [etat, p] : polices_) {
            if (g.largeurs == 0) {
                p->largeurs.clear();
            } else {
                p->largeurs.garde(mots);
            }
        }
        largeurs_ = g.largeurs;
        caracteres_ = g.caracteres;
    }

    std::map<EtatPolice, std::unique_ptr<Police>> polices_;
    // By font at size 0.
    std::map<EtatPolice, Famille> familles_;
    Police* courante_ = nullptr;
    std::size_t largeurs_ = 0;
    std::size_t caracteres_ = 0;
    std::array<Recente, 4> recentes_;
    std::size_t suivante_ = 0;
    Debuts debuts_;
    struct Longue {
        const Police* police = nullptr;
        Texte texte;
        double largeur = 0;
    };
    std::array<Longue, 2> longues_;
    std::size_t longueSuivante_ = 0;
};

// Drawing in twips on a Qt paint device: the control's backing image or the printer. Positions,
// font and pen are kept here, so they can be read and measured without a painter.
template <class Base>
class DessinQt : public EtatDessin<Base> {
  public:
    double TextWidth(const Texte& texte) override {
        if (!caches::actifs()) {
            return enTwips(
                QFontMetricsF(police(), &appareil()).horizontalAdvance(versQString(texte)));
        }
        Police& p = policeEnCours();
        unsigned t = TraitsInconnus;
        finVue_.reset();
        const double l = largeurBrute(p, texte, &t);
        if (sommableParSaLongueur(texte)) {
            if (t == TraitsInconnus) t = traits(texte);
            std::optional<FinDeTexte> fin;
            if (finVue_ && finVue_->texte == texte.data() && finVue_->taille == texte.size())
                fin = finVue_->fin;
            if (prolongeable(p, texte, t, fin)) mesures_.retientRecente(p, texte, l, t, fin);
        }
        return enTwips(l);
    }
    double TextHeight(const Texte&) override {
        const double hauteur = caches::actifs() ? policeEnCours().hauteur
                                                : QFontMetricsF(police(), &appareil()).height();
        return hauteur * TwipsParPouce / appareil().logicalDpiY();
    }

    std::uint64_t Resolution() const override {
        return static_cast<std::uint64_t>(appareil().logicalDpiX()) << 32 |
               static_cast<std::uint32_t>(appareil().logicalDpiY());
    }
    // Widths grow with the size while FreeType sizes the font, below 65,536 pixels per em: past
    // that they fall back (measured in several fonts and scripts at 96 to 1,200 dots per inch).
    double TailleCroissanteMaximum() const override {
        return tailleCroissanteMaximum(appareil().logicalDpiY());
    }
    static double tailleCroissanteMaximum(int dpi) {
        constexpr double PixelsParEm = 58000;
        return PixelsParEm * 72 / dpi;
    }
    void OublieMesures() override {
        mesures_.oublie();
        images_.clear();
    }
    double LargeurParCaractere(std::u32string_view caracteres,
                               std::span<const std::pair<char32_t, char32_t>> bords) override {
        Police& p = policeEnCours();
        double plusLarge = p.metriques.maxWidth();
        double tabulation = 0;
        Texte jointes;
        Texte horsPolice;
        double glyphes = 2;
        for (const char32_t c : caracteres) {
            if (jointe(c)) {
                if (!jointesAilleurs(p)) return 0;
                jointes += c;
                glyphes = std::max(glyphes, glyphesJoints(c));
                continue;
            }
            // A line feed has no advance here: it adds nothing.
            if (c == U'\n' && largeurBrute(p, std::u32string_view(&c, 1)) == 0) continue;
            // A tab reaches the next stop, the stops being its width at the start of a text
            // apart; Qt rounds the position to 1/64 of that before taking the stop, so a tab
            // adds at most 1/128 more: 1/32 is allowed.
            if (c == Tabulation) {
                tabulation = largeurBrute(p, std::u32string_view(&c, 1)) * (1 + 1.0 / 32);
                continue;
            }
            if (!sommable(c)) return 0;
            // Another font draws it, at its own advance.
            if (!dansLaPolice(p, c)) horsPolice += c;
        }
        if (!dansLaPolice(p, Blanc) || !dansLaPolice(p, U'-')) return 0;
        if (!horsPolice.empty())
            plusLarge = std::max(plusLarge, plusLargeHorsPolice(p, horsPolice));
        if (!jointes.empty()) {
            const std::optional<double> ailleurs = plusLargeAilleurs(p, jointes);
            if (!ailleurs) return 0;
            plusLarge = std::max(plusLarge, *ailleurs);
        }
        const double largeur = std::max(glyphes * plusLarge, tabulation);
        for (const auto& [avant, apres] : bords) {
            if (!blancNeutre(p, avant, apres) &&
                !(std::fabs(ecartBlanc(p, avant, apres)) <= largeur))
                return 0;
        }
        return std::max(0.0, enTwips(largeur));
    }

    // Shaping may change the glyphs before a character (joining forms, reordering, a dotted
    // circle before a mark that starts a word) and give it more than one: never by more than a
    // few of the widest glyphs of the fonts that draw them.
    double LargeurAjouteeMaximum(std::u32string_view caracteres) override {
        if (const double sommee = LargeurParCaractere(caracteres, {}); sommee > 0) return sommee;
        Police& p = policeEnCours();
        const std::optional<double> plusLarge = plusLargeAilleurs(p, caracteres);
        if (!plusLarge) return 0;
        return std::max(0.0, enTwips(glyphesAuPlus(p, caracteres) * *plusLarge));
    }
    // Characters no font draws are missing glyphs, the font's own or, for a script no font has,
    // Qt's boxes (the blanks among them too), with nothing to substitute for them: one for each
    // character of their decomposition, and a dotted circle before a mark that starts a cluster
    // (or that a character added after it leaves without a base).
    double glyphesAuPlus(Police& p, std::u32string_view caracteres) {
        double glyphes = 1;
        for (const char32_t c : caracteres) {
            if (c == Blanc || c == U'\n') continue;
            if (dansLaPolice(p, c) || dessineAilleurs(p, c)) return GlyphesParCaractere;
            const auto decomposition =
                QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_D).toUcs4().size();
            glyphes = std::max(glyphes, static_cast<double>(decomposition) + 1);
        }
        return std::min(glyphes, GlyphesParCaractere);
    }
    // The widest of these characters, measured alone. A text that shrinks asks again at every
    // size: measured at a size, a width bounds that of every smaller one (widths grow with the
    // size), so each character is measured once, at the first size, while the bound is not
    // looser than twice.
    double plusLargeHorsPolice(Police& p, std::u32string_view caracteres) {
        const auto largeur = [&](char32_t c) {
            return largeurBrute(p, std::u32string_view(&c, 1));
        };
        const float taille = p.etat.taille;
        if (!(taille > 0 && taille <= tailleCroissanteMaximum(p.etat.dpiY))) {
            double plusLarge = 0;
            for (const char32_t c : caracteres)
                plusLarge = std::max(plusLarge, largeur(c));
            return plusLarge;
        }
        auto& connus = p.famille->horsPolice;
        if (taille > connus.jusqua || taille * 2 < connus.jusqua ||
            connus.caracteres.size() >= HorsPoliceMaximum) {
            connus = {};
            connus.jusqua = taille;
        }
        for (const char32_t c : caracteres) {
            if (!connus.caracteres.insert(c).second) continue;
            connus.largeur = std::max(connus.largeur, largeur(c));
            connus.jusqua = taille;
        }
        return connus.largeur;
    }

    // The widest glyph of the font and of those that draw these characters or a dotted circle;
    // none for a control but the line feed.
    std::optional<double> plusLargeAilleurs(Police& p, std::u32string_view caracteres) {
        // Every frame of a font asks again: only characters not seen in it are laid out.
        if (p.ailleurs.size() >= AilleursMaximum) return std::nullopt;
        Texte nouveaux;
        if (p.ailleurs.insert(CercleEnPointilles).second) nouveaux += CercleEnPointilles;
        for (const char32_t c : caracteres) {
            if (c < 0x20 && c != U'\n') return std::nullopt;
            if (!dansLaPolice(p, c) && p.ailleurs.insert(c).second) nouveaux += c;
        }
        if (!nouveaux.empty())
            p.plusLargeAilleurs = std::max(p.plusLargeAilleurs, plusLargeGlyphe(p, nouveaux));
        const double plusLarge = std::max(p.metriques.maxWidth(), p.plusLargeAilleurs);
        if (!std::isfinite(plusLarge)) return std::nullopt;
        return plusLarge;
    }

    void Print(const Texte& texte) override {
        const QString q = versQString(texte);
        const bool reutilise = caches::actifs();
        const QFont f = reutilise ? policeEnCours().font : police();
        const QFontMetricsF m =
            reutilise ? policeEnCours().metriques : QFontMetricsF(f, &appareil());
        const QPointF coin = pixel(this->x_, this->y_);
        // Most often the width the layout has just measured in this font.
        const double largeur = this->transparent_ ? 0
                               : reutilise        ? largeurBrute(policeEnCours(), texte)
                                                  : m.horizontalAdvance(q);
        peins([&](QPainter& p) {
            p.setFont(p.device() == &appareil() ? f : tailleDuMoteur(f));
            if (!this->transparent_) {
                p.fillRect(QRectF(coin, QSizeF(largeur, m.height())), couleurQt(this->backColor_));
            }
            p.setPen(couleurQt(foreColor_));
            p.drawText(coin + QPointF(0, m.ascent()), q);
        });
        this->y_ += TextHeight(texte);
        this->x_ = 0;
    }

    void Boite(double x1, double y1, double x2, double y2, std::int32_t couleur) override {
        peins([&](QPainter& p) {
            QPen stylo(couleurQt(couleur));
            stylo.setWidthF(std::max<int>(this->drawWidth_, 1));
            stylo.setJoinStyle(Qt::MiterJoin);
            p.setPen(stylo);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(pixel(x1, y1), pixel(x2, y2)).normalized());
        });
    }
    void BoitePleine(double x1, double y1, double x2, double y2, std::int32_t couleur) override {
        peins([&](QPainter& p) {
            p.fillRect(QRectF(pixel(x1, y1), pixel(x2, y2)).normalized(), couleurQt(couleur));
        });
    }
    void PaintPicture(const Texte& chemin, double x, double y, double l, double h) override {
        const QFileInfo fichier(versQString(chemin));
        if (!fichier.isFile()) throw ErreurExecution(erreurs::FichierIntrouvable);
        const QImage image = charge(fichier);
        if (image.isNull()) throw ErreurExecution(erreurs::ImageIncorrecte);
        const QRectF cible = QRectF(pixel(x, y), pixel(x + l, y + h)).normalized();
        if (horsVue(cible)) return;
        peins([&](QPainter& p) { p.drawImage(cible, image); });
    }

    QFont police() const {
        QFont f(versQString(this->fontName_));
        if (this->fontSize_ > 0) f.setPointSizeF(this->fontSize_);
        f.setBold(this->bold_);
        f.setItalic(this->italic_);
        f.setUnderline(this->underline_);
        f.setStrikeOut(this->strike_);
        return f;
    }

  protected:
    // The font at the size the engine draws it on this device, which may be the asked size
    // rounded: a page or an SVG that names the asked size would draw wider text.
    QFont tailleDuMoteur(const QFont& f) const {
        QFont exacte(f);
        exacte.setPointSizeF(QRawFont::fromFont(QFont(f, &appareil())).pixelSize() * 72 /
                             appareil().logicalDpiY());
        return exacte;
    }

    // The device the drawing lands on, for its resolution and the font metrics.
    virtual QPaintDevice& appareil() const = 0;
    // Runs a drawing on a painter of the device, opening what needs opening first.
    virtual void peins(const std::function<void(QPainter&)>& dessin) = 0;
    // Whether a drawing over that rectangle of pixels would leave nothing on the device.
    virtual bool horsVue(const QRectF&) const { return false; }

    QPointF pixel(double x, double y) const {
        return {x * appareil().logicalDpiX() / TwipsParPouce,
                y * appareil().logicalDpiY() / TwipsParPouce};
    }

  private:
    // A picture file decoded once while it keeps its date and size.
    struct ImageConnue {
        QString chemin;
        QDateTime modification;
        qint64 taille;
        QImage image;
    };
    static constexpr std::size_t ImagesMaximum = 16;

    QImage charge(const QFileInfo& fichier) {
        if (!caches::actifs()) return QImage(fichier.filePath());
        for (const ImageConnue& connue : images_) {
            if (connue.chemin == fichier.filePath() &&
                connue.modification == fichier.lastModified() && connue.taille == fichier.size()) {
                return connue.image;
            }
        }
        if (images_.size() >= ImagesMaximum) images_.clear();
        images_.push_back({fichier.filePath(), fichier.lastModified(), fichier.size(),
                           QImage(fichier.filePath())});
        return images_.back().image;
    }

    // Qt cuts a run of more than 4,096 UTF-16 units into several, which changes its kerning:
    // only a text no longer than that is a sum of parts.
    static constexpr std::size_t UnitesSommablesMaximum = 4096;
    static bool sommableParSaLongueur(std::u32string_view texte) {
        if (texte.size() <= UnitesSommablesMaximum / 2) return true;
        if (texte.size() > UnitesSommablesMaximum) return false;
        const auto horsDuPlan =
            std::count_if(texte.begin(), texte.end(), [](char32_t c) { return c > 0xFFFF; });
        return texte.size() + static_cast<std::size_t>(horsDuPlan) <= UnitesSommablesMaximum;
    }
    // Widths summed in pixels stay exact (multiples of 1/64) well below this.
    static constexpr double SommeMaximum = 1 << 24;
    static constexpr std::size_t PairesMaximum = 1 << 16;
    // Qt puts it before a mark that starts a word.
    static constexpr char32_t CercleEnPointilles = 0x25CC;
    static constexpr std::size_t AilleursMaximum = 1 << 14;
    static constexpr std::size_t HorsPoliceMaximum = 1 << 17;
    static constexpr std::size_t FacesAilleursMaximum = 1 << 10;
    // Those known for every size of a font: as many as a long text of distinct words has.
    static constexpr std::size_t PairesParPoliceMaximum = 1 << 18;

    double enTwips(double pixels) const {
        return pixels * TwipsParPouce / appareil().logicalDpiX();
    }

    // Whether a blank and a part after it may be summed with the text: where its own width is
    // the sum, or its parts are summed as measured after the word before them, or it was measured
    // whole in both directions and has a letter (`accrochable` tells which parts). How it ends is
    // left in `fin` where read.
    bool prolongeable(Police& p, std::u32string_view texte, unsigned t,
                      std::optional<FinDeTexte>& fin) {
        if (sommeExacte(p, t) || parSondes(p, t)) return true;
        if (!(t & NiveauxIncertains)) return false;
        if (!sommeExacte(p, t & ~NiveauxIncertains) && !parSondes(p, t & ~NiveauxIncertains))
            return false;
        if (!fin) fin = finApresUneRecente(p, texte);
        return fin->base() != QChar::DirON;
    }
    // How a text ends, read on from the longest recent text it starts with whose end was read:
    // a line tried word after word is read only past the line before.
    FinDeTexte finApresUneRecente(const Police& p, std::u32string_view texte) const {
        const MesuresPolices::Recente* depuis = nullptr;
        for (const auto& r : mesures_.recentes()) {
            const std::size_t n = r.texte.size();
            if (r.police != &p || !r.fin || n > texte.size() ||
                (depuis && n <= depuis->texte.size()) || !memeTexte(texte.substr(0, n), r.texte)) {
                continue;
            }
            depuis = &r;
        }
        if (!depuis) return finDe(texte);
        FinDeTexte fin = *depuis->fin;
        for (const char32_t c : texte.substr(depuis->texte.size()))
            fin.ajoute(c);
        return fin;
    }
    // Qt shapes the runs of each font apart: where another font than the blank's draws a script
    // that joins or stacks, each word of it is shaped in a line as it is alone (or, if it starts
    // with a mark, as it is after a blank).
    bool sommeExacte(Police& p, unsigned t) {
        return qt::sommeExacte(t) && !(t & Syllabique) && (!(t & Jointe) || jointesAilleurs(p));
    }
    bool jointesAilleurs(Police& p) {
        if (!p.jointesAilleurs) {
            bool ailleurs = dansLaPolice(p, Blanc);
            for (const Plage& plage : Jointes) {
                for (char32_t c = plage.premier; ailleurs && c <= plage.dernier; ++c)
                    ailleurs = !dansLaPolice(p, c);
            }
            p.jointesAilleurs = ailleurs;
        }
        return *p.jointesAilleurs;
    }

    // The widest glyph of the fonts that draw these characters, and each one's own advance.
    double plusLargeGlyphe(Police& p, const Texte& caracteres) {
        double plusLarge = 0;
        const QString texte =
            QString::fromUcs4(caracteres.data(), static_cast<qsizetype>(caracteres.size()));
        for (const QGlyphRun& suite : suitesDe(texte, p.font))
            plusLarge = std::max(plusLarge, suite.rawFont().maxCharWidth());
        for (const char32_t c : caracteres)
            plusLarge = std::max(plusLarge, largeurBrute(p, std::u32string_view(&c, 1)));
        return plusLarge;
    }

    auto dansLaPoliceDe(Police& p) {
        return [this, &p](char32_t c) { return dansLaPolice(p, c); };
    }
    bool dansLaPolice(Police& p, char32_t c) {
        const auto [entree, nouvelle] = p.dansLaPolice.try_emplace(c, false);
        if (nouvelle) {
            if (!p.brute) p.brute = QRawFont::fromFont(p.font);
            entree->second = p.brute->supportsCharacter(c);
        }
        return entree->second;
    }

    // Whether "a b" measures as "a", " " and "b" (0 standing for no character).
    bool blancNeutre(Police& p, char32_t avant, char32_t apres) {
        avant = pareil(p, avant);
        apres = pareil(p, apres);
        if ((avant >= 0x590 || apres >= 0x590) && horsDuBlanc(p, avant) && horsDuBlanc(p, apres)) {
            return true;
        }
        // Latin-1 pairs, the most asked, in a flat table: 0 unknown, 1 no, 2 yes.
        constexpr char32_t Petits = 256;
        if (avant < Petits && apres < Petits) {
            if (p.petitesPaires.empty()) p.petitesPaires.assign(Petits * Petits, 0);
            std::uint8_t& connu = p.petitesPaires[avant * Petits + apres];
            if (connu == 0) connu = neutreEnDessous(p, avant, apres) ? 2 : 1;
            return connu == 2;
        }
        return neutreEnDessous(p, avant, apres);
    }
    // Qt shapes the run of each font apart, with nothing of the text around it: a blank of this
    // font beside a character another font draws (or beside nothing) adds only its own width.
    // Not a mark, which is drawn on a dotted circle where it starts a text and not after a blank.
    bool horsDuBlanc(Police& p, char32_t c) {
        if (c == 0) return true;
        if (c < 0x590 || !sommableAuDela(c) || dansLaPolice(p, c) || !dansLaPolice(p, Blanc))
            return false;
        // With no font for it, the font draws its missing glyph, beside the blank.
        return dessineAilleurs(p, c);
    }
    // For a character this font does not draw: whether another one does.
    bool dessineAilleurs(Police& p, char32_t c) {
        const auto [entree, nouvelle] = p.famille->dessinesAilleurs.try_emplace(c, false);
        if (nouvelle) entree->second = p.metriques.inFontUcs4(c);
        return entree->second;
    }

    // An ideograph that no font draws is drawn as the font's missing glyph, which is the same
    // for all, in the run of the text around it, and none of them has a decomposition a shaper
    // would try: a text measures as it does with one of them standing for every other. Qt would
    // ask fontconfig for every one, in every text measured.
    static bool ideogramme(char32_t c) {
        return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF);
    }
    char32_t pareil(Police& p, char32_t c) {
        if (!ideogramme(c) || c == p.famille->ideogrammeManquant || dansLaPolice(p, c) ||
            dessineAilleurs(p, c)) {
            return c;
        }
        if (p.famille->ideogrammeManquant == 0) p.famille->ideogrammeManquant = c;
        return p.famille->ideogrammeManquant;
    }
    // Qt's measure of the text, or of the same text with one missing ideograph for all.
    double mesureQt(Police& p, std::u32string_view texte) {
        for (std::size_t i = 0; i < texte.size(); ++i) {
            if (pareil(p, texte[i]) == texte[i]) continue;
            Texte pareille(texte);
            for (char32_t& c : pareille)
                c = pareil(p, c);
            return largeurBrute(p, pareille);
        }
        return mesureDirecte(p, texte);
    }
    // Qt asks fontconfig whether each fallback font draws a character no font draws, for every
    // such character of every text it measures. A text of characters that are the font's own or
    // no font's is drawn in the font's face alone, with its missing glyph for the others: it
    // measures the same without fallback, where that takes the same face.
    // Likewise, Qt asks fontconfig, for each character another font draws, whether each
    // fallback before that font draws it: a text of one script that one other face draws all
    // of measures the same in that face alone.
    double mesureDirecte(Police& p, std::u32string_view texte) {
        const QString q = QString::fromUcs4(texte.data(), static_cast<qsizetype>(texte.size()));
        if (sansRepli(p, texte)) return p.metriquesSeules->horizontalAdvance(q);
        if (const QFontMetricsF* seule = uneFaceAilleurs(p, texte))
            return seule->horizontalAdvance(q);
        return p.metriques.horizontalAdvance(q);
    }
    const QFontMetricsF* uneFaceAilleurs(Police& p, std::u32string_view texte) {
        // Qt gives the signs and digits of a text the script of its letters: one script.
        const auto lettre = std::find_if(texte.begin(), texte.end(), [](char32_t c) {
            return QChar::script(c) > QChar::Script_Common;
        });
        const char32_t contexte = lettre == texte.end() ? 0 : *lettre;
        const int ecriture = QChar::script(contexte);
        int indice = -1;
        for (const char32_t c : texte) {
            const int propre = QChar::script(c);
            if (propre > QChar::Script_Common && propre != ecriture) return nullptr;
            const int prise = faceAilleurs(p, c, propre == ecriture ? 0 : contexte);
            if (prise < 0 || (indice >= 0 && prise != indice)) return nullptr;
            indice = prise;
        }
        if (indice < 0) return nullptr;
        auto entree = p.facesSeules.find(indice);
        if (entree == p.facesSeules.end()) {
            QFont sans(p.font);
            sans.setFamilies({p.famille->autresFaces[static_cast<std::size_t>(indice)]});
            sans.setStyleStrategy(
                QFont::StyleStrategy(sans.styleStrategy() | QFont::NoFontMerging));
            entree = p.facesSeules.try_emplace(indice, sans, appareil()).first;
        }
        Police::FaceSeule& seule = entree->second;
        const auto [memeFace, aVerifier] = seule.memeFace.try_emplace(ecriture, false);
        if (aVerifier) {
            const char32_t c = contexte != 0 ? contexte : texte.front();
            const QString q = QString::fromUcs4(&c, 1);
            memeFace->second = memesFaces(face(q, p.font), face(q, seule.font));
        }
        return memeFace->second ? &seule.metriques : nullptr;
    }
    // Only characters Qt gives a face each on their own: no mark, joiner or selector that
    // follows the face of the character before, and no control. A sign or digit is laid out
    // after the letter whose script it takes (`contexte`, 0: none).
    int faceAilleurs(Police& p, char32_t c, char32_t contexte) {
        // The font's own characters take no part of what is laid out.
        if (c == Blanc || dansLaPolice(p, c)) return -1;
        Famille& famille = *p.famille;
        const auto ecriture =
            static_cast<std::uint64_t>(contexte == 0 ? 0 : QChar::script(contexte));
        const std::uint64_t cle = ecriture << 32 | c;
        if (const auto connue = famille.faceAilleurs.find(cle);
            connue != famille.faceAilleurs.end())
            return connue->second;
        // Laying a character out costs about a hundred of Qt's own lookups: a text of
        // thousands of distinct characters would not pay it back.
        if (famille.faceAilleurs.size() >= FacesAilleursMaximum) return -1;
        int& indice = famille.faceAilleurs[cle];
        indice = -1;
        const QChar::Category categorie = QChar::category(c);
        if (categorie == QChar::Mark_NonSpacing || categorie == QChar::Mark_SpacingCombining ||
            categorie == QChar::Mark_Enclosing || categorie == QChar::Other_Control ||
            categorie == QChar::Other_Format || categorie == QChar::Other_Surrogate ||
            categorie == QChar::Separator_Line || categorie == QChar::Separator_Paragraph ||
            !dessineAilleurs(p, c))
            return indice;
        QString texte;
        if (contexte != 0) texte = QString::fromUcs4(&contexte, 1);
        const auto debut = static_cast<int>(texte.size());
        texte += QString::fromUcs4(&c, 1);
        const std::optional<QRawFont> prise = face(texte, p.font, debut);
        if (!prise) return indice;
        const QString nom = prise->familyName();
        if (nom.isEmpty()) return indice;
        const auto connu = std::find(famille.autresFaces.begin(), famille.autresFaces.end(), nom);
        indice = static_cast<int>(connu - famille.autresFaces.begin());
        if (connu == famille.autresFaces.end()) famille.autresFaces.push_back(nom);
        return indice;
    }
    bool sansRepli(Police& p, std::u32string_view texte) {
        bool manquant = false;
        for (const char32_t c : texte) {
            if (dansLaPolice(p, c)) continue;
            if (dessineAilleurs(p, c)) return false;
            manquant = true;
        }
        if (!manquant) return false;
        for (const char32_t c : texte) {
            if (!memeFace(p, c)) return false;
        }
        return true;
    }
    // Whether the font without fallback draws a text of the character's script in the face the
    // font with fallback draws it in (an alias may stand for a family that lacks the script).
    bool memeFace(Police& p, char32_t c) {
        const int ecriture = QChar::script(c);
        const auto [entree, nouvelle] = p.memeFace.try_emplace(ecriture, false);
        if (!nouvelle) return entree->second;
        // Looking for a face for a script no font has tries every family: once per font.
        if (p.famille->autreFaceSansRepli.contains(ecriture)) return false;
        if (!p.seule) {
            const QRawFont propre = QRawFont::fromFont(p.font);
            if (!propre.isValid()) return false;
            p.seule = p.font;
            p.seule->setFamilies({propre.familyName()});
            p.seule->setStyleStrategy(
                QFont::StyleStrategy(p.seule->styleStrategy() | QFont::NoFontMerging));
            p.metriquesSeules.emplace(*p.seule, &appareil());
        }
        const QString texte = QString::fromUcs4(&c, 1);
        entree->second = memesFaces(face(texte, p.font), face(texte, *p.seule));
        if (!entree->second) p.famille->autreFaceSansRepli.insert(ecriture);
        return entree->second;
    }
    // A face is known by its names and its header (its checksum and dates): the face of a run
    // may give no family name.
    static bool memesFaces(const std::optional<QRawFont>& avec,
                           const std::optional<QRawFont>& sans) {
        const auto tables = [](const QRawFont& f) {
            return std::pair(f.fontTable("name"), f.fontTable("head"));
        };
        return avec && sans && !avec->fontTable("name").isEmpty() &&
               tables(*avec) == tables(*sans) && avec->pixelSize() == sans->pixelSize() &&
               avec->weight() == sans->weight() && avec->style() == sans->style();
    }
    // The glyph runs of a text laid out on one line on the device, one per face.
    QList<QGlyphRun> suitesDe(const QString& texte, const QFont& f, int depuis = -1) {
        QTextLayout mise(texte, f, &appareil());
        mise.beginLayout();
        mise.createLine();
        mise.endLayout();
        return mise.glyphRuns(depuis);
    }
    // The one face a text (from `depuis`) is drawn in on the device, if only one.
    std::optional<QRawFont> face(const QString& texte, const QFont& f, int depuis = -1) {
        const QList<QGlyphRun> suites = suitesDe(texte, f, depuis);
        if (suites.size() != 1 || !suites.front().rawFont().isValid()) return std::nullopt;
        return suites.front().rawFont();
    }
    // Measured once per font rather than once per size, where widths grow with the size.
    bool neutreEnDessous(Police& p, char32_t avant, char32_t apres) {
        const float taille = p.etat.taille;
        const bool croissante = taille > 0 && taille <= tailleCroissanteMaximum(p.etat.dpiY);
        auto& neutres = p.famille->neutresJusqua;
        if (neutres.size() >= PairesParPoliceMaximum) neutres.clear();
        float& jusqua = neutres[static_cast<std::uint64_t>(avant) << 32 | apres];
        if (croissante && taille <= jusqua) return true;
        if (ecartBlanc(p, avant, apres) != 0) return false;
        if (croissante) jusqua = std::max(jusqua, taille);
        return true;
    }
    // What "a b" measures beyond "a", " " and "b" (or " b" where b is a mark): the kerning on
    // either side of the blank.
    double ecartBlanc(Police& p, char32_t avant, char32_t apres) {
        avant = pareil(p, avant);
        apres = pareil(p, apres);
        const std::uint64_t cle = static_cast<std::uint64_t>(avant) << 32 | apres;
        if (p.ecartsBlanc.size() >= PairesMaximum) p.ecartsBlanc.clear();
        const auto [entree, nouvelle] = p.ecartsBlanc.try_emplace(cle, 0);
        if (!nouvelle) return entree->second;
        Texte trois;
        if (avant != 0) trois += avant;
        trois += Blanc;
        if (apres != 0) trois += apres;
        double somme = largeurApresBlanc(p, std::u32string_view(&apres, apres != 0 ? 1 : 0));
        if (avant != 0) somme += largeurBrute(p, std::u32string_view(&avant, 1));
        entree->second = mesureDirecte(p, trois) - somme;
        return entree->second;
    }

    // What a blank and the part after it add to a line (`connue`: the part's width, if known).
    // Alone, a word that starts with a mark is drawn on a dotted circle, which after a blank it
    // is not: such a word is measured with its blank, whole.
    double largeurApresBlanc(Police& p, std::u32string_view partie,
                             const double* connue = nullptr) {
        if (partie.empty()) return largeurBlanc(p);
        if (!marqueJointe(partie.front()))
            return largeurBlanc(p) + (connue ? *connue : largeurBrute(p, partie));
        Texte avecBlanc(1, Blanc);
        avecBlanc += partie;
        return mesureRetenue(p, avecBlanc);
    }

    // In a line written left to right, a part that does not take alone the script it takes
    // there (signs take that of the letters before them) adds what it adds after the word
    // before it, less what that word measures: the word gives the part its script, or, if it is
    // of signs too, the last letter before its blank does, with that blank. The kerning on
    // either side of the part's blank is in the probe as in the line.
    // `lettres`, where given, finds the letter before `avant`'s last word in the text that
    // `avant` starts.
    std::optional<double> apresLeMotAvant(Police& p, std::u32string_view avant,
                                          std::u32string_view partie,
                                          LettresAvant* lettres = nullptr) {
        const std::size_t blanc = avant.rfind(Blanc);
        const std::u32string_view mot =
            blanc == std::u32string_view::npos ? avant : avant.substr(blanc + 1);
        if (mot.empty() || mot.find(Tabulation) != mot.npos) return std::nullopt;
        Texte sonde;
        if (std::none_of(mot.begin(), mot.end(), donneSonEcriture)) {
            if (blanc == std::u32string_view::npos) return std::nullopt;
            const std::size_t lettre = lettres ? lettres->avant(blanc) : lettreProche(avant, blanc);
            if (lettre == std::u32string_view::npos) return std::nullopt;
            sonde = {avant[lettre], Blanc};
        }
        sonde += mot;
        const double sansLaPartie = mesureRetenue(p, sonde);
        sonde += Blanc;
        sonde += partie;
        return mesureRetenue(p, sonde) - sansLaPartie;
    }
    // Without the sum's reader, far back the letter is not looked for: on a line of signs,
    // each part would read the whole line again.
    static std::size_t lettreProche(std::u32string_view avant, std::size_t blanc) {
        const std::size_t debut = blanc - std::min(blanc, LettreAuPlusLoin);
        for (std::size_t i = blanc; i-- > debut;) {
            if (donneSonEcriture(avant[i])) return i;
        }
        return std::u32string_view::npos;
    }
    static constexpr std::size_t LettreAuPlusLoin = 64;
    // Qt's measure, kept: not `largeurBrute`, whose sum over the blanks would come back here.
    double mesureRetenue(Police& p, std::u32string_view texte) {
        if (const double* connue = mesures_.trouve(p, texte)) return *connue;
        const double l = mesureDirecte(p, texte);
        mesures_.retient(p, texte, l);
        return l;
    }

    // A part measured in the direction of the text it is in (Qt's option), not in that of its
    // first letter; kept apart from the same part measured alone.
    double largeurDansLeSens(Police& p, std::u32string_view partie, bool droiteAGauche) {
        Texte cle(1, droiteAGauche ? DeDroiteAGauche : DeGaucheADroite);
        cle += partie;
        if (const double* connue = mesures_.trouve(p, cle)) return *connue;
        QTextOption option;
        option.setTextDirection(droiteAGauche ? Qt::RightToLeft : Qt::LeftToRight);
        const double l = p.metriques.horizontalAdvance(
            QString::fromUcs4(partie.data(), static_cast<qsizetype>(partie.size())), option);
        mesures_.retient(p, cle, l);
        return l;
    }
    // Beyond Unicode: no text holds them.
    static constexpr char32_t DeGaucheADroite = 0x110000;
    static constexpr char32_t DeDroiteAGauche = 0x110001;

    double largeurBlanc(Police& p) {
        if (!p.blanc) p.blanc = p.metriques.horizontalAdvance(QString(QChar(u' ')));
        return *p.blanc;
    }

    // The width in pixels, measured once per state. A text of blank-separated parts is the sum
    // of its parts and blanks where that is exactly what Qt would give: most lines a layout
    // tries are a line already measured, a blank and one more word.
    // The text's traits are left in `traitsVus` where they were read on the way.
    double largeurBrute(Police& p, std::u32string_view texte, unsigned* traitsVus = nullptr) {
        unsigned vus = TraitsInconnus;
        if (!traitsVus) traitsVus = &vus;
        if (const std::optional<double> somme = parRecente(p, texte, *traitsVus)) return *somme;
        if (const double* connue = mesures_.trouve(p, texte)) return *connue;
        const std::optional<double> somme = texte.find(Tabulation) != std::u32string_view::npos
                                                ? sommeParTabulations(p, texte, *traitsVus)
                                                : sommeParBlancs(p, texte, *traitsVus);
        const double l = somme ? *somme : mesureQt(p, texte);
        mesures_.retient(p, texte, l);
        if (!somme) mesures_.retientLongue(p, texte, l);
        return l;
    }

    // A recent text, a blank and one more part: its width, a blank's and that part's.
    std::optional<double> parRecente(Police& p, std::u32string_view texte, unsigned& traitsVus) {
        if (texte.empty() || !sommableParSaLongueur(texte)) return std::nullopt;
        const std::size_t blanc = texte.rfind(Blanc);
        if (blanc == std::u32string_view::npos) return std::nullopt;
        for (const auto& r : mesures_.recentes()) {
            const std::size_t n = r.texte.size();
            if (r.police != &p || n != blanc || !memeTexte(texte.substr(0, n), r.texte)) continue;
            const std::u32string_view partie = texte.substr(blanc + 1);
            // With its blank: a part may start with a mark.
            const unsigned traitsPartie = traits(texte.substr(blanc));
            // Refused, the text is measured otherwise, which needs its traits: read from its
            // parts', not again from each of its characters.
            const auto refuse = [&]() -> std::optional<double> {
                traitsVus = traitsDuTout(texte, r.traits | traitsPartie);
                return std::nullopt;
            };
            unsigned t = r.traits | traitsPartie;
            const bool ecritureSeule =
                memeEcriture(r.texte, partie, r.traits & AvecLettre, dansLaPoliceDe(p));
            if (!ecritureSeule && (t & DroiteAGauche)) return refuse();
            // In both directions, the levels of each part depend on the others, but a part may
            // keep its own after a text that keeps its own. How the text ends is read once, then
            // carried from each text to the next. Without a letter of another direction, the
            // text is right to left.
            bool deDroiteAGauche = true;
            if ((t & DroiteAGauche) && (t & AutreQueDroiteAGauche)) {
                FinDeTexte fin = r.fin ? *r.fin : finDe(r.texte);
                if (!accrochable(fin, partie)) return refuse();
                deDroiteAGauche = fin.base() == QChar::DirR;
                t &= ~NiveauxIncertains;
                for (const char32_t c : texte.substr(blanc))
                    fin.ajoute(c);
                finVue_ = FinVue{texte.data(), texte.size(), fin};
            }
            const bool sondes = !sommeExacte(p, t);
            if (sondes && !parSondes(p, t)) return refuse();
            // After a tab, what follows is measured from its stop: the part may not hold one.
            if (traitsPartie & AvecTabulation) return refuse();
            std::optional<double> ajout =
                ecritureSeule && !sondes ? apresLeBlanc(p, r.texte, partie) : std::nullopt;
            if (!ajout && !(t & DroiteAGauche)) {
                ajout = apresLeMotAvant(p, r.texte, partie);
            } else if (!ajout) {
                // Between two words of letters, the blank and the part take the levels of their
                // letters' directions, in the text as after the word alone.
                const std::u32string_view avant = r.texte;
                const std::u32string_view mot = avant.substr(debutDuMot(avant));
                if (deLettres(mot) && deLettres(partie))
                    ajout = apresLesLettres(p, mot, partie, deDroiteAGauche);
            }
            if (!ajout) return refuse();
            const double somme = r.largeur + *ajout;
            if (!(std::fabs(somme) < SommeMaximum)) return refuse();
            traitsVus = t;
            return somme;
        }
        return std::nullopt;
    }

    // What a blank and a part add to a text where the part takes alone the script it takes
    // after it: the kerning at the blank, the blank and the part, most often the word measured
    // just before.
    std::optional<double> apresLeBlanc(Police& p, std::u32string_view avant,
                                       std::u32string_view partie) {
        const std::optional<double> ajout =
            ajoutAuBlanc(p, avant.empty() ? 0 : avant.back(), partie.empty() ? 0 : partie.front());
        if (!ajout) return std::nullopt;
        const auto& recentes = mesures_.recentes();
        const auto meme = std::find_if(recentes.begin(), recentes.end(), [&](const auto& m) {
            return m.police == &p && memeTexte(m.texte, partie);
        });
        return *ajout +
               largeurApresBlanc(p, partie, meme != recentes.end() ? &meme->largeur : nullptr);
    }

    // Where the blank's font draws a script that joins or stacks, Qt shapes its words in one
    // run with the blanks, and a script shaped by syllables may draw its blanks in another
    // face: a part is then summed only as measured after the word before it.
    bool parSondes(Police& p, unsigned t) {
        return (t & (Jointe | Syllabique)) && qt::sommeExacte(t) &&
               (!(t & AvecLettreANukta) || lettresANuktaDessinees(p));
    }
    bool lettresANuktaDessinees(Police& p) {
        if (!p.lettresANuktaDessinees) {
            bool dessinees = true;
            for (char32_t c = 0x929; dessinees && c <= 0x95F; ++c) {
                if (lettreANukta(c)) dessinees = dansLaPolice(p, c) || dessineAilleurs(p, c);
            }
            p.lettresANuktaDessinees = dessinees;
        }
        return *p.lettresANuktaDessinees;
    }

    // In a text that holds right-to-left letters, a part measured after the word before it, in
    // the text's direction, where that word is of letters only (it then needs no letter before
    // it) and the caller knows that the word, the blank and the part take there the levels they
    // have in the text.
    double apresLesLettres(Police& p, std::u32string_view mot, std::u32string_view partie,
                           bool droiteAGauche) {
        const double sansLaPartie = largeurDansLeSens(p, mot, droiteAGauche);
        Texte sonde(mot);
        sonde += Blanc;
        sonde += partie;
        return largeurDansLeSens(p, sonde, droiteAGauche) - sansLaPartie;
    }
    static std::size_t debutDuMot(std::u32string_view avant) {
        const std::size_t blanc = avant.rfind(Blanc);
        return blanc == std::u32string_view::npos ? 0 : blanc + 1;
    }
    // Letters, and marks on them, from a script's own: their levels are their direction's in
    // any text, and the word starts a run of its script.
    static bool deLettres(std::u32string_view mot) {
        const auto lettre = [](char32_t c) { return lettreForte(classeBidi(c)); };
        return !mot.empty() && ecriturePropre(mot.front()) && lettre(mot.front()) &&
               std::all_of(mot.begin(), mot.end(),
                           [&](char32_t c) { return lettre(c) || classeBidi(c) == QChar::DirNSM; });
    }

    // Qt never shapes across a tab, and measures what follows the last one from its stop; the
    // stop comes from the width of the text before the tab. What follows must start with a
    // letter: a blank or a sign there takes the script of the text before the tab (a blank
    // after Greek is not kerned with a Latin letter), which alone it has not.
    std::optional<double> sommeParTabulations(Police& p, std::u32string_view texte,
                                              unsigned& traitsVus) {
        if (const std::optional<double> l = apresLesBlancsDuDebut(p, texte)) return l;
        const std::size_t tab = texte.rfind(Tabulation);
        const bool finit = tab + 1 == texte.size();
        if ((!finit && !lettre(texte[tab + 1])) || !sommableParSaLongueur(texte))
            return std::nullopt;
        if (traitsVus == TraitsInconnus) traitsVus = traits(texte);
        if (!sommeExacte(p, traitsVus)) return std::nullopt;
        if (finit) return arretSuivant(p, tab == 0 ? 0 : largeurBrute(p, texte.substr(0, tab)));
        const double somme =
            largeurBrute(p, texte.substr(0, tab + 1)) + largeurBrute(p, texte.substr(tab + 1));
        if (!(std::fabs(somme) < SommeMaximum)) return std::nullopt;
        return somme;
    }

    // Blanks that start a text and stop short of where its first tab would stop anyway: the
    // tab stops there, and what follows is laid out from there, as without them. The blanks
    // hold no letter, so what follows takes the same direction and script. Whatever the
    // length: a text past what may be summed is then Qt's own measure, kept.
    std::optional<double> apresLesBlancsDuDebut(Police& p, std::u32string_view texte) {
        const std::size_t tab = texte.find_first_not_of(Blanc);
        if (tab == 0 || tab == std::u32string_view::npos || texte[tab] != Tabulation)
            return std::nullopt;
        const std::optional<double> arret = arretSuivant(p, largeurBrute(p, texte.substr(0, tab)));
        if (!arret || arret != arretSuivant(p, 0)) return std::nullopt;
        return largeurBrute(p, texte.substr(tab));
    }

    // Where a tab after text of this width ends, in Qt's own reckoning: in 1/64 pixel, the
    // position is divided by the distance between stops rounded to 1/64 (so a text just short
    // of a stop goes to the next), and the next whole stop taken.
    std::optional<double> arretSuivant(Police& p, double position) {
        if (!p.tabulation) p.tabulation = p.metriques.horizontalAdvance(QString(QChar(u'\t')));
        const double x = position * 64;
        const double pas = *p.tabulation * 64;
        if (!(x >= 0 && x < SommeMaximum * 64 && pas >= 1 && pas < SommeMaximum * 64) ||
            x != std::floor(x) || pas != std::floor(pas))
            return std::nullopt;
        const auto a = static_cast<std::int64_t>(x);
        const auto b = static_cast<std::int64_t>(pas);
        const std::int64_t arret = ((((a << 6) + (b >> 1)) / b >> 6) + 1) * b;
        if (arret >= static_cast<std::int64_t>(SommeMaximum) * 64) return std::nullopt;
        return static_cast<double>(arret) / 64;
    }

    // From the right, part after part, until the text before a blank is one measured. Where a
    // blank may not part the text, the part reaches over it to the blank before, and is
    // measured with it: a word of marks alone goes with the word before it. In a text that
    // holds right-to-left letters, a part of several words, or any part where the words do not
    // all keep alone the levels they have in the text, ends at a blank where the text may be
    // parted whatever its words.
    std::optional<double> sommeParBlancs(Police& p, std::u32string_view texte,
                                         unsigned& traitsVus) {
        if (texte.size() < 2 || !sommableParSaLongueur(texte)) return std::nullopt;
        std::size_t blanc = texte.rfind(Blanc);
        if (blanc == std::u32string_view::npos) return std::nullopt;
        if (traitsVus == TraitsInconnus) traitsVus = traits(texte);
        const bool sondes = !sommeExacte(p, traitsVus & ~NiveauxIncertains);
        if (sondes && !parSondes(p, traitsVus & ~NiveauxIncertains)) return std::nullopt;
        // Only the line asked for, not its parts, is parted at the blanks of the line before,
        // and takes up the levels read for it.
        const bool ligne = sommesEnCours_ == 0;
        std::optional<CoupesSures> coupesSures;
        if (traitsVus & DroiteAGauche)
            coupesSures.emplace(texte, ligne ? &niveauxDesLignes_ : nullptr, &niveauxDesParties_);
        const std::size_t premiereLettre = static_cast<std::size_t>(
            std::find_if(texte.begin(), texte.end(), ecriturePropre) - texte.begin());
        double somme = 0;
        std::size_t fin = texte.size();
        bool partieLongue = false;
        const EnCours enCours(sommesEnCours_);
        MesuresPolices::Debuts& debuts = mesures_.debuts();
        const bool prolonge = ligne && debuts.police == &p && debuts.texte.size() < texte.size() &&
                              memeTexte(texte.substr(0, debuts.texte.size()), debuts.texte);
        std::size_t connus = prolonge ? debuts.largeurs.size() : 0;
        if (ligne) coupes_.clear();
        std::size_t gardes = 0;
        LettresAvant lettres(texte);
        for (int essais = 0;; ++essais) {
            const std::u32string_view partie = texte.substr(blanc + 1, fin - blanc - 1);
            const bool motAMot =
                !coupesSures || (!partieLongue && !(traitsVus & NiveauxIncertains));
            const bool coupe = motAMot || coupesSures->avant(blanc, fin);
            const bool dansLeSens = !motAMot && coupesSures->dansLeSensDuTexte();
            std::optional<double> ajout;
            if (coupe) {
                const std::u32string_view avant = texte.substr(0, blanc);
                if (const auto auBlanc =
                        sondes ? std::nullopt
                               : separables(p, avant, partie, premiereLettre < blanc)) {
                    ajout = *auBlanc +
                            (dansLeSens ? largeurBlanc(p) +
                                              largeurDansLeSens(p, partie,
                                                                coupesSures->texteDeDroiteAGauche())
                                        : largeurApresBlanc(p, partie));
                } else if (!coupesSures) {
                    ajout = apresLeMotAvant(p, avant, partie, &lettres);
                } else {
                    // Only where the levels of the word before, the blank and the part are
                    // those of the line.
                    const std::size_t mot = debutDuMot(avant);
                    if (deLettres(avant.substr(mot)) && coupesSures->auxNiveauxDuTexte(mot, fin))
                        ajout = apresLesLettres(p, avant.substr(mot), partie,
                                                coupesSures->texteDeDroiteAGauche());
                }
            }
            if (ajout) {
                somme += *ajout;
                fin = blanc;
                partieLongue = false;
                if (ligne) coupes_.emplace_back(fin, somme);
                while (connus > 0 && debuts.largeurs[connus - 1].first > fin)
                    --connus;
                if (connus > 0 && debuts.largeurs[connus - 1].first == fin) {
                    somme += debuts.largeurs[connus - 1].second;
                    gardes = connus - 1;
                    break;
                }
                const std::u32string_view tete = texte.substr(0, fin);
                if (essais < 4 && !tete.empty()) {
                    const double* connue = mesures_.recente(p, tete);
                    if (!connue) connue = mesures_.trouve(p, tete);
                    if (connue) {
                        somme += *connue;
                        break;
                    }
                }
            } else {
                partieLongue = true;
            }
            blanc = blanc == 0 ? std::u32string_view::npos : texte.rfind(Blanc, blanc - 1);
            if (blanc == std::u32string_view::npos) {
                if (fin == texte.size()) return std::nullopt;
                if (fin > 0) somme += largeurBrute(p, texte.substr(0, fin));
                break;
            }
        }
        if (!(std::fabs(somme) < SommeMaximum)) return std::nullopt;
        if (ligne) retientDebuts(p, texte, somme, gardes);
        return somme;
    }
    // Those of the line before up to where it was parted alike, then its own.
    void retientDebuts(const Police& p, std::u32string_view texte, double largeur,
                       std::size_t gardes) {
        MesuresPolices::Debuts& debuts = mesures_.debuts();
        debuts.largeurs.resize(gardes);
        for (auto c = coupes_.rbegin(); c != coupes_.rend(); ++c)
            debuts.largeurs.emplace_back(c->first, largeur - c->second);
        debuts.largeurs.emplace_back(texte.size(), largeur);
        debuts.police = &p;
        debuts.texte = texte;
    }
    struct EnCours {
        explicit EnCours(int& n) : n_(n) { ++n_; }
        ~EnCours() { --n_; }
        EnCours(const EnCours&) = delete;
        EnCours& operator=(const EnCours&) = delete;
        int& n_;
    };

    // What a line's width adds to that of the text before a blank, the blank and the part
    // after it, where it is that sum and the kerning at the blank. A part that reaches over a
    // blank may not start with a mark: measured alone, a mark after a blank at the start of a
    // text may have an advance it has not in the line.
    std::optional<double> separables(Police& p, std::u32string_view avant,
                                     std::u32string_view partie, bool avantAvecLettre) {
        const char32_t dernier = avant.empty() ? 0 : avant.back();
        const char32_t premier = partie.empty() ? 0 : partie.front();
        const std::optional<double> ajout = ajoutAuBlanc(p, dernier, premier);
        if (!ajout) return std::nullopt;
        if (partie.find(Blanc) != std::u32string_view::npos && marque(premier)) return std::nullopt;
        if (!memeEcriture(avant, partie, avantAvecLettre, dansLaPoliceDe(p))) return std::nullopt;
        return ajout;
    }
    // The kerning at a blank between two Latin letters, as the three measure it: the pairs on
    // either side are those of the line, in one Latin run with the blank, laid out left to
    // right in a text of either direction. Elsewhere a blank must add its width alone (signs
    // beside it take the script of the letters before them, which may part its run).
    std::optional<double> ajoutAuBlanc(Police& p, char32_t avant, char32_t apres) {
        // Beside a soft hyphen, the blank kerns with the character beyond it.
        if (avant == Cesure || apres == Cesure) return std::nullopt;
        if (blancNeutre(p, avant, apres)) return 0.0;
        if (!lettreLatine(avant) || !lettreLatine(apres)) return std::nullopt;
        return ecartBlanc(p, avant, apres);
    }
    static bool lettreLatine(char32_t c) {
        return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') ||
               (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
    }

    Police& policeEnCours() {
        QPaintDevice& a = appareil();
        // The state of the last measure, compared in place: building the key would copy the
        // font's name on every measure.
        if (Police* c = mesures_.courante()) {
            const EtatPolice& e = c->etat;
            if (e.taille == this->fontSize_ && e.gras == this->bold_ &&
                e.italique == this->italic_ && e.souligne == this->underline_ &&
                e.barre == this->strike_ && e.dpiX == a.logicalDpiX() &&
                e.dpiY == a.logicalDpiY() && e.nom == this->fontName_) {
                return *c;
            }
        }
        return mesures_.police(
            {this->fontName_, this->fontSize_, this->bold_, this->italic_, this->underline_,
             this->strike_, a.logicalDpiX(), a.logicalDpiY()},
            [&] { return police(); }, a);
    }

    MesuresPolices mesures_;
    // How the text `parRecente` last summed in both directions ends.
    struct FinVue {
        const char32_t* texte;
        std::size_t taille;
        FinDeTexte fin;
    };
    std::optional<FinVue> finVue_;
    // How many sums over blanks are under way: the first is the line asked for.
    int sommesEnCours_ = 0;
    // Where that line was parted, with what the parts after each blank add up to.
    std::vector<std::pair<std::size_t, double>> coupes_;
    CoupesSures::Lecteurs niveauxDesLignes_;
    NiveauxDesParties niveauxDesParties_;
    std::vector<ImageConnue> images_;
    // Text is drawn in the surface's text colour, which nothing changes.
    std::int32_t foreColor_ = 0;
};

}  // namespace vitrail::qt
