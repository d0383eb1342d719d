# cmake --install puts the libraries, their headers and the packages in place:
#   include/quarvel/<layer>/<subject>/*.h, included by hosts as
#     #include <quarvel/window/editor/quarvel_window.h>
#   find_package(Quarvel COMPONENTS core) (no toolkit needed) or view;
#   pkg-config quarvel (the core) and quarvel-view.
include(CMakePackageConfigHelpers)

get_property(layers GLOBAL PROPERTY QUARVEL_LAYERS)
set(core_layers ${layers})
list(REMOVE_ITEM core_layers quarvel_qt quarvel_exchange)
install(TARGETS ${core_layers} quarvel_core EXPORT QuarvelCoreTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The exchange layer needs GDAL, so it is a component of its own.
if(TARGET quarvel_exchange)
  install(TARGETS quarvel_exchange EXPORT QuarvelExchangeTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
install(TARGETS quarvel_qt EXPORT QuarvelViewTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})

# In the tree the headers include each other from the source root
# ("model/document/kones.h"); installed, they sit under quarvel/ and say so
# ("quarvel/model/document/kones.h"), so a host's include path holds no
# generic names such as platform/ or io/.
set(layer_dirs)
foreach(layer IN LISTS layers)
  get_property(dir GLOBAL PROPERTY QUARVEL_LAYER_DIR_${layer})
  list(APPEND layer_dirs ${dir})
endforeach()
list(JOIN layer_dirs "|" layer_alternatives)
install(CODE "
  set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_INCLUDEDIR}/quarvel\")
  foreach(dir ${layer_dirs})
    file(GLOB_RECURSE headers RELATIVE \"${CMAKE_SOURCE_DIR}\" \"${CMAKE_SOURCE_DIR}/\${dir}/*.h\")
    foreach(header IN LISTS headers)
      file(READ \"${CMAKE_SOURCE_DIR}/\${header}\" text)
      string(REGEX REPLACE \"#include \\\"(${layer_alternatives})/\" \"#include \\\"quarvel/\\\\1/\" text \"\${text}\")
      file(WRITE \"\${root}/\${header}\" \"\${text}\")
    endforeach()
  endforeach()
  message(STATUS \"Installing: \${root} (headers)\")
")

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Quarvel)
install(EXPORT QuarvelCoreTargets NAMESPACE Quarvel:: DESTINATION ${package_dir})
install(EXPORT QuarvelViewTargets NAMESPACE Quarvel:: DESTINATION ${package_dir})
if(TARGET quarvel_exchange)
  install(EXPORT QuarvelExchangeTargets NAMESPACE Quarvel:: DESTINATION ${package_dir})
endif()
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/QuarvelConfig.cmake.in
  ${CMAKE_BINARY_DIR}/QuarvelConfig.cmake INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/QuarvelConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/QuarvelConfig.cmake ${CMAKE_BINARY_DIR}/QuarvelConfigVersion.cmake
        DESTINATION ${package_dir})

# pkg-config: the libraries in link order, highest first.
set(core_libs)
foreach(layer quarvel_window quarvel_render quarvel_io quarvel_model quarvel_platform)
  string(APPEND core_libs " -l${layer}")
endforeach()
foreach(pc quarvel quarvel-view)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/${pc}.pc.in ${CMAKE_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()
