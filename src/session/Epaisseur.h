// Thickness: a second surface lying at a given distance from a surface along its
// normals, inner or outer side, so that both faces of a plate or a core can be seen,
// weighed and exported.
#pragma once

#include <string>

#include "model/Document.h"

// Builds the offset of surface k at distance t and appends it as a mesh surface with the
// source's grid size and properties (not in the calculations). Returns the message key of
// a refusal ("" on success; nothing is created on a refusal); *nouvelle gets its index.
// Without avecPoids the new surface weighs nothing (a fixed weight of 0): the source's
// weight model already counts the plating. A negative thickness, or one beyond half the
// surface's largest dimension, is refused. The document is brought up to date and marked
// modified.
std::string AjouteEpaisseur(TDocument& doc, int k, double t, bool interieur, int* nouvelle = nullptr,
                            bool avecPoids = false);

// Half the largest extent of a surface's evaluated grid: the largest thickness taken.
double DemiTailleSurface(const TEntity& s);

// The offset point of one grid point. A symmetric source keeps the offset from crossing its
// symmetry plane: a point that the offset takes from the positive side to the negative
// side is brought back onto the plane along the normal.
TVertex3f PointEpaisseur(const TVertex3f& p, const TVertex3f& n, double t, bool versNormale, bool sym,
                         const TPlan& plan);
