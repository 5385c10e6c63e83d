#pragma once

#include "TrackRecords.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

// A counted array with explicit index checks and rotation operations. Every
// operation reports by its result and never throws for a bad index; only a
// failed deep copy of nested arrays throws std::bad_alloc.
template <typename T> class TEasyArray {
public:
    TEasyArray() = default;
    TEasyArray(const TEasyArray&) = default;
    TEasyArray(TEasyArray&&) noexcept = default;
    TEasyArray& operator=(const TEasyArray& other) {
        if (this != &other) items_ = other.items_;
        return *this;
    }
    TEasyArray& operator=(TEasyArray&&) noexcept = default;
    virtual ~TEasyArray() = default;

    void Delete() { std::vector<T>().swap(items_); }
    void GetCnt(int* count) const {
        if (count) *count = Count();
    }
    int Count() const { return static_cast<int>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }

    // Frees the old contents; n < 1 gives 0 and an empty array.
    int Create(int n) {
        Delete();
        if (n < 1) return 0;
        try {
            items_.resize(static_cast<std::size_t>(n));
        } catch (const std::bad_alloc&) {
            Delete();
            return 0;
        } catch (const std::length_error&) {
            Delete();
            return 0;
        }
        return 1;
    }

    // Keeps the first min(n, count) elements; added ones are zero/empty.
    int Resize(int n) {
        if (n < 0) return 0;
        if (n == 0) {
            Delete();
            return 1;
        }
        try {
            std::vector<T> grown(static_cast<std::size_t>(n));
            std::size_t keep = std::min(grown.size(), items_.size());
            std::copy_n(items_.begin(), keep, grown.begin());
            items_.swap(grown);
        } catch (const std::bad_alloc&) {
            return 0;
        } catch (const std::length_error&) {
            return 0;
        }
        return 1;
    }

    int SetData(int i, const T* src) {
        if (!InRange(i) || !src) return 0;
        items_[static_cast<std::size_t>(i)] = *src;
        return 1;
    }
    int GetData(int i, T* dst) const {
        if (!InRange(i) || !dst) return 0;
        *dst = items_[static_cast<std::size_t>(i)];
        return 1;
    }

    // i = -1 appends; otherwise -1 <= i < count and the element goes to i.
    int InsertData(int i, const T* src) {
        if (!src) return -1;
        T value = *src; // src may point into this array
        return Insert(i, std::move(value));
    }
    int InsertData(int i) { return Insert(i, T{}); }

    int DeleteData(int i) {
        if (!InRange(i)) return -1;
        items_.erase(items_.begin() + i);
        if (items_.empty()) Delete();
        return 1;
    }

    int SwapData(int i, int j) {
        if (!InRange(i) || !InRange(j)) return 0;
        if (i != j)
            std::swap(items_[static_cast<std::size_t>(i)], items_[static_cast<std::size_t>(j)]);
        return 1;
    }

    // Element i moves to j, i+1..j move one towards the front.
    int RollNext(int i, int j) {
        if (i < 0 || i >= j || j >= Count()) return 0;
        std::rotate(items_.begin() + i, items_.begin() + i + 1, items_.begin() + j + 1);
        return 1;
    }
    // Element j moves to i, i..j-1 move one towards the end.
    int RollBack(int i, int j) {
        if (i < 0 || i >= j || j >= Count()) return 0;
        std::rotate(items_.begin() + i, items_.begin() + j, items_.begin() + j + 1);
        return 1;
    }

    // Direct access for readers that already checked the index.
    const T& At(int i) const { return items_[static_cast<std::size_t>(i)]; }
    T& At(int i) { return items_[static_cast<std::size_t>(i)]; }
    const T* Data() const { return items_.empty() ? nullptr : items_.data(); }
    T* Data() { return items_.empty() ? nullptr : items_.data(); }

protected:
    bool InRange(int i) const { return i >= 0 && i < Count(); }

private:
    int Insert(int i, T&& value) {
        if (i < -1 || i >= Count()) return -1;
        try {
            if (i == -1) {
                items_.push_back(std::move(value));
                return Count() - 1;
            }
            items_.insert(items_.begin() + i, std::move(value));
        } catch (const std::bad_alloc&) {
            return -1;
        }
        return i;
    }

    std::vector<T> items_;
};

// Rows of arrays: one row per target, one entry per frame in a point table.
template <typename T> class TEasyArrays : public TEasyArray<TEasyArray<T>> {
    using Base = TEasyArray<TEasyArray<T>>;

public:
    // rows x cols zeroed elements; any failure leaves the object empty.
    int CreateArrays(int rows, int cols) {
        this->Delete();
        if (rows < 1 || cols < 1) return 0;
        try {
            if (!Base::Create(rows)) return 0;
            for (int r = 0; r < rows; ++r) {
                if (!this->At(r).Create(cols)) {
                    this->Delete();
                    return 0;
                }
            }
        } catch (const std::bad_alloc&) {
            this->Delete();
            return 0;
        }
        return 1;
    }

    // Changes the number of rows; added rows are empty.
    int ResizeData(int rows) { return Base::Resize(rows); }

    int GetDataDirect(int row, int col, T* dst) const {
        if (!this->InRange(row)) return 0;
        return this->At(row).GetData(col, dst);
    }
    int SetDataDirect(int row, int col, const T* src) {
        if (!this->InRange(row)) return 0;
        return this->At(row).SetData(col, src);
    }
};

extern template class TEasyArray<XY_TRACK>;
extern template class TEasyArray<XYZ_FLOAT>;
extern template class TEasyArray<TEasyArray<XY_TRACK>>;
extern template class TEasyArray<TEasyArray<XYZ_FLOAT>>;
extern template class TEasyArrays<XY_TRACK>;
extern template class TEasyArrays<XYZ_FLOAT>;
