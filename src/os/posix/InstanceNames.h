#pragma once

#include <string>

namespace lintavo::os::posix {

// The shared memory object that holds the instance record: "/" + the mapping name. A name too long
// for one file name keeps its head and ends in a hash of the whole, so it stays the same for the
// same executable and differs between executables.
std::string RecordObjectName(const std::string& mappingName);

// The abstract Unix socket name (without the leading NUL byte) where the admitted instance takes
// requests to come to the front, shortened like the record's name to fit a socket address.
std::string ActivationSocketName(const std::string& mappingName);

}  // namespace lintavo::os::posix
