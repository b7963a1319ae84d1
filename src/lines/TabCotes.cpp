// The table of offsets: building its rows, the export file and the report lines.
#include "lines/TabCotes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Encodage.h"
#include "base/FichierStr.h"
#include "lines/Coupes.h"
#include "lines/Grille.h"
#include "model/Document.h"

void TTableCotes::Reinitialise() {
  L.assign(2, TLigne{});
  L[0] = {rs("rsPoidsColNum"), rs("rsNom"), "X", "Y", "Z"};
}

void TTableCotes::AjouteEntree(const std::string& cle, const TVertex3f& p) {
  if (!L[1][1].empty()) L.emplace_back();
  TLigne& l = L.back();
  l[1] = cle;
  l[2] = FormatReel(p.X, 4);
  l[3] = FormatReel(p.Y, 4);
  l[4] = FormatReel(p.Z, 4);
}

void TTableCotes::Numerote() {
  for (size_t r = 1; r < L.size(); r++) L[r][0] = std::to_string(r - 1);
}

namespace {

// Rounded to the given power of ten, ties to even, as the table has always
// compared the points of a line with a level.
double Arrondi(double v, double echelle) { return std::nearbyint(v * echelle) / echelle; }

// One section line against one level of one axis (Z for waterlines, X for buttocks).
void Intersection(TTableCotes& t, const TCoupe& coupe, double niveau, bool enZ, const char* nomProc) {
  const std::string cle = (enZ ? "LE_" : "Lg_") + FormatReel(niveau, 2);
  const double echelle = enZ ? 1e4 : 1e5;
  auto coord = [enZ](TVertex3f& p) -> double& { return enZ ? p.Z : p.X; };
  for (size_t np = 0; np < coupe.size(); np++) {
    size_t k = 0;
    try {
      const TListPt3D& l = coupe[np];
      if (l.empty()) continue;
      auto point = [&](size_t i) {
        TVertex3f p = l.at(i).V();
        coord(p) = Arrondi(coord(p), echelle);
        return p;
      };
      TVertex3f a = point(0);
      for (k = 1; k < l.size(); k++) {
        TVertex3f b = point(k);
        double va = coord(a), vb = coord(b);
        if (va == niveau) {
          t.AjouteEntree(cle, a);
        } else if ((va < niveau && niveau < vb) || (vb < niveau && niveau < va)) {
          TVertex3f q;
          coord(q) = niveau;
          CalcPtDroite(a, b, q, enZ ? 3 : 1);
          t.AjouteEntree(cle, q);
        }
        a = b;
      }
      k = l.size() - 1;
      if (coord(a) == niveau) t.AjouteEntree(cle, a);
    } catch (const std::exception& e) {
      DbgErr(erCalcul, nomProc, static_cast<int>(k), {DbgVal(static_cast<int>(np)), e.what()});
    }
  }
}

}  // namespace

void IntersectionCoupleLE(TTableCotes& t, const TCoupe& coupe, double z) {
  TRACE("TTabCotesForm.IntersectionCoupleLE");
  Intersection(t, coupe, z, true, "TTabCotesForm.IntersectionCoupleLE");
}

void IntersectionCoupleLg(TTableCotes& t, const TCoupe& coupe, double x) {
  TRACE("TTabCotesForm.IntersectionCoupleLg");
  Intersection(t, coupe, x, false, "TTabCotesForm.IntersectionCoupleLg");
}

void IntersectionCoupleAretes(TTableCotes& t, const TEntity& e, double y) {
  TRACE("TTabCotesForm.IntersectionCoupleAretes");
  const int n = e.NbLnPt, m = e.NbColPt;
  int ln = 0, col = 0;
  try {
    auto grilleOk = [&](const TArrayVertex3f& g) {
      if (n < 0 || m < 0 || g.size() < static_cast<size_t>(n) + 1) return false;
      return std::all_of(g.begin(), g.begin() + n + 1,
                         [&](const auto& r) { return r.size() >= static_cast<size_t>(m) + 1; });
    };
    if (!grilleOk(e.Pts)) throw std::out_of_range("grille incomplete");
    const bool sym = e.Sym;
    if (sym && !grilleOk(e.PtsSym)) throw std::out_of_range("grille symetrique incomplete");
    const std::string suffixe = "_" + e.Nom + "_" + FormatReel(y, 2);
    // Walks one edge in index order. Every node of the edge is tested, its last
    // one too: a plane through a corner of the grid lists that corner.
    auto arete = [&](const TArrayVertex3f& g, const std::string& cle, bool ligne, int fixe) {
      int nb = ligne ? m : n;
      auto noeud = [&](int k) -> const TVertex3f& {
        ln = ligne ? fixe : k, col = ligne ? k : fixe;
        return g[ln][col];
      };
      for (int k = 0; k < nb; k++) {
        const TVertex3f b = noeud(k + 1);
        const TVertex3f a = noeud(k);
        if (a.Y == y) {
          t.AjouteEntree(cle, a);
        } else if ((a.Y < y && y < b.Y) || (b.Y < y && y < a.Y)) {
          TVertex3f q;
          q.Y = y;
          CalcPtDroite(a, b, q, 2);
          t.AjouteEntree(cle, q);
        }
      }
      const TVertex3f& der = noeud(nb);
      if (der.Y == y) t.AjouteEntree(cle, der);
    };
    const struct {
      int Num;
      bool Ligne;
      int Fixe;
    } aretes[] = {{1, true, 0}, {2, true, n}, {3, false, 0}, {4, false, m}};
    for (const auto& a : aretes) {
      const std::string cle = "Br_" + std::to_string(a.Num) + suffixe;
      arete(e.Pts, cle, a.Ligne, a.Fixe);
      if (sym) arete(e.PtsSym, cle, a.Ligne, a.Fixe);
    }
  } catch (const std::exception& ex) {
    DbgErr(erCalcul, "TTabCotesForm.IntersectionCoupleAretes", ln, {DbgVal(col), ex.what()});
  }
}

void CalculeTableCotes(TDocument& doc, const std::vector<int>& surfaces, TCroisementCotes croisement,
                       TTableCotes& t, bool courbure) {
  TRACE("TTabCotesForm.Calculer");
  std::vector<int> sel;
  for (int k : surfaces)
    if (k >= 0 && k < doc.NbSurf()) sel.push_back(k);
  std::sort(sel.begin(), sel.end());
  sel.erase(std::unique(sel.begin(), sel.end()), sel.end());

  CalcTabLignesSec(doc, courbure);

  t.Reinitialise();
  const TGrille& g = doc.Grille;
  const std::vector<double> niveaux =
      g.Positions(croisement == TCroisementCotes::LignesEau ? flLignesEau : flLongitudinales);
  const int nbSec = g.NombreValide(flSections);
  for (int k : sel) {
    const TEntity& e = doc.Surf(k);
    // A hidden surface has no lines (whatever it held when last shown is not its shape):
    // only its edges, from its evaluated grid, are listed.
    if (!e.Visible) continue;
    for (int s = 0; s < nbSec; s++) {
      if (static_cast<size_t>(s) >= e.Sec.size()) break;
      for (double v : niveaux) {
        if (croisement == TCroisementCotes::LignesEau)
          IntersectionCoupleLE(t, e.Sec[s], v);
        else
          IntersectionCoupleLg(t, e.Sec[s], v);
      }
    }
  }
  for (int k : sel)
    for (double y : g.Positions(flSections)) IntersectionCoupleAretes(t, doc.Surf(k), y);
  t.Numerote();
}

std::string TexteExportCotes(const TTableCotes& t) {
  std::string r;
  for (const auto& l : t.Lignes()) {
    for (size_t c = 0; c < l.size(); c++) {
      if (c) r += ';';
      r += Utf8VersCp1252(l[c]);
    }
    r += "\r\n";
  }
  return r;
}

void ExporteTableCotes(const TTableCotes& t, const std::string& chemin) {
  TRACE("TTabCotesForm.Export");
  std::string pourquoi;
  if (!EcritFichierAtomique(chemin, TexteExportCotes(t), &pourquoi)) {
    DbgErr(erFichier, "TTabCotesForm.Export", 0, {chemin, pourquoi});
    throw TErreurExportCotes(Format(rs("rsErrEcritureCotes"), chemin.c_str()));
  }
}

std::vector<std::string> LignesRapportCotes(const TTableCotes& t) {
  std::vector<std::string> r;
  for (const auto& l : t.Lignes()) r.push_back(l[0] + "\t" + l[1] + "\t" + l[2] + "\t" + l[3] + "\t" + l[4]);
  return r;
}

TMatriceCotes MatriceCotes(const TDocument& doc, const std::vector<int>& surfaces,
                           TCroisementCotes croisement) {
  TMatriceCotes m;
  m.Croisement = croisement;
  const bool enZ = croisement == TCroisementCotes::LignesEau;
  const TGrille& g = doc.Grille;
  m.Niveaux = g.Positions(enZ ? flLignesEau : flLongitudinales);
  const std::vector<double> ys = g.Positions(flSections);
  const size_t nbSec = std::min(ys.size(), static_cast<size_t>(std::max(0, g.NombreValide(flSections))));
  m.Stations.assign(ys.begin(), ys.begin() + static_cast<std::ptrdiff_t>(nbSec));
  m.Valeurs.assign(nbSec, std::vector<std::optional<double>>(m.Niveaux.size()));
  for (size_t s = 0; s < nbSec; s++)
    for (size_t n = 0; n < m.Niveaux.size(); n++) {
      TTableCotes t;
      for (int k : surfaces) {
        if (k < 0 || k >= doc.NbSurf()) continue;
        const TEntity& e = doc.Surf(k);
        if (!e.Visible || s >= e.Sec.size()) continue;
        if (enZ)
          IntersectionCoupleLE(t, e.Sec[s], m.Niveaux[n]);
        else
          IntersectionCoupleLg(t, e.Sec[s], m.Niveaux[n]);
      }
      // The rows as the table writes them: the matrix shows the table's own numbers.
      std::optional<double>& v = m.Valeurs[s][n];
      for (size_t r = 1; r < t.Lignes().size(); r++) {
        double x = 0;
        if (t.Lignes()[r][1].empty() || !LitReel(t.Lignes()[r][enZ ? 2 : 4], x)) continue;
        if (!v || (enZ ? std::abs(x) > std::abs(*v) : x < *v)) v = x;
      }
    }
  return m;
}

std::vector<TLigneMatriceCotes> LignesMatriceCotes(const TMatriceCotes& m, int parBloc) {
  const bool enZ = m.Croisement == TCroisementCotes::LignesEau;
  std::vector<TLigneMatriceCotes> l{{rs(enZ ? "rsCotesMatriceLE" : "rsCotesMatriceLg"), true, false}};
  parBloc = std::max(parBloc, 1);
  for (size_t debut = 0; debut < m.Niveaux.size(); debut += static_cast<size_t>(parBloc)) {
    const size_t fin = std::min(m.Niveaux.size(), debut + static_cast<size_t>(parBloc));
    if (debut > 0) l.push_back({"", false, false});
    std::string e = rs("rsCotesMatriceCouple") + "\tY";
    for (size_t n = debut; n < fin; n++)
      e += std::string("\t") + (enZ ? "Z " : "X ") + FormatReel(m.Niveaux[n], 4);
    l.push_back({e, false, true});
    for (size_t s = 0; s < m.Stations.size(); s++) {
      std::string r = std::to_string(s) + "\t" + FormatReel(m.Stations[s], 4);
      for (size_t n = debut; n < fin; n++) {
        const std::optional<double>& v = m.Valeurs[s][n];
        r += "\t" + (v ? FormatReel(*v, 4) : std::string());
      }
      l.push_back({r, false, false});
    }
  }
  return l;
}
