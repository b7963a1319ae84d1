// The geometry and the click rules of the vertex selection window: where its row,
// column and section markers stand for a client size, which one a click names,
// and how the chosen row or column of a net restricts the vertices of the views.
#pragma once

#include <vector>

#include "edition/TabCoor.h"
#include "model/Document.h"

constexpr int LargeurBandeFenSel = 10;  // the left strip of row markers
constexpr int HauteurBandeFenSel = 11;  // the bottom strip of column markers

enum class TZoneFenSel { Lignes, Colonnes, CoinLignes, CoinColonnes, Sections };

struct TFenSelGeom {
  int W = 0, H = 0;
  int NbLn = 1, NbCol = 1, NbSec = 0;

  TZoneFenSel Zone(int x, int y) const;
  int YLigne(int i) const;  // row 0 at the bottom
  int XColonne(int j) const;
  int XSection(int i) const;  // 0-based
  // The marker within half a spacing of the click, or -1.
  int LigneA(int y) const;
  int ColonneA(int x) const;
  int SectionA(int x) const;
};

// The grid section (0-based) nearest to y, the first on ties; -1 without sections.
int SectionProche(const std::vector<double>& sections, double y);

// The vertex states of a view from the net's filters: the chosen row, or the chosen
// column, active and the rest of the net inactive; every vertex active otherwise.
void AppliqueFiltres(const TNet& net, int k, TTableVertex& tab);

// A click in a zone of the window on surface k's net: changes the net's filters and
// returns the section to make current (0-based), or -1 to leave it.
int ClicFenSel(TNet& net, TZoneFenSel zone, int index, const std::vector<double>& sections);
