# cp_glob(<var> <dir>...): the .cpp files directly inside each directory (not its platform or
# engine subfolders, which build as libraries of their own).
function(cp_glob var)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND result ${found})
  endforeach()
  set(${var} ${result} PARENT_SCOPE)
endfunction()

# cp_add_headers(<target> <dir>...): the headers directly inside each directory are the public
# headers of <target>, included by their path from the project's root ("control/ColumnPick.h"),
# in the build and, once installed, below include/ColumnPick.
function(cp_add_headers target)
  set(headers)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h)
    list(APPEND headers ${found})
  endforeach()
  target_sources(${target} PUBLIC FILE_SET HEADERS BASE_DIRS ${PROJECT_SOURCE_DIR} FILES ${headers})
endfunction()
