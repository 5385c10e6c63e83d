#include "ReplayValidation.h"

#include "Prompter.h"
#include "ReplaySettings.h"

namespace {

bool Refuse(kova::Prompter& prompter, const char* text) {
    prompter.Show(text, "确认", kova::MessageIcon::Exclamation);
    return false;
}

} // namespace

bool ReplayValidation::Check(const ReplayFields& fields, const MemoryNeed& need,
                             kova::Prompter& prompter) {
    const ReplaySettings& s = fields.settings;
    if (!s.image && !s.trajectories && !s.lines && !s.numbers)
        return Refuse(prompter, kNothingShown);
    if (s.trajectories && fields.targets.empty()) return Refuse(prompter, kNoTarget);
    // Written so that a multiple that is not a number fails too.
    if (!(s.vectorMultiple >= ReplaySettings::kMinMultiple &&
          s.vectorMultiple <= ReplaySettings::kMaxMultiple))
        return Refuse(prompter, kBadMultiple);
    if (fields.frames.empty()) return Refuse(prompter, kNoFrame);
    if (s.image && s.workArea == ReplayWorkArea::Memory) {
        if (need.capacity < need.images) return Refuse(prompter, kStoreTooSmall);
        if (need.bytes > need.limit) return Refuse(prompter, kNoMemory);
    }
    return true;
}
