#pragma once

#include <unistd.h>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vitrail::test {

// A fresh folder for one test, removed with everything in it afterwards.
class DossierTemporaire {
  public:
    DossierTemporaire() {
        static std::atomic<int> compteur{0};
        chemin_ = std::filesystem::temp_directory_path() /
                  ("vitrail-test-" + std::to_string(::getpid()) + "-" + std::to_string(++compteur));
        std::filesystem::remove_all(chemin_);
        std::filesystem::create_directories(chemin_);
    }
    ~DossierTemporaire() {
        std::error_code ignore;
        std::filesystem::remove_all(chemin_, ignore);
    }
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;

    const std::filesystem::path& chemin() const { return chemin_; }
    std::filesystem::path operator/(const std::string& nom) const { return chemin_ / nom; }
    std::size_t nombreFichiers() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(chemin_))
            ++n;
        return n;
    }

  private:
    std::filesystem::path chemin_;
};

inline std::string contenu(const std::filesystem::path& fichier) {
    std::ifstream flux(fichier, std::ios::binary);
    std::ostringstream tout;
    tout << flux.rdbuf();
    return tout.str();
}

inline void ecrit(const std::filesystem::path& fichier, const std::string& texte) {
    std::ofstream(fichier, std::ios::binary) << texte;
}

}  // namespace vitrail::test
