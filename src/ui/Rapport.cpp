#include "ui/Rapport.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "model/Document.h"

QPrinter* ImprimanteRapport = nullptr;
std::function<QString(bool)> ChoixFichierRapport;

namespace {

// One table: consecutive lines holding tabs.
struct TTableau {
  size_t Debut = 0, Fin = 0;  // lines [Debut, Fin)
  std::vector<double> Largeurs;
  std::vector<bool> Droite;  // a column of numbers is aligned on the right
  double Echelle = 1;        // the fonts shrink when the widest row does not fit the page
  double Ecart = 0;          // the blank after each column but the last
};

bool Nombre(const QString& s) {
  bool ok = false;
  s.trimmed().toDouble(&ok);
  return ok;
}

// A row whose cells after the first are empty (a heading) spans the table.
bool Pleine(const QStringList& c) {
  for (qsizetype i = 1; i < c.size(); i++)
    if (!c[i].isEmpty()) return false;
  return true;
}

}  // namespace

int ImprimeRapport(QPrinter& p, const QString& titre, const std::vector<TLigneRapport>& lignes) {
  p.setDocName(titre);
  QPainter g;
  if (!g.begin(&p)) return 0;
  const QRect page = g.viewport();
  auto police = [](bool titreLigne, double echelle) {
    QFont f("Arial");
    f.setPointSizeF((titreLigne ? 12 : 10) * echelle);
    f.setBold(titreLigne);
    // No ligatures: a reader searching the printed text finds "fi" as two letters.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
  };
  std::vector<QStringList> cellules(lignes.size());
  for (size_t i = 0; i < lignes.size(); i++)
    cellules[i] = QString::fromStdString(lignes[i].Texte).split('\t');

  // The tables and their columns.
  std::vector<int> tableDe(lignes.size(), -1);
  std::vector<TTableau> tableaux;
  for (size_t i = 0; i < lignes.size();) {
    if (cellules[i].size() < 2) {
      i++;
      continue;
    }
    TTableau t;
    t.Debut = i;
    while (i < lignes.size() && cellules[i].size() >= 2) tableDe[i++] = static_cast<int>(tableaux.size());
    t.Fin = i;
    for (int essai = 0; essai < 2; essai++) {
      t.Largeurs.clear();
      double ecart = 0;
      for (size_t k = t.Debut; k < t.Fin; k++) {
        const QStringList& c = cellules[k];
        if (t.Largeurs.size() < static_cast<size_t>(c.size()))
          t.Largeurs.resize(static_cast<size_t>(c.size()), 0);
        if (Pleine(c) && !lignes[k].Entete) continue;
        QFontMetricsF m(police(lignes[k].Titre, t.Echelle), g.device());
        ecart = std::max(ecart, m.horizontalAdvance("nnnn"));
        for (qsizetype j = 0; j < c.size(); j++)
          t.Largeurs[static_cast<size_t>(j)] =
              std::max(t.Largeurs[static_cast<size_t>(j)], m.horizontalAdvance(c[j]));
      }
      double total = 0;
      for (double& l : t.Largeurs) total += l + ecart;
      // Shrunk once in proportion, then measured again (widths are not exactly linear in size).
      if (total - ecart <= page.width() || essai == 1) {
        for (size_t j = 0; j + 1 < t.Largeurs.size(); j++) t.Largeurs[j] += ecart;
        t.Ecart = ecart;
        break;
      }
      t.Echelle = std::max(0.4, t.Echelle * page.width() / (total - ecart) * 0.98);
    }
    t.Droite.assign(t.Largeurs.size(), true);
    for (size_t k = t.Debut; k < t.Fin; k++) {
      if (lignes[k].Entete || Pleine(cellules[k])) continue;
      for (qsizetype j = 0; j < cellules[k].size(); j++)
        if (!cellules[k][j].isEmpty() && !Nombre(cellules[k][j])) t.Droite[static_cast<size_t>(j)] = false;
    }
    tableaux.push_back(std::move(t));
  }

  // Tables of the same columns broken by rules or headings keep the same columns.
  for (TTableau& t : tableaux)
    for (const TTableau& u : tableaux)
      if (u.Largeurs.size() == t.Largeurs.size() && u.Echelle == t.Echelle)
        for (size_t j = 0; j < t.Largeurs.size(); j++) t.Largeurs[j] = std::max(t.Largeurs[j], u.Largeurs[j]);

  int pages = 1;
  double y = 0;
  auto dessine = [&](size_t k) {
    const int n = tableDe[k];
    const TTableau* t = n >= 0 ? &tableaux[static_cast<size_t>(n)] : nullptr;
    const QFont f = police(lignes[k].Titre, t ? t->Echelle : 1);
    g.setFont(f);
    QFontMetricsF m(f, g.device());
    const QStringList& c = cellules[k];
    if (!t || (Pleine(c) && !lignes[k].Entete)) {
      g.drawText(QRectF(0, y, page.width(), m.height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                 c[0]);
    } else {
      double x = 0;
      for (qsizetype j = 0; j < c.size(); j++) {
        const auto u = static_cast<size_t>(j);
        const double l = t->Largeurs[u];
        // The gap after a column is on its right: a number ends where its column's text ends.
        const double plein = u + 1 < t->Largeurs.size() ? l - t->Ecart : l;
        const Qt::Alignment a = (t->Droite[u] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        g.drawText(QRectF(x, y, plein, m.height()), static_cast<int>(a | Qt::TextDontClip), c[j]);
        x += l;
      }
    }
    y += m.lineSpacing();
    return m.lineSpacing();
  };
  for (size_t k = 0; k < lignes.size(); k++) {
    const int n = tableDe[k];
    const double echelle = n >= 0 ? tableaux[static_cast<size_t>(n)].Echelle : 1;
    QFontMetricsF m(police(lignes[k].Titre, echelle), g.device());
    if (y + m.height() > page.height() && y > 0) {
      p.newPage();
      pages++;
      y = 0;
      // A table going on to a new page starts it with its header row again.
      if (n >= 0 && !lignes[k].Entete)
        for (size_t e = tableaux[static_cast<size_t>(n)].Debut; e < k; e++)
          if (lignes[e].Entete) {
            dessine(e);
            break;
          }
    }
    dessine(k);
  }
  g.end();
  return pages;
}

bool DemandeImpression(QWidget* parent, const QString& titre, const std::vector<TLigneRapport>& lignes) {
  if (ImprimanteRapport) return ImprimeRapport(*ImprimanteRapport, titre, lignes) > 0;
  QPrinter p(QPrinter::HighResolution);
  QPrintDialog d(&p, parent);
  d.setWindowTitle(titre);
  if (d.exec() != QDialog::Accepted) return false;
  return ImprimeRapport(p, titre, lignes) > 0;
}

QString FiltreQtDialogue(const QString& filtre) {
  QStringList p = filtre.split('|');
  QStringList r;
  for (int i = 0; i + 1 < p.size(); i += 2) {
    const QString motifs = p[i + 1].trimmed();
    const QString blancs = QString(motifs).replace(';', ' ');
    QString nom = p[i].trimmed();
    for (const QString& m : {motifs, blancs})
      if (nom.endsWith("(" + m + ")")) nom = nom.left(nom.size() - m.size() - 2).trimmed();
    r << nom + " (" + blancs + ")";
  }
  return r.join(";;");
}

QString AvecExtension(const QString& chemin, const QString& filtreQt) {
  if (chemin.isEmpty() || !QFileInfo(chemin).suffix().isEmpty()) return chemin;
  const qsizetype a = filtreQt.lastIndexOf('('), b = filtreQt.lastIndexOf(')');
  if (a < 0 || b <= a) return chemin;
  for (const QString& m : filtreQt.mid(a + 1, b - a - 1).split(' ', Qt::SkipEmptyParts)) {
    if (!m.startsWith("*.")) continue;
    const QString ext = m.mid(2);
    // "*.*" names no extension to add.
    if (ext.isEmpty() || ext.contains('*') || ext.contains('?')) return chemin;
    return chemin + "." + ext;
  }
  return chemin;
}

QString DemandeFichier(QWidget* parent, bool enregistrer, const std::string& filtre, const QString& titre) {
  const QString f = FiltreQtDialogue(QString::fromStdString(filtre));
  if (ChoixFichierRapport) {
    const QString c = ChoixFichierRapport(enregistrer);
    return enregistrer ? AvecExtension(c, f.section(";;", 0, 0)) : c;
  }
  if (!enregistrer) return QFileDialog::getOpenFileName(parent, titre, QString(), f);
  QString choisi;
  const QString c = QFileDialog::getSaveFileName(parent, titre, QString(), f, &choisi);
  return AvecExtension(c, choisi.isEmpty() ? f.section(";;", 0, 0) : choisi);
}

namespace {
class TFiltreCopie : public QObject {
 public:
  TFiltreCopie(QObject* parent, std::function<QString()> f) : QObject(parent), Texte(std::move(f)) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if ((e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(e)->matches(QKeySequence::Copy)) {
      if (e->type() == QEvent::KeyPress) QApplication::clipboard()->setText(Texte());
      e->accept();
      return true;
    }
    return QObject::eventFilter(o, e);
  }
  std::function<QString()> Texte;
};
}  // namespace

void InstalleCopie(QWidget* w, std::function<QString()> texte) {
  w->installEventFilter(new TFiltreCopie(w, std::move(texte)));
}
