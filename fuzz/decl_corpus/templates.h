namespace std {
template <class T> class allocator;
template <class T, class A = allocator<T> > class vector {
 public:
  typedef T value_type;
  typedef typename A::size_type size_type;
  template <class It> void assign(It f, It l);
  vector& operator=(const vector&);
  size_type size() const;
};
template <class T, class A> typename vector<T, A>::size_type vector<T, A>::size() const { return 0; }
template <> class vector<bool> { public: vector(); };
template class vector<int>;
template <class T> T maximum(T a, T b) { return a < b ? b : a; }
template <typename T, int N = 3, template <class> class C = allocator> struct holder { T data[N]; };
}
std::vector<std::vector<int> > nested;
std::vector<int>::size_type n;
