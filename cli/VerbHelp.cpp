// The help of every verb, which is also each verb's option table. A verb
// added to the verb list gets its entry here (the tests refuse a verb
// without one).
#include "VerbHelp.h"

#include <sstream>

namespace kova::cli {
namespace {

const char* const kTargetsFormat =
    "targets file (--targets): plain text, one target a line:\n"
    "  x y [w h [low high [percent] | rl rh gl gh bl bh]]\n"
    "x y is the target's position in the first frame (pixels from the top left, not\n"
    "negative); w h its own search window (1..32767), used when the configuration's window\n"
    "size is free (ParamWindowSize 1; otherwise --window applies); low high its grey band\n"
    "0..255 and percent the p-tile share 0..100, or rl rh gl gh bl bh its red, green and\n"
    "blue bands, used when the pickup values are free (ParamPickupValueMode 1; otherwise\n"
    "the configuration's bands apply). So a line has 2, 4, 6, 7 or 10 numbers.\n"
    "Blank lines and lines starting with # are ignored; at most 4096 targets, 16 MiB.\n";

const char* const kClicksFormat =
    "clicks file (--clicks): plain text, one answer a line, in the order the run asks\n"
    "(frame by frame, target by target): \"x y\" (whole pixels) clicks that pixel,\n"
    "\"skip\" is a right click (no point), \"stop\" is the stop button. Blank lines and\n"
    "lines starting with # are ignored. Manual mode asks for every target in every frame,\n"
    "semi-automatic mode for a target the engine lost. When the answers run out, or a\n"
    "click lies outside the frame, the run stops and keeps the frames tracked so far.\n";

const char* const kConfigurationNote =
    "configuration: the keyed file KOVA.CFG (or --cfg FILE) with VersionInformation\n"
    "KOVA_VER1.00; kova-batch demo writes one. Without it the default parameters apply.\n";

std::vector<VerbHelp> MakeHelps() {
    return {
        {"version", "print the program's version", "", {}, "", "kova-batch version"},
        {"help",
         "print the help of a verb, or the manual page",
         "[VERB] [--man]",
         {{"--man", "", "print the manual page kova-batch(1) in roff instead", "off"}},
         "",
         "kova-batch help track"},
        {"track",
         "track targets through a BMP series or a video and write the measurement",
         "(--series FIRST.BMP LAST.BMP | --avi FILE [--range A B]) --out R.TRK "
         "(--targets FILE | --pickup) [--mode manual|semi|auto] [--colour] [--clicks FILE] "
         "[--window W H] [--report FILE] [--fail-on-lost] [--preview DIR]",
         {{"--series", "FIRST.BMP LAST.BMP",
           "the numbered BMP images from FIRST to LAST (same name with a running number)",
           "one of --series and --avi is required"},
          {"--avi", "FILE", "the video to track", "one of --series and --avi is required"},
          {"--range", "A B", "track the video's frames A to B (from 1)", "the whole video"},
          {"--out", "R.TRK", "the measurement to write; R.TRI is written beside it", "required"},
          {"--targets", "FILE", "the targets' first positions (format below)",
           "one of --targets and --pickup is required"},
          {"--pickup", "",
           "find the targets in the first frame by automatic point pickup (grey images only) "
           "and print each one's position and area",
           "off"},
          {"--mode", "manual|semi|auto",
           "the tracking process: every point clicked, clicks only for lost targets, or none",
           "the configuration's process type (semi without a configuration)"},
          {"--colour", "", "track in colour with the colour bands",
           "the configuration's display type"},
          {"--clicks", "FILE", "the answers to the run's click requests (format below)",
           "none; manual mode requires it"},
          {"--window", "W H", "the search window of every target, in pixels (1..32767)", "31 31"},
          {"--report", "FILE",
           "also write the tracking report as CSV, one row per target: frames by status, the "
           "longest run of status 3 and 4, the runs of more than 5, the frames where the blob "
           "taken touched the window's edge and where the point lies farther from the "
           "prediction than half the window",
           "the report goes to standard output only"},
          {"--fail-on-lost", "",
           "exit with status 3 when a target was lost (status 3 or 4) for more than 5 frames "
           "in a row",
           "such a run warns and exits 0"},
          {"--preview", "DIR",
           "write DIR/frame0001.png... for every frame: each target's window (green: one blob, "
           "orange: the largest of several, red: lost), the pixels of its blobs tinted cyan, a "
           "yellow frame around the blob taken and a magenta cross on the point",
           "none"}},
         std::string(kTargetsFormat) + kClicksFormat + kConfigurationNote,
         "kova-batch --cfg demo/KOVA.CFG track --series demo/DEMO0001.BMP demo/DEMO0060.BMP "
         "--out demo/DEMO.TRK --targets demo/DEMO_TARGETS.TXT"},
        {"inspect",
         "show the pixel values and the blobs the parameters find around a point of a frame",
         "SOURCE [--frame N] --at X Y [--window W H] [--colour]",
         {{"--frame", "N", "the frame of a video (from 1)", "1"},
          {"--at", "X Y", "the point looked at, in pixels (required)", "required"},
          {"--window", "W H", "the search window around the point, as track --window", "31 31"},
          {"--colour", "", "read the frame in colour (RGB values, colour bands)",
           "the configuration's display type"}},
         "SOURCE: a BMP image or a video. The values printed are those of the 11 x 11 pixels\n"
         "around the point (R,G,B in colour), the mask marks the window's blob pixels with #,\n"
         "and the blobs are what the tracking parameters of the configuration find there.\n",
         "kova-batch --cfg demo/KOVA.CFG inspect demo/DEMO0001.BMP --at 192 73"},
        {"demo",
         "write the synthetic demo sequence with its ground truth, configuration and targets",
         "DIR [--frames N] [--size WxH] [--colour] [--avi]",
         {{"--frames", "N", "number of frames (1..10000)", "60"},
          {"--size", "WxH", "frame size, from 320x240 to 4096x4096", "640x480"},
          {"--colour", "", "colour frames", "grey"},
          {"--avi", "", "one uncompressed DEMO.AVI instead of the BMP series DEMO0001.BMP...",
           "BMP series"}},
         "",
         "kova-batch demo demo"},
        {"bench",
         "measure the speed of tracking, with replay of the result video, with gui-track of "
         "the tracking window's run against the headless run, with capture of the capture "
         "backend against a 1080p stand-in camera, as \"name: value\" lines",
         "[replay|gui-track|capture] [--frames N] [--seconds N] [--memory-seconds N] [--dir DIR]",
         {{"--frames", "N", "frames of the generated sequence (3..1000)", "60; 1000 for replay"},
          {"--seconds", "N", "seconds of capture to disk, for capture (1..3600)", "60"},
          {"--memory-seconds", "N", "seconds of capture to memory, for capture (1..60)", "10"},
          {"--dir", "DIR",
           "folder for the BMP files (the AVI for replay, the stand-in and capture file for "
           "capture) the bench writes and reads",
           "a temporary folder"}},
         "",
         "kova-batch bench --frames 60"},
        {"summary",
         "print the summary of a measurement",
         "M.TRK",
         {},
         "",
         "kova-batch summary R.TRK"},
        {"smooth",
         "smooth every target's points once in place (weights 1/4, 1/2, 1/4)",
         "M.TRK [-o OUT.TRK]",
         {{"-o", "OUT.TRK", "write the result there (with its .TRI)", "overwrite M.TRK"}},
         "",
         "kova-batch smooth R.TRK -o R_SMOOTH.TRK"},
        {"interpolate",
         "replace doubtful points by a spline through the good ones (status -1)",
         "M.TRK --level K [--targets 1,3,...] [-o OUT.TRK]",
         {{"--level", "K", "the error level 1..4: a point is good when its status is below K",
           "required"},
          {"--targets", "LIST", "the targets to fill, numbered from 1 (such as 1,3)",
           "every target"},
          {"-o", "OUT.TRK", "write the result there (with its .TRI)", "overwrite M.TRK"}},
         "",
         "kova-batch interpolate R.TRK --level 3 -o R_FILLED.TRK"},
        {"cog",
         "append the body's centres of gravity as new targets",
         "M.TRK [--female] [--outputs 1,2,...] [-o OUT.TRK]",
         {{"--female", "", "the female body model", "male"},
          {"--outputs", "LIST", "the outputs to append, 1..22 (1 is the whole body)", "1"},
          {"-o", "OUT.TRK", "write the result there (with its .TRI)", "overwrite M.TRK"}},
         "",
         "kova-batch cog BODY.TRK --outputs 1,2 -o BODY_COG.TRK"},
        {"transform",
         "move the frames' coordinates onto a reference frame",
         "M.TRK --ref-frame R [--position P] [--axis A B] [-o OUT.TRK]",
         {{"--ref-frame", "R", "the reference frame", "required"},
          {"--position", "P", "keep target P where it is in the reference frame", "off"},
          {"--axis", "A B", "keep the line from target A to target B as in the reference frame",
           "off"},
          {"-o", "OUT.TRK", "write the result there (with its .TRI)", "overwrite M.TRK"}},
         "",
         "kova-batch transform R.TRK --ref-frame 1 --position 1 -o R_MOVED.TRK"},
        {"merge",
         "join the numbered measurements DIR/HEAD0001.TRK... into DIR/HEAD.TRK",
         "DIR/HEAD --start N --end M [--mode frames|targets]",
         {{"--start", "N", "the number of the first file", "required"},
          {"--end", "M", "the number of the last file", "required"},
          {"--mode", "frames|targets",
           "append the files' frames one after another, or their targets side by side", "frames"}},
         "",
         "kova-batch merge trials/RUN --start 1 --end 3"},
        {"image",
         "convert an image or video frame, or print a file's information",
         "convert IN OUT | info FILE",
         {},
         "IN: a .BMP, .JPG, .TIF or .TXT image, or VIDEO:N for frame N (from 1) of a video\n"
         "(.AVI, .MP4, .MOV, .MKV ...); info FILE takes an image or a video.\n"
         "OUT: .BMP, .JPG, .TIF or .TXT, chosen by its extension.\n",
         "kova-batch image convert demo/DEMO.AVI:5 FRAME5.BMP"},
        {"table",
         "print an analysis table of a measurement",
         "position|displacement|distance|angle M.TRK [--targets 1,2,...] [--items 0,1,...] "
         "[--range L U] [--length-unit mm] [--time-unit s] [--smooth N] [--group frame|target] "
         "[--ref frame:R|position:X,Y|target:T] [--pair T1-T2[:C[:S]]]... [--mode 0-3] "
         "[--points P1,P2[,P3[,P4]]] [--other-side] [--csv] [-o FILE]",
         {{"--targets", "LIST", "targets from 1, such as 1,2 (position, displacement)",
           "every target"},
          {"--items", "LIST",
           "item numbers from 0 as the item list shows them (position, displacement, angle)",
           "the analysis's usual items"},
          {"--range", "L U", "the frames L to U", "every frame"},
          {"--length-unit", "UNIT",
           "pm, nm, um, mm, cm, m or km (position, displacement, distance)",
           "the calibration's unit"},
          {"--time-unit", "UNIT", "ps, ns, us, ms, s, m or h (position, angle)",
           "the calibration's unit"},
          {"--smooth", "N", "smoothing passes 0..1000", "0"},
          {"--group", "frame|target", "rows frame by frame or target by target", "target"},
          {"--ref", "frame:R|position:X,Y|target:T",
           "the displacement's reference: a frame, a fixed position or a target",
           "frame: the first of the range"},
          {"--pair", "T1-T2[:C[:S]]",
           "a distance pair of targets from 1, with colour 0..6 and line style 0..4; repeat "
           "for more pairs",
           "none"},
          {"--mode", "0-3",
           "angle of 0 three points, 1 two lines, 2 a line and the X axis, 3 a line and the Y "
           "axis",
           "0"},
          {"--points", "P1,P2[,P3[,P4]]", "the angle's targets, from 1", "none chosen"},
          {"--other-side", "", "the angle on the other side", "off"},
          {"--csv", "", "the analysis's CSV table (UTF-8 with BOM) instead of the text table",
           "text table"},
          {"-o", "FILE", "write to FILE (GB18030, CR LF, as the text window saves)",
           "standard output in UTF-8"}},
         "",
         "kova-batch table position R.TRK --targets 1 --length-unit m --csv -o R_POS.csv"},
        {"calibrate",
         "give a measurement another calibration, its points unchanged",
         "IN.TRK (--from CFG_OR_CL2 | --points X1 Y1 X2 Y2 --distance D --unit U) "
         "[--origin X Y] [--angle DEG] [--y-up] [--rate FRAMES_PER_UNIT --time-unit U] "
         "-o OUT.TRK",
         {{"--from", "CFG_OR_CL2",
           "take the nine calibration keys of a configuration (KOVA.CFG) or a calibration "
           "file (.CL2); each must be there",
           "one of --from and --points is required"},
          {"--points", "X1 Y1 X2 Y2",
           "two image points (pixels) a known distance apart: the scale is D over their "
           "distance in pixels",
           "one of --from and --points is required"},
          {"--distance", "D", "the real distance between the --points, above 0",
           "required with --points"},
          {"--unit", "U", "the unit of D: pm, nm, um, mm, cm, m or km", "required with --points"},
          {"--origin", "X Y", "the origin of the coordinates, in image pixels",
           "the measurement's (or the file's) origin"},
          {"--angle", "DEG",
           "the X axis turned by DEG degrees, counter-clockwise as seen on the image",
           "the measurement's (or the file's) angle"},
          {"--y-up", "", "Y grows upwards (image rows grow downwards)",
           "the measurement's (or the file's) Y direction"},
          {"--rate", "FRAMES_PER_UNIT", "the camera's frames per time unit, 1..32767",
           "the measurement's (or the file's) frame rate"},
          {"--time-unit", "U", "the time unit of --rate: ps, ns, us, ms, s, m or h",
           "required with --rate"},
          {"-o", "OUT.TRK", "the measurement to write, with its .TRI", "required"}},
         "calibration file (--from): keyed text as KOVA.CFG and the calibration window's .CL2\n"
         "keep it: Calibration2DLength (length of one pixel), Calibration2DLengthUnit (0 pm ..\n"
         "3 mm, 4 cm, 5 m, 6 km), Calibration2DInterval, Calibration2DFrames (frames per time\n"
         "unit), Calibration2DTimeUnit (0 ps .. 4 s, 5 m, 6 h), Calibration2DOriginX,\n"
         "Calibration2DOriginY, Calibration2DAngle (radians), Calibration2DDirectY (1 down, -1\n"
         "up).\n",
         "kova-batch calibrate R.TRK --points 112 400 512 400 --distance 2 --unit m "
         "--origin 112 400 --y-up --rate 120 --time-unit s -o R_M.TRK"},
        {"export",
         "write a measurement's points in image pixels with their status as CSV",
         "IN.TRK --csv OUT.csv",
         {{"--csv", "OUT.csv",
           "the CSV file (UTF-8 with BOM, CR LF): frame, target, x (px), y (px), status; one "
           "row per frame and target, frames and targets from 1; status 0 found, 1 the "
           "largest of several blobs, 2 too many blobs, 3 not found, 4 skipped, -1 "
           "interpolated",
           "required"}},
         "",
         "kova-batch export R.TRK --csv R_POINTS.csv"},
        {"render",
         "write the result video of a measurement: its images with the trajectories, vectors, "
         "connection lines, numbers and marks drawn over them",
         "M.TRK --out FILE.AVI|FILE.MP4 [--frames A B] [--overlays LIST] [--span afterimage|all] "
         "[--multiple X] [--background black|white]",
         {{"--out", "FILE",
           "the video to write, one frame per measurement frame at the frame size and the "
           "measurement's frame rate: .AVI (MJPEG) or .MP4 (H.264, where the encoder is "
           "installed); written in full or not at all",
           "required"},
          {"--frames", "A B", "the measurement's frames A to B (from 1)", "every frame"},
          {"--overlays", "LIST",
           "what is drawn over the images: trajectories, vectors, lines (connection lines), "
           "numbers, marks, axes, or all or none, such as trajectories,lines",
           "trajectories,marks"},
          {"--span", "afterimage|all",
           "trajectories and connection lines up to the frame shown, or of all frames",
           "afterimage"},
          {"--multiple", "X", "the length multiple of the vectors, 0.01..1000", "1"},
          {"--background", "black|white",
           "the background colour; among all frames the current frame's vectors and figure are "
           "drawn in the other of black and white",
           "black"}},
         "",
         "kova-batch render R.TRK --out R.AVI --overlays trajectories,lines,marks --span all"},
    };
}

} // namespace

const std::vector<VerbHelp>& VerbHelps() {
    static const std::vector<VerbHelp> helps = MakeHelps();
    return helps;
}

const std::vector<OptionHelp>& GlobalOptions() {
    static const std::vector<OptionHelp> options = {
        {"--cfg", "FILE", "the system configuration to read; it must exist",
         "KOVA.CFG in the current folder, or the default parameters when there is none (a "
         "note on standard error says so)"},
        {"--show-params", "",
         "print the tracking and calibration values in force and exit without running a verb",
         "off"},
        {"--version", "", "print the version and exit", "off"},
        {"--help", "", "print this overview and exit (also -h, or help VERB for a verb)", "off"}};
    return options;
}

const VerbHelp* FindVerbHelp(const std::string& verb) {
    for (const VerbHelp& help : VerbHelps())
        if (help.verb == verb) return &help;
    return nullptr;
}

std::map<std::string, int> OptionArity(const std::vector<OptionHelp>& options) {
    std::map<std::string, int> arity;
    for (const OptionHelp& option : options) {
        std::istringstream words(option.values);
        std::string word;
        int count = 0;
        while (words >> word)
            ++count;
        arity[option.name] = count;
    }
    return arity;
}

std::map<std::string, int> OptionArity(const std::string& verb) {
    const VerbHelp* help = FindVerbHelp(verb);
    return help ? OptionArity(help->options) : std::map<std::string, int>();
}

} // namespace kova::cli
