#include "tests/viewer/export/export_rig.h"

#include <gif_lib.h>

#include <algorithm>
#include <filesystem>

namespace sorvath::test_support {

ExportRig::ExportRig(const testdata::ResultRun& run, bool walls, ContactDisplay contacts) {
    testdata::writeRun(runFolder.path(), "out-0007.dat", run, testdata::RecordLayout::Long, walls,
                       contacts != ContactDisplay::No);
    options.contactDisplay = contacts;
    prompter.paths = {outputPath()};
    prompter.answers = {walls};
    reader.openOutputFile();
    settings.programFolder = programFolder.path().string() + "/";
    settings.viewerCaption = "Sorvath";
    windows.shown.insert("Sorvath");
}

ExportOutcome ExportRig::exportAnswering(bool yes, int nskip, bool withDisplay) {
    prompter.answers = {yes};
    ExportPlatform platform{converter, launcher, withDisplay ? &keys : nullptr, withDisplay ? &windows : nullptr};
    AnimationExport exporter(scene, options, reader, display, picture, log, prompter, platform, settings);
    return exporter.run(nskip);
}

std::vector<std::string> ExportRig::frameFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(programFolder.path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("temp-", 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

QImage pictureOfBlock(const testdata::ResultRun& run, int block, int size) {
    testdata::TempFolder folder;
    testdata::writeRun(folder.path(), "out-0007.dat", run, testdata::RecordLayout::Long, false, false);
    Scene scene;
    ViewOptions options;
    testing::RecordingLog log;
    testing::ScriptedPrompter prompter;
    ScenePicture picture(size, size);
    PictureDisplay display(picture, scene, options);
    ResultReader reader(scene, options, log, prompter, display);
    prompter.paths = {folder.file("out-0007.dat")};
    prompter.answers = {false};
    reader.openOutputFile();  // shows block 3
    for (int b = 3; b < block; ++b) reader.outdraw();
    picture.clear();
    picture.drawscene(scene, options);
    return picture.image().copy();
}

QImage decodeGif(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr) return QImage();
    QImage image;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        const SavedImage& saved = gif->SavedImages[0];
        const ColorMapObject* map = saved.ImageDesc.ColorMap ? saved.ImageDesc.ColorMap : gif->SColorMap;
        image = QImage(saved.ImageDesc.Width, saved.ImageDesc.Height, QImage::Format_RGB32);
        for (int y = 0; map && y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const GifColorType c = map->Colors[saved.RasterBits[y * image.width() + x]];
                image.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
            }
    }
    DGifCloseFile(gif, &error);
    return image;
}

}  // namespace sorvath::test_support
