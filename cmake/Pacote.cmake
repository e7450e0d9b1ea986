# The Debian package, made from the install rules of each target:
#   cpack --config build/CPackConfig.cmake -G DEB
# Whatever a target installs under the prefix is carried; its shared libraries become
# Depends through dpkg-shlibdeps.
include(GNUInstallDirs)

target_compile_definitions(fluxora PRIVATE FLUXORA_VERSAO="${PROJECT_VERSION}")

# --help and --version answer in a terminal with no display at all, and the version is the
# package's.
foreach(opcao help version)
  add_test(NAME fluxora_opcao_${opcao}
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            $<TARGET_FILE:fluxora> --${opcao})
endforeach()
set_tests_properties(fluxora_opcao_help PROPERTIES PASS_REGULAR_EXPRESSION "^Uso: fluxora ")
set_tests_properties(fluxora_opcao_version PROPERTIES
  PASS_REGULAR_EXPRESSION "^Fluxora ${PROJECT_VERSION}\n$")

# The changelog's top entry names the packaged version; one that lags behind would ship a
# package whose history stops before it.
file(STRINGS ${CMAKE_SOURCE_DIR}/data/changelog _fluxora_topo LIMIT_COUNT 1)
if(NOT _fluxora_topo MATCHES "^fluxora \\(${PROJECT_VERSION}\\) ")
  message(WARNING "data/changelog starts with \"${_fluxora_topo}\"; "
                  "add an entry for ${PROJECT_VERSION} before packaging")
endif()

# Debian wants these compressed, without a time stamp in the gzip header.
find_program(FLUXORA_GZIP gzip REQUIRED)
set(_fluxora_doc ${CMAKE_BINARY_DIR}/pacote)
set(_fluxora_gz)
foreach(fonte changelog man/fluxora.1 man/fluxora-simulador.1)
  get_filename_component(nome ${fonte} NAME)
  add_custom_command(OUTPUT ${_fluxora_doc}/${nome}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/${fonte} ${_fluxora_doc}/${nome}
    COMMAND ${FLUXORA_GZIP} -9nf ${_fluxora_doc}/${nome}
    DEPENDS ${CMAKE_SOURCE_DIR}/data/${fonte}
    VERBATIM)
  list(APPEND _fluxora_gz ${_fluxora_doc}/${nome}.gz)
endforeach()
add_custom_target(fluxora-documentos ALL DEPENDS ${_fluxora_gz})

install(FILES ${_fluxora_doc}/changelog.gz ${CMAKE_SOURCE_DIR}/data/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/fluxora)
install(FILES ${_fluxora_doc}/fluxora.1.gz ${_fluxora_doc}/fluxora-simulador.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fluxora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Equipe Fluxora <maintainers@users.noreply.c-seed-2031de0b.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the fonts asked for by name, Qt's
# Portuguese dialog texts and the SQLite driver plugin of Qt SQL.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation, fonts-dejavu-core, qt6-translations-l10n, libqt6sql6-sqlite")
# Opening an exported spreadsheet goes through xdg-open; without it the program says where
# the file is.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# Debian's own control field takes one language; the Portuguese text follows the English.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "people counter display and history / contador de pessoas
Fluxora reads a people counter on the local network and shows the
occupancy and today's visits in large digits on a full-screen panel for
the public. It records the visits per day and per hour, charts them
beside the live figures, and exports the history to a spreadsheet.
.
O Fluxora lê um contador de pessoas na rede local e mostra a lotação e
as visitas de hoje em números grandes num painel de tela cheia para o
público. Registra as visitas por dia e por hora, mostra-as em gráficos
ao lado dos números ao vivo e exporta o histórico para uma planilha.")

include(CPack)
