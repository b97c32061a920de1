// Whether an SVG text is well-formed XML with an <svg> root, parsed by libxml2 with no
// recovery: an unescaped "&", a byte that is not UTF-8 or an unclosed element fails.
// Built only where libxml2 is installed; the library `spekulor_test_svg` then defines
// SPEKULOR_HAVE_LIBXML2 for the tests that link it.
#ifndef SPEKULOR_TESTS_COMMON_SVGCHECK_H
#define SPEKULOR_TESTS_COMMON_SVGCHECK_H

#include <map>
#include <string>
#include <vector>

bool IsWellFormedSvg(const std::string& text);

// The attributes of every element named `name` in the SVG text, in document order, as
// libxml2 parses them; empty when the text does not parse.
std::vector<std::map<std::string, std::string>> SvgElements(const std::string& text,
                                                            const std::string& name);

#endif
