#include "ui/AvisFermeture.h"

#include <vector>

namespace {

struct TAbonne {
  const void* Fenetre;
  const void* Cle;
  std::function<void()> F;
};

std::vector<TAbonne>& Abonnes() {
  static std::vector<TAbonne> a;
  return a;
}

}  // namespace

void AbonneFermeture(const void* fenetre, const void* cle, std::function<void()> f) {
  Abonnes().push_back({fenetre, cle, std::move(f)});
}

void DesabonneFermeture(const void* cle) {
  std::erase_if(Abonnes(), [cle](const TAbonne& a) { return a.Cle == cle; });
}

void AnnonceFermeture(const void* fenetre) {
  // A copy: a subscriber may go while it is told.
  const auto a = Abonnes();
  for (const TAbonne& x : a)
    if (x.Fenetre == fenetre) x.F();
}
