#include "CTextImageWriter.h"

#include "CFrameStore.h"
#include "CTextImageReader.h"
#include "NumberText.h"

#include <sys/stat.h>
#include <unistd.h>

namespace kova {

namespace {

// "%3u" of a pixel value.
void AppendValue(std::string* text, unsigned value) {
    const char digits[3] = {static_cast<char>('0' + value / 100),
                            static_cast<char>('0' + value / 10 % 10),
                            static_cast<char>('0' + value % 10)};
    if (value >= 100)
        text->append(digits, 3);
    else if (value >= 10)
        text->append(" ").append(digits + 1, 2);
    else
        text->append("  ").append(digits + 2, 1);
}

} // namespace

bool CTextImageWriter::Put(std::FILE* file, const std::string& text) {
    ++lineCount_;
    return std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
           std::fwrite("\r\n", 1, 2, file) == 2;
}

int CTextImageWriter::Write(const std::string& path, int frame, bool color, int window) {
    reason_ = 0;
    lineCount_ = 0;
    int planes[3] = {frame, -1, -1};
    if (color ? store_.Get_frame_monochrome(frame, planes[0], planes[1], planes[2]) !=
                    CFrameStore::kOk
              : !store_.IsMonoFrame(frame))
        return reason_ = CTextImageReader::kOther;
    int x0 = 0, y0 = 0, x1 = store_.Width() - 1, y1 = store_.Height() - 1, w = 0, h = 0;
    if (window == 1) store_.Get_window(x0, y0, x1, y1, w, h);
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd >= 0) {
        // mkstemp creates the file private; give it the usual permissions.
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    std::FILE* file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        if (fd >= 0) {
            close(fd);
            unlink(temp.c_str());
        }
        return reason_ = CTextImageReader::kFile;
    }
    bool ok = WriteBlock(file, planes, color ? 3 : 1, x0, y0, x1, y1);
    ok = std::fclose(file) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return reason_ = CTextImageReader::kFile;
    }
    return 0;
}

bool CTextImageWriter::WriteBlock(std::FILE* file, const int* planes, int planeCount, int x0,
                                  int y0, int x1, int y1) {
    bool ok = Put(file, "$IMAGE_BEGIN");
    ok = ok && Put(file, "$POSITION," + FormatInt(x0) + "," + FormatInt(y0));
    ok = ok && Put(file, planeCount == 3 ? "$COLORMODE,color" : "$COLORMODE,mono");
    ok = ok && Put(file, "$SIZE," + FormatInt(x1 - x0 + 1) + "," + FormatInt(y1 - y0 + 1));
    std::string row;
    for (int p = 0; ok && p < planeCount; ++p) {
        const cv::Mat& plane = store_.PlaneIfAllocated(planes[p]);
        ok = Put(file, "$DATA_BEGIN");
        for (int y = y0; ok && y <= y1; ++y) {
            row.clear();
            const uchar* pixels = plane.empty() ? nullptr : plane.ptr<uchar>(y);
            for (int x = x0; x <= x1; ++x) {
                if (x > x0) row += ',';
                AppendValue(&row, pixels ? pixels[x] : 0);
            }
            ok = Put(file, row);
        }
        ok = ok && Put(file, "$DATA_END");
    }
    return ok && Put(file, "$IMAGE_END");
}

} // namespace kova
