#include "exchange/Import.h"

#include <algorithm>

#include "base/Chaines.h"
#include "base/Encodage.h"

double TImportCoque::EcartMax() const {
  double m = 0;
  for (const auto& s : Surfaces) m = std::max(m, s.Ecart);
  return m;
}

std::string InstalleImport(TDocument& doc, TImportCoque& r, bool nouveau) {
  if (!r.Ok() || r.Surfaces.empty()) return r.Erreur;
  const int avant = nouveau ? 0 : doc.NbSurf();
  if (avant + int(r.Surfaces.size()) > MaxSurf) return rs("rsErrMaxSurf");
  if (nouveau) doc.Vider();
  for (auto& si : r.Surfaces) {
    TEntity& e = *si.Surface;
    // A name of the document stays; the newcomer takes a number after its own.
    std::string base = TronqueUtf8(e.Nom.empty() ? std::string("Surface") : e.Nom, MaxNomSurf);
    std::string nom = base;
    for (int k = 2; SurfNom2Num(doc, nom) >= 0; k++) {
      const std::string suffixe = " " + std::to_string(k);
      nom = TronqueUtf8(base, MaxNomSurf - suffixe.size()) + suffixe;
    }
    e.Nom = nom;
    e.NumSurf = doc.NbSurf();
    e.Poids.Nom = nom;
    if (auto* s = dynamic_cast<TSurface*>(&e)) {
      s->Net.NumSurf = e.NumSurf;
      s->RedimGrilles(doc.Precision + 1, doc.Precision + 1);
    }
    e.MarqueNonCalculee();
    e.CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
    doc.TabSurf.push_back(std::move(si.Surface));
  }
  r.Surfaces.clear();
  doc.PCCourant = {avant, 0, 0};
  if (!doc.SurfNurbs(avant)) doc.PCCourant = {};
  doc.MarqueModifie();
  return "";
}

std::vector<std::string> ResumeImport(const TImportCoque& r) {
  std::vector<std::string> l;
  for (const auto& s : r.Surfaces) {
    const TEntity& e = *s.Surface;
    if (const auto* n = dynamic_cast<const TSurface*>(&e)) {
      if (s.Exacte)
        l.push_back(Format(rs("rsImportResumeExact"), e.Nom.c_str(), n->Net.NbLn, n->Net.NbCol));
      else
        l.push_back(Format(rs("rsImportResumeAjuste"), e.Nom.c_str(), n->Net.NbLn, n->Net.NbCol, s.Ecart));
    } else {
      l.push_back(Format(rs("rsImportResumeMaillage"), e.Nom.c_str(), e.NbLnPt + 1, e.NbColPt + 1, s.Ecart));
    }
  }
  l.insert(l.end(), r.Avertissements.begin(), r.Avertissements.end());
  return l;
}
