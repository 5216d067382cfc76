// What Form1 puts out: the picture on screen after opening a run, and the two
// prints, read back from PDF files with poppler's tools.
#include "tests/viewer/window/window_bench.h"
#include "viewer/draw/palette.h"
#include "viewer/draw/scene_print.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace sorvath {
namespace {

using testing::WindowBench;

// The picture as the screen shows it, probed inside particle i next to its centre
// (the centre pixel itself carries the orientation mark).
QRgb shownInside(const WindowBench& b, const QImage& shown, int i) {
    const Particle& particle = b.form->scene().particles[static_cast<size_t>(i)];
    const double x = particle.current.x;
    const double y = particle.current.y + 0.4 * particle.a;
    const QPoint pixel(static_cast<int>(b.form->picture().pixelX(x)), static_cast<int>(b.form->picture().pixelY(y)));
    return shown.pixel(pixel) | 0xFF000000u;
}

QImage screenshotOfPicture(const WindowBench& b) {
    b.form->show();
    return b.control<QWidget>("Picture1")->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(SorvathWindowOutput, OutputRunWithColourShowsTheTurnColoursOnScreen) {
    WindowBench b;
    b.openOutput(testing::latticeRun(9, 5));
    b.click("Command22");  // colour on
    const QImage shown = screenshotOfPicture(b);
    ASSERT_EQ(shown.size(), QSize(533, 533));
    // The lattice turns particles 1, 4, 7 clockwise, keeps 2, 5, 8 and turns 3, 6, 9 counter-clockwise.
    for (int i = 1; i <= 9; ++i) {
        const QRgb expected = i % 3 == 1   ? palette::kClockwise
                              : i % 3 == 2 ? palette::kUnchanged
                                           : palette::kCounterClockwise;
        EXPECT_EQ(shownInside(b, shown, i), expected) << "particle " << i;
    }
    EXPECT_EQ(shown.pixel(2, 2) | 0xFF000000u, palette::kBackground);
    b.click("Command22");  // colour off: outlines only
    const QImage plain = screenshotOfPicture(b);
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(shownInside(b, plain, i), palette::kBackground) << "particle " << i;
}

TEST(SorvathWindowOutput, InputFileWithColourFillsEveryParticleCounterClockwise) {
    WindowBench b;
    b.openOutput(testing::latticeRun(4, 4));
    b.click("Command22");
    b.openInput(testing::latticeRun(4, 2));
    const QImage shown = screenshotOfPicture(b);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(shownInside(b, shown, i), palette::kCounterClockwise) << "particle " << i;
}

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(SorvathWindowOutput, HighQualityPrintCarriesThePathAndStepCounts) {
    WindowBench b;
    b.openOutput(testing::latticeRun(9, 5));
    b.click("Command11");
    b.dialogs->pdfPath = b.folder.file("print.pdf");
    b.action("m14")->trigger();
    ASSERT_TRUE(QFile::exists(QString::fromStdString(b.dialogs->pdfPath)));
    const QString text = runTool("pdftotext", {QString::fromStdString(b.dialogs->pdfPath), "-"});
    EXPECT_TRUE(text.contains(QString::fromStdString(b.folder.file("out-0001.dat")))) << text.toStdString();
    EXPECT_TRUE(text.contains("iloop/nloop=400/1000")) << text.toStdString();
    // A vector print: no bitmap on the page.
    const QStringList images =
        runTool("pdfimages", {"-list", QString::fromStdString(b.dialogs->pdfPath)}).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(images.size(), 2);  // the two heading lines only
}

// The bounding box of every non-white pixel of the page rendered at 144 dpi.
QRect inkBox(const std::string& pdf, const testing::TempFolder& folder) {
    const QString stem = QString::fromStdString(folder.file("page"));
    runTool("pdftoppm", {"-r", "144", "-png", "-singlefile", QString::fromStdString(pdf), stem});
    const QImage page(stem + ".png");
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200) box |= QRect(x, y, 1, 1);
    return box;
}

TEST(SorvathWindowOutput, HighQualityPrintFrameSpansItsPrinterUnits) {
    WindowBench b;
    b.openOutput(testing::latticeRun(9, 4));
    b.dialogs->pdfPath = b.folder.file("frame.pdf");
    b.action("m14")->trigger();
    // The frame element runs from 100 to 10000 across and 100 to 15000 down in 1/1440
    // inch: at 144 dpi that is 990 by 1490 pixels, and everything else lies inside it.
    const QRect box = inkBox(b.dialogs->pdfPath, b.folder);
    EXPECT_NEAR(box.width(), 990, 3);
    EXPECT_NEAR(box.height(), 1490, 3);
}

TEST(SorvathWindowOutput, RoughPrintPutsThePictureOnThePageAndCancelPrintsNothing) {
    WindowBench b;
    b.openOutput(testing::latticeRun(4, 4));
    b.action("m13")->trigger();  // print dialog cancelled
    EXPECT_EQ(b.dialogs->printerChoices, 1);
    b.dialogs->pdfPath = b.folder.file("rough.pdf");
    b.action("m13")->trigger();
    const QStringList images =
        runTool("pdfimages", {"-list", QString::fromStdString(b.dialogs->pdfPath)}).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(images.size(), 3);
    // One 533 x 533 image.
    EXPECT_TRUE(images[2].contains(QRegularExpression("\\s533\\s+533\\s"))) << images[2].toStdString();
}

// The rough print at 15 twips a pixel, or smaller where the picture would overrun the page:
// an A4 page at 72 dpi is 595 x 842 pixels, and 15 twips are 0.75 of them.
TEST(SorvathWindowOutput, RoughPrintKeepsThePicturesSizeUnlessThePageIsSmaller) {
    const struct {
        QSize picture;
        QSize printed;
    } cases[] = {{{533, 533}, {400, 400}}, {{1200, 900}, {595, 446}}, {{600, 1400}, {361, 842}}};
    for (const auto& c : cases) {
        QImage page(595, 842, QImage::Format_RGB32);
        page.setDotsPerMeterX(2835);  // 72 dpi
        page.setDotsPerMeterY(2835);
        page.fill(Qt::white);
        QImage picture(c.picture, QImage::Format_RGB32);
        picture.fill(Qt::black);
        roughPrint(page, picture);
        QRect ink;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
        EXPECT_EQ(ink.topLeft(), QPoint(0, 0));
        EXPECT_NEAR(ink.width(), c.printed.width(), 1) << c.picture.width();
        EXPECT_NEAR(ink.height(), c.printed.height(), 1) << c.picture.width();
    }
}

TEST(SorvathWindowOutput, PrintFactorFitsTheWiderOrTheTallerExtent) {
    EXPECT_DOUBLE_EQ(printScaleFactor(10.0, 4.0), 500.0);   // 5 > 4/3: across
    EXPECT_DOUBLE_EQ(printScaleFactor(10.0, 30.0), 250.0);  // 5 < 10: down
    EXPECT_DOUBLE_EQ(printScaleFactor(2.0, 3.0), 2500.0);   // equal halves and thirds: down
}

}  // namespace
}  // namespace sorvath
