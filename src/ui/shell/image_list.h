#pragma once
// The list of paths that the image file dialog hands back.

#include <cstddef>
#include <string>
#include <vector>

namespace lumivane {

class UserInterface;

// The chosen paths, in order, that fit in capacity characters: each path takes its
// length plus one for the break after it, and the list keeps one more for its end. A
// path that does not fit reports "Too many pathnames" and is left out; later, shorter
// ones may still fit. Empty paths (items without a file) are left out silently.
std::vector<std::u16string> fit_image_list(UserInterface& ui, const std::vector<std::u16string>& chosen,
                                           std::size_t capacity);

}  // namespace lumivane
