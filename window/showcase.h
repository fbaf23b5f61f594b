// The topic lines of the showcase types that every type of a kind shares.
#pragma once

#include "estimate/showcases.h"

#include <span>

namespace window {

std::span<const char* const> sizeLines(const estimate::ShowcaseType& t);
std::span<const char* const> materialLines();

} // namespace window
