#include "SegmentationWindow.h"

#include "AppContext.h"
#include "CHistGram.h"
#include "CImageDisplay.h"
#include "CSledoCtrl.h"
#include "ExclusiveInput.h"
#include "SegmentationLogic.h"
#include "ViewParts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QPointer<SegmentationWindow>& OpenWindow() {
    static QPointer<SegmentationWindow> open;
    return open;
}

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

template <typename Control> Control* Named(Control* control, const QString& name) {
    control->setAccessibleName(name);
    return control;
}

kova::CHistGram::Form FormOf(SegmentationMode mode, int row) {
    using Form = kova::CHistGram::Form;
    if (mode == SegmentationMode::Rgb) return std::array{Form::Red, Form::Green, Form::Blue}[row];
    if (mode == SegmentationMode::Hsi)
        return std::array{Form::Hue, Form::Saturation, Form::Intensity}[row];
    return Form::Grey;
}

} // namespace

bool RunSegmentation(ViewParts& parts, QWidget* parent, int sourceFrame, int outputFrame,
                     SegmentationResult* result) {
    if (!result) return false;
    if (SegmentationWindow* open = OpenWindow()) {
        open->raise();
        open->activateWindow();
        return false;
    }
    SegmentationLogic logic(parts.app.store);
    if (!logic.Open(sourceFrame, outputFrame, *result)) return false;
    SegmentationWindow window(logic, parts.display, parent);
    OpenWindow() = &window;
    SegmentationResult accepted;
    const bool ok = window.Exec(&parts.view, accepted);
    if (ok)
        *result = accepted;
    else
        result->accepted = false;
    return ok;
}

SegmentationWindow::SegmentationWindow(SegmentationLogic& logic, CImageDisplay& display,
                                       QWidget* parent)
    : QDialog(parent), logic_(logic), display_(display) {
    setWindowTitle(Text("图像分割"));
    setModal(false);
    Build();
    Connect();
    Show();
    display_.CatchEasyMouse(this);
}

SegmentationWindow::~SegmentationWindow() {
    display_.ReleaseEasyMouse(this);
}

void SegmentationWindow::Build() {
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BuildModes());
    left->addWidget(BuildMethod());
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(Text("结果颜色")));
    colour_ = Named(new QComboBox, Text("结果颜色"));
    colour_->addItems({Text("黑色"), Text("白色")});
    colourRow->addWidget(colour_);
    left->addLayout(colourRow);
    left->addWidget(BuildSampling());
    left->addStretch();
    top->addLayout(left);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildBands());
    right->addWidget(BuildButtons());
    top->addLayout(right);
    setLayout(top);
}

QGroupBox* SegmentationWindow::BuildModes() {
    auto* box = new QGroupBox(Text("二值化处理"));
    auto* layout = new QVBoxLayout(box);
    modes_ = new QButtonGroup(this);
    const char* names[] = {"常规", "自动", "RGB", "HSI"};
    for (int m = 0; m < 4; ++m) {
        auto* radio = Named(new QRadioButton(Text(names[m])), Text(names[m]));
        modes_->addButton(radio, m);
        layout->addWidget(radio);
    }
    return box;
}

QGroupBox* SegmentationWindow::BuildMethod() {
    methodBox_ = new QGroupBox(Text("方法"));
    auto* layout = new QVBoxLayout(methodBox_);
    methods_ = new QButtonGroup(this);
    const char* names[] = {"模态法", "p参数法"};
    for (int m = 0; m < 2; ++m) {
        auto* radio = Named(new QRadioButton(Text(names[m])), Text(names[m]));
        methods_->addButton(radio, m);
        layout->addWidget(radio);
    }
    percent_ = Named(new QDoubleSpinBox, Text("百分比"));
    percent_->setRange(0.0, 100.0);
    percent_->setDecimals(2);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(Text("百分比")));
    row->addWidget(percent_);
    layout->addLayout(row);
    return methodBox_;
}

QGroupBox* SegmentationWindow::BuildBands() {
    auto* box = new QGroupBox(Text("阈值"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(Text("下限")), 0, 1);
    scale_ = new QLabel;
    grid->addWidget(scale_, 0, 2, Qt::AlignRight);
    grid->addWidget(new QLabel(Text("上限")), 0, 3);
    for (int r = 0; r < 3; ++r) {
        const QString n = QString::number(r + 1);
        BandRow& row = rows_[static_cast<size_t>(r)];
        row.check = Named(new QCheckBox, Text("通道") + n);
        row.low = Named(new QSpinBox, Text("下限") + n);
        row.high = Named(new QSpinBox, Text("上限") + n);
        row.slider = Named(new CSledoCtrl, Text("滑块") + n);
        row.histogram = new kova::CHistGram;
        row.histogram->setAccessibleName(Text("直方图") + n);
        grid->addWidget(row.histogram, 1 + 2 * r, 0, 1, 4);
        grid->addWidget(row.check, 2 + 2 * r, 0);
        grid->addWidget(row.low, 2 + 2 * r, 1);
        grid->addWidget(row.slider, 2 + 2 * r, 2);
        grid->addWidget(row.high, 2 + 2 * r, 3);
    }
    grid->setColumnStretch(2, 1);
    return box;
}

QGroupBox* SegmentationWindow::BuildSampling() {
    samplingBox_ = new QGroupBox(Text("颜色采样"));
    auto* grid = new QGridLayout(samplingBox_);
    size_ = Named(new QSpinBox, Text("尺寸"));
    size_->setRange(1, 255);
    count_ = Named(new QSpinBox, Text("次数"));
    count_->setReadOnly(true);
    count_->setRange(0, 1 << 30);
    count_->setButtonSymbols(QSpinBox::NoButtons);
    reset_ = Named(new QPushButton(Text("重设定")), Text("重设定"));
    grid->addWidget(new QLabel(Text("尺寸")), 0, 0);
    grid->addWidget(size_, 0, 1);
    grid->addWidget(new QLabel(Text("次数")), 1, 0);
    grid->addWidget(count_, 1, 1);
    grid->addWidget(reset_, 2, 0, 1, 2);
    return samplingBox_;
}

QWidget* SegmentationWindow::BuildButtons() {
    auto* panel = new QWidget;
    auto* layout = new QHBoxLayout(panel);
    run_ = Named(new QPushButton(Text("运行")), Text("运行"));
    view_ = Named(new QPushButton(Text("改变视图")), Text("改变视图"));
    ok_ = Named(new QPushButton(Text("确定")), Text("确定"));
    cancel_ = Named(new QPushButton(Text("取消")), Text("取消"));
    for (QPushButton* button : {run_, view_, ok_, cancel_})
        layout->addWidget(button);
    return panel;
}

void SegmentationWindow::Connect() {
    connect(modes_, &QButtonGroup::idClicked, this, [this](int mode) {
        Pull();
        logic_.ApplyMode(static_cast<SegmentationMode>(mode));
        Show();
    });
    connect(methods_, &QButtonGroup::idClicked, this, [this](int) {
        Pull();
        Show();
    });
    for (BandRow& row : rows_) {
        auto edited = [this] {
            if (filling_) return;
            Pull();
            Show();
        };
        connect(row.check, &QCheckBox::toggled, this, edited);
        connect(row.low, qOverload<int>(&QSpinBox::valueChanged), this, edited);
        connect(row.high, qOverload<int>(&QSpinBox::valueChanged), this, edited);
        connect(row.slider, &CSledoCtrl::Change, this, [this, &row](long low, long high) {
            if (filling_) return;
            filling_ = true;
            row.low->setValue(static_cast<int>(low));
            row.high->setValue(static_cast<int>(high));
            filling_ = false;
            Pull();
            Show();
        });
    }
    connect(reset_, &QPushButton::clicked, this, [this] {
        Pull();
        logic_.ResetSampling();
        Show();
    });
    connect(run_, &QPushButton::clicked, this, [this] {
        Pull();
        logic_.Run();
        Show();
    });
    connect(view_, &QPushButton::clicked, this, [this] {
        Pull();
        logic_.ChangeView();
        Show();
    });
    connect(ok_, &QPushButton::clicked, this, [this] {
        Pull();
        if (accepted_) *accepted_ = logic_.Accept();
        accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

bool SegmentationWindow::Exec(QWidget* imageView, SegmentationResult& result) {
    accepted_ = &result;
    bool ok = false;
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, [&ok, &loop](int code) {
        ok = code == QDialog::Accepted;
        loop.quit();
    });
    const ExclusiveInput exclusive({QPointer<QWidget>(this), QPointer<QWidget>(imageView)});
    show();
    raise();
    activateWindow();
    loop.exec();
    if (!ok) logic_.Close();
    accepted_ = nullptr;
    return ok;
}

void SegmentationWindow::OnDisplayLButtonDown(unsigned /*flags*/, QPoint point) {
    Pull();
    if (logic_.SampleAt(point.x(), point.y())) Show();
}

void SegmentationWindow::Pull() {
    if (filling_) return;
    SegmentationFields& f = logic_.Fields();
    f.method = methods_->checkedId() == 1 ? AutoMethod::Percent : AutoMethod::Mode;
    f.percent = percent_->value();
    f.colour = colour_->currentIndex() == 1 ? ResultColour::White : ResultColour::Black;
    for (size_t r = 0; r < 3; ++r) {
        f.bands[r].on = rows_[r].check->isChecked();
        f.bands[r].low = rows_[r].low->value();
        f.bands[r].high = rows_[r].high->value();
    }
    f.sampleSize = size_->value();
}

void SegmentationWindow::Show() {
    filling_ = true;
    const SegmentationFields& f = logic_.Fields();
    const int top = ScaleMax(f.mode);
    const auto labels = RowLabels(f.mode);
    modes_->button(static_cast<int>(f.mode))->setChecked(true);
    methods_->button(static_cast<int>(f.method))->setChecked(true);
    percent_->setValue(f.percent);
    colour_->setCurrentIndex(static_cast<int>(f.colour));
    scale_->setText(QString::number(top));
    for (size_t r = 0; r < 3; ++r) {
        BandRow& row = rows_[r];
        row.check->setText(QString::fromStdString(labels[r]));
        row.check->setChecked(f.bands[r].on);
        for (QSpinBox* field : {row.low, row.high})
            field->setRange(-1, top);
        row.low->setValue(f.bands[r].low);
        row.high->setValue(f.bands[r].high);
        row.slider->SetRange(0, top);
        if (f.bands[r].low <= f.bands[r].high) row.slider->SetBar(f.bands[r].low, f.bands[r].high);
    }
    size_->setValue(f.sampleSize);
    count_->setValue(f.sampleCount);
    Enable();
    ShowHistograms();
    filling_ = false;
}

void SegmentationWindow::ShowHistograms() {
    const SegmentationFields& f = logic_.Fields();
    const bool colour = IsColourMode(f.mode);
    for (int r = 0; r < 3; ++r) {
        BandRow& row = rows_[static_cast<size_t>(r)];
        const bool used = colour || r == 0;
        row.histogram->setVisible(used);
        if (!used) continue;
        const SegmentationBand& band = f.bands[static_cast<size_t>(r)];
        row.histogram->SetForm(FormOf(f.mode, r));
        row.histogram->SetCounts(logic_.Histogram(r));
        row.histogram->SetBand(!colour || band.on, band.low, band.high);
    }
}

void SegmentationWindow::Enable() {
    const SegmentationFields& f = logic_.Fields();
    const bool colour = IsColourMode(f.mode);
    const bool automatic = f.mode == SegmentationMode::Auto;
    methodBox_->setEnabled(automatic);
    percent_->setEnabled(automatic && f.method == AutoMethod::Percent);
    samplingBox_->setEnabled(colour);
    for (size_t r = 0; r < 3; ++r) {
        BandRow& row = rows_[r];
        const bool used = colour || r == 0;
        row.check->setEnabled(colour);
        row.check->setVisible(true);
        for (QWidget* control : {static_cast<QWidget*>(row.low), static_cast<QWidget*>(row.high),
                                 static_cast<QWidget*>(row.slider)})
            control->setEnabled(used && !automatic && (!colour || f.bands[r].on));
    }
}
