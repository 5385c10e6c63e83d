#pragma once

#include "FrameSource.h"

// Images already held in the frame store (frames first .. first + count - 1,
// grey or colour): nothing is read, image k is store frame first + k - 1.
// Used for in-memory runs (benchmarks, tests of the engine).
class StoreFrameSource : public FrameSource {
public:
    StoreFrameSource(int firstFrame, int count) : firstFrame_(firstFrame), count_(count) {}

    int Count() const override { return count_; }
    int FirstNumber() const override { return 1; }
    int LastNumber() const override { return count_; }
    int Load(int k, bool /*colour*/, int& frame) override {
        frame = firstFrame_ + k - 1;
        return 0;
    }
    void StoreSource(CCfgFile& /*info*/) const override {}

private:
    int firstFrame_;
    int count_;
};
