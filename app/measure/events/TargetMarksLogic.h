#pragma once

#include "CDisplayClient.h"
#include "TargetMarks.h"
#include "TargetMarksControls.h"

#include <vector>

class CImageDisplay;
class MeasureDocument;

// The logic of the target marks window "设置目标标记": working copies of
// every target's colour, line style and name, edited through the window and
// written to the track information only by 确定 (one step of the
// measurement's history, and the document is modified). While the window is
// open it paints every target's point of the frame shown in its colour, the
// selected one on a black disc, and a click on the image selects the
// nearest target.
class TargetMarksLogic : public CDisplayClient {
public:
    TargetMarksLogic(MeasureDocument& document, CImageDisplay& display);
    ~TargetMarksLogic() override;

    // The window exists: reads the marks, fills the controls, selects
    // target 1, paints on the image and takes its mouse.
    void Opened(TargetMarksControls* controls);
    // The window is gone: releases paint and mouse, forgets the controls.
    void Destroyed();

    void SelectTarget(int target);
    void SetColour(int colour);
    void SetStyle(int style);
    // The name field's text, as typed.
    void SetName(const std::string& text);
    // "单色初始化", "自动初始化": asked first; false when not confirmed.
    bool InitialiseOneColour();
    bool InitialiseAutomatic();
    // "确定": writes the marks when they differ from the stored ones.
    void Accept();

    void OnDisplayPaint(QPainter* painter) override;
    void OnDisplayLButtonDown(unsigned flags, QPoint point) override;

    const std::vector<TargetMark>& Marks() const { return marks_; }
    int Selected() const { return selected_; }

    static constexpr const char* kTitle = "设置目标标记";

private:
    bool HasSelection() const;
    TargetMark& SelectedMark() { return marks_[static_cast<std::size_t>(selected_)]; }
    bool Confirm(const std::string& text);
    void ShowSelected();
    void Repaint();

    MeasureDocument& document_;
    CImageDisplay& display_;
    TargetMarksControls* controls_ = nullptr;
    std::vector<TargetMark> marks_;
    int selected_ = -1;
};
