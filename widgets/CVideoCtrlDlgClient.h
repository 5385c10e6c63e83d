#pragma once

// The window a video control panel (CVideoCtrlDlg) works for.
class CVideoCtrlDlgClient {
public:
    CVideoCtrlDlgClient() = default;
    CVideoCtrlDlgClient(const CVideoCtrlDlgClient&) = delete;
    CVideoCtrlDlgClient& operator=(const CVideoCtrlDlgClient&) = delete;
    virtual ~CVideoCtrlDlgClient() = default;

    // Entry `index` of the panel's range, frame `frame`, is to be shown;
    // false when it could not be (the panel then stays where it was).
    virtual bool OnVideoCtrlShow(int index, int frame) = 0;
    // The user changed the panel's speed or loop; repaint when `repaint` is 1.
    virtual void OnVideoCtrlChange(int repaint) = 0;
    // The user closed the panel.
    virtual void OnVideoCtrlDestroy() = 0;
};
