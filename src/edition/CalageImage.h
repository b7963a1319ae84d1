// A background picture tied to the model: where its pixels land in a flat view.
#pragma once

#include <array>
#include <string>

#include "model/Calcs.h"
#include "model/Document.h"

// The view's horizontal and vertical coordinates (A, B) of a model point, metres: the
// section view shows X and Z, the plan view Y and X (X downwards), the profile Y and Z.
void CoordonneesVue(int type, const TVertex3f& p, double& a, double& b);
// The names of the model coordinates a user types for the view's horizontal and vertical
// axes ("X", "Z"...), and the sign that turns the typed value into B (-1 in the plan view).
struct TAxesVue {
  const char* Horizontal;
  const char* Vertical;
  double SigneVertical;
};
TAxesVue AxesVue(int type);

// The map of picture pixels (x, y) to view pixels: (m0 x + m1 y + m4, m2 x + m3 y + m5),
// a similarity (scale, turn, shift) that sends each of the two points to where the model
// point lands. False for the perspective view, and for two points that coincide in the
// picture or in the model (no scale can be found).
bool AffineCalage(const TImageFondDoc& im, const TParamVue& vue, std::array<double, 6>& m);
// Why a tie cannot be used (the text key), or empty.
std::string DefautCalage(const TImageFondDoc& im);
