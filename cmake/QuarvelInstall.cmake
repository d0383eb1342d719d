# cmake --install puts the libraries, their headers (under include/quarvel,
# with the paths the sources use) and a CMake package in place, so that a
# host can say find_package(Quarvel) and link Quarvel::core or Quarvel::view.
include(CMakePackageConfigHelpers)

get_property(layers GLOBAL PROPERTY QUARVEL_LAYERS)
get_property(layer_dirs GLOBAL PROPERTY QUARVEL_LAYER_DIRS)
install(TARGETS ${layers} quarvel_core EXPORT QuarvelTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
foreach(dir IN LISTS layer_dirs)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quarvel/${dir})
endforeach()

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Quarvel)
install(EXPORT QuarvelTargets NAMESPACE Quarvel:: DESTINATION ${package_dir})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/QuarvelConfig.cmake.in
  ${CMAKE_BINARY_DIR}/QuarvelConfig.cmake INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/QuarvelConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/QuarvelConfig.cmake ${CMAKE_BINARY_DIR}/QuarvelConfigVersion.cmake
        DESTINATION ${package_dir})
