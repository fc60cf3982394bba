#include "support/FichierAtomique.hpp"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace vitrail {

namespace {

constexpr std::size_t TailleTampon = 64 * 1024;
constexpr int LiensAuPlus = 40;

[[noreturn]] void echec(int code, const std::string& chemin) {
    throw std::system_error(code, std::generic_category(), chemin);
}

// The temporary files open in the process, for a signal handler to remove: fixed storage and
// lock-free flags only, since the handler may interrupt anything.
enum EtatPlace : int { Libre, Reservee, Inscrite };
struct Place {
    std::atomic<int> etat{Libre};
    char chemin[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free);
constexpr int NombrePlaces = 32;
Place registre[NombrePlaces];

int reservePlace(const std::string& pour) {
    for (int i = 0; i < NombrePlaces; ++i) {
        int libre = Libre;
        if (registre[i].etat.compare_exchange_strong(libre, Reservee)) return i;
    }
    echec(EMFILE, pour);
}

void inscrit(int place, const std::string& chemin) {
    if (chemin.size() >= PATH_MAX) return;
    std::memcpy(registre[place].chemin, chemin.c_str(), chemin.size() + 1);
    registre[place].etat.store(Inscrite);
}

void liberePlace(int& place) {
    if (place >= 0) registre[place].etat.store(Libre);
    place = -1;
}

extern "C" void retireTemporaires(int signal) {
    for (Place& place : registre) {
        if (place.etat.load() == Inscrite) ::unlink(place.chemin);
    }
    // The handler was reset to the default on entry; the signal is delivered once it returns.
    ::raise(signal);
}

std::string dossierDe(const std::string& chemin) {
    const auto barre = chemin.rfind('/');
    if (barre == std::string::npos) return ".";
    return barre == 0 ? "/" : chemin.substr(0, barre);
}

mode_t masqueCreation() {
    // Read from /proc: setting the mask to read it back would race files created meanwhile.
    if (std::FILE* statut = std::fopen("/proc/self/status", "re")) {
        char ligne[256];
        unsigned masque = 0;
        bool trouve = false;
        while (!trouve && std::fgets(ligne, sizeof ligne, statut)) {
            trouve = std::sscanf(ligne, "Umask: %o", &masque) == 1;
        }
        std::fclose(statut);
        if (trouve) return static_cast<mode_t>(masque);
    }
    const mode_t masque = ::umask(0);
    ::umask(masque);
    return masque;
}

struct Destination {
    std::string chemin;
    bool existe = false;
    // An open file named through /proc (/dev/stdout, /dev/fd/N): there is no folder to write
    // beside it in.
    bool descripteur = false;
    // This process's own descriptor it names, if any, written through to share its offset.
    int descripteurPropre = -1;
    struct stat etat {};
};

// Follows symbolic links one at a time, so that a link to a missing file names where the new
// file goes.
Destination resout(std::string chemin) {
    for (int sauts = 0; sauts <= LiensAuPlus; ++sauts) {
        Destination d{.chemin = chemin};
        if (::lstat(chemin.c_str(), &d.etat) != 0) {
            if (errno != ENOENT) echec(errno, chemin);
            return d;
        }
        d.existe = true;
        if (!S_ISLNK(d.etat.st_mode)) return d;
        struct statfs systeme {};
        if (::statfs(dossierDe(chemin).c_str(), &systeme) == 0 &&
            systeme.f_type == PROC_SUPER_MAGIC) {
            if (::stat(chemin.c_str(), &d.etat) != 0) echec(errno, chemin);
            d.descripteur = true;
            const std::string dossier = dossierDe(chemin);
            if (dossier == "/proc/self/fd" || dossier == "/proc/thread-self/fd" ||
                dossier == "/proc/" + std::to_string(::getpid()) + "/fd") {
                d.descripteurPropre = std::atoi(chemin.c_str() + dossier.size() + 1);
            }
            return d;
        }
        std::string lien(PATH_MAX, '\0');
        const ssize_t n = ::readlink(chemin.c_str(), lien.data(), lien.size());
        if (n < 0) echec(errno, chemin);
        if (n == 0) echec(ENOENT, chemin);
        if (static_cast<std::size_t>(n) == lien.size()) echec(ENAMETOOLONG, chemin);
        lien.resize(static_cast<std::size_t>(n));
        chemin = lien.front() == '/' ? lien : dossierDe(chemin) + "/" + lien;
    }
    echec(ELOOP, chemin);
}

}  // namespace

FichierAtomique::FichierAtomique(const std::string& demande) {
    const Destination d = resout(demande);
    cible_ = d.chemin;
    const auto ouvreEnPlace = [&] {
        fd_ = ::open(cible_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd_ < 0) echec(errno, cible_);
    };
    if (d.existe && S_ISDIR(d.etat.st_mode)) echec(EISDIR, cible_);
    if (d.descripteurPropre >= 0) {
        fd_ = ::fcntl(d.descripteurPropre, F_DUPFD_CLOEXEC, 0);
        if (fd_ < 0) echec(errno, cible_);
        tailleConnue_ = false;
        return;
    }
    if (d.existe && (d.descripteur || !S_ISREG(d.etat.st_mode))) {
        ouvreEnPlace();
        return;
    }
    if (d.existe && ::access(cible_.c_str(), W_OK) != 0) echec(errno, cible_);

    // Beside the target: a rename only works within one file system.
    std::string modele = dossierDe(cible_) + "/.vitrail-XXXXXX";
    place_ = reservePlace(cible_);
    fd_ = ::mkostemp(modele.data(), O_CLOEXEC);
    if (fd_ < 0) {
        const int code = errno;
        liberePlace(place_);
        if (d.existe && (code == EACCES || code == EPERM)) {
            ouvreEnPlace();
            return;
        }
        echec(code, cible_);
    }
    temporaire_ = modele;
    inscrit(place_, temporaire_);
    const mode_t mode = d.existe ? d.etat.st_mode & 07777 : 0666 & ~masqueCreation();
    if (::fchmod(fd_, mode) != 0) {
        const int code = errno;
        abandonne();
        echec(code, cible_);
    }
    // Only root can give a file away; anyone else keeps the new file as their own.
    if (d.existe && (d.etat.st_uid != ::geteuid() || d.etat.st_gid != ::getegid())) {
        [[maybe_unused]] const int donne = ::fchown(fd_, d.etat.st_uid, d.etat.st_gid);
    }
}

FichierAtomique::~FichierAtomique() {
    abandonne();
}

void FichierAtomique::abandonne() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporaire_.empty()) ::unlink(temporaire_.c_str());
    temporaire_.clear();
    liberePlace(place_);
}

void FichierAtomique::ecrit(std::string_view octets) {
    if (fd_ < 0) echec(EBADF, cible_);
    if (erreur_ != 0) echec(erreur_, cible_);
    tampon_.append(octets);
    if (tampon_.size() >= TailleTampon) vide();
}

void FichierAtomique::vide() {
    std::size_t fait = 0;
    while (fait < tampon_.size()) {
        const ssize_t n = ::write(fd_, tampon_.data() + fait, tampon_.size() - fait);
        if (n < 0) {
            if (errno == EINTR) continue;
            // Part of the buffer may be on disk: this file can never be completed.
            erreur_ = errno;
            echec(erreur_, cible_);
        }
        fait += static_cast<std::size_t>(n);
        ecrits_ += static_cast<std::uint64_t>(n);
    }
    tampon_.clear();
}

void FichierAtomique::termine() {
    if (fd_ < 0) echec(EBADF, cible_);
    if (erreur_ != 0) echec(erreur_, cible_);
    vide();
    struct stat etat {};
    if (::fstat(fd_, &etat) != 0) echec(errno, cible_);
    if (S_ISREG(etat.st_mode)) {
        if (tailleConnue_ && static_cast<std::uint64_t>(etat.st_size) != ecrits_) {
            echec(EIO, cible_);
        }
        if (::fsync(fd_) != 0) echec(errno, cible_);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) echec(errno, cible_);
    if (enPlace()) return;
    if (std::rename(temporaire_.c_str(), cible_.c_str()) != 0) echec(errno, cible_);
    temporaire_.clear();
    liberePlace(place_);
    // The new name is on disk too once its folder is.
    const int dossier = ::open(dossierDe(cible_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dossier >= 0) {
        ::fsync(dossier);
        ::close(dossier);
    }
}

FichierBrouillon::FichierBrouillon(const std::string& suffixe) {
    const char* dossier = std::getenv("TMPDIR");
    chemin_ = std::string(dossier && *dossier ? dossier : "/tmp") + "/vitrail-XXXXXX" + suffixe;
    place_ = reservePlace(chemin_);
    fd_ = ::mkostemps(chemin_.data(), static_cast<int>(suffixe.size()), O_CLOEXEC);
    if (fd_ < 0) {
        const int code = errno;
        liberePlace(place_);
        echec(code, chemin_);
    }
    inscrit(place_, chemin_);
}

FichierBrouillon::~FichierBrouillon() {
    ::close(fd_);
    ::unlink(chemin_.c_str());
    liberePlace(place_);
}

std::string FichierBrouillon::contenu() const {
    struct stat etat {};
    if (::fstat(fd_, &etat) != 0) echec(errno, chemin_);
    std::string octets(static_cast<std::size_t>(etat.st_size), '\0');
    std::size_t lu = 0;
    while (lu < octets.size()) {
        const ssize_t n =
            ::pread(fd_, octets.data() + lu, octets.size() - lu, static_cast<off_t>(lu));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) echec(errno, chemin_);
        if (n == 0) break;
        lu += static_cast<std::size_t>(n);
    }
    octets.resize(lu);
    return octets;
}

void nettoieSurSignal(std::initializer_list<int> signaux) {
    for (const int signal : signaux) {
        struct sigaction actuelle {};
        if (::sigaction(signal, nullptr, &actuelle) != 0) continue;
        if ((actuelle.sa_flags & SA_SIGINFO) != 0 || actuelle.sa_handler != SIG_DFL) continue;
        struct sigaction nettoyage {};
        nettoyage.sa_handler = retireTemporaires;
        sigemptyset(&nettoyage.sa_mask);
        nettoyage.sa_flags = SA_RESETHAND;
        ::sigaction(signal, &nettoyage, nullptr);
    }
}

}  // namespace vitrail

namespace vitrail {

void ecritFichier(const std::string& chemin, std::string_view octets) {
    FichierAtomique fichier(chemin);
    fichier.ecrit(octets);
    fichier.termine();
}

}  // namespace vitrail
