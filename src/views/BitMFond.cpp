// Background pictures: decoding a file and fitting it to a view.
#include "views/BitMFond.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <filesystem>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "document/ImageFond.h"

namespace {

QImage VersQImage(const TImageRGBA& im) {
  QImage q(im.Largeur, im.Hauteur, QImage::Format_ARGB32);
  if (q.isNull()) return q;
  for (int y = 0; y < im.Hauteur; y++)
    std::copy_n(im.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(im.Largeur), im.Largeur,
                reinterpret_cast<std::uint32_t*>(q.scanLine(y)));
  return q;
}

bool DecodeBmp(const std::vector<std::uint8_t>& octets, QImage& out, std::string& raison) {
  if (octets.size() < 2 || octets[0] != 'B' || octets[1] != 'M') {
    raison = "not a bitmap";
    return false;
  }
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(octets.data()),
                                            static_cast<qsizetype>(octets.size()));
  QBuffer b(&data);
  b.open(QIODevice::ReadOnly);
  QImageReader r(&b, "bmp");
  const QSize s = r.size();
  if (!TailleImageAdmise(s.width(), s.height(), TLimitesImage{})) {
    raison = "bitmap size refused";
    return false;
  }
  QImage q = r.read();
  if (q.isNull()) {
    raison = r.errorString().toStdString();
    return false;
  }
  out = q.convertToFormat(QImage::Format_ARGB32);
  return true;
}

}  // namespace

std::string CheminImageFond(const std::string& nom, const std::string& document) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path p(nom);
  if (p.empty() || p.is_absolute() || fs::exists(p, ec) || document.empty()) return nom;
  fs::path voisin = fs::path(document).parent_path() / p;
  return fs::exists(voisin, ec) ? voisin.string() : nom;
}

bool ChargeImageFond(const std::string& chemin, QImage& image) {
  image = QImage();
  std::error_code ec;
  if (!std::filesystem::exists(chemin, ec)) {
    DbgErr(erFichier, "ChargeFondFichier", 0, {"missing", chemin});
    return false;
  }
  std::vector<std::uint8_t> octets;
  std::string raison;
  if (!LitOctetsImage(chemin, octets, &raison)) {
    DbgErr(erFichier, "ChargeFondFichier", 0, {raison});
    return false;
  }
  std::string rj, rb, rg;
  bool ok = false;
  TImageRGBA im;
  if (DecodeJpeg(octets, im, &rj)) image = VersQImage(im), ok = !image.isNull();
  QImage bmp;
  if (DecodeBmp(octets, bmp, rb)) image = std::move(bmp), ok = true;
  if (DecodeGif(octets, im, &rg)) {
    QImage q = VersQImage(im);
    if (!q.isNull()) image = std::move(q), ok = true;
  }
  if (!ok) DbgErr(erFichier, "ChargeFondFichier", 0, {chemin, "JPEG: " + rj, "BMP: " + rb, "GIF: " + rg});
  return ok;
}

bool EtireImageFond(const QImage& source, const TImageFondDoc& im, int w, int h, QImage& out) {
  TTailleImage t = TailleAjustee(im.Ajustement, source.width(), source.height(), w, h, im.LargeurFixe,
                                 im.HauteurFixe, MaxTailleImage);
  if (t.Largeur <= 0) return false;
  QImage q = t.Largeur == source.width() && t.Hauteur == source.height()
                 ? source
                 : source.scaled(t.Largeur, t.Hauteur, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (q.isNull()) return false;
  out = std::move(q);
  return true;
}
