#include "ResultVideoDlg.h"

#include "ConnectionLineEditor.h"
#include "DialogProgress.h"
#include "ReplayLogic.h"
#include "VideoPanel.h"
#include "ui_ResultVideoDlg.h"

#include <QEvent>
#include <cmath>
#include <limits>

namespace {

// The whole number in an edit; -1, which every check refuses, when it
// holds none.
int Number(const QLineEdit* edit) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : -1;
}

// Shows a value, keeping what was typed when it reads as that value.
void SetNumber(QLineEdit* edit, double value) {
    bool ok = false;
    const double shown = edit->text().trimmed().toDouble(&ok);
    if (!ok || shown != value) edit->setText(QString::number(value, 'g', 10));
}

std::vector<int> SelectedRows(const QListWidget* list) {
    std::vector<int> rows;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected()) rows.push_back(row);
    return rows;
}

void SelectRows(QListWidget* list, const std::vector<int>& rows) {
    std::vector<bool> selected(static_cast<std::size_t>(list->count()), false);
    for (int row : rows)
        if (row >= 0 && row < list->count()) selected[static_cast<std::size_t>(row)] = true;
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(selected[static_cast<std::size_t>(row)]);
}

void Fill(QListWidget* list, const std::vector<std::string>& entries) {
    list->clear();
    for (const std::string& entry : entries)
        list->addItem(QString::fromStdString(entry));
}

} // namespace

ResultVideoDlg::ResultVideoDlg(ReplayLogic& logic, ViewParts& view, QWidget* parent)
    : QDialog(parent), ui_(new Ui::ResultVideoDlg), logic_(logic), view_(view) {
    ui_->setupUi(this);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    panel_ = std::make_unique<VideoPanel>(logic_, this);
    Connect();
    ConnectSettings();
    logic_.SetControls(this);
    logic_.SetPanel(panel_.get());
    logic_.InitWindow();
}

ResultVideoDlg::~ResultVideoDlg() {
    logic_.Destroyed();
}

void ResultVideoDlg::Connect() {
    connect(ui_->selectFrames, &QPushButton::clicked, this, [this] { logic_.SelectFrames(); });
    connect(ui_->toggleAll, &QPushButton::clicked, this, [this] { logic_.ToggleAllTargets(); });
    connect(ui_->setLines, &QPushButton::clicked, this,
            [this] { logic_.EditLines([this] { return EditConnectionLines(view_, this); }); });
    connect(ui_->apply, &QPushButton::clicked, this, [this] {
        DialogProgress progress(this);
        logic_.Apply(progress);
    });
    connect(ui_->saveImages, &QPushButton::clicked, this, [this] {
        DialogProgress progress(this);
        logic_.SaveSeries(progress);
    });
    connect(ui_->saveVideo, &QPushButton::clicked, this, [this] {
        DialogProgress progress(this);
        logic_.SaveVideo(progress);
    });
    connect(ui_->closeWindow, &QPushButton::clicked, this, &QDialog::close);
    connect(ui_->background, &QComboBox::activated, this, [this](int index) {
        logic_.SetBackground(index == 1 ? ReplayBackground::White : ReplayBackground::Black);
    });
}

void ResultVideoDlg::ConnectSettings() {
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(ui_->axes), static_cast<QAbstractButton*>(ui_->image),
          static_cast<QAbstractButton*>(ui_->lines),
          static_cast<QAbstractButton*>(ui_->trajectories),
          static_cast<QAbstractButton*>(ui_->numbers), static_cast<QAbstractButton*>(ui_->marks),
          static_cast<QAbstractButton*>(ui_->spanAfterimage),
          static_cast<QAbstractButton*>(ui_->spanAll),
          static_cast<QAbstractButton*>(ui_->spanVector),
          static_cast<QAbstractButton*>(ui_->lineAfterimage),
          static_cast<QAbstractButton*>(ui_->lineAll),
          static_cast<QAbstractButton*>(ui_->lineCurrent)})
        connect(button, &QAbstractButton::clicked, this, &ResultVideoDlg::Changed);
    for (QComboBox* box : {ui_->workArea, ui_->kind})
        connect(box, &QComboBox::activated, this, &ResultVideoDlg::Changed);
    for (QLineEdit* edit : {ui_->multiple, ui_->start, ui_->end, ui_->interval})
        connect(edit, &QLineEdit::textEdited, this, &ResultVideoDlg::Changed);
    for (QListWidget* list : {ui_->frames, ui_->targets})
        connect(list, &QListWidget::itemSelectionChanged, this, &ResultVideoDlg::Changed);
}

void ResultVideoDlg::Changed() {
    if (!writing_) logic_.SettingsChanged();
}

bool ResultVideoDlg::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) logic_.Activate();
    return QDialog::event(event);
}

void ResultVideoDlg::ReadControls(ReplayFields* fields) {
    ReplaySettings& s = fields->settings;
    s.axes = ui_->axes->isChecked();
    s.image = ui_->image->isChecked();
    s.lines = ui_->lines->isChecked();
    s.trajectories = ui_->trajectories->isChecked();
    s.numbers = ui_->numbers->isChecked();
    s.marks = ui_->marks->isChecked();
    s.background =
        ui_->background->currentIndex() == 1 ? ReplayBackground::White : ReplayBackground::Black;
    s.workArea = ui_->workArea->currentIndex() == 0 ? ReplayWorkArea::Memory : ReplayWorkArea::Disk;
    bool ok = false;
    const double multiple = ui_->multiple->text().trimmed().toDouble(&ok);
    s.vectorMultiple = ok ? multiple : std::numeric_limits<double>::quiet_NaN();
    s.kind = static_cast<TrajectoryKind>(std::max(0, ui_->kind->currentIndex()));
    s.span = ui_->spanAll->isChecked()      ? TrajectorySpan::All
             : ui_->spanVector->isChecked() ? TrajectorySpan::VectorOnly
                                            : TrajectorySpan::Afterimage;
    s.lineSpan = ui_->lineAll->isChecked()       ? LineSpan::All
                 : ui_->lineCurrent->isChecked() ? LineSpan::Current
                                                 : LineSpan::Afterimage;
    fields->start = Number(ui_->start);
    fields->end = Number(ui_->end);
    fields->interval = Number(ui_->interval);
    fields->frames = SelectedRows(ui_->frames);
    fields->targets = SelectedRows(ui_->targets);
}

void ResultVideoDlg::WriteControls(const ReplayFields& fields) {
    writing_ = true;
    const ReplaySettings& s = fields.settings;
    ui_->axes->setChecked(s.axes);
    ui_->image->setChecked(s.image);
    ui_->lines->setChecked(s.lines);
    ui_->trajectories->setChecked(s.trajectories);
    ui_->numbers->setChecked(s.numbers);
    ui_->marks->setChecked(s.marks);
    ui_->background->setCurrentIndex(s.background == ReplayBackground::White ? 1 : 0);
    ui_->workArea->setCurrentIndex(s.workArea == ReplayWorkArea::Memory ? 0 : 1);
    if (std::isfinite(s.vectorMultiple)) SetNumber(ui_->multiple, s.vectorMultiple);
    ui_->kind->setCurrentIndex(static_cast<int>(s.kind));
    (s.span == TrajectorySpan::All          ? ui_->spanAll
     : s.span == TrajectorySpan::VectorOnly ? ui_->spanVector
                                            : ui_->spanAfterimage)
        ->setChecked(true);
    (s.lineSpan == LineSpan::All       ? ui_->lineAll
     : s.lineSpan == LineSpan::Current ? ui_->lineCurrent
                                       : ui_->lineAfterimage)
        ->setChecked(true);
    SetNumber(ui_->start, fields.start);
    SetNumber(ui_->end, fields.end);
    SetNumber(ui_->interval, fields.interval);
    SelectRows(ui_->frames, fields.frames);
    SelectRows(ui_->targets, fields.targets);
    writing_ = false;
}

void ResultVideoDlg::SetEntries(const std::vector<std::string>& frames,
                                const std::vector<std::string>& targets) {
    writing_ = true;
    Fill(ui_->frames, frames);
    Fill(ui_->targets, targets);
    writing_ = false;
}

void ResultVideoDlg::Enable(const ReplayEnabling& enabling) {
    for (QWidget* control :
         {static_cast<QWidget*>(ui_->lineAfterimage), static_cast<QWidget*>(ui_->lineAll),
          static_cast<QWidget*>(ui_->lineCurrent), static_cast<QWidget*>(ui_->setLines)})
        control->setEnabled(enabling.lineControls);
    for (QWidget* control :
         {static_cast<QWidget*>(ui_->spanAfterimage), static_cast<QWidget*>(ui_->spanAll),
          static_cast<QWidget*>(ui_->spanVector), static_cast<QWidget*>(ui_->kind),
          static_cast<QWidget*>(ui_->multiple)})
        control->setEnabled(enabling.trajectoryControls);
    ui_->workArea->setEnabled(enabling.workArea);
    ui_->apply->setEnabled(enabling.apply);
}
