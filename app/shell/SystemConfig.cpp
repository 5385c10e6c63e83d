#include "SystemConfig.h"

#include "CCfgFile.h"
#include "Prompter.h"

#include <filesystem>
#include <vector>

namespace {

void Default(CCfgFile& config, const char* key, int value) {
    if (!config.Find(key)) config.SetValue(key, value);
}

void Default(CCfgFile& config, const char* key, double value) {
    if (!config.Find(key)) config.SetValue(key, value);
}

void Default(CCfgFile& config, const char* key, const std::vector<int>& values) {
    if (!config.Find(key)) config.SetArray(key, values);
}

} // namespace

bool SystemConfig::Load(CCfgFile& config, const std::string& directory, kova::Prompter& prompter) {
    const std::string path =
        directory.empty() ? std::string(kFileName) : directory + "/" + kFileName;
    // Only a file that is not there is missing; any other failure (no
    // permission, a directory, a link loop, a read error) leaves it alone.
    std::error_code error;
    const bool missing =
        std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found;
    if (!missing && !config.Load(path)) {
        prompter.Show(UnreadableMessage(path), "KOVA", kova::MessageIcon::Exclamation);
        config.EraseAll();
        config.SetLastPath(std::string());
        FillDefaults(config);
        config.SetAutoSave(0);
        return true;
    }
    if (!missing) {
        std::string version;
        if (!config.GetValue("VersionInformation", &version) || version != kVersion) {
            prompter.Show(kVersionError, "错误", kova::MessageIcon::Exclamation);
            config.SetModified(0);
            return false;
        }
    }
    config.SetLastPath(path);
    FillDefaults(config);
    config.SetAutoSave(1);
    return true;
}

bool SystemConfig::WritesBack(const CCfgFile& config) {
    return config.GetAutoSave() != 0 && !config.GetLastPath().empty();
}

std::string SystemConfig::UnreadableMessage(const std::string& path) {
    return "无法读取 " + path + "，使用默认设定，退出时不保存。";
}

void SystemConfig::FillDefaults(CCfgFile& config) {
    if (!config.Find("VersionInformation")) config.SetValue("VersionInformation", kVersion);
    Default(config, "ParamDispType", 0);
    Default(config, "ParamWindowSize", 0);
    Default(config, "ParamPickupValueMode", 0);
    Default(config, "ParamPickupMode", 0);
    Default(config, "ParamPickupMonoValue", std::vector<int>{200, 255});
    Default(config, "ParamPickupMonoPercent", 10.0);
    Default(config, "ParamPickupColorValue", std::vector<int>{50, 120, 50, 120, 50, 120});
    Default(config, "ParamTargetValue", 255);
    Default(config, "ParamNoiseRemover", 0);
    Default(config, "ParamNoiseArea0", 5);
    Default(config, "ParamNoiseArea1", 100);
    Default(config, "ParamSelectMaxArea", 0);
    Default(config, "ParamFilter", 0);
    Default(config, "ParamProcessType", 1);
    Default(config, "Calibration2DInterval", 1);
    Default(config, "Calibration2DFrames", 30);
    Default(config, "Calibration2DTimeUnit", 4);
    Default(config, "Calibration2DLength", 1.0);
    Default(config, "Calibration2DLengthUnit", 4);
    Default(config, "Calibration2DOriginX", 0);
    Default(config, "Calibration2DOriginY", 0);
    Default(config, "Calibration2DAngle", 0.0);
    Default(config, "Calibration2DDirectY", 1);
    Default(config, "Calibration3DLengthUnit", 4);
    Default(config, "Calibration3DNoiseSw", std::vector<int>{1, 1});
    Default(config, "Calibration3DNoiseLimit", std::vector<int>{5, 500});
}
