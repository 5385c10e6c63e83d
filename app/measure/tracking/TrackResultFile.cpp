#include "TrackResultFile.h"

#include "TemporaryBeside.h"

#include <cstring>
#include <vector>

namespace {

// Little-endian encoding of the header and point values.
class Bytes {
public:
    explicit Bytes(std::vector<unsigned char>& data) : data_(data) { data_.clear(); }
    void I16(std::int16_t v) { U(static_cast<std::uint16_t>(v), 2); }
    void U32(std::uint32_t v) { U(v, 4); }
    void F32(float v) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, 4);
        U(bits, 4);
    }
    const std::vector<unsigned char>& Data() const { return data_; }

private:
    void U(std::uint32_t v, int count) {
        for (int i = 0; i < count; ++i)
            data_.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFFu));
    }
    std::vector<unsigned char>& data_;
};

void EncodeHeader(const MeasureHeader& h, std::vector<unsigned char>& out) {
    Bytes b(out);
    b.I16(h.frames);
    b.I16(h.targets);
    b.I16(h.interval);
    b.I16(h.frameRate);
    b.I16(h.timeUnit);
    b.F32(h.scale);
    b.I16(h.lengthUnit);
    b.F32(h.originX);
    b.F32(h.originY);
    b.F32(h.angle);
    b.I16(h.directY);
    b.F32(h.reserved30);
    b.F32(h.reserved34);
    b.F32(h.widthEdge);
    b.F32(h.reserved42);
    b.I16(h.imageType);
    b.I16(h.reserved48);
    b.I16(h.reserved50);
    b.I16(h.firstNumber);
    b.I16(h.lastNumber);
    for (std::int16_t v : h.reserved56)
        b.I16(v);
    for (std::uint32_t v : h.statusCounts)
        b.U32(v);
}

} // namespace

TrackResultFile::~TrackResultFile() {
    file_.reset();
    if (!staged_.empty()) std::remove(staged_.c_str());
}

std::string TrackResultFile::ReserveBeside(const std::string& target) {
    return kova::ReserveTemporaryBeside(target);
}

bool TrackResultFile::Replace(const std::string& staged, const std::string& target) {
    return !kova::IsFolderPath(target) && std::rename(staged.c_str(), target.c_str()) == 0;
}

bool TrackResultFile::CreateStaged(const std::string& target) {
    if (!staged_.empty()) std::remove(staged_.c_str());
    target_ = target;
    staged_ = kova::IsFolderPath(target) ? std::string() : ReserveBeside(target);
    if (staged_.empty()) {
        file_.reset();
        failed_ = true;
        return false;
    }
    return Create(staged_);
}

bool TrackResultFile::Commit() {
    if (file_ || failed_ || staged_.empty() || !Replace(staged_, target_)) return false;
    staged_.clear();
    return true;
}

bool TrackResultFile::Create(const std::string& path) {
    file_.reset(std::fopen(path.c_str(), "wb"));
    failed_ = file_ == nullptr;
    return file_ != nullptr;
}

long TrackResultFile::SeekTo(long offset) {
    if (!file_) return -1;
    if (std::fseek(file_.get(), offset, SEEK_SET) != 0) return -1;
    return std::ftell(file_.get());
}

bool TrackResultFile::Put(const unsigned char* bytes, std::size_t count) {
    if (!file_ || std::fwrite(bytes, 1, count, file_.get()) != count) failed_ = true;
    return !failed_;
}

bool TrackResultFile::WriteRecords(int count, const XY_TRACK* records) {
    Bytes b(buffer_);
    for (int i = 0; i < count; ++i) {
        b.I16(records[i].status);
        b.F32(records[i].x);
        b.F32(records[i].y);
    }
    return Put(b.Data().data(), b.Data().size());
}

bool TrackResultFile::WriteHeader(const MeasureHeader& header) {
    if (!file_ || std::fseek(file_.get(), 0, SEEK_SET) != 0) {
        failed_ = true;
        return false;
    }
    EncodeHeader(header, buffer_);
    Put(buffer_.data(), buffer_.size());
    if (std::fseek(file_.get(), 0, SEEK_END) != 0) failed_ = true;
    return !failed_;
}

bool TrackResultFile::Close() {
    if (!file_) return !failed_;
    if (std::fflush(file_.get()) != 0) failed_ = true;
    if (std::fclose(file_.release()) != 0) failed_ = true;
    return !failed_;
}
