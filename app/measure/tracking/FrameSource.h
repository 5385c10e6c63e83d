#pragma once

#include <string>

class CCfgFile;

// The motion image sequence a run tracks: image k (1-based) is loaded into
// the frame store on demand. The command line, the tracking window and the
// benchmarks give a BMP series, an AVI range or frames already in memory.
class FrameSource {
public:
    FrameSource() = default;
    FrameSource(const FrameSource&) = delete;
    FrameSource& operator=(const FrameSource&) = delete;
    virtual ~FrameSource() = default;

    virtual int Count() const = 0;
    // First and last image number of the range (series numbers or AVI frames).
    virtual int FirstNumber() const = 0;
    virtual int LastNumber() const = 0;
    // Loads image k as grey or colour with the processing window covering
    // the whole frame; `frame` receives the store frame holding it. 0 on
    // success, else the loader's (negative) result.
    virtual int Load(int k, bool colour, int& frame) = 0;
    // Writes the image keys of the .TRI file (ImagePath ... AviFile).
    virtual void StoreSource(CCfgFile& info) const = 0;
    // What went wrong with the last failed load, for the command line.
    const std::string& Problem() const { return problem_; }

protected:
    // A directory as the .TRI file keeps it: absolute (so the images are
    // found from anywhere), without a trailing separator.
    static std::string StoredDirectory(const std::string& directory);
    void SetProblem(const std::string& problem) { problem_ = problem; }

private:
    std::string problem_;
};
