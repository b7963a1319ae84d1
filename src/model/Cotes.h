// Measuring tools and the dimensions the document keeps: plain records that the
// document reader fills (points in the order Point1, Point3, Point2) and the views draw.
#pragma once

#include <string>
#include <vector>

#include "model/Matrice.h"

enum TGenreMesure : int { gmMetre, gmRayon, gmAngle };

struct TMesure {
  TGenreMesure Genre = gmMetre;
  float Valeur = 0;                  // metres, or degrees for the angle
  int Vue = 0;                       // the view kind it was made in
  TVertex3f Point1, Point3, Point2;  // Point2: the angle's apex only
  std::string Texte;
  int Etape = 1;  // angle only: 1 while the first arm is placed, 2 for the second
};

struct TCote {
  std::string Genre;  // "Mètre", "Rayon" or "Angle"
  std::string Texte;  // the tool's text when the dimension was made
  TMesure Outil;
};

using TListeCotes = std::vector<TCote>;
