#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CPointDataFile;

// The order in which manual measurement visits the points: all targets of a
// frame before the next frame, or one target through all frames before the
// next target.
enum class DigitizeOrder { Frames, Targets };

// Where manual measurement stands in its point table, and the moves of the
// clicks and the navigation buttons. A click stores status 0 and advances; a
// skip stores status 4 with the target's point of the previous frame, but
// never over a clicked point. The furthest point reached is remembered, so
// stopping after stepping back keeps everything input so far.
class DigitizeCursor {
public:
    // What a move did, for the window to show.
    struct Step {
        bool frameChanged = false;
        bool finished = false;
        // An information box to show ("向目标 2 前进"), empty for none.
        std::string notice;
    };

    // Starts at target 0, frame 0 of `table` (its counts are T and F).
    void Start(CPointDataFile* table, DigitizeOrder order);

    DigitizeOrder Order() const { return order_; }
    int Target() const { return target_; }
    int Frame() const { return frame_; }
    bool Finished() const { return finished_; }

    Step Click(float x, float y);
    Step PreviousFrame();
    Step NextFrame();
    Step PreviousTarget();
    Step NextTarget();

    // Whether the point (t, f) was set by a click.
    bool WasClicked(int target, int frame) const;
    // The complete frames (frame order) or targets (target order) reached.
    int CompleteUnits() const;

    static constexpr std::int16_t kClickedStatus = 0;
    static constexpr std::int16_t kSkippedStatus = 4;

private:
    std::size_t Cell(int target, int frame) const;
    void Store(float x, float y, bool clicked);
    void Skip();
    void Reached();
    // One cell forward in the order; sets the step's frame change, the
    // finish and the notice of a new target.
    void Advance(Step& step, const char* newTargetNotice);
    void Merge(Step& into, const Step& step) const;

    CPointDataFile* table_ = nullptr;
    DigitizeOrder order_ = DigitizeOrder::Frames;
    int targets_ = 0;
    int frames_ = 0;
    int target_ = 0;
    int frame_ = 0;
    bool finished_ = false;
    long long reached_ = 0; // furthest cell index in the order
    std::vector<bool> clicked_;
};
