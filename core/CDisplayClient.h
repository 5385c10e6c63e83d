#pragma once

#include <QPoint>
#include <string>

class CDisplayServer;
class QPainter;

// A tool that paints on, takes the mouse of, watches or locks one image
// window through its display server. Painting and mouse positions are in
// image pixels.
class CDisplayClient {
public:
    CDisplayClient();
    CDisplayClient(const CDisplayClient&) = delete;
    CDisplayClient& operator=(const CDisplayClient&) = delete;
    virtual ~CDisplayClient();

    virtual void OnDisplayPaint(QPainter* /*painter*/) {}
    virtual void OnDisplayMouseMove(unsigned /*flags*/, QPoint /*point*/) {}
    virtual void OnDisplayLButtonDblClk(unsigned /*flags*/, QPoint /*point*/) {}
    virtual void OnDisplayLButtonDown(unsigned /*flags*/, QPoint /*point*/) {}
    virtual void OnDisplayLButtonUp(unsigned /*flags*/, QPoint /*point*/) {}
    virtual void OnDisplayRButtonDblClk(unsigned /*flags*/, QPoint /*point*/) {}
    virtual void OnDisplayRButtonDown(unsigned /*flags*/, QPoint /*point*/) {}
    virtual void OnDisplayRButtonUp(unsigned /*flags*/, QPoint /*point*/) {}
    virtual void OnDisplayChangeImage(int /*page*/, int /*flag*/) {}
    virtual void OnDisplayDestroy(CDisplayServer* /*server*/) {}

    void SetName(const std::string& name) { name_ = name; }
    void GetName(std::string* name) const {
        if (name) *name = name_;
    }
    const std::string& Name() const { return name_; }
    CDisplayServer* IsPaintLinked() const { return paintServer_; }
    CDisplayServer* IsMouseLinked() const { return mouseServer_; }
    CDisplayServer* IsWatchLinked() const { return watchServer_; }
    CDisplayServer* IsImageLocked() const { return imageServer_; }

private:
    friend class CDisplayServer;
    struct Links {
        CDisplayClient* next = nullptr;
        CDisplayClient* prev = nullptr;
    };

    std::string name_;
    CDisplayServer* paintServer_ = nullptr;
    CDisplayServer* mouseServer_ = nullptr;
    CDisplayServer* watchServer_ = nullptr;
    CDisplayServer* imageServer_ = nullptr;
    CDisplayServer* easyMouseServer_ = nullptr; // while it holds the easy mouse
    Links paintLinks_;
    Links mouseLinks_;
    Links watchLinks_;
};
