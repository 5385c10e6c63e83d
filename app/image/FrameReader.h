#pragma once

#include "CAviVideo.h"

#include <cstdint>
#include <string>

namespace kova {
class CFrameStore;
class CVideoCapDS;
class Prompter;
} // namespace kova

// Reads single motion images into the frame store and shows them: a BMP file
// (8-bit grey or 24-bit colour) or one frame of a video file (AVI, MP4, MOV,
// MKV ...): 8- and 24-bit videos by the AVI reader, any other the decoder
// reads by the capture object, the fallback reader. The video stays open
// between reads of the same file, so stepping on through it does not reopen
// it. Every failure is reported through the prompter with the program title
// as caption.
class FrameReader {
public:
    FrameReader(kova::CFrameStore& store, kova::CVideoCapDS& capture, kova::Prompter& prompter);

    // 0 success, -1 failure (a missing file blanks the frame). Closes the AVI.
    int ReadBmpFrame(const std::string& path, int frame);
    // AVI frame `aviFrame` (from 1) into store frame `storeFrame`, shown in
    // grey or colour by the file's depth; the file's frame count goes to
    // `count`. 1 success, 0 frame not decoded or a depth other than 8 and 24,
    // -1 file not opened (all silent, so that the caller may try the
    // fallback), kReported for a bad name (reported).
    int ReadAviFrame(const std::string& path, int aviFrame, int storeFrame, int* count);
    // The capture object's reader: AVI frame `aviFrame` (from 1) into colour
    // frame `storeFrame`.
    // 1 success, 0 when the file holds no frame (nothing said), -1 failure
    // (reported).
    int ReadAviFallback(const std::string& path, int aviFrame, int storeFrame, int* count);
    // ReadAviFrame, then the fallback when it fails; 1 on success.
    int ReadAviFrameAnyhow(const std::string& path, int aviFrame, int storeFrame, int* count);
    // Frame count and colour (0 grey, 1 colour) of an AVI file as its reader
    // takes it; false when neither reader opens it. Nothing said.
    bool AviLayout(const std::string& path, int* count, int* color);
    // AVI frame `aviFrame` (from 1) into store frame `storeFrame` in the
    // colour AviLayout gives, without showing it; 1/0, nothing said.
    int LoadAviFrame(const std::string& path, int aviFrame, int storeFrame);
    // Releases the AVI file kept open between reads.
    void CloseAvi();

    // The video name rule: the file name in capitals, trimmed, must be
    // non-empty, free of "*" and "?" and end with ".AVI" or the extension
    // of another video file the decoder reads (".MP4", ".MOV", ".MKV" ...).
    static bool IsVideoName(const std::string& path);
    // Blanks a grey or colour frame.
    void ClearFrame(int frame, bool color);

    static constexpr const char* kCaption = "KOVA";
    static constexpr int kReported = -2;

private:
    // A file kept open, with its identity, size and time when opened.
    struct OpenFile {
        std::string path;
        std::uint64_t stamp[4] = {};
        bool Is(const std::string& other) const;
        void Set(const std::string& opened);
    };

    void Say(const char* text);
    // The AVI reader or the capture object on `path`, opened again only for
    // another file or one that changed on disk.
    bool OpenAvi(const std::string& path);
    bool OpenCapture(const std::string& path);
    bool AviReads() const;

    kova::CFrameStore& store_;
    kova::CVideoCapDS& capture_;
    kova::Prompter& prompter_;
    kova::CAviVideo avi_;
    OpenFile aviFile_;
    OpenFile captureFile_;
};
