// The figures of the instant-hydrostatics panel: displacement, longitudinal centre
// of buoyancy, wetted area, waterplane area and block coefficient of the surfaces
// in the calculation scope, taken from the one hydrostatics calculation.
#pragma once

#include "model/Document.h"

struct THydroInstant {
  bool Immerge = false;       // something lies below the waterline
  double Deplacement = 0;     // kg, sea water
  double CCLongitudinal = 0;  // m, Y of the centre of buoyancy
  double SurfMouillee = 0;    // m²
  double AireFlottaison = 0;  // m²
  double Cb = 0;
};

// Few stations are enough: the volume and areas are integrated facet by facet, the
// stations only place the largest section.
constexpr int SectionsHydroInstant = 21;

THydroInstant CalcHydroInstant(TDocument& doc);
