// Keeps the model library buildable until its first real source lands.
namespace zenta::model {
int placeholderAnchor() { return 0; }
}  // namespace zenta::model
