#include "DemoWriter.h"

#include "CAviVideo.h"
#include "CBmpFile.h"
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CRiffAviWriter.h"
#include "TrackParams.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <sstream>

std::string DemoWriter::Join(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    const char last = directory.back();
    return (last == '/' || last == '\\') ? directory + name : directory + "/" + name;
}

std::string DemoWriter::SeriesPath(const std::string& directory, int number) {
    return Join(directory, kova::CFrameStore::Get_filename_series_new(kHead, "BMP", number, 4));
}

bool DemoWriter::Write(const std::string& directory, const DemoSequence& sequence, Format format,
                       std::string* error) {
    if (!WriteImages(directory, sequence, format, error)) return false;
    const std::pair<std::string, bool (*)(const std::string&, const DemoSequence&)> files[] = {
        {kTruthName, WriteTruth}, {kTargetsName, WriteTargets}, {kConfigName, WriteConfig}};
    for (const auto& file : files) {
        if (!file.second(Join(directory, file.first), sequence)) {
            if (error) *error = "cannot write " + Join(directory, file.first);
            return false;
        }
    }
    return true;
}

bool DemoWriter::WriteImages(const std::string& directory, const DemoSequence& sequence,
                             Format format, std::string* error) {
    const DemoSequence::Options& o = sequence.GetOptions();
    cv::Mat image;
    if (format == Format::BmpSeries) {
        for (int f = 0; f < o.frames; ++f) {
            sequence.Render(f, image);
            if (!kova::CBmpFile::Write(SeriesPath(directory, f + 1), image)) {
                if (error) *error = "cannot write " + SeriesPath(directory, f + 1);
                return false;
            }
        }
        return true;
    }
    const std::string path = Join(directory, kAviName);
    kova::CFrameStore store;
    kova::CAviVideo avi;
    const auto codec =
        format == Format::MjpegAvi ? kova::CAviVideo::Codec::Mjpeg : kova::CAviVideo::Codec::Raw;
    bool ok = avi.Create(path, o.width, o.height, o.frames, 30.0, kova::CAviVideo::Layout::Frames,
                         o.colour ? 1 : 0, codec) != 0;
    for (int f = 0; ok && f < o.frames; ++f) {
        sequence.Render(f, image);
        store.Put_window_full();
        ok = (o.colour ? store.Put_image_color(1, image, 0, 0) : store.Put_image(1, image, 0, 0)) ==
                 kova::CFrameStore::kOk &&
             avi.WriteFrame(store, 1) != 0;
    }
    if (!avi.Close()) ok = false;
    if (!ok && error) *error = "cannot write " + path;
    return ok;
}

bool DemoWriter::WriteTruth(const std::string& path, const DemoSequence& sequence) {
    std::ofstream out(path, std::ios::binary);
    out << "# frame marker x y visible\n" << std::fixed << std::setprecision(4);
    for (int f = 0; f < sequence.GetOptions().frames; ++f) {
        for (int m = 0; m < sequence.MarkerCount(); ++m) {
            const DemoSequence::Point p = sequence.Truth(f, m);
            out << f + 1 << ' ' << m + 1 << ' ' << p.x << ' ' << p.y << ' ' << (p.visible ? 1 : 0)
                << '\n';
        }
    }
    return static_cast<bool>(out.flush());
}

bool DemoWriter::WriteTargets(const std::string& path, const DemoSequence& sequence) {
    std::ofstream out(path, std::ios::binary);
    out << "# x y of each marker in the first frame\n";
    for (int m = 0; m < sequence.MarkerCount(); ++m) {
        const DemoSequence::Point p = sequence.Truth(0, m);
        out << std::lround(p.x) << ' ' << std::lround(p.y) << '\n';
    }
    return static_cast<bool>(out.flush());
}

bool DemoWriter::WriteConfig(const std::string& path, const DemoSequence& sequence) {
    CCfgFile cfg;
    cfg.SetValue("VersionInformation", "KOVA_VER1.00");
    TrackParams params;
    params.processType = TrackParams::ProcessType::Automatic;
    params.dispType =
        sequence.GetOptions().colour ? TrackParams::DispType::Colour : TrackParams::DispType::Grey;
    params.monoValue[0] = 200;
    params.monoValue[1] = 255;
    for (int c = 0; c < 3; ++c) {
        params.colorValue[2 * c] = 200;
        params.colorValue[2 * c + 1] = 255;
    }
    params.selectMaxArea = 1;
    params.Save(cfg);
    cfg.SetValue("Calibration2DInterval", 1);
    cfg.SetValue("Calibration2DFrames", 30);
    cfg.SetValue("Calibration2DTimeUnit", 4);
    cfg.SetValue("Calibration2DLength", 1.0);
    cfg.SetValue("Calibration2DLengthUnit", 4);
    cfg.SetValue("Calibration2DOriginX", 0);
    cfg.SetValue("Calibration2DOriginY", 0);
    cfg.SetValue("Calibration2DAngle", 0.0);
    cfg.SetValue("Calibration2DDirectY", 1);
    return cfg.Save(path) != 0;
}
