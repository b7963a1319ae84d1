// Kept threads for shared calculations.
#include "base/Fils.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

thread_local bool EnPiece = false;

class TFils {
 public:
  explicit TFils(int nb) {
    try {
      for (int k = 0; k < nb; k++) Fils.emplace_back([this] { Boucle(); });
    } catch (const std::system_error&) {
      // Fewer threads than cores: the calling thread does the rest.
    }
  }
  ~TFils() {
    {
      std::lock_guard<std::mutex> g(Verrou);
      Fin = true;
    }
    Reveil.notify_all();
    for (auto& f : Fils) f.join();
  }

  // False when another calculation holds the threads: the caller runs its pieces alone.
  bool Lance(int n, const std::function<void(int)>& f) {
    std::unique_lock<std::mutex> occupe(Utilise, std::try_to_lock);
    if (!occupe.owns_lock() || Fils.empty()) return false;
    {
      std::lock_guard<std::mutex> g(Verrou);
      Tache = &f, Nb = n, Suivant.store(0), Restants = n;
      PremiereErreur = n, Erreur = nullptr;
      Generation++;
    }
    Reveil.notify_all();
    Travaille();
    {
      std::unique_lock<std::mutex> g(Verrou);
      Termine.wait(g, [&] { return Restants == 0 && Actifs == 0; });
      Tache = nullptr;
    }
    if (Erreur) std::rethrow_exception(Erreur);
    return true;
  }

 private:
  void Travaille() {
    const bool avant = EnPiece;
    EnPiece = true;
    int faits = 0;
    for (int i; (i = Suivant.fetch_add(1)) < Nb;) {
      try {
        (*Tache)(i);
      } catch (...) {
        std::lock_guard<std::mutex> g(Verrou);
        if (i < PremiereErreur) PremiereErreur = i, Erreur = std::current_exception();
      }
      faits++;
    }
    EnPiece = avant;
    std::lock_guard<std::mutex> g(Verrou);
    Restants -= faits;
    if (Restants == 0) Termine.notify_all();
  }

  void Boucle() {
    unsigned vue = 0;
    for (;;) {
      {
        std::unique_lock<std::mutex> g(Verrou);
        Reveil.wait(g, [&] { return Fin || Generation != vue; });
        if (Fin) return;
        vue = Generation;
        if (!Tache) continue;
        Actifs++;
      }
      Travaille();
      std::lock_guard<std::mutex> g(Verrou);
      if (--Actifs == 0 && Restants == 0) Termine.notify_all();
    }
  }

  std::vector<std::thread> Fils;
  std::mutex Utilise;  // one calculation at a time holds the threads
  std::mutex Verrou;
  std::condition_variable Reveil, Termine;
  const std::function<void(int)>* Tache = nullptr;
  int Nb = 0, Restants = 0, Actifs = 0, PremiereErreur = 0;
  std::atomic<int> Suivant{0};
  unsigned Generation = 0;
  std::exception_ptr Erreur;
  bool Fin = false;
};

TFils& Pool() {
  static TFils p(FilsMachine() - 1);
  return p;
}

}  // namespace

int FilsMachine() {
  // Asked once: the count is read from the system's files at each call.
  static const int n = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 64);
  return n;
}

bool DansPartage() { return EnPiece; }

void Partage(int n, const std::function<void(int)>& f) {
  if (n <= 0) return;
  if (n > 1 && !EnPiece && Pool().Lance(n, f)) return;
  std::exception_ptr erreur;
  for (int i = 0; i < n; i++) {
    try {
      f(i);
    } catch (...) {
      if (!erreur) erreur = std::current_exception();
    }
  }
  if (erreur) std::rethrow_exception(erreur);
}
