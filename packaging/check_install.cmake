# Installs the build into a scratch prefix and checks that a desktop finds everything it needs.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/orvenda-expans
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/mime/packages/${APP_ID}.xml
    share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/icons/hicolor/16x16/apps/${APP_ID}.png
    share/icons/hicolor/32x32/apps/${APP_ID}.png
    share/icons/hicolor/48x48/apps/${APP_ID}.png
    share/icons/hicolor/256x256/apps/${APP_ID}.png)
foreach(path IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()

# The desktop entry must start the installed program with the file it opens, name the installed
# icon and claim the job files' type that the installed MIME package declares.
file(STRINGS ${PREFIX}/share/applications/${APP_ID}.desktop entry)
if(NOT "Exec=orvenda-expans %f" IN_LIST entry OR NOT "Icon=${APP_ID}" IN_LIST entry)
  message(FATAL_ERROR "desktop entry does not match the installed program or icon")
endif()
if(NOT "MimeType=application/x-orvenda-expans;" IN_LIST entry)
  message(FATAL_ERROR "desktop entry does not open job files")
endif()
# The MIME package must build into a MIME database that maps *.expans to the type.
find_program(UPDATE_MIME_DATABASE update-mime-database REQUIRED)
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${PREFIX}/share XDG_DATA_HOME=${PREFIX}/share
                        ${UPDATE_MIME_DATABASE} ${PREFIX}/share/mime RESULT_VARIABLE result
                ERROR_VARIABLE complaints)
file(STRINGS ${PREFIX}/share/mime/globs2 globs REGEX "application/x-orvenda-expans:\\*\\.expans")
if(NOT result EQUAL 0 OR NOT complaints STREQUAL "" OR NOT globs)
  message(FATAL_ERROR "MIME package does not build a type for *.expans: ${complaints}")
endif()

# Each fixed-size icon is a PNG of its directory's size: width and height sit in the IHDR chunk.
foreach(side 16 32 48 256)
  file(READ ${PREFIX}/share/icons/hicolor/${side}x${side}/apps/${APP_ID}.png header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 magic)
  string(SUBSTRING "${header}" 32 8 width)
  string(SUBSTRING "${header}" 40 8 height)
  math(EXPR width_dec "0x${width}")
  math(EXPR height_dec "0x${height}")
  if(NOT magic STREQUAL "89504e470d0a1a0a" OR NOT width_dec EQUAL side OR NOT height_dec EQUAL side)
    message(FATAL_ERROR "${side} px icon is not a ${side}x${side} PNG")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
