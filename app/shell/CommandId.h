#pragma once

// Identifiers of the menu commands. The numbers are the program's own and
// stay fixed: 32773 is "系统帧设定" without a document and "偏移量" with one.
namespace CommandId {
constexpr int kNew = 57600;
constexpr int kClose = 57602;
constexpr int kPrintSetup = 57606;
constexpr int kPrint = 57607;
constexpr int kPrintPreview = 57609;
constexpr int kCascade = 57650;
constexpr int kTile = 57651;
constexpr int kExit = 57665;
constexpr int kUndo = 57643;
constexpr int kRedo = 57644;
constexpr int kAbout = 57664;
constexpr int kHelp = 57670;
constexpr int kMotionImage = 32771;
constexpr int kAutoMeasure = 32772;
constexpr int kSysFrame = 32773;
constexpr int kDisplacement = 32773;
constexpr int kSaveImage = 32774;
constexpr int kDistance = 32775;
constexpr int kPosition = 32776;
constexpr int kAngle = 32777;
constexpr int kZoomHalf = 32778; // then 1x, 2x, 3x, 4x, 5x
constexpr int kStickFigures = 32784;
constexpr int kCalibration = 32788;
constexpr int kManualCorrection = 32790;
constexpr int kSmoothing = 32791;
constexpr int kInterpolate = 32792;
constexpr int kMerge = 32793;
constexpr int kResultVideo = 32802;
constexpr int kOpenResult = 32807;
constexpr int kSaveResult = 32808;
constexpr int kPixelValue = 32812;
constexpr int kCapture = 32830;
constexpr int kManualMeasure = 32831;
constexpr int kGravity = 32832;
constexpr int kCoordTransform = 32835;
constexpr int kEvents = 32846;
// The frame and overlay commands of the image window.
constexpr int kShowTargets = 33001;
constexpr int kFirstFrame = 33002;
constexpr int kPreviousFrame = 33003;
constexpr int kNextFrame = 33004;
constexpr int kBack10Frames = 33005;
constexpr int kForward10Frames = 33006;
constexpr int kLastFrame = 33007;
} // namespace CommandId
