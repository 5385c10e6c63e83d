#include "SeriesFileName.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* name;
    bool valid;
    const char* head;
    int number;
    const char* ext;
};

SplitCase Bad(const char* name) {
    return {name, false, "", 0, ""};
}

class SeriesFileNameSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SeriesFileNameSplit, SplitsSoThatTheNameRebuilds) {
    const SplitCase& c = GetParam();
    std::string head = "unchanged";
    std::string ext;
    int number = -1;
    ASSERT_EQ(SeriesFileName::Split(c.name, &head, &number, &ext), c.valid) << c.name;
    if (!c.valid) {
        EXPECT_EQ(head, "unchanged");
        return;
    }
    EXPECT_EQ(head, c.head);
    EXPECT_EQ(number, c.number);
    EXPECT_EQ(ext, c.ext);
    EXPECT_EQ(SeriesFileName::Build(head, number, ext), c.name);
}

INSTANTIATE_TEST_SUITE_P(Names, SeriesFileNameSplit,
                         ::testing::Values(SplitCase{"CAM1_0001.BMP", true, "CAM1_", 1, "BMP"},
                                           SplitCase{"IMG0099.TIF", true, "IMG", 99, "TIF"},
                                           SplitCase{"cam1_0012.bmp", true, "cam1_", 12, "bmp"},
                                           SplitCase{"0007.JPG", true, "", 7, "JPG"},
                                           SplitCase{"run.2.0003.TXT", true, "run.2.", 3, "TXT"},
                                           SplitCase{"A12345.BMP", true, "A", 12345, "BMP"},
                                           Bad("TEST.BMP"), Bad("A1.2.BMP"), Bad("A001.BMP"),
                                           Bad("A00001.BMP"), Bad("A0001"), Bad(".0001"),
                                           Bad("A12345678901.BMP")));

} // namespace
