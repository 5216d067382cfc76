// Packings that must not change: the console and the three files of every
// example control file and of made-up ones (each shape, line constraints,
// failed passes, 30,000 discs), as hashes of the bytes that the generator gave
// when they were recorded. Any change to the draws, the acceptance of a trial,
// the statistics or a layout shows here.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "generator/run_driver.h"
#include "tests/support/scratch_folder.h"

namespace {

// FNV-1a, 64 bits, as hexadecimal.
std::string hashOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// A control file of examples/, by its path there.
std::string example(const char* path) {
    std::ifstream in(std::string(TOOLKIT_SOURCE_DIR) + "/examples/" + path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Recorded {
    const char* name;
    std::string control;
    const char* hashes;  // of the console, temp.dat, newin.dat and OUTD.DAT
};

}  // namespace

TEST(UnchangedOutputs, RecordedPackingsComeOutByteForByte) {
    const Recorded cases[] = {
        {"ellipses example", example("generator/ellipses.tessctrl.dat"),
         "5068e1af14f2abc5 b2fdc6a83531f350 0f7e14d776424736 28373d4b02b2742c"},
        {"polygons example", example("generator/polygons.tessctrl.dat"),
         "f3d8742c5125c3c6 b118e1f0ae70c648 5b05a50ab8cb09a0 c82f60d288f29122"},
        {"discs with a line example", example("generator/discs-with-line.tessctrl.dat"),
         "d0cb6d6484493362 7b28a691969d7326 7052943dfe23421a f8b6b25b750bd1b9"},
        {"crowded equal discs with failed passes", "0 2\n60 30\n0.01 0 0 1\n0 0 1.2 1.0\n0\n",
         "8ce31d7fc9eaadaf 11c2df1568edb5a9 bffbc357ef3acb0d 25364de288264ee8"},
        {"odd count, normal sizes, corners reversed", "0 2\n5 100\n0.0001 0 0 1\n1 1 0 0\n0\n",
         "a2386723ea0569df 84e5d16ba3de3ca4 dbb14782c1e504f1 e1ae918d0187efc4"},
        {"ellipses drawn again between two lines",
         "0 0\n300 5000\n0.0004 0.0001 0.015 0.03\n0 0 2 2\n2\n1 0.2 0.1\n-1 -0.3 2.1\n0.7 0.2 0.4 1.0\n",
         "5cff178aa66a4914 04bae0d392819597 55b4d5fbff0c20ad 2288409ced49ef6f"},
        {"12,001 circles of the fourth shape mode", "1 3\n12001 20000\n0.0001 0.2 0 1\n0 0 4 3\n0\n",
         "65c829cc80999737 0ffd39936c2839f7 7c945f33b6ddfb57 578d8994557f3d09"},
        {"road example", example("road/tessctrl.dat"),
         "ae2cce426f34fcb2 f7335232b22b8944 829a4b386476131e 7faef22dd1a9d114"},
        {"300 polygons in a 4 x 8 box (the road example before)",
         "0 1\n300 20000\n0.01 0.002 0.05 0.2\n0.0 0.0 4.0 8.0\n0\n7.0 3.0 3 12\n",
         "51c9bbf0be0679f1 240be9cefea3ed5d eede8f57e6a5cce1 0701073949ccdf36"},
        {"polygons between two level walls",
         "0 1\n600 20000\n0.01 0.002 0.05 0.2\n0 0 10 8\n2\n1 0 1\n-1 0 7\n6 2 3 10\n",
         "15a24dc6efe423d3 52643e23af4155d9 848a8184f39402f3 4cc18ffef1fa28b2"},
        {"log-normal ellipses under a slanted line",
         "1 0\n1200 20000\n0.01 0.3 0.04 0.3\n0 0 20 16\n1\n-1 -0.4 14\n0.6 0.2 0.3 1.0\n",
         "597a72e67d05bfb0 7db6018a043982f0 d3410122cdc285d9 b674f7972d1ce31d"},
        {"normal-sized discs in a funnel of three lines",
         "0 2\n1200 20000\n0.01 0.002 0.05 0.2\n0 0 20 20\n3\n1 1.5 -10\n1 -1.5 20\n-1 0 18\n",
         "51d030cc39032cde ac3e078e4ac7f07a 888f000dede05c9c 4de7aa80fd0cba6f"},
        {"4,000 equal discs near jamming, 314 failed passes", "0 2\n4000 300\n0.01 0.001 0 1\n0 0 15 15\n0\n",
         "94f5ecd00d5104f9 1f461065366366eb b2ae7b05d1aae0b4 77c2378ad861fac1"},
        {"30,000 log-normal discs at 40% cover", "1 2\n30000 20000\n0.01 0.2 0.05 0.2\n0 0 55 44\n0\n",
         "7e0ea180d172daf2 4431ddeb3c727396 743e95b1e10b8016 b720ed0cfb79cca4"},
    };
    std::string ones;  // an answer for each pause
    for (int pause = 0; pause < 400; ++pause) ones += "1\n";
    for (const Recorded& k : cases) {
        SCOPED_TRACE(k.name);
        ASSERT_FALSE(k.control.empty());
        toolkit::testing::ScratchFolder folder;
        folder.write("tessctrl.dat", k.control);
        std::istringstream answers(ones);
        std::ostringstream console;
        ASSERT_EQ(tessark::runTessark(folder.path(), answers, console), 0) << console.str();
        EXPECT_EQ(hashOf(console.str()) + " " + hashOf(folder.read("temp.dat")) + " " +
                      hashOf(folder.read("newin.dat")) + " " + hashOf(folder.read("OUTD.DAT")),
                  k.hashes);
    }
}
