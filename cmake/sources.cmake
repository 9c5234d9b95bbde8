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
