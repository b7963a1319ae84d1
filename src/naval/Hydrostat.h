// Hydrostatics of the hull floating with its waterline at Z = 0: immersed
// volume and centre, wetted area, waterplane, largest section, coefficients,
// lateral area and the curve of sectional areas, for the surfaces in scope.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/Document.h"
#include "model/Etendue.h"

// A station (Y its position, Aire the immersed section area, X and Z its centre,
// Perimetre the wetted girth) or a waterplane (X, Y its centre, Z its height).
struct TAireRec {
  float X = 0, Y = 0, Z = 0;
  double Aire = 0, Perimetre = 0;
};

// Stations sorted by increasing Y, no two with the same Y (compared as 32-bit floats).
using TListAires = std::vector<TAireRec>;

constexpr int MinSectionsHydro = 3;
constexpr int MaxSectionsHydro = 201;

// Inserts a station in order; one whose Y is already there is dropped.
void InsereStation(TListAires& l, const TAireRec& a);
// The stations of one surface over its immersed length, n kept within 3..201.
std::vector<TAireRec> StationsSurface(const TDocument& doc, int numSurf, int n);

// Section and waterline integrals over the polylines of a cut.
TAireRec AireSec(const TCoupe& c, double w);
double PerimetreSec(const TCoupe& c, double w);
double ProfondeurSec(const TCoupe& c);
TAireRec AireLE(const TCoupe& c);
double PerimetreCoupe(const TCoupe& c);
// Closes each polyline through the surface's symmetry plane (projections keeping Y).
void FermeParPlanSym(TCoupe& c, const TEntity& e);

// The section of one surface at Y (both halves when symmetric) and its depth.
TAireRec SectionSurface(const TEntity& e, double y, double* profondeur = nullptr);
// The waterplane of one surface at height z (both halves when symmetric).
TAireRec FlottaisonSurface(const TEntity& e, double z);
// The same over a list of surfaces, combined with area-weighted centres.
TAireRec SectionListe(const TDocument& doc, const TListSurf& l, double y);
TAireRec FlottaisonListe(const TDocument& doc, const TListSurf& l, double z);

struct THydroLigne {
  std::string Libelle;
  double Valeur = 0;
  bool Titre = false;  // a heading row has no value
  std::string Groupe;  // the heading it belongs to
};

struct TResultatsHydro {
  std::vector<THydroLigne> Lignes;
  TListAires Stations;
  // The curve of sectional areas: (Y, area), closed down to zero at its ends.
  std::vector<std::pair<double, double>> Courbe;
};

// The whole calculation for the surfaces in scope, with nbSections stations per surface.
// The progress hook receives (surfaces cut, surfaces in scope).
TResultatsHydro CalcHydrostatiques(TDocument& doc, const TListSurf& portee, int nbSections,
                                   const std::function<void(int, int)>& progres = {});

// The scope by default: the surfaces whose Calc is set.
TListSurf PorteeCalc(const TDocument& doc);

// The lines that "save" writes: heading, document properties, then the rows.
std::vector<std::string> TexteHydro(const TResultatsHydro& r, const std::vector<std::string>& proprietes);
