// The symmetry plane of a surface, held as a local base: the plane passes
// through the base origin, perpendicular to the first axis.
#pragma once

#include "model/Calcs.h"

class TPlanSym {
 public:
  TPlanSym() { RAZ(); }
  TVertex3f Origine;
  TVertex3f Axe1{1, 0, 0};
  TVertex3f Axe2{0, 1, 0};
  TVertex3f Axe3{0, 0, 1};
  double A = 1, B = 0, C = 0, D = 0;

  void MajPlan();
  void RAZ();
  TPlan Plan() const { return {A, B, C, D}; }
  bool EstBaseMonde() const;
};

// Angles in degrees of the rotation (X, then Y, then Z) carrying the world base onto the base.
void AnglesBase(const TPlanSym& ps, double& ax, double& ay, double& az);

// The base element picked for editing: 0 origin, 1..3 the tip of Axe1..Axe3.
struct TCurrentBasePlanSym {
  int NumSurf = -1;
  int Element = 0;
};
