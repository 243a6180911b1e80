#include "model/variable.h"

namespace zenta::model {

void setBoundedText(std::string& field, const std::string& value, std::size_t limit) {
  field = value.size() > limit ? value.substr(0, limit) : value;
}

}  // namespace zenta::model
