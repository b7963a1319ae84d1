// The evaluation of a NURBS surface as the model asks for it: from the net to
// the grids of points, unit normals, mirror images and curvature.
#pragma once

#include "model/Entity.h"

// Turns the offset points of a sampling pass into normals: Normales[i][j] -= Pts[i][j].
void Denormalise(const TArrayVertex3f& pts, TArrayVertex3f& normales);

// The mirror grids of a surface: PtsSym[N - i][j] is Pts[i][j] mirrored in the
// surface's symmetry plane and NormalesSym[N - i][j] is Normales[i][j] mirrored in
// the plane through the origin parallel to it (x = 0 for the world base).
void CalcGrillesSym(TEntity& e);

// The extreme points of a grid and of its mirror (sym may be null): ext[0..5]
// receive the first point, scanning row by row and at each position the point
// before its mirror, whose X is lowest, X highest, Y lowest, Y highest, Z lowest,
// Z highest. Only a coordinate strictly beyond the value ext[k] holds on entry
// counts; when none is, ext[k] is left as it is.
void ExtremesGrille(const TArrayVertex3f& pts, const TArrayVertex3f* sym, TVertex3f ext[6]);

// Evaluates the net of a NURBS surface into its grids of points and normals
// and their mirror images (the surface evaluator).
void EvalueSurfaceNurbs(TSurface& s);
