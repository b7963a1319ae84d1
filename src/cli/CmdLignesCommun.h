// What the lines and offsets commands share: the document (a file, or a
// starting shape), the precision, and the counts of the grid's families.
#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "base/Chaines.h"
#include "cli/Commandes.h"
#include "lines/Grille.h"
#include "session/ObjCom.h"

namespace lignes_cli {

struct TOptions {
  std::string Fichier;
  int Modele = -1;  // --template: a document of one surface of that starting shape
  int Precision = 0;
  std::array<int, NbFamillesLignes> Nombres{};  // 0: the document's own count
};

inline void Declare(CLI::App* c, TOptions& o) {
  c->add_option("file", o.Fichier, "Document (.kvb); the default new document when absent");
  c->add_option("--template", o.Modele, "A document of one surface of starting shape K (0..6)")
      ->check(CLI::Range(0, NbFormesDepart - 1));
  c->add_option("--sections", o.Nombres[flSections], "Number of sections, spaced by the standard rule")
      ->check(CLI::Range(1, MaxLignes));
  c->add_option("--waterlines", o.Nombres[flLignesEau], "Number of waterlines, spaced by the standard rule")
      ->check(CLI::Range(1, MaxLignes));
  c->add_option("--buttocks", o.Nombres[flLongitudinales], "Number of buttocks, spaced by the standard rule")
      ->check(CLI::Range(1, MaxLignes));
  c->add_option("--diagonals", o.Nombres[flDiagonales], "Number of diagonals, spaced by the standard rule")
      ->check(CLI::Range(2, MaxLignes));
  c->add_option("--precision", o.Precision, "Evaluation precision (grid of N + 1 points a side)")
      ->check(CLI::Range(MinPrecision, MaxPrecision));
}

// The flexibilities the new-surface dialog presets for each starting shape.
inline TOptionsNouvelleSurface OptionsModele(int forme) {
  TOptionsNouvelleSurface o;
  static const int longit[] = {4, 2, 2, 2, 2, 2, 4}, transv[] = {4, 2, 2, 2, 4, 4, 2};
  o.FlexLongitudinale = longit[forme];
  o.FlexTransversale = transv[forme];
  return o;
}

// The document with its grid placed and every surface evaluated; the line
// tables are empty and out of date.
inline void Prepare(TDocument& doc, const TOptions& o) {
  if (o.Modele >= 0 && !o.Fichier.empty()) throw TErreurCli("give a document or --template, not both");
  if (o.Modele >= 0) {
    doc.Vider();
    std::string err = NouvelleSurface(doc, "Surface1", o.Modele, OptionsModele(o.Modele));
    if (!err.empty()) throw TErreurCli(rs(err));
    ChangeCurrentPC(doc, {0, 0, 0});
  } else {
    ChargeDocumentCli(doc, o.Fichier);
  }
  if (o.Precision > 0) ChangePrecision(doc, o.Precision);
  MajSurface(doc, true, -1);
  // A document read from a file keeps its own grid unless a count is asked for;
  // a made-up one is spread by the standard rule over the surfaces as evaluated now.
  bool documentLu = !o.Fichier.empty();
  for (int f = 0; f < NbFamillesLignes; f++) {
    auto fam = static_cast<TFamilleLignes>(f);
    if (o.Nombres[f] > 0) {
      int& n = fam == flSections         ? doc.Grille.NbSec
               : fam == flLignesEau      ? doc.Grille.NbLE
               : fam == flLongitudinales ? doc.Grille.NbLong
                                         : doc.Grille.NbDiag;
      n = o.Nombres[f];
    }
    if (o.Nombres[f] > 0 || !documentLu) AutoStand(doc, fam);
  }
  doc.Grille.NumSc = std::clamp(doc.Grille.NumSc, 1, std::max(1, doc.Grille.NbSec));
  ReconstruitTablesCoupes(doc);
}

}  // namespace lignes_cli
