#pragma once
// The lines of a run's record: fields separated by tabs, one line per entry. Tab,
// newline and backslash inside a field are escaped, so any path fits.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace administrator::runrecord::record {

std::string line(std::initializer_list<std::string_view> fields);
// False for a torn or foreign line; `line` holds no line break.
bool parseLine(std::string_view line, std::vector<std::string>& fields);

}  // namespace administrator::runrecord::record
