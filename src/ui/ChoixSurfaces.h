// The list of surfaces to choose from, with "Toutes" and "Aucune" under it, as the
// windows that act on a choice of surfaces show it; and their plain push button.
#pragma once

class QBoxLayout;
class QListWidget;
class QPushButton;
class QWidget;

// A button with its text from the table, its object name, and no default-button role.
QPushButton* BoutonTexte(QWidget* parent, const char* cle, const char* nom);

struct TChoixSurfaces {
  QListWidget* Liste = nullptr;
  QPushButton* Toutes = nullptr;
  QPushButton* Aucune = nullptr;
};
// Adds the list (stretching) and its two buttons to the layout; the caller sizes the list.
TChoixSurfaces AjouteChoixSurfaces(QWidget* parent, QBoxLayout* dans);
