# Tests of the user interface: one GoogleTest binary per folder (views, forms),
# linked with Qt and run on the offscreen platform; the screenshot check also runs
# under Xvfb with the label `display` (scripts/test.sh).
find_package(Qt6 REQUIRED COMPONENTS Test)

# The Qt test entry point, compiled once for both binaries.
add_library(brivane_tests_main_qt OBJECT ${CMAKE_CURRENT_SOURCE_DIR}/views/MainQt.cpp)
target_link_libraries(brivane_tests_main_qt PRIVATE Qt6::Widgets Qt6::Test GTest::gtest)

foreach(dir views forms calculs)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  list(FILTER _src EXCLUDE REGEX "/MainQt\\.cpp$")
  if(_src)
    add_executable(tests_${dir} ${_src} $<TARGET_OBJECTS:brivane_tests_main_qt>)
    target_link_libraries(tests_${dir} PRIVATE brivane_ui Qt6::Test GTest::gtest GTest::gmock nlohmann_json::nlohmann_json)
    target_include_directories(tests_${dir} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_compile_definitions(tests_${dir} PRIVATE BRIVANE_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
      BRIVANE_SAMPLES="${CMAKE_SOURCE_DIR}/samples" BRIVANE_GUI_EXE="$<TARGET_FILE:brivane>"
      BRIVANE_CLI="$<TARGET_FILE:brivane-cli>" BRIVANE_CMAKE="${CMAKE_COMMAND}" BRIVANE_BUILD_DIR="${CMAKE_BINARY_DIR}")
    add_dependencies(tests_${dir} brivane brivane-cli michlet_substitut)
    target_compile_definitions(tests_${dir} PRIVATE BRIVANE_MICHLET_SUBSTITUT="$<TARGET_FILE:michlet_substitut>")
    gtest_discover_tests(tests_${dir} DISCOVERY_MODE PRE_TEST
      PROPERTIES LABELS ui ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
  endif()
endforeach()

# The guard of the window libraries can fail too: a feature's window that includes another
# feature's window header, and a shell that includes a feature's, are refused under the rules
# the build declares; the same file as a feature's, without those two lines, passes.
foreach(_lib naval/forms app)
  set(_regle ${BRIVANE_FENETRES_RULES})
  list(FILTER _regle INCLUDE REGEX "^${_lib}:")
  string(REGEX REPLACE "^[^:]*:" "" _usages "${_regle}")
  string(REPLACE "/" "_" _nom "${_lib}")
  add_test(NAME ui_layer_guard_refuses_${_nom}
    COMMAND ${CMAKE_COMMAND} -DLAYER=${_lib} "-DUSES=${_usages}"
            -DFILES=${CMAKE_CURRENT_SOURCE_DIR}/data/fenetres_include_sample.cpp.txt
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake)
endforeach()
set_tests_properties(ui_layer_guard_refuses_naval_forms PROPERTIES LABELS core
  PASS_REGULAR_EXPRESSION "\\(layer naval/forms\\): lines/forms/TabCotesForm.h"
  FAIL_REGULAR_EXPRESSION "ui/Graphe.h|app/Principale.h|naval/Stab.h")
set_tests_properties(ui_layer_guard_refuses_app PROPERTIES LABELS core
  PASS_REGULAR_EXPRESSION "\\(layer app\\): studio/Studio.h"
  FAIL_REGULAR_EXPRESSION "ui/Graphe.h|views/FormFille.h|naval/Stab.h")

# The diagnostics window's test plays the debugger: it alone needs the network headers.
set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/forms/TestDebugForm.cpp APPEND PROPERTY INCLUDE_DIRECTORIES
  $<TARGET_PROPERTY:Qt6::Network,INTERFACE_INCLUDE_DIRECTORIES>)

# The screenshot test of tests_forms again, the program running on a real X server (Xvfb).
add_test(NAME ui_screenshot_display COMMAND tests_forms --gtest_filter=Capture.*)
set_tests_properties(ui_screenshot_display PROPERTIES LABELS display
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;BRIVANE_CAPTURE_PLATFORM=xcb" TIMEOUT 120)

# The studio: its arithmetic and its window on the offscreen platform (label ui), and its
# OpenGL drawing rendered into a framebuffer object on a real X server (label display).
file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/studio/*.cpp)
add_executable(tests_studio ${_src} $<TARGET_OBJECTS:brivane_tests_main_qt>)
target_link_libraries(tests_studio PRIVATE brivane_ui Qt6::Test GTest::gtest GTest::gmock)
target_include_directories(tests_studio PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(tests_studio PRIVATE BRIVANE_SAMPLES="${CMAKE_SOURCE_DIR}/samples")
add_test(NAME studio_ui COMMAND tests_studio --gtest_filter=-StudioGL.*)
set_tests_properties(studio_ui PROPERTIES LABELS ui ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
add_test(NAME studio_gl_display COMMAND tests_studio --gtest_filter=StudioGL.*)
set_tests_properties(studio_gl_display PROPERTIES LABELS display ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 300)
