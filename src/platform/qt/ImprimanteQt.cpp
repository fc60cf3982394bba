#include "platform/qt/ImprimanteQt.hpp"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

namespace vitrail::qt {

ImprimanteQt::ImprimanteQt() : printer_(QPrinter::HighResolution) {
    const QPrinterInfo defaut = QPrinterInfo::defaultPrinter();
    if (defaut.isNull()) {
        fichierPdf(QDir::current().filePath(QStringLiteral("Vitrail.pdf")));
    } else {
        printer_.setPrinterName(defaut.printerName());
    }
    printer_.setPageSize(QPageSize(QPageSize::A4));
    printer_.setPageOrientation(QPageLayout::Landscape);
}

ImprimanteQt::~ImprimanteQt() {
    if (peintre_.isActive()) peintre_.end();
}

void ImprimanteQt::fichierPdf(const QString& chemin) {
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
        if (versPdf()) printer_.setOutputFileName(fichierDuDocument());
        if (!peintre_.begin(&printer_)) throw ErreurExecution(erreurs::ErreurImprimante);
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
        destinations_ << printer_.outputFileName();
        ++documentsPdf_;
    } else {
        destinations_ << printer_.printerName();
    }
    if (!envoye) throw ErreurExecution(erreurs::ErreurImprimante);
}

void ImprimanteQt::KillDoc() {
    pageEnAttente_ = false;
    if (!peintre_.isActive()) return;
    printer_.abort();
    peintre_.end();
}

}  // namespace vitrail::qt
