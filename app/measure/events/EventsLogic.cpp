#include "EventsLogic.h"

#include "CDisplayServer.h"
#include "MeasureDocument.h"
#include "MeasureHistory.h"
#include "NumberText.h"

#include <algorithm>

EventsLogic::EventsLogic(MeasureDocument& document, CDisplayServer& display)
    : document_(document), display_(display) {
    SetName(kStepName);
}

EventsLogic::~EventsLogic() {
    document_.DataServer().ReleaseWatch(this);
}

void EventsLogic::Opened(EventsControls* controls) {
    controls_ = controls;
    document_.DataServer().CatchWatch(this);
    Refresh();
}

void EventsLogic::Destroyed() {
    document_.DataServer().ReleaseWatch(this);
    controls_ = nullptr;
}

void EventsLogic::Read() {
    CTrackInfo2D& info = document_.Info();
    reference_ = 0;
    info.GetValue("SceneCenter", &reference_);
    // An unreadable list shows as none; the next change replaces it.
    info.GetEvent(&events_, nullptr);
}

void EventsLogic::Refresh() {
    Read();
    const int count = static_cast<int>(events_.size());
    if (selected_ >= count) selected_ = count - 1;
    if (!controls_) return;
    EventsFields fields;
    fields.reference = kova::FormatInt(reference_ + 1);
    for (int frame : events_)
        fields.lines.push_back("Frame " + kova::FormatInt(frame + 1));
    fields.selected = selected_;
    controls_->ShowEvents(fields);
}

void EventsLogic::BeginChange() {
    document_.History().Record(kStepName);
}

void EventsLogic::EndChange() {
    document_.Track().SetModified(1);
    Refresh();
}

void EventsLogic::SetReferenceFrame() {
    Read();
    const int frame = display_.GetPage() - 1;
    if (frame == reference_) return;
    BeginChange();
    document_.Info().SetValue("SceneCenter", frame);
    EndChange();
}

void EventsLogic::AddEventFrame() {
    Read();
    const int frame = display_.GetPage() - 1;
    if (std::find(events_.begin(), events_.end(), frame) != events_.end()) return;
    // One insertion step: from the end towards the front past larger frames.
    std::vector<int> events = events_;
    events.push_back(frame);
    auto at = static_cast<int>(events.size()) - 1;
    for (; at > 0 && events[static_cast<std::size_t>(at - 1)] > frame; --at)
        std::swap(events[static_cast<std::size_t>(at - 1)], events[static_cast<std::size_t>(at)]);
    if (at <= selected_) ++selected_;
    StoreEvents(events);
}

void EventsLogic::DeleteEventFrame() {
    Read();
    if (selected_ < 0 || selected_ >= static_cast<int>(events_.size())) return;
    std::vector<int> events = events_;
    events.erase(events.begin() + selected_);
    StoreEvents(events);
}

void EventsLogic::StoreEvents(const std::vector<int>& events) {
    BeginChange();
    // An empty list erases the key; events are stored without texts.
    document_.Info().SetEvent(events, {});
    EndChange();
}

void EventsLogic::Select(int line) {
    selected_ = line;
}

void EventsLogic::OnDataChanged() {
    selected_ = -1;
    Refresh();
}
