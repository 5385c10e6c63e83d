#include "AviTestSupport.h"

#include <cstdlib>

namespace kova::test {

cv::Mat PatternImage(int frame, int width, int height, bool colour) {
    cv::Mat image(height, width, colour ? CV_8UC3 : CV_8UC1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int v = (frame * 37 + x * 5 + y * 11) & 0xFF;
            if (colour)
                image.at<cv::Vec3b>(y, x) = cv::Vec3b(v, (v + 85) & 0xFF, (255 - v) & 0xFF);
            else
                image.at<uchar>(y, x) = static_cast<uchar>(v);
        }
    return image;
}

void FillStore(CFrameStore& store, int frames, int width, int height) {
    store.Put_nofframe(frames);
    store.Put_nofframe_color(frames);
    store.Put_framesize(width, height);
    for (int f = 1; f <= frames; ++f) {
        store.Put_image(f, PatternImage(f, width, height, false), 0, 0);
        store.Put_image_color(f, PatternImage(f, width, height, true), 0, 0);
    }
}

bool WriteStoreAvi(const CFrameStore& store, const std::string& path, int frames, bool colour,
                   CAviVideo::Codec codec) {
    CAviVideo writer;
    if (!writer.Create(path, store.Width(), store.Height(), frames, 25.0, CAviVideo::Layout::Frames,
                       colour ? 1 : 0, codec))
        return false;
    for (int f = 1; f <= frames; ++f)
        if (!writer.WriteFrame(store, f)) return false;
    return writer.Close() == 1;
}

std::vector<cv::Mat> DecodeAll(const std::string& path) {
    std::vector<cv::Mat> frames;
    CAviVideo reader;
    if (!reader.Open(path)) return frames;
    for (int i = 0;; ++i) {
        const cv::Mat& image = reader.DecodeFrame(i);
        if (image.empty()) break;
        frames.push_back(image.clone());
    }
    return frames;
}

bool RunTool(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

bool HaveFfmpeg() {
    static const bool have = RunTool("ffmpeg -version");
    return have;
}

} // namespace kova::test
