# The scale calibration's conversions (pixels to real coordinates, frames to
# time, axis directions); headless, shared by the calibration dialog and the
# analyses.
add_library(kova_calibration STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Calibration2D.cpp
)
target_include_directories(kova_calibration PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(kova_calibration PUBLIC kovalib PRIVATE kova_settings)
