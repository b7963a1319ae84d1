// "export": the DXF, IGES, text, STL and OBJ files of a document, with the
// export window's choices as options.
#include <cstdio>
#include <iostream>
#include <map>
#include <sstream>

#include "cli/Commandes.h"
#include "exchange/ExportDXF.h"
#include "exchange/ExportIGES.h"
#include "exchange/ExportSTL.h"
#include "exchange/ExportTXT.h"
#include "lines/Coupes.h"
#include "session/ObjCom.h"

namespace {

struct TOptionsCli {
  std::string Type, Fichier, Sortie, Entites, Vue;
  bool Courbes = false, Moitie = false, Couleurs = false, SansNurbs = false;
  int Precision = 0;
};

const std::map<std::string, TTypeExport> Types = {
    {"txt", teTXT}, {"dxf", teDXF}, {"iges", teIGES}, {"stl", teSTL}, {"obj", teOBJ}};
const std::map<std::string, int> Vues = {
    {"section", tvSection}, {"plan", tvPlan}, {"profile", tvProfil}, {"perspective", tvPersp}};

TOptionsExport Options(const TOptionsCli& c) {
  const TTypeExport t = Types.at(c.Type);
  TMenuVue m;
  const TAffichage& a = AffichageCalculs();
  m.Carene = a.Carene;
  m.LignesEau = a.LignesEau;
  m.Longitudinales = a.Longitudinales;
  m.Diagonales = a.Diagonales;
  m.SurfParam = a.SurfParam;
  m.Moitie = c.Moitie;
  TOptionsExport o = PreselectionExport(t, m);
  if (!c.Entites.empty() && t != teIGES) {
    o.Aretes = o.Couples = o.LignesEau = o.Longitudinales = o.Diagonales = o.SurfParam = o.Grille = o.Axes =
        false;
    std::stringstream ss(c.Entites);
    std::string x;
    const std::map<std::string, bool*> noms = {{"edges", &o.Aretes},         {"sections", &o.Couples},
                                               {"waterlines", &o.LignesEau}, {"buttocks", &o.Longitudinales},
                                               {"diagonals", &o.Diagonales}, {"surface", &o.SurfParam},
                                               {"grid", &o.Grille},          {"axes", &o.Axes}};
    while (std::getline(ss, x, ',')) {
      auto it = noms.find(x);
      if (it == noms.end()) throw TErreurCli("--entities: unknown entity '" + x + "'");
      *it->second = true;
    }
  }
  o.Maillage3D = !c.Courbes;
  if (!c.Vue.empty()) {
    if (t == teIGES) throw TErreurCli("--view: IGES is always 3D");
    o.Contexte = ContexteVue(Vues.at(c.Vue));
  }
  if (t == teIGES) {
    o.Couleurs = c.Couleurs;
    o.Nurbs = !c.SansNurbs;
  }
  return o;
}

int Export(const TOptionsCli& c) {
  TDocument doc;
  ChargeDocumentCli(doc, c.Fichier);
  const TTypeExport t = Types.at(c.Type);
  TOptionsExport o = Options(c);
  // The perspective as the document saved it (a zoom of 0 is no saved view, as in the window).
  if (!o.Contexte.Est3D() && o.Contexte.Type == tvPersp && doc.Vues[tvPersp].Echelle > 0) {
    const TVueDocument& v = doc.Vues[tvPersp];
    o.Contexte.Angle1 = v.Angle1, o.Contexte.Angle2 = v.Angle2, o.Contexte.Angle3 = v.Angle3;
  }
  if (c.Precision > 0) ChangePrecision(doc, c.Precision);
  // Every surface, visible or not, then the lines of the checked kinds.
  for (auto& s : doc.TabSurf) s->MarqueNonCalculee();
  MajSurface(doc, true, -1);
  if (t == teTXT || t == teDXF) {
    ReconstruitTablesCoupes(doc);
    if (o.Couples) CalcTabLignesSec(doc);
    if (o.LignesEau) CalcTabLignesLE(doc);
    if (o.Longitudinales) CalcTabLignesLgt(doc);
    if (o.Diagonales) CalcTabLignesDiag(doc);
  }
  TMessagesCollectes messages;
  TResultatExport r;
  switch (t) {
    case teTXT:
      r = ExportTXT(doc, c.Sortie, o);
      break;
    case teDXF:
      r = ExportDXF(doc, c.Sortie, o);
      break;
    case teIGES:
      r = ExportIGES(doc, c.Sortie, o);
      break;
    case teSTL:
      r = ExportSTL(doc, c.Sortie);
      break;
    case teOBJ:
      r = ExportOBJ(doc, c.Sortie);
      break;
  }
  Avertit(messages);
  for (const auto& m : r.Messages) std::cerr << "warning: " << m << "\n";
  if (r.RienAEcrire)
    throw TErreurCli(c.Sortie + " not written: no closed, visible body counted in the calculations");
  if (!r.Ok) throw TErreurCli("cannot write " + c.Sortie + ": " + r.Erreur);
  std::printf("%s\n", c.Sortie.c_str());
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsCli>();
  CLI::App* c = app.add_subcommand("export", "Write the DXF, IGES, text, STL or OBJ file of a document");
  c->add_option("kind", o->Type, "dxf, iges, txt, stl or obj")
      ->required()
      ->check(CLI::IsMember({"dxf", "iges", "txt", "stl", "obj"}));
  c->add_option("file", o->Fichier, "Document (.kvb)")->required();
  c->add_option("out", o->Sortie, "File to write (replaced only once complete)")->required();
  c->add_option(
      "--entities", o->Entites,
      "What to write, comma-separated: edges,sections,waterlines,buttocks,diagonals,surface,grid,axes "
      "(default: as the document's display; DXF and text)");
  c->add_flag("--curves", o->Courbes, "The surface as curves along its rows and columns, not a 3D mesh");
  c->add_option(
       "--view", o->Vue,
       "2D, as seen in that view: section, plan, profile or perspective (at the document's saved angles)")
      ->check(CLI::IsMember({"section", "plan", "profile", "perspective"}));
  c->add_flag("--half", o->Moitie, "No mirror halves (as \"Moitié\" in the view menu)");
  c->add_flag("--colours", o->Couleurs, "IGES: a colour definition for each surface");
  c->add_flag("--no-nurbs", o->SansNurbs, "IGES: no surfaces (with --colours, the colours only)");
  c->add_option("--precision", o->Precision, "Evaluation precision (grid of N + 1 points a side)")
      ->check(CLI::Range(MinPrecision, MaxPrecision));
  return [c, o]() { return c->parsed() ? Export(*o) : -1; };
}}};

}  // namespace
