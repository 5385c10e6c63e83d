// kova-batch image: converts between BMP, JPEG, TIFF, text images and video
// frames (AVI, MP4, MOV, MKV ...), and prints the information text of an
// image or video file.
#include "CAviVideo.h"
#include "CFrameStore.h"
#include "CImageFile.h"
#include "CPtFile.h"
#include "CTextImage.h"
#include "CTextImageReader.h"
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "InputFile.h"
#include "NumberText.h"
#include "VerbHelp.h"
#include "Verbs.h"
#include "VideoFileName.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <opencv2/core.hpp>
#include <ostream>

namespace kova::cli {
namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr int kFrame = 1; // the store frame (grey or colour) a conversion goes through

// FILE.AVI (or .MP4, .MOV, .MKV ...) or FILE.AVI:SOMETHING.
bool NamesVideo(const std::string& in) {
    const auto colon = in.rfind(':');
    return IsVideoFileName(in) ||
           (colon != std::string::npos && IsVideoFileName(in.substr(0, colon)));
}

// "FILE.AVI:N" -> FILE.AVI and N (from 1); a plain FILE.AVI is its frame 1.
bool SplitVideoFrame(const std::string& in, std::string* path, int* frame) {
    const auto colon = in.rfind(':');
    if (colon != std::string::npos && IsVideoFileName(in.substr(0, colon))) {
        *path = in.substr(0, colon);
        const std::string number = in.substr(colon + 1);
        if (number.empty() || number.size() > 9 ||
            !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        *frame = kova::ParseInt(number);
        return true;
    }
    *path = in;
    *frame = 1;
    return IsVideoFileName(in);
}

std::int64_t FileSize(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<std::int64_t>(size);
}

bool FileOpens(const std::string& path) {
    std::FILE* file = OpenInputFile(path);
    if (file) std::fclose(file);
    return file != nullptr;
}

// Everything the verb needs: the store its images pass through and the
// prompter that prints the system's messages.
struct Job {
    explicit Job(std::ostream& err) : prompter(err) {}
    void Fail(const std::string& text) {
        prompter.Show(text, CTextImage::kCaption, MessageIcon::None);
    }
    CFrameStore store;
    ConsolePrompter prompter;
    bool color = false;
    int window = 0; // 1: only the processing window is written out
};

// A palettised or grey file whose three planes agree is grey; everything
// else is colour.
bool LooksGrey(CFrameStore& store, int bitsPerPixel) {
    if (bitsPerPixel > 8) return false;
    int r = 0, g = 0, b = 0;
    store.Get_frame_monochrome(kFrame, r, g, b);
    const cv::Mat red = store.Get_image(r);
    return cv::norm(red, store.Get_image(g), cv::NORM_INF) == 0 &&
           cv::norm(red, store.Get_image(b), cv::NORM_INF) == 0;
}

// Keeps a grey input grey: the red plane becomes grey frame kFrame.
void SettleDepth(Job& job, int bitsPerPixel) {
    job.color = !LooksGrey(job.store, bitsPerPixel);
    if (!job.color) {
        int r = 0, g = 0, b = 0;
        job.store.Get_frame_monochrome(kFrame, r, g, b);
        job.store.Put_image(kFrame, job.store.Get_image(r), 0, 0);
    }
    job.store.Put_window_full();
}

bool LoadVideo(Job& job, const std::string& in) {
    std::string path;
    int number = 0;
    if (!SplitVideoFrame(in, &path, &number)) {
        job.Fail("文件名无效.");
        return false;
    }
    CAviVideo avi;
    if (!avi.Open(path)) {
        job.Fail(FileOpens(path) ? "文件读取错误." : "文件无法打开.");
        return false;
    }
    if (number < 1 || number > avi.GetFrameCount()) {
        job.Fail(" 在本视频剪辑中不存在" + FormatInt(number) + "-帧.");
        return false;
    }
    if (!avi.Info().IsSupportedDepth()) {
        job.Fail(" Not supporting the format of file.");
        return false;
    }
    if (!avi.LoadFrameFromAVI(number - 1, job.store, kFrame, 1, 0, 0)) {
        job.Fail("文件读取错误.");
        return false;
    }
    SettleDepth(job, avi.GetBitCount());
    return true;
}

bool LoadText(Job& job, const std::string& in) {
    CTextImageReader reader(job.store);
    CTextImageReader::Header header;
    const int reason = reader.ReadHeader(in, &header);
    if (reason != 0) {
        job.Fail(reason == CTextImageReader::kFile ? "文件无法打开." : "Txt文件头读取错误！ ");
        return false;
    }
    // Each value takes at least two bytes (a digit and a separator): a
    // header claiming more pixels than the file holds sizes no frame.
    const std::int64_t planes = header.kind == CTextImageReader::kColor ? 3 : 1;
    if (static_cast<std::int64_t>(header.width) * header.height * planes > FileSize(in) / 2 + 1) {
        job.Fail("Txt文件头读取错误！ ");
        return false;
    }
    // The frame holds the rectangle where the file puts it; only the
    // rectangle (the processing window the reader sets) is written out.
    job.store.Put_framesize(header.x1 + 1, header.y1 + 1);
    job.color = header.kind == CTextImageReader::kColor;
    job.window = 1;
    CTextImage text(job.store, job.prompter);
    return (job.color ? text.ReadColor(in, kFrame) : text.ReadMono(in, kFrame)) == 0;
}

bool LoadPicture(Job& job, const std::string& in) {
    int width = 0, height = 0, bits = 0;
    const int info = CImageFile::Get_imagefile_info(in, width, height, bits);
    CImageFile files(job.store);
    const int result = info == CImageFile::kOk ? files.Load_image(in, kFrame, 0, 0, true) : info;
    if (result != CImageFile::kOk) {
        job.Fail(result == CImageFile::kOpenFailed ? "文件无法打开." : "不能读该文件。");
        return false;
    }
    SettleDepth(job, bits);
    return true;
}

bool Load(Job& job, const std::string& in) {
    if (NamesVideo(in)) return LoadVideo(job, in);
    switch (CImageFile::KindOfName(in)) {
    case CImageFile::Kind::Text:
        return LoadText(job, in);
    case CImageFile::Kind::Bmp:
    case CImageFile::Kind::Jpeg:
    case CImageFile::Kind::Tiff:
        return LoadPicture(job, in);
    default:
        job.Fail("文件名无效.");
        return false;
    }
}

bool Save(Job& job, const std::string& out) {
    const CImageFile::Kind kind = CImageFile::KindOfName(out);
    if (kind == CImageFile::Kind::Unknown) {
        job.Fail("文件名无效.");
        return false;
    }
    if (kind == CImageFile::Kind::Text) {
        CTextImage text(job.store, job.prompter);
        return (job.color ? text.WriteColor(out, kFrame, job.window)
                          : text.WriteMono(out, kFrame, job.window)) == 0;
    }
    CImageFile files(job.store);
    if (files.Save_image(out, kFrame, job.color, job.window, 0) == CImageFile::kOk) return true;
    CPtFile::SaveError(job.prompter);
    return false;
}

int Convert(VerbContext& context, const std::string& in, const std::string& out) {
    Job job(*context.err);
    return Load(job, in) && Save(job, out) ? 0 : kFailed;
}

std::string ColourCount(int bits) {
    switch (bits) {
    case 1:
        return "2";
    case 4:
        return "16";
    case 8:
        return "256";
    case 16:
        return "65536";
    case 24:
        return "16777216";
    default:
        return bits > 0 && bits < 31 ? FormatInt(1L << bits) : "";
    }
}

std::string InfoText(const std::string& type, int width, int height, int bits,
                     const std::string& colourText) {
    std::string text = "文件类型:  " + type + "\n\n 宽度:  " + FormatInt(width) +
                       "  高度:  " + FormatInt(height) + "\n\n 颜色数:  ";
    const std::string count = ColourCount(bits);
    return text + (count.empty() ? " 4294967296(2^32)" : count + colourText) + "\n";
}

int Info(VerbContext& context, const std::string& path) {
    Job job(*context.err);
    if (IsVideoFileName(path) && !IsAviFileName(path)) {
        CAviVideo video;
        if (!video.Open(path)) {
            job.Fail(FileOpens(path) ? "不支持该文件格式. " : "文件无法打开.");
            return kFailed;
        }
        *context.out << video.Info().PropertyText() << '\n';
        return 0;
    }
    if (IsAviFileName(path)) {
        CAviHeader header;
        if (!header.Read(path)) {
            job.Fail(FileOpens(path) ? "不支持该文件格式. " : "文件无法打开.");
            return kFailed;
        }
        *context.out << header.PropertyText() << '\n';
        return 0;
    }
    const CImageFile::Kind kind = CImageFile::KindOfName(path);
    if (kind == CImageFile::Kind::Text) {
        CTextImageReader reader(job.store);
        CTextImageReader::Header header;
        const int reason = reader.ReadHeader(path, &header);
        if (reason != 0) {
            job.Fail(reason == CTextImageReader::kFile ? "文件无法打开." : "Txt文件头读取错误！ ");
            return kFailed;
        }
        const bool colour = header.kind == CTextImageReader::kColor;
        *context.out << InfoText("Text", header.width, header.height, colour ? 24 : 8,
                                 colour ? "彩色数据." : "灰度数据.");
        return 0;
    }
    if (kind == CImageFile::Kind::Unknown) {
        job.Fail("文件名无效.");
        return kFailed;
    }
    int width = 0, height = 0, bits = 0;
    const int result = CImageFile::Get_imagefile_info(path, width, height, bits);
    if (result != CImageFile::kOk) {
        job.Fail(result == CImageFile::kOpenFailed ? "文件无法打开." : "不能读该文件。");
        return kFailed;
    }
    const char* type = kind == CImageFile::Kind::Bmp    ? "Bitmap"
                       : kind == CImageFile::Kind::Jpeg ? "JPEG"
                                                        : "TIFF";
    *context.out << InfoText(type, width, height, bits, "");
    return 0;
}

} // namespace

int RunImage(VerbContext& context) {
    CommandLine line; // the options are the verb's help entry (VerbHelp.cpp)
    std::string error;
    if (!line.Parse(context.args, OptionArity("image"), &error)) {
        *context.err << "kova-batch image: " << error << '\n';
        return kUsage;
    }
    const auto& args = context.args;
    if (args.size() == 3 && args[0] == "convert") return Convert(context, args[1], args[2]);
    if (args.size() == 2 && args[0] == "info") return Info(context, args[1]);
    *context.err << "usage: kova-batch image convert IN OUT | image info FILE\n"
                    "  IN: a .BMP, .JPG, .TIF or .TXT image, or VIDEO:N for frame N (from 1)\n"
                    "      of a video (.AVI, .MP4, .MOV, .MKV ...)\n"
                    "  OUT: .BMP, .JPG, .TIF or .TXT, chosen by its extension\n";
    return kUsage;
}

} // namespace kova::cli
