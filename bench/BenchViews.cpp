// Views: redrawing the four views of a yacht (projection tables, display list,
// QPainter into the off-screen images) as a mouse move with real-time evaluation
// would. Built only with the user interface (it needs Qt Gui, no window).
#ifdef BRIVANE_BENCH_VUES
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "../tests/views/Modele.h"
#include "edition/Affiche.h"
#include "edition/Cadrage.h"
#include "views/RenduQt.h"

namespace {

void Application() {
  static std::unique_ptr<QApplication> app;
  if (app || QCoreApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nom[] = "brivane-bench";
  static char* argv[] = {nom, nullptr};
  app = std::make_unique<QApplication>(argc, argv);
}

struct QuatreVues {
  TDocument Doc;
  TAffichageVues Aff;
  TOptionsVues Opt;
  TGrilleVue Grille;
  TCadrage Cad[4];
  TTableVertex Tab[4];
  TListeDessin Liste[4];
  QImage Image[4];

  QuatreVues(int precision, int lignes)
      : Cad{TCadrage(tvSection, 640, 480), TCadrage(tvPlan, 640, 480), TCadrage(tvProfil, 640, 480),
            TCadrage(tvPersp, 640, 480)} {
    modele::Yacht(Doc, precision, lignes);
    Aff.Couples = Aff.LignesEau = Aff.Longitudinales = Aff.Diagonales = true;
    Aff.Poids = Aff.CentreVoilure = true;  // as the main window starts
    for (int v = 0; v < 4; v++) {
      Cad[v].Ajuste(Doc, false, Opt.ZoomMax);
      Image[v] = QImage(640, 480, QImage::Format_RGB32);
    }
  }
  void Redessine(int v, bool peindre) {
    Tab[v].MajTabCoor(Doc, Cad[v].Param);
    Liste[v].Vider();
    AfficheNetOne({Doc, Aff, Opt, Grille, Tab[v]}, Cad[v].Param, Liste[v]);
    if (peindre) RenduListe(Image[v], Liste[v]);
  }
};

void Views_Redraw4(benchmark::State& st, bool peindre) {
  Application();
  QuatreVues q(static_cast<int>(st.range(0)), 20);
  size_t elements = 0;
  for (auto _ : st) {
    for (int v = 0; v < 4; v++) q.Redessine(v, peindre);
    elements = q.Liste[0].Elements.size();
    benchmark::DoNotOptimize(q.Image[3].constBits());
  }
  st.counters["elements/view"] = static_cast<double>(elements);
}

void Views_Redraw4_yacht(benchmark::State& st) { Views_Redraw4(st, true); }
void Views_DisplayList4_yacht(benchmark::State& st) { Views_Redraw4(st, false); }

}  // namespace

BENCHMARK(Views_Redraw4_yacht)
    ->Name("Views/Redraw4/yacht")
    ->ArgName("N")
    ->Arg(50)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Views_DisplayList4_yacht)
    ->Name("Views/DisplayList4/yacht")
    ->ArgName("N")
    ->Arg(50)
    ->Unit(benchmark::kMillisecond);
#endif
