#include "FichierPlanning.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

namespace vitrail::fichier {

namespace {

using json = nlohmann::json;

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

// Builds the document and notes the line of every key and of every value in an array, by its
// JSON pointer.
class ConstructeurAvecLignes : public nlohmann::detail::json_sax_dom_parser<json> {
  public:
    using Base = nlohmann::detail::json_sax_dom_parser<json>;

    ConstructeurAvecLignes(json& document, const int& ligne, std::map<std::string, int>& lignes)
        : Base(document, true), ligne_(ligne), lignes_(lignes) {}

    bool start_object(std::size_t n) {
        valeur();
        chemins_.push_back({chemin(), -1, ""});
        return Base::start_object(n);
    }
    bool end_object() {
        chemins_.pop_back();
        return Base::end_object();
    }
    bool start_array(std::size_t n) {
        valeur();
        chemins_.push_back({chemin(), 0, ""});
        return Base::start_array(n);
    }
    bool end_array() {
        chemins_.pop_back();
        return Base::end_array();
    }
    bool key(string_t& cle) {
        chemins_.back().cle = cle;
        lignes_[chemins_.back().base + "/" + cle] = ligne_;
        return Base::key(cle);
    }
    bool null() { return valeur(), Base::null(); }
    bool boolean(bool b) { return valeur(), Base::boolean(b); }
    bool number_integer(number_integer_t n) { return valeur(), Base::number_integer(n); }
    bool number_unsigned(number_unsigned_t n) { return valeur(), Base::number_unsigned(n); }
    bool number_float(number_float_t x, const string_t& s) {
        return valeur(), Base::number_float(x, s);
    }
    bool string(string_t& s) { return valeur(), Base::string(s); }

  private:
    struct Niveau {
        std::string base;
        int index;  // -1 in an object
        std::string cle;
    };
    std::string chemin() const {
        if (chemins_.empty()) return "";
        const Niveau& n = chemins_.back();
        return n.base + "/" + (n.index >= 0 ? std::to_string(n.index - 1) : n.cle);
    }
    // A value in an array takes the next index and its line.
    void valeur() {
        if (chemins_.empty() || chemins_.back().index < 0) return;
        ++chemins_.back().index;
        lignes_[chemin()] = ligne_;
    }

    const int& ligne_;
    std::map<std::string, int>& lignes_;
    std::vector<Niveau> chemins_;
};

// Reads one object's fields, each by its argument's name and type; whatever is left over is an
// unknown key.
class Champs {
  public:
    Champs(const json& objet, std::string chemin, const std::string& fichier,
           const std::map<std::string, int>& lignes)
        : objet_(objet), chemin_(std::move(chemin)), fichier_(fichier), lignes_(lignes) {
        if (!objet.is_object()) echec(chemin_, "un objet est attendu");
    }

    [[noreturn]] void echec(const std::string& pointeur, const std::string& message) const {
        const auto ligne = lignes_.find(pointeur);
        std::ostringstream texte;
        texte << fichier_ << ':' << (ligne != lignes_.end() ? ligne->second : 1) << ": champ "
              << (pointeur.empty() ? "/" : pointeur) << " : " << message;
        throw ErreurFichier(texte.str());
    }

    const json* trouve(const std::string& nom) {
        lus_.push_back(nom);
        const auto valeur = objet_.find(nom);
        return valeur == objet_.end() ? nullptr : &*valeur;
    }
    std::string pointeur(const std::string& nom) const { return chemin_ + "/" + nom; }

    void reel(const std::string& nom, double& cible) {
        if (const json* v = trouve(nom)) {
            if (!v->is_number()) echec(pointeur(nom), "un nombre est attendu");
            cible = v->get<double>();
        }
    }
    template <class Entier>
    void entier(const std::string& nom, Entier& cible) {
        if (const json* v = trouve(nom)) {
            const bool entierJson =
                v->is_number_integer() ||
                (v->is_number_float() && std::trunc(v->get<double>()) == v->get<double>());
            if (!entierJson) echec(pointeur(nom), "un nombre entier est attendu");
            const double x = v->get<double>();
            if (x < std::numeric_limits<Entier>::min() || x > std::numeric_limits<Entier>::max()) {
                echec(pointeur(nom),
                      "hors des limites " + std::to_string(std::numeric_limits<Entier>::min()) +
                          " à " + std::to_string(std::numeric_limits<Entier>::max()));
            }
            cible = static_cast<Entier>(x);
        }
    }
    void booleen(const std::string& nom, bool& cible) {
        if (const json* v = trouve(nom)) {
            if (!v->is_boolean()) echec(pointeur(nom), "true ou false est attendu");
            cible = v->get<bool>();
        }
    }
    void texte(const std::string& nom, std::string& cible) {
        if (const json* v = trouve(nom)) {
            if (!v->is_string()) echec(pointeur(nom), "un texte est attendu");
            cible = v->get<std::string>();
        }
    }
    // A flag: a Boolean, a number or a text.
    void valeur(const std::string& nom, Valeur& cible) {
        if (const json* v = trouve(nom)) {
            if (v->is_boolean()) {
                cible = v->get<bool>();
            } else if (v->is_number()) {
                cible = v->get<double>();
            } else if (v->is_string()) {
                cible = v->get<std::string>();
            } else {
                echec(pointeur(nom), "true, false, un nombre ou un texte est attendu");
            }
        }
    }
    void exige(const std::string& nom) {
        if (objet_.find(nom) == objet_.end()) echec(chemin_, "il manque \"" + nom + "\"");
    }
    // Every key not read is unknown.
    void termine() const {
        for (const auto& [cle, valeur] : objet_.items()) {
            if (std::find(lus_.begin(), lus_.end(), cle) == lus_.end()) {
                echec(pointeur(cle), "clé inconnue");
            }
        }
    }

  private:
    const json& objet_;
    std::string chemin_;
    const std::string& fichier_;
    const std::map<std::string, int>& lignes_;
    std::vector<std::string> lus_;
};

ArgumentsInitialise litInitialise(Champs c) {
    ArgumentsInitialise a;
    c.reel("piDrawWidth", a.piDrawWidth);
    c.entier("piFillColor", a.piFillColor);
    c.entier("piFillStyle", a.piFillStyle);
    c.texte("psFont", a.psFont);
    c.entier("piFontSize", a.piFontSize);
    c.booleen("pbFontBold", a.pbFontBold);
    c.booleen("pbFontItalic", a.pbFontItalic);
    c.booleen("pbFontStrikethru", a.pbFontStrikethru);
    c.booleen("pbFontUnderline", a.pbFontUnderline);
    c.booleen("pbFontTransparent", a.pbFontTransparent);
    c.entier("plFontColor", a.plFontColor);
    c.texte("psAligne", a.psAligne);
    c.entier("plCouleurTrait", a.plCouleurTrait);
    c.entier("plCouleurFond", a.plCouleurFond);
    c.texte("psFieldSeparator", a.psFieldSeparator);
    c.valeur("psReplaceCHR13", a.psReplaceCHR13);
    c.entier("piMargeEnPourcent", a.piMargeEnPourcent);
    c.entier("piNbMiniLettresDunMot", a.piNbMiniLettresDunMot);
    c.entier("piScreenTop", a.piScreenTop);
    c.entier("piScreenLeft", a.piScreenLeft);
    c.entier("piScreenHeight", a.piScreenHeight);
    c.entier("piScreenWidth", a.piScreenWidth);
    c.texte("psScreenCaption", a.psScreenCaption);
    c.reel("pdMinFontSize", a.pdMinFontSize);
    c.termine();
    return a;
}

CadreTexte litCadreTexte(Champs& c) {
    CadreTexte cadre;
    ArgumentsCadreTexte& a = cadre.arguments;
    c.exige("piHaut");
    c.exige("piGauche");
    c.reel("piHaut", cadre.piHaut);
    c.reel("piGauche", cadre.piGauche);
    c.reel("piBas", a.piBas);
    c.reel("piDroite", a.piDroite);
    c.reel("piDrawWidth", a.piDrawWidth);
    c.entier("piFillColor", a.piFillColor);
    c.texte("psText", a.psText);
    c.texte("psFont", a.psFont);
    c.entier("piFontSize", a.piFontSize);
    c.valeur("pbFontBold", a.pbFontBold);
    c.valeur("pbFontItalic", a.pbFontItalic);
    c.valeur("pbFontStrikethru", a.pbFontStrikethru);
    c.valeur("pbFontUnderline", a.pbFontUnderline);
    c.valeur("pbFontTransparent", a.pbFontTransparent);
    c.entier("plFontColor", a.plFontColor);
    c.texte("psAligne", a.psAligne);
    c.entier("plCouleurTrait", a.plCouleurTrait);
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

ArgumentsShow litShow(Champs c) {
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
    c.termine();
    return a;
}

}  // namespace

Planning litTexte(const std::string& texte, const std::string& nomFichier,
                  const std::filesystem::path& dossierImages) {
    json document;
    std::map<std::string, int> lignes;
    int ligne = 1;
    ConstructeurAvecLignes constructeur(document, ligne, lignes);
    try {
        json::sax_parse(LecteurLignes(texte.data(), &ligne),
                        LecteurLignes(texte.data() + texte.size(), &ligne), &constructeur);
    } catch (const json::parse_error& e) {
        const std::size_t fin = std::min<std::size_t>(e.byte, texte.size());
        const auto ligneErreur = 1 + std::count(texte.begin(), texte.begin() + fin, '\n');
        std::string raison = e.what();
        if (const auto deuxPoints = raison.find("]: "); deuxPoints != std::string::npos) {
            raison = raison.substr(deuxPoints + 3);
        }
        throw ErreurFichier(nomFichier + ":" + std::to_string(ligneErreur) +
                            ": JSON mal formé : " + raison);
    }

    Champs racine(document, "", nomFichier, lignes);
    Planning planning;
    if (const json* initialise = racine.trouve("initialise")) {
        planning.initialise = litInitialise(Champs(*initialise, "/initialise", nomFichier, lignes));
    }
    if (const json* cadres = racine.trouve("cadres")) {
        if (!cadres->is_array()) racine.echec("/cadres", "un tableau de cadres est attendu");
        for (std::size_t i = 0; i < cadres->size(); ++i) {
            const std::string chemin = "/cadres/" + std::to_string(i);
            Champs c((*cadres)[i], chemin, nomFichier, lignes);
            std::string type;
            c.exige("type");
            c.texte("type", type);
            if (type == "texte") {
                planning.cadres.emplace_back(litCadreTexte(c));
            } else if (type == "image") {
                planning.cadres.emplace_back(litCadreImage(c, dossierImages));
            } else {
                c.echec(chemin + "/type", "\"texte\" ou \"image\" est attendu");
            }
            c.termine();
        }
    }
    if (const json* show = racine.trouve("show")) {
        planning.show = litShow(Champs(*show, "/show", nomFichier, lignes));
    }
    racine.termine();
    return planning;
}

Planning lit(const std::filesystem::path& fichier) {
    std::ifstream flux(fichier, std::ios::binary);
    if (!flux) throw ErreurFichier(fichier.string() + ": impossible de lire le fichier");
    const std::string texte{std::istreambuf_iterator<char>(flux), {}};
    return litTexte(texte, fichier.string(), fichier.parent_path());
}

void joue(const Planning& planning, TracPlanDLL& plan) {
    if (planning.initialise) plan.Initialise(*planning.initialise);
    for (const auto& cadre : planning.cadres) {
        if (const auto* texte = std::get_if<CadreTexte>(&cadre)) {
            plan.NewCadreTexte(texte->piHaut, texte->piGauche, texte->arguments);
        } else {
            const auto& image = std::get<CadreImage>(cadre);
            plan.NewCadreImage(image.psImagePath, image.piHaut, image.piGauche, image.piBas,
                               image.piDroite);
        }
    }
}

}  // namespace vitrail::fichier
