// The message hooks of the fuzz targets: messages are expected on arbitrary
// input, so they are only counted (the replay program prints the count).
#pragma once

#include <string>

namespace {

int g_messages = 0;

[[maybe_unused]] void count(int, const char*, const std::string&, const std::string&, int) { ++g_messages; }
[[maybe_unused]] void countSupport(int, const char*, const std::string&) { ++g_messages; }

}  // namespace
