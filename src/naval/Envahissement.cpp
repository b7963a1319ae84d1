#include "naval/Envahissement.h"

bool AuDessusFlottaison(const TVertex3f& p, const TGZ& e, const TVertex3f& g) {
  TVertex3f q = p;
  Transformation3D(MatriceEtape(e, g), q);
  return q.Z > 0;
}

std::vector<TMarqueEnvahissement> MarquesEnvahissement(const TListeReperesEnv& points, const TListGZ& etapes,
                                                       const TVertex3f& g) {
  std::vector<TMarqueEnvahissement> r;
  for (const TRepereEnv& p : points) {
    const TVertex3f v{p.X, p.Y, p.Z};
    bool avant = false;
    for (size_t i = 0; i < etapes.size(); i++) {
      const bool dessus = AuDessusFlottaison(v, etapes[i], g);
      if (i > 0 && dessus != avant) r.push_back({p.Nom, etapes[i].Gite, avant});
      avant = dessus;
    }
  }
  return r;
}
