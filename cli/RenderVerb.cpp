// kova-batch render IN.TRK --out FILE [--frames A B] [--overlays LIST]
// [--span afterimage|all] [--multiple X] [--background black|white]: the
// result video of a measurement over its motion images, one video frame per
// measurement frame A..B at the frame size and the measurement's frame
// rate, written as "视频保存" writes it (.AVI: MJPEG; .MP4: H.264 where the
// encoder is installed).
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CVideoCapDS.h"
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "DrawingTools.h"
#include "InterruptProgress.h"
#include "MeasureJob.h"
#include "MotionImage.h"
#include "OffscreenGui.h"
#include "ReplayLogic.h"
#include "VerbHelp.h"
#include "Verbs.h"
#include "VideoExport.h"

#include <ostream>
#include <sstream>

namespace kova::cli {

namespace {

const char* const kVerb = "kova-batch render: ";

int Usage(VerbContext& context, const std::string& error) {
    *context.err << kVerb << error << '\n';
    return 2;
}

// "trajectories,vectors,lines,numbers,marks,axes", "all" or "none"; the
// image is always shown.
bool ParseOverlays(const std::string& text, ReplaySettings* s) {
    s->trajectories = s->lines = s->numbers = s->marks = s->axes = false;
    s->kind = TrajectoryKind::Trajectory;
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        if (item == "trajectories")
            s->trajectories = true;
        else if (item == "vectors")
            s->kind = TrajectoryKind::TrajectoryAndVectors;
        else if (item == "lines")
            s->lines = true;
        else if (item == "numbers")
            s->numbers = true;
        else if (item == "marks")
            s->marks = true;
        else if (item == "axes")
            s->axes = true;
        else if (item == "all") {
            s->trajectories = s->lines = s->numbers = s->marks = s->axes = true;
            s->kind = TrajectoryKind::TrajectoryAndVectors;
        } else if (item != "none")
            return false;
    }
    // Vectors belong to the trajectories.
    if (s->kind != TrajectoryKind::Trajectory) s->trajectories = true;
    return true;
}

bool ParseSettings(const CommandLine& line, ReplaySettings* s, std::string* error) {
    s->image = true;
    s->workArea = ReplayWorkArea::Disk;
    if (!ParseOverlays(line.Value("--overlays", "trajectories,marks"), s)) {
        *error = "--overlays takes trajectories,vectors,lines,numbers,marks,axes, all or none";
        return false;
    }
    const std::string span = line.Value("--span", "afterimage");
    if (span != "afterimage" && span != "all") {
        *error = "--span must be afterimage or all";
        return false;
    }
    s->span = span == "all" ? TrajectorySpan::All : TrajectorySpan::Afterimage;
    s->lineSpan = span == "all" ? LineSpan::All : LineSpan::Afterimage;
    const std::string background = line.Value("--background", "black");
    if (background != "black" && background != "white") {
        *error = "--background must be black or white";
        return false;
    }
    s->background = background == "white" ? ReplayBackground::White : ReplayBackground::Black;
    if (line.Has("--multiple") && !ParseDouble(line.Value("--multiple"), &s->vectorMultiple)) {
        *error = "--multiple needs a number";
        return false;
    }
    return true;
}

} // namespace

int RunRender(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("render"), &error)) return Usage(context, error);
    if (line.Positional().size() != 1) return Usage(context, "needs one measurement file");
    VideoExport::Format format = VideoExport::Format::MjpegAvi;
    if (!line.Has("--out") || !VideoExport::FormatOf(line.Value("--out"), &format))
        return Usage(context, "needs --out FILE.AVI or FILE.MP4");
    if (format == VideoExport::Format::Mp4 && !VideoExport::Mp4Available())
        return Usage(context, "this machine's encoder writes no MP4 (H.264): use .AVI");
    ReplaySettings settings;
    if (!ParseSettings(line, &settings, &error)) return Usage(context, error);

    ConsolePrompter prompter(*context.err);
    MeasureJob job(prompter);
    if (!job.Open(line.Positional()[0])) return 1;
    MeasureDocument& document = job.Document();
    const int frames = document.Track().GetFrameCount();
    int first = 1, last = frames;
    if (line.Has("--frames")) {
        const std::vector<std::string> range = line.Values("--frames");
        if (!ParseInt(range[0], &first) || !ParseInt(range[1], &last) || first < 1 ||
            first > last || last > frames)
            return Usage(context,
                         "--frames A B must satisfy 1 <= A <= B <= " + std::to_string(frames));
    }

    // The view's parts, headless: the motion images named by the
    // measurement, read from disk frame by frame.
    kova::CFrameStore store;
    store.InitImageSys();
    kova::CVideoCapDS capture(store);
    CImageDisplay display(store, capture, prompter);
    CCfgFile calibration;
    document.Track().GetCalibration(&calibration);
    display.SetConfig(&calibration);
    display.SetTrackFile(&document.Track());
    MotionImage motion(display, store, prompter);
    motion.RestoreSource(document.Info());
    motion.ShowFirstImage(&document.Track());

    const OffscreenGui gui; // the numbers and labels are text
    const DrawingTools tools;
    ReplayLogic logic(document, display, motion.Source(), tools);
    logic.InitWindow();
    ReplayFields& fields = logic.Fields();
    fields.settings = settings;
    fields.frames.clear();
    for (int frame = first; frame <= last; ++frame)
        fields.frames.push_back(frame - 1);
    kova::InterruptProgress progress;
    int status = 1;
    if (logic.Apply(progress) && logic.ExportVideo(line.Value("--out"), progress) == 1) status = 0;
    logic.Destroyed();
    return status;
}

} // namespace kova::cli
