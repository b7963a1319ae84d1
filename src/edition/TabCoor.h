// The projected-vertex tables of one view: where every control point and its
// mirror image land on the screen, with each vertex's state in that view.
// Refreshed at every redraw; drawing and picking read the last refresh.
#pragma once

#include <cstdint>

#include "model/Calcs.h"
#include "model/Document.h"
#include "model/Limites.h"

enum TEtatPC : std::uint8_t { epActif = 0, epSelectionne = 1, epInactif = 2 };

class TTableVertex {
 public:
  TTableVertex() { EtatTous(epActif); }

  TPixel Pos[MaxSurf][MaxNet][MaxNet] = {};
  TPixel Sym[MaxSurf][MaxNet][MaxNet] = {};
  std::uint8_t Etat[MaxSurf][MaxNet][MaxNet] = {};
  // Whether a slot holds a projected vertex (off-screen points beyond any int are not).
  bool Valide[MaxSurf][MaxNet][MaxNet] = {};
  bool ValideSym[MaxSurf][MaxNet][MaxNet] = {};

  // Projects every vertex of every NURBS net, and its mirror through the surface's
  // symmetry plane whatever its "Sym" flag; states are kept. Slots beyond the first
  // four surfaces do not exist: the document never holds more.
  void MajTabCoor(const TDocument& doc, const TParamVue& vue);
  void EtatTous(std::uint8_t etat);
  std::uint8_t EtatDe(const TPC& pc) const;
};
