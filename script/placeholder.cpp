// Keeps the script library buildable until its first real source lands.
namespace zenta::script {
int placeholderAnchor() { return 0; }
}  // namespace zenta::script
