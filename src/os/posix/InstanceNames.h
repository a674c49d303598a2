#pragma once

#include <sys/types.h>

#include <string>

namespace lintavo::os::posix {

// The names of one user's instance record. A record on Windows lives in the logon session, so
// every user has one of their own: each name carries "-" and the user's numeric id after the
// mapping name, and other users' copies of the same executable never meet this one.

// The shared memory object that holds the instance record: "/" + the mapping name + "-" + the
// user's id. A name too long for one file name keeps its head and ends in a hash of the whole, so
// it stays the same for the same executable and user and differs between them.
std::string RecordObjectName(const std::string& mappingName, uid_t user);

// The abstract Unix socket name (without the leading NUL byte) where the admitted instance takes
// requests to come to the front, shortened like the record's name to fit a socket address.
std::string ActivationSocketName(const std::string& mappingName, uid_t user);

}  // namespace lintavo::os::posix
