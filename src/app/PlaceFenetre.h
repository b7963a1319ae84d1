// A window's stored place, brought back onto a screen that exists now: the screens of
// the last session may be gone (a laptop off its docking station).
#pragma once

#include <vector>

struct TRectEcran {
  int X = 0, Y = 0, L = 0, H = 0;
  friend bool operator==(const TRectEcran&, const TRectEcran&) = default;
};

// Smallest size a restored window may have: below it the stored values are taken as wrong.
constexpr int LargeurFenetreMin = 200, HauteurFenetreMin = 150;

// The stored rectangle when a large enough part of it lies on a screen, moved and shrunk
// to lie wholly on the screen it overlaps most; otherwise `defaut`. Screens are the
// available areas, the first the primary one.
TRectEcran PlaceSurEcran(const TRectEcran& r, const std::vector<TRectEcran>& ecrans,
                         const TRectEcran& defaut);
