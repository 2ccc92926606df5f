# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Puts the page together in OUT: the program (quillby.js and .wasm from BUILT), the page's
# own files and manifest (from PAGE), the icons (from ICONS) and the service worker, whose
# cache is named after a hash of everything else; index.html carries the program's title
# picture, made by the program under NODE. Run with cmake -P.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
set(page index.html page.css page.js layout.js stylus.js sound.js manifest.webmanifest)
foreach(f page.css page.js layout.js stylus.js sound.js manifest.webmanifest)
  file(COPY ${PAGE}/${f} DESTINATION ${OUT})
endforeach()
execute_process(COMMAND ${NODE} ${PAGE}/title_picture.mjs ${BUILT}
  OUTPUT_VARIABLE QUILLBY_TITLE_PICTURE RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The program did not draw its title (${failed})")
endif()
configure_file(${PAGE}/index.html ${OUT}/index.html @ONLY)
file(COPY ${BUILT}/quillby.js ${BUILT}/quillby.wasm DESTINATION ${OUT})
set(files ${page} quillby.js quillby.wasm)
foreach(size 32 192 512)
  file(COPY_FILE ${ICONS}/quillby-${size}.png ${OUT}/icon-${size}.png)
  list(APPEND files icon-${size}.png)
endforeach()

set(hashes "")
foreach(f ${files})
  file(SHA256 ${OUT}/${f} h)
  string(APPEND hashes "${f} ${h}\n")
endforeach()
string(SHA256 QUILLBY_SITE_HASH "${hashes}")
string(SUBSTRING ${QUILLBY_SITE_HASH} 0 16 QUILLBY_SITE_HASH)
set(QUILLBY_SITE_FILES "'./'")
foreach(f ${files})
  string(APPEND QUILLBY_SITE_FILES ", '${f}'")
endforeach()
configure_file(${PAGE}/sw.js.in ${OUT}/sw.js @ONLY)
