// Development of ruled surfaces into flat patterns: each strip between two rulings is
// unfolded as two triangles hinged on the ruling already laid flat, and the list of
// errors tells, ruling by ruling, how far the flat strip fails to keep its true length.
#pragma once

#include <string>
#include <vector>

#include "model/Document.h"

// One line of the error list: the ruling number and how much its flat length differs
// from its true length, in metres.
struct TErreurDev {
  int Directrice = 0;
  double Erreur = 0;
};

// Whether the surface is one the development knows: a NURBS net linear in one direction,
// 2 rows of order 2 (rulings along the grid columns) or 2 columns of order 2.
bool SurfaceDeveloppable(const TEntity& e);

// The intersections of two circles in the plane. False, with P1 = C1 and P2 = C2, when the
// circles do not meet or share their centre. A result that is not a finite number also gives
// false, and sets *invalide when given.
bool Intersect2Cercles(const TPoint2f& c1, const TPoint2f& c2, TPoint2f& p1, double r1, double r2,
                       TPoint2f& p2, bool* invalide = nullptr);

// Unrolls an evaluated developable surface into a two-row pattern (row 0 the first edge,
// row 1 the other, all points at Z = 0) and appends one error per ruling. The source is
// only read. False, with the message text, when the surface cannot be unrolled; the
// pattern and the errors are then empty.
bool DevelopSNURBS(const TSurface& s, TArrayVertex3f& patron, std::vector<TErreurDev>& erreurs,
                   std::string* message = nullptr);

// Adds a pattern as a new mesh surface (name cut to 20 characters), computed, its
// symmetry base at the centre of its box. Returns its index.
int AjouteEntityDev(TDocument& doc, const std::string& nom, const TArrayVertex3f& patron);

// The outcome of one developed surface.
struct TResultatDev {
  int Source = -1;
  std::string Nom;      // source name and "_DEV", uncut (the error list shows it whole)
  int Ajoutee = -1;     // index of the pattern added, -1 when the surface failed
  std::string Message;  // why it failed
  TArrayVertex3f Patron;
  std::vector<TErreurDev> Erreurs;
};

// A flat pattern's area (its two rows joined ruling by ruling) and the lengths of its two edges.
struct TMesurePatron {
  double Aire = 0, BordA = 0, BordB = 0;
};
TMesurePatron MesurePatron(const TArrayVertex3f& patron);

// Develops the listed surfaces in list order and adds their patterns. Refuses the whole
// run (message key, nothing added) when the patterns would not fit in the document;
// otherwise returns "" and one result per listed surface. Marks the document modified.
std::string DevelopperSurfaces(TDocument& doc, const std::vector<int>& nums, std::vector<TResultatDev>& res);

// The area of a flat pattern: its outline runs along the first row and back along the other.
double AirePatron(const TArrayVertex3f& patron);
