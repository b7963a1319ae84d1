// Numeric editing of control points, for the vertex editor and the vertex list: typed
// coordinates applied to a vertex and its welded partners, one cell of the list written
// back, the list's rows and their text export. No window here.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/Document.h"

// A coordinate as the user typed it: a real with a point, blanks around allowed.
bool LitCoordonnee(const std::string& texte, double& v);

// Whether pc names a vertex of a NURBS net.
bool VertexNurbs(const TDocument& doc, const TPC& pc);

// The vertex takes the typed X, Y, Z and W; every vertex welded to it, directly or
// through other welds, moves by the same displacement (its weight unchanged). The
// surfaces concerned are marked not computed. False, and nothing touched, when pc names
// no NURBS vertex or the values are those of the vertex already.
bool AppliqueVertex(TDocument& doc, const TPC& pc, const TPtNet& edite);

// One coordinate (0..3: X, Y, Z, W) of a vertex written as typed in the list; the vertices
// welded to it move by the same displacement (a weight W is the vertex's alone). False
// when pc names no NURBS vertex, the coordinate is out of range, or the value is unchanged.
bool EcritCoordonnee(TDocument& doc, const TPC& pc, int coord, double v);
double LitCoordonneeVertex(const TDocument& doc, const TPC& pc, int coord);

// The list: one row per vertex of every NURBS net (surfaces in document order, rows, then
// columns): line number from 1, surface name, surface index, row, column, X, Y, Z, W "%.3f".
using TLignePC = std::array<std::string, 9>;
std::vector<TLignePC> LignesListePC(const TDocument& doc);
TLignePC EnteteListePC();
// The export: the header and the rows, each of the nine cells followed by ";".
std::vector<std::string> ExportListePC(const std::vector<TLignePC>& lignes);
