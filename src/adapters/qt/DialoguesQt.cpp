#include "qt/DialoguesQt.hpp"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>

#include "qt/ImprimanteQt.hpp"

namespace vitrail::qt {

namespace {

// The printer dialog's flags, as the pass gives them.
constexpr std::int32_t SansSelection = 0x4;
constexpr std::int32_t SansPages = 0x8;
constexpr std::int32_t SansFichier = 0x100000;

QMessageBox::Icon iconeQt(Icone icone) {
    switch (icone) {
        case Icone::Critique:
            return QMessageBox::Critical;
        case Icone::Question:
            return QMessageBox::Question;
        case Icone::Information:
            return QMessageBox::Information;
        case Icone::Aucune:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boutonsQt(Boutons boutons) {
    switch (boutons) {
        case Boutons::OuiNon:
            return QMessageBox::Yes | QMessageBox::No;
        case Boutons::OuiNonAnnuler:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case Boutons::OK:
            break;
    }
    return QMessageBox::Ok;
}

}  // namespace

Reponse DialoguesQt::MsgBox(const Message& message) {
    QString texte = versQString(message.texte);
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString titre =
        message.titre ? versQString(*message.titre) : QApplication::applicationDisplayName();
    QMessageBox boite(iconeQt(message.icone), titre, texte, boutonsQt(message.boutons));
    switch (boite.exec()) {
        case QMessageBox::Yes:
            return Reponse::Oui;
        case QMessageBox::No:
            return Reponse::Non;
        case QMessageBox::Cancel:
            return Reponse::Annuler;
        default:
            return message.boutons == Boutons::OuiNonAnnuler ? Reponse::Annuler : Reponse::OK;
    }
}

std::optional<std::int32_t> DialoguesQt::ChoixImprimante(std::int32_t flags) {
    QPrinter& printer = imprimante_.qprinter();
    printer.setCopyCount(1);
    QPrintDialog dialogue(&printer);
    dialogue.setOption(QAbstractPrintDialog::PrintSelection, (flags & SansSelection) == 0);
    dialogue.setOption(QAbstractPrintDialog::PrintPageRange, (flags & SansPages) == 0);
    dialogue.setOption(QAbstractPrintDialog::PrintToFile, (flags & SansFichier) == 0);
    if (dialogue.exec() != QDialog::Accepted) return std::nullopt;
    // The copies are the pass's own loop, one document each: the queue prints each once.
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    return copies;
}

std::optional<Texte> DialoguesQt::ChoixFichierEnregistrement(const Texte& nomFichier) {
    const QString choisi =
        QFileDialog::getSaveFileName(nullptr, QString(), versQString(nomFichier), QString(),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (choisi.isEmpty()) return std::nullopt;
    return depuisQString(choisi);
}

}  // namespace vitrail::qt
