#pragma once

#include <string>

// The text of the image file dialog's information command: file type, size
// and number of colours.
class ImageInfoText {
public:
    // A BMP, JPEG or TIFF file: the colour count follows the bits per pixel
    // (2 to the power of the bits, 32 bits written out as text).
    static std::string ForImage(const std::string& type, int width, int height, int bitsPerPixel);
    // A text image: 256 grey or 16777216 colours, with the text saying which.
    static std::string ForTextImage(int width, int height, bool color);
};
