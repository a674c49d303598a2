#pragma once

#include <string>
#include <string_view>

// Paths as text, joined and taken apart at the path delimiter of the system the program is built
// for.
namespace lintavo::base {

#ifdef _WIN32
inline constexpr char kPathDelimiter = '\\';
// Windows takes "/" between a path's parts as well; paths the program is given may hold either.
inline constexpr std::string_view kPathDelimiters = "\\/";
#else
inline constexpr char kPathDelimiter = '/';
inline constexpr std::string_view kPathDelimiters = "/";
#endif

// `folder`, one delimiter and `name`; a folder that ends in a delimiter (the root folder) gets no
// second one.
std::string JoinPath(std::string_view folder, std::string_view name);

// The path ending in exactly one delimiter; the empty path stays empty.
std::string WithTrailingDelimiter(std::string path);

// The path without trailing delimiters; the root folder stays as it is.
std::string WithoutTrailingDelimiter(std::string path);

// The file URL of an absolute path, nothing escaped: path delimiters become "/", and "file://"
// and a "/" go in front ("/home/ann/My Links" gives file:///home/ann/My Links, C:\Links gives
// file:///C:/Links).
std::string FileUrlOfPath(std::string_view path);

// The folder that holds `path`: everything before its last delimiter, the root folder for a path
// right below it, "." for a path without a delimiter.
std::string ParentFolder(std::string_view path);

}  // namespace lintavo::base
