#include "ui/ChoixSurfaces.h"

#include <QBoxLayout>
#include <QListWidget>
#include <QPushButton>

#include "base/Chaines.h"

QPushButton* BoutonTexte(QWidget* parent, const char* cle, const char* nom) {
  auto* b = new QPushButton(QString::fromStdString(rs(cle)), parent);
  b->setObjectName(nom);
  b->setAutoDefault(false);
  return b;
}

TChoixSurfaces AjouteChoixSurfaces(QWidget* parent, QBoxLayout* dans) {
  TChoixSurfaces c;
  c.Liste = new QListWidget(parent);
  c.Liste->setObjectName("Liste");
  c.Liste->setSelectionMode(QAbstractItemView::MultiSelection);
  dans->addWidget(c.Liste, 1);
  auto* boutons = new QHBoxLayout;
  c.Toutes = BoutonTexte(parent, "rsBtnToutes", "BtnToutes");
  c.Aucune = BoutonTexte(parent, "rsBtnAucune", "BtnAucune");
  boutons->addWidget(c.Toutes);
  boutons->addWidget(c.Aucune);
  dans->addLayout(boutons);
  return c;
}
