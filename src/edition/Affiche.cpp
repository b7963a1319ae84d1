// Drawing the model into a display list.
#include "edition/Affiche.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "edition/Cadrage.h"
#include "edition/Mesures.h"
#include "naval/Flottaison.h"

namespace {

// The floating position at the document's total weight, found again only when what it
// depends on changed: the calculation's grids, their flags and the total weight. A redraw
// follows every mouse move of a drag, the float takes milliseconds.
class TCacheFlottaison {
 public:
  const TFlottaisonAffichee& Donne(const TDocument& d) {
    const TListSurf portee = PorteeCalc(d);
    const std::uint64_t h = Empreinte(d, portee);
    if (h != Cle || !Pret) {
      Cle = h, Pret = true;
      F = {};
      TConditionFlottaison c;
      c.Poids = {{d.PoidsTotal.X, d.PoidsTotal.Y, d.PoidsTotal.Z}, d.PoidsTotal.Masse};
      if (c.Poids.Valeur > 0 && !portee.empty()) {
        const TResultatFlottaison r = Flotte(d, portee, c);
        if (r.Erreur.empty()) {
          F.Trouvee = true;
          F.Placement = r.Placement;
          F.Segments = LigneFlottaison(d, portee, r.Placement);
        }
      }
    }
    return F;
  }

 private:
  // FNV-1a over whole words: a byte at a time cost a few milliseconds a redraw at the highest
  // precision, on every mouse move of a drag.
  static std::uint64_t Empreinte(const TDocument& d, const TListSurf& portee) {
    std::uint64_t h = 1469598103934665603ull;
    auto mot = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    auto reel = [&](double v) {
      std::uint64_t b = 0;
      std::memcpy(&b, &v, sizeof b);
      mot(b);
    };
    for (int k : portee) {
      const TEntity& e = d.Surf(k);
      mot(static_cast<std::uint64_t>(k * 8 + e.Sym * 4 + e.Orientation * 2 + e.JonctionSym));
      for (const TArrayVertex3f* g : {&e.Pts, &e.PtsSym})
        for (const auto& r : *g) {
          mot(r.size());
          for (const auto& p : r) reel(p.X), reel(p.Y), reel(p.Z);
        }
    }
    reel(d.PoidsTotal.Masse), reel(d.PoidsTotal.X), reel(d.PoidsTotal.Y), reel(d.PoidsTotal.Z);
    return h;
  }
  std::uint64_t Cle = 0;
  bool Pret = false;
  TFlottaisonAffichee F;
};

TStylo Plein(int c, int e = 1) { return {c, static_cast<std::uint8_t>(e), TStyleTrait::Plein}; }

class TDessinateur {
 public:
  TDessinateur(const TContexteDessin& c, const TParamVue& v, TListeDessin& l)
      : C(c), A(c.Aff), O(c.Opt), Vue(v), P(v), L(l) {}

  void Tout();

 private:
  const TContexteDessin& C;
  const TAffichageVues& A;
  const TOptionsVues& O;
  const TParamVue& Vue;
  TProjecteur P;
  TListeDessin& L;
  std::vector<TPixel> Ecran;  // projected grid, row by row
  std::vector<char> EcranOk;

  bool Miroir(const TEntity& e) const { return e.Sym && !A.Moitie; }
  static int Couleur(const TEntity& e, int defaut) { return e.Coul >= 0 ? e.Coul : defaut; }

  void Segment3D(const TStylo& s, const TVertex3f& a, const TVertex3f& b) {
    TPixel pa, pb;
    if (P.Projette(a, pa) && P.Projette(b, pb)) L.Segment(s, pa, pb);
  }

  void ProjetteGrille(const TArrayVertex3f& g);
  void PolylignesGrille(const TStylo& s, size_t nl, size_t nc, bool parLignes, bool parColonnes,
                        bool seulementBords);
  void AfficheMesh(const TArrayVertex3f& g, const TStylo& s, bool bords);
  void AfficheSurface(const TEntity& e, bool bords);
  void AfficheOrientation(const TEntity& e);
  bool DrawCoupe(const TCoupe& c, int couleur);
  void DrawFamille(const TEntity& e, const std::vector<TCoupe>& reel, const std::vector<TCoupe>& sym,
                   int couleur);
  void DrawSections(const TEntity& e);
  void DrawNet(const TSurface& s);
  void AfficheLignesSelection(const TSurface& s);
  void AffichePC();
  void DrawBase(const TEntity& e);
  void AxesPlanSym();
  void DessinePoids(const TPoids& p);
  void EtiquettesBord();
  // The weight arrows' common shortening: the longest stays within a quarter of the view.
  double FacteurFleches = 1;
  // Labels of weights already placed: weights near one another ("Pont", "Coque",
  // "TOTAL") would print as one blot.
  std::vector<TRectEtiquette> Etiquettes;
};

void TDessinateur::ProjetteGrille(const TArrayVertex3f& g) {
  size_t n = 0;
  for (const auto& r : g) n += r.size();
  Ecran.resize(n);
  EcranOk.resize(n);
  size_t k = 0;
  for (const auto& r : g)
    for (const auto& p : r) {
      EcranOk[k] = static_cast<char>(P.Projette(p, Ecran[k]) ? 1 : 0);
      k++;
    }
}

// Joins the projected grid (nl rows of nc points) along rows and/or columns; a point that
// could not be projected breaks the polyline instead of pulling it off to a wrong place.
void TDessinateur::PolylignesGrille(const TStylo& s, size_t nl, size_t nc, bool parLignes, bool parColonnes,
                                    bool seulementBords) {
  auto trace = [&](size_t debut, size_t pas, size_t n) {
    L.Ouvre(s);
    for (size_t t = 0; t < n; t++) {
      size_t k = debut + t * pas;
      if (EcranOk[k]) {
        L.Ajoute(Ecran[k]);
      } else {
        L.Ferme();
        L.Ouvre(s);
      }
    }
    L.Ferme();
  };
  if (parColonnes)  // one polyline per column, along the rows
    for (size_t j = 0; j < nc; j++)
      if (!seulementBords || j == 0 || j + 1 == nc) trace(j, nc, nl);
  if (parLignes)
    for (size_t i = 0; i < nl; i++)
      if (!seulementBords || i == 0 || i + 1 == nl) trace(i * nc, 1, nc);
}

void TDessinateur::AfficheMesh(const TArrayVertex3f& g, const TStylo& s, bool bords) {
  if (g.empty() || g[0].empty()) return;
  size_t nl = g.size(), nc = g[0].size();
  for (const auto& r : g)
    if (r.size() != nc) return;  // a ragged grid is not a surface grid
  ProjetteGrille(g);
  PolylignesGrille(s, nl, nc, true, true, bords);
}

void TDessinateur::AfficheSurface(const TEntity& e, bool bords) {
  if (!e.Calculee) return;
  TStylo s = Plein(Couleur(e, O.BordSf));
  AfficheMesh(e.Pts, s, bords);
  if (Miroir(e)) AfficheMesh(e.PtsSym, s, bords);
}

void TDessinateur::AfficheOrientation(const TEntity& e) {
  if (!e.Calculee || e.Pts.empty() || e.Normales.empty()) return;
  size_t i = static_cast<size_t>(e.NbLnPt / 2), j = static_cast<size_t>(e.NbColPt / 2);
  if (i >= e.Pts.size() || j >= e.Pts[i].size() || i >= e.Normales.size() || j >= e.Normales[i].size())
    return;
  TVertex3f p = e.Pts[i][j], n = e.Normales[i][j];
  TVertex3f bout = e.Orientation ? p + n : p - n;
  TPixel a, b;
  if (!P.Projette(p, a) || !P.Projette(bout, b)) return;
  L.Segment(Plein(CoulOrientation, 2), a, b);
  if (!e.Verrou) L.Ellipse(Plein(CoulOrientation), b.X - 2, b.Y - 2, b.X + 3, b.Y + 3, true);
}

// False when a point of the line could not be drawn: the error is logged and the rest
// of that line skipped.
bool TDessinateur::DrawCoupe(const TCoupe& c, int couleur) {
  TRACE("TCoupe.DrawCoupe");
  TStylo s = Plein(couleur);
  for (size_t k = 0; k < c.size(); k++) {
    const TListPt3D& pl = c[k];
    L.Ouvre(s);
    for (size_t i = 0; i < pl.size(); i++) {
      TPixel px;
      if (!P.Projette(pl[i].V(), px)) {
        L.Ferme();
        DbgErr(erCalcul, "TCoupe.DrawCoupe", static_cast<int>(i), {DbgVal(static_cast<int>(k))});
        return false;
      }
      L.Ajoute(px);
    }
    L.Ferme();
    if (A.Herisson)
      for (size_t i = 1; i + 1 < pl.size(); i++) {
        TVertex3f p = pl[i].V();
        Segment3D(s, p, p + pl[i].Courbure.Vecteur);
      }
  }
  return true;
}

void TDessinateur::DrawFamille(const TEntity& e, const std::vector<TCoupe>& reel,
                               const std::vector<TCoupe>& sym, int couleur) {
  for (size_t i = 0; i < reel.size(); i++) {
    DrawCoupe(reel[i], couleur);
    if (Miroir(e) && i < sym.size()) DrawCoupe(sym[i], couleur);
  }
}

void TDessinateur::DrawSections(const TEntity& e) {
  TRACE("Affiche.DrawSections");
  if (!A.Scinder || A.Moitie) {
    DrawFamille(e, e.Sec, e.SecSym, O.Sec);
    return;
  }
  // Split body plan: the aft sections on the mirror side, the others on the real side.
  size_t s = static_cast<size_t>(std::max(C.Grille.NumSc, 0));
  for (size_t i = 0; i < e.Sec.size(); i++) {
    if (i < s) {
      if (e.Sym && i < e.SecSym.size()) DrawCoupe(e.SecSym[i], O.Sec);
    } else {
      DrawCoupe(e.Sec[i], O.Sec);
    }
  }
}

void TDessinateur::DrawNet(const TSurface& s) {
  TRACE("Affiche.DrawNet");
  const TNet& net = s.Net;
  int k = s.NumSurf;
  if (k < 0 || k >= MaxSurf) return;
  int nl = std::min(net.NbLn, MaxNet), nc = std::min(net.NbCol, MaxNet);
  TStylo st = Plein(O.ResVertex);
  auto trace = [&](const TPixel(&t)[MaxNet][MaxNet], const bool(&ok)[MaxNet][MaxNet]) {
    for (int j = 0; j < nc; j++) {
      L.Ouvre(st);
      for (int i = 0; i < nl; i++)
        if (ok[i][j]) L.Ajoute(t[i][j]);
      L.Ferme();
    }
    for (int i = 0; i < nl; i++) {
      L.Ouvre(st);
      for (int j = 0; j < nc; j++)
        if (ok[i][j]) L.Ajoute(t[i][j]);
      L.Ferme();
    }
  };
  trace(C.Tab.Pos[k], C.Tab.Valide[k]);
  if (Miroir(s)) trace(C.Tab.Sym[k], C.Tab.ValideSym[k]);
  const TPC& pc = C.Doc.PCCourant;
  if (A.ModeInsertion && pc.NumSurf == k && net.DansNet(pc.NumLn, pc.NumCol) && s.Visible && !s.Verrou) {
    L.Ouvre(Plein(CoulInsertion, 2));
    if (Vue.Type == tvSection) {
      for (int i = 0; i < nl; i++)
        if (C.Tab.Valide[k][i][pc.NumCol]) L.Ajoute(C.Tab.Pos[k][i][pc.NumCol]);
    } else {
      for (int j = 0; j < nc; j++)
        if (C.Tab.Valide[k][pc.NumLn][j]) L.Ajoute(C.Tab.Pos[k][pc.NumLn][j]);
    }
    L.Ferme();
  }
}

void TDessinateur::AfficheLignesSelection(const TSurface& s) {
  const TNet& net = s.Net;
  int k = s.NumSurf;
  if (k < 0 || k >= MaxSurf) return;
  int nl = std::min(net.NbLn, MaxNet), nc = std::min(net.NbCol, MaxNet);
  TStylo st = Plein(O.ResVertex);
  if (net.AfficheLn)
    for (int i = 0; i < nl; i++) {
      if (net.LnActive != -1 && net.LnActive != i) continue;
      L.Ouvre(st);
      for (int j = 0; j < nc; j++)
        if (C.Tab.Valide[k][i][j]) L.Ajoute(C.Tab.Pos[k][i][j]);
      L.Ferme();
    }
  if (net.AfficheCol)
    for (int j = 0; j < nc; j++) {
      if (net.ColActive != -1 && net.ColActive != j) continue;
      L.Ouvre(st);
      for (int i = 0; i < nl; i++)
        if (C.Tab.Valide[k][i][j]) L.Ajoute(C.Tab.Pos[k][i][j]);
      L.Ferme();
    }
}

void TDessinateur::AffichePC() {
  int n = std::min(C.Doc.NbSurf(), MaxSurf);
  for (int k = 0; k < n; k++) {
    const auto* s = dynamic_cast<const TSurface*>(&C.Doc.Surf(k));
    if (!s || !s->Visible || s->Verrou) continue;
    int nl = std::min(s->Net.NbLn, MaxNet), nc = std::min(s->Net.NbCol, MaxNet);
    for (int i = 0; i < nl; i++)
      for (int j = 0; j < nc; j++) {
        std::uint8_t etat = C.Tab.Etat[k][i][j];
        if (etat == epInactif || !C.Tab.Valide[k][i][j]) continue;
        int coul = etat == epSelectionne                    ? O.SelVertex
                   : PCDansListe(C.Doc.PCSoudes, {k, i, j}) ? O.SoudeVertex
                                                            : O.Vertex;
        bool coin = (i == 0 || i == nl - 1) && (j == 0 || j == nc - 1);
        TPixel p = C.Tab.Pos[k][i][j];
        L.Rectangle(Plein(coul), p.X - 3, p.Y - 3, p.X + 4, p.Y + 4, coin);
        if (C.Doc.PCCourant == TPC{k, i, j})
          L.Rectangle(Plein(CoulPCCourant), p.X - 2, p.Y - 2, p.X + 3, p.Y + 3, false);
      }
  }
}

void TDessinateur::DrawBase(const TEntity& e) {
  const TPlanSym& b = e.PlanSym;
  TPixel o;
  if (!P.Projette(b.Origine, o)) return;
  struct Axe {
    TVertex3f V;
    int Trait, Disque;
  } axes[3] = {{b.Axe1, CoulBaseAxe1, 0x0000FF},
               {b.Axe2, CoulBaseAxes23, 0x00FF00},
               {b.Axe3, CoulBaseAxes23, 0xFF0000}};
  for (const auto& a : axes) {
    TPixel t;
    if (!P.Projette(b.Origine + a.V, t)) continue;
    L.Segment(Plein(a.Trait), o, t);
    L.Ellipse(Plein(a.Disque), t.X - 3, t.Y - 3, t.X + 4, t.Y + 4, true);
  }
  L.Polygone(Plein(CoulBaseAxes23), {{o.X - 5, o.Y}, {o.X, o.Y + 5}, {o.X + 5, o.Y}, {o.X, o.Y - 5}});
}

void TDessinateur::AxesPlanSym() {
  TStylo s{O.AxesPlanSym, 1, TStyleTrait::TiretPoint};
  for (const auto& e : C.Doc.TabSurf) {
    if (!e->Visible) continue;
    const TPlanSym& b = e->PlanSym;
    bool defaut =
        b.A == 1 && b.B == 0 && b.C == 0 && b.D == 0 && b.Origine == TVertex3f{0, 0, 0} && b.Axe3.Z == 1;
    if (defaut) continue;
    // A base axis parallel to the cutting plane has no point at the wanted height: skip.
    TVertex3f o = b.Origine, w = o + b.Axe3, v = o + b.Axe2;
    if (b.Axe3.Z == 0 || b.Axe2.Y == 0) continue;
    TVertex3f p1{0, 0, e->PtZMin.Z - 0.1}, p2{0, 0, e->PtZMax.Z + 0.1};
    TVertex3f p3{0, e->PtYMin.Y - 0.1, 0}, p4{0, e->PtYMax.Y + 0.1, 0};
    CalcPtDroite(o, w, p1, 3), CalcPtDroite(o, w, p2, 3);
    CalcPtDroite(o, v, p3, 2), CalcPtDroite(o, v, p4, 2);
    Segment3D(s, p1, p2);
    Segment3D(s, p3, p4);
  }
}

void TDessinateur::DessinePoids(const TPoids& w) {
  TStylo s = Plein(O.Mesure);
  TVertex3f p{w.X, w.Y, w.Z};
  TPixel a;
  if (!P.Projette(p, a)) return;
  L.Ellipse(s, a.X - 2, a.Y - 2, a.X + 3, a.Y + 3, false);
  if (Vue.Type != tvPlan && O.RatioVect > 0) {
    TVertex3f q{w.X, w.Y, w.Z - w.Masse / O.RatioVect * 10 * FacteurFleches};
    TPixel b;
    if (P.Projette(q, b)) {
      // An arrow running off the view ends at its edge.
      const int lx = C.Largeur - 1, hy = C.Hauteur - 1;
      const bool dedans = a.X >= 0 && a.X <= lx && a.Y >= 0 && a.Y <= hy;
      if (C.Largeur > 0 && C.Hauteur > 0 && dedans) {
        double t = 1;
        auto borne = [&t](int p0, int p1, int maxi) {
          if (p1 > maxi) t = std::min(t, double(maxi - p0) / (p1 - p0));
          if (p1 < 0) t = std::min(t, double(p0) / (p0 - p1));
        };
        borne(a.X, b.X, lx);
        borne(a.Y, b.Y, hy);
        b = {a.X + static_cast<int>(std::lround(t * (b.X - a.X))),
             a.Y + static_cast<int>(std::lround(t * (b.Y - a.Y)))};
      }
      L.Segment(s, a, {b.X, b.Y - 6});
      L.Polygone(s, {{b.X - 2, b.Y - 6}, {b.X + 2, b.Y - 6}, {b.X, b.Y}});
    }
  }
  TRectEtiquette r = PlaceEtiquette(Etiquettes, a.X + 5, a.Y - 8, w.Nom);
  if (r.Y != a.Y - 8) L.Segment(s, a, {r.X, r.Y + HauteurEtiquette / 2});  // ties a moved label to its weight
  L.Texte(s, r.X, r.Y, w.Nom);
}

void TDessinateur::Tout() {
  TRACE("Affiche.AfficheNetOne");
  const TDocument& d = C.Doc;
  L.Fond = O.Arp;
  // 1. Axes.
  if (A.Axes) {
    TStylo s{O.Axes, 1, TStyleTrait::TiretPoint};
    for (const auto& a : SegmentsAxes(d)) Segment3D(s, a.A, a.B);
    if (O.OptAxesPlanSym) AxesPlanSym();
  }
  // 2. Grid.
  if (A.Grille) {
    constexpr double RadDeg = 180.0 / 3.14159265358979323846;
    TStylo s = Plein(O.Grille);
    for (const auto& g : SegmentsGrille(C.Grille, Vue.Theta * RadDeg, Vue.Phi * RadDeg))
      Segment3D(s, g.A, g.B);
  }
  const int n = d.NbSurf();
  // 3, 4. Parametric lines and orientation vectors, last surface first.
  if (A.SurfParam)
    for (int k = n - 1; k >= 0; k--)
      if (d.Surf(k).Visible) AfficheSurface(d.Surf(k), false);
  if (A.Orientation)
    for (int k = n - 1; k >= 0; k--)
      if (d.Surf(k).Visible) AfficheOrientation(d.Surf(k));
  if (A.Carene) {
    // 5. Boundaries and the rows or columns of the vertex selection window.
    for (int k = 0; k < n; k++)
      if (d.Surf(k).Visible) AfficheSurface(d.Surf(k), true);
    if (A.SelectionVertex)
      for (int k = 0; k < n; k++) {
        const auto* s = dynamic_cast<const TSurface*>(&d.Surf(k));
        if (s && s->Visible && !s->Verrou) AfficheLignesSelection(*s);
      }
    // 6. Sections.
    if (A.Couples)
      for (int k = 0; k < n; k++)
        if (d.Surf(k).Visible) DrawSections(d.Surf(k));
    // 7. The section chosen in the vertex selection window.
    size_t sc = static_cast<size_t>(C.Grille.SectionCourante);
    if (sc >= 1)
      for (int k = 0; k < n; k++) {
        const TEntity& e = d.Surf(k);
        if (!e.Visible) continue;
        if (sc - 1 < e.Sec.size()) DrawCoupe(e.Sec[sc - 1], O.Sec);
        if (Miroir(e) && sc - 1 < e.SecSym.size()) DrawCoupe(e.SecSym[sc - 1], O.Sec);
      }
    // 8. Waterlines, buttocks, diagonals.
    for (int k = 0; k < n; k++) {
      const TEntity& e = d.Surf(k);
      if (!e.Visible) continue;
      if (A.LignesEau) DrawFamille(e, e.LgE, e.LgESym, O.LE);
      if (A.Longitudinales) DrawFamille(e, e.Long, e.LongSym, O.Longit);
      if (A.Diagonales) DrawFamille(e, e.Diag, e.DiagSym, O.Diag);
    }
  }
  // 9. Control nets.
  if (A.Reseau)
    for (int k = 0; k < std::min(n, MaxSurf); k++) {
      const auto* s = dynamic_cast<const TSurface*>(&d.Surf(k));
      if (s && s->Visible) DrawNet(*s);
    }
  // 10. Vertex markers.
  AffichePC();
  // 11. Symmetry-plane bases.
  if (A.BasePlanSym)
    for (int k = 0; k < n; k++)
      if (d.Surf(k).Visible && !d.Surf(k).Verrou) DrawBase(d.Surf(k));
  // 12. Dimensions made in this view; the perspective view shows them all.
  if (A.Cotes)
    for (const TCote& c : d.ListeCotes)
      if (Vue.Type == tvPersp || c.Outil.Vue == Vue.Type) {
        TMesure m = c.Outil;  // a copy: drawing recomputes the value as this view shows it
        DessineMesure(m, Vue, O.Mesure, true, L);
      }
  // 13. Weights: the surfaces' own, the list, then the total unless it would repeat a lone weight.
  if (A.Poids) {
    std::vector<const TPoids*> poids;
    for (int k = 0; k < n; k++)
      if (d.Surf(k).Poids.Masse != 0) poids.push_back(&d.Surf(k).Poids);
    for (const auto& p : d.ListePoids) poids.push_back(&p);
    if (d.PoidsTotal.Masse != 0 && poids.size() != 1) poids.push_back(&d.PoidsTotal);
    // Ten metres for RatioVect kg draws a yacht's total tens of metres long: all arrows are
    // shortened alike until the longest holds in a quarter of the view.
    FacteurFleches = 1;
    if (C.Hauteur > 0 && O.RatioVect > 0 && Vue.Type != tvPlan) {
      double plus = 0;
      for (const TPoids* w : poids)
        plus = std::max(plus, std::abs(w->Masse) / O.RatioVect * 10 * Vue.Echelle);
      const double limite = C.Hauteur / 4.0;
      if (plus > limite) FacteurFleches = limite / plus;
    }
    for (const TPoids* w : poids) DessinePoids(*w);
  }
  // 14. Sail centres, then the centre of effort. It is labelled even for a lone sail:
  // a plan with one sail has a centre of effort all the same.
  if (A.CentreVoilure) {
    TStylo s = Plein(O.Mesure);
    TPixel a;
    int dessines = 0;
    for (int k = 0; k < n; k++) {
      const TEntity& e = d.Surf(k);
      if (!e.Voile || e.CentreBorde.Valeur == 0 || !P.Projette(e.CentreBorde.Centre, a)) continue;
      L.Ellipse(s, a.X - 2, a.Y - 2, a.X + 3, a.Y + 3, false);
      dessines++;
    }
    if (dessines > 0 && d.CentreVoilure.Valeur != 0 && P.Projette(d.CentreVoilure.Centre, a)) {
      L.Ellipse(s, a.X - 4, a.Y - 4, a.X + 5, a.Y + 5, false);
      L.Ellipse(s, a.X - 1, a.Y - 1, a.X + 2, a.Y + 2, false);
      // Left of the marker: the sail's own weight, when shown, writes its name to the right.
      L.Texte(s, a.X - 22, a.Y - 8, "CV");
    }
  }
  // 15. Reference marks (crosses) and flooding points (circles).
  {
    TStylo s = Plein(O.Mesure);
    TPixel a;
    if (A.Reperes)
      for (const TRepere& r : d.ListeReperes)
        if (P.Projette({r.X, r.Y, r.Z}, a)) {
          L.Segment(s, {a.X - 2, a.Y - 2}, {a.X + 4, a.Y + 4});
          L.Segment(s, {a.X - 2, a.Y + 3}, {a.X + 4, a.Y - 3});
        }
    if (A.PtsEnvahissement)
      for (const TRepereEnv& r : d.ListeReperesEnv)
        if (P.Projette({r.X, r.Y, r.Z}, a)) L.Ellipse(s, a.X - 5, a.Y - 5, a.X + 6, a.Y + 6, false);
  }
  // 16. The floating waterline at the total weight, in the studio's water colour and twice as
  // wide as a line: the nets' default blue would hide it.
  if (A.Flottaison) {
    const TStylo s = Plein(CoulFlottaison, 2);
    for (const auto& [a, b] : FlottaisonAffichee(d).Segments) Segment3D(s, a, b);
  }
  // 17. The labels of the lines seen edge-on, along the view's edges.
  EtiquettesBord();
}

// Station numbers, waterline heights and buttock offsets where their lines are straight in
// this view: at the bottom edge under a vertical line, at the left edge beside a horizontal
// one, in the family's colour on the background. A label that would overlap the one before
// it on its edge is left out.
void TDessinateur::EtiquettesBord() {
  if (C.Largeur <= 0 || C.Hauteur <= 0 || Vue.Type == tvPersp || !A.Carene) return;
  TPixel o;
  if (!P.Projette({0, 0, 0}, o)) return;
  std::vector<TRectEtiquette> bas, gauche;
  auto famille = [&](const std::vector<double>& pos, const TVertex3f& axe, int couleur, bool numeros) {
    TPixel u;
    if (!P.Projette(axe, u)) return;
    const bool verticales = std::abs(u.X - o.X) > std::abs(u.Y - o.Y);  // the level moves along x
    if (u.X == o.X && u.Y == o.Y) return;                               // seen as curves
    for (size_t i = 0; i < pos.size(); i++) {
      TPixel p;
      if (!P.Projette(axe * pos[i], p)) continue;
      const std::string t = numeros ? std::to_string(i) : TexteNiveau(pos[i]);
      const int l = NbCaracteres(t) * LargeurCarEtiquette;
      TRectEtiquette r =
          verticales ? TRectEtiquette{p.X - l / 2, C.Hauteur - HauteurEtiquette - 1, l, HauteurEtiquette}
                     : TRectEtiquette{2, p.Y - HauteurEtiquette / 2, l, HauteurEtiquette};
      if (r.X < 0 || r.X + r.L > C.Largeur || r.Y < 0 || r.Y + r.H > C.Hauteur) continue;
      std::vector<TRectEtiquette>& bord = verticales ? bas : gauche;
      auto chevauche = [&r](const TRectEtiquette& a) {
        return r.X < a.X + a.L + 2 && a.X < r.X + r.L + 2 && r.Y < a.Y + a.H && a.Y < r.Y + r.H;
      };
      if (std::any_of(bord.begin(), bord.end(), chevauche)) continue;
      bord.push_back(r);
      L.TexteSurFond(Plein(couleur), r.X, r.Y, t);
    }
  };
  if (A.Couples) famille(C.Grille.Sec, {0, 1, 0}, O.Sec, true);
  if (A.LignesEau) famille(C.Grille.LE, {0, 0, 1}, O.LE, false);
  if (A.Longitudinales) {
    famille(C.Grille.Long, {1, 0, 0}, O.Longit, false);
    if (!A.Moitie) {
      std::vector<double> miroir;
      for (double x : C.Grille.Long) miroir.push_back(-x);
      famille(miroir, {1, 0, 0}, O.Longit, false);
    }
  }
}

}  // namespace

TRectEtiquette PlaceEtiquette(std::vector<TRectEtiquette>& placees, int x, int y, const std::string& texte) {
  TRectEtiquette r{x, y, NbCaracteres(texte) * LargeurCarEtiquette, HauteurEtiquette};
  auto chevauche = [&](const TRectEtiquette& a) {
    return r.X < a.X + a.L && a.X < r.X + r.L && r.Y < a.Y + a.H && a.Y < r.Y + r.H;
  };
  // Down one line at a time until it is clear; a bounded search, labels are few.
  for (int essai = 0; essai < 64 && std::any_of(placees.begin(), placees.end(), chevauche); essai++)
    r.Y += HauteurEtiquette;
  placees.push_back(r);
  return r;
}

void AfficheNetOne(const TContexteDessin& c, const TParamVue& vue, TListeDessin& l) {
  TDessinateur(c, vue, l).Tout();
}

const TFlottaisonAffichee& FlottaisonAffichee(const TDocument& d) {
  static TCacheFlottaison c;
  return c.Donne(d);
}

std::string TexteNiveau(double v) {
  std::string t = Format("%.3f", v);
  while (!t.empty() && t.back() == '0') t.pop_back();
  if (!t.empty() && t.back() == '.') t.pop_back();
  return t == "-0" ? "0" : t;
}
