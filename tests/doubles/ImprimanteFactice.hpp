#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "doubles/SurfaceFactice.hpp"
#include "platform/Printer.hpp"

namespace vitrail::test {

// A printer on the recording surface. Drawing opens a document; EndDoc files it as one of the
// documents sent, KillDoc drops it.
class ImprimanteFactice : public SurfaceFacticeDe<Printer> {
  public:
    std::int16_t orientation = Paysage;
    std::int16_t paperSize = A4;
    // The next reads of the orientation or the paper size fail with these error numbers.
    mutable std::deque<std::int32_t> echecsLecture;
    // The next writes of the orientation or the paper size fail with these error numbers.
    std::deque<std::int32_t> echecsEcriture;
    std::vector<std::vector<std::string>> documents;

    std::int16_t Orientation() const override {
        lecture();
        return orientation;
    }
    void Orientation(std::int16_t code) override {
        ecriture();
        orientation = code;
    }
    std::int16_t PaperSize() const override {
        lecture();
        return paperSize;
    }
    void PaperSize(std::int16_t code) override {
        ecriture();
        paperSize = code;
    }

    // A page break only counts inside a document: EndDoc right after it adds no blank page.
    void Redimensionne(double, double) override {}

    void NewPage() override {
        if (enCours_) enregistre("NewPage");
    }
    void EndDoc() override {
        appels.push_back("EndDoc");
        if (enCours_) documents.push_back(std::move(*enCours_));
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
