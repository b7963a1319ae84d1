// Picking and selection in a view.
#include "edition/Selection.h"

#include <algorithm>
#include <cstdlib>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "edition/Cadrage.h"
#include "session/ObjCom.h"

namespace {

constexpr int ToleranceVertex = 3;  // pixels each side of a vertex marker

const TSurface* Nurbs(const TDocument& doc, int k) {
  if (k < 0 || k >= doc.NbSurf()) return nullptr;
  return dynamic_cast<const TSurface*>(&doc.Surf(k));
}

bool VisibleLibre(const TDocument& doc, int k) { return doc.Surf(k).Visible && !doc.Surf(k).Verrou; }

int NbTable(const TDocument& doc) { return std::min(doc.NbSurf(), MaxSurf); }

// The base handles' box: 3 pixels left and above, 4 right and below (the marker's shape).
bool DansBoite(int x, int y, const TPixel& b, int droite) {
  return x >= b.X - 3 && x <= b.X + droite && y >= b.Y - 3 && y <= b.Y + droite;
}

}  // namespace

bool SurfaceEditable(const TDocument& doc, int k) { return Nurbs(doc, k) && VisibleLibre(doc, k); }

TPC EstCeUnPC(const TDocument& doc, const TTableVertex& tab, int x, int y) {
  TRACE("ObjCom.EstCeUnPC");
  for (int k = 0; k < NbTable(doc); k++) {
    if (!SurfaceEditable(doc, k)) continue;
    const TNet& net = Nurbs(doc, k)->Net;
    for (int i = 0; i < std::min(net.NbLn, MaxNet); i++)
      for (int j = 0; j < std::min(net.NbCol, MaxNet); j++) {
        if (!tab.Valide[k][i][j] || tab.Etat[k][i][j] == epInactif) continue;
        const TPixel& p = tab.Pos[k][i][j];
        if (std::abs(x - p.X) <= ToleranceVertex && std::abs(y - p.Y) <= ToleranceVertex) return {k, i, j};
      }
  }
  return {};
}

bool EstCeUneBaseNet(TDocument& doc, const TParamVue& vue, int x, int y) {
  TProjecteur proj(vue);
  for (int k = 0; k < doc.NbSurf(); k++) {
    if (!VisibleLibre(doc, k)) continue;
    const TPlanSym& b = doc.Surf(k).PlanSym;
    TPixel o, t;
    if (proj.Projette(b.Origine, o) && DansBoite(x, y, o, 4)) {
      doc.BasePlanSymCourante = {k, 0};
      ChangeCurrentPC(doc, {k, 0, 0});
      return true;
    }
    const TVertex3f axes[3] = {b.Axe1, b.Axe2, b.Axe3};
    for (int a = 0; a < 3; a++)
      if (proj.Projette(b.Origine + axes[a], t) && DansBoite(x, y, t, a == 2 ? 3 : 4)) {
        doc.BasePlanSymCourante = {k, a + 1};
        return true;
      }
  }
  return false;
}

int EstCeVectOrient(TDocument& doc, const TParamVue& vue, int x, int y) {
  TProjecteur proj(vue);
  for (int k = 0; k < doc.NbSurf(); k++) {
    if (!VisibleLibre(doc, k)) continue;
    const TEntity& e = doc.Surf(k);
    // The tip as the drawing places it: the normal at the middle of the grid.
    if (!e.Calculee || e.Pts.empty() || e.Normales.empty()) continue;
    size_t i = static_cast<size_t>(e.NbLnPt / 2), j = static_cast<size_t>(e.NbColPt / 2);
    if (i >= e.Pts.size() || j >= e.Pts[i].size() || i >= e.Normales.size() || j >= e.Normales[i].size())
      continue;
    TVertex3f bout = e.Orientation ? e.Pts[i][j] + e.Normales[i][j] : e.Pts[i][j] - e.Normales[i][j];
    TPixel b;
    if (proj.Projette(bout, b) && DansBoite(x, y, b, 4)) {
      ChangeCurrentPC(doc, {k, 0, 0});
      return k;
    }
  }
  return -1;
}

std::string EstCeUnNet(const TDocument& doc, const TTableVertex& tab, int x, int y) {
  const TPixel p{x, y};
  for (int passe = 0; passe < 2; passe++)
    for (int k = 0; k < NbTable(doc); k++) {
      if (!SurfaceEditable(doc, k)) continue;
      const TNet& net = Nurbs(doc, k)->Net;
      int nl = std::min(net.NbLn, MaxNet), nc = std::min(net.NbCol, MaxNet);
      for (int j = 0; j < nl; j++)
        for (int c = 0; c < nc; c++) {
          int j2 = passe == 0 ? j : j + 1, c2 = passe == 0 ? c + 1 : c;
          if (j2 >= nl || c2 >= nc || !tab.Valide[k][j][c] || !tab.Valide[k][j2][c2]) continue;
          if (SurSegment(tab.Pos[k][j][c], tab.Pos[k][j2][c2], p))
            return Format(rs(passe == 0 ? "rsStatusNetLigne" : "rsStatusNetColonne"), doc.Surf(k).Nom.c_str(),
                          j, c);
        }
    }
  return {};
}

bool TSelectionVue::SelectPoint(const TPC& pc) {
  TRACE("TFormFille.SelectPoint");
  if (pc.NumSurf < 0 || pc.NumSurf >= MaxSurf || pc.NumLn < 0 || pc.NumLn >= MaxNet || pc.NumCol < 0 ||
      pc.NumCol >= MaxNet)
    return false;
  if (!PCDansListe(Lst, pc)) AjoutePCListe(Lst, pc);
  Tab.Etat[pc.NumSurf][pc.NumLn][pc.NumCol] = epSelectionne;
  return true;
}

void TSelectionVue::UnSelectPoint(const TPC& pc) {
  RetirePCListe(Lst, pc);
  if (Tab.EtatDe(pc) == epSelectionne) Tab.Etat[pc.NumSurf][pc.NumLn][pc.NumCol] = epActif;
}

void TSelectionVue::SelectAllPoints(const TDocument& doc) {
  for (int k = 0; k < NbTable(doc); k++) {
    if (!SurfaceEditable(doc, k)) continue;
    const TNet& net = Nurbs(doc, k)->Net;
    for (int i = 0; i < std::min(net.NbLn, MaxNet); i++)
      for (int j = 0; j < std::min(net.NbCol, MaxNet); j++)
        if (Tab.Etat[k][i][j] != epInactif) SelectPoint({k, i, j});
  }
}

void TSelectionVue::UnSelectAllPoints() {
  for (auto& s : Tab.Etat)
    for (auto& l : s)
      for (auto& e : l)
        if (e == epSelectionne) e = epActif;
  Lst.clear();
}

void TSelectionVue::SelectNet(const TDocument& doc, int k) {
  const TSurface* s = Nurbs(doc, k);
  if (!s || k >= MaxSurf) return;
  for (int i = 0; i < std::min(s->Net.NbLn, MaxNet); i++)
    for (int j = 0; j < std::min(s->Net.NbCol, MaxNet); j++)
      if (Tab.Etat[k][i][j] != epInactif) SelectPoint({k, i, j});
}

void TSelectionVue::SelPCinZone(const TDocument& doc, int x1, int y1, int x2, int y2) {
  TRACE("TFormFille.SelPCinZone");
  int xa = std::min(x1, x2), xb = std::max(x1, x2), ya = std::min(y1, y2), yb = std::max(y1, y2);
  for (int k = 0; k < NbTable(doc); k++) {
    if (!SurfaceEditable(doc, k)) continue;
    const TNet& net = Nurbs(doc, k)->Net;
    for (int i = 0; i < std::min(net.NbLn, MaxNet); i++)
      for (int j = 0; j < std::min(net.NbCol, MaxNet); j++) {
        const TPixel& p = Tab.Pos[k][i][j];
        if (Tab.Valide[k][i][j] && Tab.Etat[k][i][j] != epInactif && p.X >= xa && p.X <= xb && p.Y >= ya &&
            p.Y <= yb)
          SelectPoint({k, i, j});
      }
  }
}

void TSelectionVue::Repare(const TDocument& doc) {
  TListPC garde;
  for (const TPC& pc : Lst) {
    const TSurface* s = Nurbs(doc, pc.NumSurf);
    if (s && pc.NumSurf < MaxSurf && s->Net.DansNet(pc.NumLn, pc.NumCol)) garde.push_back(pc);
  }
  Lst = garde;
  // A state left selected outside the list would draw a marker nobody can deselect.
  for (int k = 0; k < MaxSurf; k++)
    for (int i = 0; i < MaxNet; i++)
      for (int j = 0; j < MaxNet; j++)
        if (Tab.Etat[k][i][j] == epSelectionne && !PCDansListe(Lst, {k, i, j})) Tab.Etat[k][i][j] = epActif;
  for (const TPC& pc : Lst) Tab.Etat[pc.NumSurf][pc.NumLn][pc.NumCol] = epSelectionne;
}

TListPC MakeLstMovePC(const TDocument& doc, const TListPC& sel) {
  TListPC l = sel;
  for (size_t i = 0; i < l.size(); i++) {
    TPC pc = l[i];  // a copy: appending moves the list
    for (const TListPC& g : doc.GroupesSoudes)
      if (PCDansListe(g, pc))
        for (const TPC& m : g)
          if (!PCDansListe(l, m)) AjoutePCListe(l, m);
  }
  return l;
}

void RepareCurrentPC(TDocument& doc) {
  const TPC& pc = doc.PCCourant;
  bool valide = pc.NumSurf >= 0 && pc.NumSurf < doc.NbSurf();
  if (valide)
    if (const TSurface* s = Nurbs(doc, pc.NumSurf)) valide = s->Net.DansNet(pc.NumLn, pc.NumCol);
  if (valide) return;
  for (int k = 0; k < doc.NbSurf(); k++)
    if (VisibleLibre(doc, k)) {
      ChangeCurrentPC(doc, {k, 0, 0});
      return;
    }
}

void RepareSoudes(TDocument& doc) {
  auto valide = [&doc](const TPC& pc) {
    if (pc.NumSurf < 0 || pc.NumSurf >= doc.NbSurf()) return false;
    const TSurface* s = Nurbs(doc, pc.NumSurf);
    return !s || s->Net.DansNet(pc.NumLn, pc.NumCol);
  };
  bool change = false;
  for (TListPC& g : doc.GroupesSoudes) {
    auto fin = std::remove_if(g.begin(), g.end(), [&](const TPC& pc) { return !valide(pc); });
    change = change || fin != g.end();
    g.erase(fin, g.end());
  }
  if (change) ReconstruitPCSoudes(doc);
}
