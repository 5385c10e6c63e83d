#pragma once

// The manual correction window as its logic sees it.
class CorrectControls {
public:
    CorrectControls() = default;
    CorrectControls(const CorrectControls&) = delete;
    CorrectControls& operator=(const CorrectControls&) = delete;
    virtual ~CorrectControls() = default;

    // Fills the target combo with "目标1" .. "目标<count>" and selects one
    // (-1: none).
    virtual void SetTargets(int count, int selected) = 0;
    // Editing: the button reads "确定", the combo is disabled, 取消 enabled;
    // else "修正", the combo enabled, 取消 disabled.
    virtual void SetEditing(bool editing) = 0;
    // Whether 修正 can start an edit now.
    virtual void EnableEdit(bool enabled) = 0;
};
