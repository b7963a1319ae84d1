// Extent queries over the surfaces: lengths, heights and breadths of the
// whole model, of the waterline and of the immersed body, for the lines grid,
// the hydrostatics and the dimension windows.
#pragma once

#include <vector>

#include "model/Document.h"

struct Etendue {
  double Longueur = 0;
  float Mini = 0, Maxi = 0;
};

// The bounding box of a list of points, per axis.
struct TDim {
  double Longueur[3] = {0, 0, 0};
  float Min[3] = {10000, 10000, 10000};
  float Max[3] = {-10000, -10000, -10000};
};

// A subset of the document's surfaces, by index.
using TListSurf = std::vector<int>;

TDim DimListe(const TListPt3D& l);

// numSurf >= 0: that surface (with its mirror grid); -1: all; -2: those with Calc; other: none.
Etendue LongueurSurf(const TDocument& doc, int numSurf);
Etendue LongueurListe(const TDocument& doc, const TListSurf& l);
Etendue LongueurFlottaison(const TDocument& doc, int numSurf, double z);
Etendue LongueurFlottaisonListe(const TDocument& doc, const TListSurf& l, double z);
Etendue LongueurImmergee(const TDocument& doc, int numSurf, double z);
Etendue LongueurImmergeeListe(const TDocument& doc, const TListSurf& l, double z);
Etendue HauteurSurf(const TDocument& doc, int numSurf);
Etendue LargeurSurf(const TDocument& doc, int numSurf, bool demiSeule);
Etendue LargeurFlottaisonListe(const TDocument& doc, const TListSurf& l, double z);
Etendue LargeurImmergeeListe(const TDocument& doc, const TListSurf& l, double z);

// Where the grid lines of a surface (and of its mirror grid when Sym) cross the plane z = Z.
void InterSurf_LE(TListPt3D& l, const TDocument& doc, int numSurf, double z);
