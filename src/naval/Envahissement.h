// Flooding points along a stability sweep: at which heel each opening goes under water,
// or comes out of it, as the GZ curve marks them.
#pragma once

#include <string>
#include <vector>

#include "naval/Stab.h"

struct TMarqueEnvahissement {
  std::string Nom;
  double Gite = 0;      // heel of the first step on the new side, degrees
  bool Immerge = true;  // true: goes under (red), false: comes out (blue)
};

// Whether a point of the model lies above the waterline in the floating position of a
// step (heeled about g, trimmed, lowered by the sinkage).
bool AuDessusFlottaison(const TVertex3f& p, const TGZ& e, const TVertex3f& g);
// Every change of side of every flooding point between consecutive steps, point by point.
std::vector<TMarqueEnvahissement> MarquesEnvahissement(const TListeReperesEnv& points, const TListGZ& etapes,
                                                       const TVertex3f& g);
