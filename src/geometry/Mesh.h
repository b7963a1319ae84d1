// Mesh surfaces, whose grid of points is given rather than computed: the
// normals at the grid points and the mirror images, for the lines, volumes and views.
#pragma once

#include "model/Entity.h"

// The unit normal at every point of a grid, from the corner normals of the
// cells around it (with fall-backs on the border where a collapsed edge leaves
// no area). Normales takes the size of Pts; a grid of one row or one column has
// no cell and gets zero normals.
void CalcNormalesMesh(const TArrayVertex3f& pts, TArrayVertex3f& normales);
// Computes the normals and mirror images of a mesh surface's grid.
void EvalueSurfaceMesh(TDXFSurface& s);
