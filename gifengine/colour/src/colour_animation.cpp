#include "gifengine/colour/colour_animation.h"

#include <cmath>

#include "gifengine/colour/colour_tool_messages.h"
#include "gifengine/integer_text.h"
#include "gifengine/messages.h"

namespace gifengine::colour {

using gifengine::ColourTable;
using gifengine::FrameList;
using gifengine::MessageButtons;
using gifengine::Rgb;

int TotalImages(const ColourAnimationSettings& settings) {
    return settings.turnBack ? 2 * settings.patterns - 2 : settings.patterns;
}

int PatternCountFromText(std::string_view text) { return gifengine::IntegerValue(text).value_or(2); }

std::optional<std::string_view> GenerationRefusal(const ColourAnimationSettings& settings, int frameCount) {
    // P = 1 with turn back makes 0 images; below 1 makes none (or negative).
    if (settings.patterns < 1 || TotalImages(settings) < 1) return text::kBadPatternCount;
    // The generated images and the source copy all live in the list at once.
    if (int64_t(frameCount) + TotalImages(settings) > gifengine::kFrameListCapacity) return gifengine::text::kListFull;
    return std::nullopt;
}

uint8_t InterpolateChannel(int first, int last, int patterns, int q) {
    const double step = double(last - first) / double(patterns - 1) * double(q) + 0.5;
    return uint8_t((first + int(std::trunc(step))) & 0xFF);
}

ColourAnimationWork::ColourAnimationWork(const gifengine::GifFrameRecord& source, int sourceIndex)
    : source_(sourceIndex), count_(source.tableEntryCount()) {
    for (int k = 0; k < count_; ++k) {
        firstColours[std::size_t(k)] = source.colourTable[std::size_t(k)];
        lastColours[std::size_t(k)] = source.colourTable[std::size_t(k)];
    }
}

void ColourAnimationWork::BtnUp() {
    if (window_ > 0) window_ -= kWindowEntries;
}

void ColourAnimationWork::BtnDown() {
    if (window_ + kWindowEntries < count_) window_ += kWindowEntries;
}

int ColourAnimationWork::WindowEntry(int k) const {
    const int entry = window_ + k;
    return k >= 0 && k < kWindowEntries && entry < count_ ? entry : -1;
}

bool ColourAnimationWork::choose(ColourTable& table, int k, ColourChooser& chooser) {
    const int entry = WindowEntry(k);
    if (entry < 0) return false;
    const auto chosen = chooser.ChooseColour(table[std::size_t(entry)]);
    if (!chosen) return false;
    table[std::size_t(entry)] = *chosen;
    return true;
}

bool ColourAnimationWork::ChooseFirst(int k, ColourChooser& chooser) { return choose(firstColours, k, chooser); }
bool ColourAnimationWork::ChooseLast(int k, ColourChooser& chooser) { return choose(lastColours, k, chooser); }

ColourTable ColourAnimationWork::PhaseColours(int patterns, int j) const {
    if (j == 0) return firstColours;
    if (j == patterns - 1) return lastColours;
    const int q = j < patterns ? j : 2 * patterns - 2 - j;
    ColourTable colours = firstColours;
    for (int k = 0; k < count_; ++k) {
        const Rgb& f = firstColours[std::size_t(k)];
        const Rgb& l = lastColours[std::size_t(k)];
        colours[std::size_t(k)] =
            Rgb{InterpolateChannel(f.r, l.r, patterns, q), InterpolateChannel(f.g, l.g, patterns, q),
                InterpolateChannel(f.b, l.b, patterns, q)};
    }
    return colours;
}

bool GenerateColourTableAnimation(FrameList& frames, const ColourAnimationWork& work,
                                  const ColourAnimationSettings& settings) {
    const int a = work.source();
    if (a < 0 || a >= frames.count() || GenerationRefusal(settings, frames.count())) return false;
    const int total = TotalImages(settings);
    const int count = work.entryCount();
    for (int j = 0; j < total; ++j) {
        const int i = a + j;
        // Copy the previous step's frame, then turn frame i into phase j.
        if (!frames.DuplicateFrames(i, 1)) return false;
        auto& frame = frames[i];
        frame.setPathAndName(text::kGeneratedPath, text::kGeneratedPath.size() - text::kGeneratedName.size());
        frame.imageNumber = j + 1;
        frame.usesGlobalTable = false;
        const ColourTable colours = work.PhaseColours(settings.patterns, j);
        for (int k = 0; k < count; ++k) frame.colourTable[std::size_t(k)] = colours[std::size_t(k)];
    }
    if (settings.deleteSource) frames.DeleteFrame(a + total);
    return true;
}

bool MakeColorTableAnimation(FrameList& frames, gifengine::Reporter& reporter, ColourAnimationDialog& dialog,
                             ColourAnimationSettings& settings, ColourToolHost& host) {
    const int a = frames.selectionStart();
    if (a < 0 || a >= frames.count()) {
        reporter.ShowMessage(gifengine::text::kCaptionError, text::kSelectOneSource, MessageButtons::Ok);
        return false;
    }
    // Several rows count as several even when the last is the empty row.
    if (frames.cursor.bottomRow != frames.cursor.topRow) {
        reporter.ShowMessage(gifengine::text::kCaptionError, text::kSelectOnlyOneSource, MessageButtons::Ok);
        return false;
    }
    const ColourAnimationSettings saved = settings;
    ColourAnimationWork work(frames[a], a);
    if (!dialog.Run(work, settings, frames.count())) {
        settings = saved;
        return false;
    }
    if (const auto refusal = GenerationRefusal(settings, frames.count())) {
        // The dialog's make button checks this already; a dialog that does
        // not still never gets a half-made animation.
        reporter.ShowMessage(gifengine::text::kCaptionError, *refusal, MessageButtons::Ok);
        return false;
    }
    if (!GenerateColourTableAnimation(frames, work, settings)) return false;
    host.FramesChanged();
    reporter.ShowMessage(gifengine::text::kCaptionNotice, text::kChooseGlobalTableAgain, MessageButtons::Ok);
    return true;
}

}  // namespace gifengine::colour
