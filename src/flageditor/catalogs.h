#pragma once
// The two fixed catalogs of example expressions, in the order the drop-downs show them.

#include <array>
#include <string_view>

namespace dlg {

extern const std::array<std::string_view, 33> kConditionCatalog;
extern const std::array<std::string_view, 124> kActionCatalog;

}  // namespace dlg
