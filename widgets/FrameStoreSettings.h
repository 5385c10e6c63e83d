#pragma once

#include <string>

class QSettings;
namespace kova {
class CFrameStore;
}

// The frame store's settings kept between runs: how many grey and colour
// frames it holds and its image, data and program directories.
struct FrameStoreSettings {
    static constexpr int kMaxFrames = 10000;

    int greyFrames = 0;
    int colorFrames = 0;
    std::string directories[3];

    // The store's current values.
    static FrameStoreSettings From(const kova::CFrameStore& store);
    // The saved values; what is not saved (or out of range) keeps `fallback`.
    static FrameStoreSettings Load(QSettings& settings, const FrameStoreSettings& fallback);
    void Save(QSettings& settings) const;
    // Gives the store these counts and directories; false when a count is out
    // of range (the store is then unchanged).
    bool Apply(kova::CFrameStore& store) const;
    bool IsValid() const;
};
