// The station sections: the mirror half turned over from the main half instead of
// being cut, the stations split between threads, against the plain single sweep.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "naval/Hydrostat.h"
#include "naval/Parallele.h"
#include "naval/Wigley.h"

namespace {

std::vector<double> Stations(double y0, double y1, int n) {
  std::vector<double> ys;
  for (int k = 0; k < n; k++) ys.push_back(y0 + (y1 - y0) * k / (n - 1));
  return ys;
}

struct TCoupes {
  std::vector<TAireRec> R;
  std::vector<double> P;
};

TCoupes Sections(const TEntity& e, const std::vector<double>& ys, bool deduire) {
  TCoupes c{std::vector<TAireRec>(ys.size()), std::vector<double>(ys.size())};
  SectionsStations(e, ys, c.R.data(), c.P.data(), deduire);
  return c;
}

// A Wigley hull sheared sideways with height and moved by dx: each half's sections are
// lopsided, their centres off the axes.
TSurface& Gite(TDocument& doc, double dx) {
  TSurface& s = AjouteWigley(doc, 10, 1.4, 0.6, 0.3, 40);
  for (int i = 0; i < s.Net.NbLn; i++)
    for (int j = 0; j < s.Net.NbCol; j++) s.Net.PC[i][j].X += dx + 0.15 * s.Net.PC[i][j].Z;
  MajSurface(doc, true, -1);
  return s;
}

TEST(SectionsMiroir, TurnedOverMirrorMatchesTheCutOne) {
  TDocument doc;
  const TSurface& s = Gite(doc, 0);
  const std::vector<double> ys = Stations(-5.2, 5.2, 201);
  const TCoupes cut = Sections(s, ys, false), deduit = Sections(s, ys, true);
  int nonNul = 0;
  for (size_t k = 0; k < ys.size(); k++) {
    const TAireRec &a = cut.R[k], &b = deduit.R[k];
    EXPECT_NEAR(b.Aire, a.Aire, 1e-12 * (1 + a.Aire)) << k;
    EXPECT_NEAR(b.Perimetre, a.Perimetre, 1e-12 * (1 + a.Perimetre)) << k;
    // The centres are kept in single precision: one rounding of it at most.
    EXPECT_NEAR(b.Z, a.Z, 1e-6 * (1 + std::abs(a.Z))) << k;
    EXPECT_NEAR(b.X, a.X, 1e-6) << k;
    EXPECT_EQ(b.Y, a.Y);
    EXPECT_EQ(deduit.P[k], cut.P[k]) << k;
    if (a.Aire > 0.01) nonNul++;
  }
  EXPECT_GT(nonNul, 150);
}

TEST(SectionsMiroir, AMirrorOffTheCentrePlaneIsCut) {
  // The same hull with its symmetry plane moved to x = -0.25: its mirror is no longer
  // the image in x = 0, and turning the main half over would give the wrong sections.
  TDocument doc;
  TSurface& s = Gite(doc, 0.4);
  s.PlanSym.Origine = {-0.25, 0, 0};
  s.PlanSym.MajPlan();
  MajSurface(doc, true, -1);
  const std::vector<double> ys = Stations(-4.9, 4.9, 51);
  const TCoupes cut = Sections(s, ys, false), deduit = Sections(s, ys, true);
  for (size_t k = 0; k < ys.size(); k++) {
    EXPECT_EQ(deduit.R[k].Aire, cut.R[k].Aire) << k;
    EXPECT_EQ(deduit.R[k].X, cut.R[k].X) << k;
  }
  // And the plane at x = 0 but the grids no longer mirror images: cut as well.
  TDocument autre;
  TSurface& t = Gite(autre, 0);
  t.PtsSym[3][5].X += 0.01;
  const TCoupes a = Sections(t, ys, false), b = Sections(t, ys, true);
  for (size_t k = 0; k < ys.size(); k++) EXPECT_EQ(b.R[k].Aire, a.R[k].Aire) << k;
}

TEST(SectionsMiroir, SplitStationsAndThreadsChangeNoBit) {
  TDocument doc;
  const TSurface& s = Gite(doc, 0);
  const std::vector<double> ys = Stations(-5.1, 5.1, 121);
  const TCoupes tout = Sections(s, ys, true);
  const std::vector<double> a(ys.begin(), ys.begin() + 60), b(ys.begin() + 60, ys.end());
  const TCoupes pa = Sections(s, a, true), pb = Sections(s, b, true);
  for (size_t k = 0; k < ys.size(); k++) {
    const TAireRec& p = k < 60 ? pa.R[k] : pb.R[k - 60];
    EXPECT_EQ(p.Aire, tout.R[k].Aire) << k;
    EXPECT_EQ(p.Perimetre, tout.R[k].Perimetre) << k;
    EXPECT_EQ(p.X, tout.R[k].X) << k;
    EXPECT_EQ(p.Z, tout.R[k].Z) << k;
  }

  // The whole calculation shared between the cores and run on this thread alone.
  TDocument deux;
  Gite(deux, 0).Nom = "Coque";
  AjouteWigley(deux, 3, 0.3, 0.8, 0.1, 30);  // a fin: a second surface of another length
  const TResultatsHydro par = CalcHydrostatiques(deux, PorteeCalc(deux), 201);
  DansParallele = true;  // as inside a piece already shared: everything on this thread
  const TResultatsHydro seul = CalcHydrostatiques(deux, PorteeCalc(deux), 201);
  DansParallele = false;
  ASSERT_EQ(par.Lignes.size(), seul.Lignes.size());
  for (size_t k = 0; k < par.Lignes.size(); k++) EXPECT_EQ(par.Lignes[k].Valeur, seul.Lignes[k].Valeur) << k;
  ASSERT_EQ(par.Stations.size(), seul.Stations.size());
  for (size_t k = 0; k < par.Stations.size(); k++)
    EXPECT_EQ(par.Stations[k].Aire, seul.Stations[k].Aire) << k;
}

}  // namespace
