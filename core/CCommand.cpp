#include "CCommand.h"

#include "NumberText.h"

namespace {

std::string Format(int v) {
    return kova::FormatInt(v);
}
std::string Format(short v) {
    return kova::FormatInt(v);
}
std::string Format(long v) {
    return kova::FormatInt(v);
}
std::string Format(float v) {
    return kova::FormatFixed6(static_cast<double>(v));
}
std::string Format(double v) {
    return kova::FormatFixed6(v);
}
std::string Format(const std::string& v) {
    return v;
}

void Parse(const std::string& text, int* v) {
    *v = kova::ParseInt(text);
}
void Parse(const std::string& text, short* v) {
    *v = static_cast<short>(static_cast<unsigned short>(kova::ParseInt(text) & 0xFFFF));
}
void Parse(const std::string& text, long* v) {
    *v = kova::ParseLong(text);
}
void Parse(const std::string& text, float* v) {
    *v = static_cast<float>(kova::ParseDouble(text));
}
void Parse(const std::string& text, double* v) {
    *v = kova::ParseDouble(text);
}
void Parse(const std::string& text, std::string* v) {
    *v = text;
}

bool IsDelimiter(char c, const std::string& delimiters) {
    return delimiters.find(c) != std::string::npos;
}

// Reads a quoted token starting at `pos` (on the opening quote). Succeeds
// when a closing quote is followed by a delimiter, a comment or the end.
bool ReadQuoted(const std::string& line, std::size_t pos, const std::string& delimiters,
                std::string* token, std::size_t* next) {
    std::string value;
    for (std::size_t i = pos + 1; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            char e = line[++i];
            value.push_back(e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e);
            continue;
        }
        if (c == '"') {
            std::size_t after = i + 1;
            if (after < line.size() && !IsDelimiter(line[after], delimiters) && line[after] != '#')
                return false;
            *token = value;
            *next = after;
            return true;
        }
        value.push_back(c);
    }
    return false;
}

} // namespace

void CCommand::Delete() {
    name_.clear();
    values_.clear();
}

int CCommand::Create(const std::string& name, int count) {
    if (name.empty() || count < 0) return 0;
    name_ = name;
    values_.assign(static_cast<std::size_t>(count), std::string());
    return 1;
}

int CCommand::Create(const std::string& line, const std::string& delimiters) {
    std::vector<std::string> tokens;
    std::size_t pos = 0;
    while (pos < line.size()) {
        char c = line[pos];
        if (IsDelimiter(c, delimiters)) {
            ++pos;
            continue;
        }
        if (c == '#') break;
        std::string token;
        std::size_t next = 0;
        if (c == '"' && ReadQuoted(line, pos, delimiters, &token, &next)) {
            tokens.push_back(token);
            pos = next;
            continue;
        }
        std::size_t end = pos;
        while (end < line.size() && !IsDelimiter(line[end], delimiters) && line[end] != '#')
            ++end;
        tokens.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    if (tokens.empty() || tokens.front().empty()) return 0;
    name_ = tokens.front();
    values_.assign(tokens.begin() + 1, tokens.end());
    return 1;
}

#define KOVA_COMMAND_ACCESS(Type)                                                                  \
    int CCommand::GetValue(int i, Type* v) const {                                                 \
        if (!InRange(i) || !v) return 0;                                                           \
        Parse(values_[static_cast<std::size_t>(i)], v);                                            \
        return 1;                                                                                  \
    }                                                                                              \
    int CCommand::GetArray(std::vector<Type>* out) const {                                         \
        return GetArrayOf(out);                                                                    \
    }                                                                                              \
    int CCommand::SetArray(const std::vector<Type>& values) {                                      \
        return SetArrayOf(values);                                                                 \
    }

KOVA_COMMAND_ACCESS(int)
KOVA_COMMAND_ACCESS(short)
KOVA_COMMAND_ACCESS(long)
KOVA_COMMAND_ACCESS(float)
KOVA_COMMAND_ACCESS(double)
KOVA_COMMAND_ACCESS(std::string)
#undef KOVA_COMMAND_ACCESS

int CCommand::SetValue(int i, int v) {
    return SetValue(i, Format(v));
}
int CCommand::SetValue(int i, short v) {
    return SetValue(i, Format(v));
}
int CCommand::SetValue(int i, long v) {
    return SetValue(i, Format(v));
}
int CCommand::SetValue(int i, float v) {
    return SetValue(i, Format(v));
}
int CCommand::SetValue(int i, double v) {
    return SetValue(i, Format(v));
}
int CCommand::SetValue(int i, const std::string& v) {
    if (!InRange(i)) return 0;
    values_[static_cast<std::size_t>(i)] = v;
    return 1;
}

template <typename T> int CCommand::GetArrayOf(std::vector<T>* out) const {
    if (!out) return 0;
    out->clear();
    if (values_.empty()) return 0;
    out->resize(values_.size());
    for (std::size_t i = 0; i < values_.size(); ++i)
        Parse(values_[i], &(*out)[i]);
    return 1;
}

template <typename T> int CCommand::SetArrayOf(const std::vector<T>& values) {
    if (name_.empty()) return 0;
    std::vector<std::string> texts;
    texts.reserve(values.size());
    for (const T& v : values)
        texts.push_back(Format(v));
    values_ = std::move(texts);
    return 1;
}

std::string CCommand::QuoteValue(const std::string& value) {
    if (value.find_first_of(" \t#\"\r\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (char c : value) {
        switch (c) {
        case '"':
        case '\\':
            quoted += '\\';
            quoted += c;
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        default:
            quoted += c;
        }
    }
    quoted += '"';
    return quoted;
}

std::string CCommand::ToLine() const {
    std::string line = QuoteValue(name_);
    for (const std::string& v : values_) {
        line += ' ';
        // A lone empty value is written as nothing, so it reads back as
        // absent; among others it is "" so the later values keep their places.
        line += v.empty() && values_.size() > 1 ? std::string("\"\"") : QuoteValue(v);
    }
    return line;
}
