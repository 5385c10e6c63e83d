# The motion image sequence and the calibration dialog: headless logic
# (kova_imagesource) and its thin Qt windows (kova_imagewindows).
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

if(TARGET kovawidgets)
  add_library(kova_imagewindows STATIC
    ${CMAKE_CURRENT_LIST_DIR}/CCalibration2DDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CCalibration2DDlg.ui
    ${CMAKE_CURRENT_LIST_DIR}/ProgressDlgMonitor.cpp
  )
  set_target_properties(kova_imagewindows PROPERTIES AUTOMOC ON AUTOUIC ON)
  target_include_directories(kova_imagewindows PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(kova_imagewindows
    PUBLIC kova_imagesource kovawidgets Qt6::Widgets PRIVATE kova_settings)
endif()
