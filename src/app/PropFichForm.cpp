#include "app/PropFichForm.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "model/EnteteRapport.h"
#include "session/Avis.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLineEdit* Champ(const std::string& valeur, size_t limite) {
  auto* e = new QLineEdit(Q(valeur));
  e->setMaxLength(static_cast<int>(limite));
  return e;
}

}  // namespace

TPropFichForm::TPropFichForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setWindowTitle(Q(rs("rsPropFichFormCaption")));
  const TPropFich& p = doc.Proprietes;
  EdTitre = Champ(p.Titre, LimTitre);
  EdType = Champ(p.Type, LimType);
  EdArchi = Champ(p.Archi, LimArchi);
  EdSociete = Champ(p.Societe, LimSociete);
  EdVersion = Champ(p.Version, LimVersion);
  EdDate = Champ(p.Date, LimDate);
  // The short fields need not stretch across the window.
  EdVersion->setMaximumWidth(160);
  EdDate->setMaximumWidth(120);
  QStringList lignes;
  for (const auto& l : p.Commentaire) lignes << Q(l);
  MemoCommentaires = new QPlainTextEdit(lignes.join('\n'));
  MemoCommentaires->setMinimumHeight(110);
  QString nom;
  if (!doc.NomFichier.empty() && QFileInfo::exists(Q(doc.NomFichier)))
    nom = QFileInfo(Q(doc.NomFichier)).fileName();
  LNomFichier = new QLabel(nom);
  LNomFichier->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* form = new QFormLayout;
  form->addRow(Q(rs("rsPropFichNomFichier")), LNomFichier);
  form->addRow(Q(rs("rsPropFichTitre")), EdTitre);
  form->addRow(Q(rs("rsPropFichType")), EdType);
  form->addRow(Q(rs("rsPropFichArchi")), EdArchi);
  form->addRow(Q(rs("rsPropFichSociete")), EdSociete);
  form->addRow(Q(rs("rsPropFichVersion")), EdVersion);
  form->addRow(Q(rs("rsPropFichDate")), EdDate);
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  boutons->button(QDialogButtonBox::Cancel)->setText(Q(rs("rsAnnuler")));
  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* v = new QVBoxLayout(this);
  v->addLayout(form);
  v->addWidget(new QLabel(Q(rs("rsPropFichCommentaires"))));
  v->addWidget(MemoCommentaires, 1);
  v->addWidget(boutons);
  resize(460, 400);
}

void TPropFichForm::accept() {
  TSaisieProprietes s{EdTitre->text().toStdString(),
                      EdType->text().toStdString(),
                      EdArchi->text().toStdString(),
                      EdSociete->text().toStdString(),
                      EdVersion->text().toStdString(),
                      EdDate->text().toStdString(),
                      {}};
  for (const QString& l : MemoCommentaires->toPlainText().split('\n'))
    s.Commentaire.push_back(l.toStdString());
  Doc.Proprietes = ProprietesSaisies(s);
  Doc.MarqueModifie();
  AnnonceAvis(Doc, avProprietesDoc);
  QDialog::accept();
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeProprietes", .Execute = [](TMainForm& f, bool) {
                        TPropFichForm d(f.Document(), &f);
                        d.exec();
                        f.Rafraichit();
                      }});
  EnregistreFenetre({.Nom = "propfich", .Ordre = 420, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* d = new TPropFichForm(f.Document(), &f);
                       d->setAttribute(Qt::WA_DeleteOnClose);
                       d->show();
                       return d;
                     }});
});

}  // namespace
