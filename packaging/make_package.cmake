# Makes one release package; the dist target of packaging/CMakeLists.txt runs it.
#
#   cmake -DORVANE_BUILD_DIR=... -DORVANE_SOURCE_DIR=... -DORVANE_VERSION=...
#         -DORVANE_TOP=<top folder> -DORVANE_PACKAGE=<.zip or .tar.gz>
#         -DORVANE_PLATFORM=windows|linux -DORVANE_PYTHON=<python3>
#         [-DORVANE_ICONS=<hicolor folder>] [-DORVANE_STAGE=<folder>]
#         -P make_package.cmake
#
# The package's folder is laid in <build>/dist-stage/<top> (or <ORVANE_STAGE>/<top>)
# and packed with that folder at the top of the package by pack.py, which
# gives every entry the time of the last commit (SOURCE_DATE_EPOCH when set):
# one commit, one package, byte for byte. Beside the package goes its SHA-256
# sum in the form `sha256sum -c` reads (<package>.sha256).

foreach(name ORVANE_BUILD_DIR ORVANE_SOURCE_DIR ORVANE_VERSION ORVANE_TOP ORVANE_PACKAGE ORVANE_PLATFORM ORVANE_PYTHON)
  if(NOT ${name})
    message(FATAL_ERROR "make_package.cmake needs -D${name}=...")
  endif()
endforeach()

# Runs a command quietly (its errors still show) and stops the packaging when
# it fails.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "make_package: failed (${result}): ${command}")
  endif()
endfunction()

set(source ${ORVANE_SOURCE_DIR}/packaging/${ORVANE_PLATFORM})
set(top ${ORVANE_TOP})
set(package ${ORVANE_PACKAGE})
get_filename_component(dist ${package} DIRECTORY)
if(ORVANE_STAGE)
  set(stage ${ORVANE_STAGE})
else()
  set(stage ${ORVANE_BUILD_DIR}/dist-stage)
endif()
set(folder ${stage}/${top})
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${folder} ${dist})

# The time stamp of every entry, and of the Windows programs' headers, which
# strip writes anew: SOURCE_DATE_EPOCH when the caller sets it, else the time
# of the last commit.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${ORVANE_SOURCE_DIR} log -1 --format=%ct
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "make_package: no commit time from git in ${ORVANE_SOURCE_DIR}; "
                        "set SOURCE_DATE_EPOCH to the seconds since 1970 the package's entries should carry")
  endif()
endif()
set(ENV{SOURCE_DATE_EPOCH} ${epoch})  # read by strip

# The programs, stripped, and catalogs laid afresh beside them.
run(${CMAKE_COMMAND} --install ${ORVANE_BUILD_DIR} --prefix ${folder} --component programs --strip)
run(${CMAKE_COMMAND} -DORVANE_BIN_DIR=${folder} -DORVANE_PLATFORM=${ORVANE_PLATFORM}
    -P ${ORVANE_SOURCE_DIR}/cmake/sample_catalog.cmake)

# The README, with the version filled in.
file(READ ${source}/README.txt readme)
string(CONFIGURE "${readme}" readme @ONLY)
if(ORVANE_PLATFORM STREQUAL "windows")
  # As Windows editors show it right: UTF-8 with a byte-order mark, CRLF lines.
  string(ASCII 239 187 191 bom)
  string(REPLACE "\n" "\r\n" readme "${readme}")
  file(WRITE ${folder}/README.txt "${bom}${readme}")
else()
  file(WRITE ${folder}/README.txt "${readme}")

  # A desktop entry per build; add-to-menu installs them with the programs'
  # full paths, which only the unpacked folder knows.
  file(READ ${source}/orvane.desktop.in entry)
  foreach(build orvane_en orvane_ru)
    if(build STREQUAL "orvane_en")
      set(NAME "Orvane (English)")
      set(NAME_RU "Orvane (английский)")
    else()
      set(NAME "Orvane (Russian)")
      set(NAME_RU "Orvane (русский)")
    endif()
    set(EXEC ${build})
    string(CONFIGURE "${entry}" text @ONLY)
    file(WRITE ${folder}/${build}.desktop "${text}")
  endforeach()
  file(COPY ${ORVANE_ICONS} DESTINATION ${folder}/icons)
  file(COPY ${source}/add-to-menu DESTINATION ${folder}
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()

file(REMOVE ${package})
run(${ORVANE_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/pack.py ${folder} ${package} ${epoch})
file(SHA256 ${package} sum)
get_filename_component(name ${package} NAME)
file(WRITE ${package}.sha256 "${sum}  ${name}\n")
message(STATUS "Package: ${package}\n   SHA-256 ${sum} (${package}.sha256)")
