#pragma once

#include <string>
#include <vector>

// What the scene events window shows: the reference frame, one line per
// event frame, and the selected line (-1 none).
struct EventsFields {
    std::string reference;
    std::vector<std::string> lines;
    int selected = -1;
};

// The scene events window as its logic sees it.
class EventsControls {
public:
    EventsControls() = default;
    EventsControls(const EventsControls&) = delete;
    EventsControls& operator=(const EventsControls&) = delete;
    virtual ~EventsControls() = default;

    virtual void ShowEvents(const EventsFields& fields) = 0;
};
