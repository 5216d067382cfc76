#include <gtest/gtest.h>
#include <iconv.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "assembler/html/html_messages.h"
#include "assembler/html/image_list.h"
#include "assembler/html/work_files.h"
#include "fake_writer.h"

namespace fs = std::filesystem;
using flikkor::html::testing::FakeWriter;
using flikkor::html::testing::RecordingReporter;

namespace {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "htmllist-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path); }
    std::string path;
};

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Utf8FromShiftJis(const std::string& bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::string out(bytes.size() * 3 + 8, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    EXPECT_NE(r, size_t(-1)) << "page is not valid Shift_JIS";
    out.resize(out.size() - outLeft);
    return out;
}

int CountOf(const std::string& text, const std::string& piece) {
    int n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++n;
    return n;
}

}  // namespace

TEST(ImageListPage, ThreeFramesGiveFourFilesAndFourRowsInOrder) {
    TempFolder work;
    FakeWriter writer(3);
    writer.createFiles = true;
    RecordingReporter reporter;
    std::string opened;
    ASSERT_TRUE(flikkor::html::MenuShowImage(writer, reporter, work.path, [&](const std::string& s) { opened = s; }));
    EXPECT_TRUE(reporter.messages.empty());
    ASSERT_EQ(writer.animatedPaths.size(), 1u);
    EXPECT_EQ(writer.animatedPaths[0], work.path + "/__tmp.gif");
    ASSERT_EQ(writer.singleCalls.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(writer.singleCalls[std::size_t(i)].index, i);
        EXPECT_EQ(writer.singleCalls[std::size_t(i)].path, work.path + "/__tmp" + std::to_string(i + 1) + ".gif");
    }
    EXPECT_EQ(opened, work.path + "/__tmp.htm");
    for (const char* name : {"__tmp.gif", "__tmp1.gif", "__tmp2.gif", "__tmp3.gif", "__tmp.htm"})
        EXPECT_TRUE(fs::exists(work.path + "/" + name)) << name;

    const std::string page = Utf8FromShiftJis(ReadBytes(work.path + "/__tmp.htm"));
    EXPECT_EQ(CountOf(page, "<TR>"), 4);
    const std::size_t made =
        page.find("<TR><TD>作成画像</TD><TD><IMG SRC=__tmp.gif BORDER=0 VSPACE=0 HSPACE=0></TD></TR>");
    const std::size_t one =
        page.find("<TR><TD>画像 1</TD><TD><IMG SRC=__tmp1.gif BORDER=0 VSPACE=0 HSPACE=0></TD></TR>");
    const std::size_t three =
        page.find("<TR><TD>画像 3</TD><TD><IMG SRC=__tmp3.gif BORDER=0 VSPACE=0 HSPACE=0></TD></TR>");
    ASSERT_NE(made, std::string::npos);
    ASSERT_NE(one, std::string::npos);
    ASSERT_NE(three, std::string::npos);
    EXPECT_LT(made, one);
    EXPECT_LT(one, three);
}

TEST(ImageListPage, PageBytesAreShiftJisWithExactLineEnds) {
    TempFolder work;
    FakeWriter writer(2);
    RecordingReporter reporter;
    ASSERT_TRUE(flikkor::html::BuildImageList(writer, reporter, work.path));
    const std::string bytes = ReadBytes(work.path + "/__tmp.htm");
    // 画像一覧 in code page 932
    EXPECT_NE(bytes.find("<TITLE>\x89\xE6\x91\x9C\x88\xEA\x97\x97</TITLE>"), std::string::npos);
    // The encoding is declared inside HEAD, before any Japanese text.
    const std::size_t charset =
        bytes.find("<HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\"><TITLE>");
    EXPECT_NE(charset, std::string::npos);
    EXPECT_LT(charset, bytes.find("\x89\xE6"));

    const std::string expected =
        "<HTML>\r\n<HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">"
        "<TITLE>画像一覧</TITLE></HEAD>\r\n<BODY BGCOLOR=#FFFFFF>\r\n"
        "画像一覧<BR>\r\n<TABLE BORDER=1 CELLPADDING=5>\r\n"
        "<TR><TD>作成画像</TD><TD><IMG SRC=__tmp.gif BORDER=0 VSPACE=0 HSPACE=0></TD></TR>"
        "<TR><TD>画像 1</TD><TD><IMG SRC=__tmp1.gif BORDER=0 VSPACE=0 HSPACE=0></TD></TR>"
        "<TR><TD>画像 2</TD><TD><IMG SRC=__tmp2.gif BORDER=0 VSPACE=0 HSPACE=0></TD></TR>"
        "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
    EXPECT_EQ(Utf8FromShiftJis(bytes), expected);

    // Every line end is CR LF: five before the first row, three after the last.
    const std::size_t firstRow = bytes.find("<TR>");
    const std::size_t afterLastRow = bytes.rfind("</TR>") + 5;
    EXPECT_EQ(CountOf(bytes.substr(0, firstRow), "\r\n"), 5);
    EXPECT_EQ(CountOf(bytes.substr(afterLastRow), "\r\n"), 3);
    EXPECT_EQ(CountOf(bytes, "\n"), 8);
    EXPECT_EQ(CountOf(bytes, "\r"), 8);
}

TEST(ImageListPage, TwelveFramesAreNumberedWithoutLeadingZeros) {
    const std::string page = flikkor::html::ImageListPageText(12);
    EXPECT_NE(page.find("<TD>画像 10</TD><TD><IMG SRC=__tmp10.gif "), std::string::npos);
    EXPECT_NE(page.find("<TD>画像 12</TD><TD><IMG SRC=__tmp12.gif "), std::string::npos);
    EXPECT_EQ(page.find("__tmp01"), std::string::npos);
    EXPECT_EQ(page.find("__tmp13"), std::string::npos);
    EXPECT_EQ(CountOf(page, "<TR>"), 13);
    EXPECT_EQ(flikkor::html::FrameFileName(12), "__tmp12.gif");
}

TEST(ImageListPage, AWriterFailureStopsBeforeThePageAndTheBrowser) {
    TempFolder work;
    RecordingReporter reporter;
    bool browserStarted = false;
    auto browser = [&](const std::string&) { browserStarted = true; };

    FakeWriter animationFails(3);
    animationFails.animatedFails = true;
    EXPECT_FALSE(flikkor::html::MenuShowImage(animationFails, reporter, work.path, browser));
    EXPECT_TRUE(animationFails.singleCalls.empty());

    FakeWriter secondFrameFails(3);
    secondFrameFails.failAtIndex = 1;
    EXPECT_FALSE(flikkor::html::MenuShowImage(secondFrameFails, reporter, work.path, browser));
    EXPECT_EQ(secondFrameFails.singleCalls.size(), 2u);

    EXPECT_FALSE(browserStarted);
    EXPECT_FALSE(fs::exists(work.path + "/__tmp.htm"));
    EXPECT_TRUE(reporter.messages.empty()) << "the writer reports its own failures";
}

TEST(ImageListPage, APageThatCannotBeOpenedIsReportedAndNoBrowserStarts) {
    TempFolder work;
    fs::create_directory(work.path + "/__tmp.htm");  // a folder where the page should go
    FakeWriter writer(1);
    RecordingReporter reporter;
    bool browserStarted = false;
    EXPECT_FALSE(
        flikkor::html::MenuShowImage(writer, reporter, work.path, [&](const std::string&) { browserStarted = true; }));
    EXPECT_FALSE(browserStarted);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, "Reelwright:エラー");
    EXPECT_EQ(reporter.messages[0].text,
              "ファイル " + work.path + "/__tmp.htm がオープンできません\n同じ名前のフォルダがあります");
}
