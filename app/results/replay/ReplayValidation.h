#pragma once

#include <cstdint>

struct ReplayFields;
namespace kova {
class Prompter;
}

// The images "内存" would read into the frame store, and what the store and
// the machine hold.
struct MemoryNeed {
    int images = 0;         // images of the motion sequence to load
    std::int64_t bytes = 0; // the memory they take in the store
    int capacity = 0;       // grey or colour frames the store holds
    std::int64_t limit = 0; // memory the store may take
};

// The checks of "执行设定", in order, each refusal with caption "确认" and
// the exclamation icon: something to show, a target for the trajectories,
// the vector multiple in 0.01..1000, a selected frame, and for "内存" with
// the image on, a store that holds the images and memory for them.
class ReplayValidation {
public:
    static bool Check(const ReplayFields& fields, const MemoryNeed& need, kova::Prompter& prompter);

    static constexpr const char* kNothingShown = "请选择表示对像。";
    static constexpr const char* kNoTarget = "请选择项目。";
    static constexpr const char* kBadMultiple = "矢量倍数异常。";
    static constexpr const char* kNoFrame = "没有帧。";
    static constexpr const char* kStoreTooSmall = "帧数量设定不足。";
    static constexpr const char* kNoMemory = "内存不足。";
};
