// Facets: triangles cut from the evaluated grids of the surfaces, their mirror
// halves and the strips that close a body, optionally clipped below the
// waterline, and the integrals over them (volume, centre, area, lateral area)
// that hydrostatics, stability and weights are made of.
#pragma once

#include <vector>

#include "model/Document.h"

struct TFacette {
  TVertex3f P1, P2, P3;
  int Sens = 1;     // +1 when the normal (P1 - P2) x (P3 - P2) points up (or is horizontal)
  double Aire = 0;  // area of the triangle
  TFacette() = default;
  TFacette(const TVertex3f& a, const TVertex3f& b, const TVertex3f& c);
  double Nz = 0;    // twice the signed area of the triangle projected on a horizontal plane
};

// An area and its centre.
struct TCentreAire {
  float X = 0, Y = 0, Z = 0;
  double Aire = 0;
};

class TListFace {
 public:
  // Ordre 0 swaps P1 and P3: an indirect orientation reverses every facet.
  void Add(TVertex3f p1, const TVertex3f& p2, TVertex3f p3, int ordre);
  // The same, keeping only what lies below Z = W (0, 1 or 2 facets).
  void Add(TVertex3f p1, TVertex3f p2, TVertex3f p3, int ordre, double w);
  void Clear() { F.clear(); }
  int Count() const { return static_cast<int>(F.size()); }
  // The facet at an index, or nullptr outside the list.
  const TFacette* Face(int i) const;
  std::vector<TFacette> F;
};

// Clips triangle A, B, C below Z = W. Returns 0 (nothing below), 1 (A, B, C modified)
// or 2 (A, B, C modified and D, E, F the second triangle).
int GetTriUnderDWL(TVertex3f& a, TVertex3f& b, TVertex3f& c, double w, TVertex3f& d, TVertex3f& e, TVertex3f& f);

void MakeFaceList(const TArrayVertex3f& g, int ordre, TListFace& l);
void MakeFaceList(const TArrayVertex3f& g, int ordre, TListFace& l, double w);
// The image of grid point [k][c] in a mirror grid (whose rows are reversed). False outside.
bool GetSymPt(const TArrayVertex3f& s, int k, int c, TVertex3f& p);
// Grid, mirror grid (may be null or empty) and, when fermer, the closing strips.
void BuildFaceList(const TArrayVertex3f& g, const TArrayVertex3f* s, int ordre, double w, TListFace& l, bool clip,
                   bool fermer);
void BuildFaceListFull(const TEntity& e, TListFace& l, double w);  // clipped below w
void BuildFaceListFull(const TEntity& e, TListFace& l);            // the whole closed body
void BuildSimpleFaceList(const TEntity& e, TListFace& l);          // grid and mirror only, for areas

// Signed volume between the facets and the plane Z = zref, times facteur.
double VolByFace(const TListFace& l, double zref, double facteur);
// Volume and centre; the centre's Z is measured from zref.
void CCByFace(const TListFace& l, TBarycentre& b, double zref, double facteur);
void CCByFace(const TListFace& l, TBarycentre& b);
// Total area and centre of area.
void CCAireByFace(const TListFace& l, TBarycentre& b);
double AireByFace(const TListFace& l);
// Area projected on the centre plane X = 0 and its centre.
void VolByFaceLateral(const TListFace& l, TCentreAire& c);

// The surface records the weights use: shell area and centre, closed volume and the part below Z = 0.
void MajCentreBorde(TEntity& e);
void MajVolumes(TEntity& e);
