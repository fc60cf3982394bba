#include "render/Instructions.hpp"

#include <new>

namespace vitrail {

ErreurExecution enErreurExecution(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) {
        return ErreurExecution(erreurs::MemoireInsuffisante);
    }
    Texte detail;
    for (const char* c = e.what(); *c != '\0'; ++c) {
        detail.push_back(static_cast<unsigned char>(*c) < 0x80 ? static_cast<char32_t>(*c) : U'?');
    }
    return ErreurExecution(erreurs::ErreurInterne,
                           descriptionErreur(erreurs::ErreurInterne) + U" : " + detail);
}

bool Instructions::operator()(const std::function<void()>& instruction) {
    while (!termine_) {
        Suite suite;
        try {
            instruction();
            return true;
        } catch (const ErreurExecution& erreur) {
            suite = gestionnaire_(erreur);
        } catch (const std::exception& e) {
            suite = gestionnaire_(enErreurExecution(e));
        }
        if (suite == Suite::Reprendre) return true;
        if (suite == Suite::Terminer) termine_ = true;
    }
    return false;
}

}  // namespace vitrail
