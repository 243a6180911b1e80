// Keeps the generator library buildable until its first real source lands.
namespace zenta::generator {
int placeholderAnchor() { return 0; }
}  // namespace zenta::generator
