# Finds the four OpenCV modules the project uses without the heavy
# libopencv-dev meta-package: headers under opencv4, one library each.
find_path(OpenCV_INCLUDE_DIR opencv2/core.hpp PATH_SUFFIXES opencv4)
set(_kova_cv_modules core imgproc imgcodecs videoio)
set(OpenCV_LIBS "")
foreach(module ${_kova_cv_modules})
  find_library(OpenCV_${module}_LIBRARY NAMES opencv_${module})
  if(OpenCV_INCLUDE_DIR AND OpenCV_${module}_LIBRARY AND NOT TARGET kova::opencv_${module})
    add_library(kova::opencv_${module} UNKNOWN IMPORTED)
    set_target_properties(kova::opencv_${module} PROPERTIES
      IMPORTED_LOCATION ${OpenCV_${module}_LIBRARY}
      INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${OpenCV_INCLUDE_DIR}
      INTERFACE_INCLUDE_DIRECTORIES ${OpenCV_INCLUDE_DIR})
  endif()
endforeach()
