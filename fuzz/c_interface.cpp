// Sequences of calls of the C interface, as a host in another language might make them: NULL
// handles and texts, markers, out-of-range integers, NaN, texts that are not UTF-8, plans made
// and destroyed in any order. A call returns a code and never throws or aborts.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

#include "vitrail/vitrail.h"

namespace fs = std::filesystem;

namespace {

fs::path dossier;

class Appels {
  public:
    Appels(const std::uint8_t* data, std::size_t size) : fdp_(data, size) {}
    ~Appels() {
        for (vitrail_plan* plan : plans_) {
            if (plan != nullptr) verifie(vitrail_detruire(plan));
        }
    }

    void joue() {
        while (fdp_.remaining_bytes() > 0) {
            switch (fdp_.ConsumeIntegralInRange(0, 8)) {
                case 0: {
                    vitrail_plan*& plan = plans_[fdp_.ConsumeIntegralInRange<std::size_t>(0, 2)];
                    if (plan == nullptr) {
                        verifie(vitrail_creer(&plan));
                        if (plan != nullptr) verifie(vitrail_reponses_console(plan));
                    }
                    break;
                }
                case 1: {
                    vitrail_plan*& plan = plans_[fdp_.ConsumeIntegralInRange<std::size_t>(0, 2)];
                    verifie(vitrail_detruire(plan));
                    plan = nullptr;
                    break;
                }
                case 2:
                    verifie(vitrail_initialise(plan(), reel(), entier(), entier(), texte(),
                                               entier(), entier(), entier(), entier(), entier(),
                                               entier(), entier(), texte(), entier(), entier(),
                                               texte(), texte(), entier(), entier(), entier(),
                                               entier(), entier(), entier(), texte(), reel()));
                    break;
                case 3:
                    verifie(vitrail_new_cadre_texte(plan(), reel(), reel(), reel(), reel(), reel(),
                                                    entier(), texte(256), texte(), entier(),
                                                    texte(), texte(), texte(), texte(), texte(),
                                                    entier(), texte(), entier()));
                    break;
                case 4:
                    verifie(
                        vitrail_new_cadre_image(plan(), image(), reel(), reel(), reel(), reel()));
                    break;
                case 5: {
                    std::int32_t cible = cibleShow();
                    verifie(vitrail_show(plan(), fdp_.ConsumeBool() ? &cible : nullptr, entier(),
                                         texte(), texte(), entier(), page(), texte()));
                    break;
                }
                case 6:
                    verifie(vitrail_cls(plan()));
                    break;
                case 7: {
                    vitrail_bilan_debordements bilan;
                    std::int32_t recus = 0;
                    verifie(vitrail_debordements(plan(), cibleShow(), reel(), reel(), reel(),
                                                 texte(), texte(),
                                                 fdp_.ConsumeBool() ? compte : nullptr, &recus,
                                                 fdp_.ConsumeBool() ? &bilan : nullptr));
                    break;
                }
                default:
                    // The last error stays a readable text.
                    if (std::strlen(vitrail_derniere_erreur()) > 100000) __builtin_trap();
                    break;
            }
        }
    }

  private:
    static void compte(void* recus, const vitrail_debordement* d) {
        if (d == nullptr || d->iNoObjet < 1) __builtin_trap();
        ++*static_cast<std::int32_t*>(recus);
    }
    static void verifie(int code) {
        if (code < VITRAIL_OK || code > VITRAIL_ERREUR_MEMOIRE) __builtin_trap();
        if ((code == VITRAIL_OK) != (vitrail_derniere_erreur()[0] == '\0')) __builtin_trap();
    }
    vitrail_plan* plan() { return plans_[fdp_.ConsumeIntegralInRange<std::size_t>(0, 2)]; }
    double reel() {
        switch (fdp_.ConsumeIntegralInRange(0, 5)) {
            case 0:
                return VITRAIL_DEFAUT_REEL;
            case 1:
                return fdp_.ConsumeBool() ? HUGE_VAL : -HUGE_VAL;
            case 2:
                return fdp_.ConsumeFloatingPoint<double>();
            default:
                return fdp_.ConsumeIntegralInRange(-100, 12000);
        }
    }
    std::int32_t entier() {
        switch (fdp_.ConsumeIntegralInRange(0, 4)) {
            case 0:
                return VITRAIL_DEFAUT_ENTIER;
            case 1:
                return fdp_.ConsumeIntegral<std::int32_t>();
            default:
                return fdp_.ConsumeIntegralInRange(-1, 100);
        }
    }
    // NULL, or a text that lives until the next call.
    const char* texte(std::size_t longueur = 16) {
        if (fdp_.ConsumeIntegralInRange(0, 3) == 0) return nullptr;
        std::string& t = textes_[suivant_++ % textes_.size()];
        t = fdp_.ConsumeRandomLengthString(longueur);
        return t.c_str();
    }
    // Pictures: one that loads, one that is not a picture, one missing, none, a folder.
    const char* image() {
        static const std::string images[] = {
            VITRAIL_FUZZ_SOURCE "/examples/logo.png", VITRAIL_FUZZ_SOURCE "/fuzz/Donnees.hpp",
            (dossier / "absente.png").string(), "", dossier.string()};
        const auto i = fdp_.ConsumeIntegralInRange<std::size_t>(0, 5);
        return i == 5 ? nullptr : images[i].c_str();
    }
    // Never a path from the bytes: the fuzzer must not write just anywhere.
    const char* page() {
        static const std::string pages[] = {(dossier / "page.htm").string(),
                                            (dossier / "absent" / "page.htm").string()};
        return pages[fdp_.ConsumeIntegralInRange<std::size_t>(0, 1)].c_str();
    }
    // The screen (refused without a display), HTML and the old codes; not the printer, whose
    // PDF copies would land beside the library.
    std::int32_t cibleShow() {
        static const std::int32_t cibles[] = {VITRAIL_SORTIE_ECRAN, VITRAIL_SORTIE_HTML,
                                              VITRAIL_SORTIE_ECRAN_OLD, VITRAIL_DEFAUT_ENTIER, 7};
        return cibles[fdp_.ConsumeIntegralInRange<std::size_t>(0, 4)];
    }

    FuzzedDataProvider fdp_;
    std::array<vitrail_plan*, 3> plans_{};
    std::array<std::string, 8> textes_;
    std::size_t suivant_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // No display at all: the library runs Qt off screen by itself and refuses the screen target,
    // where a platform forced to off-screen would show the viewer and wait for ever.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    char modele[] = "/tmp/vitrail-fuzz-c-XXXXXX";
    if (mkdtemp(modele) == nullptr) std::abort();
    dossier = modele;
    std::atexit([] { fs::remove_all(dossier); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Appels(data, size).joue();
    return 0;
}
