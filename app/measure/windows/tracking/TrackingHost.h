#pragma once

#include "SegmentationResult.h"
#include "ToolWindowHost.h"
#include "TrackWindowLogic.h"

#include <QObject>
#include <thread>

struct ViewParts;

// The tracking window "追踪" of a view. Its logic keeps the targets and the
// result path between openings; a run goes on a worker thread, and what it
// shows and asks comes back to this thread through queued calls.
class TrackingHost : public ToolWindowHost {
public:
    explicit TrackingHost(ViewParts& view);
    ~TrackingHost() override;

    TrackWindowLogic& Logic() { return logic_; }

protected:
    QWidget* Create() override;

private:
    void StartWorker(std::function<void()> work, std::function<void()> done);
    void Segment();

    ViewParts& view_;
    TrackWindowLogic logic_;
    SegmentationResult segmentation_; // what 目标抽出 opens with
    QObject relay_;                   // lives on the window's thread: the queued calls' receiver
    std::thread worker_;
};
