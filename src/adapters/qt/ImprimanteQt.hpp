#pragma once

#include <QPainter>
#include <QPrinter>
#include <QString>
#include <functional>
#include <memory>

#include "platform/Imprimante.hpp"
#include "qt/DessinQt.hpp"
#include "support/FichierAtomique.hpp"

namespace vitrail::qt {

// The printer: the system's default print queue when there is one, otherwise a PDF file. Each
// EndDoc sends one document; with a PDF file, the second and later documents go to "name-2.pdf",
// "name-3.pdf" and so on beside the first. A PDF document is drawn into a scratch file and
// checked complete before it replaces its file (FichierAtomique); one that fails or is killed
// leaves the previous file as it was.
class ImprimanteQt : public DessinQt<Imprimante> {
  public:
    ImprimanteQt();
    ~ImprimanteQt() override;

    // Prints to this PDF file from now on, whatever queue the system has.
    void fichierPdf(const QString& chemin);
    bool versPdf() const { return printer_.outputFormat() == QPrinter::PdfFormat; }
    // Where the documents sent so far went: the queue's name, or the PDF files.
    const QStringList& destinations() const { return destinations_; }
    QPrinter& qprinter() { return printer_; }
    // Told the path of each PDF file written because the system has no print queue, so that
    // the user can find what was printed.
    std::function<void(const QString& chemin)> quandPdfFauteDeFile;
    std::vector<Texte> Destinations() const override;
    void FichierPdf(const Texte& chemin) override;

    double Width() const override;
    double Height() const override;
    void Redimensionne(double, double) override {}
    void Cls() override {}

    std::int16_t Orientation() const override;
    void Orientation(std::int16_t code) override;
    std::int16_t PaperSize() const override;
    void PaperSize(std::int16_t code) override;
    void NewPage() override;
    void EndDoc() override;
    void KillDoc() override;

  protected:
    QPaintDevice& appareil() const override { return printer_; }
    void peins(const std::function<void(QPainter&)>& dessin) override;

  private:
    QString fichierDuDocument() const;
    void publiePdf();

    mutable QPrinter printer_;
    QPainter peintre_;
    bool pageEnAttente_ = false;
    QString pdf_;
    // The PDF document under way: where it goes, and the scratch file the engine draws it in.
    QString cibleDocument_;
    std::unique_ptr<FichierBrouillon> brouillon_;
    QStringList destinations_;
    int documentsPdf_ = 0;
    // PDF because no queue exists, not because the host asked for a file.
    bool fauteDeFile_ = false;
};

}  // namespace vitrail::qt
