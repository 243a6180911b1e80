// Keeps the cmdline library buildable until its first real source lands.
namespace zenta::cmdline {
int placeholderAnchor() { return 0; }
}  // namespace zenta::cmdline
