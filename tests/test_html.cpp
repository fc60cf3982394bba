#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "Fichiers.hpp"
#include "doubles/PlateformeFactice.hpp"
#include "output/Html.hpp"

namespace vitrail {
namespace {

namespace fs = std::filesystem;
using Lignes = std::vector<std::string>;

constexpr char32_t Navigateur[] = U"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";

// Fails the test unless the call raises the given runtime error.
void attendErreur(std::int32_t numero, const std::function<void()>& appel) {
    try {
        appel();
        ADD_FAILURE() << "error " << numero << " expected";
    } catch (const ErreurExecution& erreur) {
        EXPECT_EQ(erreur.numero(), numero);
    }
}

class ExportHtml : public ::testing::Test {
  protected:
    void SetUp() override {
        page = dossier / "page.htm";
        Html::SetCheminHtml(depuisUtf8(page.string()));
    }
    void TearDown() override {
        std::error_code ignore;
        fs::permissions(dossier.chemin(), fs::perms::owner_all, fs::perm_options::add, ignore);
        Html::AbandonneHtml();
        Html::SetCheminHtml(U"");
    }

    std::vector<std::string> contenuDossier() const {
        std::vector<std::string> noms;
        for (const auto& entree : fs::directory_iterator(dossier.chemin())) {
            noms.push_back(entree.path().filename().string());
        }
        return noms;
    }

    // The page's lines; every one must end with CR LF.
    Lignes lignesPage() const {
        const std::string octets = test::contenu(page);
        Lignes lignes;
        std::size_t debut = 0;
        for (std::size_t fin; (fin = octets.find('\n', debut)) != std::string::npos;
             debut = fin + 1) {
            EXPECT_TRUE(fin > debut && octets[fin - 1] == '\r') << "line " << lignes.size() + 1;
            lignes.push_back(octets.substr(debut, fin - debut - 1));
        }
        EXPECT_EQ(debut, octets.size()) << "last line without CR LF";
        return lignes;
    }

    // The lines a whole export writes between its head and its tail.
    Lignes corpsExporte(const std::function<void()>& corps) {
        Html::EcritEnteteHtml(U"Titre", systeme);
        corps();
        Html::EcritFinHtml(systeme, ui);
        const Lignes lignes = lignesPage();
        if (lignes.size() < 32) return {};
        EXPECT_EQ(lignes[lignes.size() - 2], "</body>");
        EXPECT_EQ(lignes.back(), "</html>");
        return {lignes.begin() + 30, lignes.end() - 2};
    }

    test::DossierTemporaire dossier;
    fs::path page;
    test::SystemeFactice systeme;
    test::InteractionScriptee ui;
    test::ImprimanteFactice imprimante;
};

// The head's exact lines are pinned by the golden page; here, its framing and encoding.
TEST_F(ExportHtml, HeadIsWrittenInWindows1252WithCrLf) {
    EXPECT_TRUE(corpsExporte([] {}).empty());
    const Lignes lignes = lignesPage();
    ASSERT_EQ(lignes.size(), 32u);
    EXPECT_EQ(lignes[0], "<html>");
    EXPECT_EQ(lignes[8],
              " /* Definitions de Style de l'\xE9"
              "criture */");
    EXPECT_EQ(lignes[29], "<body>");

    // The title too goes through the code page, and what it lacks becomes "?".
    Html::EcritEnteteHtml(U"Réunion 5 € — Ω", systeme);
    Html::EcritFinHtml(systeme, ui);
    EXPECT_EQ(lignesPage().at(27), "<title>R\xE9union 5 \x80 \x97 ?</title>");
}

TEST_F(ExportHtml, FrameBlocks) {
    const Lignes corps = corpsExporte([&] {
        Html::EcritCadreHtml(10, 20, 13, 220, 0, 1, ui);     // 3 by 200
        Html::EcritCadreHtml(10, 20, 210, 23, 0, 1, ui);     // 200 by 3
        Html::EcritCadreHtml(0, 0, 3, 3, 0, 1, ui);          // 3 by 3
        Html::EcritCadreHtml(0, 0, 5, 5, 255, 1, ui);        // 5 by 5
        Html::EcritCadreHtml(50, -0.5, 40, 99.5, 0, 1, ui);  // bottom above top
        Html::EcritCadreHtml(52.25, 100.75, 112.75, 400.25, 0x0A0B0C, 1, ui);
    });
    const Lignes attendues{
        "<div style=\"position:absolute; left: 20 ; top: 10 ; width: 200 ; height: 3 \">",
        "<table border=0 style='border-collapse:collapse;height: 3 ; width: 200 '>",
        " <td class=xl24></td>",
        " </table>",
        "</div>",

        "<div style=\"position:absolute; left: 20 ; top: 10 ; width: 3 ; height: 200 \">",
        "<table border=0 style='border-collapse:collapse; height: 200 ; width: 3 '>",
        " <td class=xl25></td>",
        " </table>",
        "</div>",

        "<div style=\"position:absolute; left: 0 ; top: 0 ; width: 3 ; height: 3 \">",
        "<table border=0 style='border-collapse:collapse;height: 3 ; width: 3 '>",
        " <td class=xl24></td>",
        " </table>",
        "</div>",

        "<div style=\"position:absolute;  left: 0 ; top: 0 ; width: 5 ; height: 5 \">",
        "<table frame=all width= 5  border height= 5  > ",
        "<tr>",
        "<td BGCOLOR=#FF0000></td>",
        "</tr>",
        "</table>",
        "</div>",

        "<div style=\"position:absolute; left:-1 ; top: 50 ; width: 100 ; height:-10 \">",
        "<table border=0 style='border-collapse:collapse;height:-10 ; width: 100 '>",
        " <td class=xl24></td>",
        " </table>",
        "</div>",

        "<div style=\"position:absolute;  left: 100 ; top: 52 ; width: 300 ; height: 60 \">",
        "<table frame=all width= 300  border height= 60  > ",
        "<tr>",
        "<td BGCOLOR=#0C0B0A></td>",
        "</tr>",
        "</table>",
        "</div>",
    };
    EXPECT_EQ(corps, attendues);
}

TEST_F(ExportHtml, TextCells) {
    const auto ligneStyle = [](const Lignes& corps, std::size_t cellule) {
        return corps.at(cellule * 8 + 4);
    };
    const Lignes corps = corpsExporte([&] {
        Html::EcritTexteHtml(U"a  b<&é", 10.5, 20.25, 30, 120, 10.5, imprimante);
        Html::EcritTexteHtml(U"", 0, 0, 10, 10, 12, imprimante);
        imprimante.FontBold(true);
        imprimante.FontItalic(true);
        imprimante.FontUnderline(true);
        Html::EcritTexteHtml(U"x", 0, 0, 10, 10, 11.5, imprimante);
        imprimante.FontBold(false);
        Html::EcritTexteHtml(U"y", 0, 0, 10, 10, 12, imprimante);
        imprimante.FontItalic(false);
        Html::EcritTexteHtml(U"z", 0, 0, 10, 10, 12, imprimante);
    });
    ASSERT_EQ(corps.size(), 4u * 8);
    const Lignes premiere(corps.begin(), corps.begin() + 8);
    const Lignes attendue{
        "<div style=\"position:absolute;  left: 20 ; top: 10 ; width: 100 ; height: 20 \">",
        "<table border=0 style='border-collapse:collapse; height:10pt; width:10pt'>",
        "<td class=MsoNormal><span style='font-size: 10 pt;mso-bidi-font-size: 10 pt;",
        " Font -family: Arial '>",
        "a&nbsp&nbspb<&\xE9",
        "<o:p></o:p></span></td>",
        "</table>",
        "</div>",
    };
    EXPECT_EQ(premiere, attendue);
    EXPECT_EQ(ligneStyle(corps, 1), "<B>x</B>");
    EXPECT_EQ(corps.at(8 + 2),
              "<td class=MsoNormal><span style='font-size: 12 pt;mso-bidi-font-size: 12 pt;");
    EXPECT_EQ(ligneStyle(corps, 2), "<I>y</I>");
    EXPECT_EQ(ligneStyle(corps, 3), "<U>z</U>");
}

// A printer whose font cannot be read, as when none is set up.
class ImprimanteAbsente : public test::ImprimanteFactice {
  public:
    bool FontBold() const override { throw ErreurExecution(erreurs::ErreurImprimante); }
};

TEST_F(ExportHtml, AFailingBlockWritesNothingOfItself) {
    ImprimanteAbsente sansImprimante;
    const Lignes corps = corpsExporte([&] {
        attendErreur(erreurs::Depassement,
                     [&] { Html::EcritCadreHtml(0, 0, 10, 32767.5, 0, 1, ui); });
        attendErreur(erreurs::Depassement, [&] { Html::EcritCadreHtml(0, 0, 1, 40000, 0, 1, ui); });
        attendErreur(erreurs::Depassement,
                     [&] { Html::EcritTexteHtml(U"t", 0, 0, 10, 10, 40000, imprimante); });
        attendErreur(erreurs::Depassement,
                     [&] { Html::EcritTexteHtml(U"t", 40000, 0, 0, 10, 12, imprimante); });
        attendErreur(erreurs::ErreurImprimante,
                     [&] { Html::EcritTexteHtml(U"t", 0, 0, 10, 10, 12, sansImprimante); });
        // No text, no printer read.
        Html::EcritTexteHtml(U"", 0, 0, 10, 10, 12, sansImprimante);
    });
    EXPECT_TRUE(corps.empty());
}

TEST_F(ExportHtml, DefaultPathIsKeptOnceRead) {
    Html::SetCheminHtml(U"");
    systeme.dossier = depuisUtf8(dossier.chemin().string());
    const Texte parDefaut = depuisUtf8((dossier / "Vitrail.htm").string());
    EXPECT_EQ(Html::GetCheminHtml(systeme), parDefaut);
    systeme.dossier = U"/ailleurs";
    Html::EcritEnteteHtml(U"T", systeme);
    Html::EcritFinHtml(systeme, ui);
    EXPECT_TRUE(fs::exists(dossier / "Vitrail.htm"));
    EXPECT_EQ(Html::GetCheminHtml(systeme), parDefaut);

    Html::SetCheminHtml(U"");
    systeme.dossier = U"/";
    EXPECT_EQ(Html::GetCheminHtml(systeme), U"//Vitrail.htm");
}

TEST_F(ExportHtml, BrowserIsOfferedWhenPresent) {
    const Texte chemin = depuisUtf8(page.string());
    const Texte titre = U"Enregistrer sous HTML";
    systeme.fichiers.insert(Navigateur);
    ui.reponses = {Reponse::Non, Reponse::Oui};
    for (int passe = 0; passe < 2; ++passe) {
        Html::EcritEnteteHtml(U"T", systeme);
        Html::EcritFinHtml(systeme, ui);
    }
    const Message question{
        U"Le fichier HTML " + chemin + U" est créé, souhaitez-vous ouvrir le fichier maintenant ?",
        Boutons::OuiNon, Icone::Question, titre};
    EXPECT_EQ(ui.messages, (std::vector<Message>{question, question}));
    EXPECT_EQ(systeme.lances, std::vector<Texte>{Texte(Navigateur) + U" " + chemin});
    EXPECT_TRUE(fs::exists(page));

    systeme.fichiers.clear();
    ui.messages.clear();
    Html::EcritEnteteHtml(U"T", systeme);
    Html::EcritFinHtml(systeme, ui);
    EXPECT_EQ(ui.messages, (std::vector<Message>{{U"Le fichier HTML " + chemin + U" a été créé.",
                                                  Boutons::OK, Icone::Information, titre}}));
    EXPECT_EQ(systeme.lances.size(), 1u);
}

TEST_F(ExportHtml, ANewExportReplacesThePageAndKeepsItsPermissions) {
    const mode_t masque = ::umask(022);
    Html::EcritEnteteHtml(U"T", systeme);
    Html::EcritCadreHtml(0, 0, 10, 10, 0, 1, ui);
    Html::EcritFinHtml(systeme, ui);
    ::umask(masque);
    EXPECT_EQ(fs::status(page).permissions(), static_cast<fs::perms>(0644));
    EXPECT_EQ(lignesPage().size(), 30u + 7 + 2);

    fs::permissions(page, static_cast<fs::perms>(0640));
    Html::EcritEnteteHtml(U"T", systeme);
    Html::EcritFinHtml(systeme, ui);
    EXPECT_EQ(lignesPage().size(), 30u + 2);
    EXPECT_EQ(fs::status(page).permissions(), static_cast<fs::perms>(0640));
    EXPECT_EQ(contenuDossier(), std::vector<std::string>{"page.htm"});
}

TEST_F(ExportHtml, AFailedExportLeavesThePreviousPage) {
    test::ecrit(page, "ancien");

    Html::EcritEnteteHtml(U"T", systeme);
    Html::EcritCadreHtml(0, 0, 10, 10, 0, 1, ui);
    EXPECT_EQ(test::contenu(page), "ancien");
    Html::AbandonneHtml();
    EXPECT_FALSE(Html::ExportEnCours());
    EXPECT_EQ(test::contenu(page), "ancien");
    EXPECT_EQ(contenuDossier(), std::vector<std::string>{"page.htm"});
    attendErreur(erreurs::NomFichierIncorrect, [&] { Html::EcritCadreHtml(0, 0, 9, 9, 0, 1, ui); });

    Html::EcritEnteteHtml(U"T", systeme);
    attendErreur(erreurs::Depassement, [&] { Html::EcritCadreHtml(0, 0, 9, 1e6, 0, 1, ui); });
    Html::AbandonneHtml();
    EXPECT_EQ(test::contenu(page), "ancien");
    EXPECT_EQ(contenuDossier(), std::vector<std::string>{"page.htm"});

    // The page cannot take the target's place: the target became a folder meanwhile.
    Html::EcritEnteteHtml(U"T", systeme);
    fs::remove(page);
    fs::create_directories(page / "occupe");
    attendErreur(erreurs::AccesChemin, [&] { Html::EcritFinHtml(systeme, ui); });
    EXPECT_FALSE(Html::ExportEnCours());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(contenuDossier(), std::vector<std::string>{"page.htm"});
}

TEST_F(ExportHtml, OpeningFailures) {
    Html::SetCheminHtml(depuisUtf8((dossier / "absent" / "page.htm").string()));
    attendErreur(erreurs::CheminIntrouvable, [&] { Html::EcritEnteteHtml(U"T", systeme); });
    EXPECT_FALSE(Html::ExportEnCours());
    EXPECT_TRUE(contenuDossier().empty());

    Html::SetCheminHtml(depuisUtf8(page.string()));
    Html::EcritEnteteHtml(U"T", systeme);
    attendErreur(erreurs::FichierDejaOuvert, [&] { Html::EcritEnteteHtml(U"T", systeme); });
    Html::EcritFinHtml(systeme, ui);
    EXPECT_EQ(lignesPage().size(), 32u);
}

// Root writes anywhere: the suite runs these two as an unprivileged user too.
TEST_F(ExportHtml, AFolderThatTakesNoNewFileStillTakesTheNewPage) {
    if (::geteuid() == 0) GTEST_SKIP() << "root creates files anywhere";
    test::ecrit(page, "ancien");
    fs::permissions(dossier.chemin(), fs::perms::owner_read | fs::perms::owner_exec);
    Html::EcritEnteteHtml(U"T", systeme);
    Html::EcritCadreHtml(0, 0, 10, 10, 0, 1, ui);
    Html::EcritFinHtml(systeme, ui);
    EXPECT_EQ(lignesPage().size(), 30u + 7 + 2);
    EXPECT_EQ(contenuDossier(), std::vector<std::string>{"page.htm"});
}

TEST_F(ExportHtml, ReadOnlyPageCannotBeReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files anyway";
    test::ecrit(page, "ancien");
    fs::permissions(page, static_cast<fs::perms>(0444));
    attendErreur(erreurs::AccesChemin, [&] { Html::EcritEnteteHtml(U"T", systeme); });
    EXPECT_FALSE(Html::ExportEnCours());
    EXPECT_EQ(test::contenu(page), "ancien");
    EXPECT_EQ(contenuDossier(), std::vector<std::string>{"page.htm"});
}

}  // namespace
}  // namespace vitrail
