// "resistance": calm-water resistance and effective power over a range of speeds, by
// Holtrop-Mennen or Savitsky, from a document's hydrostatics or from parameters given in a
// JSON file (the keys the JSON output repeats, so an output can be fed back).
#include <cmath>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/Chaines.h"
#include "cli/Commandes.h"
#include "naval/Hydrostat.h"
#include "naval/Resistance.h"
#include "session/ObjCom.h"
#include "session/Verification.h"

namespace {

struct TOptionsRes {
  std::string Fichier, Methode, Vitesses, Csv, Params, Vague = "1984";
  bool Noeuds = false, Json = false;
};

using json = nlohmann::json;

void Lit(const json& j, const char* cle, double& v) {
  if (!j.contains(cle)) return;
  if (!j[cle].is_number()) throw TErreurCli(std::string("--params: '") + cle + "' must be a number");
  v = j[cle].get<double>();
}

const char* NomArriere(TFormeArriere a) {
  return a == TFormeArriere::V ? "V" : a == TFormeArriere::U ? "U" : "normal";
}

void LitHoltrop(const json& j, TParamsHoltrop& p) {
  Lit(j, "lwl", p.Lwl), Lit(j, "bwl", p.Bwl), Lit(j, "t_aft", p.TArriere), Lit(j, "t_fore", p.TAvant);
  Lit(j, "volume", p.Volume), Lit(j, "lcb", p.Lcb), Lit(j, "cp", p.Cp), Lit(j, "cm", p.Cm),
      Lit(j, "cb", p.Cb);
  Lit(j, "cwp", p.Cwp), Lit(j, "wetted_area", p.SurfMouillee), Lit(j, "transom_area", p.AireTableau);
  Lit(j, "bulb_area", p.AireBulbe), Lit(j, "bulb_height", p.HauteurBulbe), Lit(j, "rho", p.Rho),
      Lit(j, "nu", p.Nu);
  if (j.contains("stern")) {
    const std::string s = j["stern"].is_string() ? j["stern"].get<std::string>() : "";
    if (s == "V" || s == "v")
      p.Arriere = TFormeArriere::V;
    else if (s == "U" || s == "u")
      p.Arriere = TFormeArriere::U;
    else if (s == "normal")
      p.Arriere = TFormeArriere::Normal;
    else
      throw TErreurCli("--params: 'stern' must be \"V\", \"normal\" or \"U\"");
  }
  if (j.contains("appendages")) {
    if (!j["appendages"].is_array()) throw TErreurCli("--params: 'appendages' must be a list of {area, k2}");
    p.Appendices.clear();
    for (const json& a : j["appendages"]) {
      if (!a.is_object()) throw TErreurCli("--params: 'appendages' must be a list of {area, k2}");
      TAppendice ap;
      Lit(a, "area", ap.Aire), Lit(a, "k2", ap.K2);
      p.Appendices.push_back(ap);
    }
  }
}

void LitSavitsky(const json& j, TParamsSavitsky& p) {
  Lit(j, "mass", p.Masse), Lit(j, "lcg", p.Lcg), Lit(j, "vcg", p.Vcg), Lit(j, "beam", p.Largeur);
  Lit(j, "deadrise", p.Deadrise), Lit(j, "thrust_angle", p.AnglePoussee);
  Lit(j, "thrust_offset", p.DecalagePoussee), Lit(j, "rho", p.Rho), Lit(j, "nu", p.Nu);
}

json EntreesHoltrop(const TParamsHoltrop& p) {
  json a = json::array();
  for (const TAppendice& x : p.Appendices) a.push_back({{"area", x.Aire}, {"k2", x.K2}});
  return {{"lwl", p.Lwl},
          {"bwl", p.Bwl},
          {"t_aft", p.TArriere},
          {"t_fore", p.TAvant},
          {"volume", p.Volume},
          {"lcb", p.Lcb},
          {"cp", p.Cp},
          {"cm", p.Cm},
          {"cb", p.Cb},
          {"cwp", p.Cwp},
          {"wetted_area", p.SurfMouillee > 0 ? p.SurfMouillee : SurfMouilleeHoltrop(p)},
          {"transom_area", p.AireTableau},
          {"bulb_area", p.AireBulbe},
          {"bulb_height", p.HauteurBulbe},
          {"stern", NomArriere(p.Arriere)},
          {"appendages", a},
          {"rho", p.Rho},
          {"nu", p.Nu}};
}

json EntreesSavitsky(const TParamsSavitsky& p) {
  return {{"mass", p.Masse},
          {"lcg", p.Lcg},
          {"vcg", p.Vcg},
          {"beam", p.Largeur},
          {"deadrise", p.Deadrise},
          {"thrust_angle", p.AnglePoussee},
          {"thrust_offset", p.DecalagePoussee},
          {"rho", p.Rho},
          {"nu", p.Nu}};
}

json HorsJson(const std::vector<THorsDomaine>& h) {
  json a = json::array();
  for (const THorsDomaine& x : h)
    a.push_back({{"key", x.Cle}, {"value", x.Valeur}, {"min", x.Min}, {"max", x.Max}});
  return a;
}

std::string HorsTexte(const std::vector<THorsDomaine>& h) {
  std::string t;
  for (const THorsDomaine& x : h)
    t += (t.empty() ? "" : "; ") + x.Cle + " " + Format("%.4g", x.Valeur) + " " +
         Format("(%.4g..%.4g)", x.Min, x.Max);
  return t;
}

int Resistance(const TOptionsRes& o) {
  const bool savitsky = o.Methode == "savitsky";
  if (!savitsky && o.Methode != "holtrop")
    throw TErreurCli("--method expects holtrop or savitsky, not '" + o.Methode + "'");
  if (o.Vague != "1982" && o.Vague != "1984") throw TErreurCli("--wave expects 1982 or 1984");
  if (o.Fichier.empty() && o.Params.empty()) throw TErreurCli("a document or --params is needed");
  double a = 0, b = 0, pas = 0;
  LitTriplet("--speeds", o.Vitesses, a, b, pas);
  const double unite = o.Noeuds ? Noeud : 1;
  std::vector<double> vitesses;
  try {
    vitesses = VitessesResistance(a * unite, b * unite, pas * unite);
  } catch (const TErreurResistance& e) {
    throw TErreurCli("--speeds " + o.Vitesses + ": " + e.what());
  }

  TParamsHoltrop hm;
  TParamsSavitsky sv;
  std::string source = "params";
  if (!o.Fichier.empty()) {
    TDocument doc;
    ChargeDocumentCli(doc, o.Fichier);
    MajSurface(doc, true, -1);
    const TListSurf portee = PorteeCalc(doc);
    AvertitVerification(doc, portee, fcCarene | fcPoids);
    try {
      const TParamsModele m = ParametresModele(doc, portee, TSaisieResistance{});
      hm = m.Holtrop, sv = m.Savitsky;
      source = m.Flottant ? "floating" : "z0";
      for (const auto& w : m.Avertissements) std::cerr << "brivane-cli: warning: " << w << "\n";
    } catch (const TErreurResistance& e) {
      throw TErreurCli(e.what());
    }
  }
  if (!o.Params.empty()) {
    std::ifstream in(o.Params);
    if (!in) throw TErreurCli("--params: cannot read " + o.Params);
    json j;
    try {
      j = json::parse(in);
    } catch (const json::exception& e) {
      throw TErreurCli("--params " + o.Params + ": " + e.what());
    }
    if (!j.is_object()) throw TErreurCli("--params " + o.Params + ": a JSON object is expected");
    if (savitsky)
      LitSavitsky(j, sv);
    else
      LitHoltrop(j, hm);
    if (!o.Fichier.empty()) source += "+params";
  }

  TCourbeResistance c;
  json j;
  try {
    if (savitsky) {
      c = CourbeSavitsky(sv, vitesses);
      j = EntreesSavitsky(sv);
    } else {
      c = CourbeHoltrop(hm, vitesses, o.Vague == "1982" ? TVarianteHM::hm1982 : TVarianteHM::hm1984);
      j = EntreesHoltrop(hm);
      j["wave_formulation"] = o.Vague;
    }
  } catch (const TErreurResistance& e) {
    throw TErreurCli(e.what());
  }
  j["method"] = o.Methode;
  j["source"] = source;
  j["out_of_range"] = HorsJson(c.HorsParametres);

  int sansEquilibre = 0;
  for (const auto& p : c.Points) sansEquilibre += !p.Equilibre;
  if (!o.Csv.empty()) {
    std::vector<std::string> entete{"speed [m/s]", "speed [kn]"};
    if (!c.Points.empty())
      for (const auto& [k, v] : c.Points[0].Composantes) entete.push_back(k);
    entete.insert(entete.end(), {"total [N]", "power [W]", "out_of_range"});
    std::vector<std::vector<std::string>> lignes;
    for (const auto& p : c.Points) {
      std::vector<std::string> l{Format("%.6g", p.V), Format("%.6g", p.V / Noeud)};
      for (const auto& [k, v] : p.Composantes) l.push_back(p.Equilibre ? Format("%.9g", v) : "");
      l.push_back(p.Equilibre ? Format("%.9g", p.Rt) : "");
      l.push_back(p.Equilibre ? Format("%.9g", p.Pe) : "");
      std::vector<THorsDomaine> h = c.HorsParametres;
      h.insert(h.end(), p.Hors.begin(), p.Hors.end());
      l.push_back(p.Equilibre ? HorsTexte(h) : rs("rsResSansEquilibre"));
      lignes.push_back(l);
    }
    EcritCsvTextes(o.Csv, entete, lignes);
  } else if (o.Json) {
    j["speeds"] = json::array();
    for (const auto& p : c.Points) {
      json s = {{"speed", p.V}, {"speed_knots", p.V / Noeud}, {"equilibrium", p.Equilibre}};
      for (const auto& [k, v] : p.Composantes) s[k] = p.Equilibre ? json(v) : json(nullptr);
      s["total"] = p.Equilibre ? json(p.Rt) : json(nullptr);
      s["power"] = p.Equilibre ? json(p.Pe) : json(nullptr);
      s["out_of_range"] = HorsJson(p.Hors);
      j["speeds"].push_back(s);
    }
    std::cout << j.dump(2) << "\n";
  } else {
    std::cout << "Brivane - " << rs("rsResistanceCaption") << " (" << o.Methode << ", " << source << ")\n\n";
    std::vector<std::vector<std::string>> t;
    for (const auto& [k, v] : j.items())
      if (v.is_number())
        t.push_back({k, Format("%.6g", v.get<double>())});
      else if (v.is_string())
        t.push_back({k, v.get<std::string>()});
    ImprimeTable(t, TAlignTable::PremiereGauche);
    if (!c.HorsParametres.empty())
      std::cout << rs("rsResHorsDomaine") << ": " << HorsTexte(c.HorsParametres) << "\n";
    std::cout << "\n";
    std::vector<std::vector<std::string>> r{{"V [m/s]", "V [kn]"}};
    if (savitsky)
      r[0].insert(r[0].end(), {"Cv", "trim [deg]", "porpoising [deg]"});
    else
      r[0].push_back("Fn");
    r[0].insert(r[0].end(), {"Rt [N]", "Pe [W]", "out of range"});
    for (const auto& p : c.Points) {
      std::vector<std::string> l{Format("%.3f", p.V), Format("%.3f", p.V / Noeud)};
      auto comp = [&](const char* k) {
        for (const auto& [n, v] : p.Composantes)
          if (n == k) return v;
        return 0.0;
      };
      if (savitsky) {
        l.push_back(Format("%.3f", comp("cv")));
        l.push_back(p.Equilibre ? Format("%.3f", comp("trim")) : rs("rsResSansEquilibre"));
        l.push_back(Format("%.2f", comp("porpoising_trim")));
      } else {
        l.push_back(Format("%.4f", comp("fn")));
      }
      l.push_back(p.Equilibre ? Format("%.1f", p.Rt) : "");
      l.push_back(p.Equilibre ? Format("%.0f", p.Pe) : "");
      l.push_back(HorsTexte(p.Hors));
      r.push_back(l);
    }
    ImprimeTable(r);
  }
  if (sansEquilibre > 0)
    std::cerr << "brivane-cli: " << sansEquilibre << " " << rs("rsResSansEquilibre") << "\n";
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsRes>();
  CLI::App* c = app.add_subcommand(
      "resistance",
      "Calm-water resistance and effective power by Holtrop-Mennen or Savitsky over a range of speeds");
  c->add_option("file", o->Fichier, "Document (.kvb); optional with --params");
  c->add_option("--method", o->Methode, "holtrop (displacement hull) or savitsky (planing hull)")->required();
  c->add_option("--speeds", o->Vitesses, "Speeds from A to B by STEP, m/s (knots with --knots)")
      ->type_name("A:B:STEP")
      ->required();
  c->add_flag("--knots", o->Noeuds, "Speeds in knots");
  c->add_option("--params", o->Params,
                "JSON file of parameters, replacing the document's (see the JSON output's keys)");
  c->add_option("--wave", o->Vague,
                "Holtrop-Mennen wave resistance: 1984 (three regimes) or 1982 (one formula)")
      ->capture_default_str();
  c->add_flag("--json", o->Json, "Machine-readable output");
  c->add_option("--csv", o->Csv, "Write CSV to this file ('-': standard output) instead of text");
  return [c, o]() { return c->parsed() ? Resistance(*o) : -1; };
}}};

}  // namespace
