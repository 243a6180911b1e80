// The ribbon: a store of interned texts. The characters of all interned
// strings lie end to end on the ribbon, addressed by a signed 32-bit position.
// The ribbon is made of segments of 1,000,000 positions, each a table of 1000
// blocks of 1000 characters allocated (zero-filled) when first written.
// Records are kept in 51 lists by length (capped at 50), each ordered by
// decreasing length and then by increasing text (signed byte order).
//
// The free functions work on the one process-wide ribbon, which must be
// initialised with ribbonInit() before a text is added ("RUBNOTINI").
// A `Ribbon` object is an independent store (a text pool) with the same
// operations; it is ready on construction and `clear()` empties it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zenta::support {

struct RibbonRecord {
  RibbonRecord* next = nullptr;
  std::int32_t start = 0;
  std::int32_t length = 0;
};

class Ribbon {
 public:
  static constexpr int kLists = 51;
  static constexpr int kBlockSize = 1000;
  static constexpr int kBlocksPerSegment = 1000;
  static constexpr std::int32_t kSegmentSize = kBlockSize * kBlocksPerSegment;

  explicit Ribbon(bool initialised = true);
  ~Ribbon();
  Ribbon(const Ribbon&) = delete;
  Ribbon& operator=(const Ribbon&) = delete;

  // Marks the store ready for texts (a constructed store already is).
  void init() { initialised_ = true; }
  bool initialised() const { return initialised_; }

  // The record of the text, added when it is new. The record stays valid
  // until clear() or the destruction of the store.
  const RibbonRecord* intern(std::string_view text);
  // The record of the text, or null when it was never interned.
  const RibbonRecord* find(std::string_view text) const;
  std::string text(const RibbonRecord* record) const;
  // Copies the record's characters into buffer (size bytes), always
  // terminated; returns the number of characters copied.
  std::size_t copyText(const RibbonRecord* record, char* buffer, std::size_t size) const;
  // Orders a text against a record's text: negative when the text comes
  // first in byte order (signed characters, a prefix first), zero when
  // equal, positive when it comes after.
  int compare(const RibbonRecord* record, std::string_view text) const;
  // Orders two records of this store the same way.
  int compare(const RibbonRecord* left, const RibbonRecord* right) const;

  std::int32_t nextFree() const { return nextFree_; }
  long requests() const { return requests_; }
  const RibbonRecord* list(int length) const;
  // Releases every record and block; the store stays initialised unless
  // told otherwise.
  void clear(bool keepInitialised = true);

 private:
  struct Segment;
  // The block holding a position: "DEBORUBAN" when it does not exist.
  const char* blockAt(std::int32_t position) const;
  // The block holding a position, created (zero-filled) when missing.
  char* writableBlock(std::int32_t position);
  char charAt(std::int32_t position) const;
  void append(std::string_view text);
  // Orders a text against a record in list order (longer first, then by text).
  int listOrder(const RibbonRecord* record, std::string_view text) const;

  bool initialised_ = false;
  Segment* segments_ = nullptr;
  RibbonRecord* lists_[kLists] = {};
  std::int32_t nextFree_ = 0;
  long requests_ = 0;
};

// The process-wide ribbon.
void ribbonInit(int slots = 10000);  // slots: accepted for compatibility, the ribbon grows as needed
bool ribbonInitialised();
const RibbonRecord* intern(std::string_view text);
std::string ribbonText(const RibbonRecord* record);
std::size_t ribbonCopyText(const RibbonRecord* record, char* buffer, std::size_t size);
int ribbonCompare(const RibbonRecord* record, std::string_view text);
std::int32_t ribbonNextFree();
long ribbonRequests();
// The records of one length list (0 to 50), in list order; for inspection.
const RibbonRecord* ribbonList(int length);
// Releases everything and forgets the initialisation; for tests.
void ribbonResetForTests();

}  // namespace zenta::support
