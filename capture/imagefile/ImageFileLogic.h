#pragma once

#include "CImageFile.h"
#include "ImageFileControls.h"
#include "Prompter.h"

#include <functional>
#include <string>
#include <vector>

namespace kova {
class CFrameStore;
}

// The logic of capvo's image file dialog "位图图像文件": loads BMP, text,
// JPEG and TIFF files into the frame store, saves frames as such files,
// deletes files and tells a file's type, size and colours, for one file or a
// numbered series. A series runs on the caller's thread: between files it
// calls the event pump, so that Stop (the store's progress position set to
// -1) ends it before the next file. Every message goes through the prompter
// in a plain box with the caption "Capvo".
class ImageFileLogic {
public:
    ImageFileLogic(kova::CFrameStore& store, kova::Prompter& prompter);

    // The window while it exists (null otherwise).
    void SetControls(ImageFileControls* controls) { controls_ = controls; }
    // Called between the files of a series (the window handles its events).
    void SetEventPump(std::function<void()> pump) { pump_ = std::move(pump); }

    ImageFileFields& Fields() { return fields_; }
    const ImageFileFields& Fields() const { return fields_; }

    // "浏览": chooses one or more files; their directory becomes the image
    // directory, the first and last name file 1 and file 2. False when
    // cancelled or while an operation runs.
    bool Browse();
    // "运行": checks the fields, then performs the chosen operation. 1 when
    // it was done, 0 when refused, cancelled or stopped, -1 when it failed
    // (after its message). Nothing happens while an operation runs.
    int Run();
    // "停止": ends the running series before its next file.
    void Stop();

    bool IsRunning() const { return running_; }
    // The number of files of the running operation (the progress range).
    int ProgressRange() const { return job_.count; }

    static constexpr const char* kCaption = "Capvo";
    static constexpr const char* kFilter =
        "Bitmap Image(*.BMP)|*.BMP|Text Image(*.TXT)|*.TXT|JPEG Image(*.JPG;*.JPEG)|*.JPG;*.JPEG|"
        "TIFF Image(*.TIF;*.TIFF)|*.TIF;*.TIFF|All Files(*.*)|*.*||";
    static constexpr const char* kBadName = "文件名无效.";
    static constexpr const char* kBadInterval = "间隔数无效.";
    static constexpr const char* kFramesMissing = "系统帧丢失. ";
    static constexpr const char* kOverwrite = "\n文件已经存在.\n 要覆盖吗?";
    static constexpr const char* kNoTextFields = "无法用文件模式来存储场数据.";
    static constexpr const char* kConfirmDelete = "\n 您确实要删除该文件吗？?";
    static constexpr const char* kCannotDelete = " 无法删除该文件.";
    static constexpr const char* kBadTextHeader = "Txt文件头读取错误！ ";
    static constexpr const char* kCannotOpen = "文件无法打开.";
    static constexpr const char* kLoadFailed = "打开文件失败！";
    static constexpr const char* kSaveFailed = "保存文件失败！";

private:
    // What a checked run works on.
    struct Job {
        kova::CImageFile::Kind kind = kova::CImageFile::Kind::Unknown;
        std::string name; // file 1, trimmed
        std::string head; // series name parts
        std::string ext;
        int firstNumber = 0;
        int count = 1;      // files handled
        bool color = false; // colour frames (colour display)
    };

    bool Check(Job* job);
    bool CheckSeries(Job* job);
    bool CheckFrames(const Job& job);
    int Perform(const Job& job);
    int Load(const Job& job);
    int LoadSeries(const Job& job);
    int Save(const Job& job);
    int SaveSeries(const Job& job);
    int SaveTextSeries(const Job& job);
    int Delete(const Job& job);
    int Information(const Job& job);
    // The files of a job, joined to the directory.
    std::vector<std::string> Paths(const Job& job) const;
    std::string PathOf(const std::string& name) const;
    bool ConfirmOverwrite(const Job& job);
    void Display(int frame, bool color);
    void Pump();
    bool Refuse(const char* text);
    int Fail(const std::string& text);
    kova::MessageAnswer Show(const std::string& text,
                             kova::MessageButtons buttons = kova::MessageButtons::Ok);

    kova::CFrameStore& store_;
    kova::Prompter& prompter_;
    ImageFileControls* controls_ = nullptr;
    std::function<void()> pump_;
    ImageFileFields fields_;
    Job job_;
    bool running_ = false;
};
