// "offsets": the table of offsets of a document, printed or written in the
// export format (semicolons, Windows-1252, CR LF).
#include <cstdio>
#include <iostream>

#include "cli/CmdLignesCommun.h"
#include "lines/TabCotes.h"

namespace {

struct TOptionsOffsets : lignes_cli::TOptions {
  std::string Csv;
  std::string Croisement = "waterlines";
  std::vector<std::string> Surfaces;
};

int Offsets(const TOptionsOffsets& o) {
  TDocument doc;
  lignes_cli::Prepare(doc, o);
  std::vector<int> sel;
  if (o.Surfaces.empty()) {
    for (int k = 0; k < doc.NbSurf(); k++) sel.push_back(k);
  } else {
    for (const auto& nom : o.Surfaces) {
      int k = SurfNom2Num(doc, nom);
      if (k < 0) throw TErreurCli("no surface named " + nom);
      sel.push_back(k);
    }
  }
  TTableCotes t;
  MajSurface(doc, true, -1);
  CalculeTableCotes(
      doc, sel, o.Croisement == "buttocks" ? TCroisementCotes::Longitudinales : TCroisementCotes::LignesEau,
      t);
  if (o.Csv == "-") {  // the file's own bytes, for a pipe
    const std::string texte = TexteExportCotes(t);
    std::fwrite(texte.data(), 1, texte.size(), stdout);
    return 0;
  }
  if (!o.Csv.empty()) {
    try {
      ExporteTableCotes(t, o.Csv);
    } catch (const TErreurExportCotes& e) {
      throw TErreurCli(e.what());
    }
    std::printf("%zu lignes écrites dans %s\n", t.Lignes().size(), o.Csv.c_str());
    return 0;
  }
  for (const auto& l : t.Lignes())
    std::cout << l[0] << ';' << l[1] << ';' << l[2] << ';' << l[3] << ';' << l[4] << "\n";
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsOffsets>();
  CLI::App* c = app.add_subcommand(
      "offsets", "The table of offsets: sections against waterlines or buttocks, and surface edges");
  lignes_cli::Declare(c, *o);
  c->add_option("--csv", o->Csv,
                "Write the table to this file (semicolons, Windows-1252, CR LF; '-': standard output)");
  c->add_option("--cross", o->Croisement, "What the sections are crossed with")
      ->check(CLI::IsMember({"waterlines", "buttocks"}));
  c->add_option("--surface", o->Surfaces, "A surface to list (repeatable; every surface when absent)");
  return [c, o]() { return c->parsed() ? Offsets(*o) : -1; };
}}};

}  // namespace
