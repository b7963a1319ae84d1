// The resistance program's files: offsets and their formatting, the input file of a box
// barge against its closed-form particulars, the output table and the configuration
// files, and the stand-in program accepting what we write.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "../naval/Barge.h"
#include "exchange/Vexrun.h"
#include "lines/Coupes.h"
#include "session/ObjCom.h"

namespace fs = std::filesystem;

namespace {

TListPt3D Polyligne(std::initializer_list<std::pair<double, double>> xz) {
  TListPt3D l;
  for (auto [x, z] : xz) l.push_back(TPt3D(TVertex3f{x, 0, z}));
  return l;
}

// A barge of half-breadth 1.5, length 8, draft 0.6 and depth 1 above the water, with a grid
// whose sections lie inside it (and one beyond its end) and whose waterlines cross its side.
void Barge(TDocument& doc, int nbSec, int nbLE) {
  doc.Vider();
  doc.Grille.NbSec = nbSec;
  for (int k = 0; k < nbSec; k++) doc.Grille.PosSec[static_cast<size_t>(k)] = 0.5 + 7.0 * k / (nbSec - 1);
  doc.Grille.NbLE = nbLE;
  for (int j = 0; j < nbLE; j++) doc.Grille.PosLgE[static_cast<size_t>(j)] = 0.5 - 1.0 * j / (nbLE - 1);
  AjouteBarge(doc, 1.5, 8, 0.6, 1.0, 4);
}

fs::path Dossier(const std::string& nom) {
  fs::path d = fs::temp_directory_path() / ("brivane_vexrun_" + nom + "_" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

}  // namespace

TEST(Vexrun, OffsetTextIsSixDecimalsPaddedToElevenCharacters) {
  EXPECT_EQ(TexteCote(1.25), "   1.250000");
  EXPECT_EQ(TexteCote(0), "   0.000000");
  EXPECT_EQ(TexteCote(12345.5), "12345.500000");  // longer: kept whole
  EXPECT_EQ(TexteCote(-2.5), "  -2.500000");
}

TEST(Vexrun, OffsetIsTheLastMatchAlongTheSection) {
  // Crossing between two points: linear interpolation of X.
  TCoupe c{Polyligne({{0, -1}, {2, 1}})};
  EXPECT_EQ(CoteSection(c, 0.5), "   1.500000");
  // Through a vertex: that vertex's |X|, whichever side the polyline comes from.
  c = {Polyligne({{0, -1}, {-1.25, 0}, {-3, 1}})};
  EXPECT_EQ(CoteSection(c, 0), "   1.250000");
  // A polyline that goes out and comes back crosses twice: the second crossing wins.
  c = {Polyligne({{0, -1}, {1, 1}, {3, -1}})};
  EXPECT_EQ(CoteSection(c, 0), "   2.000000");
  // Heights are exact: a vertex 0.02 mm above the waterline is not on it, the crossing
  // lies on the segment below (X = 0.75 / 1.00002); a vertex a few ulps off is on it.
  c = {Polyligne({{0, -1}, {0.75, 0.00002}, {1, 1}})};
  EXPECT_EQ(CoteSection(c, 0), "   0.749985");
  c = {Polyligne({{0, -1}, {0.75, 0.3 - 0.1 - 0.2}, {1, 1}})};
  EXPECT_EQ(CoteSection(c, 0), "   0.750000");
  // A waterline at 0.123456789 on a straight side from (0.5, 0) to (1, 0.33333).
  c = {Polyligne({{0.5, 0}, {1, 0.33333}})};
  char attendu[32];
  std::snprintf(attendu, sizeof attendu, "%11.6f", 0.5 + 0.5 * 0.123456789 / 0.33333);
  EXPECT_EQ(CoteSection(c, 0.123456789), attendu);
  // Not reached, or no line at all: zero.
  c = {Polyligne({{0, -1}, {1, -0.5}})};
  EXPECT_EQ(CoteSection(c, 0), "   0.000000");
  EXPECT_EQ(CoteSection({}, 0), "   0.000000");
  // A polyline of one point on the height counts; the later polyline wins.
  c = {Polyligne({{0, -1}, {1, 1}}), Polyligne({{4, 0}})};
  EXPECT_EQ(CoteSection(c, 0), "   4.000000");
}

TEST(Vexrun, BargeInputFileHasItsOffsetsAndParticulars) {
  TDocument doc;
  Barge(doc, 5, 5);
  doc.NomFichier = "/tmp/Des bateaux/Cat.kvb";
  TParamsMichlet p = ParamsMichletInitiaux();
  p.Comptes = ComptesMichlet(doc);
  p.Generaux.insert(p.Generaux.begin() + 2, "");  // empty lines of a box are left out
  PrepareCarenesMichlet(doc, {0});
  const auto l = LignesEntreeMichlet(doc, {0}, p, "09/12/2026 18:00");
  ASSERT_EQ(l.size(), 85u);
  EXPECT_EQ(l[0], std::string(70, '='));
  EXPECT_EQ(l[1], "                           MICHLET version 6");
  EXPECT_EQ(l[2], "                              INPUT FILE");
  EXPECT_EQ(l[4], "Note 1: Cat.kvb.mlt");
  EXPECT_EQ(l[6], "Note 3: 09/12/2026 18:00");
  EXPECT_EQ(l[12], "Number of Hulls (1,2,..., 5)");
  EXPECT_EQ(l[13], "1");
  EXPECT_EQ(l[14], "Gravitational Acceleration (m/sec/sec) (min 9.6, max 9.9)");
  EXPECT_EQ(l[16], "Water Density (kg/cubic metre) (min 995.0, max 1030.0)");
  // 34 general lines, 4 counts, 4 wave lines, then the hull.
  EXPECT_EQ(l[48], "Number of Offset Stations(rows)(odd integer: min 5, max 81");
  EXPECT_EQ(l[49], "5");
  EXPECT_EQ(l[51], "5");
  EXPECT_EQ(l[56], std::string(28, '=') + " Barge0 " + std::string(28, '='));
  // Sections at y = 0.5 .. 7.5 lie inside the box; waterlines z = 0.5 .. -0.5 cross its side.
  for (int k = 0; k < 5; k++)
    EXPECT_EQ(l[57 + static_cast<size_t>(k)], "   1.500000,   1.500000,   1.500000,   1.500000,   1.500000")
        << k;
  EXPECT_EQ(l[62], "");
  EXPECT_EQ(l[63], "Displacement Volume (cubic metres)");
  EXPECT_NEAR(std::stod(l[64]), 2 * 1.5 * 8 * 0.6, 0.0015);
  EXPECT_EQ(l[65], "Length (metres)");
  EXPECT_NEAR(std::stod(l[66]), 8, 0.0015);
  EXPECT_EQ(l[67], "Draft (metres)");
  EXPECT_EQ(l[68], "0.600");
  EXPECT_EQ(l[69], "Longitudinal Separation (metres) (0.0 for a monohull)");
  EXPECT_EQ(l.back(), "0");
  EXPECT_EQ(l[l.size() - 2], "Other Particulars (0=None)");
}

TEST(Vexrun, GridOf21By11GivesLinesOf131CharactersAndHullsInChosenOrder) {
  TDocument doc;
  Barge(doc, 21, 11);
  doc.Grille.PosSec[20] = 9;  // beyond the barge's end: a section that reaches nothing
  AjouteBarge(doc, 0.5, 4, 0.2, 0.3, 2);
  doc.Surf(1).Nom = "Flotteur";
  TParamsMichlet p = ParamsMichletInitiaux();
  p.Comptes = ComptesMichlet(doc);
  PrepareCarenesMichlet(doc, {1, 0});
  // Hidden once its sections were computed: a hidden surface has no lines, and the ones it
  // held when shown are not written.
  doc.Surf(0).Visible = false;
  PrepareCarenesMichlet(doc, {1, 0});
  const auto l = LignesEntreeMichlet(doc, {1, 0}, p, "");
  EXPECT_EQ(l[13], "2");
  std::vector<size_t> titres;
  for (size_t i = 0; i < l.size(); i++)
    if (l[i].rfind(std::string(28, '=') + " ", 0) == 0) titres.push_back(i);
  ASSERT_EQ(titres.size(), 2u);
  EXPECT_EQ(l[titres[0]], std::string(28, '=') + " Flotteur " + std::string(28, '='));
  EXPECT_EQ(l[titres[1]], std::string(28, '=') + " Barge0 " + std::string(28, '='));
  for (size_t t : titres) {
    for (size_t k = 1; k <= 21; k++) {
      const std::string& r = l[t + k];
      ASSERT_EQ(r.size(), 131u) << t + k;
      EXPECT_EQ(std::count(r.begin(), r.end(), ','), 10);
    }
    EXPECT_EQ(l[t + 22], "");
  }
  // The hidden barge gives no offset; shown again, it has its half-breadth 1.5 where the
  // waterline cuts its side, and nothing beyond its end.
  for (size_t k = 1; k <= 21; k++)
    for (size_t j = 0; j < 11; j++) EXPECT_EQ(l[titres[1] + k].substr(j * 12, 11), "   0.000000") << k;
  doc.Surf(0).Visible = true;
  PrepareCarenesMichlet(doc, {1, 0});
  const auto m = LignesEntreeMichlet(doc, {1, 0}, p, "");
  EXPECT_EQ(m[titres[1] + 1].substr(0, 11), "   1.500000");
  for (size_t j = 0; j < 11; j++) EXPECT_EQ(m[titres[1] + 21].substr(j * 12, 11), "   0.000000") << j;
}

TEST(Vexrun, ResultTableIsReadToItsEndAndBadTablesGiveNoCurve) {
  const std::string entete = " U (m/sec),       Rr     ,       Rt";
  // The last row is the file's last line: it is kept.
  TResultatsMichlet r = LitResultatsMichlet({"Michlet", entete, "  0.5, 0.001 , 0.25", " 1.0,0.002,1e-1"});
  ASSERT_EQ(r.U.size(), 2u);
  EXPECT_DOUBLE_EQ(r.U[1], 1.0);
  EXPECT_DOUBLE_EQ(r.Rr[0], 0.001);
  EXPECT_DOUBLE_EQ(r.Rt[1], 0.1);
  // The table ends at the first empty line.
  r = LitResultatsMichlet({entete, "1,2,3", "", "4,5,6"});
  EXPECT_EQ(r.U.size(), 1u);
  // Heading with other blanks, no rows, a truncated row, a word: an error each.
  EXPECT_THROW(LitResultatsMichlet({" U (m/sec), Rr, Rt", "1,2,3"}), TErreurMichlet);
  EXPECT_THROW(LitResultatsMichlet({}), TErreurMichlet);
  EXPECT_THROW(LitResultatsMichlet({entete}), TErreurMichlet);
  EXPECT_THROW(LitResultatsMichlet({entete, "1,2,3", "2,3"}), TErreurMichlet);
  EXPECT_THROW(LitResultatsMichlet({entete, "1,2,3", "2,abc,4"}), TErreurMichlet);
  EXPECT_THROW(LitResultatsMichlet({entete, "1,2,3", "2,3,4,5"}), TErreurMichlet);
  try {
    LitResultatsMichlet({entete, "1,2,3", "2,3,nan"});
    ADD_FAILURE() << "nan accepted";
  } catch (const TErreurMichlet& e) {
    EXPECT_NE(std::string(e.what()).find("3"), std::string::npos) << "the message names the line";
  }
}

TEST(Vexrun, ConfigurationRoundTripDropsEmptyLinesAndReadsTheLastLine) {
  TParamsMichlet p = ParamsMichletInitiaux();
  p.Comptes = {"a", "", "b"};
  const auto l = LignesConfigMichlet(p);
  EXPECT_EQ(l[0], "[Section1]");
  EXPECT_EQ(l[35], "");
  EXPECT_EQ(l[36], "");
  EXPECT_EQ(l[37], "[Section2]");
  EXPECT_EQ(l.back(), "");
  const fs::path d = Dossier("config");
  EcritLignesMichlet((d / "a b.cfg").string(), l);
  TParamsMichlet q = LitConfigMichlet(LitLignesMichlet((d / "a b.cfg").string()));
  EXPECT_EQ(q.Generaux, ParamsMichletInitiaux().Generaux);
  EXPECT_EQ(q.Comptes, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(q.Vagues, ParamsMichletInitiaux().Vagues);
  // Written by hand without a trailing empty line nor the last marker's box closed.
  q = LitConfigMichlet({"x", "[Section1]", "g", "[Section2]", "[Section3]", "v1", "v2"});
  EXPECT_EQ(q.Generaux, std::vector<std::string>{"g"});
  EXPECT_TRUE(q.Comptes.empty());
  EXPECT_EQ(q.Vagues, (std::vector<std::string>{"v1", "v2"}));
  q = LitConfigMichlet({"[Section2]", "c"});
  EXPECT_TRUE(q.Generaux.empty() && q.Comptes.empty() && q.Vagues.empty());
  EXPECT_THROW(LitLignesMichlet((d / "absent.cfg").string()), TErreurMichlet);
  fs::remove_all(d);
}

TEST(Vexrun, NamesAreJoinedToTheFolder) {
  EXPECT_EQ(CheminMichlet("/opt/Mich let/", "in.mlt"), "/opt/Mich let/in.mlt");
  EXPECT_EQ(CheminMichlet("/opt/Mich let", "in.mlt"), "/opt/Mich let/in.mlt");
  EXPECT_EQ(CheminMichlet("", "in.mlt"), "in.mlt");
}

// Friction by the ITTC 1957 line: what the stand-in's Rt - Rr must follow, whatever the
// wetted area, as the ratio between two speeds.
double FrictionSansAire(double u, double l, double nu) {
  const double re = u * l / nu;
  return u * u * 0.075 / std::pow(std::log10(re) - 2, 2);
}

TEST(Vexrun, StandInAcceptsOurFileAndItsTableFollowsTheFrictionLine) {
  TDocument doc;
  Barge(doc, 11, 7);
  TParamsMichlet p = ParamsMichletInitiaux();
  p.Comptes = ComptesMichlet(doc);
  PrepareCarenesMichlet(doc, {0});
  const fs::path d = Dossier("substitut run");
  auto lance = [&d] {
    const std::string cmd =
        "cd '" + d.string() + "' && '" BRIVANE_MICHLET_SUBSTITUT "' 'in put.mlt' 2>/dev/null";
    return std::system(cmd.c_str());
  };
  EcritLignesMichlet((d / "in put.mlt").string(), LignesEntreeMichlet(doc, {0}, p, "now"));
  ASSERT_EQ(lance(), 0);
  const TResultatsMichlet r = LitResultatsMichlet(LitLignesMichlet((d / "out.mlt").string()));
  ASSERT_EQ(r.U.size(), 30u);
  EXPECT_NEAR(r.U.front(), 0.5, 1e-6);
  EXPECT_NEAR(r.U.back(), 15, 1e-6);
  const double nu = 1.141e-6;
  for (size_t i = 1; i < r.U.size(); i++) {
    EXPECT_GT(r.Rt[i], r.Rr[i]);
    const double ratio = (r.Rt[i] - r.Rr[i]) / (r.Rt[0] - r.Rr[0]);
    EXPECT_NEAR(ratio, FrictionSansAire(r.U[i], 8, nu) / FrictionSansAire(r.U[0], 8, nu), 1e-3 * ratio) << i;
  }
  // Every offset equal: to the stand-in a wall-sided hull, wetted on both sides down to the draft.
  const double s = 2 * 0.6 * 8;
  EXPECT_NEAR((r.Rt[0] - r.Rr[0]) * 1000, 0.5 * 1000 * s * FrictionSansAire(0.5, 8, nu),
              0.02 * (r.Rt[0] - r.Rr[0]) * 1000);
  // The stand-in refuses a file that strays from the format.
  auto lignes = LignesEntreeMichlet(doc, {0}, p, "now");
  lignes[57] = lignes[57].substr(1);
  EcritLignesMichlet((d / "in put.mlt").string(), lignes);
  EXPECT_NE(lance(), 0);
  fs::remove_all(d);
}
