# Makes the user guide the window shows (Help > User guide, F1) from the README at build
# time, so that the two cannot differ: the README's sections on the window and on the
# analyses, the pictures they show as PNG, and the resource file that holds them.
#   cmake -DREADME=... -DDOCS=... -DOUT=... -P UserGuide.cmake
# Read whole, not as a list of lines: a line's semicolons would split it.
file(READ "${README}" readme)
set(wanted
  "What you type, and what Spekulor makes of it"
  "The window"
  "Layout and spot diagrams"
  "Baffles and central hole"
  "Image quality"
  "Imaging with a camera"
  "Collimation and tolerances"
  "Mirror tests in the window")
set(guide "# Spekulor user guide\n")
foreach(heading IN LISTS wanted)
  string(FIND "${readme}" "\n## ${heading}\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "README.md has no section \"${heading}\" for the user guide")
  endif()
  string(SUBSTRING "${readme}" ${start} -1 rest)
  string(SUBSTRING "${rest}" 1 -1 after)
  string(FIND "${after}" "\n## " end)
  if(end GREATER -1)
    math(EXPR length "${end} + 1")
    string(SUBSTRING "${rest}" 0 ${length} section)
  else()
    set(section "${rest}")
  endif()
  # A picture the text browser cannot show (SVG) is left out; PNG ones come along.
  string(REGEX REPLACE "\n!\\[[^\n]*\\.svg\\)" "" section "${section}")
  string(APPEND guide "${section}")
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
