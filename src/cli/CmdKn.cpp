// "kn": cross curves of stability, KN at given displacements and heels, in text,
// JSON or CSV.
#include <cmath>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/Chaines.h"
#include "base/FichierStr.h"
#include "cli/BargeCli.h"
#include "cli/Commandes.h"
#include "naval/Criteres.h"
#include "naval/Hydrostat.h"
#include "session/ObjCom.h"
#include "session/Verification.h"

namespace {

struct TOptionsKN {
  std::string Fichier, Barge, Deplacements, Gites = "0:90:10", Csv;
  TConditionsStab Conditions;
  int Precision = 0;
  bool Json = false;
  std::string Cote = "-x";
};

std::vector<double> LitDeplacements(const std::string& texte) {
  std::vector<double> r;
  std::stringstream ss(texte);
  std::string x;
  while (std::getline(ss, x, ',')) {
    double v = 0;
    if (!LitReel(x, v) || !std::isfinite(v) || v <= 0)
      throw TErreurCli("--displacements: '" + x + "' is not a mass above 0 kg");
    r.push_back(v);
  }
  if (r.empty()) throw TErreurCli("--displacements: at least one mass in kg is needed");
  return r;
}

int KN(const TOptionsKN& o) {
  const std::vector<double> deplacements = LitDeplacements(o.Deplacements);
  double debut = 0, fin = 0, pas = 0;
  LitTriplet("--heels", o.Gites, debut, fin, pas);
  if (debut != 0) throw TErreurCli("--heels " + o.Gites + ": the heels start at 0");
  TConditionsStab c = o.Conditions;
  c.AngleMax = fin, c.Pas = pas;
  if (o.Cote == "-x" || o.Cote == "-X")
    c.Cote = 1;
  else if (o.Cote == "+x" || o.Cote == "+X")
    c.Cote = -1;
  else
    throw TErreurCli("--side expects -x or +x (the side that goes down), not '" + o.Cote + "'");
  if (!(fin >= 0 && fin <= AngleMaxStab))
    throw TErreurCli("--heels " + o.Gites + ": the largest heel must lie within 0..180 degrees");
  const int n = NombreEtapes(fin, pas);
  if (!(pas > 0 && pas <= fin) || n < 2 || n > MaxEtapesStab)
    throw TErreurCli("--heels " + o.Gites +
                     ": the step must be above 0, at most the largest heel, and give at most " +
                     std::to_string(MaxEtapesStab) + " heels");
  if (!(c.Densite > 0)) throw TErreurCli("--rho " + Format("%g", c.Densite) + ": must be above 0");
  if (!(c.TolEnfoncement > 0))
    throw TErreurCli("--tol " + Format("%g", c.TolEnfoncement) + ": must be above 0");

  TDocument doc;
  if (!o.Barge.empty())
    ConstruitBargeCli(doc, o.Barge);
  else
    ChargeDocumentCli(doc, o.Fichier);
  if (o.Precision > 0) ChangePrecision(doc, o.Precision);
  MajSurface(doc, true, -1);
  const TListSurf portee = PorteeCalc(doc);
  for (const auto& a : ControleCarene(doc, portee)) std::cerr << "brivane-cli: warning: " << a << "\n";
  AvertitVerification(doc, portee, fcCarene);
  if (std::string d = DefautPoidsSommets(doc, portee); !d.empty()) throw TErreurCli(d);
  TDoubleSurfList copies;
  for (int k : portee) copies.AddSurf(doc.Surf(k));
  const double zK = ZQuille(doc, portee);

  TBarreProgression barre;
  TSuiviCalcul suivi;
  suivi.Progression = [&barre](int total, int fait) { barre.Montre(total, fait); };
  std::string err;
  const auto courbes = CalcKN(copies, zK, deplacements, c, err, &suivi);
  if (!err.empty()) throw TErreurCli(err);

  std::vector<double> gites;
  if (!courbes.empty())
    for (const auto& p : courbes[0].Points) gites.push_back(p.Gite);
  int nonConverges = 0;
  for (const auto& k : courbes)
    for (const auto& p : k.Points) nonConverges += !p.Converge;
  if (!o.Csv.empty()) {
    std::vector<std::string> entete{"Déplacement [Kg]", "LCG [m]"};
    for (double g : gites) entete.push_back("KN " + TexteReel(g, 2));
    std::vector<std::vector<double>> lignes;
    for (const auto& k : courbes) {
      std::vector<double> l{k.Deplacement, k.LCG};
      for (const auto& p : k.Points) l.push_back(p.Converge ? p.KN : std::nan(""));
      lignes.push_back(l);
    }
    EcritCsv(o.Csv, entete, lignes);
  } else if (o.Json) {
    nlohmann::json j;
    j["zK"] = zK;
    j["trim"] = c.CorrectionAssiette;
    j["curves"] = nlohmann::json::array();
    for (const auto& k : courbes) {
      nlohmann::json cj = {
          {"displacement", k.Deplacement}, {"lcg", k.LCG}, {"points", nlohmann::json::array()}};
      for (const auto& p : k.Points)
        cj["points"].push_back({{"heel", p.Gite},
                                {"kn", p.Converge ? nlohmann::json(p.KN) : nlohmann::json(nullptr)},
                                {"trim", p.Assiette},
                                {"converged", p.Converge}});
      j["curves"].push_back(cj);
    }
    std::cout << j.dump(2) << "\n";
  } else {
    std::cout << "Brivane - " << rs("rsCourbesKN") << "\n\n";
    std::cout << "K (Z) [m]  " << TexteReel(zK, 4) << "\n\n";
    std::vector<std::vector<std::string>> t{{"Déplacement [Kg]"}};
    for (double g : gites) t[0].push_back(TexteReel(g, 2) + "°");
    for (const auto& k : courbes) {
      std::vector<std::string> l{TexteReel(k.Deplacement, 1)};
      for (const auto& p : k.Points) l.push_back(p.Converge ? TexteReel(p.KN, 4) : rs("rsStabNonConverge"));
      t.push_back(l);
    }
    ImprimeTable(t);
  }
  if (nonConverges > 0)
    std::cerr << "brivane-cli: " << nonConverges << " " << rs("rsStabSynNonConverges") << "\n";
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsKN>();
  CLI::App* c = app.add_subcommand("kn", "Cross curves of stability: KN at given displacements and heels");
  c->add_option("file", o->Fichier, "Document (.kvb); the default new document when absent");
  c->add_option("--barge", o->Barge,
                "Instead of a document, a box barge of breadth B, length L, draft T, depth D")
      ->type_name("B,L,T,D");
  c->add_option("--displacements", o->Deplacements, "Displacements in kg, comma-separated")
      ->type_name("KG,KG,...")
      ->required();
  c->add_option("--heels", o->Gites, "Heels from 0 to MAX by STEP, degrees")
      ->type_name("0:MAX:STEP")
      ->capture_default_str();
  c->add_flag("--trim", o->Conditions.CorrectionAssiette, "Free trim: find the trim at every heel");
  c->add_option("--rho", o->Conditions.Densite, "Water density, tonnes per m3")->capture_default_str();
  c->add_option("--tol", o->Conditions.TolEnfoncement, "Sinkage tolerance, percent of the displacement")
      ->capture_default_str();
  c->add_option("--precision", o->Precision, "Evaluation precision, 1..200")->check(CLI::Range(1, 200));
  c->add_flag("--json", o->Json, "Machine-readable output");
  c->add_option("--side", o->Cote, "The side that goes down: -x (default) or +x")->capture_default_str();
  c->add_option("--csv", o->Csv, "Write CSV to this file ('-': standard output) instead of text")
      ->type_name("OUT");
  return [c, o]() { return c->parsed() ? KN(*o) : -1; };
}}};

}  // namespace
