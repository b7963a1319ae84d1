// Projected-vertex tables.
#include "edition/TabCoor.h"

#include <algorithm>

#include "edition/Cadrage.h"

void TTableVertex::MajTabCoor(const TDocument& doc, const TParamVue& vue) {
  TProjecteur proj(vue);
  int n = std::min(doc.NbSurf(), MaxSurf);
  for (int k = 0; k < n; k++) {
    const auto* s = dynamic_cast<const TSurface*>(&doc.Surf(k));
    if (!s) continue;
    const TPlan plan = s->PlanSym.Plan();
    int nl = std::min(s->Net.NbLn, MaxNet), nc = std::min(s->Net.NbCol, MaxNet);
    for (int i = 0; i < nl; i++)
      for (int j = 0; j < nc; j++) {
        TVertex3f v = s->Net.PC[i][j].V();
        Valide[k][i][j] = proj.Projette(v, Pos[k][i][j]);
        ValideSym[k][i][j] = proj.Projette(CalcSym(v, plan), Sym[k][i][j]);
      }
  }
}

void TTableVertex::EtatTous(std::uint8_t etat) {
  for (auto& s : Etat)
    for (auto& l : s)
      for (auto& e : l) e = etat;
}

std::uint8_t TTableVertex::EtatDe(const TPC& pc) const {
  if (pc.NumSurf < 0 || pc.NumSurf >= MaxSurf || pc.NumLn < 0 || pc.NumLn >= MaxNet || pc.NumCol < 0 ||
      pc.NumCol >= MaxNet)
    return epInactif;
  return Etat[pc.NumSurf][pc.NumLn][pc.NumCol];
}
