#include "ShowParams.h"

#include "CCfgFile.h"
#include "CTrackFile2D.h"
#include "Calibration2D.h"
#include "ConsolePrompter.h"
#include "StoreFrameSource.h"
#include "TrackParams.h"
#include "TrackingRun.h"

#include <filesystem>
#include <ostream>

namespace kova::cli {
namespace {

void PrintRecords(std::ostream& out, const char* title, const CCfgFile& keys) {
    out << title << ":\n";
    for (const CCommand& record : keys.Records())
        out << "  " << record.ToLine() << '\n';
}

// The file when it exists, with the version the program writes; the
// defaults (no keys) otherwise.
bool Load(VerbContext& context, CCfgFile* config) {
    std::error_code error;
    if (!std::filesystem::exists(context.configPath, error)) return true;
    if (!config->Load(context.configPath)) {
        *context.err << "kova-batch: cannot read the configuration " << context.configPath << '\n';
        return false;
    }
    std::string version;
    if (!config->GetValue("VersionInformation", &version) || version != "KOVA_VER1.00") {
        kova::ConsolePrompter(*context.err).Show("'CFG' 文件版本错误。", "错误");
        return false;
    }
    return true;
}

} // namespace

int ShowParams(VerbContext& context) {
    CCfgFile config;
    if (!Load(context, &config)) return 1;
    TrackParams params;
    params.Load(config);
    CCfgFile tracking, calibration;
    params.Save(tracking);
    // The calibration as a run writes it into the measurement's header.
    const StoreFrameSource noImages(1, 1);
    CTrackFile2D measurement;
    measurement.SetHeader(TrackingRun::MakeHeader(config, noImages, params.IsColour()));
    measurement.GetCalibration(&calibration);
    std::error_code error;
    *context.out << "configuration: "
                 << (std::filesystem::exists(context.configPath, error)
                         ? context.configPath
                         : std::string("none (default parameters)"))
                 << '\n';
    PrintRecords(*context.out, "tracking", tracking);
    PrintRecords(*context.out, "calibration", calibration);
    std::string invalid = params.Check();
    if (invalid.empty()) invalid = Calibration2D::CheckKeys(config);
    if (invalid.empty()) return 0;
    *context.err << "kova-batch: " << context.configPath << ": " << invalid << '\n';
    return 1;
}

} // namespace kova::cli
