// The ribbon: the process-wide store of interned texts. The characters of
// all interned strings lie end to end on the ribbon; records are kept in 51
// lists by length (capped at 50), each ordered by decreasing length and then
// by increasing text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zenta::support {

struct RibbonRecord {
  RibbonRecord* next = nullptr;
  std::int32_t start = 0;
  std::int32_t length = 0;
};

void ribbonInit(int slots = 10000);
bool ribbonInitialised();
// Returns the record of the text, adding it when it is new.
const RibbonRecord* intern(std::string_view text);
// The record's characters.
std::string ribbonText(const RibbonRecord* record);
// Orders a text against a record (negative, zero, positive).
int ribbonCompare(const RibbonRecord* record, std::string_view text);
std::int32_t ribbonNextFree();
long ribbonRequests();
// The records of one length list (0 to 50), in list order; for inspection.
const RibbonRecord* ribbonList(int length);
// Releases everything; for tests.
void ribbonResetForTests();

}  // namespace zenta::support
