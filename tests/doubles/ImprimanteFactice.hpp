#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "doubles/SurfaceFactice.hpp"
#include "platform/Imprimante.hpp"

namespace vitrail::test {

// A printer on the recording surface. Drawing opens a document; EndDoc files it as one of the
// documents sent, KillDoc drops it. Writes of the orientation and the paper size are recorded
// among the calls, not in the documents.
class ImprimanteFactice : public SurfaceFacticeDe<Imprimante> {
  public:
    std::int16_t orientation = Paysage;
    std::int16_t paperSize = A4;
    // The next reads of the orientation or the paper size fail with these error numbers.
    mutable std::deque<std::int32_t> echecsLecture;
    // The next writes of the orientation or the paper size fail with these error numbers.
    std::deque<std::int32_t> echecsEcriture;
    // The next page breaks fail with these error numbers.
    std::deque<std::int32_t> echecsPage;
    std::vector<std::vector<std::string>> documents;
    // The orientation and paper size each document was sent with.
    std::vector<std::pair<std::int16_t, std::int16_t>> formats;

    bool documentOuvert() const { return enCours_.has_value(); }

    std::int16_t Orientation() const override {
        lecture();
        return orientation;
    }
    void Orientation(std::int16_t code) override {
        ecriture();
        orientation = code;
        appels.push_back("Orientation " + std::to_string(code));
    }
    std::int16_t PaperSize() const override {
        lecture();
        return paperSize;
    }
    void PaperSize(std::int16_t code) override {
        ecriture();
        paperSize = code;
        appels.push_back("PaperSize " + std::to_string(code));
    }

    // A page break only counts inside a document: EndDoc right after it adds no blank page.
    void Redimensionne(double, double) override {}

    void NewPage() override {
        echoue(echecsPage);
        if (enCours_) enregistre("NewPage");
    }
    void EndDoc() override {
        appels.push_back("EndDoc");
        if (enCours_) {
            documents.push_back(std::move(*enCours_));
            formats.emplace_back(orientation, paperSize);
        }
        enCours_.reset();
    }
    void KillDoc() override {
        appels.push_back("KillDoc");
        enCours_.reset();
    }

  protected:
    void enregistre(std::string appel) override {
        if (!enCours_) enCours_.emplace();
        enCours_->push_back(appel);
        appels.push_back(std::move(appel));
    }

  private:
    static void echoue(std::deque<std::int32_t>& echecs) {
        if (echecs.empty()) return;
        const std::int32_t numero = echecs.front();
        echecs.pop_front();
        throw ErreurExecution(numero);
    }
    void lecture() const { echoue(echecsLecture); }
    void ecriture() { echoue(echecsEcriture); }
    std::optional<std::vector<std::string>> enCours_;
};

}  // namespace vitrail::test
