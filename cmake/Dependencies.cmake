# Every dependency comes from Debian's packages (scripts/setup.sh installs them).
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(TURBOJPEG REQUIRED IMPORTED_TARGET libturbojpeg)
# The incremental encoder (snapshots encoded while they are composed) needs libjpeg itself.
pkg_check_modules(LIBJPEG REQUIRED IMPORTED_TARGET libjpeg)
# The thumbnail a snapshot carries for file managers and the album: an EXIF segment.
pkg_check_modules(EXIF REQUIRED IMPORTED_TARGET libexif)
# The picture for image-analysis programs: a TIFF with resolution tags.
pkg_check_modules(TIFF REQUIRED IMPORTED_TARGET libtiff-4)
# The view's bilinear scaling of live frames: OpenCV's core and image processing alone,
# whose Debian packages carry neither a CMake nor a pkg-config file. Its headers warn
# under C++20: they are included as the system's.
find_path(OPENCV_INCLUDE_DIR opencv2/imgproc.hpp PATH_SUFFIXES opencv4 REQUIRED)
find_library(OPENCV_CORE_LIBRARY opencv_core REQUIRED)
find_library(OPENCV_IMGPROC_LIBRARY opencv_imgproc REQUIRED)
add_library(OpenCV::imgproc INTERFACE IMPORTED)
target_include_directories(OpenCV::imgproc SYSTEM INTERFACE ${OPENCV_INCLUDE_DIR})
target_link_libraries(OpenCV::imgproc INTERFACE ${OPENCV_IMGPROC_LIBRARY} ${OPENCV_CORE_LIBRARY})
pkg_check_modules(PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavcodec libavformat libavutil libswscale)
pkg_check_modules(V4L2 REQUIRED IMPORTED_TARGET libv4l2)
find_package(nlohmann_json 3 REQUIRED)
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Svg Multimedia Test)
if(LUMETRA_BUILD_TESTS)
  find_package(GTest REQUIRED)
endif()
if(LUMETRA_BUILD_BENCH)
  find_package(benchmark REQUIRED)
endif()
