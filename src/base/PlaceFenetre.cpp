#include "base/PlaceFenetre.h"

#include <algorithm>
#include <cmath>

namespace {

long long Commun(const TRectEcran& a, const TRectEcran& b) {
  const long long l = std::min<long long>(a.X + a.L, b.X + b.L) - std::max(a.X, b.X);
  const long long h = std::min<long long>(a.Y + a.H, b.Y + b.H) - std::max(a.Y, b.Y);
  return l > 0 && h > 0 ? l * h : 0;
}

}  // namespace

TRectEcran PlaceSurEcran(const TRectEcran& r, const std::vector<TRectEcran>& ecrans,
                         const TRectEcran& defaut) {
  if (ecrans.empty() || r.L < LargeurFenetreMin || r.H < HauteurFenetreMin) return defaut;
  const TRectEcran* meilleur = nullptr;
  long long max = 0;
  for (const auto& e : ecrans) {
    const long long c = Commun(r, e);
    if (c > max) max = c, meilleur = &e;
  }
  // A sliver on a screen is no place to find a window again.
  if (!meilleur || max < static_cast<long long>(LargeurFenetreMin) * HauteurFenetreMin) return defaut;
  const TRectEcran& e = *meilleur;
  TRectEcran p = r;
  p.L = std::min(p.L, e.L);
  p.H = std::min(p.H, e.H);
  p.X = std::clamp(p.X, e.X, e.X + e.L - p.L);
  p.Y = std::clamp(p.Y, e.Y, e.Y + e.H - p.H);
  return p;
}

std::vector<TRectEcran> DispositionDansZone(const std::vector<TRectEcran>& places, const TRectEcran& zone) {
  if (places.empty()) return places;
  int x0 = places.front().X, y0 = places.front().Y, x1 = x0, y1 = y0;
  for (const TRectEcran& r : places) {
    x0 = std::min(x0, r.X), y0 = std::min(y0, r.Y);
    x1 = std::max(x1, r.X + r.L), y1 = std::max(y1, r.Y + r.H);
  }
  if (x0 >= zone.X && y0 >= zone.Y && x1 <= zone.X + zone.L && y1 <= zone.Y + zone.H) return places;
  const double sx = x1 - x0 > zone.L ? static_cast<double>(zone.L) / (x1 - x0) : 1.0;
  const double sy = y1 - y0 > zone.H ? static_cast<double>(zone.H) / (y1 - y0) : 1.0;
  // Rounded down alike, sizes and offsets: a gap or a shared edge stays one.
  auto bas = [](double v) { return static_cast<int>(std::floor(v)); };
  const int l = bas((x1 - x0) * sx), h = bas((y1 - y0) * sy);
  const int ox = std::clamp(x0, zone.X, zone.X + zone.L - l),
            oy = std::clamp(y0, zone.Y, zone.Y + zone.H - h);
  std::vector<TRectEcran> r;
  for (const TRectEcran& p : places)
    r.push_back({ox + bas((p.X - x0) * sx), oy + bas((p.Y - y0) * sy), bas(p.L * sx), bas(p.H * sy)});
  return r;
}

namespace {
constexpr int CoordMax = 100000;  // pixels: beyond, the stored value is taken as wrong
}

TPlaceFenetre LitPlaceFenetre(const IMagasinReglages& m, const std::string& nom, const TRectEcran& actuel) {
  TPlaceFenetre p;
  p.Connue = m.Lit("PosFen", nom + "Left").has_value() || m.Lit("PosFen", nom + "WinState").has_value();
  p.Rect.X = LitEntier(m, "PosFen", nom + "Left", actuel.X, -CoordMax, CoordMax);
  p.Rect.Y = LitEntier(m, "PosFen", nom + "Top", actuel.Y, -CoordMax, CoordMax);
  p.Rect.L = LitEntier(m, "PosFen", nom + "Width", actuel.L, 0, CoordMax);
  p.Rect.H = LitEntier(m, "PosFen", nom + "Height", actuel.H, 0, CoordMax);
  const std::string e = LitTexte(m, "PosFen", nom + "WinState", "Normal");
  p.Etat = e == "Maximized" || e == "Minimized" ? e : "Normal";
  if (m.Lit("PosFen", nom + "Visible")) p.Visible = LitBooleen(m, "PosFen", nom + "Visible", false);
  return p;
}

void EcritPlaceFenetre(IMagasinReglages& m, const std::string& nom, const TPlaceFenetre& p) {
  EcritEntier(m, "PosFen", nom + "Top", p.Rect.Y);
  EcritEntier(m, "PosFen", nom + "Left", p.Rect.X);
  EcritEntier(m, "PosFen", nom + "Height", p.Rect.H);
  EcritEntier(m, "PosFen", nom + "Width", p.Rect.L);
  if (p.Etat != "Normal") m.Ecrit("PosFen", nom + "WinState", p.Etat);
  EcritBooleen(m, "PosFen", nom + "Visible", p.Visible.value_or(false));
}
