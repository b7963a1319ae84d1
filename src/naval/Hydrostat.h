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
constexpr double DensiteEauMer = 1.026;  // tonnes per m³, as the "eau de mer" displacement uses
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
// The same at every station of ys from one sweep of each half's grid, into r[k] and
// profondeurs[k] (when given). With deduireMiroir, a mirror half that is the main half's
// exact image in x = 0 is not cut but turned over from it (the hydrostatics do so): about
// 40 % faster; the areas then differ from the cut ones in their last bits (the crossings
// are met in another order) and the centres by a rounding of their single precision.
void SectionsStations(const TEntity& e, const std::vector<double>& ys, TAireRec* r,
                      double* profondeurs = nullptr, bool deduireMiroir = false);
// The waterplane of one surface at height z (both halves when symmetric).
TAireRec FlottaisonSurface(const TEntity& e, double z);
// The same over a list of surfaces, combined with area-weighted centres.
TAireRec SectionListe(const TDocument& doc, const TListSurf& l, double y);
TAireRec FlottaisonListe(const TDocument& doc, const TListSurf& l, double z);

// A waterplane's area, centre of flotation and second moments about the axes through it:
// It about the longitudinal axis (transverse stability), Il about the transverse one.
struct TInertieFlottaison {
  double Aire = 0, Xf = 0, Yf = 0, It = 0, Il = 0;
};
TInertieFlottaison InertieFlottaison(const TDocument& doc, const TListSurf& l, double z);

// What would make the buoyancy silently wrong, one message per fault: a surface in scope whose
// immersed volume is negative (its "Orientation" is reversed), or one meant to close a body
// ("Fermer le volume") that has no mirror to close it with.
std::vector<std::string> ControleCarene(const TDocument& doc, const TListSurf& l);

// A NURBS surface of the scope with a vertex weight that is not a positive number has no
// volume one can sign (mixed signs fold the surface through infinity, all zero has no point
// at all): "" or the message naming the first such surface and vertex. Blocks a calculation.
std::string DefautPoidsSommets(const TDocument& doc, const TListSurf& l);

// The lowest point of the scope surfaces' grids and mirror grids (the keel K), 0 without points.
double ZQuille(const TDocument& doc, const TListSurf& l);

struct THydroLigne {
  std::string Libelle;
  double Valeur = 0;
  bool Titre = false;  // a heading row has no value
  std::string Groupe;  // the heading it belongs to
  std::string Texte;   // a row that states rather than measures: shown instead of the value
};

// The particulars as numbers, for the tables: the values of the rows of the same names.
struct TParticulesHydro {
  double V = 0, SurfMouillee = 0;
  TVertex3f CC;                         // centre of buoyancy (Z from the waterline)
  double Lwl = 0, Bwl = 0, Tirant = 0;  // Tirant: the draught below the waterline at the largest section, > 0
  double Awp = 0, Xf = 0, Yf = 0, It = 0, Il = 0;
  double Amax = 0, Cb = 0, Cp = 0, Cwp = 0, Cm = 0;
  double BMt = 0, BMl = 0, KB = 0, KMt = 0, KMl = 0, TPC = 0, MCT = 0;
  bool AvecPoids = false;
  double GMt = 0, GMl = 0;
};

struct TResultatsHydro {
  std::vector<THydroLigne> Lignes;
  TParticulesHydro P;
  std::vector<std::string> Avertissements;  // ControleCarene of the scope
  // Why there is no result (a value came out as no number): the rows are then empty.
  std::string SansResultat;
  TListAires Stations;
  // The curve of sectional areas: (Y, area), closed down to zero at its ends.
  std::vector<std::pair<double, double>> Courbe;
};

// The whole calculation for the surfaces in scope, with nbSections stations per surface.
// The surfaces in scope must be evaluated (the session's MajSurface).
// The progress hook receives (surfaces cut, surfaces in scope). With a weight (centre of
// gravity, mass in kg above 0) the initial stability also gives GMt and GMl.
TResultatsHydro CalcHydrostatiques(TDocument& doc, const TListSurf& portee, int nbSections,
                                   const std::function<void(int, int)>& progres = {},
                                   const TBarycentre* poids = nullptr);

// The scope by default: the surfaces whose Calc is set.
TListSurf PorteeCalc(const TDocument& doc);

// The lines that "save" writes: heading, document properties, then the rows.
std::vector<std::string> TexteHydro(const TResultatsHydro& r, const TPropFich& proprietes);
