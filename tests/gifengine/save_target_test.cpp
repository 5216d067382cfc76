// Where the writers may put their file: the old file is replaced only by a
// complete one; whatever keeps a file from being written whole (a read-only file,
// a folder without room for a temporary file, a full disk) leaves the old file as
// it was and nothing beside it, and the message names the file and the reason.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <optional>

#include "common/safe_output.h"
#include "engine_fixture.h"
#include "tests/support/file_size_limit.h"

using namespace gifengine::testing;

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

bool Exists(const std::string& path) {
    struct stat s {};
    return ::lstat(path.c_str(), &s) == 0;
}

// The administrator may write into any folder; for as long as this lives the
// process acts as the unprivileged user "nobody" instead.
class ActingAsNobody {
public:
    ActingAsNobody() : switched_(::geteuid() == 0 && ::seteuid(65534) == 0) {}
    ~ActingAsNobody() {
        if (switched_) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }

private:
    bool switched_;
};

struct Refusal {
    const char* name;
    // Puts the target (and an old file there, when the case has one) into the folder.
    std::function<std::string(const TempFolder&)> prepare;
    bool whileWriting;                // failed while written rather than refused before
    std::string reason;               // the message's second line
    bool asNobody;                    // acts as an unprivileged user when run by the administrator
    std::optional<rlim_t> sizeLimit;  // a full disk
};

std::string WithOldFile(const TempFolder& folder, const std::string& name) {
    const std::string target = folder.file(name);
    EXPECT_TRUE(WriteFile(target, Bytes("old")));
    return target;
}

const Refusal kRefusals[] = {
    {"ReadOnlyFile",
     [](const TempFolder& t) {
         const std::string target = WithOldFile(t, "locked.gif");
         ::chmod(target.c_str(), 0444);
         return target;
     },
     false, "読み取り専用のファイルです", false, std::nullopt},
    {"NameTooLongForATemporaryFile",
     // The file system takes the name but not the longer temporary name beside it.
     [](const TempFolder& t) { return WithOldFile(t, std::string(250, 'n') + ".gif"); }, false,
     "フォルダに一時ファイルを作成できません（ファイル名が長すぎます）", false, std::nullopt},
    {"WritableFileInAReadOnlyFolder",
     [](const TempFolder& t) {
         const std::string sub = t.file("sub");
         ::mkdir(sub.c_str(), 0755);
         const std::string target = WithOldFile(t, "sub/t.gif");
         ::chmod(target.c_str(), 0666);
         ::chmod(sub.c_str(), 0555);
         ::chmod(t.path().c_str(), 0755);
         return target;
     },
     false, "フォルダに一時ファイルを作成できません（アクセスが許可されていません）", true, std::nullopt},
    {"MissingFolder", [](const TempFolder& t) { return t.file("no/such/folder.gif"); }, false,
     "フォルダに一時ファイルを作成できません（フォルダが存在しません）", false, std::nullopt},
    {"Folder",
     [](const TempFolder& t) {
         ::mkdir(t.file("d.gif").c_str(), 0755);
         return t.file("d.gif");
     },
     false, "同じ名前のフォルダがあります", false, std::nullopt},
    {"DiskFull", [](const TempFolder& t) { return WithOldFile(t, "keep.gif"); }, true,
     "ファイルサイズの上限を超えました", false, 4096},
    {"FullDevice", [](const TempFolder&) { return std::string("/dev/full"); }, true,
     "ディスクの空き容量が不足しています", false, std::nullopt},
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

class Refused : public EngineTest, public ::testing::WithParamInterface<Refusal> {};

}  // namespace

TEST_P(Refused, OldFileStaysByteForByteNothingIsLeftAndTheMessageSaysWhy) {
    const Refusal& row = GetParam();
    ASSERT_EQ(load(AnimatedWithGlobal(2, 200, 200, 8)), 0);
    const std::string target = row.prepare(folder);
    const bool hadFile = Exists(target) && std::filesystem::is_regular_file(target);
    const std::vector<uint8_t> old = hadFile ? ReadFile(target) : std::vector<uint8_t>{};
    const std::string before = listing();
    int animated = 1, single = 1;
    {
        std::optional<toolkit::testing::FileSizeLimit> full;
        if (row.sizeLimit) full.emplace(*row.sizeLimit);
        std::optional<ActingAsNobody> nobody;
        if (row.asNobody) nobody.emplace();
        animated = engine.MakeAnimatedGif(target);
        single = engine.MakeSingleGif(0, target, gifengine::OutputKind::WorkFile);
    }
    ::chmod(folder.file("sub").c_str(), 0755);
    EXPECT_EQ(animated, 0);
    EXPECT_EQ(single, 0);
    if (hadFile) {
        EXPECT_EQ(ReadFile(target), old);
    }
    EXPECT_EQ(listing(), before) << "no temporary file is left";
    const std::string expected = "ファイル " + target +
                                 (row.whileWriting ? " の書込中にエラーが発生しました" : " がオープンできません") +
                                 "\n" + row.reason;
    ASSERT_EQ(reporter.messages.size(), 2u);
    for (const auto& message : reporter.messages) {
        EXPECT_EQ(message.caption, "Reelwright:エラー");
        EXPECT_EQ(message.text, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(EngineTest, Refused, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, WritableTargetIsReplacedKeepingItsPermission) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 4, 4)), 0);
    const std::string target = WithOldFile(folder, "open.gif");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    EXPECT_EQ(engine.MakeAnimatedGif(target), 1);
    EXPECT_EQ(ReadFile(target), make("reference.gif"));
    struct stat s {};
    ASSERT_EQ(::stat(target.c_str(), &s), 0);
    EXPECT_EQ(s.st_mode & 0777, 0640u);
    EXPECT_TRUE(reporter.messages.empty());
}

// A file the user chose may be a link on purpose: the file it names is replaced.
// A link in the work folder leads nowhere: it is replaced by the scratch file.
TEST_F(EngineTest, UserFileFollowsALinkAndWorkFileReplacesIt) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 4, 4)), 0);
    const std::vector<uint8_t> made = make("reference.gif");
    for (const auto kind : {gifengine::OutputKind::UserFile, gifengine::OutputKind::WorkFile}) {
        const bool user = kind == gifengine::OutputKind::UserFile;
        SCOPED_TRACE(user ? "user file" : "work file");
        const std::string named = WithOldFile(folder, "named.gif");
        const std::string link = folder.file("link.gif");
        ::unlink(link.c_str());
        ASSERT_EQ(::symlink(named.c_str(), link.c_str()), 0);
        EXPECT_EQ(engine.MakeAnimatedGif(link, kind), 1);
        EXPECT_EQ(ReadFile(named), user ? made : Bytes("old"));
        EXPECT_EQ(std::filesystem::is_symlink(link), user);
        EXPECT_EQ(ReadFile(link), made);
    }
    EXPECT_TRUE(reporter.messages.empty());
}

// Temporary files of a process that was killed while writing are removed by the
// next write of the same name; those of a running process stay.
TEST_F(EngineTest, TemporaryFilesLeftByAKilledProcessGoAtTheNextWrite) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 4, 4)), 0);
    const std::string target = folder.file("anim.gif");
    const std::string before = listing();
    // A writer killed in the middle of its file.
    const pid_t child = ::fork();
    if (child == 0) {
        gifengine::WriteFileSafely(target, gifengine::OutputKind::UserFile, [](gifengine::ByteSink& sink) {
            const std::vector<uint8_t> part(std::size_t(2) << 20, 0x55);
            sink.Put(part.data(), part.size());
            ::raise(SIGKILL);
        });
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    const std::string killed = listing();
    ASSERT_NE(killed, before);
    EXPECT_NE(killed.find(".anim.gif." + std::to_string(child) + "."), std::string::npos) << killed;
    // One of a process that still runs stays.
    std::string running = toolkit::temporaryPattern(target, ::getpid());
    running.replace(running.size() - 6, 6, "Ab3xYz");
    ASSERT_TRUE(WriteFile(running, Bytes("partial")));
    EXPECT_EQ(engine.MakeAnimatedGif(target), 1);
    EXPECT_EQ(listing(), running.substr(running.rfind('/') + 1) + " " + before + " anim.gif");
}
