# The program's icons, every one rendered from the one drawing
# packaging/orvane.svg with rsvg-convert; icotool packs the Windows icon.
include_guard(GLOBAL)

set(ORVANE_ICON_DRAWING ${PROJECT_SOURCE_DIR}/packaging/orvane.svg)

# Sets <found> to whether rsvg-convert and icotool are both there.
function(orvane_find_icon_tools found)
  find_program(ORVANE_RSVG_CONVERT rsvg-convert)
  find_program(ORVANE_ICOTOOL icotool)
  if(ORVANE_RSVG_CONVERT AND ORVANE_ICOTOOL)
    set(${found} TRUE PARENT_SCOPE)
  else()
    set(${found} FALSE PARENT_SCOPE)
  endif()
endfunction()

# orvane_png_icons(<target> <folder> <size>...): a target that renders the
# drawing to <folder>/<size>x<size>/apps/orvane.png for each size, the layout
# of an icon theme.
function(orvane_png_icons target folder)
  set(outputs)
  foreach(size IN LISTS ARGN)
    set(png ${folder}/${size}x${size}/apps/orvane.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/${size}x${size}/apps
      COMMAND ${ORVANE_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${ORVANE_ICON_DRAWING}
      DEPENDS ${ORVANE_ICON_DRAWING}
      VERBATIM)
    list(APPEND outputs ${png})
  endforeach()
  add_custom_target(${target} DEPENDS ${outputs})
endfunction()

# orvane_windows_icon(<target> <ico>): a target that makes one .ico holding
# the sizes the shell asks for, the largest (256) stored as PNG as Windows
# expects.
function(orvane_windows_icon target ico)
  get_filename_component(folder ${ico} DIRECTORY)
  set(commands)
  set(images)
  foreach(size 16 24 32 48 64)
    list(APPEND commands COMMAND ${ORVANE_RSVG_CONVERT} -w ${size} -h ${size}
      -o ${folder}/icon-${size}.png ${ORVANE_ICON_DRAWING})
    list(APPEND images ${folder}/icon-${size}.png)
  endforeach()
  add_custom_command(OUTPUT ${ico}
    ${commands}
    COMMAND ${ORVANE_RSVG_CONVERT} -w 256 -h 256 -o ${folder}/icon-256.png ${ORVANE_ICON_DRAWING}
    COMMAND ${ORVANE_ICOTOOL} -c -o ${ico} ${images} --raw=${folder}/icon-256.png
    DEPENDS ${ORVANE_ICON_DRAWING}
    VERBATIM)
  add_custom_target(${target} DEPENDS ${ico})
endfunction()
