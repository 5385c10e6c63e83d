#include "MeasureHistory.h"

#include "CCfgFile.h"
#include "MeasureDocument.h"

#include <new>
#include <utility>
#include <vector>

// One kept state of the document: the point table with its header and the
// track information's records, and the name of the step it belongs to.
struct MeasureHistory::State {
    std::string name;
    unsigned long id = 0;
    MeasureHeader header;
    int targets = 0;
    int frames = 0;
    std::vector<XY_TRACK> points; // target by target, every frame of each
    CCfgFile info;                // records only: never saves itself
    std::size_t bytes = 0;
};

namespace {

// What a state of this table and information takes, estimated before any of
// it is copied (the records by their text plus a list node's overhead).
constexpr std::size_t kRecordOverhead = 64;
constexpr std::size_t kValueOverhead = 32;

std::size_t InfoBytes(const CCfgFile& info) {
    std::size_t bytes = 0;
    for (const CCommand& record : info.Records()) {
        bytes += kRecordOverhead + record.Name().size();
        for (const std::string& value : record.Values())
            bytes += kValueOverhead + value.size();
    }
    return bytes;
}

bool SameRecords(const CCfgFile& a, const CCfgFile& b) {
    const auto& left = a.Records();
    const auto& right = b.Records();
    if (left.size() != right.size()) return false;
    for (auto l = left.begin(), r = right.begin(); l != left.end(); ++l, ++r) {
        if (l->Name() != r->Name() || l->Values() != r->Values()) return false;
    }
    return true;
}

// The data lock of the document's own client for the time of an undo or
// redo; the watchers are told of the change when it is released.
class DocumentLock {
public:
    explicit DocumentLock(MeasureDocument& document)
        : document_(document), held_(document.DataServer().LockData(&document.Client()) != 0) {}
    DocumentLock(const DocumentLock&) = delete;
    DocumentLock& operator=(const DocumentLock&) = delete;
    ~DocumentLock() {
        if (held_) document_.DataServer().UnLockData(&document_.Client(), 1);
    }
    bool Held() const { return held_; }

private:
    MeasureDocument& document_;
    bool held_;
};

} // namespace

MeasureHistory::MeasureHistory(MeasureDocument& document) : document_(document) {
    Clear();
}

MeasureHistory::~MeasureHistory() = default;

void MeasureHistory::SetLimits(std::size_t maxBytes, std::size_t maxSteps) {
    maxBytes_ = maxBytes;
    maxSteps_ = maxSteps;
    Trim();
}

std::size_t MeasureHistory::EstimateBytes() const {
    const CTrackFile2D& track = document_.Track();
    const std::size_t points =
        static_cast<std::size_t>(track.GetTargetCount()) * track.GetFrameCount();
    return sizeof(State) + points * sizeof(XY_TRACK) + InfoBytes(document_.Info());
}

std::unique_ptr<MeasureHistory::State> MeasureHistory::Capture(const std::string& name) const {
    const std::size_t bytes = EstimateBytes();
    if (bytes > maxBytes_) return nullptr; // could never be kept
    try {
        auto state = std::make_unique<State>();
        const CTrackFile2D& track = document_.Track();
        state->name = name;
        state->id = currentId_;
        state->header = track.GetHeader();
        state->targets = track.GetTargetCount();
        state->frames = track.GetFrameCount();
        state->points.resize(static_cast<std::size_t>(state->targets) * state->frames);
        std::size_t i = 0;
        for (int t = 0; t < state->targets; ++t) {
            for (int f = 0; f < state->frames; ++f)
                track.GetPoint(t, f, &state->points[i++]);
        }
        state->info = document_.Info();
        state->bytes = bytes;
        return state;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void MeasureHistory::Restore(const State& state) {
    CTrackFile2D& track = document_.Track();
    if (state.targets > 0 && state.frames > 0 && track.Create(state.targets, state.frames)) {
        std::size_t i = 0;
        for (int t = 0; t < state.targets; ++t) {
            for (int f = 0; f < state.frames; ++f)
                track.SetPoint(t, f, &state.points[i++]);
        }
    } else {
        track.Clear();
    }
    track.SetHeader(state.header);
    CTrackInfo2D& info = document_.Info();
    static_cast<CCfgFile&>(info) = state.info;

    currentId_ = state.id;
    const bool saved = currentId_ == savedId_;
    track.SetModified(saved ? savedTrackModified_ : 1);
    const bool sameInfo = baselineInfo_ && SameRecords(info, *baselineInfo_);
    info.SetModified(sameInfo ? baselineInfoModified_ : 1);
}

void MeasureHistory::Record(const std::string& name) {
    recordPending_ = true;
    idBeforeRecord_ = currentId_;
    discardedRedo_ = std::move(redo_);
    redo_.clear();
    std::unique_ptr<State> before = Capture(name);
    recordKept_ = before != nullptr;
    if (recordKept_) {
        undo_.push_back(std::move(before));
    } else {
        // A state too large to keep: the steps before it could no longer be
        // undone one by one.
        undo_.clear();
        discardedRedo_.clear();
    }
    currentId_ = nextId_++;
    Trim();
}

void MeasureHistory::Discard() {
    if (!recordPending_) return;
    recordPending_ = false;
    if (recordKept_ && !undo_.empty()) undo_.pop_back();
    redo_ = std::move(discardedRedo_);
    discardedRedo_.clear();
    currentId_ = idBeforeRecord_;
}

bool MeasureHistory::CanUndo() const {
    return !undo_.empty();
}

bool MeasureHistory::CanRedo() const {
    return !redo_.empty();
}

std::string MeasureHistory::UndoName() const {
    return undo_.empty() ? std::string("撤销") : "撤销 " + undo_.back()->name;
}

std::string MeasureHistory::RedoName() const {
    return redo_.empty() ? std::string("重做") : "重做 " + redo_.back()->name;
}

bool MeasureHistory::Step(Stack& from, Stack& to) {
    if (from.empty()) return false;
    DocumentLock lock(document_);
    if (!lock.Held()) return false; // an editor holds the points
    recordPending_ = false;
    discardedRedo_.clear();
    std::unique_ptr<State> target = std::move(from.back());
    from.pop_back();
    std::unique_ptr<State> current = Capture(target->name);
    if (current)
        to.push_back(std::move(current));
    else
        to.clear(); // too large to keep: this step cannot be taken back
    Restore(*target);
    Trim();
    return true;
}

bool MeasureHistory::Undo() {
    return Step(undo_, redo_);
}

bool MeasureHistory::Redo() {
    return Step(redo_, undo_);
}

std::size_t MeasureHistory::KeptBytes() const {
    std::size_t bytes = 0;
    for (const Stack* stack : {&undo_, &redo_, &discardedRedo_}) {
        for (const auto& state : *stack)
            bytes += state->bytes;
    }
    return bytes;
}

void MeasureHistory::Trim() {
    while (undo_.size() + redo_.size() > maxSteps_ || KeptBytes() > maxBytes_) {
        if (!undo_.empty())
            undo_.pop_front();
        else if (!redo_.empty())
            redo_.pop_front(); // the redo step farthest from now
        else
            discardedRedo_.clear();
    }
}

void MeasureHistory::MarkBaseline() {
    savedId_ = currentId_;
    savedTrackModified_ = document_.Track().IsModified() != 0;
    baselineInfoModified_ = document_.Info().IsModified() != 0;
    try {
        auto info = std::make_unique<CCfgFile>();
        *info = document_.Info();
        baselineInfo_ = std::move(info);
    } catch (const std::bad_alloc&) {
        baselineInfo_.reset(); // every restored information counts as changed
    }
}

void MeasureHistory::Clear() {
    undo_.clear();
    redo_.clear();
    discardedRedo_.clear();
    recordPending_ = false;
    currentId_ = nextId_++;
    MarkBaseline();
}

void MeasureHistory::MarkSaved() {
    MarkBaseline();
}
