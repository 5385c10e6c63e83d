#pragma once

#include <string>

// The four operations of the image file dialog, in the order of its radio
// buttons.
enum class ImageFileOperation { Load, Save, Delete, Information };

// The values of the image file dialog's controls.
struct ImageFileFields {
    ImageFileOperation operation = ImageFileOperation::Load;
    std::string file1 = "TEMP.BMP"; // first file name, without directory
    std::string file2;              // last file name of a series
    std::string directory;          // the image directory (the store's directory 1)
    bool continuous = false;        // a numbered series instead of one file
    bool withinWindow = true;       // only the processing window
    int startX = 0;                 // load position in the frame
    int startY = 0;
    int startFrame = 1;
    int endFrame = 1;
    bool fieldUnit = false;      // save interlaced fields instead of frames
    bool evenFieldFirst = false; // in field unit, the even field is written first
    int interval = 1;            // frame interval of a saved series
};

// The image file window as its logic sees it: the logic pulls the controls
// into its fields before it works and pushes them back afterwards.
class ImageFileControls {
public:
    ImageFileControls() = default;
    ImageFileControls(const ImageFileControls&) = delete;
    ImageFileControls& operator=(const ImageFileControls&) = delete;
    virtual ~ImageFileControls() = default;

    virtual void ReadControls(ImageFileFields* fields) = 0;
    virtual void WriteControls(const ImageFileFields& fields) = 0;
    // An operation starts (run off, stop on, close off) or ends.
    virtual void SetRunning(bool running) = 0;
};
