// Editing with the mouse in a view.
#include "edition/Edition.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Options.h"
#include "base/Services.h"
#include "naval/Poids.h"
#include "session/ObjCom.h"

namespace {

// The model delta back in pixels, for the reference point after a stop.
TPixel DeltaEcran(int type, const TVertex3f& d, double s) {
  auto r = [](double v) { return static_cast<int>(std::lround(v)); };
  switch (type) {
    case tvSection:
      return {r(d.X * s), r(-d.Z * s)};
    case tvPlan:
      return {r(d.Y * s), r(d.X * s)};
    case tvProfil:
      return {r(d.Y * s), r(-d.Z * s)};
    default:
      return {0, 0};
  }
}

// The depth axis of a flat view, as the angles vector of Rotation3D.
TVertex3f AngleProfondeur(int type, double a) {
  switch (type) {
    case tvSection:
      return {0, a, 0};
    case tvPlan:
      return {0, 0, a};
    case tvProfil:
      return {a, 0, 0};
    default:
      return {0, 0, 0};
  }
}

// Screen-horizontal and screen-vertical model axes of a flat view.
TVertex3f AxeEcran(int type, bool horizontal) {
  switch (type) {
    case tvSection:
      return horizontal ? TVertex3f{1, 0, 0} : TVertex3f{0, 0, 1};
    case tvPlan:
      return horizontal ? TVertex3f{0, 1, 0} : TVertex3f{1, 0, 0};
    default:
      return horizontal ? TVertex3f{0, 1, 0} : TVertex3f{0, 0, 1};
  }
}

double ValeurPlan(const TPlan& p, const TVertex3f& v) { return p.A * v.X + p.B * v.Y + p.C * v.Z + p.D; }

}  // namespace

TVertex3f DeltaModele(int type, double dx, double dy, double echelle) {
  if (echelle == 0) return {};
  double s = echelle;
  switch (type) {
    case tvSection:
      return {dx / s, 0, -dy / s};
    case tvPlan:
      return {dy / s, dx / s, 0};
    case tvProfil:
      return {0, dx / s, -dy / s};
    default:
      return {};
  }
}

TVertex3f ArretSymetrie(const TDocument& doc, int type, const TListPC& liste, TVertex3f d, TContrainte c) {
  if (type < tvSection || type > tvProfil) return d;
  for (const TPC& pc : liste) {
    if (pc.NumSurf < 0 || pc.NumSurf >= doc.NbSurf()) continue;
    const auto* s = dynamic_cast<const TSurface*>(&doc.Surf(pc.NumSurf));
    if (!s || !s->Sym || !s->Net.DansNet(pc.NumLn, pc.NumCol)) continue;
    const TPlan plan = s->PlanSym.Plan();
    TVertex3f v = s->Net.PC[pc.NumLn][pc.NumCol].V();
    TVertex3f cand = v + d;
    // A vertex already on the wrong side may still move back, never further.
    if (ValeurPlan(plan, cand) >= 0 || ValeurPlan(plan, cand) >= ValeurPlan(plan, v)) continue;
    TVertex3f q;
    if (c == TContrainte::Horizontale)
      CalcProjeteVect(cand, AxeEcran(type, true), plan, q);
    else if (c == TContrainte::Verticale)
      CalcProjeteVect(cand, AxeEcran(type, false), plan, q);
    else if (type == tvSection)
      CalcProjeteNY(cand, plan, q);
    else if (type == tvPlan)
      CalcProjeteNZ(cand, plan, q);
    else
      CalcProjeteNX(cand, plan, q);
    d = q - v;
  }
  return d;
}

void DeplaceListe(TDocument& doc, const TListPC& liste, const TVertex3f& d) {
  for (const TPC& pc : liste) {
    TPtNet* p = VertexDe(doc, pc);
    if (!p) continue;
    p->X += d.X, p->Y += d.Y, p->Z += d.Z;
    doc.Surf(pc.NumSurf).MarqueNonCalculee();
  }
  MajMinMaxAllNet(doc, false);
}

TListPC PartenairesSoudes(const TDocument& doc, int k) {
  const auto* s = k >= 0 && k < doc.NbSurf() ? dynamic_cast<const TSurface*>(&doc.Surf(k)) : nullptr;
  if (!s || doc.GroupesSoudes.empty()) return {};
  TListPC net;
  for (int i = 0; i < s->Net.NbLn; i++)
    for (int j = 0; j < s->Net.NbCol; j++) net.push_back({k, i, j});
  TListPC tous = MakeLstMovePC(doc, net), r;
  for (const TPC& pc : tous)
    if (pc.NumSurf != k) r.push_back(pc);
  return r;
}

void TranslateSurface(TDocument& doc, int k, const TVertex3f& d) {
  if (k < 0 || k >= doc.NbSurf()) return;
  // The partners first: the list is built from the welds, not from the positions.
  DeplaceListe(doc, PartenairesSoudes(doc, k), d);
  PourChaquePoint(doc.Surf(k), [&](TVertex3f& v) { v = v + d; });
  TMatrice4 m;
  MatTranslation(d, m);
  DeplacePoidsAttaches(doc, k, m);
  TPlanSym& b = doc.Surf(k).PlanSym;
  b.Origine = b.Origine + d;
  b.MajPlan();
  MajMinMaxAllNet(doc, false);
}

void TourneSurface(TDocument& doc, int k, int type, double angleDeg) {
  if (k < 0 || k >= doc.NbSurf() || angleDeg == 0) return;
  TPlanSym& b = doc.Surf(k).PlanSym;
  // Positive about each depth axis is counter-clockwise as each view shows it.
  TVertex3f ang = AngleProfondeur(type, angleDeg), o = b.Origine, zero{};
  Rotation3D(zero, ang, b.Axe1);
  Rotation3D(zero, ang, b.Axe2);
  Rotation3D(zero, ang, b.Axe3);
  b.MajPlan();
  // Welded vertices of other surfaces turn with the surface: the seam stays closed.
  for (const TPC& pc : PartenairesSoudes(doc, k))
    if (TPtNet* p = VertexDe(doc, pc)) {
      TVertex3f v = p->V();
      Rotation3D(o, ang, v);
      p->SetV(v);
      doc.Surf(pc.NumSurf).MarqueNonCalculee();
    }
  PourChaquePoint(doc.Surf(k), [&](TVertex3f& v) { Rotation3D(o, ang, v); });
  TMatrice4 m;
  MatRotation3D(o, ang, m);
  DeplacePoidsAttaches(doc, k, m);
  MajMinMaxAllNet(doc, false);
}

namespace {
// Nearest vertex of the line of the net (a column in the transverse view, a row otherwise).
int SelectInser(const TDocument& doc, const TTableVertex& tab, int x, int y, bool lignes) {
  const TPC& pc = doc.PCCourant;
  if (pc.NumSurf < 0 || pc.NumSurf >= std::min(doc.NbSurf(), MaxSurf)) return -1;
  const auto* s = dynamic_cast<const TSurface*>(&doc.Surf(pc.NumSurf));
  if (!s || !s->Net.DansNet(pc.NumLn, pc.NumCol)) return -1;
  int n = lignes ? s->Net.NbLn : s->Net.NbCol;
  auto pos = [&](int a) {
    return lignes ? tab.Pos[pc.NumSurf][a][pc.NumCol] : tab.Pos[pc.NumSurf][pc.NumLn][a];
  };
  if (n == 1) return 0;
  int best = 0;
  double dmin = std::numeric_limits<double>::max();
  for (int a = 0; a < n; a++) {
    TPixel p = pos(a);
    double d = std::hypot(double(p.X - x), double(p.Y - y));
    if (d < dmin) dmin = d, best = a;
  }
  if (best == 0) return 1;
  if (best == n - 1) return best;
  TPixel prec = pos(best - 1), suiv = pos(best + 1), v = pos(best);
  double pente = suiv.Y == prec.Y ? 10000 : double(prec.X - suiv.X) / double(suiv.Y - prec.Y);
  auto cote = [&](const TPixel& p) { return (p.Y - v.Y) - pente * (p.X - v.X); };
  return cote({x, y}) * cote(prec) < 0 ? best + 1 : best;
}
}  // namespace

int SelectLnInser(const TDocument& doc, const TTableVertex& tab, int x, int y) {
  return SelectInser(doc, tab, x, y, true);
}
int SelectColInser(const TDocument& doc, const TTableVertex& tab, int x, int y) {
  return SelectInser(doc, tab, x, y, false);
}

TActionVue TEditeurVue::SelAction(int x, int y, TModifs m) {
  TModesEdition modes = Hote.ModesEdition();
  if (modes.Insertion) return TActionVue::Insertion;
  if (modes.BasePlanSym && EstCeUneBaseNet(Doc, Cadrage.Param, x, y))
    return Doc.BasePlanSymCourante.Element == 0 ? TActionVue::BaseOrigine : TActionVue::BaseAxe;
  if (modes.Orientation && EstCeVectOrient(Doc, Cadrage.Param, x, y) >= 0) return TActionVue::Orientation;
  TPC pc = EstCeUnPC(Doc, Tab, x, y);
  if (pc.Existe()) {
    ChangeCurrentPC(Doc, pc);
    if (modes.Suppression) return TActionVue::Suppression;
    if (m.Shift && Sel.EstSelectionne(pc)) return TActionVue::Deselect;
    if (m.Ctrl) return TActionVue::SelectNet;
    return TActionVue::Glisse;
  }
  if (!Sel.Vide() && !m.Shift) return TActionVue::VideEtFenetre;
  std::string net = EstCeUnNet(Doc, Tab, x, y);
  Hote.Status(3, net);
  return net.empty() ? TActionVue::Fenetre : TActionVue::MessageNet;
}

void TEditeurVue::Appui(int x, int y, TModifs m) {
  TRACE("TFormFille.MouseDown");
  Press = Ref = Cur = {x, y};
  PremierMouvement = true;
  Bouge = false;
  AngleTotal = 0;
  Act = SelAction(x, y, m);
  switch (Act) {
    case TActionVue::Insertion: {
      Hote.EnregistreAnnulation(Type() == tvSection ? "rsEtapeInsertionLigne" : "rsEtapeInsertionColonne");
      Hote.FinInsertionSuppression();
      int idx = Type() == tvSection ? SelectLnInser(Doc, Tab, x, y) : SelectColInser(Doc, Tab, x, y);
      TPC pc = Doc.PCCourant;
      if (idx >= 0) {
        if (Type() == tvSection)
          pc.NumLn = idx;
        else
          pc.NumCol = idx;
        ChangeCurrentPC(Doc, pc);
      }
      if (idx >= 0 && SurfaceEditable(Doc, pc.NumSurf))
        AjoutPC(Doc, CalculePt3DInv(Cadrage.Param, x, y, 0), Doc.PCCourant, Type());
      Sel.Repare(Doc);
      RepareCurrentPC(Doc);
      Hote.ApresEdition();
      Hote.RedessineTout();
      break;
    }
    case TActionVue::Suppression:
      Hote.EnregistreAnnulation(Type() == tvSection ? "rsEtapeSuppressionLigne"
                                                    : "rsEtapeSuppressionColonne");
      Hote.FinInsertionSuppression();
      // The row or the column follows the view clicked in.
      Doc.VueActive = Type();
      SupprPC(Doc);
      Sel.Repare(Doc);
      RepareCurrentPC(Doc);
      Hote.ApresEdition();
      Hote.RedessineTout();
      break;
    case TActionVue::Glisse:
    case TActionVue::SelectNet: {
      const TPC pc = Doc.PCCourant;
      if (!m.Shift && !Sel.EstSelectionne(pc)) Sel.UnSelectAllPoints();
      if (Act == TActionVue::SelectNet)
        Sel.SelectNet(Doc, pc.NumSurf);
      else
        Sel.SelectPoint(pc);
      ListeMove = MakeLstMovePC(Doc, Sel.Liste());
      Hote.RedessineTout();
      break;
    }
    case TActionVue::Deselect:
      Sel.UnSelectPoint(Doc.PCCourant);
      break;
    case TActionVue::VideEtFenetre:
      Sel.UnSelectAllPoints();
      Hote.RedessineTout();
      break;
    case TActionVue::BaseOrigine:
      if (!m.Shift && !Sel.EstSelectionne(Doc.PCCourant)) Sel.UnSelectAllPoints();
      break;
    case TActionVue::BaseAxe:
      BasePtRot(x, y);
      break;
    case TActionVue::Orientation: {
      int k = Doc.PCCourant.NumSurf;
      if (k >= 0 && k < Doc.NbSurf()) {
        Doc.Surf(k).Orientation = !Doc.Surf(k).Orientation;
        Doc.MarqueModifie();
      }
      Hote.RedessineTout();
      break;
    }
    default:
      break;
  }
}

void TEditeurVue::Mouvement(int x, int y) {
  if (Act == TActionVue::Rien || (x == Ref.X && y == Ref.Y)) return;
  Cur = {x, y};
  switch (Act) {
    case TActionVue::Glisse:
    case TActionVue::SelectNet:
      VertexMove(x, y);
      break;
    case TActionVue::BaseOrigine: {
      TModesEdition modes = Hote.ModesEdition();
      BasePtMove(modes.Verticale ? 0 : x - Ref.X, modes.Horizontale ? 0 : y - Ref.Y);
      Ref = {x, y};
      break;
    }
    case TActionVue::BaseAxe:
      BasePtRot(x, y);
      break;
    default:
      break;
  }
}

void TEditeurVue::VertexMove(int x, int y) {
  // The perspective view moves nothing: no undo step, nothing modified.
  if (Type() < tvSection || Type() > tvProfil) return;
  const TPC pc = Doc.PCCourant;
  if (pc.NumSurf < 0 || pc.NumSurf >= MaxSurf || !VertexDe(Doc, pc)) return;
  TPixel vc = Tab.Pos[pc.NumSurf][pc.NumLn][pc.NumCol];
  if (PremierMouvement) Ref = vc;  // the vertex jumps under the pointer
  TModesEdition modes = Hote.ModesEdition();
  TContrainte c = TContrainte::Aucune;
  if (modes.Horizontale)
    c = TContrainte::Horizontale, y = vc.Y;
  else if (modes.Verticale)
    c = TContrainte::Verticale, x = vc.X;
  int dx = x - Ref.X, dy = y - Ref.Y;
  if (dx == 0 && dy == 0) return;
  const double s = Cadrage.Param.Echelle;
  TVertex3f d = ArretSymetrie(Doc, Type(), ListeMove, DeltaModele(Type(), dx, dy, s), c);
  if (PremierMouvement) Hote.EnregistreAnnulation("rsEtapeDeplacementVertex");
  PremierMouvement = false;
  DeplaceListe(Doc, ListeMove, d);
  Bouge = true;
  Tab.MajTabCoor(Doc, Cadrage.Param);
  if (Options().SplineTR) Hote.ApresEdition();
  TPixel fait = DeltaEcran(Type(), d, s);
  Ref = {x - (dx - fait.X), y - (dy - fait.Y)};
  Hote.RedessineTout();
}

void TEditeurVue::BasePtMove(int dx, int dy) {
  int k = Doc.BasePlanSymCourante.NumSurf;
  TVertex3f d = DeltaModele(Type(), dx, dy, Cadrage.Param.Echelle);
  if (k < 0 || k >= Doc.NbSurf() || (d.X == 0 && d.Y == 0 && d.Z == 0)) return;
  if (PremierMouvement) Hote.EnregistreAnnulation("rsEtapeDeplacementSurface");
  PremierMouvement = false;
  TranslateSurface(Doc, k, d);
  Bouge = true;
  if (Options().SplineTR) Hote.ApresEdition();
  Doc.MarqueModifie();
  Hote.RedessineTout();
}

void TEditeurVue::BasePtRot(int x, int y) {
  int k = Doc.BasePlanSymCourante.NumSurf;
  if (k < 0 || k >= Doc.NbSurf() || Type() < tvSection || Type() > tvProfil) return;
  TPixel o;
  if (!TProjecteur(Cadrage.Param).Projette(Doc.Surf(k).PlanSym.Origine, o)) return;
  // Screen y runs downwards: turned upwards, counter-clockwise is positive.
  auto haut = [](int px, int py) { return Point2f(px, -py); };
  double pas = AngleOriente2D(haut(Ref.X, Ref.Y), haut(o.X, o.Y), haut(x, y));
  double total = AngleOriente2D(haut(Press.X, Press.Y), haut(o.X, o.Y), haut(x, y));
  Hote.Status(2, Format("%.2f°", total));
  if (PremierMouvement) Hote.EnregistreAnnulation("rsEtapeRotationSurface");
  PremierMouvement = false;
  Ref = {x, y};
  if (pas == 0) return;
  TourneSurface(Doc, k, Type(), pas);
  AngleTotal = total;
  Bouge = true;
  if (Options().SplineTR) Hote.ApresEdition();
  Doc.MarqueModifie();
  Hote.RedessineTout();
}

void TEditeurVue::Relache(int x, int y, TModifs m) {
  TRACE("TFormFille.MouseUp");
  Cur = {x, y};
  switch (Act) {
    case TActionVue::Glisse:
    case TActionVue::SelectNet: {
      if (Bouge) {
        Doc.MarqueModifie();
        Hote.ApresEdition();
      }
      const TPC pc = Doc.PCCourant;
      if (!m.Shift && Sel.Liste().size() == 1 && Sel.Liste()[0] == pc) Sel.UnSelectPoint(pc);
      Hote.FinContraintes();
      Hote.RedessineTout();
      break;
    }
    case TActionVue::Deselect:
      Hote.RedessineTout();
      break;
    case TActionVue::Fenetre:
    case TActionVue::VideEtFenetre:
      Sel.SelPCinZone(Doc, Press.X, Press.Y, x, y);
      Hote.RedessineTout();
      break;
    case TActionVue::BaseOrigine:
    case TActionVue::BaseAxe:
      if (Act == TActionVue::BaseOrigine) Hote.FinContraintes();
      MajMinMaxAllNet(Doc, false);
      if (Bouge && !Options().SplineTR) Hote.ApresEdition();
      Hote.RedessineTout();
      break;
    default:
      break;
  }
  Act = TActionVue::Rien;
  ListeMove.clear();
}
