// "hydro": the hydrostatic particulars of a document at its waterline Z = 0.
#include <cmath>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/Chaines.h"
#include "cli/Commandes.h"
#include "naval/Flottaison.h"
#include "naval/Hydrostat.h"
#include "naval/Poids.h"
#include "naval/TableHydro.h"
#include "session/ObjCom.h"
#include "session/Verification.h"

namespace {

struct TOptionsHydro {
  std::string Fichier;
  std::string Surfaces;
  int Sections = 0;  // 0: twice the precision plus one, as the window proposes
  int Precision = 0;
  bool Json = false;
  bool Courbe = false;
  std::string Table;  // Z0:Z1:N
  std::string Csv;    // file, or "-"
  // An attitude instead of the hull as drawn: any of the three given.
  double Tirant = 0, Assiette = 0, Gite = 0;
  bool AvecAttitude = false;
};

constexpr int MaxLignesTable = 1000;

// The table of particulars at N waterlines from Z0 to Z1.
int Table(const TOptionsHydro& o, TDocument& doc, const TListSurf& portee, int nbSections,
          const TBarycentre& g) {
  double z0 = 0, z1 = 0, n = 0;
  LitTriplet("--table", o.Table, z0, z1, n);
  if (n != std::floor(n) || n < 1 || n > MaxLignesTable)
    throw TErreurCli("--table " + o.Table + ": the number of waterlines must be a whole number within 1.." +
                     std::to_string(MaxLignesTable));
  AvertitVerification(doc, portee, fcCarene | fcPoids);
  TBarreProgression barre;
  TSuiviCalcul suivi;
  suivi.Progression = [&barre](int total, int fait) { barre.Montre(total, fait); };
  const bool avecPoids = g.Valeur > 0;
  auto t = TableHydrostatique(doc, portee, HauteursTable(z0, z1, static_cast<int>(n)), nbSections,
                              avecPoids ? &g : nullptr, &suivi);
  const auto entete = EnteteTableHydro(avecPoids);
  std::vector<std::vector<double>> lignes;
  for (const auto& l : t) lignes.push_back(ValeursTableHydro(l, avecPoids));
  if (!o.Csv.empty()) {
    EcritCsv(o.Csv, entete, lignes);
  } else if (o.Json) {
    nlohmann::json j;
    j["columns"] = entete;
    j["rows"] = nlohmann::json::array();
    for (const auto& l : lignes) {
      nlohmann::json r = nlohmann::json::object();
      for (size_t c = 0; c < entete.size(); c++) r[entete[c]] = l[c];
      j["rows"].push_back(r);
    }
    std::cout << j.dump(2) << "\n";
  } else {
    std::cout << "Brivane - " << rs("rsTableHydro") << "\n\n";
    std::vector<std::vector<std::string>> texte{entete};
    for (const auto& l : lignes) {
      std::vector<std::string> r;
      for (double v : l) r.push_back(TexteReel(v, 4));
      texte.push_back(r);
    }
    ImprimeTable(texte);
  }
  return 0;
}

TListSurf Portee(const TDocument& doc, const std::string& noms) {
  if (noms.empty()) return PorteeCalc(doc);
  TListSurf l;
  std::stringstream ss(noms);
  std::string nom;
  while (std::getline(ss, nom, ',')) {
    int k = SurfNom2Num(doc, nom);
    if (k < 0) throw TErreurCli("no surface named \"" + nom + "\"");
    l.push_back(k);
  }
  return l;
}

int Hydro(const TOptionsHydro& o) {
  TDocument doc;
  ChargeDocumentCli(doc, o.Fichier);
  if (o.Precision > 0) ChangePrecision(doc, o.Precision);
  TListSurf portee = Portee(doc, o.Surfaces);
  if (portee.empty()) throw TErreurCli(rs("rsErrPorteeVide"));
  int n = o.Sections > 0 ? o.Sections : 2 * doc.Precision + 1;
  MajSurface(doc, true, -1);  // forced: the total weight gives GMt and GMl
  // A total that gives no centre of gravity gives no GMt either: said, not used.
  const std::string defautPoids = DefautPoidsTotal(doc);
  if (!defautPoids.empty() && !SansPoids(doc)) std::cerr << "brivane-cli: warning: " << defautPoids << "\n";
  const TBarycentre g{{doc.PoidsTotal.X, doc.PoidsTotal.Y, doc.PoidsTotal.Z},
                      defautPoids.empty() ? doc.PoidsTotal.Masse : 0.0};
  if (o.AvecAttitude && !o.Table.empty())
    throw TErreurCli("--table cannot be combined with --draft, --trim, --heel");
  for (double v : {o.Tirant, o.Assiette, o.Gite})
    if (!std::isfinite(v)) throw TErreurCli("--draft, --trim and --heel must be finite numbers");
  const TAttitude att{o.Tirant, o.Assiette, o.Gite, YMilieuPortee(doc, portee)};
  TResultatsHydro r =
      o.AvecAttitude ? HydroAttitude(doc, portee, att, n, &g) : CalcHydrostatiques(doc, portee, n, {}, &g);
  if (!r.SansResultat.empty()) throw TErreurCli(r.SansResultat);
  if (o.AvecAttitude) r.Avertissements = ControleCarene(doc, portee);  // of the model, not of its copy
  for (const auto& a : r.Avertissements) std::cerr << "brivane-cli: warning: " << a << "\n";
  if (!o.Table.empty()) return Table(o, doc, portee, n, g);
  AvertitVerification(doc, portee, fcCarene | fcPoids);
  // The attitude's rows come after the particulars, which keep their places.
  std::vector<std::pair<std::string, double>> attitude;
  for (const auto& l : LignesAttitude(att)) attitude.emplace_back(l.Libelle, l.Valeur);
  if (!o.Csv.empty()) {
    // The particulars as rows of group, label and value.
    std::vector<std::vector<std::string>> lignes;
    for (const auto& l : r.Lignes)
      if (!l.Titre) lignes.push_back({l.Groupe, l.Libelle, Reel4(l.Valeur)});
    if (o.AvecAttitude)
      for (const auto& [l, v] : attitude) lignes.push_back({rs("rsHydroAttitude"), l, Reel4(v)});
    EcritCsvTextes(o.Csv, {"group", "label", "value"}, lignes);
    return 0;
  }
  if (o.Json) {
    nlohmann::json j;
    j["rows"] = nlohmann::json::array();
    for (const auto& l : r.Lignes)
      if (!l.Titre) j["rows"].push_back({{"group", l.Groupe}, {"label", l.Libelle}, {"value", l.Valeur}});
    if (o.AvecAttitude)
      j["attitude"] = {{"draft", att.Tirant},
                       {"trim_deg", att.Assiette},
                       {"heel_deg", att.Gite},
                       {"reference_y", att.YRef}};
    if (o.Courbe) {
      j["curve"] = nlohmann::json::array();
      for (const auto& [y, a] : r.Courbe) j["curve"].push_back({y, a});
    }
    std::cout << j.dump(2) << "\n";
    return 0;
  }
  for (const auto& l : TexteHydro(r, doc.Proprietes)) std::cout << l << "\n";
  if (o.AvecAttitude) {
    std::cout << "\n" << rs("rsHydroAttitude") << "\n";
    for (const auto& [l, v] : attitude) std::cout << l << "\t" << Reel4(v) << "\n";
  }
  if (o.Courbe) {
    std::cout << "\n" << rs("rsCourbeAires") << "\n";
    for (const auto& [y, a] : r.Courbe) std::cout << Reel4(y) << "\t" << Reel4(a) << "\n";
  }
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsHydro>();
  CLI::App* c = app.add_subcommand("hydro", "Hydrostatic particulars at the waterline Z = 0");
  c->add_option("file", o->Fichier, "Document (.kvb); the default new document when absent");
  c->add_option("--surfaces", o->Surfaces, "Surfaces in the scope, by name, comma-separated (default: Calc)");
  c->add_option("--sections", o->Sections, "Stations per surface, 3..201 (default: 2 x precision + 1)")
      ->check(CLI::Range(3, 201));
  c->add_option("--precision", o->Precision, "Evaluation precision, 1..200")->check(CLI::Range(1, 200));
  c->add_flag("--json", o->Json, "Machine-readable output");
  c->add_flag("--curve", o->Courbe, "Also give the curve of sectional areas");
  c->add_option("--table", o->Table,
                "A table of the particulars at N waterlines from Z0 to Z1 (the hull lowered)")
      ->type_name("Z0:Z1:N");
  c->add_option("--csv", o->Csv, "Write CSV to this file ('-': standard output) instead of text")
      ->type_name("OUT");
  auto attitude = [o](const std::string&) { o->AvecAttitude = true; };
  c->add_option("--draft", o->Tirant,
                "Waterline height above the model's Z = 0 at the middle of the length, on the centre plane")
      ->each(attitude);
  c->add_option("--trim", o->Assiette, "Trim, degrees, about that point")->each(attitude);
  c->add_option("--heel", o->Gite, "Heel, degrees, about that point")->each(attitude);
  return [c, o]() { return c->parsed() ? Hydro(*o) : -1; };
}}};

}  // namespace
