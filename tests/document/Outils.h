// Shared helpers of the document tests: a recorder of the program's messages,
// a scratch folder, and small documents built in code.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/Services.h"
#include "document/GestFich.h"
#include "session/ObjCom.h"

// Records the messages instead of printing them, for the life of the test.
class TestAvecMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    Services().AfficheMessage = [this](const std::string& t, int, int b) {
      Messages.push_back(t);
      return ReponseParDefaut(b);
    };
    Dossier = std::filesystem::temp_directory_path() /
              ("brivane_doc_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(Dossier);
    std::filesystem::create_directories(Dossier);
  }
  void TearDown() override {
    RestaureServicesDefaut();
    std::filesystem::remove_all(Dossier);
  }
  std::string Chemin(const std::string& nom) const { return (Dossier / nom).string(); }
  bool MessageContient(const std::string& part) const {
    for (const auto& m : Messages)
      if (m.find(part) != std::string::npos) return true;
    return false;
  }

  std::vector<std::string> Messages;
  std::filesystem::path Dossier;
};

inline std::string LitFichier(const std::string& chemin) {
  std::ifstream in(chemin, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void EcritFichier(const std::string& chemin, const std::string& texte) {
  std::ofstream out(chemin, std::ios::binary);
  out << texte;
}

// Lines joined with CR LF, the last one included.
inline std::string Lignes(std::initializer_list<std::string_view> l) {
  std::string s;
  for (auto x : l) s.append(x).append("\r\n");
  return s;
}

inline std::vector<int> Toutes(const TDocument& doc) {
  std::vector<int> v;
  for (int k = 0; k < doc.NbSurf(); k++) v.push_back(k);
  return v;
}

// The document's text as the writer makes it.
inline std::string TexteDocument(const TDocument& doc) {
  TfichierStr f;
  EXPECT_TRUE(ConstruitFichier(doc, Toutes(doc), f));
  return f.Texte();
}

// What the last LitTexte found.
inline TResultatLecture& DerniereLecture() {
  static TResultatLecture r;
  return r;
}

// Reads a document from text into doc (no evaluation unless asked), taking a partial read.
inline bool LitTexte(TDocument& doc, const std::string& texte, std::string* erreur = nullptr,
                     bool evaluer = false) {
  DerniereLecture() = {};
  TfichierStr f;
  if (!f.ChargerTexte(texte, erreur)) return false;
  TOptionsLecture o;
  o.Evaluer = evaluer;
  return LitDocument(doc, f, "memoire.kvb", o, erreur, &DerniereLecture());
}

// Whether the last LitTexte found something whose text holds `part`.
inline bool ConstatContient(const std::string& part) {
  for (const TConstat& c : DerniereLecture().Constats)
    if (c.Texte().find(part) != std::string::npos) return true;
  return false;
}
inline int NbConstats(const std::string& part) {
  int n = 0;
  for (const TConstat& c : DerniereLecture().Constats) n += c.Texte().find(part) != std::string::npos;
  return n;
}

// A NURBS surface of nl x nc vertices whose coordinates tell their place.
inline TSurface& AjouteNurbs(TDocument& doc, const std::string& nom, int nl, int nc) {
  auto s = std::make_unique<TSurface>(doc.NbSurf(), doc.Precision);
  s->Nom = nom;
  s->Net.NbLn = nl;
  s->Net.NbCol = nc;
  for (int i = 0; i < nl; i++)
    for (int j = 0; j < nc; j++) s->Net.PC[i][j] = {0.1 * i, 0.5 * j + doc.NbSurf(), -0.25 * i * j, 1};
  s->Net.LFlex = std::min(4, nl);
  s->Net.CFlex = std::min(4, nc);
  doc.TabSurf.push_back(std::move(s));
  return static_cast<TSurface&>(*doc.TabSurf.back());
}

inline TDXFSurface& AjouteMesh(TDocument& doc, const std::string& nom, int dernLn, int dernCol) {
  auto m = std::make_unique<TDXFSurface>(doc.NbSurf(), dernCol + 1, dernLn + 1);
  m->Nom = nom;
  for (int i = 0; i <= dernLn; i++)
    for (int j = 0; j <= dernCol; j++) m->Pts[i][j] = {1.0 * i, 2.0 * j, 0.125 * (i + j)};
  doc.TabSurf.push_back(std::move(m));
  return static_cast<TDXFSurface&>(*doc.TabSurf.back());
}

// What identifies a document for "unchanged" checks: its whole text, name and state.
struct TEmpreinte {
  std::string Texte, Nom;
  bool Modifie;
  int NbSurf;
  friend bool operator==(const TEmpreinte&, const TEmpreinte&) = default;
};
inline TEmpreinte Empreinte(const TDocument& doc) {
  return {TexteDocument(doc), doc.NomFichier, doc.Modifie, doc.NbSurf()};
}
