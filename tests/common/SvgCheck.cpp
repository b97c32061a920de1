#include "tests/common/SvgCheck.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

namespace {

xmlDocPtr ParseSvg(const std::string& text) {
  return xmlReadMemory(text.data(), static_cast<int>(text.size()), "picture.svg", nullptr,
                       XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
}

std::string Text(const xmlChar* text) { return reinterpret_cast<const char*>(text); }

void Collect(const xmlNode* node, const std::string& name,
             std::vector<std::map<std::string, std::string>>& found) {
  for (; node != nullptr; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    if (Text(node->name) == name) {
      std::map<std::string, std::string> attributes;
      for (const xmlAttr* attribute = node->properties; attribute != nullptr; attribute = attribute->next) {
        xmlChar* value = xmlNodeListGetString(node->doc, attribute->children, 1);
        attributes[Text(attribute->name)] = value != nullptr ? Text(value) : "";
        xmlFree(value);
      }
      found.push_back(attributes);
    }
    Collect(node->children, name, found);
  }
}

}  // namespace

bool IsWellFormedSvg(const std::string& text) {
  xmlDocPtr doc = ParseSvg(text);
  if (doc == nullptr) return false;
  const xmlNode* root = xmlDocGetRootElement(doc);
  const bool svg = root != nullptr && std::string(reinterpret_cast<const char*>(root->name)) == "svg";
  xmlFreeDoc(doc);
  return svg;
}

std::vector<std::map<std::string, std::string>> SvgElements(const std::string& text,
                                                            const std::string& name) {
  std::vector<std::map<std::string, std::string>> found;
  xmlDocPtr doc = ParseSvg(text);
  if (doc == nullptr) return found;
  Collect(xmlDocGetRootElement(doc), name, found);
  xmlFreeDoc(doc);
  return found;
}
