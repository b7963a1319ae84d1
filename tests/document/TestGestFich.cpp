// Hull documents: what the writer writes, what the reader takes back (older
// versions and merging included), and how both treat a hostile or failing file.
#include <sys/resource.h>

#include <csignal>

#include "Outils.h"

namespace {

class GestFich : public TestAvecMessages {};

// A document exercising every kind of value the writer writes.
void DocumentComplet(TDocument& doc) {
  TSurface& s = AjouteNurbs(doc, "Coque", 3, 4);
  s.Coul = 255;
  s.Alpha = 0.75;
  s.Ambient = 0.3f, s.Specular = 0.5f, s.Shininess = 64, s.Emission = -0.25f;
  s.Orientation = false;
  s.JonctionSym = true;
  s.TypePoids = tpDensiteVolume;
  s.Epaisseur = 0.012, s.Densite = 1.025, s.PoidsParM2 = 6.5, s.Poids.Masse = 1234.5;
  s.Net.PC[1][2].W = 0.7071;
  s.Net.LFlex = 3, s.Net.CFlex = 4;
  s.PlanSym.Origine = {0, 1.5, 0};
  s.PlanSym.MajPlan();
  TDXFSurface& m = AjouteMesh(doc, "", 2, 3);
  m.Sym = false, m.Calc = false, m.Voile = true, m.Verrou = true;
  AjouteNurbs(doc, "Quille", 2, 2);
  doc.GroupesSoudes = {{{0, 2, 0}, {2, 0, 0}}, {{0, 2, 3}, {2, 1, 1}, {0, 0, 0}}};
  ReconstruitPCSoudes(doc);
  doc.Proprietes.Titre = "Côtre de 11 m";
  doc.Proprietes.Archi = "Atelier";
  doc.Proprietes.Societe = "Chantier";
  doc.Proprietes.Commentaire = {"première ligne", "", "fin; avec point-virgule"};
  doc.Vues[tvSection] = {10, 20, 100, 0, 0, 0};
  doc.ListePoids = {{"Lest", 800, 0, 5, -1.2, 0}, {"Équipage; deux", 150, 0.1, 3, 0.4, -1}};
}

TEST_F(GestFich, WriteReadWriteGivesTheSameLines) {
  TDocument doc;
  DocumentComplet(doc);
  const std::string t1 = TexteDocument(doc);
  TDocument lu;
  ASSERT_TRUE(LitTexte(lu, t1)) << (Messages.empty() ? "" : Messages[0]);
  EXPECT_EQ(TexteDocument(lu), t1);
  EXPECT_TRUE(Messages.empty());

  ASSERT_EQ(lu.NbSurf(), 3);
  const TSurface* s = lu.SurfNurbs(0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Nom, "Coque");
  EXPECT_EQ(s->Coul, 255);
  EXPECT_FALSE(s->Orientation);
  EXPECT_EQ(s->TypePoids, tpDensiteVolume);
  EXPECT_EQ(s->Poids.Masse, 1234.5);
  EXPECT_EQ(s->Shininess, 64.0f);
  EXPECT_EQ(s->Net.NbLn, 3);
  EXPECT_EQ(s->Net.NbCol, 4);
  EXPECT_EQ(s->Net.PC[1][2].W, 0.7071);
  EXPECT_EQ(s->Net.PC[2][3].Z, -1.5);
  EXPECT_EQ(s->Net.LFlex, 3);
  EXPECT_EQ(s->Net.CFlex, 4);
  EXPECT_EQ(s->PlanSym.D, 0.0);  // the plane was recomputed from origin and normal
  EXPECT_EQ(s->PlanSym.Origine.Y, 1.5);
  const TEntity& m = lu.Surf(1);
  EXPECT_FALSE(m.EstNurbs());
  EXPECT_EQ(m.Nom, "");
  EXPECT_EQ(m.NbLnPt, 2);
  EXPECT_EQ(m.NbColPt, 3);
  EXPECT_EQ(m.Pts[2][3].Y, 6.0);
  EXPECT_TRUE(m.Voile && m.Verrou && !m.Sym && !m.Calc);
  ASSERT_EQ(lu.GroupesSoudes.size(), 2u);
  EXPECT_EQ(lu.GroupesSoudes[1].size(), 3u);
  EXPECT_EQ(lu.PCSoudes.size(), 5u);
  EXPECT_EQ(lu.Proprietes, doc.Proprietes);
  // A separator in a weight's name would split its field list: it is written as "?".
  EXPECT_EQ(lu.ListePoids,
            (TListPoids{{"Lest", 800, 0, 5, -1.2, 0}, {"Équipage? deux", 150, 0.1, 3, 0.4, -1}}));
  EXPECT_EQ(lu.NomFichier, "memoire.kvb");
  EXPECT_FALSE(lu.Modifie);
}

TEST_F(GestFich, SurfaceSectionLayout) {
  TDocument doc;
  AjouteNurbs(doc, "Coque", 3, 4);
  AjouteMesh(doc, "Maille", 2, 3);
  TfichierStr w, f;
  ASSERT_TRUE(ConstruitFichier(doc, Toutes(doc), w));
  ASSERT_TRUE(f.ChargerTexte(w.Texte()));
  int p, n;
  ASSERT_TRUE(f.ChercherSection("SURF0", p, n));
  EXPECT_EQ(f.LireChaine("V_0_0", "", p, n), "0.0000;0.0000;-0.0000;1.0000;");
  EXPECT_EQ(f.LireChaine("V_2_3", "", p, n), "0.2000;1.5000;-1.5000;1.0000;");
  EXPECT_EQ(f.Ligne(f.LigneCourante + 1), "[LFlex]");  // right after the last vertex
  EXPECT_EQ(f.LireChaine("V_3_0", "absent", p, n), "absent");
  ASSERT_TRUE(f.ChercherSection("SURF1", p, n));
  EXPECT_EQ(f.LireChaine("Type", "", p, n), "MESH");
  EXPECT_EQ(f.LireChaine("V_2_3", "", p, n), "2.0000;6.0000;0.6250;");
  EXPECT_EQ(f.LireChaine("LFlex", "absent", p, n), "absent");
  int cles = 0;
  for (int i = p; i < p + n - 1; i++)
    if (f.Ligne(i).starts_with("[V_")) cles++;
  EXPECT_EQ(cles, 12);
  // The sections of a document without dimensions or weights are written empty.
  EXPECT_FALSE(f.ChercherSection("COTES", p, n));
  EXPECT_NE(f.Texte().find("[COTES]\r\n[END]\r\n"), std::string::npos);
}

// Writing a selection numbers the sections in writing order and keeps only the
// welds between the surfaces written.
TEST_F(GestFich, SelectionRenumbersSectionsAndWelds) {
  TDocument doc;
  AjouteNurbs(doc, "A", 2, 2);
  AjouteMesh(doc, "B", 1, 1);
  AjouteNurbs(doc, "C", 3, 3);
  doc.GroupesSoudes = {{{0, 1, 1}, {2, 2, 2}}, {{0, 0, 0}, {1, 0, 0}}, {{2, 0, 0}, {2, 5, 5}}};
  TfichierStr w, f;
  ASSERT_TRUE(ConstruitFichier(doc, {2, 0}, w));
  ASSERT_TRUE(f.ChargerTexte(w.Texte()));
  TDocument lu;
  ASSERT_TRUE(LitTexte(lu, f.Texte()));
  ASSERT_EQ(lu.NbSurf(), 2);
  EXPECT_EQ(lu.Surf(0).Nom, "C");
  EXPECT_EQ(lu.Surf(1).Nom, "A");
  int p, n;
  ASSERT_TRUE(f.ChercherSection("SURF0", p, n));
  EXPECT_EQ(f.LireEntier("Num", -1, p, n), 0);
  ASSERT_EQ(lu.GroupesSoudes.size(), 3u);
  EXPECT_EQ(lu.GroupesSoudes[0], (TListPC{{1, 1, 1}, {0, 2, 2}}));
  EXPECT_EQ(lu.GroupesSoudes[1], (TListPC{{1, 0, 0}}));  // the mesh member is gone
  EXPECT_EQ(lu.GroupesSoudes[2], (TListPC{{0, 0, 0}}));  // (5, 5) lies outside the net
}

TEST_F(GestFich, WriterNeverWritesCorruptingText) {
  TDocument doc;
  AjouteNurbs(doc, "[SURF1]\r\nNom", 2, 2).Net.PC[0][0].X = std::numeric_limits<double>::infinity();
  AjouteNurbs(doc, "  [END]", 2, 2);
  doc.Proprietes.Titre = "[MAIN]";
  doc.Proprietes.Commentaire = {"a¤b", "[c]", "d\ne"};
  const std::string t = TexteDocument(doc);
  TDocument lu;
  ASSERT_TRUE(LitTexte(lu, t));
  ASSERT_EQ(lu.NbSurf(), 2);
  EXPECT_EQ(lu.Surf(0).Nom, "(SURF1]  Nom");
  EXPECT_EQ(lu.Surf(1).Nom, "  (END]");
  EXPECT_EQ(lu.SurfNurbs(0)->Net.PC[0][0].X, 0.0);
  EXPECT_EQ(lu.Proprietes.Titre, "(MAIN]");
  EXPECT_EQ(lu.Proprietes.Commentaire, (std::vector<std::string>{"a?b", "[c]", "d e"}));
  // Once cleaned, the text is stable: what is read back and written again reads as itself,
  // byte for byte (the first text differs only by the infinite value, written "0").
  const std::string t2 = TexteDocument(lu);
  TDocument relu;
  ASSERT_TRUE(LitTexte(relu, t2));
  EXPECT_EQ(TexteDocument(relu), t2);
  EXPECT_EQ(relu.Surf(0).Nom, lu.Surf(0).Nom);
  EXPECT_EQ(relu.Proprietes.Commentaire, lu.Proprietes.Commentaire);
}

// Files of the older versions: read, write, read again gives the same lines.
TEST_F(GestFich, OlderVersionsReadAndUpgrade) {
  for (const char* nom : {"doc_v101.kvb", "doc_v102.kvb", "doc_v105.kvb", "doc_v107.kvb", "doc_v108.kvb",
                          "doc_sans_header.kvb"}) {
    SCOPED_TRACE(nom);
    TDocument a;
    ASSERT_TRUE(OuvrirFichier(a, std::string(BRIVANE_TEST_DATA) + "/" + nom, {.Evaluer = false}));
    const std::string t1 = TexteDocument(a);
    EXPECT_NE(t1.find("[Version]\r\n1.10\r\n"), std::string::npos);
    TDocument b;
    ASSERT_TRUE(LitTexte(b, t1));
    EXPECT_EQ(TexteDocument(b), t1);
  }
  EXPECT_TRUE(Messages.empty());
}

TEST_F(GestFich, OlderVersionRules) {
  TDocument d105;
  ASSERT_TRUE(OuvrirFichier(d105, std::string(BRIVANE_TEST_DATA) + "/doc_v105.kvb", {.Evaluer = false}));
  ASSERT_EQ(d105.NbSurf(), 2);
  EXPECT_TRUE(d105.Surf(0).EstNurbs() && d105.Surf(1).EstNurbs());
  EXPECT_FALSE(d105.Surf(0).Orientation);  // StabNeg 1
  EXPECT_TRUE(d105.Surf(1).Orientation);   // StabNeg absent
  EXPECT_EQ(d105.Proprietes.Societe, "");
  EXPECT_EQ(d105.Proprietes.Commentaire, (std::vector<std::string>{"première ligne", "seconde"}));
  EXPECT_EQ(d105.Surf(0).Coul, 255);
  EXPECT_EQ(d105.GroupesSoudes.size(), 1u);
  // The placements the file gives; the windows it does not name take their usual zoom.
  EXPECT_TRUE(d105.VuesLues);
  EXPECT_EQ(d105.Vues[tvSection].OrigineX, 10);
  EXPECT_EQ(d105.Vues[tvSection].OrigineY, 20);
  EXPECT_EQ(d105.Vues[tvPlan].Echelle, 50.0f);
  EXPECT_EQ(d105.Vues[tvProfil].Echelle, 100.0f);
  EXPECT_EQ(d105.ListePoids, (TListPoids{{"Moteur", 250, 0, 2, 0.3, 0}}));

  TDocument d102;
  ASSERT_TRUE(OuvrirFichier(d102, std::string(BRIVANE_TEST_DATA) + "/doc_v102.kvb", {.Evaluer = false}));
  EXPECT_EQ(d102.Surf(0).Alpha, 0.5);
  EXPECT_EQ(d102.SurfNurbs(0)->Net.PC[2][1].X, 0.5);
  EXPECT_EQ(d102.SurfNurbs(0)->Net.PC[2][1].Y, 1.5);
  EXPECT_EQ(d102.Proprietes.Titre, "Dériveur. version 2");
  EXPECT_EQ(d102.Proprietes.Commentaire, (std::vector<std::string>{"a.b", "c"}));

  TDocument d107;
  ASSERT_TRUE(OuvrirFichier(d107, std::string(BRIVANE_TEST_DATA) + "/doc_v107.kvb", {.Evaluer = false}));
  ASSERT_EQ(d107.NbSurf(), 2);
  EXPECT_FALSE(d107.Surf(0).EstNurbs());
  EXPECT_EQ(d107.Surf(0).NbColPt, 2);
  EXPECT_FALSE(d107.Surf(0).Orientation);
  EXPECT_EQ(d107.Proprietes.Societe, "");

  TDocument d108;
  ASSERT_TRUE(OuvrirFichier(d108, std::string(BRIVANE_TEST_DATA) + "/doc_v108.kvb", {.Evaluer = false}));
  EXPECT_FALSE(d108.Surf(0).Orientation);
  EXPECT_TRUE(d108.Surf(0).Voile);
  EXPECT_EQ(d108.Proprietes.Commentaire, (std::vector<std::string>{"x", "y"}));
}

// The reading of a document evaluates it and leaves a current vertex.
TEST_F(GestFich, ReadDocumentIsEvaluated) {
  TDocument doc;
  DocumentComplet(doc);
  doc.Surf(0).Verrou = true;
  TDocument lu;
  ASSERT_TRUE(LitTexte(lu, TexteDocument(doc), nullptr, true));
  for (int k = 0; k < lu.NbSurf(); k++) EXPECT_TRUE(lu.Surf(k).Calculee) << k;
  EXPECT_EQ(lu.PCCourant, (TPC{2, 0, 0}));  // surface 0 is locked, 1 is locked too
  EXPECT_EQ(lu.SurfNurbs(0)->Net.ColActive, -1);
  EXPECT_LT(lu.SurfYMin, lu.SurfYMax);
}

TEST_F(GestFich, MergeAppendsSurfacesAndShiftsWelds) {
  TDocument fichier;
  AjouteNurbs(fichier, "F0", 2, 2);
  AjouteNurbs(fichier, "F1", 3, 3);
  fichier.GroupesSoudes = {{{0, 1, 1}, {1, 2, 2}}};
  fichier.Proprietes.Titre = "Autre";
  fichier.Vues[tvSection] = {1, 1, 1, 0, 0, 0};
  fichier.ListePoids = {{"Lest B", 10, 0, 0, 0, 0}};
  const std::string t = TexteDocument(fichier);

  TDocument doc;
  AjouteNurbs(doc, "D0", 2, 2);
  AjouteNurbs(doc, "D1", 2, 2);
  doc.NomFichier = "ouvert.kvb";
  doc.Proprietes.Titre = "Ouvert";
  doc.ListePoids = {{"Lest A", 20, 0, 0, 0, 1}};
  doc.MarqueEnregistre();
  ASSERT_TRUE(LitTexte(doc, t));
  ASSERT_EQ(doc.NbSurf(), 4);
  EXPECT_EQ(doc.Surf(2).Nom, "F0");
  EXPECT_EQ(doc.Surf(3).NumSurf, 3);
  EXPECT_EQ(doc.SurfNurbs(3)->Net.NumSurf, 3);
  EXPECT_EQ(doc.GroupesSoudes[0], (TListPC{{2, 1, 1}, {3, 2, 2}}));
  EXPECT_EQ(doc.NomFichier, "ouvert.kvb");
  EXPECT_EQ(doc.Proprietes.Titre, "Ouvert");  // MAIN is not read when merging
  EXPECT_TRUE(doc.Modifie);
  EXPECT_FALSE(doc.VuesLues);  // the file's views are not taken
  EXPECT_EQ(doc.Vues[tvSection].Echelle, 0.0f);
  // The file's weights follow the open document's, attached to the surface they came with.
  EXPECT_EQ(doc.ListePoids, (TListPoids{{"Lest A", 20, 0, 0, 0, 1}, {"Lest B", 10, 0, 0, 0, 2}}));

  // A document of three takes only the file's first surface; welds to the other are dropped.
  TDocument trois;
  for (const char* n : {"A", "B", "C"}) AjouteNurbs(trois, n, 2, 2);
  ASSERT_TRUE(LitTexte(trois, t));
  EXPECT_EQ(trois.NbSurf(), 4);
  EXPECT_TRUE(ConstatContient("Nombre maximum de Surfaces ouvertes atteint"));
  EXPECT_TRUE(Messages.empty());
  ASSERT_EQ(trois.GroupesSoudes.size(), 1u);
  EXPECT_EQ(trois.GroupesSoudes[0], (TListPC{{3, 1, 1}}));
}

TEST_F(GestFich, FiveSurfacesReadFourAndDropTheWeldsOfTheFifth) {
  TDocument doc;
  for (int k = 0; k < 4; k++) AjouteNurbs(doc, "S" + std::to_string(k), 2, 2);
  doc.GroupesSoudes = {{{0, 0, 0}, {3, 1, 1}}};
  std::string t = TexteDocument(doc);
  // A fifth section and a weld to it, as another program could write.
  std::string surf4 = t.substr(t.find("[SURF3]"));
  surf4 = surf4.substr(0, surf4.find("[SOUDES]"));
  surf4.replace(0, 7, "[SURF4]");
  t.insert(t.find("[SOUDES]"), surf4);
  t.replace(t.find("[GpS_0]\r\n2"), 10, "[GpS_0]\r\n3");
  t.insert(t.find("[END]", t.find("[SOUDES]")), "[V_0_2]\r\n4;0;0;\r\n");
  TDocument lu;
  ASSERT_TRUE(LitTexte(lu, t));
  EXPECT_EQ(lu.NbSurf(), 4);
  // Found once, a warning: the four surfaces read can still be taken.
  EXPECT_EQ(NbConstats("Nombre maximum de Surfaces ouvertes atteint"), 1);
  EXPECT_TRUE(DerniereLecture().Partielle());
  EXPECT_TRUE(Messages.empty());
  ASSERT_EQ(lu.GroupesSoudes.size(), 1u);
  EXPECT_EQ(lu.GroupesSoudes[0].size(), 2u);
}

// Each hostile file ends in a clear error and leaves the open document as it was.
TEST_F(GestFich, HostileFilesLeaveTheOpenDocumentUntouched) {
  TDocument modele;
  AjouteNurbs(modele, "Coque", 3, 3);
  AjouteMesh(modele, "Maille", 1, 1);
  const std::string bon = TexteDocument(modele);
  auto remplace = [&](std::string_view avant, std::string_view apres, size_t depuis = 0) {
    std::string t = bon;
    size_t p = t.find(avant, depuis);
    EXPECT_NE(p, std::string::npos) << avant;
    if (p != std::string::npos) t.replace(p, avant.size(), apres);
    return t;
  };
  const size_t mesh = bon.find("[SURF1]");
  struct Cas {
    const char* Nom;
    std::string Texte;
    const char* Message;
  };
  const std::vector<Cas> cas = {
      {"NbL above 31", remplace("[NbL]\r\n3\r\n", "[NbL]\r\n32\r\n"), "NbL hors limites"},
      {"NbC negative", remplace("[NbC]\r\n3\r\n", "[NbC]\r\n-3\r\n"), "NbC hors limites"},
      {"NbC zero beside rows", remplace("[NbC]\r\n3\r\n", "[NbC]\r\n0\r\n"), "NbC hors limites"},
      {"order 7", remplace("[LFlex]\r\n3", "[LFlex]\r\n7"), "LFlex hors limites"},
      {"order 1", remplace("[CFlex]\r\n3", "[CFlex]\r\n1"), "CFlex hors limites"},
      {"weight model 5", remplace("[TypePoids]\r\n1", "[TypePoids]\r\n5"), "TypePoids hors limites"},
      {"unknown type", remplace("SNURBS", "BLOB"), "type de surface inconnu"},
      {"mesh of 202 rows", remplace("[NbL]\r\n1\r\n", "[NbL]\r\n201\r\n", mesh), "NbL hors limites"},
      {"mesh negative", remplace("[NbC]\r\n1\r\n", "[NbC]\r\n-1\r\n", mesh), "NbC hors limites"},
      {"nan vertex", remplace("[V_1_1]\r\n0.1000", "[V_1_1]\r\nnan"), "Vertex - Str = "},
      {"infinite vertex", remplace("[V_1_1]\r\n0.1000", "[V_1_1]\r\n1e999"), "Vertex - Str = "},
      {"vertex without weight", remplace(";-0.2500;1.0000;", ";-0.2500;"), "Vertex - Str = "},
      {"missing vertex", remplace("[V_2_2]", "[W_2_2]"), "Vertex - Str = "},
      {"vertex value in next section",
       bon.substr(0, bon.find("[V_0_0]")) + "[V_0_0]\r\n[END]\r\n\r\n[SURF9]\r\n0;0;0;1;\r\n",
       "Vertex - Str = "},
      {"truncated without END", bon.substr(0, bon.find("[V_2_2]") + 9), "Vertex - Str = "},
      {"no section at all", "du texte\r\nsans section\r\n", "aucune section"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.Nom);
    TDocument doc;
    AjouteNurbs(doc, "Ouverte", 2, 2);
    doc.NomFichier = "ouvert.kvb";
    doc.MarqueEnregistre();
    const TEmpreinte avant = Empreinte(doc);
    Messages.clear();
    std::string err;
    EXPECT_FALSE(LitTexte(doc, c.Texte, &err));
    EXPECT_NE(err.find(c.Message), std::string::npos) << err;
    // The reader shows nothing: the caller gets the error, as the one finding of its kind.
    EXPECT_TRUE(Messages.empty()) << ::testing::PrintToString(Messages);
    EXPECT_TRUE(DerniereLecture().Refusee());
    EXPECT_EQ(DerniereLecture().Erreur(), err);
    EXPECT_EQ(Empreinte(doc), avant);
    // Opening into an empty document fails the same way and leaves it empty and nameless.
    TDocument vide;
    EXPECT_FALSE(LitTexte(vide, c.Texte));
    EXPECT_EQ(vide.NbSurf(), 0);
    EXPECT_EQ(vide.NomFichier, "");
  }
}

TEST_F(GestFich, RecoverableDefectsAreDroppedCleanly) {
  TDocument modele;
  AjouteNurbs(modele, "A", 2, 2);
  AjouteNurbs(modele, "B", 2, 2);
  AjouteNurbs(modele, "C", 2, 2);
  modele.GroupesSoudes = {{{0, 0, 0}, {1, 1, 1}}};
  std::string t = TexteDocument(modele);
  // Surface B has no vertex at all: it and those after it are dropped.
  size_t b = t.find("[SURF1]");
  t.replace(t.find("[NbL]\r\n2", b), 9, "[NbL]\r\n0");
  t.replace(t.find("[NbC]\r\n2", b), 9, "[NbC]\r\n0");
  // Weld members naming no vertex read: an unread surface, a vertex outside its net, negatives.
  t.replace(t.find("[GpS_0]\r\n2"), 10, "[GpS_0]\r\n5");
  t.insert(t.find("[END]", t.find("[SOUDES]")),
           "[V_0_2]\r\n0;2;0;\r\n[V_0_3]\r\n0;-1;0;\r\n[V_0_4]\r\n0;1;0;\r\n");
  t.replace(t.find("[PlanS]\r\n0.0000"), 15, "[PlanS]\r\nabc");
  TDocument lu;
  ASSERT_TRUE(LitTexte(lu, t));
  EXPECT_EQ(lu.NbSurf(), 1);
  EXPECT_TRUE(ConstatContient("NbVxi & NbVxj <=0 - Surf1"));
  EXPECT_TRUE(ConstatContient("SURF/PlanS - Str =abc"));
  EXPECT_TRUE(ConstatContient("3 vertex soudés"));
  EXPECT_EQ(lu.Surf(0).PlanSym.Axe1.X, 1.0);
  ASSERT_EQ(lu.GroupesSoudes.size(), 1u);
  EXPECT_EQ(lu.GroupesSoudes[0], (TListPC{{0, 0, 0}, {0, 1, 0}}));
  // An unreadable member ends its group; an enormous group count costs nothing.
  std::string u = TexteDocument(modele);
  u.replace(u.find("[NbGp]\r\n1"), 9, "[NbGp]\r\n2000000000");
  u.replace(u.find("0;0;0;"), 6, "0;x;0;");
  Messages.clear();
  TDocument lu2;
  ASSERT_TRUE(LitTexte(lu2, u));
  EXPECT_TRUE(lu2.GroupesSoudes.empty());
  EXPECT_TRUE(ConstatContient("SOUDES - Str =0;x;0;"));
}

TEST_F(GestFich, SaveMakesABackupAndMarksSaved) {
  TDocument doc;
  AjouteNurbs(doc, "Coque", 2, 2);
  doc.NomFichier = Chemin("coque.kvb");
  doc.MarqueModifie();
  ASSERT_TRUE(EnregistrerFichierAll(doc));
  EXPECT_FALSE(doc.Modifie);
  const std::string premier = LitFichier(doc.NomFichier);
  doc.Surf(0).Nom = "Coque 2";
  doc.MarqueModifie();
  ASSERT_TRUE(EnregistrerFichierAll(doc));
  EXPECT_EQ(LitFichier(doc.NomFichier + ".bak"), premier);
  EXPECT_NE(LitFichier(doc.NomFichier).find("Coque 2"), std::string::npos);
  // A selection written to another file leaves the document's state alone.
  doc.MarqueModifie();
  ASSERT_TRUE(EnregistrerFichier(doc, {0}, Chemin("autre.kvb")));
  EXPECT_TRUE(doc.Modifie);
}

TEST_F(GestFich, RecoverySaveKeepsNameAndModifiedState) {
  TDocument doc;
  AjouteNurbs(doc, "Coque", 2, 2);
  doc.NomFichier = Chemin("coque.kvb");
  doc.MarqueModifie();
  auto ancien = std::filesystem::current_path();
  std::filesystem::current_path(Dossier);
  bool ok = EnregistrerFichierAll(doc, true);
  std::filesystem::current_path(ancien);
  ASSERT_TRUE(ok);
  EXPECT_TRUE(std::filesystem::exists(Dossier / "recovery.kvb"));
  EXPECT_EQ(doc.NomFichier, Chemin("coque.kvb"));
  EXPECT_TRUE(doc.Modifie);
}

TEST_F(GestFich, FailedSaveKeepsThePreviousFileAndSaysSo) {
  TDocument doc;
  AjouteNurbs(doc, "Coque", 31, 31);
  doc.NomFichier = Chemin("coque.kvb");
  const std::string ancien = Lignes({"[HEADER]", "[Version]", "1.10", "[END]"});
  EcritFichier(doc.NomFichier, ancien);
  doc.MarqueModifie();
  // The disk fills up during the write.
  auto h = std::signal(SIGXFSZ, SIG_IGN);
  rlimit r{};
  getrlimit(RLIMIT_FSIZE, &r);
  rlimit petite = r;
  petite.rlim_cur = 16384;
  setrlimit(RLIMIT_FSIZE, &petite);
  std::string err;
  bool ok = EnregistrerFichierAll(doc, false, &err);
  setrlimit(RLIMIT_FSIZE, &r);
  std::signal(SIGXFSZ, h);
  EXPECT_FALSE(ok);
  EXPECT_TRUE(doc.Modifie);
  EXPECT_EQ(LitFichier(doc.NomFichier), ancien);
  // The caller that takes the reason is the one to show it.
  EXPECT_TRUE(Messages.empty());
  EXPECT_NE(err.find("Le fichier précédent est intact"), std::string::npos);
  // A surface the reader would refuse is never written.
  doc.SurfNurbs(0)->Net.LFlex = 9;
  Messages.clear();
  EXPECT_FALSE(EnregistrerFichierAll(doc, false, &err));
  EXPECT_NE(err.find("LFlex"), std::string::npos);
  EXPECT_EQ(LitFichier(doc.NomFichier), ancien);
  EXPECT_TRUE(doc.Modifie);
}

TEST_F(GestFich, MissingFileLeavesTheDocument) {
  TDocument doc;
  AjouteNurbs(doc, "Coque", 2, 2);
  doc.NomFichier = "ouvert.kvb";
  const TEmpreinte avant = Empreinte(doc);
  std::string err;
  EXPECT_FALSE(OuvrirFichier(doc, Chemin("absent.kvb"), {}, &err));
  EXPECT_EQ(err, "Fichier " + Chemin("absent.kvb") + " inexistant");
  EXPECT_EQ(Empreinte(doc), avant);
}

}  // namespace
