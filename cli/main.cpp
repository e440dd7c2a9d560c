// pixora-export: exports Pixora sprites and calculator pictures to C from the
// command line, through the editor's plug-ins, for build scripts.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "CliFailure.h"
#include "CliOptions.h"
#include "Commands.h"

namespace {

constexpr const char* HelpText =
    R"(Utilisation : pixora-export [--plugins DOSSIER] [-p PLUGIN] [-n NOM] [-o SORTIE] ENTREE
              pixora-export --to-pixo SORTIE ENTREE
              pixora-export --list [--plugins DOSSIER]
              pixora-export --info PLUGIN [--plugins DOSSIER]
              pixora-export -h | --help | --version

Exporte en code C un sprite Pixora (.pixo) ou une image de calculatrice
(.89i, .9xi, .v2i) avec les plug-ins d'exportation de l'éditeur : le fichier
écrit est exactement celui qu'écrirait l'éditeur.

  -p PLUGIN          plug-in à employer : nom du fichier, avec ou sans suffixe,
                     ou nom affiché (par défaut : hexplane)
  -n NOM             nom du sprite dans le code C, un identificateur C qui n'est
                     pas un mot réservé (par défaut : le nom de ENTREE sans
                     extension, chaque caractère autre qu'une lettre, un chiffre
                     ou _ remplacé par _, _ devant un chiffre initial et après
                     un mot réservé du C)
  -o SORTIE          fichier à écrire ; - ou pas de -o : la sortie standard
  --plugins DOSSIER  dossier des plug-ins (par défaut : Plugins à côté du programme)
  --to-pixo SORTIE   convertit ENTREE en fichier .pixo
  --list             une ligne par plug-in : fichier, nom affiché et version,
                     séparés par des tabulations
  --info PLUGIN      affiche la description du plug-in
  -h, --help         affiche cette aide
  --version          affiche la version

La sortie n'apparaît que complète : après un échec, aucun fichier n'est laissé
et un fichier existant reste tel qu'il était. Un lien symbolique est suivi ; un
périphérique ou un tube est écrit sans être remplacé ; un fichier en lecture
seule est refusé.

Codes de retour :
  0  fichier écrit
  1  le plug-in refuse le sprite (son explication est sur la sortie d'erreur)
  2  erreur d'utilisation, entrée illisible ou refusée, sortie impossible à écrire
     (dossier, lecture seule, le fichier d'entrée, disque plein, erreur d'E/S)
  3  plug-in introuvable, non valide, sans fonction d'enregistrement, arrêté
     brutalement, ou qui n'a rien écrit

Exemple :
  pixora-export -p hexplane -n balle -o balle.h balle.pixo
)";

int Run(const CliOptions& options)
{
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
        return ConvertToPixo(options);
    case CliMode::Export:
        break;
    }
    return ExportSprite(options);
}

} // namespace

int main(int argc, char** argv)
{
    CliOptions options;
    try {
        options = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::cerr << "pixora-export : " << error.what() << "\nEssayez « pixora-export --help ».\n";
        return ExitBadInput;
    }
    try {
        return Run(options);
    } catch (const CliFailure& failure) {
        std::cerr << "pixora-export : " << failure.what() << '\n';
        return failure.status;
    } catch (const std::exception& error) {
        std::cerr << "pixora-export : " << error.what() << '\n';
        return ExitBadInput;
    }
}
