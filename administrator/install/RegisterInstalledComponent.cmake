# Registers the installed Lyrebox.ocx with the installed regsvr, in the registry of
# the user who installs (AUTOMATION_REGISTRY, when set, names another one).
# Included by the install step with mervalis_libdir set.
set(installed_ocx "${CMAKE_INSTALL_PREFIX}/${mervalis_libdir}/Lyrebox.ocx")
set(installed_regsvr "${CMAKE_INSTALL_PREFIX}/bin/regsvr")
if(DEFINED ENV{DESTDIR} AND NOT "$ENV{DESTDIR}" STREQUAL "")
  message(STATUS "Not registering Lyrebox.ocx: DESTDIR is set, so this is a staged install. "
                 "Register it where it is finally installed with: ${installed_regsvr} ${installed_ocx}")
  return()
endif()
message(STATUS "Registering ${installed_ocx}")
execute_process(COMMAND "${installed_regsvr}" "${installed_ocx}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Registering ${installed_ocx} failed (${status}); "
                      "register it by hand with: ${installed_regsvr} ${installed_ocx}")
endif()
