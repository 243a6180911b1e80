// Keeps the analyser library buildable until its first real source lands.
namespace zenta::analyser {
int placeholderAnchor() { return 0; }
}  // namespace zenta::analyser
