#include "FrameReader.h"

#include "CAviVideo.h"
#include "CFrameStore.h"
#include "CImageFile.h"
#include "CVideoCapDS.h"
#include "InputFile.h"
#include "Prompter.h"
#include "SeriesName.h"
#include "VideoFileName.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

namespace {

constexpr const char* kHeaderError = "Bitmap file Header read error ";
constexpr const char* kNotBitmap = "Invalid bitmap file";
constexpr const char* kCannotRead = "不能读该文件。";
constexpr const char* kBadName = "文件名无效.";
constexpr const char* kReadError = "文件读取错误.";

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// Device, inode, size and modification time of a file; false when it cannot
// be read.
bool Stamp(const std::string& path, std::uint64_t (&stamp)[4]) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    stamp[0] = static_cast<std::uint64_t>(info.st_dev);
    stamp[1] = static_cast<std::uint64_t>(info.st_ino);
    stamp[2] = static_cast<std::uint64_t>(info.st_size);
    stamp[3] = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
               static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
    return true;
}

} // namespace

FrameReader::FrameReader(kova::CFrameStore& store, kova::CVideoCapDS& capture,
                         kova::Prompter& prompter)
    : store_(store), capture_(capture), prompter_(prompter) {}

bool FrameReader::OpenFile::Is(const std::string& other) const {
    if (path.empty() || path != other) return false;
    std::uint64_t now[4] = {};
    // A file removed meanwhile still reads from the open handle.
    return !Stamp(path, now) || std::equal(now, now + 4, stamp);
}

void FrameReader::OpenFile::Set(const std::string& opened) {
    path = opened;
    if (!Stamp(path, stamp)) std::fill(stamp, stamp + 4, 0);
}

bool FrameReader::OpenAvi(const std::string& path) {
    if (aviFile_.Is(path) && avi_.IsOpen()) return true;
    aviFile_ = OpenFile();
    if (!avi_.Open(path)) return false;
    aviFile_.Set(path);
    return true;
}

bool FrameReader::OpenCapture(const std::string& path) {
    if (captureFile_.Is(path)) return true;
    captureFile_ = OpenFile();
    if (!capture_.PutCaptureFileName(path)) return false;
    captureFile_.Set(path);
    return true;
}

bool FrameReader::AviReads() const {
    return avi_.GetBitCount() == 8 || avi_.GetBitCount() == 24;
}

void FrameReader::CloseAvi() {
    avi_.Close();
    aviFile_ = OpenFile();
    // Naming no file releases the capture object's one.
    if (!captureFile_.path.empty()) capture_.PutCaptureFileName(std::string());
    captureFile_ = OpenFile();
}

void FrameReader::Say(const char* text) {
    prompter_.Show(text, kCaption, kova::MessageIcon::Exclamation);
}

void FrameReader::ClearFrame(int frame, bool color) {
    if (!color) {
        if (store_.IsMonoFrame(frame)) store_.Fill_frame(frame, 0, true);
        return;
    }
    int r = 0, g = 0, b = 0;
    if (store_.Get_frame_monochrome(frame, r, g, b) != kova::CFrameStore::kOk) return;
    for (int plane : {r, g, b})
        store_.Fill_frame(plane, 0, true);
}

int FrameReader::ReadBmpFrame(const std::string& path, int frame) {
    CloseAvi();
    if (!FileExists(path)) {
        ClearFrame(frame, false);
        store_.Disp_frame(frame);
        return -1;
    }
    unsigned char header[54] = {};
    std::FILE* file = kova::OpenInputFile(path);
    if (!file) {
        Say(kHeaderError);
        return -1;
    }
    const std::size_t got = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    if (got < 14) {
        Say(kHeaderError);
        return -1;
    }
    if (header[0] != 'B' || header[1] != 'M') {
        Say(kNotBitmap);
        return -1;
    }
    if (got < sizeof header) {
        Say(kHeaderError);
        return -1;
    }
    const int bitCount = header[28] | (header[29] << 8);
    store_.Put_window_full();
    kova::CImageFile files(store_);
    if (bitCount == 8 && files.Load_imagefile_bmp(path, frame, 0, 0) == 0) {
        store_.Put_dispmode(0);
        store_.Disp_frame(frame);
        return 0;
    }
    if (bitCount == 24 && files.Load_imagefile_bmp_color(path, frame, 0, 0) == 0) {
        store_.Put_dispmode(kova::CFrameStore::kColorDispMode);
        store_.Disp_frame_color(frame);
        return 0;
    }
    // Other depths, and 8- or 24-bit files whose pixels cannot be decoded.
    Say(kCannotRead);
    return -1;
}

bool FrameReader::IsVideoName(const std::string& path) {
    const std::string name = Trimmed(SeriesName::Upper(SeriesName::NameOf(path)));
    if (name.empty() || name.find_first_of("*?") != std::string::npos) return false;
    return kova::IsVideoFileName(name);
}

int FrameReader::ReadAviFrame(const std::string& path, int aviFrame, int storeFrame, int* count) {
    if (!IsVideoName(path)) {
        Say(kBadName);
        return kReported;
    }
    if (!OpenAvi(path)) return -1;
    store_.Put_window_full();
    if (count) *count = avi_.GetFrameCount();
    if (!AviReads()) return 0; // the fallback's
    const int color = avi_.GetBitCount() == 24 ? 1 : 0;
    if (!avi_.LoadFrameFromAVI(aviFrame - 1, store_, storeFrame, color, 0, 0)) return 0;
    if (color) {
        store_.Put_dispmode(kova::CFrameStore::kColorDispMode);
        store_.Disp_frame_color(storeFrame);
    } else {
        store_.Put_dispmode(0);
        store_.Disp_frame(storeFrame);
    }
    return 1;
}

int FrameReader::ReadAviFallback(const std::string& path, int aviFrame, int storeFrame,
                                 int* count) {
    if (!IsVideoName(path)) {
        Say(kBadName);
        return -1;
    }
    store_.Put_window_full();
    if (!OpenCapture(path)) {
        // Nothing can read the file: say so rather than ending silently.
        Say(kReadError);
        return -1;
    }
    std::int64_t last = -1;
    if (!capture_.GetFrameNumber(&last) || last < 0) return 0;
    store_.Put_dispmode(kova::CFrameStore::kColorDispMode);
    if (capture_.ReadImageToMemory(storeFrame, storeFrame, 0, 0, aviFrame - 1, 1) != 1) {
        Say(kReadError);
        return -1;
    }
    store_.Disp_frame_color(storeFrame);
    if (count) *count = static_cast<int>(last + 1);
    return 1;
}

int FrameReader::ReadAviFrameAnyhow(const std::string& path, int aviFrame, int storeFrame,
                                    int* count) {
    const int result = ReadAviFrame(path, aviFrame, storeFrame, count);
    if (result == 1) return 1;
    if (result == kReported) return 0;
    return ReadAviFallback(path, aviFrame, storeFrame, count) == 1 ? 1 : 0;
}

bool FrameReader::AviLayout(const std::string& path, int* count, int* color) {
    if (OpenAvi(path) && AviReads()) {
        *count = avi_.GetFrameCount();
        *color = avi_.GetBitCount() == 24 ? 1 : 0;
        return true;
    }
    std::int64_t last = -1;
    if (!OpenCapture(path) || !capture_.GetFrameNumber(&last) || last < 0) return false;
    *count = static_cast<int>(last + 1);
    *color = 1;
    return true;
}

int FrameReader::LoadAviFrame(const std::string& path, int aviFrame, int storeFrame) {
    if (OpenAvi(path) && AviReads())
        return avi_.LoadFrameFromAVI(aviFrame - 1, store_, storeFrame,
                                     avi_.GetBitCount() == 24 ? 1 : 0, 0, 0);
    if (!OpenCapture(path)) return 0;
    return capture_.ReadImageToMemory(storeFrame, storeFrame, 0, 0, aviFrame - 1, 1) == 1 ? 1 : 0;
}
