#include "CDisplayServer.h"

#include "DisplayWindow.h"
#include "Prompter.h"

namespace {
const char* const kPaintLocked = "] 图象被锁定。";
const char* const kImageLocked = "]图象被锁定。";
const char* const kMouseLocked = "]鼠标被锁定。";
const char* const kConfirm = "确认";
const char* const kAffirm = "Affirm";
} // namespace

CDisplayClient::CDisplayClient() : name_("其他程序") {}

CDisplayClient::~CDisplayClient() {
    if (paintServer_) paintServer_->ReleasePaint(this);
    if (mouseServer_) mouseServer_->ReleaseMouse(this);
    if (imageServer_) imageServer_->UnLockImage(this, 0);
    if (watchServer_) watchServer_->ReleaseWatch(this);
    // A client that goes while it holds the easy mouse gives it back, so the
    // server never calls a destroyed client.
    if (easyMouseServer_) easyMouseServer_->ReleaseEasyMouse(this);
}

CDisplayServer::~CDisplayServer() {
    while (paint_.first) {
        CDisplayClient* client = paint_.first;
        client->OnDisplayDestroy(this);
        if (paint_.first == client) ReleasePaint(client);
    }
    while (mouse_.first) {
        CDisplayClient* client = mouse_.first;
        client->OnDisplayDestroy(this);
        if (mouse_.first == client) ReleaseMouse(client);
    }
    while (watch_.first) {
        CDisplayClient* client = watch_.first;
        client->OnDisplayDestroy(this);
        if (watch_.first == client) ReleaseWatch(client);
    }
    if (easyMouse_) easyMouse_->easyMouseServer_ = nullptr;
    easyMouse_ = nullptr;
    if (imageHolder_) UnLockImage(imageHolder_, 1);
}

void CDisplayServer::Append(List& list, CDisplayClient* client, LinksOf links) {
    CDisplayClient::Links& own = client->*links;
    own.prev = list.last;
    own.next = nullptr;
    if (list.last)
        (list.last->*links).next = client;
    else
        list.first = client;
    list.last = client;
}

void CDisplayServer::Remove(List& list, CDisplayClient* client, LinksOf links) {
    CDisplayClient::Links& own = client->*links;
    if (own.prev)
        (own.prev->*links).next = own.next;
    else
        list.first = own.next;
    if (own.next)
        (own.next->*links).prev = own.prev;
    else
        list.last = own.prev;
    own.next = own.prev = nullptr;
}

void CDisplayServer::LockMessage(const CDisplayClient* about, const char* ending,
                                 const char* caption) {
    if (!showMessages_ || messageShowing_ || !prompter_) return;
    messageShowing_ = 1;
    std::string text = "现在[" + (about ? about->Name() : std::string()) + ending;
    prompter_->Show(text, caption, kova::MessageIcon::Exclamation);
    messageShowing_ = 0;
}

int CDisplayServer::CatchPaint(CDisplayClient* client) {
    if (!client || client->paintServer_) return 0;
    if (paintLocked_) {
        LockMessage(paint_.first, kPaintLocked, kConfirm);
        return 0;
    }
    Append(paint_, client, &CDisplayClient::paintLinks_);
    client->paintServer_ = this;
    Refresh();
    return 1;
}

int CDisplayServer::CatchLockPaint(CDisplayClient* client) {
    if (!client || client->paintServer_) return 0;
    if (paint_.first) {
        LockMessage(paint_.first, kImageLocked, kConfirm);
        return 0;
    }
    Append(paint_, client, &CDisplayClient::paintLinks_);
    client->paintServer_ = this;
    paintLocked_ = 1;
    Refresh();
    return 1;
}

int CDisplayServer::ReleasePaint(CDisplayClient* client) {
    if (!client || client->paintServer_ != this) return 0;
    paintLocked_ = 0;
    Remove(paint_, client, &CDisplayClient::paintLinks_);
    client->paintServer_ = nullptr;
    Refresh();
    return 1;
}

int CDisplayServer::PopupPaint(CDisplayClient* client) {
    if (!client || client->paintServer_ != this) return 0;
    Remove(paint_, client, &CDisplayClient::paintLinks_);
    Append(paint_, client, &CDisplayClient::paintLinks_);
    Refresh();
    return 1;
}

int CDisplayServer::CatchMouse(CDisplayClient* client) {
    if (!client || mouseMode_ == 2 || client->mouseServer_) return 0;
    if (mouseLocked_) {
        LockMessage(mouse_.first, kMouseLocked, kConfirm);
        return 0;
    }
    Append(mouse_, client, &CDisplayClient::mouseLinks_);
    client->mouseServer_ = this;
    mouseMode_ = 1;
    return 1;
}

int CDisplayServer::CatchLockMouse(CDisplayClient* client) {
    if (!client || mouseMode_ == 2 || client->mouseServer_) return 0;
    if (mouse_.first) {
        LockMessage(mouse_.first, kMouseLocked, kAffirm);
        return 0;
    }
    Append(mouse_, client, &CDisplayClient::mouseLinks_);
    client->mouseServer_ = this;
    mouseLocked_ = 1;
    mouseMode_ = 1;
    return 1;
}

int CDisplayServer::ReleaseMouse(CDisplayClient* client) {
    if (!client || mouseMode_ == 2 || client->mouseServer_ != this) return 0;
    mouseLocked_ = 0;
    Remove(mouse_, client, &CDisplayClient::mouseLinks_);
    client->mouseServer_ = nullptr;
    if (!mouse_.first) mouseMode_ = 0;
    return 1;
}

int CDisplayServer::CatchEasyMouse(CDisplayClient* client) {
    if (!client || mouseMode_ == 1) return 0;
    mouseMode_ = 2;
    if (easyMouse_ && easyMouse_ != client) easyMouse_->easyMouseServer_ = nullptr;
    easyMouse_ = client;
    client->easyMouseServer_ = this;
    return 1;
}

int CDisplayServer::ReleaseEasyMouse(CDisplayClient* client) {
    if (!client || mouseMode_ == 1 || easyMouse_ != client) return 0;
    client->easyMouseServer_ = nullptr;
    easyMouse_ = nullptr;
    mouseMode_ = 0;
    return 1;
}

int CDisplayServer::CatchWatch(CDisplayClient* client) {
    if (!client || client->watchServer_) return 0;
    Append(watch_, client, &CDisplayClient::watchLinks_);
    client->watchServer_ = this;
    return 1;
}

int CDisplayServer::ReleaseWatch(CDisplayClient* client) {
    if (!client || client->watchServer_ != this) return 0;
    Remove(watch_, client, &CDisplayClient::watchLinks_);
    client->watchServer_ = nullptr;
    return 1;
}

int CDisplayServer::LockImage(CDisplayClient* client) {
    if (!client || client->imageServer_) return 0;
    if (imageLocked_) {
        LockMessage(imageHolder_, kImageLocked, kConfirm);
        return 0;
    }
    imageLocked_ = 1;
    imageHolder_ = client;
    client->imageServer_ = this;
    return 1;
}

int CDisplayServer::UnLockImage(CDisplayClient* client, int notify) {
    if (!client || imageHolder_ != client) return 0;
    imageLocked_ = 0;
    imageHolder_ = nullptr;
    client->imageServer_ = nullptr;
    if (notify == 1) DoDisplayChangeImage(page_, 1);
    return 1;
}

int CDisplayServer::SetPage(int page) {
    if (imageLocked_) {
        LockMessage(imageHolder_, kImageLocked, kConfirm);
        return 0;
    }
    page_ = page;
    DoDisplayChangeImage(page, 0);
    return 1;
}

int CDisplayServer::FreeWindow(DisplayWindow* window) {
    if (window != window_) return 0;
    window_ = nullptr;
    return 1;
}

void CDisplayServer::Refresh() {
    if (window_ && window_->IsAlive() && window_->IsVisible()) window_->RepaintNow();
}

int CDisplayServer::ShowError(int show) {
    int previous = showMessages_;
    showMessages_ = show;
    return previous;
}

void CDisplayServer::DoDisplayPaint(QPainter* painter) {
    for (CDisplayClient* c = paint_.first; c;) {
        CDisplayClient* next = c->paintLinks_.next;
        c->OnDisplayPaint(painter);
        c = next;
    }
}

template <typename Handler> void CDisplayServer::FanOutMouse(Handler handler) {
    if (mouseMode_ == 2) {
        if (easyMouse_) handler(easyMouse_);
        return;
    }
    if (mouseMode_ != 1) return;
    for (CDisplayClient* c = mouse_.first; c;) {
        CDisplayClient* next = c->mouseLinks_.next;
        handler(c);
        c = next;
    }
}

void CDisplayServer::DoDisplayMouseMove(unsigned flags, QPoint point) {
    FanOutMouse([&](CDisplayClient* c) { c->OnDisplayMouseMove(flags, point); });
}
void CDisplayServer::DoDisplayLButtonDown(unsigned flags, QPoint point) {
    FanOutMouse([&](CDisplayClient* c) { c->OnDisplayLButtonDown(flags, point); });
}
void CDisplayServer::DoDisplayLButtonUp(unsigned flags, QPoint point) {
    FanOutMouse([&](CDisplayClient* c) { c->OnDisplayLButtonUp(flags, point); });
}
void CDisplayServer::DoDisplayLButtonDblClk(unsigned flags, QPoint point) {
    FanOutMouse([&](CDisplayClient* c) { c->OnDisplayLButtonDblClk(flags, point); });
}
void CDisplayServer::DoDisplayRButtonDown(unsigned flags, QPoint point) {
    FanOutMouse([&](CDisplayClient* c) { c->OnDisplayRButtonDown(flags, point); });
}
void CDisplayServer::DoDisplayRButtonUp(unsigned flags, QPoint point) {
    FanOutMouse([&](CDisplayClient* c) { c->OnDisplayRButtonUp(flags, point); });
}
void CDisplayServer::DoDisplayRButtonDblClk(unsigned flags, QPoint point) {
    FanOutMouse([&](CDisplayClient* c) { c->OnDisplayRButtonDblClk(flags, point); });
}

void CDisplayServer::DoDisplayChangeImage(int page, int flag) {
    for (CDisplayClient* c = watch_.first; c;) {
        CDisplayClient* next = c->watchLinks_.next;
        c->OnDisplayChangeImage(page, flag);
        c = next;
    }
}
