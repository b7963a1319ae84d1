// The notice of change: the list of subscribers of each document.
#include "session/Avis.h"

#include <algorithm>

namespace {

struct TEntree {
  int Cle;
  const TDocument* Doc;
  TAbonne F;
};

std::vector<TEntree>& Abonnes() {
  static std::vector<TEntree> a;
  return a;
}

int DerniereCle = 0;

}  // namespace

bool SuitChangementNet(TPC& pc, const TChangementNet& c) {
  if (pc.NumSurf != c.NumSurf) return true;
  int& i = c.Ligne ? pc.NumLn : pc.NumCol;
  if (c.Insere) {
    if (i >= c.Index) i++;
    return true;
  }
  if (i == c.Index) return false;
  if (i > c.Index) i--;
  return true;
}

int AbonneAvis(const TDocument& doc, TAbonne f) {
  Abonnes().push_back({++DerniereCle, &doc, std::move(f)});
  return DerniereCle;
}

void DesabonneAvis(int cle) {
  auto& a = Abonnes();
  a.erase(std::remove_if(a.begin(), a.end(), [cle](const TEntree& e) { return e.Cle == cle; }), a.end());
}

void AnnonceAvis(const TDocument& doc, const TAvis& avis) {
  if (avis.Quoi == 0) return;
  // The keys first: a subscriber may change the list while it is told.
  std::vector<int> cles;
  for (const TEntree& e : Abonnes())
    if (e.Doc == &doc) cles.push_back(e.Cle);
  for (int cle : cles) {
    auto& a = Abonnes();
    auto it = std::find_if(a.begin(), a.end(), [cle](const TEntree& e) { return e.Cle == cle; });
    if (it == a.end()) continue;  // unsubscribed by an earlier one
    TAbonne f = it->F;            // a copy: the entry may go while f runs
    f(avis);
  }
}
