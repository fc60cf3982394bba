#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "vitrail/Fichiers.hpp"

namespace vitrail {

// A file written beside its target and renamed over it only once every byte is on disk, so a
// failure at any point leaves the previous file as it was and no temporary file behind.
// - A symbolic link is followed: the file it names is replaced (or created), the link kept.
// - A target that exists and is not a regular file (a FIFO, a device, /dev/stdout) is written
//   in place, never replaced; one of the process's own descriptors (/dev/stdout, /dev/fd/N) is
//   written through, after what it already holds.
// - A target in a folder that takes no new file is written in place when it may be written.
// Every failure throws std::system_error carrying errno, its message naming the file.
// Temporary files are listed for nettoieSurSignal; at most 32 may be open at once.
class FichierAtomique {
  public:
    explicit FichierAtomique(const std::string& cible);
    // A file not put in place is dropped: its temporary file is removed.
    ~FichierAtomique();
    FichierAtomique(const FichierAtomique&) = delete;
    FichierAtomique& operator=(const FichierAtomique&) = delete;

    void ecrit(std::string_view octets);
    // Flushes, syncs and checks the file's size, then renames it over the target.
    void termine();

    bool enPlace() const { return temporaire_.empty(); }
    // The file the target names once links are followed.
    const std::string& cible() const { return cible_; }

  private:
    void vide();
    void abandonne() noexcept;

    int fd_ = -1;
    std::string cible_;
    std::string temporaire_;
    std::string tampon_;
    std::uint64_t ecrits_ = 0;
    int erreur_ = 0;
    // False when writing on after what a descriptor of the process already holds.
    bool tailleConnue_ = true;
    int place_ = -1;
};

// A scratch file for a writer that only takes a file name (the toolkit's PDF engine), in the
// system's temporary folder; removed with the object and by nettoieSurSignal.
class FichierBrouillon {
  public:
    // suffixe: the end of the name, which some writers read the format from (".pdf").
    explicit FichierBrouillon(const std::string& suffixe);
    ~FichierBrouillon();
    FichierBrouillon(const FichierBrouillon&) = delete;
    FichierBrouillon& operator=(const FichierBrouillon&) = delete;

    const std::string& chemin() const { return chemin_; }
    // What the writer put in it, read back through the descriptor kept open since its creation.
    std::string contenu() const;

  private:
    int fd_ = -1;
    std::string chemin_;
    int place_ = -1;
};

}  // namespace vitrail
