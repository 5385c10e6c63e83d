// BMP reading and writing: every variant ImageMagick writes (compared with
// ImageMagick's own decoding of the same file), top-down files, our writer,
// and malformed headers refused.
#include "CBmpFile.h"
#include "ImageTool.h"
#include "TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <random>

namespace kova {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

constexpr int kW = 13; // odd widths exercise the row padding
constexpr int kH = 7;

uint32_t Get32(const std::string& b, size_t at) {
    return uint32_t{uint8_t(b[at])} | uint32_t{uint8_t(b[at + 1])} << 8 |
           uint32_t{uint8_t(b[at + 2])} << 16 | uint32_t{uint8_t(b[at + 3])} << 24;
}
void Set32(std::string& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
}
void Set16(std::string& b, size_t at, uint32_t v) {
    b[at] = static_cast<char>(v);
    b[at + 1] = static_cast<char>(v >> 8);
}

int Decode(const std::string& bytes, bool color, cv::Mat& image,
           CBmpFile::Header* header = nullptr) {
    return CBmpFile::Decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), color,
                            image, header);
}

// An image of a few dozen colours, so palettes hold it exactly.
cv::Mat PaletteImage(int colours, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<cv::Vec3b> palette(static_cast<size_t>(colours));
    for (auto& c : palette)
        c = cv::Vec3b(random() & 0xFF, random() & 0xFF, random() & 0xFF);
    cv::Mat image(kH, kW, CV_8UC3);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x)
            image.at<cv::Vec3b>(y, x) = palette[random() % palette.size()];
    }
    return image;
}

// Turns a bottom-up uncompressed file into the same image stored top-down.
std::string TopDown(const std::string& bottomUp) {
    std::string out = bottomUp;
    const uint32_t offset = Get32(bottomUp, 10);
    const int height = static_cast<int>(Get32(bottomUp, 22));
    const size_t row = (bottomUp.size() - offset) / static_cast<size_t>(height);
    for (int y = 0; y < height; ++y) {
        out.replace(offset + row * static_cast<size_t>(y), row,
                    bottomUp.substr(offset + row * static_cast<size_t>(height - 1 - y), row));
    }
    Set32(out, 22, static_cast<uint32_t>(-height));
    return out;
}

struct Variant {
    const char* name;
    const char* source; // "grey", "few" (6 colours) or "many" (40 colours)
    const char* options;
    int bits;
    int compression;
    int tolerance; // 16-bit: ImageMagick widens 5 and 6 bits by copying bits, we round
};

class ImageMagickBmpTest : public ::testing::TestWithParam<Variant> {};

TEST_P(ImageMagickBmpTest, DecodesAsImageMagickDoes) {
    if (!test::HaveConvert()) GTEST_SKIP() << "ImageMagick convert is not installed";
    const Variant& v = GetParam();
    TempDir dir;
    const std::string source = dir.File("source.png");
    cv::Mat original = std::string(v.source) == "grey"  ? test::RandomImage(kW, kH, 1, 5)
                       : std::string(v.source) == "few" ? PaletteImage(6, 9)
                                                        : PaletteImage(40, 3);
    ASSERT_TRUE(cv::imwrite(source, original));
    const std::string bmp = dir.File(std::string(v.name) + ".bmp");
    ASSERT_TRUE(test::RunConvert("'" + source + "' " + v.options + "'" + bmp + "'"));
    const cv::Mat expected = test::ConvertDecode(bmp, dir.File("back.ppm"));
    ASSERT_FALSE(expected.empty());

    cv::Mat colour;
    CBmpFile::Header header;
    ASSERT_EQ(CBmpFile::Read(bmp, true, colour, &header), CBmpFile::kOk);
    EXPECT_EQ((std::vector<int>{header.bitCount, header.compression, header.width, header.height}),
              (std::vector<int>{v.bits, v.compression, kW, kH}));
    EXPECT_LE(test::MaxDifference(colour, expected), v.tolerance);

    if (v.compression == 1) return; // RLE files are bottom-up only
    cv::Mat flipped;
    ASSERT_EQ(Decode(TopDown(ReadBytes(bmp)), true, flipped), CBmpFile::kOk);
    EXPECT_EQ(test::MaxDifference(flipped, colour), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, ImageMagickBmpTest,
    ::testing::Values(Variant{"grey8", "grey",
                              "-colorspace Gray -type Palette -compress None BMP3:", 8, 0, 0},
                      Variant{"palette8", "many", "-type Palette -compress None BMP3:", 8, 0, 0},
                      Variant{"rle8", "many", "-type Palette -compress RLE BMP3:", 8, 1, 0},
                      Variant{"palette4", "few", "-type Palette -compress None BMP3:", 4, 0, 0},
                      Variant{"mono1", "grey", "-monochrome BMP3:", 1, 0, 0},
                      Variant{"rgb565", "many", "-define bmp:subtype=RGB565 BMP:", 16, 3, 1},
                      Variant{"rgb555", "many", "-define bmp:subtype=RGB555 BMP:", 16, 3, 1},
                      Variant{"true24", "many", "-type TrueColor BMP3:", 24, 0, 0},
                      Variant{"alpha32", "many", "-alpha on -type TrueColorAlpha BMP:", 32, 3, 0}),
    [](const ::testing::TestParamInfo<Variant>& info) { return std::string(info.param.name); });

TEST(BmpFileTest, WriterProducesGreyPaletteAnd24BitFiles) {
    TempDir dir;
    const cv::Mat colour = test::RandomImage(kW, kH, 3, 21);
    cv::Mat grey;
    cv::cvtColor(colour, grey, cv::COLOR_BGR2GRAY);
    ASSERT_TRUE(CBmpFile::Write(dir.File("g.bmp"), grey));
    ASSERT_TRUE(CBmpFile::Write(dir.File("c.bmp"), colour));
    const std::string g = ReadBytes(dir.File("g.bmp"));
    const std::string c = ReadBytes(dir.File("c.bmp"));
    // 8-bit: 1078-byte headers with the grey ramp palette, rows padded to 16;
    // bottom-up: the last image row is stored first.
    std::string ramp;
    for (int i = 0; i < 256; ++i)
        ramp += std::string(3, static_cast<char>(i)) + '\0';
    ASSERT_EQ(g.size(), 1078u + 16u * kH);
    EXPECT_EQ((std::vector<uint32_t>{Get32(g, 2), Get32(g, 10), uint32_t(g[28])}),
              (std::vector<uint32_t>{uint32_t(g.size()), 1078u, 8u}));
    EXPECT_EQ(g.substr(54, 1024 + kW), ramp + std::string(grey.ptr<char>(kH - 1), kW));
    ASSERT_EQ(c.size(), 54u + 40u * kH);
    EXPECT_EQ(c[28], 24);
    if (!test::HaveConvert()) GTEST_SKIP() << "ImageMagick convert is not installed";
    EXPECT_EQ(
        test::MaxDifference(test::ConvertDecode(dir.File("c.bmp"), dir.File("c.ppm")), colour), 0);
}

// A 2x1 file of 16-bit pixels: 555 without masks, or bit fields.
std::string Sixteen(uint32_t compression, uint16_t first, uint16_t second) {
    std::string b = "BM" + std::string(68, '\0');
    // 565 masks at 54, used only with bit fields.
    const uint32_t words[][2] = {{10, 66},          {14, 40},     {18, 2},      {22, 1},
                                 {30, compression}, {54, 0xF800}, {58, 0x07E0}, {62, 0x001F}};
    for (const auto& w : words)
        Set32(b, w[0], w[1]);
    Set16(b, 26, 1), Set16(b, 28, 16), Set16(b, 66, first), Set16(b, 68, second);
    return b;
}

TEST(BmpFileTest, SixteenBitComponentsScaleToFullRange) {
    cv::Mat image;
    ASSERT_EQ(Decode(Sixteen(0, 0x7FFF, 0x001F), true, image), CBmpFile::kOk);
    EXPECT_EQ(image.at<cv::Vec3b>(0, 0), cv::Vec3b(255, 255, 255));
    EXPECT_EQ(image.at<cv::Vec3b>(0, 1), cv::Vec3b(255, 0, 0)); // blue, stored BGR
    ASSERT_EQ(Decode(Sixteen(3, 0x07E0, 0x0841), true, image), CBmpFile::kOk);
    EXPECT_EQ(image.at<cv::Vec3b>(0, 0), cv::Vec3b(0, 255, 0));
    EXPECT_EQ(image.at<cv::Vec3b>(0, 1), cv::Vec3b(8, 8, 8)); // 1/31 and 2/63 of 255
    std::string gapped = Sixteen(3, 0, 0);
    Set32(gapped, 54, 0xF00F); // not one run of bits
    EXPECT_EQ(Decode(gapped, true, image), CBmpFile::kBadHeader);
}

TEST(BmpFileTest, MalformedHeadersAreRefused) {
    const std::string good = CBmpFile::Encode(test::RandomImage(kW, kH, 1, 2));
    cv::Mat image;
    // Each case patches one or two header fields (16 bits at 26 and 28, 32 elsewhere).
    struct Case {
        const char* what;
        int expected;
        std::vector<std::pair<size_t, uint32_t>> patches;
    };
    const Case cases[] = {
        {"unknown info size", CBmpFile::kBadHeader, {{14, 41}}},
        {"zero width", CBmpFile::kBadHeader, {{18, 0}}},
        {"zero height", CBmpFile::kBadHeader, {{22, 0}}},
        {"two planes", CBmpFile::kBadHeader, {{26, 2}}},
        {"7 bits", CBmpFile::kUnsupported, {{28, 7}}},
        {"JPEG inside", CBmpFile::kUnsupported, {{30, 4}}},
        {"RLE4 at 8 bits", CBmpFile::kUnsupported, {{30, 2}}},
        {"huge width", CBmpFile::kTooLarge, {{18, 100000}}},
        {"huge area", CBmpFile::kTooLarge, {{18, 30000}, {22, 30000}}},
        {"rows beyond the file", CBmpFile::kShortHeader, {{22, kH + 1}}},
        {"300 palette colours", CBmpFile::kBadHeader, {{46, 300}}},
        {"data offset past the end", CBmpFile::kBadHeader, {{10, 1u << 30}}},
        {"no room for a palette", CBmpFile::kBadHeader, {{10, 54}}},
        {"top-down RLE", CBmpFile::kBadHeader, {{30, 1}, {22, uint32_t(-kH)}}},
    };
    std::string notBm = good;
    notBm[1] = 'X';
    EXPECT_EQ(Decode(notBm, false, image), CBmpFile::kNotBitmap);
    for (const Case& c : cases) {
        std::string bytes = good;
        for (const auto& [at, value] : c.patches)
            at == 26 || at == 28 ? Set16(bytes, at, value) : Set32(bytes, at, value);
        EXPECT_EQ(Decode(bytes, false, image), c.expected) << c.what;
        EXPECT_TRUE(image.empty()) << c.what;
    }
    for (size_t length = 0; length < 1078; length += 7) {
        EXPECT_NE(Decode(good.substr(0, length), true, image), CBmpFile::kOk) << length;
    }
}

TEST(BmpFileTest, FileFailures) {
    TempDir dir;
    EXPECT_FALSE(CBmpFile::Write(dir.File("missing/x.bmp"), test::RandomImage(4, 4, 1, 1)));
    EXPECT_TRUE(dir.Entries().empty()); // a failed write leaves no file
    // An oversized file is refused before reading.
    const std::string path = dir.File("big.bmp");
    WriteBytes(path, CBmpFile::Encode(test::RandomImage(kW, kH, 3, 1)));
    std::filesystem::resize_file(path, CBmpFile::kMaxFileBytes + 1); // sparse: no disk used
    cv::Mat image;
    EXPECT_EQ(CBmpFile::Read(path, true, image), CBmpFile::kTooLarge);
}

} // namespace
} // namespace kova
