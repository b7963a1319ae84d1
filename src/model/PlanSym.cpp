// Symmetry-plane bases.
#include "model/PlanSym.h"

void TPlanSym::MajPlan() {
  A = Axe1.X;
  B = Axe1.Y;
  C = Axe1.Z;
  D = -(A * Origine.X + B * Origine.Y + C * Origine.Z);
}

void TPlanSym::RAZ() {
  Origine = {0, 0, 0};
  Axe1 = {1, 0, 0};
  Axe2 = {0, 1, 0};
  Axe3 = {0, 0, 1};
  MajPlan();
}

bool TPlanSym::EstBaseMonde() const {
  return Origine == TVertex3f{0, 0, 0} && Axe1 == TVertex3f{1, 0, 0} && Axe2 == TVertex3f{0, 1, 0} &&
         Axe3 == TVertex3f{0, 0, 1};
}

void AnglesBase(const TPlanSym& ps, double& ax, double& ay, double& az) {
  const TVertex3f o{0, 0, 0};
  az = AngleOriente2D(Point2f(1, 0), Point2f(0, 0), Point2f(ps.Axe1.X, ps.Axe1.Y));
  TVertex3f a1 = ps.Axe1, a2 = ps.Axe2;
  Rotation3D(o, {0, 0, -az}, a1);
  Rotation3D(o, {0, 0, -az}, a2);
  ay = AngleOriente2D(Point2f(1, 0), Point2f(0, 0), Point2f(a1.X, a1.Z));
  Rotation3D(o, {0, -ay, 0}, a2);
  ax = AngleOriente2D(Point2f(1, 0), Point2f(0, 0), Point2f(a2.Y, a2.Z));
}
