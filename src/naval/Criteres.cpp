// Cross curves of stability and intact-stability criteria.
#include "naval/Criteres.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <exception>
#include <limits>
#include <numbers>
#include <thread>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "naval/Parallele.h"

namespace {
constexpr double DegRad = std::numbers::pi / 180;
}  // namespace

std::vector<TCourbeKN> CalcKN(const TDoubleSurfList& copies, double zK,
                              const std::vector<double>& deplacements, const TConditionsStab& c,
                              std::string& erreur, TSuiviCalcul* suivi) {
  TRACE("CalcKN");
  std::vector<TCourbeKN> r;
  erreur.clear();
  for (double d : deplacements) {
    erreur = ValideConditionsStab(c, d);
    if (!erreur.empty()) return r;
  }
  if (copies.Count() == 0) {
    erreur = rs("rsStabAucunFlotteur");
    return r;
  }
  if (suivi) suivi->Arret = false;
  const int nd = static_cast<int>(deplacements.size());
  std::vector<TCourbeKN> tout(deplacements.size());
  std::vector<std::string> erreurs(deplacements.size());
  // A stop is heard within a step, not after a whole batch of curves (seconds each): with
  // hooks, the batches run on a thread of their own while this one processes the window's
  // messages, and every curve reads the stop between its steps.
  std::atomic<bool> arret{false};
  std::atomic<int> faits{0}, acquitte{0};
  const bool attend = suivi && (suivi->TraiteMessages || suivi->Progression);
  auto courbe = [&](int i) {
    if (arret.load()) return;
    TStab st;
    st.Copies = copies;
    st.Conditions = c;
    st.Poids = {{0, 0, zK}, deplacements[i]};
    // Nobody answers the iteration question in a batch: a step that fails is flagged instead.
    st.DemandeArret = [] { return false; };
    auto surveille = [&] {
      if (arret.load()) st.Arret = true;
    };
    st.TraiteMessages = surveille;
    st.EtapeAjoutee = [&](const TGZ&) { surveille(); };
    TCourbeKN& k = tout[i];
    k.Deplacement = deplacements[i];
    const TEquilibre droit = st.IsoCareneEnf(MatIdentite(), 0);
    k.LCG = droit.CC.Centre.Y;
    st.Poids.Centre.Y = k.LCG;
    erreurs[i] = st.CalcStab();
    for (const TGZ& e : st.Etapes) k.Points.push_back({e.Gite, e.GZ(), e.Assiette, e.Converge});
  };
  // The displacements are independent: a batch runs on the cores at once.
  auto calcule = [&] {
    const int lot = NbFils(nd);
    for (int i = 0; i < nd && !arret.load(); i += lot) {
      const int fin = std::min(nd, i + lot);
      EnParallele(i, fin, courbe);
      bool erreurLot = false;
      for (int j = i; j < fin; j++) erreurLot = erreurLot || !erreurs[j].empty();
      faits.store(fin);
      if (erreurLot) break;
      // The progress of each batch is shown (and may be answered by a stop) before the next.
      while (attend && acquitte.load() < fin && !arret.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  };
  // The curves given back: those done when the stop came (the progress shown then).
  int limite = nd;
  if (attend) {
    std::atomic<bool> fini{false};
    std::exception_ptr panne;
    std::thread fil([&] {
      try {
        calcule();
      } catch (...) {
        panne = std::current_exception();
      }
      fini.store(true);
    });
    int vus = 0;
    auto regarde = [&] {
      const int f = faits.load();
      if (f != vus && !arret.load()) {
        vus = f;
        if (suivi->Progression) suivi->Progression(nd, f);
      }
      if (suivi->TraiteMessages && !arret.load()) suivi->TraiteMessages();
      if (suivi->Arret && !arret.load()) {
        arret.store(true);
        limite = vus;
      }
      acquitte.store(vus);
    };
    while (!fini.load()) {
      regarde();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    fil.join();
    if (panne) std::rethrow_exception(panne);
    regarde();
  } else {
    calcule();
  }
  const size_t etapes = static_cast<size_t>(NombreEtapes(c.AngleMax, c.Pas));
  for (int j = 0; j < limite; j++) {
    if (!erreurs[j].empty()) {
      erreur = erreurs[j];
      return r;
    }
    // A curve the stop cut short, or never started, is no curve.
    if (tout[j].Points.size() != etapes) break;
    r.push_back(std::move(tout[j]));
  }
  return r;
}

const std::vector<TReglement>& Reglements() {
  // Code on Intact Stability 2008, Part A, 2.2: the general criteria.
  static const std::vector<TReglement> r{{"rsReglementIMO2008",
                                          {{crAire0_30, "rsCritAire0_30", 0.055},
                                           {crAire0_40, "rsCritAire0_40", 0.09},
                                           {crAire30_40, "rsCritAire30_40", 0.03},
                                           {crGZ30, "rsCritGZ30", 0.20},
                                           {crAngleGZMax, "rsCritAngleGZMax", 25},
                                           {crGM0, "rsCritGM0", 0.15}}}};
  return r;
}

namespace {

// The converged steps as (heel, GZ), in order of heel.
std::vector<std::pair<double, double>> Courbe(const TListGZ& etapes) {
  std::vector<std::pair<double, double>> c;
  for (const auto& e : etapes)
    if (e.Converge) c.emplace_back(e.Gite, e.GZ());
  std::stable_sort(c.begin(), c.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  return c;
}

double Interpole(const std::vector<std::pair<double, double>>& c, size_t k, double phi) {
  const auto &a = c[k], &b = c[k + 1];
  return b.first != a.first ? a.second + (b.second - a.second) * (phi - a.first) / (b.first - a.first)
                            : a.second;
}

bool Couvre(const std::vector<std::pair<double, double>>& c, double a, double b) {
  return !c.empty() && c.front().first <= a + 1e-9 && c.back().first >= b - 1e-9;
}

}  // namespace

bool AireGZ(const TListGZ& etapes, double a, double b, double& aire) {
  aire = 0;
  const auto c = Courbe(etapes);
  if (b < a || !Couvre(c, a, b)) return false;
  for (size_t k = 0; k + 1 < c.size(); k++) {
    const double lo = std::max(a, c[k].first), hi = std::min(b, c[k + 1].first);
    if (hi <= lo) continue;
    aire += (Interpole(c, k, lo) + Interpole(c, k, hi)) / 2 * (hi - lo) * DegRad;
  }
  return true;
}

double GMInitial(TStab& s) {
  const double tol = s.Conditions.TolEnfoncement;
  s.Conditions.TolEnfoncement = 1e-8;  // the arm at a small heel is small: the waterline must be exact
  const TVertex3f g = s.Poids.Centre;
  auto gz = [&](double phi) { return g.X - s.IsoCareneEnf(MatriceGite(phi, g), 0).CC.Centre.X; };
  // (GZ(d) - GZ(-d)) / (2 sin d) = GM + k d² + ...: two heels remove the d² term.
  auto f = [&](double d) { return (gz(d) - gz(-d)) / (2 * std::sin(d * DegRad)); };
  const double gm = (4 * f(1) - f(2)) / 3;
  s.Conditions.TolEnfoncement = tol;
  return gm;
}

std::vector<TResultatCritere> VerifieCriteres(const TListGZ& etapes, double gm0, double angleEnvahissement,
                                              const TReglement& reg) {
  const double a40 = angleEnvahissement > 0 ? std::min(40.0, angleEnvahissement) : 40.0;
  const auto c = Courbe(etapes);
  std::vector<TResultatCritere> r;
  for (const TCritere& k : reg.Criteres) {
    TResultatCritere x;
    x.Libelle = rs(k.Cle);
    x.Requis = k.Requis;
    switch (k.Genre) {
      case crAire0_30:
        x.Evalue = AireGZ(etapes, 0, 30, x.Obtenu);
        break;
      case crAire0_40:
        x.Evalue = AireGZ(etapes, 0, a40, x.Obtenu);
        break;
      case crAire30_40:
        // A flooding angle below 30 degrees leaves no range: nothing to check there.
        x.Evalue = a40 >= 30 && AireGZ(etapes, 30, a40, x.Obtenu);
        break;
      case crGZ30: {
        x.Evalue = Couvre(c, 30, 30);
        double m = -std::numeric_limits<double>::infinity();
        for (size_t i = 0; i + 1 < c.size(); i++)
          if (c[i].first <= 30 && c[i + 1].first >= 30) m = std::max(m, Interpole(c, i, 30));
        for (const auto& p : c)
          if (p.first >= 30) m = std::max(m, p.second);
        x.Obtenu = std::isfinite(m) ? m : 0;
        break;
      }
      case crAngleGZMax: {
        x.Evalue = !c.empty() && c.back().first >= k.Requis;
        double m = -std::numeric_limits<double>::infinity();
        for (const auto& p : c)
          if (p.second > m) m = p.second, x.Obtenu = p.first;
        break;
      }
      case crGM0:
        x.Evalue = std::isfinite(gm0);
        x.Obtenu = x.Evalue ? gm0 : 0;
        break;
    }
    x.Satisfait = x.Evalue && x.Obtenu >= x.Requis;
    r.push_back(x);
  }
  return r;
}
