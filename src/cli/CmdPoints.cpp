// "points": the evaluated grids of each surface of a document or of a starting
// shape, with normals, mirror images and Gaussian curvature, for checking the
// evaluator from scripts and tests.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/Chaines.h"
#include "cli/Commandes.h"
#include "session/ObjCom.h"

namespace {

struct TOptionsPoints {
  std::string Fichier;
  bool AvecForme = false;
  int Forme = 0;  // --template
  bool AvecPrecision = false;
  int Precision = 0;  // --precision, else the document's
  std::string Surface;
  bool Courbure = false;
  bool Json = false;
};

// The orders the new-surface dialog presets for each starting shape (longitudinal, transverse).
TOptionsNouvelleSurface OptionsForme(int forme) {
  TOptionsNouvelleSurface o;
  switch (forme) {
    case 0:
      o.FlexLongitudinale = 4, o.FlexTransversale = 4;
      break;
    case 4:
    case 5:
      o.FlexLongitudinale = 2, o.FlexTransversale = 4;
      break;
    case 6:
      o.FlexLongitudinale = 4, o.FlexTransversale = 2;
      break;
    default:
      o.FlexLongitudinale = 2, o.FlexTransversale = 2;
      break;
  }
  return o;
}

void ChargeDocument(TDocument& doc, const TOptionsPoints& o) {
  if (!o.AvecForme) {
    ChargeDocumentCli(doc, o.Fichier);
    return;
  }
  if (!o.Fichier.empty()) throw TErreurCli("give a document or --template, not both");
  if (o.Forme < 0 || o.Forme >= NbFormesDepart)
    throw TErreurCli("--template takes a starting shape 0.." + std::to_string(NbFormesDepart - 1));
  doc.Vider();
  std::string refus = NouvelleSurface(doc, "Surface1", o.Forme, OptionsForme(o.Forme));
  if (!refus.empty()) throw TErreurCli("cannot create the starting shape: " + rs(refus));
  ChangeCurrentPC(doc, {0, 0, 0});
  doc.Modifie = false;
}

// "%.4f" without the "-0.0000" of values that round to zero.
std::string R4(double v) { return Reel4(std::abs(v) < 5e-5 ? 0.0 : v); }

nlohmann::ordered_json Grille(const TArrayVertex3f& g, int n, int m) {
  nlohmann::ordered_json lignes = nlohmann::ordered_json::array();
  for (int i = 0; i <= n; i++) {
    nlohmann::ordered_json l = nlohmann::ordered_json::array();
    for (int j = 0; j <= m; j++) l.push_back({g[i][j].X, g[i][j].Y, g[i][j].Z});
    lignes.push_back(std::move(l));
  }
  return lignes;
}

int Points(const TOptionsPoints& o) {
  TDocument doc;
  ChargeDocument(doc, o);
  int seule = -1;
  if (!o.Surface.empty()) {
    seule = SurfNom2Num(doc, o.Surface);
    if (seule < 0) throw TErreurCli("no surface named \"" + o.Surface + "\"");
  }
  for (int k = 0; k < doc.NbSurf(); k++) {
    if (TSurface* s = doc.SurfNurbs(k)) s->AvecCourbure = o.Courbure;
    doc.Surf(k).MarqueNonCalculee();
  }
  // The precision is kept within 1..200 by ChangePrecision, whatever was asked.
  if (o.AvecPrecision) ChangePrecision(doc, o.Precision);
  // Hidden surfaces too: the caller asked for every grid.
  MajSurface(doc, true, -1);

  nlohmann::ordered_json j;
  j["surfaces"] = nlohmann::ordered_json::array();
  for (int k = 0; k < doc.NbSurf(); k++) {
    if (seule >= 0 && k != seule) continue;
    const TEntity& e = doc.Surf(k);
    const TSurface* s = dynamic_cast<const TSurface*>(&e);
    const int n = e.NbLnPt, m = e.NbColPt;
    if (o.Json) {
      nlohmann::ordered_json js = {{"name", e.Nom}, {"rows", n + 1}, {"cols", m + 1}};
      js["points"] = Grille(e.Pts, n, m);
      js["normals"] = Grille(e.Normales, n, m);
      if (e.Sym) js["mirror"] = Grille(e.PtsSym, n, m);
      if (o.Courbure && s) {
        nlohmann::ordered_json c = nlohmann::ordered_json::array();
        for (int i = 0; i <= n; i++) {
          nlohmann::ordered_json l = nlohmann::ordered_json::array();
          for (int jj = 0; jj <= m; jj++) l.push_back(s->Gauss(i, jj));
          c.push_back(std::move(l));
        }
        js["curvature"] = std::move(c);
      }
      j["surfaces"].push_back(std::move(js));
      continue;
    }
    std::printf("Surface %s: %d x %d\n", e.Nom.c_str(), n + 1, m + 1);
    for (int i = 0; i <= n; i++)
      for (int jj = 0; jj <= m; jj++) {
        const TVertex3f &p = e.Pts[i][jj], &nr = e.Normales[i][jj];
        std::printf("%d %d  %s %s %s  %s %s %s", i, jj, R4(p.X).c_str(), R4(p.Y).c_str(), R4(p.Z).c_str(),
                    R4(nr.X).c_str(), R4(nr.Y).c_str(), R4(nr.Z).c_str());
        if (o.Courbure && s) std::printf("  %.6g", s->Gauss(i, jj));
        std::printf("\n");
      }
  }
  if (o.Json) std::cout << j.dump() << "\n";
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsPoints>();
  CLI::App* c =
      app.add_subcommand("points", "Evaluated grids of the surfaces: points, normals, mirror, curvature");
  c->add_option("file", o->Fichier, "Document (.kvb); the default new document when absent");
  CLI::Option* forme =
      c->add_option("--template", o->Forme, "Evaluate a starting shape 0..6 instead of a document");
  CLI::Option* precision = c->add_option("--precision", o->Precision, "Parameter steps each way (1..200)");
  c->add_option("--surface", o->Surface, "Only the surface of this name");
  c->add_flag("--curvature", o->Courbure, "Gaussian curvature at every grid point");
  c->add_flag("--json", o->Json, "Machine-readable output");
  return [c, o, forme, precision]() {
    if (!c->parsed()) return -1;
    o->AvecForme = forme->count() > 0;
    o->AvecPrecision = precision->count() > 0;
    return Points(*o);
  };
}}};

}  // namespace
