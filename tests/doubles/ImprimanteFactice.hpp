#pragma once

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
    // Set: reading the orientation or the paper size fails with this error number.
    std::optional<std::int32_t> erreurLecture;
    std::vector<std::vector<std::string>> documents;

    std::int16_t Orientation() const override {
        lecture();
        return orientation;
    }
    void Orientation(std::int16_t code) override { orientation = code; }
    std::int16_t PaperSize() const override {
        lecture();
        return paperSize;
    }
    void PaperSize(std::int16_t code) override { paperSize = code; }

    void NewPage() override { enregistre("NewPage"); }
    void EndDoc() override {
        appels.push_back("EndDoc");
        if (enCours_) documents.push_back(std::move(*enCours_));
        enCours_.reset();
    }
    void KillDoc() override {
        appels.push_back("KillDoc");
        enCours_.reset();
    }
    bool documentOuvert() const { return enCours_.has_value(); }

  protected:
    void enregistre(std::string appel) override {
        if (!enCours_) enCours_.emplace();
        enCours_->push_back(appel);
        appels.push_back(std::move(appel));
    }

  private:
    void lecture() const {
        if (erreurLecture) throw ErreurExecution(*erreurLecture);
    }
    std::optional<std::vector<std::string>> enCours_;
};

}  // namespace vitrail::test
