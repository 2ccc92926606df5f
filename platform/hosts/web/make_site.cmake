# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Puts the page together in OUT: the program (quillby.js and .wasm from BUILT), the page's
# own files and manifest (from PAGE), the icons (from ICONS), the voice files (VOICES, separated
# by commas: voice.bin and one for each other language, which the service worker keeps only once
# a page has asked for one) and the service worker, whose cache is named after a hash of
# everything else. index.html carries, inside it, what the
# title needs (make_page.mjs, run by NODE): those files are not copied. Run with cmake -P.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${NODE} ${PAGE}/make_page.mjs ${PAGE} ${BUILT} ${OUT}/index.html
  OUTPUT_VARIABLE inlined RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The page could not be made (${failed})")
endif()
string(REPLACE "\n" ";" inlined "${inlined}")
set(page index.html)
foreach(f page.css page.js layout.js stylus.js sound.js lifecycle.js loop_wait.js one_game.js
    voice.js manifest.webmanifest)
  list(FIND inlined ${f} at)
  if(at EQUAL -1)
    file(COPY ${PAGE}/${f} DESTINATION ${OUT})
    list(APPEND page ${f})
  endif()
endforeach()
file(COPY ${BUILT}/quillby.js ${BUILT}/quillby.wasm DESTINATION ${OUT})
set(files ${page} quillby.js quillby.wasm)
foreach(size 32 192 512)
  file(COPY_FILE ${ICONS}/quillby-${size}.png ${OUT}/icon-${size}.png)
  list(APPEND files icon-${size}.png)
endforeach()
# A phone's or tablet's home screen: iOS's icon and the ones Android cuts to its own shape.
foreach(icon touch-180 maskable-192 maskable-512)
  file(COPY_FILE ${ICONS}/quillby-${icon}.png ${OUT}/icon-${icon}.png)
  list(APPEND files icon-${icon}.png)
endforeach()

string(REPLACE "," ";" VOICES "${VOICES}")
set(voices "")
set(QUILLBY_VOICE_FILES "")
foreach(path ${VOICES})
  get_filename_component(f ${path} NAME)
  file(COPY_FILE ${path} ${OUT}/${f})
  list(APPEND voices ${f})
  string(APPEND QUILLBY_VOICE_FILES "${sep}'${f}'")
  set(sep ", ")
endforeach()

set(hashes "")
foreach(f ${files} ${voices})
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
