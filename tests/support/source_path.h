// Files of the source tree for the tests that read them. CTest names the tree in the
// environment variable VXA_SOURCE_DIR; no path is compiled into a test.
#pragma once

#include <cstdlib>
#include <string>

namespace vxtest {

// `relative` inside the source tree; relative to the working folder when the variable
// is not set (a test run by hand from the tree's root).
inline std::string sourcePath(const std::string &relative)
{
    const char *root = std::getenv("VXA_SOURCE_DIR");
    return root && *root ? std::string(root) + "/" + relative : relative;
}

} // namespace vxtest
