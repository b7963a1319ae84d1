// The session's updates: what is recomputed after an edit (evaluation, extents, lines of
// the kinds on display, weights, sail centre), the display switches, the current vertex and
// the precision. The surface list operations are in ListeSurfaces.cpp, the welds in Soudes.cpp.
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
#include "session/Avis.h"

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

void GeometrieModifiee(TDocument& doc, unsigned quoi, std::vector<int> surfaces) {
  MajSurface(doc, false, -1);
  MajCoupesSurface(doc);
  MajMinMaxAllNet(doc, false);
  AnnonceAvis(doc, TAvis{.Quoi = quoi, .Surfaces = std::move(surfaces)});
}

void AffichageChange(TDocument& doc) {
  MajCoupesSurface(doc);
  AnnonceAvis(doc, avAffichage);
}

void CourbureOptionsChangees(TDocument& doc) {
  for (auto& s : doc.TabSurf)
    if (s->Visible) s->SecCalc = false;
  MajCoupesSurface(doc);
  AnnonceAvis(doc, avAffichage);
}

void MajGrille(TDocument& doc, const TTablesGrille& t) {
  TRACE("TGrilleForm.MajGrille");
  AppliqueGrille(doc, t);
  MajCoupesSurface(doc);
  doc.MarqueModifie();
  AnnonceAvis(doc, avGrille);
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
  const TPC avant = doc.PCCourant;
  doc.PCCourant = valide ? pc : TPC{};
  if (!(doc.PCCourant == avant)) AnnonceAvis(doc, avPCCourant);
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
  AnnonceAvis(doc, avPrecision | avGeometrie);
  return ok;
}

void PrepareCarenesMichlet(TDocument& doc, const std::vector<int>& carenes) {
  TRACE("TVexrunForm.Prepare");
  MajSurface(doc, true, -1);
  for (int k : carenes)
    if (k >= 0 && k < doc.NbSurf()) {
      TEntity& e = doc.Surf(k);
      if (!e.Visible) continue;  // lines are computed for visible surfaces only
      if (!e.Calculee) e.CalcSurface();
      CalcAllSec(doc, e);
    }
}
