# The motion image sequence and the calibration logic (the windows are in
# windows/).
if(NOT TARGET kovaimaging)
  return() # needs the imaging library
endif()
add_library(kova_imagesource STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AxisDisplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CImageDisplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Calibration2DLogic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MotionImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SeriesName.cpp
)
target_include_directories(kova_imagesource PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(kova_imagesource
  PUBLIC kova_measure kova_calibration kovaimaging Qt6::Gui PRIVATE kova_settings)

