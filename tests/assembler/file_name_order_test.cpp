// The file list's order: numbers by their value, everything else as plain text.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "assembler/window/file_browser.h"
#include "assembler/window/file_name_order.h"

using namespace flikkor;

TEST(FileNameOrder, DigitRunsCompareByValueTheRestAsPlainText) {
    struct Pair {
        const char* first;
        const char* second;
    };
    const Pair pairs[] = {
        {"temp-999.gif", "temp-1000.gif"},
        {"temp-99.gif", "temp-101.gif"},
        {"temp-2.gif", "temp-10.gif"},
        {"frame2b.gif", "frame10a.gif"},
        {"n99999999999999999999.gif", "n100000000000000000000.gif"},  // beyond any integer type
        {"a01.gif", "a1.gif"},                                        // equal values: plain order decides
        {"a1.gif", "a01b.gif"},
        {"B.gif", "a.gif"},  // without digits: plain order, capitals first
        {"a.gif", "ab.gif"},
        {"x.gif", "x1.gif"},
        {"temp-1000.gif", "tempanim.gif"},
        {"2.gif", "a.gif"},
    };
    for (const Pair& p : pairs) {
        SCOPED_TRACE(std::string(p.first) + " < " + p.second);
        EXPECT_TRUE(fileNameLess(QString::fromUtf8(p.first), QString::fromUtf8(p.second)));
        EXPECT_FALSE(fileNameLess(QString::fromUtf8(p.second), QString::fromUtf8(p.first)));
    }
    EXPECT_FALSE(fileNameLess(u"same.gif", u"same.gif"));
}

TEST(FileNameOrder, TheFileListShowsNumberedFramesInFrameOrder) {
    QTemporaryDir dir;
    for (const char* name : {"temp-1000.gif", "tempanim.gif", "temp-101.gif", "temp-999.gif", "temp-100.gif"}) {
        QFile file(dir.path() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(gifFilesOfFolder(dir.path()),
              (QStringList{"temp-100.gif", "temp-101.gif", "temp-999.gif", "temp-1000.gif", "tempanim.gif"}));
}
