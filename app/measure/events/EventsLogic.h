#pragma once

#include "CDataClient.h"
#include "EventsControls.h"

#include <vector>

class CDisplayServer;
class MeasureDocument;

// The logic of the scene events window "设定事项": sets the reference frame
// (`SceneCenter`) and the list of event frames (`SceneEvent`) of the open
// measurement from the frame shown on the image window. It watches the
// measurement: a change made elsewhere (a reload, an undo) is shown at once.
// Every change is one step of the measurement's history and marks the
// document modified.
class EventsLogic : public CDataClient {
public:
    EventsLogic(MeasureDocument& document, CDisplayServer& display);
    ~EventsLogic() override;

    // The window exists: watches the measurement and shows its frames.
    void Opened(EventsControls* controls);
    // The window is gone: releases the watch and forgets the controls.
    void Destroyed();

    // "设置基准帧": the frame shown becomes the reference frame.
    void SetReferenceFrame();
    // "添加目标帧": the frame shown joins the event frames, in order.
    void AddEventFrame();
    // "删除目标帧": removes the selected event frame.
    void DeleteEventFrame();
    // A line of the list was selected (-1 none).
    void Select(int line);

    void OnDataChanged() override;

    // The values shown, for the window and the tests.
    int Reference() const { return reference_; }
    const std::vector<int>& Events() const { return events_; }
    int Selected() const { return selected_; }

    static constexpr const char* kStepName = "设置事项";

private:
    void Read();
    void Refresh();
    void StoreEvents(const std::vector<int>& events);
    // Before and after a change of the track information.
    void BeginChange();
    void EndChange();

    MeasureDocument& document_;
    CDisplayServer& display_;
    EventsControls* controls_ = nullptr;
    int reference_ = 0;
    std::vector<int> events_;
    int selected_ = -1;
};
