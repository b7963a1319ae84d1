// Drawing the model into a display list: what is drawn, in which colour and on
// which side of the symmetry plane, for the toggles and flags of the document.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "base/Debug.h"
#include "edition/Affiche.h"
#include "edition/Cadrage.h"
#include "views/Modele.h"

namespace {

struct Dessin {
  TDocument Doc;
  TAffichageVues Aff;
  TOptionsVues Opt;
  TGrilleVue Grille;
  TTableVertex Tab;
  TCadrage Cad{tvSection, 800, 600};
  TListeDessin L;

  Dessin() {
    Doc.InitDefaut();
    Aff.Poids = Aff.CentreVoilure = true;  // as the main window starts
    Aff.Axes = false;  // most checks count elements of one colour; axes would only add noise
  }
  const TListeDessin& Trace(int type = -1) {
    if (type >= 0) Cad = TCadrage(type, 800, 600);
    Cad.Ajuste(Doc, Aff.Moitie, 2500);
    Tab.MajTabCoor(Doc, Cad.Param);
    L.Vider();
    AfficheNetOne({Doc, Aff, Opt, Grille, Tab, Cad.Largeur, Cad.Hauteur}, Cad.Param, L);
    return L;
  }
  int Compte(int couleur, TFigure f) const {
    return static_cast<int>(std::count_if(L.Elements.begin(), L.Elements.end(), [&](const TElement& e) {
      return e.Stylo.Couleur == couleur && e.Figure == f;
    }));
  }
  // Whether some point of an element of that colour lies on the negative-x side
  // (left of the centre line in the transverse view).
  bool CoteMiroir(int couleur) const {
    int centre = Cad.Param.OrigineX;
    for (const auto& e : L.Elements)
      if (e.Stylo.Couleur == couleur)
        for (uint32_t i = 0; i < e.Nombre; i++)
          if (L.Points[e.Debut + i].X < centre - 2) return true;
    return false;
  }
  bool CoteReel(int couleur) const {
    int centre = Cad.Param.OrigineX;
    for (const auto& e : L.Elements)
      if (e.Stylo.Couleur == couleur)
        for (uint32_t i = 0; i < e.Nombre; i++)
          if (L.Points[e.Debut + i].X > centre + 2) return true;
    return false;
  }
};

TEST(Drawing, DefaultDocumentShowsBoundaryNetAndMarkers) {
  Dessin d;
  d.Trace();
  // Boundary: four edges, and four more for the mirror.
  EXPECT_EQ(d.Compte(d.Opt.BordSf, TFigure::Polyligne), 8);
  // Net 3 x 3: 3 columns + 3 rows, and the mirror.
  EXPECT_EQ(d.Compte(d.Opt.ResVertex, TFigure::Polyligne), 12);
  // Nine markers of the real vertices only, the four corners filled.
  int pleins = 0, creux = 0;
  for (const auto& e : d.L.Elements)
    if (e.Figure == TFigure::Rectangle && e.Stylo.Couleur == d.Opt.Vertex) (e.Rempli ? pleins : creux)++;
  EXPECT_EQ(pleins, 4);
  EXPECT_EQ(creux, 5);
  // Each marker is 7 x 7 pixels centred on its vertex, and the current vertex has its frame.
  const TElement* cadre = nullptr;
  for (const auto& e : d.L.Elements)
    if (e.Figure == TFigure::Rectangle && e.Stylo.Couleur == CoulPCCourant) cadre = &e;
  ASSERT_NE(cadre, nullptr);
  TPixel v = d.Tab.Pos[0][0][0];
  EXPECT_EQ(d.L.Points[cadre->Debut], (TPixel{v.X - 2, v.Y - 2}));
  EXPECT_EQ(d.L.Points[cadre->Debut + 1], (TPixel{v.X + 3, v.Y + 3}));
  EXPECT_TRUE(d.CoteMiroir(d.Opt.BordSf));
}

TEST(Drawing, DrawingOrderPutsAxesFirstAndMarkersAfterNets) {
  Dessin d;
  d.Aff.Axes = true;
  d.Aff.SurfParam = true;
  d.Opt.Axes = 0x000010;  // apart from the markers' red
  d.Trace();
  auto premier = [&](int c) {
    for (size_t i = 0; i < d.L.Elements.size(); i++)
      if (d.L.Elements[i].Stylo.Couleur == c) return static_cast<int>(i);
    return -1;
  };
  auto dernier = [&](int c) {
    for (size_t i = d.L.Elements.size(); i-- > 0;)
      if (d.L.Elements[i].Stylo.Couleur == c) return static_cast<int>(i);
    return -1;
  };
  EXPECT_EQ(premier(d.Opt.Axes), 0);
  EXPECT_EQ(d.L.Elements[0].Stylo.Style, TStyleTrait::TiretPoint);
  EXPECT_LT(dernier(d.Opt.Axes), premier(d.Opt.BordSf));
  EXPECT_LT(dernier(d.Opt.BordSf), premier(d.Opt.ResVertex));
  EXPECT_LT(dernier(d.Opt.ResVertex), premier(d.Opt.Vertex));
  // Parametric lines: one polyline per grid row and column (21 x 21 at precision 20), and
  // the mirror, before the boundaries (8 more).
  EXPECT_EQ(d.Compte(d.Opt.BordSf, TFigure::Polyligne), 2 * 42 + 8);
}

TEST(Drawing, HalfModeDrawsNoMirrorOfNetGridOrLine) {
  Dessin d;
  modele::Yacht(d.Doc, 20, 6);
  d.Aff.Moitie = true;
  d.Aff.Couples = d.Aff.LignesEau = d.Aff.Longitudinales = d.Aff.Diagonales = true;
  d.Aff.SurfParam = true;
  d.Opt.Sec = 0x000001, d.Opt.LE = 0x000002, d.Opt.Longit = 0x000003, d.Opt.Diag = 0x000004;
  d.Trace(tvSection);
  for (int c : {d.Opt.BordSf, d.Opt.ResVertex, 1, 2, 3, 4}) {
    EXPECT_TRUE(d.CoteReel(c)) << c;
    EXPECT_FALSE(d.CoteMiroir(c)) << c;
  }
  d.Aff.Moitie = false;
  d.Trace(tvSection);
  for (int c : {d.Opt.BordSf, d.Opt.ResVertex, 1, 2, 3, 4}) EXPECT_TRUE(d.CoteMiroir(c)) << c;
}

TEST(Drawing, SurfaceWithoutSymNeverShowsMirroredLines) {
  Dessin d;
  modele::Yacht(d.Doc, 20, 6);
  for (auto& s : d.Doc.TabSurf) s->Sym = false;
  d.Aff.Couples = d.Aff.LignesEau = d.Aff.Longitudinales = d.Aff.Diagonales = true;
  d.Opt.LE = 0x000002, d.Opt.Longit = 0x000003, d.Opt.Diag = 0x000004, d.Opt.Sec = 0x000001;
  d.Trace(tvSection);
  for (int c : {1, 2, 3, 4, d.Opt.ResVertex, d.Opt.BordSf}) EXPECT_FALSE(d.CoteMiroir(c)) << c;
  EXPECT_EQ(d.Compte(2, TFigure::Polyligne), 3 * 6);  // 6 waterlines of 3 surfaces, one side
}

TEST(Drawing, LinesNeedTheHullToggle) {
  Dessin d;
  modele::Yacht(d.Doc, 20, 4);
  d.Aff.Couples = d.Aff.LignesEau = true;
  d.Opt.Sec = 0x000001, d.Opt.LE = 0x000002;
  d.Aff.Carene = false;
  d.Trace(tvProfil);
  EXPECT_EQ(d.Compte(1, TFigure::Polyligne) + d.Compte(2, TFigure::Polyligne), 0);
  EXPECT_EQ(d.Compte(d.Opt.BordSf, TFigure::Polyligne), 0);
  d.Aff.Carene = true;
  d.Trace(tvProfil);
  EXPECT_EQ(d.Compte(1, TFigure::Polyligne), 3 * 4 * 2);
}

TEST(Drawing, SplitBodyPlanShowsAftSectionsMirroredAndTheOthersReal) {
  Dessin d;
  modele::Yacht(d.Doc, 20, 8);
  d.Doc.Surf(1).Visible = d.Doc.Surf(2).Visible = false;
  d.Aff.Couples = d.Aff.Scinder = true;
  d.Opt.Sec = 0x000001;
  d.Grille.NumSc = 5;
  d.Trace(tvSection);
  // Sections 1..5 on the mirror side, 6..8 on the real side: one polyline each.
  int miroir = 0, reel = 0;
  int centre = d.Cad.Param.OrigineX;
  for (const auto& e : d.L.Elements) {
    if (e.Stylo.Couleur != 1) continue;
    bool gauche = false;
    for (uint32_t i = 0; i < e.Nombre; i++) gauche |= d.L.Points[e.Debut + i].X < centre - 2;
    (gauche ? miroir : reel)++;
  }
  EXPECT_EQ(miroir, 5);
  EXPECT_EQ(reel, 3);
  // "&Moitié" overrides the split: all sections, real side only.
  d.Aff.Moitie = true;
  d.Trace(tvSection);
  EXPECT_EQ(d.Compte(1, TFigure::Polyligne), 8);
  EXPECT_FALSE(d.CoteMiroir(1));
}

TEST(Drawing, LockedSurfaceShowsNetButNoMarkersNorBase) {
  Dessin d;
  d.Aff.BasePlanSym = true;
  d.Trace();
  EXPECT_GT(d.Compte(CoulBaseAxes23, TFigure::Polygone), 0);
  d.Doc.Surf(0).Verrou = true;
  d.Trace();
  EXPECT_EQ(d.Compte(d.Opt.ResVertex, TFigure::Polyligne), 12);
  EXPECT_EQ(d.Compte(d.Opt.Vertex, TFigure::Rectangle), 0);
  EXPECT_EQ(d.Compte(CoulBaseAxes23, TFigure::Polygone), 0);
  EXPECT_EQ(d.Compte(CoulBaseAxe1, TFigure::Segment), 0);
}

TEST(Drawing, MarkerColoursFollowVertexStates) {
  Dessin d;
  d.Doc.PCSoudes = {{0, 1, 1}};
  d.Tab.Etat[0][2][2] = epSelectionne;
  d.Tab.Etat[0][0][1] = epInactif;
  d.Trace();
  EXPECT_EQ(d.Compte(d.Opt.SelVertex, TFigure::Rectangle), 1);
  EXPECT_EQ(d.Compte(d.Opt.SoudeVertex, TFigure::Rectangle), 1);
  EXPECT_EQ(d.Compte(d.Opt.Vertex, TFigure::Rectangle), 6);
}

TEST(Drawing, InsertionModeHighlightsTheColumnInTheTransverseViewAndTheRowElsewhere) {
  Dessin d;
  d.Aff.ModeInsertion = true;
  ChangeCurrentPC(d.Doc, {0, 1, 2});
  d.Trace(tvSection);
  const TElement* h = nullptr;
  for (const auto& e : d.L.Elements)
    if (e.Stylo.Couleur == CoulInsertion) h = &e;
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->Stylo.Epaisseur, 2);
  EXPECT_EQ(d.L.Points[h->Debut], d.Tab.Pos[0][0][2]);  // column 2, rows 0..2
  d.Trace(tvPlan);
  for (const auto& e : d.L.Elements)
    if (e.Stylo.Couleur == CoulInsertion) h = &e;
  EXPECT_EQ(d.L.Points[h->Debut], d.Tab.Pos[0][1][0]);  // row 1, columns 0..2
}

TEST(Drawing, WeightsTotalOnlyWhenNotALoneWeightAndNoArrowInPlan) {
  Dessin d;
  d.Doc.ListePoids.push_back({"Moteur", 300, 0, 2, 0.2, -1});
  d.Doc.PoidsTotal = {"TOTAL", 300, 0, 2, 0.2, -1};
  d.Trace(tvProfil);
  EXPECT_EQ(d.L.Textes, (std::vector<std::string>{"Moteur"}));
  EXPECT_EQ(d.Compte(d.Opt.Mesure, TFigure::Polygone), 1);  // the arrow head
  d.Doc.ListePoids.push_back({"Lest", 1500, 0, 3, -1.2, -1});
  d.Trace(tvProfil);
  EXPECT_EQ(d.L.Textes, (std::vector<std::string>{"Moteur", "Lest", "TOTAL"}));
  d.Trace(tvPlan);
  EXPECT_EQ(d.Compte(d.Opt.Mesure, TFigure::Polygone), 0);
  EXPECT_EQ(d.Compte(d.Opt.Mesure, TFigure::Ellipse), 3);
  d.Aff.Poids = false;
  d.Trace(tvPlan);
  EXPECT_TRUE(d.L.Textes.empty());
}

TEST(Drawing, SailCentresAndTheCentreOfEffortLabelledCV) {
  Dessin d;
  d.Aff.Poids = false;
  // No sail: nothing drawn for the sail plan.
  d.Trace(tvProfil);
  EXPECT_EQ(d.Compte(d.Opt.Mesure, TFigure::Ellipse), 0);
  // One sail: its centre, then the centre of effort (two circles) and its label.
  TEntity& s = d.Doc.Surf(0);
  s.Voile = true;
  s.CentreBorde = {{0, 1, 3}, 10};
  d.Doc.CentreVoilure = {{0, 1, 3}, 10};
  d.Trace(tvProfil);
  EXPECT_EQ(d.L.Textes, (std::vector<std::string>{"CV"}));
  EXPECT_EQ(d.Compte(d.Opt.Mesure, TFigure::Ellipse), 3);
  // A sail of no area draws nothing; the toggle off draws nothing either.
  s.CentreBorde.Valeur = 0;
  d.Trace(tvProfil);
  EXPECT_EQ(d.Compte(d.Opt.Mesure, TFigure::Ellipse), 0);
  s.CentreBorde.Valeur = 10;
  d.Aff.CentreVoilure = false;
  d.Trace(tvProfil);
  EXPECT_TRUE(d.L.Textes.empty());
}

TEST(Drawing, WeightArrowLengthFollowsMassAndRatio) {
  Dessin d;
  d.Doc.ListePoids.push_back({"P", 10, 0, 0, 0, -1});
  d.Trace(tvSection);
  auto tiges = [&d] {
    std::vector<int> l;
    for (const auto& e : d.L.Elements)
      if (e.Stylo.Couleur == d.Opt.Mesure && e.Figure == TFigure::Segment)
        l.push_back(d.L.Points[e.Debut + 1].Y - d.L.Points[e.Debut].Y);
    return l;
  };
  // 10 kg at 1000 kg per 10 m: 0.1 m down, the shaft stops 6 pixels above the tip.
  ASSERT_EQ(tiges().size(), 1u);
  ASSERT_LT(0.1 * d.Cad.Param.Echelle, d.Cad.Hauteur / 4.0);
  EXPECT_NEAR(tiges()[0], 0.1 * d.Cad.Param.Echelle - 6, 1);
}

// An arrow of tens of metres would leave the view: all arrows are shortened alike until the
// longest holds in a quarter of the view's height, and none ends beyond the view's edge.
TEST(Drawing, WeightArrowsAreScaledToTheView) {
  Dessin d;
  d.Doc.ListePoids.push_back({"Lest", 8000, 0, 0, 0, -1});
  d.Doc.ListePoids.push_back({"Moteur", 2000, 1, 1.5, 0, -1});
  d.Doc.PoidsTotal = {"TOTAL", 10000, -1, -1.5, 0, -1};
  for (int type : {tvSection, tvProfil, tvPersp}) {
    d.Trace(type);
    std::vector<std::pair<TPixel, TPixel>> tiges;
    for (const auto& e : d.L.Elements)
      if (e.Stylo.Couleur == d.Opt.Mesure && e.Figure == TFigure::Segment &&
          d.L.Points[e.Debut].X == d.L.Points[e.Debut + 1].X)  // a shaft, not a label's tie
        tiges.push_back({d.L.Points[e.Debut], d.L.Points[e.Debut + 1]});
    ASSERT_EQ(tiges.size(), 3u) << type;
    auto longueur = [](const std::pair<TPixel, TPixel>& t) {
      return std::hypot(t.second.X - t.first.X, t.second.Y - t.first.Y) + 6;
    };
    // 10 t at 1000 kg per 10 m would be 100 m: the longest is a quarter of the view.
    EXPECT_LE(longueur(tiges[2]), d.Cad.Hauteur / 4.0 + 2) << type;
    EXPECT_GE(longueur(tiges[2]), d.Cad.Hauteur / 8.0) << type;
    // The masses keep their proportions.
    EXPECT_NEAR(longueur(tiges[0]) / longueur(tiges[2]), 0.8, 0.03) << type;
    EXPECT_NEAR(longueur(tiges[1]) / longueur(tiges[2]), 0.2, 0.03) << type;
  }
  // A weight near the bottom edge: its arrow ends at the edge.
  d.Doc.ListePoids = {{"Bas", 8000, 0, 0, 0, -1}};
  d.Doc.PoidsTotal = {"TOTAL", 8000, 0, 0, 0, -1};
  d.Trace(tvProfil);
  TPixel p;
  Pt3DVersEcran({0, 0, 0}, p, d.Cad.Param);
  d.Cad.Param.OrigineY += d.Cad.Hauteur - 20 - p.Y;  // the weight 20 pixels above the bottom
  d.Tab.MajTabCoor(d.Doc, d.Cad.Param);
  d.L.Vider();
  AfficheNetOne({d.Doc, d.Aff, d.Opt, d.Grille, d.Tab, d.Cad.Largeur, d.Cad.Hauteur}, d.Cad.Param, d.L);
  bool pointe = false;
  for (const auto& e : d.L.Elements)
    if (e.Stylo.Couleur == d.Opt.Mesure && e.Figure == TFigure::Polygone) {
      pointe = true;
      for (uint32_t i = 0; i < e.Nombre; i++) EXPECT_LT(d.L.Points[e.Debut + i].Y, d.Cad.Hauteur);
    }
  EXPECT_TRUE(pointe);
}

// Sections, waterlines and buttocks seen edge-on are labelled at the view's edge, in their own
// colours on the background: station numbers under the sections, heights beside the waterlines.
TEST(Drawing, LinesSeenEdgeOnAreLabelledAtTheViewsEdge) {
  Dessin d;
  modele::Yacht(d.Doc, 20, 4);
  d.Grille.Sec = {1, 2.5, 4};
  d.Grille.LE = {-0.3, 0, 0.9};
  d.Grille.Long = {0.5};
  d.Aff.Couples = d.Aff.LignesEau = d.Aff.Longitudinales = true;
  d.Aff.Poids = d.Aff.CentreVoilure = false;
  // Every family its own default colour, the surface edges apart from the net.
  const std::vector<int> couleurs{d.Opt.Sec,  d.Opt.LE,     d.Opt.Longit,
                                  d.Opt.Diag, d.Opt.BordSf, d.Opt.ResVertex};
  for (size_t i = 0; i < couleurs.size(); i++)
    for (size_t j = i + 1; j < couleurs.size(); j++) EXPECT_NE(couleurs[i], couleurs[j]) << i << " " << j;
  auto etiquettes = [&d](int couleur) {
    std::vector<std::pair<std::string, TPixel>> l;
    for (const auto& e : d.L.Elements)
      if (e.Figure == TFigure::Texte && e.Stylo.Couleur == couleur)
        l.push_back({d.L.Textes[e.Texte], d.L.Points[e.Debut]});
    return l;
  };
  d.Trace(tvProfil);
  // Station numbers along the bottom edge, under their sections.
  auto s = etiquettes(d.Opt.Sec);
  ASSERT_EQ(s.size(), 3u);
  for (size_t i = 0; i < 3; i++) {
    EXPECT_EQ(s[i].first, std::to_string(i));
    TPixel p;
    Pt3DVersEcran({0, d.Grille.Sec[i], 0}, p, d.Cad.Param);
    EXPECT_NEAR(s[i].second.X + LargeurCarEtiquette / 2.0, p.X, LargeurCarEtiquette);
    EXPECT_EQ(s[i].second.Y, d.Cad.Hauteur - HauteurEtiquette - 1);
  }
  // Waterline heights at the left edge, level with their lines, without float noise.
  auto le = etiquettes(d.Opt.LE);
  ASSERT_EQ(le.size(), 3u);
  EXPECT_EQ(le[0].first, "-0.3");
  EXPECT_EQ(le[1].first, "0");
  EXPECT_EQ(le[2].first, "0.9");
  for (size_t i = 0; i < 3; i++) {
    TPixel p;
    Pt3DVersEcran({0, 0, d.Grille.LE[i]}, p, d.Cad.Param);
    EXPECT_EQ(le[i].second.X, 2);
    EXPECT_NEAR(le[i].second.Y + HauteurEtiquette / 2.0, p.Y, 1);
  }
  // Buttocks are curves in the profile: no label. Each label sits on a patch of background.
  EXPECT_TRUE(etiquettes(d.Opt.Longit).empty());
  EXPECT_EQ(d.Compte(d.Opt.Arp, TFigure::Rectangle), 6);
  // In the transverse view the buttocks on both sides, the waterlines again.
  d.Trace(tvSection);
  auto lg = etiquettes(d.Opt.Longit);
  ASSERT_EQ(lg.size(), 2u);
  EXPECT_EQ(lg[0].first, "0.5");
  EXPECT_EQ(lg[1].first, "-0.5");
  EXPECT_EQ(etiquettes(d.Opt.LE).size(), 3u);
  EXPECT_TRUE(etiquettes(d.Opt.Sec).empty());
  // A family not shown has no labels; nor has the perspective view.
  d.Aff.LignesEau = false;
  d.Trace(tvSection);
  EXPECT_TRUE(etiquettes(d.Opt.LE).empty());
  d.Trace(tvPersp);
  EXPECT_TRUE(etiquettes(d.Opt.Longit).empty());
  EXPECT_EQ(TexteNiveau(0.899999), "0.9");
  EXPECT_EQ(TexteNiveau(-0.0001), "0");
  EXPECT_EQ(TexteNiveau(1.25), "1.25");
}

TEST(Drawing, PorcupineAddsOneSegmentPerInnerPoint) {
  Dessin d;
  modele::Yacht(d.Doc, 10, 1);
  for (int k = 1; k < d.Doc.NbSurf(); k++) d.Doc.Surf(k).Visible = false;
  d.Aff.LignesEau = true;
  d.Opt.LE = 0x000002;
  d.Doc.Surf(0).Sym = false;
  d.Trace(tvPlan);
  EXPECT_EQ(d.Compte(2, TFigure::Segment), 0);
  d.Aff.Herisson = true;
  d.Trace(tvPlan);
  size_t n = d.Doc.Surf(0).LgE[0][0].size();
  EXPECT_EQ(d.Compte(2, TFigure::Segment), static_cast<int>(n - 2));
}

TEST(Drawing, ALineWithABadPointIsCutAndLoggedAndDrawingGoesOn) {
  Dessin d;
  modele::Yacht(d.Doc, 10, 2);
  d.Aff.LignesEau = true;
  d.Opt.LE = 0x000002;
  d.Doc.Surf(0).Sym = false;
  TListPt3D& pl = d.Doc.Surf(0).LgE[0][0];
  pl[3].X = std::nan("");
  std::vector<TDbgEntree> recus;
  DebugConfig().ModeDebug = true;
  DebugConfig().Recepteur = [&](const TDbgEntree& e) { recus.push_back(e); };
  d.Trace(tvPlan);
  DebugConfig().Recepteur = nullptr;
  DebugConfig().ModeDebug = false;
  ASSERT_FALSE(recus.empty());
  EXPECT_EQ(recus[0].Nom, "TCoupe.DrawCoupe");
  EXPECT_EQ(recus[0].Index, 3);
  // The first three points were drawn; the other waterline and the other surfaces too.
  bool troisPoints = false;
  for (const auto& e : d.L.Elements)
    if (e.Stylo.Couleur == 2 && e.Nombre == 3) troisPoints = true;
  EXPECT_TRUE(troisPoints);
  EXPECT_EQ(d.Compte(2, TFigure::Polyligne), 1 + 1 + 2 * 4);  // the keel and rudder are symmetric
}

TEST(Drawing, OrientationVectorFollowsTheSurfaceOrientation) {
  Dessin d;
  d.Aff.Orientation = true;
  d.Trace(tvSection);
  auto bout = [&] {
    for (const auto& e : d.L.Elements)
      if (e.Stylo.Couleur == CoulOrientation && e.Figure == TFigure::Segment) return d.L.Points[e.Debut + 1];
    return TPixel{-1, -1};
  };
  TPixel direct = bout();
  d.Doc.Surf(0).Orientation = false;
  d.Trace(tvSection);
  TPixel inverse = bout();
  const TEntity& s = d.Doc.Surf(0);
  TPixel p;
  Pt3DVersEcran(s.Pts[static_cast<size_t>(s.NbLnPt / 2)][static_cast<size_t>(s.NbColPt / 2)], p, d.Cad.Param);
  EXPECT_NEAR(direct.X - p.X, p.X - inverse.X, 1);
  EXPECT_NEAR(direct.Y - p.Y, p.Y - inverse.Y, 1);
  EXPECT_EQ(d.Compte(CoulOrientation, TFigure::Ellipse), 1);  // the tip disc: unlocked
}

TEST(Grid, FarWallsFollowTheViewDirection) {
  TGrilleVue g;
  g.Sec = {0, 5, 10};
  g.LE = {-1, 0, 1};
  g.Long = {0, 1, 2};
  g.MinMax();
  // Azimuth 0 (profile, seen from +X... looking along): the far X wall is xmin.
  auto s = SegmentsGrille(g, 0, 0);
  ASSERT_EQ(s.size(), 18u);
  EXPECT_EQ(s[0].A.X, 0);   // section on the far X wall
  EXPECT_EQ(s[1].A.Z, -1);  // and on the far Z wall (elevation >= 0: zmin)
  auto t = SegmentsGrille(g, 180, -10);
  EXPECT_EQ(t[0].A.X, 2);  // the other side
  EXPECT_EQ(t[1].A.Z, 1);  // seen from below: zmax
  // Waterlines on the far Y wall: ymax for azimuth in (-180, 0).
  auto u = SegmentsGrille(g, -90, 0);
  EXPECT_EQ(u[7].A.Y, 10);
  // Diagonal reaching below the box stops on its floor.
  g.Diag = {{0.5, 30}};
  auto v = SegmentsGrille(g, 0, 0);
  const TSegment3D& diag = v.back();
  EXPECT_EQ(diag.A.Z, 0.5);
  EXPECT_EQ(diag.B.Z, -1);
  EXPECT_NEAR(diag.B.X, 1.5 * std::tan(30 * 3.14159265358979 / 180), 1e-9);
  EXPECT_TRUE(SegmentsGrille(TGrilleVue{}, 0, 0).empty());
}

TEST(Grid, AxesReachOneMetreBeyondTheModel) {
  TDocument doc;
  doc.SurfXMin = -2, doc.SurfXMax = 3, doc.SurfYMin = 1, doc.SurfYMax = 10, doc.SurfZMin = -0.5;
  doc.SurfZMax = -0.1;
  auto a = SegmentsAxes(doc);
  EXPECT_EQ(a[0].A.X, -3);
  EXPECT_EQ(a[0].B.X, 4);
  EXPECT_EQ(a[1].A.Y, -1);  // lower bound not negative: -1
  EXPECT_EQ(a[1].B.Y, 11);
  EXPECT_EQ(a[2].A.Z, -1.5);
  EXPECT_EQ(a[2].B.Z, 1);  // upper bound not positive: +1
}

TEST(VertexTable, HoldsEveryVertexAndItsMirrorWhateverSym) {
  TDocument doc;
  doc.InitDefaut();
  doc.Surf(0).Sym = false;
  TTableVertex t;
  TCadrage c(tvSection, 400, 300);
  t.MajTabCoor(doc, c.Param);
  const TSurface& s = *doc.SurfNurbs(0);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      TPixel p, q;
      Pt3DVersEcran(s.Net.PC[i][j].V(), p, c.Param);
      Pt3DVersEcran(CalcSym(s.Net.PC[i][j].V(), s.PlanSym.Plan()), q, c.Param);
      EXPECT_EQ(t.Pos[0][i][j], p);
      EXPECT_EQ(t.Sym[0][i][j], q);
    }
  EXPECT_EQ(t.EtatDe({0, 1, 1}), epActif);
  EXPECT_EQ(t.EtatDe({5, 1, 1}), epInactif);  // no such slot
}

TEST(Labels, WeightsAtOnePlaceGetLabelsThatDoNotOverlap) {
  std::vector<TRectEtiquette> placees;
  // Four weights projected within a few pixels of one another.
  const char* noms[] = {"Pont", "Coque", "TOTAL", "Quille"};
  for (int k = 0; k < 4; k++) PlaceEtiquette(placees, 100 + k, 50 + 2 * k, noms[k]);
  ASSERT_EQ(placees.size(), 4u);
  for (size_t i = 0; i < 4; i++)
    for (size_t j = i + 1; j < 4; j++) {
      const TRectEtiquette &a = placees[i], &b = placees[j];
      bool chevauche = a.X < b.X + b.L && b.X < a.X + a.L && a.Y < b.Y + b.H && b.Y < a.Y + a.H;
      EXPECT_FALSE(chevauche) << noms[i] << " / " << noms[j];
    }
  // The first stays where it was wanted; a label far away too.
  EXPECT_EQ(placees[0].Y, 50);
  EXPECT_EQ(PlaceEtiquette(placees, 400, 50, "Lest").Y, 50);
  // Widths count characters, not bytes.
  EXPECT_EQ(PlaceEtiquette(placees, 0, 300, "Dérive").L, 6 * LargeurCarEtiquette);
}

}  // namespace
