#include "ui/Rapport.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextOption>

#include "model/Document.h"

QPrinter* ImprimanteRapport = nullptr;
std::function<QString(bool)> ChoixFichierRapport;

int ImprimeRapport(QPrinter& p, const QString& titre, const std::vector<TLigneRapport>& lignes) {
  p.setDocName(titre);
  QPainter g;
  if (!g.begin(&p)) return 0;
  const QRect page = g.viewport();
  QFont grand("Arial", 12), petit("Arial", 10);
  grand.setBold(true);
  int pages = 1;
  int y = 0;
  for (const TLigneRapport& l : lignes) {
    const QFont& f = l.Titre ? grand : petit;
    g.setFont(f);
    QFontMetrics m(f, g.device());
    if (y + m.height() > page.height() && y > 0) {
      p.newPage();
      pages++;
      y = 0;
    }
    QTextOption o;
    // Labels run to about 45 characters: values start in a column of their own.
    o.setTabStopDistance(m.horizontalAdvance(QString(48, 'n')));
    o.setWrapMode(QTextOption::NoWrap);
    g.drawText(QRectF(0, y, page.width(), m.height()), QString::fromStdString(l.Texte), o);
    y += m.lineSpacing();
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

QString DemandeFichier(QWidget* parent, bool enregistrer, const std::string& filtre, const QString& titre) {
  if (ChoixFichierRapport) return ChoixFichierRapport(enregistrer);
  QStringList p = QString::fromStdString(filtre).split('|');
  QStringList f;
  for (int i = 0; i + 1 < p.size(); i += 2) f << p[i] + " (" + p[i + 1] + ")";
  return enregistrer ? QFileDialog::getSaveFileName(parent, titre, QString(), f.join(";;"))
                     : QFileDialog::getOpenFileName(parent, titre, QString(), f.join(";;"));
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
