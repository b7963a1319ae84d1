// The model check: what makes a displacement silently wrong, each finding naming the
// surface (or weight) and what to do about it. It reads the model and never changes it.
#pragma once

#include <string>
#include <vector>

#include "model/Document.h"

enum class TGenreConstat {
  Orientation,   // a negative volume: the orientation is reversed
  Ouverte,       // a free edge below the waterline
  DemiCoque,     // a half hull without symmetry
  PlanSym,       // a half that stops short of its symmetry plane
  Intersection,  // two bodies sharing volume
  PoidsLoin,     // a weight far from every surface
  Precision      // the volume still moves with the precision
};

struct TConstatModele {
  TGenreConstat Genre;
  int Surface = -1;   // the surface named first (-1: a weight)
  int Autre = -1;     // the second body of an intersection, or the weight's index
  double Valeur = 0;  // the volume, gap, shared volume, distance or percentage
  int PrecisionConseillee = 0;
  std::string Message;
};

// Every check over the scope surfaces (evaluated) and the document's weights.
std::vector<TConstatModele> VerifieModele(const TDocument& doc, const std::vector<int>& portee);

// The volume shared by two bodies below the waterline Z = 0 (each surface with its mirror and
// closing strips, an open one closed by the waterplane), by vertical columns over n x n cells
// of the overlap of their plan extents.
double VolumeCommun(const TEntity& a, const TEntity& b, int n = 160);

// Stable names of the kinds for machine-readable output.
const char* NomGenre(TGenreConstat g);

// What a calculation rests on: the buoyancy of the scope surfaces, the weights, or both.
enum TFondCalcul : unsigned { fcCarene = 1u << 0, fcPoids = 1u << 1 };
// The findings that falsify a calculation resting on fonds: every finding on the bodies falsifies
// the buoyancy; a weight far from the hull falsifies what the weights give.
std::vector<TConstatModele> ConstatsPour(const std::vector<TConstatModele>& c, unsigned fonds);
// One line naming the findings before a calculation: how many, and each kind with its surfaces
// or weights ("" when there is none).
std::string LigneConstats(const TDocument& doc, const std::vector<TConstatModele>& c);
