#pragma once

#include <functional>
#include <string>

namespace kova {

class CFrameStore;
class Prompter;

// The text image operations of the image file commands: read a file into a
// grey or colour frame, write a frame, and the series loops, with every
// failure reported through the prompter in a plain message box (caption
// "Capvo", no icon). Single operations give 0 on success and -1 on failure;
// the series loops give the result of their last file (-1 when none ran).
class CTextImage {
public:
    CTextImage(CFrameStore& store, Prompter& prompter) : store_(store), prompter_(prompter) {}

    int ReadMono(const std::string& path, int frame);
    int ReadColor(const std::string& path, int colorFrame);
    int WriteMono(const std::string& path, int frame, int window);
    int WriteColor(const std::string& path, int colorFrame, int window);

    // Files head + number (4 digits) + "." + ext in the store's image
    // directory: file firstNumber + i <-> frame firstFrame + i, for frames
    // firstFrame .. lastFrame. Before each file a progress position of -1
    // stops the loop (and is reset to 0); after each file read the frame is
    // displayed, the progress position set to the files done and the event
    // pump called. The loop ends at the first file that fails.
    int ReadSeriesMono(int firstNumber, int firstFrame, int lastFrame, const std::string& head,
                       const std::string& ext);
    int ReadSeriesColor(int firstNumber, int firstFrame, int lastFrame, const std::string& head,
                        const std::string& ext);
    int WriteSeriesMono(int firstFrame, int lastFrame, int firstNumber, const std::string& head,
                        const std::string& ext, int window);
    int WriteSeriesColor(int firstFrame, int lastFrame, int firstNumber, const std::string& head,
                         const std::string& ext, int window);

    // Called between the files of a series so that the user can press Stop.
    void SetEventPump(std::function<void()> pump) { pump_ = std::move(pump); }

    // The text of a failure reason ("无效的句法" ...).
    static std::string ReasonText(int reason);
    // The path of series file `number`.
    std::string SeriesPath(const std::string& head, int number, const std::string& ext) const;

    static const char* const kCaption;

private:
    int Read(const std::string& path, int frame, bool color);
    int Write(const std::string& path, int frame, bool color, int window);
    int ReadSeries(int firstNumber, int firstFrame, int lastFrame, const std::string& head,
                   const std::string& ext, bool color);
    int WriteSeries(int firstFrame, int lastFrame, int firstNumber, const std::string& head,
                    const std::string& ext, int window, bool color);
    bool Stopped();
    void Show(const std::string& text);

    CFrameStore& store_;
    Prompter& prompter_;
    std::function<void()> pump_;
};

} // namespace kova
