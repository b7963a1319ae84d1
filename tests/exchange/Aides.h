// Helpers of the export tests: small documents with known nets and grids, and
// a reader of IGES parameter data that owes nothing to the writer.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "model/Document.h"
#include "session/ObjCom.h"

namespace aides_export {

// A NURBS surface whose vertices tell their place (row r, column c).
inline TSurface& AjouteNet(TDocument& doc, const std::string& nom, int nl, int nc, int kLn, int kCol) {
  auto s = std::make_unique<TSurface>(doc.NbSurf(), doc.Precision);
  s->Nom = nom;
  s->Net.NbLn = nl;
  s->Net.NbCol = nc;
  s->Net.LFlex = kLn;
  s->Net.CFlex = kCol;
  for (int r = 0; r < nl; r++)
    for (int c = 0; c < nc; c++) s->Net.PC[r][c] = {0.5 * r + 0.1, 1.0 * c, 0.25 * r * c, 1};
  s->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  doc.TabSurf.push_back(std::move(s));
  return static_cast<TSurface&>(*doc.TabSurf.back());
}

inline TDXFSurface& AjouteGrille(TDocument& doc, const std::string& nom, int dernLn, int dernCol) {
  auto m = std::make_unique<TDXFSurface>(doc.NbSurf(), dernCol + 1, dernLn + 1);
  m->Nom = nom;
  for (int i = 0; i <= dernLn; i++)
    for (int j = 0; j <= dernCol; j++) m->Pts[i][j] = {1.0 + i, 2.0 * j, 0.125 * (i + j)};
  m->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
  doc.TabSurf.push_back(std::move(m));
  return static_cast<TDXFSurface&>(*doc.TabSurf.back());
}

inline std::string Lit(const std::string& chemin) {
  std::ifstream in(chemin, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Lines of a CR LF text (false in ok when a line ends otherwise).
inline std::vector<std::string> Coupe(const std::string& t, bool* ok = nullptr) {
  std::vector<std::string> l;
  size_t d = 0;
  if (ok) *ok = true;
  while (d < t.size()) {
    size_t f = t.find("\r\n", d);
    if (f == std::string::npos) {
      if (ok) *ok = false;
      l.push_back(t.substr(d));
      break;
    }
    if (ok && t.substr(d, f - d).find('\n') != std::string::npos) *ok = false;
    l.push_back(t.substr(d, f - d));
    d = f + 2;
  }
  return l;
}

inline std::string Dossier() {
  std::string d = ::testing::TempDir() + "brivane_export";
  std::filesystem::create_directories(d);
  return d + "/";
}

}  // namespace aides_export
