#pragma once

#include "AviFileControls.h"
#include "CAviVideo.h"
#include "VideoInfo.h"

#include <functional>
#include <memory>
#include <string>

namespace kova {
class CFrameStore;
class CVideoCapDS;
class Prompter;
} // namespace kova

// The logic of the AVI dialog "AVI 视频文件操作": previews an AVI file (its
// property text and a frame fitted into the preview rectangle), loads a
// range of its frames into the frame store and saves a range of store
// frames as a new AVI file of frames or interlaced fields. Frames are
// colour in the store's colour display, grey otherwise. Files the AVI
// reader cannot open are loaded through the fallback reader of the capture
// object. Load and save run on the caller's thread, pumping events through
// the window's callback after each item and stopping before the next item
// once Stop was called. Every refusal is a plain message; the field to
// correct gets the focus. Results: 1 success, 0 refusal or failure.
class AviFileLogic {
public:
    AviFileLogic(kova::CFrameStore& store, kova::Prompter& prompter);
    AviFileLogic(const AviFileLogic&) = delete;
    AviFileLogic& operator=(const AviFileLogic&) = delete;
    ~AviFileLogic();

    // The window while it exists (null otherwise).
    void SetControls(AviFileControls* controls) { controls_ = controls; }
    // Called after each item of a running load or save.
    void SetEventPump(std::function<void()> pump) { pump_ = std::move(pump); }

    AviFileFields& Fields() { return fields_; }
    // Pushes the fields into the window.
    void InitWindow();

    // The file button: the chosen AVI file's name and folder into the fields.
    int Browse();
    // "预览(&P)": the property text, the first frame and the slider range.
    int Preview();
    // The slider: frame `number` (from 1) of the previewed file.
    int ShowFrame(int number);
    // "运行(&E)": load or save as the fields say.
    int Run();
    int Load();
    int Save();
    // "停止(&P)": the running load or save ends before its next item.
    void Stop() { stopRequested_ = true; }
    bool IsRunning() const { return running_; }
    // The field focused after the last refusal (None after a success).
    AviFileField FailedField() const { return failedField_; }
    // The full path the fields name.
    std::string FilePath() const;

    static constexpr int kPreviewWidth = 260;
    static constexpr int kPreviewHeight = 200;

    static constexpr const char* kCaption = "Capvo";
    static constexpr const char* kBadFileName = "文件名无效.";
    static constexpr const char* kBadStart = "起始帧号无效.";
    static constexpr const char* kBadEnd = "终止帧号无效.";
    static constexpr const char* kBadInterval = "间隔数无效.";
    static constexpr const char* kBadFrameRate = "帧比率无效.";
    static constexpr const char* kBadSystemRange = "起始帧号无效, 或超出终止帧号.";
    static constexpr const char* kEndTooLarge = "终止帧号过大.";
    static constexpr const char* kStartXTooLarge = "起始帧的横坐标过大.";
    static constexpr const char* kStartYTooLarge = "起始帧的纵坐标过大.";
    static constexpr const char* kFallbackStartXTooLarge = "起始帧横坐标过大.";
    static constexpr const char* kFallbackStartYTooLarge = "起始帧纵坐标过大.";
    static constexpr const char* kUnsupportedFile = "不支持该文件格式. ";
    static constexpr const char* kUnsupportedFormat = " Not supporting the format of file.";
    static constexpr const char* kOverwrite = "\n文件已经存在.\n 要覆盖吗?";
    static constexpr const char* kReadFailed = "帧读取失败.";
    static constexpr const char* kWriteFailed = "文件写入失败.";
    // " 在本视频剪辑中不存在%d-帧."
    static std::string NoFrameText(int number);
    // Items a save writes: frames start, start + interval ... <= end, or
    // fields walked by a counter 0, interval, 2 interval ... whose frame
    // start + counter / 2 is at most end.
    static int SaveItemCount(int start, int end, int interval, AviSaveLayout layout);

private:
    enum class RunEnd { Finished, Stopped, Failed };

    void ReadControls();
    int Refuse(const std::string& text, AviFileField field);
    bool CheckFileName();
    bool Colour() const;
    int StoreFrames() const;
    void ClosePreview();

    int LoadAvi(kova::CAviVideo& reader);
    int LoadFallback();
    bool CheckLoadRange(int aviFrames, int storeFrames, int width, int height, bool fallback);
    int LoadCount() const;
    void DisplayLoaded(int frame, bool colour);
    bool CheckSave(double* rate);
    bool WriteItem(kova::CAviVideo& writer, int item);
    // Runs `count` items (false from `item` fails the run), with progress,
    // event pumping and the stop request tested before each item.
    RunEnd RunItems(int count, const std::function<bool(int)>& item);
    void SetRunning(bool running);
    void Pump();

    kova::CFrameStore& store_;
    kova::Prompter& prompter_;
    AviFileControls* controls_ = nullptr;
    std::function<void()> pump_;
    AviFileFields fields_;
    AviFileField failedField_ = AviFileField::None;

    kova::CAviVideo preview_;                    // the previewed file, open for the slider
    std::unique_ptr<kova::CVideoCapDS> capture_; // the fallback reader, once needed
    bool running_ = false;
    bool stopRequested_ = false;
};
