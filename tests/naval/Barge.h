// A box barge as one symmetric mesh surface: rows run from the centreline
// bottom out to the bilge and up the side, columns along the length. Closed by
// its mirror and the closing strips it is exactly a box, whatever the division.
#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "session/ObjCom.h"

inline TEntity& AjouteBarge(TDocument& doc, double b, double l, double t, double creux, int div = 4,
                            double y0 = 0) {
  const int nl = 2 * div + 1, nc = div + 1;
  auto s = std::make_unique<TDXFSurface>(doc.NbSurf(), nc, nl);
  s->Nom = "Barge" + std::to_string(doc.NbSurf());
  for (int i = 0; i < nl; i++)
    for (int j = 0; j < nc; j++) {
      double y = y0 + l * j / div;
      s->Pts[i][j] =
          i <= div ? TVertex3f{b * i / div, y, -t} : TVertex3f{b, y, -t + (creux + t) * (i - div) / div};
    }
  s->JonctionSym = true;
  s->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  doc.TabSurf.push_back(std::move(s));
  MajSurface(doc, true, -1);
  return doc.Surf(doc.NbSurf() - 1);
}

// The righting arm of a box section of breadth B and depth D floating at draft T upright, with G
// at KG above the keel, heeled by phi (radians), found independently: the rectangle clipped by
// the waterline (a half-plane), the line moved by bisection until the area is B T.
inline double GZSectionBoite(double B, double D, double T, double KG, double phi) {
  using P = std::pair<double, double>;
  const std::vector<P> rect{{-B / 2, 0}, {B / 2, 0}, {B / 2, D}, {-B / 2, D}};
  const P u{-std::sin(phi), std::cos(phi)}, h{std::cos(phi), std::sin(phi)};  // up, and across
  auto coupe = [&](double c) {
    std::vector<P> r;
    for (size_t i = 0; i < rect.size(); i++) {
      const P &p = rect[i], &q = rect[(i + 1) % rect.size()];
      double fp = u.first * p.first + u.second * p.second - c,
             fq = u.first * q.first + u.second * q.second - c;
      if (fp <= 0) r.push_back(p);
      if ((fp < 0 && fq > 0) || (fp > 0 && fq < 0)) {
        double t = fp / (fp - fq);
        r.push_back({p.first + t * (q.first - p.first), p.second + t * (q.second - p.second)});
      }
    }
    return r;
  };
  auto aire = [](const std::vector<P>& g, double& cx, double& cz) {
    double a = 0, sx = 0, sz = 0;
    for (size_t i = 0; i < g.size(); i++) {
      const P &p = g[i], &q = g[(i + 1) % g.size()];
      double e = p.first * q.second - q.first * p.second;
      a += e, sx += (p.first + q.first) * e, sz += (p.second + q.second) * e;
    }
    cx = a != 0 ? sx / (3 * a) : 0, cz = a != 0 ? sz / (3 * a) : 0;
    return a / 2;
  };
  double lo = -2 * (B + D), hi = 2 * (B + D), cx = 0, cz = 0;
  for (int i = 0; i < 200; i++) {
    double c = (lo + hi) / 2;
    (aire(coupe(c), cx, cz) > B * T ? hi : lo) = c;
  }
  aire(coupe((lo + hi) / 2), cx, cz);
  return cx * h.first + (cz - KG) * h.second;
}
