#pragma once

#include <cstdint>

// One point of one target in one frame. status: 0 measured, 1..4 the doubt
// grades of tracking, -1 filled by interpolation. x, y in image pixels.
struct XY_TRACK {
    std::int16_t status;
    float x;
    float y;
};

// One 3D point.
struct XYZ_FLOAT {
    float x;
    float y;
    float z;
};

// Status values of XY_TRACK.
enum TrackStatus : std::int16_t {
    kStatusFound = 0, // one blob found, or clicked
    kStatusLargestOfMany = 1,
    kStatusTooManyBlobs = 2, // more than 64 blobs, largest taken
    kStatusNotFound = 3,     // search centre stored
    kStatusSkipped = 4,      // previous position stored
    kStatusInterpolated = -1
};
