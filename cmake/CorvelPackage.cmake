# Installs the framework and the components as the CMake package Corvel, so that a
# product's own project takes them up with find_package(Corvel CONFIG). The i686 and
# x86_64 trees install into one prefix beside each other: the headers are the same
# sources, the libraries and the exported targets go to a folder per architecture,
# and CorvelConfig.cmake picks the one the consumer's compiler builds for.
include(CMakePackageConfigHelpers)

set(CORVEL_VERSION 1.0.0)
set(CORVEL_ARCH ${CMAKE_SYSTEM_PROCESSOR})
set(CORVEL_CMAKE_DIR lib/cmake/Corvel)

# What a consumer must be compiled and linked with to match the libraries: their
# definitions (the object counters of the test tree change what inline code does),
# the code-generation options that add references the libraries need resolved
# (stack protection, undefined-behaviour checks, the standard library's assertions),
# the static runtime, so that its programs import only system DLLs, and the linker's
# garbage collection, which keeps only the sections of the libraries a program uses
# (they are compiled a function to a section). Warnings and optimisation stay the
# build's own business.
function(corvel_consumer_options out_defs out_compile out_link)
  get_directory_property(defs DIRECTORY ${PROJECT_SOURCE_DIR} COMPILE_DEFINITIONS)
  get_target_property(compile framework COMPILE_OPTIONS)
  get_target_property(link framework LINK_OPTIONS)
  string(TOUPPER "${CMAKE_BUILD_TYPE}" config)
  separate_arguments(flags UNIX_COMMAND "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${config}}")
  separate_arguments(link_flags UNIX_COMMAND "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${config}}")
  set(kept_compile)
  foreach(option IN LISTS compile flags)
    if(option MATCHES "^-D(.+)$")
      list(APPEND defs ${CMAKE_MATCH_1})
    elseif(option MATCHES "^-f(no-)?(sanitize|stack-protector)")
      list(APPEND kept_compile ${option})
    endif()
  endforeach()
  set(kept_link)
  foreach(option IN LISTS link link_flags)
    if(option MATCHES "^-f(no-)?(sanitize|stack-protector)|^-static|^-Wl,--gc-sections$")
      list(APPEND kept_link ${option})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES defs)
  list(REMOVE_DUPLICATES kept_compile)
  list(REMOVE_DUPLICATES kept_link)
  list(FILTER defs EXCLUDE REGEX "^NDEBUG$")
  set(${out_defs} "${defs}" PARENT_SCOPE)
  set(${out_compile} "${kept_compile}" PARENT_SCOPE)
  set(${out_link} "${kept_link}" PARENT_SCOPE)
endfunction()

corvel_consumer_options(_defs _compile _link)
foreach(lib framework components)
  set_target_properties(${lib} PROPERTIES EXPORT_NAME ${lib} OUTPUT_NAME corvel_${lib})
endforeach()
target_compile_features(framework INTERFACE cxx_std_20)
target_compile_definitions(framework INTERFACE "$<INSTALL_INTERFACE:${_defs}>")
target_compile_options(framework INTERFACE "$<INSTALL_INTERFACE:${_compile}>")
target_link_options(framework INTERFACE "$<INSTALL_INTERFACE:${_link}>")

install(TARGETS framework components EXPORT CorvelTargets
        ARCHIVE DESTINATION lib/${CORVEL_ARCH}
        INCLUDES DESTINATION include/corvel)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/framework ${PROJECT_SOURCE_DIR}/components
        DESTINATION include/corvel FILES_MATCHING PATTERN "*.h")
install(EXPORT CorvelTargets NAMESPACE Corvel:: DESTINATION ${CORVEL_CMAKE_DIR}/${CORVEL_ARCH})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/CorvelConfigVersion.cmake
                                 VERSION ${CORVEL_VERSION} COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/package/CorvelConfig.cmake
              ${PROJECT_SOURCE_DIR}/cmake/package/CorvelResources.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/CorvelConfigVersion.cmake
        DESTINATION ${CORVEL_CMAKE_DIR})
# The compilers the libraries were built with, for the consumer's configure.
install(FILES ${PROJECT_SOURCE_DIR}/cmake/mingw-common.cmake ${PROJECT_SOURCE_DIR}/cmake/mingw-i686.cmake
              ${PROJECT_SOURCE_DIR}/cmake/mingw-x86_64.cmake
        DESTINATION share/corvel/toolchains)
