// The text table and its loading from a language file.
#include "base/Chaines.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <unordered_map>

#include "base/Debug.h"
#include "base/Encodage.h"

namespace {

// Keys and French defaults. Later units append their own texts here, in this table's order.
const std::vector<TChaineDef> Defs = {
    // Shared texts
    {"rsBtnOK", "&OK"},
    {"rsBtnAnnuler", "&Annuler"},
    {"rsBtnFermer", "&Fermer"},
    {"rsBtnToutes", "&Toutes"},
    {"rsBtnAucune", "&Aucune"},
    {"rsBtnAjouter", "&Ajouter"},
    {"rsBtnSupprimer", "&Supprimer"},
    {"rsBtnCalculer", "&Calculer"},
    {"rsBtnPorteeCalculs", "&Portée des calculs..."},
    {"rsBtnYes", "&Oui"},
    {"rsBtnNo", "&Non"},
    {"rsOK", "OK"},
    {"rsAnnuler", "Annuler"},
    {"rsSelection", "Sélection"},
    {"rsNom", "Nom"},
    {"rsGBPositionCaption", "Position"},
    {"rsLabelEpaisseurCaption", "Épaisseur"},
    {"rsLabelVersionCaption", "Version "},
    {"rsSection", "Vertical"},
    {"rsPlan", "Plan"},
    {"rsProfil", "Profil"},
    {"rsPersp", "Perspective"},
    {"rsVueSection", "Vue transversale"},
    {"rsVuePlan", "Vue horizontale"},
    {"rsVueProfil", "Vue longitudinale"},
    {"rsVuePersp", "Vue perspective"},
    {"rsStudio", "Studio"},
    {"rsCouples", "Couples"},
    {"rsLignesE", "Lignes d'eau"},
    {"rsLongits", "Longitudinales"},
    {"rsDiags", "Diagonales"},
    {"rsLabelEsp", "Espacement :"},
    {"rsExport", "Export"},
    {"rsImprimer", "Imprimer"},
    {"rsXVal", "X=%.4f"},
    {"rsYVal", "Y=%.4f"},
    {"rsZVal", "Z=%.4f"},
    {"rsMinX", "Min X=%.4f"},
    {"rsMaxX", "Max X=%.4f"},
    {"rsMinY", "Min Y=%.4f"},
    {"rsMaxY", "Max Y=%.4f"},
    {"rsMinZ", "Min Z=%.4f"},
    {"rsMaxZ", "Max Z=%.4f"},
    {"rsNmExportTXT", "Export TXT"},
    {"rsNmExportDXF", "Export DXF"},
    {"rsNmExportIGES", "Export IGES"},
    {"rsMainFormCaption", "Brivane"},
    {"rsTXTFilter", "Fichiers texte (*.txt)|*.txt|Tous fichiers (*.*)|*.*"},
    {"rsDXFFilter", "Fichiers DXF (*.dxf)|*.dxf|Tous les fichiers (*.*)|*.*"},
    {"rsIGESFilter", "Fichiers IGES (*.igs)|*.igs|Tous fichiers (*.*)|*.*"},
    {"rsNmExportSTL", "Export STL"},
    {"rsSTLFilter", "Fichiers STL (*.stl)|*.stl|Tous fichiers (*.*)|*.*"},
    {"rsNmExportOBJ", "Export OBJ"},
    {"rsOBJFilter", "Fichiers OBJ (*.obj)|*.obj|Tous fichiers (*.*)|*.*"},
    {"rsExportAucunCorps", "Aucun corps fermé, visible et compté dans les calculs : rien n'est écrit"},
    {"rsExportFormGBEntites", "Entités"},
    {"rsExportFormCBAretes", "Arêtes"},
    {"rsExportFormCBSurfParam", "Surface paramétrique"},
    {"rsExportFormRBMaillage", "Maillage 3D"},
    {"rsExportFormRBCourbes", "Courbes"},
    {"rsExportFormCBNurbs", "NURBS"},
    {"rsExportFormCBGrille", "Grille"},
    {"rsExportFormCBAxes", "Axes"},
    {"rsExportFormGBContexte", "Contexte"},
    {"rsExportFormRB3D", "3D"},
    {"rsExportFormRB2D", "2D"},
    {"rsExportFormCBCouleurs", "Couleurs"},
    {"rsCSVFilter", "Fichiers CSV (séparateur ;) (*.csv)|*.csv|Tous fichiers (*.*)|*.*"},
    // Message dialog captions
    {"rsAvertissement", "Avertissement"},
    {"rsErreur", "Erreur"},
    {"rsInformation", "Information"},
    {"rsConfirmation", "Confirmation"},
    // Geometry and nets
    {"rsErActionNonPrevue", "Action non prévue"},
    {"rsErrCasDroites", "Cas impossible dans le mode de calcul des droites"},
    {"rsErrCasImpossible", "Cas impossible"},
    {"rsMaxLignes", "Nombre maximum de lignes atteint"},
    {"rsMaxCols", "Nombre maximum de colonnes atteint"},
    {"rsSupprLnImpossible", "Impossible de supprimer cette ligne"},
    {"rsSupprColImpossible", "Impossible de supprimer cette colonne"},
    {"rsSelMore2Vx", "Sélectionnez plus de deux vertex"},
    {"rsSelLeast2Vx", "Sélectionnez au moins deux vertex"},
    {"rsAlignImpossible", "Alignement impossible"},
    {"rsErrServNonFourniPersp", "Service non fourni pour PerspForm"},
    {"rsErrFenNonDeclaree", "Fenêtre fille non déclarée"},
    {"rsErrCommande", "La commande %s a échoué : %s"},
    {"rsErrInsertionPremier", "Placez le vertex courant après la première ligne ou colonne pour insérer"},
    {"rsErrFlexibilite", "Erreur : flexibilité non défini"},
    {"rsRigide", "Rigide"},
    {"rsPeuflexible", "Peu flexible"},
    {"rsFlexible", "Flexible"},
    {"rsSouple", "Souple"},
    {"rsTresSouple", "Très souple"},
    // Surfaces
    {"rsSurfDejaCalculee", "Surface deja calculee... Correction !"},
    {"rsErrMaxSurf", "Nombre maximum de Surfaces atteint"},
    {"rsErrMaxSurfOuv", "Nombre maximum de Surfaces ouvertes atteint"},
    {"rsSurfSelMax", "Trop de surfaces sont sélectionnées. Le nombre maximum de surfaces est atteint."},
    {"rsConfirmDeleteSurface", "Etes-vous sûr de supprimer les surfaces sélectionnées ?"},
    {"rsErrNomDonne", "Nom de surface déjà utilisé"},
    {"rsErrNomObligatoire", "Donnez un nom à la surface"},
    {"rsNomUtilise", "Nom déjà utilisé"},
    {"rsMauvaiseSelection", "Mauvaise Sélection"},
    {"rsEmptyName", "Le nom ne doit pas être vide"},
    {"rsFermetureVol", "Voulez vous fermer le volume ?"},
    {"rsListeSurfFormCapVer", "Verrouillage des surfaces"},
    {"rsListeSurfFormCapPorteeCalc", "Portée des calculs"},
    {"rsListeSurfFormCapSuppr", "Suppression de surfaces"},
    {"rsListeSurfFormCapDuplic", "Dupliquer des surfaces"},
    {"rsListeSurfFormCapRetVer", "Miroir vertical"},
    {"rsListeSurfFormCapRetHor", "Miroir horizontal"},
    {"rsListeSurfFormCapExportSurf", "Export de surfaces"},
    {"rsListeSurfFormCapVisib", "Visibilité des surfaces"},
    {"rsAddSurfDef", "Carène par défaut"},
    {"rsAddPlanHoriz", "Plan horizontal"},
    {"rsAddPlanVertLong", "Plan vertical longitudinal"},
    {"rsAddPlanVertTran", "Plan vertical transverse"},
    {"rsAddCylHoriz", "Cylindre horizontal"},
    {"rsAddCylHorizTrans", "Cylindre horiz. transverse"},
    {"rsAddCylVert", "Cylindre vertical"},
    {"rsErrGrilleRedim", "Mémoire insuffisante pour la grille de la surface"},
    {"rsErrCompteInvalide", "Valeur hors limites : %s"},
    {"rsSurfNewFormCaption", "Nouvelle surface"},
    {"rsLabelNomSurfaceCaption", "Nom :"},
    {"rsTypeSurf", "Type de surface"},
    {"rsGBPropSurfCaption", "Propriétés"},
    {"rsLabelFlexCaption", "Flexibilité"},
    {"rsLabelFlexLongCaption", "Longitudinale"},
    {"rsLabelFlexTransCaption", "Transversale"},
    {"rsCBVisibleCaption", "Visible"},
    {"rsCBVerrouCaption", "Verrouillée"},
    {"rsCBSymCaption", "Symétrique"},
    {"rsCBCalcCaption", "Flotteur"},
    {"rsCBVoileCaption", "Voile"},
    {"rsListeSurfFormCaption", "Surfaces"},
    {"rsSurfaceRename", "Renommer une surface"},
    {"rsLabelNouveauNom", "Nouveau nom :"},
    {"rsListeSurfVisiblesFormCaption", "Visibilité des surfaces"},
    {"rsPropSurfFormCaption", "Propriétés"},
    {"rsLabelSurfaceCaption", "Surface :"},
    {"rsGBFlexibiliteCaption", "Flexibilité"},
    {"rsLabelLongCaption", "Longitudinale"},
    {"rsLabelTransCaption", "Transversale"},
    {"rsGBCouleurCaption", "Couleur"},
    {"rsRB_CouleurPersCaption", "Personnalisée"},
    {"rsRB_CouleurDefCaption", "Défaut"},
    {"rsBtnCouleur", "C&hoisir..."},
    {"rsGBRealVirtCaption", "Matériau"},
    {"rsGBAmbianceCaption", "Ambiance"},
    {"rsGBReflexiviteCaption", "Réflexivité"},
    {"rsLabelIntensiteCaption", "Intensité"},
    {"rsLabelTacheCaption", "Tache"},
    {"rsGBEmissiviteCaption", "Emissivité"},
    {"rsGBTransparenceCaption", "Opacité"},
    {"rsGBPlanSymCaption", "Plan de symétrie"},
    {"rsBtnRAZBasePlanSymCaption", "&Réinitialiser"},
    {"rsGB_CalculsCaption", "Calculs"},
    {"rsCheckBoxVisibleCaption", "Visible"},
    {"rsCheckBoxSymCaption", "Symétrique"},
    {"rsCheckBoxVerrouCaption", "Verrouillée"},
    {"rsCheckBoxACalcCaption", "Flotteur"},
    {"rsCheckBoxVoileCaption", "Voile"},
    {"rsRB_OrientDirecteCaption", "Orientation directe"},
    {"rsRB_OrientIndirecteCaption", "Orientation Indirecte"},
    {"rsCB_JonctionSymCaption", "Fermer le volume"},
    {"rsGBDefPoidsCaption", "Poids"},
    {"rsRBPoidsCentreBCaption", "Centre du bordé"},
    {"rsRBPoidsCentreVCaption", "Centre du volume"},
    {"rsRB_PoidsFixeBCaption", "Poids fixe"},
    {"rsRB_EpaisseurDensCaption", "Épaisseur et densité"},
    {"rsLabelDensiteBCaption", "Densité [t/m3]"},
    {"rsLabelEpaisseurMCaption", "Épaisseur [m]"},
    {"rsRB_PoidsParM2Caption", "Poids par m²"},
    {"rsLabelPoidsM2Caption", "Poids par m² [kg]"},
    {"rsLabelPoidsFixeCaption", "Poids [kg]"},
    {"rsRB_PoidsFixeVCaption", "Poids fixe"},
    {"rsRB_DensCaption", "Densité"},
    {"rsCB_CGCaption", "Centre de gravité"},
    {"rsErrValeurChamp", "%s : « %s » n'est pas une valeur correcte (de %s à %s)"},
    // Hydrostatics
    {"rsHydrostatFormCaption", "Calculs hydrostatiques"},
    {"rsTableHydro", "Table hydrostatique"},
    {"rsCourbesKN", "Courbes pantocarènes KN"},
    {"rsAxeKNGite", "Angle de gite [°]"},
    {"rsAxeAiresLongueur", "Longueur [m]"},
    {"rsAxeAiresAire", "Aire [m²]"},
    {"rsDefPoidsCaption", "Nouveau ballast"},
    {"rsKNDeplacementsManquants", "Donnez au moins un déplacement en kg"},
    {"rsKNDeplacementInvalide", "« %s » n'est pas un déplacement en kg supérieur à 0"},
    {"rsGBCareneImmergee", "Carène immergée"},
    {"rsVolumeIm", "Volume immergé [m3]"},
    {"rsDeplacementEauDouce", "Déplacement en eau douce [Kg]"},
    {"rsDeplacementEauMer", "Déplacement en eau de mer [Kg]"},
    {"rsCentreCareneX", "CC x [m]"},
    {"rsCentreCareneY", "CC y [m]"},
    {"rsCentreCareneZ", "CC z [m]"},
    {"rsVolume1cm", "Volume pour enfoncement 1 cm [m3]"},
    {"rsSurfImmergeeTitre", "Surface immergée"},
    {"rsSurfImmergee", "Surface immergée [m²]"},
    {"rsGBCoeff", "Coefficients"},
    {"rsCoeffPrismatique", "Coef. prismatique"},
    {"rsCoeffBloc", "Coef. de bloc"},
    {"rsCoeffVolumique", "Coef. volumique ( V/L puiss(3) )"},
    {"rsCoeffFinesseGlobal", "Coef. de finesse global ( L/V puiss(1/3) )"},
    {"rsGBFlottaison", "Flottaison"},
    {"rsLongDWL", "Longueur [m]"},
    {"rsLargDWL", "Largeur [m]"},
    {"rsAireDWL", "Aire [m²]"},
    {"rsAireDWLX", "CF X [m]"},
    {"rsAireDWLY", "CF Y [m]"},
    {"rsAireDWLZ", "CF Z [m]"},
    {"rsAireDWLPerimetre", "Périmètre [m]"},
    {"rsGBMaitreCouple", "Maître couple"},
    {"rsAire", "Aire [m²]"},
    {"rsMaitreCoupleX", "MC x [m]"},
    {"rsMaitreCoupleY", "MC y [m]"},
    {"rsMaitreCoupleZ", "MC z [m]"},
    {"rsMaitreCoupleRatio", "Ratio au max [%]"},
    {"rsGBSurfDerive", "Centre latéral anti-dérive"},
    {"rsSurfDeriveValeur", "Aire [m²]"},
    {"rsSurfDeriveY", "MC y [m]"},
    {"rsSurfDeriveZ", "MC z [m]"},
    {"rsGBStabInitiale", "Stabilité initiale"},
    {"rsInertieT", "Inertie transversale It [m4]"},
    {"rsInertieL", "Inertie longitudinale Il [m4]"},
    {"rsBMt", "BMt [m]"},
    {"rsBMl", "BMl [m]"},
    {"rsKB", "KB [m]"},
    {"rsKMt", "KMt [m]"},
    {"rsKMl", "KMl [m]"},
    {"rsCoeffFlottaison", "Coef. de flottaison Cwp"},
    {"rsCoeffMaitreCouple", "Coef. de maître couple Cm"},
    {"rsTPC", "Immersion par cm [t/cm]"},
    {"rsMCT", "Moment pour changer l'assiette de 1 cm [t.m/cm]"},
    {"rsGMt", "GMt [m]"},
    {"rsGMl", "GMl [m]"},
    {"rsCareneRetournee",
     "La surface %s a un volume immergé négatif (%.4f m3) : son \"Orientation\" est inversée"},
    {"rsCareneOuverte",
     "La surface %s doit fermer un volume mais n'a pas de symétrie : le volume reste ouvert"},
    {"rsCourbeAires", "Courbe des aires"},
    {"rsErreurImportReperes", "Erreur de lecture du fichier d'import"},
    {"rsErreurImportLigne", " (ligne %d)"},
    {"rsErreurImportTrop", " : plus de %d lignes"},
    {"rsErrReperesChampsVides", "Les champs X, Y et Z doivent être renseignés !"},
    {"rsErrRepereValeur", "L'un des champs a une valeur erronée"},
    {"rsReperesFormCaption", "Liste des repères"},
    {"rsEnvahissementFormCaption", "Points d'envahissement"},
    {"rsDefReperesFormCaption", "Nouveau repère"},
    {"rsImportRepFormCaption", "Import de repères"},
    {"rsCotesFormCaption", "Liste des cotes"},
    {"rsMesureRefuseePersp", "Les mesures ne sont pas possibles dans la vue en perspective"},
    {"rsMetre", "Mètre"},
    {"rsRayon", "Rayon"},
    {"rsAngle", "Angle"},
    {"rsAireFormCaption", "Calcul des aires"},
    {"rsAiresVoilesFormCaption", "Surface de voilure"},
    {"rsVoileAntiDerive",
     "Centre latéral anti-dérive (sous Z = 0, hors voiles) : aire %.3f m², Y %.3f m, Z %.3f m"},
    {"rsVoileAvance",
     "Avance du centre de voilure sur le centre latéral (Y de l'un moins Y de l'autre) : %.3f m"},
    {"rsVoileAvanceSansVoile", "Avance : aucune (pas de voilure)"},
    {"rsVoileAvanceSansPlan", "Avance : aucune (pas de plan anti-dérive sous Z = 0)"},
    {"rsAireColNom", "Nom de la surface"},
    {"rsAireColImmergee", "Surface immergée"},
    {"rsAireColEmergee", "Surface émergée"},
    {"rsAireColTotale", "Aire totale"},
    {"rsAireTotale", "Aire totale"},
    {"rsVoileColValeur", "Valeur"},
    {"rsLongueurAxe", "Longueur [m]"},
    {"rsAireAxe", "Aire [m²]"},
    {"rsErrPorteeVide", "Aucune surface dans la portée des calculs"},
    // Document files
    {"rsFichierInexistant", "Fichier %s inexistant"},
    {"rsErrLectureFichierNom", "Impossible de lire le fichier %s"},
    {"rsErrFichierTropGrand", "Fichier trop volumineux pour un document"},
    {"rsErrPasFichierOrdinaire", "%s n'est pas un fichier ordinaire : il n'est pas lu"},
    {"rsErrCibleDossier", "ce nom est celui d'un dossier, pas d'un fichier"},
    {"rsErrCiblePasOrdinaire", "ce nom n'est pas celui d'un fichier ordinaire"},
    {"rsErrNomFichierVide", "Aucun nom de fichier"},
    {"rsErrPasUnDocument", "Ce fichier n'est pas un document Brivane : aucune section reconnue"},
    {"rsErrLectNbVx", "Erreur de lecture du fichier; NbVxi & NbVxj <=0 - Surf"},
    {"rsErrLectVertex", "Erreur de lecture du fichier; Vertex - Str = "},
    {"rsErrLectHorsBorne", "Erreur de lecture du fichier; %s = %s dépasse les limites d'un bateau (±%s)"},
    {"rsErrLectPlanS", "Erreur de lecture du fichier SURF/PlanS - Str ="},
    {"rsErrLectSoudes", "Erreur de lecture du fichier : SOUDES - Str ="},
    {"rsErrLectSoudesIgnores",
     "Erreur de lecture du fichier : SOUDES - %d vertex soudés hors des surfaces lues ignorés"},
    {"rsErrLectHorsLimites", "Erreur de lecture du fichier; %s hors limites - Surf %d - Str = %s"},
    {"rsErrLectType", "Erreur de lecture du fichier; type de surface inconnu - Surf %d - Str = %s"},
    {"rsErrLectLieu", " (fichier %s, ligne %d)"},
    {"rsErrLectOctetNul", "Erreur de lecture du fichier : octets nuls, le fichier est abîmé"},
    {"rsErrLectSansFin",
     "Erreur de lecture du fichier : la section %s n'a pas de [END], le fichier est coupé ou abîmé"},
    {"rsErrLectSectionIgnoree", "Erreur de lecture du fichier : la section %s n'a pas été lue"},
    {"rsErrLectFinManquante",
     "Erreur de lecture du fichier : la dernière section (ENVAHISEMENT) manque, le fichier est coupé"},
    {"rsErrLectGrilleLSE", "Erreur de lecture du fichier : GRILLE/LSE - Str = "},
    {"rsErrLectGrilleLLE", "Erreur de lecture du fichier : GRILLE/LLE - Str = "},
    {"rsErrLectGrilleLLg", "Erreur de lecture du fichier : GRILLE/LLg - Str = "},
    {"rsErrLectGrilleLDg", "Erreur de lecture du fichier : GRILLE/LDg - Str = "},
    {"rsErrLectGrilleLDgA", "Erreur de lecture du fichier : GRILLE/LDgA - Str = "},
    {"rsErrLectVues", "Erreur de lecture du fichier : VUES/%s - Str = "},
    {"rsLectVueAbsente", "VUES/%s absente du fichier : la vue prend le zoom %s"},
    {"rsErrLectImSe", "Erreur de lecture ImSe - Str = "},
    {"rsErrLectImPl", "Erreur de lecture ImPl - Str = "},
    {"rsErrLectImPf", "Erreur de lecture ImpPf - Str = "},
    {"rsErrLectImPe", "Erreur de lecture ImpPe - Str = "},
    {"rsErrLectVueP", "Erreur de lecture du fichier : OPTIONS/VueP%d - Str = "},
    {"rsErrLectCotes", "Erreur de lecture du fichier : COTES - Str = "},
    {"rsErrLectBallast", "Erreur de lecture du fichier : BALLAST - Str = "},
    {"rsErrLectReperes", "Erreur de lecture du fichier : REPERES - Str = "},
    {"rsErrLectEnv", "Erreur de lecture du fichier : POINTS_ENV - Str = "},
    {"rsVueCtrlCaption", "Contrôle"},
    {"rsVueCtrlEchelle", "Echelle"},
    {"rsVueCtrlDeplH", "Dépl.Horizontal"},
    {"rsVueCtrlDeplV", "Dépl.Vertical"},
    {"rsVueCtrlAngleH", "Angle Horizontal"},
    {"rsVueCtrlAngleV", "Angle Vertical"},
    {"rsBitMFondCaption", "Charger une image de fond"},
    {"rsBitMFondSections", "Sections"},
    {"rsBitMFondPlan", "Plan"},
    {"rsBitMFondProfile", "Profile"},
    {"rsBitMFondPerspective", "Perspective"},
    {"rsBitMFondCharger", "Charger..."},
    {"rsBitMFondEffacer", "Effacer"},
    {"rsBitMFondAjustement", "Ajustement de la taille de l'image"},
    {"rsBitMFondAucun", "Aucun"},
    {"rsBitMFondLargeurFen", "Largeur de la fenêtre"},
    {"rsBitMFondHauteurFen", "Hauteur de la fenêtre"},
    {"rsBitMFondLargeurFixe", "Largeur fixée"},
    {"rsBitMFondHauteurFixe", "Hauteur fixée"},
    {"rsBitMFondFiltre",
     "Tout (*.bmp;*.jpg;*.gif)|*.bmp;*.jpg;*.gif|Bitmaps (*.bmp)|*.bmp|JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF "
     "(*.gif)|*.gif"},
    {"rsErrPoidsTotal", "Le nom TOTAL est réservé au poids total : choisissez un autre nom."},
    {"rsErrLectGrilleTrop",
     "Erreur de lecture du fichier : GRILLE/%s - plus de %d valeurs, les suivantes sont ignorées"},
    {"rsQuestOuvrirErreurs",
     "Le fichier %s n'a pu être lu qu'en partie (%d surface(s) lue(s)) ; ce qui suit est perdu :"},
    {"rsQuestOuvrirLu", "Ouvrir ce qui a pu être lu ? (Non : garder le dessin actuel)"},
    {"rsQuestFusionnerLu", "Ajouter au dessin ce qui a pu être lu ? (Non : garder le dessin tel quel)"},
    {"rsOuvertureAbandonnee", "Ouverture de %s abandonnée : le dessin actuel est conservé"},
    {"rsQuestEcraserErreurs",
     "Ce dessin a été ouvert avec des erreurs de lecture. Remplacer le fichier %s par ce qui a pu être lu ? "
     "Ce qui n'a pas été lu sera perdu."},
    {"rsQuestEcraserLectureSeule",
     "Le fichier %s est en lecture seule. L'enregistrer quand même à sa place ? (Non : ne rien enregistrer)"},
    {"rsErrEcritSurface", "Enregistrement impossible : la surface %s (SURF%d) a une valeur %s hors limites"},
    {"rsErrSauvegardeBak",
     "Impossible de créer la copie de sauvegarde %s : %s. Le document n'a pas été enregistré."},
    {"rsErrEcritureFichier",
     "Impossible d'enregistrer le fichier %s : %s. Le fichier précédent est intact et le document reste "
     "modifié."},
    {"rsErrEcritNonFinis", "%d valeurs non numériques ont été enregistrées à 0"},
    {"rsStOuverture", "Ouverture du fichier"},
    {"rsStLectHeader", "Lecture du header"},
    {"rsStLectSurface", "Lecture de la surface "},
    {"rsStLectSoudures", "Lecture des soudures"},
    {"rsStLectVues", "Lecture des vues"},
    {"rsStLectGrille", "Lecture de la grille"},
    {"rsStLectOptions", "Lecture des options"},
    {"rsStLectCotes", "Lecture des cotes"},
    {"rsStLectCharges", "Lecture des charges"},
    {"rsStLectReperes", "Lecture des repères"},
    {"rsStLectEnv", "Lecture des points d'envahissement"},
    {"rsStFinFichier", "Fin Fichier"},
    {"rsStMajMinMax", "Maj Min / Max"},
    // Lines: grid, line computation, table of offsets
    {"rsErrValeurCouple", "n'est pas une valeur de couple correcte"},
    {"rsErrValeurLigneEau", "n'est pas une valeur de ligne d'eau correcte"},
    {"rsErrValeurLongitudinale", "n'est pas une valeur de longitudinale correcte"},
    {"rsErrValeurDiagonale", "n'est pas une valeur de diagonale correcte"},
    {"rsStatutCouple", "Couple "},
    {"rsStatutLigneEau", "Ligne d'eau "},
    {"rsStatutLongitudinale", "Longitudinale "},
    {"rsStatutDiagonale", "Diagonale "},
    {"rsTabCotesFormCaption", "Tableau de cotes"},
    {"rsErrEcritureCotes", "Impossible d'écrire le tableau de cotes dans %s"},
    {"rsGrilleFormCaption", "Grille"},
    {"rsLabelNbSecCaption", "Nombre de couples :"},
    {"rsLabelScinderCaption", "Scinder en :"},
    {"rsLabelNbLECaption", "Nombre de lignes d'eau :"},
    {"rsLabelNbLgCaption", "Nombre de longitudinales :"},
    {"rsLabelNbDiagCaption", "Nombre de diagonales :"},
    {"rsGroupBoxAutoCaption", "Espacement automatique"},
    {"rsLabelBaseCaption", "Base"},
    {"rsLabelBase2Caption", "Espacement"},
    {"rsLabelFinCaption", "Fin"},
    {"rsRB_AutoStandardCaption", "Standard"},
    {"rsRB_AutoEspDonneCaption", "Espacement donné"},
    {"rsRB_AutoDistDonneCaption", "Distance donnée"},
    {"rsBtnAutoCaption", "A&ppliquer"},
    {"rsColPosition", "Position"},
    {"rsColAngle", "Angle [°]"},
    {"rsErrNombreChamp", "%s : « %s » n'est pas un nombre"},
    // Precision
    {"rsPrecisFormCaption", "Précision personnalisée"},
    {"rsLabelPrecisionCaption", "Précision (10-200) :"},
    {"rsErrPrecision", "« %s » n'est pas un nombre entier de pas"},
    // Weights and stability
    {"rsErrConversionReel", "'%s' n'est pas une valeur en virgule flottante correcte"},
    {"rsErrConversionChamp", "%s : '%s' n'est pas une valeur en virgule flottante correcte"},
    {"rsErrEcritureExport", "Erreur d'écriture du fichier %s : %s"},
    {"rsPoidsCaption", "Devis de poids"},
    {"rsPoidsColNum", "Num"},
    {"rsPoidsColNom", "Nom"},
    {"rsPoidsColValeur", "Valeur"},
    {"rsPoidsColX", "X"},
    {"rsPoidsColY", "Y"},
    {"rsPoidsColZ", "Z"},
    {"rsPoidsColSurface", "Surface attachée"},
    {"rsPoidsMoments", "Masses, positions et moments"},
    {"rsPoidsSurfaces", "Surfaces"},
    {"rsPoidsBallasts", "Poids et ballasts"},
    {"rsErrImportPoids", "Erreur de lecture du fichier d'import"},
    {"rsErrBallastChamps", "Les champs X, Y et Z doivent être renseignés !"},
    {"rsErrBallastValeur", "L'un des champs a une valeur erronée"},
    {"rsStabCaption", "Calculs de stabilité"},
    {"rsStabPasIncorrect", "Pas de calcul incorrect"},
    {"rsReglementIMO2008", "Critères généraux de stabilité à l'état intact (Recueil IS 2008, partie A, 2.2)"},
    {"rsCritAire0_30", "Aire sous GZ de 0 à 30° [m.rad]"},
    {"rsCritAire0_40", "Aire sous GZ de 0 à 40° ou à l'angle d'envahissement [m.rad]"},
    {"rsCritAire30_40", "Aire sous GZ de 30° à 40° ou à l'angle d'envahissement [m.rad]"},
    {"rsCritGZ30", "GZ à 30° ou plus [m]"},
    {"rsCritAngleGZMax", "Angle du GZ maximal [°]"},
    {"rsCritGM0", "GM initial [m]"},
    {"rsCritCritere", "Critère"},
    {"rsCritRequis", "Requis"},
    {"rsCritObtenu", "Obtenu"},
    {"rsCritResultat", "Résultat"},
    {"rsCritSatisfait", "Satisfait"},
    {"rsCritNonSatisfait", "Non satisfait"},
    {"rsCritNonEvalue", "Non évalué"},
    {"rsStabAngleMax", "Angle de gite Max incorrect : il doit être compris entre 0 et 180°"},
    {"rsStabPoidsManquant", "Poids manquant. Vous devez définir au moins un poids (surface ou ballast)"},
    {"rsPoidsTotalNonFini",
     "Le poids total n'est pas un nombre fini : vérifiez les masses, épaisseurs et densités."},
    {"rsPoidsTotalNegatif", "Le poids total est négatif (%.4f kg) : il n'a pas de centre de gravité."},
    {"rsPoidsTotalQuasiNul",
     "Le poids total (%.4f kg) est presque nul devant la somme de ses parties (%.4f kg) : son centre de "
     "gravité n'a pas de sens."},
    {"rsHydroHorsEau",
     "La carène est entièrement hors de l'eau (volume immergé nul) : pas de GMt ni de GMl."},
    {"rsHydroNonFini",
     "Les calculs ne donnent pas de nombre fini (coordonnées ou poids NURBS hors des limites d'un bateau) : "
     "pas de résultat."},
    {"rsHydroPoidsSommets",
     "La surface %s a un poids de vertex qui n'est pas positif (V_%d_%d = %s) : pas de résultat. "
     "Donnez à chaque vertex un poids supérieur à zéro."},
    {"rsStabTolerance", "La tolérance doit être supérieure à zéro"},
    {"rsStabDensite", "La densité de l'eau doit être supérieure à zéro"},
    {"rsStabAucunFlotteur", "Aucune surface n'est retenue comme flotteur pour les calculs"},
    {"rsStabNonAtteint", "non atteint"},
    {"rsStabSynCriteres", "Stabilité initiale et envahissement (calcul des critères)"},
    {"rsStabSynGM", "GM initial, flottaison droite [m]"},
    {"rsStabSynEnv", "Angle d'envahissement [°]"},
    {"rsStabSynAngleMaxGZ", "Angle de GZ max, cherché entre les pas [°]"},
    {"rsStabCote", "Côté de gîte (qui s'enfonce) :"},
    {"rsStabSigneAssiette", "Signe de l'assiette :"},
    {"rsStabAssiettePositive", "positive quand l'extrémité +Y se relève"},
    {"rsCritNoteGM", "GM initial, flottaison droite [m] :"},
    {"rsCritNoteEnv", "Angle d'envahissement [°] :"},
    {"rsCritEnvAucun", "aucun"},
    {"rsCritEnvSaisi", "saisi"},
    {"rsCritEnvPoint", "point"},
    {"rsCritCotePire", "le plus défavorable des deux côtés"},
    {"rsStabCoule",
     "Le poids de %s kg dépasse le plus grand déplacement de la carène, %s kg (entièrement immergée) : "
     "elle coule, aucun calcul n'est possible"},
    {"rsStabMaxIterations",
     "Nombre maximum d'itérations dépassé. Modifier le dessin ou introduire une tolérance supérieure. Arrêt "
     "des calculs ?"},
    {"rsStabConfirmTransformer",
     "Etes-vous sûr de vouloir modifier le dessin avec les paramètres de la ligne sélectionnée ?"},
    {"rsStabColGite", "Gite"},
    {"rsStabColAssiette", "Assiette"},
    {"rsStabColEnfoncement", "Enfoncement"},
    {"rsStabColCBx", "CB.x"},
    {"rsStabColCBy", "CB.y"},
    {"rsStabColCBz", "CB.z"},
    {"rsStabColCGx", "CG.x [m]"},
    {"rsStabColCGy", "CG.y LCG [m]"},
    {"rsStabColCGz", "CG.z VCG [m]"},
    {"rsStabColGZ", "GZ"},
    {"rsStabColMoment", "Moment"},
    {"rsStabColSurfMouillee", "Surf. mouillée"},
    {"rsStabNonConverge", "n.c."},
    {"rsStabNoteNonConverge", "n.c. : équilibre non trouvé (calcul non convergé)"},
    {"rsStabSynConditions", "Conditions du calcul de stabilité"},
    {"rsStabSynMasse", "Masse pour le calcul [Kg]"},
    {"rsStabSynCGx", "CG.x [m]"},
    {"rsStabSynCGy", "CG.y LCG [m]"},
    {"rsStabSynCGz", "CG.z VCG [m]"},
    {"rsStabSynPas", "Pas de calcul [°]"},
    {"rsStabSynAngleMin", "Angle Min [°]"},
    {"rsStabSynAngleMax", "Angle Max [°]"},
    {"rsStabSynTolEnf", "Tolérance Enfoncement [Kg]"},
    {"rsStabSynTolAssiette", "Tolérance assiette [°]"},
    {"rsStabSynDensite", "Densité de l'eau"},
    {"rsStabSynGZMoments", "GZ et moments"},
    {"rsStabSynGZMin", "GZ Min [m]"},
    {"rsStabSynGZMax", "GZ Max [m]"},
    {"rsStabSynRMMin", "Moment d'inertie RM Min [m.N]"},
    {"rsStabSynRMMax", "Moment d'inertie RM Max [m.N]"},
    {"rsStabSynAngles", "Angles remarquables"},
    {"rsStabSynAngleGZMin", "Angle pour GZ Min [°]"},
    {"rsStabSynAngleGZMax", "Angle critique statique (GZ Max) [°]"},
    {"rsStabSynAngleDisparition", "Angle de disparition de stabilité (chavirage) [°]"},
    {"rsStabSynEnergies", "Energies"},
    {"rsStabSynEnergieChavirage", "Energie de Chavirage [J]"},
    {"rsStabSynEnergieRedressement", "Energie de Redressement [J]"},
    {"rsStabSynNonConverges", "Etapes sans équilibre (non convergées)"},
    {"rsStabLblGite", "Gite :"},
    {"rsStabLblAngle", "Angle :"},
    {"rsStabLblAssiette", "Assiette :"},
    {"rsStabLblDeplacement", "Déplacement :"},
    {"rsStabLblIterations", "Itérations :"},
    {"rsStabSynthese", "Synthèse"},
    {"rsStabMesures", "Mesures"},
    // Main window and views: menu captions and tool-bar hints
    {"rsMeFichierCaption", "&Fichier"},
    {"rsMeNouveauCaption", "&Nouveau"},
    {"rsMeOuvrirCaption", "&Ouvrir..."},
    {"rsMeDerniersCaption", "&Derniers fichiers ouverts"},
    {"rsMeFermerCaption", "&Fermer"},
    {"rsMeEnregistrerCaption", "&Enregistrer"},
    {"rsMeEnregistrerSousCaption", "En&registrer sous..."},
    {"rsMeExportCaption", "Export"},
    {"rsMeExportSurfacesCaption", "Surfaces"},
    {"rsMeExportDXFCaption", "DXF"},
    {"rsMeExportIGESCaption", "IGES"},
    {"rsMeExportTexteCaption", "Texte QZ"},
    {"rsMeExportSTLCaption", "STL (impression 3D)"},
    {"rsMeExportOBJCaption", "OBJ (maillage)"},
    {"rsMeImprimerCaption", "&Imprimer..."},
    {"rsMeConfigImpressionCaption", "&Configuration de l'impression..."},
    {"rsMeProprietesCaption", "&Propriétés..."},
    {"rsMeQuitterCaption", "&Quitter"},
    {"rsMeEditionCaption", "&Edition"},
    {"rsMeAnnulerCaption", "&Annuler"},
    {"rsMeRefaireCaption", "&Refaire "},
    {"rsMeAnnulerEtapeCaption", "&Annuler : %s"},
    {"rsMeRefaireEtapeCaption", "&Refaire : %s"},
    {"rsEtapeDeplacementVertex", "déplacement de vertex"},
    {"rsEtapeInsertionLigne", "ajout d'une ligne"},
    {"rsEtapeInsertionColonne", "ajout d'une colonne"},
    {"rsEtapeSuppressionLigne", "suppression d'une ligne"},
    {"rsEtapeSuppressionColonne", "suppression d'une colonne"},
    {"rsEtapeDeplacementSurface", "déplacement de surface"},
    {"rsEtapeRotationSurface", "rotation de surface"},
    {"rsEtapeGrouper", "groupement de vertex"},
    {"rsEtapeAligner", "alignement de vertex"},
    {"rsEtapeTransformations", "transformations géométriques"},
    {"rsEtapeEditeurVertex", "éditeur de vertex"},
    {"rsEtapeListeVertex", "liste des vertex"},
    {"rsEtapeNouvelleSurface", "ajout d'une surface"},
    {"rsEtapeSupprSurfaces", "suppression de surfaces"},
    {"rsEtapeDupliquerSurfaces", "duplication de surfaces"},
    {"rsEtapeAjoutSurfaces", "ajout de surfaces"},
    {"rsEtapeMiroir", "miroir"},
    {"rsEtapeGite", "transformation de la carène"},
    {"rsMeCopierCaption", "&Copier"},
    {"rsMeVoirCaption", "&Voir"},
    {"rsMeZoomCaption", "&Zoom"},
    {"rsMeAgrandirCaption", "A&grandir"},
    {"rsMeReduireCaption", "&Réduire"},
    {"rsMeVuePrecedenteCaption", "Vue &précédente"},
    {"rsMeDeplacerCaption", "&Déplacer"},
    {"rsMeAjusterCaption", "&Ajuster"},
    {"rsMeRecentrerCaption", "Re&centrer"},
    {"rsMeVuePersoCaption", "&Vue personnalisée"},
    {"rsMeSauverVueCaption", "&Sauver la vue"},
    {"rsMeControleVuesCaption", "&Contrôle des vues"},
    {"rsMeBarresIconesCaption", "&Barres d'icônes"},
    {"rsMeBarreStandardCaption", "Standa&rd"},
    {"rsMeBoiteOutilsCaption", "&Boite à outils"},
    {"rsMeAffichageCaption", "&Affichage"},
    {"rsMeCareneCaption", "&Carène"},
    {"rsMeReseauCaption", "&Réseau de vertex"},
    {"rsMeBasePlanSymCaption", "Base du plan de symétrie"},
    {"rsMeMoitieCaption", "&Moitié"},
    {"rsMeScinderCaption", "Sc&inder"},
    {"rsMeCouplesCaption", "Co&uples"},
    {"rsMeLignesEauCaption", "&Lignes d'eau"},
    {"rsMeLongitudinalesCaption", "L&ongitudinales"},
    {"rsMeDiagonalesCaption", "&Diagonales"},
    {"rsMeSurfParamCaption", "S&urface paramétrique"},
    {"rsMeGrilleCaption", "&Grille"},
    {"rsMeOrientationCaption", "Orientation des surfaces"},
    {"rsMeHerissonCaption", "Hérisson"},
    {"rsMePoidsCaption", "Poids et Ballasts"},
    {"rsMeCentreVoilureCaption", "Centre de Voilure"},
    {"rsMeCotesCaption", "C&otes"},
    {"rsMeAxesCaption", "Axes"},
    {"rsMeReperesCaption", "Repères"},
    {"rsMePtsEnvahissementCaption", "Points d'envahissement"},
    {"rsMeImageFondCaption", "&Image de fond"},
    {"rsMeVertexCaption", "Verte&x"},
    {"rsMeAjoutLigneCaption", "&Ajouter une ligne"},
    {"rsMeSupprLigneCaption", "&Supprimer une ligne"},
    {"rsMeGrouperPlanCaption", "Grouper dans le &plan"},
    {"rsMeGrouperEspaceCaption", "Grouper dans l'&espace"},
    {"rsMeAlignerPlanCaption", "A&ligner dans le plan"},
    {"rsMeAlignerEspaceCaption", "Ali&gner dans l'espace"},
    {"rsMeTranslationCaption", "&Translation"},
    {"rsMeTranslationHCaption", "Horizontale"},
    {"rsMeTranslationVCaption", "Verticale"},
    {"rsMeHomothetieCaption", "&Homothétie"},
    {"rsMeHomothetieHCaption", "Horizontale"},
    {"rsMeHomothetieVCaption", "Verticale"},
    {"rsMeSouderCaption", "S&ouder"},
    {"rsMeDessouderCaption", "Desso&uder"},
    {"rsMeSelectTousCaption", "&Sélectionner tous"},
    {"rsMeSelectionVertexCaption", "Sélection des verte&x"},
    {"rsMeEditeurVertexCaption", "&Editeur de vertex"},
    {"rsMeListeVertexCaption", "Liste des Verte&x"},
    {"rsMeSurfacesCaption", "&Surfaces"},
    {"rsMeSurfAjouterCaption", "&Ajouter..."},
    {"rsMeSurfSupprimerCaption", "&Supprimer"},
    {"rsMeSurfDupliquerCaption", "&Dupliquer"},
    {"rsMeSurfEpaisseurCaption", "Ajouter une &épaisseur"},
    {"rsMeSurfRenommerCaption", "&Renommer"},
    {"rsMeSurfProprietesCaption", "&Propriétés..."},
    {"rsMeSurfVisibiliteCaption", "&Visibilité..."},
    {"rsMeSurfVerrouillageCaption", "Verr&ouillage..."},
    {"rsMeSurfTransformationsCaption", "&Transformations..."},
    {"rsMeSurfDeveloppementCaption", "Déve&loppement..."},
    {"rsMePrecisionCaption", "Pré&cision"},
    {"rsMePrecFaibleCaption", "Faible"},
    {"rsMePrecMoyenneCaption", "Moyenne"},
    {"rsMePrecBonneCaption", "Bonne"},
    {"rsMePrecTresBonneCaption", "Très bonne"},
    {"rsMePrecPersoCaption", "Personnalisée..."},
    {"rsMeOutilsCaption", "&Outils"},
    {"rsMeMesuresCaption", "&Mesures"},
    {"rsMeMesMetreCaption", "Mètre"},
    {"rsMeMesRayonCaption", "Rayon"},
    {"rsMeMesAngleCaption", "Angle"},
    {"rsMeCotationsCaption", "&Cotations"},
    {"rsMeCotMetreCaption", "Mètre"},
    {"rsMeCotRayonCaption", "Rayon"},
    {"rsMeCotAngleCaption", "Angle"},
    {"rsMeListeCotesCaption", "&Liste des cotes..."},
    {"rsMeAjoutRepereCaption", "&Ajout d'un repère"},
    {"rsMeImportReperesCaption", "Import de repères..."},
    {"rsMeListeReperesCaption", "Liste des &repères..."},
    {"rsMeImagesFondCaption", "&Images de fond d'écran..."},
    {"rsMeCalculatriceCaption", "C&alculatrice"},
    {"rsMeOptionsCaption", "&Options..."},
    {"rsMeVexrunCaption", "Vexrun"},
    {"rsMeDonneesCaption", "&Données"},
    {"rsMeEspacementGrilleCaption", "&Espacement Grille..."},
    {"rsMeTailleCaption", "&Taille..."},
    {"rsMeTableauCotesCaption", "Tableau de &cotes"},
    {"rsMeAjoutBallastCaption", "Ajout de &ballast"},
    {"rsMeDevisPoidsCaption", "&Devis de poids..."},
    {"rsMeListeEnvahissementCaption", "Liste des points d'en&vahissement..."},
    {"rsMeHydrostatiqueCaption", "Calculs &hydrostatiques..."},
    {"rsMeStabiliteCaption", "Calculs de &stabilité..."},
    {"rsMeAiresCaption", "Calcul des &aires..."},
    {"rsMeSurfaceVoilesCaption", "Surface des v&oiles"},
    {"rsMePorteeCalculsCaption", "&Portée des calculs..."},
    {"rsMeControleFacettesCaption", "Contrôle des &facettes"},
    {"rsMeFenetreCaption", "Fe&nêtre"},
    {"rsMeVueSectionCaption", "Vue &transversale"},
    {"rsMeVuePlanCaption", "Vue en &plan"},
    {"rsMeVueProfilCaption", "Vue de pro&fil"},
    {"rsMeVuePerspCaption", "Vue en pe&rspective"},
    {"rsMeStudioCaption", "&Studio"},
    {"rsMeMosaiqueHCaption", "&Mosaïque Horiz."},
    {"rsMeMosaiqueVCaption", "M&ozaïque Vert."},
    {"rsMeCascadeCaption", "&Cascade"},
    {"rsMeDisposition2x2Caption", "Disposition &2 x 2"},
    {"rsMeDisposition2x2Hint", "Les quatre vues deux par deux, comme au démarrage"},
    {"rsMeReorganiserCaption", "&Réorganiser les icones"},
    {"rsMeDebugCaption", "&Debug"},
    {"rsMeTraductionCaption", "Traduction"},
    {"rsMeAideCaption", "&?"},
    {"rsMeGuideCaption", "&Guide de l'utilisateur"},
    {"rsMeAProposCaption", "A &propos..."},
    {"rsSBNouveauHint", "Nouveau"},
    {"rsSBOuvrirHint", "Ouvrir"},
    {"rsSBEnregistrerHint", "Enregistrer"},
    {"rsSBImprimerHint", "Imprimer"},
    {"rsSBAnnulerHint", "Annuler/Refaire"},
    {"rsSBBoiteOutilsHint", "Boite à outils"},
    {"rsSBControleVuesHint", "Contrôle des vues"},
    {"rsSBSelectionVertexHint", "Sélection des vertex"},
    {"rsSBCareneHint", "Carène"},
    {"rsSBNetHint", "Net"},
    {"rsSBBasesHint", "Bases des plans de symétrie"},
    {"rsSBMoitieHint", "Moitié"},
    {"rsSBCouplesHint", "Afficher les couples"},
    {"rsSBLignesEauHint", "Afficher les lignes d'eau"},
    {"rsSBSurfParamHint", "Afficher la surface paramétrique"},
    {"rsSBGrilleHint", "Grille"},
    {"rsSBAjusterHint", "Ajuster"},
    {"rsSBRecentrerHint", "Recentrer"},
    {"rsSBDeplacerHint", "Déplacer"},
    {"rsSBVuePersoHint", "Vue personnalisée"},
    {"rsSBZoomHint", "Zoom"},
    {"rsSBReduireHint", "Réduire"},
    {"rsSBZoomPrecedentHint", "Zoom précédent"},
    {"rsSBDevisPoidsHint", "Devis de poids"},
    {"rsSBHydroHint", "Calculs hydrostatiques"},
    {"rsSBStabHint", "Calculs de stabilité"},
    {"rsSBVueSectionHint", "Vue transversale"},
    {"rsSBVuePlanHint", "Vue en plan"},
    {"rsSBVueProfilHint", "Vue de profil"},
    {"rsSBVuePerspHint", "Vue en perspective"},
    {"rsSBStudioHint", "Studio"},
    {"rsBOAjoutLigneHint", "Ajouter Ligne/Colonne"},
    {"rsBOSupprLigneHint", "Supprimer Ligne/Colonne"},
    {"rsBOSouderHint", "Souder des vertex"},
    {"rsBODessouderHint", "Dessouder des vertex"},
    {"rsBOGrouperPlanHint", "Grouper des vertex dans le plan"},
    {"rsBOGrouperEspaceHint", "Grouper des vertex dans l'espace"},
    {"rsBOAlignerPlanHint", "Aligner des vertex dans le plan"},
    {"rsBOAlignerEspaceHint", "Aligner des vertex dans l'espace"},
    {"rsBOTranslationHHint", "Translation horizontale"},
    {"rsBOTranslationVHint", "Translation verticale"},
    {"rsBOSelectTousHint", "Sélectionner tous les vertex"},
    {"rsBOSelectionVertexHint", "Sélectionner tous les vertex"},
    {"rsBOVisibiliteHint", "Visibilité des surfaces"},
    {"rsBOVerrouillageHint", "Verrouillage des surfaces"},
    {"rsBOProprietesHint", "Propriétés des surfaces"},
    {"rsBOTransformationsHint", "Transformations"},
    {"rsBOMesMetreHint", "Mètre"},
    {"rsBOMesRayonHint", "Rayon"},
    {"rsBOMesAngleHint", "Angle"},
    {"rsBOCotMetreHint", "Cotation Mètre"},
    {"rsBOCotRayonHint", "Cotation Rayon"},
    {"rsBOCotAngleHint", "Cotation Angle"},
    {"rsBOListeCotesHint", "Liste des cotes"},
    {"rsBOCalculatriceHint", "Calculatrice"},
    {"rsMeAjoutColonneCaption", "&Ajouter une colonne"},
    {"rsMeSupprColonneCaption", "&Supprimer une colonne"},
    // Main window: pop-up menus
    {"rsPopAjuster", "Ajuster"},
    {"rsPopCentrer", "Centrer"},
    {"rsPopZoom", "Zoom"},
    {"rsPopDeplacer", "Déplacer"},
    {"rsPopControleVues", "Contrôle des vues"},
    {"rsPopSelectionVertex", "Sélection des vertex"},
    {"rsPopMosaique", "Mosaïque"},
    {"rsPopCascade", "Cascade"},
    {"rsPop3DExpress", "3D Express"},
    {"rsPerspAvant", "Avant"},
    {"rsPerspArriere", "Arrière"},
    {"rsPerspProfilTribord", "Profil tribord"},
    {"rsPerspProfilBabord", "Profil bâbord"},
    {"rsPerspDessous", "Dessous"},
    {"rsPerspDessus", "Dessus"},
    {"rsPerspTribordAvant", "Tribord avant"},
    {"rsPerspBabordAvant", "Bâbord avant"},
    {"rsPerspTribordArriere", "Tribord arrière"},
    {"rsPerspBabordArriere", "Bâbord arrière"},
    // Main window: view captions, status bar, windows
    {"rsTitreVueSection", "Vue transversale"},
    {"rsTitreVuePlan", "Vue en plan"},
    {"rsTitreVueProfil", "Vue de profil"},
    {"rsTitreVuePersp", "Vue perspective"},
    {"rsStatusFenActive", "Fenêtre active :"},
    {"rsStatusPCSel", "PC sélectionné"},
    {"rsStatusNetLigne", "%s, Ligne ( %d, %d )"},
    {"rsStatusNetColonne", "%s, Colonne ( %d, %d )"},
    {"rsErrRecordAction", "Erreur TMainForm.RecordAction - Type Action = "},
    {"rsErrAnnuler", "Erreur TMainForm.MeAnnulerClick - Type Action = "},
    {"rsRecordActionIndefini", "RecordAction Indéfini"},
    {"rsHydroInstantanee", "Hydrostatique instantanée"},
    {"rsMeHydroInstantaneeCaption", "&Hydrostatique instantanée"},
    {"rsHydroInstDeplacement", "Déplacement [kg]"},
    {"rsHydroInstCC", "CC longitudinal [m]"},
    {"rsHydroInstMouillee", "Surface mouillée [m²]"},
    {"rsHydroInstFlottaison", "Aire de flottaison [m²]"},
    {"rsHydroInstCb", "Coef. de bloc"},
    {"rsHydroInstRien", "Aucune surface immergée"},
    {"rsFenSelCaption", "Sélection"},
    {"rsStatusCoord", "Coordonnées"},
    {"rsStatusVx", "Vx : [ %s; %d; %d ]"},
    {"rsCaptionFichier", "Brivane - %s"},
    {"rsBoiteOutilsCaption", "Outils"},
    {"rsCalculatriceCaption", "Calculatrice"},
    {"rsCalcErreur", "Erreur"},
    {"rsAproposCaption", "A propos de Brivane"},
    {"rsAproposCommentaire", "Architecture Navale"},
    {"rsCompileLe", "Compilé le "},
    {"rsNouvelleSurface", "Surface 1"},
    // Main window: message dialog buttons
    {"rsBtnRetry", "Retry"},
    {"rsBtnIgnore", "Ignore"},
    {"rsBtnAll", "All"},
    {"rsBtnAbort", "Abort"},
    {"rsBtnHelp", "Help"},
    // Main window: document life and messages
    {"rsFiltreOuvrir", "Fichier Brivane|*.kvb|Fichier Net|*.net|Tous|*.*"},
    {"rsFiltreEnregistrer", "Fichiers Brivane|*.kvb"},
    {"rsFiltreImportReperes", "Fichiers texte (*.txt)|*.txt|Tous fichiers (*.*)|*.*"},
    {"rsQuestFermerDessin", "Voulez-vous fermer le dessin courant ?"},
    {"rsQuestFermerDessinOui", "Oui : le dessin courant est fermé et le fichier ouvert à sa place."},
    {"rsQuestFermerDessinNon",
     "Non : les surfaces du fichier sont ajoutées au dessin courant ; ce dessin fusionné n'a plus de nom et "
     "ne sera enregistré que sous un nom que vous choisirez."},
    {"rsQuestFermerDessinAnnuler", "Annuler : ne rien ouvrir."},
    {"rsQuestSauverDans", "Voulez-vous sauvegarder les modifications dans %s ?"},
    {"rsQuestSauver", "Voulez-vous sauvegarder les modifications ?"},
    // The language of Qt's own dialogs (file choice, overwrite question): a language
    // file gives its own code.
    {"rsLangueQt", "fr"},
    {"rsDejaLance", "Brivane est déjà lancé"},
    {"rsZoomMaxAtteint", "Zoom maximum atteint"},
    {"rsZoomMinAtteint", "Zoom minimum atteint"},
    {"rsErrLiberation", "Erreur de libération de ressource"},
    {"rsErrGetImage", "Exception in GetImage"},
    {"rsFichierIntrouvable", "Le fichier %s est introuvable"},
    {"rsErrNavigateur", "Le navigateur Internet par défaut ne peut être lancé"},
    // Transformations, hull dimensions, development, thickness
    {"rsTransFormCaption", "Transformations géométriques"},
    {"rsTS_DeplCaption", "Déplacement"},
    {"rsTS_RotCaption", "Rotation"},
    {"rsTS_MirCaption", "Miroir"},
    {"rsTS_TailleCaption", "Taille"},
    {"rsGBDeplacementCaption", "Translation"},
    {"rsLabelDepTransCaption", "Transversal"},
    {"rsLabelDepLongCaption", "Longitudinal"},
    {"rsLabelDepVertCaption", "Vertical"},
    {"rsGBCentreRotCaption", "Centre de rotation"},
    {"rsLabelCRotXCaption", "X"},
    {"rsLabelCRotYCaption", "Y"},
    {"rsLabelCRotZCaption", "Z"},
    {"rsGBAnglesRotCaption", "Angles de rotation"},
    {"rsLabelARotXCaption", "Tangage (axe transversal X)"},
    {"rsLabelARotYCaption", "Gite (axe longitudinal Y)"},
    {"rsLabelARotZCaption", "Lacet (axe vertical Z)"},
    {"rsGBTailleCaption", "Taille"},
    {"rsLabelTaiXCaption", "Largeur X"},
    {"rsLabelTaiYCaption", "Longueur Y"},
    {"rsLabelTaiZCaption", "Hauteur Z"},
    {"rsLabelPropCaption", "Prop."},
    {"rsCB_ModifLstPoidsCaption", "Modifier les poids associés"},
    {"rsCB_ModifPlanSymCaption", "Modifier le plan de symétrie"},
    {"rsCB_ModifPlanSymSeulCaption", "Modifier uniquement le plan de symétrie"},
    {"rsRB_SurPlaceCaption", "Laisser les surfaces sur place"},
    {"rsRB_ConsPosRelCaption", "Conserver les positions relatives"},
    {"rsBtnMirHorCaption", "Miroir Horizontal"},
    {"rsBtnMirVerCaption", "Vertical"},
    {"rsBtnAppliquer", "A&ppliquer"},
    {"rsValeurPositive", "Valeur numérique positive demandée"},
    {"rsTailleFormCaption", "Dimensions caractéristiques"},
    {"rsGBMinXCaption", "Min largeur X"},
    {"rsGBMaxXCaption", "Max largeur X"},
    {"rsGBMinYCaption", "Min largeur Y"},
    {"rsGBMaxYCaption", "Max largeur Y"},
    {"rsGBMinZCaption", "Min largeur Z"},
    {"rsGBMaxZCaption", "Max largeur Z"},
    {"rsGBDimCaption", "Dimensions"},
    {"rsGBTA_TECaption", "Hauteur"},
    {"rsGBFlottCaption", "Flottaison"},
    {"rsDevSurfFormCaption", "Développement des surfaces"},
    {"rsBtnLancerCaption", "&Lancer >>"},
    {"rsGBControleErreursCaption", "Contrôle des erreurs"},
    {"rsDirectrice", "Directrice"},
    {"rsSurface", "Surface"},
    {"rsDevAucuneReglee",
     "Aucune surface réglée à développer (réseau de 2 lignes ou 2 colonnes, flexibilité rigide)"},
    {"rsDevNonReglee",
     "Surface non développable : il faut un réseau de 2 lignes (ou 2 colonnes) de flexibilité rigide"},
    {"rsDevNonCalculee", "Surface non calculée"},
    {"rsErreurMm", "Erreur [mm]"},
    {"rsDevResume", "%s : aire %.4f m², bords %.4f m et %.4f m"},
    {"rsDevErreurNan", "Intersect2Cercles - Erreur NAN"},
    {"rsEpaisseurFormCaption", "Épaisseur"},
    {"rsRB_InterieurCaption", "Intérieur"},
    {"rsRB_ExterieurCaption", "Extérieur"},
    {"rsEpaisseurInvalide", "L'épaisseur n'est pas un nombre"},
    {"rsEpaisseurNegative",
     "L'épaisseur doit être positive ou nulle : le côté se choisit par Intérieur ou Extérieur"},
    {"rsEpaisseurTropGrande",
     "L'épaisseur dépasse la moitié de la plus grande dimension de la surface : ce n'est plus une épaisseur"},
    {"rsCBPoidsEpaisseurCaption", "&Compter le poids de la nouvelle surface"},
    // Studio
    {"rsStudioFormCaption", "Studio"},
    {"rsBtnSmoothHint", "Lissage"},
    {"rsSB_InvisibleHint", "Surface invisible"},
    {"rsSB_PointsHint", "Points"},
    {"rsSB_ContoursHint", "Contour"},
    {"rsSB_FilaireHint", "Filaire"},
    {"rsSB_RempliHint", "Rempli"},
    {"rsSB_PCvisHint", "Parties cachées visibles"},
    {"rsSB_PCinvisHint", "Parties cachées invisibles"},
    {"rsCB_ActiveCaption", "Active"},
    {"rsBtnSpotCaption", "Spots visibles"},
    {"rsPMStudioSectionCaption", "Vue Transversale"},
    {"rsPMStudioPlanCaption", "Vue Horizontale"},
    {"rsPMStudioProfilCaption", "Vue Longitudinale"},
    {"rsPMStudioPerspCaption", "Vue Perspective"},
    {"rsPMStudioControleVuesCaption", "Contrôle des vues"},
    {"rsStudioSansOpenGL",
     "Le Studio a besoin d'un affichage OpenGL, que la plate-forme « %s » n'offre pas."},
    {"rsGaussFormCaption", "Gaussienne"},
    // The resistance program's window and files.
    {"rsVexrunFormCaption", "Michlet"},
    {"rsVexrunLancement", "Lancement"},
    {"rsVexrunGraphique", "Graphique"},
    {"rsVexrunSortie", "Sortie"},
    {"rsVexrunDisponibles", "Surfaces disponibles"},
    {"rsVexrunChoisies", "Carènes choisies"},
    {"rsVexrunTypeCarene", "Type de carène"},
    {"rsVexrunSymetrique", "Carène symétrique"},
    {"rsVexrunAsymetrique", "Carène asymétrique"},
    {"rsVexrunSupprimerOut", "Supprimer out.mlt au lancement"},
    {"rsVexrunLancer", "Lancer"},
    {"rsVexrunArreter", "Arrêter"},
    {"rsVexrunResultat", "Résultat"},
    {"rsVexrunParamsGeneraux", "Paramètres généraux"},
    {"rsVexrunComptes", "Nombre de couples et de lignes d'eau"},
    {"rsVexrunVagues", "Champ de vagues"},
    {"rsVexrunSauverConfig", "Enregistrer la configuration"},
    {"rsVexrunChargerConfig", "Charger une configuration"},
    {"rsVexrunFiltreConfig", "Configuration (*.cfg)|*.cfg|Tous fichiers (*.*)|*.*"},
    {"rsVexrunTitreGraphe", "Résistance = f( vitesse )"},
    {"rsVexrunAxeVitesse", "Vitesse (m/s)"},
    {"rsVexrunAxeResistance", "Résistance"},
    {"rsVexrunDelai", "Délai maximal (s)"},
    {"rsVexrunPret", "Prêt"},
    {"rsVexrunEnCours", "Calcul en cours : %d s sur %d s"},
    {"rsVexrunTermine", "Calcul terminé"},
    {"rsVexrunEntreeEcrite", "Fichier d'entrée écrit : %s"},
    {"rsVexrunErrLancement", "Erreur de lancement de l'application "},
    {"rsVexrunErrSortie", "L'application %s s'est terminée en erreur (code %d)"},
    {"rsVexrunErrPlantage", "L'application %s s'est arrêtée anormalement"},
    {"rsVexrunErrDelai", "L'application %s ne s'est pas terminée en %d s : elle a été arrêtée"},
    {"rsVexrunArrete", "Calcul arrêté par l'utilisateur"},
    {"rsVexrunErrLecture", "Impossible de lire le fichier "},
    {"rsVexrunErrEcriture", "Impossible d'écrire le fichier "},
    {"rsVexrunErrEntete", "Le fichier de résultats ne contient pas de table de résistance"},
    {"rsVexrunErrVide", "La table de résistance du fichier de résultats est vide"},
    {"rsVexrunErrTronque", "Fichier de résultats incomplet à la ligne %d"},
    {"rsVexrunErrValeur", "Valeur incorrecte dans le fichier de résultats à la ligne %d : %s"},
    // The vertex editor and list.
    {"rsEditPCFormCaption", "Editeur de vertex"},
    {"rsEditPCLn", "Ln : %d"},
    {"rsEditPCCol", "Col : %d"},
    {"rsEditPCAppliquer", "Appliquer"},
    {"rsEditPCFermer", "Fermer"},
    {"rsEditPCErrValeur", "Valeur incorrecte pour %s : « %s »"},
    {"rsLstPcFormCaption", "Liste des vertex"},
    {"rsLstPcSurface", "Surface"},
    {"rsLstPcNumero", "Numéro"},
    {"rsLstPcLigne", "Ligne"},
    {"rsLstPcColonne", "Colonne"},
    {"rsLstPcExportHint", "Export"},
    {"rsLstPcExport", "Exporter..."},
    {"rsLstPcFermer", "&Fermer"},
    {"rsLstPcFiltre", "Fichiers texte (*.txt)|*.txt|Tous fichiers (*.*)|*.*"},
    {"rsLstPcErrValeur", "Valeur incorrecte : « %s »"},
    {"rsLstPcErrExport", "Impossible d'écrire le fichier "},
    // The options window.
    {"rsOptionFormCaption", "Options"},
    {"rsCourbure", "Courbure"},
    {"rsRayonCourbure", "Rayon de courbure"},
    {"rsInterieurCourbe", "Interieur de la courbe"},
    {"rsExterieurCourbe", "Exterieur de la courbe"},
    {"rsErrTailleReperes", "« %s » n'est pas une taille de repères valide (un nombre positif, en mètres)."},
    {"rsTS_GeneralCaption", "Général"},
    {"rsTS_CouleursCaption", "Couleurs"},
    {"rsTS_ReglagesCaption", "Réglages"},
    {"rsGB_AffichageCaption", "Affichage"},
    {"rsCB_MultiF_ActifCaption", "Multi fenêtrage simultané"},
    {"rsCB_CalcSplineTRCaption", "Calcul des surfaces en temps réel"},
    {"rsCB_AxesPlanSymCaption", "Axes des plans de symétrie"},
    {"rsGB_ConfigCaption", "En quittant"},
    {"rsCB_SavConfigCaption", "Sauver la configuration en quittant"},
    {"rsCB_PositionFenCaption", "Sauver la position des fenêtres en quittant"},
    {"rsCB_PosLightCaption", "Sauver la position des lumières en quittant"},
    {"rsgbAffichageStudioCaption", "Studio"},
    {"rscb_NetVxStudioCaption", "Filet de vertex dans le Studio"},
    {"rslbTailleReperesStudioCaption", "Taille de reperes [m]"},
    {"rsGB_LangueCaption", "Langue"},
    {"rsBtnCouleursDefCaption", "Couleurs par &Défaut"},
    {"rsGB_RatioAffichPoidsCaption", "Poids"},
    {"rsLabelRatioVectPoidsCaption", "1m représente : %.1fKg"},
    {"rsGR_ControlePartiesCacheesCaption", "Studio : parties cachées"},
    {"rsLabelPolyFactorCaption", "Facteur"},
    {"rsLabelPolyUnitsCaption", "Unités"},
    {"rsGB_FacteurLongRCourbCaption", "Courbure"},
    {"rsLabelCoulArpCaption", "Arrière plan"},
    {"rsLabelCoulArpStudioCaption", "Arrière plan Studio"},
    {"rsLabelCoulAxesCaption", "Axes"},
    {"rsLabelCoulAxesPlanSymCaption", "Axes des plans de symétrie"},
    {"rsLabelCoulGrilleCaption", "Grille"},
    {"rsLabelCoulMesureCaption", "Outils de mesure"},
    {"rsLabelCoulResVertexCaption", "Réseau de vertex"},
    {"rsLabelCoulVertexCaption", "Vertex"},
    {"rsLabelCoulSelVertexCaption", "Vertex sélectionné"},
    {"rsLabelCoulSoudeVertexCaption", "Vertex soudé"},
    {"rsLabelCoulBordSfCaption", "Surfaces par défaut"},
    {"rsLabelCoulSecCaption", "Couples"},
    {"rsLabelCoulLECaption", "Lignes d'eau"},
    {"rsLabelCoulLongitCaption", "Longitudinales"},
    {"rsLabelCoulDiagCaption", "Diagonales"},
    // The document properties window.
    {"rsPropFichFormCaption", "Propriétés"},
    {"rsPropFichNomFichier", "Nom du fichier"},
    {"rsPropFichTitre", "Titre"},
    {"rsPropFichType", "Type"},
    {"rsPropFichArchi", "Architecte"},
    {"rsPropFichSociete", "Société"},
    {"rsPropFichVersion", "Version"},
    {"rsPropFichDate", "Date"},
    {"rsPropFichCommentaires", "Commentaires :"},
    // The print window.
    {"rsImprFormCaption", "Imprimer"},
    {"rsImprImprimante", "Imprimante"},
    {"rsImprPortrait", "Portrait"},
    {"rsImprPaysage", "Paysage"},
    {"rsImprOrientation", "Orientation"},
    {"rsImprCopies", "Nombre de copies"},
    {"rsImprPages", "Pages"},
    {"rsImprPageCourante", "Page courante"},
    {"rsImprToutesPages", "Toutes les pages"},
    {"rsImprNbPages", "sur %d"},
    {"rsImprEchelle", "Echelle"},
    {"rsImprEcran", "Ecran"},
    {"rsImprAjuster", "Ajuster"},
    {"rsImprPerso", "Personnalisée"},
    {"rsImprTaillePapier", "Taille papier"},
    {"rsImprPapierPerso", "Personnalisée (mm)"},
    {"rsImprConfigurer", "&Configurer..."},
    {"rsImprPDF", "Fichier PDF..."},
    {"rsImprApercu", "Aperçu"},
    {"rsImprPapierDifferent",
     "Attention : la taille de papier configurée semble différente de la taille du papier de l'imprimante"},
    {"rsImprSansVue", "Aucune vue à imprimer."},
    {"rsImprTailleNulle", "La page ou la vue n'a pas de taille : impression impossible."},
    {"rsImprEchec", "L'impression n'a pas pu commencer : %s"},
    {"rsFiltrePDF", "Fichiers PDF|*.pdf"},
    // The recovery document.
    {"rsRecuperationOffre",
     "Un document de récupération plus récent que « %s » existe (%s). Voulez-vous l'ouvrir ?"},
    {"rsRecuperationSansNom", "sans nom"},
    // The stability window.
    {"rsGBEtatInitCaption", "État initial"},
    {"rsLabelDeplacementInitCaption", "Déplacement initial"},
    {"rsLabelPoidsInitCaption", "Poids initial"},
    {"rsGB_ConditionsInitCaption", "Conditions de calcul"},
    {"rsLabelGiteMaxCaption", "Angle de gite Max [°]"},
    {"rsToleranceEnfPer", "Tolérance enfoncement [%]"},
    {"rsCBAssietteCaption", "Correction de l'assiette"},
    {"rsRB_SetPoidsDeplCaption", "Fixer Poids = Déplacement initial"},
    {"rsRB_SetPoidsCaption", "Fixer Poids = "},
    {"rsRB_RAZPoidsDeplCaption", "Valeurs initiales"},
    {"rsCB_AlignVertGZCaption", "Aligner verticalement G et Z"},
    {"rsBtnAjusterCondInitCaption", "&Ajuster"},
    {"rsBtnFilmCaption", "Film"},
    {"rsRB_CourbeMomentCaption", "Moment d'inertie"},
    {"rsBtnZoomInitial", "Zoom initial"},
    {"rsBtnImprimerPts", "Imprimer..."},
    {"rsBtnEnregistrerImage", "Enregistrer l'image..."},
    {"rsTSCourbeCaption", "Courbe de stabilité"},
    {"rsAxeAssiette", "Assiette [°] (positive : extrémité +Y relevée)"},
    {"rsBtnTransformer", "Transformer"},
    {"rsLabelKNDeplacements", "Déplacements [kg]"},
    {"rsKNSepares", "Séparés par des virgules"},
    {"rsLabelKNGiteMax", "Gite Max [°]"},
    {"rsLabelKNPas", "Pas [°]"},
    {"rsBtnKN", "Calculer les KN"},
    {"rsBtnArreter", "&Arrêter"},
    {"rsTSCourbesKN", "Courbes KN"},
    {"rsLabelAngleEnv", "Angle d'envahissement [°] (0 : aucun)"},
    {"rsTSCriteres", "Critères"},
    {"rsCourbeRM", "Moment d'inertie RM"},
    {"rsAxeRM", "Moment d'inertie RM [N.m]"},
    {"rsStabVueCouple", "Couple"},
    // The weights window.
    {"rsBtnInserer", "&Insérer"},
    {"rsImport", "Import"},
    {"rsGBBallastCaption", "Ballast"},
    {"rsAttacheA", "Attaché à"},
    // The hydrostatics window.
    {"rsBtnEnregistrerPts", "Enregistrer..."},
    {"rsLabelNbCoupesCaption", "Nombre de couples"},
    {"rsLabelHydroA", "à [m]"},
    {"rsLabelHydroCourbe", "Courbe"},
    {"rsErrLignesHydro", "Hauteurs ou nombre de lignes d'eau incorrects (2 à 201 lignes, Z croissant)"},
    // The marks windows.
    {"rsRGOrdreCaption", "Ordre des valeurs du fichier"},
    {"rsGBResultCaption", "Ligne attendue du fichier"},
    {"rsGBRepereCaption", "Repère"},
    {"rsCBNomRepereCaption", "Nom du repère"},
    // The table of offsets window.
    {"rsRGIntersectionCaption", "Intersection des Couples avec :"},
    // The transformations window.
    {"rsLabelMirHor", "Miroir Horizontal : z = 0"},
    {"rsLabelMirVer", "Vertical : x = 0"},
    // The hull dimensions window.
    {"rsTailleLongueur", "Longueur=%.4f"},
    {"rsTailleLargeur", "Largeur=%.4f"},
    {"rsTailleHauteur", "Hauteur=%.4f"},
    {"rsTailleHauteurMax", "Hauteur max=%.4f"},
    {"rsTailleProfondeurMax", "Profondeur max=%.4f"},
    // The hydrostatics window.
    {"rsLabelHydroDe", "Z de [m]"},
    // The dimensions list.
    {"rsCotesVue", "Vue"},
    // The hydrostatic table.
    {"rsEnteteTirant", "Tirant d'eau [m]"},
    {"rsEnteteDepl", "Déplacement [Kg]"},
    {"rsEnteteSurfMouillee", "Surf. mouillée [m²]"},
    {"rsEnteteAireFlott", "Aire flottaison [m²]"},
    // Language files.
    {"rsErrLangue", "Le fichier de langue « %s » %s : les textes restent en français."},
    {"rsLangueAbsente", "est introuvable"},
    {"rsLangueVide", "est vide"},
    {"rsLangueTronquee", "est tronqué"},
    {"rsLangueEncodage", "n'est pas un texte Windows-1252"},
    {"rsTraductionEcrite", "Textes des fenêtres écrits dans « %s »"},
    {"rsErrTraduction", "Impossible d'écrire « %s »"},
    // The diagnostics window and the error log.
    {"rsDebugFormCaption", "Debug"},
    {"rsBtnRAZCaption", "RAZ"},
    {"rsBtnTracesActivesCaption", "Traces actives"},
    {"rsBtnEnregistrerDbgCaption", "Enregistrer"},
    {"rsBtnConnexionDebuggerCaption", "Connexion Debugger"},
    {"rsDbgColType", "Type Err"},
    {"rsDbgColProcedure", "Procédure"},
    {"rsDbgColIndex", "Index"},
    {"rsDbgConnexionEnCours", "Connexion en cours"},
    {"rsDbgConnecte", "Connecté"},
    {"rsDbgNonConnecte", "Non connecté"},
    {"rsErrEcritureQZDbg", "Impossible d'écrire le fichier %s"},
    {"rsErrLectureErrorLog",
     "%s\nLe journal Error.log existant ne peut pas être lu : il est conservé, la ligne est écrite dans %s"},
    {"rsFlotteCoule", "La coque ne peut pas porter ce poids : elle coule entièrement avant de le déplacer"},
    {"rsFlotteTitre", "Flottaison à l'équilibre"},
    {"rsFlotteNonConvergee", "L'équilibre n'a pas été trouvé : les résidus restent"},
    {"rsFlotteMasse", "Masse [Kg]"},
    {"rsFlotteCGx", "CG x [m]"},
    {"rsFlotteCGy", "CG y [m]"},
    {"rsFlotteCGz", "CG z [m]"},
    {"rsFlotteYRef", "Point de référence Y [m]"},
    {"rsFlotteTirantRef", "Flottaison au point de référence (Z du modèle) [m]"},
    {"rsFlotteAssiette", "Assiette [°]"},
    {"rsFlotteGite", "Gite [°]"},
    {"rsFlotteYAR", "Extrémité arrière de la flottaison Y [m]"},
    {"rsFlotteYAV", "Extrémité avant de la flottaison Y [m]"},
    {"rsFlotteTirantAR", "Tirant à l'extrémité arrière [m]"},
    {"rsFlotteTirantAV", "Tirant à l'extrémité avant [m]"},
    {"rsFlotteTirantMoyen", "Tirant moyen [m]"},
    {"rsFlotteAssietteM", "Assiette (avant - arrière) [m]"},
    {"rsFlotteFBEnv", "Franc-bord au point d'envahissement %s [m]"},
    {"rsFlotteFBLivet", "Franc-bord au livet [m]"},
    {"rsFlotteResMasse", "Résidu de masse [Kg]"},
    {"rsFlotteResLong", "Résidu longitudinal B - G [m]"},
    {"rsFlotteResTrans", "Résidu transversal B - G [m]"},
    {"rsFlotteIterations", "Itérations"},
    {"rsFlotteHydro", "Hydrostatique à cette flottaison (repère flottant : flottaison Z = 0)"},
    {"rsHydroAttitude", "Attitude du calcul"},
    {"rsCotesMatriceLE", "Demi-largeurs [m] : couples × lignes d'eau (la plus au large)"},
    {"rsCotesMatriceLg", "Hauteurs [m] : couples × longitudinales (la plus basse)"},
    {"rsCotesMatriceCouple", "Couple"},
    {"rsCotesOngletListe", "Liste"},
    {"rsCotesOngletMatrice", "Matrice"},
    {"rsHydroRefTitre", "Références des mesures et portée du calcul"},
    {"rsHydroRefFlottaison", "Flottaison"},
    {"rsHydroRefFlottaisonModele", "plan Z = 0 du modèle"},
    {"rsHydroRefFlottaisonPlacee", "plan Z = 0 du modèle placé (gite, puis assiette, autour de Y = %s)"},
    {"rsHydroRefK", "K, point le plus bas de la portée : Z du modèle [m]"},
    {"rsHydroRefTirantMoyen", "Tirant moyen, de K à la flottaison [m]"},
    {"rsHydroRefTirantAR", "Tirant arrière (Y = %s), de K à la flottaison [m]"},
    {"rsHydroRefTirantAV", "Tirant avant (Y = %s), de K à la flottaison [m]"},
    {"rsHydroRefAssiette", "Assiette [°] (positive quand l'extrémité +Y se relève)"},
    {"rsHydroRefAssietteM", "Assiette, tirant avant - tirant arrière [m]"},
    {"rsHydroRefGite", "Gite [°] (positive quand le côté -X s'enfonce)"},
    {"rsHydroRefFBLivet", "Franc-bord minimal, de la flottaison au haut de la coque [m]"},
    {"rsHydroRefDensiteMer", "Densité de l'eau de mer [t/m3]"},
    {"rsHydroRefDensiteDouce", "Densité de l'eau douce [t/m3]"},
    {"rsHydroRefPortee", "Surfaces calculées"},
    {"rsHydroRefDeuxBords", "deux bords"},
    {"rsHydroRefUnBord", "un bord"},
    {"rsHydroRefPrecision", "Précision des surfaces"},
    {"rsHydroRefCouples", "Couples par surface"},
    {"rsHydroCareneTitre", "Carène seule, sans appendices (surfaces d'au moins la moitié de la plus longue)"},
    {"rsHydroCareneSurfaces", "Surfaces de la carène"},
    {"rsHydroCareneSans", "Coefficients de la carène seule"},
    {"rsHydroCareneMemes", "ceux de la portée : aucun appendice"},
    {"rsRBHydroModele", "Flottaison Z = 0 du modèle"},
    {"rsRBHydroFlottant", "Flottant à ses poids"},
    {"rsRBHydroDonnee", "Attitude donnée :"},
    {"rsLabelHydroTirant", "Flottaison Z [m]"},
    {"rsErrAttitudeHydro", "L'attitude doit être donnée par trois nombres, la gite entre -90 et 90°"},
    {"rsVerifLigne", "La vérification du modèle a trouvé %d problème(s) qui faussent ce calcul : %s."},
    {"rsVerifVoirListe", "Voir la liste"},
    {"rsEt", "et"},
    {"rsVerifCourtOrientation", "orientation inversée"},
    {"rsVerifCourtOuverte", "corps ouvert"},
    {"rsVerifCourtDemiCoque", "demi-coque sans symétrie"},
    {"rsVerifCourtPlanSym", "plan de symétrie non atteint"},
    {"rsVerifCourtIntersection", "corps qui se recoupent"},
    {"rsVerifCourtPoidsLoin", "poids loin de la coque"},
    {"rsVerifCourtPrecision", "précision trop faible"},
    {"rsVerifOrientation",
     "La surface %s a un volume négatif (%.4f m3) : son orientation est inversée. Inversez son "
     "\"Orientation\" dans ses propriétés."},
    {"rsVerifOuverte",
     "La surface %s est ouverte sous la flottaison (bord libre de Y = %.3f à %.3f m, jusqu'à Z = %.3f m) : "
     "l'eau y entre et le volume est faux. Fermez-la par sa symétrie, par \"Fermer le volume\" ou par une "
     "autre surface."},
    {"rsVerifDemiCoque",
     "La surface %s est une demi-coque sans symétrie : le volume n'en compte que la moitié. Cochez sa "
     "symétrie dans ses propriétés."},
    {"rsVerifPlanSym",
     "La surface %s n'atteint pas son plan de symétrie (écart de %.4f m sous la flottaison) : l'eau passe "
     "entre ses deux moitiés. Amenez ses points de bord sur le plan de symétrie."},
    {"rsVerifIntersection",
     "Les corps %s et %s se recoupent : %.4f m3 communs sont comptés deux fois (volume et surface latérale). "
     "Arrêtez %s à la paroi de %s."},
    {"rsVerifPoidsLoin",
     "Le poids %s (X %.3f, Y %.3f, Z %.3f) est à %.3f m de toute surface, plus que la largeur de la coque : "
     "vérifiez sa position et ses unités."},
    {"rsVerifPrecision",
     "Le volume de la surface %s change de %.2f %% entre les précisions %d et %d : la précision du document "
     "est trop faible. Choisissez au moins la précision %d."},
    {"rsMeFlottaisonCaption", "Flottaison"},
    {"rsMeVerifierModeleCaption", "&Vérifier le modèle..."},
    {"rsVerifAucun", "Aucun problème trouvé"},
    {"rsVerifTitre", "Vérification du modèle"},
    {"rsVerifAvertissement", "La vérification du modèle a trouvé %d problème(s)"},
};

std::vector<std::string>& Valeurs() {
  static std::vector<std::string> v = [] {
    std::vector<std::string> r;
    for (const auto& d : Defs) r.emplace_back(d.Defaut);
    return r;
  }();
  return v;
}

const std::unordered_map<std::string_view, size_t>& Index() {
  static const std::unordered_map<std::string_view, size_t> idx = [] {
    std::unordered_map<std::string_view, size_t> m;
    for (size_t i = 0; i < Defs.size(); i++) m.emplace(Defs[i].Cle, i);
    return m;
  }();
  return idx;
}

bool EgalSansCasse(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); i++) {
    auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x < 0x80 && y < 0x80) {
      if (std::tolower(x) != std::tolower(y)) return false;
    } else if (x != y) {
      return false;
    }
  }
  return true;
}

}  // namespace

const std::string& rs(std::string_view cle) {
  auto it = Index().find(cle);
  if (it == Index().end()) {
    static thread_local std::string inconnue;
    inconnue = std::string(cle);
    return inconnue;
  }
  return Valeurs()[it->second];
}

const std::vector<TChaineDef>& TableChaines() { return Defs; }

bool ChaineConnue(std::string_view cle) { return Index().count(cle) != 0; }

void ChaineDefauts() {
  auto& v = Valeurs();
  for (size_t i = 0; i < Defs.size(); i++) v[i] = Defs[i].Defaut;
}

std::string Placeholders(std::string_view f, bool exact) {
  std::string r;
  for (size_t i = 0; i < f.size(); i++) {
    if (f[i] != '%') continue;
    if (++i >= f.size()) return r + '?';
    if (f[i] == '%') continue;
    while (i < f.size() && std::string_view("-+ #0'").find(f[i]) != std::string_view::npos) i++;
    auto nombre = [&] {
      if (i < f.size() && f[i] == '*') {
        r += exact ? "*" : "i";
        i++;
      } else {
        while (i < f.size() && f[i] >= '0' && f[i] <= '9') i++;
      }
    };
    nombre();
    if (i < f.size() && f[i] == '.') {
      i++;
      nombre();
    }
    size_t debut = i;
    while (i < f.size() && std::string_view("hlLqjzt").find(f[i]) != std::string_view::npos) i++;
    if (i >= f.size()) return r + '?';
    const char c = f[i];
    char g = '?';
    if (std::string_view("diouxXc").find(c) != std::string_view::npos)
      g = 'i';
    else if (std::string_view("fFeEgGaA").find(c) != std::string_view::npos)
      g = 'f';
    else if (c == 's')
      g = 's';
    else if (c == 'p')
      g = 'p';
    if (exact && g != '?')
      r += std::string(f.substr(debut, i - debut)) + c + ' ';
    else
      r += g;
  }
  return r;
}

namespace {

// A width or a precision: absent, '*' (taken from the values), or a number (saturated).
struct TTailleChamp {
  enum { Absente, Etoile, Nombre } Genre = Absente;
  size_t Valeur = 0;
};

struct TChamp {
  TTailleChamp Largeur, Precision;
};

std::vector<TChamp> Champs(std::string_view f) {
  std::vector<TChamp> r;
  for (size_t i = 0; i < f.size(); i++) {
    if (f[i] != '%') continue;
    if (++i >= f.size()) break;
    if (f[i] == '%') continue;
    while (i < f.size() && std::string_view("-+ #0'").find(f[i]) != std::string_view::npos) i++;
    auto taille = [&] {
      TTailleChamp t;
      if (i < f.size() && f[i] == '*') {
        t.Genre = TTailleChamp::Etoile;
        i++;
      } else if (i < f.size() && f[i] >= '0' && f[i] <= '9') {
        t.Genre = TTailleChamp::Nombre;
        for (; i < f.size() && f[i] >= '0' && f[i] <= '9'; i++)
          t.Valeur = std::min<size_t>(t.Valeur * 10 + static_cast<size_t>(f[i] - '0'), 1u << 30);
      }
      return t;
    };
    TChamp c;
    c.Largeur = taille();
    if (i < f.size() && f[i] == '.') {
      i++;
      c.Precision = taille();
      // "%.f" is a precision of 0.
      if (c.Precision.Genre == TTailleChamp::Absente) c.Precision.Genre = TTailleChamp::Nombre;
    }
    r.push_back(c);
    // The conversion itself: the loop goes past it.
    while (i < f.size() && std::string_view("hlLqjzt").find(f[i]) != std::string_view::npos) i++;
  }
  return r;
}

bool TailleDansDefaut(const TTailleChamp& t, const TTailleChamp& d) {
  switch (t.Genre) {
    case TTailleChamp::Absente:
      return true;
    case TTailleChamp::Etoile:
      return d.Genre == TTailleChamp::Etoile;
    case TTailleChamp::Nombre:
      return d.Genre == TTailleChamp::Nombre && t.Valeur <= d.Valeur;
  }
  return false;
}

}  // namespace

bool ChampsDansDefaut(std::string_view texte, std::string_view defaut) {
  const std::vector<TChamp> t = Champs(texte), d = Champs(defaut);
  if (t.size() != d.size()) return false;
  for (size_t k = 0; k < t.size(); k++)
    if (!TailleDansDefaut(t[k].Largeur, d[k].Largeur) || !TailleDansDefaut(t[k].Precision, d[k].Precision))
      return false;
  return true;
}

namespace chaines_detail {
std::string SansPlaceholders(const std::string& fmt) {
  std::string r;
  for (size_t i = 0; i < fmt.size(); i++) {
    r += fmt[i];
    if (fmt[i] == '%' && i + 1 < fmt.size() && fmt[i + 1] == '%') i++;
  }
  return r;
}
}  // namespace chaines_detail

std::string DefautFichierLangue(std::string_view o) {
  if (o.find('=') == std::string_view::npos) return "rsLangueVide";
  if (o.size() >= 2 && ((o[0] == '\xFF' && o[1] == '\xFE') || (o[0] == '\xFE' && o[1] == '\xFF')))
    return "rsLangueEncodage";  // UTF-16
  if (o.find('\0') != std::string_view::npos) return "rsLangueEncodage";
  for (size_t i = 0; i < o.size(); i++) {
    auto c = static_cast<unsigned char>(o[i]);
    // Bytes Windows-1252 leaves unassigned.
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) return "rsLangueEncodage";
    // A well-formed UTF-8 sequence (a BOM included) means the file was saved as UTF-8:
    // read as Windows-1252 its accents would come out as pairs of wrong letters.
    int suite = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
    if (suite == 0 || i + static_cast<size_t>(suite) >= o.size()) continue;
    bool utf8 = true;
    for (int k = 1; k <= suite && utf8; k++) {
      auto d = static_cast<unsigned char>(o[i + static_cast<size_t>(k)]);
      utf8 = d >= 0x80 && d <= 0xBF;
    }
    if (utf8) return "rsLangueEncodage";
  }
  // Every line ends with its line end: a last line without one is what is left of a
  // copy or a download that stopped.
  if (o.back() != '\n') return "rsLangueTronquee";
  return {};
}

std::vector<std::string> ValeursChaines() { return Valeurs(); }

const std::vector<TAliasChaine>& AliasChaines() {
  // Language files written to the documented list of keys name some texts otherwise than
  // the table does: the window's component names of that list, for the same texts.
  static const std::vector<TAliasChaine> a = {
      {"rsGBDonneesCaption", "rsExportFormGBEntites"},
      {"rsGBCtxCaption", "rsExportFormGBContexte"},
      {"rsCBAretesCaption", "rsExportFormCBAretes"},
      {"rsCBSurfParamCaption", "rsExportFormCBSurfParam"},
      {"rsRBSurfMaille3DCaption", "rsExportFormRBMaillage"},
      {"rsRBSurfPolyLCaption", "rsExportFormRBCourbes"},
      {"rsCbNurbsCaption", "rsExportFormCBNurbs"},
      {"rsCBGrilleCaption", "rsExportFormCBGrille"},
      {"rsCBAxesCaption", "rsExportFormCBAxes"},
      {"rsRB3DCaption", "rsExportFormRB3D"},
      {"rsGB2DCaption", "rsExportFormRB2D"},
      {"rsCBColorCaption", "rsExportFormCBCouleurs"},
      {"rsSB_SouderHint", "rsBOSouderHint"},
      {"rsStabFormCaption", "rsStabCaption"},
  };
  return a;
}

bool ChargerChaines(const std::string& chemin, std::string* refus) {
  if (refus) refus->clear();
  std::vector<std::pair<std::string, std::string>> entrees;
  std::ifstream in(chemin, std::ios::binary);
  bool lu = static_cast<bool>(in);
  std::string raison = lu ? std::string() : "rsLangueAbsente";
  if (lu) {
    std::string octets((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    raison = DefautFichierLangue(octets);
    size_t debut = 0;
    while (raison.empty() && debut < octets.size()) {
      size_t fin = octets.find('\n', debut);
      if (fin == std::string::npos) fin = octets.size();
      std::string_view l(octets.data() + debut, fin - debut);
      debut = fin + 1;
      if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
      size_t eq = l.find('=');
      if (eq == std::string::npos) continue;  // section headings, empty lines
      entrees.emplace_back(Cp1252VersUtf8(l.substr(0, eq)), Cp1252VersUtf8(l.substr(eq + 1)));
    }
  }
  auto& v = Valeurs();
  // The texts given under another name of a key, for the keys the file does not name.
  std::vector<std::pair<std::string, std::string>> parAlias;
  for (const auto& a : AliasChaines())
    for (const auto& [cle, texte] : entrees)
      if (EgalSansCasse(cle, a.Autre)) {
        parAlias.emplace_back(a.Cle, texte);
        break;
      }
  for (size_t i = 0; i < Defs.size(); i++) {
    v[i] = Defs[i].Defaut;
    bool propre = false;
    for (const auto& e : entrees) propre = propre || EgalSansCasse(e.first, Defs[i].Cle);
    for (const auto& [cle, texte] : propre ? entrees : parAlias)
      if (EgalSansCasse(cle, Defs[i].Cle)) {
        // A text whose placeholders differ from the default's would be a format for
        // values the code does not pass, or for fields wider than any caption: the
        // default stays.
        if (Placeholders(texte, true) == Placeholders(Defs[i].Defaut, true) &&
            ChampsDansDefaut(texte, Defs[i].Defaut))
          v[i] = texte;
        else
          DbgErr(erDivers, "Chaines.ChargerChaines", static_cast<int>(i), {Defs[i].Cle, texte});
        break;
      }
  }
  if (!raison.empty()) {
    // Said once for the file, in French since the file's texts were refused.
    std::string m = Format(rs("rsErrLangue"), chemin.c_str(), rs(raison).c_str());
    if (lu) DbgErr(erDivers, "Chaines.ChargerChaines", 0, {m});
    if (refus) *refus = m;
    return false;
  }
  return lu;
}

std::string FormatC(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  va_list ap2;
  va_copy(ap2, ap);
  int n = std::vsnprintf(nullptr, 0, fmt, ap);
  va_end(ap);
  std::string r;
  if (n > 0) {
    r.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(r.data(), r.size(), fmt, ap2);
    r.resize(static_cast<size_t>(n));
  }
  va_end(ap2);
  return r;
}
