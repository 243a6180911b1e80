// Keeps the output library buildable until its first real source lands.
namespace zenta::output {
int placeholderAnchor() { return 0; }
}  // namespace zenta::output
