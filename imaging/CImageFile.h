#pragma once

#include "CFrameStore.h"

#include <opencv2/core.hpp>
#include <string>

namespace kova {

// Image files of the frame store: BMP through our own header reader (see
// CBmpFile), JPEG and TIFF through Qt's image readers and writers, which
// check the header and refuse sizes beyond the allocation limit. A file is
// placed with its top-left at (x, y) of a frame by CFrameStore::Put_image's
// rule (at (0, 0) the frame size follows the file; only the processing window
// is written). Grey files loaded into a colour frame fill all three planes;
// colour files loaded into a grey frame are converted by luminance. Saving
// writes the whole frame, or only the processing window when `window` is 1,
// optionally one interlaced field: field 1 = the odd lines (1, 3, 5 ... counted
// from 1 at the top of the frame), field 2 = the even lines. Files are written
// through a temporary file, so a failure leaves no partial file and an old
// file intact. Failures are reported by the result only; callers show their
// own messages.
class CImageFile {
public:
    static constexpr int kOk = 0;
    static constexpr int kOpenFailed = -1;  // missing or unreadable file
    static constexpr int kBadFile = -2;     // not a readable image of its type
    static constexpr int kUnsupported = -3; // type or depth not handled
    static constexpr int kBadFrame = -4;    // frame number outside the store
    static constexpr int kOutside = -5;     // position outside the frame
    static constexpr int kWriteFailed = -6;
    static constexpr int kEmptyField = -7; // the field has no line in the window

    static constexpr int kJpegQuality = 95;

    enum class Kind { Unknown, Bmp, Text, Jpeg, Tiff };
    // By the name's extension, upper-cased and trimmed: .BMP, .TXT, .JPG,
    // .JPEG, .TIF, .TIFF.
    static Kind KindOfName(const std::string& name);

    explicit CImageFile(CFrameStore& store);

    int Load_imagefile_bmp(const std::string& path, int frame, int x, int y);
    int Load_imagefile_bmp_color(const std::string& path, int frame, int x, int y);
    int Save_imagefile_bmp(const std::string& path, int frame, int window, int field = 0);
    int Save_imagefile_bmp_color(const std::string& path, int frame, int window, int field = 0);

    // JPEG and TIFF, the type taken from the path's extension on saving.
    int Load_imagefile(const std::string& path, int frame, int x, int y);
    int Load_imagefile_color(const std::string& path, int frame, int x, int y);
    int Save_imagefile(const std::string& path, int frame, int window, int field = 0);
    int Save_imagefile_color(const std::string& path, int frame, int window, int field = 0);

    // Any of the three types, chosen by the path's extension.
    int Load_image(const std::string& path, int frame, int x, int y, bool color);
    int Save_image(const std::string& path, int frame, bool color, int window, int field);

    // Width, height and bits per pixel of a BMP (the header's bit count),
    // JPEG or TIFF file (from the stored pixel format).
    static int Get_imagefile_info(const std::string& path, int& width, int& height,
                                  int& bitsPerPixel);

    // Decodes a JPEG or TIFF file to 8-bit grey or BGR.
    static int ReadGeneral(const std::string& path, bool color, cv::Mat& image);
    // Encodes 8UC1 or 8UC3 as JPEG or TIFF by the path's extension.
    static int WriteGeneral(const std::string& path, const cv::Mat& image);

private:
    int Place(const cv::Mat& image, int frame, int x, int y, bool color);
    int Region(int frame, bool color, int window, int field, cv::Mat& image) const;

    CFrameStore& store_;
};

} // namespace kova
