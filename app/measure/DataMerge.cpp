#include "DataMerge.h"

#include "CCfgFile.h"
#include "CFile.h"
#include "CTrackFile2D.h"
#include "CTrackInfo2D.h"
#include "MeasurePaths.h"
#include "Prompter.h"
#include "StagedPair.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;

const char* const kImageKeys[] = {"ImagePath",   "ImageNameHead", "ImageFileExt",   "ImageStartNum",
                                  "ImageEndNum", "ImageScenes",   "ImageStartFile", "ImageEndFile"};
const char* const kAviKeys[] = {"AviFile", "AviStartFrm", "AviEndFrm"};
// What a later input of a joined series or video range gives the output.
const std::vector<const char*> kSeriesEndKeys = {"ImageEndNum", "ImageEndFile"};
const std::vector<const char*> kAviEndKeys = {"AviEndFrm"};

void Error(kova::Prompter& prompter, const char* text) {
    prompter.Show(text, "错误", MessageIcon::Exclamation);
}

std::string FourDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d", number);
    return text;
}

// The track information of one input, read without ever writing it back.
class InputInfo : public CTrackInfo2D {
public:
    explicit InputInfo(const std::string& path) {
        SetAutoSave(0);
        Load(path);
    }
    std::string Text(const char* key) {
        std::string value;
        GetValue(key, &value);
        return value;
    }
    int Number(const char* key) {
        int value = 0;
        GetValue(key, &value);
        return value;
    }
};

void CopyKey(InputInfo& from, CCfgFile* to, const char* key) {
    std::vector<std::string> values;
    from.GetArray(key, &values);
    to->SetArray(key, values);
}

// Writes the frames of every input one after the other below the first
// input's header, whose frame count becomes the total.
class FrameJoin : public CPtFile {
public:
    FrameJoin(std::vector<std::string> inputs, int frames, int targets)
        : inputs_(std::move(inputs)), frames_(frames), targets_(targets) {
        SetBinary(1);
    }
    using CPtFile::Save;
    int Save(CFile* output) override {
        int frames = 0;
        for (std::size_t i = 0; i < inputs_.size(); ++i) {
            int count = CopyInput(inputs_[i], i == 0, output);
            if (count < 0) return 0;
            frames += count;
        }
        return frames == frames_ ? 1 : 0; // an input changed since the check
    }

private:
    // The frame count of the input, or -1 on failure.
    int CopyInput(const std::string& path, bool first, CFile* output) const {
        CTrackFile2D reader;
        CFile input;
        MeasureHeader header;
        if (!input.Open(path, CFile::Mode::Read, true) || !reader.LoadHeader(&input, &header) ||
            header.frames < 1 || header.targets != targets_)
            return -1;
        const std::int64_t bytes =
            static_cast<std::int64_t>(header.frames) * header.targets * CTrackFile2D::kPointBytes;
        if (bytes > input.Remaining()) return -1;
        if (first) {
            MeasureHeader total = header;
            total.frames = static_cast<std::int16_t>(frames_);
            if (!reader.SaveHeader(output, total)) return -1;
        }
        std::vector<char> buffer(1 << 16);
        for (std::int64_t left = bytes; left > 0;) {
            const std::size_t piece =
                static_cast<std::size_t>(std::min<std::int64_t>(left, buffer.size()));
            if (input.Read(buffer.data(), piece) != piece || !output->Write(buffer.data(), piece))
                return -1;
            left -= static_cast<std::int64_t>(piece);
        }
        return header.frames;
    }

    std::vector<std::string> inputs_;
    int frames_;
    int targets_;
};

} // namespace

DataMerge::DataMerge(const std::string& dir) : directory(dir) {}

std::string DataMerge::Stem(int number) const {
    return MeasurePaths::WithSeparator(directory) + head + FourDigits(number);
}

std::string DataMerge::InputTrackPath(int number) const {
    return MeasurePaths::FindExisting(Stem(number) + ".TRK");
}

std::string DataMerge::InputInfoPath(int number) const {
    return MeasurePaths::InfoPathFor(InputTrackPath(number));
}

std::string DataMerge::OutputTrackPath() const {
    return MeasurePaths::WithSeparator(directory) + head + ".TRK";
}

std::string DataMerge::OutputInfoPath() const {
    return MeasurePaths::WithSeparator(directory) + head + ".TRI";
}

bool DataMerge::ChooseInput(kova::Prompter& prompter, const CTrackFile2D& track) {
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::Open;
    request.initialDirectory = directory;
    request.defaultName = "TEMP1.TRK";
    request.filter = track.GetFilter();
    request.defaultExtension = track.GetDefaultExt();
    request.mustExist = true;
    std::string drive[2], dir[2], fileHead[2], suffix[2];
    long number[2] = {0, 0};
    const char* titles[2] = {"请指定起始文件。 ", "请指定终止文件。"};
    for (int i = 0; i < 2; ++i) {
        request.title = titles[i];
        std::string path;
        if (!prompter.ChooseFile(request, &path)) return false;
        std::string name, base;
        CPtFile::SplitPath(path, &drive[i], &dir[i], &name);
        CPtFile::SplitSuffix(name, &base, &suffix[i]);
        CPtFile::SplitNumber(base, &fileHead[i], &number[i]);
    }
    if (drive[0] != drive[1] || dir[0] != dir[1] || fileHead[0] != fileHead[1] ||
        suffix[0] != suffix[1] || number[0] > number[1]) {
        Error(prompter, "文件的对应关系出错。");
        return false;
    }
    directory = drive[0].empty() ? dir[0] : drive[0] + ":" + dir[0];
    head = fileHead[0];
    startNumber = static_cast<int>(number[0]);
    endNumber = static_cast<int>(number[1]);
    return true;
}

bool DataMerge::CheckFields(kova::Prompter& prompter) const {
    const char* problem = nullptr;
    if (startNumber < 1)
        problem = "起始序号异常。";
    else if (endNumber < 1)
        problem = "终止序号异常。";
    else if (startNumber > endNumber)
        problem = "起始序号大于终止序号。";
    else if (head.empty())
        problem = "文件名错误。";
    if (problem) Error(prompter, problem);
    return problem == nullptr;
}

namespace {

// The first header field in which `h` differs from the reference, or null.
const char* HeaderDifference(const MeasureHeader& ref, const MeasureHeader& h, int mode) {
    if (h.interval != ref.interval) return "间隔错误";
    if (h.frameRate != ref.frameRate) return "帧数异常。";
    if (h.timeUnit != ref.timeUnit) return "时间单位错误";
    if (h.scale != ref.scale) return "比例错误。";
    if (h.lengthUnit != ref.lengthUnit) return "距离单位错误。";
    if (h.originX != ref.originX) return "原点X错误。";
    if (h.originY != ref.originY) return "原点Y错误。";
    if (h.angle != ref.angle) return "角度错误。";
    if (h.directY != ref.directY) return "Y轴方向错误。";
    if (mode == DataMerge::kByFrames && h.targets != ref.targets) return "目标数错误。";
    if (mode == DataMerge::kByTargets && h.frames != ref.frames) return "帧数错误。";
    return nullptr;
}

bool ReadHeader(const std::string& path, MeasureHeader* header) {
    CTrackFile2D reader;
    CFile file;
    return file.Open(path, CFile::Mode::Read, true) && reader.LoadHeader(&file, header) &&
           header->frames >= 1 && header->targets >= 1;
}

} // namespace

bool DataMerge::CheckFiles(kova::Prompter& prompter) {
    totalFrames = 0;
    totalTargets = 0;
    MeasureHeader reference;
    for (int number = startNumber; number <= endNumber; ++number) {
        MeasureHeader header;
        if (!ReadHeader(InputTrackPath(number), &header)) {
            Error(prompter, "读文件出错");
            return false;
        }
        if (number == startNumber) reference = header;
        if (const char* problem = HeaderDifference(reference, header, mode)) {
            Error(prompter, problem);
            return false;
        }
        if (mode == kByFrames) {
            totalFrames += header.frames;
            totalTargets = header.targets;
        } else {
            totalTargets += header.targets;
            totalFrames = header.frames;
        }
        // The joined header holds both counts in 16 bits.
        if (totalFrames > MeasureHeader::kMaxCount || totalTargets > MeasureHeader::kMaxCount) {
            Error(prompter, "合并后的帧数或目标数超过32767。");
            return false;
        }
    }
    return true;
}

void DataMerge::InfoSaveError(kova::Prompter& prompter) const {
    // The .TRI of the pair could not be written: say which file.
    prompter.Show("It can't save track information\n" + OutputInfoPath(), "Error",
                  MessageIcon::Exclamation);
}

namespace {

// A measurement of a video names its file and frame range in the AVI keys.
bool IsVideo(InputInfo& info) {
    return MeasurePaths::SameIgnoringCase(info.Text("ImageFileExt"), "AVI");
}

void CopyImageKeys(InputInfo& from, CCfgFile* to) {
    for (const char* key : kImageKeys)
        CopyKey(from, to, key);
    if (IsVideo(from)) {
        for (const char* key : kAviKeys)
            CopyKey(from, to, key);
    }
}

// The range of images (series numbers, or frames of the video) an input
// was measured on.
struct ImageRange {
    int first = 0;
    int last = 0;
};

ImageRange RangeOf(InputInfo& info) {
    if (IsVideo(info)) return {info.Number("AviStartFrm"), info.Number("AviEndFrm")};
    return {info.Number("ImageStartNum"), info.Number("ImageEndNum")};
}

} // namespace

bool DataMerge::JoinInfoFiles(kova::Prompter& prompter, CCfgFile* output) const {
    ImageRange joined;
    std::string path, nameHead, kind, video;
    for (int number = startNumber; number <= endNumber; ++number) {
        InputInfo info(InputInfoPath(number));
        const ImageRange range = RangeOf(info);
        if (number == startNumber) {
            CopyImageKeys(info, output);
            joined.first = range.first;
            path = info.Text("ImagePath");
            nameHead = info.Text("ImageNameHead");
            kind = info.Text("ImageFileExt");
            video = info.Text("AviFile");
        } else {
            // The next input continues the same images where the last one ended.
            const bool videos = IsVideo(info);
            if (!MeasurePaths::SameIgnoringCase(info.Text("ImagePath"), path) ||
                !MeasurePaths::SameIgnoringCase(info.Text("ImageNameHead"), nameHead) ||
                !MeasurePaths::SameIgnoringCase(info.Text("ImageFileExt"), kind) ||
                (videos && !MeasurePaths::SameIgnoringCase(info.Text("AviFile"), video)) ||
                range.first != joined.last + 1) {
                Error(prompter, "图像不连续。");
                return false;
            }
            for (const char* key : videos ? kAviEndKeys : kSeriesEndKeys)
                CopyKey(info, output, key);
            output->SetValue("ImageScenes", range.last - joined.first + 1);
        }
        joined.last = range.last;
    }
    return true;
}

bool DataMerge::SaveInfo(kova::Prompter& prompter, CCfgFile& info, StagedPair& pair) const {
    info.SetModified(1);
    std::string failed;
    if (!pair.StageInfo(info) || !pair.Commit(&failed)) {
        if (failed == OutputTrackPath())
            TrackError(prompter);
        else
            InfoSaveError(prompter);
        return false;
    }
    return true;
}

void DataMerge::TrackError(kova::Prompter& prompter) const {
    if (mode == kByTargets)
        Error(prompter, "读写 '.trk'文件出错。");
    else
        prompter.Show("读写 '.trk'文件时出错。", "Error", MessageIcon::Exclamation);
}

bool DataMerge::MergeByFrames(kova::Prompter& prompter) const {
    std::vector<std::string> inputs;
    for (int number = startNumber; number <= endNumber; ++number)
        inputs.push_back(InputTrackPath(number));
    StagedPair pair(OutputTrackPath(), OutputInfoPath());
    FrameJoin join(inputs, totalFrames, totalTargets);
    if (!pair.StageTrack(join)) {
        TrackError(prompter);
        return false;
    }
    CCfgFile info;
    return JoinInfoFiles(prompter, &info) && SaveInfo(prompter, info, pair);
}

bool DataMerge::MergeByTargets(kova::Prompter& prompter) const {
    CTrackFile2D output;
    bool ok = output.Create(totalTargets, totalFrames) != 0;
    int offset = 0;
    for (int number = startNumber; ok && number <= endNumber; ++number) {
        CTrackFile2D input;
        ok = input.Load(InputTrackPath(number)) && input.GetFrameCount() == totalFrames &&
             offset + input.GetTargetCount() <= totalTargets;
        if (ok && number == startNumber) output.SetHeader(input.GetHeader());
        for (int t = 0; ok && t < input.GetTargetCount(); ++t) {
            for (int f = 0; ok && f < totalFrames; ++f) {
                XY_TRACK point{};
                ok = input.GetPoint(t, f, &point) && output.SetPoint(t + offset, f, &point);
            }
        }
        offset += input.GetTargetCount();
    }
    StagedPair pair(OutputTrackPath(), OutputInfoPath());
    if (!ok || offset != totalTargets || !pair.StageTrack(output)) {
        TrackError(prompter);
        return false;
    }
    // The image keys of the start input only.
    InputInfo start(InputInfoPath(startNumber));
    CCfgFile info;
    CopyImageKeys(start, &info);
    return SaveInfo(prompter, info, pair);
}

int DataMerge::Run(kova::Prompter& prompter) {
    if (!CheckFields(prompter) || !CheckFiles(prompter)) return -1;
    // Any entry at the output's name is asked about; nothing is opened.
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(OutputTrackPath(), error))) {
        if (prompter.Show("输出文件已经存在。要覆盖吗？", "确认", MessageIcon::Question,
                          MessageButtons::OkCancel) != MessageAnswer::Ok)
            return -1;
    }
    const bool merged = mode == kByTargets ? MergeByTargets(prompter) : MergeByFrames(prompter);
    if (merged)
        prompter.Show("数据连接成功。", "确认", MessageIcon::None);
    else
        Error(prompter, "数据连接失败。");
    return merged ? 1 : 0;
}
