// A stand-in for the outside resistance program, so that writing its input, running it
// and plotting its output are tested end to end. Run as `michlet_substitut INPUT` in the
// folder of its files: it checks INPUT line by line against the input format (exits 1
// with the first fault on standard error), then writes "out.mlt" there with a resistance
// table from a rough estimate: ITTC 1957 friction on the wetted area taken from the
// offsets, plus a wave term growing with the Froude number. With the environment
// variable BRIVANE_SUBSTITUT_BLOQUE set it never ends (the time-limit test).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Faute : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Lecteur {
  std::vector<std::string> L;
  size_t I = 0;
  const std::string& Suivante() {
    if (I >= L.size()) throw Faute("file ends early, after line " + std::to_string(I));
    return L[I++];
  }
  void Attend(const std::string& attendu) {
    const std::string& l = Suivante();
    if (l != attendu)
      throw Faute("line " + std::to_string(I) + ": expected \"" + attendu + "\", found \"" + l + "\"");
  }
  double Reel() {
    const std::string& l = Suivante();
    char* fin = nullptr;
    const double v = std::strtod(l.c_str(), &fin);
    if (l.empty() || *fin != '\0' || !std::isfinite(v))
      throw Faute("line " + std::to_string(I) + ": not a number: \"" + l + "\"");
    return v;
  }
  int Entier() {
    const double v = Reel();
    if (v != std::floor(v)) throw Faute("line " + std::to_string(I) + ": not an integer");
    return static_cast<int>(v);
  }
  // A value line such as "2,320,0.0": its first field.
  double Premier() {
    const std::string& l = Suivante();
    char* fin = nullptr;
    const double v = std::strtod(l.c_str(), &fin);
    if (fin == l.c_str()) throw Faute("line " + std::to_string(I) + ": not a value: \"" + l + "\"");
    return v;
  }
};

const char* const Generaux[17] = {
    "Gravitational Acceleration (m/sec/sec) (min 9.6, max 9.9)",
    "Water Density (kg/cubic metre) (min 995.0, max 1030.0)",
    "Water Kin. Viscosity (sq. m/sec * 10^-6) (min 0.8, max 1.31)",
    "Water Eddy Viscosity (sq. m/sec) (min 0.0, max 0.1)",
    "Water Depth (metres) (max=10000.0)",
    "Sea State (0=Calm)",
    "Ship Motion Method (0=None)",
    "Minimum Speed (m/sec) (min 0.01, max 39.9)",
    "Maximum Speed (m/sec) (max 40.0)",
    "Number of Speeds (min 2, max 50)",
    "Leeway Parameters (0=None)",
    "Wave Drag Method (0=None, 1,ntheta=Michell, 2,ntheta,Re=Michell+BL)",
    "Skin Friction Method (0=None, 1=ITTC1957)",
    "Form Factor Type (0=None, 1=Holtrop, 2=Scragg)",
    "Transom Condition (0=Wet, 1=Dry, 2,Ftcrit=Simple Finite Hollow)",
    "Added Resistance Method (0=None)",
    "Pressure Signature Method (0=None)",
};

struct Carene {
  double Volume = 0, Longueur = 0, TirantEau = 0, Mouillee = 0;
};

std::vector<std::string> LitLignes(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  if (!f) throw Faute("cannot open " + chemin);
  std::stringstream ss;
  ss << f.rdbuf();
  const std::string t = ss.str();
  if (t.empty()) throw Faute("empty file");
  if (t.size() < 2 || t.compare(t.size() - 2, 2, "\r\n") != 0) throw Faute("last line not ended by CR LF");
  std::vector<std::string> l;
  size_t d = 0;
  while (d < t.size()) {
    const size_t f2 = t.find('\n', d);
    if (f2 == 0 || t[f2 - 1] != '\r')
      throw Faute("line " + std::to_string(l.size() + 1) + " not ended by CR LF");
    l.push_back(t.substr(d, f2 - 1 - d));
    d = f2 + 1;
  }
  return l;
}

// One row of offsets: nw fields of exactly 11 characters, comma-separated.
std::vector<double> Cotes(Lecteur& r, int nw) {
  const std::string& l = r.Suivante();
  if (l.size() != static_cast<size_t>(nw) * 12 - 1)
    throw Faute("line " + std::to_string(r.I) + ": " + std::to_string(nw) +
                " offsets of 11 characters expected");
  std::vector<double> y;
  for (int j = 0; j < nw; j++) {
    const std::string champ = l.substr(static_cast<size_t>(j) * 12, 11);
    if (j + 1 < nw && l[static_cast<size_t>(j) * 12 + 11] != ',')
      throw Faute("line " + std::to_string(r.I) + ": comma expected after offset " + std::to_string(j + 1));
    char* fin = nullptr;
    const double v = std::strtod(champ.c_str(), &fin);
    if (*fin != '\0' || v < 0 || champ.find('.') == std::string::npos || champ.size() - champ.find('.') != 7)
      throw Faute("line " + std::to_string(r.I) + ": bad offset \"" + champ + "\"");
    y.push_back(v);
  }
  return y;
}

int Principal(const std::string& entree) {
  Lecteur r;
  r.L = LitLignes(entree);
  const std::string egal(70, '=');
  r.Attend(egal);
  r.Attend(std::string(27, ' ') + "MICHLET version 6");
  r.Attend(std::string(30, ' ') + "INPUT FILE");
  r.Attend(egal);
  for (int n = 1; n <= 5; n++) {
    const std::string debut = "Note " + std::to_string(n) + ":";
    if (r.Suivante().rfind(debut, 0) != 0)
      throw Faute("line " + std::to_string(r.I) + ": \"" + debut + "\" expected");
  }
  r.Attend(egal);
  r.Attend("Course Particulars (0=None)");
  r.Attend("0");
  r.Attend("Number of Hulls (1,2,..., 5)");
  const int nh = r.Entier();
  if (nh < 1 || nh > 5) throw Faute("number of hulls out of 1..5: " + std::to_string(nh));
  double v[17] = {};
  for (int i = 0; i < 17; i++) {
    r.Attend(Generaux[i]);
    v[i] = r.Premier();
  }
  const double g = v[0], rho = v[1], nu = v[2] * 1e-6, umin = v[7], umax = v[8];
  const int nv = static_cast<int>(v[9]);
  if (nv < 2) throw Faute("fewer than two speeds");
  r.Attend("Number of Offset Stations(rows)(odd integer: min 5, max 81");
  const int ns = r.Entier();
  r.Attend("Number of Offset Waterlines (columns)(odd integer: min 5, max 41");
  const int nw = r.Entier();
  if (ns < 2 || nw < 2) throw Faute("fewer than two stations or waterlines");
  r.Attend("Sectorial Wave Elevation Patch Parameters (R0, R1, Beta, Nr, NBeta)");
  r.Suivante();
  r.Attend("Rectangular Wave Elevation Patch Parameters (x0,x1,y0,y1,Nx,Ny)");
  r.Suivante();

  std::vector<Carene> carenes;
  for (int h = 0; h < nh; h++) {
    const std::string& titre = r.Suivante();
    const std::string bord(28, '=');
    if (titre.size() < 58 || titre.rfind(bord + " ", 0) != 0 ||
        titre.compare(titre.size() - 29, 29, " " + bord) != 0)
      throw Faute("line " + std::to_string(r.I) + ": hull title line expected");
    std::vector<std::vector<double>> y;
    for (int k = 0; k < ns; k++) y.push_back(Cotes(r, nw));
    r.Attend("");
    Carene c;
    r.Attend("Displacement Volume (cubic metres)");
    c.Volume = r.Reel();
    r.Attend("Length (metres)");
    c.Longueur = r.Reel();
    r.Attend("Draft (metres)");
    c.TirantEau = r.Reel();
    r.Attend("Longitudinal Separation (metres) (0.0 for a monohull)");
    r.Reel();
    r.Attend("Lateral Separation Distance (metres) (0.0 for a monohull)");
    r.Reel();
    for (const char* t : {"Loading Particulars (0=None)", "Trim (0=None, 2=Exp)", "Sink (0=None, 2=Exp)",
                          "Heel (0=None)", "Appendages (0=None)", "Other Particulars (0=None)"}) {
      r.Attend(t);
      r.Attend("0");
    }
    if (c.Longueur <= 0) throw Faute("hull " + std::to_string(h + 1) + " has no waterline length");
    // Girths over equally spaced waterlines, both sides, integrated along equally spaced stations.
    const double dz = c.TirantEau / (nw - 1), dx = c.Longueur / (ns - 1);
    std::vector<double> girth(static_cast<size_t>(ns), 0.0);
    for (int k = 0; k < ns; k++)
      for (int j = 1; j < nw; j++)
        girth[static_cast<size_t>(k)] += std::hypot(y[static_cast<size_t>(k)][static_cast<size_t>(j)] -
                                                        y[static_cast<size_t>(k)][static_cast<size_t>(j - 1)],
                                                    dz);
    for (int k = 1; k < ns; k++)
      c.Mouillee += 2 * dx * (girth[static_cast<size_t>(k)] + girth[static_cast<size_t>(k - 1)]) / 2;
    carenes.push_back(c);
  }
  if (r.I != r.L.size()) throw Faute("unexpected text after the last hull, line " + std::to_string(r.I + 1));

  if (std::getenv("BRIVANE_SUBSTITUT_BLOQUE"))
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));

  std::ofstream out("out.mlt", std::ios::binary);
  out << "MICHLET stand-in output (resistances in kN)\r\n";
  out << "Hulls: " << nh << "\r\n\r\n";
  out << " U (m/sec),       Rr     ,       Rt\r\n";
  for (int i = 0; i < nv; i++) {
    const double u = umin + (umax - umin) * i / (nv - 1);
    double rr = 0, rt = 0;
    for (const Carene& c : carenes) {
      const double re = u * c.Longueur / nu;
      const double cf = 0.075 / std::pow(std::log10(re) - 2, 2);
      const double rf = 0.5 * rho * c.Mouillee * u * u * cf;
      const double fn = u / std::sqrt(g * c.Longueur);
      const double rw = rho * g * c.Volume * 0.05 * std::pow(fn, 4) / (1 + std::pow(fn, 4));
      rr += rw / 1000, rt += (rf + rw) / 1000;
    }
    char ligne[128];
    std::snprintf(ligne, sizeof ligne, "%10.6f, %12.6f, %12.6f\r\n", u, rr, rt);
    out << ligne;
  }
  out << "\r\nEnd of output\r\n";
  return out ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: michlet_substitut INPUT\n");
    return 2;
  }
  try {
    return Principal(argv[1]);
  } catch (const Faute& e) {
    std::fprintf(stderr, "michlet_substitut: %s: %s\n", argv[1], e.what());
    return 1;
  }
}
