namespace inv {
class Base { public: virtual ~Base(); int g; protected: int h; };
class Registry : public Base, private virtual Other {
 public:
  Registry() : n_(0) { if (n_) { n_ = 1; } }
  explicit Registry(int n);
  void add(int, double = 1.5) const throw (int);
  bool operator<(const Registry&) const;
  operator int() const;
  int Registry::*member;
  using Base::g;
  Base::h;
  friend class Friend;
  enum Kind { A, B };
  struct Node { Node *next; } head;
 private:
  static int count;
  int n_;
};
int Registry::count = 0;
void Registry::add(int, double) const throw (int) {}
}
namespace { int hidden; }
using namespace inv;
using inv::Registry;
extern "C" { int c_fn(void); }
