// The lines grid as the views draw it (positions of sections, waterlines,
// buttocks and diagonals, the split index and the current section), and the
// geometry of the grid's far walls and of the model axes.
#pragma once

#include <vector>

#include "model/Document.h"

struct TDiagonaleGrille {
  double Z0 = 0;     // height on the centre plane x = 0
  double Angle = 0;  // degrees from the vertical centre line
};

struct TGrilleVue {
  std::vector<double> Sec, LE, Long;  // Y, Z, X
  std::vector<TDiagonaleGrille> Diag;
  TVertex3f Min{10000, 10000, 10000}, Max{-10000, -10000, -10000};  // buttock X, section Y, waterline Z
  int NumSc = 5;            // sections drawn mirrored when the body plan is split
  int SectionCourante = 0;  // 1-based section shown with the hull, 0 for none
  void MinMax();
};

// The document's lines grid as the views draw it.
TGrilleVue GrilleDuDocument(const TDocument& doc);

struct TSegment3D {
  TVertex3f A, B;
};

// The lines of the grid on the far walls of the grid box for a view seen from
// azimuth and elevation in degrees.
std::vector<TSegment3D> SegmentsGrille(const TGrilleVue& g, double azimutDeg, double elevationDeg);
// The three model axes through the origin, each reaching 1 m beyond the model's box.
std::vector<TSegment3D> SegmentsAxes(const TDocument& doc);
