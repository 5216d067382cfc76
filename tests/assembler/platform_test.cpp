#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "assembler/platform/associations.h"
#include "assembler/platform/command_line.h"
#include "assembler/platform/folders.h"
#include "assembler/platform/settings_store.h"
#include "assembler/text/shift_jis.h"

using namespace flikkor;

namespace {

void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

}  // namespace

TEST(CommandLine, QuotedPercentOneKeepsTargetInsideItsArgument) {
    EXPECT_EQ(argumentsForTarget("\"/opt/my browser/run\" \"--open=%1\" -x", "/tmp/a b.htm"),
              (QStringList{"/opt/my browser/run", "--open=/tmp/a b.htm", "-x"}));
}

TEST(CommandLine, WithoutPercentOneTheTargetIsAppendedAsOneArgument) {
    EXPECT_EQ(argumentsForTarget("firefox --new-window", "/tmp/with blank/page.htm"),
              (QStringList{"firefox", "--new-window", "/tmp/with blank/page.htm"}));
    EXPECT_TRUE(argumentsForTarget("   ", "x").isEmpty());
}

TEST(CommandLine, ProgramOfRegisteredCommand) {
    EXPECT_EQ(programOfCommandLine("\"/opt/Gif Viewer/view\" %1"), "/opt/Gif Viewer/view");
    EXPECT_EQ(programOfCommandLine("/usr/bin/eog %1"), "/usr/bin/eog");
    EXPECT_EQ(programOfCommandLine("/usr/bin/eog"), "/usr/bin/eog");
    EXPECT_EQ(programOfCommandLine("\"/opt/unclosed %1"), "");
}

TEST(Associations, ExecFieldCodesBecomePercentOneOrAreDropped) {
    EXPECT_EQ(commandFromExecLine("browser %U --icon %i"), "browser %1 --icon");
    EXPECT_EQ(commandFromExecLine("tool --rate=50%% %f"), "tool --rate=50% %1");
}

TEST(Settings, SevenValuesRoundTripAndDeleteLeavesNothing) {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QtSettingsStore store("Quillbay", "FlikkorTest");
    EXPECT_FALSE(store.read().found);
    AssemblerSettings values{"0.68", "/r", "/w", "/work dir/AnimTmp", "コメント", "/p", "/v"};
    ASSERT_TRUE(store.write(values));
    const SettingsReadResult back = store.read();
    EXPECT_TRUE(back.found);
    EXPECT_EQ(back.values.workDir, values.workDir);
    EXPECT_EQ(back.values.comment, values.comment);
    EXPECT_EQ(back.values.viewer, values.viewer);
    EXPECT_TRUE(store.remove());
    EXPECT_FALSE(store.read().found);
}

TEST(Settings, ValueThatIsNotTextIsRefusedByName) {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    writeFile(dir.path() + "/Quillbay/FlikkorTest.conf", "[General]\nVersion=0.68\nReadDir=a, b\n");
    QtSettingsStore store("Quillbay", "FlikkorTest");
    const SettingsReadResult result = store.read();
    EXPECT_EQ(result.values.version, "0.68");
    EXPECT_EQ(result.wrongTypeNames, QStringList{"ReadDir"});
    EXPECT_TRUE(result.values.readDir.isEmpty());
}

TEST(Settings, UnwritableStoreReportsFailure) {
    QTemporaryDir dir;
    // A plain file where the organisation folder should be: nothing can be written.
    writeFile(dir.path() + "/Quillbay", "not a folder");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QtSettingsStore store("Quillbay", "FlikkorTest");
    EXPECT_FALSE(store.write(AssemblerSettings{"0.68", "", "", "", "", "", ""}));
}

TEST(Settings, AWindowWritesBackOnlyWhatItChanged) {
    const AssemblerSettings base{"0.68", "/r", "/w", "/work", "c", "", ""};
    AssemblerSettings mine = base;
    mine.viewer = "/usr/bin/viewer";
    mine.readDir = "/browsed";
    AssemblerSettings current = base;  // another window wrote meanwhile
    current.writeDir = "/saved/elsewhere";
    current.readDir = "/theirs";
    const AssemblerSettings merged = mergeChangedSettings(base, mine, current);
    EXPECT_EQ(merged.writeDir, "/saved/elsewhere");
    EXPECT_EQ(merged.readDir, "/browsed");
    EXPECT_EQ(merged.viewer, "/usr/bin/viewer");
    EXPECT_EQ(merged.workDir, "/work");
}

TEST(Folders, JoinAtRootDoesNotDoubleTheSlash) {
    EXPECT_EQ(joinPath("/", "AnimTmp"), "/AnimTmp");
    EXPECT_EQ(joinPath("/home/u", "flikkor.htm"), "/home/u/flikkor.htm");
}

TEST(Folders, WorkFolderMustBeTheUsersOwnAndWritableByNobodyElse) {
    QTemporaryDir dir;
    const QString plain = dir.path() + "/plain";
    writeFile(plain, "x");
    struct Case {
        const char* name;
        QString path;
        mode_t mode;  // 0: left as it is
        bool otherOwner;
        WorkFolderState state;
    };
    const Case cases[] = {
        {"private", dir.path() + "/private", 0700, false, WorkFolderState::Usable},
        {"readable by all", dir.path() + "/readable", 0755, false, WorkFolderState::Usable},
        {"group may write", dir.path() + "/group", 0770, false, WorkFolderState::WritableByOthers},
        {"everyone may write", dir.path() + "/world", 0777, false, WorkFolderState::WritableByOthers},
        {"shared like /tmp", dir.path() + "/sticky", 01777, false, WorkFolderState::WritableByOthers},
        {"another user's", dir.path() + "/theirs", 0700, true, WorkFolderState::OwnedByOther},
        {"missing", dir.path() + "/none", 0, false, WorkFolderState::Missing},
        {"a file", plain, 0, false, WorkFolderState::NotUsable},
        {"no name", QString(), 0, false, WorkFolderState::NotUsable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.otherOwner && ::geteuid() != 0) continue;  // only the administrator can give a folder away
        const QByteArray path = QFile::encodeName(c.path);
        if (c.mode != 0) {
            ASSERT_EQ(::mkdir(path.constData(), 0700), 0);
            ASSERT_EQ(::chmod(path.constData(), c.mode), 0);
        }
        if (c.otherOwner) {
            ASSERT_EQ(::chown(path.constData(), 65534, 65534), 0);
        }
        EXPECT_EQ(workFolderState(c.path), c.state);
    }
}

TEST(Folders, WorkFolderIsCreatedForTheUserAloneWhateverTheUmask) {
    QTemporaryDir dir;
    const mode_t saved = ::umask(0);
    const bool created = createFolder(dir.path() + "/AnimTmp");
    ::umask(saved);
    ASSERT_TRUE(created);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.path() + "/AnimTmp").constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    EXPECT_FALSE(createFolder(dir.path() + "/AnimTmp")) << "it exists";
    EXPECT_FALSE(createFolder(dir.path() + "/none/AnimTmp"));
}

TEST(Folders, RegisteredProgramMustBeAnExecutableFile) {
    QTemporaryDir dir;
    writeFile(dir.path() + "/plain", "x");
    EXPECT_FALSE(isExecutableFile(dir.path() + "/plain"));
    QFile(dir.path() + "/plain").setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_TRUE(isExecutableFile(dir.path() + "/plain"));
    EXPECT_FALSE(isExecutableFile(dir.path()));
}

TEST(ShiftJis, JapaneseRoundTripsAndUsesCp932Bytes) {
    const std::string text = "説明書 ﾌｧｲﾙ ～";
    const std::string sjis = utf8ToShiftJis(text);
    EXPECT_EQ(static_cast<unsigned char>(sjis[0]), 0x90u);  // 説 = 0x90 0xE0
    EXPECT_EQ(static_cast<unsigned char>(sjis[1]), 0xE0u);
    EXPECT_EQ(shiftJisToUtf8(sjis), text);
    EXPECT_EQ(utf8ToShiftJis("a\xF0\x9F\x98\x80"
                             "b"),
              "a?b");                                       // an emoji has no CP932 code
    EXPECT_EQ(utf8ToShiftJis("ｻｲｽﾞ"), "\xBB\xB2\xBD\xDE");  // half-width katakana: one byte each
}
