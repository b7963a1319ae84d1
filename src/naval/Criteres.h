// Cross curves of stability (KN at given displacements and heels, trim free) and
// the intact-stability criteria checked on the GZ curve of a heel sweep.
#pragma once

#include <string>
#include <vector>

#include "naval/Stab.h"
#include "naval/TableHydro.h"

// --- Cross curves -------------------------------------------------------------

struct TPointKN {
  double Gite = 0, KN = 0, Assiette = 0;
  bool Converge = true;
};

struct TCourbeKN {
  double Deplacement = 0;  // kg
  double LCG = 0;          // the centre of buoyancy upright at that displacement, where G is put
  std::vector<TPointKN> Points;
};

// KN: the righting arm of G placed at K (the lowest point zK, on the centre plane), over the
// longitudinal centre of buoyancy of the upright hull at each displacement, so that the trim,
// when searched, is that of the heel alone. The heels are those of a sweep of c (0 to
// AngleMax by Pas). The displacements are shared between the cores; the hooks are called
// between them (the progress counts displacements) and a stop keeps the curves computed. The
// message of the first refused input is returned in erreur.
std::vector<TCourbeKN> CalcKN(const TDoubleSurfList& copies, double zK,
                              const std::vector<double>& deplacements, const TConditionsStab& c,
                              std::string& erreur, TSuiviCalcul* suivi = nullptr);

// --- Criteria -----------------------------------------------------------------

enum TGenreCritere : int {
  crAire0_30,    // area under GZ from 0 to 30 degrees, m.rad
  crAire0_40,    // from 0 to 40 degrees or the flooding angle if less
  crAire30_40,   // from 30 to 40 degrees or the flooding angle
  crGZ30,        // the largest GZ at 30 degrees or more, m
  crAngleGZMax,  // the heel of the largest GZ, degrees
  crGM0          // the initial metacentric height, m
};

struct TCritere {
  TGenreCritere Genre;
  const char* Cle;  // text key of its label
  double Requis;    // the least value that passes
};

// A rule set: its name's text key and its criteria. Other rule sets are added to the table.
struct TReglement {
  const char* Cle;
  std::vector<TCritere> Criteres;
};
const std::vector<TReglement>& Reglements();  // the first is the IMO 2008 general criteria

struct TResultatCritere {
  std::string Libelle;
  double Requis = 0, Obtenu = 0;
  bool Evalue = false;  // the curve reaches far enough to tell
  bool Satisfait = false;
};

// The area under the GZ curve of the converged steps between two heels (degrees), m.rad,
// by trapezoids, the ends interpolated. False when the steps do not cover [a, b].
bool AireGZ(const TListGZ& etapes, double a, double b, double& aire);

// The initial GM of the weight in s: GZ at small heels each way about G0, with the wall-sided
// term removed by extrapolation. Uses s's copies, weight and density.
double GMInitial(TStab& s);

// angleEnvahissement <= 0: no flooding angle.
std::vector<TResultatCritere> VerifieCriteres(const TListGZ& etapes, double gm0, double angleEnvahissement,
                                              const TReglement& r);
