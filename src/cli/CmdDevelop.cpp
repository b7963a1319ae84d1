// "develop": the flat pattern of a ruled surface with its error list, ruling by ruling;
// "thickness": the document written with the offset of a surface added.
#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/Chaines.h"
#include "cli/Commandes.h"
#include "document/GestFich.h"
#include "session/DevSurf.h"
#include "session/Epaisseur.h"
#include "session/ObjCom.h"

namespace {

int Surface(const TDocument& doc, const std::string& nom) {
  int k = SurfNom2Num(doc, nom);
  if (k < 0) {
    std::string noms;
    for (int i = 0; i < doc.NbSurf(); i++) noms += (i ? ", " : "") + doc.Surf(i).Nom;
    throw TErreurCli("no surface named \"" + nom + "\" (surfaces: " + noms + ")");
  }
  return k;
}

struct TOptionsDevelop {
  std::string Fichier, Surface;
  bool Json = false;
  int Precision = 0;  // --precision, else the document's
};

int Develop(const TOptionsDevelop& o) {
  TDocument doc;
  ChargeDocumentCli(doc, o.Fichier);
  const int k = Surface(doc, o.Surface);
  if (!SurfaceDeveloppable(doc.Surf(k))) throw TErreurCli(o.Surface + ": " + rs("rsDevNonReglee"));
  TMessagesCollectes messages;
  if (o.Precision > 0) ChangePrecision(doc, o.Precision);  // the pattern follows the grid
  MajSurface(doc, true, k);
  TArrayVertex3f patron;
  std::vector<TErreurDev> erreurs;
  std::string message;
  if (!DevelopSNURBS(*doc.SurfNurbs(k), patron, erreurs, &message))
    throw TErreurCli(o.Surface + ": " + message);
  Avertit(messages);
  double emax = 0;
  for (const auto& e : erreurs) emax = std::max(emax, e.Erreur);
  auto longueur = [](const std::vector<TVertex3f>& l) {
    double s = 0;
    for (size_t i = 1; i < l.size(); i++) s += Distance3D(l[i - 1], l[i]);
    return s;
  };
  const std::string nom = doc.Surf(k).Nom + "_DEV";
  if (o.Json) {
    nlohmann::json j;
    j["surface"] = doc.Surf(k).Nom;
    j["pattern"] = nom;
    auto rang = [](const std::vector<TVertex3f>& l) {
      nlohmann::json a = nlohmann::json::array();
      for (const auto& p : l) a.push_back({p.X, p.Y});
      return a;
    };
    j["edge_a"] = rang(patron[0]);
    j["edge_b"] = rang(patron[1]);
    j["length_a"] = longueur(patron[0]);
    j["length_b"] = longueur(patron[1]);
    j["area"] = AirePatron(patron);
    j["errors"] = nlohmann::json::array();
    for (const auto& e : erreurs) j["errors"].push_back({{"ruling", e.Directrice}, {"error", e.Erreur}});
    j["max_error"] = emax;
    std::cout << j.dump(2) << "\n";
    return CodeSortieLecture();
  }
  std::cout << rs("rsDevSurfFormCaption") << ": " << doc.Surf(k).Nom << " -> " << nom << "\n\n";
  std::cout << "Flat pattern (plane Z = 0), " << patron[0].size() << " rulings\n";
  std::cout << Format("Edge A length %.4f m, edge B length %.4f m, area %.4f m2\n\n", longueur(patron[0]),
                      longueur(patron[1]), AirePatron(patron));
  std::vector<std::vector<std::string>> t{{rs("rsDirectrice"), "A x", "A y", "B x", "B y", rs("rsErreur")}};
  for (size_t j = 0; j < patron[0].size(); j++)
    t.push_back({std::to_string(erreurs[j].Directrice), Format("%.4f", patron[0][j].X),
                 Format("%.4f", patron[0][j].Y), Format("%.4f", patron[1][j].X),
                 Format("%.4f", patron[1][j].Y), Format("%.6f", erreurs[j].Erreur)});
  ImprimeTable(t);
  std::cout << Format("\nLargest error %.6f m\n", emax);
  return CodeSortieLecture();
}

struct TOptionsEpaisseur {
  std::string Fichier, Surface, Sortie;
  double Epaisseur = 0;
  bool Exterieur = false;
  bool AvecPoids = false;
};

int Thickness(const TOptionsEpaisseur& o) {
  TDocument doc;
  ChargeDocumentCli(doc, o.Fichier);
  if (!doc.FichierLuAvecErreurs.empty() && MemeFichier(o.Fichier, o.Sortie))
    throw TErreurCli(o.Fichier + " was read with errors; not written over: give another output");
  // Nobody is there to answer the question the window asks first.
  if (FichierLectureSeule(o.Sortie)) throw TErreurCli(o.Sortie + " is read-only; not written over");
  doc.FichierLuAvecErreurs.clear();
  const int k = Surface(doc, o.Surface);
  TMessagesCollectes messages;
  int nouvelle = -1;
  const std::string refus = AjouteEpaisseur(doc, k, o.Epaisseur, !o.Exterieur, &nouvelle, o.AvecPoids);
  if (!refus.empty()) throw TErreurCli(rs(refus));
  std::vector<int> nums;
  for (int i = 0; i < doc.NbSurf(); i++) nums.push_back(i);
  std::string erreur;
  if (!EnregistrerFichier(doc, nums, o.Sortie, &erreur)) throw TErreurCli(erreur);
  Avertit(messages);
  std::cout << o.Sortie << ": surface \"" << doc.Surf(nouvelle).Nom << "\" added, "
            << Format("%.4f", o.Epaisseur) << " m " << (o.Exterieur ? "outside" : "inside") << " \""
            << doc.Surf(k).Nom << "\"\n";
  return 0;
}

TEnregistreCommande regDev{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsDevelop>();
  CLI::App* c =
      app.add_subcommand("develop", "Flat pattern of a ruled surface and its error list, ruling by ruling");
  c->add_option("file", o->Fichier, "Document (.kvb)")->required();
  c->add_option("--surface", o->Surface, "Name of the surface to develop")->required();
  c->add_flag("--json", o->Json, "Machine-readable output");
  c->add_option("--precision", o->Precision, "Evaluation precision, 1..200")->check(CLI::Range(1, 200));
  return [c, o]() { return c->parsed() ? Develop(*o) : -1; };
}}};

TEnregistreCommande regEp{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsEpaisseur>();
  CLI::App* c =
      app.add_subcommand("thickness", "Write the document with the offset of a surface at a thickness added");
  c->add_option("file", o->Fichier, "Document (.kvb)")->required();
  c->add_option("--surface", o->Surface, "Name of the surface to offset")->required();
  c->add_option("--thickness", o->Epaisseur, "Distance in metres")->required();
  c->add_flag("--outside", o->Exterieur, "Offset to the outer side (default: inner side)");
  c->add_flag("--with-weight", o->AvecPoids,
              "The new surface keeps its source's weight model (default: it weighs nothing, the source "
              "counts the plating)");
  c->add_option("output", o->Sortie, "Document to write (.kvb)")->required();
  return [c, o]() { return c->parsed() ? Thickness(*o) : -1; };
}}};

}  // namespace
