// Default applications by the XDG MIME applications rules, one fixture per rule:
// every fixture is a private set of XDG folders, and the lookup runs in a probe
// process that sees only those folders.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "assembler/platform/associations.h"
#include "assembler/platform/command_line.h"

using namespace flikkor;

// Readable QStrings in failure messages.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

class XdgFixture {
public:
    XdgFixture() {
        // A program that exists: GIO ignores desktop entries whose program is missing.
        program_ = path("bin/app");
        write("bin/app", "#!/bin/sh\n");
        QFile::setPermissions(program_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // The MIME database's word that a web page is a kind of plain text, which
        // makes GIO fall back from text/html to the applications for text/plain.
        write("usr/mime/subclasses", "text/html text/plain\n");
    }
    QString path(const QString& relative) const { return dir_.path() + "/" + relative; }
    void write(const QString& relative, const QByteArray& text) const {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    // A desktop entry in `folder` ("data" = the user's, "usr" = the system's data folder).
    void application(const QString& folder, const QString& id, const QByteArray& arguments,
                     const QByteArray& mimeTypes = "", bool terminal = false) const {
        QByteArray entry = "[Desktop Entry]\nType=Application\nName=" + id.toUtf8() + "\nExec=" + program_.toUtf8() +
                           " " + arguments + "\n";
        if (!mimeTypes.isEmpty()) entry += "MimeType=" + mimeTypes + "\n";
        if (terminal) entry += "Terminal=true\n";
        write(folder + "/applications/" + id, entry);
    }
    QString command(const QString& arguments) const { return program_ + " " + arguments; }
    void setDesktop(const QString& desktop) { desktop_ = desktop; }

    // The probe's answer for each type: the command line, empty when there is none.
    QMap<QString, QString> lookUp(const QStringList& types) const {
        QMap<QString, QString> answers;
        for (const QString& line : probe(types)) {
            const qsizetype eq = line.indexOf('=');
            answers[line.left(eq)] = line.mid(eq + 1);
        }
        return answers;
    }
    QString lookUp(const QString& type) const { return lookUp(QStringList{type}).value(type); }
    // The command lines Flikkor starts when its help button is pressed.
    QStringList helpButtonStarts() const { return probe({"--help-button"}); }

private:
    QStringList probe(const QStringList& arguments) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", path("home"));
        env.insert("XDG_CONFIG_HOME", path("config"));
        env.insert("XDG_CONFIG_DIRS", path("etc"));
        env.insert("XDG_DATA_HOME", path("data"));
        env.insert("XDG_DATA_DIRS", path("usr"));
        env.insert("XDG_CURRENT_DESKTOP", desktop_);
        env.insert("GIO_USE_VFS", "local");
        QProcess probe;
        probe.setProcessEnvironment(env);
        probe.start(QStringLiteral(ASSOCIATION_PROBE), arguments);
        if (!probe.waitForFinished(30000) || probe.exitCode() != 0) {
            ADD_FAILURE() << "probe failed: " << probe.readAllStandardError().toStdString();
            return {};
        }
        return QString::fromUtf8(probe.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir_;
    QString program_;
    QString desktop_;
};

}  // namespace

TEST(DefaultApplication, UserListIsReadAndItsFieldCodeBecomesPercentOne) {
    XdgFixture xdg;
    xdg.application("usr", "web.desktop", "--page %u %i");
    xdg.write("config/mimeapps.list", "[Default Applications]\ntext/html=web.desktop;\n");
    EXPECT_EQ(xdg.lookUp("text/html"), xdg.command("--page %1"));
}

TEST(DefaultApplication, UserListWinsOverSystemList) {
    XdgFixture xdg;
    xdg.application("usr", "mine.desktop", "--mine %f");
    xdg.application("usr", "site.desktop", "--site %f");
    xdg.write("config/mimeapps.list", "[Default Applications]\nimage/gif=mine.desktop\n");
    xdg.write("etc/mimeapps.list", "[Default Applications]\nimage/gif=site.desktop\n");
    EXPECT_EQ(xdg.lookUp("image/gif"), xdg.command("--mine %1"));
}

TEST(DefaultApplication, SystemListAloneIsRead) {
    XdgFixture xdg;
    xdg.application("usr", "site.desktop", "--site %f");
    xdg.write("etc/mimeapps.list", "[Default Applications]\nimage/gif=site.desktop\n");
    EXPECT_EQ(xdg.lookUp("image/gif"), xdg.command("--site %1"));
}

TEST(DefaultApplication, DesktopSpecificListWinsOverThePlainOneOnlyOnThatDesktop) {
    XdgFixture xdg;
    xdg.application("usr", "plain.desktop", "--plain %U");
    xdg.application("usr", "xfce.desktop", "--xfce %U");
    xdg.write("config/mimeapps.list", "[Default Applications]\ninode/directory=plain.desktop\n");
    xdg.write("config/xfce-mimeapps.list", "[Default Applications]\ninode/directory=xfce.desktop\n");
    xdg.setDesktop("XFCE");
    EXPECT_EQ(xdg.lookUp("inode/directory"), xdg.command("--xfce %1"));
    xdg.setDesktop("GNOME");
    EXPECT_EQ(xdg.lookUp("inode/directory"), xdg.command("--plain %1"));
}

TEST(DefaultApplication, ListedApplicationWithoutDesktopEntryIsPassedOver) {
    XdgFixture xdg;
    xdg.application("usr", "viewer.desktop", "%F");
    xdg.write("usr/applications/mimeapps.list", "[Default Applications]\nimage/gif=gone.desktop;viewer.desktop;\n");
    EXPECT_EQ(xdg.lookUp("image/gif"), xdg.command("%1"));
}

TEST(DefaultApplication, MimeinfoCacheGivesAnApplicationWhenNoListNamesOne) {
    XdgFixture xdg;
    xdg.application("usr", "cached.desktop", "--cached %u", "text/html;");
    xdg.write("usr/applications/mimeinfo.cache", "[MIME Cache]\ntext/html=cached.desktop;\n");
    EXPECT_EQ(xdg.lookUp("text/html"), xdg.command("--cached %1"));
}

TEST(DefaultApplication, DefaultsListChoosesAmongTheAssociatedApplications) {
    XdgFixture xdg;
    xdg.application("usr", "first.desktop", "--first %f", "image/gif;");
    xdg.application("usr", "chosen.desktop", "--chosen %f", "image/gif;");
    xdg.write("usr/applications/mimeinfo.cache", "[MIME Cache]\nimage/gif=first.desktop;chosen.desktop;\n");
    xdg.write("usr/applications/defaults.list", "[Default Applications]\nimage/gif=chosen.desktop\n");
    EXPECT_EQ(xdg.lookUp("image/gif"), xdg.command("--chosen %1"));
}

TEST(DefaultApplication, AddedAndRemovedAssociationsOfTheUserAreHonoured) {
    XdgFixture xdg;
    xdg.application("usr", "unwanted.desktop", "--unwanted %f", "image/gif;");
    xdg.application("data", "added.desktop", "--added %f");
    xdg.write("usr/applications/mimeinfo.cache", "[MIME Cache]\nimage/gif=unwanted.desktop;\n");
    xdg.write("config/mimeapps.list",
              "[Added Associations]\nimage/gif=added.desktop;\n[Removed Associations]\nimage/gif=unwanted.desktop;\n");
    EXPECT_EQ(xdg.lookUp("image/gif"), xdg.command("--added %1"));
}

TEST(DefaultApplication, QuotedProgramAndArgumentsSurviveToTheArgumentList) {
    XdgFixture xdg;
    xdg.write("usr/applications/quoted.desktop", "[Desktop Entry]\nType=Application\nName=q\nExec=\"" +
                                                     xdg.path("bin/app").toUtf8() + "\" \"--open=%f\" --tab\n");
    xdg.write("config/mimeapps.list", "[Default Applications]\ntext/html=quoted.desktop\n");
    const QString command = xdg.lookUp("text/html");
    EXPECT_EQ(argumentsForTarget(command, "/tmp/with blank/__tmp.htm"),
              (QStringList{xdg.path("bin/app"), "--open=/tmp/with blank/__tmp.htm", "--tab"}));
}

TEST(DefaultApplication, NothingFoundOpensPagesAndFoldersWithTheSystemOpenerButNotPictures) {
    XdgFixture xdg;
    const QMap<QString, QString> answers =
        xdg.lookUp({"text/html", "application/xhtml+xml", "inode/directory", "image/gif"});
    EXPECT_EQ(answers.value("text/html"), "xdg-open %1");
    EXPECT_EQ(answers.value("application/xhtml+xml"), "xdg-open %1");
    EXPECT_EQ(answers.value("inode/directory"), "xdg-open %1");
    EXPECT_TRUE(answers.contains("image/gif"));
    EXPECT_EQ(answers.value("image/gif"), "");
    EXPECT_EQ(argumentsForTarget(answers.value("inode/directory"), "/home/u/my gifs"),
              (QStringList{"xdg-open", "/home/u/my gifs"}));
}

TEST(DefaultApplication, ASecondPageTypeWithAnApplicationIsUsedBeforeTheSystemOpener) {
    XdgFixture xdg;
    xdg.application("usr", "xhtml.desktop", "--xhtml %u");
    xdg.write("config/mimeapps.list", "[Default Applications]\napplication/xhtml+xml=xhtml.desktop\n");
    const QMap<QString, QString> answers = xdg.lookUp({"text/html", "application/xhtml+xml"});
    EXPECT_EQ(answers.value("text/html"), "");  // the caller goes on to the next page type
    EXPECT_EQ(answers.value("application/xhtml+xml"), xdg.command("--xhtml %1"));
}

// A browser registered for the page type itself is taken, whatever GIO would take
// for a parent type; one that runs in a terminal is passed over for the next.
TEST(DefaultApplication, OnlyWindowApplicationsRegisteredForTheTypeItselfOpenPages) {
    struct Row {
        const char* name;
        QByteArray mimeinfoCache, userList;
        QString expected;  // "app" stands for the fixture's program
    };
    const Row rows[] = {
        {"an editor for text/plain is no browser", "text/plain=editor.desktop;\n",
         "[Default Applications]\ntext/plain=editor.desktop\n", "xdg-open %1"},
        {"a terminal browser as the default gives way to the window browser",
         "text/html=terminal-web.desktop;window-web.desktop;\n",
         "[Default Applications]\ntext/html=terminal-web.desktop\n", "app --window %1"},
        {"a terminal browser alone is none", "text/html=terminal-web.desktop;\n", "", "xdg-open %1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        XdgFixture xdg;
        xdg.application("usr", "editor.desktop", "--edit %f", "text/plain;");
        xdg.application("usr", "terminal-web.desktop", "--terminal %u", "text/html;", true);
        xdg.application("usr", "window-web.desktop", "--window %u", "text/html;");
        xdg.write("usr/applications/mimeinfo.cache", "[MIME Cache]\n" + row.mimeinfoCache);
        if (!row.userList.isEmpty()) xdg.write("config/mimeapps.list", row.userList);
        QString expected = row.expected;
        if (expected.startsWith("app ")) expected = xdg.command(expected.mid(4));
        EXPECT_EQ(xdg.lookUp("text/html"), expected);
    }
}

TEST(DefaultApplication, HelpButtonWithNoBrowserAndAnEditorForTextStartsTheSystemOpenerNotTheEditor) {
    XdgFixture xdg;
    xdg.application("usr", "editor.desktop", "--edit %F", "text/plain;", true);
    xdg.write("usr/applications/mimeinfo.cache", "[MIME Cache]\ntext/plain=editor.desktop;\n");
    xdg.write("config/mimeapps.list", "[Default Applications]\ntext/plain=editor.desktop\n");
    const QStringList started = xdg.helpButtonStarts();
    ASSERT_EQ(started.size(), 1) << started.join('\n').toStdString();
    EXPECT_TRUE(started[0].startsWith("started=xdg-open /")) << started[0].toStdString();
    EXPECT_TRUE(started[0].endsWith("/flikkor.htm")) << started[0].toStdString();
}
