#include "tests/common/SvgCheck.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

bool IsWellFormedSvg(const std::string& text) {
  xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), "picture.svg", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (doc == nullptr) return false;
  const xmlNode* root = xmlDocGetRootElement(doc);
  const bool svg = root != nullptr && std::string(reinterpret_cast<const char*>(root->name)) == "svg";
  xmlFreeDoc(doc);
  return svg;
}
