#include "qt/PlateformeQt.hpp"

#include <xcb/xcb.h>

#include <QApplication>
#include <QScreen>

#include <iostream>

#include "platform/DialoguesConsole.hpp"
#include "qt/SurfaceQt.hpp"
#include "qt/VueMontrePlan.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail::qt {

namespace {

constexpr double ResolutionParDefaut = 96;
bool sansEcran = false;

// Whether the X server named by DISPLAY answers: Qt aborts the process when it does not.
bool serveurXJoignable() {
    int ecran = 0;
    xcb_connection_t* connexion = xcb_connect(nullptr, &ecran);
    const bool joignable = xcb_connection_has_error(connexion) == 0;
    xcb_disconnect(connexion);
    return joignable;
}

void assureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    const bool plateformeChoisie = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    const bool x11 = qEnvironmentVariableIsSet("DISPLAY") && serveurXJoignable();
    if (!plateformeChoisie && !wayland && !x11) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        sansEcran = true;
    }
    static int argc = 1;
    static char nom[] = "vitrail";
    static char* argv[] = {nom, nullptr};
    // Lives as long as the process: hosts may show several plannings.
    new QApplication(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Vitrail"));
    // An application the host made keeps the host's translations.
    installeTraductions();
}

}  // namespace

namespace {

// Off screen nobody would see a message box, and it would wait for ever: the messages go to
// standard error with their default answers instead.
std::shared_ptr<Dialogues> dialoguesPourCetEcran(ImprimanteQt& imprimante) {
    const QString plateforme = QGuiApplication::platformName();
    if (sansEcran || plateforme == QStringLiteral("offscreen") ||
        plateforme == QStringLiteral("minimal")) {
        return std::make_shared<DialoguesConsole>(std::cerr);
    }
    return std::make_shared<DialoguesQt>(imprimante);
}

}  // namespace

PlateformeQt::PlateformeQt() : dialogues_(dialoguesPourCetEcran(imprimante_)) {
    imprimante_.quandPdfFauteDeFile = [this](const QString& chemin) {
        dialogues_->MsgBox(
            {U"Aucune imprimante n'est installée : le planning a été enregistré "
             U"dans le fichier PDF\r\n" +
                 depuisUtf8(chemin.toStdString()),
             Boutons::OK, Icone::Information, U"Imprimer le planning"});
    };
}

std::shared_ptr<PlateformeQt> PlateformeQt::partagee() {
    assureApplication();
    static const std::shared_ptr<PlateformeQt> plateforme = std::make_shared<PlateformeQt>();
    return plateforme;
}

bool PlateformeQt::ecranDisponible() {
    return !sansEcran && qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

std::unique_ptr<Surface> PlateformeQt::NouvelleSurface() {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return std::make_unique<SurfaceQt>(ecran != nullptr ? ecran->logicalDotsPerInch()
                                                        : ResolutionParDefaut);
}

void PlateformeQt::dialogues(std::shared_ptr<Dialogues> dialogues) {
    dialogues_ = dialogues ? std::move(dialogues) : dialoguesPourCetEcran(imprimante_);
}

void PlateformeQt::MontreModal(MontrePlan& fenetre) {
    if (!ecranDisponible()) {
        throw Erreur(
            "Vitrail : aucun écran pour afficher le planning (DISPLAY absent ou injoignable) ; "
            "l'imprimante et la page HTML restent possibles");
    }
    auto& surface = static_cast<SurfaceQt&>(fenetre.TracPlanOCX1.surface());
    VueMontrePlan vue(fenetre, surface);
    vue.exec();
}

}  // namespace vitrail::qt
