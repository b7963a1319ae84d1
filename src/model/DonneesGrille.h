// The lines grid as the document holds it: the planes of sections, waterlines,
// buttocks and diagonals, their counts and positions. Its computations (spacing
// rules, the grid dialog's tables) are the lines layer's (lines/Grille.h).
#pragma once

#include <array>
#include <vector>

#include "model/Limites.h"
#include "model/Matrice.h"

enum TFamilleLignes : int { flSections = 0, flLignesEau = 1, flLongitudinales = 2, flDiagonales = 3 };
constexpr int NbFamillesLignes = 4;

using TPositionsGrille = std::array<double, MaxLignes>;

// The document's grid. The counts keep the names the rest of the model uses.
struct TGrille {
  TGrille();

  int NbSec = 11;
  int NumSc = 5;  // sections drawn on the mirror side when the body plan is split
  TPositionsGrille PosSec{};
  int NbLE = 7;
  TPositionsGrille PosLgE{};
  int NbLong = 9;
  TPositionsGrille PosLong{};
  TPositionsGrille PosLongSym{};  // kept equal to -PosLong
  int NbDiag = 5;
  TPositionsGrille PosDiag{};    // height of each diagonal on the centre plane
  TPositionsGrille AngleDiag{};  // degrees from the vertical; 90 is horizontal
  TVertex3f GrilleMin{10000, 10000, 10000};
  TVertex3f GrilleMax{-10000, -10000, -10000};

  // One highlighted line per family for the selection window (not saved).
  std::array<std::array<bool, MaxLignes>, NbFamillesLignes> Selection{};
  int NumSecSel = -1;

  int Nombre(TFamilleLignes f) const;
  // The count of a family, held within its limits (a count read from a file may be anything).
  int NombreValide(TFamilleLignes f) const;
  // The positions of a family in grid order (the count held within its limits).
  std::vector<double> Positions(TFamilleLignes f) const;
};
