# Puts the page together: page.html.in with its style, its script and the
# worker's script (the compiled module followed by worker.js) inlined.
#   cmake -DSOURCE=DIR -DMODULE=texttoxml_wasm.js -DOUTPUT=texttoxml.html -DVERSION=X.Y.Z
#         -P assemble_page.cmake
file(READ ${SOURCE}/page.css PAGE_CSS)
file(READ ${SOURCE}/client.js CLIENT_JS)
file(READ ${SOURCE}/page.js PAGE_JS)
file(READ ${MODULE} MODULE_JS)
file(READ ${SOURCE}/worker.js WORKER_JS)
set(WORKER_JS "${MODULE_JS}\n${WORKER_JS}")

# Inlined into a script element, these sequences would end it early or
# change how the browser reads the rest.
foreach(part CLIENT_JS PAGE_JS WORKER_JS)
  string(TOLOWER "${${part}}" lower)
  foreach(sequence "</script" "<!--")
    string(FIND "${lower}" "${sequence}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "${part} holds \"${sequence}\", which cannot be inlined")
    endif()
  endforeach()
endforeach()

configure_file(${SOURCE}/page.html.in ${OUTPUT} @ONLY)
file(SIZE ${OUTPUT} size)
message(STATUS "texttoxml.html: ${size} bytes")
