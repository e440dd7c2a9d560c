// pixora-export: exports Pixora sprites and calculator pictures to C from the
// command line, through the editor's plug-ins, for build scripts.
#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "CliFailure.h"
#include "CliOptions.h"
#include "CliText.h"
#include "Commands.h"
#include "ConvertCommands.h"
#include "ListCommands.h"
#include "StandardStreams.h"
#include "ScreenCommands.h"
#include "TileCommands.h"

namespace {

constexpr const char* HelpText =
    R"(Utilisation : pixora-export [--plugins DOSSIER] [-p PLUGIN] [-n NOM] [-o SORTIE] ENTREE
              pixora-export --to-pixo SORTIE ENTREE
              pixora-export --to-pixo SORTIE PLAN_L PLAN_D
              pixora-export --to-pixs SORTIE ENTREE...
              pixora-export --to-png SORTIE [--png-scale N] [--calculator-colors] ENTREE
              pixora-export --to-ti SORTIE.89i|.9xi|.v2i [--var-name NOM] ENTREE
              pixora-export --to-png SORTIE --screen ti89|ti92p|v200 [--at X,Y] [--mode MODE]
                            [--background FOND] [--png-scale N] ENTREE
              pixora-export --to-png SORTIE --screen MODELE --text "TEXTE" --font PLANCHE.pixs
                            --first PREMIER [--proportional [--spacing N]] [--at X,Y] [--mode MODE]
              pixora-export --data [DISPOSITION] [--frames array|separate] [--syntax SYNTAXE]
                            [--defines] [--frame K] [--font PREMIER [--proportional [--spacing N]]]
                            [-n NOM] [-o SORTIE] ENTREE
              pixora-export --to-pixs SORTIE.pixs IMAGE --cell LxH [--margin X[,Y]]
                            [--spacing X[,Y]] [--skip-empty]
              pixora-export --to-png SORTIE.png PLANCHE.pixs --sheet-columns N [--spacing E]
              pixora-export --to-pixm SORTIE.pixm IMAGE --cell LxH [--keep-duplicates]
              pixora-export --to-pixm SORTIE.pixm --tiles PLANCHE.pixs --map-of IMAGE
              pixora-export --to-pixm SORTIE.pixm SOURCE [--map NOM]
              pixora-export --to-pixm SORTIE.pixm SOURCE --tiles NOM --map NOM|NOM[k]
                            [--map-width L] [DISPOSITION] [--height H]
              pixora-export --list [--plugins DOSSIER]
              pixora-export --list-sprites SOURCE...
              pixora-export --info PLUGIN [--plugins DOSSIER]
              pixora-export -h | --help | --version

Exporte en code C un sprite Pixora (.pixo), une planche de sprites (.pixs),
une image de calculatrice (.89i, .9xi, .v2i), une image PNG, BMP, GIF ou
JPEG ou un sprite des tableaux d'une source C (.c, .h) ou assembleur (.s,
.S, .asm, .inc) avec les plug-ins d'exportation de l'éditeur : le fichier
écrit est exactement celui qu'écrirait l'éditeur. Les images d'une planche
sont exportées l'une après l'autre sous les noms NOM_0, NOM_1... dans un
seul fichier. Chaque commande lit chacune de ces ENTREE.

  -p PLUGIN          plug-in à employer : nom du fichier, avec ou sans suffixe,
                     ou nom affiché (par défaut : hexplane)
  -n NOM             nom du sprite dans le code C, un identificateur C qui n'est
                     pas un mot réservé (par défaut : le nom de ENTREE sans
                     extension, chaque caractère autre qu'une lettre, un chiffre
                     ou _ remplacé par _, _ devant un chiffre initial et après
                     un mot réservé du C)
  -o SORTIE          fichier à écrire ; - ou pas de -o : la sortie standard
  --plugins DOSSIER  dossier des plug-ins (par défaut : Plugins à côté du programme)
  --to-pixo SORTIE   convertit ENTREE en fichier .pixo ; avec deux images de
                     calculatrice, PLAN_L (plan clair, NOM_l) puis PLAN_D
                     (plan foncé, NOM_d) de la même taille, un sprite en gris
  --array NOM        dans une source C, le tableau ou le groupe de tableaux à
                     lire (NOM, NOM_Mask, NOM_LightPlane... ; NOM:gris pour un
                     tableau gris en deux moitiés) ; sans --array, le premier
                     trouvé, dit sur la sortie d'erreur ; avec une
                     DISPOSITION et --height, un tableau (block, interlaced)
                     ou un par plan dans l'ordre de --order (separate),
                     NOM,NOM2[,NOM3], entier ou partie NOM[k] d'un tableau à
                     deux dimensions
  --width L          L colonnes au lieu des bits des éléments (les colonnes de
                     droite sont ignorées)
  --frame K          une seule image de la planche ENTREE (à partir de 0),
                     exportée sous le nom NOM ou convertie par les autres
                     commandes
  --to-pixs SORTIE   fait une planche .pixs des images des ENTREE, dans
                     l'ordre, toutes de la même taille ; une source C donne
                     tous ses sprites de la taille du premier (ou de celui
                     de --array)
  --to-png SORTIE    écrit ENTREE en image PNG, comme « Exporter en PNG... »
                     de l'éditeur
  --png-scale N      chaque pixel du sprite en N x N pixels (1 à 16, par défaut 1)
  --calculator-colors
                     les couleurs de la calculatrice au lieu des quatre gris
  --to-ti SORTIE     écrit ENTREE en image de calculatrice : TI-89 (.89i),
                     TI-92 Plus (.9xi) ou V200 (.v2i) ; un sprite en niveaux de
                     gris donne deux images, SORTIE_l (plan clair) et SORTIE_d
                     (plan foncé) ; les pixels masqués sont blancs
  --var-name NOM     nom de la variable : 1 à 8 lettres, chiffres ou _, une
                     lettre d'abord (par défaut : les 8 premiers de ces
                     caractères du nom de SORTIE sans extension, en
                     minuscules, à partir de sa première lettre)
  --data             écrit les données de ENTREE dans la DISPOSITION
                     demandée, en C ou en assembleur, sans plug-in
  --frames array|separate
                     une planche en un tableau NOM[N][...] par plan, ou en
                     tableaux NOM_0, NOM_1... (par défaut : array)
  --syntax SYNTAXE   c, c-binary, a68k, a68k-binary, gnu-as ou gnu-as-binary
                     (par défaut : c)
  --defines          ajoute NOM_WIDTH, NOM_HEIGHT (et NOM_FRAMES d'une planche)
  --height H         à la lecture d'une disposition : les lignes d'une image
                     (1 à 128)
  --screen MODELE    avec --to-png : l'écran entier de la calculatrice (160 x 100
                     pour ti89, 240 x 128 pour ti92p et v200) dans ses couleurs,
                     ENTREE dessinée dessus par les routines de sprites
  --at X,Y           position du sprite ou du texte sur l'écran, de -10000 à
                     10000 (par défaut 0,0) ; ce qui dépasse de l'écran est coupé
  --mode MODE        or, xor, and, mask, replace, tranw (blanc transparent) ou
                     tranb (noir transparent) ; par défaut mask pour un sprite
                     masqué, sinon or
  --background FOND  fond de l'écran, dessiné depuis 0,0 : une image de
                     calculatrice, un sprite .pixo ou une carte .pixm (par
                     défaut : blanc)
  --text "TEXTE"     dessine TEXTE avec la police --font au lieu d'un sprite
  --font PLANCHE     la planche dont l'image k est le caractère PREMIER + k ;
                     avec --data : --font PREMIER écrit la planche en police
  --first PREMIER    le premier caractère de la police : un code de 32 à 255
                     ou le caractère lui-même
  --proportional     police proportionnelle : chaque caractère avance de sa
                     dernière colonne utilisée + 1, plus l'espacement ; --data
                     écrit alors ces largeurs dans NOM_widths
  --spacing N        espacement d'une police proportionnelle (par défaut 1)
Planches et cartes de tuiles :
  --cell LxH         découpe l'image en cases de L x H pixels (au plus
                     240 x 128), de gauche à droite puis de haut en bas ; seules
                     les cases entières sont prises ; l'image peut faire
                     jusqu'à 4096 x 4096 pixels
  --margin X[,Y]     décalage de la première case (un nombre : le même en X et Y)
  --spacing X[,Y]    écart entre deux cases (aussi entre les images de
                     --sheet-columns, en pixels du sprite)
  --skip-empty       saute les cases toutes blanches (les pixels masqués comptent
                     pour blancs)
  --sheet-columns N  écrit les images de la planche en une seule image PNG, N par
                     ligne, écarts et cases inutilisées blancs
  --to-pixm SORTIE   écrit une carte de tuiles .pixm : les cases égales d'une
                     image sont une seule tuile (pas ses images miroirs), dans
                     l'ordre de lecture
  --keep-duplicates  chaque case est sa propre tuile
  --tiles PLANCHE|NOM
                     le jeu de tuiles : une planche .pixs (avec --map-of), ou le
                     tableau d'une source
  --map-of IMAGE     la carte de l'image faite des tuiles de --tiles (chaque
                     case, la première tuile qui lui est égale)
  --map NOM|NOM[k]   le tableau de la carte dans la source : à deux dimensions,
                     il donne sa taille ; à une dimension, il demande
                     --map-width
  --map-width L      les colonnes d'une carte à une dimension
Une carte .pixm se lit comme ENTREE de --to-png (la carte dessinée), de
--to-pixs (son jeu de tuiles) et de --data (NOM_tiles et NOM_map[H][L] ;
--defines ajoute NOM_MAP_WIDTH, NOM_MAP_HEIGHT et NOM_TILES). Sans --tiles,
--to-pixm relit d'une SOURCE une carte que --data y a écrite, comme le disent
les commentaires de Pixora : celle que nomme --map (NOM ou NOM_map), sinon la
première.

  --list             une ligne par plug-in : fichier, nom affiché et version,
                     séparés par des tabulations
  --info PLUGIN      affiche la description du plug-in
  --list-sprites     une ligne par sprite lisible des SOURCE (fichiers C ou
                     assembleur, dossiers) : NOM  L x H  TYPE  N image(s)
                     FICHIER:LIGNE du premier appel qui le dessine, ou
                     « tableau seul » ; code 2 quand il n'y en a aucun
  -h, --help         affiche cette aide
  --version          affiche la version

Une ENTREE .png, .bmp, .gif, .jpg ou .jpeg est d'abord convertie en sprite :
  --levels 2|4       deux niveaux (noir et blanc) ou quatre niveaux de gris
                     (par défaut : 4 si l'image a des gris, sinon 2)
  --threshold T      seuil de 1 à 255 (par défaut 128)
  --dither MODE      tramage : none (par défaut), floyd-steinberg, atkinson, bayer
  --invert           inverse les clairs et les sombres
  --no-alpha-mask    les pixels transparents ne deviennent pas masqués
  --scale-down N     garde un pixel sur N dans chaque sens
  --crop X,Y,L,H     prend cette partie de l'image (après --scale-down)
Une image de plus de 240 x 128 pixels demande --scale-down ou --crop.

DISPOSITION : comment les données d'un sprite sont rangées dans les tableaux,
pour --data et pour lire une source avec --array :
  --rows 8|16|32|64|bytes
                     une ligne par élément de 8, 16, 32 ou 64 bits, ou en
                     octets (largeur / 8, arrondi au-dessus) ; par défaut :
                     le plus petit de 8, 16, 32 qui contient la largeur, sinon
                     bytes (à la lecture : les bits des éléments)
  --order PLANS      les plans dans l'ordre, exactement ceux du sprite :
                     B (noir et blanc) ou L (clair) et D (foncé), et M (masque)
                     s'il est masqué ; par défaut B ou LD, M à la fin, au
                     début avec interlaced
  --arrange separate|block|interlaced
                     un tableau par plan (NOM, NOM_LightPlane, NOM_DarkPlane,
                     NOM_Mask), un tableau plan après plan, ou un tableau
                     ligne par ligne, chaque ligne de chaque plan à son tour
                     (par défaut : separate)
  --mask-bit transparent|opaque
                     ce que vaut un bit 1 du masque (par défaut : transparent)
Avec --array NOM seul, un appel de routine de sprite de la source (Sprite16,
GrayClipSprite16_SMASK_R...) qui lit NOM donne la hauteur, la largeur des
lignes, les plans et le masque ; d'une table que l'appel dessine ligne par
ligne (NOM[i]), NOM[k] donne l'image k. Une source .s, .asm ou .inc (A68k ou
GNU as) se lit comme une source C : les données après chaque étiquette ; les
étiquettes NOM_light, NOM_dark et NOM_mask (ou _l, _d, _m, Light, Dark,
Mask, _clair, _fonce, _masque) sont les plans d'un sprite NOM.

La sortie n'apparaît que complète : après un échec, aucun fichier n'est laissé
et un fichier existant reste tel qu'il était. Un lien symbolique est suivi ; un
périphérique ou un tube est écrit sans être remplacé ; un fichier en lecture
seule et une boucle de liens sont refusés. Une sortie standard fermée (un tube
dont le lecteur s'est arrêté) est une écriture impossible.

Codes de retour :
  0  fichier écrit
  1  le plug-in refuse le sprite (son explication est sur la sortie d'erreur)
  2  erreur d'utilisation, entrée illisible ou refusée, sortie impossible à écrire
     (dossier, lecture seule, boucle de liens, le fichier d'entrée, disque plein,
     tube fermé, erreur d'E/S)
  3  plug-in introuvable, non valide, sans fonction d'enregistrement, arrêté
     brutalement, ou qui n'a rien écrit

Exemple :
  pixora-export -p hexplane -n balle -o balle.h balle.pixo
)";

// The texts of these modes go to standard output.
bool WritesText(CliMode mode)
{
    return mode == CliMode::Help || mode == CliMode::Version || mode == CliMode::List || mode == CliMode::Info ||
           mode == CliMode::ListSprites;
}

int Run(const CliOptions& options)
{
    if (WritesText(options.mode))
        RefuseClosedStandardOutput();
    if (const std::optional<int> status = RunTileCommand(options, std::cerr))
        return *status;
    switch (options.mode) {
    case CliMode::Help:
        std::cout << HelpText;
        return ExitWritten;
    case CliMode::Version:
        std::cout << "pixora-export " PIXORA_VERSION "\n";
        return ExitWritten;
    case CliMode::List:
        return ListPlugins(options, std::cout, std::cerr);
    case CliMode::Info:
        return ShowPluginInfo(options, std::cout);
    case CliMode::ToPixo:
        return ConvertToPixo(options, std::cerr);
    case CliMode::ToPng:
        return ConvertToPng(options, std::cerr);
    case CliMode::ToPixs:
        return ConvertToPixs(options, std::cerr);
    case CliMode::ToTi:
        return WriteTiPicture(options, std::cerr);
    case CliMode::Data:
        return ExportData(options, std::cerr);
    case CliMode::ListSprites:
        return ListSourceSprites(options, std::cout, std::cerr);
    case CliMode::Screen:
        return DrawOnScreen(options, std::cerr);
    case CliMode::ToPixm: // a tile command
    case CliMode::Export:
        break;
    }
    return ExportSprite(options, std::cerr);
}

} // namespace

int main(int argc, char** argv)
{
    GuardStandardDescriptors();
    ShowAnsiTextOnConsole();
#if defined(SIGPIPE)
    // A closed pipe on the output is a failed write, told with status 2 like
    // any other, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    CliOptions options;
    try {
        options = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::cerr << "pixora-export : " << error.what() << "\nEssayez « pixora-export --help ».\n";
        return ExitBadInput;
    }
    try {
        const int status = Run(options);
        FinishStandardOutput();
        return status;
    } catch (const CliFailure& failure) {
        std::cerr << "pixora-export : " << failure.what() << '\n';
        return failure.status;
    } catch (const std::exception& error) {
        std::cerr << "pixora-export : " << error.what() << '\n';
        return ExitBadInput;
    }
}
