# Makes the user guide the window shows (Help > User guide, F1) from the README at build
# time, so that the two cannot differ: the README's sections on the window and on the
# analyses, the pictures they show as PNG, and the resource file that holds them.
#   cmake -DREADME=... -DDOCS=... -DOUT=... -P UserGuide.cmake
file(STRINGS "${README}" lines ENCODING UTF-8)
set(wanted
  "What you type, and what Spekulor makes of it"
  "The window"
  "Layout and spot diagrams"
  "Baffles and central hole"
  "Image quality"
  "Collimation and tolerances"
  "Mirror tests in the window")
set(guide "# Spekulor user guide\n\n")
set(keep FALSE)
set(fenced FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "^```")
    if(fenced)
      set(fenced FALSE)
    else()
      set(fenced TRUE)
    endif()
  endif()
  if(NOT fenced AND line MATCHES "^## (.*)$")
    list(FIND wanted "${CMAKE_MATCH_1}" found)
    if(found GREATER -1)
      set(keep TRUE)
    else()
      set(keep FALSE)
    endif()
  endif()
  # A picture the text browser cannot show (SVG) is left out; PNG ones come along.
  if(keep AND NOT line MATCHES "^!\\[.*\\]\\(.*\\.svg\\)")
    string(APPEND guide "${line}\n")
  endif()
endforeach()
file(WRITE "${OUT}/UserGuide.md" "${guide}")

set(qrc "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/guide\">\n")
string(APPEND qrc "    <file alias=\"UserGuide.md\">${OUT}/UserGuide.md</file>\n")
file(GLOB pictures "${DOCS}/*.png")
foreach(picture IN LISTS pictures)
  get_filename_component(name "${picture}" NAME)
  string(APPEND qrc "    <file alias=\"docs/${name}\">${picture}</file>\n")
endforeach()
string(APPEND qrc "  </qresource>\n</RCC>\n")
file(WRITE "${OUT}/guide.qrc" "${qrc}")
