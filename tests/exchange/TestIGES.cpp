// The IGES export: exact lines of small cases, the columns, sequence numbers and
// pointers of every file, and the surfaces rebuilt from the file's own numbers.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>

#include "Aides.h"
#include "document/GestFich.h"
#include "exchange/ExportIGES.h"
#include "geometry/Nurbs.h"

using namespace aides_export;

namespace {

// 2026-12-09 15:11:00 UTC.
constexpr std::time_t Instant = 1796829060;

TOptionsExport OptionsIGES(bool couleurs = false) {
  TOptionsExport o;
  o.Nurbs = true;
  o.Couleurs = couleurs;
  o.Horloge = [] { return Instant; };
  return o;
}

struct TFuseau {
  TFuseau() {
    setenv("TZ", "UTC", 1);
    tzset();
  }
};

struct TEntreeDE {
  int Type = 0, PointeurP = 0, NbP = 0, Couleur = 0, Indice = 0, Seq = 0;
  std::string Statut, Etiquette;
};

struct TFichierIGES {
  std::map<char, std::vector<std::string>> Sections;  // columns 1-72
  std::vector<TEntreeDE> DE;
  std::map<int, std::string> Parametres;  // DE sequence -> parameter text (columns 1-64 joined)
};

std::string Champ(const std::string& l, int i) {
  std::string s = l.substr(size_t(i) * 8, 8);
  return s.substr(s.find_first_not_of(' ') == std::string::npos ? 8 : s.find_first_not_of(' '));
}

// Checks the fixed form and reads the file back; the first fault found goes to the failure.
TFichierIGES VerifieIGES(const std::string& texte) {
  TFichierIGES f;
  bool crlf = false;
  std::vector<std::string> lignes = Coupe(texte, &crlf);
  EXPECT_TRUE(crlf) << "every line ends with CR LF";
  const std::string ordre = "SGDPT";
  size_t rang = 0;
  std::map<char, int> seq;
  for (const auto& l : lignes) {
    EXPECT_EQ(l.size(), 80u) << l;
    if (l.size() != 80) return f;
    for (char c : l) EXPECT_TRUE(c >= 32 && c < 127) << "not ASCII: " << l;
    char s = l[72];
    size_t p = ordre.find(s);
    EXPECT_NE(p, std::string::npos) << l;
    EXPECT_GE(p, rang) << "section out of order: " << l;
    rang = p;
    EXPECT_EQ(std::stoi(l.substr(73)), ++seq[s]) << l;
    EXPECT_EQ(l.substr(73).find_first_not_of(' '), l.substr(73).find_first_of("0123456789")) << l;
    f.Sections[s].push_back(l.substr(0, 72));
  }
  EXPECT_EQ(f.Sections['T'].size(), 1u);
  char t[40];
  std::snprintf(t, sizeof t, "S%07dG%07dD%07dP%07d", seq['S'], seq['G'], seq['D'], seq['P']);
  EXPECT_EQ(f.Sections['T'][0], std::string(t) + std::string(40, ' '));
  const auto& d = f.Sections['D'];
  EXPECT_EQ(d.size() % 2, 0u);
  int attenduP = 1;
  for (size_t i = 0; i + 1 < d.size(); i += 2) {
    TEntreeDE e;
    e.Seq = int(i) + 1;
    e.Type = std::stoi(Champ(d[i], 0));
    EXPECT_EQ(std::stoi(Champ(d[i + 1], 0)), e.Type);
    e.PointeurP = std::stoi(Champ(d[i], 1));
    e.Statut = Champ(d[i], 8);
    e.Couleur = std::stoi(Champ(d[i + 1], 2));
    e.NbP = std::stoi(Champ(d[i + 1], 3));
    e.Etiquette = Champ(d[i + 1], 7);
    e.Indice = std::stoi(Champ(d[i + 1], 8));
    EXPECT_EQ(e.PointeurP, attenduP) << "parameter pointer of DE " << e.Seq;
    attenduP += e.NbP;
    f.DE.push_back(e);
  }
  const auto& p = f.Sections['P'];
  EXPECT_EQ(int(p.size()), attenduP - 1);
  for (const auto& e : f.DE) {
    std::string texte;
    for (int k = 0; k < e.NbP && e.PointeurP - 1 + k < int(p.size()); k++) {
      const std::string& l = p[size_t(e.PointeurP - 1 + k)];
      EXPECT_EQ(l[64], ' ');
      char de[8];
      std::snprintf(de, sizeof de, "%07d", e.Seq);
      EXPECT_EQ(l.substr(65, 7), de) << "DE pointer of " << l;
      std::string donnees = l.substr(0, 64);
      texte += donnees.substr(0, donnees.find_last_not_of(' ') + 1);
    }
    EXPECT_EQ(texte.substr(0, texte.find(',')), std::to_string(e.Type));
    EXPECT_EQ(texte.back(), ';');
    f.Parametres[e.Seq] = texte;
    // A colour pointer names the first line of a colour definition.
    if (e.Couleur < 0) {
      size_t k = size_t(-e.Couleur - 1) / 2;
      EXPECT_LT(k, f.DE.size());
      if (k < f.DE.size()) {
        EXPECT_EQ(f.DE[k].Type, 314);
      }
      EXPECT_EQ(-e.Couleur % 2, 1);
    }
  }
  return f;
}

std::vector<double> Nombres(const std::string& t) {
  std::vector<double> v;
  std::stringstream ss(t);
  std::string x;
  while (std::getline(ss, x, ',')) {
    if (!x.empty() && x.back() == ';') x.pop_back();
    v.push_back(std::stod(x));
  }
  return v;
}

// Basis function i of order k at u (Cox - de Boor), with the last span closed at its end.
double Base(const std::vector<double>& t, int i, int k, double u) {
  if (k == 1) {
    const double fin = t.back();
    if (u == fin) return t[i] < fin && t[i + 1] == fin ? 1 : 0;
    return t[i] <= u && u < t[i + 1] ? 1 : 0;
  }
  double a = 0, b = 0;
  if (t[i + k - 1] > t[i]) a = (u - t[i]) / (t[i + k - 1] - t[i]) * Base(t, i, k - 1, u);
  if (t[i + k] > t[i + 1]) b = (t[i + k] - u) / (t[i + k] - t[i + 1]) * Base(t, i + 1, k - 1, u);
  return a + b;
}

// The point of an entity 128 read from its parameters at (s, t) of its own two directions.
struct TSurface128 {
  int K1 = 0, K2 = 0, M1 = 0, M2 = 0;
  std::vector<double> T1, T2, W;
  std::vector<TVertex3f> P;
  explicit TSurface128(const std::string& texte) {
    std::vector<double> v = Nombres(texte);
    size_t i = 1;
    K1 = int(v[i++]), K2 = int(v[i++]), M1 = int(v[i++]), M2 = int(v[i++]);
    for (int f = 0; f < 5; f++) EXPECT_EQ(v[i++], 0) << "flag " << f;
    for (int k = 0; k < K1 + M1 + 2; k++) T1.push_back(v[i++]);
    for (int k = 0; k < K2 + M2 + 2; k++) T2.push_back(v[i++]);
    const int n = (K1 + 1) * (K2 + 1);
    for (int k = 0; k < n; k++) W.push_back(v[i++]);
    for (int k = 0; k < n; k++, i += 3) P.push_back({v[i], v[i + 1], v[i + 2]});
    EXPECT_EQ(v.size(), i + 4);
  }
  TVertex3f Point(double s, double t) const {
    TVertex3f num{};
    double den = 0;
    for (int j = 0; j <= K2; j++)
      for (int i = 0; i <= K1; i++) {
        double b = Base(T1, i, M1 + 1, s) * Base(T2, j, M2 + 1, t) * W[size_t(j * (K1 + 1) + i)];
        const TVertex3f& p = P[size_t(j * (K1 + 1) + i)];
        num = {num.X + b * p.X, num.Y + b * p.Y, num.Z + b * p.Z};
        den += b;
      }
    return {num.X / den, num.Y / den, num.Z / den};
  }
};

std::string TexteIGES(const TDocument& doc, const TOptionsExport& o, TResultatExport* r = nullptr) {
  std::string t;
  for (const auto& l : LignesIGES(doc, o, r)) t += l + "\r\n";
  return t;
}

std::string LigneP(const std::string& donnees, int de, int seq) {
  char b[96];
  std::snprintf(b, sizeof b, "%-64s %07dP%7d", donnees.c_str(), de, seq);
  return b;
}

}  // namespace

TEST(ExportIGES, EmptyDocumentHasOnlyStartGlobalAndTerminate) {
  TFuseau utc;
  TDocument doc;
  doc.Vider();
  const std::string texte = TexteIGES(doc, OptionsIGES());
  TFichierIGES f = VerifieIGES(texte);
  ASSERT_EQ(f.Sections['S'].size(), 2u);
  const std::string s1 = "IGS File Output Containing Brivane Created NURBS,";
  EXPECT_EQ(f.Sections['S'][0], s1 + std::string(72 - s1.size(), ' '));
  EXPECT_EQ(f.Sections['T'][0], "S0000002G0000002D0000000P0000000" + std::string(40, ' '));
  std::string global;
  for (const auto& l : f.Sections['G']) global += l.substr(0, l.find_last_not_of(' ') + 1);
  EXPECT_EQ(global,
            "1H,,1H;,12HBrivane v1.0,,12HBrivane v1.0,1H1,32,38,7,308,15,,1.0D0,6,1HM,1,0.254D0,"
            "13H261209.151100,0.001D0,0.000D0,,,10,0,13H261209.151100;");
  EXPECT_TRUE(f.DE.empty());
}

TEST(ExportIGES, NetOfFourRowsAndFiveColumnsGivesTheseParameterLines) {
  TFuseau utc;
  TDocument doc;
  doc.Vider();
  AjouteNet(doc, "Coque", 4, 5, 4, 4).Sym = false;
  MajSurface(doc, true, -1);
  const std::vector<std::string> l = Coupe(TexteIGES(doc, OptionsIGES()));
  size_t p = 0;
  while (p < l.size() && l[p][72] != 'P') p++;
  ASSERT_LT(p + 8, l.size());
  const std::string un = "1.0000,", zero = "0.0000,";
  EXPECT_EQ(l[p], LigneP("128,4,3,3,3,0,0,0,0,0,", 1, 1));
  EXPECT_EQ(l[p + 1], LigneP(zero + zero + zero + zero + "0.5000," + un + un + un + un, 1, 2));
  EXPECT_EQ(l[p + 2], LigneP(zero + zero + zero + zero + un + un + un + un, 1, 3));
  std::string neuf;
  for (int i = 0; i < 9; i++) neuf += un;
  EXPECT_EQ(l[p + 3], LigneP(neuf, 1, 4));
  EXPECT_EQ(l[p + 4], LigneP(neuf, 1, 5));
  EXPECT_EQ(l[p + 5], LigneP(un + un, 1, 6));
  // Vertex (0, 0), (0, 1), (0, 2), the first column varying fastest.
  EXPECT_EQ(l[p + 6], LigneP("0.1000,0.0000,0.0000,0.1000,1.0000,0.0000,0.1000,2.0000,0.0000,", 1, 7));
  EXPECT_EQ(l[l.size() - 2], LigneP("0.0,1.0,0.0,1.0;", 1, int(l.size() - 1 - p)));
  TFichierIGES f = VerifieIGES(TexteIGES(doc, OptionsIGES()));
  ASSERT_EQ(f.DE.size(), 1u);
  EXPECT_EQ(f.DE[0].Statut, "00000000");
  EXPECT_EQ(f.DE[0].Couleur, 1);
  EXPECT_EQ(f.DE[0].Etiquette, "Coque");
}

TEST(ExportIGES, OrdersAboveTheVertexCountAreLoweredAndSingleRowsAreCurves) {
  TFuseau utc;
  TDocument doc;
  doc.Vider();
  AjouteNet(doc, "Trois", 3, 5, 4, 4).Sym = false;
  AjouteNet(doc, "Ligne", 1, 6, 4, 4).Sym = false;
  AjouteNet(doc, "Colonne", 4, 1, 3, 4).Sym = false;
  MajSurface(doc, true, -1);
  TFichierIGES f = VerifieIGES(TexteIGES(doc, OptionsIGES()));
  ASSERT_EQ(f.DE.size(), 3u);
  std::vector<double> a = Nombres(f.Parametres[1]);
  EXPECT_EQ(std::vector<double>(a.begin(), a.begin() + 10),
            (std::vector<double>{128, 4, 2, 3, 2, 0, 0, 0, 0, 0}));
  // tV of 9 values, then tU of 3 + 3: the order 4 across 3 rows is written as degree 2.
  EXPECT_EQ(std::vector<double>(a.begin() + 19, a.begin() + 25), (std::vector<double>{0, 0, 0, 1, 1, 1}));
  std::vector<double> c = Nombres(f.Parametres[3]);
  EXPECT_EQ(f.DE[1].Type, 126);
  EXPECT_EQ(std::vector<double>(c.begin(), c.begin() + 7), (std::vector<double>{126, 5, 3, 0, 0, 0, 0}));
  EXPECT_EQ(c.size(), 7u + 10 + 6 + 18 + 5);
  EXPECT_EQ(std::vector<double>(c.end() - 5, c.end()), (std::vector<double>{0, 1, 0, 0, 0}));
  std::vector<double> k = Nombres(f.Parametres[5]);
  // A single column runs along the rows: order 3, 4 points, its x growing by 0.5.
  EXPECT_EQ(std::vector<double>(k.begin(), k.begin() + 7), (std::vector<double>{126, 3, 2, 0, 0, 0, 0}));
  EXPECT_DOUBLE_EQ(k[7 + 7 + 4 + 3], 0.6);
}

TEST(ExportIGES, SymmetricSurfacesWriteTheirMirrorAndColoursPointAtTheirDefinition) {
  TFuseau utc;
  TDocument doc;
  doc.Vider();
  TSurface& s = AjouteNet(doc, "Bordé extérieur", 3, 3, 3, 3);
  s.Coul = 255;
  TSurface& n = AjouteNet(doc, "Noir", 2, 2, 2, 2);
  n.Coul = 0;
  n.Sym = false;
  AjouteNet(doc, "Blanc", 2, 2, 2, 2).Sym = false;
  MajSurface(doc, true, -1);
  TFichierIGES f = VerifieIGES(TexteIGES(doc, OptionsIGES(true)));
  ASSERT_EQ(f.DE.size(), 7u);
  std::vector<int> types;
  for (const auto& e : f.DE) types.push_back(e.Type);
  EXPECT_EQ(types, (std::vector<int>{314, 128, 128, 314, 128, 314, 128}));
  EXPECT_EQ(f.Parametres[1], "314,100.0000,0.0000,0.0000,12HRGB(255,0,0);");
  EXPECT_EQ(f.Parametres[7], "314,0.0000,0.0000,0.0000,10HRGB(0,0,0);");
  EXPECT_EQ(f.Parametres[11], "314,100.0000,100.0000,100.0000,16HRGB(255,255,255);");
  EXPECT_EQ(f.DE[0].Statut, "00000200");
  EXPECT_EQ(f.DE[0].Etiquette, "COLOR");
  // The name is cut to 8 letters after losing its accent; the mirror keeps it.
  EXPECT_EQ(f.DE[1].Etiquette, "Borde ex");
  EXPECT_EQ(f.DE[2].Etiquette, "Borde ex");
  EXPECT_EQ(f.DE[1].Couleur, -1);
  EXPECT_EQ(f.DE[2].Couleur, -1);
  EXPECT_EQ(f.DE[4].Couleur, -7);
  EXPECT_EQ(f.DE[6].Indice, 2);
  // The mirror in the plane x = 0: x changes sign, y and z stay.
  TSurface128 a(f.Parametres[3]), m(f.Parametres[5]);
  for (size_t i = 0; i < a.P.size(); i++) {
    EXPECT_EQ(m.P[i].X, -a.P[i].X);
    EXPECT_EQ(m.P[i].Y, a.P[i].Y);
  }
}

TEST(ExportIGES, HeaderTextsAreAsciiHollerithsAndLongOnesRunOverLines) {
  TFuseau utc;
  TDocument doc;
  doc.Vider();
  doc.Proprietes.Titre = "Côtre de croisière";
  doc.Proprietes.Archi = std::string(90, 'a') + ",b";
  const std::string texte = TexteIGES(doc, OptionsIGES());
  TFichierIGES f = VerifieIGES(texte);
  std::string start, global;
  for (const auto& l : f.Sections['S']) start += l.substr(0, l.find_last_not_of(' ') + 1);
  EXPECT_NE(start.find(", Title : Cotre de croisiere"), std::string::npos) << start;
  for (const auto& l : f.Sections['G']) global += l;
  EXPECT_NE(global.find("92H" + std::string(72 - global.find("92H") % 72 - 3, 'a')), std::string::npos);
  EXPECT_EQ(Hollerith("Bordé"), "5HBorde");
  EXPECT_EQ(Hollerith(""), "");
  EXPECT_EQ(TexteAscii("Œuvre ß x\ty"), "OEuvre ss x y");
  for (const auto& l : EmballeIGES(std::string(200, 'x') + ",1,", 64)) EXPECT_LE(l.size(), 64u);
}

TEST(ExportIGES, NetsWithAWeightAtOrBelowZeroAreLeftOutWithAMessage) {
  TFuseau utc;
  TDocument doc;
  doc.Vider();
  AjouteNet(doc, "Quille", 3, 3, 3, 3).Net.PC[1][1].W = 0;
  AjouteNet(doc, "Coque", 3, 3, 3, 3).Sym = false;
  MajSurface(doc, true, -1);
  TResultatExport r;
  TFichierIGES f = VerifieIGES(TexteIGES(doc, OptionsIGES(), &r));
  ASSERT_EQ(f.DE.size(), 1u);
  EXPECT_EQ(f.DE[0].Etiquette, "Coque");
  ASSERT_EQ(r.Messages.size(), 1u);
  EXPECT_NE(r.Messages[0].find("Quille"), std::string::npos);
}

// Each sample's surfaces, as evaluated by the program, equal those rebuilt from the
// file's knots, weights and vertices, written with every digit they need (four decimals
// moved the sloop's hull by 0.3 mm through its rounded interior knots).
TEST(ExportIGES, SamplesPassTheCheckerAndRebuildFromTheirParameters) {
  TFuseau utc;
  for (const char* nom : {"Voilier11.kvb", "Deriveur42.kvb", "Vedette85.kvb"}) {
    SCOPED_TRACE(nom);
    TDocument doc;
    ASSERT_TRUE(OuvrirFichier(doc, std::string(BRIVANE_SAMPLES) + "/" + nom));
    MajSurface(doc, true, -1);
    TFichierIGES f = VerifieIGES(TexteIGES(doc, OptionsIGES(true)));
    size_t de = 0;
    int vus = 0;
    for (const auto& s : doc.TabSurf) {
      if (!s->Visible || !s->EstNurbs()) continue;
      const auto& n = static_cast<const TSurface&>(*s);
      ASSERT_LT(de, f.DE.size());
      EXPECT_EQ(f.DE[de].Type, 314);
      de++;
      for (bool miroir : {false, true}) {
        if (miroir && !n.Sym) break;
        ASSERT_LT(de, f.DE.size());
        const TEntreeDE& e = f.DE[de++];
        if (e.Type != 128) continue;
        TSurface128 g(f.Parametres[e.Seq]);
        const int N = n.NbLnPt, M = n.NbColPt;
        double ecart = 0;
        for (int i = 1; i < N; i += 3)
          for (int j = 1; j < M; j += 3) {
            TVertex3f p = g.Point(double(j) / M, double(i) / N);
            const TVertex3f& q = miroir ? n.PtsSym[N - i][j] : n.Pts[i][j];
            ecart = std::max(ecart, Distance3D(p, q));
          }
        EXPECT_LT(ecart, 1e-9) << n.Nom << (miroir ? " mirror" : "");
        vus++;
      }
    }
    EXPECT_EQ(de, f.DE.size());
    EXPECT_GT(vus, 0);
  }
}

namespace {

// The Global section's parameters as a reader of the format sees them: columns 1-72
// joined, "," between parameters, ";" at the end, a string counted by its "nH".
std::vector<std::string> ParametresGlobaux(const std::string& texte, std::string& faute) {
  std::string g;
  for (const auto& l : Coupe(texte))
    if (l.size() == 80 && l[72] == 'G') g += l.substr(0, 72);
  std::vector<std::string> p;
  size_t i = 0;
  while (i < g.size()) {
    // The blanks that end a line between two parameters belong to neither.
    while (i < g.size() && g[i] == ' ') i++;
    size_t j = i;
    while (j < g.size() && std::isdigit(static_cast<unsigned char>(g[j]))) j++;
    std::string v;
    if (j > i && j < g.size() && g[j] == 'H') {
      const size_t n = std::stoul(g.substr(i, j - i));
      v = g.substr(j + 1, n);
      i = j + 1 + n;
    } else {
      const size_t k = g.find_first_of(",;", i);
      v = g.substr(i, k - i);
      i = k == std::string::npos ? g.size() : k;
    }
    p.push_back(v);
    if (i >= g.size()) {
      faute = "no delimiter after parameter " + std::to_string(p.size());
      return p;
    }
    const char d = g[i++];
    if (d == ';') {
      if (g.find_first_not_of(' ', i) != std::string::npos) faute = "text after the record delimiter";
      return p;
    }
    if (d != ',') {
      faute = "parameter " + std::to_string(p.size()) + " followed by '" + std::string(1, d) + "'";
      return p;
    }
  }
  faute = "no record delimiter";
  return p;
}

struct TLectureOCC {
  int Code = -1;
  std::map<std::string, std::string> Entete;  // first word -> rest of the line
  std::vector<std::string> Echecs;
  std::map<int, std::map<std::pair<int, int>, TVertex3f>> Points;  // surface -> (i, j) -> point
};

// What OpenCASCADE reads of a file: its Global section, its faults, sampled points.
TLectureOCC LitAvecOCC(const std::string& fichier, int n1 = 0, int n2 = 0) {
  TLectureOCC r;
#ifdef BRIVANE_LECTEUR_IGES
  std::string cmd = std::string(BRIVANE_LECTEUR_IGES) + " '" + fichier + "' " + std::to_string(n1) + " " +
                    std::to_string(n2) + " 2>/dev/null";
  FILE* f = popen(cmd.c_str(), "r");
  if (!f) return r;
  std::string sortie;
  char b[4096];
  size_t n;
  while ((n = fread(b, 1, sizeof b, f)) > 0) sortie.append(b, n);
  const int st = pclose(f);
  r.Code = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  std::stringstream ss(sortie);
  std::string l;
  while (std::getline(ss, l)) {
    const std::string mot = l.substr(0, l.find(' '));
    const std::string reste = l.size() > mot.size() ? l.substr(mot.size() + 1) : "";
    if (mot == "echec") {
      r.Echecs.push_back(reste);
    } else if (mot == "point") {
      std::stringstream p(reste);
      int s, i, j;
      TVertex3f v;
      p >> s >> i >> j >> v.X >> v.Y >> v.Z;
      r.Points[s][{i, j}] = v;
    } else {
      r.Entete[mot] = reste;
    }
  }
#else
  (void)fichier, (void)n1, (void)n2;
#endif
  return r;
}

bool OCCPresent() {
#ifdef BRIVANE_LECTEUR_IGES
  return true;
#else
  return false;
#endif
}

}  // namespace

// A comma, a quote or a semicolon in a name is text of its string: the line breaks of
// the Global section fall between parameters, and a string longer than a line runs
// on over whole lines, so every parameter after it keeps its place (metres stay metres).
TEST(ExportIGES, NamesFullOfCommasKeepTheGlobalParametersInPlace) {
  TFuseau utc;
  TDocument doc;
  doc.Vider();
  AjouteNet(doc, "Coque", 3, 3, 3, 3).Sym = false;
  MajSurface(doc, true, -1);
  std::string nom;
  while (nom.size() < 176) nom += "a,b;c'd\"e, ";
  nom = nom.substr(0, 176) + ".kvb";
  ASSERT_EQ(nom.size(), 180u);
  doc.NomFichier = Dossier() + nom;
  doc.Proprietes.Archi = "Bureau d'études, Brest, 2026";
  doc.Proprietes.Societe = "Chantier; quai, \"Nord\"";
  for (size_t decalage = 0; decalage < 12; decalage++) {
    // Each length of the first name moves the second's commas across the line ends.
    doc.Proprietes.Archi += ",";
    const std::string texte = TexteIGES(doc, OptionsIGES());
    VerifieIGES(texte);
    std::string faute;
    std::vector<std::string> p = ParametresGlobaux(texte, faute);
    EXPECT_EQ(faute, "") << "archi of " << doc.Proprietes.Archi.size();
    ASSERT_EQ(p.size(), 25u);
    EXPECT_EQ(p[0], ",");
    EXPECT_EQ(p[1], ";");
    EXPECT_EQ(p[3], nom);
    EXPECT_EQ(p[13], "6");
    EXPECT_EQ(p[14], "M");
    EXPECT_EQ(p[20], TexteAscii(doc.Proprietes.Archi));
    EXPECT_EQ(p[21], "Chantier; quai, \"Nord\"");
    EXPECT_EQ(p[22], "10");
  }
  // The same name on a colour's text: "RGB(255,0,0)" stays one string in Parameter Data.
  for (const auto& l : EmballeIGES("314," + std::string(40, '1') + ",12HRGB(255,0,0);", 64))
    EXPECT_TRUE(l.find("12H") == std::string::npos || l.find(");") != std::string::npos) << l;
}

// Another reader, OpenCASCADE, reads that file in metres with no failure.
TEST(ExportIGES, OpenCascadeReadsLongNamesWithCommasInMetres) {
  if (!OCCPresent()) GTEST_SKIP() << "OpenCASCADE not installed (scripts/install-deps.sh installs it)";
  TFuseau utc;
  TDocument doc;
  doc.Vider();
  AjouteNet(doc, "Coque", 4, 5, 4, 4).Sym = false;
  MajSurface(doc, true, -1);
  std::string nom;
  while (nom.size() < 176) nom += "x,y, ";
  nom = nom.substr(0, 176) + ".kvb";
  doc.NomFichier = Dossier() + nom;
  doc.Proprietes.Archi = "Bureau d'études, Brest, 2026";
  const std::string fichier = Dossier() + "virgules.igs";
  ASSERT_TRUE(ExportIGES(doc, fichier, OptionsIGES()).Ok);
  TLectureOCC r = LitAvecOCC(fichier, 2, 2);
  ASSERT_EQ(r.Code, 0);
  EXPECT_EQ(r.Entete["lecture"], "1");
  EXPECT_EQ(r.Entete["unites"], "6 M");
  EXPECT_EQ(r.Entete["fichier"], nom);
  EXPECT_EQ(r.Entete["auteur"], "Bureau d'etudes, Brest, 2026");
  EXPECT_EQ(r.Entete["echecs"], "0");
  EXPECT_TRUE(r.Echecs.empty()) << r.Echecs[0];
  EXPECT_EQ(r.Entete["surfaces"], "1");
  // The corner of the net (0.1, 0, 0) in metres, not in inches.
  ASSERT_TRUE(r.Points[1].count({0, 0}));
  EXPECT_NEAR(Distance3D(r.Points[1][{0, 0}], {0.1, 0, 0}), 0, 1e-12);
}

// Knots of 3 or 7 spans and mirrored vertices are written with all their digits: the
// surface rebuilt from the file is the program's own to rounding.
TEST(ExportIGES, KnotsAndMirroredVerticesReadBackAsTheSameDoubles) {
  TFuseau utc;
  TDocument doc;
  doc.Vider();
  TSurface& s = AjouteNet(doc, "Coque", 10, 6, 4, 4);
  s.Net.PC[2][3].X = 0.123456789012;
  s.Net.PC[4][1].W = 1.0 / 3;
  MajSurface(doc, true, -1);
  TSNurbs r;
  s.MyNurbs2SNurbs(r);
  TFichierIGES f = VerifieIGES(TexteIGES(doc, OptionsIGES()));
  ASSERT_EQ(f.DE.size(), 2u);
  TSurface128 a(f.Parametres[1]), m(f.Parametres[3]);
  // Across the 6 columns, order 4: 3 spans, knots at 1/3 and 2/3.
  ASSERT_EQ(a.T1.size(), 10u);
  for (size_t k = 0; k < a.T1.size(); k++) EXPECT_EQ(a.T1[k], r.NoeudsV[k]) << k;
  EXPECT_EQ(a.T1[4], 1.0 / 3);
  // Across the 10 rows: 7 spans.
  for (size_t k = 0; k < a.T2.size(); k++) EXPECT_EQ(a.T2[k], r.NoeudsU[k]) << k;
  EXPECT_EQ(a.W[4 * 6 + 1], 1.0 / 3);
  EXPECT_EQ(a.P[2 * 6 + 3].X, 0.123456789012);
  const TPlan plan = s.PlanSym.Plan();
  for (int ln = 0; ln < 10; ln++)
    for (int col = 0; col < 6; col++) {
      const TVertex3f q = CalcSym(s.Net.PC[ln][col].V(), plan);
      const TVertex3f& p = m.P[size_t(ln * 6 + col)];
      EXPECT_EQ(p.X, q.X + 0.0);
      EXPECT_EQ(p.Y, q.Y);
      EXPECT_EQ(p.Z, q.Z);
    }
  // Interior points: the grid's edges are evaluated a hair inside the domain.
  double ecart = 0;
  const int N = s.NbLnPt, M = s.NbColPt;
  for (int i = 1; i < N; i++)
    for (int j = 1; j < M; j++)
      ecart = std::max(ecart, Distance3D(a.Point(double(j) / M, double(i) / N), s.Pts[i][j]));
  EXPECT_LT(ecart, 1e-12);
  // A value that four decimals give back keeps its four-decimal look; no "-0.0000".
  EXPECT_EQ(ReelExact(0.5), "0.5000");
  EXPECT_EQ(ReelExact(-0.0), "0.0000");
  EXPECT_EQ(ReelExact(1e-7), "1.0E-07");
  for (double v : {1.0 / 3, -2.0 / 7, 1e-7, 123456.789012345, 5e-300}) {
    const std::string t = ReelExact(v);
    EXPECT_EQ(std::stod(t), v) << t;
    EXPECT_NE(t.find('.'), std::string::npos) << t;
  }
}

// OpenCASCADE's points of a random rational net and of its mirror are the program's.
TEST(ExportIGES, OpenCascadePointsOfARandomRationalNetAreOurs) {
  if (!OCCPresent()) GTEST_SKIP() << "OpenCASCADE not installed (scripts/install-deps.sh installs it)";
  TFuseau utc;
  TDocument doc;
  doc.Vider();
  TSurface& s = AjouteNet(doc, "Hasard", 9, 7, 4, 3);
  std::srand(35);
  auto hasard = [] { return double(std::rand()) / RAND_MAX; };
  for (int r = 0; r < 9; r++)
    for (int c = 0; c < 7; c++)
      s.Net.PC[r][c] = {0.3 + 2 * hasard(), 1.37 * c + hasard(), 0.91 * r + hasard(), 0.4 + 2 * hasard()};
  MajSurface(doc, true, -1);
  const std::string fichier = Dossier() + "hasard.igs";
  ASSERT_TRUE(ExportIGES(doc, fichier, OptionsIGES()).Ok);
  const int N = s.NbLnPt, M = s.NbColPt;
  TLectureOCC r = LitAvecOCC(fichier, M, N);
  ASSERT_EQ(r.Code, 0);
  EXPECT_EQ(r.Entete["echecs"], "0");
  EXPECT_EQ(r.Entete["surfaces"], "2");
  double ecart = 0, ecartMiroir = 0;
  int vus = 0;
  // Interior points: the grid's edges are evaluated a hair inside the domain.
  for (int i = 1; i < N; i++)
    for (int j = 1; j < M; j++) {
      if (!r.Points[1].count({j, i}) || !r.Points[2].count({j, i})) continue;
      ecart = std::max(ecart, Distance3D(r.Points[1][{j, i}], s.Pts[i][j]));
      ecartMiroir = std::max(ecartMiroir, Distance3D(r.Points[2][{j, i}], s.PtsSym[N - i][j]));
      vus++;
    }
  EXPECT_EQ(vus, (N - 1) * (M - 1));
  EXPECT_LT(ecart, 1e-9);
  EXPECT_LT(ecartMiroir, 1e-9);
}
