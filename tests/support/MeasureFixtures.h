#pragma once

#include "CTrackFile2D.h"
#include "Prompter.h"
#include "TrackRecords.h"

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

// Small measurements and hand-made file bytes for the measurement tests.
namespace kova::test {

// Little-endian bytes of a value, built byte by byte.
inline void PutLE(std::string* bytes, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}
inline void PutI16(std::string* bytes, int value) {
    PutLE(bytes, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
}
inline void PutF32(std::string* bytes, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, 4);
    PutLE(bytes, bits, 4);
}

// A header with every field set, as a file holds it (86 bytes).
inline std::string HeaderBytes(int frames, int targets) {
    std::string b;
    PutI16(&b, frames);
    PutI16(&b, targets);
    PutI16(&b, 2);      // interval
    PutI16(&b, 30);     // frame rate
    PutI16(&b, 4);      // time unit s
    PutF32(&b, 0.5f);   // scale
    PutI16(&b, 3);      // length unit mm
    PutF32(&b, 12.25f); // origin x
    PutF32(&b, -3.5f);  // origin y
    PutF32(&b, 0.75f);  // angle
    PutI16(&b, -1);     // y direction
    PutF32(&b, 0.0f);
    PutF32(&b, 0.0f);
    PutF32(&b, 639.0f); // width edge
    PutF32(&b, 0.0f);
    PutI16(&b, 2); // colour images
    PutI16(&b, 0);
    PutI16(&b, 0);
    PutI16(&b, 101); // first number
    PutI16(&b, 103); // last number
    for (int i = 0; i < 5; ++i)
        PutI16(&b, 0);
    for (std::uint32_t i = 0; i < 5; ++i)
        PutLE(&b, 1000 + i, 4); // status counts
    return b;
}

// The header that HeaderBytes describes.
inline MeasureHeader SampleHeader() {
    MeasureHeader h;
    h.interval = 2;
    h.frameRate = 30;
    h.timeUnit = 4;
    h.scale = 0.5f;
    h.lengthUnit = 3;
    h.originX = 12.25f;
    h.originY = -3.5f;
    h.angle = 0.75f;
    h.directY = -1;
    h.widthEdge = 639.0f;
    h.imageType = 2;
    h.firstNumber = 101;
    h.lastNumber = 103;
    for (std::uint32_t i = 0; i < 5; ++i)
        h.statusCounts[i] = 1000 + i;
    return h;
}

// The point of target t in frame f of the sample measurements.
inline XY_TRACK SamplePoint(int t, int f) {
    return XY_TRACK{static_cast<std::int16_t>((t + f) % 5), static_cast<float>(10 * t + f) + 0.25f,
                    static_cast<float>(100 + f * t)};
}

// A measurement of `targets` x `frames` sample points with the sample header.
inline void FillSample(CTrackFile2D* track, int targets, int frames) {
    track->Create(targets, frames);
    track->SetHeader(SampleHeader());
    for (int t = 0; t < targets; ++t)
        for (int f = 0; f < frames; ++f) {
            XY_TRACK p = SamplePoint(t, f);
            track->SetPoint(t, f, &p);
        }
}

// One row of points for a target.
inline void SetRow(CTrackFile2D* track, int target, const std::vector<XY_TRACK>& row) {
    for (std::size_t f = 0; f < row.size(); ++f)
        track->SetPoint(target, static_cast<int>(f), &row[f]);
}

inline XY_TRACK At(const CTrackFile2D& track, int t, int f) {
    XY_TRACK p{};
    track.GetPoint(t, f, &p);
    return p;
}

} // namespace kova::test

inline bool operator==(const XY_TRACK& a, const XY_TRACK& b) {
    return a.status == b.status && a.x == b.x && a.y == b.y;
}
inline void PrintTo(const XY_TRACK& p, std::ostream* out) {
    *out << '{' << p.status << ", " << p.x << ", " << p.y << '}';
}

namespace kova {
// Readable failure output for message comparisons.
inline void PrintTo(const Message& m, std::ostream* out) {
    *out << '{' << m.text << " | " << m.caption << " | icon " << static_cast<int>(m.icon)
         << " | buttons " << static_cast<int>(m.buttons) << '}';
}
} // namespace kova
