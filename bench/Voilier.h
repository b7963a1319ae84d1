// A four-surface sailing hull for the benchmarks: canoe body, fin keel, rudder and
// deckhouse, closed NURBS surfaces of 31 x 31 vertices.
#pragma once

#include <cmath>
#include <memory>
#include <numbers>

#include "naval/Face.h"
#include "session/ObjCom.h"

namespace {

constexpr double Pi = std::numbers::pi;

// One closed symmetric NURBS surface whose 31 x 31 net is given by f(u, v), u and v in [0, 1].
template <typename F>
void AjouteSurface(TDocument& doc, const char* nom, F f) {
  auto s = std::make_unique<TSurface>(doc.NbSurf(), doc.Precision);
  s->Nom = nom;
  s->Net.NbLn = s->Net.NbCol = MaxNet;
  for (int i = 0; i < MaxNet; i++)
    for (int j = 0; j < MaxNet; j++) {
      TVertex3f p = f(i / double(MaxNet - 1), j / double(MaxNet - 1));
      s->Net.PC[i][j] = {p.X, p.Y, p.Z, 1};
    }
  s->JonctionSym = true;
  s->CreateTabCoupes(0, 0, 0, 0);
  doc.TabSurf.push_back(std::move(s));
}

// Half thickness of a symmetric foil at chord fraction c (a NACA four-digit shape).
inline double Epaisseur(double c, double t) {
  return 5 * t *
         (0.2969 * std::sqrt(c) - 0.126 * c - 0.3516 * c * c + 0.2843 * c * c * c - 0.1036 * c * c * c * c);
}

// A 10 m sailing hull: canoe body, fin keel, rudder and deckhouse, every surface closed by
// its mirror and strips, each oriented so that its volume counts positive.
inline void Voilier(TDocument& doc, int precision = 50) {
  doc.Vider();
  doc.Precision = precision;
  AjouteSurface(doc, "Coque", [](double u, double v) {
    double s = std::sin(Pi * v);
    double demiLarg = 1.5 * (0.3 + 0.7 * std::pow(s, 0.6)), creux = 0.05 + 0.5 * std::sqrt(s);
    double tonture = 1.0 + 0.25 * (2 * v - 1) * (2 * v - 1);
    if (u <= 0.6) {
      double a = u / 0.6 * Pi / 2;
      return TVertex3f{demiLarg * std::sin(a), 10 * v, -creux * std::cos(a)};
    }
    return TVertex3f{demiLarg, 10 * v, (u - 0.6) / 0.4 * tonture};
  });
  AjouteSurface(doc, "Quille", [](double u, double v) {
    double corde = 1.6 - 0.6 * v, z = -0.3 - 1.7 * v;
    return TVertex3f{Epaisseur(u, 0.12) * corde, 4.2 + 0.5 * v + u * corde, z};
  });
  AjouteSurface(doc, "Safran", [](double u, double v) {
    double corde = 0.6 - 0.2 * v, z = -0.1 - 1.1 * v;
    return TVertex3f{Epaisseur(u, 0.1) * corde, 0.4 + 0.1 * v + u * corde, z};
  });
  AjouteSurface(doc, "Rouf", [](double u, double v) {
    double s = std::sin(Pi * v);
    return TVertex3f{0.9 * std::sin(u * Pi / 2) * (0.6 + 0.4 * s), 3.5 + 3.5 * v,
                     1.0 + 0.5 * std::cos(u * Pi / 2) * (0.5 + 0.5 * s)};
  });
  MajSurface(doc, true, -1);
  for (auto& s : doc.TabSurf) {
    MajVolumes(*s);
    if (s->VolComplet.Valeur < 0) s->Orientation = !s->Orientation;
  }
}

}  // namespace
