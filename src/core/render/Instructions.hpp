#pragma once

#include <exception>
#include <functional>

#include "support/ErreurExecution.hpp"

namespace vitrail {

// What an error handler decides about the statement that failed.
enum class Suite {
    Reprendre,    // go on after it
    Recommencer,  // run it again
    Terminer,     // leave the procedure
};

// Runs a procedure statement by statement under one error handler, so that the handler can
// resume after the failed statement or run it again. Once the handler has ended the procedure,
// later statements are skipped.
class Instructions {
  public:
    using Gestionnaire = std::function<Suite(const ErreurExecution&)>;

    explicit Instructions(Gestionnaire gestionnaire) : gestionnaire_(std::move(gestionnaire)) {}

    // Runs one statement; false once the procedure has ended.
    bool operator()(const std::function<void()>& instruction);
    bool termine() const { return termine_; }
    // Ends the procedure from inside, as a jump to its end.
    void termine(bool oui) { termine_ = oui; }

  private:
    Gestionnaire gestionnaire_;
    bool termine_ = false;
};

// Any failure that is not already a numbered error, as one.
ErreurExecution enErreurExecution(const std::exception& e);

}  // namespace vitrail
