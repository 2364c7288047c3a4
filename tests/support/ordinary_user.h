#pragma once
// Permission checks that root would pass by.

#include <functional>

#include "support/temp_folder.h"

namespace lumivane::testing {

// Runs check as an ordinary user: here, or, when the tests run as root, in a child
// process that hands the folder to the user nobody and becomes that user. True when
// check answered true.
bool as_ordinary_user(const TempFolder& folder, const std::function<bool()>& check);

}  // namespace lumivane::testing
