# The C++ package: `cmake --install` puts the headers (below include/ColumnPick, included as
# "control/ColumnPick.h"), the libraries and a package configuration in place, so that another
# project writes
#
#   find_package(ColumnPick 2.0 REQUIRED)
#   target_link_libraries(app PRIVATE ColumnPick::control)
#
# Targets:
#   ColumnPick::runtime  the host runtime's semantics (Variant, conversions, errors, UTF-8)
#   ColumnPick::table    the item table's engine: its indexes and the item strings
#   ColumnPick::reports  the error report, the usage messages and their texts, and the
#                        component's start routine (ComponentStart)
#   ColumnPick::hosting  the control in its host's windows: creation hook, drawing subclass,
#                        form watcher
#   ColumnPick::control  the control, with the platform it was built for
#   ColumnPick::win32    the Win32 platform (Win32 builds): forms and hosts of real windows
#   ColumnPick::sim      the simulated platform (other builds), for tests of programs that
#                        host the control
#   ColumnPick::rows     the database interfaces (databases, recordsets, the host's own objects)
#                        and the recordsets that every database engine shares
#   ColumnPick::odbc     the ODBC database layer (unixODBC, or odbc32 on Win32)
#   ColumnPick::sqlite   the SQLite database layer (other builds)
#   ColumnPick::resources  (Win32) the component's bitmaps, linked into the one module of a
#                        program that hosts the control, from which the control loads them
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(CP_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ColumnPick)
# The component's file version.
set(CP_PACKAGE_VERSION 2.0.0)

set_target_properties(cp_runtime PROPERTIES EXPORT_NAME runtime OUTPUT_NAME columnpick_runtime)
set_target_properties(cp_table PROPERTIES EXPORT_NAME table OUTPUT_NAME columnpick_table)
set_target_properties(cp_reports PROPERTIES EXPORT_NAME reports OUTPUT_NAME columnpick_reports)
set_target_properties(cp_hosting PROPERTIES EXPORT_NAME hosting OUTPUT_NAME columnpick_hosting)
set_target_properties(cp_core PROPERTIES EXPORT_NAME control OUTPUT_NAME columnpick_control)
set_target_properties(cp_platform PROPERTIES EXPORT_NAME ${CP_PLATFORM}
                                             OUTPUT_NAME columnpick_${CP_PLATFORM})
set_target_properties(cp_rows PROPERTIES EXPORT_NAME rows OUTPUT_NAME columnpick_rows)
set_target_properties(cp_odbc PROPERTIES EXPORT_NAME odbc OUTPUT_NAME columnpick_odbc)
set(CP_PACKAGE_TARGETS cp_runtime cp_table cp_platform cp_reports cp_hosting cp_core cp_rows cp_odbc)
set(CP_PACKAGE_DEPENDENCIES "")

if(WIN32)
  set(CP_RESOURCE_INSTALLED ${CMAKE_INSTALL_LIBDIR}/ColumnPick/ComponentResources.res.o)
  add_library(cp_resources INTERFACE)
  target_link_libraries(cp_resources INTERFACE
    $<BUILD_INTERFACE:${CP_RESOURCE_OBJECT}>
    $<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${CP_RESOURCE_INSTALLED}>)
  set_target_properties(cp_resources PROPERTIES EXPORT_NAME resources)
  list(APPEND CP_PACKAGE_TARGETS cp_resources)
  install(FILES ${CP_RESOURCE_OBJECT} DESTINATION ${CMAKE_INSTALL_LIBDIR}/ColumnPick)
else()
  set_target_properties(cp_sqlite PROPERTIES EXPORT_NAME sqlite OUTPUT_NAME columnpick_sqlite)
  list(APPEND CP_PACKAGE_TARGETS cp_sqlite)
  set(CP_PACKAGE_DEPENDENCIES "find_dependency(SQLite3)\nfind_dependency(ODBC)")
endif()
# The same names inside this build, for the project's own programs.
foreach(target IN LISTS CP_PACKAGE_TARGETS)
  get_target_property(name ${target} EXPORT_NAME)
  add_library(ColumnPick::${name} ALIAS ${target})
endforeach()

install(TARGETS ${CP_PACKAGE_TARGETS}
  EXPORT ColumnPickTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ColumnPick)
install(EXPORT ColumnPickTargets NAMESPACE ColumnPick:: DESTINATION ${CP_PACKAGE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/ColumnPickConfig.cmake.in
  ${PROJECT_BINARY_DIR}/ColumnPickConfig.cmake INSTALL_DESTINATION ${CP_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ColumnPickConfigVersion.cmake
  VERSION ${CP_PACKAGE_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ColumnPickConfig.cmake
              ${PROJECT_BINARY_DIR}/ColumnPickConfigVersion.cmake
        DESTINATION ${CP_PACKAGE_DIR})
