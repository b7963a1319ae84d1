// The sail plan: the surfaces flagged as sails, their areas and centres, the
// centre of effort of them all, and its lead over the centre of lateral resistance.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/Document.h"
#include "naval/Face.h"

struct TLigneVoile {
  std::string Nom;
  int NumSurf = 0;
  TBarycentre Centre;  // the shell record: area and centre of area
};

// Recomputes doc.CentreVoilure from the sails' shell records (which it recomputes).
void MajCentreVoilure(TDocument& doc);
// The sails in list order, from their shell records as they stand.
std::vector<TLigneVoile> LignesVoiles(const TDocument& doc);

// The lateral plane: the part below Z = 0 of the surfaces in scope that are not
// sails, projected on the centre plane X = 0, with its centre.
TCentreAire PlanAntiDerive(const TDocument& doc, const std::vector<int>& portee);

struct TEquilibre {
  TBarycentre Voilure;     // the centre of effort and the sail area
  TCentreAire AntiDerive;  // the centre of lateral resistance and the lateral area
  // Y of the centre of effort minus Y of the lateral centre; none without sail or
  // without lateral plane.
  std::optional<double> Avance;
};

// The whole balance of a sailing design; the grids must be evaluated (the session's
// MajSurface(doc, true, -1) first). The lateral plane is taken from the surfaces whose
// Calc is set.
TEquilibre CalcEquilibre(TDocument& doc);
