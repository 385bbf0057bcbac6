# corvel_add_resources(target [FORMS file.form...] [PICTURES file.bmp...] [ICON file.ico])
#
# Compiles a program's form resources and pictures into it, as the framework finds
# them: each form as RCDATA named after the class its first line names (what
# TForm::LoadFromResource reads), each picture as a BITMAP named after its file in
# capitals (banner.bmp is BANNER, for Picture.ResourceName = "BANNER"), and the icon
# first, as MAINICON, the one the shell shows. Relative paths are the caller's source
# folder's. A change to any of the files rebuilds the program's resources.
function(corvel_add_resources target)
  cmake_parse_arguments(CR "" "ICON" "FORMS;PICTURES" ${ARGN})
  if(CR_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "corvel_add_resources: unknown arguments ${CR_UNPARSED_ARGUMENTS}")
  endif()
  set(lines "// Made by corvel_add_resources for ${target}.\n")
  set(inputs)
  if(CR_ICON)
    get_filename_component(icon "${CR_ICON}" ABSOLUTE)
    string(APPEND lines "MAINICON ICON \"${icon}\"\n")
    list(APPEND inputs "${icon}")
  endif()
  foreach(form IN LISTS CR_FORMS)
    get_filename_component(form "${form}" ABSOLUTE)
    # The class named first in the file: "TFM_Main FM_Main {".
    file(STRINGS "${form}" header LIMIT_COUNT 1 REGEX "^[ \t]*[A-Za-z_][A-Za-z_0-9]*")
    if(NOT header MATCHES "^[ \t]*([A-Za-z_][A-Za-z_0-9]*)")
      message(FATAL_ERROR "corvel_add_resources: ${form} does not begin with the class of its root")
    endif()
    string(APPEND lines "${CMAKE_MATCH_1} RCDATA \"${form}\"\n")
    list(APPEND inputs "${form}")
    # The resource's name comes from the file: configure again when it changes.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${form}")
  endforeach()
  foreach(picture IN LISTS CR_PICTURES)
    get_filename_component(picture "${picture}" ABSOLUTE)
    get_filename_component(name "${picture}" NAME_WE)
    string(TOUPPER "${name}" name)
    string(APPEND lines "${name} BITMAP \"${picture}\"\n")
    list(APPEND inputs "${picture}")
  endforeach()
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc")
  file(GENERATE OUTPUT "${rc}" CONTENT "${lines}")
  target_sources(${target} PRIVATE "${rc}")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${inputs}" GENERATED TRUE)
endfunction()
