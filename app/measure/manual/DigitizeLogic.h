#pragma once

#include "CDisplayClient.h"
#include "CTrackFile2D.h"
#include "DigitizeControls.h"
#include "DigitizeCursor.h"
#include "ImageSource.h"
#include "Prompter.h"

#include <QPoint>
#include <functional>
#include <memory>
#include <string>

class CCfgFile;
class CImageDisplay;
class MeasureDocument;

// The logic of the manual measurement window "轨迹测量", a display client of
// the image window: the user clicks every target in every frame of the
// loaded sequence, in frame or target order, with buttons to step back and
// to skip; the table is written as a measurement pair and the document
// reloads it. A save that fails keeps the table until another result file
// takes it. It lives as long as the view, so the result path stays between
// openings.
class DigitizeLogic : public CDisplayClient {
public:
    DigitizeLogic(CImageDisplay& display, MeasureDocument& document, const ImageSource& source,
                  CCfgFile& config, kova::Prompter& prompter);
    ~DigitizeLogic() override;

    // Called with the result path after a save: the document loads it.
    void SetReload(std::function<void(const std::string&)> reload) { reload_ = std::move(reload); }
    // The window while it exists (null otherwise).
    void SetControls(DigitizeControls* controls) { controls_ = controls; }

    // The window is set up: painting and the easy mouse are caught.
    void InitWindow();
    // The window is active: the easy mouse is taken again.
    void TakeMouse();
    // The window goes: input in progress stops as with 停止 (nothing input
    // is lost); painting and the mouse are released.
    void Destroyed();
    // 关闭 or the close box: input in progress stops as with 停止; false
    // when the user keeps an unsaved table.
    bool CanClose();

    // 至起始文件(帧), 至结束文件(帧), the spin (1-based image).
    void FirstImage();
    void LastImage();
    void ShowImage(int image);
    // 选择结果文件; with an unsaved table the table is saved there.
    void ChooseResultFile();
    // 执行: true when input started.
    bool Execute();
    // 停止.
    void Stop();
    void PreviousFrame();
    void NextFrame();
    void PreviousTarget();
    void NextTarget();

    DigitizeState State() const;
    bool InputRunning() const { return input_; }
    const DigitizeCursor& Cursor() const { return cursor_; }
    const CTrackFile2D* Table() const { return table_.get(); }
    const std::string& ResultPath() const { return resultPath_; }
    void SetResultPath(const std::string& path) { resultPath_ = path; }
    const DigitizeTexts& Texts() const { return texts_; }
    // The marker: 0 none, 1 the previous frame's point, 2 an earlier one.
    int MarkerKind() const;
    QPoint MarkerPoint() const;

    void OnDisplayPaint(QPainter* painter) override;
    void OnDisplayLButtonDown(unsigned flags, QPoint point) override;
    void OnDisplayRButtonDown(unsigned flags, QPoint point) override;

    static constexpr const char* kName = "轨迹测量";
    static constexpr const char* kSetTargets = "请设置ID。";
    static constexpr const char* kTooManyTargets = "目标个数须为 1 到 4096 的整数。";
    static constexpr const char* kTooManyFrames = "图像超过 32767 帧，不能测量。";
    static constexpr const char* kNoImages = "请选择连续运动图像。";
    static constexpr const char* kUnsavedCorrections = "前面修正内容不保存更新。\n OK !";
    static constexpr const char* kOverwrite = "覆盖追踪结果文件。 \n OK !";
    static constexpr const char* kFinished = "追踪结束。";
    static constexpr const char* kStopped = "停止追踪.";
    static constexpr const char* kReadError = "文件读取错误.";
    static constexpr const char* kKeepUnsaved = "测量结果还没有保存。\n放弃吗?";
    static constexpr const char* kUnsavedStatus = "结果没有保存：请选择结果文件。";
    static constexpr const char* kFilter = "2D测量文件(*.TRK)|*.TRK||";
    static constexpr int kMaxTargets = 4096;

private:
    using Move = DigitizeCursor::Step (DigitizeCursor::*)();
    void Navigate(Move move);
    void AfterStep(const DigitizeCursor::Step& step);
    bool ReadTargetCount(int* targets);
    bool AskBeforeInput();
    MeasureHeader MakeHeader(int targets, int frames) const;
    void Finish();
    // Saves the table; true when saved (the document then reloads it).
    bool Save();
    void EndInput(bool keepTable);
    void ShowPage(int page);
    void UpdateTexts();
    void Refresh();
    void Say(const std::string& text, kova::MessageIcon icon);

    CImageDisplay& display_;
    MeasureDocument& document_;
    const ImageSource& source_;
    CCfgFile& config_;
    kova::Prompter& prompter_;
    DigitizeControls* controls_ = nullptr;
    std::function<void(const std::string&)> reload_;
    std::string resultPath_;
    std::unique_ptr<CTrackFile2D> table_;
    ImageSource tableSource_; // the sequence the table was measured on
    DigitizeCursor cursor_;
    bool input_ = false;
    DigitizeTexts texts_;
};
