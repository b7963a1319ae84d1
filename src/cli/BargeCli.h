// A box barge built from "--barge B,L,T,D" for the weights and stability commands:
// a document with a known answer, usable without any file.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Commandes.h"
#include "naval/Stab.h"
#include "session/ObjCom.h"

// Divisions of the barge's bottom, side and deck. Its faces are flat, so the prism integrals are
// exact at any division; more facets only show the body better in a drawing.
constexpr int DivisionsBargeCli = 4;

// Breadth B, length L, draft T and depth D (keel to deck), metres; its own weight floats it at
// the draft T in water of density 1.026.
inline void ConstruitBargeCli(TDocument& doc, const std::string& texte) {
  std::vector<double> v;
  std::stringstream ss(texte);
  std::string champ;
  while (std::getline(ss, champ, ',')) {
    double x = 0;
    if (!LitReel(champ, x)) throw TErreurCli("--barge: '" + champ + "' is not a number");
    v.push_back(x);
  }
  if (v.size() != 4) throw TErreurCli("--barge expects B,L,T,D (breadth, length, draft, depth)");
  if (!(v[0] > 0 && v[1] > 0 && v[2] > 0 && v[3] > v[2]))
    throw TErreurCli("--barge: B, L, T must be above 0 and D above T");
  doc.Vider();
  AjouteBargeFermee(doc, v[0], v[1], v[2], v[3], DivisionsBargeCli);
  MajSurface(doc, true, -1);
  doc.Modifie = false;
}
