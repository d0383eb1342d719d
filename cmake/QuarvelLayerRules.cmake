# The layer rules, kept once: each folder of the tree that holds a library or
# programs, and the libraries it links. scripts/check_layers.py reads the
# file that quarvel_write_layer_rules writes and holds every include to them.

# quarvel_layer_rule(NAME DIR folder DEPENDS targets...): the code in folder
# may include its own headers and those of the quarvel_* libraries it links,
# directly or through them; toolkit headers only where it links Qt 6.
function(quarvel_layer_rule name)
  cmake_parse_arguments(R "" "DIR" "DEPENDS" ${ARGN})
  set(deps)
  set(toolkit false)
  foreach(dep IN LISTS R_DEPENDS)
    if(dep MATCHES "^quarvel_")
      list(APPEND deps "\"${dep}\"")
    elseif(dep MATCHES "^Qt6::")
      set(toolkit true)
    endif()
  endforeach()
  list(JOIN deps ", " deps)
  set_property(GLOBAL APPEND PROPERTY QUARVEL_LAYER_RULES
    "{\"name\": \"${name}\", \"dir\": \"${R_DIR}\", \"depends\": [${deps}], \"toolkit\": ${toolkit}}")
endfunction()

# Writes the rules as JSON, with the folder under which the toolkit's headers
# are installed (the check looks in it and its module folders, so it knows a
# Qt header by where it lives, not by its name).
function(quarvel_write_layer_rules path)
  get_property(rules GLOBAL PROPERTY QUARVEL_LAYER_RULES)
  list(JOIN rules ",\n    " rules)
  set(qt_json "\"${QT6_INSTALL_PREFIX}/${QT6_INSTALL_HEADERS}\"")
  file(WRITE ${path}
"{
  \"source\": \"${CMAKE_SOURCE_DIR}\",
  \"skipped\": [\"tests\", \"bench\", \"examples\", \"scripts\", \"cmake\", \"docs\"],
  \"toolkit_include_dirs\": [${qt_json}],
  \"layers\": [
    ${rules}
  ]
}
")
endfunction()
