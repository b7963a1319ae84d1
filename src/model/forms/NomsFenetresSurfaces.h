// The names by which the screenshot mode knows the windows of the surfaces, the
// precision and the grid (the class name without T and Form, in lower case).
#pragma once

#include <string>

inline bool EstFenetreSurfaces(const std::string& nom) {
  return nom == "surfnew" || nom == "listesurf" || nom == "propsurf" || nom == "precis" || nom == "grille";
}
