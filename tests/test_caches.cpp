// The caches of the drawing change no output: the same plannings drawn with every cache off and
// on give the same screen pixels, printer calls, PDF drawings, HTML bytes, messages, extents and
// fit reports, through a viewer session that scrolls and zooms back to where it was.
#include <gtest/gtest.h>

#include <zlib.h>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRawFont>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "FichierPlanning.hpp"
#include "Fichiers.hpp"
#include "GenerateurPlanning.hpp"
#include "api/AccesInterne.hpp"
#include "doubles/PlateformeFactice.hpp"
#include "html/Html.hpp"
#include "qt/ImprimanteQt.hpp"
#include "qt/PlateformeQt.hpp"
#include "qt/Sommables.hpp"
#include "qt/SurfaceQt.hpp"
#include "render/Caches.hpp"
#include "viewer/MontrePlan.hpp"

namespace vitrail {
namespace {

const std::filesystem::path Exemples = std::filesystem::path(VITRAIL_SOURCE) / "examples";
const std::string Logo = (Exemples / "logo.png").string();

// Records every box and answers No where a box asks, so that no browser is ever started.
class Dialogues : public test::DialoguesScriptes {
  public:
    Reponse MsgBox(const Message& message) override {
        if (message.boutons != Boutons::OK) reponses.push_front(Reponse::Non);
        return DialoguesScriptes::MsgBox(message);
    }
};

struct Sorties {
    std::vector<QImage> images;
    std::vector<std::string> etats;
    std::vector<std::string> appels;
    std::string html;
    // What each printer pass drew on Qt, "none" where it wrote no file.
    std::vector<std::string> pdf;
    std::vector<std::string> messages;
};

std::vector<std::string> textes(const std::vector<Message>& messages) {
    std::vector<std::string> t;
    for (const Message& m : messages)
        t.push_back(versUtf8(m.texte) + " / " + versUtf8(m.titre.value_or(U"")));
    return t;
}

using Planning = std::function<void(TracPlanDLL&)>;

std::string etat(const TracPlanOCX& c, const char* etape) {
    std::string s = std::string(etape) + " max=" + std::to_string(c.ilMaxDroite) + "," +
                    std::to_string(c.ilMaxBas) + " barres=" + std::to_string(c.HScroll1.Max) + "," +
                    std::to_string(c.VScroll1.Max) + " zoom=" + std::to_string(c.idZoom) +
                    " origine=" + std::to_string(c.ilOrigineX) + "," +
                    std::to_string(c.ilOrigineY) + " position=" + std::to_string(c.CurrentX()) +
                    "," + std::to_string(c.CurrentY()) + " lignes=";
    for (const Texte& ligne : c.isLignes)
        s += versUtf8(ligne) + "|";
    return s;
}

// The viewer session: a pass, scroll steps down and back, zoom in and out, the check, then HTML
// twice; each step starts from a control that is not abandoned, so that errors are seen on
// every step.
Sorties session(Plateforme& plateforme, const Planning& planning,
                const std::function<void(Sorties&, TracPlanOCX&, const char*)>& apresEtape) {
    Sorties sorties;
    TracPlanDLL plan(std::shared_ptr<Plateforme>(&plateforme, [](Plateforme*) {}));
    planning(plan);
    MontrePlan& fenetre = api::formulaire(plan);
    TracPlanOCX& c = fenetre.TracPlanOCX1;
    c.surface().Redimensionne(24000, 15000);
    const auto etape = [&](const char* nom, const std::function<void()>& action) {
        c.ibAbandon = false;
        c.ivDernierTracé = Variant();
        action();
        sorties.etats.push_back(etat(c, nom));
        apresEtape(sorties, c, nom);
    };
    etape("passe", [&] { c.Imprime({.pbForceTracé = true}); });
    std::int16_t milieu = 0;
    etape("milieu", [&] {
        milieu = static_cast<std::int16_t>(c.VScroll1.Max / 2);
        c.VScroll1.Value = milieu;
        fenetre.visionneuse.VScroll1_Change();
    });
    etape("bas", [&] {
        c.VScroll1.Value = static_cast<std::int16_t>(milieu + 1);
        fenetre.visionneuse.VScroll1_Change();
    });
    etape("retour", [&] {
        c.VScroll1.Value = milieu;
        fenetre.visionneuse.VScroll1_Change();
    });
    etape("droite", [&] {
        c.HScroll1.Value = 1;
        fenetre.visionneuse.HScroll1_Change();
    });
    etape("avant", [&] { fenetre.visionneuse.cmdZoom_Click(Visionneuse::ZoomAvant); });
    etape("arriere", [&] { fenetre.visionneuse.cmdZoom_Click(Visionneuse::ZoomArriere); });
    // The list changed in place between passes, its last frame out of view at the top: the
    // records of the frames drawn before, read by position, must not stand for the frames now
    // there.
    etape("liste changee", [&] {
        c.VScroll1.Value = 0;
        fenetre.visionneuse.VScroll1_Change();
        c.ivDernierTracé = Variant();
        c.ioCadres->back().sText = U"Texte changé <b>après</b> coup";
        c.Imprime({.pbForceTracé = true});
    });
    etape("liste decalee", [&] {
        c.ioCadres->erase(c.ioCadres->begin());
        c.Imprime({.pbForceTracé = true});
    });
    etape("verification", [&] {
        for (const Debordement& d : plan.Debordements()) {
            sorties.etats.push_back(std::to_string(d.iNoObjet) + " " + std::to_string(d.taille) +
                                    " " + std::to_string(d.auPlancher) + " " +
                                    std::to_string(d.lignesPerdues));
        }
    });
    // The same page path on every run: the message that names it is compared too.
    const auto dossier =
        std::filesystem::temp_directory_path() / ("vitrail-caches-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    Html::SetCheminHtml(depuisUtf8((dossier / "page.htm").string()));
    for (const char* nom : {"html", "html encore"}) {
        etape(nom, [&] { c.Imprime({.piTypeImpression = 3, .pbForceTracé = true}); });
        sorties.html += test::contenu(dossier / "page.htm");
    }
    std::filesystem::remove_all(dossier);
    etape("passe finale", [&] { c.Imprime({.pbForceTracé = true}); });
    return sorties;
}

// What a PDF draws: its streams inflated, pictures under one name and each stream kept once.
// With the caches off a picture is decoded again on every drawing, and Qt stores each copy.
std::vector<std::string> dessinPdf(const std::string& pdf) {
    std::vector<std::string> flux;
    const std::regex image("/Im[0-9]+");
    constexpr std::string_view Debut = "stream\n";
    constexpr std::string_view Fin = "endstream";
    for (std::size_t debut = pdf.find(Debut); debut != std::string::npos;
         debut = pdf.find(Debut, debut)) {
        debut += Debut.size();
        const std::size_t fin = pdf.find(Fin, debut);
        if (fin == std::string::npos) break;
        std::string brut = pdf.substr(debut, fin - debut);
        std::string clair(brut.size() * 64 + 1024, '\0');
        auto taille = static_cast<uLongf>(clair.size());
        if (uncompress(reinterpret_cast<Bytef*>(clair.data()), &taille,
                       reinterpret_cast<const Bytef*>(brut.data()),
                       static_cast<uLong>(brut.size())) == Z_OK) {
            clair.resize(taille);
        } else {
            clair = std::move(brut);
        }
        clair = std::regex_replace(clair, image, "/Im");
        if (std::find(flux.begin(), flux.end(), clair) == flux.end()) flux.push_back(clair);
        debut = fin + Fin.size();
    }
    return flux;
}

// The Qt surfaces, the printer included: a PDF after each HTML step.
Sorties surQt(const Planning& planning) {
    qt::PlateformeQt& plateforme = *qt::PlateformeQt::partagee();
    auto dialogues = std::make_shared<Dialogues>();
    plateforme.dialogues(dialogues);
    const auto pdf = std::filesystem::temp_directory_path() /
                     ("vitrail-caches-" + std::to_string(::getpid()) + ".pdf");
    Sorties s = session(plateforme, planning, [&](Sorties& sorties, TracPlanOCX& c, const char*) {
        sorties.images.push_back(static_cast<qt::SurfaceQt&>(c.surface()).image().copy());
        if (c.ilTypeImpression == 3) {
            c.ibAbandon = false;
            plateforme.imprimanteQt().fichierPdf(QString::fromStdString(pdf.string()));
            c.Imprime({.piTypeImpression = 2, .pbForceTracé = true, .pbPromptPrinter = false});
            const std::string fichier = test::contenu(pdf);
            if (fichier.empty()) sorties.pdf.push_back("none");
            for (std::string& f : dessinPdf(fichier))
                sorties.pdf.push_back(std::move(f));
            std::filesystem::remove(pdf);
        }
    });
    plateforme.dialogues({});
    s.messages = textes(dialogues->messages);
    return s;
}

// The recording doubles, the printer included: two printer passes after the session.
Sorties surDoublures(const Planning& planning) {
    test::PlateformeFactice plateforme;
    plateforme.interaction.reponses.assign(1000, Reponse::Non);
    const Planning avecImages = [&](TracPlanDLL& plan) {
        planning(plan);
        for (const char* image : {"logo.png", "../examples/logo.png"})
            plateforme.derniereSurface->images[depuisUtf8((Exemples / image).string())] = true;
        plateforme.derniereSurface->images[depuisUtf8(Logo)] = true;
        plateforme.imprimante().images = plateforme.derniereSurface->images;
    };
    Sorties s = session(plateforme, avecImages, [&](Sorties&, TracPlanOCX& c, const char*) {
        if (c.ilTypeImpression == 3) {
            c.ibAbandon = false;
            c.Imprime({.piTypeImpression = 2, .pbPromptPrinter = false});
        }
    });
    // The screen's calls are not compared: frames out of view are meant to make none.
    s.appels = plateforme.imprimante().appels;
    s.messages = textes(plateforme.interaction.messages);
    return s;
}

struct Cas {
    const char* nom;
    Planning planning;
};

void PrintTo(const Cas& cas, std::ostream* os) {
    *os << cas.nom;
}

// A text of so many words: the first every fifth word, the second every third, the third every
// seventh, the last otherwise.
std::string motsEnCycle(int mots, const char* cinquieme, const char* troisieme,
                        const char* septieme, const char* autre) {
    std::string t;
    for (int i = 0; i < mots; ++i)
        t += i % 5 == 0 ? cinquieme : i % 3 == 0 ? troisieme : i % 7 == 0 ? septieme : autre;
    return t;
}

const Cas Plannings[] = {
    {"example",
     [](TracPlanDLL& plan) { fichier::joue(fichier::lit(Exemples / "semaine.json"), plan); }},
    {"generated150",
     [](TracPlanDLL& plan) {
         bench::genereSemaines(plan, {.cadres = 150, .graine = 1, .logo = Logo});
     }},
    {"generated250",
     [](TracPlanDLL& plan) {
         bench::genereSemaines(plan, {.cadres = 250, .graine = 7, .logo = Logo});
     }},
    // A long text that shrinks to the floor and loses lines, beside ordinary frames.
    {"long_text",
     [](TracPlanDLL& plan) {
         bench::genereSemaines(plan, {.cadres = 20, .graine = 5, .logo = Logo});
         std::string texte;
         for (int i = 0; i < 3000; ++i)
             texte += i % 5 == 0 ? "<b>réunion</b> " : "planning ";
         plan.NewCadreTexte(20, 20, {.piBas = 60, .piDroite = 90, .psText = texte});
     }},
    // An overflowing measure in the layout and a missing picture, amid ordinary frames.
    {"errors",
     [](TracPlanDLL& plan) {
         bench::genereSemaines(plan, {.cadres = 40, .graine = 3, .logo = Logo});
         plan.NewCadreTexte(5, 5,
                            {.piBas = 20,
                             .piDroite = 40,
                             .psText = "Long " + std::string(300, 'w') + " mot",
                             .piFontSize = 40});
         plan.NewCadreImage("absent.png", 30, 5, 40, 20);
         bench::genereSemaines(plan, {.cadres = 40, .graine = 4, .logo = Logo});
     }},
    // Sizes far too large for the box, each wrapped again from the size asked down to the
    // floor: widths that overflow 16 bits (reported at every size) and then stop overflowing,
    // a box of no width (split letter by letter at every size), a box of no height, markup.
    {"huge_sizes",
     [](TracPlanDLL& plan) {
         const std::string mots =
             "anticonstitutionnellement <b>grand</b> mot "
             "<i>anticonstitutionnellement</i>\r\nfin ";
         plan.NewCadreTexte(5, 5, {.piBas = 60, .piDroite = 90, .psText = "ordinaire"});
         plan.NewCadreTexte(10, 10,
                            {.piBas = 40, .piDroite = 10, .psText = mots, .piFontSize = 90});
         plan.NewCadreTexte(10, 20,
                            {.piBas = 10, .piDroite = 60, .psText = mots, .piFontSize = 60});
         plan.NewCadreTexte(
             50, 10, {.piBas = 70, .piDroite = 80, .psText = mots + mots + mots, .piFontSize = 40});
         // Last: its reports stop every later frame of the pass.
         plan.NewCadreTexte(20, 60,
                            {.piBas = 50, .piDroite = 40, .psText = mots, .piFontSize = 150});
     }},
    // A box wider than 16 bits of twips: a width that overflows and one that no longer does
    // both fit the line, so only the overflow tells one size's wrap from the next.
    {"huge_size_wide_box",
     [](TracPlanDLL& plan) {
         plan.NewCadreTexte(5, 5, {.piBas = 60, .piDroite = 90, .psText = "ordinaire"});
         plan.NewCadreTexte(80, 0,
                            {.piBas = 81,
                             .piDroite = 1500,
                             .psText = "anticonstitutionnellement <b>grand</b> mot",
                             .piFontSize = 150});
     }},
    // The same without markup or line breaks, where a wrap may be left out only when none of
    // its widths can overflow.
    {"huge_size_plain",
     [](TracPlanDLL& plan) {
         const auto repete = [](const std::string& mots, int fois) {
             std::string texte;
             for (int i = 0; i < fois; ++i)
                 texte += mots;
             return texte;
         };
         plan.NewCadreTexte(5, 5, {.piBas = 60, .piDroite = 90, .psText = "ordinaire"});
         plan.NewCadreTexte(
             10, 10,
             {.piBas = 40,
              .piDroite = 60,
              .psText = repete("grand mot ", 40) + "anticonstitutionnellementanticonstitution" +
                        repete(" mot grand", 40),
              .piFontSize = 200});
     }},
    // A size far too large for a small box, passed over size after size while every measure
    // answers alike: heights that overflow 16 bits on the screen (reported at each size) and
    // then stop overflowing, then a box of no width that nothing ever fits.
    {"huge_size_small_box",
     [](TracPlanDLL& plan) {
         plan.NewCadreTexte(5, 5, {.piBas = 60, .piDroite = 90, .psText = "ordinaire"});
         plan.NewCadreTexte(10, 10,
                            {.piBas = 20, .piDroite = 20, .psText = "x", .piFontSize = 1500});
         plan.NewCadreTexte(
             30, 10,
             {.piBas = 40, .piDroite = 10, .psText = "un mot <b>gras</b>", .piFontSize = 900});
     }},
    // A last word too wide for 16 bits at the first sizes after lines that overflow a low box:
    // the printer and the HTML page must still measure it at each size that does not fit.
    {"wide_last_word",
     [](TracPlanDLL& plan) {
         plan.NewCadreTexte(5, 5, {.piBas = 60, .piDroite = 90, .psText = "ordinaire"});
         const std::string texte = "un mot <b>court</b> puis " + std::string(60, 'm');
         plan.NewCadreTexte(10, 10,
                            {.piBas = 12, .piDroite = 60, .psText = texte, .piFontSize = 120});
         // The session changes the last frame's text.
         plan.NewCadreTexte(50, 5, {.piBas = 60, .piDroite = 90, .psText = "ordinaire"});
     }},
    // Long texts with line breaks, where a wrap that can report nothing is left out or stopped
    // as for blanks: breaks between words, after and before blanks, in a row, first and last,
    // line feeds that start a word or stand alone,
    // in a box that shrinks them, one that takes a letter a line and one that fits at a size
    // between.
    {"line_breaks",
     [](TracPlanDLL& plan) {
         std::string texte = "\r";
         for (int i = 0; i < 400; ++i)
             texte += i % 9 == 0   ? "début \r\r suite\r"
                      : i % 7 == 0 ? "ligne\r\nAVANT \r\n suite "
                                   : "mot AV\rfin ";
         plan.NewCadreTexte(10, 10, {.piBas = 40, .piDroite = 50, .psText = texte});
         plan.NewCadreTexte(45, 10, {.piBas = 80, .piDroite = 12, .psText = texte.substr(0, 900)});
         plan.NewCadreTexte(
             0, 60, {.piBas = 100, .piDroite = 120, .psText = texte + "\r", .piFontSize = 30});
         // Last: at its first sizes the wrap overflows 16 bits on the screen.
         plan.NewCadreTexte(60, 60,
                            {.piBas = 90,
                             .piDroite = 100,
                             .psText = texte.substr(0, 600) + std::string(200, 'w') + "\r",
                             .piFontSize = 150});
     }},
    // Long texts with markup, where a wrap that can report nothing is left out or stopped as
    // for plain words: a text that shrinks, a box a letter wide whose splits cut tags, and a
    // last frame whose widths overflow 16 bits on the screen at its first sizes.
    {"long_markup",
     [](TracPlanDLL& plan) {
         bench::genereSemaines(plan, {.cadres = 20, .graine = 6, .logo = Logo});
         const auto texte = [](int mots) {
             return motsEnCycle(mots, "<b>réunion</b> ", "planning ",
                                "<i>AVANT</i> la <U>Tour</U><b></b> <u></u> ", "planning ");
         };
         plan.NewCadreTexte(20, 20, {.piBas = 60, .piDroite = 90, .psText = texte(600)});
         plan.NewCadreTexte(45, 10, {.piBas = 80, .piDroite = 12, .psText = texte(60)});
         plan.NewCadreTexte(60, 60,
                            {.piBas = 90,
                             .piDroite = 100,
                             .psText = texte(300) + "<b>" + std::string(200, 'w') + "</b> fin",
                             .piFontSize = 24});
     }},
    // Long texts in other scripts, drawn from fallback fonts: Hebrew, ideographs and kana,
    // Hangul, mixed with Latin; one shrinks, one fits at a size between, and the last one's
    // widths overflow 16 bits on the screen at its first sizes.
    {"other_scripts",
     [](TracPlanDLL& plan) {
         const auto texte = [](int mots) {
             return motsEnCycle(mots, "\u05e9\u05dc\u05d5\u05dd (\u05e2\u05d5\u05dc\u05dd) ",
                                "\u65e5\u672c\u8a9e\u3002 \ud55c\uad6d\uc5b4 ",
                                "AVANT <b>\u6f22\u5b57</b> T ",
                                "\u30c6\u30ad\u30b9\u30c8 \u05d0\u05d1 ");
         };
         plan.NewCadreTexte(5, 5, {.piBas = 60, .piDroite = 90, .psText = "ordinaire"});
         plan.NewCadreTexte(20, 20,
                            {.piBas = 60, .piDroite = 90, .psText = texte(300), .piFontSize = 10});
         plan.NewCadreTexte(0, 60,
                            {.piBas = 100, .piDroite = 120, .psText = texte(80), .piFontSize = 30});
         plan.NewCadreTexte(60, 60,
                            {.piBas = 90,
                             .piDroite = 100,
                             .psText = texte(200) + std::string(100, 'w') + " fin",
                             .piFontSize = 24});
     }},
    // Long texts of words all different: sizes given up as soon as their lines overflow the
    // box, a text that fits at a size between, and words that kern with the blank beside them
    // in the default font and in another.
    {"distinct_words",
     [](TracPlanDLL& plan) {
         bench::genereSemaines(plan, {.cadres = 20, .graine = 9, .logo = Logo});
         const auto mots = [](std::uint32_t premier, std::size_t longueur) {
             std::string texte;
             for (std::uint32_t i = premier; texte.size() < longueur; ++i) {
                 for (std::uint32_t n = i + 26 * 26; n > 0; n /= 26)
                     texte += static_cast<char>('a' + n % 26);
                 texte += i % 11 == 0 ? "  " : " ";
             }
             return texte;
         };
         plan.NewCadreTexte(10, 10, {.piBas = 40, .piDroite = 50, .psText = mots(0, 8000)});
         plan.NewCadreTexte(
             0, 0, {.piBas = 100, .piDroite = 120, .psText = mots(500, 3000), .piFontSize = 30});
         plan.NewCadreTexte(
             20, 60, {.piBas = 70, .piDroite = 90, .psText = mots(500, 260), .piFontSize = 30});
         plan.NewCadreTexte(45, 10,
                            {.piBas = 60,
                             .piDroite = 40,
                             .psText = "La TOUR AVANT Lyon " + mots(900, 300) + " PAYS YT",
                             .piFontSize = 20});
         plan.NewCadreTexte(45, 45,
                            {.piBas = 60,
                             .piDroite = 70,
                             .psText = "AVANT la Tour " + mots(1200, 300) + " Ty",
                             .psFont = "Liberation Serif",
                             .piFontSize = 20});
     }},
    // Long texts with a different pair of characters around nearly every blank: ideographs,
    // accented Latin letters and Greek, with markup; one shrinks to the floor, one fits at a
    // size between, and the last one's widths overflow 16 bits on the screen at its first sizes.
    {"distinct_pairs",
     [](TracPlanDLL& plan) {
         bench::genereSemaines(plan, {.cadres = 20, .graine = 3, .logo = Logo});
         const auto texte = [](std::uint32_t mots) {
             Texte t;
             for (std::uint32_t i = 0; i < mots; ++i) {
                 const std::uint32_t n = i * 7919;
                 if (i % 4 == 0) t += U"<b>";
                 t += static_cast<char32_t>(i % 3 == 0   ? 0x4E00 + n % 5000
                                            : i % 3 == 1 ? 0xC0 + n % 0x3F
                                                         : 0x3B1 + n % 24);
                 t += U"ab";
                 t += static_cast<char32_t>(i % 2 == 0 ? 0x4E00 + (n >> 3) % 5000
                                                       : 0xE0 + (n >> 5) % 0x1F);
                 if (i % 4 == 0) t += U"</b>";
                 t += U' ';
             }
             return versUtf8(t);
         };
         plan.NewCadreTexte(20, 20, {.piBas = 60, .piDroite = 90, .psText = texte(1030)});
         plan.NewCadreTexte(
             0, 0, {.piBas = 100, .piDroite = 120, .psText = texte(1030), .piFontSize = 9});
         plan.NewCadreTexte(60, 60,
                            {.piBas = 90,
                             .piDroite = 100,
                             .psText = texte(1030) + std::string(300, 'w') + " fin",
                             .piFontSize = 14});
     }},
    // Texts whose widths do not add up: Arabic, Thai, Devanagari, combining marks and characters
    // past the basic plane, with markup; one shrinks, one fits at a size between, and the last
    // one's widths overflow 16 bits on the screen at its first sizes.
    {"joined_scripts",
     [](TracPlanDLL& plan) {
         bench::genereSemaines(plan, {.cadres = 20, .graine = 6, .logo = Logo});
         const auto texte = [](int mots) {
             return motsEnCycle(mots, "\u0645\u0631\u062d\u0628\u0627 <b>\u0644\u0627</b> ",
                                "\u0e2a\u0e27\u0e31\u0e2a\u0e14\u0e35\u0e48 \U0001F600\U0001F44D ",
                                "\u0928\u092e\u0938\u094d\u0924\u0947 \u093f\u0915\u094d\u0937 ",
                                "e\u0301\u0302t\u00e9 \U0001D400x ");
         };
         plan.NewCadreTexte(20, 20, {.piBas = 60, .piDroite = 90, .psText = texte(200)});
         plan.NewCadreTexte(0, 0,
                            {.piBas = 100, .piDroite = 120, .psText = texte(60), .piFontSize = 30});
         plan.NewCadreTexte(60, 60,
                            {.piBas = 90,
                             .piDroite = 100,
                             .psText = texte(100) + std::string(300, 'w') + " fin",
                             .piFontSize = 14});
         plan.NewCadreTexte(5, 5, {.piBas = 10, .piDroite = 30, .psText = "\u0e33\u0301 \u0e33"});
     }},
    // Long texts with tabs, whose width depends on where they stand: inside and at either end
    // of words, after blanks, doubled; a text that shrinks, a box narrower than a tab stop, one
    // that fits at a size between, and one whose widths overflow 16 bits on the screen at its
    // first sizes.
    {"tabs",
     [](TracPlanDLL& plan) {
         bench::genereSemaines(plan, {.cadres = 20, .graine = 4, .logo = Logo});
         const auto texte = [](int mots) {
             return motsEnCycle(mots, "\tdébut AV\tANT ", "mot\t\t \tTour ", "<b>fin\t</b> \t ",
                                "planning\tx ");
         };
         plan.NewCadreTexte(20, 20, {.piBas = 60, .piDroite = 90, .psText = texte(600)});
         plan.NewCadreTexte(45, 10, {.piBas = 80, .piDroite = 12, .psText = texte(60)});
         plan.NewCadreTexte(0, 60,
                            {.piBas = 100, .piDroite = 120, .psText = texte(40), .piFontSize = 30});
         plan.NewCadreTexte(60, 60,
                            {.piBas = 90,
                             .piDroite = 100,
                             .psText = texte(200) + std::string(30, '\t') + "w fin",
                             .piFontSize = 24});
         plan.NewCadreTexte(5, 5, {.piBas = 10, .piDroite = 30, .psText = "ordinaire"});
     }},
    // Cyrillic and Thai marks after a blank, which keep the script of the Latin letters before
    // them where a pair measured alone does not, in frames of many widths that do not shrink.
    {"marks_after_blanks",
     [](TracPlanDLL& plan) {
         for (int i = 0; i < 30; ++i) {
             std::string texte;
             for (int n = 0; n < 6 + i % 7; ++n)
                 texte += "Tx \u0e31 Vy x \u0487 Vo ";
             plan.NewCadreTexte(10 + i * 40, 10,
                                {.piBas = 400.0 + i * 40,
                                 .piDroite = 110.0 + i * 10,
                                 .psText = texte,
                                 .psFont = "Liberation Serif",
                                 .piFontSize = 12});
         }
     }},
};

class CachesSansEffet : public ::testing::TestWithParam<Cas> {
  protected:
    void TearDown() override { caches::actifs(true); }

    template <class Rendu>
    void compare(Rendu&& rendu) {
        caches::actifs(false);
        const Sorties sans = rendu(GetParam().planning);
        caches::actifs(true);
        const Sorties avec = rendu(GetParam().planning);
        EXPECT_EQ(sans.etats, avec.etats);
        EXPECT_EQ(sans.html, avec.html);
        ASSERT_EQ(sans.pdf.size(), avec.pdf.size());
        for (std::size_t i = 0; i < sans.pdf.size(); ++i)
            ASSERT_TRUE(sans.pdf[i] == avec.pdf[i]) << "PDF stream " << i;
        ASSERT_EQ(sans.messages.size(), avec.messages.size());
        for (std::size_t i = 0; i < sans.messages.size(); ++i)
            ASSERT_EQ(sans.messages[i], avec.messages[i]) << "message " << i;
        ASSERT_EQ(sans.appels.size(), avec.appels.size());
        for (std::size_t i = 0; i < sans.appels.size(); ++i)
            ASSERT_EQ(sans.appels[i], avec.appels[i]) << "call " << i;
        ASSERT_EQ(sans.images.size(), avec.images.size());
        for (std::size_t i = 0; i < sans.images.size(); ++i)
            EXPECT_TRUE(sans.images[i] == avec.images[i]) << "image of step " << sans.etats[i];
    }
};

TEST_P(CachesSansEffet, OnTheQtSurface) {
    compare(surQt);
}

TEST_P(CachesSansEffet, OnTheRecordingDoubles) {
    compare(surDoublures);
}

INSTANTIATE_TEST_SUITE_P(, CachesSansEffet, ::testing::ValuesIn(Plannings),
                         [](const auto& cas) { return std::string(cas.param.nom); });

const std::vector<std::string> TextesSommes = {
    "La Tour AVANT Lyon",
    "a b",
    "  double  blanc ",
    "T",
    " A",
    "Y ",
    "fi ffi fl\u00e8che",
    "\u00e9t\u00e9 \u00e0 l'heure \u00ab d\u00e9j\u00e0 \u00bb",
    "mot - Y",
    "P. L. T. V.",
    std::string(1500, 'w') + " " + std::string(1500, 'v'),
    "caf\u00e9 e\u0301 \u0301x",
    "\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd",
    "premier mot\ttabul\u00e9",
    "\td\u00e9but AV\tANT mot\t\t \tTour\t Y\t",
    "a \tb\t c \t\t\t V",
    "f\u03a9\t T",
    "\u0436\t.V \u03a9\t AVANT",
    "\u65e5\u672c\t Tour \u03a9\t\t Yves",
    "fin\r\nAVANT la\r\n Tour \nV.\n",
    "\u05d0\u05d1\u05d2 (\u05d3\u05d4) abc \u00ab \u05e9\u05dc\u05d5\u05dd \u00bb 12 \u05e9 V",
    "\u05e9\u05b8\u05c1\u05dc\u05d5\u05b9\u05dd \u05e2\u05d5\u05b9\u05dc\u05b8\u05dd",
    "\u65e5\u672c\u8a9e \u306e \u30c6\u30ad\u30b9\u30c8 \u6f22\u5b57 \ud55c\uad6d\uc5b4 "
    "\ubb38\uc7a5",
    "\u30ab\u30bf\u30ab\u30ca\u3002 \u3072\u3089\u304c\u306a\u3001 \uff21\uff22\uff23 T "
    "\u3000\u6f22 Y",
    "AVANT \u65e5\u672c V \u05e9\u05dc\u05d5\u05dd T. \u05d0",
    "\u0645\u0631\u062d\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645 "
    "\u0644\u0627 \u0661\u0662\u0663 \u0633\u0644\u0627\u0645",
    "\u0e2a\u0e27\u0e31\u0e2a\u0e14\u0e35 \u0e04\u0e23\u0e31\u0e1a \u0e17\u0e33",
    "\U0001F600 b\U0001F364 AV\U0001F689 \U0001F90F T"};

// A text's width measured whole with every cache off, and as the caches give it, after the
// lines before each of its blanks were asked when `progressif` (the way a wrap asks: each line so
// far, then that line and one more word).
std::pair<double, double> mesures(qt::SurfaceQt& surface, const Texte& texte, bool progressif) {
    caches::actifs(false);
    const double seule = surface.TextWidth(texte);
    caches::actifs(true);
    if (progressif) {
        for (std::size_t i = 0; i < texte.size(); ++i) {
            if (texte[i] == U' ') surface.TextWidth(texte.substr(0, i));
        }
    }
    return {seule, surface.TextWidth(texte)};
}

// A width summed over blanks is the one Qt gives for the whole text, whether the blanks sit
// between letters that kern with them or not, with the line so far measured before or not.
TEST(LargeursSommees, AreThoseOfTheWholeText) {
    qt::PlateformeQt::partagee();
    const std::vector<std::string>& textes = TextesSommes;
    for (const char* police : {"Arial", "DejaVu Sans", "Liberation Serif"}) {
        for (const float taille : {5.5f, 10.0f, 37.0f}) {
            for (const bool progressif : {false, true}) {
                for (const std::string& utf8 : textes) {
                    qt::SurfaceQt surface(96);
                    surface.FontName(depuisUtf8(police));
                    surface.FontSize(taille);
                    const auto [seule, sommee] = mesures(surface, depuisUtf8(utf8), progressif);
                    EXPECT_EQ(seule, sommee)
                        << police << " " << taille << " " << progressif << " \"" << utf8 << "\"";
                }
            }
        }
    }
}

// A sequence of numbers that looks random and is the same on every run.
struct Hasard {
    std::uint32_t graine;
    std::uint32_t operator()() {
        graine = graine * 1103515245 + 12345;
        return graine >> 16;
    }
};

// Lines of one to `motsMaximum` words, a blank between each.
std::vector<Texte> lignesDe(int nombre, std::uint32_t motsMaximum, Hasard& hasard,
                            const std::function<Texte()>& mot) {
    std::vector<Texte> lignes;
    for (int n = 0; n < nombre; ++n) {
        Texte ligne;
        for (std::uint32_t i = 0, mots = 1 + hasard() % motsMaximum; i < mots; ++i) {
            if (i > 0) ligne += U' ';
            ligne += mot();
        }
        lignes.push_back(ligne);
    }
    return lignes;
}

// Every text measures as Qt measures it whole, on one surface per resolution, font, style and
// size, asked whole or as a wrap asks.
struct Grille {
    std::vector<int> resolutions;
    std::vector<const char*> polices;
    std::vector<float> tailles;
    // Bold italic or not.
    std::vector<bool> grasItalique = {false};
    std::vector<bool> progressifs = {false, true};
    // Each text measured once before: Qt's first measure of a character outside the 16-bit
    // range that a fallback face draws may not be the one it gives afterwards, whatever the
    // caches.
    bool dejaMesures = false;
};
void sommesExactes(const std::vector<Texte>& textes, const Grille& grille) {
    for (const int resolution : grille.resolutions) {
        for (const char* police : grille.polices) {
            for (const bool grasItalique : grille.grasItalique) {
                for (const float taille : grille.tailles) {
                    for (const bool progressif : grille.progressifs) {
                        qt::SurfaceQt surface(resolution);
                        surface.FontName(depuisUtf8(police));
                        surface.FontBold(grasItalique);
                        surface.FontItalic(grasItalique);
                        surface.FontSize(taille);
                        if (grille.dejaMesures) {
                            caches::actifs(false);
                            for (const Texte& texte : textes)
                                surface.TextWidth(texte);
                            caches::actifs(true);
                        }
                        for (const Texte& texte : textes) {
                            const auto [seule, sommee] = mesures(surface, texte, progressif);
                            EXPECT_EQ(seule, sommee)
                                << resolution << " " << police << " " << grasItalique << " "
                                << taille << " " << progressif << " \"" << versUtf8(texte) << "\"";
                        }
                    }
                }
            }
        }
    }
}

// Texts made at random of parts in several scripts, with tabs and line feeds, measure as Qt
// measures them whole: each tab reaching the next stop from wherever the text before it ends,
// right-to-left parts beside others, at resolutions whose stops are not whole pixels, in fonts
// that draw some parts and leave others to a fallback, asked whole or as a wrap asks.
TEST(LargeursSommees, OfMixedTextsAreThoseOfTheWholeText) {
    qt::PlateformeQt::partagee();
    const char* const Parties[] = {"a",
                                   "AVANT",
                                   " ",
                                   "\t",
                                   "Tour",
                                   "\u00e9t\u00e9",
                                   "V.",
                                   "ffi",
                                   "\u65e5\u672c",
                                   "\u05e9\u05dc",
                                   "-",
                                   "\n",
                                   "W",
                                   "\u0436",
                                   "\u03a9c",
                                   "\u03b2",
                                   ".",
                                   ",",
                                   "\u0645\u0631\u062d\u0628\u0627",
                                   "\u0644\u0627\u0661",
                                   "\u064e",
                                   "\u0e2a\u0e27\u0e31\u0e2a\u0e14\u0e35",
                                   "\u0e33",
                                   "\U0001F600b",
                                   "\U0001F383",
                                   "l\u2019\u00e9t\u00e9",
                                   "\u2026",
                                   "\u2013",
                                   "\u20ac",
                                   "Vi\u1ec7t",
                                   "\u10e5\u10d0\u10e0",
                                   "\U0001D400\U0001D41B",
                                   "\u1f00\u03bb",
                                   "\u2192",
                                   "\u2500"};
    Hasard hasard{7};
    std::vector<Texte> textes;
    for (int n = 0; n < 300; ++n) {
        std::string t;
        const auto parties = 1 + hasard() % 40;
        for (std::uint32_t i = 0; i < parties; ++i)
            t += Parties[hasard() % std::size(Parties)];
        textes.push_back(depuisUtf8(t));
    }
    EXPECT_GT(std::count_if(textes.begin(), textes.end(),
                            [](const Texte& t) { return t.find(U'\t') != Texte::npos; }),
              100);
    sommesExactes(textes, {.resolutions = {96, 150, 1200},
                           .polices = {"Arial", "DejaVu Sans", "Liberation Serif"},
                           .tailles = {5.5f, 10.0f, 12.5f, 37.0f}});
}

// Lines of words in the other alphabets summed (Vietnamese, polytonic Greek, Georgian,
// Ethiopic, Cherokee, mathematical letters) and of typographic punctuation and symbols (which
// the fonts kern with a blank), beside Latin words that kern, asked whole or as a wrap asks.
TEST(LargeursSommees, OfLinesInOtherAlphabetsAndPunctuationAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    const char* const Mots[] = {"AVANT",
                                "Tour",
                                "Y",
                                "T.",
                                "l\u2019\u00e9t\u00e9",
                                "\u2019",
                                "\u201cA\u201d",
                                "\u2026",
                                "\u2013",
                                "\u20ac",
                                "\u2122",
                                "\u00abA\u202f\u00bb",
                                "\u202f;",
                                "\u2009:",
                                "A\u2002V",
                                "\u2764\ufe0f",
                                "\u263a\ufe0e",
                                "\u2600",
                                "\ufe0f",
                                "\U0001F44D\U0001F3FD",
                                "\U0001F3FD",
                                "\U0001F468\u200d\U0001F469\u200d\U0001F467",
                                "\U0001F3F3\ufe0f\u200d\U0001F308",
                                "\U0001F44D\U0001F3FD\u200d",
                                "\u200d\U0001F600",
                                "\u200d",
                                "A\u200dV",
                                "T\u200d",
                                "\U0001F1EB\U0001F1F7",
                                "\U0001F1EB\U0001F1F7\U0001F1E9",
                                "\U0001F1E9",
                                "Y\U0001F1E9",
                                "Vi\u1ec7t",
                                "\u1ef2",
                                "A\u00adV",
                                "T\u00ad",
                                "\u00adY",
                                "\u00ad",
                                "Y\u00ad\u00ad",
                                "\u1f08\u03bb",
                                "\u10e5\u10d0\u10e0",
                                "\u12a0\u1208",
                                "\u13a0\u13a1",
                                "\U0001D400\U0001D41B",
                                "\u2192",
                                "\u2500",
                                "\u2460",
                                "\ufb01n"};
    Hasard hasard{53};
    const std::vector<Texte> lignes =
        lignesDe(200, 12, hasard, [&] { return depuisUtf8(Mots[hasard() % std::size(Mots)]); });
    sommesExactes(lignes, {.resolutions = {96, 1200},
                           .polices = {"Arial", "DejaVu Sans", "Liberation Serif", "Courier New"},
                           .tailles = {4.0f, 10.5f, 37.0f},
                           .grasItalique = {false, true}});
}

// Lines where words of signs alone (numbers, punctuation, pictographs) follow words of a script,
// which they take in the line and not alone: Norasi kerns "1," alone and not after "Tour ", and
// Latin, Greek and Cyrillic letters, ideographs and Thai kern or not with the blanks beside them.
// Some words start with signs, a mark or a soft hyphen, or end with one.
TEST(LargeursSommees, OfSignsAfterTheWordsOfAScriptAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    const char* const Mots[] = {"Tour",
                                "AVANT",
                                "Y",
                                "14h30",
                                "\u03a9\u03bc\u03b5\u03b3\u03b1",
                                "\u0416\u0443\u043a",
                                "\u65e5\u672c",
                                "\u0e2a\u0e27\u0e31\u0e2a",
                                "1,",
                                "1",
                                "12",
                                "3,5",
                                "42%",
                                "1.000",
                                "(T",
                                "T)",
                                "(",
                                ")",
                                "\u2026",
                                "\u2019",
                                "-",
                                ",",
                                "\u00ab",
                                "\u00bb",
                                "\u20ac",
                                "\U0001F600",
                                "\U0001F44D\U0001F3FD",
                                "\u00ad",
                                "T\u00ad",
                                "\u0301",
                                "\u0301V",
                                "\u0e31",
                                "y\u0e31"};
    Hasard hasard{71};
    std::vector<Texte> lignes =
        lignesDe(160, 9, hasard, [&] { return depuisUtf8(Mots[hasard() % std::size(Mots)]); });
    lignes.push_back(U"Tour 1,");
    lignes.push_back(U"Tour 1 1,");
    lignes.push_back(U"\u03a9 1 T 1,");
    sommesExactes(lignes,
                  {.resolutions = {96, 1200},
                   .polices = {"Arial", "DejaVu Sans", "Liberation Serif", "C059", "Norasi"},
                   .tailles = {4.0f, 10.5f, 37.0f},
                   .progressifs = {true},
                   .dejaMesures = true});
}

// The letter before each position asked, from a text's end toward its start, is the nearest one
// a search back from there finds, however far: letters in runs or alone, marks after them (which
// give no script), texts with none.
TEST(LettresAvant, AreTheNearestBeforeEachPositionAsked) {
    const char32_t Caracteres[] = {U' ', U'.', U'1', 0x301, U'(', U' ', U'.', U'a', 0x3A9, 0x5D0};
    Hasard hasard{101};
    for (int n = 0; n < 3000; ++n) {
        Texte texte;
        const std::uint32_t lettres = 2 + hasard() % 9;
        for (std::uint32_t i = 0, taille = hasard() % 150; i < taille; ++i)
            texte += Caracteres[hasard() % lettres];
        qt::LettresAvant avant(texte);
        for (std::size_t position = texte.size();;) {
            std::size_t attendue = std::u32string_view::npos;
            for (std::size_t i = position; i-- > 0 && attendue == std::u32string_view::npos;) {
                if (qt::donneSonEcriture(texte[i])) attendue = i;
            }
            ASSERT_EQ(avant.avant(position), attendue) << versUtf8(texte) << " at " << position;
            const std::size_t pas = hasard() % 4;
            if (position <= pas) break;
            position -= pas;
        }
    }
}

// Long runs of words of signs after a word of letters, which gives them its script however far
// back it is, another word of letters among them now and then.
TEST(LargeursSommees, OfLongRunsOfSignsAfterAWordAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    const char* const Signes[] = {"...", "!?", "--", "\u00ab\u00bb", "%",      "+=",     "(",
                                  ")",   "1,", "12", "\u2026",       "\u20ac", "\u2019", "-"};
    const char* const Lettres[] = {"Tour",         "AV",
                                   "\u03a9\u03bc", "\u0416\u0443\u043a",
                                   "\u65e5\u672c", "\u0e2a\u0e27\u0e31\u0e2a"};
    Hasard hasard{97};
    std::vector<Texte> lignes;
    for (int n = 0; n < 40; ++n) {
        Texte ligne = depuisUtf8(Lettres[hasard() % std::size(Lettres)]);
        for (std::uint32_t i = 0, mots = 20 + hasard() % 40; i < mots; ++i) {
            ligne += U' ';
            ligne += depuisUtf8(hasard() % 30 == 0 ? Lettres[hasard() % std::size(Lettres)]
                                                   : Signes[hasard() % std::size(Signes)]);
        }
        lignes.push_back(ligne);
    }
    sommesExactes(lignes, {.resolutions = {96},
                           .polices = {"Arial", "DejaVu Sans", "Norasi"},
                           .tailles = {4.0f, 10.5f},
                           .progressifs = {true},
                           .dejaMesures = true});
}

// Lines of Arabic or Thai words, whose letters join or stack within a word: summed only where
// another font than the blank's draws them, words that start with a mark included, in fonts that
// draw Arabic themselves or not, asked whole or as a wrap asks.
TEST(LargeursSommees, OfArabicAndThaiLinesAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    Hasard hasard{23};
    const auto arabe = [&]() -> Texte {
        const std::uint32_t n = hasard() % 20;
        if (n == 0) return U"\u0644\u0627";
        if (n <= 2) return Texte(1, static_cast<char32_t>(0x64B + hasard() % 21));
        if (n == 3) return Texte(1, static_cast<char32_t>(0x660 + hasard() % 10));
        return Texte(1, static_cast<char32_t>(0x620 + hasard() % 43));
    };
    const auto thai = [&]() -> Texte {
        return Texte(1, static_cast<char32_t>(hasard() % 5 == 0 ? 0xE31 + hasard() % 30
                                                                : 0xE01 + hasard() % 46));
    };
    // Alone, its first word is drawn on a dotted circle another font gives.
    std::vector<Texte> lignes{
        depuisUtf8("\u0651\u0640 \u0632\u0635 \u0637\u0646 "
                   "\u064a\u0628\u0633\u0649")};
    for (int n = 0; n < 240; ++n) {
        // Some Thai lines start with a mark.
        Texte ligne(n % 6 == 5 ? 1 : 0, static_cast<char32_t>(0xE47 + hasard() % 8));
        for (std::uint32_t mot = 0, mots = 1 + hasard() % 8; mot < mots; ++mot) {
            if (mot > 0) ligne += U' ';
            for (std::uint32_t i = 0, lettres = 1 + hasard() % 9; i < lettres; ++i)
                ligne += n % 3 == 2 ? thai() : arabe();
        }
        lignes.push_back(ligne);
    }
    sommesExactes(lignes, {.resolutions = {96, 1200},
                           .polices = {"Arial", "DejaVu Sans", "Courier New"},
                           .tailles = {4.0f, 10.5f, 23.5f},
                           .grasItalique = {false, true},
                           .progressifs = {true}});
}

// Lines of Thai words in fonts that draw Thai and the blank alike, which Qt shapes in one run:
// words of random letters, marks and vowels (a mark may start a word), Thai digits and signs,
// Latin words and numbers among them, at two resolutions, three sizes, plain and bold italic.
TEST(LargeursSommees, OfThaiLinesInAThaiFontAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    Hasard hasard{41};
    const char* const Autres[] = {"Tour",   "AVANT", "12",     "(T",     "T)",
                                  "\u2026", ",",     "\u0e2f", "\u0e46", "\u0e51\u0e52"};
    const auto mot = [&]() -> Texte {
        if (hasard() % 5 == 0) return depuisUtf8(Autres[hasard() % std::size(Autres)]);
        Texte lettres;
        for (std::uint32_t i = 0, n = 1 + hasard() % 7; i < n; ++i) {
            lettres += static_cast<char32_t>(hasard() % 4 == 0 ? 0xE31 + hasard() % 30
                                                               : 0xE01 + hasard() % 46);
        }
        return lettres;
    };
    sommesExactes(lignesDe(200, 10, hasard, mot),
                  {.resolutions = {96, 1200},
                   .polices = {"Norasi", "Loma", "Garuda", "Tlwg Typist", "Kinnari"},
                   .tailles = {4.0f, 10.5f, 23.5f},
                   .grasItalique = {false, true},
                   .progressifs = {true}});
}

// Lines of Devanagari words, which the shaper reorders and joins within each syllable, among
// Latin words, numbers, signs and now and then a Hebrew word: in a face that draws Devanagari,
// in faces that leave it to another, and where no face draws it (Qt's boxes, blanks among
// them). Most syllables are whole; some are not (a sign that starts a word, two viramas, a
// vowel sign after a virama, a stress sign): the shaper gives such a syllable a dotted circle,
// which in a line it may leave out. Consonants with a nukta of their own are among them.
TEST(LargeursSommees, OfDevanagariLinesAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    Hasard hasard{47};
    const auto entre = [&](char32_t premier, char32_t dernier) {
        return static_cast<char32_t>(premier + hasard() % (dernier - premier + 1));
    };
    const auto consonne = [&] {
        Texte c(1, hasard() % 10 == 0 ? entre(0x958, 0x95F) : entre(0x915, 0x939));
        if (hasard() % 6 == 0) c += U'\u093c';
        return c;
    };
    const auto syllabe = [&] {
        Texte s;
        if (hasard() % 4 == 0) {
            s += entre(0x905, 0x914);
        } else {
            s += consonne();
            for (std::uint32_t n = hasard() % 3; n > 0; --n)
                s += U'\u094d' + consonne();
        }
        if (const std::uint32_t k = hasard() % 4; k == 0) {
            s += U'\u094d';
        } else if (k == 1) {
            s += entre(0x93E, 0x94C);
        }
        if (hasard() % 5 == 0) s += entre(0x901, 0x903);
        return s;
    };
    const char32_t Brisures[] = {0x93E, 0x94D, 0x902, 0x93C, 0x951, 0x301};
    const char* const Autres[] = {"Tour",   "AVANT", "12",     "(T",           "T)",
                                  "\u2026", ",",     "\u0964", "\u0966\u0967", "\u05e9\u05dc"};
    const auto mot = [&]() -> Texte {
        if (hasard() % 6 == 0) return depuisUtf8(Autres[hasard() % std::size(Autres)]);
        Texte m;
        for (std::uint32_t i = 0, n = 1 + hasard() % 3; i < n; ++i) {
            if (hasard() % 8 == 0) m += Brisures[hasard() % std::size(Brisures)];
            m += syllabe();
        }
        if (hasard() % 8 == 0) m += Brisures[hasard() % std::size(Brisures)];
        return m;
    };
    std::vector<Texte> lignes = lignesDe(240, 16, hasard, mot);
    // Where no face draws them, Qt draws the nukta letters of the last word, and its vowel
    // sign, with one box less after the nukta letter alone before it than in the line.
    lignes.push_back(
        depuisUtf8("\u0936\u0905\u0916\u095f\u0929\u0949\u0922 \u0929\u0941\u0920 \u0929 "
                   "\u0915\u0923\u0931\u0922\u0942\u0917"));
    // A syllable not taken whole again, after 0 to 31 others (blanks count): the shaper numbers
    // syllables in fifteens, and leaves out the circle of one numbered as the one before.
    for (const char* brisee : {"\u093e", "\u0915\u094d\u094d", "\u0915\u094d\u093e", "\u0915\u0951",
                               "\u093c", "\u0902", "\u0915\u0902\u0902\u0902"}) {
        for (int autres = 0; autres < 32; ++autres) {
            Texte ligne = depuisUtf8(brisee);
            for (int i = 0; i < autres; ++i)
                ligne += i % 2 == 0 ? U' ' : U'\u0915';
            lignes.push_back(ligne + U' ' + depuisUtf8(brisee));
        }
    }
    sommesExactes(lignes, {.resolutions = {96, 1200},
                           .polices = {"Lohit Devanagari", "Arial", "DejaVu Sans"},
                           .tailles = {4.0f, 10.5f, 23.5f},
                           .grasItalique = {false, true}});
}

// Lines of words heaped with combining marks, some of which the font lacks: marks within words,
// at their start and end, words of marks alone, on Latin letters, digits, signs, Greek, Cyrillic
// or ideographs.
TEST(LargeursSommees, OfLinesWithCombiningMarksAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    Hasard hasard{31};
    const auto marque = [&] {
        const std::uint32_t n = hasard() % 12;
        return static_cast<char32_t>(n == 0 ? 0x483 + hasard() % 7 : 0x300 + hasard() % 0x70);
    };
    const char32_t Bases[] = {U'a', U'T', U'V',      U'f',      U'y',      U'1',      U',',
                              U'-', U'(', U'\u00bb', U'\u201c', U'\u03a9', U'\u0436', U'\u65e5'};
    const auto mot = [&] {
        Texte lettres;
        const bool marquesSeules = hasard() % 4 == 0;
        for (std::uint32_t i = 0, n = 1 + hasard() % 6; i < n; ++i) {
            lettres +=
                marquesSeules || hasard() % 2 ? marque() : Bases[hasard() % std::size(Bases)];
        }
        return lettres;
    };
    std::vector<Texte> lignes = lignesDe(240, 10, hasard, mot);
    // In a line, a Cyrillic or Thai mark after a blank stays in the run of the letter before, and
    // so does the blank after it, which kerns with V; the mark alone, at the start of a text,
    // starts a run of its own script, and the blank after it does not kern.
    lignes.push_back(U"x \u0487 V");
    lignes.push_back(U"x \u0e31 V");
    // DejaVu Sans Mono gives an ogonek alone after a blank an advance, and none after "y " in
    // the line: a word of a mark alone is not summed with the text before it.
    lignes.push_back(U"\u65e51\u0313y\u0366 \u0328 -f\u0326");
    sommesExactes(lignes, {.resolutions = {96, 1200},
                           .polices = {"Arial", "DejaVu Sans", "Liberation Serif", "Courier New",
                                       "DejaVu Sans Mono"},
                           .tailles = {4.0f, 10.5f, 23.5f},
                           .grasItalique = {false, true},
                           .progressifs = {true}});
}

// Lines of Hebrew and Arabic words beside Latin ones, starting with either, with signs at the
// edges of words, brackets within a word or across several, numbers, and digits within words:
// summed where every word keeps the levels it has alone, where a word added to a line keeps
// its own and leaves the line's, and elsewhere in parts that keep alone the levels they have in
// the line (a first letter of its direction, or letters of the other and signs that keep theirs)
// and hold their brackets. C059 kerns brackets with letters and Norasi digits with signs,
// DejaVu Sans a hyphen or guillemets with T, Arial and Liberation Serif a full stop, a comma, a
// colon or a hyphen after T.
TEST(LargeursSommees, OfLinesInBothDirectionsAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    const char* const Mots[] = {
        // Letters of one direction from end to end.
        "\u05e9\u05dc\u05d5\u05dd", "AVANT", "Tour", "Y", "l\u2019\u00e9t\u00e9", "a1b", "A1",
        "\u00b5m", "\u03a9c", "\u0436", "\u0e2a\u0e27\u0e31\u0e2a\u0e14\u0e35",
        "\u05e2\u05d5\u05dc\u05dd", "\u05e9-\u05dc", "\u05e912", "\u05e91,5\u05d1",
        "\u0645\u0631\u062d\u0628\u0627", "\u0644\u0627", "\u0633\u0644\u0627\u0645\u0661",
        "\u0628\u0662\u062a", "\u0628\u064e", "\u0628\u064e\u0662", "f(T)", "\u05e9(\u05d1)",
        // Numbers.
        "12", "3,5", "17.4", "1-7", "\u0661\u0662", "\u0661,\u0662",
        // Signs at an edge, brackets open or closed across words.
        "T.", "T,", "T:", "T-", "-T", "\u00abT", "T\u00bb", "(T", "T)", "(J", "A)", "[J]", "7.",
        "1,", "\u05e9\u05dc\u05d5\u05dd,", "\u00ab\u05e9\u05dc\u05d5\u05dd\u00bb", "(\u05e9",
        "\u05d9)", "-\u05d9", "\u05d0\u05d1\u05d2.", "\u0633\u0644\u0627\u0645.",
        // Neither: digits before letters, an Arabic digit among Latin letters, letters of both
        // directions, signs alone.
        "14h30", "12\u05e9", "a\u0661b", "T-\u0661V", "\u05e9T-\u05e9", "T-\u05e9", "\u2192",
        "\u2014", "\u00ab",
        // Soft hyphens: within a word of either direction, at its edges, alone.
        "A\u00adV", "T\u00ad", "\u00adY", "\u00ad", "\u05e9\u00ad\u05dc", "\u05e9\u00ad",
        "\u0628\u00ad\u062a", "1\u00ad2"};
    Hasard hasard{61};
    std::vector<Texte> lignes =
        lignesDe(400, 10, hasard, [&] { return depuisUtf8(Mots[hasard() % std::size(Mots)]); });
    // Lines that start or end with a blank, or hold two.
    for (const char* ligne :
         {"\u05e9 -T", "T- \u05e9", "\u05e9 T-\u0661V", "A \u05e9T-\u05e9", "\u05e9 T-\u05e9",
          " \u05e9 T.", "T. \u05e9 ", "\u05e9  T.", "\u05e9, (\u05d9 T)", "\u05d9,  \u05e9 ",
          // Brackets paired across words around a Hebrew one: they take its direction.
          "\u05e9 a(J \u05d1 J)b",
          // Alone, the text before "\u05d1)" draws "(J" in one run; here the pair takes the
          // direction of the Hebrew letter it holds.
          "\u05d0 T (J \u05d2 \u05d1)",
          // A number after a Latin letter goes left to right: so do the signs after it, before
          // a Latin word; at the end of a text in the other direction, they do not (C059 kerns
          // ".-" in one run).
          "\u05e9 T1.- V",
          // A quote and a blank after Arabic or Latin letters, kerned, not before a Hebrew one.
          "\u0630\u0639 \u0648\u0637\u062d\u2019 \u05e3\u05d3", "abc\u2019 \u05e9",
          // A mark after a blank is a sign: alone, the text before ends in its own direction.
          "\u05e2 Y \u0301 n"})
        lignes.push_back(depuisUtf8(ligne));
    // Past 63 brackets open at once, Qt pairs none: the last one takes the line's direction.
    for (const char* ligne : {"\u05d0 b(T)", "\u05d0 \u05d1 b(T)"})
        lignes.push_back(U"\u05d0 " + Texte(63, U'(') + U" " + depuisUtf8(ligne));
    // Enough of them summed whole, of each direction.
    const auto sommee = [](const Texte& l) {
        const unsigned t = qt::traits(l);
        return (t & qt::DroiteAGauche) && (t & qt::AutreQueDroiteAGauche) && qt::sommeExacte(t);
    };
    EXPECT_GT(std::count_if(lignes.begin(), lignes.end(), sommee), 20);
    EXPECT_GT(std::count_if(lignes.begin(), lignes.end(),
                            [&](const Texte& l) { return sommee(l) && l.front() >= 0x590; }),
              10);
    sommesExactes(lignes,
                  {.resolutions = {96, 1200},
                   .polices = {"Arial", "DejaVu Sans", "Liberation Serif", "C059", "Norasi"},
                   .tailles = {4.0f, 10.5f, 37.0f},
                   .grasItalique = {false, true}});
}

// The direction Qt draws each character of a text in, against the level read for it: random
// texts of letters of both directions, European and Arabic digits with their separators and
// terminators, brackets, signs, blanks, marks and soft hyphens.
TEST(NiveauxBidi, GiveEachCharacterTheDirectionQtDrawsItIn) {
    qt::PlateformeQt::partagee();
    const char32_t Caracteres[] = {U'a',  U'T',  0x5D0, 0x5D1,  0x627, 0x628, U'1', U'2',
                                   0x661, 0x662, U'+',  U'-',   U'$',  U'%',  U',', U'.',
                                   U':',  U'/',  U'#',  U'(',   U')',  U'[',  U']', U'!',
                                   U' ',  0xA0,  0xAB,  0x2192, 0x301, 0x64E, 0xAD};
    const QImage ecran(1, 1, QImage::Format_RGB32);
    const QFont police("DejaVu Sans", 12);
    Hasard hasard{71};
    qt::NiveauxBidi niveaux;
    int deDroiteAGauche = 0;
    // Then 10,000 more in a direction given to the text, as Qt's option gives it.
    for (int essai = 0; essai < 30000; ++essai) {
        Texte texte;
        for (std::uint32_t i = 0, n = 1 + hasard() % 16; i < n; ++i)
            texte += Caracteres[hasard() % std::size(Caracteres)];
        std::optional<std::uint8_t> base;
        if (essai >= 20000) base = essai % 2;
        ASSERT_TRUE(niveaux.lit(texte, base));
        QTextLayout mise(QString::fromUcs4(texte.data(), static_cast<qsizetype>(texte.size())),
                         police, &ecran);
        if (base) {
            QTextOption option;
            option.setTextDirection(*base ? Qt::RightToLeft : Qt::LeftToRight);
            mise.setTextOption(option);
        }
        mise.beginLayout();
        mise.createLine();
        mise.endLayout();
        for (std::size_t i = 0; i < texte.size(); ++i) {
            const QList<QGlyphRun> suites = mise.glyphRuns(static_cast<int>(i), 1);
            if (suites.empty()) continue;
            const bool droiteAGauche = niveaux.niveaux()[i] & 1;
            deDroiteAGauche += droiteAGauche;
            ASSERT_EQ(suites.front().isRightToLeft(), droiteAGauche)
                << versUtf8(texte) << " at " << i << (base ? " in a direction given" : "");
        }
    }
    EXPECT_GT(deDroiteAGauche, 75000);
}

// The levels of short parts kept are those of the part read afresh, with a level given or not,
// also once the table was full and emptied, for parts too long to keep, and for parts with an
// explicit embedding, which are not read.
TEST(NiveauxDesParties, AreThoseOfThePartReadAfresh) {
    const char32_t Caracteres[] = {U'a', 0x5D0, 0x627, U'1', 0x661, U'(', U')', U'.', U' ', 0x202B};
    Hasard hasard{89};
    qt::NiveauxDesParties parties;
    qt::NiveauxBidi neuf;
    std::size_t lisibles = 0;
    for (int pas = 0; pas < 30000; ++pas) {
        Texte partie;
        for (std::uint32_t i = 0, n = 1 + hasard() % (hasard() % 20 == 0 ? 90 : 4); i < n; ++i)
            partie += Caracteres[hasard() % std::size(Caracteres)];
        std::optional<std::uint8_t> base;
        if (hasard() % 3 == 0) base = static_cast<std::uint8_t>(hasard() % 2);
        const qt::NiveauxDesParties::Lus& lus = parties.de(partie, base);
        const bool lu = neuf.lit(partie, base);
        ASSERT_EQ(lus.lisibles, lu) << versUtf8(partie);
        ASSERT_EQ(lus.base, neuf.base()) << versUtf8(partie);
        if (lu) {
            ASSERT_EQ(lus.niveaux, neuf.niveaux()) << versUtf8(partie);
            ++lisibles;
        }
    }
    EXPECT_GT(lisibles, 15000u);
}

// The pairs of a text kept from the text before are those of the text paired afresh: texts cut
// back anywhere and grown again, with brackets of several kinds (the angle brackets of CJK and
// of technical symbols close each other), some unpaired or closing past others, and in some
// more brackets open at once than Qt pairs, then fewer again.
TEST(Partenaires, OfATextTakenUpAreThoseOfTheTextPairedAfresh) {
    const char32_t Caracteres[] = {U'a', U' ', U'(',  U')',   U'(',   U')',   U'[',  U']',
                                   U'{', U'}', 0x5D0, 0x2329, 0x232A, 0x3008, 0x3009};
    Hasard hasard{83};
    qt::Partenaires suivis;
    std::size_t debordes = 0;
    std::size_t apparies = 0;
    Texte texte;
    for (int pas = 0; pas < 20000; ++pas) {
        const std::uint32_t tirage = hasard() % 100;
        if (tirage < 5) {
            texte.clear();
        } else if (tirage < 40) {
            texte.resize(hasard() % (texte.size() + 1));
        }
        const bool deborde = hasard() % 50 == 0;
        for (std::uint32_t i = 0, n = deborde ? 64 : 1 + hasard() % 12; i < n; ++i)
            texte += deborde ? U'(' : Caracteres[hasard() % std::size(Caracteres)];
        if (texte.size() > 400) texte.erase(0, 200);

        std::vector<qt::PaireDeCrochets> paires;
        std::vector<qt::CrochetOuvert> ouverts;
        std::vector<std::size_t> attendus;
        if (qt::appaireLesCrochets(texte, paires, ouverts)) {
            attendus.assign(texte.size(), qt::Partenaires::Aucun);
            for (const auto& [ouvrant, fermant] : paires) {
                if (fermant == qt::PaireDeCrochets::SansPaire) continue;
                attendus[ouvrant] = fermant;
                attendus[fermant] = ouvrant;
                ++apparies;
            }
        }
        debordes += attendus.empty();
        ASSERT_EQ(suivis.de(texte), attendus) << pas << " \"" << versUtf8(texte) << "\"";
    }
    EXPECT_GT(debordes, 1000u);
    EXPECT_GT(apparies, 80000u);
    // Cut back to just before the bracket one too many.
    const Texte ouverts(qt::CrochetsOuvertsMaximum, U'(');
    EXPECT_TRUE(suivis.de(ouverts + U"(").empty());
    ASSERT_EQ(suivis.de(ouverts + U")").size(), ouverts.size() + 1);
    EXPECT_EQ(suivis.de(ouverts + U")").back(), ouverts.size() - 1);
}

// A line read as it grows word by word, taken up each time where the line before allows, has
// the levels and the blanks that keep them of the line read afresh: random words of letters of
// both directions, numbers with their separators and terminators, brackets, signs, marks and
// soft hyphens, with a piece of the next word tried before it, as a wrap tries one, and in some
// lines more brackets open at once than Qt pairs.
TEST(NiveauxBidi, OfALineThatGrowsAreThoseOfTheLineReadAfresh) {
    const char32_t Caracteres[] = {U'a',  U'T',  0x5D0, 0x5D1, 0x627, 0x628, U'1',  U'2',
                                   0x661, 0x662, U'+',  U'-',  U'$',  U'%',  U',',  U'.',
                                   U'(',  U')',  U'(',  U')',  U'[',  U']',  U'!',  0xAB,
                                   0x301, 0x64E, 0xAD,  0x5D2, U'b',  0x629, 0x5D3, U'c'};
    Hasard hasard{79};
    qt::NiveauxBidi suite;
    qt::NiveauxBidi neuve;
    std::size_t reprises = 0;
    const auto compare = [&](const Texte& ligne) {
        ASSERT_TRUE(suite.litALaSuite(ligne));
        ASSERT_TRUE(neuve.lit(ligne));
        reprises += suite.luDepuis() > 0;
        ASSERT_EQ(suite.niveaux(), neuve.niveaux()) << versUtf8(ligne);
        for (std::size_t blanc = ligne.find(U' '); blanc != Texte::npos;
             blanc = ligne.find(U' ', blanc + 1)) {
            ASSERT_EQ(suite.avantGardeSesNiveaux(blanc), neuve.avantGardeSesNiveaux(blanc))
                << versUtf8(ligne) << " at " << blanc;
        }
    };
    // Read with an Arabic digit after the place it is taken up from, then without: left to
    // right, no blank changes the levels.
    compare(U"a ( b) c \u0661");
    compare(U"a ( b) c x-");
    EXPECT_EQ(suite.luDepuis(), 8u);
    EXPECT_TRUE(suite.avantGardeSesNiveaux(3));
    // Every other line is of Latin words, but for an Arabic digit that ends words tried
    // whole before a piece of them: the piece is read left to right alone.
    const char32_t Latins[] = {U'a', U'T', U'1', U'2', U'+', U'-', U'$', U'%', U',',  U'.',
                               U'(', U')', U'(', U')', U'[', U']', U'!', 0xAB, 0x301, 0xAD};
    for (int essai = 0; essai < 4000; ++essai) {
        const bool latine = essai % 2;
        Texte ligne;
        for (std::uint32_t mot = 0, n = 1 + hasard() % 30; mot < n; ++mot) {
            Texte suivant = mot > 0 ? U" " : U"";
            for (std::uint32_t i = 0, l = 1 + hasard() % 5; i < l; ++i) {
                suivant += latine ? Latins[hasard() % std::size(Latins)]
                                  : Caracteres[hasard() % std::size(Caracteres)];
            }
            if (essai % 40 == 0 && mot == n / 2) suivant += Texte(64, U'(');
            if (hasard() % 4 == 0) {
                const Texte piece = suivant.substr(0, suivant.size() / 2) + U"-";
                if (latine) suivant += 0x661;
                compare(ligne + suivant);
                compare(ligne + piece);
            }
            ligne += suivant;
            compare(ligne);
        }
    }
    EXPECT_GT(reprises, 25000u);
}

// Where a line of both directions may be parted at a blank, the text before it, read alone,
// takes the levels it has in the line: random lines of words with brackets that pair across
// blanks, numbers and signs, parted from the end as a sum parts them.
TEST(NiveauxBidi, OfTheTextBeforeACutAreThoseItHasInTheLine) {
    const char* const Mots[] = {
        "T",       "ab", "\u05e9\u05dc", "\u0645\u0631", "(T",     "T)",     "(\u05e9", "\u05e9)",
        "(\u0645", "12", "(1",           "1)",           ",",      "-",      "(",       ")",
        "[x]",     "x.", "\u05e9.",      "\u0663",       "\u00ab", "\u00bb", "T(\u05e9"};
    Hasard hasard{73};
    qt::NiveauxBidi ligne;
    qt::NiveauxBidi seul;
    int coupes = 0;
    int dansUnePaire = 0;
    for (int essai = 0; essai < 20000; ++essai) {
        Texte texte;
        for (std::uint32_t i = 0, n = 2 + hasard() % 14; i < n; ++i) {
            if (i > 0) texte += U' ';
            texte += depuisUtf8(Mots[hasard() % std::size(Mots)]);
        }
        if (!(qt::traits(texte) & qt::DroiteAGauche)) continue;
        ASSERT_TRUE(ligne.lit(texte));
        qt::CoupesSures coupesSures(texte);
        std::size_t fin = texte.size();
        for (std::size_t blanc = texte.rfind(U' '); blanc != Texte::npos && blanc > 0;
             blanc = texte.rfind(U' ', blanc - 1)) {
            if (!coupesSures.avant(blanc, fin)) continue;
            fin = blanc;
            ++coupes;
            const std::u32string_view avant = std::u32string_view(texte).substr(0, blanc);
            dansUnePaire += std::count(avant.begin(), avant.end(), U'(') >
                            std::count(avant.begin(), avant.end(), U')');
            ASSERT_TRUE(seul.lit(avant));
            ASSERT_TRUE(qt::memesSuites(ligne.niveaux().data(), seul.niveaux()))
                << versUtf8(texte) << " at " << blanc;
        }
    }
    EXPECT_GT(coupes, 20000);
    EXPECT_GT(dansUnePaire, 3000);
}

// Words whose every character another font draws, in one face or several (mathematical
// letters are in three here, holes of their block in none), of one script or with signs and digits
// that take the script of the letters beside them (Arabic punctuation, the tatweel, CJK
// punctuation, arrows and stars among Arabic letters), Arabic with and without marks, ideographs,
// in fonts that draw some of them themselves, asked whole or as a wrap asks.
TEST(LargeursSommees, OfWordsOtherFacesDrawAreThoseOfTheWholeWord) {
    qt::PlateformeQt::partagee();
    struct Plage {
        char32_t premier;
        char32_t dernier;
        char32_t pas;
    };
    const std::vector<std::vector<Plage>> Ensembles = {
        {{0x1D400, 0x1D7FF, 3}},
        {{0x0621, 0x064A, 1}},
        {{0x0621, 0x064A, 1}, {0x064B, 0x0652, 1}},
        {{0x4E00, 0x9FFF, 97}},
        {{0x2190, 0x21FF, 5}, {0x2600, 0x26FF, 7}, {0x2700, 0x27BF, 11}},
        {{0x1D400, 0x1D7FF, 7}, {0x0621, 0x064A, 3}},
        {{0x2200, 0x22FF, 3}, {0x1D400, 0x1D4FF, 5}},
        {{0xAC00, 0xD7A3, 331}, {0x3041, 0x3096, 5}},
        // Signs and digits that take the script of the letters beside them.
        {{0x0621, 0x064A, 2}, {0x060C, 0x060C, 1}, {0x061B, 0x061F, 2}, {0x0660, 0x066D, 3}},
        {{0x4E00, 0x9FFF, 89}, {0x3001, 0x3003, 1}, {0x300C, 0x3011, 1}, {0xFF01, 0xFF0F, 3}},
        {{0x2190, 0x21FF, 9}, {0x2600, 0x26FF, 13}, {0x0621, 0x064A, 5}}};
    std::vector<std::vector<char32_t>> caracteres;
    for (const auto& plages : Ensembles) {
        caracteres.emplace_back();
        for (const Plage& plage : plages) {
            for (char32_t c = plage.premier; c <= plage.dernier; c += plage.pas)
                caracteres.back().push_back(c);
        }
    }
    Hasard hasard{67};
    const char* const Autres[] = {"AVANT", "T.", "(", "1", "«"};
    const auto mot = [&]() -> Texte {
        const std::vector<char32_t>& pris = caracteres[hasard() % caracteres.size()];
        Texte m;
        for (std::uint32_t i = 0, lettres = 1 + hasard() % 7; i < lettres; ++i)
            m += pris[hasard() % pris.size()];
        if (hasard() % 8 == 0) m.insert(hasard() % m.size(), depuisUtf8(Autres[hasard() % 5]));
        return m;
    };
    const std::vector<Texte> lignes = lignesDe(150, 8, hasard, mot);
    sommesExactes(lignes,
                  {.resolutions = {96, 1200},
                   .polices = {"Arial", "DejaVu Sans", "Liberation Serif", "C059", "Norasi"},
                   .tailles = {4.0f, 10.5f, 37.0f},
                   .grasItalique = {false, true},
                   .dejaMesures = true});
}

// Lines of ideographs drawn by another font than the blank's, or by none (each drawn as the
// font's missing glyph), beside kana, Hangul, pictographs and Latin words that kern with a blank,
// in fonts that draw ideographs themselves or not, asked whole or as a wrap asks.
TEST(LargeursSommees, OfIdeographLinesAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    const QImage ecran(1, 1, QImage::Format_RGB32);
    const QFontMetricsF arial(QFont("Arial", 10), &ecran);
    std::vector<char32_t> dessines;
    std::vector<char32_t> manquants;
    for (char32_t c = 0x3400; c <= 0x9FFF; c += 7) {
        if (c > 0x4DBF && c < 0x4E00) continue;
        (arial.inFontUcs4(c) ? dessines : manquants).push_back(c);
    }
    ASSERT_GT(dessines.size(), 100u);
    ASSERT_GT(manquants.size(), 100u);
    Hasard hasard{31};
    const char* const Autres[] = {"AVANT",        "Tour",         "Y",          "T.",
                                  "\u3072\u3089", "\ud55c\uad6d", "\U0001F600", "\uff21"};
    const auto mot = [&]() -> Texte {
        const std::uint32_t n = hasard() % 10;
        if (n < 2) return depuisUtf8(Autres[hasard() % std::size(Autres)]);
        // Some words mix both.
        Texte m;
        for (std::uint32_t i = 0, lettres = 1 + hasard() % 6; i < lettres; ++i) {
            const std::vector<char32_t>& pris =
                n < 5 || (n == 9 && hasard() % 2 == 0) ? dessines : manquants;
            m += pris[hasard() % pris.size()];
        }
        // Beside a letter the font may kern with.
        if (n == 8) m.insert(0, 1, U'Y');
        return m;
    };
    const std::vector<Texte> lignes = lignesDe(120, 10, hasard, mot);
    sommesExactes(lignes,
                  {.resolutions = {96, 1200},
                   .polices = {"Arial", "DejaVu Sans", "Courier New", "WenQuanYi Micro Hei"},
                   .tailles = {4.0f, 10.5f, 23.5f}});
}

// Lines where some characters are drawn by no font (each as the missing glyph of the font's
// own face), beside the font's own letters, marks and kerning pairs and characters other fonts
// draw, in real families, aliases of others and a family that does not exist, asked whole or as
// a wrap asks. Run again with no Thai or Chinese face, where those are missing too.
TEST(LargeursSommees, OfLinesWithCharactersNoFontDrawsAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    const QImage ecran(1, 1, QImage::Format_RGB32);
    const QFontMetricsF arial(QFont("Arial", 10), &ecran);
    const QRawFont propre = QRawFont::fromFont(QFont("Arial", 10));
    std::vector<char32_t> manquants;
    std::vector<char32_t> ailleurs;
    for (const auto& [premier, dernier, pas] :
         {std::tuple<char32_t, char32_t, char32_t>{0xE01, 0xE5B, 1},
          {0xE81, 0xEDF, 1},
          {0x1780, 0x17FF, 3},
          {0x4E00, 0x9FFF, 211},
          {0xE000, 0xE0FF, 5},
          {0x10FFF0, 0x10FFFD, 1},
          {0x2E80, 0x2EF3, 3},
          {0x1200, 0x1248, 3}}) {
        for (char32_t c = premier; c <= dernier; c += pas) {
            if (!arial.inFontUcs4(c)) {
                manquants.push_back(c);
            } else if (!propre.supportsCharacter(c)) {
                ailleurs.push_back(c);
            }
        }
    }
    ASSERT_GT(manquants.size(), 50u);
    ASSERT_GT(ailleurs.size(), 10u);
    Hasard hasard{43};
    const char* const Propres[] = {"AVANT", "Tour", "Y", "T.", "\u00e9t\u00e9", "a\u0301", "-"};
    const auto mot = [&]() -> Texte {
        const std::uint32_t n = hasard() % 10;
        if (n < 2) return depuisUtf8(Propres[hasard() % std::size(Propres)]);
        Texte m;
        for (std::uint32_t i = 0, lettres = 1 + hasard() % 6; i < lettres; ++i) {
            const std::uint32_t k = hasard() % 8;
            if (k == 0 && n > 6) {
                m += ailleurs[hasard() % ailleurs.size()];
            } else if (k == 1) {
                m += depuisUtf8(Propres[hasard() % std::size(Propres)]);
            } else {
                m += manquants[hasard() % manquants.size()];
            }
        }
        return m;
    };
    const std::vector<Texte> lignes = lignesDe(120, 10, hasard, mot);
    sommesExactes(
        lignes, {.resolutions = {96, 1200},
                 .polices = {"Arial", "DejaVu Sans", "Courier New", "Serif", "Vitrail Inexistante"},
                 .tailles = {4.0f, 10.5f, 23.5f},
                 .grasItalique = {false, true}});
}

// Qt cuts a run past 4,096 UTF-16 units and loses the kerning across the cut: a line up to that
// length is summed, and one past it, or past it only by its characters outside the 16-bit range,
// is not. The cut falls between A and V, which Arial kerns; x kerns with neither a blank nor A.
TEST(LargeursSommees, OfLinesAsLongAsQtShapesWholeAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    Texte mots;
    while (mots.size() < 4200)
        mots += U"xxxxxAVxx ";
    std::vector<Texte> lignes;
    for (const std::size_t unites : {4090u, 4096u, 4097u, 4100u})
        lignes.push_back(mots.substr(0, unites));
    for (const int nombre : {409, 410, 440}) {
        Texte ligne;
        for (int i = 0; i < nombre; ++i)
            ligne += i == 0 ? U"x\U0001D400xxAVxx" : U" x\U0001D400xxAVxx";
        lignes.push_back(ligne);
    }
    sommesExactes(lignes, {.resolutions = {96},
                           .polices = {"Arial"},
                           .tailles = {10.0f},
                           .progressifs = {true},
                           .dejaMesures = true});
}

// Lines of short words and tabs, asked word after word as a wrap asks, at every half-point size
// a fitting tries: where a tab's stop falls is Qt's own reckoning, which the advances before it
// do not always add up to.
TEST(LargeursSommees, OfLinesWithTabsAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    Hasard hasard{11};
    std::vector<Texte> lignes;
    for (int n = 0; n < 120; ++n) {
        Texte ligne;
        for (std::uint32_t mot = 0, mots = 1 + hasard() % 8; mot < mots; ++mot) {
            for (std::uint32_t i = 0, lettres = 1 + hasard() % 9; i < lettres; ++i)
                ligne += static_cast<char32_t>(U'a' + hasard() % 6);
            const std::uint32_t apres = hasard() % 10;
            ligne += apres < 6 ? U" " : apres < 8 ? U"\t" : apres < 9 ? U"\t\t" : U" \t";
        }
        lignes.push_back(ligne);
    }
    for (float taille = 10; taille >= 1; taille -= 0.5f) {
        qt::SurfaceQt surface(96);
        surface.FontName(U"Arial");
        surface.FontSize(taille);
        for (const Texte& ligne : lignes) {
            for (std::size_t blanc = ligne.find(U' '); blanc != Texte::npos;
                 blanc = ligne.find(U' ', blanc + 1)) {
                const Texte essai = ligne.substr(0, blanc);
                const auto [seule, sommee] = mesures(surface, essai, false);
                EXPECT_EQ(seule, sommee) << taille << " \"" << versUtf8(essai) << "\"";
            }
        }
    }
}

// Blanks that start a line, then a tab: short of the first stop they add nothing, past it the
// stop moves on. With what follows the blanks asked before or not, and with positions past
// what Qt lays out exactly (its tab stops overflow past 33 million pixels).
TEST(LargeursSommees, OfBlanksBeforeATabAreThoseOfTheWholeLine) {
    qt::PlateformeQt::partagee();
    const Texte tabulations(450000, U'\t');
    struct Ligne {
        Texte suite;
        std::vector<float> tailles;
        std::vector<std::size_t> blancs;
    };
    const std::vector<Ligne> lignes = {
        {U"\tx", {1, 10, 37}, {1, 5, 6, 7, 21, 22, 23, 40}},
        {U"\tTour AV\t\tY", {10, 37}, {1, 6, 22}},
        {U"\t\u05e9\u05dc\u05d5\u05dd abc", {10, 37}, {1, 6, 22}},
        {U"\t1, \u0645\u0631\u062d\u0628\u0627 T", {10}, {1, 22}},
        {U"\t\u0301x \t", {10}, {1, 22}},
        {tabulations + U"x", {10}, {1, 30}},
    };
    for (const auto& [suite, tailles, blancs] : lignes) {
        for (const float taille : tailles) {
            for (const std::size_t n : blancs) {
                for (const bool suiteConnue : {false, true}) {
                    qt::SurfaceQt surface(96);
                    surface.FontName(U"Arial");
                    surface.FontSize(taille);
                    if (suiteConnue) surface.TextWidth(suite);
                    const Texte ligne = Texte(n, U' ') + suite;
                    const auto [seule, sommee] = mesures(surface, ligne, false);
                    EXPECT_EQ(seule, sommee) << taille << " " << n << " " << suiteConnue << " \""
                                             << versUtf8(ligne.substr(0, 40)) << "\"";
                }
            }
        }
    }
}

// What the blank between two characters adds is known at one size for every smaller one of the
// same font: the sums hold on one surface as its size goes up from a tenth of a point, where
// kerning rounds to nothing, and back down.
TEST(LargeursSommees, HoldAsTheSizeGoesUpAndDown) {
    qt::PlateformeQt::partagee();
    std::vector<float> tailles;
    for (float t = 0.1f; t < 1; t += 0.1f)
        tailles.push_back(t);
    for (float t = 1; t <= 24; t += 0.5f)
        tailles.push_back(t);
    tailles.insert(tailles.end(), tailles.rbegin(), tailles.rend());
    for (const int resolution : {96, 1200}) {
        for (const char* police : {"Arial", "Liberation Serif"}) {
            qt::SurfaceQt surface(resolution);
            surface.FontName(depuisUtf8(police));
            for (const float taille : tailles) {
                surface.FontSize(taille);
                // Each size ends with the start of the line the next one begins with.
                for (const char* texte : {"mot de la ville", "La Tour AVANT Lyon", "P. L. T. V.",
                                          "mot - Y", "Y A", "mot de la"}) {
                    const auto [seule, sommee] = mesures(surface, depuisUtf8(texte), false);
                    EXPECT_EQ(seule, sommee)
                        << resolution << " " << police << " " << taille << " \"" << texte << "\"";
                }
            }
        }
    }
}

// Up to the size the surface vouches for, no text measures less at a larger size: a fitting
// takes the widths that fit at one size to fit at every smaller one. Past it they fall back.
TEST(LargeursCroissantes, UpToTheSizeTheSurfaceVouchesFor) {
    qt::PlateformeQt::partagee();
    const char* const Parties[] = {
        "a", "AVANT", " ", "Tour",   "\u00e9t\u00e9", "V.", "ffi", "\u65e5\u672c", "\u05e9\u05dc",
        "-", "\n",    "W", "\u0436", "e\u0301",       "Y ", ","};
    Hasard hasard{13};
    std::vector<Texte> textes;
    for (int n = 0; n < 40; ++n) {
        std::string t;
        for (std::uint32_t i = 0, parties = 1 + hasard() % 12; i < parties; ++i)
            t += Parties[hasard() % std::size(Parties)];
        textes.push_back(depuisUtf8(t));
    }
    caches::actifs(false);
    for (const int resolution : {96, 1200}) {
        for (const char* police : {"Arial", "DejaVu Sans", "Liberation Serif"}) {
            qt::SurfaceQt surface(resolution);
            surface.FontName(depuisUtf8(police));
            std::vector<double> tailles;
            for (double t = 0.5; t <= 40; t += 0.5)
                tailles.push_back(t);
            const double maximum = std::floor(surface.TailleCroissanteMaximum());
            for (const double part : {0.01, 0.1, 0.5, 0.9, 1.0})
                tailles.push_back(std::max(40.5, std::floor(maximum * part)));
            std::vector<double> avant(textes.size(), 0);
            for (const double taille : tailles) {
                surface.FontSize(static_cast<float>(taille));
                for (std::size_t i = 0; i < textes.size(); ++i) {
                    const double largeur = surface.TextWidth(textes[i]);
                    EXPECT_GE(largeur, avant[i]) << resolution << " " << police << " " << taille
                                                 << " \"" << versUtf8(textes[i]) << "\"";
                    avant[i] = largeur;
                }
            }
        }
    }
    caches::actifs(true);
}

// Texts of one to fourteen parts drawn at random from these.
template <std::size_t N>
std::vector<Texte> textesDeParties(const char* const (&parties)[N], std::uint32_t graine) {
    Hasard hasard{graine};
    std::vector<Texte> textes;
    for (int n = 0; n < 60; ++n) {
        std::string t;
        for (std::uint32_t i = 0, nombre = 1 + hasard() % 14; i < nombre; ++i)
            t += parties[hasard() % N];
        textes.push_back(depuisUtf8(t));
    }
    return textes;
}

// The characters of a text but its blanks, each once.
Texte caracteresUniques(const Texte& texte) {
    Texte caracteres;
    for (const char32_t c : texte) {
        if (c != U' ' && caracteres.find(c) == Texte::npos) caracteres += c;
    }
    return caracteres;
}

// Each text on a surface of each of these fonts at two resolutions and three sizes, with a
// line that says which.
void surGrille(
    std::initializer_list<const char*> polices, const std::vector<Texte>& textes,
    const std::function<void(qt::SurfaceQt&, const Texte&, const std::string&)>& visite) {
    for (const int resolution : {96, 1200}) {
        for (const char* police : polices) {
            for (const float taille : {5.5f, 10.0f, 37.0f}) {
                qt::SurfaceQt surface(resolution);
                surface.FontName(depuisUtf8(police));
                surface.FontSize(taille);
                for (const Texte& texte : textes) {
                    visite(surface, texte,
                           std::to_string(resolution) + " " + police + " " +
                               std::to_string(taille) + " \"" + versUtf8(texte) + "\"");
                }
            }
        }
    }
}

// One more character, or a hyphen, adds no more than the bound to any prefix of the text.
void ajoutsBornes(const std::function<double(const Texte&)>& W, const Texte& texte, double borne,
                  const std::string& ici) {
    for (std::size_t fin = 1; fin <= texte.size(); ++fin) {
        const Texte avant = texte.substr(0, fin - 1);
        EXPECT_LE(W(texte.substr(0, fin)) - W(avant), borne) << ici << " " << fin;
        EXPECT_LE(W(avant + U"-") - W(avant), borne) << ici << " " << fin;
    }
}

// Where widths do not add up (scripts that join or reorder, combining marks, characters past
// the basic plane), the looser bound still holds for one more character, or a hyphen, at the
// end of every prefix of random texts, and for a whole word's letters.
TEST(LargeurAjouteeMaximum, BoundsWhatACharacterAddsInAnyScript) {
    qt::PlateformeQt::partagee();
    const char* const Parties[] = {"\u0645\u0631\u062d\u0628\u0627",
                                   "\u0644\u0627",
                                   "\u0633\u0644\u0627\u0645",
                                   "\u0e2a\u0e27\u0e31\u0e2a\u0e14\u0e35",
                                   "\u0e33",
                                   "\u0e48",
                                   "\u0928\u092e\u0938\u094d\u0924\u0947",
                                   "\u093f",
                                   "\u0915\u094d\u0937",
                                   "e\u0301\u0302",
                                   "\u0301",
                                   "\U0001F600",
                                   "\U0001D400",
                                   "\u05e9\u05b8",
                                   "AV",
                                   "ffi",
                                   " ",
                                   "-"};
    const std::vector<Texte> textes = textesDeParties(Parties, 17);
    int bornes = 0;
    surGrille({"Arial", "DejaVu Sans", "Liberation Serif"}, textes,
              [&](qt::SurfaceQt& surface, const Texte& texte, const std::string& ici) {
                  const auto W = [&](const Texte& t) { return surface.TextWidth(t); };
                  const double borne = surface.LargeurAjouteeMaximum(caracteresUniques(texte));
                  if (borne == 0) return;
                  ++bornes;
                  ajoutsBornes(W, texte, borne, ici);
                  for (std::size_t debut = 0; debut < texte.size();) {
                      std::size_t fin = texte.find(U' ', debut);
                      if (fin == Texte::npos) fin = texte.size();
                      const Texte mot = texte.substr(debut, fin - debut);
                      EXPECT_LE(W(mot + U"-"), static_cast<double>(mot.size() + 1) * borne) << ici;
                      debut = fin + 1;
                  }
              });
    EXPECT_GT(bornes, 500);
}

// Where no font draws a script, its characters are missing glyphs (Qt's boxes): the bound counts
// the characters of each one's decomposition and a dotted circle, and holds for every prefix of
// words that start with marks, put vowels in two parts (Bengali, Kannada, Sinhala, Khmer),
// decompose in three (Tibetan) or stack consonants, here in Indic scripts, Tibetan, Khmer and
// Myanmar.
TEST(LargeurAjouteeMaximum, BoundsWhatACharacterNoFontDrawsAdds) {
    qt::PlateformeQt::partagee();
    const char* const Parties[] = {"\u0928\u092e\u0938\u094d\u0924\u0947",
                                   "\u093f",
                                   "\u0915\u094d\u0937",
                                   "\u0929",
                                   "\u095b\u093c",
                                   "\u0930\u094d\u0915",
                                   "\u0995\u09cb",
                                   "\u09cc",
                                   "\u0ba4\u0bca",
                                   "\u0c95\u0ccb",
                                   "\u0ccb",
                                   "\u0d9a\u0ddd",
                                   "\u0ddd",
                                   "\u0f40\u0f77",
                                   "\u0f73",
                                   "\u1780\u17be",
                                   "\u17c4",
                                   "\u1000\u1031\u102c",
                                   "\u0b15\u0b4c",
                                   "\u0a15\u0a3f",
                                   "\u0d15\u0d4a",
                                   " "};
    const std::vector<Texte> textes = textesDeParties(Parties, 71);
    int bornes = 0;
    surGrille(
        {"Arial", "DejaVu Sans", "Liberation Serif", "C059"}, textes,
        [&](qt::SurfaceQt& surface, const Texte& texte, const std::string& ici) {
            const Texte caracteres = caracteresUniques(texte);
            const double borne = surface.LargeurAjouteeMaximum(caracteres);
            if (borne == 0) return;
            // At most half what it is with a character another font draws.
            bornes += borne * 2 <= surface.LargeurAjouteeMaximum(caracteres + U"\u0645") ? 1 : 0;
            ajoutsBornes([&](const Texte& t) { return surface.TextWidth(t); }, texte, borne, ici);
        });
    const QImage ecran(1, 1, QImage::Format_RGB32);
    if (!QFontMetricsF(QFont("Arial", 10), &ecran).inFontUcs4(0x915)) {
        EXPECT_GT(bornes, 600);
    }
}

// The bound a character adds, which decides whether a wrap can overflow, holds for every
// prefix of every word, with or without a hyphen, for one more character at the end of any
// text, tabs included, and for the kerning beside every blank.
TEST(LargeurParCaractere, BoundsWhatEachCharacterAdds) {
    qt::PlateformeQt::partagee();
    int bornes = 0;
    for (const char* police : {"Arial", "DejaVu Sans", "Liberation Serif"}) {
        for (const float taille : {5.5f, 10.0f, 37.0f}) {
            for (const std::string& utf8 : TextesSommes) {
                const Texte texte = depuisUtf8(utf8);
                qt::SurfaceQt surface(96);
                surface.FontName(depuisUtf8(police));
                surface.FontSize(taille);
                Texte caracteres;
                std::vector<std::pair<char32_t, char32_t>> bords;
                for (std::size_t i = 0; i < texte.size(); ++i) {
                    if (texte[i] != U' ') {
                        caracteres += texte[i];
                        continue;
                    }
                    const char32_t avant = i > 0 ? texte[i - 1] : 0;
                    bords.emplace_back(avant, i + 1 < texte.size() ? texte[i + 1] : 0);
                    bords.emplace_back(avant, 0);
                    bords.emplace_back(avant, U'-');
                }
                const double borne = surface.LargeurParCaractere(caracteres, bords);
                if (borne == 0) continue;
                ++bornes;
                const auto W = [&](const Texte& t) { return surface.TextWidth(t); };
                const std::string ici =
                    std::string(police) + " " + std::to_string(taille) + " \"" + utf8 + "\"";
                for (std::size_t debut = 0; debut < texte.size(); ++debut) {
                    for (std::size_t fin = debut; fin <= texte.size() && fin - debut < 40; ++fin) {
                        const Texte morceau = texte.substr(debut, fin - debut);
                        if (morceau.find(U' ') != Texte::npos) break;
                        const auto n = static_cast<double>(morceau.size());
                        EXPECT_LE(W(morceau), n * borne) << ici;
                        EXPECT_LE(W(morceau + U"-"), (n + 1) * borne) << ici;
                    }
                }
                // One more character at the end of any text, as a wrap asks.
                for (std::size_t fin = 1; fin <= texte.size() && fin < 200; ++fin) {
                    EXPECT_LE(W(texte.substr(0, fin)) - W(texte.substr(0, fin - 1)), borne)
                        << ici << " " << fin;
                }
                for (std::size_t i = texte.find(U' '); i != Texte::npos;
                     i = texte.find(U' ', i + 1)) {
                    const Texte gauche = texte.substr(0, i);
                    const Texte droite = texte.substr(i + 1);
                    EXPECT_LE(std::fabs(W(texte) - W(gauche) - W(U" ") - W(droite)), borne) << ici;
                }
            }
        }
    }
    EXPECT_GT(bornes, 50);
}

// Qt takes a tab's stop from a position rounded to 1/64 of the distance between stops: a tab
// just short of a stop reaches the next one and adds more than its own width.
TEST(LargeurParCaractere, BoundsATabJustShortOfAStop) {
    qt::PlateformeQt::partagee();
    Hasard hasard{3};
    int auDela = 0;
    for (const int resolution : {96, 1200}) {
        for (const float taille : {3.0f, 10.0f}) {
            qt::SurfaceQt surface(resolution);
            surface.FontName(U"Arial");
            surface.FontSize(taille);
            const double borne = surface.LargeurParCaractere(U"abcdef \t", {});
            const double tabulation = surface.TextWidth(U"\t");
            for (int n = 0; n < 3000; ++n) {
                Texte texte;
                for (std::uint32_t i = 0, longueur = 1 + hasard() % 30; i < longueur; ++i)
                    texte += static_cast<char32_t>(U"abcdef \t"[hasard() % 8]);
                const double ajout = surface.TextWidth(texte + U"\t") - surface.TextWidth(texte);
                EXPECT_LE(ajout, borne) << resolution << " " << taille << " " << versUtf8(texte);
                auDela += ajout > tabulation ? 1 : 0;
            }
        }
    }
    EXPECT_GT(auDela, 0);
}

// A full width table keeps the widths asked for again, and the words too where a quarter of it
// was asked for again (frames that share their words), while a quarter stays free; else it
// forgets all.
TEST(MesuresPolices, AFullTableKeepsWhatWasAskedForAgain) {
    qt::PlateformeQt::partagee();
    QImage ecran(1, 1, QImage::Format_RGB32);
    using M = qt::MesuresPolices;
    const auto texte = [](const char* debut, std::size_t n) {
        return depuisUtf8(debut + std::to_string(n));
    };
    struct Remplissage {
        // Every that many lines asked for again (0: none).
        std::size_t pasLignes;
        bool motsRedemandes;
        bool motsGardes;
        bool lignesGardees;
    };
    constexpr std::size_t Mots = M::LargeursMaximum / 2;
    for (const Remplissage& cas :
         {Remplissage{2, false, true, true}, Remplissage{10, false, false, true},
          Remplissage{1, false, false, true}, Remplissage{1, true, false, false}}) {
        M mesures;
        qt::Police& petite = mesures.police(
            {U"Arial", 8, false, false, false, false, 96, 96}, [] { return QFont("Arial", 8); },
            ecran);
        qt::Police& grande = mesures.police(
            {U"Arial", 20, false, false, false, false, 96, 96}, [] { return QFont("Arial", 20); },
            ecran);
        const auto police = [&](std::size_t n) -> qt::Police& {
            return n % 2 == 0 ? petite : grande;
        };
        const auto texteDe = [&](std::size_t n) {
            return n < Mots ? texte("mot", n) : texte("une ligne ", n);
        };
        const auto redemande = [&](std::size_t n) {
            return n < Mots ? cas.motsRedemandes : cas.pasLignes > 0 && n % cas.pasLignes == 0;
        };
        for (std::size_t n = 0; n < M::LargeursMaximum; ++n) {
            mesures.retient(police(n), texteDe(n), static_cast<double>(n));
            if (redemande(n)) {
                ASSERT_NE(mesures.trouve(police(n), texteDe(n)), nullptr);
            }
        }
        mesures.retient(petite, U"la suivante", 1.5);

        const std::string nom =
            std::to_string(cas.pasLignes) + " " + std::to_string(cas.motsRedemandes) + " ";
        for (std::size_t n = 0; n < M::LargeursMaximum; ++n) {
            const bool garde = n < Mots ? cas.motsGardes : redemande(n) && cas.lignesGardees;
            const double* largeur = mesures.trouve(police(n), texteDe(n));
            ASSERT_EQ(largeur != nullptr, garde) << nom << versUtf8(texteDe(n));
            if (largeur) {
                ASSERT_EQ(*largeur, static_cast<double>(n)) << nom << versUtf8(texteDe(n));
            }
        }
        ASSERT_NE(mesures.trouve(petite, U"la suivante"), nullptr);
        EXPECT_EQ(*mesures.trouve(petite, U"la suivante"), 1.5);
    }
}

// Texts past what the tables hold still measure as Qt measures them whole, before and after
// the tables made room (words asked again and again, lines once or twice).
TEST(MesuresPolices, WidthsKeptThroughAFullTableAreQtsOwn) {
    qt::PlateformeQt::partagee();
    const char* const Mots[] = {"Avant", "tour", "LAV", "vite", "Wy", "T.", "ou", "Yves"};
    for (const int resolution : {96, 1200}) {
        qt::SurfaceQt surface(resolution);
        surface.FontName(U"Arial");
        surface.FontSize(10);
        Hasard hasard{7};
        std::vector<Texte> lignes;
        for (std::size_t n = 0; n < qt::MesuresPolices::LargeursMaximum * 5 / 2; ++n) {
            const Texte mot = depuisUtf8(Mots[hasard() % std::size(Mots)]);
            const Texte ligne = mot + U" " + depuisUtf8(std::to_string(n)) + U" " + mot;
            surface.TextWidth(mot);
            surface.TextWidth(ligne);
            if (n % 3 == 0) surface.TextWidth(ligne);
            if (n % 4093 == 0) lignes.push_back(ligne);
        }
        for (const char* m : Mots)
            lignes.push_back(depuisUtf8(m));
        for (const Texte& ligne : lignes) {
            caches::actifs(false);
            const double seule = surface.TextWidth(ligne);
            caches::actifs(true);
            EXPECT_EQ(surface.TextWidth(ligne), seule) << resolution << " " << versUtf8(ligne);
        }
    }
}

}  // namespace
}  // namespace vitrail
