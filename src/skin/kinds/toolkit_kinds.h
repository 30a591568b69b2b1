#pragma once
#include "skin/elements/element_factory.h"

#include <memory>
#include <vector>

namespace stellaro {

// Registers every element kind of the toolkit under the type name skins give in "type"; the
// kinds stay registered while the returned registrations live.
std::vector<std::unique_ptr<NodeRegistration>> register_toolkit_kinds();

} // namespace stellaro
