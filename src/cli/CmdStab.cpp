// "stab": the righting-arm curve of a document's floating surfaces, as the
// stability window computes it: the step table and the synthesis, in text or
// JSON, with a progress bar on a terminal.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/Chaines.h"
#include "base/Encodage.h"
#include "cli/BargeCli.h"
#include "cli/Commandes.h"
#include "naval/Criteres.h"
#include "naval/Hydrostat.h"
#include "naval/Poids.h"
#include "naval/Stab.h"
#include "session/ObjCom.h"
#include "session/Verification.h"

namespace {

struct TOptionsStab {
  std::string Fichier, Barge, Cg;
  TConditionsStab Conditions;
  double Poids = 0;
  bool PoidsDonne = false;
  bool Json = false;
  int Precision = 0;
  bool Criteres = false;
  double AngleEnvahissement = 0;  // degrees; 0: none
  std::string Cote = "-x";
};

// "--side": the side that goes down.
int LitCote(const std::string& t) {
  std::string c = t;
  for (char& x : c) x = static_cast<char>(std::tolower(static_cast<unsigned char>(x)));
  if (c == "-x") return 1;
  if (c == "+x") return -1;
  throw TErreurCli("--side expects -x or +x (the side that goes down), not '" + t + "'");
}

// The refusals, each naming the bad value before the program's message, ahead of any work.
void VerifieOptionsStab(const TConditionsStab& c) {
  auto refuse = [](const char* option, double v, const std::string& message) {
    throw TErreurCli(std::string(option) + " " + Format("%g", v) + ": " + message);
  };
  if (!(std::isfinite(c.AngleMax) && c.AngleMax >= 0 && c.AngleMax <= AngleMaxStab))
    refuse("--max", c.AngleMax, rs("rsStabAngleMax"));
  if (!(std::isfinite(c.Pas) && c.Pas > 0)) refuse("--step", c.Pas, rs("rsStabPasIncorrect"));
  if (c.Pas > c.AngleMax)
    refuse("--step", c.Pas, rs("rsStabPasIncorrect") + " (--max " + Format("%g", c.AngleMax) + ")");
  const int n = NombreEtapes(c.AngleMax, c.Pas);
  if (n < 2 || n > MaxEtapesStab)
    refuse("--step", c.Pas,
           rs("rsStabPasIncorrect") + " (" + std::to_string(MaxEtapesStab) + " steps at most)");
  if (!(std::isfinite(c.Densite) && c.Densite > 0)) refuse("--rho", c.Densite, rs("rsStabDensite"));
  if (!(std::isfinite(c.TolEnfoncement) && c.TolEnfoncement > 0))
    refuse("--tol", c.TolEnfoncement, rs("rsStabTolerance"));
  if (c.CorrectionAssiette && !(std::isfinite(c.TolAssiette) && c.TolAssiette > 0))
    refuse("--trim-tol", c.TolAssiette, rs("rsStabTolerance"));
}

TVertex3f LitCentre(const std::string& texte) {
  double v[3];
  size_t pos = 0;
  for (int k = 0; k < 3; k++) {
    size_t f = texte.find(',', pos);
    if ((k < 2) != (f != std::string::npos) ||
        !LitReel(texte.substr(pos, f == std::string::npos ? f : f - pos), v[k]))
      throw TErreurCli("--cg expects X,Y,Z in metres, not '" + texte + "'");
    pos = f + 1;
  }
  return {v[0], v[1], v[2]};
}

int Stab(const TOptionsStab& o) {
  TConditionsStab conditions = o.Conditions;
  conditions.Cote = LitCote(o.Cote);
  VerifieOptionsStab(conditions);
  if (o.PoidsDonne && !(std::isfinite(o.Poids) && o.Poids > 0))
    throw TErreurCli("--weight " + Format("%g", o.Poids) + ": " + rs("rsStabPoidsManquant"));
  if (o.Criteres && !(std::isfinite(o.AngleEnvahissement) && o.AngleEnvahissement >= 0))
    throw TErreurCli("--flooding-angle " + Format("%g", o.AngleEnvahissement) +
                     ": must be 0 (none) or above");
  if (o.Criteres && o.Conditions.AngleMax < 40)
    throw TErreurCli("--max " + Format("%g", o.Conditions.AngleMax) +
                     ": the criteria need the curve up to 40 degrees");
  TDocument doc;
  if (!o.Barge.empty())
    ConstruitBargeCli(doc, o.Barge);
  else
    ChargeDocumentCli(doc, o.Fichier);
  if (o.Precision > 0) ChangePrecision(doc, o.Precision);
  TStab st;
  st.Conditions = conditions;
  MajSurface(doc, true, -1);  // forced: the total weight is recomputed with the surfaces
  st.Init(doc);
  if (o.PoidsDonne)
    st.Poids.Valeur = o.Poids;
  else if (std::string d = DefautPoidsTotal(doc); !d.empty())
    throw TErreurCli(d);
  if (!o.Cg.empty()) st.Poids.Centre = LitCentre(o.Cg);
  // Nobody can answer the iteration question here: the sweep goes on and the step is flagged.
  st.DemandeArret = [] { return false; };
  TBarreProgression barre;
  st.Progression = [&barre](int total, int fait) { barre.Montre(total, fait); };
  for (const auto& a : ControleCarene(doc, PorteeCalc(doc)))
    std::cerr << "brivane-cli: warning: " << a << "\n";
  AvertitVerification(doc, PorteeCalc(doc), fcCarene | fcPoids);
  std::string err = st.CalcStab();
  if (!err.empty()) throw TErreurCli(err);
  std::vector<TResultatCritere> criteres;
  TEvaluationCriteres ev;
  if (o.Criteres) {
    ev = EvalueCriteres(st, doc.ListeReperesEnv, o.AngleEnvahissement, Reglements().at(0));
    criteres = ev.Resultats;
  }
  auto verdict = [](const TResultatCritere& c) {
    return rs(!c.Evalue ? "rsCritNonEvalue" : c.Satisfait ? "rsCritSatisfait" : "rsCritNonSatisfait");
  };

  const std::vector<std::string> entete = EnteteTableGZ();
  const std::vector<TLigneSynthese> synthese = Synthese(st);
  const TResumeStab resume = ResumeStab(st.Etapes);
  if (o.Json) {
    nlohmann::json j;
    j["steps"] = nlohmann::json::array();
    for (const auto& e : st.Etapes) {
      const double v[12] = {e.Gite,        e.Assiette,    -e.Enfoncement, e.CC.Centre.X,
                            e.CC.Centre.Y, e.CC.Centre.Z, e.CG.Centre.X,  e.CG.Centre.Y,
                            e.CG.Centre.Z, e.GZ(),        e.Moment(),     e.SurfMouillee};
      nlohmann::json s = nlohmann::json::object();
      for (size_t c = 0; c < entete.size(); c++) s[entete[c]] = v[c];
      // An equilibrium that was not found has no arm to report.
      if (!e.Converge) s[entete[9]] = nullptr, s[entete[10]] = nullptr;
      s["converged"] = e.Converge;
      s["equilibrium_error"] = e.EcartDeplacement;
      if (conditions.CorrectionAssiette) s["trim_error_deg"] = e.EcartAssiette;
      j["steps"].push_back(s);
    }
    j["synthesis"] = nlohmann::json::array();
    for (const auto& l : synthese)
      // Every value a number, as readers expect (the side is given as "side").
      if (!l.Titre && l.Libelle != rs("rsStabCote") && l.Libelle != rs("rsStabSigneAssiette"))
        j["synthesis"].push_back({{"label", l.Libelle}, {"value", l.Nombre}});
    if (o.Criteres) {
      j["criteria"] = nlohmann::json::array();
      for (const auto& c : criteres)
        j["criteria"].push_back({{"label", c.Libelle},
                                 {"required", c.Requis},
                                 {"attained", c.Evalue ? nlohmann::json(c.Obtenu) : nlohmann::json(nullptr)},
                                 {"pass", c.Satisfait}});
      j["criteria_gm"] = ev.GM;
      j["criteria_flooding_angle"] = ev.AngleEnvahissement;
      j["criteria_flooding_point"] = ev.PointEnvahissement;
      j["criteria_side"] = NomCote(ev.Cote);
      j["criteria_both_sides"] = ev.DeuxCotes;
      j["criteria_max_gz_angle"] = ev.Max.Angle;
    }
    j["side"] = NomCote(conditions.Cote);
    if (conditions.CorrectionAssiette) j["trim_sign"] = "+Y up";
    std::cout << j.dump(2) << "\n";
  } else {
    std::cout << rs("rsStabCaption") << "\n" << rs("rsStabCote") << " " << NomCote(conditions.Cote) << "\n";
    if (conditions.CorrectionAssiette)
      std::cout << rs("rsStabSigneAssiette") << " " << rs("rsStabAssiettePositive") << "\n";
    std::cout << "\n";
    std::vector<std::vector<std::string>> table{entete};
    for (const auto& e : st.Etapes) table.push_back(LigneTableGZ(e));
    ImprimeTable(table);
    if (resume.NbNonConverges > 0) std::cout << rs("rsStabNoteNonConverge") << "\n";
    std::cout << "\n" << rs("rsStabSynthese") << "\n";
    size_t larg = 0;
    for (const auto& l : synthese) larg = std::max(larg, LongueurUtf8(l.Libelle));
    for (const auto& l : synthese) {
      if (l.Titre)
        std::cout << "\n" << l.Libelle << "\n";
      else
        std::cout << "  " << l.Libelle << std::string(larg - LongueurUtf8(l.Libelle), ' ') << "  " << l.Valeur
                  << "\n";
    }
    if (o.Criteres) {
      std::cout << "\n" << rs(Reglements().at(0).Cle) << "\n\n";
      std::vector<std::vector<std::string>> t{
          {rs("rsCritCritere"), rs("rsCritRequis"), rs("rsCritObtenu"), rs("rsCritResultat")}};
      for (const auto& c : criteres)
        t.push_back({c.Libelle, TexteReel(c.Requis, 3), c.Evalue ? TexteReel(c.Obtenu, 4) : "-", verdict(c)});
      ImprimeTable(t);
      for (const std::string& l : NotesCriteres(ev)) std::cout << l << "\n";
    }
  }
  if (resume.NbNonConverges > 0)
    std::cerr << "brivane-cli: " << resume.NbNonConverges << " " << rs("rsStabSynNonConverges") << "\n";
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsStab>();
  CLI::App* c =
      app.add_subcommand("stab", "Stability: righting arm GZ and moment against heel, and their synthesis");
  c->add_option("file", o->Fichier, "Document (.kvb); the default new document when absent");
  c->add_option("--barge", o->Barge,
                "Instead of a document, a box barge of breadth B, length L, draft T, depth D")
      ->type_name("B,L,T,D");
  c->add_option("--max", o->Conditions.AngleMax, "Largest heel, degrees")->capture_default_str();
  c->add_option("--step", o->Conditions.Pas, "Heel step, degrees")->capture_default_str();
  c->add_option("--weight", o->Poids, "Weight in kg (default: the document's total)")
      ->each([o](const std::string&) { o->PoidsDonne = true; });
  c->add_option("--cg", o->Cg, "Centre of gravity (default: the document's total)")->type_name("X,Y,Z");
  c->add_option("--rho", o->Conditions.Densite, "Water density, tonnes per m3")->capture_default_str();
  c->add_option("--tol", o->Conditions.TolEnfoncement, "Sinkage tolerance, percent of the weight")
      ->capture_default_str();
  c->add_flag("--trim", o->Conditions.CorrectionAssiette, "Also find the trim that puts B under G");
  c->add_option("--trim-tol", o->Conditions.TolAssiette, "Trim tolerance, degrees")->capture_default_str();
  c->add_flag("--json", o->Json, "Machine-readable output");
  c->add_option("--precision", o->Precision, "Evaluation precision, 1..200")->check(CLI::Range(1, 200));
  c->add_flag("--criteria", o->Criteres, "Check the IMO 2008 general intact-stability criteria on the curve");
  c->add_option(
      "--flooding-angle", o->AngleEnvahissement,
      "Flooding angle for the criteria, degrees (0: none; the document's flooding points also count)");
  c->add_option("--side", o->Cote, "The side that goes down: -x (default) or +x")->capture_default_str();
  return [c, o]() { return c->parsed() ? Stab(*o) : -1; };
}}};

}  // namespace
