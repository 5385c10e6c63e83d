#pragma once

#include <QColor>
#include <QDialog>
#include <QPointer>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QMetaProperty;

namespace Ui {
class CSledoPropPage;
}

// The slider's property page ("General"): edits for Min, Max, Slider and
// Button, check boxes for the switches and seven colour fields. It is bound
// to any object by property names, matched without regard to case; a field
// whose property the object lacks is disabled. OK and Apply write the changed
// fields back and are enabled only while every field holds a usable value.
class CSledoPropPage : public QDialog {
    Q_OBJECT

public:
    // Picks a colour starting from initial; nothing when cancelled.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;

    explicit CSledoPropPage(QObject* target, QWidget* parent = nullptr);
    ~CSledoPropPage() override;

    static const char* ProgId() { return "SLEDO.SledoPropPage.1"; }

    // Reads every field from the target.
    void Load();
    // Writes the changed fields to the target; false when a field holds no
    // usable value or the target is gone.
    bool Apply();
    // Replaces the standard colour dialog.
    void SetColorChooser(ColorChooser chooser) { chooser_ = std::move(chooser); }

    void accept() override;

private:
    enum class Kind { Number, Color, Check };
    struct Field {
        const char* name;
        Kind kind;
        QWidget* widget;
        QVariant loaded;
    };

    void AddFields();
    QMetaProperty FindProperty(const char* name) const;
    QVariant FieldValue(const Field& field) const;
    void ShowValue(const Field& field, const QVariant& value) const;
    bool AllValid() const;
    void UpdateButtons();
    void ChooseColor(QLineEdit* edit);

    std::unique_ptr<Ui::CSledoPropPage> ui_;
    QPointer<QObject> target_;
    ColorChooser chooser_;
    std::vector<Field> fields_;
};
