#pragma once

#include "AnalysisForm.h"
#include "AnalysisWindowLogic.h"

#include <QDialog>
#include <QEvent>
#include <string>
#include <utility>
#include <vector>

// The entries of an analysis's item list.
template <typename Analysis> std::vector<std::string> ItemNames() {
    std::vector<std::string> names;
    for (int item = 0; item < Analysis::kItemCount; ++item)
        names.push_back(Analysis::ItemName(item));
    return names;
}

// The base of the analysis windows: a modeless dialog over its logic that
// shows the shared controls through its form, takes the image mouse when it
// becomes active and tells the logic when it goes. `Controls` is the
// window's controls interface.
template <typename Controls> class AnalysisDialog : public QDialog, public Controls {
public:
    ~AnalysisDialog() override { logic_.Destroyed(); }

    void ReadControls(AnalysisFields* fields) override { form_.Read(fields); }
    void WriteControls(const AnalysisFields& fields) override { form_.Write(fields); }
    void SetTargetEntries(const std::vector<std::string>& entries) override {
        form_.SetTargetEntries(entries);
    }

protected:
    AnalysisDialog(AnalysisWindowLogic& logic, QWidget* parent) : QDialog(parent), logic_(logic) {
        setModal(false);
        setAttribute(Qt::WA_DeleteOnClose);
    }

    bool event(QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) logic_.Activate();
        return QDialog::event(event);
    }

    // After the form is set up: binds its shared controls and `selectors`,
    // the window's other lists of the targets.
    void Bind(const std::vector<std::string>& items, std::vector<QComboBox*> selectors = {}) {
        AnalysisWidgets widgets(this);
        widgets.targetSelectors = std::move(selectors);
        form_.Bind(widgets, items, logic_, this);
    }

private:
    AnalysisWindowLogic& logic_;
    AnalysisForm form_;
};
