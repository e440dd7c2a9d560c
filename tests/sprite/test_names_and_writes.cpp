// The rules every writer shares: which sprite names can name C arrays, and
// how a file is written when it cannot be replaced.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>

#include "AtomicFile.h"
#include "CIdentifier.h"

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
                  ("pixora_stream_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
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

} // namespace
