// A weight as the document and its surfaces hold it: name, mass, centre of gravity,
// attached surface. The weight computations are the naval layer's (naval/Poids.h).
#pragma once

#include <string>
#include <vector>

struct TPoids {
  std::string Nom;
  double Masse = 0;            // kg
  double X = 0, Y = 0, Z = 0;  // centre of gravity, m
  int Surface = -1;            // attached surface, -1 for none
  friend bool operator==(const TPoids&, const TPoids&) = default;
};

using TListPoids = std::vector<TPoids>;
