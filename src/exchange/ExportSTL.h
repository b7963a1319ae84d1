// The STL (binary) and OBJ exports of the floating bodies, for printing models
// and for meshing programs: each surface of the calculation scope closed as the
// naval calculations close it, written as one closed shell with outward normals.
#pragma once

#include <string>
#include <vector>

#include "exchange/Export.h"

// One closed shell: welded vertices and triangles whose every edge two triangles share.
struct TCoque {
  std::string Nom;
  std::vector<TVertex3f> Sommets;
  std::vector<std::array<int, 3>> Triangles;  // counter-clockwise seen from outside
};

// The shell of one surface, or false with the reason when its facets do not close.
bool CoqueFermee(const TEntity& e, TCoque& c, std::string& pourquoi);
// The shells of the calculation scope; the surfaces that do not close are named in r.Messages.
std::vector<TCoque> CoquesPortee(const TDocument& doc, TResultatExport* r = nullptr);

std::string TexteSTL(const std::vector<TCoque>& coques);  // binary
std::string TexteOBJ(const std::vector<TCoque>& coques);

TResultatExport ExportSTL(const TDocument& doc, const std::string& nomFichier);
TResultatExport ExportOBJ(const TDocument& doc, const std::string& nomFichier);
