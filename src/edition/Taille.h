// The hull dimensions of chosen surfaces: extreme points, main dimensions, air draft and
// draft, waterline length and breadth, as the "Dimensions caractéristiques" window
// shows and prints them.
#pragma once

#include <string>
#include <vector>

#include "model/Document.h"
#include "model/Etendue.h"

struct TDimensionsCoque {
  // Extreme points: X min, X max, Y min, Y max, Z min, Z max (mirror halves included).
  TVertex3f Pt[6];
  double LongueurFlottaison = 0, LargeurFlottaison = 0;
};

// The surfaces must be computed. An empty list gives every value 0.
TDimensionsCoque CalcDimensionsCoque(const TDocument& doc, const TListSurf& l);

// One group of the window: its caption and its lines of text.
struct TGroupeTaille {
  std::string Cle;  // the caption key ("rsGBMinXCaption"...)
  std::string Titre;
  std::vector<std::string> Lignes;
};
// In the window's order: min X, max X, min Y, max Y, min Z, max Z, dimensions, heights,
// waterline.
std::vector<TGroupeTaille> GroupesTaille(const TDimensionsCoque& d);
// The printed order: dimensions, heights, waterline, then max before min for each axis.
std::vector<TGroupeTaille> GroupesTailleImpression(const TDimensionsCoque& d);
