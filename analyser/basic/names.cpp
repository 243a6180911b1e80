#include "analyser/basic/names.h"

namespace zenta::analyser {
namespace {
const std::string kNoText;
}  // namespace

const std::string& Name::text() const { return p_ ? p_->text : kNoText; }

Name internName(std::string_view text) { return Name(identifiers().get(text)); }

Name findName(std::string_view text) { return Name(identifiers().find(text)); }

std::size_t internedNameCount() { return identifiers().size(); }

}  // namespace zenta::analyser
