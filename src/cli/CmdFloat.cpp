// "float": the floating position of a document at its weights (or a given mass and centre of
// gravity), with the hydrostatic particulars at that waterline.
#include <cmath>
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/Chaines.h"
#include "base/Encodage.h"
#include "base/FichierStr.h"
#include "cli/Commandes.h"
#include "naval/Flottaison.h"
#include "naval/Hydrostat.h"
#include "session/ObjCom.h"
#include "session/Verification.h"

namespace {

struct TOptionsFloat {
  std::string Fichier, Cg;
  double Poids = 0, Gite = 0, Densite = DensiteEauMer;
  bool PoidsDonne = false, GiteDonnee = false, Json = false;
  int Precision = 0, Sections = 0;
};

TVertex3f LitCg(const std::string& texte) {
  double v[3];
  size_t pos = 0;
  for (int k = 0; k < 3; k++) {
    size_t f = texte.find(',', pos);
    if ((k < 2) != (f != std::string::npos) ||
        !LitReel(texte.substr(pos, f == std::string::npos ? f : f - pos), v[k]) || !std::isfinite(v[k]))
      throw TErreurCli("--cg expects X,Y,Z in metres, not '" + texte + "'");
    pos = f + 1;
  }
  return {v[0], v[1], v[2]};
}

int Float(const TOptionsFloat& o) {
  if (o.PoidsDonne && !(std::isfinite(o.Poids) && o.Poids > 0))
    throw TErreurCli("--weight " + Format("%g", o.Poids) + ": " + rs("rsStabPoidsManquant"));
  if (!(std::isfinite(o.Densite) && o.Densite > 0))
    throw TErreurCli("--rho " + Format("%g", o.Densite) + ": " + rs("rsStabDensite"));
  if (o.GiteDonnee && !(std::isfinite(o.Gite) && std::abs(o.Gite) < 90))
    throw TErreurCli("--heel " + Format("%g", o.Gite) + ": must lie strictly between -90 and 90 degrees");
  TDocument doc;
  ChargeDocumentCli(doc, o.Fichier);
  if (o.Precision > 0) ChangePrecision(doc, o.Precision);
  const TListSurf portee = PorteeCalc(doc);
  if (portee.empty()) throw TErreurCli(rs("rsErrPorteeVide"));
  MajSurface(doc, true, -1);  // forced: the total weight is recomputed with the surfaces
  TConditionFlottaison c;
  c.Poids = {{doc.PoidsTotal.X, doc.PoidsTotal.Y, doc.PoidsTotal.Z}, doc.PoidsTotal.Masse};
  if (o.PoidsDonne) c.Poids.Valeur = o.Poids;
  if (!o.Cg.empty()) c.Poids.Centre = LitCg(o.Cg);
  c.Densite = o.Densite;
  c.GiteImposee = o.GiteDonnee;
  c.Gite = o.Gite;
  // Before the calculation, what would falsify it, on one line; "check" gives the whole list.
  AvertitVerification(doc, portee, fcCarene | fcPoids);
  const TResultatFlottaison r = Flotte(doc, portee, c);
  if (!r.Erreur.empty()) throw TErreurCli(r.Erreur);
  const int n = o.Sections > 0 ? o.Sections : 2 * doc.Precision + 1;
  const TResultatsHydro h = HydroAttitude(doc, portee, r.Attitude, n, &c.Poids);

  const std::vector<TLigneFlottaison> lignes = LignesFlottaison(r, c);

  if (o.Json) {
    nlohmann::json j;
    j["converged"] = r.Converge;
    j["iterations"] = r.Iterations;
    for (const auto& l : lignes) j[l.Cle] = l.Valeur;
    j["keel_z"] = r.ZQuille;
    if (r.AvecEnvahissement) j["flooding_point"] = r.PointEnvahissement;
    j["hydrostatics"] = nlohmann::json::array();
    for (const auto& l : h.Lignes)
      if (!l.Titre)
        j["hydrostatics"].push_back({{"group", l.Groupe}, {"label", l.Libelle}, {"value", l.Valeur}});
    std::cout << j.dump(2) << "\n";
  } else {
    std::cout << "Brivane - " << rs("rsFlotteTitre") << "\n\n";
    size_t larg = 0;
    for (const auto& l : lignes) larg = std::max(larg, LongueurUtf8(l.Libelle));
    for (const auto& l : lignes)
      std::cout << l.Libelle << std::string(larg - LongueurUtf8(l.Libelle), ' ') << "\t" << Reel4(l.Valeur)
                << "\n";
    std::cout << rs("rsFlotteIterations") << std::string(larg - LongueurUtf8(rs("rsFlotteIterations")), ' ')
              << "\t" << r.Iterations << "\n";
    if (!r.Converge) std::cout << rs("rsFlotteNonConvergee") << "\n";
    std::cout << "\n" << rs("rsFlotteHydro") << "\n";
    for (const auto& l : TexteHydro(h, doc.Proprietes)) std::cout << l << "\n";
  }
  if (!r.Converge) {
    std::cerr << "brivane-cli: " << rs("rsFlotteNonConvergee") << "\n";
    return 1;
  }
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsFloat>();
  CLI::App* c = app.add_subcommand(
      "float",
      "Floating position at the weights: sinkage, trim and heel, and the hydrostatics at that waterline");
  c->add_option("file", o->Fichier, "Document (.kvb); the default new document when absent");
  c->add_option("--weight", o->Poids, "Mass in kg (default: the document's total)")
      ->each([o](const std::string&) { o->PoidsDonne = true; });
  c->add_option("--cg", o->Cg, "Centre of gravity (default: the document's total)")->type_name("X,Y,Z");
  c->add_option("--heel", o->Gite, "Hold the heel at this angle, degrees (default: free)")
      ->each([o](const std::string&) { o->GiteDonnee = true; });
  c->add_option("--rho", o->Densite, "Water density, tonnes per m3")->capture_default_str();
  c->add_option("--sections", o->Sections, "Stations per surface for the hydrostatics, 3..201")
      ->check(CLI::Range(3, 201));
  c->add_option("--precision", o->Precision, "Evaluation precision, 1..200")->check(CLI::Range(1, 200));
  c->add_flag("--json", o->Json, "Machine-readable output");
  return [c, o]() { return c->parsed() ? Float(*o) : -1; };
}}};

}  // namespace
