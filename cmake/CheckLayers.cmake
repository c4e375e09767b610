cmake_minimum_required(VERSION 3.25)
# Fails the build when a file includes from a layer above its own:
#   host/ (without the Qt parts host/gui/, host/print/ and host/chart/) sees only host/;
#   core/ (without the settings dialog) and glab/ (without its evaluation dialog
#   and chart) see only host/ and core/ resp. glab/, never Qt, the dialog toolkit
#   or the chart dialog;
#   tests/core (without the settings-dialog test) likewise.
# Run as: cmake -DSOURCE_DIR=<root> -P CheckLayers.cmake
set(layers
  "host|host/gui/|host/chart/|core/|dialog/|glab/|app/|<Q"
  "core|diaLUConfig\\.|host/gui/|host/chart/|dialog/|glab/|app/|<Q"
  "glab|diaAwGlab,Glab2Grafik\\.|host/gui/|host/chart/|core/|dialog/|app/|<Q"
  "tests/core|dialog_config_test\\.|host/gui/|host/chart/|dialog/|glab/|app/|support/GuiTestApp|<Q")
set(failures "")
foreach(layer IN LISTS layers)
  string(REPLACE "|" ";" parts "${layer}")
  list(POP_FRONT parts folder exempt)
  string(REPLACE "," ";" exempt "${exempt}") # several patterns, separated by commas
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    file(RELATIVE_PATH rel "${SOURCE_DIR}" "${file}")
    set(exempted FALSE)
    foreach(pattern IN LISTS exempt)
      if(rel MATCHES "${pattern}")
        set(exempted TRUE)
      endif()
    endforeach()
    if(rel MATCHES "^host/(gui|print|chart)/" OR exempted)
      continue()
    endif()
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      foreach(forbidden IN LISTS parts)
        string(FIND "${line}" "\"${forbidden}" quoted)
        if(forbidden STREQUAL "<Q")
          string(FIND "${line}" "<Q" quoted)
        endif()
        if(NOT quoted EQUAL -1)
          string(APPEND failures "\n  ${rel}: ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "Include from a higher layer:${failures}")
endif()
