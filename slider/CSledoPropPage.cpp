#include "CSledoPropPage.h"

#include "SledoColor.h"
#include "ui_CSledoPropPage.h"

#include <QColorDialog>
#include <QIntValidator>
#include <QMetaProperty>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <limits>

namespace {

constexpr int kMaxSliderWidth = 1024;

QLineEdit* AsEdit(QWidget* w) {
    return qobject_cast<QLineEdit*>(w);
}
QCheckBox* AsCheck(QWidget* w) {
    return qobject_cast<QCheckBox*>(w);
}

// A colour value as typed: decimal, 0 to 4294967295.
std::optional<quint32> ParseColor(const QString& text) {
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

} // namespace

CSledoPropPage::CSledoPropPage(QObject* target, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CSledoPropPage>()), target_(target) {
    ui_->setupUi(this);
    chooser_ = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
    AddFields();
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &CSledoPropPage::accept);
    connect(ui_->buttonBox->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &CSledoPropPage::Apply);
    Load();
}

CSledoPropPage::~CSledoPropPage() = default;

void CSledoPropPage::AddFields() {
    const auto anyLong = [this] {
        return new QIntValidator(std::numeric_limits<qint32>::min(),
                                 std::numeric_limits<qint32>::max(), this);
    };
    ui_->editMin->setValidator(anyLong());
    ui_->editMax->setValidator(anyLong());
    ui_->editButton->setValidator(anyLong());
    ui_->editSlider->setValidator(new QIntValidator(1, kMaxSliderWidth, this));
    fields_ = {
        {"Min", Kind::Number, ui_->editMin, {}},
        {"Max", Kind::Number, ui_->editMax, {}},
        {"Slider", Kind::Number, ui_->editSlider, {}},
        {"Auto", Kind::Check, ui_->checkAuto, {}},
        {"Reverse", Kind::Check, ui_->checkReverse, {}},
        {"Vertical", Kind::Check, ui_->checkVertical, {}},
        {"Lock", Kind::Check, ui_->checkLock, {}},
        {"ButtonOn", Kind::Check, ui_->checkButtonOn, {}},
        {"ButtonAuto", Kind::Check, ui_->checkButtonAuto, {}},
        {"Button", Kind::Number, ui_->editButton, {}},
        {"BtnFcolor", Kind::Color, ui_->editBtnFcolor, {}},
        {"BarFcolor", Kind::Color, ui_->editBarFcolor, {}},
        {"BtnHcolor", Kind::Color, ui_->editBtnHcolor, {}},
        {"BtnScolor", Kind::Color, ui_->editBtnScolor, {}},
        {"FrmFcolor", Kind::Color, ui_->editFrmFcolor, {}},
        {"FrmHcolor", Kind::Color, ui_->editFrmHcolor, {}},
        {"FrmScolor", Kind::Color, ui_->editFrmScolor, {}},
    };
    const std::vector<std::pair<QPushButton*, QLineEdit*>> colorButtons = {
        {ui_->colorBtnFcolor, ui_->editBtnFcolor}, {ui_->colorBarFcolor, ui_->editBarFcolor},
        {ui_->colorBtnHcolor, ui_->editBtnHcolor}, {ui_->colorBtnScolor, ui_->editBtnScolor},
        {ui_->colorFrmFcolor, ui_->editFrmFcolor}, {ui_->colorFrmHcolor, ui_->editFrmHcolor},
        {ui_->colorFrmScolor, ui_->editFrmScolor},
    };
    for (const auto& [button, edit] : colorButtons) {
        QLineEdit* target = edit;
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{1,10}")), this));
        connect(button, &QPushButton::clicked, this, [this, target] { ChooseColor(target); });
    }
    for (const Field& field : fields_) {
        if (QLineEdit* edit = AsEdit(field.widget))
            connect(edit, &QLineEdit::textChanged, this, &CSledoPropPage::UpdateButtons);
    }
}

QMetaProperty CSledoPropPage::FindProperty(const char* name) const {
    if (!target_) return {};
    const QMetaObject* meta = target_->metaObject();
    const QString wanted = QString::fromLatin1(name);
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (QString::fromLatin1(property.name()).compare(wanted, Qt::CaseInsensitive) == 0)
            return property;
    }
    return {};
}

QVariant CSledoPropPage::FieldValue(const Field& field) const {
    switch (field.kind) {
    case Kind::Check:
        return AsCheck(field.widget)->isChecked();
    case Kind::Number:
        return AsEdit(field.widget)->text().toLongLong();
    case Kind::Color:
        return ParseColor(AsEdit(field.widget)->text()).value_or(0U);
    }
    return {};
}

void CSledoPropPage::ShowValue(const Field& field, const QVariant& value) const {
    switch (field.kind) {
    case Kind::Check:
        AsCheck(field.widget)->setChecked(value.toBool());
        break;
    case Kind::Number:
        AsEdit(field.widget)->setText(QString::number(value.toLongLong()));
        break;
    case Kind::Color:
        // Signed colour properties keep their bit pattern.
        AsEdit(field.widget)->setText(QString::number(static_cast<quint32>(value.toLongLong())));
        break;
    }
}

void CSledoPropPage::Load() {
    for (Field& field : fields_) {
        const QMetaProperty property = FindProperty(field.name);
        const bool bound = property.isValid() && property.isReadable();
        field.widget->setEnabled(bound && property.isWritable());
        field.loaded = QVariant();
        if (!bound) continue;
        ShowValue(field, property.read(target_));
        field.loaded = FieldValue(field);
    }
    UpdateButtons();
}

bool CSledoPropPage::AllValid() const {
    for (const Field& field : fields_) {
        const QLineEdit* edit = AsEdit(field.widget);
        if (!edit || !edit->isEnabled()) continue;
        if (!edit->hasAcceptableInput()) return false;
        if (field.kind == Kind::Color && !ParseColor(edit->text())) return false;
    }
    return true;
}

void CSledoPropPage::UpdateButtons() {
    const bool valid = AllValid();
    ui_->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(valid);
    ui_->buttonBox->button(QDialogButtonBox::Apply)->setEnabled(valid);
}

bool CSledoPropPage::Apply() {
    if (!target_ || !AllValid()) return false;
    for (const Field& field : fields_) {
        const QVariant value = FieldValue(field);
        if (!field.widget->isEnabled() || value == field.loaded) continue;
        const QMetaProperty property = FindProperty(field.name);
        QVariant converted = value;
        if (converted.convert(property.metaType())) property.write(target_, converted);
    }
    // The control may have adjusted or refused values: show what it holds.
    Load();
    return true;
}

void CSledoPropPage::accept() {
    if (Apply()) QDialog::accept();
}

void CSledoPropPage::ChooseColor(QLineEdit* edit) {
    const QColor initial =
        kova::SledoColorToQColor(ParseColor(edit->text()).value_or(0U), palette());
    if (const std::optional<QColor> chosen = chooser_(initial); chosen && chosen->isValid())
        edit->setText(QString::number(kova::SledoColorFromQColor(*chosen)));
}
