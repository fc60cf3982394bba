// Whole pages are pinned by the golden file; here, the edges and the ways an export can fail.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Erreurs.hpp"
#include "Fichiers.hpp"
#include "doubles/PlateformeFactice.hpp"
#include "html/Html.hpp"

namespace vitrail {
namespace {

namespace fs = std::filesystem;
using Noms = std::vector<std::string>;
using test::numeroErreur;

struct ExportHtml : ::testing::Test {
    ExportHtml() { Html::SetCheminHtml(depuisUtf8(page.string())); }
    ~ExportHtml() override {
        std::error_code ignore;
        fs::permissions(dossier.chemin(), fs::perms::owner_all, fs::perm_options::add, ignore);
        Html::AbandonneHtml();
        Html::SetCheminHtml(U"");
    }
    Noms contenuDossier() const {
        Noms noms;
        for (const auto& entree : fs::directory_iterator(dossier.chemin()))
            noms.push_back(entree.path().filename().string());
        return noms;
    }
    // A whole export with these blocks between its head and its tail.
    std::string exporte(const std::function<void()>& corps = [] {}) {
        Html::EcritEnteteHtml(U"Réunion 5 € — Ω", systeme);
        corps();
        Html::EcritFinHtml(systeme, ui);
        return test::contenu(page);
    }

    test::DossierTemporaire dossier;
    fs::path page = dossier / "page.htm";
    test::SystemeFactice systeme;
    test::DialoguesScriptes ui;
    test::ImprimanteFactice imprimante;
};

TEST_F(ExportHtml, NumbersTextsAndTitleAsThePageWritesThem) {
    const std::string html = exporte([&] {
        Html::EcritCadreHtml(50, -0.5, 40, 99.5, 0, 1, ui);  // bottom above top
        Html::EcritCadreHtml(52.25, 100.75, 112.75, 400.25, 0x0A0B0C, 1, ui);
        Html::EcritTexteHtml(U"a  b<&é", 10.5, 20.25, 30, 120, 10.5, imprimante);
    });
    // What the code page lacks becomes "?"; the rest is Windows-1252.
    EXPECT_NE(html.find("<title>R\xE9union 5 \x80 \x97 ?</title>\r\n"), std::string::npos);
    EXPECT_NE(html.find("left:-1 ; top: 50 ; width: 100 ; height:-10 \">"), std::string::npos);
    EXPECT_NE(html.find("left: 100 ; top: 52 ; width: 300 ; height: 60 \">"), std::string::npos);
    EXPECT_NE(html.find("<td BGCOLOR=#0C0B0A></td>"), std::string::npos);
    EXPECT_NE(html.find("font-size: 10 pt;"), std::string::npos);  // 10.5 to the even neighbour
    EXPECT_NE(html.find("\r\na&nbsp&nbspb<&\xE9\r\n"), std::string::npos);  // nothing escaped
}

TEST_F(ExportHtml, AFailingBlockWritesNothingOfItself) {
    const std::string vide = exporte();
    const std::string html = exporte([&] {
        EXPECT_EQ(numeroErreur([&] { Html::EcritCadreHtml(0, 0, 10, 32767.5, 0, 1, ui); }),
                  erreurs::Depassement);
        EXPECT_EQ(
            numeroErreur([&] { Html::EcritTexteHtml(U"t", 0, 0, 10, 10, 40000, imprimante); }),
            erreurs::Depassement);
    });
    EXPECT_EQ(html, vide);
}

TEST_F(ExportHtml, DefaultPathIsTheLibraryFolderAndIsKeptOnceRead) {
    Html::SetCheminHtml(U"");
    systeme.dossier = depuisUtf8(dossier.chemin().string());
    const Texte parDefaut = depuisUtf8((dossier / "Vitrail.htm").string());
    EXPECT_EQ(Html::GetCheminHtml(systeme), parDefaut);
    systeme.dossier = U"/ailleurs";
    EXPECT_EQ(Html::GetCheminHtml(systeme), parDefaut);
}

TEST_F(ExportHtml, TheBrowserIsOfferedOnlyWhenPresent) {
    const Texte navigateur = U"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";
    const Texte chemin = depuisUtf8(page.string());
    systeme.fichiers.insert(navigateur);
    ui.reponses = {Reponse::Oui};
    exporte();
    EXPECT_EQ(ui.messages.back(),
              (Message{U"Le fichier HTML " + chemin +
                           U" est créé, souhaitez-vous ouvrir le fichier maintenant ?",
                       Boutons::OuiNon, Icone::Question, U"Enregistrer sous HTML"}));
    EXPECT_EQ(systeme.lances, std::vector<Texte>{navigateur + U" " + chemin});

    systeme.fichiers.clear();
    exporte();
    EXPECT_EQ(ui.messages.back(),
              (Message{U"Le fichier HTML " + chemin + U" a été créé.", Boutons::OK,
                       Icone::Information, U"Enregistrer sous HTML"}));
    EXPECT_EQ(systeme.lances.size(), 1u);
}

TEST_F(ExportHtml, ANewPageReplacesTheOldOneWithItsPermissions) {
    test::ecrit(page, "ancien");
    fs::permissions(page, static_cast<fs::perms>(0640));
    EXPECT_EQ(exporte().rfind("<html>\r\n", 0), 0u);
    EXPECT_EQ(fs::status(page).permissions(), static_cast<fs::perms>(0640));
    EXPECT_EQ(contenuDossier(), Noms{"page.htm"});
}

TEST_F(ExportHtml, AFailedExportLeavesThePreviousPageAndNoTemporaryFile) {
    test::ecrit(page, "ancien");
    Html::EcritEnteteHtml(U"T", systeme);
    EXPECT_EQ(numeroErreur([&] { Html::EcritCadreHtml(0, 0, 9, 1e6, 0, 1, ui); }),
              erreurs::Depassement);
    Html::AbandonneHtml();
    EXPECT_FALSE(Html::ExportEnCours());
    EXPECT_EQ(numeroErreur([&] { Html::EcritCadreHtml(0, 0, 9, 9, 0, 1, ui); }),
              erreurs::NomFichierIncorrect);
    EXPECT_EQ(test::contenu(page), "ancien");
    EXPECT_EQ(contenuDossier(), Noms{"page.htm"});

    // The page cannot take the target's place: the target became a folder meanwhile.
    Html::EcritEnteteHtml(U"T", systeme);
    fs::remove(page);
    fs::create_directories(page / "occupe");
    EXPECT_EQ(numeroErreur([&] { Html::EcritFinHtml(systeme, ui); }), erreurs::AccesChemin);
    EXPECT_FALSE(Html::ExportEnCours());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(contenuDossier(), Noms{"page.htm"});
}

// Links are followed and kept; what is not a regular file is written in place, never replaced.
TEST_F(ExportHtml, TargetsThatAreNotPlainFiles) {
    const auto estLien = [&] { return fs::is_symlink(fs::symlink_status(page)); };

    test::ecrit(dossier / "vraie.htm", "ancien");
    fs::create_symlink("vraie.htm", page);
    EXPECT_EQ(exporte().rfind("<html>\r\n", 0), 0u);
    EXPECT_TRUE(estLien());
    fs::remove(page);
    fs::remove(dossier / "vraie.htm");

    fs::create_symlink("nouvelle.htm", page);  // dangling: the page is created where it points
    EXPECT_EQ(exporte().rfind("<html>\r\n", 0), 0u);
    EXPECT_TRUE(estLien());
    EXPECT_EQ(contenuDossier().size(), 2u);
    fs::remove(page);
    fs::remove(dossier / "nouvelle.htm");

    ASSERT_EQ(::mkfifo(page.c_str(), 0600), 0);
    const int lecteur = ::open(page.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(lecteur, 0);
    Html::EcritEnteteHtml(U"T", systeme);
    Html::EcritFinHtml(systeme, ui);
    char debut[8] = {};
    EXPECT_EQ(::read(lecteur, debut, 6), 6);
    ::close(lecteur);
    EXPECT_EQ(std::string(debut), "<html>");
    EXPECT_TRUE(fs::is_fifo(page));
    EXPECT_EQ(contenuDossier(), Noms{"page.htm"});
    fs::remove(page);

    // A device that refuses every byte: the failure is reported and the node stays.
    fs::path appareil = dossier / "plein";
    if (::mknod(appareil.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0) appareil = "/dev/full";
    Html::SetCheminHtml(depuisUtf8(appareil.string()));
    ui.messages.clear();
    Html::EcritEnteteHtml(U"T", systeme);
    EXPECT_EQ(numeroErreur([&] { Html::EcritFinHtml(systeme, ui); }), erreurs::AccesChemin);
    EXPECT_TRUE(fs::is_character_file(appareil));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ExportHtml, OpeningFailures) {
    EXPECT_EQ(numeroErreur([&] { Html::EcritFinHtml(systeme, ui); }),
              erreurs::NomFichierIncorrect);  // nothing open
    Html::SetCheminHtml(depuisUtf8((dossier / "absent" / "page.htm").string()));
    EXPECT_EQ(numeroErreur([&] { Html::EcritEnteteHtml(U"T", systeme); }),
              erreurs::CheminIntrouvable);
    EXPECT_FALSE(Html::ExportEnCours());
    EXPECT_TRUE(contenuDossier().empty());

    Html::SetCheminHtml(depuisUtf8(page.string()));
    Html::EcritEnteteHtml(U"T", systeme);
    EXPECT_EQ(numeroErreur([&] { Html::EcritEnteteHtml(U"T", systeme); }),
              erreurs::FichierDejaOuvert);
    Html::EcritFinHtml(systeme, ui);  // the first export goes on
    EXPECT_EQ(contenuDossier(), Noms{"page.htm"});
}

// Root writes anywhere: the suite runs these two as an unprivileged user too.
TEST_F(ExportHtml, AFolderThatTakesNoNewFileStillTakesTheNewPage) {
    if (::geteuid() == 0) GTEST_SKIP() << "root creates files anywhere";
    test::ecrit(page, "ancien");
    fs::permissions(dossier.chemin(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(exporte().rfind("<html>\r\n", 0), 0u);
    EXPECT_EQ(contenuDossier(), Noms{"page.htm"});
}

TEST_F(ExportHtml, ReadOnlyPageCannotBeReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files anyway";
    test::ecrit(page, "ancien");
    fs::permissions(page, static_cast<fs::perms>(0444));
    EXPECT_EQ(numeroErreur([&] { Html::EcritEnteteHtml(U"T", systeme); }), erreurs::AccesChemin);
    EXPECT_EQ(test::contenu(page), "ancien");
    EXPECT_EQ(contenuDossier(), Noms{"page.htm"});
}

}  // namespace
}  // namespace vitrail
