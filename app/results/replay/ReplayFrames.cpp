#include "ReplayFrames.h"

#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "ImageSource.h"

#include <QPainter>
#include <algorithm>
#include <unistd.h>

MemoryNeed ReplayFrames::Need() const {
    MemoryNeed need;
    need.limit = MemoryLimit();
    if (!display_.HasImages()) return need;
    const kova::CFrameStore& store = display_.Store();
    const bool colour = display_.SeriesNames().empty()
                            ? display_.AviColor()
                            : CImageDisplay::IsColorKind(display_.SeriesKind());
    need.images = display_.PageCount();
    need.capacity = colour ? store.Get_nofframe_color() : store.Get_nofframe();
    need.bytes = std::int64_t{need.images} * store.Width() * store.Height() * (colour ? 3 : 1);
    return need;
}

bool ReplayFrames::LoadAll(kova::Progress& progress) {
    if (!display_.HasImages()) return true;
    if (!display_.SeriesNames().empty())
        return display_.LoadSeries(display_.SeriesNames(), display_.SeriesKind(), progress) == 1;
    const int first = std::max(1, source_.aviFirst);
    return display_.LoadAvi(display_.AviPath(), first, first + display_.AviCount() - 1, progress) ==
           1;
}

bool ReplayFrames::Show(int page, bool read) {
    const int previous = display_.GetPage();
    if (!read || !display_.HasImages()) {
        if (!display_.SetPage(page)) return false;
        display_.Refresh();
        return true;
    }
    if (page < 1 || page > display_.PageCount()) return false;
    if (display_.ShowPage(page) == 1) return true;
    display_.SetPage(previous);
    display_.Refresh();
    return false;
}

QImage ReplayFrames::Rendered() const {
    QImage image = display_.Store().GetNopa32Dib();
    QPainter painter(&image);
    display_.PaintOverlays(&painter);
    return image;
}

std::int64_t ReplayFrames::MemoryLimit() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long size = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || size <= 0) return std::int64_t{1} << 31;
    return std::int64_t{pages} * size / 4 * 3;
}
