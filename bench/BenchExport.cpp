// Exports of the 10 m yacht at precision 50 with every kind of line (25 of each),
// the grid and the axes: the whole file built and written through the atomic writer.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "Voilier.h"
#include "exchange/ExportDXF.h"
#include "exchange/ExportIGES.h"
#include "exchange/ExportSTL.h"
#include "lines/Coupes.h"

namespace {

struct TYachtExport {
  TDocument Doc;
  TOptionsExport O;
  std::string Dossier;
  TYachtExport() {
    Voilier(Doc, 50);
    TGrille& g = Doc.Grille;
    g.NbSec = g.NbLE = g.NbLong = g.NbDiag = 25;
    for (int f = 0; f < NbFamillesLignes; f++) AutoStand(Doc, static_cast<TFamilleLignes>(f));
    ReconstruitTablesCoupes(Doc);
    CalcTabLignesSec(Doc);
    CalcTabLignesLE(Doc);
    CalcTabLignesLgt(Doc);
    CalcTabLignesDiag(Doc);
    O.Aretes = O.Couples = O.LignesEau = O.Longitudinales = O.Diagonales = O.SurfParam = O.Grille = O.Axes =
        true;
    O.Nurbs = O.Couleurs = true;
    Dossier = std::filesystem::temp_directory_path().string() + "/brivane_bench_export";
    std::filesystem::create_directories(Dossier);
  }
};

TYachtExport& Yacht() {
  static TYachtExport y;
  return y;
}

void Export_DXF(benchmark::State& st) {
  TYachtExport& y = Yacht();
  for (auto _ : st) {
    TResultatExport r = ExportDXF(y.Doc, y.Dossier + "/yacht.dxf", y.O);
    if (!r.Ok) st.SkipWithError(r.Erreur.c_str());
  }
  st.counters["bytes"] = double(std::filesystem::file_size(y.Dossier + "/yacht.dxf"));
}
BENCHMARK(Export_DXF)->Name("Export/DXF/yacht-p50-lines25")->Unit(benchmark::kMillisecond);

void Export_IGES(benchmark::State& st) {
  TYachtExport& y = Yacht();
  for (auto _ : st) {
    TResultatExport r = ExportIGES(y.Doc, y.Dossier + "/yacht.igs", y.O);
    if (!r.Ok) st.SkipWithError(r.Erreur.c_str());
  }
}
BENCHMARK(Export_IGES)->Name("Export/IGES/yacht-4x31x31")->Unit(benchmark::kMillisecond);

// The same without the file: what the export costs before the disk's sync.
void Export_TexteDXF(benchmark::State& st) {
  TYachtExport& y = Yacht();
  for (auto _ : st) benchmark::DoNotOptimize(TexteDXF(y.Doc, y.O));
}
BENCHMARK(Export_TexteDXF)->Name("Export/DXF-text/yacht-p50-lines25")->Unit(benchmark::kMillisecond);

void Export_LignesIGES(benchmark::State& st) {
  TYachtExport& y = Yacht();
  for (auto _ : st) benchmark::DoNotOptimize(LignesIGES(y.Doc, y.O));
}
BENCHMARK(Export_LignesIGES)->Name("Export/IGES-text/yacht-4x31x31")->Unit(benchmark::kMillisecond);

void Export_STL(benchmark::State& st) {
  TYachtExport& y = Yacht();
  for (auto _ : st) {
    TResultatExport r = ExportSTL(y.Doc, y.Dossier + "/yacht.stl");
    if (!r.Ok) st.SkipWithError(r.Erreur.c_str());
  }
}
BENCHMARK(Export_STL)->Name("Export/STL/yacht-p50")->Unit(benchmark::kMillisecond);

}  // namespace
