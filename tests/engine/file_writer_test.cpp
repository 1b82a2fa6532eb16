// Files written all or nothing: every refusal and failure says why and leaves the target
// and the folder as they were; a replaced file keeps its permissions; exclusive writes
// never take a name that exists; names up to the file system's limit can be written.
#include "engine_fixture.h"
#include "vxa_mod_extras.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace vxtest;
namespace fs = std::filesystem;

namespace {

const Bytes kNew = {'n', 'e', 'w'};
const Bytes kOld = {'o', 'l', 'd'};
constexpr size_t kLongestName = 255; // bytes, on the usual Linux file systems

class FileWriter : public ::testing::Test {
protected:
    vxa_write_status write(const std::string &name, vxa_write_mode mode = VXA_WRITE_REPLACE)
    {
        return vxa_mod_write_file(dir.file(name).c_str(), kNew.data(), kNew.size(), mode);
    }
    fs::perms permissions(const std::string &name) const
    {
        return fs::status(dir.path() / name).permissions();
    }

    TempDir dir;
};

} // namespace

TEST_F(FileWriter, refusalsSayWhy_andLeaveTheFolderAsItWas)
{
    dir.write("old.mod", kOld);
    dir.write("locked.mod", kOld);
    fs::permissions(dir.path() / "locked.mod", fs::perms::owner_read | fs::perms::group_read);
    fs::create_directory(dir.path() / "folder.mod");
    ASSERT_EQ(mkfifo(dir.file("pipe.mod").c_str(), 0600), 0);
    const struct {
        std::string name;
        vxa_write_mode mode;
        vxa_write_status status;
    } cases[] = {
        {"locked.mod", VXA_WRITE_REPLACE, VXA_WRITE_READ_ONLY},
        {"folder.mod", VXA_WRITE_REPLACE, VXA_WRITE_IS_FOLDER},
        {"pipe.mod", VXA_WRITE_REPLACE, VXA_WRITE_NOT_A_FILE},
        {"missing/x.mod", VXA_WRITE_REPLACE, VXA_WRITE_NO_FOLDER},
        {"old.mod/x.mod", VXA_WRITE_REPLACE, VXA_WRITE_NO_FOLDER},
        {std::string(kLongestName + 1, 'n'), VXA_WRITE_REPLACE, VXA_WRITE_NAME_TOO_LONG},
        {"old.mod", VXA_WRITE_EXCLUSIVE, VXA_WRITE_EXISTS},
    };
    for (const auto &c : cases)
        EXPECT_EQ(write(c.name, c.mode), c.status) << c.name;
    EXPECT_EQ(readFile(dir.file("old.mod")), kOld);
    EXPECT_EQ(readFile(dir.file("locked.mod")), kOld);
    EXPECT_EQ(dir.names(),
              (std::vector<std::string>{"folder.mod", "locked.mod", "old.mod", "pipe.mod"}));
    EXPECT_EQ(vxa_mod_write_file(nullptr, kNew.data(), kNew.size(), VXA_WRITE_REPLACE),
              VXA_WRITE_FAILED);
}

TEST_F(FileWriter, replacedFile_keepsItsPermissions_newFileTakesTheUsualOnes)
{
    dir.write("shared.mod", kOld);
    const auto shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(dir.path() / "shared.mod", shared);
    ASSERT_EQ(write("shared.mod"), VXA_WRITE_OK);
    EXPECT_EQ(readFile(dir.file("shared.mod")), kNew);
    EXPECT_EQ(permissions("shared.mod"), shared);

    const mode_t mask = umask(0);
    umask(mask);
    ASSERT_EQ(write("fresh.mod", VXA_WRITE_EXCLUSIVE), VXA_WRITE_OK);
    EXPECT_EQ(static_cast<mode_t>(permissions("fresh.mod")), 0666 & ~mask);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"fresh.mod", "shared.mod"}));
}

TEST_F(FileWriter, longestName_isWritten)
{
    const std::string name(kLongestName, 'n');
    ASSERT_EQ(write(name), VXA_WRITE_OK);
    ASSERT_EQ(write(name), VXA_WRITE_OK);
    EXPECT_EQ(readFile(dir.file(name)), kNew);
    EXPECT_EQ(dir.names(), std::vector<std::string>{name});
}

TEST_F(FileWriter, failureWhileWriting_isKeptToTheCommit_andRemovesTheTemporaryFile)
{
    dir.write("keep.wav", kOld);
    vxa_file_writer *writer = nullptr;
    ASSERT_EQ(vxa_mod_writer_open(&writer, dir.file("keep.wav").c_str(), VXA_WRITE_REPLACE),
              VXA_WRITE_OK);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Bytes block(600, 1);
    vxa_mod_writer_write(writer, block.data(), block.size());
    vxa_mod_writer_write(writer, block.data(), block.size()); // passes the limit
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    vxa_mod_writer_write(writer, block.data(), block.size()); // ignored after a failure
    vxa_mod_writer_write_at(writer, 0, kNew.data(), kNew.size());
    EXPECT_EQ(vxa_mod_writer_commit(writer), VXA_WRITE_TOO_LARGE);
    EXPECT_EQ(readFile(dir.file("keep.wav")), kOld);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"keep.wav"});

    ASSERT_EQ(vxa_mod_writer_open(&writer, dir.file("keep.wav").c_str(), VXA_WRITE_REPLACE),
              VXA_WRITE_OK);
    vxa_mod_writer_write(writer, block.data(), block.size());
    vxa_mod_writer_discard(writer);
    EXPECT_EQ(readFile(dir.file("keep.wav")), kOld);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"keep.wav"});
}
