// The IGES 5.2 export: every visible NURBS surface as an exact rational
// B-spline surface (entity 128) or curve (126) with its mirror image, and
// optionally its colour (314), in the fixed 80-column ASCII form.
#pragma once

#include <string>
#include <vector>

#include "exchange/Export.h"

// A text in plain ASCII: accented Latin letters lose their accents, any other
// character outside ASCII becomes "_", control characters become blanks.
std::string TexteAscii(const std::string& utf8);
// "<length>H<text>" of the ASCII text, or nothing for an empty text.
std::string Hollerith(const std::string& utf8);
// Cuts a parameter text into lines of at most `largeur` columns, breaking after a ","
// and, for a piece longer than a line (a long string), within it.
std::vector<std::string> EmballeIGES(const std::string& texte, size_t largeur);

// The 80-column lines of the file. Nets that IGES cannot hold (a weight at or below 0,
// a coordinate that is no number, a single vertex) are left out with a message in r.
std::vector<std::string> LignesIGES(const TDocument& doc, const TOptionsExport& o,
                                    TResultatExport* r = nullptr);
// Writes them through the atomic writer: on failure the previous file stays.
TResultatExport ExportIGES(const TDocument& doc, const std::string& nomFichier, const TOptionsExport& o);
