#pragma once

#include "CDisplayClient.h"
#include "ConnectionLineControls.h"
#include "ConnectionLineList.h"

class CImageDisplay;
class MeasureDocument;
struct XY_TRACK;
namespace kova {
class Prompter;
}

// The logic of the dialog "连接线设定". Opening lists the targets and adds
// the stored lines (or the default chain) as "添加" would; clicks on the
// image fill the first and then the second target selector with the nearest
// target; the image shows every line in its colour, every target's mark and
// the selected line's end points filled red. "确认" stores the list with the
// track information; nothing else changes it.
class ConnectionLineEditorLogic : public CDisplayClient {
public:
    ConnectionLineEditorLogic(MeasureDocument& document, CImageDisplay& display);
    ~ConnectionLineEditorLogic() override;

    // The dialog while it exists (null otherwise).
    void SetControls(ConnectionLineControls* controls) { controls_ = controls; }

    // The dialog opens: fills it, paints on the image and takes its clicks.
    void Open();
    // "添加": the line of the two selectors in the chosen colour.
    void AddLine();
    // "删除": the selected line; nothing without a selection.
    void DeleteLine();
    // "全部删除": asks first.
    void DeleteAllLines();
    // The list's selection changed: the image shows it.
    void SelectLine(int index);
    // "确认": stores the lines (an empty list removes them); false when they
    // could not be stored.
    bool Confirm();
    // The dialog closes: paint and clicks are given back.
    void Close();

    const ConnectionLineList& Lines() const { return lines_; }
    int PickCount() const { return picks_; }

    void OnDisplayPaint(QPainter* painter) override;
    void OnDisplayLButtonDown(unsigned flags, QPoint point) override;

private:
    // The 0-based frame on show, -1 when the measurement has no such frame.
    int DisplayedFrame() const;
    bool Point(int target, int frame, XY_TRACK* point) const;
    void ReadControls();
    void WriteControls();
    void ClearPicks();
    // Adds as "添加" does; the new line becomes the selection.
    bool Add(const ConnectionLine& line);

    MeasureDocument& document_;
    CImageDisplay& display_;
    ConnectionLineControls* controls_ = nullptr;
    ConnectionLineList lines_;
    ConnectionLineFields fields_;
    int picks_ = 0;
    bool open_ = false;
};
