// "stab": the righting-arm curve of a document's floating surfaces, as the
// stability window computes it: the step table and the synthesis, in text or
// JSON, with a progress bar on a terminal.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "app/Chaines.h"
#include "app/Encodage.h"
#include "cli/BargeCli.h"
#include "cli/Commandes.h"
#include "naval/Stab.h"

namespace {

struct TOptionsStab {
  std::string Fichier, Barge, Cg;
  TConditionsStab Conditions;
  double Poids = 0;
  bool PoidsDonne = false;
  bool Json = false;
};

TVertex3f LitCentre(const std::string& texte) {
  double v[3];
  size_t pos = 0;
  for (int k = 0; k < 3; k++) {
    size_t f = texte.find(',', pos);
    if ((k < 2) != (f != std::string::npos) || !LitReel(texte.substr(pos, f == std::string::npos ? f : f - pos), v[k]))
      throw TErreurCli("--cg expects X,Y,Z in metres, not '" + texte + "'");
    pos = f + 1;
  }
  return {v[0], v[1], v[2]};
}

// Columns padded to their widest cell, numbers right-aligned.
void ImprimeTable(const std::vector<std::vector<std::string>>& lignes) {
  std::vector<size_t> larg;
  for (const auto& l : lignes)
    for (size_t c = 0; c < l.size(); c++) {
      if (larg.size() <= c) larg.push_back(0);
      larg[c] = std::max(larg[c], LongueurUtf8(l[c]));
    }
  for (const auto& l : lignes) {
    std::string s;
    for (size_t c = 0; c < l.size(); c++) s += (c ? "  " : "") + std::string(larg[c] - LongueurUtf8(l[c]), ' ') + l[c];
    std::cout << s << "\n";
  }
}

class TBarreProgression {
 public:
  TBarreProgression() : Actif(isatty(STDERR_FILENO) != 0) {}
  void Montre(int total, int fait) {
    if (!Actif || total <= 0) return;
    const int largeur = 40, plein = largeur * fait / total;
    std::fprintf(stderr, "\r[%s%s] %3d%% %d/%d", std::string(static_cast<size_t>(plein), '#').c_str(),
                 std::string(static_cast<size_t>(largeur - plein), '.').c_str(), 100 * fait / total, fait, total);
    std::fflush(stderr);
    Trace = true;
  }
  ~TBarreProgression() {
    if (Trace) std::fprintf(stderr, "\r%60s\r", "");
  }

 private:
  bool Actif;
  bool Trace = false;
};

int Stab(const TOptionsStab& o) {
  TDocument doc;
  if (!o.Barge.empty()) ConstruitBargeCli(doc, o.Barge);
  else ChargeDocumentCli(doc, o.Fichier);
  TStab st;
  st.Conditions = o.Conditions;
  st.Init(doc);
  if (o.PoidsDonne) st.Poids.Valeur = o.Poids;
  if (!o.Cg.empty()) st.Poids.Centre = LitCentre(o.Cg);
  // Nobody can answer the iteration question here: the sweep goes on and the step is flagged.
  st.DemandeArret = [] { return false; };
  TBarreProgression barre;
  st.Progression = [&barre](int total, int fait) { barre.Montre(total, fait); };
  std::string err = st.CalcStab();
  if (!err.empty()) throw TErreurCli(err);

  const std::vector<std::string> entete = EnteteTableGZ();
  const std::vector<TLigneSynthese> synthese = Synthese(st);
  const TResumeStab resume = ResumeStab(st.Etapes);
  if (o.Json) {
    nlohmann::json j;
    j["steps"] = nlohmann::json::array();
    for (const auto& e : st.Etapes) {
      const double v[12] = {e.Gite,          e.Assiette,      -e.Enfoncement,  e.CC.Centre.X, e.CC.Centre.Y,
                            e.CC.Centre.Z,   e.CG.Centre.X,   e.CG.Centre.Y,   e.CG.Centre.Z, e.GZ(),
                            e.Moment(),      e.SurfMouillee};
      nlohmann::json s = nlohmann::json::object();
      for (size_t c = 0; c < entete.size(); c++) s[entete[c]] = v[c];
      // An equilibrium that was not found has no arm to report.
      if (!e.Converge) s[entete[9]] = nullptr, s[entete[10]] = nullptr;
      s["converged"] = e.Converge;
      j["steps"].push_back(s);
    }
    j["synthesis"] = nlohmann::json::array();
    for (const auto& l : synthese)
      if (!l.Titre) j["synthesis"].push_back({{"label", l.Libelle}, {"value", l.Nombre}});
    std::cout << j.dump(2) << "\n";
  } else {
    std::cout << rs("rsStabCaption") << "\n\n";
    std::vector<std::vector<std::string>> table{entete};
    for (const auto& e : st.Etapes) table.push_back(LigneTableGZ(e));
    ImprimeTable(table);
    if (resume.NbNonConverges > 0) std::cout << rs("rsStabNoteNonConverge") << "\n";
    std::cout << "\n" << rs("rsStabSynthese") << "\n";
    size_t larg = 0;
    for (const auto& l : synthese) larg = std::max(larg, LongueurUtf8(l.Libelle));
    for (const auto& l : synthese) {
      if (l.Titre) std::cout << "\n" << l.Libelle << "\n";
      else std::cout << "  " << l.Libelle << std::string(larg - LongueurUtf8(l.Libelle), ' ') << "  " << l.Valeur << "\n";
    }
  }
  if (resume.NbNonConverges > 0)
    std::cerr << "brivane-cli: " << resume.NbNonConverges << " " << rs("rsStabSynNonConverges") << "\n";
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsStab>();
  CLI::App* c = app.add_subcommand("stab", "Stability: righting arm GZ and moment against heel, and their synthesis");
  c->add_option("file", o->Fichier, "Document (.kvb); the default new document when absent");
  c->add_option("--barge", o->Barge, "Instead of a document, a box barge of breadth B, length L, draft T, depth D")
      ->type_name("B,L,T,D");
  c->add_option("--max", o->Conditions.AngleMax, "Largest heel, degrees")->capture_default_str();
  c->add_option("--step", o->Conditions.Pas, "Heel step, degrees")->capture_default_str();
  c->add_option("--weight", o->Poids, "Weight in kg (default: the document's total)")->each([o](const std::string&) {
    o->PoidsDonne = true;
  });
  c->add_option("--cg", o->Cg, "Centre of gravity (default: the document's total)")->type_name("X,Y,Z");
  c->add_option("--rho", o->Conditions.Densite, "Water density, tonnes per m3")->capture_default_str();
  c->add_option("--tol", o->Conditions.TolEnfoncement, "Sinkage tolerance, percent of the weight")
      ->capture_default_str();
  c->add_flag("--trim", o->Conditions.CorrectionAssiette, "Also find the trim that puts B under G");
  c->add_option("--trim-tol", o->Conditions.TolAssiette, "Trim tolerance, degrees")->capture_default_str();
  c->add_flag("--json", o->Json, "Machine-readable output");
  return [c, o]() { return c->parsed() ? Stab(*o) : -1; };
}}};

}  // namespace
