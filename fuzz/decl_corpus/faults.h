int x; double x;
struct S {int a;}; struct S {int a;};
int A::f(int x) { return x; }
union U : S { int i; };
class C : public S { using S::nothing; };
int ) broken;
using namespace std int y;
template <class T> int v;
short long z;
int f(
