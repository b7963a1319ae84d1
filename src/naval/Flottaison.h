// The floating position of the hull at a loading condition, and the hull placed at any
// attitude. Like the stability, everything runs on working copies: the model never moves.
#pragma once

#include <string>
#include <vector>

#include "model/Document.h"
#include "naval/Hydrostat.h"

// An attitude of the hull: heeled, then trimmed (the stability's MatriceAttitude) about the
// point (0, YRef, Tirant) of the model, which is then brought down to the waterline Z = 0.
// Tirant is the height of the waterline above the model's Z = 0 at that point, measured along
// the model's Z: 0, 0, 0 is the hull as drawn.
struct TAttitude {
  double Tirant = 0;
  double Assiette = 0;  // degrees
  double Gite = 0;      // degrees
  double YRef = 0;
};

// The model -> floating frame map of an attitude (a rigid motion).
TMatrice4 MatricePlacement(const TAttitude& a);
// The inverse of a rigid motion.
TMatrice4 InverseRigide(const TMatrice4& m);
// The middle of the Y extent of the scope's grids and mirror grids (0 without points): the
// reference point of the attitudes.
double YMilieuPortee(const TDocument& doc, const TListSurf& portee);

// A copy of the scope surfaces with their evaluated grids, normals and symmetry planes moved by
// the rigid motion m: a rigid motion commutes with evaluation, so nothing is evaluated again.
// The copy's scope is every surface in it.
void CopiePlacee(const TDocument& doc, const TListSurf& portee, const TMatrice4& m, TDocument& copie);

// The hydrostatics of the scope placed at an attitude (centres in the floating frame,
// waterline Z = 0); poids (model frame) is placed with it.
TResultatsHydro HydroAttitude(const TDocument& doc, const TListSurf& portee, const TAttitude& a,
                              int nbSections, const TBarycentre* poids = nullptr);

// A loading condition: the mass (kg) and its centre of gravity in the model.
struct TConditionFlottaison {
  TBarycentre Poids;
  double Densite = DensiteEauMer;  // tonnes per m³
  bool GiteImposee = false;        // heel held at Gite; free otherwise
  double Gite = 0;
};

struct TResultatFlottaison {
  bool Converge = false;
  std::string Erreur;  // why nothing was found ("" when found)
  int Iterations = 0;
  TAttitude Attitude;
  TMatrice4 Placement;  // MatricePlacement(Attitude)
  // What is left of the equations: the displaced mass less the condition's (kg), and the
  // horizontal offsets of B from the vertical through G in the floating frame (m).
  double ResiduMasse = 0, ResiduLongitudinal = 0, ResiduTransversal = 0;
  TBarycentre Carene;              // B in the model's frame, displacement in kg
  TVertex3f GFlottant, BFlottant;  // G and B in the floating frame
  // Along the centre plane, from the lowest point of the scope (the keel) up to the waterline,
  // measured along the model's Z: at the ends of the waterline (Y of each end) and their mean.
  double ZQuille = 0;
  double YArriere = 0, YAvant = 0;  // ends of the waterline: smallest and largest Y
  double TirantArriere = 0, TirantAvant = 0, TirantMoyen = 0;
  double AssietteMetres = 0;  // TirantAvant - TirantArriere
  // Freeboards (heights above the water in the floating frame; negative when immersed).
  bool AvecEnvahissement = false;
  std::string PointEnvahissement;  // the lowest flooding point
  double FrancBordEnvahissement = 0;
  bool AvecLivet = false;  // the deck edge: the highest border line out at the side
  double FrancBordLivet = 0;
};

// The waterline of a placement m on the scope's grids and mirror grids: segments in the
// model's frame, one per facet the plane Z = 0 of the floating frame cuts.
std::vector<std::pair<TVertex3f, TVertex3f>> LigneFlottaison(const TDocument& doc, const TListSurf& portee,
                                                             const TMatrice4& m);

// Sinkage, trim and heel (free unless held) where the scope surfaces displace the condition's
// mass with B on the vertical through G. The surfaces must be evaluated.
TResultatFlottaison Flotte(const TDocument& doc, const TListSurf& portee, const TConditionFlottaison& c);

// What a placement m (model -> floating frame, yref its reference Y) leaves where: K, the ends of
// the waterline and the drafts from K along the model's Z, the freeboards at the lowest flooding
// point and at the deck edge. Fills those fields of r (the hull as drawn: the identity).
void MesuresPlacement(const TDocument& doc, const TListSurf& portee, const TMatrice4& m, double yref,
                      TResultatFlottaison& r);

// The rows that report a floating position (label, stable key for machine-readable output,
// value), in the order the condition, the attitude, the freeboards and the residuals are read.
struct TLigneFlottaison {
  std::string Libelle, Cle;
  double Valeur = 0;
};
std::vector<TLigneFlottaison> LignesFlottaison(const TResultatFlottaison& r, const TConditionFlottaison& c);
// The rows of an attitude given by hand: the waterline at the reference point, trim, heel and the
// reference point's Y.
std::vector<TLigneFlottaison> LignesAttitude(const TAttitude& a);

// The rows that say where the hydrostatics' numbers are measured from, after the particulars:
// K, the drafts from K, trim, heel and the freeboards of the attitude (nullptr: the hull as
// drawn), the water's densities and the scope: its surfaces and their sides, the precision and
// the stations per surface.
std::vector<THydroLigne> LignesReferencesHydro(const TDocument& doc, const TListSurf& portee,
                                               const TAttitude* a, int nbSections);

// The canoe body: the surfaces of the scope that reach half the length of its longest one (the
// rule the standard waterlines use); the others, short ones, are appendages (keel, rudder).
TListSurf CareneSansAppendices(const TDocument& doc, const TListSurf& portee);
// Its coefficients at the same attitude, beside those of the whole scope: one row saying so when
// the scope has no appendage.
std::vector<THydroLigne> LignesCareneSeule(TDocument& doc, const TListSurf& portee, const TAttitude* a,
                                           int nbSections);
