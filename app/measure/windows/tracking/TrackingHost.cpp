#include "TrackingHost.h"

#include "AppContext.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CTrackDlg.h"
#include "MotionImage.h"
#include "SegmentationResult.h"
#include "SegmentationWindow.h"
#include "ViewCommands.h"
#include "ViewParts.h"

TrackingHost::TrackingHost(ViewParts& view)
    : ToolWindowHost(ToolWindow::Tracking), view_(view),
      logic_(view.display, view.measure, view.motion.Source(), view.app.config, view.app.prompter) {
    logic_.SetReload(
        [this](const std::string& path) { return view_.commands.ReloadAfterTracking(path) == 1; });
    logic_.SetRunner([this](std::function<void()> work, std::function<void()> done) {
        StartWorker(std::move(work), std::move(done));
    });
    logic_.SetLiveHandlers(
        [this](LiveFrame frame) {
            QMetaObject::invokeMethod(
                &relay_, [this, frame = std::move(frame)] { logic_.ShowLive(frame); },
                Qt::QueuedConnection);
        },
        [this](ManualPointSource::Request request) {
            QMetaObject::invokeMethod(
                &relay_, [this, request] { logic_.ClickRequested(request); }, Qt::QueuedConnection);
        });
}

TrackingHost::~TrackingHost() {
    // The dialog stops a run when it goes; the worker ends before the logic.
    delete Window();
    if (worker_.joinable()) worker_.join();
}

void TrackingHost::StartWorker(std::function<void()> work, std::function<void()> done) {
    if (worker_.joinable()) worker_.join();
    worker_ = std::thread([this, work = std::move(work), done = std::move(done)] {
        work();
        QMetaObject::invokeMethod(
            &relay_,
            [this, done] {
                if (worker_.joinable()) worker_.join();
                done();
            },
            Qt::QueuedConnection);
    });
}

void TrackingHost::Segment() {
    kova::CFrameStore& store = view_.display.Store();
    const bool colour = store.Get_dispmode() == kova::CFrameStore::kColorDispMode;
    segmentation_.method = logic_.SegmentationMethod();
    const int frame = colour ? store.Get_dispframe_color() : store.Get_dispframe();
    if (RunSegmentation(view_, Window(), frame, 0, &segmentation_))
        logic_.TakeSegmentation(segmentation_);
    view_.display.Refresh();
}

QWidget* TrackingHost::Create() {
    kova::CFrameStore& store = view_.display.Store();
    const bool colour = store.Get_dispmode() == kova::CFrameStore::kColorDispMode;
    auto* dialog = new CTrackDlg(
        logic_, view_.app.prompter, colour, [this] { Segment(); }, &view_.view);
    dialog->setWindowFlag(Qt::Tool);
    return dialog;
}
