cmake_minimum_required(VERSION 3.25)
# Installs the build into a fresh prefix and checks the layout a desktop and the program rely on:
# the program, its help and its data in one folder, bin/lintavo linking to it, the desktop entry and
# icon where desktops look. Run with -DBUILD_DIR=<build folder> -DPREFIX=<scratch folder>
# -DHELP_ENGINE_FILE_NAME=<the help engine module's file name>.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file lib/lintavo/lintavo lib/lintavo/template.htm lib/lintavo/template.jpg
    lib/lintavo/templatewhite.jpg lib/lintavo/logo.bmp lib/lintavo/lintavo.png
    lib/lintavo/Lintavo.chm lib/lintavo/${HELP_ENGINE_FILE_NAME}
    share/applications/lintavo.desktop share/icons/hicolor/256x256/apps/lintavo.png)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

if(NOT IS_SYMLINK ${PREFIX}/bin/lintavo)
  message(FATAL_ERROR "bin/lintavo is not a link")
endif()
file(READ_SYMLINK ${PREFIX}/bin/lintavo target)
if(NOT target STREQUAL "../lib/lintavo/lintavo")
  message(FATAL_ERROR "bin/lintavo links to ${target}")
endif()

file(STRINGS ${PREFIX}/share/applications/lintavo.desktop entry)
foreach(line "Exec=lintavo" "Icon=lintavo" "Type=Application")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
