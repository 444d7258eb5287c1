# cmake -DBUILD_DIR=... -DSCRATCH=... -P InstallAndCall.cmake
file(REMOVE_RECURSE "${SCRATCH}")
set(prefix "${SCRATCH}/prefix")
set(registry "${SCRATCH}/registry")
set(ENV{AUTOMATION_REGISTRY} "${registry}")
unset(ENV{DESTDIR})

execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "install failed:\n${out}")
endif()
foreach(file bin/mervalis bin/regsvr bin/dispcall ${LIBDIR}/mervalis/Lyrebox.ocx ${LIBDIR}/mervalis/LyreboxAbout.so
             ${LIBDIR}/mervalis/libplatform_automation.so
             share/applications/mervalis.desktop share/icons/hicolor/32x32/apps/mervalis.png
             share/icons/hicolor/48x48/apps/mervalis.png share/icons/hicolor/scalable/apps/mervalis.svg
             share/man/man1/mervalis.1.gz share/man/man1/regsvr.1.gz share/metainfo/org.mervalis.Mervalis.metainfo.xml)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(READ "${registry}" registered)
string(FIND "${registered}" "${prefix}/${LIBDIR}/mervalis/Lyrebox.ocx" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the registry does not name the installed component:\n${registered}")
endif()

# The installed tool finds its libraries and the component through the prefix alone.
execute_process(COMMAND "${prefix}/bin/dispcall" prjLyrebox.Lyrebox get:0x68030006
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "installed dispcall failed (${status}):\n${out}${err}")
endif()
message(STATUS "installed dispcall answered: ${out}")

# A staged install is not registered, and says so.
set(ENV{DESTDIR} "${SCRATCH}/stage")
set(ENV{AUTOMATION_REGISTRY} "${SCRATCH}/staged-registry")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix /opt/mervalis
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR EXISTS "${SCRATCH}/staged-registry" OR NOT out MATCHES "DESTDIR is set"
   OR NOT EXISTS "${SCRATCH}/stage/opt/mervalis/${LIBDIR}/mervalis/Lyrebox.ocx")
  message(FATAL_ERROR "a staged install must install without registering:\n${out}")
endif()
