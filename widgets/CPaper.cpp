#include "CPaper.h"

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>
#include <algorithm>

namespace {

// Pixels per inch of a screen when there is none to ask.
constexpr double kDefaultScreenDpi = 96;

QPointF ScreenDpi() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
    return {kDefaultScreenDpi, kDefaultScreenDpi};
}

} // namespace

CPaper::~CPaper() {
    if (IsOpen()) Abort();
}

bool CPaper::Open(QPrinter& printer, const std::string& title) {
    if (IsOpen()) return false;
    printer.setDocName(QString::fromStdString(title));
    if (!page_.begin(&printer)) return false;
    printer_ = &printer;
    lineTop_ = 0;
    pageEnded_ = false;
    return true;
}

bool CPaper::DrawTextA(const std::string& text) {
    if (!IsOpen() || !BeginContent()) return false;
    page_.setPen(Qt::black);
    page_.drawText(QRect(0, lineTop_, GetPaperDot().width(), LineHeight()),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(text));
    return true;
}

void CPaper::LineFeed() {
    if (IsOpen()) lineTop_ += LineHeight();
}

QSize CPaper::GetPaperDot() const {
    return IsOpen() ? QSize(printer_->width(), printer_->height()) : QSize();
}

QSize CPaper::GetPaperChar() const {
    if (!IsOpen()) return {};
    const QFontMetrics metrics = page_.fontMetrics();
    const int charWidth = std::max(1, metrics.averageCharWidth());
    return {printer_->width() / charWidth, printer_->height() / LineHeight()};
}

QPointF CPaper::CalcDpiMulti() const {
    if (!IsOpen()) return {1, 1};
    const QPointF screen = ScreenDpi();
    return {printer_->logicalDpiX() / screen.x(), printer_->logicalDpiY() / screen.y()};
}

QPainter* CPaper::GetImageAreaDot(int width, int height, QRect* area) {
    if (!IsOpen() || !BeginContent()) return nullptr;
    const QSize paper = GetPaperDot();
    if (width < 1 || height < 1 || width > paper.width() || height > paper.height() - lineTop_ ||
        inImage_) {
        Abort();
        return nullptr;
    }
    imageArea_ = QRect(0, lineTop_, width, height);
    page_.save();
    inImage_ = true;
    EnterImageArea();
    if (area) *area = imageArea_;
    return &page_;
}

QRect CPaper::MoveCenterDot() {
    if (IsOpen() && inImage_) {
        imageArea_.moveLeft((GetPaperDot().width() - imageArea_.width()) / 2);
        EnterImageArea();
    }
    return imageArea_;
}

bool CPaper::DrawImage() {
    if (!IsOpen()) return false;
    if (!inImage_) {
        Abort();
        return false;
    }
    page_.restore();
    inImage_ = false;
    lineTop_ = imageArea_.bottom() + 1;
    pageEnded_ = true;
    return true;
}

bool CPaper::Close() {
    if (!IsOpen()) return false;
    if (inImage_) page_.restore();
    inImage_ = false;
    const bool ended = page_.end();
    const bool ok = ended && printer_->printerState() != QPrinter::Error;
    printer_ = nullptr;
    return ok;
}

bool CPaper::BeginContent() {
    if (!pageEnded_) return true;
    pageEnded_ = false;
    lineTop_ = 0;
    if (printer_->newPage()) return true;
    Abort();
    return false;
}

int CPaper::LineHeight() const {
    return std::max(1, page_.fontMetrics().lineSpacing());
}

void CPaper::EnterImageArea() {
    page_.setTransform(QTransform::fromTranslate(imageArea_.left(), imageArea_.top()));
    page_.setClipRect(QRect(QPoint(0, 0), imageArea_.size()));
}

void CPaper::Abort() {
    if (inImage_) page_.restore();
    inImage_ = false;
    const bool aborted = printer_->abort();
    page_.end();
    // A file printer cannot always abort: what it wrote is not a document.
    const QString file = printer_->outputFileName();
    if (!aborted && !file.isEmpty()) QFile::remove(file);
    printer_ = nullptr;
}
