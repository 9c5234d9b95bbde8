# The component's bitmap resources (the arrow glyph 10 and the toolbox picture 30000), built
# from the pixel tables in shell/resources by make_resources.py:
# - CP_RESOURCE_SIM_SOURCE: the table of bitmaps that the simulated host loads them from; the
#   simulated platform compiles it in.
# - CP_RESOURCE_SCRIPT with CP_RESOURCE_BITMAPS: the Win32 resource script and its .bmp files.
#   cp_add_component_resources(<target>) links them into a Win32 program, whose module
#   LoadResPicture loads them from.
# - cp_use_resource_files(<target>): tells a test program where the tables and the generated
#   files are (CP_RESOURCE_SOURCE_DIR, CP_RESOURCE_BINARY_DIR).
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(CP_RESOURCE_SOURCE_DIR ${PROJECT_SOURCE_DIR}/shell/resources)
set(CP_RESOURCE_BINARY_DIR ${PROJECT_BINARY_DIR}/resources)
set(CP_RESOURCE_GENERATOR ${CP_RESOURCE_SOURCE_DIR}/make_resources.py)
set(CP_RESOURCE_TABLES ${CP_RESOURCE_SOURCE_DIR}/arrow.txt ${CP_RESOURCE_SOURCE_DIR}/toolbox.txt)
set(CP_RESOURCE_BITMAPS ${CP_RESOURCE_BINARY_DIR}/arrow.bmp ${CP_RESOURCE_BINARY_DIR}/toolbox.bmp)
set(CP_RESOURCE_SCRIPT ${CP_RESOURCE_BINARY_DIR}/ComponentResources.rc)
set(CP_RESOURCE_SIM_SOURCE ${CP_RESOURCE_BINARY_DIR}/ComponentResources.cpp)

add_custom_command(
  OUTPUT ${CP_RESOURCE_SIM_SOURCE} ${CP_RESOURCE_SCRIPT} ${CP_RESOURCE_BITMAPS}
  COMMAND Python3::Interpreter ${CP_RESOURCE_GENERATOR} --out-dir ${CP_RESOURCE_BINARY_DIR}
          ${CP_RESOURCE_TABLES}
  DEPENDS ${CP_RESOURCE_GENERATOR} ${CP_RESOURCE_TABLES}
  COMMENT "Building the component's bitmaps from their pixel tables"
  VERBATIM)
add_custom_target(cp_component_resources
  DEPENDS ${CP_RESOURCE_SIM_SOURCE} ${CP_RESOURCE_SCRIPT} ${CP_RESOURCE_BITMAPS})

if(WIN32)
  # The compiled resource script, made once for every program that carries it.
  set(CP_RESOURCE_OBJECT ${CP_RESOURCE_BINARY_DIR}/ComponentResources.res.o)
  add_custom_command(
    OUTPUT ${CP_RESOURCE_OBJECT}
    COMMAND ${CMAKE_RC_COMPILER} --input-format=rc --output-format=coff
            --include-dir=${CP_RESOURCE_BINARY_DIR} --input=${CP_RESOURCE_SCRIPT}
            --output=${CP_RESOURCE_OBJECT}
    DEPENDS ${CP_RESOURCE_SCRIPT} ${CP_RESOURCE_BITMAPS}
    WORKING_DIRECTORY ${CP_RESOURCE_BINARY_DIR}
    COMMENT "Compiling the component's resource script"
    VERBATIM)
  # Built with everything, so that the package can install it.
  add_custom_target(cp_component_resource_object ALL DEPENDS ${CP_RESOURCE_OBJECT})
  add_dependencies(cp_component_resource_object cp_component_resources)
endif()

# cp_add_component_resources(<target>): the Win32 program <target> carries the component's
# bitmaps as resources of its own module. Does nothing for the simulated platform, whose
# library holds them already.
function(cp_add_component_resources target)
  if(NOT WIN32)
    return()
  endif()
  add_dependencies(${target} cp_component_resource_object)
  target_link_libraries(${target} PRIVATE ${CP_RESOURCE_OBJECT})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${CP_RESOURCE_OBJECT})
endfunction()

# cp_use_resource_files(<target>): <target> reads the pixel tables and the generated files.
function(cp_use_resource_files target)
  add_dependencies(${target} cp_component_resources)
  target_compile_definitions(${target} PRIVATE
    CP_RESOURCE_SOURCE_DIR="${CP_RESOURCE_SOURCE_DIR}"
    CP_RESOURCE_BINARY_DIR="${CP_RESOURCE_BINARY_DIR}")
endfunction()
