# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Puts the page together in OUT: the program (quillby.js and .wasm from BUILT), the page's
# own files (from PAGE), the icons (from ICONS), the manifest and the service worker, whose
# cache is named after a hash of everything else. Run with cmake -P.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
set(files index.html page.css page.js layout.js stylus.js sound.js quillby.js quillby.wasm)
foreach(f index.html page.css page.js layout.js stylus.js sound.js)
  file(COPY ${PAGE}/${f} DESTINATION ${OUT})
endforeach()
file(COPY ${BUILT}/quillby.js ${BUILT}/quillby.wasm DESTINATION ${OUT})

set(QUILLBY_ICONS "")
foreach(size 192 512)
  set(icon ${ICONS}/quillby-${size}.png)
  if(NOT EXISTS ${icon})
    message(WARNING "No ${size} px icon (${icon}): the page is installable only with one")
    continue()
  endif()
  file(COPY_FILE ${icon} ${OUT}/icon-${size}.png)
  list(APPEND files icon-${size}.png)
  if(QUILLBY_ICONS)
    string(APPEND QUILLBY_ICONS ", ")
  endif()
  string(APPEND QUILLBY_ICONS
    "{\"src\": \"icon-${size}.png\", \"sizes\": \"${size}x${size}\", \"type\": \"image/png\", \"purpose\": \"any\"}")
endforeach()
configure_file(${PAGE}/manifest.webmanifest.in ${OUT}/manifest.webmanifest @ONLY)
list(APPEND files manifest.webmanifest)

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
