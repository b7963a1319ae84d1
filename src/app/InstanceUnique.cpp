#include "app/InstanceUnique.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <algorithm>

namespace {

// A request or an answer: one line of JSON.
QByteArray Ligne(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n'; }

constexpr qsizetype TailleMaxDemande = 1 << 20;

}  // namespace

QString NomServeurInstance() {
  // A full path: the socket is in this user's folder, out of other users' reach.
  return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)).filePath("brivane.socket");
}

bool TransmetAInstance(const TDemandeInstance& d, QString* documentOuvert, int attenteMs) {
  QJsonObject o;
  o["files"] = QJsonArray::fromStringList(d.Fichiers);
  o["merge"] = d.Fusion;
  const QByteArray demande = Ligne(o);
  // The socket comes a moment after the lock; the answer once the program is ready, which
  // may take a while when it is starting too.
  QDeadlineTimer connexion(3000), fin(attenteMs);
  QLocalSocket s;
  while (true) {
    s.connectToServer(NomServeurInstance());
    if (s.waitForConnected(500)) break;
    if (connexion.hasExpired()) return false;
    QThread::msleep(100);
  }
  s.write(demande);
  auto reste = [&fin] { return static_cast<int>(std::max<qint64>(fin.remainingTime(), 1)); };
  if (!s.waitForBytesWritten(reste())) return false;
  QByteArray reponse;
  while (!reponse.contains('\n') && !fin.hasExpired() && s.waitForReadyRead(reste())) reponse += s.readAll();
  if (!reponse.contains('\n')) return false;
  if (documentOuvert)
    *documentOuvert =
        QJsonDocument::fromJson(reponse.left(reponse.indexOf('\n'))).object()["document"].toString();
  return true;
}

TServeurInstance::TServeurInstance(QObject* parent) : QObject(parent), Serveur(new QLocalServer(this)) {
  Serveur->setSocketOptions(QLocalServer::UserAccessOption);
  // A socket left by a run that ended abruptly: this start holds the lock, so it is stale.
  QLocalServer::removeServer(NomServeurInstance());
  Serveur->listen(NomServeurInstance());
}

bool TServeurInstance::Ecoute() const { return Serveur->isListening(); }

void TServeurInstance::Traite(std::function<void(const TDemandeInstance&)> traite,
                              std::function<QString()> document) {
  Traitement = std::move(traite);
  Document = std::move(document);
  // Requests made meanwhile waited in the socket's queue.
  connect(Serveur, &QLocalServer::newConnection, this, [this] { Connexion(); });
  Connexion();
}

void TServeurInstance::Connexion() {
  while (QLocalSocket* s = Serveur->nextPendingConnection()) {
    connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
    connect(s, &QLocalSocket::readyRead, this, [this, s] { Lit(s); });
    if (s->bytesAvailable() > 0) Lit(s);
  }
}

void TServeurInstance::Lit(QLocalSocket* s) {
  if (!s->canReadLine()) {
    if (s->bytesAvailable() > TailleMaxDemande) s->abort();
    return;
  }
  const QJsonObject o = QJsonDocument::fromJson(s->readLine()).object();
  TDemandeInstance d;
  for (const auto& f : o["files"].toArray())
    if (!f.toString().isEmpty()) d.Fichiers << f.toString();
  d.Fusion = o["merge"].toBool();
  QJsonObject r;
  r["document"] = Document ? Document() : QString();
  s->write(Ligne(r));
  s->disconnectFromServer();
  // Questions may follow: not from inside the socket's signal.
  QTimer::singleShot(0, this, [this, d] { Traitement(d); });
}
