// Numeric editing of control points.
#include "edition/EditPC.h"

#include <cstdio>

#include "base/Chaines.h"
#include "base/FichierStr.h"
#include "edition/Selection.h"
#include "session/ObjCom.h"

namespace {

TPtNet* Vertex(TDocument& doc, const TPC& pc) {
  TSurface* s = doc.SurfNurbs(pc.NumSurf);
  if (!s || pc.NumLn < 0 || pc.NumLn >= s->Net.NbLn || pc.NumCol < 0 || pc.NumCol >= s->Net.NbCol)
    return nullptr;
  return &s->Net.PC[pc.NumLn][pc.NumCol];
}

double& Coord(TPtNet& p, int c) { return c == 0 ? p.X : c == 1 ? p.Y : c == 2 ? p.Z : p.W; }

std::string F3(double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%.3f", v);
  return b;
}

}  // namespace

bool LitCoordonnee(const std::string& texte, double& v) { return LitReel(texte, v); }

bool VertexNurbs(const TDocument& doc, const TPC& pc) {
  return Vertex(const_cast<TDocument&>(doc), pc) != nullptr;
}

bool AppliqueVertex(TDocument& doc, const TPC& pc, const TPtNet& edite) {
  TPtNet* p = Vertex(doc, pc);
  if (!p || *p == edite) return false;
  const TVertex3f d{edite.X - p->X, edite.Y - p->Y, edite.Z - p->Z};
  for (const TPC& q : MakeLstMovePC(doc, {pc})) {
    if (q == pc) continue;
    if (TPtNet* v = Vertex(doc, q)) {
      v->X += d.X, v->Y += d.Y, v->Z += d.Z;
      doc.Surf(q.NumSurf).MarqueNonCalculee();
    }
  }
  // The typed values themselves, not net + d: no rounding on the vertex the user sees.
  *p = edite;
  doc.Surf(pc.NumSurf).MarqueNonCalculee();
  MajMinMaxAllNet(doc, false);
  return true;
}

bool EcritCoordonnee(TDocument& doc, const TPC& pc, int coord, double v) {
  TPtNet* p = Vertex(doc, pc);
  if (!p || coord < 0 || coord > 3 || Coord(*p, coord) == v) return false;
  // A coordinate typed here moves the welded partners as the editor and a drag do.
  TPtNet edite = *p;
  Coord(edite, coord) = v;
  return AppliqueVertex(doc, pc, edite);
}

double LitCoordonneeVertex(const TDocument& doc, const TPC& pc, int coord) {
  TPtNet* p = Vertex(const_cast<TDocument&>(doc), pc);
  return p && coord >= 0 && coord <= 3 ? Coord(*p, coord) : 0;
}

std::vector<TLignePC> LignesListePC(const TDocument& doc) {
  std::vector<TLignePC> l;
  for (int k = 0; k < doc.NbSurf(); k++) {
    const auto* s = dynamic_cast<const TSurface*>(&doc.Surf(k));
    if (!s) continue;
    for (int i = 0; i < s->Net.NbLn; i++)
      for (int j = 0; j < s->Net.NbCol; j++) {
        const TPtNet& p = s->Net.PC[i][j];
        l.push_back({std::to_string(l.size() + 1), s->Nom, std::to_string(k), std::to_string(i),
                     std::to_string(j), F3(p.X), F3(p.Y), F3(p.Z), F3(p.W)});
      }
  }
  return l;
}

// Built at each call: the texts follow a change of language.
TLignePC EnteteListePC() {
  return {
      "", rs("rsLstPcSurface"), rs("rsLstPcNumero"), rs("rsLstPcLigne"), rs("rsLstPcColonne"), "X", "Y", "Z",
      "W"};
}

std::vector<std::string> ExportListePC(const std::vector<TLignePC>& lignes) {
  std::vector<std::string> r;
  auto ajoute = [&r](const TLignePC& l) {
    std::string t;
    for (const auto& c : l) t += c + ";";
    r.push_back(t);
  };
  ajoute(EnteteListePC());
  for (const auto& l : lignes) ajoute(l);
  return r;
}
