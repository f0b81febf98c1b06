# Precompiled headers: the Qt and standard headers most files include are parsed once for the
# whole build into inkwren_pch, and once more with GoogleTest into inkwren_test_pch; every
# library and program of the build reuses one of them (inkwren_reuse_precompiled_headers(), at
# the end of the top folder's list, so a new target needs nothing of its own).
#
# A precompiled header holds only what every user compiles alike: it is built with Qt Core's
# settings (position-independent code, its definitions) and no more, since GCC refuses one made
# with a macro its user lacks. Its Qt headers are named with their module, so any user finds
# them as text too (ccache reads them so when it looks into a compile).
option(INKWREN_PRECOMPILED_HEADERS "Precompile the common Qt, standard and GoogleTest headers" ON)

set(inkwren_precompiled_headers
  <QtCore/QByteArray> <QtCore/QCoreApplication> <QtCore/QDir> <QtCore/QElapsedTimer>
  <QtCore/QFile> <QtCore/QFileInfo> <QtCore/QList> <QtCore/QObject> <QtCore/QPoint>
  <QtCore/QPointF> <QtCore/QProcess> <QtCore/QRect> <QtCore/QRegularExpression> <QtCore/QSize>
  <QtCore/QStandardPaths> <QtCore/QString> <QtCore/QStringList> <QtCore/QTemporaryDir>
  <QtCore/QThread> <QtCore/QTimer>
  <QtGui/QAction> <QtGui/QGuiApplication> <QtGui/QImage> <QtGui/QMouseEvent> <QtGui/QPainter>
  <QtWidgets/QApplication> <QtWidgets/QLabel> <QtWidgets/QLineEdit> <QtWidgets/QWidget>
  <algorithm> <array> <cmath> <cstdint> <cstdio> <functional> <memory> <optional> <string>
  <vector>)

# name: the target whose header the others reuse; headers: what it precompiles; links: the
# libraries whose settings its users all share.
#   inkwren_precompiled_header_target(name headers... LINKS libraries...)
function(inkwren_precompiled_header_target name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LINKS")
  # An empty file of its own gives the target its language.
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp CONTENT "")
  add_library(${name} OBJECT ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp)
  target_link_libraries(${name} PRIVATE Qt6::Core ${arg_LINKS})
  target_precompile_headers(${name} PRIVATE ${arg_UNPARSED_ARGUMENTS})
  inkwren_warnings(${name})
endfunction()

if(INKWREN_PRECOMPILED_HEADERS)
  inkwren_precompiled_header_target(inkwren_pch ${inkwren_precompiled_headers})
  find_package(GTest REQUIRED)
  inkwren_precompiled_header_target(inkwren_test_pch ${inkwren_precompiled_headers}
                                    <gtest/gtest.h> LINKS GTest::gtest)
endif()

# The targets of folder and the folders below it.
function(inkwren_targets_below folder out)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    inkwren_targets_below(${subfolder} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Every library and program built from our sources reuses a precompiled header: the test one
# when it links GoogleTest itself (the helper programs of the tests link only the fixtures).
function(inkwren_reuse_precompiled_headers)
  if(NOT INKWREN_PRECOMPILED_HEADERS)
    return()
  endif()
  inkwren_targets_below(${CMAKE_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(target MATCHES "^inkwren(_test)?_pch$"
       OR NOT type MATCHES "^(STATIC_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    get_target_property(links ${target} LINK_LIBRARIES)
    if("GTest::gtest" IN_LIST links)
      target_precompile_headers(${target} REUSE_FROM inkwren_test_pch)
    else()
      target_precompile_headers(${target} REUSE_FROM inkwren_pch)
    endif()
  endforeach()
endfunction()
