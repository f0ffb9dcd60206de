# The fitter's manual: docs/manual/<lang>/index.md built to HTML with Debian's
# python3-markdown, into <build>/share/doc/vexor/manual (where F1 finds it
# beside <build>/bin) and installed under the package's documentation.

set(VEXOR_MANUAL_OUT ${CMAKE_BINARY_DIR}/share/doc/vexor/manual)
# The system interpreter: python3-markdown is installed for it, not for any
# other python3 on the PATH.
find_program(VEXOR_SYSTEM_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
set(vexor_markdown_ok FALSE)
if(VEXOR_SYSTEM_PYTHON)
  execute_process(COMMAND ${VEXOR_SYSTEM_PYTHON} -c "import markdown"
                  RESULT_VARIABLE vexor_markdown_status OUTPUT_QUIET ERROR_QUIET)
  if(vexor_markdown_status EQUAL 0)
    set(vexor_markdown_ok TRUE)
  endif()
endif()

if(vexor_markdown_ok)
  file(GLOB vexor_manual_sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/docs/manual/*/index.md ${CMAKE_SOURCE_DIR}/docs/manual/img/*.png)
  add_custom_command(OUTPUT ${VEXOR_MANUAL_OUT}/en/index.html ${VEXOR_MANUAL_OUT}/pl/index.html
    COMMAND ${VEXOR_SYSTEM_PYTHON} ${CMAKE_SOURCE_DIR}/tools/manual-build.py
            ${CMAKE_SOURCE_DIR}/docs/manual ${VEXOR_MANUAL_OUT}
    DEPENDS ${vexor_manual_sources} ${CMAKE_SOURCE_DIR}/tools/manual-build.py
    COMMENT "Building the fitter's manual"
    VERBATIM)
  add_custom_target(vexor-manual ALL
                    DEPENDS ${VEXOR_MANUAL_OUT}/en/index.html ${VEXOR_MANUAL_OUT}/pl/index.html)
  install(DIRECTORY ${VEXOR_MANUAL_OUT} DESTINATION ${CMAKE_INSTALL_DOCDIR})
else()
  message(WARNING "python3-markdown is not installed: the manual is not built "
                  "(tools/install-deps.sh installs it)")
endif()
