#include "CPointDataFile.h"

#include "CFile.h"

#include <cstdint>

namespace {

// One header value through the byte-order helpers.
template <typename T> int LoadValue(const CPtFile& owner, CFile* file, T* value) {
    return owner.LoadEndianBytes(file, value, static_cast<long>(sizeof(T)));
}

template <typename T> int SaveValue(const CPtFile& owner, CFile* file, const T& value) {
    return owner.SaveEndianBytes(file, &value, static_cast<long>(sizeof(T)));
}

// Visits the 30 header values in file order; stops at the first failure.
template <typename Header, typename Visit> int VisitHeader(Header& h, Visit visit) {
    bool ok = visit(h.frames) && visit(h.targets) && visit(h.interval) && visit(h.frameRate) &&
              visit(h.timeUnit) && visit(h.scale) && visit(h.lengthUnit) && visit(h.originX) &&
              visit(h.originY) && visit(h.angle) && visit(h.directY) && visit(h.reserved30) &&
              visit(h.reserved34) && visit(h.widthEdge) && visit(h.reserved42) &&
              visit(h.imageType) && visit(h.reserved48) && visit(h.reserved50) &&
              visit(h.firstNumber) && visit(h.lastNumber);
    for (int i = 0; ok && i < 5; ++i)
        ok = visit(h.reserved56[i]) != 0;
    for (int i = 0; ok && i < 5; ++i)
        ok = visit(h.statusCounts[i]) != 0;
    return ok ? 1 : 0;
}

} // namespace

CPointDataFile::CPointDataFile() {
    SetBinary(1);
}

int CPointDataFile::LoadHeader(CFile* file, MeasureHeader* header) const {
    if (!file || !header) return 0;
    return VisitHeader(*header, [&](auto& value) { return LoadValue(*this, file, &value); });
}

int CPointDataFile::SaveHeader(CFile* file, const MeasureHeader& header) const {
    if (!file) return 0;
    return VisitHeader(header, [&](const auto& value) { return SaveValue(*this, file, value); });
}

int CPointDataFile::LoadExtra(CFile* /*file*/) {
    return 1;
}
int CPointDataFile::SaveExtra(CFile* /*file*/) {
    return 1;
}
int CPointDataFile::LoadPoint(CFile* /*file*/, XY_TRACK* /*point*/) {
    return 0;
}
int CPointDataFile::SavePoint(CFile* /*file*/, const XY_TRACK* /*point*/) {
    return 0;
}

void CPointDataFile::SetCounts(int targets, int frames) {
    targetCount_ = targets;
    frameCount_ = frames;
    header_.targets = static_cast<std::int16_t>(targets);
    header_.frames = static_cast<std::int16_t>(frames);
}

void CPointDataFile::MakeEmpty() {
    table_.Delete();
    SetCounts(0, 0);
    modified_ = 1;
}

void CPointDataFile::SetHeader(const MeasureHeader& header) {
    header_ = header;
    SetCounts(targetCount_, frameCount_);
}

int CPointDataFile::Create(int targets, int frames) {
    if (targets < 1 || frames < 1) return 0;
    // The header holds both counts in 16 bits; a larger table could not be saved.
    if (targets > MeasureHeader::kMaxCount || frames > MeasureHeader::kMaxCount) return 0;
    if (!table_.IsEmpty()) modified_ = 1;
    if (!table_.CreateArrays(targets, frames)) {
        MakeEmpty();
        return 0;
    }
    SetCounts(targets, frames);
    modified_ = 0;
    return 1;
}

void CPointDataFile::Clear() {
    if (table_.IsEmpty()) return;
    MakeEmpty();
}

int CPointDataFile::AddTarget() {
    if (table_.IsEmpty() || targetCount_ >= MeasureHeader::kMaxCount) return -1;
    int row = table_.InsertData(-1);
    if (row < 0) return -1;
    if (!table_.At(row).Create(frameCount_)) {
        table_.DeleteData(row); // no half-inserted row stays behind
        return -1;
    }
    SetCounts(targetCount_ + 1, frameCount_);
    modified_ = 1;
    return row;
}

int CPointDataFile::DeleteTarget(int target) {
    if (target < 0 || target >= targetCount_) return 0;
    if (table_.DeleteData(target) < 0) return 0;
    SetCounts(targetCount_ - 1, targetCount_ - 1 > 0 ? frameCount_ : 0);
    modified_ = 1;
    return 1;
}

int CPointDataFile::DeleteFrame(int frame) {
    if (frame < 0 || frame >= frameCount_) return 0;
    for (int t = 0; t < targetCount_; ++t) {
        if (table_.At(t).DeleteData(frame) < 0) return 0;
    }
    if (frameCount_ == 1) {
        // The last frame went: the rows are empty, so is the table.
        MakeEmpty();
        return 1;
    }
    SetCounts(targetCount_, frameCount_ - 1);
    modified_ = 1;
    return 1;
}

int CPointDataFile::SetPoint(int target, int frame, const XY_TRACK* point) {
    if (!point || target < 0 || target >= targetCount_ || frame < 0 || frame >= frameCount_)
        return 0;
    if (!table_.SetDataDirect(target, frame, point)) return 0;
    modified_ = 1;
    return 1;
}

int CPointDataFile::GetPoint(int target, int frame, XY_TRACK* point) const {
    if (!point || target < 0 || target >= targetCount_ || frame < 0 || frame >= frameCount_)
        return 0;
    return table_.GetDataDirect(target, frame, point);
}

int CPointDataFile::Load(CFile* file) {
    MeasureHeader read;
    if (!LoadHeader(file, &read) || read.frames < 1 || read.targets < 1 || !LoadExtra(file)) {
        MakeEmpty();
        return 0;
    }
    // The counts must fit in what is left of the file before anything is
    // allocated: a damaged header must not ask for gigabytes.
    const std::int64_t points = static_cast<std::int64_t>(read.frames) * read.targets;
    const long pointBytes = PointBytes() > 0 ? PointBytes() : 1;
    if (points * pointBytes > file->Remaining() || !Create(read.targets, read.frames)) {
        MakeEmpty();
        return 0;
    }
    SetHeader(read);
    for (int f = 0; f < frameCount_; ++f) {
        for (int t = 0; t < targetCount_; ++t) {
            XY_TRACK point{};
            if (!LoadPoint(file, &point) || !table_.SetDataDirect(t, f, &point)) {
                MakeEmpty();
                return 0;
            }
        }
    }
    modified_ = 0;
    return 1;
}

int CPointDataFile::Save(CFile* file) {
    if (header_.frames < 1 || header_.targets < 1 || !SaveHeader(file, header_) || !SaveExtra(file))
        return 0;
    for (int f = 0; f < frameCount_; ++f) {
        for (int t = 0; t < targetCount_; ++t) {
            XY_TRACK point{};
            if (!GetPoint(t, f, &point) || !SavePoint(file, &point)) return 0;
        }
    }
    modified_ = 0;
    return 1;
}

int CPointDataFile::Load(const std::string& path) {
    if (CPtFile::Load(path)) return 1;
    // An unreadable file leaves an empty measurement, never a stale table
    // whose counts disagree with the header.
    MakeEmpty();
    return 0;
}

int CPointDataFile::Save(const std::string& path) {
    const int wasModified = modified_;
    if (CPtFile::Save(path)) return 1;
    modified_ = wasModified; // the file on disk is still the old one
    return 0;
}
