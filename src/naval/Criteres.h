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

// The initial GM of the weight in s: that of the upright waterplane (TStab::GMDroit).
double GMInitial(TStab& s);

// The largest righting arm, found between the steps.
struct TMaxGZ {
  double Angle = 0, GZ = 0;
  bool Trouve = false;
};

// angleEnvahissement <= 0: no flooding angle. max: the curve's maximum when it was searched
// between the steps (else the largest step is taken).
std::vector<TResultatCritere> VerifieCriteres(const TListGZ& etapes, double gm0, double angleEnvahissement,
                                              const TReglement& r, const TMaxGZ* max = nullptr);

// The height of a point above the waterline in the floating position of a step.
double HauteurSurFlottaison(const TVertex3f& p, const TGZ& e, const TVertex3f& g);

// The criteria of a condition as they are signed.
struct TEvaluationCriteres {
  std::vector<TResultatCritere> Resultats;
  double GM = 0;
  double AngleEnvahissement = 0;   // the angle the areas stop at; 0: none
  std::string PointEnvahissement;  // the flooding point that gives it ("" typed, or none)
  int Cote = 1;                    // the side of the results (TConditionsStab::Cote)
  bool DeuxCotes = false;          // both sides were computed and the worse is kept
  TMaxGZ Max;
  TListGZ Etapes;  // the sweep of the criteria on that side
  bool Arrete = false;
};

// The criteria of s's weight and conditions on a sweep of their own, whatever the step shown:
// 1 degree or finer, with 30, 40 degrees and the flooding angle as nodes, the largest arm
// searched between the nodes around it, GM from the upright waterplane. The flooding angle is
// the smaller of angleSaisi (0: none) and the heel where the first flooding point goes under.
// With flooding points or G off the centre plane both sides are computed, the worse kept.
// The hooks of suivi are called between steps; its stop flag ends the sweep.
TEvaluationCriteres EvalueCriteres(const TStab& s, const TListeReperesEnv& points, double angleSaisi,
                                   const TReglement& r, TSuiviCalcul* suivi = nullptr);
// What the criteria rest on, one line each: GM, the flooding angle and where it comes from, the side.
std::vector<std::string> NotesCriteres(const TEvaluationCriteres& e);
