#include "edition/Mesures.h"

#include <cmath>

#include "base/Chaines.h"
#include "model/NetGest.h"

bool MesurePossible(const TParamVue& vue) { return vue.Type != tvPersp; }

void CalculeMesure(TMesure& m, const TParamVue& vue) {
  if (m.Genre == gmAngle) {
    TPixel a, b, c;
    Pt3DVersEcran(m.Point1, a, vue), Pt3DVersEcran(m.Point2, b, vue), Pt3DVersEcran(m.Point3, c, vue);
    // Screen y runs down: negated, the angle turns as the view shows it.
    auto haut = [](const TPixel& p) { return TPoint2f{static_cast<float>(p.X), -static_cast<float>(p.Y)}; };
    m.Valeur = static_cast<float>(AngleOriente2D(haut(a), haut(b), haut(c)));
    m.Texte = Format("%.2f °", m.Valeur);
  } else {
    m.Valeur = static_cast<float>(Norme(m.Point3 - m.Point1));
    m.Texte = Format("%.3f m", m.Valeur);
  }
}

std::string TexteStatusMesure(const TMesure& m) { return "Mesure :" + m.Texte; }

std::string GenreCote(TGenreMesure g) {
  return rs(g == gmAngle ? "rsAngle" : g == gmRayon ? "rsRayon" : "rsMetre");
}

void TGesteMesure::Appui(const TVertex3f& p, const TParamVue& vue) {
  if (Genre != gmAngle || Etat == Libre) {
    M = {};
    M.Genre = Genre;
    M.Vue = vue.Type;
    M.Point1 = M.Point2 = M.Point3 = p;
    M.Etape = 1;
    Etat = EnCours;
  } else {
    (M.Etape == 1 ? M.Point2 : M.Point3) = p;
  }
  CalculeMesure(M, vue);
}

void TGesteMesure::Deplace(const TVertex3f& p, const TParamVue& vue) {
  if (Etat != EnCours) return;
  if (Genre == gmAngle)
    (M.Etape == 1 ? M.Point2 : M.Point3) = p;
  else
    M.Point3 = p;
  CalculeMesure(M, vue);
}

bool TGesteMesure::Relache(const TVertex3f& p, const TParamVue& vue) {
  if (Etat != EnCours) return false;
  if (Genre != gmAngle) {
    M.Point3 = p;
    CalculeMesure(M, vue);
    Etat = Libre;
    return true;
  }
  if (M.Etape == 1) {
    // A click without a drag places no arm: the next press places the apex.
    if (M.Point1 == M.Point2) return false;
    M.Point2 = M.Point3 = p;
    M.Etape = 2;
    CalculeMesure(M, vue);
    return false;
  }
  if (M.Point2 == M.Point3) return false;
  CalculeMesure(M, vue);
  Etat = Libre;
  return true;
}

namespace {

void Marque(TListeDessin& l, const TStylo& s, const TPixel& p) {
  l.Ellipse(s, p.X - 4, p.Y - 4, p.X + 5, p.Y + 5, false);
}

TPixel Ecran(const TVertex3f& p, const TParamVue& vue) {
  TPixel e;
  Pt3DVersEcran(p, e, vue);
  return e;
}

void TexteEntre(TListeDessin& l, const TStylo& s, const TPixel& a, const TPixel& b, const std::string& t) {
  const int xm = static_cast<int>(std::lround((a.X + b.X) / 2.0)),
            ym = static_cast<int>(std::lround((a.Y + b.Y) / 2.0));
  l.TexteSurFond(s, xm - 10, ym, t);  // the dimension's own lines do not cross its value
}

}  // namespace

void DessineMesure(TMesure& m, const TParamVue& vue, int couleur, bool final, TListeDessin& l) {
  CalculeMesure(m, vue);
  const TStylo s{couleur, 1, TStyleTrait::Plein};
  const TPixel a = Ecran(m.Point1, vue), c = Ecran(m.Point3, vue);
  if (m.Genre == gmMetre) {
    Marque(l, s, a);
    l.Segment(s, a, c);
    Marque(l, s, c);
    if (final) TexteEntre(l, s, a, c, m.Texte);
  } else if (m.Genre == gmRayon) {
    Marque(l, s, a);
    Marque(l, s, c);
    l.Segment(s, a, c);
    if (!final) {
      const int r = static_cast<int>(std::lround(std::hypot(c.X - a.X, c.Y - a.Y)));
      l.Ellipse(s, a.X - r, a.Y - r, a.X + r + 1, a.Y + r + 1, false);
      return;
    }
    // The circle lies in the plane of the view the radius was made in, so that another
    // view shows it in its own projection; the perspective view gives no such plane.
    if (m.Vue != tvPersp) {
      const double r = m.Valeur, pi = 3.14159265358979323846;
      l.Ouvre(s);
      for (int j = 0; j <= 100; j++) {
        const double t = 2 * pi * j / 100, u = r * std::cos(t), v = r * std::sin(t);
        TVertex3f p = m.Vue == tvSection ? TVertex3f{m.Point1.X + u, 0, m.Point1.Z + v}
                      : m.Vue == tvPlan  ? TVertex3f{m.Point1.X + u, m.Point1.Y + v, 0}
                                         : TVertex3f{0, m.Point1.Y + u, m.Point1.Z + v};
        l.Ajoute(Ecran(p, vue));
      }
      l.Ferme();
    }
    TexteEntre(l, s, a, c, m.Texte);
  } else {
    const TPixel b = Ecran(m.Point2, vue);
    Marque(l, s, a);
    l.Segment(s, a, b);
    Marque(l, s, b);
    if (m.Etape != 2) return;
    l.Segment(s, b, c);
    Marque(l, s, c);
    // The arc spans the measured angle, counter-clockwise on the screen when it is positive.
    const double pi = 3.14159265358979323846, debut = std::atan2(-(a.Y - b.Y), a.X - b.X);
    const double balayage = m.Valeur * pi / 180;
    l.Ouvre(s);
    for (int j = 0; j <= 24; j++) {
      const double t = debut + balayage * j / 24;
      l.Ajoute({b.X + static_cast<int>(std::lround(10 * std::cos(t))),
                b.Y - static_cast<int>(std::lround(10 * std::sin(t)))});
    }
    l.Ferme();
    if (final) TexteEntre(l, s, a, c, m.Texte);
  }
}
