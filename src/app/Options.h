// The application's setting values that core computations read. The settings
// store and the options dialog fill them; the defaults are the program's own.
#pragma once

struct TOptions {
  // Curvature vectors of lines: length factor position 10..25000 (F = position / 5000),
  // type 0 curvature / 1 radius of curvature, orientation 0 inside / 1 outside the curve.
  int FacteurCourbure = 5000;
  int TypeRayon = 0;
  int OrientationRayon = 0;
  // "Calcul des surfaces en temps réel".
  bool SplineTR = false;
  // Redraw every view after a change ("MultiFen").
  bool MultiFen = false;
};

TOptions& Options();
