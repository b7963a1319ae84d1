// The lines of the surfaces as the lines plan computes them (the halves and the
// lines shared between the cores, the mirror half derived from the main half's
// crossings when its grid is the main one turned over) against the
// plane-by-plane cut of each grid on its own, to the last bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <numbers>
#include <thread>

#include "Aide.h"
#include "Aides.h"
#include "base/Fils.h"
#include "base/Services.h"
#include "document/GestFich.h"
#include "lines/Coupes.h"

namespace {

bool Bits(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }

// Same polylines, same points in the same order, every coordinate to the bit
// (the sign of a zero and of a not-a-number included).
::testing::AssertionResult MemesBits(const TCoupe& a, const TCoupe& b) {
  if (a.size() != b.size())
    return ::testing::AssertionFailure() << a.size() << " polylines, not " << b.size();
  for (size_t k = 0; k < a.size(); k++) {
    if (a[k].size() != b[k].size())
      return ::testing::AssertionFailure()
             << "polyline " << k << ": " << a[k].size() << " points, not " << b[k].size();
    for (size_t p = 0; p < a[k].size(); p++) {
      const TPt3D &u = a[k][p], &v = b[k][p];
      if (!Bits(u.X, v.X) || !Bits(u.Y, v.Y) || !Bits(u.Z, v.Z) ||
          !Bits(u.Courbure.Valeur, v.Courbure.Valeur))
        return ::testing::AssertionFailure()
               << "polyline " << k << " point " << p << ": (" << u.X << ", " << u.Y << ", " << u.Z
               << ") against (" << v.X << ", " << v.Y << ", " << v.Z << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

// The lines of one family of one grid, swept on their own on this thread (the
// family sweeps are checked against the plane-by-plane cut in TestCoupes).
std::vector<TCoupe> Reference(const TDocument& doc, const TEntity& e, const TArrayVertex3f& g,
                              TFamilleLignes f, bool courbure) {
  const TGrille& gr = doc.Grille;
  std::vector<TCoupe> c;
  const std::vector<double> pos = gr.Positions(f);
  if (f == flDiagonales) {
    std::vector<double> pentes;
    for (int k = 0; k < gr.NombreValide(f); k++)
      pentes.push_back(AngleDiagValide(gr.AngleDiag[k]) ? PenteDiag(gr.AngleDiag[k]) : std::nan(""));
    CalcFamilleDiag(g, e.NbLnPt, e.NbColPt, pos, pentes, c);
  } else {
    const TAxePlan a = f == flSections ? apY : f == flLignesEau ? apZ : apX;
    CalcFamilleParallele(g, e.NbLnPt, e.NbColPt, a, pos, c);
    if (courbure)
      for (auto& l : c) CalcCourbureCoupe(l);
  }
  return c;
}

void CalculeTout(TDocument& doc, bool courbure) {
  for (auto& s : doc.TabSurf) s->SecCalc = s->LgECalc = s->LongCalc = s->DiagCalc = false;
  CalcTabLignesSec(doc, courbure);
  CalcTabLignesLE(doc);
  CalcTabLignesLgt(doc);
  CalcTabLignesDiag(doc);
}

// Every line of every visible surface, both halves, against the cut of its own grid;
// returns the number of points compared.
size_t CompareAuxCoupes(TDocument& doc, bool courbure = false) {
  CalculeTout(doc, courbure);
  size_t points = 0;
  for (auto& s : doc.TabSurf) {
    if (!s->Visible) continue;
    const TEntity& e = *s;
    const std::vector<TCoupe>* tables[4][2] = {
        {&e.Sec, &e.SecSym}, {&e.LgE, &e.LgESym}, {&e.Long, &e.LongSym}, {&e.Diag, &e.DiagSym}};
    for (int f = 0; f < NbFamillesLignes; f++) {
      const auto fam = static_cast<TFamilleLignes>(f);
      const int n = doc.Grille.NombreValide(fam);
      for (int h = 0; h < 2; h++) {
        const std::vector<TCoupe>& t = *tables[f][h];
        EXPECT_EQ(t.size(), static_cast<size_t>(n)) << e.Nom << " famille " << f;
        std::vector<TCoupe> refs(t.size());
        if (h == 0 || e.Sym)
          refs = Reference(doc, e, h == 0 ? e.Pts : e.PtsSym, fam, courbure && h == 0 && f == flSections);
        EXPECT_EQ(refs.size(), t.size());
        for (int k = 0; k < n && k < static_cast<int>(std::min(t.size(), refs.size())); k++) {
          const TCoupe& ref = refs[k];
          EXPECT_TRUE(MemesBits(t[k], ref))
              << e.Nom << " famille " << f << (h ? " miroir" : "") << " ligne " << k;
          points += aides::NbPoints(t[k]);
        }
      }
    }
  }
  return points;
}

// The mirror grid rebuilt as the main one turned over, exactly.
void RetourneMiroir(TEntity& e) {
  const int n = e.NbLnPt;
  e.PtsSym = e.Pts;
  for (int i = 0; i <= n; i++)
    for (size_t j = 0; j < e.Pts[i].size(); j++) {
      const TVertex3f& p = e.Pts[i][j];
      e.PtsSym[n - i][j] = {-p.X, p.Y, p.Z};
    }
}

void GrilleStandard(TDocument& doc, int n) {
  TGrille& g = doc.Grille;
  g.NbSec = g.NbLE = g.NbLong = g.NbDiag = n;
  for (int f = 0; f < NbFamillesLignes; f++) AutoStand(doc, static_cast<TFamilleLignes>(f));
}

TEST(LignesMiroir, SamplesGiveTheLinesOfTheCutOfEachHalf) {
  for (const char* nom : {"Voilier11.kvb", "Deriveur42.kvb", "Vedette85.kvb", "Canot52.kvb"}) {
    SCOPED_TRACE(nom);
    TDocument doc;
    ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/" + nom));
    GrilleStandard(doc, 40);
    int retournes = 0;
    for (auto& s : doc.TabSurf) {
      s->Visible = true;
      if (s->Sym && MiroirRetourne(s->Pts, s->PtsSym, s->NbLnPt, s->NbColPt)) retournes++;
    }
    // The evaluated samples' mirrors are exact images: the derived path is the one compared.
    EXPECT_GT(retournes, 0);
    EXPECT_GT(CompareAuxCoupes(doc, true), 1000u);
  }
}

// A hand-made hull whose keel nodes lie at X = +0 and -0, with a row of one point
// repeated (a pointed bow), nodes that are not numbers, and planes through nodes.
TArrayVertex3f CoqueEprouvette() {
  return aides::Grille(24, 30, [](int i, int j) {
    const double u = i / 24.0, v = j / 30.0;
    const double f = std::sin(std::numbers::pi * (0.05 + 0.9 * v));
    TVertex3f p{std::round(40 * f * std::sin(u * 1.5)) / 40, std::round(60 * v) / 10,
                std::round(40 * (-0.8 * f * std::cos(u * 1.5) + 0.7 * u)) / 40};
    if (i == 0) p.X = j % 2 ? -0.0 : 0.0;
    if (j == 30) p = {0, 6.2, 0.3};
    return p;
  });
}

TEST(LignesMiroir, TurnedOverMeshWithZerosHolesAndDegenerateRows) {
  TDocument doc;
  TArrayVertex3f g = CoqueEprouvette();
  g[7][11].X = std::nan("");
  g[12][4].Z = std::nan("");
  g[15][20].Y = std::nan("");
  g[3][3] = {std::nan(""), std::nan(""), std::nan("")};
  TEntity& e = aides::AjouteMaillage(doc, "Eprouvette", g);
  RetourneMiroir(e);
  ASSERT_TRUE(MiroirRetourne(e.Pts, e.PtsSym, e.NbLnPt, e.NbColPt));
  TGrille& gr = doc.Grille;
  // Planes through rows of nodes, repeated, not a number, off the hull, and buttocks at
  // both signs of the centre plane's zero (the derived path steps aside for them).
  const double sec[] = {0, 0.5, 1.2, 1.2, 3, 6, 6.2, std::nan(""), 7, 2.45};
  const double le[] = {-0.5, -0.25, 0, 0.1, 0.3, 0.3, 0.55, 0.7};
  const double lg[] = {0.025, 0.2, 0.5, 0.5, 0.65, 0.8, 1.5};
  gr.NbSec = 10, gr.NbLE = 8, gr.NbLong = 7, gr.NbDiag = 6;
  std::copy(std::begin(sec), std::end(sec), gr.PosSec.begin());
  std::copy(std::begin(le), std::end(le), gr.PosLgE.begin());
  std::copy(std::begin(lg), std::end(lg), gr.PosLong.begin());
  const double z0[] = {-0.3, 0, 0.2, 0.2, 0.4, 0.6}, ang[] = {30, 45, 60, 60, 80, 135};
  std::copy(std::begin(z0), std::end(z0), gr.PosDiag.begin());
  std::copy(std::begin(ang), std::end(ang), gr.AngleDiag.begin());
  EXPECT_GT(CompareAuxCoupes(doc), 500u);
  gr.PosLong[0] = 0.0, gr.PosLong[1] = -0.0;
  EXPECT_GT(CompareAuxCoupes(doc), 500u);
}

TEST(LignesMiroir, AMirrorThatIsNotExactlyTurnedOverIsCut) {
  TDocument doc;
  TEntity& e = aides::AjouteMaillage(doc, "Eprouvette", CoqueEprouvette());
  RetourneMiroir(e);
  GrilleStandard(doc, 25);
  // One node a bit off, then one zero of the other sign: each is enough to cut the mirror.
  e.PtsSym[10][10].Z = std::nextafter(e.PtsSym[10][10].Z, 1.0);
  EXPECT_FALSE(MiroirRetourne(e.Pts, e.PtsSym, e.NbLnPt, e.NbColPt));
  EXPECT_GT(CompareAuxCoupes(doc), 500u);
  RetourneMiroir(e);
  e.PtsSym[e.NbLnPt][4].X = -e.PtsSym[e.NbLnPt][4].X;
  EXPECT_FALSE(MiroirRetourne(e.Pts, e.PtsSym, e.NbLnPt, e.NbColPt));
  EXPECT_GT(CompareAuxCoupes(doc), 500u);
  // A mirror with a row fewer than the main grid is never taken for its image.
  RetourneMiroir(e);
  e.PtsSym.pop_back();
  EXPECT_FALSE(MiroirRetourne(e.Pts, e.PtsSym, e.NbLnPt, e.NbColPt));
}

TEST(LignesMiroir, OnOneThreadTheLinesAreTheSame) {
  TDocument doc;
  ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/Voilier11.kvb"));
  GrilleStandard(doc, 30);
  CalculeTout(doc, true);
  std::vector<std::vector<TCoupe>> partages;
  for (auto& s : doc.TabSurf)
    for (auto* t : {&s->Sec, &s->SecSym, &s->LgE, &s->LgESym, &s->Long, &s->LongSym, &s->Diag, &s->DiagSym})
      partages.push_back(*t);
  // Inside a piece of shared work everything runs on the piece's thread.
  Partage(2, [&](int p) {
    if (p == 0) CalculeTout(doc, true);
  });
  size_t k = 0;
  for (auto& s : doc.TabSurf)
    for (auto* t : {&s->Sec, &s->SecSym, &s->LgE, &s->LgESym, &s->Long, &s->LongSym, &s->Diag, &s->DiagSym}) {
      ASSERT_EQ(t->size(), partages[k].size());
      for (size_t l = 0; l < t->size(); l++)
        EXPECT_TRUE(MemesBits((*t)[l], partages[k][l])) << s->Nom << " " << l;
      k++;
    }
}

TEST(LignesMiroir, TheStatusBarShowsEveryLineInOrderFromTheCallingThread) {
  GardeServices garde;
  std::mutex verrou;
  std::vector<std::string> textes;
  bool ailleurs = false;
  const auto moi = std::this_thread::get_id();
  Services().WriteStatusBar = [&](int panneau, const std::string& t) {
    std::lock_guard<std::mutex> g(verrou);
    ailleurs |= std::this_thread::get_id() != moi;
    if (panneau == 2) textes.push_back(t);
  };
  TDocument doc;
  aides::AjouteMaillage(doc, "A", CoqueEprouvette());
  aides::AjouteMaillage(doc, "B", CoqueEprouvette(), false);
  GrilleStandard(doc, 3);
  for (auto* fam : {&CalcTabLignesLE, &CalcTabLignesDiag}) {
    textes.clear();
    for (auto& s : doc.TabSurf) s->LgECalc = s->DiagCalc = false;
    (*fam)(doc);
    const std::string mot = fam == &CalcTabLignesLE ? "Ligne d'eau " : "Diagonale ";
    const std::vector<std::string> attendu = {mot + "1 - A", mot + "2 - A", mot + "3 - A", "",
                                              mot + "1 - B", mot + "2 - B", mot + "3 - B", ""};
    EXPECT_EQ(textes, attendu);
  }
  EXPECT_FALSE(ailleurs);
}

TEST(LignesMiroir, LinesComputedFromTheStatusHookLeaveTheOuterOnesWhole) {
  GardeServices garde;
  TDocument autre;
  aides::AjouteMaillage(autre, "Autre", CoqueEprouvette());
  GrilleStandard(autre, 7);
  int appels = 0;
  Services().WriteStatusBar = [&](int, const std::string&) {
    if (appels++ % 50 == 0) CalculeTout(autre, false);
  };
  TDocument doc;
  ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/Deriveur42.kvb"));
  GrilleStandard(doc, 30);
  for (auto& s : doc.TabSurf) s->Visible = true;
  EXPECT_GT(CompareAuxCoupes(doc), 1000u);
  EXPECT_GT(appels, 50);
  Services().WriteStatusBar = [](int, const std::string&) {};
  EXPECT_GT(CompareAuxCoupes(autre), 100u);
}

}  // namespace
