#pragma once

#include "Prompter.h"

#include <string>
#include <vector>

// The files "画面保存" writes: a numbered BMP series continuing the number
// of the first file the user chose, checked before anything is written.
class FrameFiles {
public:
    // The dialog that asks for the first file.
    static kova::FileDialogRequest Request(const std::string& directory);
    // `count` names from the chosen one on: head, number, suffix of the
    // chosen name, the number counting up with its digit count kept. A name
    // without a number starts at 1 with four digits; one without a suffix
    // gets "BMP".
    static std::vector<std::string> Series(const std::string& chosen, int count);
    // False when a name is one of `images` (the measurement's own image
    // files, refused with kOwnImage and the name) or when the user, asked
    // once about the files that exist already, does not want them replaced.
    static bool MayWrite(const std::vector<std::string>& paths,
                         const std::vector<std::string>& images, kova::Prompter& prompter);

    static constexpr const char* kTitle = "请选择先头文件。";
    static constexpr const char* kFilter = "BMP Image(*.BMP)|*.BMP||";
    // Followed by the name.
    static constexpr const char* kOwnImage = "不能覆盖运动图像文件：";
    // Followed by the first existing name.
    static constexpr const char* kOverwrite = "文件已存在，要覆盖吗？";
};
