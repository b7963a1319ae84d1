#include "exchange/ExportDXF.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/Debug.h"
#include "base/FichierStr.h"

namespace {

bool Fini(const TVertex3f& p) { return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z); }

class TEcrivainDXF {
 public:
  TEcrivainDXF(const TOptionsExport& o) : O(o), D3(o.Contexte.Est3D()) {}

  std::string T;

  void Ligne(std::string_view s) {
    T += s;
    T += "\r\n";
  }
  void Code(std::string_view code, std::string_view valeur) {
    Ligne(code);
    Ligne(valeur);
  }
  // "%.5f" without printf's cost: to_chars rounds exactly as it does.
  void Reel(std::string_view code, double v) {
    char b[352];
    auto [fin, ec] = std::to_chars(b, b + sizeof b, v, std::chars_format::fixed, 5);
    std::string_view t =
        ec == std::errc() ? std::string_view(b, size_t(fin - b)) : std::string_view("0.00000");
    if (t == "-0.00000") t.remove_prefix(1);  // a value that rounds to zero has no sign
    Code(code, t);
  }
  void Debut(std::string_view entite, const std::string& calque) {
    Code("0", entite);
    Code("8", calque);
  }
  // A model point: as it is in 3D, projected in 2D (the 2D extents follow what is written).
  void Point(int rang, const TVertex3f& p) {
    static const char* codes[2][3] = {{"10", "20", "30"}, {"11", "21", "31"}};
    if (D3) {
      Reel(codes[rang][0], p.X), Reel(codes[rang][1], p.Y), Reel(codes[rang][2], p.Z);
      return;
    }
    float u = 0, v = 0;
    Projette(O.Contexte, p, u, v);
    Reel(codes[rang][0], u), Reel(codes[rang][1], v);
    Ecrit2D = true;
    Min2D[0] = std::min(Min2D[0], double(u)), Max2D[0] = std::max(Max2D[0], double(u));
    Min2D[1] = std::min(Min2D[1], double(v)), Max2D[1] = std::max(Max2D[1], double(v));
  }

  void EnTetePolyligne(const std::string& calque, bool maillage, int nbCol, int nbLn) {
    Debut("POLYLINE", calque);
    Code("66", "1");
    if (!D3) return;
    if (!maillage) {
      Code("70", "8");
      return;
    }
    Code("70", "16");
    Code("71", std::to_string(nbCol));
    Code("72", std::to_string(nbLn));
  }
  void Vertex(const std::string& calque, const TVertex3f& p, bool maillage) {
    Debut("VERTEX", calque);
    Point(0, p);
    if (D3) Code("70", maillage ? "64" : "32");
  }
  void FinPolyligne() { Code("0", "SEQEND"); }

  // A polyline of grid points; its vertices on calqueVertex (the mirror half's layer).
  template <class F>
  void PolyligneGrille(const std::string& calque, const std::string& calqueVertex, int n, F pt) {
    EnTetePolyligne(calque, false, 0, 0);
    for (int i = 0; i < n; i++) Vertex(calqueVertex, pt(i), false);
    FinPolyligne();
  }

  void Ligne3D(const std::string& calque, const TVertex3f& a, const TVertex3f& b) {
    Debut("LINE", calque);
    Point(0, a);
    Point(1, b);
  }

  // One computed line by its number of points; false when a point cannot be written,
  // after closing what was open.
  bool Piece(const std::string& calque, const std::string& calqueVertex, const TListPt3D& l, int& mauvais) {
    for (size_t i = 0; i < l.size() && i < 2; i++)
      if (!Fini(l[i].V())) {
        mauvais = int(i);
        return false;
      }
    if (l.empty()) return true;
    if (l.size() == 1) {
      Debut("POINT", calque);
      Point(0, l[0].V());
      return true;
    }
    if (l.size() == 2) {
      Ligne3D(calque, l[0].V(), l[1].V());
      return true;
    }
    EnTetePolyligne(calque, false, 0, 0);
    bool ok = true;
    for (size_t i = 0; i < l.size(); i++) {
      if (!Fini(l[i].V())) {
        mauvais = int(i);
        ok = false;
        break;
      }
      Vertex(calqueVertex, l[i].V(), false);
    }
    FinPolyligne();
    return ok;
  }

  void Coupe(const std::string& calque, const std::string& calqueVertex, const TCoupe& c) {
    for (size_t k = 0; k < c.size(); k++) {
      int mauvais = 0;
      if (!Piece(calque, calqueVertex, c[k], mauvais)) {
        DbgErr(erDivers, "ExportTXTCoupe", mauvais, {DbgVal(int(k))});
        return;
      }
    }
  }

  void Surface(const TDocument& doc, const TEntity& e) {
    const std::string calque = CalqueDXF(e.Nom), calqueSym = calque + "S";
    const bool miroir = !O.Moitie && e.Sym;
    const int R = e.NbLnPt, C = e.NbColPt;
    auto couvre = [&](const TArrayVertex3f& g) {
      if (R < 0 || C < 0 || int(g.size()) <= R) return false;
      for (int r = 0; r <= R; r++)
        if (int(g[r].size()) <= C) return false;
      return true;
    };
    const bool grille = couvre(e.Pts), grilleSym = couvre(e.PtsSym);
    auto moities = [&](auto&& f) {
      if (!grille) return;
      f(e.Pts, calque);
      if (miroir && grilleSym) f(e.PtsSym, calqueSym);
    };
    if (O.Aretes)
      moities([&](const TArrayVertex3f& g, const std::string& cv) {
        PolyligneGrille(calque, cv, C + 1, [&](int c) { return g[0][c]; });
        PolyligneGrille(calque, cv, C + 1, [&](int c) { return g[R][c]; });
        PolyligneGrille(calque, cv, R + 1, [&](int r) { return g[r][0]; });
        PolyligneGrille(calque, cv, R + 1, [&](int r) { return g[r][C]; });
      });
    for (int f = 0; f < NbFamillesLignes; f++) {
      if (!FamilleCochee(O, f)) continue;
      const int n = doc.Grille.NombreValide(static_cast<TFamilleLignes>(f));
      const auto& t = CoupesFamille(e, f, false);
      const auto& ts = CoupesFamille(e, f, true);
      for (int k = 0; k < n; k++) {
        if (k < int(t.size())) Coupe(calque, calque, t[k]);
        if (miroir && k < int(ts.size())) Coupe(calque, calqueSym, ts[k]);
      }
    }
    if (O.SurfParam && O.Maillage3D)
      moities([&](const TArrayVertex3f& g, const std::string& cv) {
        if (D3) {
          EnTetePolyligne(calque, true, C + 1, R + 1);
          for (int c = 0; c <= C; c++)
            for (int r = 0; r <= R; r++) Vertex(cv, g[r][c], true);
          FinPolyligne();
        } else {
          // A single 2D polyline through a mesh would draw false strokes from column to column.
          for (int c = 0; c <= C; c++) PolyligneGrille(calque, cv, R + 1, [&](int r) { return g[r][c]; });
        }
      });
    if (O.SurfParam && !O.Maillage3D)
      moities([&](const TArrayVertex3f& g, const std::string& cv) {
        for (int r = 0; r <= R; r++) PolyligneGrille(calque, cv, C + 1, [&](int c) { return g[r][c]; });
        for (int c = 0; c <= C; c++) PolyligneGrille(calque, cv, R + 1, [&](int r) { return g[r][c]; });
      });
  }

  void EnTete(const TDocument& doc, std::string& h) {
    std::swap(T, h);
    Code("0", "SECTION"), Code("2", "HEADER");
    Code("9", "$ACADVER"), Code("1", "AC1009");
    Code("9", "$INSBASE"), Code("10", "0.0"), Code("20", "0.0"), Code("30", "0.0");
    TVertex3f mn, mx;
    if (D3) {
      ExtentsVisibles(doc, mn, mx);
    } else if (Ecrit2D) {
      mn = {Min2D[0], Min2D[1], 0}, mx = {Max2D[0], Max2D[1], 0};
    }
    Code("9", "$EXTMIN"), Reel("10", mn.X), Reel("20", mn.Y), Reel("30", mn.Z);
    Code("9", "$EXTMAX"), Reel("10", mx.X), Reel("20", mx.Y), Reel("30", mx.Z);
    Code("9", "$ORTHOMODE"), Code("70", "1");
    Code("9", "$FILLMODE"), Code("70", "1");
    Code("9", "$INSUNITS"), Code("70", "6");
    Code("9", "$LUNITS"), Code("70", "2");
    Code("9", "$LUPREC"), Code("70", "5");
    Code("0", "ENDSEC");
    Code("0", "SECTION"), Code("2", "TABLES"), Code("0", "ENDSEC");
    Code("0", "SECTION"), Code("2", "BLOCKS"), Code("0", "ENDSEC");
    Code("0", "SECTION"), Code("2", "ENTITIES");
    std::swap(T, h);
  }

 private:
  const TOptionsExport& O;
  bool D3;
  bool Ecrit2D = false;
  double Min2D[2] = {1e300, 1e300}, Max2D[2] = {-1e300, -1e300};
};

}  // namespace

std::string CalqueDXF(const std::string& nom) {
  std::string r;
  // Accented letters lose their accents as in the IGES labels ("Bordé" is "Borde" in both).
  const std::string ascii = TexteAscii(nom);
  for (char x : ascii) {
    unsigned char c = static_cast<unsigned char>(x);
    bool garde = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '$' ||
                 c == '-' || c == '_';
    r += garde ? char(c) : '_';
  }
  return r.empty() ? "_" : r;
}

std::string TexteDXF(const TDocument& doc, const TOptionsExport& o, TResultatExport*) {
  TRACE("ExportDXF");
  TEcrivainDXF w(o);
  // Entities first: the 2D header's extents are those of what was written.
  w.T.reserve(1 << 20);
  for (const auto& s : doc.TabSurf)
    if (s->Visible) w.Surface(doc, *s);
  if (o.Grille) {
    TTraitsGrille g = TraitsGrille(doc.Grille);
    for (const auto& p : g.Plans)
      for (const auto& t : p) w.Ligne3D("GRID", t.A, t.B);
    for (const auto& t : g.Diagonales) w.Ligne3D("GRID", t.A, t.B);
  }
  if (o.Axes)
    for (const auto& a : AxesModele(doc)) w.Ligne3D("AXIS", a.A, a.B);
  w.Code("0", "ENDSEC");
  w.Code("0", "EOF");
  std::string h;
  w.EnTete(doc, h);
  return h + w.T;
}

TResultatExport ExportDXF(const TDocument& doc, const std::string& nomFichier, const TOptionsExport& o) {
  TResultatExport r;
  std::string texte = TexteDXF(doc, o, &r);
  r.Ok = EcritFichierAtomique(nomFichier, texte, &r.Erreur);
  return r;
}
