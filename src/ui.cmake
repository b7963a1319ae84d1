# The Qt user interface: the brivane_ui library (forms, views, studio) and the
# `brivane` program. Included by the top-level CMakeLists.txt when BRIVANE_GUI is ON.
# AUTOMOC is set on these targets only: the core and the command line never see Qt.
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets OpenGL OpenGLWidgets Charts PrintSupport Svg Network)
# The studio draws with OpenGL 1.1 and GLU (Mesa).
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
if(NOT TARGET OpenGL::GLU)
  message(FATAL_ERROR "GLU not found: install libglu1-mesa-dev")
endif()

file(GLOB BRIVANE_UI_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/views/*.cpp
  ${CMAKE_SOURCE_DIR}/src/app/forms/*.cpp
  ${CMAKE_SOURCE_DIR}/src/model/forms/*.cpp
  ${CMAKE_SOURCE_DIR}/src/geometry/forms/*.cpp
  ${CMAKE_SOURCE_DIR}/src/lines/forms/*.cpp
  ${CMAKE_SOURCE_DIR}/src/exchange/forms/*.cpp
  ${CMAKE_SOURCE_DIR}/src/naval/forms/*.cpp
  ${CMAKE_SOURCE_DIR}/src/studio/*.cpp)

# View maths and command-line parsing that need no Qt at all: they could move to the
# core, and the same guard as the core's keeps them free of Qt headers.
set(BRIVANE_UI_PURE
  ${CMAKE_SOURCE_DIR}/src/views/Cadrage.h ${CMAKE_SOURCE_DIR}/src/views/Cadrage.cpp
  ${CMAKE_SOURCE_DIR}/src/views/TabCoor.h ${CMAKE_SOURCE_DIR}/src/views/TabCoor.cpp
  ${CMAKE_SOURCE_DIR}/src/views/ListeDessin.h
  ${CMAKE_SOURCE_DIR}/src/views/Affiche.h ${CMAKE_SOURCE_DIR}/src/views/Affiche.cpp
  ${CMAKE_SOURCE_DIR}/src/views/GrilleVue.h ${CMAKE_SOURCE_DIR}/src/views/GrilleVue.cpp
  ${CMAKE_SOURCE_DIR}/src/views/Selection.h ${CMAKE_SOURCE_DIR}/src/views/Selection.cpp
  ${CMAKE_SOURCE_DIR}/src/views/Annuler.h ${CMAKE_SOURCE_DIR}/src/views/Annuler.cpp
  ${CMAKE_SOURCE_DIR}/src/views/Edition.h ${CMAKE_SOURCE_DIR}/src/views/Edition.cpp
  ${CMAKE_SOURCE_DIR}/src/views/EditPC.h ${CMAKE_SOURCE_DIR}/src/views/EditPC.cpp
  ${CMAKE_SOURCE_DIR}/src/views/HydroInstant.h ${CMAKE_SOURCE_DIR}/src/views/HydroInstant.cpp
  ${CMAKE_SOURCE_DIR}/src/views/FenSel.h ${CMAKE_SOURCE_DIR}/src/views/FenSel.cpp
  ${CMAKE_SOURCE_DIR}/src/views/Mesures.h ${CMAKE_SOURCE_DIR}/src/views/Mesures.cpp
  ${CMAKE_SOURCE_DIR}/src/views/Transfo.h ${CMAKE_SOURCE_DIR}/src/views/Transfo.cpp
  ${CMAKE_SOURCE_DIR}/src/views/Taille.h ${CMAKE_SOURCE_DIR}/src/views/Taille.cpp
  ${CMAKE_SOURCE_DIR}/src/app/forms/LigneCommande.h ${CMAKE_SOURCE_DIR}/src/app/forms/LigneCommande.cpp
  ${CMAKE_SOURCE_DIR}/src/app/forms/TexteMessage.h ${CMAKE_SOURCE_DIR}/src/app/forms/TexteMessage.cpp
  ${CMAKE_SOURCE_DIR}/src/app/forms/Calculatrice.h ${CMAKE_SOURCE_DIR}/src/app/forms/Calculatrice.cpp
  ${CMAKE_SOURCE_DIR}/src/app/forms/DocumentIO.h ${CMAKE_SOURCE_DIR}/src/app/forms/DocumentIO.cpp
  ${CMAKE_SOURCE_DIR}/src/app/forms/Guide.h ${CMAKE_SOURCE_DIR}/src/app/forms/Guide.cpp
  ${CMAKE_SOURCE_DIR}/src/app/forms/Registre.h ${CMAKE_SOURCE_DIR}/src/app/forms/Registre.cpp
  ${CMAKE_SOURCE_DIR}/src/studio/StudioCalc.h ${CMAKE_SOURCE_DIR}/src/studio/StudioCalc.cpp
  ${CMAKE_SOURCE_DIR}/src/studio/GLGest.h ${CMAKE_SOURCE_DIR}/src/studio/GLGest.cpp
  ${CMAKE_SOURCE_DIR}/src/studio/RenduStudio.h ${CMAKE_SOURCE_DIR}/src/studio/RenduStudio.cpp)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/ui_pure_no_qt.stamp
  COMMAND ${CMAKE_COMMAND} "-DFILES=${BRIVANE_UI_PURE}" -DSTAMP=${CMAKE_BINARY_DIR}/ui_pure_no_qt.stamp
          -P ${CMAKE_SOURCE_DIR}/cmake/CheckNoQt.cmake
  DEPENDS ${BRIVANE_UI_PURE} ${CMAKE_SOURCE_DIR}/cmake/CheckNoQt.cmake
  COMMENT "Checking that the view maths include no Qt header" VERBATIM)
add_custom_target(ui_pure_no_qt DEPENDS ${CMAKE_BINARY_DIR}/ui_pure_no_qt.stamp)

# An object library: every unit is linked whole, so the commands and windows each
# unit registers at start-up (app/forms/Registre.h) are all in the program and the tests.
# The pictograms are compiled in (resources/icones.qrc): the program needs no icon theme.
add_library(brivane_ui OBJECT ${BRIVANE_UI_SOURCES} ${CMAKE_SOURCE_DIR}/resources/icones.qrc)
add_dependencies(brivane_ui ui_pure_no_qt)
set_target_properties(brivane_ui PROPERTIES AUTOMOC ON AUTORCC ON)
target_include_directories(brivane_ui PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(brivane_ui PUBLIC brivane_core Qt6::Charts Qt6::PrintSupport Qt6::OpenGLWidgets Qt6::OpenGL Qt6::Widgets Qt6::Svg Qt6::Gui Qt6::Core
  OpenGL::GL OpenGL::GLU)
# Only the diagnostics window talks to the network: the other units keep their flags.
target_link_libraries(brivane_ui PUBLIC $<LINK_ONLY:Qt6::Network>)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/app/forms/DebugForm.cpp APPEND PROPERTY INCLUDE_DIRECTORIES
  $<TARGET_PROPERTY:Qt6::Network,INTERFACE_INCLUDE_DIRECTORIES>)
# Qt's headers are not ours to warn about.
target_compile_definitions(brivane_ui PUBLIC QT_NO_KEYWORDS)

add_executable(brivane ${CMAKE_SOURCE_DIR}/src/main.cpp)
set_target_properties(brivane PROPERTIES AUTOMOC ON)
target_link_libraries(brivane PRIVATE brivane_ui)
# The guide next to the program, as "&Guide de l'utilisateur" looks for it first: the
# program run from its build folder finds it too (copied at every build: it is small).
add_custom_target(brivane_guide ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/docs/guide ${CMAKE_BINARY_DIR}/Doc VERBATIM)
# The language files next to the program too, where the options window lists them.
file(GLOB _langues_build CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lang/lang_*.dat)
if(_langues_build)
  add_custom_target(brivane_langues ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_langues_build} ${CMAKE_BINARY_DIR} VERBATIM)
endif()

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
