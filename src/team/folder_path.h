// The team folder's path in one spelling, so that two spellings of one folder
// ("\\srv\team", "\\srv\Team\", "T:\x\..") are seen to be one folder.
#pragma once
#include <string>
#include <string_view>

namespace brisolt::team {

// Backslashes only, none doubled (a UNC path keeps its two leading ones),
// no "." segments, ".." resolved, no trailing backslash (a drive's root keeps
// its own), ASCII letters in upper case: Windows compares names without case.
// A mapped drive letter stays a letter: the caller puts the UNC path it
// stands for in its place first.
std::string CanonicalFolder(std::string_view path);

}  // namespace brisolt::team
