// The session's operations on the surface list and on the nets: creating, duplicating,
// deleting, mirroring, renaming, locking surfaces; inserting, removing, transposing rows and
// columns, aligning and grouping vertices; each with its document upkeep and its notice.
#include <algorithm>
#include <stdexcept>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Encodage.h"
#include "base/Options.h"
#include "base/Services.h"
#include "lines/Coupes.h"
#include "lines/Grille.h"
#include "naval/AiresVoiles.h"
#include "naval/Poids.h"
#include "session/Avis.h"
#include "session/ObjCom.h"

namespace {

// A name not yet used, made of the base and " n" cut to 20 characters; when the cut
// makes it collide, the base is shortened instead so that the number stays whole.
std::string NomUnique(const TDocument& doc, const std::string& base, int n) {
  std::string nom = NomSurfaceCoupe(base + Format(" %d", n));
  for (int k = n; SurfNom2Num(doc, nom) >= 0; k++) {
    std::string suffixe = Format(" %d", k);
    nom = TronqueUtf8(base, MaxNomSurf - suffixe.size()) + suffixe;
  }
  return nom;
}

void RenumeroteSurfaces(TDocument& doc) {
  for (int i = 0; i < doc.NbSurf(); i++) {
    doc.Surf(i).NumSurf = i;
    if (TSurface* s = doc.SurfNurbs(i)) s->Net.NumSurf = i;
  }
}

void ApresModifNet(TDocument& doc, int numSurf) {
  doc.Surf(numSurf).MarqueNonCalculee();
  doc.MarqueModifie();
  MajSurface(doc, false, numSurf);
  MajCoupesSurface(doc);
}

bool CheckFlex(int f) { return f >= MinOrdre && f <= MaxOrdre; }

}  // namespace

std::string NouvelleSurface(TDocument& doc, const std::string& nomDonne, int forme,
                            const TOptionsNouvelleSurface& opt) {
  TRACE("ObjCom.NouvelleSurface");
  if (doc.NbSurf() >= MaxSurf) return "rsErrMaxSurf";
  std::string nom = NomSurfaceCoupe(nomDonne);
  if (nom.empty()) return "rsErrNomObligatoire";
  if (SurfNom2Num(doc, nom) >= 0) return "rsErrNomDonne";
  if (forme < 0 || forme >= NbFormesDepart) return "rsErrCasImpossible";
  if (!CheckFlex(opt.FlexLongitudinale) || !CheckFlex(opt.FlexTransversale)) return "rsErrFlexibilite";
  size_t avant = doc.TabSurf.size();
  try {
    auto s = std::make_unique<TSurface>(doc.NbSurf(), PrecisionValide(doc.Precision));
    s->Net.Initialise(forme);
    s->Net.LFlex = opt.FlexTransversale;
    s->Net.CFlex = opt.FlexLongitudinale;
    s->Nom = nom;
    s->Poids.Nom = nom;
    s->Visible = opt.Visible;
    s->Verrou = opt.Verrou;
    s->Sym = opt.Sym;
    s->Calc = opt.Calc;
    s->Voile = opt.Voile;
    s->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
    doc.TabSurf.push_back(std::move(s));
  } catch (const std::exception& e) {
    doc.TabSurf.resize(avant);
    DbgErr(erDivers, "ObjCom.NouvelleSurface", 0, {e.what()});
    return "rsErrGrilleRedim";
  }
  doc.MarqueModifie();
  AnnonceAvis(doc, avListe);
  return "";
}

std::string DupliquerSurfaces(TDocument& doc, const std::vector<int>& nums) {
  TRACE("ObjCom.DupliquerSurfaces");
  if (static_cast<int>(nums.size()) + doc.NbSurf() > MaxSurf) return "rsSurfSelMax";
  for (int k : nums) {
    if (k < 0 || k >= doc.NbSurf()) continue;
    std::unique_ptr<TEntity> c = doc.Surf(k).Clone();
    int n = doc.NbSurf() + 1;
    c->NumSurf = n - 1;
    if (auto* s = dynamic_cast<TSurface*>(c.get())) s->Net.NumSurf = n - 1;
    c->Nom = NomUnique(doc, doc.Surf(k).Nom, n);
    c->Poids.Nom = c->Nom;
    c->Poids.Surface = -1;
    c->MarqueNonCalculee();
    c->CreateTabCoupes(doc.Grille.NbSec, doc.Grille.NbLE, doc.Grille.NbLong, doc.Grille.NbDiag);
    doc.TabSurf.push_back(std::move(c));
  }
  doc.MarqueModifie();
  MajSurface(doc, false, -1);
  AnnonceAvis(doc, avListe);
  return "";
}

void SupprimerSurface(TDocument& doc, int k) {
  TRACE("ObjCom.SupprimerSurface");
  if (k < 0 || k >= doc.NbSurf()) return;
  doc.TabSurf.erase(doc.TabSurf.begin() + k);
  RenumeroteSurfaces(doc);
  SoudesSurfaceSupprimee(doc, k);
  for (auto& p : doc.ListePoids) {
    if (p.Surface == k)
      p.Surface = -1;
    else if (p.Surface > k)
      p.Surface--;
  }
  if (doc.BasePlanSymCourante.NumSurf == k)
    doc.BasePlanSymCourante = {};
  else if (doc.BasePlanSymCourante.NumSurf > k)
    doc.BasePlanSymCourante.NumSurf--;
  PCCourantPremierLibre(doc);
  MajMinMaxAllSurf(doc);
  MajTotalPoids(doc);
  doc.MarqueModifie();
  AnnonceAvis(doc, avListe);
}

void SupprimerSurfaces(TDocument& doc, std::vector<int> nums) {
  std::sort(nums.begin(), nums.end());
  nums.erase(std::unique(nums.begin(), nums.end()), nums.end());
  for (auto it = nums.rbegin(); it != nums.rend(); ++it) SupprimerSurface(doc, *it);
}

namespace {
void Mirroir(TDocument& doc, int k, bool enZ) {
  TSurface* s = doc.SurfNurbs(k);
  if (!s) return;
  auto inv = [enZ](TVertex3f& v) { (enZ ? v.Z : v.X) = -(enZ ? v.Z : v.X); };
  for (int i = 0; i < s->Net.NbLn; i++)
    for (int j = 0; j < s->Net.NbCol; j++) (enZ ? s->Net.PC[i][j].Z : s->Net.PC[i][j].X) *= -1;
  inv(s->PlanSym.Origine);
  inv(s->PlanSym.Axe1);
  inv(s->PlanSym.Axe2);
  inv(s->PlanSym.Axe3);
  s->PlanSym.MajPlan();
  s->MarqueNonCalculee();
  doc.MarqueModifie();
  AnnonceAvis(doc, TAvis{.Quoi = avGeometrie, .Surfaces = {k}});
}
}  // namespace

void MirroirZ(TDocument& doc, int k) { Mirroir(doc, k, true); }
void MirroirX(TDocument& doc, int k) { Mirroir(doc, k, false); }

std::string RenommerSurface(TDocument& doc, int k, const std::string& nomDonne) {
  if (k < 0 || k >= doc.NbSurf()) return "rsMauvaiseSelection";
  std::string nom = NomSurfaceCoupe(nomDonne);
  if (nom.empty()) return "rsEmptyName";
  if (SurfNom2Num(doc, nom) >= 0) return "rsNomUtilise";
  doc.Surf(k).Nom = nom;
  doc.Surf(k).Poids.Nom = nom;
  doc.MarqueModifie();
  AnnonceAvis(doc, avProprietes);
  return "";
}

void VerrouillerSurfaces(TDocument& doc, const std::vector<int>& nums) {
  for (int i = 0; i < doc.NbSurf(); i++)
    doc.Surf(i).Verrou = std::find(nums.begin(), nums.end(), i) != nums.end();
  PCCourantPremierLibre(doc);
  doc.MarqueModifie();
  AnnonceAvis(doc, avProprietes);
}

void PorteeCalculs(TDocument& doc, const std::vector<int>& nums) {
  for (int i = 0; i < doc.NbSurf(); i++)
    doc.Surf(i).Calc = std::find(nums.begin(), nums.end(), i) != nums.end();
  doc.MarqueModifie();
  AnnonceAvis(doc, avProprietes);
}

void VisibiliteSurfaces(TDocument& doc, const std::vector<int>& nums) {
  for (int i = 0; i < doc.NbSurf(); i++)
    doc.Surf(i).Visible = std::find(nums.begin(), nums.end(), i) != nums.end();
  doc.MarqueModifie();
  MajSurface(doc, false, -1);
  AnnonceAvis(doc, avProprietes);
}

namespace {
void MessageNet(TResultatNet r, bool ligne) {
  switch (r) {
    case TResultatNet::MaxAtteint:
      AfficheMessage(rs(ligne ? "rsMaxLignes" : "rsMaxCols"), mtWarning, mbOK);
      break;
    case TResultatNet::Impossible:
      AfficheMessage(rs(ligne ? "rsSupprLnImpossible" : "rsSupprColImpossible"), mtWarning, mbOK);
      break;
    case TResultatNet::PasDePrecedent:
      AfficheMessage(rs("rsErrInsertionPremier"), mtWarning, mbOK);
      break;
    case TResultatNet::VuePersp:
      AfficheMessage(rs("rsErrServNonFourniPersp"), mtWarning, mbOK);
      break;
    case TResultatNet::VueNonPrevue:
      AfficheMessage(rs("rsErrFenNonDeclaree"), mtError, mbOK);
      break;
    case TResultatNet::Ok:
      break;
  }
}

}  // namespace

TResultatNet AjoutPC(TDocument& doc, const TVertex3f& p, const TPC& pc, int vue) {
  TRACE("TNet.AjoutPC");
  TSurface* s = doc.SurfNurbs(pc.NumSurf);
  if (!s || !s->Net.DansNet(pc.NumLn, pc.NumCol)) return TResultatNet::Impossible;
  bool ligne = vue == tvSection;
  TNet& net = s->Net;
  double prop = 1, angle = 0;
  TResultatNet r = (ligne ? net.NbLn : net.NbCol) >= MaxNet ? TResultatNet::MaxAtteint
                                                            : net.CalcProp_AjoutPC(p, pc, vue, prop, angle);
  int index = 0;
  if (r == TResultatNet::Ok) {
    if (ligne) {
      index = net.NbLn == 1 ? 1 : pc.NumLn;
      r = net.AjoutLnPC(pc.NumLn, prop, angle);
    } else {
      index = net.NbCol == 1 ? 1 : pc.NumCol;
      r = net.AjoutColPC(pc.NumCol, prop, angle, vue);
    }
  }
  if (r != TResultatNet::Ok) {
    MessageNet(r, ligne);
    return r;
  }
  if (ligne)
    SoudesLigneInseree(doc, pc.NumSurf, index);
  else
    SoudesColonneInseree(doc, pc.NumSurf, index);
  ApresModifNet(doc, pc.NumSurf);
  AnnonceAvis(doc,
              {.Quoi = avGeometrie, .Surfaces = {pc.NumSurf}, .Nets = {{pc.NumSurf, ligne, index, true}}});
  return r;
}

TResultatNet SupprPC(TDocument& doc) {
  TRACE("TNet.SupprPC");
  TPC pc = doc.PCCourant;
  TSurface* s = doc.SurfNurbs(pc.NumSurf);
  if (!s || !s->Net.DansNet(pc.NumLn, pc.NumCol)) return TResultatNet::Impossible;
  bool ligne = doc.VueActive == tvSection;
  TResultatNet r = ligne ? s->Net.SupprLn(pc.NumLn) : s->Net.SupprCol(pc.NumCol);
  if (r != TResultatNet::Ok) {
    MessageNet(r, ligne);
    return r;
  }
  if (ligne)
    SoudesLigneSupprimee(doc, pc.NumSurf, pc.NumLn);
  else
    SoudesColonneSupprimee(doc, pc.NumSurf, pc.NumCol);
  // After a row deletion too: the old current vertex may lie outside the net.
  ChangeCurrentPC(doc, {pc.NumSurf, 0, 0});
  ApresModifNet(doc, pc.NumSurf);
  AnnonceAvis(doc, {.Quoi = avGeometrie,
                    .Surfaces = {pc.NumSurf},
                    .Nets = {{pc.NumSurf, ligne, ligne ? pc.NumLn : pc.NumCol, false}}});
  return r;
}

void TransposeSurface(TDocument& doc, int k) {
  TSurface* s = doc.SurfNurbs(k);
  if (!s) return;
  s->Net.Transpose();
  SoudesTranspose(doc, k);
  if (doc.PCCourant.NumSurf == k) std::swap(doc.PCCourant.NumLn, doc.PCCourant.NumCol);
  ApresModifNet(doc, k);
  AnnonceAvis(doc, {.Quoi = avGeometrie | avPCCourant, .Surfaces = {k}});
}

namespace {
// The two coordinates of a view kind: 0 (X, Z), 1 (Y, X), 2 (Y, Z).
double& Coord2D(TPtNet& p, int vue, int axe) {
  switch (vue) {
    case tvSection:
      return axe == 0 ? p.X : p.Z;
    case tvPlan:
      return axe == 0 ? p.Y : p.X;
    default:
      return axe == 0 ? p.Y : p.Z;
  }
}

bool ListeValide(TDocument& doc, const TListPC& sel) {
  for (const auto& pc : sel)
    if (!VertexDe(doc, pc)) return false;
  return true;
}

void MarqueSurfacesDe(TDocument& doc, const TListPC& sel) {
  for (const auto& pc : sel) doc.Surf(pc.NumSurf).MarqueNonCalculee();
  doc.MarqueModifie();
  MajCoupesSurface(doc);
}
}  // namespace

bool AligneDansLePlan(TDocument& doc, const TListPC& sel, int vue) {
  TRACE("TNet.AligneDansLePlan");
  if (sel.size() <= 2) {
    AfficheMessage(rs("rsSelMore2Vx"), mtWarning, mbOK);
    return false;
  }
  if (!ListeValide(doc, sel)) return false;
  if (vue < tvSection || vue > tvProfil) return false;  // perspective: nothing moves
  TPtNet p0 = *VertexDe(doc, sel[0]), p1 = *VertexDe(doc, sel[1]);
  double x0 = Coord2D(p0, vue, 0), y0 = Coord2D(p0, vue, 1);
  double x1 = Coord2D(p1, vue, 0), y1 = Coord2D(p1, vue, 1);
  TPoint2f a = Point2f(x0, y0), b = Point2f(x1, y1);
  double m = Distance2D(a, b);
  for (size_t k = 2; k < sel.size(); k++) {
    TPtNet& pk = *VertexDe(doc, sel[k]);
    TPoint2f c = Point2f(Coord2D(pk, vue, 0), Coord2D(pk, vue, 1));
    double o = Distance2D(a, c);
    if (m == 0 || o == 0) {
      AfficheMessage(rs("rsAlignImpossible"), mtWarning, mbOK);
      continue;
    }
    double g = Angle2D(a, b, c);
    double f = (g < 90 ? o : -o) / m;
    Coord2D(pk, vue, 0) = x0 + (x1 - x0) * f;
    Coord2D(pk, vue, 1) = y0 + (y1 - y0) * f;
  }
  MarqueSurfacesDe(doc, sel);
  AnnonceAvis(doc, avGeometrie);
  return true;
}

bool AligneDanslEspace(TDocument& doc, const TListPC& sel) {
  TRACE("TNet.AligneDanslEspace");
  if (sel.size() <= 2) {
    AfficheMessage(rs("rsSelMore2Vx"), mtWarning, mbOK);
    return false;
  }
  if (!ListeValide(doc, sel)) return false;
  TVertex3f p0 = VertexDe(doc, sel[0])->V(), p1 = VertexDe(doc, sel[1])->V();
  double f = Distance3D(p0, p1);
  for (size_t k = 2; k < sel.size(); k++) {
    TPtNet& pk = *VertexDe(doc, sel[k]);
    TVertex3f v = pk.V();
    double g = Distance3D(p0, v), h = Distance3D(p1, v);
    if (f == 0 || g == 0) {
      AfficheMessage(rs("rsAlignImpossible"), mtWarning, mbOK);
      continue;
    }
    double e = Angle3D(v, p0, p1);
    pk.SetV(e >= 90 ? p1 + (p0 - p1) * (h / f) : p0 + (p1 - p0) * (g / f));
  }
  MarqueSurfacesDe(doc, sel);
  AnnonceAvis(doc, avGeometrie);
  return true;
}

bool GrouperPC(TDocument& doc, const TListPC& sel, int vue) {
  if (sel.size() < 2) {
    AfficheMessage(rs("rsSelLeast2Vx"), mtWarning, mbOK);
    return false;
  }
  if (!ListeValide(doc, sel)) return false;
  if (vue == tvPersp) return true;  // nothing to group in the perspective plane
  TPtNet p0 = *VertexDe(doc, sel[0]);
  for (size_t k = 1; k < sel.size(); k++) {
    TPtNet& p = *VertexDe(doc, sel[k]);
    switch (vue) {
      case -1:
        p.X = p0.X, p.Y = p0.Y, p.Z = p0.Z;
        break;
      case tvSection:
        p.X = p0.X, p.Z = p0.Z;
        break;
      case tvPlan:
        p.X = p0.X, p.Y = p0.Y;
        break;
      case tvProfil:
        p.Y = p0.Y, p.Z = p0.Z;
        break;
      default:
        break;
    }
  }
  MarqueSurfacesDe(doc, sel);
  AnnonceAvis(doc, avGeometrie);
  return true;
}

void RAZPlanSym(TDocument& doc, int numSurf) {
  if (numSurf < 0 || numSurf >= doc.NbSurf()) return;
  TEntity& e = doc.Surf(numSurf);
  double ax, ay, az;
  AnglesBase(e.PlanSym, ax, ay, az);
  TMatrice4 m;
  MatRotationInv3D({0, 0, 0}, {-ax, -ay, -az}, m);
  TVertex3f o = -e.PlanSym.Origine;
  auto bouge = [&](TVertex3f& v) {
    Translation3D(o, v);
    Transformation3D(m, v);
  };
  if (TSurface* s = doc.SurfNurbs(numSurf)) {
    for (int i = 0; i < s->Net.NbLn; i++)
      for (int j = 0; j < s->Net.NbCol; j++) {
        TVertex3f v = s->Net.PC[i][j].V();
        bouge(v);
        s->Net.PC[i][j].SetV(v);
      }
  } else {
    for (auto& row : e.Pts)
      for (auto& p : row) bouge(p);
  }
  e.PlanSym.RAZ();
  e.MarqueNonCalculee();
  doc.MarqueModifie();
  AnnonceAvis(doc, TAvis{.Quoi = avGeometrie, .Surfaces = {numSurf}});
}
