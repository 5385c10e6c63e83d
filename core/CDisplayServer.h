#pragma once

#include "CDisplayClient.h"

#include <QPoint>
#include <string>

class DisplayWindow;
class QPainter;
namespace kova {
class Prompter;
}

// The broker of one image window: fans its paint and mouse events out to
// the tool clients that caught them, tells watchers of page changes, and
// hands out paint, mouse and image locks.
class CDisplayServer {
public:
    CDisplayServer() = default;
    explicit CDisplayServer(kova::Prompter* prompter) : prompter_(prompter) {}
    CDisplayServer(const CDisplayServer&) = delete;
    CDisplayServer& operator=(const CDisplayServer&) = delete;
    virtual ~CDisplayServer();

    // The prompter that shows the lock messages (may be null: silent).
    void SetPrompter(kova::Prompter* prompter) { prompter_ = prompter; }

    int CatchPaint(CDisplayClient* client);
    int CatchLockPaint(CDisplayClient* client);
    int ReleasePaint(CDisplayClient* client);
    int PopupPaint(CDisplayClient* client);
    int CatchMouse(CDisplayClient* client);
    int CatchLockMouse(CDisplayClient* client);
    int ReleaseMouse(CDisplayClient* client);
    int CatchEasyMouse(CDisplayClient* client);
    int ReleaseEasyMouse(CDisplayClient* client);
    int CatchWatch(CDisplayClient* client);
    int ReleaseWatch(CDisplayClient* client);
    int LockImage(CDisplayClient* client);
    int UnLockImage(CDisplayClient* client, int notify);
    int SetPage(int page);
    int GetPage() const { return page_; }
    void SetWindow(DisplayWindow* window) { window_ = window; }
    int FreeWindow(DisplayWindow* window);
    DisplayWindow* GetWindow() const { return window_; }
    void Refresh();
    int ShowError(int show);

    void DoDisplayPaint(QPainter* painter);
    void DoDisplayMouseMove(unsigned flags, QPoint point);
    void DoDisplayLButtonDown(unsigned flags, QPoint point);
    void DoDisplayLButtonUp(unsigned flags, QPoint point);
    void DoDisplayLButtonDblClk(unsigned flags, QPoint point);
    void DoDisplayRButtonDown(unsigned flags, QPoint point);
    void DoDisplayRButtonUp(unsigned flags, QPoint point);
    void DoDisplayRButtonDblClk(unsigned flags, QPoint point);
    void DoDisplayChangeImage(int page, int flag);

    int GetMouseMode() const { return mouseMode_; }
    int IsPaintLocked() const { return paintLocked_; }
    int IsMouseLocked() const { return mouseLocked_; }
    int IsImageLockedNow() const { return imageLocked_; }
    CDisplayClient* ImageLockHolder() const { return imageHolder_; }
    CDisplayClient* EasyMouseClient() const { return easyMouse_; }
    CDisplayClient* FirstPaintClient() const { return paint_.first; }
    CDisplayClient* FirstMouseClient() const { return mouse_.first; }

private:
    struct List {
        CDisplayClient* first = nullptr;
        CDisplayClient* last = nullptr;
    };
    using LinksOf = CDisplayClient::Links CDisplayClient::*;

    static void Append(List& list, CDisplayClient* client, LinksOf links);
    static void Remove(List& list, CDisplayClient* client, LinksOf links);
    void LockMessage(const CDisplayClient* about, const char* ending, const char* caption);
    template <typename Handler> void FanOutMouse(Handler handler);

    DisplayWindow* window_ = nullptr;
    kova::Prompter* prompter_ = nullptr;
    int paintLocked_ = 0;
    int mouseLocked_ = 0;
    int imageLocked_ = 0;
    int showMessages_ = 1;
    int messageShowing_ = 0;
    int mouseMode_ = 0;
    int page_ = 1;
    List paint_;
    List mouse_;
    List watch_;
    CDisplayClient* easyMouse_ = nullptr;
    CDisplayClient* imageHolder_ = nullptr;
};
