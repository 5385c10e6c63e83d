#pragma once

// The frame store: numbered 8-bit frames held in memory, all of one common
// size. Monochrome (grey) frames are numbered 0 .. Get_nofframe(); frame 0 is
// the work frame of the processing primitives, frames 1 .. N hold images.
// Colour frames are numbered 0 .. Get_nofframe_color(); each consists of
// three monochrome component planes in the order R, G, B, which are
// themselves monochrome frames numbered after the plain grey frames
// (Get_frame_monochrome gives them, Get_color_frame names the colour frame
// that holds a plane), so every monochrome operation also works on a plane.
// Frames take memory only once something is written to them; an untouched
// frame reads as black. The frame size follows the images put at position
// (0, 0): putting an image of another size there resizes every frame,
// keeping the overlapping top-left content. Images put at any other position
// are clipped to the frame. One processing window (inclusive corners,
// always inside the frame) limits every pixel operation that writes images
// or processes pixels; points are clamped into the frame with Check_xy.
// Window marks are a list of rectangles that the display draws. The display
// shows either the displayed grey frame (modes 0 and 1) or the displayed
// colour frame (mode 2); GetNopa32Dib renders it with the window marks as a
// QImage for the view, and Write_dispdib writes that image as a 24-bit BMP.
// Each display change raises a serial number and calls the display callback.

#include "FrameWindow.h"

#include <QImage>
#include <chrono>
#include <functional>
#include <opencv2/core.hpp>
#include <string>
#include <vector>

namespace kova {

class CFrameStore {
public:
    // Result codes of the store's operations.
    static constexpr int kOk = 0;
    static constexpr int kBadFrame = -1;    // frame number outside the store
    static constexpr int kBadArgument = -2; // impossible value or empty image
    static constexpr int kOutside = -3;     // position or rectangle outside the frame

    static constexpr int kDefaultWidth = 640;
    static constexpr int kDefaultHeight = 480;
    static constexpr int kDefaultFrames = 300;
    static constexpr int kDefaultColorFrames = 300;
    static constexpr int kMaxSide = 32768; // largest frame width or height
    static constexpr int kColorDispMode = 2;

    CFrameStore();
    CFrameStore(const CFrameStore&) = delete;
    CFrameStore& operator=(const CFrameStore&) = delete;

    // ---- life ----
    // Sets the directories to their defaults when unset; 1 on success.
    int InitImageSys();
    // Releases every frame's memory.
    void FinishImageSys();

    // ---- frames ----
    void Get_framesize(int& width, int& height) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Resizes every frame, keeping the overlapping top-left content; resets the
    // processing window to the whole frame and clears the window marks.
    int Put_framesize(int width, int height);
    void Get_nofframe(int& count) const { count = monoCount_; }
    void Get_nofframe_color(int& count) const { count = colorCount_; }
    int Get_nofframe() const { return monoCount_; }
    int Get_nofframe_color() const { return colorCount_; }
    // Capacity settings; frames beyond a smaller count are dropped.
    int Put_nofframe(int count);
    int Put_nofframe_color(int count);
    // Component planes (R, G, B) of a colour frame as monochrome frame numbers.
    int Get_frame_monochrome(int colorFrame, int& r, int& g, int& b) const;
    // The colour frame holding a monochrome frame, -1 for a plain grey frame.
    int Get_color_frame(int monoFrame) const;
    bool IsMonoFrame(int frame) const;
    bool IsColorFrame(int frame) const;

    // ---- processing window and window marks ----
    // Sets the window (corners in any order), clamped into the frame.
    int Put_window(int x0, int y0, int x1, int y1);
    void Get_window(int& x0, int& y0, int& x1, int& y1, int& width, int& height) const;
    const FrameWindow& Window() const { return window_; }
    void Put_window_full() { Put_window(0, 0, width_ - 1, height_ - 1); }
    // Clamps a point into the frame.
    void Check_xy(int& x, int& y) const;
    // Adds the current window to the marks, removes the last mark, clears them.
    void Increase_window();
    void Decrease_window();
    void Decrease_window_all();
    const std::vector<FrameWindow>& WindowMarks() const { return marks_; }

    // ---- display ----
    void Put_dispmode(int mode);
    int Get_dispmode() const { return dispMode_; }
    void Change_dispmode(int mode) { Put_dispmode(mode); }
    int Disp_frame(int frame);
    int Disp_frame_color(int frame);
    int Get_dispframe() const { return dispFrame_; }
    int Get_dispframe_color() const { return dispColorFrame_; }
    // Binds the display to a view (marks drawn, callback called) or unbinds it.
    void Disp_window(int on);
    void Get_window_mustdispsw(int& on) const { on = dispOn_ ? 1 : 0; }
    void Put_DispWindow_sx(int x) { scrollX_ = x; }
    void Put_DispWindow_sy(int y) { scrollY_ = y; }
    int Get_DispWindow_sx() const { return scrollX_; }
    int Get_DispWindow_sy() const { return scrollY_; }
    // Grey display through a threshold palette: values in [low, high] white,
    // others black; Clear_threshold_lut restores the normal palette.
    void Put_threshold_lut(int low, int high);
    void Clear_threshold_lut();
    // The displayed image (RGB32), with the window marks while bound.
    QImage GetNopa32Dib() const;
    // Writes the displayed image as a 24-bit BMP; 0 on success.
    int Write_dispdib(const std::string& path) const;
    void Put_display_callback(std::function<void()> callback);
    unsigned long Get_display_serial() const { return dispSerial_; }

    // ---- pixels ----
    // Read_pixel gives 0..255, or -1 outside the store or the frame.
    int Read_pixel(int frame, int x, int y) const;
    int Write_pixel(int frame, int x, int y, int value);
    int Read_pixel_color(int frame, int x, int y, int& r, int& g, int& b) const;
    int Write_pixel_color(int frame, int x, int y, int r, int g, int b);
    // A copy of the processing window of a frame (8-bit grey, or 8-bit BGR for
    // a colour frame) to work on; Post_process writes it back into the window.
    cv::Mat Pre_process(int frame) const;
    int Post_process(int frame, const cv::Mat& buffer);
    cv::Mat Pre_process_color(int frame) const;
    int Post_process_color(int frame, const cv::Mat& buffer);

    // ---- whole images in and out ----
    // Puts an 8-bit grey or 8-bit BGR image with its top-left at (x, y): at
    // (0, 0) the frame size follows the image; elsewhere the image must start
    // inside the frame and is clipped to it. Only pixels inside the processing
    // window are written (the window is reset to the whole frame when the
    // size changes). A BGR image put into a grey frame is converted to grey; a
    // grey image put into a colour frame fills all three planes.
    int Put_image(int frame, const cv::Mat& image, int x, int y);
    int Put_image_color(int frame, const cv::Mat& image, int x, int y);
    // A copy of a whole frame (grey) or colour frame (BGR); empty when the
    // number is outside the store.
    cv::Mat Get_image(int frame) const;
    cv::Mat Get_image_color(int frame) const;
    // Direct access to a monochrome frame's storage (allocated on demand) for
    // the processing primitives; empty Mat for a bad number.
    cv::Mat& Plane(int frame);
    // Read-only view; an unallocated frame gives an empty Mat.
    const cv::Mat& PlaneIfAllocated(int frame) const;
    // Sets every pixel of a frame inside the window (or all, whole = true).
    int Fill_frame(int frame, int value, bool whole);
    // Tells the display that a frame's pixels changed.
    void Touch(int frame);

    // ---- names ----
    // Directory 1 = images, 2 = data, 3 = program; "" for another number.
    std::string Get_directory(int which) const;
    int Put_directory(int which, const std::string& directory);
    // Directory joined with a name by "/" (no separator added after "/" or "\").
    static std::string Make_fullpath(const std::string& directory, const std::string& name);
    // head + number (zero-padded to `digits`, unpadded when digits <= 0) + "." + ext.
    static std::string Get_filename_series_new(const std::string& head, const std::string& ext,
                                               int number, int digits);

    // ---- progress and clock ----
    void Put_progress_pos(int position) { progress_ = position; }
    int Get_progress_pos() const { return progress_; }
    // Milliseconds since the store was created.
    long Get_time() const;

private:
    int MonoPlaneCount() const { return monoCount_ + 1 + 3 * (colorCount_ + 1); }
    int PutGrey(int frame, const cv::Mat& grey, int x, int y);
    int PrepareTarget(const cv::Mat& image, int x, int y, cv::Rect& dst, cv::Rect& src);
    void ResizePlanes(int width, int height);
    void DisplayChanged();
    QImage RenderDisplay() const;

    int width_ = kDefaultWidth;
    int height_ = kDefaultHeight;
    int monoCount_ = kDefaultFrames;
    int colorCount_ = kDefaultColorFrames;
    std::vector<cv::Mat> planes_; // grey frames 0..N, then 3 planes per colour frame
    FrameWindow window_;
    std::vector<FrameWindow> marks_;
    int dispMode_ = 0;
    int dispFrame_ = 1;
    int dispColorFrame_ = 1;
    bool dispOn_ = false;
    int scrollX_ = 0;
    int scrollY_ = 0;
    int lutLow_ = -1;
    int lutHigh_ = -1;
    unsigned long dispSerial_ = 0;
    std::function<void()> dispCallback_;
    std::string directories_[3];
    int progress_ = 0;
    std::chrono::steady_clock::time_point start_;
};

} // namespace kova
