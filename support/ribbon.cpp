#include "support/ribbon.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "support/memory.h"
#include "support/report_hook.h"

namespace zenta::support {

struct Ribbon::Segment {
  char* blocks[kBlocksPerSegment];
  Segment* next;
};

Ribbon::Ribbon(bool initialised) : initialised_(initialised) {}

Ribbon::~Ribbon() { clear(false); }

void Ribbon::clear(bool keepInitialised) {
  if (!keepInitialised) initialised_ = false;
  for (RibbonRecord*& head : lists_) {
    while (head) {
      RibbonRecord* next = head->next;
      release(head);
      head = next;
    }
  }
  while (segments_) {
    Segment* next = segments_->next;
    for (char* block : segments_->blocks) release(block);
    release(segments_);
    segments_ = next;
  }
  nextFree_ = 0;
  requests_ = 0;
}

const char* Ribbon::blockAt(std::int32_t position) const {
  if (position < 0) reportSevere("DEBORUBAN", std::to_string(position));
  const Segment* segment = segments_;
  for (std::int32_t i = position / kSegmentSize; segment && i > 0; --i) segment = segment->next;
  const char* block = segment ? segment->blocks[(position % kSegmentSize) / kBlockSize] : nullptr;
  if (!block) reportSevere("DEBORUBAN", std::to_string(position));
  return block;
}

char* Ribbon::writableBlock(std::int32_t position) {
  Segment** link = &segments_;
  for (std::int32_t i = position / kSegmentSize;; --i) {
    if (!*link) *link = static_cast<Segment*>(allocateZeroed(1, sizeof(Segment)));
    if (i == 0) break;
    link = &(*link)->next;
  }
  char*& block = (*link)->blocks[(position % kSegmentSize) / kBlockSize];
  if (!block) block = static_cast<char*>(allocateZeroed(kBlockSize, 1));
  return block;
}

char Ribbon::charAt(std::int32_t position) const { return blockAt(position)[position % kBlockSize]; }

void Ribbon::append(std::string_view text) {
  if (!initialised_) reportSevere("RUBNOTINI", std::string(text.substr(0, 60)));
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - nextFree_)) {
    reportSevere("DEBORUBAN", std::to_string(nextFree_));
  }
  std::size_t done = 0;
  while (done < text.size()) {
    char* block = writableBlock(nextFree_);
    std::size_t offset = static_cast<std::size_t>(nextFree_ % kBlockSize);
    std::size_t chunk = std::min(text.size() - done, static_cast<std::size_t>(kBlockSize) - offset);
    std::memcpy(block + offset, text.data() + done, chunk);
    done += chunk;
    nextFree_ += static_cast<std::int32_t>(chunk);
  }
}

int Ribbon::compare(const RibbonRecord* record, std::string_view text) const {
  const std::size_t common = std::min(text.size(), static_cast<std::size_t>(record->length));
  std::int32_t position = record->start;
  std::size_t i = 0;
  while (i < common) {
    const char* block = blockAt(position);
    std::size_t offset = static_cast<std::size_t>(position % kBlockSize);
    std::size_t chunk = std::min(common - i, static_cast<std::size_t>(kBlockSize) - offset);
    for (std::size_t k = 0; k < chunk; ++k) {
      int a = static_cast<signed char>(text[i + k]);
      int b = static_cast<signed char>(block[offset + k]);
      if (a != b) return a < b ? -1 : 1;
    }
    i += chunk;
    position += static_cast<std::int32_t>(chunk);
  }
  if (text.size() == static_cast<std::size_t>(record->length)) return 0;
  return text.size() < static_cast<std::size_t>(record->length) ? -1 : 1;
}

int Ribbon::compare(const RibbonRecord* left, const RibbonRecord* right) const {
  return compare(right, text(left));
}

int Ribbon::listOrder(const RibbonRecord* record, std::string_view text) const {
  if (text.size() != static_cast<std::size_t>(record->length)) {
    return text.size() > static_cast<std::size_t>(record->length) ? -1 : 1;
  }
  return compare(record, text);
}

const RibbonRecord* Ribbon::find(std::string_view text) const {
  const RibbonRecord* record = lists_[std::min<std::size_t>(text.size(), kLists - 1)];
  for (; record; record = record->next) {
    int order = listOrder(record, text);
    if (order == 0) return record;
    if (order < 0) break;
  }
  return nullptr;
}

const RibbonRecord* Ribbon::intern(std::string_view text) {
  ++requests_;
  RibbonRecord** link = &lists_[std::min<std::size_t>(text.size(), kLists - 1)];
  while (*link) {
    int order = listOrder(*link, text);
    if (order == 0) return *link;
    if (order < 0) break;
    link = &(*link)->next;
  }
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    reportSevere("DEBORUBAN", std::to_string(nextFree_));
  }
  if (!initialised_) reportSevere("RUBNOTINI", std::string(text.substr(0, 60)));
  auto* record = static_cast<RibbonRecord*>(allocateZeroed(1, sizeof(RibbonRecord)));
  record->start = nextFree_;
  record->length = static_cast<std::int32_t>(text.size());
  append(text);
  record->next = *link;
  *link = record;
  return record;
}

std::size_t Ribbon::copyText(const RibbonRecord* record, char* buffer, std::size_t size) const {
  if (!buffer || size == 0) return 0;
  std::size_t count = std::min(static_cast<std::size_t>(record->length), size - 1);
  for (std::size_t i = 0; i < count; ++i) buffer[i] = charAt(record->start + static_cast<std::int32_t>(i));
  buffer[count] = '\0';
  return count;
}

std::string Ribbon::text(const RibbonRecord* record) const {
  std::string result;
  result.reserve(static_cast<std::size_t>(record->length));
  std::int32_t position = record->start;
  std::int32_t left = record->length;
  while (left > 0) {
    const char* block = blockAt(position);
    std::int32_t offset = position % kBlockSize;
    std::int32_t chunk = std::min(left, kBlockSize - offset);
    result.append(block + offset, static_cast<std::size_t>(chunk));
    position += chunk;
    left -= chunk;
  }
  return result;
}

const RibbonRecord* Ribbon::list(int length) const {
  if (length < 0 || length >= kLists) return nullptr;
  return lists_[length];
}

// The process-wide store.
namespace {
Ribbon& store() {
  static Ribbon ribbon(false);
  return ribbon;
}
}  // namespace

void ribbonInit(int /*slots*/) { store().init(); }
bool ribbonInitialised() { return store().initialised(); }
const RibbonRecord* intern(std::string_view text) { return store().intern(text); }
std::string ribbonText(const RibbonRecord* record) { return store().text(record); }
std::size_t ribbonCopyText(const RibbonRecord* record, char* buffer, std::size_t size) {
  return store().copyText(record, buffer, size);
}
int ribbonCompare(const RibbonRecord* record, std::string_view text) { return store().compare(record, text); }
std::int32_t ribbonNextFree() { return store().nextFree(); }
long ribbonRequests() { return store().requests(); }
const RibbonRecord* ribbonList(int length) { return store().list(length); }

void ribbonResetForTests() { store().clear(false); }

}  // namespace zenta::support
