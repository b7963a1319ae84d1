// A second reader of our IGES files, built on OpenCASCADE: what it understood of
// the Global section, the faults it found, and points of every surface it made.
// Usage: lecteur_iges FILE [N1 N2]: each surface is sampled on (N1+1) x (N2+1) points
// evenly spread over its first and second parameters.
#include <BRep_Tool.hxx>
#include <Geom_Surface.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <IGESControl_Reader.hxx>
#include <IGESData_GlobalSection.hxx>
#include <IGESData_IGESModel.hxx>
#include <Interface_Check.hxx>
#include <Interface_CheckIterator.hxx>
#include <Interface_Static.hxx>
#include <TCollection_HAsciiString.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <XSControl_WorkSession.hxx>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Texte(const Handle(TCollection_HAsciiString) & h) { return h.IsNull() ? "" : h->ToCString(); }

void Imprime(const Interface_CheckIterator& liste, int& echecs) {
  for (liste.Start(); liste.More(); liste.Next()) {
    const Handle(Interface_Check)& c = liste.Value();
    for (int i = 1; i <= c->NbFails(); i++) {
      echecs++;
      std::printf("echec %s\n", c->CFail(i));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const int n1 = argc > 3 ? std::atoi(argv[2]) : 0, n2 = argc > 3 ? std::atoi(argv[3]) : 0;
  IGESControl_Reader lecteur;
  // Points in metres (set once the reader has made its settings): a file read at the
  // right scale gives them back unchanged.
  Interface_Static::SetCVal("xstep.cascade.unit", "M");
  const IFSelect_ReturnStatus etat = lecteur.ReadFile(argv[1]);
  std::printf("lecture %d\n", etat == IFSelect_RetDone ? 1 : 0);
  if (etat != IFSelect_RetDone) return 1;
  Handle(IGESData_IGESModel) modele = lecteur.IGESModel();
  const IGESData_GlobalSection& g = modele->GlobalSection();
  std::printf("unites %d %s\n", g.UnitFlag(), Texte(g.UnitName()).c_str());
  std::printf("echelle %.17g\n", g.UnitValue());
  std::printf("fichier %s\n", Texte(g.FileName()).c_str());
  std::printf("auteur %s\n", Texte(g.AuthorName()).c_str());
  std::printf("societe %s\n", Texte(g.CompanyName()).c_str());
  int echecs = 0;
  Imprime(lecteur.WS()->ModelCheckList(), echecs);
  lecteur.TransferRoots();
  int surfaces = 0;
  for (int s = 1; s <= lecteur.NbShapes(); s++)
    for (TopExp_Explorer e(lecteur.Shape(s), TopAbs_FACE); e.More(); e.Next()) {
      surfaces++;
      Handle(Geom_Surface) surf = BRep_Tool::Surface(TopoDS::Face(e.Current()));
      double u0, u1, v0, v1;
      surf->Bounds(u0, u1, v0, v1);
      std::printf("surface %d %s %.17g %.17g %.17g %.17g\n", surfaces, surf->DynamicType()->Name(), u0, u1,
                  v0, v1);
      for (int i = 0; n1 > 0 && n2 > 0 && i <= n1; i++)
        for (int j = 0; j <= n2; j++) {
          const double u = u0 + (u1 - u0) * i / n1, v = v0 + (v1 - v0) * j / n2;
          const gp_Pnt p = surf->Value(u, v);
          std::printf("point %d %d %d %.17g %.17g %.17g\n", surfaces, i, j, p.X(), p.Y(), p.Z());
        }
    }
  std::printf("surfaces %d\n", surfaces);
  std::printf("echecs %d\n", echecs);
  return 0;
}
