// The real path of a drag: the main window itself, its four views tiled over about
// 1400 x 900 pixels with the studio beside them, the tool windows open, sections,
// waterlines and the instant hydrostatics on, real-time evaluation; each mouse move
// goes through the view's mouse handler and the events it posts are processed (the
// views painted). Processor time of the process. And the precision command on the sloop.
// Built only with the user interface.
#ifdef BRIVANE_BENCH_VUES
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMouseEvent>
#include <memory>

#include "app/Principale.h"
#include "base/Options.h"
#include "base/Services.h"
#include "session/ObjCom.h"

namespace {

void ApplicationFenetres() {
  if (QCoreApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nom[] = "brivane-bench";
  static char* argv[] = {nom, nullptr};
  static QApplication app(argc, argv);
}

struct Programme {
  TAffichageGarde Garde;
  std::unique_ptr<TMainForm> F;

  explicit Programme(int precision) {
    ApplicationFenetres();
    TLigneCommande lc;
    lc.Fichier = BRIVANE_SAMPLES "/Voilier11.kvb";
    F = std::make_unique<TMainForm>(lc);
    Services().AfficheMessage = [](const std::string&, int, int b) { return ReponseParDefaut(b); };
    // The area of the views about 1400 x 900 under the menus, tool bar and status bar.
    F->resize(1400, 1010);
    F->show();
    QApplication::processEvents();
    F->PremierAffichage(false);
    for (const char* c :
         {"MeControleVues", "MeEditeurVertex", "MeListeVertex", "MeHydroInstantanee", "MeStudio"})
      F->Lance(c, true);
    F->Disposition2x2();  // the studio beside the four views
    for (const char* c : {"MeCouples", "MeLignesEau"})
      if (!F->Action(c)->isChecked()) F->Action(c)->trigger();
    F->ChangePrecision(precision);
    QApplication::processEvents();
  }
  ~Programme() {
    F->Document().Modifie = false;
    F.reset();
    RestaureServicesDefaut();
  }
  static void Souris(QWidget* w, QEvent::Type t, QPoint p) {
    QMouseEvent e(t, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::LeftButton,
                  t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
};

void Fenetre_DragMove(benchmark::State& st) {
  bool tr = Options().SplineTR;
  Options().SplineTR = true;
  Programme p(static_cast<int>(st.range(0)));
  TFormFille& v = *p.F->Vue(tvProfil);
  p.F->ActiveVue(tvProfil, false);
  v.Redessine();
  const TSurface* s = p.F->Document().SurfNurbs(0);
  const TPC pc{0, s ? s->Net.NbLn / 2 : 0, s ? s->Net.NbCol / 2 : 0};
  const TPixel px = v.Tab.Pos[pc.NumSurf][pc.NumLn][pc.NumCol];
  const QPoint a(px.X, px.Y);
  Programme::Souris(&v, QEvent::MouseButtonPress, a);
  Programme::Souris(&v, QEvent::MouseMove, a + QPoint(0, 1));
  QApplication::processEvents();
  int sens = 1;
  for (auto _ : st) {
    // Back and forth by a pixel: the hull stays the same from one run to the next.
    sens = -sens;
    Programme::Souris(&v, QEvent::MouseMove, a + QPoint(0, sens > 0 ? 1 : 0));
    QApplication::processEvents();
  }
  Programme::Souris(&v, QEvent::MouseButtonRelease, a);
  st.counters["view_w"] = v.width();
  st.counters["view_h"] = v.height();
  Options().SplineTR = tr;
}

void Fenetre_Precision50To100(benchmark::State& st) {
  Programme p(50);
  for (auto _ : st) {
    st.PauseTiming();
    p.F->ChangePrecision(50);
    QApplication::processEvents();
    st.ResumeTiming();
    p.F->Action("MePrecTresBonne")->trigger();
    QApplication::processEvents();
  }
  st.counters["precision"] = p.F->Document().Precision;
}

}  // namespace

BENCHMARK(Fenetre_DragMove)
    ->Name("Window/DragMove/sloop")
    ->ArgName("N")
    ->Arg(50)
    ->Arg(100)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Fenetre_Precision50To100)
    ->Name("Window/Precision50To100/sloop")
    ->MeasureProcessCPUTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
#endif
