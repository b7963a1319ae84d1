// Transformations of whole surfaces: translation, rotation, mirrors and resizing, each
// optionally carrying the symmetry base and the attached weights. The transformations
// window calls these; they change the model only and mark the surfaces not computed.
#pragma once

#include <vector>

#include "model/Document.h"
#include "model/Etendue.h"

struct TOptionsTransfo {
  bool Poids = true;         // "Modifier les poids associés"
  bool PlanSym = true;       // "Modifier le plan de symétrie"
  bool PlanSymSeul = false;  // "Modifier uniquement le plan de symétrie" (with PlanSym only)
};

// The listed surfaces (bad indices skipped), in list order.
void TranslationSurfaces(TDocument& doc, const std::vector<int>& nums, const TVertex3f& v,
                         const TOptionsTransfo& o);
// Angles in degrees about X, Y and Z, about the centre c.
void RotationSurfaces(TDocument& doc, const std::vector<int>& nums, const TVertex3f& c,
                      const TVertex3f& angles, const TOptionsTransfo& o);
// "Vertical" mirrors in x = 0, "Miroir Horizontal" in z = 0; vertical first.
void MiroirSurfaces(TDocument& doc, const std::vector<int>& nums, bool horizontal, bool vertical,
                    const TOptionsTransfo& o);
// Scales the surfaces by the factors about their base origins, the base origins moving to
// factor x origin when the relative positions are kept. A factor at or below 0 (or not a
// number) would collapse or turn the surfaces inside out: refused, nothing changes.
bool RedimSurfaces(TDocument& doc, const std::vector<int>& nums, const TVertex3f& facteurs,
                   bool conserverPositions);

// The extents of every surface (a symmetric surface's X with its mirror half); the
// surfaces must be computed.
std::vector<TDim> DimsSurfaces(const TDocument& doc);
// The box of the listed surfaces; all zero for an empty list.
struct TTailleSelection {
  double Min[3] = {0, 0, 0}, Max[3] = {0, 0, 0};
  double Taille(int a) const { return Max[a] - Min[a]; }
};
TTailleSelection TailleSelection(const std::vector<TDim>& dims, const std::vector<int>& nums);
// Per axis the target size over the current one; 1 where the current size is 0.
TVertex3f FacteursTaille(const double cible[3], const TTailleSelection& t);
// The mean of the base origins of the listed surfaces; false for an empty list.
bool CentreBases(const TDocument& doc, const std::vector<int>& nums, TVertex3f& c);
