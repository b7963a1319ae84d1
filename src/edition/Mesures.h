// The measuring tools' values and gestures (distance, radius, angle), without a
// window: the views feed them model points and draw what they hold.
#pragma once

#include <string>

#include "edition/ListeDessin.h"
#include "model/Calcs.h"
#include "model/Cotes.h"

// The perspective view has no depth to invert a click into: no measure there.
bool MesurePossible(const TParamVue& vue);
// Recomputes Valeur and Texte from the points; the angle as the view shows it.
void CalculeMesure(TMesure& m, const TParamVue& vue);
// The status-bar text of a measure: "Mesure :" and its text.
std::string TexteStatusMesure(const TMesure& m);
// "Mètre", "Rayon", "Angle".
std::string GenreCote(TGenreMesure g);

// Draws a tool in the colour given: final (its value text, a radius's circle in the plane of
// the view it was made in) or as the rubber band of a gesture under way. Recomputes its
// value as the view shows it first.
void DessineMesure(TMesure& m, const TParamVue& vue, int couleur, bool final, TListeDessin& l);

// One gesture of a tool in a view, from the press to the release that ends it.
class TGesteMesure {
 public:
  enum TEtat { Libre, EnCours };
  explicit TGesteMesure(TGenreMesure g = gmMetre) : Genre(g) {}
  // Forgets a gesture under way (the mode changed, the document closed).
  void Reinitialise() { Etat = Libre, M = {}; }
  void Appui(const TVertex3f& p, const TParamVue& vue);
  void Deplace(const TVertex3f& p, const TParamVue& vue);
  // True when the gesture is complete: M then holds the final measure.
  bool Relache(const TVertex3f& p, const TParamVue& vue);
  TEtat Etat = Libre;
  TGenreMesure Genre;
  TMesure M;
};
