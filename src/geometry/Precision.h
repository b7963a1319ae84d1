// The custom precision typed by the user: the number of parameter steps of every
// NURBS surface, held to what the evaluated grids can hold.
#pragma once

#include <optional>
#include <string>

constexpr int MinPrecisionPerso = 10;  // below this the sections turn into polygons
// The typed precision, rounded to no value: a whole number held to 10..200 (1..200 in
// diagnostic mode); nothing for any other text, and the precision then stays as it was.
std::optional<int> LitPrecisionPerso(const std::string& texte, bool modeDebug);
