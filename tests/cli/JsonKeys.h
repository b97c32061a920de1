// The keys of a JSON object in the order the program wrote them (the object must be
// parsed as nlohmann::ordered_json to keep that order).
#ifndef SPEKULOR_TESTS_CLI_JSONKEYS_H
#define SPEKULOR_TESTS_CLI_JSONKEYS_H

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

inline std::vector<std::string> KeysInOrder(const nlohmann::ordered_json& object) {
  std::vector<std::string> keys;
  for (auto it = object.begin(); it != object.end(); ++it) keys.push_back(it.key());
  return keys;
}

#endif
