#pragma once

// How the status window shows the displayed frame: "灰度", "全彩色", "伪彩色",
// "R分量", "G分量", "B分量", in the order of its selector.
enum class DisplayMode { Grey, FullColor, Pseudo, Red, Green, Blue };
