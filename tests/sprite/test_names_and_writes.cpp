// The rules every writer and reader shares: which sprite names can name C
// arrays, how a file is written when it cannot be replaced or must not be,
// and which files are read whole.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>

#include "AtomicFile.h"
#include "CIdentifier.h"
#include "FileRead.h"

namespace fs = std::filesystem;

namespace {

TEST(CIdentifier, TakesIdentifiersAndRefusesWhatTheCompilerKeeps)
{
    for (const char* name : {"balle", "_1st_sprite", "Sprite", "int_", "x", "_", "_x", "linux_", "A1_b2"})
        EXPECT_EQ(WhyNotCIdentifier(name), "") << name;
    const std::pair<const char*, const char*> refused[] = {
        {"", "le nom est vide"},
        {"1abc", "un nom C commence par une lettre ou _"},
        {"my sprite", "un nom C ne contient que des lettres sans accent, des chiffres et _"},
        {"caf\xC3\xA9", "un nom C ne contient que des lettres sans accent, des chiffres et _"},
        {"x */ int evil = 1; /* ", "un nom C ne contient que des lettres sans accent, des chiffres et _"},
        {"int", "« int » est un mot réservé du C"},
        {"_Bool", "« _Bool » est un mot réservé du C"},
        {"typeof", "« typeof » est un mot réservé du C"},
        {"linux", "« linux » est un mot réservé du C"},
        {"__attribute__", "« __attribute__ » est un mot réservé du C"},
        {"_Pragma", "« _Pragma » est un mot réservé du C"},
    };
    for (const auto& [name, why] : refused)
        EXPECT_EQ(WhyNotCIdentifier(name), why) << name;
}

class StreamWriteTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() /
                  ("pixora_stream_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                   std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

// Writes that the device cuts short or refuses come back as its error.
TEST_F(StreamWriteTest, ADeviceIsWrittenInPlaceAndItsErrorsReported)
{
    PendingFile full("/dev/full");
    ASSERT_FALSE(full.Status());
    EXPECT_TRUE(full.WritesInPlace());
    EXPECT_EQ(full.Write("ce qui ne tient pas"), std::errc::no_space_on_device);

    PendingFile null("/dev/null");
    EXPECT_FALSE(null.Write(std::string(100000, 'x')));
    EXPECT_FALSE(null.Commit());
    struct stat info;
    ASSERT_EQ(stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST_F(StreamWriteTest, AFifoIsWrittenToItsReaderAndStaysAFifo)
{
    const std::string fifo = (folder_ / "tube").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto reader = std::async(std::launch::async, [&] {
        std::ifstream in(fifo, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    });
    EXPECT_FALSE(WriteFileAtomically(fifo, "par le tube"));
    EXPECT_EQ(reader.get(), "par le tube");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(StreamWriteTest, ALoopOfLinksIsRefusedAndLeftAsItIs)
{
    const fs::path a = folder_ / "a.pixo";
    fs::create_symlink("b.pixo", a);
    fs::create_symlink("a.pixo", folder_ / "b.pixo");
    EXPECT_EQ(PendingFile(a.string()).Status(), std::errc::too_many_symbolic_link_levels);
    EXPECT_EQ(WriteFileAtomically(a.string(), "sprite"), std::errc::too_many_symbolic_link_levels);
    EXPECT_TRUE(fs::is_symlink(a));
    EXPECT_TRUE(fs::is_symlink(folder_ / "b.pixo"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}

struct ReadCase {
    std::string path;
    std::size_t limit;
    bool startOnly;
    ReadProblem problem;
    std::string bytesOrText; // the bytes read, or the reason given
};

// Only regular files are read, never waiting for a FIFO's writer or reading a
// device that never ends, and never more than the caller takes.
TEST_F(StreamWriteTest, WholeFileReadsTakeOnlyRegularFilesWithinTheirLimit)
{
    const std::string file = (folder_ / "court").string();
    std::ofstream(file, std::ios::binary) << "abc";
    const std::string fifo = (folder_ / "tube.h").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string big = (folder_ / "gros.h").string();
    std::ofstream(big, std::ios::binary).close();
    fs::resize_file(big, 64 * 1024 * 1024 + 1); // sparse: nothing is written
    fs::create_symlink("/proc/self/mem", folder_ / "mem.h");
    constexpr std::size_t Mo = 64 * 1024 * 1024;
    const ReadCase cases[] = {
        {file, 3, false, ReadProblem::None, "abc"},
        {file, 2, false, ReadProblem::TooLarge, "fichier trop grand (plus de 2 octets)"},
        {file, 2, true, ReadProblem::None, "ab"},
        {file, 10, true, ReadProblem::None, "abc"},
        {big, Mo, false, ReadProblem::TooLarge, "fichier trop grand (plus de 64 Mo)"},
        {(folder_ / "absent").string(), 10, false, ReadProblem::Missing, "fichier introuvable"},
        {folder_.string(), 10, false, ReadProblem::Folder, "c'est un dossier, pas un fichier"},
        {fifo, 10, false, ReadProblem::NotRegular, "ce n'est pas un fichier ordinaire (tube, périphérique ou socket)"},
        {"/dev/zero", Mo, true, ReadProblem::NotRegular,
         "ce n'est pas un fichier ordinaire (tube, périphérique ou socket)"},
        {(folder_ / "mem.h").string(), 10, false, ReadProblem::Failed, "lecture impossible (Input/output error)"},
    };
    for (const ReadCase& c : cases) {
        const FileContent content = c.startOnly ? ReadFileStart(c.path, c.limit) : ReadWholeFile(c.path, c.limit);
        EXPECT_EQ(content.problem, c.problem) << c.path << " " << c.limit;
        EXPECT_EQ(content.Read() ? content.bytes : ReadProblemText(content), c.bytesOrText) << c.path << " " << c.limit;
    }
}

} // namespace
