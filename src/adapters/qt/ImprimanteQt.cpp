#include "qt/ImprimanteQt.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <charconv>
#include <string>
#include <string_view>
#include <system_error>

namespace vitrail::qt {

namespace {

[[noreturn]] void echecPdf(const std::string& raison) {
    throw ErreurExecution(erreurs::ErreurImprimante, descriptionErreur(erreurs::ErreurImprimante) +
                                                         U" (" + depuisUtf8(raison) + U")");
}

std::string_view sansBlancs(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\r' || t.front() == '\n')) {
        t.remove_prefix(1);
    }
    return t;
}

// Reads a whole number at the start of t and moves past it.
bool litNombre(std::string_view& t, std::size_t& n) {
    t = sansBlancs(t);
    const auto [fin, erreur] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (erreur != std::errc() || fin == t.data()) return false;
    t.remove_prefix(static_cast<std::size_t>(fin - t.data()));
    return true;
}

// The PDF engine reports no write error, so its file is read back: complete when the trailer
// ends it and every object starts where the cross-reference table says.
bool pdfComplet(std::string_view pdf) {
    if (!pdf.starts_with("%PDF-")) return false;
    const auto trailer = pdf.rfind("startxref");
    if (trailer == std::string_view::npos) return false;
    std::string_view reste = pdf.substr(trailer + 9);
    std::size_t table = 0;
    if (!litNombre(reste, table)) return false;
    reste = sansBlancs(reste);
    if (!reste.starts_with("%%EOF") || !sansBlancs(reste.substr(5)).empty()) return false;
    if (table >= pdf.size()) return false;
    std::string_view entrees = pdf.substr(table);
    if (!entrees.starts_with("xref")) return false;
    entrees.remove_prefix(4);
    std::size_t premier = 0;
    std::size_t nombre = 0;
    if (!litNombre(entrees, premier) || !litNombre(entrees, nombre)) return false;
    entrees = sansBlancs(entrees);
    constexpr std::size_t TailleEntree = 20;
    if (nombre > entrees.size() / TailleEntree) return false;
    for (std::size_t i = 0; i < nombre; ++i) {
        const std::string_view entree = entrees.substr(i * TailleEntree, TailleEntree);
        if (entree[17] != 'n') continue;
        std::string_view champ = entree.substr(0, 10);
        std::size_t position = 0;
        if (!litNombre(champ, position) || position >= pdf.size()) return false;
        if (!pdf.substr(position).starts_with(std::to_string(premier + i) + " 0 obj")) {
            return false;
        }
    }
    return true;
}

}  // namespace

ImprimanteQt::ImprimanteQt() : printer_(QPrinter::HighResolution) {
    const QPrinterInfo defaut = QPrinterInfo::defaultPrinter();
    if (defaut.isNull()) {
        fichierPdf(QDir::current().filePath(QStringLiteral("Vitrail.pdf")));
        fauteDeFile_ = true;
    } else {
        printer_.setPrinterName(defaut.printerName());
    }
    printer_.setPageSize(QPageSize(QPageSize::A4));
    printer_.setPageOrientation(QPageLayout::Landscape);
}

ImprimanteQt::~ImprimanteQt() {
    if (peintre_.isActive()) peintre_.end();
}

std::vector<Texte> ImprimanteQt::Destinations() const {
    std::vector<Texte> liste;
    for (const QString& destination : destinations_)
        liste.push_back(depuisUtf8(destination.toStdString()));
    return liste;
}

void ImprimanteQt::FichierPdf(const Texte& chemin) {
    fichierPdf(QString::fromStdString(versUtf8(chemin)));
}

void ImprimanteQt::fichierPdf(const QString& chemin) {
    fauteDeFile_ = false;
    pdf_ = chemin;
    documentsPdf_ = 0;
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(chemin);
}

QString ImprimanteQt::fichierDuDocument() const {
    if (documentsPdf_ == 0) return pdf_;
    const QFileInfo info(pdf_);
    return info.dir().filePath(info.completeBaseName() +
                               QStringLiteral("-%1.").arg(documentsPdf_ + 1) + info.suffix());
}

double ImprimanteQt::Width() const {
    return printer_.pageLayout().paintRect(QPageLayout::Inch).width() * TwipsParPouce;
}

double ImprimanteQt::Height() const {
    return printer_.pageLayout().paintRect(QPageLayout::Inch).height() * TwipsParPouce;
}

std::int16_t ImprimanteQt::Orientation() const {
    return printer_.pageLayout().orientation() == QPageLayout::Landscape ? Paysage : Portrait;
}

void ImprimanteQt::Orientation(std::int16_t code) {
    if (code != Paysage && code != Portrait) throw ErreurExecution(erreurs::ValeurPropriete);
    printer_.setPageOrientation(code == Paysage ? QPageLayout::Landscape : QPageLayout::Portrait);
}

std::int16_t ImprimanteQt::PaperSize() const {
    switch (printer_.pageLayout().pageSize().id()) {
        case QPageSize::A3:
            return A3;
        case QPageSize::Letter:
            return 1;
        default:
            return A4;
    }
}

void ImprimanteQt::PaperSize(std::int16_t code) {
    if (code != A3 && code != A4) throw ErreurExecution(erreurs::ValeurPropriete);
    printer_.setPageSize(QPageSize(code == A3 ? QPageSize::A3 : QPageSize::A4));
}

void ImprimanteQt::peins(const std::function<void(QPainter&)>& dessin) {
    if (!peintre_.isActive()) {
        if (versPdf()) {
            cibleDocument_ = fichierDuDocument();
            try {
                brouillon_ = std::make_unique<FichierBrouillon>(".pdf");
            } catch (const std::system_error& e) {
                echecPdf(e.what());
            }
            printer_.setOutputFileName(QString::fromStdString(brouillon_->chemin()));
        }
        if (!peintre_.begin(&printer_)) {
            brouillon_.reset();
            throw ErreurExecution(erreurs::ErreurImprimante);
        }
        pageEnAttente_ = false;
    }
    if (pageEnAttente_) {
        if (!printer_.newPage()) throw ErreurExecution(erreurs::ErreurImprimante);
        pageEnAttente_ = false;
    }
    dessin(peintre_);
}

void ImprimanteQt::NewPage() {
    if (peintre_.isActive()) pageEnAttente_ = true;
}

void ImprimanteQt::EndDoc() {
    pageEnAttente_ = false;
    if (!peintre_.isActive()) return;
    const bool envoye = peintre_.end();
    if (versPdf()) {
        if (!envoye) {
            brouillon_.reset();
            throw ErreurExecution(erreurs::ErreurImprimante);
        }
        publiePdf();
        destinations_ << cibleDocument_;
        ++documentsPdf_;
        if (fauteDeFile_ && quandPdfFauteDeFile) quandPdfFauteDeFile(cibleDocument_);
        return;
    }
    destinations_ << printer_.printerName();
    if (!envoye) throw ErreurExecution(erreurs::ErreurImprimante);
}

void ImprimanteQt::publiePdf() {
    const std::unique_ptr<FichierBrouillon> brouillon = std::move(brouillon_);
    const std::string cible = QFile::encodeName(cibleDocument_).toStdString();
    try {
        const std::string pdf = brouillon->contenu();
        if (!pdfComplet(pdf)) echecPdf(cible + ": document PDF incomplet");
        FichierAtomique fichier(cible);
        fichier.ecrit(pdf);
        fichier.termine();
    } catch (const std::system_error& e) {
        echecPdf(e.what());
    }
}

void ImprimanteQt::KillDoc() {
    pageEnAttente_ = false;
    if (!peintre_.isActive()) return;
    printer_.abort();
    peintre_.end();
    brouillon_.reset();
}

}  // namespace vitrail::qt
