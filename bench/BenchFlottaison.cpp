// The floating position and the model check of the sample sloop (hull, keel, rudder, deck).
#include <benchmark/benchmark.h>

#include "document/GestFich.h"
#include "naval/Flottaison.h"
#include "session/ObjCom.h"
#include "session/Verification.h"

namespace {

void Charge(TDocument& doc, int precision) {
  OuvrirFichier(doc, BRIVANE_SAMPLES "/Voilier11.kvb");
  if (precision > 0) ChangePrecision(doc, precision);
  MajSurface(doc, true, -1);
}

// At the document's weights (an equilibrium near the drawn waterline), and with G moved
// 0.3 m aft and 0.05 m to port (a few degrees of heel and trim to find).
void Flottaison(benchmark::State& etat, bool deplace) {
  TDocument doc;
  Charge(doc, 50);
  TConditionFlottaison c;
  c.Poids = {{doc.PoidsTotal.X, doc.PoidsTotal.Y, doc.PoidsTotal.Z}, doc.PoidsTotal.Masse};
  if (deplace) c.Poids.Centre.X += 0.05, c.Poids.Centre.Y -= 0.3;
  const TListSurf portee = PorteeCalc(doc);
  TResultatFlottaison r;
  for (auto _ : etat) {
    r = Flotte(doc, portee, c);
    benchmark::DoNotOptimize(r.Attitude.Tirant);
  }
  etat.counters["iterations"] = r.Iterations;
  etat.counters["converged"] = r.Converge;
  etat.counters["heel"] = r.Attitude.Gite;
  etat.counters["trim"] = r.Attitude.Assiette;
}

void Verification(benchmark::State& etat, int precision) {
  TDocument doc;
  Charge(doc, precision);
  const TListSurf portee = PorteeCalc(doc);
  size_t n = 0;
  for (auto _ : etat) {
    n = VerifieModele(doc, portee).size();
    benchmark::DoNotOptimize(n);
  }
  etat.counters["findings"] = static_cast<double>(n);
}

const bool enregistre = [] {
  benchmark::RegisterBenchmark("Float/Voilier11/N50/AsDrawn", Flottaison, false)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Float/Voilier11/N50/GMoved", Flottaison, true)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Check/Voilier11/DocumentPrecision", Verification, 0)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Check/Voilier11/N50", Verification, 50)->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
