#include "CTextImage.h"

#include "CFrameStore.h"
#include "CTextImageReader.h"
#include "CTextImageWriter.h"
#include "NumberText.h"
#include "Prompter.h"

namespace kova {

const char* const CTextImage::kCaption = "Capvo";

std::string CTextImage::ReasonText(int reason) {
    switch (reason) {
    case CTextImageReader::kSyntax:
        return "无效的句法";
    case CTextImageReader::kColorMode:
        return "$COLORMODE 颜色模式不正确";
    case CTextImageReader::kPosition:
        return "$POSITION 位置不正确";
    case CTextImageReader::kSize:
        return "$SIZE 尺寸不正确";
    case CTextImageReader::kData:
        return "数据格式不正确";
    case CTextImageReader::kBlocks:
        return "操作块不正确";
    case CTextImageReader::kDispMode:
        return "显示模式不正确";
    case CTextImageReader::kFile:
        return "文件出错";
    case CTextImageReader::kMemory:
        return "内存出错";
    default:
        return "其他";
    }
}

void CTextImage::Show(const std::string& text) {
    prompter_.Show(text, kCaption, MessageIcon::None, MessageButtons::Ok);
}

int CTextImage::Read(const std::string& path, int frame, bool color) {
    CTextImageReader reader(store_);
    const int reason = reader.Read(path, frame, color);
    if (reason == 0) return 0;
    Show(FormatInt(reader.LineCount()) + " 原因:" + ReasonText(reason));
    Show("打开文件失败！");
    return -1;
}

int CTextImage::Write(const std::string& path, int frame, bool color, int window) {
    CTextImageWriter writer(store_);
    if (writer.Write(path, frame, color, window) == 0) return 0;
    Show("保存文件失败！");
    return -1;
}

int CTextImage::ReadMono(const std::string& path, int frame) {
    return Read(path, frame, false);
}

int CTextImage::ReadColor(const std::string& path, int colorFrame) {
    return Read(path, colorFrame, true);
}

int CTextImage::WriteMono(const std::string& path, int frame, int window) {
    return Write(path, frame, false, window);
}

int CTextImage::WriteColor(const std::string& path, int colorFrame, int window) {
    return Write(path, colorFrame, true, window);
}

std::string CTextImage::SeriesPath(const std::string& head, int number,
                                   const std::string& ext) const {
    return CFrameStore::Get_filename_series_new(
        CFrameStore::Make_fullpath(store_.Get_directory(1), head), ext, number, 4);
}

bool CTextImage::Stopped() {
    if (store_.Get_progress_pos() != -1) return false;
    store_.Put_progress_pos(0);
    return true;
}

int CTextImage::ReadSeries(int firstNumber, int firstFrame, int lastFrame, const std::string& head,
                           const std::string& ext, bool color) {
    int result = -1;
    for (int i = 0; i <= lastFrame - firstFrame; ++i) {
        if (Stopped()) break;
        const int frame = firstFrame + i;
        result = Read(SeriesPath(head, firstNumber + i, ext), frame, color);
        if (result != 0) break;
        if (color) {
            store_.Put_dispmode(CFrameStore::kColorDispMode);
            store_.Disp_frame_color(frame);
        } else {
            if (store_.Get_dispmode() == CFrameStore::kColorDispMode) store_.Put_dispmode(0);
            store_.Disp_frame(frame);
        }
        store_.Put_progress_pos(i + 1);
        if (pump_) pump_();
    }
    return result;
}

int CTextImage::WriteSeries(int firstFrame, int lastFrame, int firstNumber, const std::string& head,
                            const std::string& ext, int window, bool color) {
    int result = -1;
    for (int i = 0; i <= lastFrame - firstFrame; ++i) {
        if (Stopped()) break;
        result = Write(SeriesPath(head, firstNumber + i, ext), firstFrame + i, color, window);
        if (result != 0) break;
        store_.Put_progress_pos(i + 1);
        if (pump_) pump_();
    }
    return result;
}

int CTextImage::ReadSeriesMono(int firstNumber, int firstFrame, int lastFrame,
                               const std::string& head, const std::string& ext) {
    return ReadSeries(firstNumber, firstFrame, lastFrame, head, ext, false);
}

int CTextImage::ReadSeriesColor(int firstNumber, int firstFrame, int lastFrame,
                                const std::string& head, const std::string& ext) {
    return ReadSeries(firstNumber, firstFrame, lastFrame, head, ext, true);
}

int CTextImage::WriteSeriesMono(int firstFrame, int lastFrame, int firstNumber,
                                const std::string& head, const std::string& ext, int window) {
    return WriteSeries(firstFrame, lastFrame, firstNumber, head, ext, window, false);
}

int CTextImage::WriteSeriesColor(int firstFrame, int lastFrame, int firstNumber,
                                 const std::string& head, const std::string& ext, int window) {
    return WriteSeries(firstFrame, lastFrame, firstNumber, head, ext, window, true);
}

} // namespace kova
