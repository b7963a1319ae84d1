// Calm-water resistance and effective power from two published regressions: Holtrop and
// Mennen's for displacement hulls and Savitsky's for prismatic planing hulls. The hull
// parameters come from the model's hydrostatics (ParametresModele) or are given; every
// parameter or speed outside the range the method was fitted on is flagged, never hidden.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/Document.h"
#include "model/Etendue.h"

class IMagasinReglages;

// A parameter the calculation cannot use (a negative speed, a length that is not positive,
// a coefficient that makes a formula meaningless): the message is the program's text.
struct TErreurResistance : std::runtime_error {
  using std::runtime_error::runtime_error;
};

constexpr double GraviteResistance = 9.81;  // both papers' value
constexpr double RhoEauMer = 1025;          // kg/m³
constexpr double NuEauMer15 = 1.18831e-6;   // m²/s, sea water at 15 °C (ITTC)
constexpr double Noeud = 1852.0 / 3600.0;   // m/s

// A value outside the range its method was fitted on: the JSON key of the parameter (or
// "fn", "cv", "trim", "lambda" for the running condition), its value and the range.
struct THorsDomaine {
  std::string Cle;
  double Valeur = 0, Min = 0, Max = 0;
};

// --- Holtrop and Mennen -----------------------------------------------------------------

enum class TFormeArriere { V, Normal, U };  // Cstern -10, 0, +10
struct TAppendice {
  double Aire = 0;  // m²
  double K2 = 1.5;  // its 1 + k2
};
// The 1982 paper's wave resistance (one formula), or the 1984 re-analysis' three regimes.
enum class TVarianteHM { hm1982, hm1984 };

struct TParamsHoltrop {
  double Lwl = 0, Bwl = 0, TArriere = 0, TAvant = 0;  // m
  double Volume = 0;                                  // m³
  double Lcb = 0.5;  // centre of buoyancy, fraction of Lwl from the waterline's aft end
  double Cp = 0, Cm = 0, Cb = 0, Cwp = 0;
  double SurfMouillee = 0;  // m²; 0: the paper's estimate
  double AireTableau = 0;   // immersed transom area, m²
  double AireBulbe = 0,
         HauteurBulbe = 0;  // transverse bulb area at the fore perpendicular, its centre's height
  TFormeArriere Arriere = TFormeArriere::Normal;
  std::vector<TAppendice> Appendices;
  double Rho = RhoEauMer, Nu = NuEauMer15;
};

// One speed. Forces in N, power in W.
struct TPointHoltrop {
  double V = 0, Fn = 0, Rn = 0, Cf = 0, Ca = 0;
  double K1 = 0;  // 1 + k1
  double Rf = 0, Rapp = 0, Rw = 0, Rb = 0, Rtr = 0, Ra = 0, Rt = 0, Pe = 0;
};

// The wetted area the paper estimates from the main dimensions (used when none is given).
double SurfMouilleeHoltrop(const TParamsHoltrop& p);
// 1 + k1 of the hull.
double FacteurFormeHoltrop(const TParamsHoltrop& p);
// Resistance at speed v (m/s): zero at 0; a negative speed or unusable parameters throw.
TPointHoltrop Holtrop(const TParamsHoltrop& p, double v, TVarianteHM variante = TVarianteHM::hm1984);
// The ranges of the paper's data (Cp, L/B, B/T, Fn), and what lies outside them: the hull's
// parameters, and a speed's.
const std::vector<THorsDomaine>& BornesHoltrop();
std::vector<THorsDomaine> DomaineHoltrop(const TParamsHoltrop& p);
std::vector<THorsDomaine> DomaineHoltrop(const TParamsHoltrop& p, const TPointHoltrop& r);

// --- Savitsky -------------------------------------------------------------------------

struct TParamsSavitsky {
  double Masse = 0;            // kg
  double Lcg = 0;              // centre of gravity forward of the transom, m
  double Vcg = 0;              // above the keel, m
  double Largeur = 0;          // beam at the chine, m
  double Deadrise = 0;         // degrees
  double AnglePoussee = 0;     // thrust line to the keel, degrees
  double DecalagePoussee = 0;  // thrust line below the centre of gravity, m
  double Rho = RhoEauMer, Nu = NuEauMer15;
  double DeltaCf = 0.0004;  // roughness allowance
};

struct TPointSavitsky {
  double V = 0, Cv = 0;
  bool Equilibre = true;  // a running trim was found
  double Assiette = 0;    // running trim, degrees
  double Lambda = 0;      // mean wetted length over beam
  double ClBeta = 0, Cl0 = 0, Vm = 0, Re = 0, Cf = 0;
  double Df = 0;                  // friction along the bottom, N
  double Poussee = 0;             // thrust along its line, N
  double Rp = 0, Rf = 0, Rt = 0;  // the resistance (thrust's horizontal part) from the lift and the friction
  double Pe = 0;
  double AssietteMarsouinage = 0;  // the porpoising limit at this load, degrees
};

// Resistance at speed v (m/s): zero at 0; a negative speed or unusable parameters throw.
TPointSavitsky Savitsky(const TParamsSavitsky& p, double v);
// The trim limit above which the hull porpoises (Day and Haag's curves as Savitsky gives
// them), at the load coefficient ClBeta and deadrise (degrees).
double LimiteMarsouinage(double clBeta, double deadrise);
// The stated ranges (deadrise, Cv, trim, lambda), and what lies outside them.
const std::vector<THorsDomaine>& BornesSavitsky();
std::vector<THorsDomaine> DomaineSavitsky(const TParamsSavitsky& p);
std::vector<THorsDomaine> DomaineSavitsky(const TParamsSavitsky& p, const TPointSavitsky& r);

// --- From the model ---------------------------------------------------------------------

// What the model cannot give: entered by the user, kept in the settings (section
// "Resistance"), never in the document.
struct TSaisieResistance {
  std::vector<TAppendice> Appendices;
  double AireBulbe = 0, HauteurBulbe = 0;
  TFormeArriere Arriere = TFormeArriere::Normal;
  double AnglePoussee = 0, DecalagePoussee = 0;
  double LargeurBouchain = 0;  // > 0 replaces the model's chine beam
  double Rho = RhoEauMer, Nu = NuEauMer15;
};
TSaisieResistance LitSaisieResistance(const IMagasinReglages& m);
void EcritSaisieResistance(IMagasinReglages& m, const TSaisieResistance& s);

struct TParamsModele {
  TParamsHoltrop Holtrop;
  TParamsSavitsky Savitsky;
  bool Flottant = false;  // the floating position at the weights (else the model at Z = 0)
  bool BouchainTrouve = false;
  std::vector<std::string> Avertissements;
};
// The hydrostatics of the scope at its floating position when the document has weights (else
// at Z = 0), the transom's immersed area, and the deadrise and beam at the chine of the
// transom section. The surfaces must be evaluated. Throws TErreurResistance without a hull.
TParamsModele ParametresModele(const TDocument& doc, const TListSurf& portee, const TSaisieResistance& s);

// The chine of one section (polylines in the section's plane, any half): the vertex where
// the outline turns most sharply away from the keel, as half-breadth and height. False when
// no vertex turns by more than 15 degrees (a round bilge).
bool BouchainSection(const TCoupe& section, double& demiLargeur, double& z, double& zQuille);

// --- Curves ---------------------------------------------------------------------------

// One speed of a curve: named components (forces in N, coefficients as they are), the total
// resistance and the effective power; Savitsky's running trim. Keys are stable (JSON, CSV).
struct TLigneResistance {
  double V = 0;
  bool Equilibre = true;
  std::vector<std::pair<std::string, double>> Composantes;
  double Rt = 0, Pe = 0;
  std::vector<THorsDomaine> Hors;
};
struct TCourbeResistance {
  std::vector<THorsDomaine> HorsParametres;
  std::vector<TLigneResistance> Points;
};
// The speeds from debut to fin by pas (m/s or knots alike), fin included within a
// millionth of the step. Throws TErreurResistance on a negative start or a step that is not
// positive, or more than 10000 speeds.
std::vector<double> VitessesResistance(double debut, double fin, double pas);
TCourbeResistance CourbeHoltrop(const TParamsHoltrop& p, const std::vector<double>& vitesses,
                                TVarianteHM variante = TVarianteHM::hm1984);
TCourbeResistance CourbeSavitsky(const TParamsSavitsky& p, const std::vector<double>& vitesses);
