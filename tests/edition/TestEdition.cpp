// Picking, selection, the undo store and mouse editing, driven without a window:
// the view maths get screen points and the document is checked afterwards.
#include <gtest/gtest.h>

#include <cmath>

#include "base/Services.h"
#include "edition/Annuler.h"
#include "edition/Edition.h"
#include "edition/FenSel.h"
#include "edition/Selection.h"
#include "session/ObjCom.h"

namespace {

// The program's side of an edit: modes, the undo store, counters.
struct Hote : THoteEdition {
  TDocument& Doc;
  TAnnulation Store;
  TModesEdition Modes;
  int Snapshots = 0, Apres = 0, Fins = 0;
  std::string Panneau3;
  explicit Hote(TDocument& d) : Doc(d) {}
  TModesEdition ModesEdition() const override { return Modes; }
  void EnregistreAnnulation(const std::string& nom) override {
    Snapshots++;
    Noms.push_back(nom);
    Store.Enregistre(Doc, nom);
  }
  std::vector<std::string> Noms;
  void FinInsertionSuppression() override { Modes.Insertion = Modes.Suppression = false; }
  void FinContraintes() override {
    Fins++;
    Modes.Horizontale = Modes.Verticale = false;
  }
  void ApresEdition() override {
    Apres++;
    MajSurface(Doc, false, -1);
    MajCoupesSurface(Doc);
  }
  void RedessineTout() override {}
  void Status(int p, const std::string& t) override {
    if (p == 3) Panneau3 = t;
  }
};

struct Banc {
  TDocument Doc;
  TCadrage Cad;
  TTableVertex Tab;
  TListPC Sel;
  Hote H{Doc};
  TEditeurVue Ed{H, Doc, Cad, Tab, Sel};

  explicit Banc(int type = tvSection) : Cad(type, 600, 400) {
    Services().AfficheMessage = [](const std::string&, int, int b) { return ReponseParDefaut(b); };
    Doc.InitDefaut();
    MajSurface(Doc, true, -1);
    Cad.Ajuste(Doc, false, 2500);
    Doc.VueActive = type;
    Doc.MarqueEnregistre();
    Proj();
  }
  ~Banc() { RestaureServicesDefaut(); }
  void Proj() { Tab.MajTabCoor(Doc, Cad.Param); }
  TPixel Ecran(const TPC& pc) const { return Tab.Pos[pc.NumSurf][pc.NumLn][pc.NumCol]; }
  TVertex3f V(const TPC& pc) { return VertexDe(Doc, pc)->V(); }
  TSurface& S(int k) { return *Doc.SurfNurbs(k); }
  void Glisse(const TPC& pc, int dx, int dy, TModifs m = {}) {
    TPixel p = Ecran(pc);
    Ed.Appui(p.X, p.Y, m);
    Ed.Mouvement(p.X + dx / 2, p.Y + dy / 2);
    Ed.Mouvement(p.X + dx, p.Y + dy);
    Ed.Relache(p.X + dx, p.Y + dy, m);
    Proj();
  }
  // A second surface: a copy of the first moved to x + 3 (nothing hidden behind it).
  void Ajoute(double dx) {
    DupliquerSurfaces(Doc, {0});
    TSurface& s = S(Doc.NbSurf() - 1);
    for (int i = 0; i < s.Net.NbLn; i++)
      for (int j = 0; j < s.Net.NbCol; j++) s.Net.PC[i][j].X += dx;
    s.MarqueNonCalculee();
    MajSurface(Doc, true, -1);
    Proj();
  }
};

void ProcheV(const TVertex3f& a, const TVertex3f& b, double tol = 1e-9) {
  EXPECT_NEAR(a.X, b.X, tol);
  EXPECT_NEAR(a.Y, b.Y, tol);
  EXPECT_NEAR(a.Z, b.Z, tol);
}

TEST(Pick, VertexToleranceOrderAndStates) {
  Banc b;
  TPixel p = b.Ecran({0, 1, 1});
  EXPECT_EQ(EstCeUnPC(b.Doc, b.Tab, p.X + 3, p.Y - 3), (TPC{0, 1, 1}));
  EXPECT_FALSE(EstCeUnPC(b.Doc, b.Tab, p.X + 4, p.Y).Existe());
  EXPECT_FALSE(EstCeUnPC(b.Doc, b.Tab, p.X, p.Y - 4).Existe());
  // Two vertices under the pointer: the lower row, then the lower column.
  b.Tab.Pos[0][2][0] = b.Tab.Pos[0][1][2] = b.Tab.Pos[0][1][1] = p;
  EXPECT_EQ(EstCeUnPC(b.Doc, b.Tab, p.X, p.Y), (TPC{0, 1, 1}));
  b.Tab.Etat[0][1][1] = epInactif;
  EXPECT_EQ(EstCeUnPC(b.Doc, b.Tab, p.X, p.Y), (TPC{0, 1, 2}));
  // The earlier surface wins; a locked one is never hit.
  b.Ajoute(0);
  b.Tab.Etat[0][1][1] = epActif;
  EXPECT_EQ(EstCeUnPC(b.Doc, b.Tab, p.X, p.Y).NumSurf, 0);
  b.Doc.Surf(0).Verrou = true;
  EXPECT_EQ(EstCeUnPC(b.Doc, b.Tab, p.X, p.Y), (TPC{1, 1, 1}));
}

TEST(Pick, NetLinesRowsBeforeColumns) {
  Banc b;
  TPixel a = b.Ecran({0, 0, 0}), c = b.Ecran({0, 0, 1});
  TPixel m{(a.X + c.X) / 2, (a.Y + c.Y) / 2};
  std::string t = EstCeUnNet(b.Doc, b.Tab, m.X, m.Y);
  EXPECT_EQ(t, "Surface1, Ligne ( 0, 0 )");
  TPixel d = b.Ecran({0, 1, 2}), e = b.Ecran({0, 2, 2});
  EXPECT_EQ(EstCeUnNet(b.Doc, b.Tab, (d.X + e.X) / 2, (d.Y + e.Y) / 2), "Surface1, Colonne ( 1, 2 )");
  EXPECT_EQ(EstCeUnNet(b.Doc, b.Tab, 1, 1), "");
}

TEST(Select, WindowBothWaysInactiveExcludedAndRepair) {
  Banc b;
  TSelectionVue s(b.Tab, b.Sel);
  TPixel p = b.Ecran({0, 0, 0}), q = b.Ecran({0, 2, 2});
  int x1 = std::min(p.X, q.X), x2 = std::max(p.X, q.X), y1 = std::min(p.Y, q.Y), y2 = std::max(p.Y, q.Y);
  s.SelPCinZone(b.Doc, x1, y1, x2, y2);
  TListPC avant = b.Sel;
  s.UnSelectAllPoints();
  EXPECT_TRUE(b.Sel.empty());
  s.SelPCinZone(b.Doc, x2, y2, x1, y1);
  EXPECT_EQ(b.Sel, avant);
  EXPECT_GE(b.Sel.size(), 2u);
  // Zero size: only the vertex exactly there.
  s.UnSelectAllPoints();
  s.SelPCinZone(b.Doc, p.X, p.Y, p.X, p.Y);
  ASSERT_EQ(b.Sel.size(), 1u);
  EXPECT_EQ(b.Sel[0], (TPC{0, 0, 0}));
  s.UnSelectAllPoints();
  b.Tab.Etat[0][0][0] = epInactif;
  s.SelectAllPoints(b.Doc);
  EXPECT_EQ(b.Sel.size(), 8u);
  EXPECT_FALSE(s.SelectPoint({0, -1, 0}));
  // A deleted row leaves no selected vertex behind.
  SupprPC(b.Doc);  // current vertex (0, 0, 0), transverse view: row 0
  s.Repare(b.Doc);
  for (const TPC& pc : b.Sel) EXPECT_TRUE(b.S(0).Net.DansNet(pc.NumLn, pc.NumCol));
  EXPECT_EQ(b.Tab.Etat[0][2][1], epActif);
}

TEST(Select, MoveListClosedUnderWeldsTransitively) {
  TDocument d;
  d.InitDefaut();
  d.GroupesSoudes = {{{0, 0, 0}, {0, 1, 1}}, {{0, 1, 1}, {0, 2, 2}}, {{0, 0, 2}, {0, 2, 0}}};
  TListPC l = MakeLstMovePC(d, {{0, 0, 0}});
  EXPECT_EQ(l, (TListPC{{0, 0, 0}, {0, 1, 1}, {0, 2, 2}}));
}

TEST(Drag, DeltasOfEachFlatViewAndVertexUnderPointer) {
  for (int type : {tvSection, tvPlan, tvProfil}) {
    Banc b(type);
    TPC pc{0, 1, 1};
    TVertex3f v0 = b.V(pc);
    TPixel p = b.Ecran(pc);
    b.Glisse(pc, 20, -10);
    double s = b.Cad.Param.Echelle;
    TVertex3f d = type == tvSection ? TVertex3f{20 / s, 0, 10 / s}
                  : type == tvPlan  ? TVertex3f{-10 / s, 20 / s, 0}
                                    : TVertex3f{0, 20 / s, 10 / s};
    ProcheV(b.V(pc), v0 + d, 1e-6);
    EXPECT_EQ(b.Ecran(pc), (TPixel{p.X + 20, p.Y - 10})) << type;
    EXPECT_EQ(b.H.Snapshots, 1) << "one snapshot, at the first move";
    EXPECT_TRUE(b.Doc.Modifie);
    // A plain drag leaves nothing selected.
    EXPECT_TRUE(b.Sel.empty());
    EXPECT_EQ(b.Doc.PCCourant, pc);
  }
}

TEST(Drag, PerspectiveMovesNothingRecordsNothing) {
  Banc b(tvPersp);
  TPC pc{0, 1, 1};
  TVertex3f v0 = b.V(pc);
  b.Glisse(pc, 30, 30);
  ProcheV(b.V(pc), v0);
  EXPECT_EQ(b.H.Snapshots, 0);
  EXPECT_FALSE(b.Doc.Modifie);
}

TEST(Drag, SymmetryStopAndFreeCrossingWithoutSym) {
  Banc b;
  TPC pc{0, 1, 1};  // x = 1.1
  TPixel p = b.Ecran(pc);
  b.Glisse(pc, -(p.X - b.Cad.Param.OrigineX) - 80, 0);
  EXPECT_NEAR(b.V(pc).X, 0, 1e-9);
  EXPECT_NEAR(b.V(pc).Z, 0, 1e-9) << "Z follows only the pointer";
  // Moving the stopped vertex further out keeps it on the plane.
  b.Glisse(pc, -40, 0);
  EXPECT_NEAR(b.V(pc).X, 0, 1e-9);
  b.S(0).Sym = false;
  b.Glisse(pc, -40, 0);
  EXPECT_LT(b.V(pc).X, -0.01);
}

TEST(Drag, WeldedPartnersFollowAndConstraintEnds) {
  Banc b;
  b.Ajoute(3);
  b.Doc.GroupesSoudes = {{{0, 2, 2}, {1, 0, 0}}};
  ReconstruitPCSoudes(b.Doc);
  TVertex3f a0 = b.V({0, 2, 2}), b0 = b.V({1, 0, 0});
  b.H.Modes.Horizontale = true;
  b.Glisse({0, 2, 2}, 25, 40);
  double dx = 25 / b.Cad.Param.Echelle;
  ProcheV(b.V({0, 2, 2}), a0 + TVertex3f{dx, 0, 0}, 1e-6);
  ProcheV(b.V({1, 0, 0}), b0 + TVertex3f{dx, 0, 0}, 1e-6);
  EXPECT_FALSE(b.H.Modes.Horizontale) << "the constraint is off after the release";
  // Undo brings both back.
  b.H.Store.Annuler(b.Doc);
  ProcheV(b.V({0, 2, 2}), a0);
  ProcheV(b.V({1, 0, 0}), b0);
}

TEST(Click, ShiftCtrlAndWindowRules) {
  Banc b;
  TPixel p = b.Ecran({0, 1, 1}), q = b.Ecran({0, 0, 0});
  b.Ed.Appui(p.X, p.Y, {});
  b.Ed.Relache(p.X, p.Y, {});
  EXPECT_TRUE(b.Sel.empty());
  EXPECT_EQ(b.Doc.PCCourant, (TPC{0, 1, 1}));
  TModifs shift{false, false, true};
  b.Ed.Appui(p.X, p.Y, shift);
  b.Ed.Relache(p.X, p.Y, shift);
  b.Ed.Appui(q.X, q.Y, shift);
  b.Ed.Relache(q.X, q.Y, shift);
  EXPECT_EQ(b.Sel, (TListPC{{0, 1, 1}, {0, 0, 0}}));
  EXPECT_EQ(b.Tab.Etat[0][1][1], epSelectionne);
  // Shift+click on a selected vertex deselects it.
  b.Ed.Appui(p.X, p.Y, shift);
  b.Ed.Relache(p.X, p.Y, shift);
  EXPECT_EQ(b.Sel, (TListPC{{0, 0, 0}}));
  EXPECT_EQ(b.Tab.Etat[0][1][1], epActif);
  // A press on empty space clears the selection.
  b.Ed.Appui(2, 2, {});
  b.Ed.Relache(3, 3, {});
  EXPECT_TRUE(b.Sel.empty());
  // Ctrl: the whole net.
  b.Ed.Appui(p.X, p.Y, {true, false, false});
  b.Ed.Relache(p.X, p.Y, {true, false, false});
  EXPECT_EQ(b.Sel.size(), 9u);
}

TEST(Undo, StepsGoBackOneByOneAndANewEditForgetsTheRedo) {
  Banc b;
  TPC pc{0, 1, 1};
  TVertex3f v0 = b.V(pc);
  b.Glisse(pc, 30, 0);
  TVertex3f v1 = b.V(pc);
  b.Glisse(pc, 30, 0);
  TVertex3f v2 = b.V(pc);
  EXPECT_EQ(b.H.Store.NbAnnuler(), 2);
  EXPECT_EQ(b.H.Store.NomAnnuler(), "rsEtapeDeplacementVertex");
  b.H.Store.Annuler(b.Doc);
  ProcheV(b.V(pc), v1);
  EXPECT_TRUE(b.H.Store.AnnulerActif()) << "the first drag can still be undone";
  EXPECT_TRUE(b.H.Store.RefaireActif());
  b.H.Store.Annuler(b.Doc);
  ProcheV(b.V(pc), v0);
  EXPECT_FALSE(b.H.Store.AnnulerActif());
  EXPECT_FALSE(b.H.Store.Annuler(b.Doc)) << "nothing more to undo: nothing changes";
  ProcheV(b.V(pc), v0);
  b.H.Store.Refaire(b.Doc);
  ProcheV(b.V(pc), v1);
  b.H.Store.Refaire(b.Doc);
  ProcheV(b.V(pc), v2);
  EXPECT_FALSE(b.H.Store.RefaireActif());
  // Back one step, then a new edit: the step undone cannot come back any more.
  b.H.Store.Annuler(b.Doc);
  b.Glisse(pc, 0, 30);
  EXPECT_FALSE(b.H.Store.RefaireActif());
  EXPECT_EQ(b.H.Store.NbAnnuler(), 2);
  EXPECT_NE(v0.X, v1.X);
}

TEST(Undo, HoldsAHundredStepsAndDropsTheOldest) {
  Banc b;
  TPC pc{0, 1, 1};
  std::vector<TVertex3f> etats{b.V(pc)};
  const int n = TAnnulation::ProfondeurMax + 5;
  for (int k = 0; k < n; k++) {
    b.Glisse(pc, k % 2 ? 7 : -5, 3);
    etats.push_back(b.V(pc));
  }
  EXPECT_EQ(b.H.Store.NbAnnuler(), TAnnulation::ProfondeurMax);
  for (int k = n - 1; k >= n - TAnnulation::ProfondeurMax; k--) {
    ASSERT_TRUE(b.H.Store.Annuler(b.Doc));
    ProcheV(b.V(pc), etats[static_cast<size_t>(k)]);
  }
  EXPECT_FALSE(b.H.Store.Annuler(b.Doc)) << "the five oldest steps went";
  ProcheV(b.V(pc), etats[5]);
  for (int k = 6; k <= n; k++) {
    ASSERT_TRUE(b.H.Store.Refaire(b.Doc));
    ProcheV(b.V(pc), etats[static_cast<size_t>(k)]);
  }
}

TEST(Undo, ADeletedSurfaceComesBackWithItsWeldsAndItsOlderStepsStillWork) {
  Banc b;
  b.Ajoute(3);
  ASSERT_EQ(b.Doc.NbSurf(), 2);
  b.Doc.GroupesSoudes = {{{0, 2, 2}, {1, 0, 0}}};
  ReconstruitPCSoudes(b.Doc);
  // A drag of the second surface's vertex, then the first surface deleted.
  TPC pc{1, 1, 1};
  TVertex3f v0 = b.V(pc);
  b.Glisse(pc, 20, 10);
  TVertex3f v1 = b.V(pc);
  const TPtNet premier = b.S(0).Net.PC[1][2];
  b.H.Store.ListeChangee(b.Doc, "rsEtapeSupprSurfaces");
  SupprimerSurfaces(b.Doc, {0});
  ASSERT_EQ(b.Doc.NbSurf(), 1);
  EXPECT_EQ(b.H.Store.NomAnnuler(), "rsEtapeSupprSurfaces");
  ASSERT_TRUE(b.H.Store.Annuler(b.Doc));
  ASSERT_EQ(b.Doc.NbSurf(), 2);
  EXPECT_EQ(b.S(0).Net.PC[1][2], premier);
  EXPECT_EQ(b.Doc.Surf(1).NumSurf, 1);
  ASSERT_EQ(b.Doc.GroupesSoudes.size(), 1u);
  EXPECT_EQ(b.Doc.GroupesSoudes[0], (TListPC{{0, 2, 2}, {1, 0, 0}}));
  ProcheV(b.V(pc), v1);
  // The drag before the deletion is undone on the surface that came back.
  ASSERT_TRUE(b.H.Store.Annuler(b.Doc));
  ProcheV(b.V(pc), v0);
  ASSERT_TRUE(b.H.Store.Refaire(b.Doc));
  ProcheV(b.V(pc), v1);
  ASSERT_TRUE(b.H.Store.Refaire(b.Doc));
  EXPECT_EQ(b.Doc.NbSurf(), 1) << "redo deletes it again";
}

TEST(Undo, InsertionRestoresSizeCurrentVertexAndWelds) {
  Banc b;
  b.Doc.GroupesSoudes = {{{0, 2, 0}, {0, 2, 2}}};
  ReconstruitPCSoudes(b.Doc);
  ChangeCurrentPC(b.Doc, {0, 2, 1});
  TPixel a = b.Ecran({0, 1, 1}), c = b.Ecran({0, 2, 1});
  b.H.Modes.Insertion = true;
  b.Ed.Appui((a.X + c.X) / 2, (a.Y + c.Y) / 2, {});
  b.Ed.Relache((a.X + c.X) / 2, (a.Y + c.Y) / 2, {});
  EXPECT_EQ(b.S(0).Net.NbLn, 4);
  EXPECT_FALSE(b.H.Modes.Insertion);
  EXPECT_EQ(b.H.Snapshots, 1);
  EXPECT_EQ(b.Doc.GroupesSoudes[0], (TListPC{{0, 3, 0}, {0, 3, 2}})) << "welds follow the insertion";
  ChangeCurrentPC(b.Doc, {0, 3, 1});
  b.Doc.MarqueEnregistre();
  b.H.Store.Annuler(b.Doc);
  EXPECT_EQ(b.S(0).Net.NbLn, 3);
  EXPECT_EQ(b.Doc.PCCourant, (TPC{0, 0, 0})) << "row 3 is gone: the first free vertex";
  EXPECT_TRUE(b.Doc.GroupesSoudes[0].empty()) << "no weld member names a missing row";
  EXPECT_TRUE(b.Doc.PCSoudes.empty());
  EXPECT_TRUE(b.Doc.Modifie) << "undo changes what a save would write";
  b.H.Store.Refaire(b.Doc);
  EXPECT_EQ(b.S(0).Net.NbLn, 4);
}

TEST(Undo, DeletionByClickAndSurfacesAddedLater) {
  Banc b;
  TPixel p = b.Ecran({0, 0, 1});
  b.H.Modes.Suppression = true;
  b.Doc.VueActive = tvPlan;  // the view clicked in decides: transverse, a row
  b.Ed.Appui(p.X, p.Y, {});
  b.Ed.Relache(p.X, p.Y, {});
  EXPECT_EQ(b.S(0).Net.NbLn, 2);
  EXPECT_EQ(b.S(0).Net.NbCol, 3);
  // A surface duplicated after the snapshot keeps its own net through undo and redo.
  b.Ajoute(3);
  TVertex3f v = b.V({1, 1, 1});
  b.H.Store.Annuler(b.Doc);
  EXPECT_EQ(b.S(0).Net.NbLn, 3);
  EXPECT_EQ(b.S(1).Net.NbLn, 2);
  ProcheV(b.V({1, 1, 1}), v);
  b.H.Store.Refaire(b.Doc);
  EXPECT_EQ(b.S(0).Net.NbLn, 2);
}

TEST(Undo, WeightsBaseAndListChange) {
  Banc b;
  b.Doc.ListePoids.push_back({"Lest", 500, 0, 2, 0, 0});
  b.H.Modes.BasePlanSym = true;
  TPixel o;
  ASSERT_TRUE(TProjecteur(b.Cad.Param).Projette(b.Doc.Surf(0).PlanSym.Origine, o));
  TVertex3f v0 = b.V({0, 1, 1});
  b.Ed.Appui(o.X, o.Y, {});
  EXPECT_EQ(b.Ed.Action(), TActionVue::BaseOrigine);
  b.Ed.Mouvement(o.X, o.Y - 20);
  b.Ed.Relache(o.X, o.Y - 20, {});
  double dz = 20 / b.Cad.Param.Echelle;
  ProcheV(b.V({0, 1, 1}), v0 + TVertex3f{0, 0, dz}, 1e-6);
  EXPECT_NEAR(b.Doc.ListePoids[0].Z, dz, 1e-6);
  EXPECT_NEAR(b.Doc.Surf(0).PlanSym.Origine.Z, dz, 1e-6);
  EXPECT_NEAR(b.Doc.Surf(0).PlanSym.D, 0, 1e-12) << "plane x = 0 still";
  b.Doc.ListePoids.push_back({"Ajout", 1, 0, 0, 0, -1});
  b.H.Store.Annuler(b.Doc);
  ProcheV(b.V({0, 1, 1}), v0);
  ASSERT_EQ(b.Doc.ListePoids.size(), 1u) << "a weight added after the snapshot goes";
  EXPECT_NEAR(b.Doc.ListePoids[0].Z, 0, 1e-12);
  EXPECT_NEAR(b.Doc.Surf(0).PlanSym.Origine.Z, 0, 1e-12);
  b.H.Store.Refaire(b.Doc);
  EXPECT_EQ(b.Doc.ListePoids.size(), 2u);
  // Closing the document forgets every step; an unknown type records nothing.
  b.H.Store.Oublie();
  EXPECT_FALSE(b.H.Store.AnnulerActif());
  EXPECT_FALSE(b.H.Store.Refaire(b.Doc));
  EXPECT_FALSE(b.H.Store.RecordAction(b.Doc, 7));
  EXPECT_FALSE(b.H.Store.AnnulerActif());
}

TEST(Rotate, AxisHandleTurnsCounterClockwiseOnScreen) {
  for (int type : {tvSection, tvPlan, tvProfil}) {
    Banc b(type);
    TEntity& e = b.Doc.Surf(0);
    // The surface and its base rotate together: a point to the right of the origin on
    // the screen goes up by a quarter turn.
    TVertex3f o = e.PlanSym.Origine;
    TProjecteur pr(b.Cad.Param);
    TPixel po, pd;
    pr.Projette(o, po);
    TVertex3f droite = CalculePt3DInv(b.Cad.Param, po.X + 100, po.Y, 0);
    TourneSurface(b.Doc, 0, type, 90);
    TVertex3f q = droite;
    // The same rotation applied to a free point, through a vertex placed there.
    b.S(0).Net.PC[0][0].SetV(q);
    TourneSurface(b.Doc, 0, type, 90);
    pr.Projette(b.S(0).Net.PC[0][0].V(), pd);
    EXPECT_NEAR(pd.X, po.X, 1) << type;
    EXPECT_NEAR(pd.Y, po.Y - 100, 1) << type;
    EXPECT_NEAR(Norme(e.PlanSym.Axe1), 1, 1e-12);
  }
}

TEST(FenSel, MarkersClicksAndFilters) {
  TFenSelGeom g{200, 131, 3, 5, 4};
  EXPECT_EQ(g.YLigne(0), 112);  // row 0 at the bottom
  EXPECT_EQ(g.YLigne(2), 12);
  EXPECT_EQ(g.XColonne(4), 191);
  EXPECT_EQ(g.XSection(0), 18);
  EXPECT_EQ(g.LigneA(60), 1);
  EXPECT_EQ(g.ColonneA(62), 1);  // 61 the marker, spacing 43
  EXPECT_EQ(g.Zone(5, 50), TZoneFenSel::Lignes);
  EXPECT_EQ(g.Zone(50, 125), TZoneFenSel::Colonnes);
  EXPECT_EQ(g.Zone(2, 122), TZoneFenSel::CoinLignes);
  EXPECT_EQ(g.Zone(9, 129), TZoneFenSel::CoinColonnes);
  EXPECT_EQ(g.Zone(50, 50), TZoneFenSel::Sections);
  EXPECT_EQ((TFenSelGeom{200, 131, 1, 1, 1}).XSection(0), 16);
  EXPECT_EQ(SectionProche({0, 2, 4, 6}, 3), 1) << "the first on ties";
  EXPECT_EQ(SectionProche({}, 3), -1);

  TDocument d;
  d.InitDefaut();
  TNet& n = d.SurfNurbs(0)->Net;
  TTableVertex tab;
  // A column: the nearest section to its first vertex (y = 3) becomes current.
  EXPECT_EQ(ClicFenSel(n, TZoneFenSel::Colonnes, 1, {0, 2.5, 5}), 1);
  AppliqueFiltres(n, 0, tab);
  EXPECT_EQ(tab.Etat[0][2][1], epActif);
  EXPECT_EQ(tab.Etat[0][2][0], epInactif);
  ClicFenSel(n, TZoneFenSel::Lignes, 2, {});
  EXPECT_TRUE(n.AfficheLn);
  EXPECT_FALSE(n.AfficheCol);
  AppliqueFiltres(n, 0, tab);
  EXPECT_EQ(tab.Etat[0][2][0], epActif);
  EXPECT_EQ(tab.Etat[0][1][1], epInactif);
  // The corner above the diagonal: all rows, every vertex active; again: row 0 alone.
  ClicFenSel(n, TZoneFenSel::CoinLignes, 0, {});
  EXPECT_EQ(n.LnActive, -1);
  AppliqueFiltres(n, 0, tab);
  EXPECT_EQ(tab.Etat[0][1][1], epActif);
  ClicFenSel(n, TZoneFenSel::CoinLignes, 0, {});
  EXPECT_EQ(n.LnActive, 0);
}

}  // namespace
