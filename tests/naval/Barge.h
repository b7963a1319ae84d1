// A box barge as one symmetric mesh surface: rows run from the centreline
// bottom out to the bilge and up the side, columns along the length. Closed by
// its mirror and the closing strips it is exactly a box, whatever the division.
#pragma once

#include <memory>
#include <string>

#include "model/ObjCom.h"

inline TEntity& AjouteBarge(TDocument& doc, double b, double l, double t, double creux, int div = 4,
                            double y0 = 0) {
  const int nl = 2 * div + 1, nc = div + 1;
  auto s = std::make_unique<TDXFSurface>(doc.NbSurf(), nc, nl);
  s->Nom = "Barge" + std::to_string(doc.NbSurf());
  for (int i = 0; i < nl; i++)
    for (int j = 0; j < nc; j++) {
      double y = y0 + l * j / div;
      s->Pts[i][j] = i <= div ? TVertex3f{b * i / div, y, -t} : TVertex3f{b, y, -t + (creux + t) * (i - div) / div};
    }
  s->JonctionSym = true;
  s->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  doc.TabSurf.push_back(std::move(s));
  MajSurface(doc, true, -1);
  return doc.Surf(doc.NbSurf() - 1);
}
