// The session: surface list operations, net edits with their document upkeep, weld
// upkeep and the update procedures.
#include "session/ObjCom.h"

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

TAffichage& AffichageCalculs() {
  static TAffichage a;
  return a;
}

void TDocument::InitDefaut() {
  Vider();
  TOptionsNouvelleSurface o;
  o.FlexLongitudinale = o.FlexTransversale = 4;
  NouvelleSurface(*this, "Surface1", 0, o);
  ChangeCurrentPC(*this, {0, 0, 0});
  // The standard grid spreads over the evaluated surface.
  MajSurface(*this, true, -1);
  GrilleParDefaut(*this);
  MajSurface(*this, true, -1);
  MajMinMaxAllNet(*this, false);
  Modifie = false;
}

void CourbureOptionsChangees(TDocument& doc) {
  for (auto& s : doc.TabSurf)
    if (s->Visible) s->SecCalc = false;
  MajCoupesSurface(doc);
}

void MajGrille(TDocument& doc, const TTablesGrille& t) {
  TRACE("TGrilleForm.MajGrille");
  AppliqueGrille(doc, t);
  MajCoupesSurface(doc);
  doc.MarqueModifie();
}

void MajSurface(TDocument& doc, bool forcer, int numSurf) {
  TRACE("ObjCom.MajSurface");
  TCurseurAttente attente(!Options().SplineTR);
  if (AffichageCalculs().Carene || AffichageCalculs().SurfParam || forcer) {
    if (numSurf == -1) {
      for (auto& s : doc.TabSurf)
        if (!s->Calculee && (s->Visible || forcer)) s->CalcSurface();
    } else if (numSurf >= 0 && numSurf < doc.NbSurf()) {
      if (!doc.Surf(numSurf).Calculee) doc.Surf(numSurf).CalcSurface();
    }
  }
  MajMinMaxAllSurf(doc);
  if (AffichageCalculs().Poids || forcer) MajTotalPoids(doc);
  if (AffichageCalculs().CentreVoilure) MajCentreVoilure(doc);
}

void MajSurfacesPortee(TDocument& doc, const std::vector<int>& portee) {
  for (int k : portee)
    if (k >= 0 && k < doc.NbSurf() && !doc.Surf(k).Calculee) MajSurface(doc, true, k);
}

void MajCoupesSurface(TDocument& doc) {
  TRACE("ObjCom.MajCoupesSurface");
  TCurseurAttente attente(!Options().SplineTR);
  MajSurface(doc, false, -1);
  // Only the kinds on display: the others are computed when they are shown.
  if (AffichageCalculs().Carene) CalcTabLignesSec(doc, AffichageCalculs().Herisson);
  if (AffichageCalculs().LignesEau) CalcTabLignesLE(doc);
  if (AffichageCalculs().Longitudinales) CalcTabLignesLgt(doc);
  if (AffichageCalculs().Diagonales) CalcTabLignesDiag(doc);
}

// Extents start from the first value met, not from a bound: a model of any size (or
// unit) gets its own. With nothing to measure they stay the empty marks +-10000.
void MajMinMaxAllSurf(TDocument& doc) {
  double xmin = 10000, xmax = -10000, ymin = 10000, ymax = -10000, zmin = 10000, zmax = -10000;
  bool premier = true;
  for (const auto& s : doc.TabSurf) {
    // A surface never evaluated has no extremes yet (its marks are crossed).
    if (s->PtXMin.X > s->PtXMax.X) continue;
    if (premier) {
      xmin = s->PtXMin.X, xmax = s->PtXMax.X, ymin = s->PtYMin.Y, ymax = s->PtYMax.Y;
      zmin = s->PtZMin.Z, zmax = s->PtZMax.Z;
      premier = false;
    }
    xmin = std::min(xmin, s->PtXMin.X), xmax = std::max(xmax, s->PtXMax.X);
    ymin = std::min(ymin, s->PtYMin.Y), ymax = std::max(ymax, s->PtYMax.Y);
    zmin = std::min(zmin, s->PtZMin.Z), zmax = std::max(zmax, s->PtZMax.Z);
  }
  doc.SurfXMin = xmin, doc.SurfXMax = xmax, doc.SurfYMin = ymin, doc.SurfYMax = ymax;
  doc.SurfZMin = zmin, doc.SurfZMax = zmax;
}

void MajMinMaxAllNet(TDocument& doc, bool visiblesSeules) {
  double xmin = 10000, xmax = -10000, ymin = 10000, ymax = -10000, zmin = 10000, zmax = -10000;
  bool premier = true;
  auto teste = [&](const TVertex3f& p) {
    if (premier) xmin = xmax = p.X, ymin = ymax = p.Y, zmin = zmax = p.Z, premier = false;
    xmin = std::min(xmin, p.X), xmax = std::max(xmax, p.X);
    ymin = std::min(ymin, p.Y), ymax = std::max(ymax, p.Y);
    zmin = std::min(zmin, p.Z), zmax = std::max(zmax, p.Z);
  };
  for (int k = 0; k < doc.NbSurf(); k++) {
    TSurface* s = doc.SurfNurbs(k);
    if (!s || (visiblesSeules && !s->Visible)) continue;
    for (int i = 0; i < s->Net.NbLn; i++)
      for (int j = 0; j < s->Net.NbCol; j++) {
        TVertex3f v = s->Net.PC[i][j].V();
        teste(v);
        teste(CalcSym(v, s->PlanSym.Plan()));
      }
  }
  doc.NetXMin = xmin, doc.NetXMax = xmax, doc.NetYMin = ymin, doc.NetYMax = ymax;
  doc.NetZMin = zmin, doc.NetZMax = zmax;
}

TPtNet* VertexDe(TDocument& doc, const TPC& pc) {
  TSurface* s = doc.SurfNurbs(pc.NumSurf);
  if (!s || !s->Net.DansNet(pc.NumLn, pc.NumCol)) return nullptr;
  return &s->Net.PC[pc.NumLn][pc.NumCol];
}

void ChangeCurrentPC(TDocument& doc, const TPC& pc) {
  bool valide = pc.NumSurf >= 0 && pc.NumSurf < doc.NbSurf();
  if (valide) {
    if (TSurface* s = doc.SurfNurbs(pc.NumSurf))
      valide = s->Net.DansNet(pc.NumLn, pc.NumCol);
    else
      valide = pc.NumLn >= 0 && pc.NumCol >= 0;  // a mesh surface has no net; (0, 0) names it
  }
  doc.PCCourant = valide ? pc : TPC{};
}

void PCCourantPremierLibre(TDocument& doc) {
  for (int k = 0; k < doc.NbSurf(); k++)
    if (doc.Surf(k).Visible && !doc.Surf(k).Verrou) {
      ChangeCurrentPC(doc, {k, 0, 0});
      return;
    }
  doc.PCCourant = TPC{};
}

std::string NomSurfaceCoupe(const std::string& nom) { return TronqueUtf8(nom, MaxNomSurf); }

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
  return "";
}

void VerrouillerSurfaces(TDocument& doc, const std::vector<int>& nums) {
  for (int i = 0; i < doc.NbSurf(); i++)
    doc.Surf(i).Verrou = std::find(nums.begin(), nums.end(), i) != nums.end();
  PCCourantPremierLibre(doc);
  doc.MarqueModifie();
}

void PorteeCalculs(TDocument& doc, const std::vector<int>& nums) {
  for (int i = 0; i < doc.NbSurf(); i++)
    doc.Surf(i).Calc = std::find(nums.begin(), nums.end(), i) != nums.end();
  doc.MarqueModifie();
}

void VisibiliteSurfaces(TDocument& doc, const std::vector<int>& nums) {
  for (int i = 0; i < doc.NbSurf(); i++)
    doc.Surf(i).Visible = std::find(nums.begin(), nums.end(), i) != nums.end();
  doc.MarqueModifie();
  MajSurface(doc, false, -1);
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

template <typename F>
void PourChaqueRef(TDocument& doc, F f) {
  for (auto& g : doc.GroupesSoudes)
    for (auto& pc : g) f(pc);
  for (auto& pc : doc.PCSoudes) f(pc);
}

template <typename Pred>
void RetireRefs(TDocument& doc, Pred p) {
  for (auto& g : doc.GroupesSoudes) g.erase(std::remove_if(g.begin(), g.end(), p), g.end());
  doc.PCSoudes.erase(std::remove_if(doc.PCSoudes.begin(), doc.PCSoudes.end(), p), doc.PCSoudes.end());
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
  return r;
}

void TransposeSurface(TDocument& doc, int k) {
  TSurface* s = doc.SurfNurbs(k);
  if (!s) return;
  s->Net.Transpose();
  SoudesTranspose(doc, k);
  if (doc.PCCourant.NumSurf == k) std::swap(doc.PCCourant.NumLn, doc.PCCourant.NumCol);
  ApresModifNet(doc, k);
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
  return true;
}

void SoudesLigneInseree(TDocument& doc, int numSurf, int ln) {
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf == numSurf && pc.NumLn >= ln) pc.NumLn++;
  });
}

void SoudesColonneInseree(TDocument& doc, int numSurf, int col) {
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf == numSurf && pc.NumCol >= col) pc.NumCol++;
  });
}

void SoudesLigneSupprimee(TDocument& doc, int numSurf, int ln) {
  RetireRefs(doc, [&](const TPC& pc) { return pc.NumSurf == numSurf && pc.NumLn == ln; });
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf == numSurf && pc.NumLn > ln) pc.NumLn--;
  });
}

void SoudesColonneSupprimee(TDocument& doc, int numSurf, int col) {
  RetireRefs(doc, [&](const TPC& pc) { return pc.NumSurf == numSurf && pc.NumCol == col; });
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf == numSurf && pc.NumCol > col) pc.NumCol--;
  });
}

void SoudesSurfaceSupprimee(TDocument& doc, int numSurf) {
  RetireRefs(doc, [&](const TPC& pc) { return pc.NumSurf == numSurf; });
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf > numSurf) pc.NumSurf--;
  });
}

void SoudesTranspose(TDocument& doc, int numSurf) {
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf == numSurf) std::swap(pc.NumLn, pc.NumCol);
  });
}

bool SouderPC(TDocument& doc, const TListPC& sel) {
  if (sel.size() < 2) {
    AfficheMessage(rs("rsSelLeast2Vx"), mtWarning, mbOK);
    return false;
  }
  doc.GroupesSoudes.push_back(sel);
  for (const auto& pc : sel)
    if (!PCDansListe(doc.PCSoudes, pc)) AjoutePCListe(doc.PCSoudes, pc);
  doc.MarqueModifie();
  return true;
}

void DessouderPC(TDocument& doc, const TListPC& sel) {
  TListPC cibles = sel;
  if (cibles.empty() && doc.PCCourant.Existe()) cibles.push_back(doc.PCCourant);
  for (const auto& pc : cibles) {
    for (auto g = doc.GroupesSoudes.rbegin(); g != doc.GroupesSoudes.rend(); ++g)
      if (PCDansListe(*g, pc)) {
        doc.GroupesSoudes.erase(std::next(g).base());
        break;
      }
  }
  ReconstruitPCSoudes(doc);
  doc.MarqueModifie();
}

void ReconstruitPCSoudes(TDocument& doc) {
  doc.PCSoudes.clear();
  for (const auto& g : doc.GroupesSoudes)
    for (const auto& pc : g)
      if (!PCDansListe(doc.PCSoudes, pc)) AjoutePCListe(doc.PCSoudes, pc);
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
}

bool ChangePrecision(TDocument& doc, int n) {
  TRACE("ObjCom.ChangePrecision");
  n = PrecisionValide(n);
  TCurseurAttente attente;
  bool ok = true;
  doc.Precision = n;
  for (int k = 0; k < doc.NbSurf(); k++)
    if (TSurface* s = doc.SurfNurbs(k)) {
      ok = s->RedimGrilles(n + 1, n + 1) && ok;
      s->MarqueNonCalculee();
    }
  MajSurface(doc, false, -1);
  MajCoupesSurface(doc);
  return ok;
}

void PrepareCarenesMichlet(TDocument& doc, const std::vector<int>& carenes) {
  TRACE("TVexrunForm.Prepare");
  MajSurface(doc, true, -1);
  for (int k : carenes)
    if (k >= 0 && k < doc.NbSurf()) {
      TEntity& e = doc.Surf(k);
      if (!e.Calculee) e.CalcSurface();
      CalcAllSec(doc, e);
    }
}
