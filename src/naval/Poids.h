// Weights: one weight item (a surface's own weight, a ballast or the total).
#pragma once

#include <string>
#include <vector>

struct TPoids {
  std::string Nom;
  double Masse = 0;        // kg
  double X = 0, Y = 0, Z = 0;  // centre of gravity, m
  int Surface = -1;        // attached surface, -1 for none
};

using TListPoids = std::vector<TPoids>;
