#include "common/Chemins.h"

std::string_view DossierDe(std::string_view path, std::string_view separateurs) {
  std::size_t i = path.find_last_of(separateurs);
  if (i == std::string_view::npos) return {};
  std::size_t end = i;
  if (path[i] != '\\' || i == 0 || path[i - 1] == '\\' || path[i - 1] == ':') end = i + 1;
  return path.substr(0, end);
}
