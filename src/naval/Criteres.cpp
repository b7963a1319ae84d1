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
  {
    // A displacement beyond the reserve of buoyancy would give no point at all.
    TStab st;
    st.Copies = copies;
    st.Conditions = c;
    for (double d : deplacements) {
      erreur = st.VerifieFlottabilite(d);
      if (!erreur.empty()) return r;
    }
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

double GMInitial(TStab& s) { return s.GMDroit(); }

std::vector<TResultatCritere> VerifieCriteres(const TListGZ& etapes, double gm0, double angleEnvahissement,
                                              const TReglement& reg, const TMaxGZ* max) {
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
        if (max && max->Trouve && max->Angle >= 30) m = std::max(m, max->GZ);
        x.Obtenu = std::isfinite(m) ? m : 0;
        break;
      }
      case crAngleGZMax: {
        x.Evalue = !c.empty() && c.back().first >= k.Requis;
        double m = -std::numeric_limits<double>::infinity();
        for (const auto& p : c)
          if (p.second > m) m = p.second, x.Obtenu = p.first;
        if (max && max->Trouve && max->GZ >= m) x.Obtenu = max->Angle;
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

double HauteurSurFlottaison(const TVertex3f& p, const TGZ& e, const TVertex3f& g) {
  TVertex3f q = p;
  Transformation3D(MatriceEtape(e, g), q);
  return q.Z;
}

namespace {

// Worse: more criteria failed, then the smaller margin of the worst one.
bool PlusDefavorable(const std::vector<TResultatCritere>& a, const std::vector<TResultatCritere>& b) {
  auto echecs = [](const std::vector<TResultatCritere>& v) {
    int n = 0;
    for (const auto& c : v) n += c.Evalue && !c.Satisfait;
    return n;
  };
  auto marge = [](const std::vector<TResultatCritere>& v) {
    double m = std::numeric_limits<double>::infinity();
    for (const auto& c : v)
      if (c.Evalue && c.Requis != 0) m = std::min(m, c.Obtenu / c.Requis);
    return m;
  };
  if (echecs(a) != echecs(b)) return echecs(a) > echecs(b);
  return marge(a) < marge(b);
}

TEvaluationCriteres UnCote(const TStab& modele, int cote, const TListeReperesEnv& points, double angleSaisi,
                           const TReglement& reg, TSuiviCalcul* suivi) {
  TEvaluationCriteres r;
  r.Cote = cote;
  TStab s = modele;
  s.Conditions.Cote = cote;
  s.Progression = nullptr;
  s.EtapeAjoutee = nullptr;
  s.Arret = false;
  s.NouvelleQuestion();
  const TVertex3f g0 = s.Poids.Centre;
  const double amax = s.Conditions.AngleMax;
  // Fine where the areas are taken (to 40 degrees), coarser beyond, where only the largest arm
  // and the flooding angle are looked for: both are then searched between the nodes.
  const double pas = std::min(1.0, s.Conditions.Pas), large = std::min(5.0, s.Conditions.Pas);
  std::vector<double> noeuds;
  for (int i = 0; i * pas < std::min(amax, 40.0) - 1e-9; i++) noeuds.push_back(i * pas);
  for (int i = 0; 40 + i * large < amax - 1e-9; i++) noeuds.push_back(40 + i * large);
  noeuds.push_back(amax);
  for (double a : {30.0, 40.0})
    if (a < amax) noeuds.push_back(a);
  if (angleSaisi > 0 && angleSaisi < amax) noeuds.push_back(angleSaisi);
  std::sort(noeuds.begin(), noeuds.end());
  noeuds.erase(
      std::unique(noeuds.begin(), noeuds.end(), [](double a, double b) { return std::abs(a - b) < 1e-9; }),
      noeuds.end());
  auto arrete = [&] { return s.Arret || (suivi && suivi->Arret); };
  TListGZ& e = r.Etapes;
  for (size_t i = 0; i < noeuds.size(); i++) {
    e.push_back(s.CalcEtape(noeuds[i]));
    if (suivi) {
      if (suivi->TraiteMessages) suivi->TraiteMessages();
      if (suivi->Progression) suivi->Progression(static_cast<int>(noeuds.size()), static_cast<int>(i + 1));
    }
    if (arrete()) {
      r.Arrete = true;
      break;
    }
  }
  auto insere = [&](const TGZ& x) {
    auto it = std::lower_bound(e.begin(), e.end(), x.Gite, [](const TGZ& a, double g) { return a.Gite < g; });
    if (it != e.end() && std::abs(it->Gite - x.Gite) < 1e-9) return;
    e.insert(it, x);
  };

  // The flooding angle: where the first point goes under, the crossing found by false position
  // between the steps around it and added as a node.
  r.AngleEnvahissement = angleSaisi > 0 ? angleSaisi : 0;
  for (const TRepereEnv& p : points) {
    const TVertex3f v{p.X, p.Y, p.Z};
    for (size_t i = 1; i < e.size() && !r.Arrete; i++) {
      if (!e[i - 1].Converge || !e[i].Converge) continue;
      double h0 = HauteurSurFlottaison(v, e[i - 1], g0), h1 = HauteurSurFlottaison(v, e[i], g0);
      if (!(h0 > 0 && h1 <= 0)) continue;
      double a0 = e[i - 1].Gite, a1 = e[i].Gite, phi = a1;
      for (int k = 0; k < 4 && h0 != h1; k++) {
        phi = a0 + (a1 - a0) * h0 / (h0 - h1);
        const double h = HauteurSurFlottaison(v, s.CalcEtape(phi), g0);
        if (std::abs(h) < 1e-7) break;
        (h > 0 ? a0 : a1) = phi;
        (h > 0 ? h0 : h1) = h;
      }
      if (r.AngleEnvahissement <= 0 || phi < r.AngleEnvahissement) {
        r.AngleEnvahissement = phi;
        r.PointEnvahissement = p.Nom;
      }
      break;
    }
  }
  if (r.AngleEnvahissement > 0 && r.AngleEnvahissement < amax && !r.Arrete)
    insere(s.CalcEtape(r.AngleEnvahissement));

  // The largest arm: a golden-section search between the nodes on each side of the largest.
  size_t k = e.size();
  for (size_t i = 0; i < e.size(); i++)
    if (e[i].Converge && (k == e.size() || e[i].GZ() > e[k].GZ())) k = i;
  if (k < e.size()) {
    r.Max = {e[k].Gite, e[k].GZ(), true};
    if (k > 0 && k + 1 < e.size() && !r.Arrete) {
      const double nombreOr = (std::sqrt(5.0) - 1) / 2;
      double a = e[k - 1].Gite, b = e[k + 1].Gite;
      auto gz = [&](double phi) {
        const TGZ x = s.CalcEtape(phi);
        return x.Converge ? x.GZ() : -std::numeric_limits<double>::infinity();
      };
      double c = b - nombreOr * (b - a), d = a + nombreOr * (b - a), fc = gz(c), fd = gz(d);
      while (b - a > 1e-3) {
        if (fc > fd)
          b = d, d = c, fd = fc, c = b - nombreOr * (b - a), fc = gz(c);
        else
          a = c, c = d, fc = fd, d = a + nombreOr * (b - a), fd = gz(d);
      }
      const double phi = fc > fd ? c : d, v = std::max(fc, fd);
      if (v > r.Max.GZ) r.Max = {phi, v, true};
    }
  }
  r.GM = s.GMDroit();
  r.Resultats = VerifieCriteres(e, r.GM, r.AngleEnvahissement, reg, &r.Max);
  return r;
}

}  // namespace

TEvaluationCriteres EvalueCriteres(const TStab& s, const TListeReperesEnv& points, double angleSaisi,
                                   const TReglement& reg, TSuiviCalcul* suivi) {
  TRACE("EvalueCriteres");
  const int cote = s.Conditions.Cote < 0 ? -1 : 1;
  TEvaluationCriteres r = UnCote(s, cote, points, angleSaisi, reg, suivi);
  // The other side can only differ when something is off the centre plane.
  // (G within 0.1 mm of it counts as on it.)
  const bool asymetrique = !points.empty() || std::abs(s.Poids.Centre.X) > 1e-4;
  if (!asymetrique || r.Arrete) return r;
  TEvaluationCriteres autre = UnCote(s, -cote, points, angleSaisi, reg, suivi);
  if (autre.Arrete) return r;
  const bool pire = PlusDefavorable(autre.Resultats, r.Resultats);
  TEvaluationCriteres& x = pire ? autre : r;
  x.DeuxCotes = true;
  return std::move(x);
}

std::vector<std::string> NotesCriteres(const TEvaluationCriteres& e) {
  std::vector<std::string> l;
  l.push_back(rs("rsCritNoteGM") + " " + TexteReel(e.GM, 4));
  std::string env = rs("rsCritNoteEnv") + " ";
  if (e.AngleEnvahissement <= 0)
    env += rs("rsCritEnvAucun");
  else
    env += TexteReel(e.AngleEnvahissement, 2) + " (" +
           (e.PointEnvahissement.empty() ? rs("rsCritEnvSaisi")
                                         : rs("rsCritEnvPoint") + " " + e.PointEnvahissement) +
           ")";
  l.push_back(env);
  l.push_back(rs("rsStabCote") + " " + NomCote(e.Cote) +
              (e.DeuxCotes ? " (" + rs("rsCritCotePire") + ")" : ""));
  return l;
}
