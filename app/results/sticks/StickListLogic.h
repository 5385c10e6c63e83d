#pragma once

#include "CDataClient.h"
#include "StickListControls.h"

class MeasureDocument;
namespace kova {
class Prompter;
}

// The logic of the stick-figure list "连接线一览表": the settings, "帧选择"
// (select every interval-th frame of a range) and "查看" (lay out the
// figures of the selected frames and hand them to the display window). It
// refills the frame list when the measurement changes.
class StickListLogic : public CDataClient {
public:
    explicit StickListLogic(MeasureDocument& document);
    ~StickListLogic() override;

    // The dialog while it exists (null otherwise).
    void SetControls(StickListControls* controls) { controls_ = controls; }
    const StickListFields& Fields() const { return fields_; }

    // The dialog is set up: watches the measurement and fills the dialog.
    void InitWindow();
    // The dialog is gone: stops watching.
    void Destroyed();

    // "帧选择": false when refused.
    bool SelectFrames();
    // "查看": false when refused.
    bool View();

    void OnDataChanged() override;

private:
    // Every frame selected, the range the whole measurement; refuses the
    // figures with fewer than two targets.
    void Refill();
    void ReadControls();
    void WriteControls();
    kova::Prompter& Prompter();

    MeasureDocument& document_;
    StickListControls* controls_ = nullptr;
    StickListFields fields_;
};
