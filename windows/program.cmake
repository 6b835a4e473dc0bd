# The whole program for Windows (32-bit, the width of the shops' reader
# library), built against Qt for Windows (scripts/qt-windows.sh): orvik.exe
# with its icon and version information, everything it needs beside it, the
# window tests, and the setup program and the zip made from the installed
# files. Included by windows/CMakeLists.txt after the core and its tests.

# The program: a windowed one (no console window of its own).
set(orvik_rc ${CMAKE_BINARY_DIR}/windows/orvik.rc)
set(ORVIK_ICO ${CMAKE_SOURCE_DIR}/data/orvik.ico)
set(ORVIK_MANIFEST ${CMAKE_SOURCE_DIR}/windows/orvik.manifest)
configure_file(${CMAKE_SOURCE_DIR}/windows/orvik.rc.in ${orvik_rc} @ONLY)
target_sources(orvik PRIVATE ${orvik_rc})
set_target_properties(orvik PROPERTIES WIN32_EXECUTABLE ON EXCLUDE_FROM_ALL OFF)

# What the program and the tests load at run time, from Qt's prefix and the
# compiler: Qt's libraries, the platform and style plugins, Qt's Finnish texts
# and the MinGW runtime. qt.conf points Qt at the files beside the program.
get_target_property(orvik_qtcore_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT orvik_qtcore_dll)
    get_target_property(orvik_qtcore_dll Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(orvik_qt_bin ${orvik_qtcore_dll} DIRECTORY)
get_filename_component(orvik_qt_prefix ${orvik_qt_bin} DIRECTORY)
set(orvik_qt_dlls)
foreach(module Core Gui Widgets PrintSupport)
    list(APPEND orvik_qt_dlls ${orvik_qt_bin}/Qt6${module}.dll)
endforeach()
set(orvik_qt_plugins
    platforms/qwindows.dll
    styles/qwindowsvistastyle.dll)

execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE orvik_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_dw2-1.dll
    OUTPUT_VARIABLE orvik_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
    OUTPUT_VARIABLE orvik_libwinpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT EXISTS ${orvik_libwinpthread})
    set(orvik_libwinpthread /usr/${ORVIK_MINGW_PREFIX}/lib/libwinpthread-1.dll)
endif()
set(orvik_runtime_dlls ${orvik_libstdcxx} ${orvik_libgcc} ${orvik_libwinpthread})
foreach(dll ${orvik_runtime_dlls})
    if(NOT EXISTS ${dll})
        message(FATAL_ERROR "The MinGW runtime library ${dll} is missing")
    endif()
endforeach()

set(ORVIK_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH
    "Qt's translations (qtbase_fi.qm), the same for every system")
set(orvik_qt_conf ${CMAKE_SOURCE_DIR}/windows/qt.conf)

# The same files beside the programs of the build tree, so the program and
# the tests run there as installed (plus the tests' own: Qt's test library
# and the headless platform).
set(orvik_bin ${CMAKE_BINARY_DIR}/bin)
set(orvik_deployed)
foreach(file ${orvik_qt_dlls} ${orvik_qt_bin}/Qt6Test.dll ${orvik_runtime_dlls} ${orvik_qt_conf})
    get_filename_component(name ${file} NAME)
    list(APPEND orvik_deployed ${orvik_bin}/${name})
    add_custom_command(OUTPUT ${orvik_bin}/${name}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${orvik_bin}/${name}
        DEPENDS ${file} VERBATIM)
endforeach()
foreach(plugin ${orvik_qt_plugins} platforms/qoffscreen.dll)
    list(APPEND orvik_deployed ${orvik_bin}/plugins/${plugin})
    add_custom_command(OUTPUT ${orvik_bin}/plugins/${plugin}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${orvik_qt_prefix}/plugins/${plugin}
            ${orvik_bin}/plugins/${plugin}
        DEPENDS ${orvik_qt_prefix}/plugins/${plugin} VERBATIM)
endforeach()
list(APPEND orvik_deployed ${orvik_bin}/translations/qtbase_fi.qm)
add_custom_command(OUTPUT ${orvik_bin}/translations/qtbase_fi.qm
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ORVIK_QT_TRANSLATIONS}/qtbase_fi.qm
        ${orvik_bin}/translations/qtbase_fi.qm
    DEPENDS ${ORVIK_QT_TRANSLATIONS}/qtbase_fi.qm VERBATIM)
add_custom_target(orvik_runtime ALL DEPENDS ${orvik_deployed})
add_dependencies(orvik orvik_runtime)
# The core tests need the compiler's runtime too.
add_dependencies(orvik_core_testsupport orvik_runtime)

# Installed: the program and what it needs, flat beside it; never the
# stand-in reader library (a shop puts its own multidll.dll there).
install(TARGETS orvik RUNTIME DESTINATION .)
install(FILES ${orvik_qt_dlls} ${orvik_runtime_dlls} ${orvik_qt_conf} DESTINATION .)
foreach(plugin ${orvik_qt_plugins})
    get_filename_component(directory ${plugin} DIRECTORY)
    install(FILES ${orvik_qt_prefix}/plugins/${plugin} DESTINATION plugins/${directory})
endforeach()
install(FILES ${ORVIK_QT_TRANSLATIONS}/qtbase_fi.qm DESTINATION translations)

# The window tests, one test per program as the core tests are, headless
# (the offscreen platform), with fonts from a directory named by
# ORVIK_TEST_FONT_DIR: Windows' own fonts are not there under wine. Wine
# passes no variable starting with QT_, but gives WINE-prefixed ones without
# the prefix.
set(ORVIK_TEST_FONT_DIR "Z:/usr/share/fonts/truetype/dejavu" CACHE STRING
    "Windows path of the TrueType fonts of the window tests")

add_library(orvik_core_testsupport_gui STATIC ${orvik_tests}/support/gui_main.cpp)
target_link_libraries(orvik_core_testsupport_gui PUBLIC orvik_core_testsupport orvik_ui Qt6::Test)

function(orvik_gui_test name)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE orvik_core_testsupport_gui ${ARG_LIBS})
    add_dependencies(${name} orvik_runtime)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
        "QT_QPA_FONTDIR=${ORVIK_TEST_FONT_DIR};WINEQT_QPA_FONTDIR=${ORVIK_TEST_FONT_DIR}")
endfunction()

# The report text test is left out: it reads the PDF back with poppler's
# pdftotext and pdfinfo, Linux programs.
orvik_gui_test(platform_qt_test
    ${orvik_tests}/platform/appicon_test.cpp
    ${orvik_tests}/platform/enterpressesbutton_test.cpp
    ${orvik_tests}/platform/qtmessageboxes_test.cpp
    ${orvik_tests}/platform/qtplatform_test.cpp
    ${orvik_tests}/platform/qtprintingservice_test.cpp
    ${orvik_tests}/platform/qtsettingsstore_test.cpp
    ${orvik_tests}/platform/qtsinglecopylock_test.cpp
    ${orvik_tests}/platform/wrappingbutton_test.cpp
    LIBS orvik_results_core)
orvik_core_test(platform_pdf_test ${orvik_tests}/platform/truetypesubset_test.cpp
    LIBS orvik_platform_pdf)
orvik_gui_test(frmmain_test
    ${orvik_tests}/app/frmmain_test.cpp
    ${orvik_tests}/app/frmmain_reader_test.cpp
    ${orvik_tests}/app/helpkeys_test.cpp
    ${orvik_tests}/app/frmasetukset_test.cpp
    LIBS orvik_app_ui orvik_reader_testdouble)
orvik_gui_test(tasks_dispatch_test ${orvik_tests}/app/tasks_dispatch_test.cpp
    LIBS orvik_app_ui orvik_reader_testdouble orvik_core_teststock)
orvik_gui_test(countroad_test ${orvik_tests}/app/countroad_test.cpp
    LIBS orvik_app_ui orvik_reader_testdouble orvik_sampleshop_lib)
orvik_core_test(failureguard_test ${orvik_tests}/app/failureguard_test.cpp LIBS orvik_app_ui)
orvik_gui_test(frmrepo_test
    ${orvik_tests}/review/frmrepo_test.cpp
    ${orvik_tests}/review/frmrepo_results_test.cpp
    LIBS orvik_review_ui orvik_core_teststock)
orvik_gui_test(form1_test ${orvik_tests}/zeroinv/form1_test.cpp
    LIBS orvik_zeroinv_ui orvik_core_teststock)

# The real program: --help and --version print to the console it is started
# from, although it is a windowed program.
add_test(NAME orvik_cli_test
    COMMAND sh ${CMAKE_SOURCE_DIR}/tests/app/orvik_cli_test.sh
        ${ORVIK_WINE} $<TARGET_FILE:orvik> ${PROJECT_VERSION})

# The setup program and the portable zip, both from the installed files
# (never the stand-in reader): cmake --build . --target orvik_setup orvik_zip
find_program(ORVIK_MAKENSIS makensis)
find_program(ORVIK_ZIP zip)
set(orvik_stage ${CMAKE_BINARY_DIR}/stage)
set(orvik_setup_exe ${CMAKE_BINARY_DIR}/orvik-${PROJECT_VERSION}-setup.exe)
set(orvik_zip_file ${CMAKE_BINARY_DIR}/orvik-${PROJECT_VERSION}-windows.zip)
add_custom_target(orvik_stage
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${orvik_stage}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${orvik_stage}/Orvik --strip
    # The compiler's runtime and Qt come with symbols the program never
    # needs (the C++ library alone has 20 MB of them).
    COMMAND ${CMAKE_STRIP} --strip-unneeded ${orvik_stage}/Orvik/libstdc++-6.dll
        ${orvik_stage}/Orvik/libgcc_s_dw2-1.dll ${orvik_stage}/Orvik/libwinpthread-1.dll
        ${orvik_stage}/Orvik/Qt6Core.dll ${orvik_stage}/Orvik/Qt6Gui.dll
        ${orvik_stage}/Orvik/Qt6Widgets.dll ${orvik_stage}/Orvik/Qt6PrintSupport.dll
        ${orvik_stage}/Orvik/plugins/platforms/qwindows.dll
        ${orvik_stage}/Orvik/plugins/styles/qwindowsvistastyle.dll
    COMMAND ${CMAKE_COMMAND} -DSTAGE=${orvik_stage}/Orvik -DOUT=${orvik_stage}
        -P ${CMAKE_SOURCE_DIR}/windows/nsisfiles.cmake
    DEPENDS orvik orvik_runtime
    COMMENT "Installing into ${orvik_stage}/Orvik" VERBATIM)
add_custom_target(orvik_setup
    COMMAND ${ORVIK_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
        -DFILES=${orvik_stage} -DICON=${ORVIK_ICO} -DOUTFILE=${orvik_setup_exe}
        ${CMAKE_SOURCE_DIR}/windows/orvik.nsi
    DEPENDS orvik_stage
    COMMENT "Making ${orvik_setup_exe}" VERBATIM)
add_custom_target(orvik_zip
    COMMAND ${CMAKE_COMMAND} -E rm -f ${orvik_zip_file}
    COMMAND ${ORVIK_ZIP} -q -r -X ${orvik_zip_file} Orvik
    WORKING_DIRECTORY ${orvik_stage}
    DEPENDS orvik_stage
    COMMENT "Making ${orvik_zip_file}" VERBATIM)

# The sample shop of the end-to-end run under wine (scripts/wine-e2e.sh).
set_target_properties(orvik_sampleshop PROPERTIES EXCLUDE_FROM_ALL OFF)

# The user guide beside the program (guide/, where F1 looks first), its
# screenshots taken of this build's own windows under wine, headless.
set(orvik_guide_dir ${CMAKE_BINARY_DIR}/guide)
add_dependencies(orvik_guideshots orvik_runtime)
set(orvik_guide_shots paaikkuna.png tarkastelu.png lajittelu.png hyvaksy.png
    nollainventointi.png lukijatila.png)
list(TRANSFORM orvik_guide_shots PREPEND ${orvik_guide_dir}/kuvat/)
add_custom_command(OUTPUT ${orvik_guide_shots}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${orvik_guide_dir}/kuvat
    COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all
        WINEDLLOVERRIDES=mscoree,mshtml= WINEQT_QPA_PLATFORM=offscreen
        WINEQT_QPA_FONTDIR=${ORVIK_TEST_FONT_DIR} --unset=DISPLAY
        ${ORVIK_WINE} $<TARGET_FILE:orvik_guideshots> ${orvik_guide_dir}/kuvat
    DEPENDS orvik_guideshots
    COMMENT "Photographing the windows for the user guide under wine"
    VERBATIM)
add_custom_target(orvik_guide DEPENDS ${orvik_guide_shots})
add_dependencies(orvik_stage orvik_guide)
install(FILES ${CMAKE_SOURCE_DIR}/data/guide/kayttoohje.html
    ${CMAKE_SOURCE_DIR}/data/guide/kayttoohje.css DESTINATION guide)
install(FILES ${orvik_guide_shots} DESTINATION guide/kuvat)
