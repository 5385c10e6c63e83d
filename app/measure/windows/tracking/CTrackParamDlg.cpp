#include "CTrackParamDlg.h"

#include "Prompter.h"
#include "ui_CTrackParamDlg.h"

#include <QButtonGroup>

namespace {

// A radio group's index from its buttons in order.
int Checked(std::initializer_list<const QRadioButton*> buttons) {
    int i = 0;
    for (const QRadioButton* button : buttons) {
        if (button->isChecked()) return i;
        ++i;
    }
    return 0;
}

void Check(std::initializer_list<QRadioButton*> buttons, int index) {
    int i = 0;
    for (QRadioButton* button : buttons)
        button->setChecked(i++ == index);
}

long long Number(const QLineEdit* field) {
    bool ok = false;
    const long long value = field->text().trimmed().toLongLong(&ok);
    return ok ? value : -1;
}

} // namespace

CTrackParamDlg::CTrackParamDlg(const TrackParams& params, kova::Prompter& prompter, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CTrackParamDlg), params_(params), prompter_(prompter) {
    ui_->setupUi(this);
    for (QRadioButton* noise : {ui_->noNoise, ui_->small, ui_->large, ui_->both})
        connect(noise, &QRadioButton::toggled, this, [this] { ApplyEnabling(); });
    connect(ui_->defaults, &QPushButton::clicked, this, [this] {
        TrackParamForm form = Read();
        form.Reset();
        Show(form);
    });
    connect(ui_->okButton, &QPushButton::clicked, this, &CTrackParamDlg::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CTrackParamDlg::reject);
    Show(TrackParamForm::From(params_));
}

CTrackParamDlg::~CTrackParamDlg() = default;

void CTrackParamDlg::Show(const TrackParamForm& form) {
    Check({ui_->black, ui_->white}, form.targetColour);
    Check({ui_->band, ui_->modeMethod, ui_->percentage}, form.method);
    Check({ui_->noFilter, ui_->average, ui_->emphasis}, form.filter);
    Check({ui_->noNoise, ui_->small, ui_->large, ui_->both}, form.noise);
    ui_->area0->setText(QString::number(form.area0));
    ui_->area1->setText(QString::number(form.area1));
    ui_->maxArea->setChecked(form.maxArea);
    ApplyEnabling();
}

TrackParamForm CTrackParamDlg::Read() const {
    TrackParamForm form;
    form.targetColour = Checked({ui_->black, ui_->white});
    form.method = Checked({ui_->band, ui_->modeMethod, ui_->percentage});
    form.filter = Checked({ui_->noFilter, ui_->average, ui_->emphasis});
    form.noise = Checked({ui_->noNoise, ui_->small, ui_->large, ui_->both});
    form.area0 = Number(ui_->area0);
    form.area1 = Number(ui_->area1);
    form.maxArea = ui_->maxArea->isChecked();
    return form;
}

void CTrackParamDlg::ApplyEnabling() {
    const TrackParamForm::Enabling e = Read().Enable(params_);
    ui_->area0->setEnabled(e.area0);
    ui_->area1->setEnabled(e.area1);
    ui_->average->setEnabled(e.filters);
    ui_->emphasis->setEnabled(e.filters);
    ui_->modeMethod->setEnabled(e.autoMethods);
    ui_->percentage->setEnabled(e.autoMethods);
    ui_->maxArea->setEnabled(e.maxArea);
}

void CTrackParamDlg::accept() {
    const TrackParamForm form = Read();
    const std::string problem = form.Check();
    if (!problem.empty()) {
        prompter_.Show(problem, "KOVA", kova::MessageIcon::Exclamation);
        return;
    }
    form.ApplyTo(params_);
    QDialog::accept();
}
