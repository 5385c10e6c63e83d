#pragma once

#include <string>
#include <vector>

// One record of a keyed file: a name and zero or more values held as text.
class CCommand {
public:
    CCommand() = default;

    void Delete();
    // `name` with `count` empty values; an empty name or count < 0 gives 0.
    int Create(const std::string& name, int count);
    // Parses one line of a keyed file: the comment from the first '#' on is
    // dropped, the rest split at any of `delimiters`; a token in double
    // quotes is one value ("\"" and "\\" escaped). 0 when there is no token.
    int Create(const std::string& line, const std::string& delimiters);

    void GetName(std::string* name) const {
        if (name) *name = name_;
    }
    const std::string& Name() const { return name_; }
    int GetDataCnt() const { return static_cast<int>(values_.size()); }
    const std::vector<std::string>& Values() const { return values_; }

    int GetValue(int i, int* v) const;
    int GetValue(int i, short* v) const;
    int GetValue(int i, long* v) const;
    int GetValue(int i, float* v) const;
    int GetValue(int i, double* v) const;
    int GetValue(int i, std::string* v) const;

    int SetValue(int i, int v);
    int SetValue(int i, short v);
    int SetValue(int i, long v);
    int SetValue(int i, float v);
    int SetValue(int i, double v);
    int SetValue(int i, const std::string& v);

    // out is cleared first; a record with no values gives 0.
    int GetArray(std::vector<int>* out) const;
    int GetArray(std::vector<short>* out) const;
    int GetArray(std::vector<long>* out) const;
    int GetArray(std::vector<float>* out) const;
    int GetArray(std::vector<double>* out) const;
    int GetArray(std::vector<std::string>* out) const;

    // Re-creates the record under its own name with these values.
    int SetArray(const std::vector<int>& values);
    int SetArray(const std::vector<short>& values);
    int SetArray(const std::vector<long>& values);
    int SetArray(const std::vector<float>& values);
    int SetArray(const std::vector<double>& values);
    int SetArray(const std::vector<std::string>& values);

    // The record as one line of a keyed file, without the line end. An empty
    // value is written "" unless it is the record's only value.
    std::string ToLine() const;

    // A text value as it is written: quoted and escaped when it holds a
    // blank, '#', '"' or a line break, as it stands otherwise.
    static std::string QuoteValue(const std::string& value);

private:
    bool InRange(int i) const { return i >= 0 && i < GetDataCnt(); }
    template <typename T> int GetArrayOf(std::vector<T>* out) const;
    template <typename T> int SetArrayOf(const std::vector<T>& values);

    std::string name_;
    std::vector<std::string> values_;
};
