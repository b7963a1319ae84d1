#include "views/Mesures.h"

#include "app/Chaines.h"
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
