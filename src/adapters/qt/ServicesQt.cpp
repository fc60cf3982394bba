#include "qt/ServicesQt.hpp"

#include <dlfcn.h>

#include <QFileInfo>
#include <QProcess>
#include <QTime>

#include "qt/DessinQt.hpp"
#include "support/ErreurExecution.hpp"

namespace vitrail::qt {

namespace {

// An address inside this library, to find the file it was loaded from.
void repere() {}

}  // namespace

float HorlogeQt::Timer() {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

Texte SystemeQt::DossierApplication() {
    // The folder of the loaded library, whichever program loaded it.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&repere), &info) != 0 && info.dli_fname != nullptr) {
        return depuisQString(QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath());
    }
    return depuisQString(QFileInfo(QStringLiteral(".")).absoluteFilePath());
}

bool SystemeQt::FichierExiste(const Texte& chemin) {
    return QFileInfo(versQString(chemin)).isFile();
}

void SystemeQt::LanceProgramme(const Texte& ligneCommande) {
    // No shell: the command line is split into the program and its arguments.
    QStringList mots = QProcess::splitCommand(versQString(ligneCommande));
    if (mots.isEmpty()) throw ErreurExecution(erreurs::FichierIntrouvable);
    const QString programme = mots.takeFirst();
    if (!QProcess::startDetached(programme, mots)) {
        throw ErreurExecution(erreurs::FichierIntrouvable);
    }
}

}  // namespace vitrail::qt
