// The properties dialog's records: read from a surface, typed values checked,
// modified records copied back on OK.
#include "session/PropSurf.h"

#include <charconv>
#include <cmath>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "model/Document.h"
#include "session/ObjCom.h"

TPropSurf LitPropSurf(const TEntity& s) {
  TPropSurf p;
  p.Nom = s.Nom;
  p.Visible = s.Visible, p.Verrou = s.Verrou, p.Sym = s.Sym, p.Calc = s.Calc, p.Voile = s.Voile;
  p.Coul = s.Coul;
  p.Alpha = s.Alpha;
  p.Ambient = s.Ambient, p.Specular = s.Specular, p.Shininess = s.Shininess, p.Emission = s.Emission;
  p.Orientation = s.Orientation;
  p.JonctionSym = s.JonctionSym;
  p.CG = s.CG;
  p.TypePoids = s.TypePoids;
  p.Epaisseur = s.Epaisseur, p.Densite = s.Densite, p.PoidsParM2 = s.PoidsParM2;
  p.PoidsFixe = s.Poids.Masse;
  if (const auto* n = dynamic_cast<const TSurface*>(&s)) {
    p.EstNurbs = true;
    p.LFlex = n->Net.LFlex;
    p.CFlex = n->Net.CFlex;
  }
  return p;
}

TBornesChamp BornesChamp(TChampPropSurf c) {
  // Physical values have no sign; a million bounds any real hull and keeps the
  // document's "%.4f" readable.
  constexpr double Grand = 1e6;
  switch (c) {
    case cpAlpha:
    case cpAmbient:
    case cpSpecular:
      return {0, 1};
    case cpShininess:
      return {0, 128};
    case cpEmission:
      return {-1, 1};
    default:
      return {0, Grand};
  }
}

double ValeurChamp(const TPropSurf& p, TChampPropSurf c) {
  switch (c) {
    case cpAlpha:
      return p.Alpha;
    case cpAmbient:
      return p.Ambient;
    case cpSpecular:
      return p.Specular;
    case cpShininess:
      return p.Shininess;
    case cpEmission:
      return p.Emission;
    case cpEpaisseur:
      return p.Epaisseur;
    case cpDensite:
      return p.Densite;
    case cpPoidsParM2:
      return p.PoidsParM2;
    default:
      return p.PoidsFixe;
  }
}

void FixeChamp(TPropSurf& p, TChampPropSurf c, double v) {
  switch (c) {
    case cpAlpha:
      p.Alpha = v;
      break;
    case cpAmbient:
      p.Ambient = static_cast<float>(v);
      break;
    case cpSpecular:
      p.Specular = static_cast<float>(v);
      break;
    case cpShininess:
      p.Shininess = static_cast<float>(v);
      break;
    case cpEmission:
      p.Emission = static_cast<float>(v);
      break;
    case cpEpaisseur:
      p.Epaisseur = v;
      break;
    case cpDensite:
      p.Densite = v;
      break;
    case cpPoidsParM2:
      p.PoidsParM2 = v;
      break;
    default:
      p.PoidsFixe = v;
      break;
  }
}

namespace {
bool LitNombre(const std::string& texte, double& v) {
  size_t a = texte.find_first_not_of(" \t"), b = texte.find_last_not_of(" \t");
  if (a == std::string::npos) return false;
  const char* d = texte.data() + a;
  const char* f = texte.data() + b + 1;
  if (*d == '+') d++;
  // Only digits, a point, a sign and an exponent: "inf" and "nan" are no values.
  for (const char* c = d; c < f; c++)
    if (!((*c >= '0' && *c <= '9') || *c == '.' || *c == '-' || *c == 'e' || *c == 'E' || *c == '+'))
      return false;
  auto [fin, ec] = std::from_chars(d, f, v);
  return ec == std::errc{} && fin == f && std::isfinite(v);
}
}  // namespace

std::string SaisitChamp(TPropSurf& p, TChampPropSurf c, const std::string& texte,
                        const std::string& libelle) {
  double v = 0;
  TBornesChamp b = BornesChamp(c);
  if (!LitNombre(texte, v) || v < b.Min || v > b.Max)
    return Format(rs("rsErrValeurChamp"), libelle.c_str(), texte.c_str(), Format("%g", b.Min).c_str(),
                  Format("%g", b.Max).c_str());
  FixeChamp(p, c, v);
  return "";
}

std::string VerifieNomsPropSurf(const TDocument& doc, const std::vector<TPropSurf>& props, int& fautif) {
  std::vector<std::string> noms;
  for (int i = 0; i < doc.NbSurf(); i++) {
    std::string n =
        i < static_cast<int>(props.size()) ? NomSurfaceCoupe(props[static_cast<size_t>(i)].Nom) : "";
    noms.push_back(n.empty() ? doc.Surf(i).Nom : n);
  }
  // Two surfaces of one name could not be told apart in any list.
  for (size_t i = 0; i < noms.size(); i++)
    for (size_t j = 0; j < i; j++)
      if (noms[i] == noms[j]) {
        fautif = static_cast<int>(props[i].Modifie || j >= props.size() ? i : j);
        return rs("rsErrNomDonne");
      }
  fautif = -1;
  return "";
}

std::vector<int> AppliquePropSurfs(TDocument& doc, const std::vector<TPropSurf>& props) {
  TRACE("TPropSurfForm.BtnOKClick");
  std::vector<int> changees;
  for (int k = 0; k < doc.NbSurf() && k < static_cast<int>(props.size()); k++) {
    const TPropSurf& p = props[static_cast<size_t>(k)];
    if (!p.Modifie) continue;
    TEntity& s = doc.Surf(k);
    std::string nom = NomSurfaceCoupe(p.Nom);
    if (!nom.empty()) s.Nom = s.Poids.Nom = nom;
    s.Visible = p.Visible, s.Verrou = p.Verrou, s.Sym = p.Sym, s.Calc = p.Calc, s.Voile = p.Voile;
    s.Coul = p.Coul;
    s.Alpha = p.Alpha;
    s.Ambient = p.Ambient, s.Specular = p.Specular, s.Shininess = p.Shininess, s.Emission = p.Emission;
    s.Orientation = p.Orientation;
    s.JonctionSym = p.JonctionSym;
    s.CG = p.CG;
    s.TypePoids = p.TypePoids;
    s.Epaisseur = p.Epaisseur, s.Densite = p.Densite, s.PoidsParM2 = p.PoidsParM2;
    s.Poids.Masse = p.PoidsFixe;
    if (auto* n = doc.SurfNurbs(k); n && p.EstNurbs) {
      n->Net.LFlex = p.LFlex;
      n->Net.CFlex = p.CFlex;
    }
    s.MarqueNonCalculee();
    if (p.RAZBase) RAZPlanSym(doc, k);
    changees.push_back(k);
  }
  if (!changees.empty()) {
    // A surface just locked may hold the current vertex.
    const TPC& pc = doc.PCCourant;
    if (pc.Existe() && pc.NumSurf < doc.NbSurf() && doc.Surf(pc.NumSurf).Verrou) PCCourantPremierLibre(doc);
    doc.MarqueModifie();
  }
  return changees;
}

bool PoidsAuVolume(int typePoids) { return typePoids == tpFixeVolume || typePoids == tpDensiteVolume; }
