#pragma once

#include "MeasureDocument.h"

#include <iosfwd>
#include <string>

namespace kova {
class Prompter;
}

// A headless job on one measurement (the command line): opens the pair,
// lets a command change it, and saves it as "保存2D结果修正文件" does.
class MeasureJob {
public:
    // The .TRI file is written only by Save: a job that fails or only reads
    // leaves it as it found it.
    explicit MeasureJob(kova::Prompter& prompter) : prompter_(prompter), document_(prompter) {
        document_.Info().SetAutoSave(0);
    }

    // Loads the .TRK and its .TRI; false after "文件打开失败。".
    bool Open(const std::string& path);
    // Saves to `output`, or over the opened file when it is empty; the .TRI
    // companion goes along. False when nothing was saved.
    bool Save(const std::string& output);
    // Save for a verb: the exit status, 1 after naming on `err` the file of
    // the pair that could not be written.
    int SaveForVerb(const std::string& output, std::ostream& err, const char* verb);

    MeasureDocument& Document() { return document_; }

private:
    kova::Prompter& prompter_;
    MeasureDocument document_;
    std::string input_;
};
