// Damaged documents: every line-end convention reads the same, a read says what it
// found and where without asking, a partial read is installed only when taken, and
// writing over the damaged file asks first. Also the lines grid, which the document now carries.
#include <algorithm>
#include <cmath>

#include "Outils.h"
#include "lines/Grille.h"

namespace {

class LectureErreurs : public TestAvecMessages {
 protected:
  // The answer given to every Yes/No question, and the questions asked.
  int Reponse = mrYes;
  std::vector<std::string> Questions;
  void SetUp() override {
    TestAvecMessages::SetUp();
    Services().AfficheMessage = [this](const std::string& t, int, int b) {
      Messages.push_back(t);
      if (b & mbYes) {
        Questions.push_back(t);
        return Reponse;
      }
      return ReponseParDefaut(b);
    };
  }
};

std::string Remplace(std::string t, const std::string& a, const std::string& b) {
  for (size_t k = t.find(a); k != std::string::npos; k = t.find(a, k + b.size())) t.replace(k, a.size(), b);
  return t;
}

// A two-surface design with a grid of its own.
void Modele(TDocument& doc) {
  AjouteNurbs(doc, "Bordé", 3, 4);
  AjouteNurbs(doc, "Quille", 2, 2);
  doc.Grille.NbSec = 3;
  doc.Grille.PosSec[0] = 0.25, doc.Grille.PosSec[1] = 1.5, doc.Grille.PosSec[2] = -2.125;
  doc.Grille.NumSc = 2;
}

TEST_F(LectureErreurs, EveryLineEndReadsTheSameDocument) {
  TDocument modele;
  Modele(modele);
  const std::string crlf = TexteDocument(modele);
  // CR CR LF is what a converter makes of a CR LF file; trailing blanks come from editors.
  const std::string variantes[] = {crlf, Remplace(crlf, "\r\n", "\n"), Remplace(crlf, "\r\n", "\r\r\n"),
                                   Remplace(crlf, "\r\n", "  \t\r\n"), Remplace(crlf, "\r\n", " \r\r\n")};
  for (const std::string& t : variantes) {
    TDocument lu;
    ASSERT_TRUE(LitTexte(lu, t)) << ::testing::PrintToString(Messages);
    EXPECT_TRUE(Messages.empty()) << ::testing::PrintToString(Messages);
    EXPECT_EQ(lu.NbSurf(), 2);
    EXPECT_TRUE(lu.FichierLuAvecErreurs.empty());
    EXPECT_EQ(TexteDocument(lu), crlf);
    Messages.clear();
  }
}

// The line (from 1) on which the text at `pos` stands.
int LigneDe(const std::string& t, size_t pos) {
  return 1 + static_cast<int>(std::count(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
}

TEST_F(LectureErreurs, APartialReadIsReturnedAndInstalledOnlyWhenTheCallerTakesIt) {
  TDocument modele;
  Modele(modele);
  std::string t = TexteDocument(modele);
  // The second surface has no vertex: it is lost, the first one can be read.
  size_t b = t.find("[SURF1]");
  t.replace(t.find("[NbL]\r\n2", b), 9, "[NbL]\r\n0");
  t.replace(t.find("[NbC]\r\n2", b), 9, "[NbC]\r\n0");
  const std::string chemin = Chemin("abime.kvb");
  EcritFichier(chemin, t);
  // The reader stands on the value line of NbC when it finds the net empty.
  const int ligneNbC = LigneDe(t, t.find("[NbC]\r\n0", b)) + 1;

  TDocument doc;
  AjouteNurbs(doc, "Ancien", 2, 3);
  doc.NomFichier = Chemin("ancien.kvb");
  doc.MarqueModifie();
  const TEmpreinte avant = Empreinte(doc);
  TDocument vide;
  TOptionsLecture o;
  o.Evaluer = false;
  TResultatLecture r = LitFichier(vide, chemin, o);
  // Nothing is asked: the findings come back, with the file and the line.
  EXPECT_TRUE(Messages.empty()) << ::testing::PrintToString(Messages);
  EXPECT_FALSE(r.Refusee());
  EXPECT_TRUE(r.Partielle());
  EXPECT_EQ(r.NbSurfLues(), 1);
  ASSERT_EQ(r.Constats.size(), 1u);
  EXPECT_EQ(r.Constats[0].Gravite, TGravite::Avertissement);
  EXPECT_EQ(r.Constats[0].Fichier, chemin);
  EXPECT_EQ(r.Constats[0].Ligne, ligneNbC);
  EXPECT_EQ(r.Constats[0].Message, "Erreur de lecture du fichier; NbVxi & NbVxj <=0 - Surf1");
  EXPECT_EQ(r.Constats[0].Texte(),
            r.Constats[0].Message + " (fichier " + chemin + ", ligne " + std::to_string(ligneNbC) + ")");
  // A read is installed only into the surface count it was read for: the open design stays.
  EXPECT_FALSE(InstalleLecture(doc, r, o));
  EXPECT_EQ(Empreinte(doc), avant);
  EXPECT_TRUE(Messages.empty());

  // Taken: what could be read opens, and the file is remembered as damaged.
  ASSERT_TRUE(InstalleLecture(vide, r, o));
  EXPECT_EQ(vide.NbSurf(), 1);
  EXPECT_EQ(vide.NomFichier, chemin);
  EXPECT_FALSE(vide.Modifie);
  EXPECT_EQ(vide.FichierLuAvecErreurs, chemin);
  EXPECT_EQ(vide.ErreursLecture, (std::vector<std::string>{r.Constats[0].Texte()}));
  // A result is installed once.
  TDocument autre;
  EXPECT_FALSE(InstalleLecture(autre, r, o));
  EXPECT_EQ(autre.NbSurf(), 0);

  // Saving over it asks, naming the file; No writes nothing.
  std::string erreur;
  Reponse = mrNo;
  EXPECT_FALSE(EnregistrerFichierAll(vide, false, &erreur));
  ASSERT_EQ(Questions.size(), 1u);
  EXPECT_NE(Questions[0].find(chemin), std::string::npos);
  EXPECT_EQ(LitFichier(chemin), t);
  EXPECT_FALSE(std::filesystem::exists(chemin + ".bak"));
  // Another file is no loss: no question.
  Questions.clear();
  EXPECT_TRUE(EnregistrerFichier(vide, Toutes(vide), Chemin("autre.kvb"), &erreur));
  EXPECT_TRUE(Questions.empty());
  // Yes writes it, keeps the backup, and the question is not asked again.
  Reponse = mrYes;
  EXPECT_TRUE(EnregistrerFichierAll(vide, false, &erreur));
  EXPECT_EQ(Questions.size(), 1u);
  EXPECT_EQ(LitFichier(chemin + ".bak"), t);
  EXPECT_TRUE(vide.FichierLuAvecErreurs.empty());
  Questions.clear();
  EXPECT_TRUE(EnregistrerFichierAll(vide, false, &erreur));
  EXPECT_TRUE(Questions.empty());
}

TEST_F(LectureErreurs, EveryDamageIsFoundOnItsOwnLineInReadingOrder) {
  TDocument modele;
  Modele(modele);
  modele.ListeReperes = {{"R", 1, 2, 3}};
  modele.ListePoids = {{"Lest", 5, 0, 1, 0, -1}};
  std::string t = TexteDocument(modele);
  // Three damaged values far apart: a plane, a weight, a mark.
  const size_t plan = t.find("[PlanS]\r\n") + 9;
  t.replace(plan, t.find("\r\n", plan) - plan, "abc;");
  const size_t poids = t.find("[Bl_1]\r\n") + 8;
  t.replace(poids, t.find("\r\n", poids) - poids, "Lest;cinq;0;1;0;-1;");
  const size_t rep = t.find("[Rep_1]\r\n") + 9;
  t.replace(rep, t.find("\r\n", rep) - rep, "R;1;;3;");
  const std::string chemin = Chemin("trois.kvb");
  EcritFichier(chemin, t);

  TDocument vide;
  TResultatLecture r = LitFichier(vide, chemin, {.Evaluer = false});
  EXPECT_TRUE(Messages.empty());
  ASSERT_EQ(r.Constats.size(), 3u);
  const int lignes[] = {LigneDe(t, plan), LigneDe(t, poids), LigneDe(t, rep)};
  const char* textes[] = {"SURF/PlanS - Str =abc;", "BALLAST - Str = Lest;cinq", "REPERES - Str = R;1;;3;"};
  for (size_t k = 0; k < 3; k++) {
    SCOPED_TRACE(k);
    EXPECT_EQ(r.Constats[k].Gravite, TGravite::Avertissement);
    EXPECT_EQ(r.Constats[k].Ligne, lignes[k]);
    EXPECT_NE(r.Constats[k].Message.find(textes[k]), std::string::npos) << r.Constats[k].Message;
  }
  EXPECT_EQ(r.Avertissements().size(), 3u);
  EXPECT_EQ(r.Erreur(), "");
}

TEST_F(LectureErreurs, FatalErrorNamesFileAndLineAndAsksNothing) {
  TDocument modele;
  Modele(modele);
  std::string t = TexteDocument(modele);
  size_t k = t.find("[V_1_2]\r\n") + 9;
  t.replace(k, t.find("\r\n", k) - k, "0.1;x;0;1;");
  const int ligne = LigneDe(t, k);
  const std::string chemin = Chemin("vertex.kvb");
  EcritFichier(chemin, t);
  TDocument doc;
  std::string erreur;
  EXPECT_FALSE(OuvrirFichier(doc, chemin, {}, &erreur));
  EXPECT_EQ(doc.NbSurf(), 0);
  EXPECT_TRUE(Messages.empty()) << ::testing::PrintToString(Messages);
  EXPECT_NE(erreur.find("Vertex - Str = 0;1;"), std::string::npos) << erreur;
  EXPECT_NE(erreur.find("(fichier " + chemin + ", ligne " + std::to_string(ligne) + ")"), std::string::npos)
      << erreur;
  TResultatLecture r = LitFichier(doc, chemin);
  EXPECT_TRUE(r.Refusee());
  ASSERT_FALSE(r.Constats.empty());
  EXPECT_EQ(r.Constats.back().Gravite, TGravite::Erreur);
  EXPECT_EQ(r.Constats.back().Ligne, ligne);
  EXPECT_EQ(r.Erreur(), erreur);
  // A missing file is an error with no line.
  TResultatLecture absent = LitFichier(doc, Chemin("absent.kvb"));
  EXPECT_TRUE(absent.Refusee());
  ASSERT_EQ(absent.Constats.size(), 1u);
  EXPECT_EQ(absent.Constats[0].Ligne, 0);
  EXPECT_EQ(absent.Erreur(), absent.Constats[0].Message);
  EXPECT_TRUE(Messages.empty()) << ::testing::PrintToString(Messages);
  EXPECT_FALSE(InstalleLecture(doc, absent));
  EXPECT_EQ(doc.NbSurf(), 0);
}

TEST_F(LectureErreurs, GridIsWrittenAndReadBack) {
  TDocument modele;
  Modele(modele);
  modele.Grille.NbLong = 2;
  modele.Grille.PosLong[0] = 0.5, modele.Grille.PosLong[1] = 1.0 / 3;
  modele.Grille.NbDiag = 2;
  modele.Grille.PosDiag[0] = -0.75, modele.Grille.AngleDiag[0] = 45;
  modele.Grille.PosDiag[1] = 0.1, modele.Grille.AngleDiag[1] = 60;
  const std::string t = TexteDocument(modele);
  size_t g = t.find("[GRILLE]\r\n");
  ASSERT_NE(g, std::string::npos);
  EXPECT_NE(t.find("[NumSc]\r\n2\r\n[LSe]\r\n0.250000;1.500000;-2.125000;\r\n", g), std::string::npos);
  EXPECT_NE(
      t.find(
          "[LLg]\r\n0.500000;0.333333;\r\n[LDg]\r\n-0.750000;0.100000;\r\n[LDgA]\r\n45.000000;60.000000;\r\n",
          g),
      std::string::npos);

  TDocument lu;
  ASSERT_TRUE(LitTexte(lu, t));
  EXPECT_EQ(lu.Grille.Positions(flSections), (std::vector<double>{0.25, 1.5, -2.125}));
  EXPECT_EQ(lu.Grille.NumSc, 2);
  EXPECT_EQ(lu.Grille.Positions(flLongitudinales), (std::vector<double>{0.5, 0.333333}));
  EXPECT_EQ(lu.Grille.PosLongSym[1], -0.333333);
  EXPECT_EQ(lu.Grille.AngleDiag[1], 60);
  EXPECT_EQ(lu.Grille.GrilleMin.Y, -2.125);
  EXPECT_EQ(lu.Grille.GrilleMax.Y, 1.5);
  // The surfaces' line tables follow the grid read.
  EXPECT_EQ(lu.Surf(0).Sec.size(), 3u);
  EXPECT_EQ(TexteDocument(lu), t);

  // A bad field keeps the values before it and says which list.
  std::string u = t;
  u.replace(u.find("-2.125000;", g), 10, "-2,1x;");
  TDocument lu2;
  ASSERT_TRUE(LitTexte(lu2, u));
  EXPECT_EQ(lu2.Grille.Positions(flSections), (std::vector<double>{0.25, 1.5}));
  EXPECT_TRUE(ConstatContient("GRILLE/LSE - Str = "));
  EXPECT_EQ(lu2.FichierLuAvecErreurs, "memoire.kvb");
}

TEST_F(LectureErreurs, DocumentWithoutGridGetsTheStandardSpacing) {
  // A box hull, mirrored about X = 0: half-breadth 1.2, from Y = -1 to 4, Z = -0.5 to 0.7.
  TDocument modele;
  TSurface& s = AjouteNurbs(modele, "Coque", 2, 2);
  s.Net.PC[0][0] = {0, -1, -0.5, 1}, s.Net.PC[0][1] = {0, 4, -0.5, 1};
  s.Net.PC[1][0] = {1.2, -1, 0.7, 1}, s.Net.PC[1][1] = {1.2, 4, 0.7, 1};
  s.Net.LFlex = s.Net.CFlex = 2;
  std::string t = TexteDocument(modele);
  // The samples' empty grid section: a header and its end.
  size_t g = t.find("[GRILLE]\r\n");
  t.erase(g + 10, t.find("[END]", g) - g - 10);
  TDocument lu;
  ASSERT_TRUE(LitTexte(lu, t, nullptr, true));
  // The extents the rule measures are single precision: 1e-5 on a few metres.
  ASSERT_EQ(lu.Grille.NbSec, 11);
  for (int i = 0; i < 11; i++) EXPECT_NEAR(lu.Grille.PosSec[i], -1 + i * 0.5, 1e-5) << i;
  ASSERT_EQ(lu.Grille.NbLE, 7);
  for (int i = 0; i < 7; i++) EXPECT_NEAR(lu.Grille.PosLgE[i], -0.5 + i * 0.2, 1e-5) << i;
  // Every buttock is also cut on the mirror side: they are spread over the half-breadth.
  ASSERT_EQ(lu.Grille.NbLong, 9);
  for (int i = 0; i < 9; i++) EXPECT_NEAR(lu.Grille.PosLong[i], i * 0.15, 1e-5) << i;
  // And every section cuts the hull.
  ASSERT_EQ(lu.Surf(0).Sec.size(), 11u);
  for (int i = 1; i < 10; i++) EXPECT_FALSE(lu.Surf(0).Sec[i].empty()) << i;

  // An unmirrored surface keeps the whole breadth, mirror half included.
  lu.Surf(0).Sym = false;
  lu.Surf(0).MarqueNonCalculee();
  MajSurface(lu, true, -1);
  AutoStand(lu, flLongitudinales);
  EXPECT_NEAR(lu.Grille.PosLong[0], 0, 1e-5);
  EXPECT_NEAR(lu.Grille.PosLong[8], 1.2, 1e-5);
  TSurface& mirroir = AjouteNurbs(lu, "Mirroir", 2, 2);
  mirroir.Sym = true;
  mirroir.Net.PC[0][0] = {0.5, 0, 0, 1}, mirroir.Net.PC[0][1] = {0.5, 1, 0, 1};
  mirroir.Net.PC[1][0] = {0.6, 0, 0.1, 1}, mirroir.Net.PC[1][1] = {0.6, 1, 0.1, 1};
  mirroir.Net.LFlex = mirroir.Net.CFlex = 2;
  MajSurface(lu, true, -1);
  AutoStand(lu, flLongitudinales);
  EXPECT_NEAR(lu.Grille.PosLong[0], -0.6, 1e-5);
  EXPECT_NEAR(lu.Grille.PosLong[8], 1.2, 1e-5);
}

}  // namespace
