#pragma once

#include <string>
#include <vector>

class AnalysisWindowLogic;
class QAbstractButton;
class QComboBox;
class QLineEdit;
class QListWidget;
class QObject;
class QWidget;
struct AnalysisFields;

// The controls the analysis windows share, found in a form by their
// object names ("targets", "toggleAll", "lower" ...); null where a window
// has no such control.
struct AnalysisWidgets {
    AnalysisWidgets() = default;
    explicit AnalysisWidgets(const QWidget* form);

    QListWidget* targets = nullptr;
    QAbstractButton* toggleAll = nullptr;
    QAbstractButton* setTargets = nullptr;
    QLineEdit* lower = nullptr;
    QLineEdit* upper = nullptr;
    QComboBox* lengthUnit = nullptr;
    QComboBox* timeUnit = nullptr;
    QLineEdit* smoothing = nullptr;
    QAbstractButton* byFrame = nullptr;
    QAbstractButton* byTarget = nullptr;
    QListWidget* items = nullptr;
    QAbstractButton* showMarks = nullptr;
    QAbstractButton* viewData = nullptr;
    QAbstractButton* viewChart = nullptr;
    // The window's other selectors that list the targets.
    std::vector<QComboBox*> targetSelectors;
};

// The shared controls of an analysis window: fills the unit and item lists,
// passes the shared buttons to the logic, and moves the values between the
// controls and the common fields.
class AnalysisForm {
public:
    // `items` names the entries of the item list. "设置目标" is the host's:
    // it opens the target marks window.
    void Bind(const AnalysisWidgets& widgets, const std::vector<std::string>& items,
              AnalysisWindowLogic& logic, QObject* context);

    void Read(AnalysisFields* fields) const;
    void Write(const AnalysisFields& fields) const;
    // Refills the target list and every target selector (none chosen).
    void SetTargetEntries(const std::vector<std::string>& entries) const;

    // The whole number in an edit; -1, which every check refuses, when it
    // holds none.
    static int Number(const QLineEdit* edit);
    // Shows a number, keeping what was typed when it reads as that number.
    static void SetNumber(QLineEdit* edit, int value);

private:
    AnalysisWidgets w_;
};
