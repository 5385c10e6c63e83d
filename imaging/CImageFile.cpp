#include "CImageFile.h"

#include "CBmpFile.h"
#include "InputFile.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cctype>
#include <opencv2/imgproc.hpp>
#include <unistd.h>

namespace kova {

namespace {

constexpr int kQtAllocationLimitMb = 512;

std::string UpperTrimmedExtension(const std::string& name) {
    const auto first = name.find_first_not_of(" \t\r\n");
    const auto last = name.find_last_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    const std::string trimmed = name.substr(first, last - first + 1);
    const auto dot = trimmed.rfind('.');
    if (dot == std::string::npos) return std::string();
    std::string ext = trimmed.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ext;
}

int BmpResult(int bmp) {
    switch (bmp) {
    case CBmpFile::kOk:
        return CImageFile::kOk;
    case CBmpFile::kOpenFailed:
        return CImageFile::kOpenFailed;
    case CBmpFile::kUnsupported:
        return CImageFile::kUnsupported;
    default:
        return CImageFile::kBadFile;
    }
}

// Opens an input file for Qt's readers (only a regular file, see OpenInputFd).
bool OpenImage(const std::string& path, QFile& file) {
    const int fd = OpenInputFd(path);
    if (fd < 0) return false;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
    ::close(fd);
    return false;
}

int BitsOfFormat(QImage::Format format) {
    switch (format) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return 1;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
    case QImage::Format_Alpha8:
        return 8;
    case QImage::Format_Grayscale16:
    case QImage::Format_RGB16:
    case QImage::Format_RGB555:
    case QImage::Format_RGB444:
        return 16;
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBA8888_Premultiplied:
        return 32;
    case QImage::Format_RGBX64:
        return 48;
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
        return 64;
    default:
        return 24;
    }
}

} // namespace

CImageFile::Kind CImageFile::KindOfName(const std::string& name) {
    const std::string ext = UpperTrimmedExtension(name);
    if (ext == "BMP") return Kind::Bmp;
    if (ext == "TXT") return Kind::Text;
    if (ext == "JPG" || ext == "JPEG") return Kind::Jpeg;
    if (ext == "TIF" || ext == "TIFF") return Kind::Tiff;
    return Kind::Unknown;
}

CImageFile::CImageFile(CFrameStore& store) : store_(store) {}

int CImageFile::Place(const cv::Mat& image, int frame, int x, int y, bool color) {
    const int result =
        color ? store_.Put_image_color(frame, image, x, y) : store_.Put_image(frame, image, x, y);
    switch (result) {
    case CFrameStore::kOk:
        return kOk;
    case CFrameStore::kBadFrame:
        return kBadFrame;
    case CFrameStore::kOutside:
        return kOutside;
    default:
        return kBadFile;
    }
}

int CImageFile::Load_imagefile_bmp(const std::string& path, int frame, int x, int y) {
    if (!store_.IsMonoFrame(frame)) return kBadFrame;
    cv::Mat image;
    const int result = BmpResult(CBmpFile::Read(path, false, image));
    return result != kOk ? result : Place(image, frame, x, y, false);
}

int CImageFile::Load_imagefile_bmp_color(const std::string& path, int frame, int x, int y) {
    if (!store_.IsColorFrame(frame)) return kBadFrame;
    cv::Mat image;
    const int result = BmpResult(CBmpFile::Read(path, true, image));
    return result != kOk ? result : Place(image, frame, x, y, true);
}

int CImageFile::Load_imagefile(const std::string& path, int frame, int x, int y) {
    if (!store_.IsMonoFrame(frame)) return kBadFrame;
    cv::Mat image;
    const int result = ReadGeneral(path, false, image);
    return result != kOk ? result : Place(image, frame, x, y, false);
}

int CImageFile::Load_imagefile_color(const std::string& path, int frame, int x, int y) {
    if (!store_.IsColorFrame(frame)) return kBadFrame;
    cv::Mat image;
    const int result = ReadGeneral(path, true, image);
    return result != kOk ? result : Place(image, frame, x, y, true);
}

int CImageFile::Load_image(const std::string& path, int frame, int x, int y, bool color) {
    switch (KindOfName(path)) {
    case Kind::Bmp:
        return color ? Load_imagefile_bmp_color(path, frame, x, y)
                     : Load_imagefile_bmp(path, frame, x, y);
    case Kind::Jpeg:
    case Kind::Tiff:
        return color ? Load_imagefile_color(path, frame, x, y) : Load_imagefile(path, frame, x, y);
    default:
        return kUnsupported;
    }
}

// The pixels to save: the whole frame or the processing window, all lines or
// one field, as 8-bit grey or BGR.
int CImageFile::Region(int frame, bool color, int window, int field, cv::Mat& image) const {
    const FrameWindow whole{0, 0, store_.Width() - 1, store_.Height() - 1};
    const FrameWindow w = window == 1 ? store_.Window() : whole;
    const cv::Rect rect(w.x0, w.y0, w.Width(), w.Height());
    int planes[3] = {frame, frame, frame};
    if (color && store_.Get_frame_monochrome(frame, planes[2], planes[1], planes[0]) != 0) {
        return kBadFrame;
    }
    if (!color && !store_.IsMonoFrame(frame)) return kBadFrame;
    const int channels = color ? 3 : 1;
    cv::Mat parts[3];
    for (int c = 0; c < channels; ++c) {
        const cv::Mat& plane = store_.PlaneIfAllocated(planes[c]);
        parts[c] = plane.empty() ? cv::Mat::zeros(rect.height, rect.width, CV_8UC1) : plane(rect);
    }
    cv::Mat region;
    cv::merge(parts, static_cast<size_t>(channels), region);
    if (field != 1 && field != 2) {
        image = region;
        return kOk;
    }
    // Field 1 holds the frame rows 0, 2, 4 ... (lines 1, 3, 5 counted from 1).
    const int parity = field == 1 ? 0 : 1;
    const int firstRow = (w.y0 % 2 == parity) ? 0 : 1;
    const int rows = (rect.height - firstRow + 1) / 2;
    if (rows <= 0) return kEmptyField;
    image.create(rows, rect.width, region.type());
    for (int r = 0; r < rows; ++r)
        region.row(firstRow + 2 * r).copyTo(image.row(r));
    return kOk;
}

int CImageFile::Save_imagefile_bmp(const std::string& path, int frame, int window, int field) {
    cv::Mat image;
    const int result = Region(frame, false, window, field, image);
    if (result != kOk) return result;
    return CBmpFile::Write(path, image) ? kOk : kWriteFailed;
}

int CImageFile::Save_imagefile_bmp_color(const std::string& path, int frame, int window,
                                         int field) {
    cv::Mat image;
    const int result = Region(frame, true, window, field, image);
    if (result != kOk) return result;
    return CBmpFile::Write(path, image) ? kOk : kWriteFailed;
}

int CImageFile::Save_imagefile(const std::string& path, int frame, int window, int field) {
    cv::Mat image;
    const int result = Region(frame, false, window, field, image);
    return result != kOk ? result : WriteGeneral(path, image);
}

int CImageFile::Save_imagefile_color(const std::string& path, int frame, int window, int field) {
    cv::Mat image;
    const int result = Region(frame, true, window, field, image);
    return result != kOk ? result : WriteGeneral(path, image);
}

int CImageFile::Save_image(const std::string& path, int frame, bool color, int window, int field) {
    switch (KindOfName(path)) {
    case Kind::Bmp:
        return color ? Save_imagefile_bmp_color(path, frame, window, field)
                     : Save_imagefile_bmp(path, frame, window, field);
    case Kind::Jpeg:
    case Kind::Tiff:
        return color ? Save_imagefile_color(path, frame, window, field)
                     : Save_imagefile(path, frame, window, field);
    default:
        return kUnsupported;
    }
}

int CImageFile::Get_imagefile_info(const std::string& path, int& width, int& height,
                                   int& bitsPerPixel) {
    QFile file;
    if (!OpenImage(path, file)) return kOpenFailed;
    if (file.peek(2) == "BM") {
        CBmpFile::Header header;
        const int result = BmpResult(CBmpFile::ReadHeader(path, header));
        if (result != kOk) return result;
        width = header.width;
        height = header.height;
        bitsPerPixel = header.bitCount;
        return kOk;
    }
    QImageReader reader(&file);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "tiff") return kBadFile;
    const QSize size = reader.size();
    if (!size.isValid()) return kBadFile;
    width = size.width();
    height = size.height();
    bitsPerPixel = BitsOfFormat(reader.imageFormat());
    return kOk;
}

int CImageFile::ReadGeneral(const std::string& path, bool color, cv::Mat& image) {
    QFile file;
    if (!OpenImage(path, file)) return kOpenFailed;
    QImageReader reader(&file);
    reader.setAllocationLimit(kQtAllocationLimitMb);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "tiff") return kBadFile;
    QImage decoded = reader.read();
    if (decoded.isNull()) return kBadFile;
    if (!color && decoded.isGrayscale()) {
        decoded = decoded.convertToFormat(QImage::Format_Grayscale8);
        cv::Mat(decoded.height(), decoded.width(), CV_8UC1, decoded.bits(),
                static_cast<size_t>(decoded.bytesPerLine()))
            .copyTo(image);
        return kOk;
    }
    decoded = decoded.convertToFormat(QImage::Format_RGB888);
    const cv::Mat rgb(decoded.height(), decoded.width(), CV_8UC3, decoded.bits(),
                      static_cast<size_t>(decoded.bytesPerLine()));
    cv::cvtColor(rgb, image, color ? cv::COLOR_RGB2BGR : cv::COLOR_RGB2GRAY);
    return kOk;
}

int CImageFile::WriteGeneral(const std::string& path, const cv::Mat& image) {
    const Kind kind = KindOfName(path);
    if (kind != Kind::Jpeg && kind != Kind::Tiff) return kUnsupported;
    if (image.empty() || image.depth() != CV_8U) return kBadFile;
    QImage out;
    if (image.channels() == 1) {
        out = QImage(image.data, image.cols, image.rows, static_cast<qsizetype>(image.step),
                     QImage::Format_Grayscale8)
                  .copy();
    } else if (image.channels() == 3) {
        cv::Mat rgb;
        cv::cvtColor(image, rgb, cv::COLOR_BGR2RGB);
        out = QImage(rgb.data, rgb.cols, rgb.rows, static_cast<qsizetype>(rgb.step),
                     QImage::Format_RGB888)
                  .copy();
    } else {
        return kBadFile;
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return kWriteFailed;
    QImageWriter writer(&file, kind == Kind::Jpeg ? "jpeg" : "tiff");
    if (kind == Kind::Jpeg) writer.setQuality(kJpegQuality);
    if (!writer.write(out)) {
        file.cancelWriting();
        return kWriteFailed;
    }
    return file.commit() ? kOk : kWriteFailed;
}

} // namespace kova
