# fluxora_base: the language standard, warnings, sanitizers and Qt defines of every target.
# fluxora_config: that plus strict strings (no implicit casts from char*, QStringBuilder for +),
# which the program's own targets link privately.
add_library(fluxora_base INTERFACE)
target_compile_features(fluxora_base INTERFACE cxx_std_20)
target_compile_definitions(fluxora_base INTERFACE
  QT_NO_CONTEXTLESS_CONNECT
  QT_NO_KEYWORDS
  QT_NO_FOREACH
  QT_DISABLE_DEPRECATED_UP_TO=0x060400)
target_compile_options(fluxora_base INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Wold-style-cast -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
if(FLUXORA_WERROR)
  target_compile_options(fluxora_base INTERFACE -Werror)
endif()
if(FLUXORA_SANITIZE)
  target_compile_options(fluxora_base INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(fluxora_base INTERFACE -fsanitize=address,undefined)
endif()

add_library(fluxora_config INTERFACE)
target_link_libraries(fluxora_config INTERFACE fluxora_base)
target_compile_definitions(fluxora_config INTERFACE QT_NO_CAST_FROM_ASCII QT_USE_QSTRINGBUILDER)

# Qt's own allocations look like leaks to LeakSanitizer, so tests run without leak detection;
# prepended, so whatever ASAN_OPTIONS the caller exports (CI's abort_on_error) still wins.
set(FLUXORA_OPCOES_ASAN "ASAN_OPTIONS=string_prepend:detect_leaks=0:")

# fluxora_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS x])
# A QtTest executable run headless under CTest.
function(fluxora_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE fluxora_config Qt6::Test ${T_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    FLUXORA_BANCO_MODELO="${CMAKE_BINARY_DIR}/modelo/Fluxoradb.mdb"
    FLUXORA_SIMULADOR="${CMAKE_BINARY_DIR}/fluxora-simulador")
  add_test(NAME ${name} COMMAND ${name})
  set(entries ${name})
  set_tests_properties(${entries} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software"
    ENVIRONMENT_MODIFICATION "${FLUXORA_OPCOES_ASAN}"
    TIMEOUT 300)
  if(T_LABELS)
    set_tests_properties(${entries} PROPERTIES LABELS "${T_LABELS}")
  endif()
  add_dependencies(${name} fluxora-banco-modelo fluxora-simulador)
endfunction()

# The widget-free targets: checked after every build of theirs against the headers the compiler
# actually read, so an include of Qt Gui or Widgets by any path fails the build.
option(FLUXORA_NUCLEO_SEM_TELAS "Fail the build when a widget-free target reaches Qt Gui or Widgets" ON)
function(fluxora_nucleo_sem_telas)
  if(NOT FLUXORA_NUCLEO_SEM_TELAS)
    return()
  endif()
  if(NOT CMAKE_GENERATOR MATCHES "Makefiles")
    message(WARNING "the widget-free check reads the dependency files of a Makefile build; skipped")
    return()
  endif()
  foreach(alvo IN LISTS ARGN)
    add_custom_target(${alvo}_sem_telas ALL
      COMMAND ${CMAKE_COMMAND} -DALVO=${alvo} "-DOBJETOS=$<TARGET_OBJECTS:${alvo}>"
              -P ${CMAKE_SOURCE_DIR}/cmake/nucleoSemTelas.cmake
      COMMENT "${alvo} stays widget-free"
      VERBATIM)
    add_dependencies(${alvo}_sem_telas ${alvo})
  endforeach()
endfunction()
