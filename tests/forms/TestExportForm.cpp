// The export window: presets and enabled boxes by kind, and the "Export"
// commands run from the menu through the window and the save dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Fenetre.h"
#include "exchange/forms/ExportForm.h"

namespace {

std::string Lit(const std::string& chemin) {
  std::ifstream in(chemin, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The dialogs of the export answered by the test, put back afterwards.
struct Reponses {
  TDialoguesExport Avant = DialoguesExport();
  std::function<void(TExportForm&)> Regle = [](TExportForm&) {};
  bool Ok = true;
  QString Fichier;
  QString Titre, Filtre;
  Reponses() {
    DialoguesExport().Fenetre = [this](TExportForm& f) {
      Regle(f);
      return Ok;
    };
    DialoguesExport().Fichier = [this](const QString& t, const QString& f, const QString&) {
      Titre = t, Filtre = f;
      return Fichier;
    };
  }
  ~Reponses() { DialoguesExport() = Avant; }
};

}  // namespace

TEST(ExportForm, BoxesArePresetAndEnabledByKind) {
  TExportForm f;
  TMenuVue m;
  m.Carene = true, m.Couples = true, m.Diagonales = true, m.Grille = true, m.Axes = false;
  f.Ouvre(teDXF, m);
  EXPECT_EQ(f.windowTitle(), "Export DXF");
  EXPECT_TRUE(f.CBAretes->isChecked());
  EXPECT_TRUE(f.CBCouples->isChecked());
  EXPECT_FALSE(f.CBLignesEau->isChecked());
  EXPECT_TRUE(f.CBDiagonales->isChecked());
  EXPECT_TRUE(f.CBGrille->isChecked());
  EXPECT_FALSE(f.CBAxes->isChecked());
  EXPECT_FALSE(f.CBNurbs->isChecked());
  EXPECT_FALSE(f.CBNurbs->isEnabled());
  EXPECT_FALSE(f.CBCouleurs->isEnabled());
  EXPECT_TRUE(f.RB3D->isChecked());
  // The view choice follows "2D".
  EXPECT_FALSE(f.RBVues[tvPlan]->isEnabled());
  f.RB2D->setChecked(true);
  EXPECT_TRUE(f.RBVues[tvPlan]->isEnabled());
  f.RBVues[tvProfil]->setChecked(true);
  EXPECT_EQ(f.Options().Contexte.Type, tvProfil);
  // Without the hull shown, no line is preset.
  m.Carene = false;
  f.Ouvre(teTXT, m);
  EXPECT_EQ(f.windowTitle(), "Export TXT");
  EXPECT_FALSE(f.CBAretes->isChecked());
  EXPECT_FALSE(f.CBCouples->isChecked());
  EXPECT_TRUE(f.CBNurbs->isChecked());
  EXPECT_TRUE(f.CBCouleurs->isChecked());
  EXPECT_FALSE(f.CBCouleurs->isEnabled());
  EXPECT_TRUE(f.Options().Contexte.Est3D()) << "each opening starts in 3D";
  f.Ouvre(teIGES, m);
  for (QCheckBox* c : {f.CBAretes, f.CBCouples, f.CBSurfParam, f.CBGrille, f.CBAxes}) {
    EXPECT_FALSE(c->isChecked());
    EXPECT_FALSE(c->isEnabled());
  }
  EXPECT_TRUE(f.CBNurbs->isChecked() && f.CBNurbs->isEnabled());
  EXPECT_TRUE(f.CBCouleurs->isEnabled());
  EXPECT_FALSE(f.CBCouleurs->isChecked());
  EXPECT_FALSE(f.RB2D->isEnabled());
}

TEST(ExportForm, MenuCommandsWriteTheChosenFileOrTellWhyNot) {
  FenetreTest t;
  Reponses r;
  QTemporaryDir dir;
  const std::string dxf = dir.filePath("yacht.dxf").toStdString();
  r.Fichier = QString::fromStdString(dxf);
  r.Regle = [](TExportForm& f) {
    f.CBSurfParam->setChecked(true);
    f.RB2D->setChecked(true);
    f.RBVues[tvPlan]->setChecked(true);
  };
  t.A("MeExportDXF")->trigger();
  EXPECT_EQ(r.Titre, "Export DXF");
  EXPECT_EQ(r.Filtre, "Fichiers DXF (*.dxf)|*.dxf|Tous les fichiers (*.*)|*.*");
  std::string d = Lit(dxf);
  size_t ent = d.find("ENTITIES\r\n");
  ASSERT_NE(ent, std::string::npos);
  EXPECT_NE(d.find("POLYLINE", ent), std::string::npos);
  EXPECT_EQ(d.find("\r\n30\r\n", ent), std::string::npos) << "2D plan view: no z";

  // Cancelled at the window or at the save dialog: nothing is written.
  const std::string igs = dir.filePath("yacht.igs").toStdString();
  r.Fichier = QString::fromStdString(igs);
  r.Ok = false;
  t.A("MeExportIGES")->trigger();
  EXPECT_FALSE(std::filesystem::exists(igs));
  r.Ok = true;
  r.Fichier.clear();
  t.A("MeExportIGES")->trigger();
  EXPECT_FALSE(std::filesystem::exists(igs));
  r.Fichier = QString::fromStdString(igs);
  t.A("MeExportIGES")->trigger();
  EXPECT_EQ(Lit(igs).substr(0, 16), "IGS File Output ");

  // A write that fails is shown, and nothing else is claimed.
  t.Messages.clear();
  r.Fichier = dir.filePath("absent/yacht.txt");
  t.A("MeExportTexte")->trigger();
  ASSERT_EQ(t.Messages.size(), 1u);
  EXPECT_EQ(t.Messages[0].rfind("Erreur d'écriture du fichier", 0), 0u) << t.Messages[0];
}
