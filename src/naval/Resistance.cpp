#include "naval/Resistance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/FichierStr.h"
#include "base/Options.h"
#include "lines/Coupes.h"
#include "naval/Flottaison.h"
#include "naval/Hydrostat.h"
#include "naval/Poids.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Rad = Pi / 180;

double Carre(double x) { return x * x; }

void Exige(bool ok, const char* cle, double v) {
  if (!ok) throw TErreurResistance(Format(rs("rsResParamInvalide"), cle, v));
}

void VerifieVitesse(double v) {
  if (!std::isfinite(v) || v < 0) throw TErreurResistance(Format(rs("rsResVitesseNegative"), v));
}

// ITTC-1957 model-ship correlation line.
double Ittc57(double re) { return 0.075 / Carre(std::log10(re) - 2); }

void Hors(std::vector<THorsDomaine>& h, const char* cle, double v, double mini, double maxi) {
  if (!(v >= mini && v <= maxi)) h.push_back({cle, v, mini, maxi});
}

double Cstern(TFormeArriere a) { return a == TFormeArriere::V ? -10 : a == TFormeArriere::U ? 10 : 0; }

double TirantMoyen(const TParamsHoltrop& p) { return (p.TArriere + p.TAvant) / 2; }

// The hull's parameters checked where the formulas take a root or a power of them.
void VerifieHoltrop(const TParamsHoltrop& p) {
  Exige(std::isfinite(p.Lwl) && p.Lwl > 0, "lwl", p.Lwl);
  Exige(std::isfinite(p.Bwl) && p.Bwl > 0 && p.Lwl / p.Bwl > 2, "bwl", p.Bwl);
  Exige(std::isfinite(p.TArriere) && p.TArriere > 0, "t_aft", p.TArriere);
  Exige(std::isfinite(p.TAvant) && p.TAvant > 0, "t_fore", p.TAvant);
  Exige(std::isfinite(p.Volume) && p.Volume > 0, "volume", p.Volume);
  Exige(p.Cp > 0.25 && p.Cp < 0.95, "cp", p.Cp);
  Exige(p.Cm > 0 && p.Cm <= 1, "cm", p.Cm);
  Exige(p.Cb > 0 && p.Cb <= 1, "cb", p.Cb);
  Exige(p.Cwp > 0 && p.Cwp <= 1, "cwp", p.Cwp);
  const double lcb = (p.Lcb - 0.5) * 100;
  Exige(std::isfinite(lcb) && 1 - p.Cp + 0.0225 * lcb > 0 && 1 - p.Cp - 0.0225 * lcb > 0 &&
            1 - p.Cp + 0.06 * p.Cp * lcb / (4 * p.Cp - 1) > 0,
        "lcb", p.Lcb);
  Exige(std::isfinite(p.SurfMouillee) && p.SurfMouillee >= 0, "wetted_area", p.SurfMouillee);
  Exige(std::isfinite(p.AireTableau) && p.AireTableau >= 0, "transom_area", p.AireTableau);
  Exige(std::isfinite(p.AireBulbe) && p.AireBulbe >= 0, "bulb_area", p.AireBulbe);
  // The bulb's immersion enters a square root: its centre must lie below the fore draught.
  Exige(p.AireBulbe == 0 ||
            (p.HauteurBulbe >= 0 && p.TAvant - p.HauteurBulbe - 0.25 * std::sqrt(p.AireBulbe) > 0),
        "bulb_height", p.HauteurBulbe);
  Exige(std::isfinite(p.Rho) && p.Rho > 0, "rho", p.Rho);
  Exige(std::isfinite(p.Nu) && p.Nu > 0, "nu", p.Nu);
  for (const TAppendice& a : p.Appendices) {
    Exige(std::isfinite(a.Aire) && a.Aire >= 0, "area", a.Aire);
    Exige(std::isfinite(a.K2) && a.K2 >= 1, "k2", a.K2);
  }
}

double LongueurRun(const TParamsHoltrop& p) {
  const double lcb = (p.Lcb - 0.5) * 100;
  return p.Lwl * (1 - p.Cp + 0.06 * p.Cp * lcb / (4 * p.Cp - 1));
}

}  // namespace

// Holtrop and Mennen, "An approximate power prediction method" (1982), with the wave
// resistance of Holtrop's statistical re-analysis (1984) by default: its three Froude-number
// regimes replace the 1982 single formula, which the 1982 variant keeps. Everything else
// (form factor, appendages, bulb, transom, correlation allowance) is the same in both.
double SurfMouilleeHoltrop(const TParamsHoltrop& p) {
  const double t = TirantMoyen(p);
  return p.Lwl * (2 * t + p.Bwl) * std::sqrt(p.Cm) *
             (0.453 + 0.4425 * p.Cb - 0.2862 * p.Cm - 0.003467 * p.Bwl / t + 0.3696 * p.Cwp) +
         2.38 * p.AireBulbe / p.Cb;
}

double FacteurFormeHoltrop(const TParamsHoltrop& p) {
  VerifieHoltrop(p);
  const double L = p.Lwl, tl = TirantMoyen(p) / L, lcb = (p.Lcb - 0.5) * 100;
  const double c12 = tl > 0.05   ? std::pow(tl, 0.2228446)
                     : tl > 0.02 ? 48.20 * std::pow(tl - 0.02, 2.078) + 0.479948
                                 : 0.479948;
  const double c13 = 1 + 0.003 * Cstern(p.Arriere);
  return c13 * (0.93 + c12 * std::pow(p.Bwl / LongueurRun(p), 0.92497) * std::pow(0.95 - p.Cp, -0.521448) *
                           std::pow(1 - p.Cp + 0.0225 * lcb, 0.6906));
}

TPointHoltrop Holtrop(const TParamsHoltrop& p, double v, TVarianteHM variante) {
  VerifieVitesse(v);
  TPointHoltrop r;
  r.V = v;
  r.K1 = FacteurFormeHoltrop(p);
  if (v == 0) return r;
  const double g = GraviteResistance, L = p.Lwl, B = p.Bwl, T = TirantMoyen(p), TF = p.TAvant;
  const double vol = p.Volume, cp = p.Cp, lcb = (p.Lcb - 0.5) * 100, LR = LongueurRun(p);
  const double S = p.SurfMouillee > 0 ? p.SurfMouillee : SurfMouilleeHoltrop(p);
  const double q = 0.5 * p.Rho * v * v;
  r.Fn = v / std::sqrt(g * L);
  r.Rn = v * L / p.Nu;
  r.Cf = Ittc57(r.Rn);
  r.Rf = q * S * r.Cf;
  for (const TAppendice& a : p.Appendices) r.Rapp += q * a.Aire * a.K2 * r.Cf;

  // Wave resistance.
  const double bl = B / L;
  const double c7 = bl < 0.11 ? 0.229577 * std::pow(bl, 0.33333) : bl < 0.25 ? bl : 0.5 - 0.0625 / bl;
  const double iE = 1 + 89 * std::exp(-std::pow(L / B, 0.80856) * std::pow(1 - p.Cwp, 0.30484) *
                                      std::pow(1 - cp - 0.0225 * lcb, 0.6367) * std::pow(LR / B, 0.34574) *
                                      std::pow(100 * vol / (L * L * L), 0.16302));
  const double c1 = 2223105 * std::pow(c7, 3.78613) * std::pow(T / B, 1.07961) * std::pow(90 - iE, -1.37565);
  const double abt = p.AireBulbe, hb = p.HauteurBulbe;
  const double c3 = abt > 0 ? 0.56 * std::pow(abt, 1.5) / (B * T * (0.31 * std::sqrt(abt) + TF - hb)) : 0;
  const double c2 = std::exp(-1.89 * std::sqrt(c3));
  const double c5 = 1 - 0.8 * p.AireTableau / (B * T * p.Cm);
  const double c16 =
      cp < 0.8 ? 8.07981 * cp - 13.8673 * cp * cp + 6.984388 * cp * cp * cp : 1.73014 - 0.7067 * cp;
  const double m1 = 0.0140407 * L / T - 1.75254 * std::cbrt(vol) / L - 4.79323 * bl - c16;
  const double l3v = L * L * L / vol;
  const double c15 = l3v < 512 ? -1.69385 : l3v < 1726.91 ? -1.69385 + (L / std::cbrt(vol) - 8) / 2.36 : 0;
  const double lambda = L / B < 12 ? 1.446 * cp - 0.03 * L / B : 1.446 * cp - 0.36;
  const double d = -0.9, rgv = c2 * c5 * vol * p.Rho * g;
  auto m4 = [&](double fn) { return c15 * 0.4 * std::exp(-0.034 * std::pow(fn, -3.29)); };
  auto rwA = [&](double fn) {
    return c1 * rgv * std::exp(m1 * std::pow(fn, d) + m4(fn) * std::cos(lambda / (fn * fn)));
  };
  auto rwB = [&](double fn) {
    const double c17 = 6919.3 * std::pow(p.Cm, -1.3346) * std::pow(vol / (L * L * L), 2.00977) *
                       std::pow(L / B - 2, 1.40692);
    const double m3 = -7.2035 * std::pow(bl, 0.326869) * std::pow(T / B, 0.605375);
    return c17 * rgv * std::exp(m3 * std::pow(fn, d) + m4(fn) * std::cos(lambda / (fn * fn)));
  };
  const double fn = r.Fn;
  if (variante == TVarianteHM::hm1982) {
    const double m2 = c15 * cp * cp * std::exp(-0.1 / (fn * fn));
    r.Rw = c1 * rgv * std::exp(m1 * std::pow(fn, d) + m2 * std::cos(lambda / (fn * fn)));
  } else if (fn <= 0.4) {
    r.Rw = rwA(fn);
  } else if (fn >= 0.55) {
    r.Rw = rwB(fn);
  } else {
    const double a = rwA(0.4);
    r.Rw = a + (10 * fn - 4) * (rwB(0.55) - a) / 1.5;
  }

  if (abt > 0) {
    const double pb = 0.56 * std::sqrt(abt) / (TF - 1.5 * hb);
    const double fni = v / std::sqrt(g * (TF - hb - 0.25 * std::sqrt(abt)) + 0.15 * v * v);
    r.Rb =
        0.11 * std::exp(-3 / (pb * pb)) * fni * fni * fni * std::pow(abt, 1.5) * p.Rho * g / (1 + fni * fni);
  }
  if (p.AireTableau > 0) {
    const double fnt = v / std::sqrt(2 * g * p.AireTableau / (B + B * p.Cwp));
    const double c6 = fnt < 5 ? 0.2 * (1 - 0.2 * fnt) : 0;
    r.Rtr = q * p.AireTableau * c6;
  }
  const double c4 = std::min(TF / L, 0.04);
  r.Ca = 0.006 * std::pow(L + 100, -0.16) - 0.00205 +
         0.003 * std::sqrt(L / 7.5) * std::pow(p.Cb, 4) * c2 * (0.04 - c4);
  r.Ra = q * S * r.Ca;
  r.Rt = r.Rf * r.K1 + r.Rapp + r.Rw + r.Rb + r.Rtr + r.Ra;
  r.Pe = r.Rt * v;
  return r;
}

// The envelope of the ships the 1982 regression was fitted on (its table of limits, all
// ship types together).
const std::vector<THorsDomaine>& BornesHoltrop() {
  static const std::vector<THorsDomaine> b = {
      {"cp", 0, 0.55, 0.85}, {"l_b", 0, 3.9, 9.5}, {"b_t", 0, 2.1, 4.0}, {"fn", 0, 0, 0.45}};
  return b;
}

namespace {
void HorsBorne(std::vector<THorsDomaine>& h, const std::vector<THorsDomaine>& bornes, const char* cle,
               double v) {
  for (const THorsDomaine& b : bornes)
    if (b.Cle == cle) Hors(h, cle, v, b.Min, b.Max);
}
}  // namespace

std::vector<THorsDomaine> DomaineHoltrop(const TParamsHoltrop& p) {
  std::vector<THorsDomaine> h;
  HorsBorne(h, BornesHoltrop(), "cp", p.Cp);
  HorsBorne(h, BornesHoltrop(), "l_b", p.Lwl / p.Bwl);
  HorsBorne(h, BornesHoltrop(), "b_t", p.Bwl / TirantMoyen(p));
  return h;
}

std::vector<THorsDomaine> DomaineHoltrop(const TParamsHoltrop&, const TPointHoltrop& r) {
  std::vector<THorsDomaine> h;
  if (r.V > 0) HorsBorne(h, BornesHoltrop(), "fn", r.Fn);
  return h;
}

// --- Savitsky ----------------------------------------------------------------------------

namespace {

void VerifieSavitsky(const TParamsSavitsky& p) {
  Exige(std::isfinite(p.Masse) && p.Masse > 0, "mass", p.Masse);
  Exige(std::isfinite(p.Lcg) && p.Lcg > 0, "lcg", p.Lcg);
  Exige(std::isfinite(p.Vcg), "vcg", p.Vcg);
  Exige(std::isfinite(p.Largeur) && p.Largeur > 0, "beam", p.Largeur);
  Exige(p.Deadrise >= 0 && p.Deadrise < 60, "deadrise", p.Deadrise);
  Exige(p.AnglePoussee > -45 && p.AnglePoussee < 45, "thrust_angle", p.AnglePoussee);
  Exige(std::isfinite(p.DecalagePoussee), "thrust_offset", p.DecalagePoussee);
  Exige(std::isfinite(p.Rho) && p.Rho > 0, "rho", p.Rho);
  Exige(std::isfinite(p.Nu) && p.Nu > 0, "nu", p.Nu);
  Exige(std::isfinite(p.DeltaCf) && p.DeltaCf >= 0, "delta_cf", p.DeltaCf);
}

// CL0 from CLbeta = CL0 - 0.0065 beta CL0^0.6: one positive root (the left side falls then
// rises from 0), bracketed and halved.
double Cl0DeClBeta(double clb, double beta) {
  if (beta == 0) return clb;
  auto f = [&](double x) { return x - 0.0065 * beta * std::pow(x, 0.6) - clb; };
  double lo = 0, hi = std::max(clb, 1e-3);
  while (f(hi) < 0) hi *= 2;
  for (int i = 0; i < 80 && hi - lo > 1e-15 * hi; i++) {
    const double m = (lo + hi) / 2;
    (f(m) < 0 ? lo : hi) = m;
  }
  return (lo + hi) / 2;
}

// The mean wetted length-beam ratio of CL0 = tau^1.1 (0.012 lambda^0.5 + 0.0055 lambda^2.5 / Cv^2):
// in s = sqrt(lambda) the right side is increasing and convex, so Newton from above converges.
double LambdaDeCl0(double cl0, double tauDeg, double cv) {
  const double k = cl0 / std::pow(tauDeg, 1.1), a = 0.012, c = 0.0055 / (cv * cv);
  double s = std::min(k / a, std::pow(k / c, 0.2));
  for (int i = 0; i < 60; i++) {
    const double f = a * s + c * std::pow(s, 5) - k, df = a + 5 * c * std::pow(s, 4);
    const double ds = f / df;
    s -= ds;
    if (std::abs(ds) <= 1e-14 * s) break;
  }
  return s * s;
}

struct TEtatSavitsky {
  double Lambda, Vm, Re, Cf, Df, Moment;
};

// Everything at a trial trim, and the moment about the centre of gravity (Savitsky's
// general case: lift, friction and thrust need not pass through it).
TEtatSavitsky EtatSavitsky(const TParamsSavitsky& p, double v, double cv, double cl0, double tauDeg) {
  TEtatSavitsky e;
  const double b = p.Largeur, beta = p.Deadrise, tau = tauDeg * Rad, eps = p.AnglePoussee * Rad;
  const double w = p.Masse * GraviteResistance;
  e.Lambda = LambdaDeCl0(cl0, tauDeg, cv);
  const double cld = 0.012 * std::sqrt(e.Lambda) * std::pow(tauDeg, 1.1);
  e.Vm = v * std::sqrt(
                 std::max(0.0, 1 - (cld - 0.0065 * beta * std::pow(cld, 0.6)) / (e.Lambda * std::cos(tau))));
  e.Re = e.Vm * e.Lambda * b / p.Nu;
  e.Cf = Ittc57(e.Re);
  e.Df = 0.5 * p.Rho * e.Vm * e.Vm * e.Lambda * b * b * (e.Cf + p.DeltaCf) / std::cos(beta * Rad);
  const double lp = e.Lambda * b * (0.75 - 1 / (5.21 * cv * cv / (e.Lambda * e.Lambda) + 2.39));
  const double c = p.Lcg - lp, a = p.Vcg - b / 4 * std::tan(beta * Rad), f = p.DecalagePoussee;
  e.Moment = w * (c * (1 - std::sin(tau) * std::sin(tau + eps)) / std::cos(tau) - f * std::sin(tau)) +
             e.Df * (a - f);
  return e;
}

}  // namespace

// Porpoising limits after Day and Haag, as plotted by Savitsky (1964): the limiting trim
// against sqrt(CLbeta / 2) for deadrises of 0, 10 and 20 degrees, read off the curves and
// interpolated log-log in the load and linearly in the deadrise, and held at the ends of the
// curves: beyond them the lower end's limit is the cautious one.
double LimiteMarsouinage(double clBeta, double deadrise) {
  static const double x[] = {0.05, 0.1, 0.2, 0.3, 0.4};
  static const double t[3][5] = {
      {2.0, 3.3, 5.5, 7.3, 8.8}, {2.8, 4.4, 7.0, 9.2, 11.0}, {3.8, 5.8, 9.0, 11.8, 14.0}};
  const double u = std::clamp(std::sqrt(std::max(clBeta, 0.0) / 2), x[0], x[4]);
  auto courbe = [&](int k) {
    int i = 0;
    while (i < 3 && u > x[i + 1]) i++;
    const double s = std::log(u / x[i]) / std::log(x[i + 1] / x[i]);
    return std::exp(std::log(t[k][i]) + s * std::log(t[k][i + 1] / t[k][i]));
  };
  const double bd = std::clamp(deadrise, 0.0, 20.0);
  const int k = bd >= 10 ? 1 : 0;
  const double s = (bd - 10 * k) / 10;
  return s == 0 ? courbe(k) : courbe(k) + s * (courbe(k + 1) - courbe(k));
}

TPointSavitsky Savitsky(const TParamsSavitsky& p, double v) {
  VerifieVitesse(v);
  VerifieSavitsky(p);
  TPointSavitsky r;
  r.V = v;
  if (v == 0) return r;
  const double g = GraviteResistance, b = p.Largeur, w = p.Masse * g;
  r.Cv = v / std::sqrt(g * b);
  r.ClBeta = w / (0.5 * p.Rho * v * v * b * b);
  r.Cl0 = Cl0DeClBeta(r.ClBeta, p.Deadrise);
  r.AssietteMarsouinage = LimiteMarsouinage(r.ClBeta, p.Deadrise);
  // The first trim where the moment changes sign, searched upwards from almost level.
  constexpr double t0 = 0.05, pas = 0.25, tMax = 30;
  double ta = t0, ma = EtatSavitsky(p, v, r.Cv, r.Cl0, ta).Moment, tb = ta;
  bool trouve = ma == 0;
  while (!trouve && ta < tMax) {
    tb = std::min(ta + pas, tMax);
    const double mb = EtatSavitsky(p, v, r.Cv, r.Cl0, tb).Moment;
    if ((ma < 0) != (mb < 0)) {
      trouve = true;
      for (int i = 0; i < 60 && tb - ta > 1e-12; i++) {
        const double tm = (ta + tb) / 2, mm = EtatSavitsky(p, v, r.Cv, r.Cl0, tm).Moment;
        if ((mm < 0) == (ma < 0))
          ta = tm, ma = mm;
        else
          tb = tm;
      }
    } else {
      ta = tb, ma = mb;
    }
  }
  if (!trouve) {
    r.Equilibre = false;
    return r;
  }
  const double tau = (ta + tb) / 2;
  const TEtatSavitsky e = EtatSavitsky(p, v, r.Cv, r.Cl0, tau);
  r.Assiette = tau;
  r.Lambda = e.Lambda, r.Vm = e.Vm, r.Re = e.Re, r.Cf = e.Cf, r.Df = e.Df;
  const double tr = tau * Rad, eps = p.AnglePoussee * Rad;
  // Thrust from the balance along and across the keel; the resistance is its horizontal part.
  r.Poussee = (w * std::sin(tr) + e.Df) / std::cos(eps);
  const double k = std::cos(tr + eps) / std::cos(eps);
  r.Rp = w * std::sin(tr) * k;
  r.Rf = e.Df * k;
  r.Rt = r.Rp + r.Rf;
  r.Pe = r.Rt * v;
  return r;
}

// Savitsky's stated ranges for his lift and centre-of-pressure equations.
const std::vector<THorsDomaine>& BornesSavitsky() {
  static const std::vector<THorsDomaine> b = {
      {"deadrise", 0, 0, 30}, {"cv", 0, 0.6, 13}, {"trim", 0, 2, 15}, {"lambda", 0, 0, 4}};
  return b;
}

std::vector<THorsDomaine> DomaineSavitsky(const TParamsSavitsky& p) {
  std::vector<THorsDomaine> h;
  HorsBorne(h, BornesSavitsky(), "deadrise", p.Deadrise);
  return h;
}

std::vector<THorsDomaine> DomaineSavitsky(const TParamsSavitsky&, const TPointSavitsky& r) {
  std::vector<THorsDomaine> h;
  if (r.V <= 0 || !r.Equilibre) return h;
  HorsBorne(h, BornesSavitsky(), "cv", r.Cv);
  HorsBorne(h, BornesSavitsky(), "trim", r.Assiette);
  HorsBorne(h, BornesSavitsky(), "lambda", r.Lambda);
  // Above the porpoising limit the method's steady running is not what the boat does.
  if (r.Assiette > r.AssietteMarsouinage) h.push_back({"porpoising", r.Assiette, 0, r.AssietteMarsouinage});
  return h;
}

// --- Settings ----------------------------------------------------------------------------

namespace {
constexpr const char* SectionRes = "Resistance";

double LitReelReglage(const IMagasinReglages& m, const char* cle, double defaut, double mini, double maxi) {
  double v = 0;
  const auto t = m.Lit(SectionRes, cle);
  if (t && LitReel(*t, v) && std::isfinite(v) && v >= mini && v <= maxi) return v;
  return defaut;
}

void EcritReelReglage(IMagasinReglages& m, const char* cle, double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%.9g", v);
  m.Ecrit(SectionRes, cle, b);
}
}  // namespace

TSaisieResistance LitSaisieResistance(const IMagasinReglages& m) {
  TSaisieResistance s;
  s.AireBulbe = LitReelReglage(m, "AireBulbe", 0, 0, 1e6);
  s.HauteurBulbe = LitReelReglage(m, "HauteurBulbe", 0, 0, 1e4);
  s.Arriere = static_cast<TFormeArriere>(LitEntier(m, SectionRes, "Arriere", 1, 0, 2));
  s.AnglePoussee = LitReelReglage(m, "AnglePoussee", 0, -44, 44);
  s.DecalagePoussee = LitReelReglage(m, "DecalagePoussee", 0, -1e3, 1e3);
  s.LargeurBouchain = LitReelReglage(m, "LargeurBouchain", 0, 0, 1e3);
  s.Rho = LitReelReglage(m, "Rho", RhoEauMer, 1, 1e5);
  s.Nu = LitReelReglage(m, "Nu", NuEauMer15, 1e-9, 1e-2);
  // "area:k2;area:k2"
  std::istringstream in(LitTexte(m, SectionRes, "Appendices"));
  std::string e;
  while (std::getline(in, e, ';')) {
    const size_t d = e.find(':');
    TAppendice a;
    if (d != std::string::npos && LitReel(e.substr(0, d), a.Aire) && LitReel(e.substr(d + 1), a.K2) &&
        std::isfinite(a.Aire) && a.Aire >= 0 && std::isfinite(a.K2) && a.K2 >= 1)
      s.Appendices.push_back(a);
  }
  return s;
}

void EcritSaisieResistance(IMagasinReglages& m, const TSaisieResistance& s) {
  EcritReelReglage(m, "AireBulbe", s.AireBulbe);
  EcritReelReglage(m, "HauteurBulbe", s.HauteurBulbe);
  EcritEntier(m, SectionRes, "Arriere", static_cast<int>(s.Arriere));
  EcritReelReglage(m, "AnglePoussee", s.AnglePoussee);
  EcritReelReglage(m, "DecalagePoussee", s.DecalagePoussee);
  EcritReelReglage(m, "LargeurBouchain", s.LargeurBouchain);
  EcritReelReglage(m, "Rho", s.Rho);
  EcritReelReglage(m, "Nu", s.Nu);
  std::string t;
  for (const TAppendice& a : s.Appendices) {
    char b[80];
    std::snprintf(b, sizeof b, "%s%.9g:%.9g", t.empty() ? "" : ";", a.Aire, a.K2);
    t += b;
  }
  m.Ecrit(SectionRes, "Appendices", t);
}

// --- From the model ----------------------------------------------------------------------

bool BouchainSection(const TCoupe& section, double& demiLargeur, double& z, double& zQuille) {
  zQuille = 0;
  bool vide = true;
  double xMax = 0;
  for (const TListPt3D& l : section)
    for (const TPt3D& q : l) {
      if (vide || q.Z < zQuille) zQuille = q.Z;
      xMax = std::max(xMax, std::abs(q.X));
      vide = false;
    }
  if (vide) return false;
  // The turn at a vertex between the segments on either side, in the section's plane.
  auto tour = [](const TPt3D& a, const TPt3D& b, const TPt3D& c) {
    const double ux = std::abs(b.X) - std::abs(a.X), uz = b.Z - a.Z;
    const double vx = std::abs(c.X) - std::abs(b.X), vz = c.Z - b.Z;
    const double nu = std::hypot(ux, uz), nv = std::hypot(vx, vz);
    if (nu == 0 || nv == 0) return 0.0;
    return std::acos(std::clamp((ux * vx + uz * vz) / (nu * nv), -1.0, 1.0)) / Rad;
  };
  double meilleur = 15;
  bool trouve = false;
  auto essaie = [&](const TPt3D& a, const TPt3D& b, const TPt3D& c) {
    // Near the centre plane the keel's own V is no chine.
    if (std::abs(b.X) < 0.1 * xMax) return;
    const double t = tour(a, b, c);
    if (t > meilleur) meilleur = t, trouve = true, demiLargeur = std::abs(b.X), z = b.Z;
  };
  const double tol = 1e-4 * std::max(1.0, xMax);
  auto proche = [&](const TPt3D& a, const TPt3D& b) {
    return std::abs(std::abs(a.X) - std::abs(b.X)) < tol && std::abs(a.Z - b.Z) < tol;
  };
  for (size_t i = 0; i < section.size(); i++) {
    const TListPt3D& l = section[i];
    for (size_t k = 1; k + 1 < l.size(); k++) essaie(l[k - 1], l[k], l[k + 1]);
    if (l.size() < 2) continue;
    // Two surfaces meeting at the chine: the turn from one polyline into the other.
    for (size_t j = 0; j < section.size(); j++) {
      const TListPt3D& m = section[j];
      if (j == i || m.size() < 2) continue;
      const TPt3D &fin = l.back(), &avant = l[l.size() - 2];
      if (proche(fin, m.front())) essaie(avant, fin, m[1]);
      if (proche(fin, m.back())) essaie(avant, fin, m[m.size() - 2]);
    }
  }
  return trouve;
}

TParamsModele ParametresModele(const TDocument& doc, const TListSurf& portee, const TSaisieResistance& s) {
  TRACE("Resistance.ParametresModele");
  if (portee.empty()) throw TErreurResistance(rs("rsErrPorteeVide"));
  TParamsModele r;
  TAttitude att;
  TBarycentre g;
  double assietteMetres = 0;
  const bool avecPoids = !SansPoids(doc) && DefautPoidsTotal(doc).empty() && doc.PoidsTotal.Masse > 0;
  if (avecPoids) {
    g = {{doc.PoidsTotal.X, doc.PoidsTotal.Y, doc.PoidsTotal.Z}, doc.PoidsTotal.Masse};
    TConditionFlottaison c;
    c.Poids = g;
    c.Densite = s.Rho / 1000;
    const TResultatFlottaison f = Flotte(doc, portee, c);
    if (f.Erreur.empty() && f.Converge) {
      att = f.Attitude;
      assietteMetres = f.AssietteMetres;
      r.Flottant = true;
    } else {
      r.Avertissements.push_back(f.Erreur.empty() ? rs("rsFlotteNonConvergee") : f.Erreur);
    }
  }
  const TMatrice4 m = MatricePlacement(att);
  TDocument copie;
  CopiePlacee(doc, portee, m, copie);
  TListSurf tout;
  for (int k = 0; k < copie.NbSurf(); k++) tout.push_back(k);
  const TResultatsHydro h = CalcHydrostatiques(copie, tout, 2 * PrecisionValide(doc.Precision) + 1);
  const TParticulesHydro& P = h.P;
  if (!(P.V > 0) || h.Stations.empty()) throw TErreurResistance(rs("rsResSansCarene"));
  const double yArriere = LongueurFlottaisonListe(copie, tout, 0).Mini;
  const double zQuille = ZQuille(copie, tout);

  TParamsHoltrop& hm = r.Holtrop;
  hm.Lwl = P.Lwl, hm.Bwl = P.Bwl, hm.Volume = P.V;
  hm.Lcb = P.Lwl > 0 ? (P.CC.Y - yArriere) / P.Lwl : 0.5;
  hm.Cp = P.Cp, hm.Cm = P.Cm, hm.Cb = P.Cb, hm.Cwp = P.Cwp, hm.SurfMouillee = P.SurfMouillee;
  hm.TArriere = hm.TAvant = P.Tirant;
  // The trim left by the floating position, shared about the midship draught.
  hm.TArriere = P.Tirant - assietteMetres / 2;
  hm.TAvant = P.Tirant + assietteMetres / 2;
  // The transom: the curve of areas carried back to the hull's aft end from two stations
  // just inside it, where a trim no longer tilts the transom across the cut. A canoe stern's
  // curve falls to nothing there.
  const double yTableau = h.Stations.front().Y, delta = 0.01 * std::max(P.Lwl, 0.01);
  const double a1 = SectionListe(copie, tout, yTableau + delta).Aire;
  const double a2 = SectionListe(copie, tout, yTableau + 2 * delta).Aire;
  hm.AireTableau = std::max(0.0, 2 * a1 - a2);
  hm.AireBulbe = s.AireBulbe, hm.HauteurBulbe = s.HauteurBulbe, hm.Arriere = s.Arriere;
  hm.Appendices = s.Appendices;
  hm.Rho = s.Rho, hm.Nu = s.Nu;

  TParamsSavitsky& sv = r.Savitsky;
  TVertex3f gf = P.CC;
  if (avecPoids) {
    Transformation3D(m, g.Centre, gf);
    sv.Masse = g.Valeur;
  } else {
    sv.Masse = P.V * s.Rho;
    r.Avertissements.push_back(rs("rsResSansPoids"));
  }
  sv.Lcg = gf.Y - yTableau;
  sv.Vcg = gf.Z - zQuille;
  // The chine of the transom section, cut just inside the hull's end.
  TCoupe sec;
  const double yCoupe = yTableau + delta;
  for (int k : tout) {
    const TEntity& e = copie.Surf(k);
    if (e.Pts.empty() || e.Pts[0].empty()) continue;
    TCoupe c;
    CalcSecMesh(e.Pts, static_cast<int>(e.Pts.size()) - 1, static_cast<int>(e.Pts[0].size()) - 1, c, yCoupe);
    for (auto& l : c) sec.push_back(std::move(l));
  }
  double xb = 0, zb = 0, zk = 0;
  r.BouchainTrouve = BouchainSection(sec, xb, zb, zk);
  if (r.BouchainTrouve && xb > 0) {
    sv.Largeur = 2 * xb;
    sv.Deadrise = std::atan2(zb - zk, xb) / Rad;
  } else {
    // A round bilge: the waterline beam, and the rise of the bottom at the waterline.
    sv.Largeur = P.Bwl;
    sv.Deadrise = 0;
    r.Avertissements.push_back(rs("rsResSansBouchain"));
  }
  if (s.LargeurBouchain > 0) sv.Largeur = s.LargeurBouchain;
  sv.AnglePoussee = s.AnglePoussee, sv.DecalagePoussee = s.DecalagePoussee;
  sv.Rho = s.Rho, sv.Nu = s.Nu;
  return r;
}

// --- Curves ------------------------------------------------------------------------------

std::vector<double> VitessesResistance(double debut, double fin, double pas) {
  VerifieVitesse(debut);
  if (!(std::isfinite(fin) && fin >= debut && std::isfinite(pas) && pas > 0 && (fin - debut) / pas <= 10000))
    throw TErreurResistance(rs("rsResVitessesInvalides"));
  std::vector<double> v;
  const int n = static_cast<int>(std::floor((fin - debut) / pas + 1e-6));
  for (int i = 0; i <= n; i++) v.push_back(std::min(debut + i * pas, fin));
  return v;
}

TCourbeResistance CourbeHoltrop(const TParamsHoltrop& p, const std::vector<double>& vitesses,
                                TVarianteHM variante) {
  TCourbeResistance c;
  VerifieHoltrop(p);
  c.HorsParametres = DomaineHoltrop(p);
  for (double v : vitesses) {
    const TPointHoltrop r = Holtrop(p, v, variante);
    TLigneResistance l;
    l.V = v, l.Rt = r.Rt, l.Pe = r.Pe;
    l.Composantes = {{"fn", r.Fn},       {"rn", r.Rn},           {"cf", r.Cf},         {"form_factor", r.K1},
                     {"friction", r.Rf}, {"appendages", r.Rapp}, {"wave", r.Rw},       {"bulb", r.Rb},
                     {"transom", r.Rtr}, {"ca", r.Ca},           {"correlation", r.Ra}};
    l.Hors = DomaineHoltrop(p, r);
    c.Points.push_back(std::move(l));
  }
  return c;
}

TCourbeResistance CourbeSavitsky(const TParamsSavitsky& p, const std::vector<double>& vitesses) {
  TCourbeResistance c;
  VerifieSavitsky(p);
  c.HorsParametres = DomaineSavitsky(p);
  for (double v : vitesses) {
    const TPointSavitsky r = Savitsky(p, v);
    TLigneResistance l;
    l.V = v, l.Rt = r.Rt, l.Pe = r.Pe, l.Equilibre = r.Equilibre;
    l.Composantes = {{"cv", r.Cv},
                     {"trim", r.Assiette},
                     {"porpoising_trim", r.AssietteMarsouinage},
                     {"lambda", r.Lambda},
                     {"cl_beta", r.ClBeta},
                     {"cl0", r.Cl0},
                     {"mean_bottom_speed", r.Vm},
                     {"re", r.Re},
                     {"cf", r.Cf},
                     {"frictional_drag", r.Df},
                     {"thrust", r.Poussee},
                     {"lift_drag", r.Rp},
                     {"friction", r.Rf}};
    l.Hors = DomaineSavitsky(p, r);
    c.Points.push_back(std::move(l));
  }
  return c;
}
