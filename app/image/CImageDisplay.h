#pragma once

#include "AxisDisplay.h"
#include "CDisplayServer.h"
#include "FrameReader.h"

#include <QColor>
#include <string>
#include <vector>

class CCfgFile;
class CTrackFile2D;
namespace kova {
class Progress;
}

// The image display of the view: the display server of the image window,
// extended by the motion images it shows (a list of series files or an AVI
// range, read into the frame store all at once or page by page), the
// calibration axes, and the nearest-target hit test.
class CImageDisplay : public CDisplayServer {
public:
    // Series kinds: 0 grey BMP, 1 colour BMP, 2 grey series, 3 colour series.
    static bool IsColorKind(int kind) { return kind % 2 == 1; }

    CImageDisplay(kova::CFrameStore& store, kova::CVideoCapDS& capture, kova::Prompter& prompter);

    FrameReader& Reader() { return reader_; }
    AxisDisplay& Axes() { return axes_; }
    const AxisDisplay& Axes() const { return axes_; }
    kova::CFrameStore& Store() { return store_; }

    void SetConfig(CCfgFile* config) { axes_.SetConfig(config); }
    void SetTrackFile(CTrackFile2D* track) { track_ = track; }

    // Reads every file of the series into frames 1 .. count, with the
    // progress dialog; 1 success, 0 when the store is too small (nothing
    // said) or the user stopped (reported).
    int LoadSeries(const std::vector<std::string>& names, int kind, kova::Progress& progress);
    // Keeps the names only; frames are read when shown.
    int SetSeries(const std::vector<std::string>& names, int kind);
    // The same for AVI frames first .. last (from 1) of one file.
    int LoadAvi(const std::string& path, int first, int last, kova::Progress& progress);
    int SetAvi(const std::string& path, int first, int count, int color);

    // Shows page n (1-based) of the images; 1 when a frame was shown.
    int ShowPage(int page);
    // The target whose point in the frame shown is nearest to (x, y), lowest
    // index on ties; -1 without targets.
    int NearestTarget(int x, int y) const;

    bool HasImages() const { return imagesPresent_; }
    bool AllInStore() const { return allInStore_; }
    int PageCount() const;
    int SeriesKind() const { return kind_; }
    const std::vector<std::string>& SeriesNames() const { return names_; }
    const std::string& AviPath() const { return aviPath_; }
    int AviCount() const { return aviCount_; }
    bool AviColor() const { return aviColor_ != 0; }

    // Fills the frame area while no image is present.
    QColor Background() const { return background_; }
    void SetBackground(const QColor& color) { background_ = color; }

    // Axis display on and off (counted) for the current frame size; repaints.
    void AxisOn();
    void AxisOff();

    // The overlays of one paint, in image pixels: the axes, then the clients.
    void PaintOverlays(QPainter* painter);

    static constexpr const char* kInterrupted = "图像读入被中断。";

private:
    bool HasCapacity(int count, bool color) const;
    bool Interrupted(kova::Progress& progress);
    void ForgetLoaded();

    kova::CFrameStore& store_;
    kova::Prompter& prompter_;
    FrameReader reader_;
    AxisDisplay axes_;
    CTrackFile2D* track_ = nullptr;
    bool imagesPresent_ = false;
    bool allInStore_ = false;
    std::vector<std::string> names_;
    int kind_ = 0;
    QColor background_ = Qt::white;
    std::string aviPath_;
    int aviFirst_ = 1;
    int aviCount_ = 0;
    int aviColor_ = 0;
};
