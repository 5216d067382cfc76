// Opens arbitrary bytes as Sorvath's input file, then as an output file with its
// wall, contact-header and contact-record companions, and steps to the end, drawing
// every picture. Input layout: one option byte, then the output text, then the
// companions, each introduced by a '|' byte.
#include "fuzz/work_folder.h"
#include "tests/viewer/support/picture_window.h"
#include "viewer/core/viewer_session.h"
#include "viewer/draw/scene_picture.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

using namespace sorvath;

// Draws the picture as the window does after every command.
void show(ScenePicture& picture, ViewerSession& session, const ViewerState& state) {
    picture.scale() = session.transform().scale();
    if (state.picture == PictureChange::Kept) return;
    picture.clear();
    if (state.picture == PictureChange::Redrawn) picture.drawscene(session.scene(), session.options());
}

const std::filesystem::path& workFolder() {
    static const toolkit::testing::WorkFolder folder("sorvath-fuzz");
    return folder.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t flags = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string_view parts[4];
    for (int p = 0; p < 4; ++p) {
        const size_t bar = p < 3 ? rest.find('|') : std::string_view::npos;
        parts[p] = rest.substr(0, bar);
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
    }
    toolkit::testing::writeFile(workFolder() / "output.dat", parts[0]);
    toolkit::testing::writeFile(workFolder() / "wllout.dat", parts[1]);
    toolkit::testing::writeFile(workFolder() / "cont2.dat", parts[2]);
    toolkit::testing::writeFile(workFolder() / "cont.dat", parts[3]);

    static ScenePicture picture;
    static testing::PictureWindow window;
    window.answer = (flags & 128) != 0;  // mount the wall file
    window.path = (workFolder() / "output.dat").string();
    // Like the window's: one session, its scene overwritten by every open.
    static ViewerSession session(window, window, picture.W0(), picture.H0());
    ViewOptions& options = session.options();
    options.colour = (flags & 1) != 0;
    options.periodic = (flags & 2) != 0;
    options.relativeRotation = (flags & 4) != 0;
    options.contactDisplay = static_cast<ContactDisplay>((flags >> 3) % 3);
    options.ratio = (flags & 64) != 0 ? 0.5f : 1.0f;

    show(picture, session, session.openInput());
    const ViewerState opened = session.openOutput();
    show(picture, session, opened);
    if (opened.succeeded && options.contactDisplay == ContactDisplay::No)
        show(picture, session, session.showContacts(ContactDisplay::DrawLines));
    // Every step consumes at least one field, so this ends with the file.
    while (!session.playback().atEnd()) show(picture, session, session.stepOnce());
    show(picture, session, session.changeRatio(options.ratio));
    return 0;
}
