// The IGES 5.2 export: every visible NURBS surface as an exact rational
// B-spline surface (entity 128) or curve (126) with its mirror image, and
// optionally its colour (314), in the fixed 80-column ASCII form.
#pragma once

#include <string>
#include <vector>

#include "exchange/Export.h"

// "<length>H<text>" of the ASCII text, or nothing for an empty text.
std::string Hollerith(const std::string& utf8);
// Cuts a parameter text into lines of at most `largeur` columns, breaking after the ","
// that ends a parameter (never at a comma of a string's text) and, for a string longer
// than a line, within it over whole lines.
std::vector<std::string> EmballeIGES(const std::string& texte, size_t largeur);
// A real as the file writes it: "%.4f" when that reads back as the same double, else
// the shortest text that does.
std::string ReelExact(double v);

// The 80-column lines of the file. Nets that IGES cannot hold (a weight at or below 0,
// a coordinate that is no number, a single vertex) are left out with a message in r.
std::vector<std::string> LignesIGES(const TDocument& doc, const TOptionsExport& o,
                                    TResultatExport* r = nullptr);
// Writes them through the atomic writer: on failure the previous file stays.
TResultatExport ExportIGES(const TDocument& doc, const std::string& nomFichier, const TOptionsExport& o);
