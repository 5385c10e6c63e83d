#include "CameraFixtures.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

namespace kova::test {

cv::Mat StandInFrame(int i) {
    cv::Mat frame(kStandInHeight, kStandInWidth, CV_8UC3,
                  cv::Scalar((i * 37) % 200 + 20, (i * 91) % 200 + 20, (i * 53) % 200 + 20));
    const int x = (i * 6) % (kStandInWidth - 8);
    cv::rectangle(frame, cv::Rect(x, 0, 8, kStandInHeight), cv::Scalar(255, 255, 255), cv::FILLED);
    return frame;
}

void WriteStandIn(const std::string& path, int frames) {
    cv::VideoWriter writer(path, cv::CAP_FFMPEG, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), 25.0,
                           cv::Size(kStandInWidth, kStandInHeight));
    ASSERT_TRUE(writer.isOpened()) << path;
    for (int i = 0; i < frames; ++i)
        writer.write(StandInFrame(i));
}

void ExpectStandInFrames(const CFrameStore& store, int first, int last, int frames) {
    for (int frame = first; frame <= last; ++frame) {
        const cv::Mat image = store.Get_image_color(frame);
        double closest = std::numeric_limits<double>::max();
        for (int i = 0; i < frames; ++i) {
            cv::Mat delta;
            cv::absdiff(image, StandInFrame(i), delta);
            const cv::Scalar mean = cv::mean(delta);
            closest = std::min(closest, (mean[0] + mean[1] + mean[2]) / 3.0);
        }
        EXPECT_LT(closest, 12.0) << "frame " << frame;
    }
}

} // namespace kova::test
