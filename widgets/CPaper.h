#pragma once

#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <string>

class QPrinter;

// The page printer: a print job of text lines and image areas on a printer
// the caller has configured (a PDF file needs no printer). Text is written
// line by line from the top of the page; an image area is taken below the
// current line, placed, drawn, and finished by DrawImage, which ends the
// page. A failure part way ends the job: the printer aborts and what was
// written to a file is removed.
class CPaper {
public:
    CPaper() = default;
    CPaper(const CPaper&) = delete;
    CPaper& operator=(const CPaper&) = delete;
    // An open job is aborted.
    ~CPaper();

    // Starts the job `title` on `printer`; false when the printer cannot.
    bool Open(QPrinter& printer, const std::string& title);
    // Writes one line of text at the current line; false when no job is open.
    bool DrawTextA(const std::string& text);
    // Moves down to the next line.
    void LineFeed();

    // The printable width and height, in printer dots.
    QSize GetPaperDot() const;
    // The same in characters: average character widths and lines.
    QSize GetPaperChar() const;
    // Printer dots per screen pixel, horizontally and vertically.
    QPointF CalcDpiMulti() const;

    // An image area `width` × `height` dots below the current line: the
    // painter to draw it with (origin at the area's top left, in dots,
    // clipped to the area) and, in `area`, its place on the page. Null when
    // no job is open or the area does not fit the rest of the page; the job
    // is then ended.
    QPainter* GetImageAreaDot(int width, int height, QRect* area);
    // Centres the image area across the page and returns its new place;
    // called before drawing (it resets the painter to the area's origin).
    QRect MoveCenterDot();
    // Finishes the image area and ends the page; false (the job ended) when
    // no image area was taken.
    bool DrawImage();

    // Ends the job; false when it failed or was ended by a failure.
    bool Close();

private:
    bool IsOpen() const { return printer_ != nullptr; }
    // Starts the next page when the last one was ended by DrawImage.
    bool BeginContent();
    int LineHeight() const;
    // Points the painter at the image area.
    void EnterImageArea();
    void Abort();

    QPrinter* printer_ = nullptr;
    QPainter page_;
    bool inImage_ = false;
    QRect imageArea_;
    int lineTop_ = 0;
    bool pageEnded_ = false;
};
