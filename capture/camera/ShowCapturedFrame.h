#pragma once

#include "CFrameStore.h"

// Shows colour frame `frame` of the store, switching the store to its colour
// frames first: captures and transfers fill colour frames, and the user must
// see them.
inline int ShowCapturedFrame(kova::CFrameStore& store, int frame) {
    if (store.Get_dispmode() != kova::CFrameStore::kColorDispMode)
        store.Put_dispmode(kova::CFrameStore::kColorDispMode);
    return store.Disp_frame_color(frame);
}
