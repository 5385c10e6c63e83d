#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>
#include <vector>

class CVideoCtrlDlgClient;
namespace Ui {
class CVideoCtrlDlg;
}

// The video control panel "视频控制": steps through a range of frame
// numbers for its client, which shows them. Play, pause, stop (back to the
// first entry), step back and forward, first and last, a position slider, a
// speed in frames per second and looping. Playback runs on a timer; when the
// client falls behind, frames are left out so that the replay keeps time.
class CVideoCtrlDlg : public QDialog {
    Q_OBJECT

public:
    explicit CVideoCtrlDlg(QWidget* parent = nullptr);
    ~CVideoCtrlDlg() override;

    // Binds the client and shows the panel.
    bool Create(CVideoCtrlDlgClient* client);
    // The frames to step through, in order; the panel stops and stands at
    // the first entry (nothing is shown).
    void SetRange(const std::vector<int>& frames);
    void SetRange(const int* frames, int count);
    // Goes to entry `index` (clamped) and has the client show it.
    void OnDirect(int index);
    // Stops playback; the entry shown stays.
    void OnStop();
    // Stops and hides the panel without telling the client.
    void Close();
    // The stepping buttons and the slider; the speed and loop.
    void EnableCtrlButton(bool enable);
    void EnableModeButton(bool enable);
    // The speed the panel starts with (added to the choices when missing).
    void SetFrameRate(double framesPerSecond);

    void OnPlay();
    void OnPause();
    void OnFirst();
    void OnLast();
    void OnStepBack();
    void OnStepForward();

    int Position() const { return position_; }
    int Count() const { return static_cast<int>(frames_.size()); }
    bool IsPlaying() const { return timer_.isActive(); }
    bool Loop() const;
    double Speed() const;

    // The entry due `elapsedMs` after playback started at entry `start`,
    // at `rate` entries per second: wraps with `loop`, else stops at the
    // last entry and sets `ended` when it is reached.
    static int DueEntry(int start, qint64 elapsedMs, double rate, int count, bool loop,
                        bool* ended);
    // One beat of playback, `elapsedMs` after it started (the timer's beat
    // uses the clock).
    void Advance(qint64 elapsedMs);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Connect();
    bool Go(int index);
    void ShowPosition();
    void StartClock();
    void SpeedOrLoopChanged();

    std::unique_ptr<Ui::CVideoCtrlDlg> ui_;
    CVideoCtrlDlgClient* client_ = nullptr;
    std::vector<int> frames_;
    int position_ = 0;
    int startEntry_ = 0;
    QTimer timer_;
    QElapsedTimer clock_;
};
