#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

class CCfgFile;
class MeasureDocument;

// The undo and redo history of the open measurement. Every change a window
// or command makes to the point table or the track information is one step:
// the editor calls Record(name) just before it changes anything, then makes
// the change as usual. Undo puts back exactly the point table and track
// information from before the step (and the document is unmodified again
// when that is the saved state); Redo reapplies it. The history is bounded
// in memory (the oldest steps go first) and cleared when another measurement
// is opened.
class MeasureHistory {
public:
    explicit MeasureHistory(MeasureDocument& document);
    MeasureHistory(const MeasureHistory&) = delete;
    MeasureHistory& operator=(const MeasureHistory&) = delete;
    ~MeasureHistory();

    // Before a change named as the user knows it ("平滑化", "手动修正" ...).
    void Record(const std::string& name);
    // The last Record was not followed by a change after all (refused,
    // cancelled, failed): forgets it.
    void Discard();

    bool CanUndo() const;
    bool CanRedo() const;
    // The names shown in the menu ("撤销 平滑化").
    std::string UndoName() const;
    std::string RedoName() const;
    // Both tell the data watchers; false when there is nothing to undo/redo.
    bool Undo();
    bool Redo();

    // Another measurement was opened: nothing to undo.
    void Clear();
    // The measurement was saved: this state is the unmodified one.
    void MarkSaved();

    // The bound of the history: the bytes all kept states may take and the
    // number of steps; the oldest steps go first.
    static constexpr std::size_t kDefaultMaxBytes = std::size_t{256} << 20;
    static constexpr std::size_t kDefaultMaxSteps = 100;
    void SetLimits(std::size_t maxBytes, std::size_t maxSteps);

private:
    struct State;
    using Stack = std::deque<std::unique_ptr<State>>;

    std::unique_ptr<State> Capture(const std::string& name) const;
    std::size_t EstimateBytes() const;
    void Restore(const State& state);
    // Moves the current state to `to` and puts back the top of `from`.
    bool Step(Stack& from, Stack& to);
    std::size_t KeptBytes() const;
    void Trim();
    void MarkBaseline();

    MeasureDocument& document_;
    Stack undo_;
    Stack redo_;
    // The redo steps a Record cleared, back if that Record is discarded.
    Stack discardedRedo_;
    bool recordPending_ = false;
    bool recordKept_ = false;
    unsigned long idBeforeRecord_ = 0;
    // Every state of the document has its own number; the saved one is
    // unmodified.
    unsigned long currentId_ = 0;
    unsigned long nextId_ = 1;
    unsigned long savedId_ = 0;
    bool savedTrackModified_ = false;
    // The track information as last loaded or saved (and whether it was
    // still unsaved then), to tell whether a restored one differs.
    std::unique_ptr<CCfgFile> baselineInfo_;
    bool baselineInfoModified_ = false;
    std::size_t maxBytes_ = kDefaultMaxBytes;
    std::size_t maxSteps_ = kDefaultMaxSteps;
};
