#include "CVideoCapDS.h"

#include "CFrameStore.h"

namespace kova {

int CVideoCapDS::PutCaptureFileName(const std::string& path) {
    operateFrame_ = 0;
    return reader_.Open(path);
}

int CVideoCapDS::GetFrameNumber(std::int64_t* lastFrame) const {
    if (!reader_.IsOpen() || lastFrame == nullptr) return 0;
    *lastFrame = reader_.GetFrameCount() - 1;
    return 1;
}

int CVideoCapDS::ReadImageToMemory(int first, int last, int x, int y, std::int64_t aviStart,
                                   int interval) {
    operateFrame_ = 0;
    if (!reader_.IsOpen() || first < 0 || first > last || !store_.IsColorFrame(last) ||
        interval < 1 || aviStart < 0)
        return 0;
    std::int64_t index = aviStart;
    for (int frame = first; frame <= last; ++frame, index += interval) {
        if (store_.Get_progress_pos() == -1) {
            store_.Put_progress_pos(0);
            return 1;
        }
        if (index >= reader_.GetFrameCount()) return 0;
        const cv::Mat& image = reader_.DecodeFrame(static_cast<int>(index));
        if (image.empty() || store_.Put_image_color(frame, image, x, y) != CFrameStore::kOk)
            return 0;
        operateFrame_ = frame;
    }
    return 1;
}

} // namespace kova
