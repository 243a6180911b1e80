// Keeps the support library buildable until its first real source lands.
namespace zenta::support {
int placeholderAnchor() { return 0; }
}  // namespace zenta::support
