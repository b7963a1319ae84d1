#include "exchange/ExportTXT.h"

#include <cmath>
#include <cstdio>

#include "base/Debug.h"
#include "base/FichierStr.h"

namespace {

class TEcrivainTXT {
 public:
  TEcrivainTXT(const TOptionsExport& o, std::vector<std::string>& l) : O(o), L(l) {}

  void Point(const TVertex3f& p) {
    if (O.Contexte.Est3D()) {
      L.push_back(ReelFixe(p.X, 4) + ";" + ReelFixe(p.Y, 4) + ";" + ReelFixe(p.Z, 4) + ";");
    } else {
      float u = 0, v = 0;
      Projette(O.Contexte, p, u, v);
      L.push_back(ReelFixe(u, 4) + ";" + ReelFixe(v, 4) + ";");
    }
  }
  void Tete(const std::string& nom, int coul) {
    L.emplace_back("[SURFACE]");
    L.push_back(nom);
    L.emplace_back("[COLOR]");
    L.push_back(TexteCouleurTXT(coul));
  }
  void Trait(const TPoint3Export& t) {
    L.emplace_back("[POLYLINE]");
    Point(t.A);
    Point(t.B);
  }

  // A line's pieces; a point that cannot be written ends them.
  void Coupe(const TCoupe& c) {
    for (size_t k = 0; k < c.size(); k++) {
      L.emplace_back("[POLYLINE]");
      for (size_t i = 0; i < c[k].size(); i++) {
        const TPt3D& p = c[k][i];
        if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(p.Z)) {
          DbgErr(erDivers, "ExportTXTCoupe", int(i), {DbgVal(int(k))});
          return;
        }
        Point(p.V());
      }
    }
  }

  void Maillage(const TArrayVertex3f& g, int R, int C) {
    L.emplace_back("[MESH]");
    L.push_back(std::to_string(R + 1));
    L.push_back(std::to_string(C + 1));
    for (int r = 0; r <= R; r++)
      for (int c = 0; c <= C; c++) Point(g[r][c]);
  }

  void Nurbs(const TSurface& s) {
    const TNet& n = s.Net;
    L.emplace_back("[NURBS]");
    L.push_back(std::to_string(n.NbLn));
    L.push_back(std::to_string(n.NbCol));
    L.push_back(std::to_string(n.LFlex));
    L.push_back(std::to_string(n.CFlex));
    // The evaluation fills the export knot vectors: the caller brings the surfaces up to date.
    for (const auto* t : {&s.NoeudsExportLn, &s.NoeudsExportCol}) {
      std::string l;
      for (double v : *t) AjouteReel4(l, v), l += ';';
      L.push_back(std::move(l));
    }
    for (int r = 0; r < n.NbLn && r < MaxNet; r++)
      for (int c = 0; c < n.NbCol && c < MaxNet; c++) {
        const TPtNet& p = n.PC[r][c];
        L.push_back(ReelFixe(p.X, 4) + ";" + ReelFixe(p.Y, 4) + ";" + ReelFixe(p.Z, 4) + ";" +
                    ReelFixe(p.W, 4) + ";");
      }
  }

  void Surface(const TDocument& doc, const TEntity& e) {
    Tete(e.Nom, e.Coul);
    const bool miroir = !O.Moitie && e.Sym;
    const int R = e.NbLnPt, C = e.NbColPt;
    auto couvre = [&](const TArrayVertex3f& g) {
      if (R < 0 || C < 0 || int(g.size()) <= R) return false;
      for (int r = 0; r <= R; r++)
        if (int(g[r].size()) <= C) return false;
      return true;
    };
    const bool grille = couvre(e.Pts);
    if (O.Aretes) {
      if (e.EstNurbs()) Nurbs(static_cast<const TSurface&>(e));
      if (grille) {
        auto poly = [&](int n, auto pt) {
          L.emplace_back("[POLYLINE]");
          for (int i = 0; i < n; i++) Point(pt(i));
        };
        poly(C + 1, [&](int c) { return e.Pts[0][c]; });
        poly(C + 1, [&](int c) { return e.Pts[R][c]; });
        poly(R + 1, [&](int r) { return e.Pts[r][0]; });
        poly(R + 1, [&](int r) { return e.Pts[r][C]; });
      }
    }
    for (int f = 0; f < NbFamillesLignes; f++) {
      if (!FamilleCochee(O, f)) continue;
      const int n = doc.Grille.NombreValide(static_cast<TFamilleLignes>(f));
      const auto& t = CoupesFamille(e, f, false);
      const auto& ts = CoupesFamille(e, f, true);
      for (int k = 0; k < n; k++) {
        if (k < int(t.size())) Coupe(t[k]);
        if (miroir && k < int(ts.size())) Coupe(ts[k]);
      }
    }
    if (O.SurfParam && grille) {
      Maillage(e.Pts, R, C);
      if (miroir && couvre(e.PtsSym)) Maillage(e.PtsSym, R, C);
    }
  }

 private:
  const TOptionsExport& O;
  std::vector<std::string>& L;
};

}  // namespace

std::string TexteCouleurTXT(int coul) {
  char b[16];
  std::snprintf(b, sizeof b, "%06X", static_cast<unsigned>(coul));
  return b;
}

std::vector<std::string> LignesTXT(const TDocument& doc, const TOptionsExport& o) {
  TRACE("ExportTXT");
  std::vector<std::string> l;
  TEcrivainTXT w(o, l);
  for (const auto& s : doc.TabSurf)
    if (s->Visible) w.Surface(doc, *s);
  if (o.Grille) {
    w.Tete("GRID", o.CoulGrille);
    TTraitsGrille g = TraitsGrille(doc.Grille);
    for (const auto& p : g.Plans) w.Trait(p[0]);
    for (const auto& t : g.Diagonales) w.Trait(t);
  }
  if (o.Axes) {
    w.Tete("AXIS", o.CoulAxes);
    for (const auto& a : AxesModele(doc)) w.Trait(a);
  }
  return l;
}

TResultatExport ExportTXT(const TDocument& doc, const std::string& nomFichier, const TOptionsExport& o) {
  TResultatExport r;
  r.Ok = EcritFichierTexte(nomFichier, LignesTXT(doc, o), &r.Erreur);
  return r;
}
