#include "FichierPlanning.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <string_view>

#include "vitrail/Champs.hpp"

namespace vitrail::fichier {

namespace {

using json = nlohmann::json;

// Deeper than this, a document is no planning; the limit keeps the work linear in the file.
constexpr std::size_t ProfondeurMax = 256;

// Walks the text for the parser and counts the lines it has read, so that every key can be
// given the line it stands on.
class LecteurLignes {
  public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    LecteurLignes(const char* position, int* ligne) : position_(position), ligne_(ligne) {}
    reference operator*() const { return *position_; }
    LecteurLignes& operator++() {
        if (*position_ == '\n') ++*ligne_;
        ++position_;
        return *this;
    }
    LecteurLignes operator++(int) {
        LecteurLignes avant = *this;
        ++*this;
        return avant;
    }
    bool operator==(const LecteurLignes& autre) const { return position_ == autre.position_; }

  private:
    const char* position_;
    int* ligne_;
};

// A JSON pointer from its steps, escaped, each step cut short so that a message stays
// readable whatever the file holds.
std::string pointeur(const std::vector<std::string>& etapes) {
    constexpr std::size_t Longueur = 64;
    constexpr std::size_t Debut = 6, Fin = 3;
    if (etapes.empty()) return "/";
    std::string texte;
    for (std::size_t i = 0; i < etapes.size(); ++i) {
        if (etapes.size() > Debut + Fin + 1 && i == Debut) {
            texte += "/…";
            i = etapes.size() - Fin - 1;
            continue;
        }
        const std::string& etape = etapes[i];
        texte += '/';
        std::size_t fin = etape.size();
        if (fin > Longueur) {
            fin = Longueur;
            while (fin > 0 && (static_cast<unsigned char>(etape[fin]) & 0xC0) == 0x80)
                --fin;
        }
        for (std::size_t j = 0; j < fin; ++j) {
            const char c = etape[j];
            if (c == '~') {
                texte += "~0";
            } else if (c == '/') {
                texte += "~1";
            } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                texte += '?';
            } else {
                texte += c;
            }
        }
        if (fin < etape.size()) texte += "…";
    }
    return texte;
}

// The text with every byte that is not part of a UTF-8 character written \xNN: the parser
// quotes what it read, which may be anything.
std::string lisible(const std::string& texte) {
    std::string resultat;
    for (std::size_t i = 0; i < texte.size();) {
        const auto octet = [&](std::size_t j) { return static_cast<unsigned char>(texte[j]); };
        const unsigned char c = octet(i);
        std::size_t n = c < 0x80                 ? 1
                        : c >= 0xC2 && c <= 0xDF ? 2
                        : c >= 0xE0 && c <= 0xEF ? 3
                        : c >= 0xF0 && c <= 0xF4 ? 4
                                                 : 0;
        for (std::size_t k = 1; k < n; ++k) {
            if (i + k >= texte.size() || (octet(i + k) & 0xC0) != 0x80) n = 0;
        }
        // Overlong forms, surrogates and code points past U+10FFFF.
        if (n == 3 && ((c == 0xE0 && octet(i + 1) < 0xA0) || (c == 0xED && octet(i + 1) > 0x9F)))
            n = 0;
        if (n == 4 && ((c == 0xF0 && octet(i + 1) < 0x90) || (c == 0xF4 && octet(i + 1) > 0x8F)))
            n = 0;
        if (n == 0) {
            constexpr char Chiffres[] = "0123456789ABCDEF";
            resultat += "\\x";
            resultat += Chiffres[c >> 4];
            resultat += Chiffres[c & 0xF];
            n = 1;
        } else {
            resultat.append(texte, i, n);
        }
        i += n;
    }
    return resultat;
}

// What every SAX reader here declares.
struct LecteurSax {
    using number_integer_t = json::number_integer_t;
    using number_unsigned_t = json::number_unsigned_t;
    using number_float_t = json::number_float_t;
    using string_t = json::string_t;
    using binary_t = json::binary_t;
};

// Builds the document and refuses what is too deep. Work and memory stay in proportion to the
// text: a level knows its key or index, never the whole path, which is only spelled out for a
// message, and the only lines kept are those of the frames (a message finds any other line
// with LigneDeValeur).
class Constructeur : public LecteurSax {
  public:
    Constructeur(json& racine, const int& ligne) : racine_(racine), ligne_(ligne) {}

    bool null() { return place(nullptr); }
    bool boolean(bool b) { return place(b); }
    bool number_integer(number_integer_t n) { return place(n); }
    bool number_unsigned(number_unsigned_t n) { return place(n); }
    bool number_float(number_float_t x, const string_t&) { return place(x); }
    bool string(string_t& s) { return place(std::move(s)); }
    bool binary(binary_t& b) { return place(json::binary(std::move(b))); }

    bool start_object(std::size_t) { return ouvre(json::object()); }
    bool key(string_t& cle) {
        Niveau& n = niveaux_.back();
        const auto membre = n.valeur->get_ref<json::object_t&>().try_emplace(std::move(cle)).first;
        n.cle = &membre->first;
        membre_ = &membre->second;
        return true;
    }
    bool end_object() {
        niveaux_.pop_back();
        return true;
    }
    bool start_array(std::size_t) { return ouvre(json::array()); }
    bool end_array() {
        niveaux_.pop_back();
        return true;
    }

    bool parse_error(std::size_t octet, const std::string&, const nlohmann::detail::exception& e) {
        octetErreur_ = octet;
        raison_ = e.what();
        // "[json.exception.parse_error.101] parse error at line 3, column 13: syntax error..."
        if (const auto crochet = raison_.find("] "); crochet != std::string::npos) {
            raison_.erase(0, crochet + 2);
        }
        if (raison_.starts_with("parse error")) {
            if (const auto deuxPoints = raison_.find(": "); deuxPoints != std::string::npos) {
                raison_.erase(0, deuxPoints + 2);
            }
        }
        constexpr std::size_t Longueur = 160;
        const bool coupee = raison_.size() > Longueur;
        raison_ = lisible(raison_.substr(0, Longueur)) + (coupee ? "…" : "");
        raison_ = (e.id == 406 ? "nombre hors des limites : " : "JSON mal formé : ") + raison_;
        etapesErreur_ = etapes();
        return false;
    }

    // Why the parse stopped, where, and at which byte (none for the nesting limit).
    const std::string& raison() const { return raison_; }
    const std::vector<std::string>& etapesErreur() const { return etapesErreur_; }
    std::optional<std::size_t> octetErreur() const { return octetErreur_; }
    // The line each element of the root's "cadres" starts on (of the last such key).
    std::vector<int>& lignesCadres() { return lignesCadres_; }

  private:
    struct Niveau {
        json* valeur;
        const std::string* cle;  // the member being read, in an object
    };

    // Puts a value where the parser is: the root, the member just named, or the end of the
    // array.
    bool place(json&& valeur) {
        dernier_ = placeEtDonne(std::move(valeur));
        return true;
    }
    json* placeEtDonne(json&& valeur) {
        if (niveaux_.empty()) {
            racine_ = std::move(valeur);
            return &racine_;
        }
        json& parent = *niveaux_.back().valeur;
        if (!parent.is_array()) {
            *membre_ = std::move(valeur);
            return membre_;
        }
        auto& elements = parent.get_ref<json::array_t&>();
        if (dansLesCadres()) lignesCadres_.push_back(ligne_);
        elements.push_back(std::move(valeur));
        return &elements.back();
    }
    bool ouvre(json&& conteneur) {
        if (niveaux_.size() >= ProfondeurMax) {
            etapesErreur_ = etapes();
            raison_ = "plus de " + std::to_string(ProfondeurMax) + " niveaux d'imbrication";
            return false;
        }
        if (niveaux_.size() == 1 && niveaux_[0].cle != nullptr && *niveaux_[0].cle == "cadres") {
            lignesCadres_.clear();
        }
        // The container does not move while it is open: nothing is added to its parent.
        place(std::move(conteneur));
        niveaux_.push_back({dernier_, nullptr});
        return true;
    }
    bool dansLesCadres() const {
        return niveaux_.size() == 2 && niveaux_[0].cle != nullptr && *niveaux_[0].cle == "cadres";
    }
    // The steps to the value being read. In the innermost array, that is the next element.
    std::vector<std::string> etapes() const {
        std::vector<std::string> resultat;
        for (std::size_t i = 0; i < niveaux_.size(); ++i) {
            const Niveau& n = niveaux_[i];
            if (n.valeur->is_array()) {
                const std::size_t taille = n.valeur->size();
                const bool interieur = i + 1 < niveaux_.size();
                resultat.push_back(std::to_string(interieur && taille > 0 ? taille - 1 : taille));
            } else if (n.cle != nullptr) {
                resultat.push_back(*n.cle);
            }
        }
        return resultat;
    }

    json& racine_;
    std::vector<Niveau> niveaux_;
    json* membre_ = nullptr;
    json* dernier_ = nullptr;
    std::string raison_;
    std::vector<std::string> etapesErreur_;
    std::optional<std::size_t> octetErreur_;
    const int& ligne_;
    std::vector<int> lignesCadres_;
};

// Reads the text again to find the line of one value: a member's is its key's, an element's its
// own. With a key given twice, the document keeps the last, and so does this.
class LigneDeValeur : public LecteurSax {
  public:
    LigneDeValeur(const std::vector<std::string>& cible, const int& ligne)
        : cible_(cible), ligne_(ligne) {}

    bool null() { return valeur(); }
    bool boolean(bool) { return valeur(); }
    bool number_integer(number_integer_t) { return valeur(); }
    bool number_unsigned(number_unsigned_t) { return valeur(); }
    bool number_float(number_float_t, const string_t&) { return valeur(); }
    bool string(string_t&) { return valeur(); }
    bool binary(binary_t&) { return valeur(); }
    bool start_object(std::size_t) { return ouvre(false); }
    bool start_array(std::size_t) { return ouvre(true); }
    bool end_object() { return ferme(); }
    bool end_array() { return ferme(); }
    bool key(string_t& cle) {
        // Only the levels on the way to the value are compared.
        if (niveaux_.size() <= cible_.size()) niveaux_.back().etape = std::move(cle);
        trouve();
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
        return false;
    }

    int ligne() const { return trouvee_; }

  private:
    struct Niveau {
        bool tableau;
        std::size_t elements = 0;
        std::string etape;
    };
    bool valeur() {
        if (niveaux_.empty() || !niveaux_.back().tableau) return true;
        Niveau& n = niveaux_.back();
        if (niveaux_.size() <= cible_.size()) n.etape = std::to_string(n.elements);
        ++n.elements;
        trouve();
        return true;
    }
    bool ouvre(bool tableau) {
        valeur();
        niveaux_.push_back({tableau, 0, {}});
        return true;
    }
    bool ferme() {
        niveaux_.pop_back();
        return true;
    }
    void trouve() {
        if (niveaux_.size() != cible_.size()) return;
        for (std::size_t i = 0; i < cible_.size(); ++i) {
            if (niveaux_[i].etape != cible_[i]) return;
        }
        trouvee_ = ligne_;
    }

    const std::vector<std::string>& cible_;
    const int& ligne_;
    std::vector<Niveau> niveaux_;
    int trouvee_ = 1;
};

int ligneDe(const std::string& texte, const std::vector<std::string>& etapes) {
    int ligne = 1;
    LigneDeValeur lecteur(etapes, ligne);
    json::sax_parse(LecteurLignes(texte.data(), &ligne),
                    LecteurLignes(texte.data() + texte.size(), &ligne), &lecteur);
    return lecteur.ligne();
}

// The text being read and its name, for the messages.
struct Source {
    const std::string& texte;
    const std::string& fichier;
};

// Reads one object's fields, each by its argument's name and type; whatever is left over is an
// unknown key.
class Champs {
  public:
    Champs(const json& objet, std::vector<std::string> chemin, const Source& source)
        : objet_(objet), chemin_(std::move(chemin)), source_(source) {
        if (!objet.is_object()) echec(chemin_, "un objet est attendu");
    }

    [[noreturn]] void echec(const std::vector<std::string>& etapes,
                            const std::string& message) const {
        throw ErreurFichier(source_.fichier + ':' + std::to_string(ligneDe(source_.texte, etapes)) +
                            ": champ " + pointeur(etapes) + " : " + message);
    }
    [[noreturn]] void echec(std::string_view nom, const std::string& message) const {
        std::vector<std::string> etapes = chemin_;
        etapes.emplace_back(nom);
        echec(etapes, message);
    }

    const json* trouve(std::string_view nom) {
        lus_.push_back(nom);
        const auto valeur = objet_.find(nom);
        return valeur == objet_.end() ? nullptr : &*valeur;
    }

    void reel(std::string_view nom, double& cible) {
        if (const json* v = trouve(nom)) {
            if (!v->is_number()) echec(nom, "un nombre est attendu");
            cible = v->get<double>();
        }
    }
    template <class Entier>
    void entier(std::string_view nom, Entier& cible) {
        if (const json* v = trouve(nom)) {
            const bool entierJson =
                v->is_number_integer() ||
                (v->is_number_float() && std::trunc(v->get<double>()) == v->get<double>());
            if (!entierJson) echec(nom, "un nombre entier est attendu");
            const double x = v->get<double>();
            if (x < std::numeric_limits<Entier>::min() || x > std::numeric_limits<Entier>::max()) {
                echec(nom, "hors des limites " +
                               std::to_string(std::numeric_limits<Entier>::min()) + " à " +
                               std::to_string(std::numeric_limits<Entier>::max()));
            }
            cible = static_cast<Entier>(x);
        }
    }
    void booleen(std::string_view nom, bool& cible) {
        if (const json* v = trouve(nom)) {
            if (!v->is_boolean()) echec(nom, "true ou false est attendu");
            cible = v->get<bool>();
        }
    }
    void texte(std::string_view nom, std::string& cible) {
        if (const json* v = trouve(nom)) {
            if (!v->is_string()) echec(nom, "un texte est attendu");
            cible = v->get<std::string>();
        }
    }
    // A flag: a Boolean, a number or a text.
    void valeur(std::string_view nom, Valeur& cible) {
        if (const json* v = trouve(nom)) {
            if (v->is_boolean()) {
                cible = v->get<bool>();
            } else if (v->is_number()) {
                cible = v->get<double>();
            } else if (v->is_string()) {
                cible = v->get<std::string>();
            } else {
                echec(nom, "true, false, un nombre ou un texte est attendu");
            }
        }
    }
    void exige(std::string_view nom) {
        if (objet_.find(nom) == objet_.end())
            echec(chemin_, "il manque \"" + std::string(nom) + "\"");
    }
    // Every key not read is unknown.
    void termine() const {
        for (const auto& membre : objet_.get_ref<const json::object_t&>()) {
            if (std::find(lus_.begin(), lus_.end(), membre.first) == lus_.end()) {
                echec(membre.first, "clé inconnue");
            }
        }
    }

  private:
    const json& objet_;
    std::vector<std::string> chemin_;
    const Source& source_;
    std::vector<std::string_view> lus_;
};

// Each field of an argument struct read by its name and as its type.
class LecteurChamps : public VisiteurChamps {
  public:
    explicit LecteurChamps(Champs& champs) : c_(champs) {}
    void champ(std::string_view nom, double& valeur) override { c_.reel(nom, valeur); }
    void champ(std::string_view nom, std::int16_t& valeur) override { c_.entier(nom, valeur); }
    void champ(std::string_view nom, std::int32_t& valeur) override { c_.entier(nom, valeur); }
    void champ(std::string_view nom, bool& valeur) override { c_.booleen(nom, valeur); }
    void champ(std::string_view nom, std::string& valeur) override { c_.texte(nom, valeur); }
    void champ(std::string_view nom, Valeur& valeur) override { c_.valeur(nom, valeur); }

  private:
    Champs& c_;
};

ArgumentsInitialise litInitialise(Champs c) {
    ArgumentsInitialise a;
    LecteurChamps lecteur(c);
    visiteChamps(a, lecteur);
    c.termine();
    return a;
}

CadreTexte litCadreTexte(Champs& c) {
    CadreTexte cadre;
    c.exige("piHaut");
    c.exige("piGauche");
    c.reel("piHaut", cadre.piHaut);
    c.reel("piGauche", cadre.piGauche);
    LecteurChamps lecteur(c);
    visiteChamps(cadre.arguments, lecteur);
    return cadre;
}

CadreImage litCadreImage(Champs& c, const std::filesystem::path& dossierImages) {
    CadreImage cadre;
    c.exige("psImagePath");
    c.exige("piHaut");
    c.exige("piGauche");
    c.texte("psImagePath", cadre.psImagePath);
    c.reel("piHaut", cadre.piHaut);
    c.reel("piGauche", cadre.piGauche);
    c.reel("piBas", cadre.piBas);
    c.reel("piDroite", cadre.piDroite);
    const std::filesystem::path chemin(cadre.psImagePath);
    if (chemin.is_relative()) cadre.psImagePath = (dossierImages / chemin).lexically_normal();
    return cadre;
}

ArgumentsShow litShow(Champs c, bool& echappeHtml) {
    ArgumentsShow a;
    std::int32_t cible = a.piTypeImpression;
    c.entier("piTypeImpression", cible);
    a.piTypeImpression = static_cast<eTypeSortie>(cible);
    c.booleen("pbAlsoScreen", a.pbAlsoScreen);
    c.texte("psVersOu", a.psVersOu);
    c.texte("psOrientation", a.psOrientation);
    c.booleen("pbPromptPrinter", a.pbPromptPrinter);
    c.texte("psChemin", a.psChemin);
    c.texte("psPaperSize", a.psPaperSize);
    c.booleen("echappeHtml", echappeHtml);
    c.termine();
    return a;
}

}  // namespace

Planning litTexte(const std::string& texte, const std::string& nomFichier,
                  const std::filesystem::path& dossierImages) {
    json document;
    int ligne = 1;
    Constructeur constructeur(document, ligne);
    const bool lu =
        json::sax_parse(LecteurLignes(texte.data(), &ligne),
                        LecteurLignes(texte.data() + texte.size(), &ligne), &constructeur);
    if (!lu) {
        // The parser reads one character ahead: count the lines up to where it says it stopped.
        if (const auto octet = constructeur.octetErreur()) {
            const auto fin = static_cast<std::ptrdiff_t>(std::min(*octet, texte.size()));
            ligne = 1 + static_cast<int>(std::count(texte.begin(), texte.begin() + fin, '\n'));
        }
        throw ErreurFichier(nomFichier + ":" + std::to_string(ligne) + ": champ " +
                            pointeur(constructeur.etapesErreur()) + " : " + constructeur.raison());
    }

    const Source source{texte, nomFichier};
    Champs racine(document, {}, source);
    Planning planning;
    planning.fichier = nomFichier;
    planning.lignesCadres = std::move(constructeur.lignesCadres());
    if (const json* initialise = racine.trouve("initialise")) {
        planning.initialise = litInitialise(Champs(*initialise, {"initialise"}, source));
    }
    if (const json* cadres = racine.trouve("cadres")) {
        if (!cadres->is_array()) racine.echec("cadres", "un tableau de cadres est attendu");
        for (std::size_t i = 0; i < cadres->size(); ++i) {
            Champs c((*cadres)[i], {"cadres", std::to_string(i)}, source);
            std::string type;
            c.exige("type");
            c.texte("type", type);
            if (type == "texte") {
                planning.cadres.emplace_back(litCadreTexte(c));
            } else if (type == "image") {
                planning.cadres.emplace_back(litCadreImage(c, dossierImages));
            } else {
                c.echec("type", "\"texte\" ou \"image\" est attendu");
            }
            c.termine();
        }
    }
    if (const json* show = racine.trouve("show")) {
        planning.show = litShow(Champs(*show, {"show"}, source), planning.echappeHtml);
    }
    racine.termine();
    return planning;
}

Planning lit(const std::filesystem::path& fichier) {
    const auto illisible = [&](const std::string& raison) {
        return ErreurFichier(fichier.string() + ": impossible de lire le fichier : " + raison);
    };
    std::error_code code;
    if (std::filesystem::is_directory(fichier, code)) throw illisible("c'est un dossier");
    std::ifstream flux(fichier, std::ios::binary);
    if (!flux) throw illisible(std::strerror(errno));
    std::string texte;
    try {
        std::array<char, 1 << 16> bloc;
        while (flux.read(bloc.data(), bloc.size()) || flux.gcount() > 0) {
            texte.append(bloc.data(), static_cast<std::size_t>(flux.gcount()));
        }
    } catch (const std::ios_base::failure& e) {
        throw illisible(e.what());
    }
    if (flux.bad()) throw illisible("erreur de lecture");
    return litTexte(texte, fichier.string(), fichier.parent_path());
}

std::string ouEst(const Planning& planning, std::size_t cadre) {
    std::string texte = planning.fichier;
    if (cadre < planning.lignesCadres.size()) {
        texte += ':' + std::to_string(planning.lignesCadres[cadre]);
    }
    texte += ": frame /cadres/" + std::to_string(cadre);
    if (cadre < planning.cadres.size()) {
        if (const auto* image = std::get_if<CadreImage>(&planning.cadres[cadre])) {
            texte += ", picture " + image->psImagePath;
        }
    }
    return texte;
}

void joue(const Planning& planning, TracPlanDLL& plan,
          const std::function<void(std::optional<std::size_t>)>& suivi) {
    if (planning.echappeHtml) plan.EchappeHtml(true);
    if (planning.initialise) plan.Initialise(*planning.initialise);
    for (const auto& cadre : planning.cadres) {
        if (suivi) suivi(static_cast<std::size_t>(&cadre - planning.cadres.data()));
        if (const auto* texte = std::get_if<CadreTexte>(&cadre)) {
            plan.NewCadreTexte(texte->piHaut, texte->piGauche, texte->arguments);
        } else {
            const auto& image = std::get<CadreImage>(cadre);
            plan.NewCadreImage(image.psImagePath, image.piHaut, image.piGauche, image.piBas,
                               image.piDroite);
        }
    }
    if (suivi) suivi(std::nullopt);
}

}  // namespace vitrail::fichier
