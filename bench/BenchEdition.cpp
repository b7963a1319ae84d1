// Editing: one mouse move of a vertex drag on the yacht sample with real-time
// evaluation, sections and waterlines shown, the four views redrawn into their
// images and the instant hydrostatics recomputed. Built only with the user interface.
#ifdef BRIVANE_BENCH_VUES
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "base/Options.h"
#include "base/Services.h"
#include "document/GestFich.h"
#include "edition/Affiche.h"
#include "edition/Annuler.h"
#include "edition/Edition.h"
#include "edition/HydroInstant.h"
#include "session/ObjCom.h"
#include "views/RenduQt.h"

namespace {

void ApplicationEdition() {
  static std::unique_ptr<QApplication> app;
  if (app || QGuiApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nom[] = "brivane-bench";
  static char* argv[] = {nom, nullptr};
  app = std::make_unique<QApplication>(argc, argv);
}

struct Atelier : THoteEdition {
  TDocument Doc;
  TAffichageVues Aff;
  TOptionsVues Opt;
  TGrilleVue Grille;
  TAnnulation Store;
  TCadrage Cad[4];
  TTableVertex Tab[4];
  TListPC Sel[4];
  TListeDessin Liste[4];
  QImage Image[4];
  double Deplacement = 0;

  explicit Atelier(int precision)
      : Cad{TCadrage(tvSection, 640, 480), TCadrage(tvPlan, 640, 480), TCadrage(tvProfil, 640, 480),
            TCadrage(tvPersp, 640, 480)} {
    Services().AfficheMessage = [](const std::string&, int, int b) { return ReponseParDefaut(b); };
    OuvrirFichier(Doc, BRIVANE_SAMPLES "/Voilier11.kvb");
    AffichageCalculs().Carene = AffichageCalculs().LignesEau = true;
    Aff.Couples = Aff.LignesEau = true;
    Aff.Poids = Aff.CentreVoilure = true;  // as the main window starts
    ChangePrecision(Doc, precision);
    MajSurface(Doc, true, -1);
    MajCoupesSurface(Doc);
    Grille = GrilleDuDocument(Doc);
    for (int v = 0; v < 4; v++) {
      Cad[v].Ajuste(Doc, false, Opt.ZoomMax);
      Image[v] = QImage(640, 480, QImage::Format_RGB32);
      Tab[v].MajTabCoor(Doc, Cad[v].Param);
    }
  }
  TModesEdition ModesEdition() const override { return {}; }
  void EnregistreAnnulation(const std::string& nom) override { Store.Enregistre(Doc, nom); }
  void FinInsertionSuppression() override {}
  void FinContraintes() override {}
  void ApresEdition() override {
    MajSurface(Doc, false, -1);
    MajCoupesSurface(Doc);
    Deplacement = CalcHydroInstant(Doc).Deplacement;
  }
  void RedessineTout() override {
    for (int v = 0; v < 4; v++) {
      Tab[v].MajTabCoor(Doc, Cad[v].Param);
      Liste[v].Vider();
      AfficheNetOne({Doc, Aff, Opt, Grille, Tab[v]}, Cad[v].Param, Liste[v]);
      RenduListe(Image[v], Liste[v]);
    }
  }
  void Status(int, const std::string&) override {}
};

void Edit_DragMove_yacht(benchmark::State& st) {
  ApplicationEdition();
  bool tr = Options().SplineTR;
  Options().SplineTR = true;
  Atelier a(static_cast<int>(st.range(0)));
  // A vertex of the hull near mid-length, dragged in the profile view.
  TEditeurVue ed(a, a.Doc, a.Cad[tvProfil], a.Tab[tvProfil], a.Sel[tvProfil]);
  const TSurface* s = a.Doc.SurfNurbs(0);
  TPC pc{0, s ? s->Net.NbLn / 2 : 0, s ? s->Net.NbCol / 2 : 0};
  TPixel p = a.Tab[tvProfil].Pos[pc.NumSurf][pc.NumLn][pc.NumCol];
  ed.Appui(p.X, p.Y, {});
  ed.Mouvement(p.X, p.Y + 1);
  int sens = 1;
  for (auto _ : st) {
    // Back and forth by a pixel: the hull stays the same from one run to the next.
    sens = -sens;
    ed.Mouvement(p.X, p.Y + (sens > 0 ? 1 : 0));
    benchmark::DoNotOptimize(a.Image[3].constBits());
  }
  ed.Relache(p.X, p.Y, {});
  st.counters["displacement_kg"] = a.Deplacement;
  Options().SplineTR = tr;
  RestaureServicesDefaut();
}

}  // namespace

BENCHMARK(Edit_DragMove_yacht)
    ->Name("Edit/DragMove/yacht")
    ->ArgName("N")
    ->Arg(50)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
#endif
