#pragma once
// Whole-file helpers for tests, byte for byte.
#include <filesystem>
#include <string>
#include <vector>

namespace orvik::test {

void writeFile(const std::filesystem::path& path, const std::string& bytes);
// The file's bytes; "<missing>" when there is no such file.
std::string readFile(const std::filesystem::path& path);
bool exists(const std::filesystem::path& path);
// Every name in the directory, sorted: to see that no temporary is left.
std::vector<std::string> namesIn(const std::filesystem::path& dir);

} // namespace orvik::test
