// The hull dimensions of chosen surfaces: extreme points, main dimensions, air draft,
// draft and waterline dimensions, as the "Dimensions caractéristiques" window shows
// and prints them.
#pragma once

#include <string>
#include <vector>

#include "model/Etendue.h"

struct TTaille {
  TVertex3f XMin{10000, 0, 0}, XMax{-10000, 0, 0};
  TVertex3f YMin{0, 10000, 0}, YMax{0, -10000, 0};
  TVertex3f ZMin{0, 0, 10000}, ZMax{0, 0, -10000};
  double LongueurFlottaison = 0, LargeurFlottaison = 0;
};

// From the surfaces' extreme points (computed beforehand), last surface first so that
// ties keep the point found first; every point (0, 0, 0) when the list is empty.
TTaille CalculeTaille(const TDocument& doc, const TListSurf& l);

struct TGroupeTaille {
  std::string Titre;
  std::vector<std::string> Lignes;
};
// The groups in the window's order: the six extremes, "Dimensions", "Hauteur", "Flottaison".
std::vector<TGroupeTaille> GroupesTaille(const TTaille& t);
// The groups in the printed order.
std::vector<TGroupeTaille> GroupesImpressionTaille(const TTaille& t);
