// The colour-table animation: one frame copied into a run of frames whose
// colour tables fade entry by entry from a first set of colours to a last
// set, optionally turning back. The raster is never touched.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "gifengine/colour/colour_chooser.h"
#include "gifengine/colour/colour_tool_host.h"
#include "gifengine/frame_list.h"
#include "gifengine/reporter.h"

namespace gifengine::colour {

// Settings that persist between uses within a run.
struct ColourAnimationSettings {
    int patterns = 5;           // P, EdPattern
    bool turnBack = false;      // CBReturned
    bool deleteSource = false;  // CBDelete
    friend bool operator==(const ColourAnimationSettings&, const ColourAnimationSettings&) = default;
};

// Images made: 2P - 2 with turn back, P without.
int TotalImages(const ColourAnimationSettings& settings);
// P from EdPattern's text: its integer value, 2 when it is not an integer.
int PatternCountFromText(std::string_view text);
// Why a generation with these settings would be refused (pattern count that
// makes no image, or more frames than the list holds), or nothing.
std::optional<std::string_view> GenerationRefusal(const ColourAnimationSettings& settings, int frameCount);

// Channel value of phase q between first and last over P patterns:
// first + trunc((last - first) / (P - 1) * q + 0.5), low 8 bits.
uint8_t InterpolateChannel(int first, int last, int patterns, int q);

// Working data of one use of the dialog.
class ColourAnimationWork {
public:
    ColourAnimationWork(const gifengine::GifFrameRecord& source, int sourceIndex);

    int source() const { return source_; }
    int entryCount() const { return count_; }    // C
    int windowStart() const { return window_; }  // w
    gifengine::ColourTable firstColours{};
    gifengine::ColourTable lastColours{};

    void BtnUp();
    void BtnDown();
    // Entry shown by swatch k (0..15) of a row, or -1 when hidden.
    int WindowEntry(int k) const;
    // Swatch clicks: the chooser preset to the entry's colour; true when it changed hands.
    bool ChooseFirst(int k, ColourChooser& chooser);
    bool ChooseLast(int k, ColourChooser& chooser);

    // Colours of phase j (0 .. T - 1) for entries below C.
    gifengine::ColourTable PhaseColours(int patterns, int j) const;

private:
    bool choose(gifengine::ColourTable& table, int k, ColourChooser& chooser);
    int source_;
    int count_;
    int window_ = 0;
};

inline constexpr int kWindowEntries = 16;

// The modal dialog: edits work and settings, true when BtnMake closed it.
class ColourAnimationDialog {
public:
    virtual ~ColourAnimationDialog() = default;
    virtual bool Run(ColourAnimationWork& work, ColourAnimationSettings& settings, int frameCount) = 0;
};

// Inserts the generated frames at the source frame's place: afterwards
// frames a .. a+T-1 are the images of phases 0, 1, .., P-1 (then P-2 down to
// 1 when turning back) and frame a+T is the source, deleted when asked.
// False, with nothing changed, when the settings are refused.
bool GenerateColourTableAnimation(gifengine::FrameList& frames, const ColourAnimationWork& work,
                                  const ColourAnimationSettings& settings);

// The whole command on the grid selection; settings persist through it and
// come back unchanged after a cancel. True when frames were generated.
bool MakeColorTableAnimation(gifengine::FrameList& frames, gifengine::Reporter& reporter, ColourAnimationDialog& dialog,
                             ColourAnimationSettings& settings, ColourToolHost& host);

}  // namespace gifengine::colour
