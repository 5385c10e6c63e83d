#include "CImageDisplay.h"

#include "CFrameStore.h"
#include "CTrackFile2D.h"
#include "Progress.h"
#include "Prompter.h"

#include <limits>

namespace {

std::string ReadingText(int frame) {
    return "帧 " + std::to_string(frame) + " 在读入中。";
}

} // namespace

CImageDisplay::CImageDisplay(kova::CFrameStore& store, kova::CVideoCapDS& capture,
                             kova::Prompter& prompter)
    : CDisplayServer(&prompter), store_(store), prompter_(prompter),
      reader_(store, capture, prompter) {}

int CImageDisplay::PageCount() const {
    return names_.empty() ? aviCount_ : static_cast<int>(names_.size());
}

bool CImageDisplay::HasCapacity(int count, bool color) const {
    return count >= 1 && (color ? store_.Get_nofframe_color() : store_.Get_nofframe()) >= count;
}

bool CImageDisplay::Interrupted(kova::Progress& progress) {
    if (!progress.Poll()) return false;
    progress.Close();
    prompter_.Show(kInterrupted, "确认", kova::MessageIcon::Exclamation);
    ForgetLoaded();
    return true;
}

void CImageDisplay::ForgetLoaded() {
    allInStore_ = false;
    names_.clear();
    aviPath_.clear();
    aviCount_ = 0;
    imagesPresent_ = false;
}

int CImageDisplay::LoadSeries(const std::vector<std::string>& names, int kind,
                              kova::Progress& progress) {
    const int count = static_cast<int>(names.size());
    if (allInStore_ && names == names_ && kind == kind_) return 1;
    if (!HasCapacity(count, IsColorKind(kind))) return 0;
    names_ = names;
    kind_ = kind;
    aviPath_.clear();
    aviCount_ = 0;
    imagesPresent_ = true;
    allInStore_ = false;
    progress.Open(count);
    for (int i = 1; i <= count; ++i) {
        if (Interrupted(progress)) return 0;
        progress.Step(i, ReadingText(i));
        reader_.ClearFrame(i, IsColorKind(kind));
        reader_.ReadBmpFrame(names[static_cast<std::size_t>(i - 1)], i);
    }
    progress.Close();
    allInStore_ = true;
    Refresh();
    return 1;
}

int CImageDisplay::SetSeries(const std::vector<std::string>& names, int kind) {
    names_ = names;
    kind_ = kind;
    aviPath_.clear();
    aviCount_ = 0;
    imagesPresent_ = !names.empty();
    allInStore_ = false;
    reader_.ClearFrame(1, IsColorKind(kind));
    return 1;
}

int CImageDisplay::LoadAvi(const std::string& path, int first, int last, kova::Progress& progress) {
    const int count = last - first + 1;
    if (allInStore_ && names_.empty() && path == aviPath_ && first == aviFirst_ &&
        count == aviCount_)
        return 1;
    if (first < 1 || count < 1 || !FrameReader::IsVideoName(path)) return 0;
    int frames = 0, color = 0;
    if (!reader_.AviLayout(path, &frames, &color) || last > frames) return 0;
    if (!HasCapacity(count, color != 0)) return 0;
    names_.clear();
    aviPath_ = path;
    aviFirst_ = first;
    aviCount_ = count;
    aviColor_ = color;
    imagesPresent_ = true;
    allInStore_ = false;
    store_.Put_window_full();
    progress.Open(count);
    for (int i = 1; i <= count; ++i) {
        if (Interrupted(progress)) return 0;
        progress.Step(i, ReadingText(i));
        reader_.ClearFrame(i, color != 0);
        reader_.LoadAviFrame(path, first + i - 1, i);
    }
    progress.Close();
    store_.Put_dispmode(color ? kova::CFrameStore::kColorDispMode : 0);
    if (color)
        store_.Disp_frame_color(1);
    else
        store_.Disp_frame(1);
    allInStore_ = true;
    Refresh();
    return 1;
}

int CImageDisplay::SetAvi(const std::string& path, int first, int count, int color) {
    names_.clear();
    aviPath_ = path;
    aviFirst_ = first < 1 ? 1 : first;
    aviCount_ = count;
    aviColor_ = color;
    imagesPresent_ = count > 0;
    allInStore_ = false;
    reader_.ClearFrame(1, color != 0);
    return 1;
}

int CImageDisplay::ShowPage(int page) {
    if (!SetPage(page)) return 0;
    const int count = PageCount();
    if (count <= 0 || page < 1 || page > count) return 0;
    int shown = 0;
    const bool color = names_.empty() ? aviColor_ != 0 : IsColorKind(kind_);
    if (allInStore_) {
        store_.Put_dispmode(color ? kova::CFrameStore::kColorDispMode : 0);
        shown = (color ? store_.Disp_frame_color(page) : store_.Disp_frame(page)) ==
                kova::CFrameStore::kOk;
    } else if (!names_.empty()) {
        shown = reader_.ReadBmpFrame(names_[static_cast<std::size_t>(page - 1)], 1) == 0;
    } else {
        shown = reader_.ReadAviFrameAnyhow(aviPath_, aviFirst_ + page - 1, 1, nullptr) == 1;
    }
    Refresh();
    return shown;
}

int CImageDisplay::NearestTarget(int x, int y) const {
    if (!track_ || track_->GetTargetCount() <= 0) return -1;
    const int frame = GetPage() - 1;
    int best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (int t = 0; t < track_->GetTargetCount(); ++t) {
        XY_TRACK point{};
        if (!track_->GetPoint(t, frame, &point)) continue;
        const double dx = static_cast<double>(point.x) - x;
        const double dy = static_cast<double>(point.y) - y;
        const double distance = dx * dx + dy * dy;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = t;
        }
    }
    return best;
}

void CImageDisplay::AxisOn() {
    axes_.TurnOn(store_.Width(), store_.Height());
    Refresh();
}

void CImageDisplay::AxisOff() {
    axes_.TurnOff();
    Refresh();
}

void CImageDisplay::PaintOverlays(QPainter* painter) {
    axes_.Paint(painter);
    DoDisplayPaint(painter);
}
