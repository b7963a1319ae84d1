# The Qt user interface: the brivane_ui library (forms, views, studio) and the
# `brivane` program. Included by the top-level CMakeLists.txt when BRIVANE_GUI is ON.
# AUTOMOC is set on these targets only: the core and the command line never see Qt.
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets OpenGL OpenGLWidgets Charts PrintSupport Svg Network)
# The studio draws with OpenGL 1.1 and GLU (Mesa).
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
if(NOT TARGET OpenGL::GLU)
  message(FATAL_ERROR "GLU not found: install libglu1-mesa-dev")
endif()

# Window code that needs no Qt at all (the registry's tables, the
# studio's arithmetic): the same guard as the core's keeps it free of Qt headers.
set(BRIVANE_UI_PURE
  ${CMAKE_SOURCE_DIR}/src/ui/TexteMessage.h ${CMAKE_SOURCE_DIR}/src/ui/TexteMessage.cpp
  ${CMAKE_SOURCE_DIR}/src/ui/Calculatrice.h ${CMAKE_SOURCE_DIR}/src/ui/Calculatrice.cpp
  ${CMAKE_SOURCE_DIR}/src/app/DocumentIO.h ${CMAKE_SOURCE_DIR}/src/app/DocumentIO.cpp
  ${CMAKE_SOURCE_DIR}/src/app/Guide.h ${CMAKE_SOURCE_DIR}/src/app/Guide.cpp
  ${CMAKE_SOURCE_DIR}/src/ui/Registre.h ${CMAKE_SOURCE_DIR}/src/ui/Registre.cpp
  ${CMAKE_SOURCE_DIR}/src/studio/StudioCalc.h ${CMAKE_SOURCE_DIR}/src/studio/StudioCalc.cpp
  ${CMAKE_SOURCE_DIR}/src/studio/GLGest.h ${CMAKE_SOURCE_DIR}/src/studio/GLGest.cpp
  ${CMAKE_SOURCE_DIR}/src/studio/RenduStudio.h ${CMAKE_SOURCE_DIR}/src/studio/RenduStudio.cpp)

# --- window libraries ----------------------------------------------------------------------
# Each folder of windows is a library that uses the core and only the window libraries it
# names, checked as the core is: cmake/CheckLayers.cmake refuses an include of a library not
# named, and check_fenetres_<name> links the library with only what it names, so a call to
# another feature's windows is an undefined symbol there. Bottom to top:
#   ui            the shared widgets (charts, surface chooser, message dialog, calculator)
#                 and the command registry
#   views         the four view windows: they draw the display list and forward the mouse
#   app           the shell: main window, menus built from the registry, program-wide dialogs;
#                 it names no feature: the features register their commands, windows and
#                 settings with it
#   the features  each layer's windows (x/forms), the studio: never one another's
# Object libraries: every unit is linked whole, so what each registers at start-up is in
# the program and the tests.
set(BRIVANE_FENETRES)
set(BRIVANE_FENETRES_RULES)
set(BRIVANE_FENETRES_FILES)
function(brivane_fenetres dir)
  cmake_parse_arguments(L "" "" "USES;EXTRA" ${ARGN})
  string(REPLACE "/" "_" name "${dir}")
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
  file(GLOB _all CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/src/${dir}/*.h)
  set(_uses ${L_USES} ${BRIVANE_CORE_DIRS})
  string(REPLACE ";" "," _uses "${_uses}")
  set(BRIVANE_FENETRES_RULES ${BRIVANE_FENETRES_RULES} "${dir}:${_uses}" PARENT_SCOPE)
  set(BRIVANE_FENETRES_FILES ${BRIVANE_FENETRES_FILES} ${_all} PARENT_SCOPE)
  add_library(brivane_w_${name} OBJECT ${_src} ${L_EXTRA})
  set_target_properties(brivane_w_${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  target_include_directories(brivane_w_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(brivane_w_${name} PUBLIC brivane_core Qt6::Charts Qt6::PrintSupport Qt6::OpenGLWidgets
    Qt6::OpenGL Qt6::Widgets Qt6::Svg Qt6::Gui Qt6::Core OpenGL::GL OpenGL::GLU)
  # Qt's headers are not ours to warn about.
  target_compile_definitions(brivane_w_${name} PUBLIC QT_NO_KEYWORDS)
  add_dependencies(brivane_w_${name} ui_checks)
  set(_objets)
  foreach(u IN LISTS L_USES)
    string(REPLACE "/" "_" un "${u}")
    list(APPEND _objets $<TARGET_OBJECTS:brivane_w_${un}>)
  endforeach()
  add_executable(check_fenetres_${name} ${CMAKE_SOURCE_DIR}/cmake/CheckLayerMain.cpp ${_objets})
  target_link_libraries(check_fenetres_${name} PRIVATE brivane_w_${name} Qt6::Network)
  set(BRIVANE_FENETRES ${BRIVANE_FENETRES} ${name} PARENT_SCOPE)
endfunction()

set(_shell app ui views)
brivane_fenetres(ui)
brivane_fenetres(views USES ui)
brivane_fenetres(app USES views ui EXTRA ${CMAKE_SOURCE_DIR}/resources/icones.qrc)
brivane_fenetres(studio USES ${_shell})
brivane_fenetres(edition/forms USES ${_shell})
brivane_fenetres(model/forms USES ${_shell})
brivane_fenetres(lines/forms USES ${_shell})
brivane_fenetres(naval/forms USES ${_shell})
brivane_fenetres(exchange/forms USES ${_shell})

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/ui_checks.stamp
  COMMAND ${CMAKE_COMMAND} "-DFILES=${BRIVANE_UI_PURE}" -P ${CMAKE_SOURCE_DIR}/cmake/CheckNoQt.cmake
  COMMAND ${CMAKE_COMMAND} "-DRULES=${BRIVANE_FENETRES_RULES}" -DSRC=${CMAKE_SOURCE_DIR}/src
          -DSTAMP=${CMAKE_BINARY_DIR}/ui_checks.stamp -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
  DEPENDS ${BRIVANE_UI_PURE} ${BRIVANE_FENETRES_FILES} ${CMAKE_SOURCE_DIR}/cmake/CheckNoQt.cmake
          ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
  COMMENT "Checking that each window library includes only what it names, and the pure units no Qt"
  VERBATIM)
add_custom_target(ui_checks DEPENDS ${CMAKE_BINARY_DIR}/ui_checks.stamp)

# Only the diagnostics window and the single-instance socket talk to the network: the other
# units keep their flags.
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/app/DebugForm.cpp ${CMAKE_SOURCE_DIR}/src/app/InstanceUnique.cpp
  APPEND PROPERTY INCLUDE_DIRECTORIES
  $<TARGET_PROPERTY:Qt6::Network,INTERFACE_INCLUDE_DIRECTORIES>)

# Every window library, for the program, the tests and the benchmarks.
add_library(brivane_ui INTERFACE)
foreach(n IN LISTS BRIVANE_FENETRES)
  target_sources(brivane_ui INTERFACE $<TARGET_OBJECTS:brivane_w_${n}>)
endforeach()
target_include_directories(brivane_ui INTERFACE ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(brivane_ui INTERFACE QT_NO_KEYWORDS)
target_link_libraries(brivane_ui INTERFACE brivane_core Qt6::Charts Qt6::PrintSupport Qt6::OpenGLWidgets
  Qt6::OpenGL Qt6::Widgets Qt6::Svg Qt6::Gui Qt6::Core Qt6::Network OpenGL::GL OpenGL::GLU)

add_executable(brivane ${CMAKE_SOURCE_DIR}/src/main.cpp)
set_target_properties(brivane PROPERTIES AUTOMOC ON)
target_link_libraries(brivane PRIVATE brivane_ui)
# The guide next to the program, as "&Guide de l'utilisateur" looks for it first: the
# program run from its build folder finds it too (copied at every build: it is small).
add_custom_target(brivane_guide ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/docs/guide ${CMAKE_BINARY_DIR}/Doc VERBATIM)

# The view benchmark draws with QPainter into an image: it needs Qt Gui (no window),
# so it joins brivane-bench only in a GUI build. The bench target is made after this
# file is read, hence the deferred call.
function(brivane_ui_bench)
  if(TARGET brivane-bench)
    target_link_libraries(brivane-bench PRIVATE brivane_ui)
    target_compile_definitions(brivane-bench PRIVATE BRIVANE_BENCH_VUES=1 BRIVANE_SAMPLES="${CMAKE_SOURCE_DIR}/samples")
  endif()
endfunction()
cmake_language(DEFER CALL brivane_ui_bench)
