#pragma once

#include "CDataClient.h"
#include "CDisplayClient.h"
#include "CorrectControls.h"
#include "TrackRecords.h"

#include <QPoint>
#include <functional>

class CImageDisplay;
class MeasureDocument;
namespace kova {
class Prompter;
}

// The logic of the manual correction window "手动修正", a display client of
// the image window and a data client of the document: the user picks a
// target, and in the frame shown sets its point anew with a click while the
// image is locked. Each stored point is one step of the undo history. A
// change of the data during an edit cancels the edit.
class CorrectLogic : public CDisplayClient {
public:
    CorrectLogic(CImageDisplay& display, MeasureDocument& document, kova::Prompter& prompter);
    ~CorrectLogic() override;

    // Zooms the image view to `percent` around an image point.
    void SetZoomHandler(std::function<void(int percent, QPoint centre)> zoom) {
        zoom_ = std::move(zoom);
    }
    // The window while it exists (null otherwise).
    void SetControls(CorrectControls* controls) { controls_ = controls; }

    // The window is set up: paint, mouse, page and data are watched, the
    // targets listed and the first selected.
    void InitWindow();
    void TakeMouse();
    // The window goes: an open edit is cancelled, everything released.
    void Destroyed();

    // The target combo (0-based), the zoom combo (0 标准 .. 4 16倍), 移动目标.
    void SelectTarget(int target);
    void SetZoomChoice(int choice);
    void MoveTarget();
    // 修正 / 确定.
    void EditOrConfirm();
    // 取消.
    void Cancel();

    int SelectedTarget() const { return selected_; }
    bool Editing() const { return editing_; }
    // The selected target has a point in the frame shown.
    bool CanEdit() const;
    const XY_TRACK& EditedPoint() const { return edited_; }

    void OnDisplayPaint(QPainter* painter) override;
    void OnDisplayLButtonDown(unsigned flags, QPoint point) override;
    void OnDisplayChangeImage(int page, int flag) override;

    static constexpr const char* kName = "手动修正";
    static constexpr const char* kNoPoint = "显示的帧中没有该目标的点，不能修正。";

private:
    // The document's data watch, under the window's name.
    class DataWatch : public CDataClient {
    public:
        explicit DataWatch(CorrectLogic& logic) : logic_(logic) { SetName(kName); }
        void OnDataChanged() override { logic_.DataChanged(); }

    private:
        CorrectLogic& logic_;
    };

    void DataChanged();
    void StartEdit();
    void Confirm();
    void EndEdit();
    void FillTargets();
    void CentreOnTarget();
    void UpdateEnable();
    int ShownFrame() const;
    bool PointAt(int frame, XY_TRACK* point) const;

    CImageDisplay& display_;
    MeasureDocument& document_;
    kova::Prompter& prompter_;
    CorrectControls* controls_ = nullptr;
    std::function<void(int, QPoint)> zoom_;
    DataWatch watch_{*this};
    int selected_ = 0;
    int zoomChoice_ = 0;
    bool editing_ = false;
    bool modified_ = false;
    int editFrame_ = 0;
    XY_TRACK edited_{0, 0.0f, 0.0f};
};
