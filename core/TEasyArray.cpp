#include "TEasyArray.h"

// The instantiations the library provides; other code links these instead of
// instantiating the templates again.
template class TEasyArray<XY_TRACK>;
template class TEasyArray<XYZ_FLOAT>;
template class TEasyArray<TEasyArray<XY_TRACK>>;
template class TEasyArray<TEasyArray<XYZ_FLOAT>>;
template class TEasyArrays<XY_TRACK>;
template class TEasyArrays<XYZ_FLOAT>;
