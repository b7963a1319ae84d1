// The windows in another language: the table's texts applied to windows already made,
// the dump of the window texts, and the English file shipped with the program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "Fenetre.h"
#include "app/OptionForm.h"
#include "app/ReglagesQt.h"
#include "app/Traduction.h"
#include "base/Chaines.h"
#include "base/Encodage.h"
#include "naval/forms/PoidsForm.h"
#include "ui/Graphe.h"
#include "ui/Registre.h"

namespace {

const std::string FichierAnglais = std::string(BRIVANE_TEST_DATA) + "/../../lang/lang_English.dat";

struct GardeChaines {
  ~GardeChaines() { ChaineDefauts(); }
};

std::string Lit(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void Ecrit(const std::string& chemin, const std::string& octets) {
  std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
  f << octets;
}

// Loads a language file into windows already made, as the options window does.
void Applique(const std::string& fichier) {
  std::vector<std::string> anciens = ValeursChaines();
  ChargerChaines(fichier);
  TraduireFenetres(anciens);
}

void Francais() {
  std::vector<std::string> anciens = ValeursChaines();
  ChaineDefauts();
  TraduireFenetres(anciens);
}

QString Texte(QWidget* w, const char* nom) {
  auto* b = w->findChild<QAbstractButton*>(nom);
  return b ? b->text() : QString("<no %1>").arg(nom);
}

// The key=text lines of a language file, the first of each key.
std::map<std::string, std::string> Entrees(const std::string& octets) {
  std::map<std::string, std::string> r;
  std::istringstream in(octets);
  std::string l;
  while (std::getline(in, l)) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    size_t eq = l.find('=');
    if (eq != std::string::npos) r.emplace(l.substr(0, eq), Cp1252VersUtf8(l.substr(eq + 1)));
  }
  return r;
}

}  // namespace

TEST(Traduction, ALanguageFileReachesWindowsAlreadyOpenAndFrenchComesBack) {
  GardeChaines garde;
  QTemporaryDir d;
  const std::string p = QDir(d.path()).filePath("lang_Test.dat").toStdString();
  FenetreTest t;
  auto* options = new TOptionForm(*t.F);
  options->show();
  ASSERT_EQ(Texte(options, "BtnOK"), "&OK");

  Ecrit(p, "RSBTNOK=&Ja\r\n");
  Applique(p);
  EXPECT_EQ(Texte(options, "BtnOK"), "&Ja");
  EXPECT_EQ(Texte(options, "BtnAnnuler"), "&Annuler");
  EXPECT_EQ(options->windowTitle(), "Options");
  EXPECT_EQ(t.A("MeFichier")->text(), "&Fichier");
  // A window made after the change is made in the language.
  TOptionForm apres(*t.F);
  EXPECT_EQ(Texte(&apres, "BtnOK"), "&Ja");

  Francais();
  Ecrit(p, "rsBtnOK = &Ja\r\n");  // the key is "rsBtnOK " with its blank
  Applique(p);
  EXPECT_EQ(Texte(options, "BtnOK"), "&OK");

  Ecrit(p, "rsBtnOK=\r\nrsMeFichierCaption=&File\r\n");
  Applique(p);
  EXPECT_EQ(Texte(options, "BtnOK"), "");
  EXPECT_EQ(t.A("MeFichier")->text(), "&File");

  // No lang_Français.dat is shipped: everything comes back, the empty caption too.
  ChangeLangue(QDir(d.path()).path(), "Français");
  EXPECT_EQ(Texte(options, "BtnOK"), "&OK");
  EXPECT_EQ(t.A("MeFichier")->text(), "&Fichier");
  delete options;
}

TEST(Traduction, TheOptionsApplyAnotherLanguageAtOnce) {
  GardeChaines garde;
  QTemporaryDir d;
  QByteArray ancien = qgetenv("BRIVANE_SETTINGS");
  qputenv("BRIVANE_SETTINGS", QDir(d.path()).filePath("Brivane.ini").toLocal8Bit());
  Ecrit(QDir(d.path()).filePath("lang_Test.dat").toStdString(), "rsMeFichierCaption=&File\r\n");
  {
    FenetreTest t;
    t.F->DossierProgramme = d.path();
    TOptionForm fen(*t.F);
    fen.Ouvre(ReglagesProgramme(), d.path());
    auto* liste = fen.findChild<QComboBox*>("CBLangue");
    ASSERT_NE(liste, nullptr);
    EXPECT_EQ(liste->count(), 2);
    EXPECT_EQ(liste->itemText(1), "Test");
    TReglages r = ReglagesProgramme();
    r.Language = "Test";
    AppliqueOptions(*t.F, r);
    EXPECT_EQ(t.A("MeFichier")->text(), "&File");
    EXPECT_TRUE(t.Messages.empty());
    r.Language = "";
    AppliqueOptions(*t.F, r);
    EXPECT_EQ(t.A("MeFichier")->text(), "&Fichier");
    // A file that is no language file is said once, and French stays.
    Ecrit(QDir(d.path()).filePath("lang_Test.dat").toStdString(), "rsMeFichierCaption=&File");
    r.Language = "Test";
    AppliqueOptions(*t.F, r);
    EXPECT_EQ(t.A("MeFichier")->text(), "&Fichier");
    EXPECT_EQ(t.Messages.size(), 1u);
  }
  ReglagesProgramme() = TReglages();
  qputenv("BRIVANE_SETTINGS", ancien);
}

TEST(Traduction, TheDumpIsStableAndLoadsBackUnchanged) {
  GardeChaines garde;
  QTemporaryDir d;
  const std::string un = QDir(d.path()).filePath("un.tra").toStdString();
  const std::string deux = QDir(d.path()).filePath("deux.tra").toStdString();
  const std::string trois = QDir(d.path()).filePath("trois.tra").toStdString();
  FenetreTest t;
  TOptionForm options(*t.F);
  options.show();
  ExporterTextesFenetres(un);
  ExporterTextesFenetres(deux);
  const std::string a = Lit(un);
  EXPECT_EQ(a, Lit(deux));
  EXPECT_EQ(DefautFichierLangue(a), "");
  // The main window's section: every menu item, separators as "-", CR LF line ends.
  EXPECT_NE(a.find("\r\n[MainForm]\r\nrsMainFormCaption=Brivane\r\n"), std::string::npos);
  EXPECT_NE(a.find("rsMeFichierCaption=&Fichier\r\n"), std::string::npos);
  EXPECT_NE(a.find("rsN1Caption=-\r\n"), std::string::npos);
  EXPECT_NE(a.find("[OptionForm]\r\nrsOptionFormCaption=Options\r\n"), std::string::npos);
  EXPECT_NE(a.find("rsBtnOK=&OK\r\n"), std::string::npos);
  EXPECT_NE(a.find("rsMeTraductionCaption=Traduction\r\n"), std::string::npos);
  // "é" is one byte in the file.
  EXPECT_NE(a.find("rsMeProprietesFichierCaption=&Propri\xE9t\xE9s...\r\n"), std::string::npos);

  ASSERT_TRUE(ChargerChaines(un));
  TraduireFenetres(ValeursChaines());
  ExporterTextesFenetres(trois);
  EXPECT_EQ(a, Lit(trois));
}

TEST(Traduction, TheDumpFailsLoudlyWhereItCannotWrite) {
  FenetreTest t;
  EXPECT_THROW(ExporterTextesFenetres("/nonexistent-folder/FormsText.tra"), std::runtime_error);
}

TEST(Traduction, TheLanguageNameStaysInTheProgramFolders) {
  QTemporaryDir d;
  EXPECT_EQ(CheminLangue(d.path(), ""), "");
  EXPECT_EQ(CheminLangue(d.path(), "Français"), "");
  EXPECT_EQ(CheminLangue(d.path(), "../../etc/passwd"), "");
  EXPECT_EQ(CheminLangue(d.path(), "x/y"), "");
  EXPECT_EQ(CheminLangue(d.path(), "English"), QDir(d.path()).filePath("lang_English.dat").toStdString());
  // A file missing for a language other than French is said once.
  GardeChaines garde;
  FenetreTest t;
  std::string refus = ChangeLangue(d.path(), "English");
  EXPECT_NE(refus.find("lang_English.dat"), std::string::npos) << refus;
  EXPECT_NE(refus.find(rs("rsLangueAbsente")), std::string::npos) << refus;
  EXPECT_EQ(ChangeLangue(d.path(), ""), "");
}

TEST(Traduction, TheEnglishFileIsCompleteAndKeepsEveryPlaceholder) {
  const std::string octets = Lit(FichierAnglais);
  ASSERT_FALSE(octets.empty()) << FichierAnglais;
  EXPECT_EQ(DefautFichierLangue(octets), "");
  std::map<std::string, std::string> en = Entrees(octets);
  std::vector<std::string> manquantes, formats;
  for (const TChaineDef& d : TableChaines()) {
    auto it = en.find(d.Cle);
    if (it == en.end()) {
      manquantes.push_back(d.Cle);
      continue;
    }
    if (Placeholders(it->second, true) != Placeholders(d.Defaut, true)) formats.push_back(d.Cle);
  }
  EXPECT_TRUE(manquantes.empty()) << manquantes.size() << " missing, first " << manquantes.front();
  EXPECT_TRUE(formats.empty()) << formats.size() << " with other placeholders, first " << formats.front();
  for (const auto& [cle, texte] : en) EXPECT_TRUE(ChaineConnue(cle)) << cle << " is no key of the table";
  GardeChaines garde;
  std::string refus;
  EXPECT_TRUE(ChargerChaines(FichierAnglais, &refus));
  EXPECT_EQ(refus, "");
  EXPECT_EQ(rs("rsCouples"), "Stations");
  EXPECT_EQ(rs("rsStabColGite"), "Heel");
}

namespace {

// What a window shows that is still in the other language. In English: a French default
// whose English differs, or a French letter. In French: an English text of the shipped
// file whose French differs, or one of Qt's own English words.
struct TFrancais {
  std::map<std::string, std::string> Anglais = Entrees(Lit(FichierAnglais));
  std::set<std::string> Defauts;
  bool EnFrancais = false;
  explicit TFrancais(bool enFrancais = false) : EnFrancais(enFrancais) {
    std::set<std::string> francais;
    for (const TChaineDef& d : TableChaines()) {
      francais.insert(d.Defaut);
      if (Anglais.count(d.Cle) && Anglais[d.Cle] != d.Defaut && std::string(d.Defaut).size() > 1)
        Defauts.insert(enFrancais ? Anglais[d.Cle] : d.Defaut);
    }
    // "Vertical" is French for one key and English for another.
    if (enFrancais) {
      for (const auto& t : francais) Defauts.erase(t);
      // Qt's buttons and window menus when its French texts are not loaded.
      for (const char* q : {"&Yes", "&No", "Cancel", "&Cancel", "&Close", "Close", "&Restore", "&Move",
                            "&Size", "Mi&nimize", "Ma&ximize", "Apply", "Reset", "All Files (*)"})
        Defauts.insert(q);
    } else {
      for (const auto& [cle, texte] : Anglais) Defauts.erase(texte);
    }
  }
  bool Est(const QString& q) const {
    if (q.isEmpty() || q == "Français" || q == "English") return false;
    if (Defauts.count(q.toStdString())) return true;
    if (EnFrancais) return false;
    static const QRegularExpression lettres("[éèàêçôûîâëïùÉÈ]");
    return q.contains(lettres);
  }
};

void Releve(QWidget* w, const TFrancais& fr, std::vector<std::string>& restes) {
  auto note = [&](const QString& t) {
    if (fr.Est(t))
      restes.push_back(w->objectName().toStdString() + "(" + w->metaObject()->className() +
                       "): " + t.toStdString());
  };
  if (w->isWindow()) note(w->windowTitle());
  note(w->toolTip());
  if (auto* l = qobject_cast<QLabel*>(w)) note(l->text());
  if (auto* b = qobject_cast<QAbstractButton*>(w)) note(b->text());
  if (auto* g = qobject_cast<QGroupBox*>(w)) note(g->title());
  if (auto* t = qobject_cast<QTabWidget*>(w))
    for (int i = 0; i < t->count(); i++) note(t->tabText(i));
  if (auto* c = qobject_cast<QComboBox*>(w))
    for (int i = 0; i < c->count(); i++) note(c->itemText(i));
  if (auto* t = qobject_cast<QTableWidget*>(w))
    for (int i = 0; i < t->columnCount(); i++)
      if (auto* it = t->horizontalHeaderItem(i)) note(it->text());
  if (auto* g = dynamic_cast<TGraphe*>(w)) {
    note(g->Titre());
    note(g->TitreX());
    note(g->TitreY());
  }
}

}  // namespace

namespace {

// Every window of the program, shown, and what it shows in the other language.
std::vector<std::string> TextesDeLAutreLangue(const TFrancais& fr) {
  std::vector<std::string> restes;
  {
    FenetreTest t;
    for (QAction* a : t.F->findChildren<QAction*>())
      if (fr.Est(a->text()))
        restes.push_back("MainForm action " + a->objectName().toStdString() + ": " + a->text().toStdString());
    for (QWidget* w : t.F->findChildren<QWidget*>())
      if (w->window() == t.F.get()) Releve(w, fr, restes);
  }
  std::string noms = NomsFenetres(",", ",");
  std::stringstream in(noms);
  std::string nom;
  while (std::getline(in, nom, ',')) {
    const TFenetreCapture* c = FenetreCapture(nom);
    if (!c) {
      restes.push_back("no window " + nom);
      continue;
    }
    FenetreTest t;
    QWidget* w = c->Montre(*t.F);
    if (!w) {
      restes.push_back("window " + nom + " not shown");
      continue;
    }
    QApplication::processEvents();
    Releve(w, fr, restes);
    for (QWidget* e : w->findChildren<QWidget*>()) Releve(e, fr, restes);
  }
  {
    // Opened by a release in a view with the weights tool, not from a menu.
    FenetreTest t;
    TDefPoidsForm d(t.F->Document(), {});
    Releve(&d, fr, restes);
    for (QWidget* e : d.findChildren<QWidget*>()) Releve(e, fr, restes);
  }
  return restes;
}

}  // namespace

TEST(Traduction, NoFrenchIsLeftInAnyWindowInEnglish) {
  GardeChaines garde;
  ASSERT_TRUE(ChargerChaines(FichierAnglais));
  // As the program starts in English: Qt's own texts too.
  InstalleTraductionQt();
  std::vector<std::string> restes = TextesDeLAutreLangue(TFrancais());
  std::string liste;
  for (const auto& r : restes) liste += "\n  " + r;
  EXPECT_TRUE(restes.empty()) << restes.size() << " French texts in English:" << liste;
}

TEST(Traduction, NoEnglishIsLeftInAnyWindowInFrench) {
  GardeChaines garde;
  ChaineDefauts();
  InstalleTraductionQt();
  std::vector<std::string> restes = TextesDeLAutreLangue(TFrancais(true));
  std::string liste;
  for (const auto& r : restes) liste += "\n  " + r;
  EXPECT_TRUE(restes.empty()) << restes.size() << " English texts in French:" << liste;
}

// A translation written to the published keys reaches the menus that show those texts.
TEST(Traduction, APublishedKeyReachesTheMenuThatShowsIt) {
  GardeChaines garde;
  QTemporaryDir d;
  const std::string p = QDir(d.path()).filePath("lang_Test.dat").toStdString();
  FenetreTest t;
  Ecrit(p, "rsMeAfficheAxesCaption=A&xes shown\r\nrsMeProprietesFichierCaption=File &properties...\r\n");
  Applique(p);
  EXPECT_EQ(t.A("MeAxes")->text(), "A&xes shown");
  EXPECT_EQ(t.A("MeProprietes")->text(), "File &properties...");
  EXPECT_EQ(t.A("MeFichier")->text(), "&Fichier");
  Francais();
  EXPECT_EQ(t.A("MeAxes")->text(), "Axes");
}

// Qt names the shortcut keys in the menus: after a live switch they follow the language,
// not the one the program started in ("Ctrl+Inser" left in the English menus).
TEST(Traduction, ShortcutKeysFollowALiveSwitch) {
  GardeChaines garde;
  QTemporaryDir d;
  Ecrit(QDir(d.path()).filePath("lang_English.dat").toStdString(), Lit(FichierAnglais));
  FenetreTest t;
  ASSERT_EQ(ChangeLangue(d.path(), ""), "");
  const QString francais = t.A("MeAjoutLigne")->shortcut().toString(QKeySequence::NativeText);
  if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_fr.qm"))
    GTEST_SKIP() << "Qt's French texts are not installed";
  EXPECT_EQ(francais, "Ctrl+Inser");
  ASSERT_EQ(ChangeLangue(d.path(), "English"), "");
  EXPECT_EQ(t.A("MeAjoutLigne")->shortcut().toString(QKeySequence::NativeText), "Ctrl+Ins");
  EXPECT_EQ(t.A("MeSupprLigne")->shortcut().toString(QKeySequence::NativeText), "Ctrl+Del");
  // The views' window menus, made by Qt in French, are English too.
  for (QAction* a : t.F->findChildren<QAction*>()) EXPECT_NE(a->text(), "Réd&uire");
  ASSERT_EQ(ChangeLangue(d.path(), ""), "");
  EXPECT_EQ(t.A("MeSupprLigne")->shortcut().toString(QKeySequence::NativeText), "Ctrl+Suppr");
}
