#include "bridge/dump_reader.h"
#include "bridge/field_text.h"

#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <string>

namespace demrun {
namespace {

std::string atomBlock(long step, const std::string& rows, int count) {
    return "ITEM: TIMESTEP\n" + std::to_string(step) + "\nITEM: NUMBER OF ATOMS\n" + std::to_string(count) +
           "\nITEM: BOX BOUNDS ff ff pp\n0 1\n0 1\n-0.5 0.5\nITEM: ATOMS id x y\n" + rows;
}

TEST(DumpReader, ReadsBlocksWithColumnsAndValues) {
    const std::string text = atomBlock(0, "1 0.5 1e-3\n2 -2 3\n", 2) + atomBlock(200, "2 4 5\n1 6 7\n", 2);
    DumpReader reader(text, "dump.particles");
    DumpBlock block;
    ASSERT_TRUE(reader.next(block));
    EXPECT_EQ(block.timestep, 0);
    ASSERT_EQ(block.columns, (std::vector<std::string>{"id", "x", "y"}));
    EXPECT_EQ(block.rows, 2u);
    EXPECT_DOUBLE_EQ(block.at(0, 2), 1e-3);
    EXPECT_DOUBLE_EQ(block.at(1, 1), -2.0);
    ASSERT_TRUE(reader.next(block));
    EXPECT_EQ(block.timestep, 200);
    EXPECT_DOUBLE_EQ(block.at(1, 0), 1.0);
    EXPECT_FALSE(reader.next(block));
    EXPECT_EQ(block.column("y", "dump.particles"), 2u);
    EXPECT_THROW(block.column("vx", "dump.particles"), InputError);
}

// Every field reads as the double nearest to its text, the one std::from_chars gives:
// the plain decimals the reader takes on its own (up to 2^53 as digits) and the rest.
TEST(DumpReader, FieldsReadAsTheNearestDouble) {
    const char* fields[] = {"0.1",
                            "-0",
                            "0.30000000000000004",
                            "123456.7890123",
                            "9007199254740993",
                            "9007199254740992",
                            "2.675",
                            "-1.0000000000000002",
                            "0.000000000000000000000012345",
                            "1234567891.123456789",
                            "7.038531e-26",
                            "1e22",
                            "-4.9406564584124654e-300",
                            "00012.50",
                            "17976931348623157.0",
                            "0.9999999999999999",
                            "3.14159265358979323846"};
    std::string rows;
    int count = 0;
    for (const char* field : fields) rows += std::to_string(++count) + " " + field + " 0\n";
    const std::string text = atomBlock(0, rows, count);
    DumpReader reader(text, "dump.particles");
    DumpBlock block;
    ASSERT_TRUE(reader.next(block));
    for (std::size_t r = 0; r < block.rows; ++r) {
        const std::string field = fields[r];
        double nearest = 0.0;
        std::from_chars(field.data(), field.data() + field.size(), nearest);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(block.at(r, 1)), std::bit_cast<std::uint64_t>(nearest)) << field;
    }
}

TEST(DumpReader, RowsOfOneCharacterValuesFillTheTextExactly) {
    // Two rows of three one-character values, the last without its line end: 11 characters,
    // the least two rows can take.
    const std::string text = atomBlock(7, "1 0 0\n2 5 6", 2);
    DumpReader reader(text, "dump.particles");
    DumpBlock block;
    ASSERT_TRUE(reader.next(block));
    EXPECT_EQ(block.rows, 2u);
    EXPECT_DOUBLE_EQ(block.at(1, 2), 6.0);
}

TEST(DumpReader, LocalDumpsUseEntries) {
    const std::string text =
        "ITEM: TIMESTEP\n5\nITEM: NUMBER OF ENTRIES\n1\nITEM: BOX BOUNDS ff ff pp\n0 1\n0 1\n0 1\n"
        "ITEM: ENTRIES c_a[1] c_a[2] c_b[1]\n3 4 12.5\n";
    DumpReader reader(text, "dump.pairs");
    DumpBlock block;
    ASSERT_TRUE(reader.next(block));
    EXPECT_EQ(block.columns.size(), 3u);
    EXPECT_DOUBLE_EQ(block.at(0, 2), 12.5);
}

TEST(DumpReader, ABlockCutShortIsAnErrorNamingTheStep) {
    const struct {
        const char* name;
        std::string text;
        const char* message;
    } cases[] = {
        {"rows missing", atomBlock(0, "1 0 0\n", 2) + "", "ends in the middle of a step block (timestep 0)"},
        {"row cut in the middle", atomBlock(0, "1 0 0\n2 0", 2), "ends in the middle of a step block (timestep 0)"},
        {"header cut", "ITEM: TIMESTEP\n400\nITEM: NUMBER OF ATOMS\n", "ends in the middle of a step block"},
        {"not a number", atomBlock(0, "1 0 0\n2 x 0\n", 2), "a value is not a number"},
        {"nan", atomBlock(0, "1 0 0\n2 nan 0\n", 2), "a value is nan or infinite"},
        {"infinity", atomBlock(0, "1 0 0\n2 0 -inf\n", 2), "a value is nan or infinite"},
        {"row too long", atomBlock(0, "1 0 0 9\n2 0 0\n", 2), "more values than the columns"},
        // The table would take 24 TB: the count alone must not size it.
        {"count beyond the text",
         "ITEM: TIMESTEP\n0\nITEM: NUMBER OF ATOMS\n1000000000000\nITEM: BOX BOUNDS ff ff pp\n0 1\n0 1\n-0.5 0.5\n"
         "ITEM: ATOMS id x y\n1 0 0\n",
         "ends in the middle of a step block (timestep 0)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DumpReader reader(c.text, "dump.particles");
        DumpBlock block;
        try {
            while (reader.next(block)) {
            }
            ADD_FAILURE() << "no error";
        } catch (const InputError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
            EXPECT_EQ(std::string(error.what()).rfind("dump.particles: line ", 0), 0u) << error.what();
        }
    }
}

// A new run starting in the folder truncates a dump while it is read: the reader must
// end with a message (a memory-mapped dump killed the process with SIGBUS).
TEST(DumpReader, ADumpTruncatedWhileItIsReadEndsWithAMessage) {
    toolkit::testing::ScratchFolder folder;
    std::string rows;
    for (int id = 1; id <= 2000; ++id) rows += std::to_string(id) + " 0.123456789 0.987654321\n";
    std::string text;
    for (int step = 0; step < 200; ++step) text += atomBlock(step * 100, rows, 2000);  // about 10 MB
    folder.write("dump.particles", text);
    const std::string path = folder.file("dump.particles");
    DumpReader reader(path);
    DumpBlock block;
    ASSERT_TRUE(reader.next(block));
    std::filesystem::resize_file(path, text.size() * 2 / 5);
    try {
        while (reader.next(block)) {
        }
        ADD_FAILURE() << "no error";
    } catch (const InputError& error) {
        EXPECT_NE(std::string(error.what()).find("the dump ends in the middle of a step block"), std::string::npos)
            << error.what();
    }
    EXPECT_LT(reader.bytes(), text.size());
}

}  // namespace
}  // namespace demrun
