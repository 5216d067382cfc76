#include "viewer/window/batch_arguments.h"

#include "viewer/core/playback.h"
#include "viewer/window/ratio_text.h"

#include <charconv>

namespace sorvath {
namespace {

constexpr int kLargestPicture = 8192;

// "WxH" with whole numbers from 1 to kLargestPicture.
bool parseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    const auto number = [](const char* begin, const char* end, int& value) {
        const auto [stop, error] = std::from_chars(begin, end, value);
        return begin != end && error == std::errc() && stop == end && value >= 1 && value <= kLargestPicture;
    };
    return number(text.data(), text.data() + x, width) &&
           number(text.data() + x + 1, text.data() + text.size(), height);
}

}  // namespace

BatchArguments::BatchArguments(toolkit::ProgramCommandLine& commandLine, CLI::Option* run) {
    CLI::App& app = commandLine.app();
    CLI::Option* gif =
        app.add_option("--gif", gif_,
                       "without a window: make the output run's animation GIF as \"Animation GIF making\" does")
            ->type_name("OUTPUT.dat");
    gif->excludes(run);
    app.add_option("--every", every_, "every N-th step block becomes a frame (the window's nskip N-1; default 1)")
        ->type_name("N")
        ->check(CLI::Range(1, kMaxSkip + 1).description(""))
        ->needs(gif);
    CLI::Option* lines =
        app.add_flag("--lines", lines_, "contact forces \"draw lines\" (the frames carry no lines, as in the window)")
            ->needs(gif);
    app.add_option("--select", select_, "contact forces \"grain select\" with this ratio")
        ->type_name("RATIO")
        ->needs(gif)
        ->excludes(lines);
    app.add_flag("--color", colour_, "fill the particles by their sense of rotation (\"color ON\")")->needs(gif);
    app.add_flag("--periodic", periodic_, "draw the periodic images (\"Periodic\")")->needs(gif);
    app.add_option("--zoom", zoom_, "press \"Zoom In\" Z times (negative: \"Zoom Out\"), each 1.2x")
        ->type_name("Z")
        ->check(CLI::Range(-50, 50).description(""))
        ->needs(gif);
    app.add_option("--size", size_, "the picture's size in pixels (default: the window's, 533x533)")
        ->type_name("WxH")
        ->needs(gif);
    app.add_option("-o", output_, "write the animation here (default: tempanim.gif in the export folder)")
        ->type_name("OUT.gif")
        ->needs(gif);
    app.callback([this] {
        if (const std::string why = problem(); !why.empty()) throw CLI::ValidationError(why);
    });
}

std::string BatchArguments::problem() {
    if (gif_.empty()) return {};
    request_ = BatchExportRequest{};
    request_.run = gif_;
    request_.nskip = every_ - 1;
    request_.options.colour = colour_;
    request_.options.periodic = periodic_;
    if (lines_) request_.options.contactDisplay = ContactDisplay::DrawLines;
    if (!select_.empty()) {
        const std::optional<float> ratio = parseRatio(select_);
        if (!ratio) return "--select: '" + select_ + "' is not a number";
        request_.options.contactDisplay = ContactDisplay::GrainSelect;
        request_.options.ratio = *ratio;
    }
    request_.zoom = zoom_;
    if (!size_.empty() && !parseSize(size_, request_.width, request_.height))
        return "--size: '" + size_ + "' is not WxH with whole numbers from 1 to " + std::to_string(kLargestPicture);
    request_.output = output_;
    return {};
}

std::optional<BatchExportRequest> BatchArguments::request() const {
    if (gif_.empty()) return std::nullopt;
    return request_;
}

}  // namespace sorvath
