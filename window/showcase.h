// The showcase types of RGVitrinTip: picture, size and feature lines of each.
#pragma once

#include <initializer_list>
#include <span>

namespace window {

struct ShowcaseType {
    const char* picture;
    bool cabinet; // cabinet showcase (else counter showcase): decides the size lines
    std::initializer_list<const char*> features;
};

std::span<const ShowcaseType> showcaseTypes();
std::span<const char* const> sizeLines(const ShowcaseType& t);
std::span<const char* const> materialLines();

} // namespace window
