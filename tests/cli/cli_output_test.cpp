// What pixora-export must never destroy: devices, pipes and links given as
// outputs, its own input, a good header when the plug-in fails, the modes of
// the files it replaces, and the C text that a sprite name ends up in.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <regex>

#include "CommandFixture.h"

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

class OutputTest : public CommandTest {
protected:
    void SetUp() override
    {
        CommandTest::SetUp();
        WriteFile(At("s.pixo"), PixoBytes(8, 8, 1, {{0, 0, 3}}));
    }
    // An export of s.pixo through the probe plug-in under the sprite name given.
    Args ProbeExport(const std::string& name, const std::string& output) const
    {
        return {"--plugins", Plugins(), "-p", "probe", "-n", name, "-o", output, At("s.pixo")};
    }
    std::string ProbeText(const std::string& name) const
    {
        return "nom=" + name + " type=1 hauteur=8 largeur=8\ncouleur 0:3\nmasque\n";
    }
    std::string CommandLine(const Args& arguments) const
    {
        std::string line = ShellQuoted(Command);
        for (const std::string& argument : arguments)
            line += " " + ShellQuoted(argument);
        return line;
    }
};

TEST_F(OutputTest, StreamsAreWrittenThroughAndLinksFollowedNeverReplaced)
{
    EXPECT_EQ(Run(ProbeExport("s", "/dev/null")).status, 0);
    EXPECT_EQ(Run({"--to-pixo", "/dev/null", At("s.pixo")}).status, 0);
    EXPECT_TRUE(S_ISCHR(ModeOf("/dev/null")));

    ASSERT_EQ(Shell("mkfifo " + ShellQuoted(At("tube"))), 0);
    const std::string reader = "cat " + ShellQuoted(At("tube")) + " > " + ShellQuoted(At("lu")) + " & ";
    EXPECT_EQ(Shell(reader + CommandLine(ProbeExport("s", At("tube"))) + "; wait"), 0);
    EXPECT_TRUE(S_ISFIFO(ModeOf(At("tube"))));
    EXPECT_EQ(ReadFile(At("lu")), ProbeText("s"));

    // A link to standard output, and /dev/stdout itself, into a pipe.
    fs::create_symlink("/proc/self/fd/1", At("vers-sortie"));
    for (const std::string& output : {At("vers-sortie"), std::string("/dev/stdout")}) {
        EXPECT_EQ(Shell(CommandLine(ProbeExport("s", output)) + " | cat > " + ShellQuoted(At("tuyau"))), 0) << output;
        EXPECT_EQ(ReadFile(At("tuyau")), ProbeText("s")) << output;
    }
    EXPECT_TRUE(fs::is_symlink(At("vers-sortie")));

    WriteFile(At("vrai.h"), "ancien");
    fs::create_symlink("vrai.h", At("lien.h"));
    EXPECT_EQ(Run(ProbeExport("s", At("lien.h"))).status, 0);
    EXPECT_TRUE(fs::is_symlink(At("lien.h")));
    EXPECT_EQ(ReadFile(At("vrai.h")), ProbeText("s"));
}

TEST_F(OutputTest, AFailedWriteIsNotTakenForARefusal)
{
    WriteFile(At("s.h"), "ancien");
    const RunResult full = Run(ProbeExport("s", "/dev/full"));
    EXPECT_EQ(full.status, 2);
    EXPECT_NE(full.err.find("écriture impossible (No space left on device)"), std::string::npos) << full.err;

    const RunResult silent = Run(ProbeExport("muet", At("s.h")));
    EXPECT_EQ(silent.status, 1);
    EXPECT_NE(silent.err.find("refuse le sprite ou n'a pas pu écrire son fichier"), std::string::npos) << silent.err;
    EXPECT_EQ(ReadFile(At("s.h")), "ancien");
}

// A file system of 16 KiB of our own, mounted in a private namespace: the
// probe plug-in writes a megabyte there without looking at its writes.
TEST_F(OutputTest, AFullDiskLeavesTheOldOutputAndSaysWhy)
{
    if (Shell("unshare -rm true 2>/dev/null") != 0 && Shell("unshare -m true 2>/dev/null") != 0)
        GTEST_SKIP() << "no private mount namespace here: cannot mount a small file system";
    const std::string disk = At("disque");
    fs::create_directory(disk);
    const std::string output = disk + "/s.h";
    const std::string script =
        "mount -t tmpfs -o size=16k tmpfs " + ShellQuoted(disk) + " || exit 99\n" + "printf ancien > " +
        ShellQuoted(output) + "\n" + CommandLine(ProbeExport("gros", output)) + " 2>" + ShellQuoted(At("err1")) +
        "; echo $? > " + ShellQuoted(At("status1")) + "\n" + CommandLine(ProbeExport("grosrefus", output)) + " 2>" +
        ShellQuoted(At("err2")) + "; echo $? > " + ShellQuoted(At("status2")) + "\n" + "cat " + ShellQuoted(output) +
        " > " + ShellQuoted(At("kept")) + "; ls -A " + ShellQuoted(disk) + " > " + ShellQuoted(At("listing")) + "\n";
    WriteFile(At("script"), script);
    const std::string namespaced = Shell("unshare -rm true 2>/dev/null") == 0 ? "unshare -rm" : "unshare -m";
    const int status = Shell(namespaced + " sh " + ShellQuoted(At("script")));
    if (status == 99)
        GTEST_SKIP() << "mounting a small file system is refused here";
    EXPECT_EQ(ReadFile(At("status1")), "2\n") << ReadFile(At("err1"));
    EXPECT_NE(ReadFile(At("err1")).find("No space left on device"), std::string::npos) << ReadFile(At("err1"));
    EXPECT_EQ(ReadFile(At("status2")), "2\n") << ReadFile(At("err2"));
    EXPECT_EQ(ReadFile(At("kept")), "ancien");
    EXPECT_EQ(ReadFile(At("listing")), "s.h\n");
}

TEST_F(OutputTest, NeverOverwritesItsOwnInput)
{
    fs::create_directory(At("d"));
    WriteFile(At("p.89i"), PictureBytes(16, 16));
    fs::create_symlink("p.89i", At("lien.89i"));
    fs::create_hard_link(At("p.89i"), At("dur.89i"));
    for (const std::string& output : {At("p.89i"), At("d/../p.89i"), At("lien.89i"), At("dur.89i")}) {
        const RunResult result = Run({"--to-pixo", output, At("p.89i")});
        EXPECT_EQ(result.status, 2) << output;
        EXPECT_NE(result.err.find("remplacerait le sprite d'entrée"), std::string::npos) << result.err;
    }
    EXPECT_TRUE(ReadFile(At("p.89i")) == PictureBytes(16, 16));
}

TEST_F(OutputTest, AnAcceptedExportThatWroteNothingFailsAndKeepsTheOldFile)
{
    WriteFile(At("s.h"), "ancien");
    for (const char* name : {"vide", "efface"}) {
        const RunResult result = Run(ProbeExport(name, At("s.h")));
        EXPECT_EQ(result.status, 3) << name;
        EXPECT_NE(result.err.find("le plug-in « probe.so » n'a rien écrit"), std::string::npos) << result.err;
        EXPECT_EQ(ReadFile(At("s.h")), "ancien") << name;
    }
}

TEST_F(OutputTest, KeepsTheModeOfWhatItReplacesAndRefusesReadOnlyFiles)
{
    WriteFile(At("priv.h"), "ancien");
    fs::permissions(At("priv.h"), fs::perms(0600));
    EXPECT_EQ(Run(ProbeExport("s", At("priv.h"))).status, 0);
    EXPECT_EQ(ModeOf(At("priv.h")) & 07777, 0600u);
    EXPECT_EQ(Run({"--to-pixo", At("priv.h"), At("s.pixo")}).status, 0);
    EXPECT_EQ(ModeOf(At("priv.h")) & 07777, 0600u);

    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(Run(ProbeExport("s", At("neuf.h"))).status, 0);
    EXPECT_EQ(ModeOf(At("neuf.h")) & 07777, 0666u & ~mask);

    WriteFile(At("lecture.h"), "protégé");
    fs::permissions(At("lecture.h"), fs::perms(0444));
    for (const Args& arguments :
         {ProbeExport("s", At("lecture.h")), Args{"--to-pixo", At("lecture.h"), At("s.pixo")}}) {
        const RunResult result = Run(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("fichier protégé en écriture"), std::string::npos) << result.err;
    }
    EXPECT_EQ(ReadFile(At("lecture.h")), "protégé");
    EXPECT_EQ(ModeOf(At("lecture.h")) & 07777, 0444u);
}

TEST_F(OutputTest, APluginCrashIsStatusThreeAndLeavesNothingBehind)
{
    // A raised crash signal, and a real write through a null pointer.
    for (const char* crashingName : {"plante", "viole"}) {
        WriteFile(At("s.h"), "ancien");
        const RunResult crash = Run(ProbeExport(crashingName, At("s.h")));
        EXPECT_EQ(crash.status, 3) << crashingName;
        EXPECT_NE(crash.err.find("« probe.so » s'est arrêté brutalement"), std::string::npos) << crash.err;
        EXPECT_EQ(ReadFile(At("s.h")), "ancien") << crashingName;
        EXPECT_EQ(FolderContents(), (std::vector<std::string>{"plugins", "s.h", "s.pixo"})) << crashingName;
    }
}

TEST_F(OutputTest, LeftoversOfACrashAreRemovedOnceADayOld)
{
    WriteFile(At(".pxtmp-ancien"), "reste d'hier");
    WriteFile(At(".pxtmp-recent"), "écriture en cours");
    WriteFile(At(".pxtmp-autre.h"), "pas à nous");
    const auto twoDaysAgo = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(At(".pxtmp-ancien"), twoDaysAgo);
    fs::last_write_time(At(".pxtmp-autre.h"), twoDaysAgo);
    EXPECT_EQ(Run(ProbeExport("s", At("s.h"))).status, 0);
    EXPECT_EQ(FolderContents(),
              (std::vector<std::string>{".pxtmp-autre.h", ".pxtmp-recent", "plugins", "s.h", "s.pixo"}));
}

TEST_F(OutputTest, WritesEveryNameTheFileSystemAllows)
{
    const std::string longName = std::string(251, 'a') + ".h"; // 253 bytes, the limit is 255
    EXPECT_EQ(Run(ProbeExport("s", At(longName))).status, 0);
    EXPECT_EQ(ReadFile(At(longName)), ProbeText("s"));
}

TEST_F(OutputTest, AnInputThatCannotBeReadIsNotCalledInvalid)
{
    fs::create_symlink("/proc/self/mem", At("mem.pixo"));
    const RunResult result = Run({"--plugins", Plugins(), "-p", "probe", "-o", At("s.h"), At("mem.pixo")});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("mem.pixo : lecture impossible (Input/output error)"), std::string::npos) << result.err;
}

TEST_F(OutputTest, AFifoAmongThePluginsIsSkipped)
{
    ASSERT_EQ(Shell("mkfifo " + ShellQuoted(At("plugins/tube.so"))), 0);
    const RunResult list = Run({"--list", "--plugins", Plugins()});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out.find("tube.so"), std::string::npos);
    EXPECT_EQ(list.err.find("tube.so"), std::string::npos);
    EXPECT_EQ(Run(ProbeExport("s", At("s.h"))).status, 0);
}

TEST_F(OutputTest, OnlyCIdentifiersNameTheArrays)
{
    for (const char* name :
         {"x */ int evil = 1; /* ", "my sprite", "1abc", "int", "_Bool", "linux", "__attribute__", "caf\xC3\xA9"}) {
        const RunResult result = Run(ProbeExport(name, At("s.h")));
        EXPECT_EQ(result.status, 2) << name;
        EXPECT_NE(result.err.find("refusé"), std::string::npos) << name << result.err;
    }
    EXPECT_FALSE(fs::exists(At("s.h")));

    WriteFile(At("int.pixo"), PixoBytes(8, 8, 1, {{0, 0, 3}}));
    EXPECT_EQ(Run({"--plugins", Plugins(), "-p", "probe", At("int.pixo")}).out.rfind("nom=int_ ", 0), 0u);
}

// Every name the command takes, through every shipped plug-in, gives C that
// compiles; maskplane's text also with every warning as an error.
TEST_F(OutputTest, EveryAcceptedNameGivesCThatCompiles)
{
    if (Shell("command -v gcc >/dev/null") != 0)
        GTEST_SKIP() << "no gcc";
    const char* inputs[] = {"int.pixo", "_Bool.pixo", "linux.pixo", "__x86_64__.pixo", "1abc.pixo", "my sprite.pixo"};
    for (const char* input : inputs)
        WriteFile(At(input), PatternPixo(8, 8, 3));
    for (const char* plugin : {"hexplane", "binplane", "maskplane"}) {
        const std::string flags = std::string("-std=gnu99 -c") + (plugin[0] == 'm' ? " -Wall -Wextra -Werror" : "");
        for (const char* input : inputs) {
            const RunResult result = Run({"-p", plugin, "-o", At("s.h"), At(input)});
            if (result.status == 1)
                continue; // a size the plug-in does not take
            ASSERT_EQ(result.status, 0) << plugin << " " << input << result.err;
            EXPECT_EQ(Shell("gcc " + flags + " -x c -o /dev/null " + ShellQuoted(At("s.h")) + " 2>/dev/null"), 0)
                << plugin << " " << input << "\n"
                << ReadFile(At("s.h"));
        }
    }
}

// A loop of links names no file: every output command refuses it with the
// system's reason and leaves both links as they were.
TEST_F(OutputTest, EveryOutputCommandRefusesALoopOfLinks)
{
    const std::pair<Args, std::string> cases[] = {
        {ProbeExport("s", At("a.h")), ".h"},
        {{"--to-pixo", At("a.pixo"), At("s.pixo")}, ".pixo"},
        {{"--to-pixs", At("a.pixs"), At("s.pixo")}, ".pixs"},
        {{"--to-png", At("a.png"), At("s.pixo")}, ".png"},
        {{"--to-ti", At("a.89i"), At("s.pixo")}, ".89i"},
    };
    for (const auto& [arguments, extension] : cases) {
        fs::create_symlink("b" + extension, At("a" + extension));
        fs::create_symlink("a" + extension, At("b" + extension));
        const RunResult result = Run(arguments);
        EXPECT_EQ(result.status, 2) << extension;
        EXPECT_NE(result.err.find("a" + extension + " : écriture impossible (Too many levels of symbolic links)"),
                  std::string::npos)
            << result.err;
        EXPECT_TRUE(fs::is_symlink(At("a" + extension)) && fs::is_symlink(At("b" + extension))) << extension;
    }
    EXPECT_EQ(FolderContents().size(), 2u + 2 * std::size(cases));
}

// Standard output into a pipe whose reader has gone, and a run killed while
// it waits for a FIFO's reader: a scratch file in memory, never in the
// temporary folder, whatever ends the command.
TEST_F(OutputTest, AClosedPipeIsAFailedWriteAndNoScratchFileOutlivesTheCommand)
{
    WriteFile(At("grand.pixs"), PixsBytes(std::vector<std::string>(16, PatternPixo(8, 8, 1)))); // 480 KB
    fs::create_directory(At("tmp"));
    const std::string environment = "TMPDIR=" + ShellQuoted(At("tmp")) + " ";
    const std::string line = "{ " + environment + CommandLine({"--to-pixs", "-", At("grand.pixs")}) + " 2>" +
                             ShellQuoted(At("err")) + "; echo $? >" + ShellQuoted(At("status")) + "; } | head -c 10";
    EXPECT_EQ(Shell(line + " >/dev/null"), 0);
    EXPECT_EQ(ReadFile(At("status")), "2\n");
    EXPECT_EQ(ReadFile(At("err")), "pixora-export : écriture sur la sortie standard impossible (Broken pipe)\n");

    ASSERT_EQ(Shell("mkfifo " + ShellQuoted(At("tube"))), 0);
    for (const Args& arguments : {Args{"--to-pixo", At("tube"), At("s.pixo")}, ProbeExport("s", At("tube"))})
        EXPECT_EQ(Shell(environment + "timeout 1 " + CommandLine(arguments)), 124) << "no reader: killed waiting";
    EXPECT_TRUE(fs::is_empty(At("tmp")));
}

// Creating a file needs the right to write into its folder: the folder is
// named, the file that does not exist is not called protected.
TEST_F(OutputTest, AFolderTheUserMayNotWriteIntoIsNamed)
{
    if (geteuid() == 0 && Shell("command -v setpriv >/dev/null") != 0)
        GTEST_SKIP() << "root may write anywhere and setpriv is missing to run as another user";
    // Root writes anywhere: its run is made as "nobody".
    const std::string user = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    fs::create_directory(At("ferme"));
    fs::permissions(At("ferme"), fs::perms(0555));
    fs::permissions(dir_, fs::perms(0755));
    const std::string line =
        user + CommandLine({"--to-pixo", At("ferme/s.pixo"), At("s.pixo")}) + " 2>" + ShellQuoted(At("err"));
    EXPECT_EQ(Shell(line), 2);
    EXPECT_EQ(ReadFile(At("err")), "pixora-export : " + At("ferme/s.pixo") +
                                       " : impossible de créer un fichier dans le dossier « " + At("ferme") +
                                       " » (Permission denied)\n");
    EXPECT_TRUE(fs::is_empty(At("ferme")));
}

// A gray sprite gives two pictures: the one that cannot be written is named.
TEST_F(OutputTest, TheGrayPictureThatCannotBeWrittenIsNamed)
{
    WriteFile(At("gris.pixo"), PatternPixo(8, 8, 2));
    fs::create_directory(At("b_d.89i"));
    const RunResult result = Run({"--to-ti", At("b.89i"), At("gris.pixo")});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "pixora-export : " + At("b_d.89i") + " : c'est un dossier, pas un fichier\n");
    EXPECT_FALSE(fs::exists(At("b_l.89i")));
}

// C sources are read whole, within a limit far above any real header.
TEST_F(OutputTest, CSourcesThatCannotBeReadSayWhy)
{
    fs::create_symlink("/proc/self/mem", At("mem.h"));
    fs::create_symlink("/dev/zero", At("zero.h"));
    ASSERT_EQ(Shell("mkfifo " + ShellQuoted(At("tube.h"))), 0);
    std::ofstream(At("grand.h")).close();
    fs::resize_file(At("grand.h"), 64 * 1024 * 1024 + 1); // sparse: nothing is written
    const std::pair<std::string, std::string> cases[] = {
        {"mem.h", "lecture impossible (Input/output error)"},
        {"zero.h", "ce n'est pas un fichier ordinaire (tube, périphérique ou socket)"},
        {"tube.h", "ce n'est pas un fichier ordinaire (tube, périphérique ou socket)"},
        {"grand.h", "fichier trop grand (plus de 64 Mo)"},
    };
    for (const auto& [input, reason] : cases)
        for (const char* command : {"--to-pixo", "--to-pixs"}) {
            const RunResult result = Run({command, At("x.pixo"), At(input)});
            EXPECT_EQ(result.status, 2) << input;
            EXPECT_EQ(result.err, "pixora-export : " + At(input) + " : " + reason + "\n");
        }
    EXPECT_FALSE(fs::exists(At("x.pixo")));
}

} // namespace

// Started with its standard output closed, the command must not let the
// first file it opens take descriptor 1 and "write" its output there: every
// command that writes to standard output fails, and the others still work.
TEST_F(OutputTest, AClosedStandardOutputIsAFailedWrite)
{
    WriteFile(At("good.c"), "static const unsigned char good[] = {0x18, 0x3C, 0x7E};\n");
    const std::string closed = "pixora-export : écriture sur la sortie standard impossible (elle est fermée)\n";
    const Args toStandardOutput[] = {
        {"--data", At("good.c")},
        {"--to-pixo", "-", At("s.pixo")},
        ProbeExport("s", "-"),
        {"--version"},
        {"--help"},
        {"--list", "--plugins", Plugins()},
    };
    for (const Args& arguments : toStandardOutput) {
        const std::string line = CommandLine(arguments) + " >&- 2>" + ShellQuoted(At("err"));
        EXPECT_EQ(Shell(line), 2) << line;
        EXPECT_EQ(ReadFile(At("err")), closed) << line;
    }
    const std::string intoFile = CommandLine({"--data", "-o", At("good.h"), At("good.c")}) + " >&- 2>&- <&-";
    EXPECT_EQ(Shell(intoFile), 0);
    EXPECT_NE(ReadFile(At("good.h")).find("good[3]"), std::string::npos);
}

// A closed error output must not become the scratch file either: the
// plug-in's text reaches standard output whole.
TEST_F(OutputTest, AClosedErrorOutputLeavesTheOutputWhole)
{
    const std::string line = CommandLine(ProbeExport("s", "-")) + " 2>&- <&- >" + ShellQuoted(At("out"));
    EXPECT_EQ(Shell(line), 0);
    EXPECT_EQ(ReadFile(At("out")), ProbeText("s"));
}
