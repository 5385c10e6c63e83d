#include "CProgressDlg.h"

#include "ui_CProgressDlg.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

// Lets through only the input meant for the dialog while it is polled.
class CProgressDlg::InputGate : public QObject {
public:
    explicit InputGate(QWidget* dialog) : dialog_(dialog) {}

    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!IsInput(event->type())) return false;
        if (auto* widget = qobject_cast<QWidget*>(receiver))
            return widget != dialog_ && !dialog_->isAncestorOf(widget);
        if (auto* window = qobject_cast<QWindow*>(receiver))
            return window != dialog_->windowHandle();
        return false;
    }

private:
    static bool IsInput(QEvent::Type type) {
        switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Close:
            return true;
        default:
            return false;
        }
    }

    QWidget* dialog_;
};

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent), ui_(new Ui::CProgressDlg) {
    ui_->setupUi(this);
    setModal(false);
    connect(ui_->stop, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    Apply();
}

CProgressDlg::~CProgressDlg() = default;

void CProgressDlg::Apply() {
    ui_->bar->setRange(0, maximum_);
    ui_->bar->setValue(position_ > maximum_ ? maximum_ : position_);
    ui_->text->setText(text_);
    ui_->stop->setEnabled(cancelEnabled_);
}

void CProgressDlg::Create() {
    cancelled_ = false;
    Apply();
    show();
    raise();
    activateWindow();
}

bool CProgressDlg::SetMax(int maximum) {
    if (maximum < 1) return false;
    maximum_ = maximum;
    Apply();
    return true;
}

bool CProgressDlg::SetPos(int position) {
    if (position < 0) return false;
    position_ = position;
    Apply();
    return true;
}

void CProgressDlg::SetText(const QString& text) {
    text_ = text;
    Apply();
}

void CProgressDlg::EnableCancel(bool enable) {
    cancelEnabled_ = enable;
    Apply();
}

bool CProgressDlg::Poll() {
    InputGate gate(this);
    qApp->installEventFilter(&gate);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qApp->removeEventFilter(&gate);
    return cancelled_;
}

void CProgressDlg::Close() {
    hide();
}
