// Mesh surfaces: normals from the grid's cells, mirror grids, and the guard
// that keeps a mesh within the 201 x 201 tables the line computation relies on.
#include "geometry/Mesh.h"

#include <algorithm>

#include "base/Debug.h"
#include "base/Services.h"
#include "geometry/Spline.h"

namespace {

// The four corner normals of one cell, not normalised (twice the corner triangle's area).
struct TNormalesCellule {
  TVertex3f A, B, C, D;
};

inline bool EstNul(const TVertex3f& v) { return v.X == 0 && v.Y == 0 && v.Z == 0; }

// Rows of a grid and the shortest row, so that a ragged grid is never read past an end.
void Dimensions(const TArrayVertex3f& g, int& lignes, int& colonnes) {
  lignes = static_cast<int>(g.size());
  colonnes = lignes ? static_cast<int>(g[0].size()) : 0;
  for (const auto& l : g) colonnes = std::min(colonnes, static_cast<int>(l.size()));
}

}  // namespace

void CalcNormalesMesh(const TArrayVertex3f& pts, TArrayVertex3f& normales) {
  int lignes, colonnes;
  Dimensions(pts, lignes, colonnes);
  normales.assign(static_cast<size_t>(lignes), std::vector<TVertex3f>(static_cast<size_t>(colonnes)));
  if (lignes < 2 || colonnes < 2) return;
  const int nl = lignes - 1, nc = colonnes - 1;  // cells per column and per row

  // Working table sized to the grid, so no mesh can overflow it.
  static thread_local std::vector<TNormalesCellule> cellules;
  cellules.resize(static_cast<size_t>(nl) * nc);
  auto cel = [&](int i, int j) -> TNormalesCellule& { return cellules[static_cast<size_t>(i) * nc + j]; };
  for (int i = 0; i < nl; i++)
    for (int j = 0; j < nc; j++) {
      const TVertex3f &a = pts[i][j], &b = pts[i + 1][j], &c = pts[i + 1][j + 1], &d = pts[i][j + 1];
      TNormalesCellule& n = cel(i, j);
      NormaleTriangle(d, a, b, n.A);
      NormaleTriangle(a, b, c, n.B);
      NormaleTriangle(b, c, d, n.C);
      NormaleTriangle(c, d, a, n.D);
    }

  for (int i = 0; i <= nl; i++)
    for (int j = 0; j <= nc; j++) {
      TVertex3f s;
      if (i < nl && j < nc) s = s + cel(i, j).A;
      if (i < nl && j > 0) s = s + cel(i, j - 1).D;
      if (i > 0 && j > 0) s = s + cel(i - 1, j - 1).C;
      if (i > 0 && j < nc) s = s + cel(i - 1, j).B;
      const bool bord = i == 0 || j == 0 || i == nl || j == nc;
      if (bord && EstNul(s)) {
        // The corner triangles have no area (a collapsed edge): take the cells' other corners.
        if (i == 0 && j == 0)
          s = s + cel(0, 0).C;
        else if (i == 0 && j == nc)
          s = s + cel(0, nc - 1).B;
        else if (i == nl && j == 0)
          s = s + cel(nl - 1, 0).D;
        else if (i == nl && j == nc)
          s = s + cel(nl - 1, nc - 1).A;
        else if (i == 0)
          s = s + cel(0, j - 1).B + cel(0, j).C;
        else if (j == nc)
          s = s + cel(i, nc - 1).B + cel(i - 1, nc - 1).A;
        else if (i == nl)
          s = s + cel(nl - 1, j - 1).D + cel(nl - 1, j).A;
        else
          s = s + cel(i - 1, 0).D + cel(i, 0).A;
      }
      NormalizeVertex3f(s);
      normales[i][j] = s;
    }
}

void EvalueSurfaceMesh(TDXFSurface& s) {
  TRACE("TDXFEntity.CalcSurface");
  ProgressPos(0);
  ProgressVisible(true);
  WriteStatusBar(2, s.Nom);
  WriteStatusBar(3, "");
  int lignes, colonnes;
  Dimensions(s.Pts, lignes, colonnes);
  bool accord =
      lignes <= MaxGrille && colonnes <= MaxGrille && lignes == s.NbLnPt + 1 && colonnes == s.NbColPt + 1;
  for (const auto* g : {&s.Pts, &s.PtsSym, &s.Normales, &s.NormalesSym}) {
    int l, c;
    Dimensions(*g, l, c);
    accord = accord && l == lignes && c == colonnes && (l == 0 || static_cast<int>((*g)[0].size()) == c);
  }
  if (!accord) {
    // Only a hand-made document can bring this: the grid is cut to what the
    // tables of the line computation hold, and the four grids made alike again.
    DbgErr(erDivers, "TDXFEntity.CalcSurface", s.NumSurf, {DbgVal(lignes), DbgVal(colonnes)});
    s.RedimGrilles(std::min(lignes, MaxGrille), std::min(colonnes, MaxGrille));
  }
  CalcNormalesMesh(s.Pts, s.Normales);
  if (s.Sym) CalcGrillesSym(s);
  ProgressVisible(false);
  WriteStatusBar(2, "");
}
