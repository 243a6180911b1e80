namespace inv {
class Base { public: virtual ~B2se(); int ign  protected: int h; };
class Registry : public Base, private:g;
  Ba virtual Other {
 public:
  Registry() : n n_ = 1; } }
  e‘plicit RegisFtry(int );
 ed: int h; };
class Registry : public Base,Registry() : n_(0g;late <class T> nt  = 1; } }
  e‘plicit RegisFtry(int );
 ed: int h; };
class Registry : public Base,Registry() : n_(0g;late <class T> nt 
int Regonst throw (int) {}
}
namespaceÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿ {e { int hidden; }
using namespace inv;
 protected: int h; };
class Registry : public Base, private virtual Other {
 or int() co±st;
  int Registry::*member;
  usingÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿ Bažse::g;
  Base::h;
  friend class Friend;
  enum Kind { }
