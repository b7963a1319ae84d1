// Named points of the document: reference marks, shown in every view, and flooding
// points, the openings through which water would enter the hull when it heels. Plain
// records that the document reader fills and the writer saves.
#pragma once

#include <string>
#include <vector>

struct TRepere {
  std::string Nom;
  double X = 0, Y = 0, Z = 0;
  friend bool operator==(const TRepere&, const TRepere&) = default;
};

// A flooding point: the same fields, kept in its own list.
struct TRepereEnv : TRepere {};

using TListeReperes = std::vector<TRepere>;
using TListeReperesEnv = std::vector<TRepereEnv>;
