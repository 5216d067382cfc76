#include "common/safe_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "tests/support/file_size_limit.h"
#include "tests/support/scratch_folder.h"

namespace {

using toolkit::Durability;
using toolkit::testing::FileSizeLimit;
using toolkit::testing::ScratchFolder;

const std::string kOld = "old content\n";
const std::string kNew(5000, 'n');

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(SafeOutput, ReplacesAFileKeepingItsPermissionsAndLeavesNothingElse) {
    ScratchFolder folder;
    folder.write("a.dat", kOld);
    ::chmod(folder.file("a.dat").c_str(), 0640);
    EXPECT_EQ(toolkit::writeFileSafely(folder.file("a.dat"), kNew), std::nullopt);
    EXPECT_EQ(folder.read("a.dat"), kNew);
    EXPECT_EQ(modeOf(folder.file("a.dat")), 0640u);
    EXPECT_EQ(folder.listing(), "a.dat ");

    const mode_t mask = ::umask(022);
    EXPECT_EQ(toolkit::writeFileSafely(folder.file("b.dat"), "b", Durability::Cached), std::nullopt);
    ::umask(mask);
    EXPECT_EQ(modeOf(folder.file("b.dat")), 0644u);
}

TEST(SafeOutput, FollowsASymbolicLinkAndReplacesTheFileItNames) {
    ScratchFolder folder;
    folder.write("real.dat", kOld);
    ASSERT_EQ(::symlink("real.dat", folder.file("link.dat").c_str()), 0);
    EXPECT_EQ(toolkit::writeFileSafely(folder.file("link.dat"), kNew), std::nullopt);
    struct stat link {};
    ::lstat(folder.file("link.dat").c_str(), &link);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    EXPECT_EQ(folder.read("real.dat"), kNew);
}

struct RefusalCase {
    const char* name;
    std::function<void(const ScratchFolder&)> arrange;  // makes "a.dat" (holding kOld) unwritable
    int error;
    bool needsNonRoot;  // the administrator gets past folder permissions
};

TEST(SafeOutput, RefusesKeepingTheOldFileNamingItAndTheReason) {
    const RefusalCase cases[] = {
        {"read-only file", [](const ScratchFolder& f) { ::chmod(f.file("a.dat").c_str(), 0444); }, EACCES, false},
        {"folder takes no new file", [](const ScratchFolder& f) { ::chmod(f.path().c_str(), 0555); }, EACCES, true},
        {"disk full", [](const ScratchFolder&) {}, EFBIG, false},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsNonRoot && ::geteuid() == 0) continue;
        ScratchFolder folder;
        folder.write("a.dat", kOld);
        c.arrange(folder);
        std::optional<toolkit::FileFailure> failure;
        {
            FileSizeLimit fullDisk(c.error == EFBIG ? 1000 : RLIM_INFINITY);
            failure = toolkit::writeFileSafely(folder.file("a.dat"), kNew);
        }
        ::chmod(folder.path().c_str(), 0700);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->error, c.error);
        EXPECT_EQ(failure->message(), folder.file("a.dat") + ": " + std::strerror(c.error));
        EXPECT_EQ(folder.read("a.dat"), kOld);
        EXPECT_EQ(folder.listing(), "a.dat ");
    }
}

TEST(SafeOutput, ASetIsRenamedOnlyWhenEveryFileWasWritten) {
    ScratchFolder folder;
    folder.write("first.dat", kOld);
    folder.write("second.dat", kOld);
    {
        FileSizeLimit fullDisk(1000);
        toolkit::OutputSet set;
        set.add(folder.file("first.dat"), "small");
        set.add(folder.file("second.dat"), kNew);
        const auto failure = set.commit();
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->path, folder.file("second.dat"));
    }
    EXPECT_EQ(folder.read("first.dat"), kOld);
    EXPECT_EQ(folder.read("second.dat"), kOld);
    EXPECT_EQ(folder.listing(), "first.dat second.dat ");

    toolkit::OutputSet set;
    set.add(folder.file("first.dat"), "1");
    set.add(folder.file("second.dat"), "2");
    EXPECT_EQ(set.commit(), std::nullopt);
    EXPECT_EQ(folder.read("first.dat") + folder.read("second.dat"), "12");
}

TEST(SafeOutput, RemovesOnlyTheTemporaryFilesOfProcessesThatEnded) {
    const pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    ScratchFolder folder;
    const auto leftover = [&](long pid) {
        std::string name = toolkit::temporaryPattern(folder.file("a.dat"), pid);
        name.replace(name.size() - 6, 6, "abc123");
        std::ofstream(name) << "part";
        return name;
    };
    leftover(ended);
    const std::string running = leftover(::getpid());
    EXPECT_EQ(toolkit::writeFileSafely(folder.file("a.dat"), "new"), std::nullopt);
    EXPECT_EQ(folder.listing(), ".a.dat." + std::to_string(::getpid()) + ".abc123 a.dat ");
    std::remove(running.c_str());
}

TEST(SafeOutput, ReadsOnlyRegularFilesAndNeverWaitsOnAFifo) {
    ScratchFolder folder;
    folder.write("plain.dat", "text");
    ASSERT_EQ(::mkfifo(folder.file("pipe.dat").c_str(), 0600), 0);
    const struct {
        const char* name;
        std::string reason;
    } cases[] = {
        {"pipe.dat", "not a regular file"},
        {"missing.dat", std::strerror(ENOENT)},
        {".", std::strerror(EISDIR)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        toolkit::FileFailure failure;
        EXPECT_EQ(toolkit::readRegularFile(folder.file(c.name), failure), std::nullopt);
        EXPECT_EQ(failure.message(), folder.file(c.name) + ": " + c.reason);
    }
    toolkit::FileFailure failure;
    EXPECT_EQ(toolkit::readRegularFile(folder.file("plain.dat"), failure), "text");
}

}  // namespace
