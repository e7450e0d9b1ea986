# Fails when an object of a widget-free target was compiled with a Qt Gui or Qt Widgets header,
# whatever the include path that reached it (<QWidget>, <QtWidgets/QWidget>, <QtGui/QColor>,
# or one of the target's own headers that includes them). Reads the compiler's dependency
# files beside the objects.
#   cmake -DALVO=name -DOBJETOS=a.o;b.o -P nucleoSemTelas.cmake
set(proibidos "/(QtGui|QtWidgets|QtOpenGL|QtOpenGLWidgets|QtCharts|QtPrintSupport)/")
set(achados)
foreach(objeto IN LISTS OBJETOS)
  if(NOT EXISTS "${objeto}.d")
    message(FATAL_ERROR "${ALVO}: no dependency file ${objeto}.d; the widget-free check needs a "
                        "Makefile build (or turn FLUXORA_NUCLEO_SEM_TELAS off)")
  endif()
  file(STRINGS "${objeto}.d" linhas REGEX "${proibidos}")
  foreach(linha IN LISTS linhas)
    string(REGEX MATCHALL "[^ \\\\:]+${proibidos}[^ \\\\]+" cabecalhos "${linha}")
    foreach(cabecalho IN LISTS cabecalhos)
      get_filename_component(fonte "${objeto}" NAME_WE)
      list(APPEND achados "  ${fonte}: ${cabecalho}")
    endforeach()
  endforeach()
endforeach()
if(achados)
  list(REMOVE_DUPLICATES achados)
  list(JOIN achados "\n" texto)
  message(FATAL_ERROR "${ALVO} must stay widget-free, but includes:\n${texto}")
endif()
