// The fixed limits of a document. Every count and index that comes from a
// file, a dialog or the mouse is checked against them where it enters.
#pragma once

constexpr int MaxSurf = 4;   // surfaces in a document
constexpr int MaxNet = 31;   // rows (columns) of a control net
constexpr int MinOrdre = 2;  // B-spline order ("flexibility")
constexpr int MaxOrdre = 6;
constexpr int MaxGrille = 201;     // rows (columns) of an evaluated grid
constexpr int MaxPrecision = 200;  // parameter steps: grids are (N + 1) x (N + 1)
constexpr int MinPrecision = 1;
constexpr int MaxLignes = 100;  // lines of each kind in the lines grid
constexpr int MaxNomSurf = 20;  // characters of a surface name
// The sane bounds of a boat: a coordinate (m) read from a file or typed is at most this far
// from the origin, and any other quantity (a mass, a density, a thickness, a NURBS weight)
// at most this large. Beyond, sums of squares and products overflow into inf and nan.
constexpr double MaxCoordonnee = 1e5;
constexpr double MaxGrandeur = 1e9;
