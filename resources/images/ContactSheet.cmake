# Puts every 1x image of the bundle on one sheet; of the 114 chapter names only 1 to 4 show.
file(GLOB_RECURSE images ${BUNDLE}/*.png)
list(FILTER images EXCLUDE REGEX "@2x\\.png$")
list(FILTER images EXCLUDE REGEX "/sname_([5-9]|[1-9][0-9]+)(-t)?\\.png$")
list(SORT images)
execute_process(COMMAND ${TOOL} sheet ${OUT} 12 ${images} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The contact sheet could not be written")
endif()
