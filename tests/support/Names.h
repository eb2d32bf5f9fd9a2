// A list of names or log entries, in the form the tests compare them.
#pragma once

#include <string>
#include <vector>

namespace Tolvik::Testing {

using Names = std::vector<std::string>;

} // Tolvik::Testing
