#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "support/Texte.hpp"

namespace vitrail {

// Numbers of the runtime errors the component raises and reports.
namespace erreurs {
inline constexpr std::int32_t AppelIncorrect = 5;
inline constexpr std::int32_t Depassement = 6;
inline constexpr std::int32_t MemoireInsuffisante = 7;
inline constexpr std::int32_t DivisionParZero = 11;
inline constexpr std::int32_t IncompatibiliteType = 13;
inline constexpr std::int32_t ErreurInterne = 51;
inline constexpr std::int32_t NomFichierIncorrect = 52;
inline constexpr std::int32_t FichierIntrouvable = 53;
inline constexpr std::int32_t FichierDejaOuvert = 55;
inline constexpr std::int32_t AccesChemin = 75;
inline constexpr std::int32_t CheminIntrouvable = 76;
inline constexpr std::int32_t ValeurPropriete = 380;
inline constexpr std::int32_t ImageIncorrecte = 481;
inline constexpr std::int32_t ErreurImprimante = 482;
inline constexpr std::int32_t InfoImprimante = 484;
inline constexpr std::int32_t AnnulationDialogue = 32755;
}  // namespace erreurs

// The French description of a runtime error number.
Texte descriptionErreur(std::int32_t numero);

// A numbered runtime error. Every failure inside the control travels as one of these until an
// error handler reports it.
class ErreurExecution : public std::exception {
  public:
    explicit ErreurExecution(std::int32_t numero);
    ErreurExecution(std::int32_t numero, Texte description);

    std::int32_t numero() const { return numero_; }
    const Texte& description() const { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

  private:
    std::int32_t numero_;
    Texte description_;
    std::string what_;
};

}  // namespace vitrail
