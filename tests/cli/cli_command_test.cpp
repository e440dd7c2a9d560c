// Runs the built pixora-export as a build tool would and checks its exit
// status, its messages and the files it leaves.
#include <chrono>
#include <memory>
#include <sstream>

#include "CIdentifier.h"
#include "CliText.h"
#include "CommandFixture.h"
#include "PluginHost.h"

namespace {

struct StatusCase {
    Args arguments;
    int status;
    std::string messagePart;
};

TEST_F(CommandTest, EveryFailureHasItsStatusAndNamesItsCause)
{
    WriteFile(At("bon.pixo"), PixoBytes(8, 8, 1, {{0, 0, 3}}));
    WriteFile(At("court.pixo"), PixoBytes(8, 8, 1, {}).substr(0, 30731));
    WriteFile(At("type9.pixo"), PixoBytes(8, 8, 9, {}));
    WriteFile(At("large.89i"), PictureBytes(320, 16));
    WriteFile(At("notes.txt"), "rien");
    fs::create_directory(At("dossier.pixo"));
    fs::create_directory(At("sortie.h"));
    ASSERT_EQ(Shell("mkfifo " + ShellQuoted(At("tube.pixo"))), 0);
    const std::string out = At("out.h");
    const std::string P = Plugins();
    const StatusCase cases[] = {
        {{"--plugins", P, "-p", "probe", "-o", out, At("bon.pixo")}, 0, ""},
        {{"--plugins", P, "-p", "probe", "-n", "refus", "-o", out, At("bon.pixo")}, 1, "Sprite refusé\n"},
        {{"--plugins", P, "-p", "probe", "-o", out, At("absent.pixo")}, 2, "absent.pixo : fichier introuvable"},
        {{"--plugins", P, "-p", "probe", "-o", out, At("court.pixo")}, 2, "(30731 octets au lieu de 30732)"},
        {{"--plugins", P, "-p", "probe", "-o", out, At("type9.pixo")}, 2, "type9.pixo : fichier .pixo non valide"},
        {{"--plugins", P, "-p", "probe", "-o", out, At("large.89i")}, 2, "image de calculatrice non valide"},
        {{"--plugins", P, "-p", "probe", "-o", out, At("notes.txt")}, 2, "extension inconnue"},
        {{"--plugins", P, "-p", "probe", "-o", out, At("dossier.pixo")}, 2, "c'est un dossier"},
        {{"--plugins", P, "-p", "probe", "-o", At("sortie.h"), At("bon.pixo")}, 2, "sortie.h : c'est un dossier"},
        {{"--plugins", P, "-p", "probe", "-o", At("rien/out.h"), At("bon.pixo")}, 2, "impossible de créer"},
        {{"--plugins", P, "-p", "probe", "-o", At("bon.pixo"), At("./bon.pixo")}, 2, "remplacerait le sprite"},
        {{"--plugins", P, "-p", "probe", "-o", out, At("tube.pixo")}, 2, "pas un fichier ordinaire"},
        {{"--plugins", P, "-o", out}, 2, "fichier d'entrée manquant"},
        {{"--plugins", P, "-q", At("bon.pixo")}, 2, "option inconnue : -q"},
        {{"--plugins", P, "-p", "inconnu", "-o", out, At("bon.pixo")}, 3, "« inconnu » introuvable"},
        {{"--plugins", P, "-p", "nowrite", "-o", out, At("bon.pixo")}, 3, "pas de fonction d'enregistrement"},
        {{"--plugins", P, "-p", "junk.so", "-o", out, At("bon.pixo")}, 3, "« junk.so » non valide"},
        {{"--plugins", At("absent"), "-o", out, At("bon.pixo")}, 3, "introuvable"},
        {{"--info", "nowrite", "--plugins", At("absent")}, 3, "introuvable"},
    };
    for (const StatusCase& c : cases) {
        const RunResult result = Run(c.arguments);
        const std::string shown = testing::PrintToString(c.arguments);
        EXPECT_EQ(result.status, c.status) << shown << "\n" << result.err;
        EXPECT_NE(result.err.find(c.messagePart), std::string::npos) << shown << "\n" << result.err;
        EXPECT_EQ(fs::exists(out), c.status == 0) << shown;
        fs::remove(out);
    }
    for (const char* option : {"--help", "--version"}) {
        const RunResult result = Run({option});
        EXPECT_EQ(result.status, 0) << option;
        EXPECT_NE(result.out.find("pixora-export "), std::string::npos) << option;
    }
    EXPECT_EQ(FolderContents(),
              (std::vector<std::string>{"bon.pixo", "court.pixo", "dossier.pixo", "large.89i", "notes.txt", "plugins",
                                        "sortie.h", "tube.pixo", "type9.pixo"}));
}

TEST_F(CommandTest, PluginReceivesTheSpriteAsTheEditorHandsItOver)
{
    // Black at (1, 0), masked light gray at (3, 4), and a black pixel hidden
    // outside the 24 x 5 sprite that still travels in the planes.
    WriteFile(At("1st sprite.pixo"), PixoBytes(24, 5, 4, {{1, 0, 3}, {3, 4, 16}, {30, 100, 3}}));
    const Args arguments = {"--plugins", Plugins(), "-p", "Sonde d'essai été", At("1st sprite.pixo")};
    const std::string expected = "nom=_1st_sprite type=4 hauteur=5 largeur=24\n"
                                 "couleur 128:3 388:1 3940:3\n"
                                 "masque 388:1\n";

    Args toFile = arguments;
    toFile.insert(toFile.end() - 1, {"-o", At("sonde.txt")});
    EXPECT_EQ(Run(toFile).status, 0);
    EXPECT_EQ(ReadFile(At("sonde.txt")), expected);

    const RunResult toStdout = Run(arguments);
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, expected);
    Args dash = arguments;
    dash.insert(dash.end() - 1, {"-o", "-"});
    EXPECT_EQ(Run(dash).out, expected);
}

TEST_F(CommandTest, RefusalOrFailureNeverTouchesAnExistingOutput)
{
    WriteFile(At("s.pixo"), PixoBytes(8, 8, 1, {}));
    WriteFile(At("s.h"), "ancien");
    const Args refused = {"--plugins", Plugins(), "-p", "probe.so", "-n", "refus", "-o", At("s.h"), At("s.pixo")};
    EXPECT_EQ(Run(refused).status, 1);
    const Args noWrite = {"--plugins", Plugins(), "-p", "nowrite", "-o", At("s.h"), At("s.pixo")};
    EXPECT_EQ(Run(noWrite).status, 3);
    WriteFile(At("t.pixo"), "trop court");
    EXPECT_EQ(Run({"--to-pixo", At("s.h"), At("t.pixo")}).status, 2);
    EXPECT_EQ(ReadFile(At("s.h")), "ancien");

    const RunResult refusedToStdout = Run({"--plugins", Plugins(), "-p", "probe", "-n", "refus", At("s.pixo")});
    EXPECT_EQ(refusedToStdout.status, 1);
    EXPECT_EQ(refusedToStdout.out, "");

    EXPECT_EQ(Run({"--plugins", Plugins(), "-p", "probe", "-o", At("s.h"), At("s.pixo")}).status, 0);
    EXPECT_EQ(ReadFile(At("s.h")).rfind("nom=s type=1", 0), 0u);
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"plugins", "s.h", "s.pixo", "t.pixo"}));
}

TEST_F(CommandTest, ToPixoReadsRealCalculatorPictures)
{
    const std::pair<int, int> sizes[] = {{13, 7}, {159, 77}, {240, 128}, {8, 1}};
    for (const auto& [width, height] : sizes) {
        const std::string shown = std::to_string(width) + " x " + std::to_string(height);
        WriteFile(At("image.9XI"), PictureBytes(width, height));
        const RunResult result = Run({"--to-pixo", At("image.pixo"), At("image.9XI")});
        EXPECT_EQ(result.status, 0) << shown << result.err;
        EXPECT_TRUE(ReadFile(At("image.pixo")) == PixoOfPicture(width, height)) << shown;
        EXPECT_TRUE(Run({"--to-pixo", "-", At("image.9XI")}).out == PixoOfPicture(width, height)) << shown;
    }
}

TEST_F(CommandTest, ListAndInfoShowPluginTextsInUtf8)
{
    const RunResult list = Run({"--list", "--plugins", Plugins()});
    EXPECT_EQ(list.status, 0);
    std::istringstream lines(list.out);
    std::vector<std::string> listed;
    for (std::string line; std::getline(lines, line);)
        listed.push_back(line);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed,
              (std::vector<std::string>{"nowrite.so\tSans enregistrement\t", "probe.so\tSonde d'essai été\t2.5"}));
    EXPECT_NE(list.err.find("« junk.so » non valide"), std::string::npos) << list.err;

    const RunResult info = Run({"--info", "probe", "--plugins", Plugins()});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out, "-Nom:\n    Sonde d'essai été\n\n-Version:\n    2.5\n\n-Description:\n    Ligne une\n"
                        "    ligne deux\n");
}

// The shipped plug-ins, through the command and through the editor's own
// export call, on the same sprites: the same bytes, the same refusals.
TEST_F(CommandTest, WritesExactlyWhatTheEditorWrites)
{
    const PluginScan shipped = ScanPlugins(PIXORA_PLUGIN_DIR "/");
    ASSERT_NE(std::find(shipped.fileNames.begin(), shipped.fileNames.end(), std::string("hexplane.so")),
              shipped.fileNames.end());
    const std::pair<const char*, std::string> sprites[] = {
        {"bw8.pixo", PatternPixo(8, 8, 1)},       {"gray16.pixo", PatternPixo(16, 16, 2)},
        {"gray32.pixo", PatternPixo(32, 32, 2)},  {"masked16.pixo", PatternPixo(16, 16, 3)},
        {"wide16x8.pixo", PatternPixo(16, 8, 1)},
    };
    for (size_t p = 0; p < shipped.paths.size(); ++p) {
        for (const auto& [name, bytes] : sprites) {
            const std::string shown = shipped.fileNames[p] + " " + name;
            WriteFile(At(name), bytes);
            auto sprite = std::make_unique<Sprite>();
            ASSERT_TRUE(sprite->LoadFromFile(At(name)));
            auto planes = std::make_unique<SpritePlanes>();
            BuildPlanes(*sprite, *planes);
            const ExportResult editor = CallPluginWrite(shipped.paths[p], At("editor.h"), DefaultSpriteName(name),
                                                        sprite->type, *planes, sprite->height, sprite->width);
            const std::string editorBytes = ReadFile(At("editor.h"));

            const RunResult result = Run({"-p", shipped.fileNames[p], "-o", At("cli.h"), At(name)});
            if (editor == ExportResult::Written) {
                EXPECT_EQ(result.status, 0) << shown << result.err;
                EXPECT_TRUE(ReadFile(At("cli.h")) == editorBytes) << shown;
                EXPECT_TRUE(Run({"-p", shipped.fileNames[p], At(name)}).out == editorBytes) << shown;
            } else {
                EXPECT_EQ(result.status, 1) << shown;
                EXPECT_FALSE(fs::exists(At("cli.h"))) << shown;
                EXPECT_NE(result.err.find(TerminalText(editorBytes)), std::string::npos) << shown << result.err;
            }
            fs::remove(At("cli.h"));
        }
    }
}

TEST_F(CommandTest, ExampleMakefileRebuildsOnlyWhatChanged)
{
    // Times set a few seconds apart, so the test holds on file systems with a
    // coarse clock: sprites a minute old, headers half a minute old.
    const auto now = fs::file_time_type::clock::now();
    const auto setTime = [&](const char* name, int secondsAgo) {
        fs::last_write_time(At(name), now - std::chrono::seconds(secondsAgo));
    };
    fs::copy_file(fs::path(CLI_EXAMPLES_DIR) / "Makefile", At("Makefile"));
    WriteFile(At("balle.pixo"), PatternPixo(8, 8, 1));
    WriteFile(At("mur.pixo"), PatternPixo(16, 16, 2));
    setTime("balle.pixo", 60);
    setTime("mur.pixo", 60);
    const std::string inFolder = " -C " + ShellQuoted(dir_.string()) + " PIXORA_EXPORT=" + ShellQuoted(Command);
    const std::string make = "make -s" + inFolder + " >/dev/null 2>&1";
    const std::string upToDate = "make -q" + inFolder + " >/dev/null 2>&1";

    ASSERT_EQ(Shell(make), 0);
    EXPECT_EQ(ReadFile(At("balle.h")), Run({"-o", "-", At("balle.pixo")}).out);
    EXPECT_NE(ReadFile(At("balle.h")).find("balle"), std::string::npos);
    EXPECT_TRUE(fs::exists(At("mur.h")));

    setTime("balle.h", 30);
    setTime("mur.h", 30);
    const auto built = fs::last_write_time(At("balle.h"));
    EXPECT_EQ(Shell(upToDate), 0);
    EXPECT_EQ(Shell(make), 0);
    EXPECT_EQ(fs::last_write_time(At("balle.h")), built);

    setTime("balle.pixo", 0);
    EXPECT_EQ(Shell(upToDate), 1);
    EXPECT_EQ(Shell(make), 0);
    EXPECT_GE(fs::last_write_time(At("balle.h")), fs::last_write_time(At("balle.pixo")));
    EXPECT_EQ(fs::last_write_time(At("mur.h")), built);
    EXPECT_EQ(Shell(upToDate), 0);
}

TEST_F(CommandTest, SetsAreBuiltFromAnyInputsAndExportEveryFrameJoined)
{
    WriteFile(At("a.pixo"), PatternPixo(8, 8, 1));
    WriteFile(At("b.pixo"), PatternPixo(8, 8, 2));
    WriteFile(At("c.89i"), PictureBytes(8, 8));
    WriteFile(At("pair.pixs"), PixsBytes({PatternPixo(8, 8, 2), PatternPixo(8, 8, 1)}));
    ASSERT_EQ(Run({"--to-pixs", At("set.PIXS"), At("a.pixo"), At("c.89i"), At("pair.pixs")}).status, 0);
    const std::vector<std::string> frames = {PatternPixo(8, 8, 1), PixoOfPicture(8, 8), PatternPixo(8, 8, 2),
                                             PatternPixo(8, 8, 1)};
    EXPECT_TRUE(ReadFile(At("set.PIXS")) == PixsBytes(frames)) << "the frames in order, byte for byte";

    // The default name comes from the set's file name; each frame is what
    // the frame's own export would be, under NAME_k.
    const RunResult all = Run({"-o", "-", At("set.PIXS")});
    ASSERT_EQ(all.status, 0) << all.err;
    std::string joined;
    for (std::size_t k = 0; k < frames.size(); ++k) {
        WriteFile(At("frame.pixo"), frames[k]);
        const RunResult one = Run({"-n", "set_" + std::to_string(k), "-o", "-", At("frame.pixo")});
        ASSERT_EQ(one.status, 0);
        joined += (k ? "\r\n" : "") + one.out;
    }
    EXPECT_EQ(all.out, joined);

    const RunResult second = Run({"--frame", "1", "-o", "-", At("set.PIXS")});
    WriteFile(At("frame.pixo"), frames[1]);
    EXPECT_EQ(second.out, Run({"-n", "set", "-o", "-", At("frame.pixo")}).out) << "one frame, named NAME";
    ASSERT_EQ(Run({"--to-pixo", At("trois.pixo"), "--frame", "2", At("set.PIXS")}).status, 0);
    EXPECT_TRUE(ReadFile(At("trois.pixo")) == frames[2]);
    ASSERT_EQ(Run({"--to-pixo", At("seul.pixo"), At("a.pixo")}).status, 0) << "a .pixo is a set of one frame";
    WriteFile(At("one.pixs"), PixsBytes({frames[3]}));
    EXPECT_EQ(Run({"-o", "-", At("one.pixs")}).out, Run({"-n", "one", "-o", "-", At("a.pixo")}).out)
        << "a set of one frame exports exactly as its sprite";
}

TEST_F(CommandTest, SetCommandsRefuseWhatTheyCannotDo)
{
    WriteFile(At("a.pixo"), PatternPixo(8, 8, 1));
    WriteFile(At("wide.pixo"), PatternPixo(16, 8, 1));
    WriteFile(At("set.pixs"), PixsBytes({PatternPixo(8, 8, 1), PatternPixo(8, 8, 2)}));
    WriteFile(At("huge.pixs"), PixsBytes({PatternPixo(8, 8, 1)}, 0));
    WriteFile(At("mixed.pixs"), PixsBytes({PatternPixo(8, 8, 1), PatternPixo(16, 8, 1)}));
    WriteFile(At("notaset.pixs"), PatternPixo(8, 8, 1));
    WriteFile(At("short.pixs"), PixsBytes({PatternPixo(8, 8, 1), PatternPixo(8, 8, 1)}).substr(0, 40000));
    WriteFile(At("odd.pixs"), PixsBytes({PatternPixo(16, 8, 1), PatternPixo(16, 8, 1)}));
    const std::string out = At("out.pixo");
    const StatusCase cases[] = {
        {{"--to-pixo", out, At("set.pixs")}, 2, "la planche a 2 images ; choisissez-en une avec --frame K"},
        {{"--to-pixo", out, "--frame", "2", At("set.pixs")}, 2, "pas d'image 2 (2 images, numérotées de 0 à 1)"},
        {{"--frame", "1", "-o", out, At("a.pixo")}, 2, "pas d'image 1"},
        {{"--frame", "x", At("a.pixo")}, 2, "--frame attend un numéro"},
        {{"--to-pixs", out, At("a.pixo"), At("wide.pixo"), At("mixed.pixs")}, 2, "wide.pixo : taille 16 x 8 au lieu de 8 x 8"},
        {{"--to-pixs", out, At("mixed.pixs")}, 2, "l'image 1 n'a pas la taille de l'image 0"},
        {{"--to-pixs", out, At("huge.pixs")}, 2, "planche .pixs de 0 image"},
        {{"--to-pixs", out, At("notaset.pixs")}, 2, "il manque « PIXS »"},
        {{"--to-pixs", out, At("short.pixs")}, 2, "planche .pixs tronquée"},
        {{"--to-pixs", At("a.pixo"), At("a.pixo")}, 2, "la sortie remplacerait l'entrée"},
        {{"--to-pixs", out, "--frame", "0", At("a.pixo")}, 2, "--frame ne s'emploie pas avec --to-pixs"},
        {{"-p", "hexplane", "-o", out, At("odd.pixs")}, 1, "image 0 : le plug-in « hexplane.so » refuse le sprite"},
    };
    for (const StatusCase& c : cases) {
        const RunResult result = Run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments[1] << " " << result.err;
        EXPECT_NE(result.err.find(c.messagePart), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(out)) << "nothing is written: " << result.err;
    }
    EXPECT_TRUE(ReadFile(At("a.pixo")) == PatternPixo(8, 8, 1));

    std::string many;
    for (int k = 0; k < 129; ++k)
        many += PatternPixo(8, 8, 1);
    WriteFile(At("half.pixs"), PixsBytes({}, 129) + many);
    const RunResult beyondOldLimit = Run({"--to-pixs", out, At("half.pixs"), At("half.pixs")});
    EXPECT_EQ(beyondOldLimit.status, 0) << beyondOldLimit.err;
    EXPECT_EQ(ReadFile(out).substr(6, 2), std::string("\x02\x01", 2)) << "258 frames make one set";
}

// Round trips: --to-ti writes calculator pictures (one, or two for gray)
// that the importer reads back, and --to-pixo reads C arrays with --array and
// --width; names and widths that cannot be used are refused with status 2.
TEST_F(CommandTest, RoundTripsThroughCalculatorPicturesAndCArrays)
{
    WriteFile(At("bw.pixo"), PixoFrom(9, 3, 1, [](int x, int y) { return x == y ? 3 : 0; }));
    WriteFile(At("gris.pixo"), PixoFrom(4, 1, 2, [](int x, int) { return x; }));
    EXPECT_EQ(Run({"--to-ti", At("Balle.9xi"), At("bw.pixo")}).status, 0);
    const std::string picture = ReadFile(At("Balle.9xi"));
    EXPECT_EQ(picture.substr(0, 8), "**TI92P*");
    EXPECT_EQ(picture.substr(0x40, 6), std::string("balle\0", 6));
    EXPECT_EQ(Run({"--to-pixo", At("back.pixo"), At("Balle.9xi")}).status, 0);
    EXPECT_EQ(ReadFile(At("back.pixo")), ReadFile(At("bw.pixo")));

    const RunResult gray = Run({"--to-ti", At("g.v2i"), "--var-name", "Mur", At("gris.pixo")});
    EXPECT_EQ(gray.status, 0);
    EXPECT_NE(gray.err.find("deux images"), std::string::npos) << gray.err;
    EXPECT_EQ(ReadFile(At("g_l.v2i")).substr(0x40, 6), std::string("mur_l\0", 6));
    EXPECT_FALSE(fs::exists(At("g.v2i")));
    EXPECT_EQ(Run({"--to-pixo", At("light.pixo"), At("g_l.v2i")}).status, 0);
    EXPECT_EQ(ReadFile(At("light.pixo")), PixoFrom(4, 1, 1, [](int x, int) { return x % 2 ? 3 : 0; }));

    WriteFile(At("src.h"), "/* two sprites */\n"
                           "static const unsigned char a[] = {0x80, 0x01};\n"
                           "uint16_t b[1] = {0b1000000000000001,};\n");
    const RunResult first = Run({"--to-pixo", At("a.pixo"), At("src.h")});
    EXPECT_EQ(first.status, 0);
    EXPECT_NE(first.err.find("lu le premier, « a »"), std::string::npos) << first.err;
    EXPECT_EQ(ReadFile(At("a.pixo")), PixoFrom(8, 2, 1, [](int x, int y) { return x == 7 * y ? 3 : 0; }));
    EXPECT_EQ(Run({"--to-pixo", At("b.pixo"), "--array", "b", "--width", "9", At("src.h")}).status, 0);
    EXPECT_EQ(ReadFile(At("b.pixo")), PixoFrom(9, 1, 1, [](int x, int) { return x == 0 ? 3 : 0; }));

    // --to-pixs: every sprite of the chosen one's size, as frames in the
    // order of the text; "other" and the gray halves of f0 and f1 are left.
    WriteFile(At("anim.c"), "unsigned char f0[] = {0x80, 0x40};\nunsigned short other[] = {1};\n"
                            "unsigned char f1[] = {0x20, 0x10};\n");
    const RunResult frames = Run({"--to-pixs", At("anim.pixs"), "--width", "4", At("anim.c")});
    ASSERT_EQ(frames.status, 0) << frames.err;
    EXPECT_NE(frames.err.find("2 sprites de 8 x 2 lus en images"), std::string::npos) << frames.err;
    EXPECT_NE(frames.err.find("3 autres sprites, d'une autre taille ou d'une autre lecture, laissés de côté"),
              std::string::npos)
        << frames.err;
    EXPECT_TRUE(ReadFile(At("anim.pixs")) ==
                PixsBytes({PixoFrom(4, 2, 1, [](int x, int y) { return x == y ? 3 : 0; }),
                           PixoFrom(4, 2, 1, [](int x, int y) { return x == y + 2 ? 3 : 0; })}));
    const RunResult one = Run({"--to-pixs", At("one.pixs"), "--array", "other", At("anim.c")});
    ASSERT_EQ(one.status, 0);
    EXPECT_NE(one.err.find("1 sprite de 16 x 1 lu en image :"), std::string::npos) << one.err;
    EXPECT_TRUE(ReadFile(At("one.pixs")) == PixsBytes({PixoFrom(16, 1, 1, [](int x, int) { return x == 15 ? 3 : 0; })}));

    WriteFile(At("vide.c"), "int main(void) { return 0; }");
    const StatusCase refusals[] = {
        {{"--to-ti", At("123.89i"), At("bw.pixo")}, 2, "commence par une lettre) ; donnez-en un avec --var-name"},
        {{"--to-ti", At("ok.89i"), "--var-name", "trop_long", At("bw.pixo")}, 2, "« trop_long » refusé"},
        {{"--to-ti", At("ok.png"), At("bw.pixo")}, 2, ".89i (TI-89), .9xi (TI-92 Plus) ou .v2i"},
        {{"--to-pixo", At("x.pixo"), "--array", "c", At("src.h")}, 2, "pas de tableau « c »"},
        {{"--to-pixo", At("x.pixo"), "--width", "9", At("src.h")}, 2, "largeur 9 impossible pour a : de 1 à 8"},
        {{"--to-pixo", At("x.pixo"), "--width", "33", At("src.h")}, 2, "--width attend"},
        {{"--to-pixo", At("x.pixo"), At("vide.c")}, 2, "aucun tableau de sprite lisible"},
        {{"--to-pixo", At("x.pixo"), "--var-name", "a", At("src.h")}, 2, "--var-name ne s'emploie pas"},
        {{"--to-ti", At("x.89i"), "--array", "a", At("bw.pixo")}, 2, "--array ne s'emploie pas"},
        {{"--to-pixs", At("x.pixs"), "--array", "c", At("src.h")}, 2, "pas de tableau « c »"},
        {{"--to-pixs", At("x.pixs"), At("vide.c")}, 2, "aucun tableau de sprite lisible"},
        {{"--to-ti", At("x.89i"), "--to-pixo", At("x.pixo"), At("bw.pixo")}, 2, "--to-ti ne s'emploie pas avec"},
    };
    for (const StatusCase& test : refusals) {
        const RunResult result = Run(test.arguments);
        EXPECT_EQ(result.status, test.status) << test.arguments[1];
        EXPECT_NE(result.err.find(test.messagePart), std::string::npos) << result.err;
    }
    EXPECT_FALSE(fs::exists(At("x.pixo")));
    EXPECT_FALSE(fs::exists(At("x.pixs")));
    EXPECT_FALSE(fs::exists(At("ok.89i")));
}

} // namespace
