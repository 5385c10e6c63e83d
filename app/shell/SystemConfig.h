#pragma once

#include <string>

class CCfgFile;
namespace kova {
class Prompter;
}

// The system configuration KOVA.CFG of the start-up directory: its version
// check and the defaults of every key the program and its tools read.
class SystemConfig {
public:
    static constexpr const char* kFileName = "KOVA.CFG";
    static constexpr const char* kVersion = "KOVA_VER1.00";
    static constexpr const char* kVersionError = "'CFG' 文件版本错误。";

    // Loads `directory`/KOVA.CFG into `config` and turns its automatic save
    // on, so a changed configuration is written back. A readable file must
    // carry the version, else the message is shown and false returned (the
    // start then ends and nothing is written). Missing keys get defaults.
    // A file that exists but cannot be read is reported and left alone: the
    // program runs on the defaults and never writes it (automatic save off).
    static bool Load(CCfgFile& config, const std::string& directory, kova::Prompter& prompter);
    // Whether the configuration is written back at exit.
    static bool WritesBack(const CCfgFile& config);
    static std::string UnreadableMessage(const std::string& path);
    // Adds every missing key with its default.
    static void FillDefaults(CCfgFile& config);
};
