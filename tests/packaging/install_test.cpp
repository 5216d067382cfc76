// The toolkit installed into a temporary prefix as `cmake --install` puts it:
// programs in bin/, the files their launchers and the programs themselves look
// for under share/, manual pages, completion and copyright.
#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "assembler/platform/install_layout.h"
#include "tests/packaging/shell.h"

namespace fs = std::filesystem;
using namespace toolkit::testing;

namespace {

// Keys of the [Desktop Entry] group.
std::map<std::string, std::string> desktopEntry(const fs::path& path) {
    std::map<std::string, std::string> keys;
    std::istringstream in(readFile(path));
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return keys;
}

// Width and height from a PNG file's IHDR chunk; {0, 0} when it is not a PNG.
std::pair<unsigned, unsigned> pngSize(const fs::path& path) {
    const std::string bytes = readFile(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0) return {0, 0};
    auto word = [&](std::size_t at) {
        unsigned v = 0;
        for (std::size_t k = 0; k < 4; ++k) v = v << 8 | static_cast<unsigned char>(bytes[at + k]);
        return v;
    };
    return {word(16), word(20)};
}

// One installation for all tests of this file.
class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix_ = fs::temp_directory_path() / ("toolkit-install-" + std::to_string(::getpid()));
        fs::remove_all(prefix_);
        install_ = runCommand(shellQuoted(CMAKE_COMMAND) + " --install " + shellQuoted(BUILD_DIR) + " --prefix " +
                              shellQuoted(prefix_));
    }
    static void TearDownTestSuite() { fs::remove_all(prefix_); }
    void SetUp() override { ASSERT_EQ(install_.status, 0) << install_.output; }

    static fs::path prefix_;
    static CommandResult install_;
};
fs::path Installed::prefix_;
CommandResult Installed::install_;

const char* const kDesktopIds[] = {"com.quillbay.sorvath", "com.quillbay.flikkor"};

}  // namespace

TEST_F(Installed, ProgramsAreInBinAndAnswerVersion) {
    for (const char* program : {"tessark", "sorvath", "flikkor"}) {
        SCOPED_TRACE(program);
        const fs::path path = prefix_ / "bin" / program;
        ASSERT_TRUE(fs::is_regular_file(path));
        EXPECT_NE(fs::status(path).permissions() & fs::perms::owner_exec, fs::perms::none);
        const CommandResult version = runCommand(shellQuoted(path) + " --version");
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.output.rfind(std::string(program) + " " TOOLKIT_VERSION "\n", 0), 0u) << version.output;
        // Any other argument: the usage on standard error only, status 2, no window, no run.
        const CommandResult refused = runCommand(shellQuoted(path) + " --bogus 2>/dev/null >/dev/null; echo $?; " +
                                                 "(" + shellQuoted(path) + " --bogus 2>&1 >/dev/null)");
        EXPECT_EQ(
            refused.output.rfind("2\n" + std::string(program) + ": unknown argument '--bogus'\nUsage: " + program, 0),
            0u)
            << refused.output;
    }
    // The LAMMPS bridge has commands of its own but answers its version the same way.
    const CommandResult bridge = runCommand(shellQuoted(prefix_ / "bin" / "demrun") + " --version");
    EXPECT_EQ(bridge.status, 0);
    EXPECT_EQ(bridge.output.rfind("demrun ", 0), 0u) << bridge.output;
}

TEST_F(Installed, LaunchersNameInstalledProgramsAndIcons) {
    for (const char* id : kDesktopIds) {
        SCOPED_TRACE(id);
        const fs::path file = prefix_ / "share/applications" / (std::string(id) + ".desktop");
        ASSERT_TRUE(fs::is_regular_file(file));
        const std::map<std::string, std::string> entry = desktopEntry(file);
        // Exec and TryExec name the program that the installation put in bin/ by its
        // full path, so a menu finds it with bin/ not on the session's PATH.
        const std::string exec = entry.count("Exec") ? entry.at("Exec") : "";
        const fs::path program = exec.substr(0, exec.find(' '));
        // The desktop hands the files it opens with the program: Flikkor any number
        // of GIFs, Sorvath one run.
        EXPECT_EQ(exec.substr(exec.find(' ') + 1), std::string(id) == "com.quillbay.flikkor" ? "%F" : "%f");
        EXPECT_EQ(entry.count("StartupNotify") ? entry.at("StartupNotify") : "", "true");
        EXPECT_EQ(program.parent_path(), prefix_ / "bin") << exec;
        EXPECT_TRUE(fs::is_regular_file(program)) << exec;
        EXPECT_EQ(entry.count("TryExec") ? entry.at("TryExec") : "", program.string());
        // The icon is the theme name of the installed drawings, in every size.
        ASSERT_EQ(entry.count("Icon"), 1u);
        EXPECT_EQ(entry.at("Icon"), id);
        EXPECT_TRUE(fs::is_regular_file(prefix_ / "share/icons/hicolor/scalable/apps" / (std::string(id) + ".svg")));
        for (unsigned size : {16u, 24u, 32u, 48u, 64u, 128u, 256u}) {
            const std::string folder = std::to_string(size) + "x" + std::to_string(size);
            EXPECT_EQ(pngSize(prefix_ / "share/icons/hicolor" / folder / "apps" / (std::string(id) + ".png")),
                      std::make_pair(size, size))
                << folder;
        }
        // The metainfo's launchable is this very launcher.
        const std::string metainfo = readFile(prefix_ / "share/metainfo" / (std::string(id) + ".metainfo.xml"));
        EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + std::string(id) + ".desktop</launchable>"),
                  std::string::npos);
    }
    const std::map<std::string, std::string> flikkor =
        desktopEntry(prefix_ / "share/applications/com.quillbay.flikkor.desktop");
    EXPECT_EQ(flikkor.count("Name[ja]") ? flikkor.at("Name[ja]") : "", "Reelwright");
    EXPECT_EQ(flikkor.count("GenericName[ja]") ? flikkor.at("GenericName[ja]") : "", "GIFアニメーション作成ツール");
    EXPECT_EQ(flikkor.count("MimeType") ? flikkor.at("MimeType") : "", "image/gif;");
    // A search for the window's title finds the launcher.
    EXPECT_EQ((flikkor.count("Keywords") ? flikkor.at("Keywords") : "").rfind("Reelwright;", 0), 0u);
}

TEST_F(Installed, ManualPagesCompletionAndCopyrightAreInPlace) {
    for (const char* program : {"tessark", "sorvath", "flikkor", "demrun"}) {
        SCOPED_TRACE(program);
        EXPECT_TRUE(fs::is_regular_file(prefix_ / "share/man/man1" / (std::string(program) + ".1.gz")));
        EXPECT_TRUE(fs::is_regular_file(prefix_ / "share/bash-completion/completions" / program));
    }
    EXPECT_TRUE(fs::is_regular_file(prefix_ / "share/doc/granular-toolkit/copyright"));
    EXPECT_TRUE(fs::is_regular_file(prefix_ / "share/doc/granular-toolkit/changelog.Debian.gz"));
}

TEST_F(Installed, FlikkorFindsItsHelpPageInTheInstalledHelpFolder) {
    const fs::path page = prefix_ / "share/help/ja/flikkor/flikkor.htm";
    ASSERT_TRUE(fs::is_regular_file(page));
    EXPECT_EQ(readFile(page), readFile(fs::path(TOOLKIT_BIN_DIR) / "flikkor.htm"));  // the Shift_JIS page
    // Started in a folder without a help page, Flikkor looks beside its program, then in share/help/.
    const fs::path elsewhere = prefix_ / "work";
    fs::create_directories(elsewhere);
    const QString found = flikkor::helpPagePath(QString::fromStdString(elsewhere.string()),
                                                QString::fromStdString((prefix_ / "bin").string()));
    EXPECT_TRUE(fs::equivalent(found.toStdString(), page)) << found.toStdString();
}

TEST_F(Installed, SorvathFindsFlikkorInItsProgramFolder) {
    // Sorvath's export starts "flikkor" from the folder of its own executable.
    const fs::path sorvath = prefix_ / "bin/sorvath";
    ASSERT_TRUE(fs::is_regular_file(sorvath));
    const fs::path assembler = sorvath.parent_path() / "flikkor";
    const CommandResult version = runCommand(shellQuoted(assembler) + " --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("flikkor " TOOLKIT_VERSION "\n", 0), 0u) << version.output;
}
