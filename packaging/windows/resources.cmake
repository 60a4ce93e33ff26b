# The Windows build's resources: the application manifest (UTF-8 code page) linked into every
# program, and the program icon. Made once at configure time, with the toolchain's windres.
set(trailbook_windows_resources ${CMAKE_BINARY_DIR}/windows-resources)
file(MAKE_DIRECTORY ${trailbook_windows_resources})
configure_file(${CMAKE_CURRENT_LIST_DIR}/trailbook.manifest
               ${trailbook_windows_resources}/trailbook.manifest @ONLY)
file(WRITE ${trailbook_windows_resources}/manifest.rc "1 24 \"trailbook.manifest\"\n")
execute_process(COMMAND ${CMAKE_RC_COMPILER} -O coff manifest.rc manifest.res
                WORKING_DIRECTORY ${trailbook_windows_resources}
                RESULT_VARIABLE windres_result ERROR_VARIABLE windres_error)
if(NOT windres_result EQUAL 0)
  message(FATAL_ERROR "windres could not compile the manifest: ${windres_error}")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/trailbook.manifest)
# An object file on the link line is always linked, whatever its place: every executable gets it.
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${trailbook_windows_resources}/manifest.res")

# The window program: no console, and the icon of the product.
function(trailbook_platform_program target)
  cmake_parse_arguments(arg "GUI" "" "" ${ARGN})
  if(arg_GUI)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    set(icon_folder ${PROJECT_SOURCE_DIR}/app/icons)
    file(WRITE ${trailbook_windows_resources}/icon.rc "1 ICON \"${icon_folder}/trailbook.ico\"\n")
    if(EXISTS ${icon_folder}/trailbook.ico)
      target_sources(${target} PRIVATE ${trailbook_windows_resources}/icon.rc)
    endif()
  endif()
endfunction()
