// A window's stored place, brought back onto a screen that exists now: the screens of
// the last session may be gone (a laptop off its docking station).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/Options.h"

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

// Windows laid out together in one zone (the views in the main window's area), their stored
// places brought into a zone smaller than their layout: the layout is scaled and moved whole,
// so that windows that did not overlap still do not and each lies, title bar included, in the
// zone. A layout that fits is kept as it is.
std::vector<TRectEcran> DispositionDansZone(const std::vector<TRectEcran>& places, const TRectEcran& zone);

// One window's entry of section PosFen (keys N + "Top", "Left", "Height", "Width",
// "WinState", "Visible").
struct TPlaceFenetre {
  TRectEcran Rect;
  std::string Etat = "Normal";  // "Normal", "Maximized" or "Minimized"
  std::optional<bool> Visible;  // nullopt: the key is missing, the window keeps its state
  bool Connue = false;          // the store held a place for it
};
// Each of the four values defaults to `actuel`'s; a value out of range too.
TPlaceFenetre LitPlaceFenetre(const IMagasinReglages& m, const std::string& nom, const TRectEcran& actuel);
// WinState only when not "Normal".
void EcritPlaceFenetre(IMagasinReglages& m, const std::string& nom, const TPlaceFenetre& p);
