// Hull documents: reading then writing a document of four 31 x 31 surfaces: the
// program's own work from text to design to text ("ReadWrite"), the same through
// files with the durable save (temporary file, fsync, rename), and a whole open
// command with the evaluation of the surfaces.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

#include "base/Services.h"
#include "document/GestFich.h"
#include "session/ObjCom.h"

namespace {

void Document4x31(TDocument& doc) {
  for (int k = 0; k < 4; k++) {
    auto s = std::make_unique<TSurface>(k, doc.Precision);
    s->Nom = "Surface " + std::to_string(k + 1);
    s->Net.NbLn = s->Net.NbCol = 31;
    for (int i = 0; i < 31; i++)
      for (int j = 0; j < 31; j++)
        s->Net.PC[i][j] = {1.8 * std::sin(0.05 * i) + 0.01 * k, 0.37 * j,
                           -0.6 * std::cos(0.05 * i) + 0.013 * j, 1};
    s->Net.LFlex = s->Net.CFlex = 4;
    doc.TabSurf.push_back(std::move(s));
  }
  for (int j = 0; j < 31; j++) doc.GroupesSoudes.push_back({{0, 30, j}, {1, 0, j}});
  ReconstruitPCSoudes(doc);
}

std::vector<int> Toutes(const TDocument& doc) {
  std::vector<int> v;
  for (int k = 0; k < doc.NbSurf(); k++) v.push_back(k);
  return v;
}

struct TFichiers {
  std::filesystem::path Dossier, Entree, Sortie;
  TFichiers() {
    Services().AfficheMessage = [](const std::string&, int, int b) { return ReponseParDefaut(b); };
    Dossier = std::filesystem::temp_directory_path() / ("brivane_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(Dossier);
    Entree = Dossier / "entree.kvb";
    Sortie = Dossier / "sortie.kvb";
    TDocument doc;
    Document4x31(doc);
    EnregistrerFichier(doc, Toutes(doc), Entree.string());
  }
  ~TFichiers() { std::filesystem::remove_all(Dossier); }
};

void Document_ReadWrite(benchmark::State& st) {
  TFichiers fic;
  TOptionsLecture o;
  o.Evaluer = false;
  for (auto _ : st) {
    TDocument doc;
    TfichierStr f;
    f.Charger(fic.Entree.string());
    LitDocument(doc, f, fic.Entree.string(), o);
    TfichierStr w;
    ConstruitFichier(doc, Toutes(doc), w);
    w.Enregistrer(fic.Sortie.string());
    benchmark::DoNotOptimize(doc.NbSurf());
  }
}
BENCHMARK(Document_ReadWrite)->Name("Document/ReadWriteFiles/4x31x31")->Unit(benchmark::kMillisecond);

void Document_ReadWriteMemoire(benchmark::State& st) {
  TDocument modele;
  Document4x31(modele);
  TfichierStr m;
  ConstruitFichier(modele, Toutes(modele), m);
  const std::string texte = m.Texte();
  TOptionsLecture o;
  o.Evaluer = false;
  for (auto _ : st) {
    TDocument doc;
    TfichierStr f;
    f.ChargerTexte(texte);
    LitDocument(doc, f, "memoire.kvb", o);
    TfichierStr w;
    ConstruitFichier(doc, Toutes(doc), w);
    benchmark::DoNotOptimize(w.NbLignes());
  }
}
BENCHMARK(Document_ReadWriteMemoire)->Name("Document/ReadWrite/4x31x31")->Unit(benchmark::kMillisecond);

// The whole open command: the file read and the surfaces evaluated at the default precision.
void Document_OpenEvaluated(benchmark::State& st) {
  TFichiers fic;
  for (auto _ : st) {
    TDocument doc;
    OuvrirFichier(doc, fic.Entree.string());
    benchmark::DoNotOptimize(doc.SurfXMax);
  }
}
BENCHMARK(Document_OpenEvaluated)->Name("Document/OpenEvaluated/4x31x31")->Unit(benchmark::kMillisecond);

}  // namespace
