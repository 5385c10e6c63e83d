#pragma once

#include <string>

namespace kova {
class CFrameStore;
class CVideoCapDS;
class Prompter;
} // namespace kova

// Reads single motion images into the frame store and shows them: a BMP file
// (8-bit grey or 24-bit colour) or one frame of an AVI file, with the capture
// object as the fallback reader of AVI files. Every failure is reported
// through the prompter with the program title as caption.
class FrameReader {
public:
    FrameReader(kova::CFrameStore& store, kova::CVideoCapDS& capture, kova::Prompter& prompter);

    // 0 success, -1 failure (a missing file blanks the frame).
    int ReadBmpFrame(const std::string& path, int frame);
    // AVI frame `aviFrame` (from 1) into store frame `storeFrame`, shown in
    // grey or colour by the file's depth; the file's frame count goes to
    // `count`. 1 success, 0 frame not decoded, -1 file not opened (both
    // silent, so that the caller may try the fallback), kReported for a bad
    // name or an unsupported depth (both reported).
    int ReadAviFrame(const std::string& path, int aviFrame, int storeFrame, int* count);
    // The capture object's reader: AVI frame `aviFrame` (from 1) into colour
    // frame `storeFrame`.
    // 1 success, 0 when the file holds no frame (nothing said), -1 failure
    // (reported).
    int ReadAviFallback(const std::string& path, int aviFrame, int storeFrame, int* count);
    // ReadAviFrame, then the fallback when it fails; 1 on success.
    int ReadAviFrameAnyhow(const std::string& path, int aviFrame, int storeFrame, int* count);

    // The AVI name rule: the file name in capitals, trimmed, must be
    // non-empty, free of "*" and "?" and end with ".AVI".
    static bool IsAviName(const std::string& path);
    // Blanks a grey or colour frame.
    void ClearFrame(int frame, bool color);

    static constexpr const char* kCaption = "KOVA";
    static constexpr int kReported = -2;

private:
    void Say(const char* text);

    kova::CFrameStore& store_;
    kova::CVideoCapDS& capture_;
    kova::Prompter& prompter_;
};
