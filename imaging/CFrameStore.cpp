#include "CFrameStore.h"

#include "CBmpFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <opencv2/imgproc.hpp>

namespace kova {

namespace {

// A row of an untouched (black) frame.
const uchar kBlackRow[CFrameStore::kMaxSide] = {};

const cv::Mat& EmptyMat() {
    static const cv::Mat empty;
    return empty;
}

std::string DefaultProgramDirectory() {
    if (QCoreApplication::instance() != nullptr) {
        return QCoreApplication::applicationDirPath().toStdString();
    }
    return QDir::currentPath().toStdString();
}

bool IsGreyOrBgr(const cv::Mat& image) {
    return !image.empty() && image.depth() == CV_8U && image.dims == 2 &&
           (image.channels() == 1 || image.channels() == 3);
}

} // namespace

CFrameStore::CFrameStore() : start_(std::chrono::steady_clock::now()) {
    planes_.resize(static_cast<size_t>(MonoPlaneCount()));
    Put_window_full();
}

int CFrameStore::InitImageSys() {
    const std::string home = QDir::homePath().toStdString();
    if (directories_[0].empty()) directories_[0] = Make_fullpath(home, "kova/Image");
    if (directories_[1].empty()) directories_[1] = Make_fullpath(home, "kova/Data");
    if (directories_[2].empty()) directories_[2] = DefaultProgramDirectory();
    return 1;
}

void CFrameStore::FinishImageSys() {
    for (cv::Mat& plane : planes_)
        plane.release();
    DisplayChanged();
}

// ---- frames ----

void CFrameStore::Get_framesize(int& width, int& height) const {
    width = width_;
    height = height_;
}

int CFrameStore::Put_framesize(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return kBadArgument;
    if (width != width_ || height != height_) ResizePlanes(width, height);
    return kOk;
}

void CFrameStore::ResizePlanes(int width, int height) {
    const cv::Rect keep(0, 0, std::min(width, width_), std::min(height, height_));
    for (cv::Mat& plane : planes_) {
        if (plane.empty()) continue;
        cv::Mat resized = cv::Mat::zeros(height, width, CV_8UC1);
        plane(keep).copyTo(resized(keep));
        plane = resized;
    }
    width_ = width;
    height_ = height;
    marks_.clear();
    Put_window_full();
    DisplayChanged();
}

int CFrameStore::Put_nofframe(int count) {
    if (count < 1) return kBadArgument;
    // The colour planes follow the grey frames: move them along.
    std::vector<cv::Mat> planes(static_cast<size_t>(count + 1 + 3 * (colorCount_ + 1)));
    const int keep = std::min(count, monoCount_) + 1;
    for (int i = 0; i < keep; ++i)
        planes[static_cast<size_t>(i)] = planes_[static_cast<size_t>(i)];
    for (int i = 0; i < 3 * (colorCount_ + 1); ++i) {
        planes[static_cast<size_t>(count + 1 + i)] =
            planes_[static_cast<size_t>(monoCount_ + 1 + i)];
    }
    planes_.swap(planes);
    monoCount_ = count;
    dispFrame_ = std::min(dispFrame_, count);
    DisplayChanged();
    return kOk;
}

int CFrameStore::Put_nofframe_color(int count) {
    if (count < 1) return kBadArgument;
    colorCount_ = count;
    planes_.resize(static_cast<size_t>(MonoPlaneCount()));
    dispColorFrame_ = std::min(dispColorFrame_, count);
    DisplayChanged();
    return kOk;
}

int CFrameStore::Get_frame_monochrome(int colorFrame, int& r, int& g, int& b) const {
    if (!IsColorFrame(colorFrame)) return kBadFrame;
    r = monoCount_ + 1 + 3 * colorFrame;
    g = r + 1;
    b = r + 2;
    return kOk;
}

int CFrameStore::Get_color_frame(int monoFrame) const {
    if (!IsMonoFrame(monoFrame) || monoFrame <= monoCount_) return -1;
    return (monoFrame - monoCount_ - 1) / 3;
}

bool CFrameStore::IsMonoFrame(int frame) const {
    return frame >= 0 && frame < MonoPlaneCount();
}

bool CFrameStore::IsColorFrame(int frame) const {
    return frame >= 0 && frame <= colorCount_;
}

// ---- window ----

int CFrameStore::Put_window(int x0, int y0, int x1, int y1) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    Check_xy(x0, y0);
    Check_xy(x1, y1);
    window_ = FrameWindow{x0, y0, x1, y1};
    return kOk;
}

void CFrameStore::Get_window(int& x0, int& y0, int& x1, int& y1, int& width, int& height) const {
    x0 = window_.x0;
    y0 = window_.y0;
    x1 = window_.x1;
    y1 = window_.y1;
    width = window_.Width();
    height = window_.Height();
}

void CFrameStore::Check_xy(int& x, int& y) const {
    x = std::clamp(x, 0, width_ - 1);
    y = std::clamp(y, 0, height_ - 1);
}

void CFrameStore::Increase_window() {
    marks_.push_back(window_);
    if (dispOn_) DisplayChanged();
}

void CFrameStore::Decrease_window() {
    if (marks_.empty()) return;
    marks_.pop_back();
    if (dispOn_) DisplayChanged();
}

void CFrameStore::Decrease_window_all() {
    marks_.clear();
    if (dispOn_) DisplayChanged();
}

// ---- display ----

void CFrameStore::Put_dispmode(int mode) {
    dispMode_ = mode;
    DisplayChanged();
}

int CFrameStore::Disp_frame(int frame) {
    if (!IsMonoFrame(frame)) return kBadFrame;
    dispFrame_ = frame;
    DisplayChanged();
    return kOk;
}

int CFrameStore::Disp_frame_color(int frame) {
    if (!IsColorFrame(frame)) return kBadFrame;
    dispColorFrame_ = frame;
    DisplayChanged();
    return kOk;
}

void CFrameStore::Disp_window(int on) {
    dispOn_ = on != 0;
    DisplayChanged();
}

void CFrameStore::Put_threshold_lut(int low, int high) {
    lutLow_ = std::clamp(std::min(low, high), 0, 255);
    lutHigh_ = std::clamp(std::max(low, high), 0, 255);
    DisplayChanged();
}

void CFrameStore::Clear_threshold_lut() {
    lutLow_ = -1;
    lutHigh_ = -1;
    DisplayChanged();
}

void CFrameStore::Put_display_callback(std::function<void()> callback) {
    dispCallback_ = std::move(callback);
}

void CFrameStore::DisplayChanged() {
    ++dispSerial_;
    if (dispOn_ && dispCallback_) dispCallback_();
}

void CFrameStore::Touch(int frame) {
    const bool shown = dispMode_ == kColorDispMode ? Get_color_frame(frame) == dispColorFrame_
                                                   : frame == dispFrame_;
    if (shown) DisplayChanged();
}

QImage CFrameStore::RenderDisplay() const {
    QImage image(width_, height_, QImage::Format_RGB32);
    if (dispMode_ == kColorDispMode) {
        int r = 0, g = 0, b = 0;
        Get_frame_monochrome(dispColorFrame_, r, g, b);
        const cv::Mat* planes[3] = {&PlaneIfAllocated(r), &PlaneIfAllocated(g),
                                    &PlaneIfAllocated(b)};
        for (int y = 0; y < height_; ++y) {
            const uchar* rows[3];
            for (int c = 0; c < 3; ++c) {
                rows[c] = planes[c]->empty() ? kBlackRow : planes[c]->ptr<uchar>(y);
            }
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width_; ++x)
                line[x] = qRgb(rows[0][x], rows[1][x], rows[2][x]);
        }
        return image;
    }
    QRgb table[256];
    for (int v = 0; v < 256; ++v) {
        const int shown = lutLow_ < 0 ? v : (v >= lutLow_ && v <= lutHigh_ ? 255 : 0);
        table[v] = qRgb(shown, shown, shown);
    }
    const cv::Mat& plane = PlaneIfAllocated(dispFrame_);
    for (int y = 0; y < height_; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uchar* src = plane.empty() ? kBlackRow : plane.ptr<uchar>(y);
        for (int x = 0; x < width_; ++x)
            line[x] = table[src[x]];
    }
    return image;
}

QImage CFrameStore::GetNopa32Dib() const {
    QImage image = RenderDisplay();
    if (dispOn_ && !marks_.empty()) {
        QPainter painter(&image);
        painter.setPen(QColor(0, 255, 0));
        for (const FrameWindow& mark : marks_) {
            painter.drawRect(mark.x0, mark.y0, mark.Width() - 1, mark.Height() - 1);
        }
    }
    return image;
}

int CFrameStore::Write_dispdib(const std::string& path) const {
    const QImage image = GetNopa32Dib();
    cv::Mat bgr(height_, width_, CV_8UC3);
    for (int y = 0; y < height_; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* dst = bgr.ptr<cv::Vec3b>(y);
        for (int x = 0; x < width_; ++x) {
            dst[x] =
                cv::Vec3b(static_cast<uchar>(qBlue(line[x])), static_cast<uchar>(qGreen(line[x])),
                          static_cast<uchar>(qRed(line[x])));
        }
    }
    return CBmpFile::Write(path, bgr) ? kOk : kBadArgument;
}

// ---- pixels ----

int CFrameStore::Read_pixel(int frame, int x, int y) const {
    if (!IsMonoFrame(frame) || x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
    const cv::Mat& plane = PlaneIfAllocated(frame);
    return plane.empty() ? 0 : plane.at<uchar>(y, x);
}

int CFrameStore::Write_pixel(int frame, int x, int y, int value) {
    if (!IsMonoFrame(frame)) return kBadFrame;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kOutside;
    Plane(frame).at<uchar>(y, x) = static_cast<uchar>(std::clamp(value, 0, 255));
    Touch(frame);
    return kOk;
}

int CFrameStore::Read_pixel_color(int frame, int x, int y, int& r, int& g, int& b) const {
    int pr = 0, pg = 0, pb = 0;
    if (Get_frame_monochrome(frame, pr, pg, pb) != kOk) return kBadFrame;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kOutside;
    r = Read_pixel(pr, x, y);
    g = Read_pixel(pg, x, y);
    b = Read_pixel(pb, x, y);
    return kOk;
}

int CFrameStore::Write_pixel_color(int frame, int x, int y, int r, int g, int b) {
    int pr = 0, pg = 0, pb = 0;
    if (Get_frame_monochrome(frame, pr, pg, pb) != kOk) return kBadFrame;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kOutside;
    Write_pixel(pr, x, y, r);
    Write_pixel(pg, x, y, g);
    Write_pixel(pb, x, y, b);
    return kOk;
}

cv::Mat CFrameStore::Pre_process(int frame) const {
    if (!IsMonoFrame(frame)) return cv::Mat();
    const cv::Rect rect(window_.x0, window_.y0, window_.Width(), window_.Height());
    const cv::Mat& plane = PlaneIfAllocated(frame);
    if (plane.empty()) return cv::Mat::zeros(rect.height, rect.width, CV_8UC1);
    return plane(rect).clone();
}

int CFrameStore::Post_process(int frame, const cv::Mat& buffer) {
    if (!IsMonoFrame(frame)) return kBadFrame;
    if (buffer.type() != CV_8UC1 || buffer.cols != window_.Width() ||
        buffer.rows != window_.Height()) {
        return kBadArgument;
    }
    buffer.copyTo(Plane(frame)(cv::Rect(window_.x0, window_.y0, buffer.cols, buffer.rows)));
    Touch(frame);
    return kOk;
}

cv::Mat CFrameStore::Pre_process_color(int frame) const {
    int r = 0, g = 0, b = 0;
    if (Get_frame_monochrome(frame, r, g, b) != kOk) return cv::Mat();
    const cv::Mat channels[3] = {Pre_process(b), Pre_process(g), Pre_process(r)};
    cv::Mat bgr;
    cv::merge(channels, 3, bgr);
    return bgr;
}

int CFrameStore::Post_process_color(int frame, const cv::Mat& buffer) {
    int r = 0, g = 0, b = 0;
    if (Get_frame_monochrome(frame, r, g, b) != kOk) return kBadFrame;
    if (buffer.type() != CV_8UC3 || buffer.cols != window_.Width() ||
        buffer.rows != window_.Height()) {
        return kBadArgument;
    }
    cv::Mat channels[3];
    cv::split(buffer, channels);
    Post_process(b, channels[0]);
    Post_process(g, channels[1]);
    Post_process(r, channels[2]);
    return kOk;
}

// ---- whole images ----

// Works out where an image put at (x, y) lands: `dst` in the frame, `src` in
// the image, both limited by the processing window. Resizes the store for an
// image put at (0, 0).
int CFrameStore::PrepareTarget(const cv::Mat& image, int x, int y, cv::Rect& dst, cv::Rect& src) {
    if (!IsGreyOrBgr(image) || image.cols > kMaxSide || image.rows > kMaxSide) return kBadArgument;
    if (x == 0 && y == 0) {
        if (image.cols != width_ || image.rows != height_) ResizePlanes(image.cols, image.rows);
    } else if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return kOutside;
    }
    const cv::Rect win(window_.x0, window_.y0, window_.Width(), window_.Height());
    dst = cv::Rect(x, y, image.cols, image.rows) & win;
    src = cv::Rect(dst.x - x, dst.y - y, dst.width, dst.height);
    return kOk;
}

int CFrameStore::PutGrey(int frame, const cv::Mat& grey, int x, int y) {
    cv::Rect dst, src;
    const int result = PrepareTarget(grey, x, y, dst, src);
    if (result != kOk) return result;
    if (!dst.empty()) grey(src).copyTo(Plane(frame)(dst));
    Touch(frame);
    return kOk;
}

int CFrameStore::Put_image(int frame, const cv::Mat& image, int x, int y) {
    if (!IsMonoFrame(frame)) return kBadFrame;
    if (!IsGreyOrBgr(image)) return kBadArgument;
    if (image.channels() == 1) return PutGrey(frame, image, x, y);
    cv::Mat grey;
    cv::cvtColor(image, grey, cv::COLOR_BGR2GRAY);
    return PutGrey(frame, grey, x, y);
}

int CFrameStore::Put_image_color(int frame, const cv::Mat& image, int x, int y) {
    int r = 0, g = 0, b = 0;
    if (Get_frame_monochrome(frame, r, g, b) != kOk) return kBadFrame;
    cv::Rect dst, src;
    const int result = PrepareTarget(image, x, y, dst, src);
    if (result != kOk) return result;
    if (dst.empty()) return kOk;
    if (image.channels() == 1) {
        for (int plane : {r, g, b})
            image(src).copyTo(Plane(plane)(dst));
    } else {
        // Scatter B, G, R straight into the three plane rectangles.
        cv::Mat outs[3] = {Plane(b)(dst), Plane(g)(dst), Plane(r)(dst)};
        const cv::Mat in = image(src);
        const int fromTo[6] = {0, 0, 1, 1, 2, 2};
        cv::mixChannels(&in, 1, outs, 3, fromTo, 3);
    }
    Touch(r);
    return kOk;
}

cv::Mat CFrameStore::Get_image(int frame) const {
    if (!IsMonoFrame(frame)) return cv::Mat();
    const cv::Mat& plane = PlaneIfAllocated(frame);
    return plane.empty() ? cv::Mat::zeros(height_, width_, CV_8UC1) : plane.clone();
}

cv::Mat CFrameStore::Get_image_color(int frame) const {
    int r = 0, g = 0, b = 0;
    if (Get_frame_monochrome(frame, r, g, b) != kOk) return cv::Mat();
    const cv::Mat channels[3] = {Get_image(b), Get_image(g), Get_image(r)};
    cv::Mat bgr;
    cv::merge(channels, 3, bgr);
    return bgr;
}

cv::Mat& CFrameStore::Plane(int frame) {
    static cv::Mat invalid;
    if (!IsMonoFrame(frame)) {
        invalid.release();
        return invalid;
    }
    cv::Mat& plane = planes_[static_cast<size_t>(frame)];
    if (plane.empty()) plane = cv::Mat::zeros(height_, width_, CV_8UC1);
    return plane;
}

const cv::Mat& CFrameStore::PlaneIfAllocated(int frame) const {
    if (!IsMonoFrame(frame)) return EmptyMat();
    return planes_[static_cast<size_t>(frame)];
}

int CFrameStore::Fill_frame(int frame, int value, bool whole) {
    if (!IsMonoFrame(frame)) return kBadFrame;
    const uchar v = static_cast<uchar>(std::clamp(value, 0, 255));
    if (whole && v == 0) {
        planes_[static_cast<size_t>(frame)].release(); // untouched frames read as black
    } else if (whole) {
        Plane(frame).setTo(v);
    } else {
        Plane(frame)(cv::Rect(window_.x0, window_.y0, window_.Width(), window_.Height())).setTo(v);
    }
    Touch(frame);
    return kOk;
}

// ---- names ----

std::string CFrameStore::Get_directory(int which) const {
    if (which < 1 || which > 3) return std::string();
    return directories_[which - 1];
}

int CFrameStore::Put_directory(int which, const std::string& directory) {
    if (which < 1 || which > 3) return kBadArgument;
    directories_[which - 1] = directory;
    return kOk;
}

std::string CFrameStore::Make_fullpath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    const char last = directory.back();
    if (last == '/' || last == '\\') return directory + name;
    return directory + "/" + name;
}

std::string CFrameStore::Get_filename_series_new(const std::string& head, const std::string& ext,
                                                 int number, int digits) {
    char text[32];
    if (digits > 0) {
        std::snprintf(text, sizeof text, "%0*d", std::min(digits, 20), number);
    } else {
        std::snprintf(text, sizeof text, "%d", number);
    }
    return head + text + "." + ext;
}

long CFrameStore::Get_time() const {
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

} // namespace kova
