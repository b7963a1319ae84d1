// The areas of every surface below and above the waterline (Z = 0): the wetted
// and dry plating of each part of the hull.
#pragma once

#include <string>
#include <vector>

#include "model/Document.h"

struct TLigneAire {
  std::string Nom;
  double Immergee = 0, Emergee = 0, Totale = 0;
};

// One row per surface in list order, whatever its Visible and Calc flags; the
// grids must be evaluated (the session's MajSurface(doc, true, -1) first).
std::vector<TLigneAire> LignesAires(const TDocument& doc);
// The sums of the three columns.
TLigneAire TotalAires(const std::vector<TLigneAire>& lignes);
