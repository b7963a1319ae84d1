// The hydrostatic table: the particulars of the scope at a series of waterline
// heights. The hull is lowered on working copies of its evaluated grids, never
// in the model, and each waterline is computed as the hydrostatics window does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "naval/Hydrostat.h"

// The run hooks of a long calculation, as the stability sweep has them.
struct TSuiviCalcul {
  std::function<void()> TraiteMessages;                  // between steps: the window processes its messages
  std::function<void(int total, int fait)> Progression;  // after each step
  bool Arret = false;                                    // the stop flag, tested after each step
};

// One waterline of the table: Z its height in the model, the particulars of the hull
// lowered by Z (their centres are given back in the model's frame).
struct TLigneTableHydro {
  double Z = 0;
  double Tirant = 0;  // from the lowest point of the scope up to the waterline
  TParticulesHydro P;
};

// A copy of the scope surfaces with their evaluated grids and symmetry planes moved down by z:
// a translation commutes with evaluation, so nothing is evaluated again. The copy's scope is
// every surface in it.
void CopieAbaissee(const TDocument& doc, const TListSurf& portee, double z, TDocument& copie);

// The table a window opens with: the hull's drafts, from a tenth of the depth of its lowest
// point up to the waterline Z = 0, which is a row, and two more steps above it as far as
// the hull goes. A scope with nothing below Z = 0 spans its own height instead.
struct TPlageTable {
  double Z0 = 0, Z1 = 0;
  int N = 0;
};
TPlageTable PlageTableDefaut(const TDocument& doc, const TListSurf& portee);

// Heights z0 .. z1 in n steps (n >= 2; n = 1 gives z0 alone).
std::vector<double> HauteursTable(double z0, double z1, int n);

// The particulars at every height (poids may be null: no GMt, GMl). A stop leaves the lines
// computed so far.
std::vector<TLigneTableHydro> TableHydrostatique(const TDocument& doc, const TListSurf& portee,
                                                 const std::vector<double>& hauteurs, int nbSections,
                                                 const TBarycentre* poids, TSuiviCalcul* suivi = nullptr);

// Column names and the values of a line, in the same order (text, JSON and CSV share them).
std::vector<std::string> EnteteTableHydro(bool avecPoids);
std::vector<double> ValeursTableHydro(const TLigneTableHydro& l, bool avecPoids);
