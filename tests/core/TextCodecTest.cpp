#include "TextCodec.h"

#include <gtest/gtest.h>

using namespace kova;

TEST(TextCodec, Gb18030RoundTripAndWidths) {
    const std::string chinese = "文件打开"; // 4 characters, 12 UTF-8 bytes
    std::string disk = ToDiskText(chinese);
    EXPECT_EQ(disk, "\xCE\xC4\xBC\xFE\xB4\xF2\xBF\xAA"); // the GBK bytes
    EXPECT_EQ(FromDiskText(disk), chinese);
    EXPECT_EQ(DiskWidth(chinese), 8);
    EXPECT_EQ(DiskWidth("a文b"), 4);
    // Characters outside GBK survive through GB18030's four-byte form.
    const std::string emoji = "\xF0\x9F\x98\x80";
    EXPECT_EQ(ToDiskText(emoji).size(), 4u);
    EXPECT_EQ(FromDiskText(ToDiskText(emoji)), emoji);
}

TEST(TextCodec, MalformedInputIsReplacedNotDropped) {
    EXPECT_EQ(ToDiskText("a\xFF"
                         "b"),
              "a?b");
    EXPECT_EQ(FromDiskText("a\x81"), "a\xEF\xBF\xBD");
}

TEST(TextCodec, TruncationKeepsWholeCharacters) {
    EXPECT_EQ(TruncateToDiskBytes("ab文件", 3), "ab");
    EXPECT_EQ(TruncateToDiskBytes("ab文件", 4), "ab文");
    EXPECT_EQ(TruncateToDiskBytes("文", 1), "");
}
